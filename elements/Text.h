// The text element: one line of Shift-JIS text at a placement point, with an underline segment
// that carries its extent and direction, a color and an alignment anchor.
#pragma once

#include <cstdint>

#include "elements/ElementKinds.h"
#include "elements/SketchFigures.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDC;
class CTypeFont;
class CZelkDoc;
class CZelkView;

// Alignment codes: the Windows text-alignment bits plus the program's vertical middle 0x20.
constexpr std::int32_t TEXT_ALIGN_MIDDLE = 0x20;

struct UserAppTextRecord;

class CText : public CObject {
    DECLARE_SERIAL(CText)
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;
    CString m_text;
    CPointD m_point;            // placement point: the anchor of the string
    // Underline ends in x-then-y order; m_swapped says that order reverses the string's
    // direction.
    CPointD m_underlineStart;
    CPointD m_underlineEnd;
    std::int32_t m_swapped;
    COLORREF m_color;           // default: the creation color at construction time
    std::int32_t m_alignment;   // default 8, bottom-left
    std::int16_t m_layer;
    std::int16_t m_group;
    // The role comes before the attribute list here, but the archive order is that of every
    // other element: role after the group, then the list.
    std::int16_t m_role;
    CWordArray m_attrStrings;

    CText();
    // Every field but the attribute list, which stays empty in the copy.
    CText(const CText& other);
    explicit CText(const CText* other);
    CText& operator=(const CText&) = delete;
    ~CText() override;
    void Reset();

    // Every field but the attribute list, which stays this text's.
    void Assign(CText text);
    // Adds (dx, dy) to the three points when add is nonzero, subtracts it otherwise.
    void Translate(double dx, double dy, int add);

    // Standard drawing: the caller selected the font made from the block's font and zoom.
    void DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int drawFlag,
                    COLORREF color, double angle, double height);
    void Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip, int drawFlag,
              COLORREF color, double angle, double height);
    void Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, COLORREF color,
               int offsetX, int offsetY, double factor, double angle, double height);
    void DrawForServerItem(CDC* dc, COLORREF color, double angle, double height);
    void DrawUnderline(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);

    // Per-character layout for fonts of the fixed-direction form.
    void DrawLayoutInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip,
                          int drawFlag, COLORREF color, double height, double width,
                          const CTypeFont* font);
    void DrawLayout(CDC* dc, const CPointD& origin, double scale, const CRectD& clip,
                    int drawFlag, COLORREF color, double height, double width,
                    const CTypeFont* font);
    void PrintLayout(CDC* dc, const CPointD& origin, double scale, const RECT& clip,
                     COLORREF color, int offsetX, int offsetY, double factor, double height,
                     double width, const CTypeFont* font);
    void DrawLayoutForServerItem(CDC* dc, COLORREF color, double angleRad, double height,
                                 double width, const CTypeFont* font);

    // The layout routines behind the dispatch: columns (vertical text) and rows (horizontal
    // and slanted text) on the screen, the printer and the server item.
    void DrawColumn(CDC* dc, const CPointD& origin, double scale, const CRectD& clip, int drawFlag,
                    COLORREF color, double height, double width, const CTypeFont* font);
    void DrawRow(CDC* dc, const CPointD& origin, double scale, const CRectD& clip, int drawFlag,
                 COLORREF color, double height, double width, const CTypeFont* font);
    void PrintColumn(CDC* dc, const CPointD& origin, double scale, const RECT& clip, COLORREF color,
                     int offsetX, int offsetY, double factor, double height, double width,
                     const CTypeFont* font);
    void PrintRow(CDC* dc, const CPointD& origin, double scale, const RECT& clip, COLORREF color,
                  int offsetX, int offsetY, double factor, double height, double width,
                  const CTypeFont* font);
    void DrawColumnForServerItem(CDC* dc, COLORREF color, double angleRad, double height,
                                 double width, double spacing, int rightToLeft);
    void DrawRowForServerItem(CDC* dc, COLORREF color, double angleRad, double height,
                              double width, double spacing, int rightToLeft);
    // Column vectors: advance, spacing, half cell back, ratio-8 side offset, side, punctuation.
    static void ComputeAdvanceVectors(double angleRad, double height, double width, double spacing,
                                      POINT& advance, POINT& space, POINT& halfBack,
                                      POINT& side8, POINT& side, POINT& punctuation);
    // Row vectors: cell and spacing.
    static void ComputeRowAdvance(double angleRad, double width, double spacing, int rightToLeft,
                                  POINT& cell, POINT& space);
    void DrawColumnChars(CDC* dc, int x, int y, POINT advance, POINT space, POINT halfBack,
                         POINT side8, POINT side, POINT punctuation) const;
    void DrawRowChars(CDC* dc, int x, int y, POINT cell, POINT space) const;
    // Where the same string would end, without drawing.
    void MeasureColumnChars(POINT start, POINT advance, POINT space, POINT& end) const;
    void MeasureRowChars(POINT start, POINT cell, POINT space, int rightToLeft, POINT& end) const;

    // The underline turned (rotateOnly) or turned and scaled about centre, in the view's
    // units, in the string's direction.
    CSketchSegment* MakeDragSketch(CZelkView* view, const CPointD& centre, double angle,
                                   double factor, int rotateOnly);

    // Geometry along the underline.
    CPointD OffsetFromUnderline() const;
    int FootOnUnderline(const CPointD& p, CPointD& foot, double& distance) const;
    double ParameterOfPoint(const CPointD& p) const;
    int SnapClassOfPoint(const CPointD& p) const;
    int AngleToReference(const CPointD& p) const;

    // Bookkeeping (kind 32).
    void ClearMarkBits(std::uint8_t bits) { m_mark &= static_cast<std::uint8_t>(~bits); }
    void SetMarkBits(std::uint8_t bits) { m_mark |= bits; }
    void SetStateBits(std::uint8_t bits) { m_state |= bits; }
    int Select(CZelkDoc* doc, int useGroups);
    void LinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    int UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    void CheckIndices(int layerCount, int groupCount, int stringCount) const;

    // state, mark, text, point, underline start, underline end, swap flag, color, alignment,
    // layer, group, role, attribute list
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppTextRecord* ToRecord() const;
};
