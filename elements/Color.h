// A named color of the document's color table.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CColor : public CObject {
    DECLARE_SERIAL(CColor)
public:
    CString m_name;
    COLORREF m_color;   // 0x00BBGGRR

    CColor();
    ~CColor() override;
    // name (string), color (32 bits)
    void Serialize(CArchive& ar) override;
};
