// A pen of the document's pen table, shared by every element of a block.
#pragma once

#include <cstdint>

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

struct UserAppPenRecord;

class CTypePen : public CObject {
    DECLARE_SERIAL(CTypePen)
public:
    // 0 solid, 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot, 5 draft line
    std::int32_t m_lineType;
    std::int16_t m_width;       // tenths of a millimetre
    COLORREF m_color;
    std::uint8_t m_blurCount;   // blur passes of the blur-line mode
    std::uint8_t m_blurRate;    // attenuation of each blur pass, percent

    CTypePen();
    ~CTypePen() override;
    // 12 bytes: line type, width, color, blur count, blur rate
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppPenRecord* ToRecord() const;
};
