// The dispatcher's buttons: the left release selects (measures, picks for a mode, for the Ctrl
// pick or for the current command), the right press gives snapped points and the right release
// turns a drag into an angle. And the pick and point services they use.
#include <algorithm>
#include <cmath>

#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupDeleteMode.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "geometry/Angles.h"
#include "geometry/FoundPoint.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/LayerOps.h"
#include "input/PickList.h"
#include "input/PointSearch.h"
#include "input/ScreenOperation.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

bool Down(int key)
{
    return GetKeyState(key) < 0;
}

// Selection conditions replaced for one pick and put back when it ends.
class CFindOverride {
public:
    CFindOverride(CAppFind& find, int kinds, int groupMode, int annotationMode)
        : m_find(find), m_kinds(find.selectableKinds), m_group(find.groupSelectMode),
          m_annotation(find.annotationGroupSelectMode)
    {
        if (kinds >= 0)
            find.selectableKinds = static_cast<short>(kinds);
        if (groupMode >= 0)
            find.groupSelectMode = static_cast<short>(groupMode);
        if (annotationMode >= 0)
            find.annotationGroupSelectMode = static_cast<short>(annotationMode);
    }
    ~CFindOverride()
    {
        m_find.selectableKinds = m_kinds;
        m_find.groupSelectMode = m_group;
        m_find.annotationGroupSelectMode = m_annotation;
    }
    CFindOverride(const CFindOverride&) = delete;
    CFindOverride& operator=(const CFindOverride&) = delete;

private:
    CAppFind& m_find;
    short m_kinds, m_group, m_annotation;
};

// The pick list's mark bits for a while.
class CMaskOverride {
public:
    CMaskOverride(CPickList& list, int mask) : m_list(list), m_mask(list.markMask) { list.markMask = mask; }
    ~CMaskOverride() { m_list.markMask = m_mask; }
    CMaskOverride(const CMaskOverride&) = delete;
    CMaskOverride& operator=(const CMaskOverride&) = delete;

private:
    CPickList& m_list;
    int m_mask;
};

// The input bar's lists that wait for a pick, and the status of the color box that does.
constexpr int kTextList = 2;
constexpr int kFontList = 3;
constexpr int kListingList = 8;
constexpr int kLineTypeList = 9;
constexpr int kColorPickStatus = 16;
// Lines, circles, arcs and texts: what group processing picks one by one.
constexpr int kGroupPickKinds = ELEM_LINE | ELEM_CIRCLE | ELEM_ARC | ELEM_TEXT;

bool IsPointCommandKind(int kind, bool withText)
{
    return kind == 1 || kind == 2 || kind == 3 || kind == 4 || (withText && kind == 7);
}

}  // namespace

BOOL CZelkApp::PickAtCursor(CZelkDoc* doc, CZelkView* view, int markType, int marking)
{
    CPickList& list = *doc->m_pickList;
    list.previousMask = list.markMask;
    int pickMode = 3;
    if (marking) {
        list.markMask = markType == 2 ? 8 : markType == 3 ? 16 : MARK_SELECTED;
        ClearSelectionMarks(doc, list.markMask);
        pickMode = 1;
    }
    // A click finds what lies in or crosses the square about the cursor.
    const int n = view->PickElementsInRect(view->m_pickRect, pickMode, 2);
    if (markType == 2 || markType == 3)
        list.markMask = MARK_SELECTED;
    m_appFind.pickCount = n;
    if (n <= 0)
        return FALSE;
    m_lastStatus = 5;
    return TRUE;
}

