// Every change of the command kind, the interrupting mode and the special mode: what the old
// state left behind is reset, the new one set and announced, then performed or explained.
#include "app/ZelkApp.h"

#include <cmath>

#include "app/InputComboBox.h"
#include "app/InputToolBar.h"
#include "app/MainFrame.h"
#include "app/TrainingState.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupDeleteMode.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/PickList.h"
#include "input/PointSearch.h"
#include "input/ScreenOperation.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

namespace {

constexpr short kIdleCommandKind = 1000;
constexpr UINT kUserAppPollTimer = 3;

const char* const kMsgScreenOperationOff = "画面操作コマンドを解除しました";
const char* const kMsgCrossPointOff = "２要素交点コマンドを解除しました";
const char* const kMsgTrainingRefuses = "このトレーニングノートの中ではコマンドの切り替えはできません";
const char* const kMsgMultiCommand =
    "  マルチコマンドモード : ポップアップメニュー表示は Mキー or [設定][ポップアップメニューを表示しない] のチェックを外す";
const char* const kMsgPopupMode = "  ポップアップメニューモード : マルチコマンドモードは [設定][ポップアップメニューを表示しない] をチェック";

bool LayerShownIn(const CZelkView* view, int layer)
{
    return layer >= view->m_layerStates.GetSize() || !(view->m_layerStates[layer] & 1);
}

// Whether a drawing text is visible to the user in the view: every layer while all layers show.
bool TextShownIn(const CZelkView* view, int layer)
{
    return !view || view->m_showAllLayers || LayerShownIn(view, layer);
}

// A command that starts with its popup menu first takes the mode it offers by default.
struct CPopupStart {
    short kind;
    int CAppCommand::*flag;
    const char* pattern;
};

const CPopupStart kPopupStarts[] = {
    {1, &CAppCommand::m_pointFlag, "P"},  {2, &CAppCommand::m_lineFlag, "SE"},
    {3, &CAppCommand::m_circleFlag, "PP"}, {4, &CAppCommand::m_arcFlag, "PP"},
    {7, &CAppCommand::m_textFlag, "P"},   {10, &CAppCommand::m_dimFlag, "APPP"},
    {12, &CAppCommand::m_loopFlag, "OAP"},
};

CString* MainModePattern(CZelkDoc* doc, short kind)
{
    switch (kind) {
    case 1: return &doc->m_pointCmd->m_modePattern;
    case 2: return &doc->m_lineCmd->m_modePattern;
    case 3:
    case 4: return &doc->m_circleCmd->m_modePattern;
    case 7: return &doc->m_textCmd->m_modePattern;
    case 10: return &doc->m_dimCmd->m_modePattern;
    default: return &doc->m_loopCmd->m_modePattern;
    }
}

// FALSE when the command's popup flag is off.
bool PrepareCommandPopup(CZelkApp& app, CZelkDoc* doc, short kind)
{
    for (const CPopupStart& p : kPopupStarts) {
        if (p.kind != kind)
            continue;
        if (!(app.m_appCommand.*p.flag))
            return false;
        *MainModePattern(doc, kind) = p.pattern;
        if (kind == 7 && app.m_inputBar)
            app.m_inputBar->SelectList(2, 0, 0);
        return true;
    }
    return false;
}

CString LayerName(const CZelkDoc* doc, int layer)
{
    const CLayer* l = doc->GetLayer(layer);
    return l ? l->m_name : CString();
}

CString Number(double value, int digits)
{
    RoundToSignificant(value, digits);
    return DoubleToString(value);
}

template <class Each>
void ForEachDrawing(CMultiDocTemplate* docTemplate, Each each)
{
    if (!docTemplate)
        return;
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;)
        if (auto* d = dynamic_cast<CZelkDoc*>(docTemplate->GetNextDoc(pos)))
            each(d);
}

} // namespace

// The screen operation (53) and the two-element intersection (70) each go off, on, continuous
// and off again when they are asked for repeatedly; the mode to set is returned.
short CZelkApp::ToggleSpecialMode(short mode)
{
    std::int32_t& s = m_lastStatus;
    std::int32_t& r = m_specialRepeat;
    if (mode == 53) {
        if (s == 9) {
            if (!r) {
                r = 1;
                return 53;
            }
            s = 0;
            r = 0;
            ShowMessage(kMsgScreenOperationOff, 0);
            return 0;
        }
        if (r) {
            r = 0;
            ShowMessage(kMsgScreenOperationOff, 0);
            return 0;
        }
        s = 9;
        return 53;
    }
    if (mode == 70) {
        if (s == 12) {
            if (!r) {
                r = 1;
                return 70;
            }
            r = 0;
            ShowMessage(kMsgCrossPointOff, 0);
            return 0;
        }
        if (r) {
            s = 0;
            r = 0;
            ShowMessage(kMsgCrossPointOff, 0);
            return 0;
        }
        s = 12;
        r = 0;
        return 70;
    }
    if (mode != 0)
        s = 7;
    return mode;
}

