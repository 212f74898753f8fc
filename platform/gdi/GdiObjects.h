// Pens, brushes and fonts as the program creates and selects them into a CDC, with the
// Windows constants it uses. Objects only hold their attributes; a DC copies them on selection,
// so deleting a selected object never leaves the DC with a dangling description.
#pragma once

#include "platform/core/WinTypes.h"

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

// The face every drawing font falls back to ("ＭＳ ゴシック" in Shift-JIS).
extern const char* const kDefaultFontFace;

class CGdiObject {
public:
    enum Kind { kNone, kPen, kBrush, kFont };

    CGdiObject() = default;
    virtual ~CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Non-null while the object holds a created description (MFC code tests it).
    void* m_hObject = nullptr;

    void* GetSafeHandle() const { return m_hObject; }
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    Kind GetKind() const { return m_kind; }

protected:
    explicit CGdiObject(Kind kind) : m_kind(kind) {}
    void MarkCreated() { m_hObject = this; }

private:
    Kind m_kind = kNone;
    friend class CDC;
};

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(kPen) {}
    CPen(int style, int width, COLORREF color) : CGdiObject(kPen) { CreatePen(style, width, color); }

    // A dashed or dotted style wider than one logical unit is made solid, as Windows does.
    BOOL CreatePen(int style, int width, COLORREF color);

    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_color = RGB(0, 0, 0);
};

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(kBrush) {}
    explicit CBrush(COLORREF color) : CGdiObject(kBrush) { CreateSolidBrush(color); }

    BOOL CreateSolidBrush(COLORREF color);

    bool m_hollow = false;
    COLORREF m_color = RGB(255, 255, 255);
};

class CFont : public CGdiObject {
public:
    CFont();

    BOOL CreateFontIndirect(const LOGFONT* logFont);
    int GetLogFont(LOGFONT* logFont) const;

    LOGFONT m_logFont;
};

// Stock objects live for the whole program, like Windows' own.
CGdiObject* GetStockGdiObject(int index);
