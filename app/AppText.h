// The font and form new texts are created with: anchor, size, the font description, shape and
// direction, writing direction, spacing, slant, and the proportions of the text layout. Archived.
// Also embedded in each of the three creation environments.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CTypeFont;
class CText;

// The copy of the text attributes a command saves before it changes them for one operation.
struct CAppTextSaved {
    CAppTextSaved();

    DWORD m_mask;
    int m_anchor;
    int m_widthTenths;
    int m_heightTenths;
    LOGFONT m_logFont;
    BYTE m_shape;
    BYTE m_formClass;
    BYTE m_direction;
    BYTE m_formOption1;
    BYTE m_formOption2;
    int m_rightToLeft;
    double m_charSpacing;
    int m_slantAlongLine;
    double m_slantAngle;
};

// The font every new text starts with.
LOGFONT DefaultTextLogFont();

class CAppText : public CObject {
    DECLARE_DYNCREATE(CAppText)
public:
    // Bits of the taken-over mask; 0x10000 is unused.
    enum : DWORD {
        kMaskAnchor = 0x1,
        kMaskSize = 0x2,
        kMaskLogFont = 0x4,
        kMaskEscapement = 0x8,
        kMaskHeight = 0x10,
        kMaskWidth = 0x20,
        kMaskItalic = 0x40,
        kMaskUnderline = 0x80,
        kMaskStrikeOut = 0x100,
        kMaskFaceName = 0x200,
        kMaskShape = 0x400,
        kMaskFormClass = 0x800,
        kMaskDirection = 0x1000,
        kMaskFormOption1 = 0x2000,
        kMaskFormOption2 = 0x4000,
        kMaskRightToLeft = 0x8000,
        kMaskCharSpacing = 0x20000,
        kMaskSlantAlongLine = 0x40000,
        kMaskSlantAngle = 0x80000,
    };

    CAppText();
    CAppText(const CAppText& other);
    CAppText& operator=(const CAppText& other);
    ~CAppText() override;
    void Serialize(CArchive& ar) override;

    void SaveAttributes();
    void RestoreAttributes();
    void RestoreAttributesByMask();
    void SaveShape();
    // Sets the shape (1 standard, 2 horizontal, 3 vertical, 4 slant) with its form bytes.
    void SetShapeForm(BYTE shape);
    // Switches back to the shape saved by the last shape change, through its command.
    void RestoreShape();
    // Runs the command of a shape (1 to 4) of the application.
    static void RunShapeCommand(BYTE shape);
    // Holds a font's height and width where ten times them (the font is measured and made in
    // tenths) is still a 32-bit number; a damaged file or archive can hold any value there.
    static void ClampFontSize(LOGFONT& font);

    void SetAnchor(int anchor);
    void SetSizeTenths(int widthTenths, int heightTenths);
    void SetLogFont(const LOGFONT& font);
    void SetShape(BYTE shape);
    void SetItalic(BYTE italic);
    void SetUnderline(BYTE underline);
    void SetStrikeOut(BYTE strikeOut);
    void SetFaceName(const char* faceName);
    void SetFormClass(BYTE formClass);
    void SetDirectionKind(BYTE direction);
    void SetFormOption1(BYTE option);
    void SetFormOption2(BYTE option);
    void SetRightToLeft(int rightToLeft);
    void SetCharSpacing(double spacing);
    void SetSlantAngle(double tenthsOfDegree);
    void SetHeight(double height);
    void SetWidth(double width);
    void SetAngle(double degrees);
    void SetSlantAlongLine(int flag);
    void ScaleSize(double factor);
    // Takes the form and size of a text block's font and derives the shape from it.
    void SetFromTypeFont(const CTypeFont& font);
    void SetAnchorFromText(const CText& text);

    void StoreAnchorInCurrent();
    void StoreHeightInCurrent();
    void StoreWidthInCurrent();
    void StoreItalicInCurrent();
    void StoreUnderlineInCurrent();
    void StoreStrikeOutInCurrent();
    void StoreFaceNameInCurrent();
    void StoreFontInCurrent();
    // Copies the text form (not the mask, ratios or markers) from another record.
    void AssignAttributes(CAppText other);
    void ClampLoaded();

    DWORD m_mask;
    int m_anchor;            // vertical part (top 0, middle 32, bottom 8) plus horizontal part
    int m_widthTenths;
    int m_heightTenths;
    LOGFONT m_logFont;
    BYTE m_shape;            // 1 standard, 2 horizontal, 3 vertical, 4 slant
    BYTE m_formClass;        // 1 standard text, 2 fixed-direction text
    BYTE m_direction;        // 1 horizontal, 2 vertical, 3 slant, 4 slant along the string line
    BYTE m_formOption1;
    BYTE m_formOption2;
    int m_rightToLeft;
    double m_charSpacing;
    int m_slantAlongLine;
    double m_slantAngle;     // tenths of a degree
    short m_tabShift;
    BYTE m_savedShape;
    double m_subscriptRatio;
    double m_layoutRatio2;
    double m_layoutRatio3;
    double m_layoutRatio4;
    double m_layoutRatio5;
    double m_layoutRatio6;
    CString m_subscriptMarker;
    CString m_rubyMarker;
    double m_layoutRatio7;
    double m_layoutRatio8;
    double m_layoutRatio9;
    double m_layoutRatio10;
    double m_layoutRatio11;
    double m_boxRatioMin;
    double m_boxRatioMax;
    CAppTextSaved m_saved;
};
