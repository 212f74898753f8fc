// The device context the program draws through: Windows' mapping modes, pens, brushes, fonts,
// raster operations and drawing calls with their integer rules. Mapping, selection and text
// metrics live here; a derived class renders (CPainterDC) or records (CRecordingDC) the calls.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiObjects.h"

#include <string>
#include <vector>

class CString;

// Pointer names of the Windows value types (repeating a typedef with the same type is allowed).
typedef POINT* LPPOINT;
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;
typedef SIZE* LPSIZE;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_LOENGLISH = 4;
constexpr int MM_HIENGLISH = 5;
constexpr int MM_TWIPS = 6;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Binary raster operations (SetROP2): the result is a bitwise function of pen and screen.
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// Ternary raster operations for PatBlt.
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Clip box results.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// GetDeviceCaps indexes.
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;

struct TEXTMETRIC {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
typedef TEXTMETRIC TEXTMETRICA;

// A selected font as realised on the device, in whole device pixels. Every character is laid
// in cells: a single-byte character takes one cell, a double-byte character two, so widths
// are counted in Shift-JIS bytes, exactly as the program's text layout counts them.
struct CRealizedFont {
    LOGFONT logFont;
    int emHeight = 16;    // character height
    int cellWidth = 8;    // half-width cell
    int ascent = 14;
    int descent = 2;
};

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Device description. The logical resolution is the screen's in the program and 96 in tests.
    int GetDeviceCaps(int index) const;
    int GetLogicalDpi() const { return m_dpi; }
    BOOL IsPrinting() const { return m_bPrinting; }
    BOOL m_bPrinting = FALSE;

    // Mapping.
    int SetMapMode(int mode);
    int GetMapMode() const { return m_state.mapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const { return m_state.windowOrg; }
    CPoint OffsetWindowOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const { return m_state.windowExt; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const { return m_state.viewportOrg; }
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const { return m_state.viewportExt; }

    // Logical to device and back, rounded to the nearest unit (halves up). Sizes scale by the
    // extents' magnitudes only, without origins or sign.
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void LPtoDP(LPSIZE size) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void DPtoLP(LPSIZE size) const;

    // Objects. Each returns the object selected before (a stock object at first).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const { return m_state.penObject; }
    CBrush* GetCurrentBrush() const { return m_state.brushObject; }
    CFont* GetCurrentFont() const { return m_state.fontObject; }

    // Modes and colors.
    int SetROP2(int rop);
    int GetROP2() const { return m_state.rop2; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_state.bkMode; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_state.bkColor; }
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_state.textColor; }
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const { return m_state.textAlign; }

    // Lines and figures, in logical units. LineTo leaves out its last pixel, so joined segments
    // touch each pixel once and an exclusive-or drawing repeated restores the screen.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_state.position; }
    // Counter-clockwise as seen on the device from the ray through (x3, y3) to the ray through
    // (x4, y4); equal rays draw the whole ellipse.
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT rect, POINT start, POINT end);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT rect);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT rect);
    BOOL Polyline(const POINT* points, int count);
    BOOL Polygon(const POINT* points, int count);
    void FillRect(LPCRECT rect, CBrush* brush);
    // Like the framework's, this leaves the background color set to the fill color.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    // Scales a picture (PNG bytes) into a logical rectangle; FALSE when the bytes are no picture
    // this device can decode (nothing is drawn then).
    BOOL DrawImage(LPCRECT rect, const BYTE* data, size_t size);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    // The color at a logical point; CLR_INVALID outside the device or on a device that keeps
    // no pixels (a printer, the recording DC).
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

    // Text: bytes are Shift-JIS; extents count half-width cells.
    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    BOOL GetTextExtentPoint32(LPCTSTR text, int count, LPSIZE size) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    // Clipping. The clip box is the device clip rectangle in logical units, its corners mapped
    // as they are (with y up, top is greater than bottom).
    int GetClipBox(LPRECT rect) const;
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    // Platform side: the device area to draw in (a window's invalid area); NULL resets it to the
    // whole device.
    void SetDeviceClip(const RECT* deviceRect);

    int SaveDC();
    BOOL RestoreDC(int savedDC);

    // The font as realised for the current mapping.
    const CRealizedFont& GetRealizedFont() const;

