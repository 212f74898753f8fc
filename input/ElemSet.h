// The working element set of group processing: the selected elements with the parameters of the
// operation, and the new texts that wait to be placed.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

#include <cstdint>

class CText;
class CZelkDoc;

class CElemSet {
public:
    CElemSet();
    ~CElemSet();
    CElemSet(const CElemSet&) = delete;
    CElemSet& operator=(const CElemSet&) = delete;

    void Clear();
    // A reference to an element of the drawing; the extents take in the element (a group member
    // by member).
    void AddElement(CZelkDoc* doc, int kind, int block, int slot, int state, int mark);
    // A line of which only the start (startFlag set) or only the end point is selected.
    void AddToLineList(CZelkDoc* doc, int kind, int block, int slot, int state, int mark, int startFlag);
    // One size class per element, 0 the largest, so that the drag sketch shows those first.
    void ClassifySizes(CZelkDoc* doc);
    void AddTextCopy(const CText& text);
    // One new text per line, one below the other, held relative to (0, 0).
    void AddTextLines(const CStringArray& lines);
    // Lays the waiting texts out again with the application's text settings.
    void LayOutTexts(int repitch);

    CPointD basePoint;
    double angle;
    double scale;
    std::int32_t operationCount;
    CPointD linePitch;
    std::int32_t textsLaidOut;
    CWordArray sizeClasses;
    CPtrArray elements;         // CElemRef, owned
    CPtrArray startOnlyLines;   // CElemRef, owned
    CPtrArray endOnlyLines;     // CElemRef, owned
    CPtrArray texts;            // CText, owned
    CPointD textBlockSize;
    double minX;
    double minY;
    double maxX;
    double maxY;

private:
    // Lays out one text at the position with the given settings; the block extents take in its
    // underline.
    static void PlaceText(CText& text, const CString& string, const CPointD& position, int w10, int h10,
                          int anchor, double blockExtents[4]);
    void FinishBlock(const double blockExtents[4], int h10, bool topAnchorGrows);
};