// Leaving the reference-layer mode for an interrupting mode: the write layer must stay visible.
void CZelkApp::CheckWriteLayerShown(CZelkDoc* doc, CZelkView* view)
{
    if (!view || view->m_showAllLayers)
        return;
    view->InvalidateWorldRect(nullptr);
    view->SendPaint();
    if (LayerShownIn(view, doc->m_writeLayer)) {
        ShowMessageParts("書き込みレイヤは ", LayerName(doc, doc->m_writeLayer), " です。", "", "", 1);
        return;
    }
    for (int i = 0; i < doc->m_layers.GetSize(); ++i)
        if (LayerShownIn(view, i)) {
            doc->m_writeLayer = static_cast<std::int16_t>(i);
            ShowMessageParts(LayerName(doc, i), " を書き込みレイヤとしました", "", "", "", 1);
            return;
        }
    const std::int16_t layer = doc->GetLayerIndex("");
    doc->m_writeLayer = layer;
    ShowMessageParts("未使用または新レイヤ No.", CString(std::to_string(layer).c_str()), "(" + LayerName(doc, layer),
                     ") を書き込みレイヤとしました", "", 1);
}

void CZelkApp::SwitchMode(CZelkDoc* doc, CZelkView* view, short selector, short mode, int macro)
{
    if (selector == 3)
        mode = ToggleSpecialMode(mode);
    else if (selector == 1 || selector == 2)
        m_lastStatus = 7;

    bool fromReferenceLayers = false;
    if (m_interruptMode == 35 && (selector == 1 || selector == 2)) {
        m_interruptMode = 0;
        fromReferenceLayers = true;
        if (selector == 2 && doc) {
            CheckWriteLayerShown(doc, view);
            m_interruptMode = mode;
            m_specialMode = 0;
            EnterSwitchedMode(doc, view);
            return;
        }
    }

    switch (selector) {
    case 1:
        if (!SwitchCommandKind(doc, view, mode, macro, fromReferenceLayers))
            return;
        break;
    case 2:
        m_interruptMode = mode;
        m_specialMode = 0;
        break;
    case 3:
        // Leaving the screen operation ends the gesture it was collecting.
        if (m_specialMode == 53 && mode != 53 && m_screenOperation)
            m_screenOperation->Reset();
        m_specialMode = mode;
        break;
    default:
        return;
    }
    EnterSwitchedMode(doc, view);
}

// A new command kind; FALSE when a training note refuses it.
BOOL CZelkApp::SwitchCommandKind(CZelkDoc* doc, CZelkView* view, short kind, int macro, bool keepState)
{
    if (!keepState) {
        if (m_trainingState && m_trainingState->m_active && kind != m_commandKind) {
            ShowMessage(kMsgTrainingRefuses, 1);
            return FALSE;
        }
        m_savedCreationEnv = m_appElem.m_creationEnv;
        ClearOtherSelections(kind == kIdleCommandKind ? doc : nullptr);
        m_savedLayerCondition = m_appElem.m_layerCondition;
        ResetSelectionState();
        switch (m_savedLayerCondition) {
        case 0: SetLayerCondCurrent(); break;
        case 1: SetLayerCondSame(); break;
        default: SetLayerCondNew(); break;
        }
        if (doc)
            ResetAfterCommandSwitch(doc, kind);
    }
    if (kind == kIdleCommandKind)
        kind = 2;
    m_interruptMode = 0;
    m_specialMode = 0;
    m_commandKind = kind;
    m_lengthInputMain = 0;
    if (view && !macro && view->m_document && PrepareCommandPopup(*this, view->m_document, kind))
        view->ShowCommandPopupMenu(kind, 0, 1);

    ForEachDrawing(m_pDocTemplate, [&](CZelkDoc* d) {
        if (d->m_circleCmd)
            d->m_circleCmd->m_circleFlag = kind == 3 ? 1 : 0;
    });
    if (m_pMainFrame) {
        CColorComboBox& colors = m_pMainFrame->m_wndInputBar.m_colorBox;
        const int index = colors.FindColor(m_appElem.m_color);
        if (index >= 0 && colors.m_hWnd)
            colors.SetCurSel(index);
    }
    ForEachDrawing(m_pDocTemplate, [&](CZelkDoc* d) {
        if (!macro)
            CommitOperation(d, 1);
        if (kind == 3 || kind == 4)
            d->m_circleCmd->ShowGuidance();
        else if (kind == 2)
            d->m_lineCmd->ShowGuidance();
        else if (kind == 1)
            d->m_pointCmd->ShowGuidance();
        else if (kind == 7)
            d->m_textCmd->ShowGuidance();
        else if (kind == 10)
            d->m_dimCmd->ShowGuidance();
        else if (CGuidanceOwner* main = MainCommandOf(d, kind))
            main->ShowGuidance();
    });
    if (!m_appCommand.m_textFlag && m_inputBar) {
        if (kind == 7) {
            m_inputBar->StartTextInput();
            if (m_pMainFrame && m_pMainFrame->m_wndInputBar.m_inputBox.m_hWnd)
                m_pMainFrame->m_wndInputBar.m_inputBox.ShowDropDown(TRUE);
        } else {
            m_inputBar->SelectList(1, 1, 0);
        }
    }
    if (kind == 1 || kind == 2 || kind == 3 || kind == 4 || kind == 7 || kind == 10 || kind == 11 || kind == 12 ||
        kind == 21) {
        ShowMessage(FormatScaleText(GetActiveDrawingDoc()), 0);
        if (m_activeView) {
            m_activeView->AppendMessageLine(CString(" 画面幅 ") + m_activeView->ClientWidthText() + "mm");
            if (m_showModeBanner == 1) {
                m_showModeBanner = 0;
                m_activeView->AppendMessageLine(m_noPopupMenu ? kMsgMultiCommand : kMsgPopupMode);
            }
        }
    }
    return TRUE;
}