BOOL CZelkApp::PickByDragBox(CZelkDoc* doc, CZelkView* view, int markType)
{
    const CPointD a = m_leftPressPoint.WorldToScreen(view->m_origin, view->m_zoom);
    const CPointD b = m_leftReleasePoint.WorldToScreen(view->m_origin, view->m_zoom);
    const double threshold = m_appFind.gestureZoneSize;
    if (std::max(std::fabs(a.m_x - b.m_x), std::fabs(a.m_y - b.m_y)) <= threshold)
        return PickAtCursor(doc, view, markType, 1);
    CRectD window;
    window.Init(std::min(a.m_x, b.m_x), std::max(a.m_y, b.m_y), std::max(a.m_x, b.m_x), std::min(a.m_y, b.m_y));
    return view->PickElements(window, 2, m_appFind.boxSelectionMode) > 0;
}

BOOL CZelkApp::FindPointAtCursor(CZelkDoc* doc, CZelkView* view, CPointD& point)
{
    CPointSearch& search = *doc->m_pointSearch;
    search.EraseMarker();
    search.Reset();
    {
        CFindOverride conditions(m_appFind, 830, 2, 2);
        search.Search(view, m_rightPressPoint);
    }
    const CFoundPoint* found = search.GetCurrent();
    if (found == nullptr)
        return FALSE;
    point = found->m_point;
    return TRUE;
}

bool CZelkApp::ScreenGestureOpen() const
{
    return m_specialMode != 53 && m_screenOperation && m_screenOperation->IsInOperation();
}

void CZelkApp::OnLeftButtonUpCode(CZelkDoc* doc, CZelkView* view)
{
    const bool shift = Down(VK_SHIFT), ctrl = Down(VK_CONTROL);
    CPickList& list = *doc->m_pickList;
    CInputEvent& input = *doc->m_inputEvent;
    // A gesture the press began in a screen operation is left for its release below.
    const bool screenGesture = shift && !ctrl;
    if (m_specialMode != 53 && !screenGesture && m_screenOperation && !m_screenOperation->IsInOperation())
        m_screenOperation->Reset();
    if ((shift && ctrl) || m_interruptMode == 40) {
        BOOL picked;
        {
            CFindOverride members(m_appFind, -1, 2, -1);
            picked = PickAtCursor(doc, view, 2, 1);
        }
        if (picked) {
            CMaskOverride mask(list, 8);
            list.Cycle(0);
            m_atrReference.TakeFromPickedElement(doc);
            if (m_appElem.m_creationEnv == 2) {
                m_atrReference.ApplyPen();
                m_atrReference.ApplyText();
                UpdateTextBoxes(doc);
            }
            list.ReferenceCurrent(0);
            m_lastStatus = 13;
            list.ClearMarks(8);
            doc->RedrawChangedElements(1);
        }
        if (m_interruptMode == 40)
            SwitchMode(doc, m_activeView, 2, 0, 0);
        return;
    }
    if (m_interruptMode >= 41 && m_interruptMode <= 45) {
        SelectSameAttribute(doc, view);
        return;
    }
    if (shift || ScreenGestureOpen()) {
        OnScreenOperationInput(doc, view, view->m_leftDragged, m_leftPressPoint, &m_leftReleasePoint);
        return;
    }
    if (ctrl) {
        if (PickAtCursor(doc, view, 1, 1)) {
            m_lastStatus = 14;
            ShowMessage("CTRL要素を選択", 0);
            input.PostPick(20);
        }
        return;
    }
    if (m_specialMode == 53) {
        ModeInput(doc, view, 2);
        return;
    }
    if (m_specialMode == 70) {
        if (PickAtCursor(doc, view, 2, 1))
            ModeInput(doc, view, 2);
        return;
    }
    switch (m_interruptMode) {
    case 33:
    case 34: {
        BOOL picked;
        {
            CFindOverride conditions(m_appFind, 830, 2, 2);
            picked = PickAtCursor(doc, view, 3, 1);
        }
        if (picked) {
            CMaskOverride mask(list, 8);
            input.PostPick(19);
        }
        SwitchMode(doc, view, 2, 0, 0);
        return;
    }
    case 35:
        if (PickByDragBox(doc, view, 3)) {
            list.markMask = 16;
            if (m_layerOps)
                m_layerOps->ToggleLayersOfPicked(doc, view);
        }
        return;
    case 36: {
        CFindOverride texts(m_appFind, ELEM_TEXT, -1, -1);
        PickByDragBox(doc, view, 2);
        return;
    }
    case 37: {
        BOOL picked;
        {
            CFindOverride linesAndTexts(m_appFind, ELEM_LINE | ELEM_TEXT, -1, -1);
            picked = PickAtCursor(doc, view, 1, 0);
        }
        if (picked)
            ModeInput(doc, view, 2);
        return;
    }
    default:
        break;
    }
    if (m_deleteKeyDown) {
        PickAtCursor(doc, view, 1, 1);
        doc->m_groupDeleteMode->DeleteDesignated();
        return;
    }
    if (PickForGroupProcessing(doc, view))
        return;
    if (view->m_oleDragMode >= 1 && view->m_oleDragMode <= 3) {
        CFindOverride objects(m_appFind, ELEM_OBJECT, -1, -1);
        PickAtCursor(doc, view, 1, 1);
        return;
    }
    const int status = m_lastStatus;
    PickByDragBox(doc, view, 1);
    if (doc->m_groupProcessing)
        return;
    if (m_lastStatus == 5) {
        TakePickedElementAttributes(doc);
        if (!ApplyPickToInputBar(doc, status))
            input.PostPick(19);
        return;
    }
    if (m_commandKind == 21)
        input.PostPick(21);
    else if (m_commandKind == 9)
        input.PostPick(status == 6 ? 21 : 19);
    else if (!(view->m_oleDragMode >= 1 && view->m_oleDragMode <= 3))
        StartBoxSelection(doc, view, 1);
}

