// What every element listing shares: values printed in the drawing's relative system and scale,
// the previous reference resolved to the geometry the distance lines need, and the common lines
// (attribute strings, groups, layer, colour, pen) written into the listing list.
#pragma once

#include <cstdint>

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CHistoryList;
class CTypePen;
class CZelkDoc;

// Line codes of the listing list; the input bar takes a picked line by its code.
enum ListingCode : WORD {
    LC_POINT = 1,
    LC_ANGLE = 3,
    LC_LENGTH = 4,
    LC_RADIUS = 5,
    LC_LINE_TYPE = 6,
    LC_LINE_WIDTH = 7,
    LC_BLUR_COUNT = 8,
    LC_BLUR_RATE = 9,
    LC_LAYER = 10,
    LC_COLOR = 11,
    LC_FONT = 13,
    LC_ATTRIBUTE = 14,
    LC_TEXT_STANDARD = 15,
    LC_TEXT_HORIZONTAL = 16,
    LC_TEXT_VERTICAL = 17,
    LC_TEXT_SLANTED_SPACING = 18,
    LC_TEXT_SLANT = 19,
    LC_TEXT_ALONG_SPACING = 20,
    LC_TEXT_ALONG_SLANT = 21,
    LC_DIAMETER = 22,
    LC_GROUP = 23,
    LC_ANCHOR = 24,
    LC_HEADING = 100,
};

// What the previous reference stands for, read from the drawing it was recorded in.
struct CPreviousGeometry {
    enum Kind { NONE = 0, POINT = 2, LINE = 4, CIRCLE = 8, ARC = 16, TEXT = 32 };
    int m_kind = NONE;
    bool m_pointElement = false;   // a point element rather than the previous point itself
    CPointD m_p1;                  // the point, the line's start, the centre, the placement point
    CPointD m_p2;                  // the line's end
    double m_radius = 0;
};

// The labels of the distance lines from the previous reference to one point of a listing (the
// listed point, the placement point of a text, the centre of an ellipse, a measured point).
struct CPointDistanceLabels {
    const char* point;              // heading of the offset from a previous point
    const char* line;               // label of the perpendicular distance from a previous line
    const char* lineEnd;            // headings of the offsets from the line's end and start
    const char* lineStart;
    const char* circleGap;          // label of the distance from a previous circumference, or null
    const char* circleGapHeading;   // heading over that distance, or null
    const char* circleCentre;       // heading of the offset from the previous centre
    const char* arcGap;
    const char* arcGapHeading;
    const char* arcCentre;
    const char* text;               // heading of the offset from a previous placement point
    bool blanksAfterPointElement;   // the offset from a point element ends with two blanks
    bool headingFirst;              // a heading other than the point's goes before its offset
};

class CListingWriter {
public:
    CListingWriter(CHistoryList& list, CZelkDoc* doc);

    CHistoryList& m_list;
    CZelkDoc* m_doc;
    double m_scale;

    // The previous reference of the list; NONE when it gives no distance lines.
    CPreviousGeometry Previous() const;

    // A value rounded to 3 decimals and printed.
    static CString Number(double v);
    // A world length divided by the scale, rounded and printed.
    CString Length(double world) const;
    // "( x, y)": the point in relative coordinates, divided by the scale and rounded.
    CString Coords(const CPointD& world) const;
    // dX "X " dY "Y " L "L": the relative offset of `to` from `from` and their distance.
    CString Offset(const CPointD& from, const CPointD& to) const;
    // A world angle less the relative angle, rounded and printed.
    CString Angle(double degrees) const;

    void Add(const CString& text, WORD code);
    void AddLength(double world, const char* label);
    void AddOffset(const CPointD& from, const CPointD& to) { Add(Offset(from, to), LC_LENGTH); }
    void AddHeading(const char* heading) { Add(heading, LC_HEADING); }

    // The distance lines from the previous reference to the point p.
    void AddPointDistanceLines(const CPointD& p, const CPointDistanceLabels& labels);

    // The attribute-string lines of an element, then its group and ancestor group lines.
    void AddAttributeAndGroupLines(const CWordArray& indices, int group);
    void AddLayerAndColorLines(int layer, COLORREF color);
    // Blur count, blur attenuation, line type and line width.
    void AddPenLines(const CTypePen* pen);
    // The layer, colour and pen lines that close most listings.
    void AddLayerAndPenLines(int layer, const CTypePen* pen);
    // Hands the list to the text window when the setting asks for it.
    void Deliver();

private:
    void AddAttributeLines(const CWordArray& indices, const char* indent);
    CPointD Relative(const CPointD& world) const;
};
