// One history list of the input bar: the entries the input box drops down, newest first, with a
// line code each. The element-listing list also keeps the previous reference its listings
// measure from; the listings themselves are members so that they write straight into it.
#pragma once

#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CArc;
class CCircle;
class CConic;
class CCurve;
class CDataPoint;
class CLine;
class CText;
class CTypeFont;
class CTypePen;
class CZelkDoc;

class CHistoryList {
public:
    CHistoryList();

    CZelkDoc* m_sourceDoc;
    double m_value;
    CString m_currentText;
    CStringArray m_texts;   // index 0 is the newest
    CWordArray m_codes;     // one line code per text
    int m_touched = 0;      // chosen, edited or confirmed since the list was last shown
    // The previous reference of the element listings: an element (kind, block, slot) of
    // m_prevDoc, or the point m_prevPoint when the block is -1.
    CElemRef m_prevElem;
    CPointD m_prevPoint;
    CZelkDoc* m_prevDoc;

    void Clear();
    // An empty text does nothing; an earlier equal entry gives way to the new one at the top,
    // and the list is cut to the input-list maximum.
    void AddRecentWithCode(const CString& text, WORD code);
    void AddRecent(const CString& text) { AddRecentWithCode(text, 0); }
    // The fonts list stays sorted ignoring case (double-byte characters compared whole); an
    // entry equal but for case is not added again.
    void AddSorted(const CString& text);
    // The line code of an entry; 1001 for an index outside the list.
    WORD GetCode(int index) const;
    // The line-type list's entry of a thick solid line of the width in millimetres.
    static CString ThickLineEntry(double millimetres);
    // Puts that entry first (with line code 0) unless the list holds it.
    void ListThickLine(double millimetres);

    // Element information listings; a null element leaves the list as it is.
    void ListPointInformation(CZelkDoc* doc, CTypePen* pen, CDataPoint* point);
    void ListLineInformation(CZelkDoc* doc, CTypePen* pen, CLine* line);
    void ListCircleInformation(CZelkDoc* doc, CTypePen* pen, CCircle* circle);
    void ListArcInformation(CZelkDoc* doc, CTypePen* pen, CArc* arc);
    void ListTextInformation(CZelkDoc* doc, CTypeFont* font, CText* text);
    void ListConicInformation(CZelkDoc* doc, CTypePen* pen, CConic* conic);
    void ListCurveInformation(CZelkDoc* doc, CTypePen* pen, CCurve* curve);
    void ListPointMeasurement(CZelkDoc* doc, CPointD* point);
};