void CZelkApp::OnRightButtonDownCode(CZelkDoc* doc, CZelkView* view)
{
    const bool shift = Down(VK_SHIFT), ctrl = Down(VK_CONTROL);
    CPointD point;
    if ((shift && ctrl) || m_interruptMode == 40) {
        m_rightPressPoint = view->m_cursorWorldPoint;
        if (FindPointAtCursor(doc, view, point)) {
            if (m_inputBar) {
                // The point is listed and becomes the reference the next listing measures from.
                CHistoryList& listing = m_inputBar->GetList(kListingList);
                listing.ListPointMeasurement(doc, &point);
                listing.m_prevElem.Init(-1, -1, 0, 1, 0);
                listing.m_prevPoint = point;
                m_inputBar->StartListingDisplay();
            }
            ShowMessage("点の位置を測定しました。", 0);
            m_lastStatus = 13;
        }
        if (m_interruptMode == 40)
            SwitchMode(doc, m_activeView, 2, 0, 0);
        return;
    }
    if (shift || ScreenGestureOpen()) {
        OnScreenOperationInput(doc, view, view->m_rightDragged, m_rightPressPoint, nullptr);
        return;
    }
    if (m_specialMode != 53 && m_screenOperation)
        m_screenOperation->Reset();
    if (m_specialMode == 53) {
        ModeInput(doc, view, 3);
        return;
    }
    int subCode = -1;
    if (m_interruptMode == 37 || m_interruptMode == 38)
        subCode = 0;
    else if (m_interruptMode == 39)
        subCode = 16;
    else if (m_interruptMode >= 33 && m_interruptMode <= 35)
        return;
    if (subCode < 0) {
        if (m_groupProcessing || doc->m_groupProcessing) {
            ShowMessage("", 0);
            return;
        }
        if (IsPointCommandKind(m_interruptKind, true)) {
            // An arc edit takes a plain point only while the circle command waits for more.
            if (m_interruptKind == 4 && !ctrl && !CircleTokensOpen(doc))
                return;
            subCode = ctrl ? 18 : 16;
        } else if (IsPointCommandKind(m_commandKind, true) || m_commandKind == 10 || m_commandKind == 12) {
            subCode = ctrl && m_commandKind != 7 ? 18 : 16;
        } else {
            return;
        }
    }
    if (FindPointAtCursor(doc, view, point))
        doc->m_inputEvent->PostPoint(point, subCode);
}

