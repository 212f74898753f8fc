// A font of the document's font table, shared by every text of a text block: the Windows font
// description plus the program's style codes, direction, spacing and character size.
#pragma once

#include <cstdint>

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

struct UserAppFontRecord;

class CTypeFont : public CObject {
    DECLARE_SERIAL(CTypeFont)
public:
    LOGFONT m_logFont;
    // Style code 1 only takes part in matching fonts; 2 is the form class (1 standard text,
    // 2 fixed-direction text), 3 the direction kind (1 horizontal, 2 vertical, 3 slant, 4 slant
    // along the string line), 4 and 5 the two form options of the text settings.
    std::uint8_t m_style1;
    std::uint8_t m_style2;
    std::uint8_t m_style3;
    std::uint8_t m_style4;
    std::uint8_t m_style5;
    double m_angle;              // degrees: the direction in which the texts run
    double m_spacing;            // character spacing ratio
    std::int32_t m_rightToLeft;  // 1 when the characters run right to left
    std::int32_t m_width;        // character width, tenths of a millimetre; 0 = measure it
    std::int32_t m_height;       // character height, tenths of a millimetre

    CTypeFont();
    CTypeFont(const CTypeFont& other);
    CTypeFont& operator=(const CTypeFont& other);
    ~CTypeFont() override;

    // styles1to4 packs style codes 1 to 4, code 1 in the lowest byte.
    void SetValues(const LOGFONT& font, std::uint32_t styles1to4, std::uint8_t style5,
                   double angle, double spacing, std::int32_t rightToLeft, std::int32_t width,
                   std::int32_t height);

    // 93 bytes: the 60 bytes of the font description as held, the five style codes, angle,
    // spacing, right-to-left flag, width, height.
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppFontRecord* ToRecord() const;
};