// What a command switch resets: the interrupting command, the screen operation, the user
// applications' polling, transform mode, previews, the point search and every command object.
void CZelkApp::ResetAfterCommandSwitch(CZelkDoc* doc, int kind)
{
    EndInterruptCommand(doc);
    if (m_screenOperation)
        m_screenOperation->Reset();
    // The polling of user applications belongs to their command: a switch to it keeps the
    // polling its start has just begun, and so does a drawing's own return to idle (a new
    // drawing shown while a user application runs).
    if (m_pMainFrame && kind != 9 && kind != kIdleCommandKind)
        m_pMainFrame->StopTimer(kUserAppPollTimer);
    EndTransformMode();
    RedrawAllPreviews();
    if (doc->m_pointSearch) {
        doc->m_pointSearch->EraseMarker();
        doc->m_pointSearch->Reset();
    }
    for (CPointCommand* c : {doc->m_pointCmdInt, doc->m_pointCmd})
        if (c)
            c->Reset();
    for (CLineCommand* c : {doc->m_lineCmdInt, doc->m_lineCmd})
        if (c)
            c->Reset();
    for (CCircleCommand* c : {doc->m_circleCmdInt, doc->m_circleCmd})
        if (c)
            c->Reset();
    for (CTextCommand* c : {doc->m_textCmdInt, doc->m_textCmd})
        if (c)
            c->Reset();
    for (CDimCommand* c : {doc->m_dimCmdInt, doc->m_dimCmd})
        if (c)
            c->Reset();
    if (doc->m_loopCmd)
        doc->m_loopCmd->Reset();
    if (doc->m_groupDeleteMode)
        doc->m_groupDeleteMode->Reset();
    // A text being typed when an undo or redo interrupted it keeps its box in the preview; the
    // command's Enter comes with its input handling.
    if ((m_interruptMode == 31 || m_interruptMode == 32) && m_commandKind == 7)
        CopyTextBoxPreview(doc);
}

CGuidanceOwner* CZelkApp::MainCommandOf(CZelkDoc* doc, int kind)
{
    switch (kind) {
    case 12: return doc->m_loopCmd;
    default: return nullptr;
    }
}