void CZelkApp::OnRightButtonUpCode(CZelkDoc* doc, CZelkView* view)
{
    const bool ctrl = Down(VK_CONTROL);
    if (Down(VK_SHIFT) || ScreenGestureOpen()) {
        OnScreenOperationInput(doc, view, view->m_rightDragged, m_rightPressPoint, &m_rightReleasePoint);
        return;
    }
    if (m_specialMode != 53 && m_screenOperation)
        m_screenOperation->Reset();
    if (!m_rightButtonDown)
        return;
    CInputEvent& input = *doc->m_inputEvent;
    const bool dragged = view->m_rightDragged != 0;
    double length = 0;
    const double rotation = doc->m_relAngle;
    const double angle = SnapAngle15DegLen(m_rightPressPoint, m_rightReleasePoint, rotation, length);
    auto postAngle = [&] { input.PostValue(angle - rotation, 15); };
    const bool hasLength = !NearlyEqual(length, 0.0);
    CPointD point;
    if (m_specialMode == 53) {
        ModeInput(doc, view, 4);
    } else if (m_interruptMode == 38 || m_interruptMode == 39) {
        SwitchMode(doc, m_activeView, 2, 0, 0);
    } else if (m_interruptMode == 37) {
        if (dragged)
            input.PostValue(angle, 11);
        SwitchMode(doc, m_activeView, 2, 0, 0);
    } else if (m_interruptMode >= 33 && m_interruptMode <= 35) {
        // nothing
    } else if (m_groupProcessing || doc->m_groupProcessing) {
        if (dragged)
            postAngle();
        else if (FindPointAtCursor(doc, view, point))
            input.PostPoint(point, ctrl ? 18 : 0);
        else if (!m_groupProcessing)
            input.PostPoint(CPointD(), 0);
    } else if (m_interruptKind >= 1 && m_interruptKind <= 4) {
        if (dragged) {
            if (hasLength && m_interruptKind == 2)
                doc->m_lineCmd->m_dragLength = length;
            postAngle();
        } else if (m_interruptKind == 4 && !ctrl && !CircleTokensOpen(doc) && FindPointAtCursor(doc, view, point)) {
            input.PostPoint(point, 16);
        }
    } else if (m_interruptKind == 7) {
        if (dragged) {
            if (hasLength)
                doc->m_textCmd->m_dragLength = length;
            postAngle();
        }
    } else if (m_interruptKind == 10) {
        if (dragged) {
            if (hasLength)
                doc->m_dimCmd->m_dragLength = length;
            postAngle();
        } else if (FindPointAtCursor(doc, view, point)) {
            input.PostPoint(point, 0);
        }
    } else if (IsPointCommandKind(m_commandKind, true) || m_commandKind == 10 || m_commandKind == 12) {
        CLineCommand& line = *doc->m_lineCmd;
        if (dragged) {
            if (m_noPopupMenu) {
                if (const CFoundPoint* found = doc->m_pointSearch->GetCurrent())
                    doc->SetBasePoint(found->m_point, doc->WorldToRelative(found->m_point));
            } else if (m_commandKind == 2 && line.m_modePattern == "SE") {
                line.m_modePattern = "PAPP";
            }
            if (hasLength && m_commandKind == 2)
                line.m_dragLength = length;
            postAngle();
            if (m_commandKind == 10)
                OnDimensionDrag(doc, view, hasLength, length, angle - rotation);
        } else if (m_commandKind == 2 && line.m_modePattern == "PAPP" && line.m_tokenString == "P") {
            line.m_modePattern = "SE";
        }
    } else if (m_commandKind == 9) {
        if (dragged)
            postAngle();
        else if (FindPointAtCursor(doc, view, point))
            input.PostPoint(point, ctrl ? 18 : 0);
    }
    m_rightButtonDown = 0;
}

