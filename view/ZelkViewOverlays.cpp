// Marks and text lines drawn straight over the drawing: the origin mark, the relative axes, the
// reference, base-point and input-point crosses, pointer and direction marks, the hint and
// message lines and the banner. They appear at once and go by being drawn again in the
// background color; nothing here invalidates the view, except hiding the input-point mark.
#include "view/ZelkView.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "geometry/Angles.h"
#include "geometry/Clipping.h"
#include "geometry/Numeric.h"
#include "input/PointEntry.h"
#include "platform/core/ProgramFolder.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

namespace {

constexpr double kDegToRad = PI * 0.005555555555555556;

// A segment of screen points shortened to the clip rectangle; nothing when no part remains.
void DrawClipped(CDC* dc, CPointD a, CPointD b, const RECT& clip, bool ordered)
{
    CRectD rect;
    rect.SetFromIntRect(clip);
    if (ordered)
        OrderPoints(a, b);
    int inside = 0;
    if (!ClipSegmentToRectD(a, b, rect, inside))
        return;
    dc->MoveTo(static_cast<int>(a.m_x), static_cast<int>(a.m_y));
    dc->LineTo(static_cast<int>(b.m_x), static_cast<int>(b.m_y));
}

CPointD Offset(const CPointD& p, double dx, double dy)
{
    CPointD q;
    q.Init(p.m_x + dx, p.m_y + dy);
    return q;
}

POINT Truncated(const CPointD& p)
{
    return POINT{static_cast<int>(p.m_x), static_cast<int>(p.m_y)};
}

// The font of the text lines: "ＭＳ ゴシック" at the given height.
LOGFONT LineFont(int height)
{
    LOGFONT f{};
    f.lfHeight = height;
    f.lfWeight = 400;
    f.lfCharSet = 128;
    f.lfOutPrecision = 3;
    f.lfClipPrecision = 2;
    f.lfQuality = 2;
    f.lfPitchAndFamily = 0x31;
    const char face[] = "ＭＳ ゴシック";
    static_assert(sizeof(face) <= LF_FACESIZE);
    for (size_t i = 0; i < sizeof(face); ++i)
        f.lfFaceName[i] = face[i];
    return f;
}

// One text routine's device state: transparent background, its font (the current one when it
// cannot be made) and alignment; everything put back at the end.
class CLineText {
public:
    CLineText(CDC* dc, int height, UINT align) : m_dc(dc)
    {
        m_oldMode = dc->SetBkMode(TRANSPARENT);
        const LOGFONT f = LineFont(height);
        if (m_font.CreateFontIndirect(&f))
            m_oldFont = dc->SelectObject(&m_font);
        m_oldAlign = dc->SetTextAlign(align);
        m_oldColor = dc->GetTextColor();
    }
    ~CLineText()
    {
        m_dc->SetTextAlign(m_oldAlign);
        m_dc->SetTextColor(m_oldColor);
        if (m_oldFont)
            m_dc->SelectObject(m_oldFont);
        m_dc->SetBkMode(m_oldMode);
    }
    // A path in a message ("... に保存しました") shows in the file system's form, as titles do.
    void Draw(int x, int y, const CString& text, COLORREF color)
    {
        m_dc->SetTextColor(color);
        m_dc->TextOut(x, y, ScreenPathText(text));
    }

private:
    CDC* m_dc;
    CFont m_font;
    CFont* m_oldFont = nullptr;
    int m_oldMode = 0;
    UINT m_oldAlign = 0;
    COLORREF m_oldColor = 0;
};

} // namespace

// ---- marks -------------------------------------------------------------------------------------

void CZelkView::DrawOriginMark(CDC* dc, const RECT& clip)
{
    CPointD zero;
    zero.Init(0, 0);
    const CPointD p = zero.WorldToScreen(m_origin, m_zoom);
    const int h = g_pApp->m_appDraw.originMarkSize / 2;
    DrawClipped(dc, p, Offset(p, h, 0), clip, false);
    DrawClipped(dc, p, Offset(p, 0, h), clip, false);
}

