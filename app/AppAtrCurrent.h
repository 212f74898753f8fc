// The "current" creation environment: the pen and text form new elements take when the
// creation environment is 0. Not archived; it starts from the archived pen of CAppElem.
#pragma once

#include "app/AppText.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CAppAtrCurrent : public CObject {
    DECLARE_DYNCREATE(CAppAtrCurrent)
public:
    CAppAtrCurrent();
    ~CAppAtrCurrent() override;
    void Serialize(CArchive& ar) override;

    // Makes this set's pen the creation pen; a draft line type becomes solid.
    void ApplyPen();
    void ApplyText();
    void SetLineWidth(short width);
    void SetLineType(int lineType);

    COLORREF m_color;
    int m_lineType;
    short m_lineWidth;
    BYTE m_blurCount;
    BYTE m_blurRate;
    CAppText m_text;
};