BOOL CZelkApp::PickForGroupProcessing(CZelkDoc* doc, CZelkView* view)
{
    const CString tokens = m_groupProcessor ? m_groupProcessor->m_tokenString : CString();
    const bool boxOpen = doc->m_groupProcessing != 0;
    if (m_groupProcessing || (boxOpen && (tokens == "Z" || tokens == "ZL"))) {
        if (StartBoxSelection(doc, view, 0)) {
            PickByDragBox(doc, view, 1);
            return TRUE;
        }
        BOOL picked;
        {
            CFindOverride drawn(m_appFind, kGroupPickKinds, -1, -1);
            picked = PickAtCursor(doc, view, 1, 0);
        }
        if (picked)
            doc->m_inputEvent->PostPick(19);
        else
            WarnSelectionRestricted();
        return TRUE;
    }
    if (boxOpen && (tokens == "A" || tokens == "AP" || tokens == "APP")) {
        BOOL picked;
        {
            CFindOverride members(m_appFind, kGroupPickKinds, 2, 2);
            picked = PickAtCursor(doc, view, 1, 0);
        }
        if (picked)
            doc->m_inputEvent->PostPick(19);
        return TRUE;
    }
    return FALSE;
}

BOOL CZelkApp::ApplyPickToInputBar(CZelkDoc* doc, int previousStatus)
{
    if (m_inputBar) {
        CInputBar& bar = *m_inputBar;
        if (bar.m_focusLeftList == kLineTypeList && !bar.GetList(kLineTypeList).m_touched) {
            TakeLineTypeFromPick(doc);
            bar.SelectList(1, 1, 0);
            return TRUE;
        }
        if (bar.m_currentList == kFontList && !bar.GetList(kFontList).m_touched) {
            TakeFontFromPick(doc);
            bar.SelectList(1, 1, 0);
            return TRUE;
        }
        // A text being entered keeps its list; the pick goes to the command.
        if (bar.m_currentList == kTextList && !bar.GetList(kTextList).m_touched)
            return FALSE;
    }
    if (previousStatus == kColorPickStatus) {
        TakeColorFromPick(doc);
        return TRUE;
    }
    return FALSE;
}

BOOL CZelkApp::CircleTokensOpen(CZelkDoc* doc) const
{
    int single = 0, complete = 0;
    return doc->m_circleCmd->ClassifyTokens(single, complete) != 0 ? TRUE : FALSE;
}

void CZelkApp::OnDimensionDrag(CZelkDoc* doc, CZelkView* view, bool hasLength, double length, double angle)
{
    // The leader patterns take a point where the drag ended and the angle once more.
    CDimCommand& dim = *doc->m_dimCmd;
    if (hasLength)
        dim.m_dragLength = length;
    CPointD point;
    if ((dim.m_tokenString == "T" || dim.m_tokenString == "TP") && FindPointAtCursor(doc, view, point))
        doc->m_inputEvent->PostPoint(point, 0);
    doc->m_inputEvent->PostValue(angle, 15);
}

void CZelkApp::SelectSameAttribute(CZelkDoc* doc, CZelkView* view)
{
    if (PickAtCursor(doc, view, 1, 0)) {
        const int n = doc->m_pickList->SelectSameAsCurrent();
        if (n >= 0) {
            CString count;
            count.Format("%d", n);
            if (!doc->m_groupProcessing) {
                doc->m_groupProcessing = 1;
                doc->m_deformMode = 0;
                if (m_groupProcessor) {
                    m_groupProcessor->Reset(0);
                    m_groupProcessor->m_document = doc;
                }
                ShowMessage("指定要素と同じ属性の要素 " + count + " 個を選択し、群処理モードに入りました", 0);
            } else {
                ShowMessage("指定要素と同じ属性の要素 " + count + " 個を選択しました", 0);
            }
            doc->RedrawChangedElements(1);
        }
    }
    SwitchMode(doc, m_activeView, 2, 0, 0);
}
