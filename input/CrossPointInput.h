// Input of the crossing point of two picked elements that need not touch: their extensions
// (infinite lines, full circles) are intersected and the crossing nearest the picks is handed
// to the current command as a clicked point.
#pragma once

#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "platform/core/String.h"

#include <vector>

class CZelkDoc;
class CZelkView;

#include "input/GuidanceOwner.h"

class CCrossPointInput : public CGuidanceOwner {
public:
    CZelkDoc* m_firstDoc;
    CZelkDoc* m_secondDoc;
    int m_firstChosen;
    CString m_prompt;
    CString m_hint;
    CElemRef m_firstElem;
    CElemRef m_secondElem;
    CPointD m_firstPickPoint;
    CPointD m_secondPickPoint;

    CCrossPointInput();
    ~CCrossPointInput();
    CCrossPointInput(const CCrossPointInput&) = delete;
    CCrossPointInput& operator=(const CCrossPointInput&) = delete;

    void Reset();
    // A drawing that closes leaves no pick behind that names it.
    void ForgetDocument(const CZelkDoc* doc);
    // One pick of the two-element intersection mode.
    void OnPick(CZelkDoc* doc, CZelkView* view);
    void ComputeCrossPoint();

    // Every crossing of the two elements' extensions in the order found; FALSE when either
    // element is gone or of a kind that takes part in no pair.
    static BOOL CollectCrossings(CZelkDoc* firstDoc, const CElemRef& first, CZelkDoc* secondDoc,
                                 const CElemRef& second, std::vector<CPointD>& points);
};