void CZelkView::DrawRelativeAxes(CDC* dc, const RECT& clip)
{
    const CPointD p = m_document->m_relOrigin.WorldToScreen(m_origin, m_zoom);
    const double a = m_document->m_relAngle * kDegToRad;
    const double b = (m_document->m_relAngle + 90) * kDegToRad;
    const double length = g_pApp->m_appDraw.originMarkSize;
    DrawClipped(dc, p, Offset(p, length * std::cos(a), length * std::sin(a)), clip, true);
    DrawClipped(dc, p, Offset(p, length * std::cos(b), length * std::sin(b)), clip, true);
}

void CZelkView::EraseRelativeAxes(CDC* dc, const RECT& clip)
{
    CPen* previous = SelectNewPen(dc, PS_SOLID, 1, g_pApp->m_appColor.viewBackColor);
    DrawRelativeAxes(dc, clip);
    RestoreOldPen(dc, previous);
}

void CZelkView::DrawReferencePointMark(CDC* dc, const RECT& clip)
{
    const CPointD p = m_document->m_referencePoint.WorldToScreen(m_origin, m_zoom);
    const int h = g_pApp->m_appDraw.referenceMarkSize;
    DrawClipped(dc, Offset(p, -h, -h), Offset(p, h, h), clip, true);
    DrawClipped(dc, Offset(p, -h, h), Offset(p, h, -h), clip, true);
}

void CZelkView::DrawInputPointMark(int show)
{
    if (!g_pApp || !m_document)
        return;
    const int size = g_pApp->m_appDraw.crossMarkSize;
    if (!show) {
        InvalidateAroundPoint(m_document->m_inputMarkPos, size);
        return;
    }
    std::unique_ptr<CDC> dc = CreateClientDC();
    OnPrepareDC(dc.get());
    CPen* previous = SelectNewPen(dc.get(), PS_SOLID, 1, g_pApp->m_appColor.markColor);
    m_document->m_inputMarkPos.DrawCrossCircleMark(dc.get(), m_origin, m_zoom, size);
    RestoreOldPen(dc.get(), previous);
}

// A mark of its own pen on a client device context of the view.
template <class Draw>
void CZelkView::DrawMark(COLORREF color, int width, Draw draw)
{
    if (!g_pApp || !m_document)
        return;
    std::unique_ptr<CDC> dc = CreateClientDC();
    OnPrepareDC(dc.get());
    CPen* previous = SelectNewPen(dc.get(), PS_SOLID, width, color);
    draw(dc.get());
    RestoreOldPen(dc.get(), previous);
}

void CZelkView::EraseCircleMark(CPointD point)
{
    DrawMark(m_backColor, 1, [&](CDC* dc) { point.DrawCircleMark(dc, m_origin, m_zoom); });
}

void CZelkView::DrawColoredCrossMark(CPointD point, COLORREF color, int halfSize)
{
    DrawMark(color, 1, [&](CDC* dc) { point.DrawCrossMark(dc, m_origin, m_zoom, halfSize); });
}

void CZelkView::DrawCrossMark(CPointD point, int halfSize)
{
    DrawColoredCrossMark(point, m_backColor, halfSize);
}

void CZelkView::DrawPointerMarks(int erase)
{
    if (!g_pApp)
        return;
    const CAppColor& colors = g_pApp->m_appColor;
    const int s = g_pApp->m_appDraw.pointerMarkSize;
    const int a = static_cast<int>(s * 0.7142857142857143);
    const int b = static_cast<int>(s * 0.87);
    const int c = s / 2;
    DrawMark(erase ? colors.viewBackColor : colors.selectionColor, 5, [&](CDC* dc) {
        const CPtrArray& marks = m_document->m_pointerMarks;
        for (int i = 0; i < marks.GetSize(); ++i) {
            const POINT p = Truncated(static_cast<const CPointD*>(marks[i])->WorldToScreen(m_origin, m_zoom));
            CPointD tip;
            tip.Init(p.x, p.y);
            if (!tip.IsInIntRect(g_pApp->m_activeClientRect))
                continue;
            DrawSegment(dc, POINT{p.x + a, p.y + a}, p);
            DrawSegment(dc, p, POINT{p.x + c, p.y + b});
        }
    });
}