void CZelkApp::EnterSwitchedMode(CZelkDoc* doc, CZelkView* view)
{
    switch (m_specialMode) {
    case 53:
        if (m_specialRepeat)
            ShowMessage("画面連続操作モードです", 0);
        else
            ShowHint("[画面操作] 右ボタンドラッグ右上で拡大、左下で前画面、など７つの操作ができます。");
        return;
    case 66:
    case 67:
        OpenZoomWindowAtCursor(doc, view);
        return;
    case 70:
        ShowMessage(m_specialRepeat ? "２要素交点連続操作モードです" : "２要素交点モードです", 0);
        return;
    default:
        break;
    }
    if (!doc)
        return;
    const int digits = m_appAcc.messageDigits();
    switch (m_interruptMode) {
    case 31:
    case 32:
        if (m_interruptMode == 31)
            doc->m_undoHistory->Undo();
        else
            doc->m_undoHistory->Redo();
        SwitchMode(doc, view, 2, 0, 0);
        break;
    case 33:
    case 34: {
        if (view)
            view->EndSingleLayerView();
        OfferLayerList(doc);
        const int n = doc->m_writeLayer;
        if (m_interruptMode == 34)
            PrefillLayerRename(LayerName(doc, n));
        else if (m_inputBar)
            m_inputBar->SelectList(7, 1, 1);
        ShowMessage(CString(m_interruptMode == 33 ? "書き込みレイヤ設定モード ･･･ " : "書き込みレイヤ改名モード ･･･ ") +
                        " 現レイヤは No." + CString(std::to_string(n).c_str()) + "(" + LayerName(doc, n) + ") です",
                    0);
        break;
    }
    case 35:
        if (view) {
            view->EndSingleLayerView();
            view->m_showAllLayers = 0;
            view->InvalidateWorldRect(nullptr);
            view->SendPaint();
        }
        OfferLayerList(doc);
        if (m_inputBar)
            m_inputBar->SelectList(7, 0, 1);
        ShowMessage("参照レイヤ設定モードです", 0);
        break;
    case 36:
        if (doc->m_groupProcessing)
            TakeBoxSelectedTexts(doc, view);
        doc->UpdateAndPaintAllViews();
        doc->m_groupProcessing = 0;
        ShowMessage("文字列解析モードです", 0);
        break;
    case 37:
        ShowMessage(CString("相対座標設定モードです。現在の相対原点は(") + Number(doc->m_relOrigin.m_x, digits) + "," +
                        Number(doc->m_relOrigin.m_y, digits) + ")" + Number(doc->m_relAngle, digits) + "度。",
                    0);
        break;
    case 38:
        ShowMessage("起点入力モードです", 0);
        break;
    case 39:
        ShowMessage("拘束点入力モードです", 0);
        break;
    default:
        break;
    }
}

// The layer modes offer the drawing's layers in the input box, which keeps that list while the
// focus moves back to the drawing.
void CZelkApp::OfferLayerList(CZelkDoc* doc)
{
    if (!m_inputBar)
        return;
    m_inputBar->FillLayerList(doc);
    if (m_pMainFrame)
        m_pMainFrame->m_wndInputBar.m_inputBox.m_keepList = 1;
}

// The texts a box selection holds become the texts the interpretation runs, each marked as
// taken; texts on layers the view hides stay out.
void CZelkApp::TakeBoxSelectedTexts(CZelkDoc* doc, CZelkView* view)
{
    if (!doc->m_pickList)
        return;
    for (int b = 0; b < doc->m_textBlocks.GetSize(); ++b) {
        CTexts* block = doc->TextBlockAt(b);
        if (!block)
            continue;
        for (int s = 0; s < block->m_count; ++s) {
            CText& t = block->m_slots[s];
            if (!(t.m_state & 3) || !(t.m_mark & 2) || !TextShownIn(view, t.m_layer))
                continue;
            doc->m_pickList->AddTextCandidate(static_cast<std::int16_t>(b), static_cast<std::int16_t>(s));
            t.m_mark = 0x88;
        }
    }
}

// A zoom window about the pointer: the view's cursor in logical units is the point it enlarges.
void CZelkApp::OpenZoomWindowAtCursor(CZelkDoc* doc, CZelkView* view)
{
    if (view) {
        const CPointD at = view->m_cursorWorldPoint.WorldToScreen(view->m_origin, view->m_zoom);
        view->m_pressLogicalPoint.Init(std::trunc(at.m_x), std::trunc(at.m_y));
    }
    SwitchMode(doc, view, 3, 0, 0);
    // The view may be closed by the opening (a zoom window replaced): nothing of it after this.
    if (view)
        view->OpenZoomWindow();
}

// Renaming the write layer: the input box holds the rename line up to the new name, which the
// user types at its end.
void CZelkApp::PrefillLayerRename(const CString& name)
{
    if (!m_pMainFrame)
        return;
    const CString line = "rn," + name + ",";
    m_pMainFrame->m_wndInputBar.m_boxText = line;
    CInputComboBox& box = m_pMainFrame->m_wndInputBar.m_inputBox;
    if (!box.GetSafeHwnd())
        return;
    box.SetWindowText(line);
    box.SetFocus();
    box.SetEditSel(line.GetLength(), line.GetLength());
}