protected:
    // Set by the derived class: device size in pixels and logical resolution.
    void SetDevice(int width, int height, int dpi);

    // Recording hook: every call that changes or draws is described once, in logical units.
    virtual void Note(const std::string& call) { (void)call; }
    // Whether Note keeps anything: the descriptions are made only for a device that does.
    virtual bool Records() const { return false; }

    // Rendering hooks, in device pixels with the current pen, brush, ROP and clip.
    struct Pen {
        int style = PS_SOLID;
        int width = 1;        // device pixels
        COLORREF color = RGB(0, 0, 0);
    };
    virtual void DevPolyline(const std::vector<CPoint>& points, bool closed) { (void)points; (void)closed; }
    virtual void DevArc(const RECT& box, double startAngle, double sweep) { (void)box; (void)startAngle; (void)sweep; }
    virtual void DevFillEllipse(const RECT& box) { (void)box; }
    virtual void DevFillPolygon(const std::vector<CPoint>& points) { (void)points; }
    virtual void DevFillRect(const RECT& rect, COLORREF color) { (void)rect; (void)color; }
    virtual void DevInvertRect(const RECT& rect) { (void)rect; }
    // A device that keeps no pixels accepts every picture.
    virtual bool DevImage(const RECT& rect, const BYTE* data, size_t size) { (void)rect; (void)data; (void)size; return true; }
    virtual void DevSetPixel(int x, int y, COLORREF color) { (void)x; (void)y; (void)color; }
    virtual COLORREF DevGetPixel(int x, int y) const { (void)x; (void)y; return CLR_INVALID; }
    // Origin on the base line at the left end of the text; angle in radians counter-clockwise.
    virtual void DevText(double x, double y, double angle, const char* text, int count) { (void)x; (void)y; (void)angle; (void)text; (void)count; }

    Pen DevicePen() const;
    bool HasBrush() const { return !m_state.brush.m_hollow; }
    COLORREF BrushColor() const { return m_state.brush.m_color; }
    RECT DeviceClip() const;
    void ResetStyleOffset() { m_styleOffset = 0; }
    int m_styleOffset = 0;    // position in the pen's dash pattern, carried across LineTo calls

    // Formatting helpers for the recording format.
    static std::string ColorText(COLORREF color);

private:
    struct State {
        int mapMode = MM_TEXT;
        CPoint windowOrg;
        CSize windowExt{1, 1};
        CPoint viewportOrg;
        CSize viewportExt{1, 1};
        int rop2 = R2_COPYPEN;
        int bkMode = OPAQUE;
        COLORREF bkColor = RGB(255, 255, 255);
        COLORREF textColor = RGB(0, 0, 0);
        UINT textAlign = TA_LEFT | TA_TOP;
        CPoint position;
        struct { int m_style; int m_width; COLORREF m_color; } pen{PS_SOLID, 1, RGB(0, 0, 0)};
        struct { bool m_hollow; COLORREF m_color; } brush{false, RGB(255, 255, 255)};
        LOGFONT font;
        bool hasClip = false;
        RECT clip{0, 0, 0, 0};    // device
        CPen* penObject = nullptr;
        CBrush* brushObject = nullptr;
        CFont* fontObject = nullptr;
    };

    long MapX(long x) const;
    long MapY(long y) const;
    CPoint ToDevice(int x, int y) const;
    RECT ToDeviceRect(int x1, int y1, int x2, int y2) const;
    CSize SetExtent(const char* call, CSize& extent, int cx, int cy);
    void FixIsotropic();
    std::vector<CPoint> NotePoints(const char* name, const POINT* points, int count);
    void RealizeFont() const;
    int TextCells(LPCTSTR text, int count) const;

    State m_state;
    std::vector<State> m_saved;
    int m_width = 0;
    int m_height = 0;
    int m_dpi = 96;
    mutable bool m_fontDirty = true;
    mutable CRealizedFont m_realized;
    std::vector<CPoint> m_segment;    // LineTo's two points, kept for their storage
};
