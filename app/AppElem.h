// The pen and numeric settings new elements are created with: creation pen, creation environment,
// blur and draft modes, and the hatching, dimension and compound-element values. Archived.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CTypePen;

// The copy of the pen a command saves before it changes the pen for one operation.
struct CAppSavedPen {
    CAppSavedPen();

    short m_mask;
    short m_thickWidth;
    short m_lineWidth;
    int m_lineType;
    COLORREF m_color;
    BYTE m_blurCount;
    BYTE m_blurRate;
};

// The creation pen and the creation environments hold their pen under the same five names; this
// copies one pen into another.
template <class To, class From>
void CopyPen(To& to, const From& from)
{
    to.m_lineWidth = from.m_lineWidth;
    to.m_lineType = from.m_lineType;
    to.m_color = from.m_color;
    to.m_blurCount = from.m_blurCount;
    to.m_blurRate = from.m_blurRate;
}

class CAppElem : public CObject {
    DECLARE_DYNCREATE(CAppElem)
public:
    // Bits of the taken-over mask.
    enum : short {
        kMaskThickWidth = 0x01,
        kMaskLineWidth = 0x02,
        kMaskLineType = 0x04,
        kMaskColor = 0x08,
        kMaskBlurCount = 0x10,
        kMaskBlurRate = 0x20,
    };

    CAppElem();
    ~CAppElem() override;
    void Serialize(CArchive& ar) override;

    void SavePen();
    void RestorePen();
    void RestorePenByMask();
    void SetThickWidth(short width);
    void SetLineWidth(short width);
    void SetLineType(int lineType);
    void SetColor(COLORREF color);
    void SetBlurCount(BYTE count);
    void SetBlurRate(BYTE rate);
    void StoreLineTypeInCurrent();
    void StoreWidthInCurrent();
    void StoreColorInCurrent();
    void StoreColorInSelectedSet();
    void StoreColorInReferenceSet();
    void StorePenInCurrent();
    // Takes the pen of an element block; the mask is not changed.
    void SetPenFromTypePen(const CTypePen& pen);
    void SetDraftPen();
    void SetLastCommandKind(short kind);
    // Keeps loaded values inside the ranges of the settings dialogs.
    void ClampLoaded();

    short m_mask;
    short m_thickWidth;
    short m_lineWidth;
    int m_lineType;          // 0 solid ... 5 draft line
    COLORREF m_color;
    double m_hatchPitch;     // offset figures and hatching spacing
    short m_stripCount;      // strips of the section-property hatching
    double m_centroidHalfLength;
    double m_pasteScaleDivisor;
    short m_creationEnv;     // 0 current, 1 selected element, 2 reference element
    signed char m_layerCondition; // 0 current layer, 1 the element's layer, 2 new layer
    int m_blurMode;
    int m_lineOption;
    int m_circleOption;
    int m_draftMode;
    int m_dxfBlockLayer;     // elements of a DXF block keep the block's layer
    short m_dimDecimals;
    double m_arrowAngle;
    double m_arrowLength;
    double m_dotSize;
    int m_dotEnds;           // dimension ends drawn as dots instead of arrows
    double m_dimExtension;   // dimension-line extension with outside arrows, and the text gap
    CString m_diameterMark;
    CString m_degreeMark;
    double m_extOvershoot;   // extension lines beyond the dimension line
    double m_extGap;         // extension lines away from the measured points
    double m_balloonTextRatio;
    short m_lastCommandKind; // 1 line command, 2 circle/arc command, 0 after a reset
    short m_groupWord = 0;   // set and tested by group processing; not archived
    BYTE m_blurCount;
    BYTE m_blurRate;
    CAppSavedPen m_savedPen;
};