void CZelkView::DrawDirectionMarks(int show)
{
    if (!g_pApp)
        return;
    const int d = g_pApp->m_appDraw.directionMarkSize;
    DrawMark(show ? g_pApp->m_appColor.directionMarkColor : m_backColor, 1, [&](CDC* dc) {
        const CPtrArray& marks = m_document->m_directionMarks;
        for (int i = 0; i < marks.GetSize(); ++i) {
            const auto* mark = static_cast<const CPointEntry*>(marks[i]);
            const int dx = static_cast<int>(d * std::cos(mark->angle * kDegToRad));
            const int dy = static_cast<int>(d * std::sin(mark->angle * kDegToRad));
            const POINT p = Truncated(mark->point.WorldToScreen(m_origin, m_zoom));
            DrawSegment(dc, POINT{p.x - dx, p.y - dy}, POINT{p.x + dx, p.y + dy});
        }
    });
}

// ---- text lines ----------------------------------------------------------------------------------

// The stored text is drawn again in the background color (which erases it), then the new one.
void CZelkView::ShowHintLine(const CString& text)
{
    if (!g_pApp || !g_pApp->m_appDraw.showHintLine)
        return;
    std::unique_ptr<CDC> dc = CreateClientDC();
    OnPrepareDC(dc.get());
    {
        CLineText line(dc.get(), g_pApp->m_appDraw.messageFontHeight, 0);
        line.Draw(m_clientRectLogical.left, m_clientRectLogical.top, m_hintText, m_backColor);
        line.Draw(m_clientRectLogical.left, m_clientRectLogical.top, text, g_pApp->m_appColor.messageColor);
    }
    m_hintText = text;
}

// A stored text longer than 200 bytes is not erased (it stays until the next paint) and the
// text after it is shown but not stored.
void CZelkView::ShowMessageLine(const CString& text)
{
    const int n = m_messageText.GetLength();
    const bool keep = n >= 0 && n <= 200;
    if (!g_pApp) {
        if (!keep)
            m_messageText.Empty();
        else if (!text.IsEmpty())
            m_messageText = text;
        return;
    }
    const int height = g_pApp->m_appDraw.messageFontHeight;
    const int y = m_clientRectLogical.top - (g_pApp->m_appDraw.showHintLine ? height : 0);
    std::unique_ptr<CDC> dc = CreateClientDC();
    OnPrepareDC(dc.get());
    {
        CLineText line(dc.get(), height, 0);
        if (keep)
            line.Draw(m_clientRectLogical.left, y, m_messageText, m_backColor);
        else
            m_messageText.Empty();
        line.Draw(m_clientRectLogical.left, y, text, g_pApp->m_appColor.messageColor);
    }
    if (keep && !text.IsEmpty())
        m_messageText = text;
}

void CZelkView::AppendMessageLine(const CString& text)
{
    ShowMessageLine(m_messageText + text);
}

void CZelkView::DrawBannerLine(const CString& text, int& line)
{
    if (!g_pApp)
        return;
    const RECT& r = m_clientRectLogical;
    const int g = (r.top - r.bottom) / 60;
    std::unique_ptr<CDC> dc = CreateClientDC();
    OnPrepareDC(dc.get());
    {
        CLineText banner(dc.get(), 2 * g, TA_CENTER | TA_BOTTOM);
        banner.Draw((r.left + r.right) / 2, r.top - 3 * g * (line + 6), text, g_pApp->m_appColor.bannerColor());
    }
    ++line;
}
