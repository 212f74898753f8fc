// CScreenOperation: collects the press and release (or two clicks) of a screen gesture and zooms
// the view to the rectangle, out of it, or scrolls one point onto the other.
#include "input/ScreenOperation.h"

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "platform/gdi/DC.h"
#include "view/ZelkView.h"

#include <cmath>
#include <memory>

namespace {

const char kPrompt[] = "[画面操作] ドラッグ右上|右下|左|左下|左上 or スクロール基点|拡大位置点";
const char kHint[] = "右上ドラッグで拡大､左で全表示､左下で前画面です。点入力でスクロール/拡大窓へ。";

CString MessageNumber(double value)
{
    RoundToSignificant(value, g_pApp ? g_pApp->m_appAcc.messageDigits() : 3);
    return DoubleToString(value);
}

}  // namespace

CScreenOperation::CScreenOperation()
{
    Reset();
}

void CScreenOperation::Reset()
{
    state = 0;
    view = nullptr;
    gesture = 0;
    firstPoint.Init(0, 0);
    secondPoint.Init(0, 0);
    m_prompt = kPrompt;
    m_hint = kHint;
}

BOOL CScreenOperation::IsActiveIn(const CZelkView* target) const
{
    return state == 1 && target == view;
}

int CScreenOperation::OnPoint(CZelkView* target, const CPointD& p)
{
    if (target != view) {
        view = target;
        if (state != 0) {
            // A gesture begun in another view is dropped.
            state = 0;
            firstPoint.Init(0, 0);
            secondPoint.Init(0, 0);
            return 0;
        }
    }
    if (state == 0) {
        firstPoint = p;
        state = 1;
        return Run(target);
    }
    if ((state & 0x01) && target == view) {
        secondPoint = p;
        state |= 0x02;
        if (g_pApp)
            g_pApp->ShowMessage("", 0);
    }
    return Run(target);
}

int CScreenOperation::Run(CZelkView* target)
{
    if (target != view || !target) {
        Reset();
        return 0;
    }
    if (state == 1) {
        target->LayGestureTooltips(0);
        return 0;
    }
    target->ActivateGestureTips(FALSE);
    if (state != 3)
        return 0;
    CZelkDoc* doc = target->m_document;
    if (doc)
        doc->m_previewKind = 0;
    if (gesture == 3) {
        if (g_pApp)
            g_pApp->ShowMessage("", 0);
        target->DragScreen(firstPoint, secondPoint);
        if (g_pApp)
            g_pApp->m_lastStatus = 18;
        Reset();
        return 2;
    }
    const double zoom = target->m_zoom;
    const double dx = std::fabs(secondPoint.m_x - firstPoint.m_x) * zoom;
    const double dy = std::fabs(secondPoint.m_y - firstPoint.m_y) * zoom;
    if (dx == 0 || dy == 0)
        return 0;
    const RECT& c = target->m_clientRectLogical;
    const double w = c.right - c.left;
    const double h = std::fabs(static_cast<double>(c.bottom - c.top));
    const double r = h / dy <= w / dx ? h / dy : w / dx;
    if (r == 0)
        return 0;
    const double newZoom = gesture == 1 ? zoom * r : zoom / r;
    // The centre is stored only once the zoom is known to be accepted, so that a refused zoom
    // leaves the view as it was.
    const CPointD oldCentre = target->m_centre;
    target->m_centre.Init((firstPoint.m_x + secondPoint.m_x) / 2, (firstPoint.m_y + secondPoint.m_y) / 2);
    CPointD origin;
    if (target->ComputeOriginForZoom(origin, newZoom, 3)) {
        target->EraseDragSketch();
        target->SetOrigin(origin, 1);
        target->SetZoom(newZoom, 1);
        target->CenterScrollPosition();
        target->UpdateScrollSizes();
        if (!(g_pApp && !g_pApp->m_specialRepeat && g_pApp->m_interruptMode == 35)) {
            target->InvalidateWorldRect(nullptr);
            target->SendPaint();
        }
        target->RebuildGroupSketch();
    } else {
        target->m_centre = oldCentre;
    }
    Reset();
    CString text = CString("図形拡大率 ") + MessageNumber(target->m_zoom) + " 画面幅 " + MessageNumber(w / target->m_zoom) + "mm";
    if (g_pApp && g_pApp->m_specialRepeat)
        text += " 画面操作継続モードです";
    target->ShowMessageLine(text);
    target->ActivateGestureTips(FALSE);
    return 1;
}
