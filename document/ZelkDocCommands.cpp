// The commands a drawing answers itself, for the drawing whose window is active: the template
// lists of the input box, the latest box selection, the interval constraint, the pointer marks;
// and closing a drawing, which a pending save or a training holds back.
#include "document/ZelkDoc.h"

#include <vector>

#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "app/ProgramFilesWarningDialog.h"
#include "app/StartupGuideDialog.h"
#include "app/TrainingState.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/line/LineCommand.h"
#include "document/DocEnvironment.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/PickList.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

namespace {

constexpr int kModeAttributeCommands = 10;
constexpr int kModeFindConditions = 11;
constexpr int kStatusIntervalInput = 17;
constexpr short kCommandGroupDelete = 21;

constexpr int kIdleMode = 1000;
// The first note of each training series, in the guide's order: the first try, the basic
// operations, the multi-commands, the functions.
constexpr UINT kSeriesCommands[4] = { 33047, 33078, 33127, 33120 };
const char* const kMsgRecovered = "リカバリファイルを読み込みました";

const char* const kMsgBoxGone = "最新の箱選択は消去などの理由で再現できません";
const char* const kMsgBoxAgain = "最新の箱選択を再現しました";
const char* const kMsgBoxAgainGroup = "最新の箱選択を再現し、群処理モードに入りました";
const char* const kMsgIntervalInput = "間隔拘束の間隔を入力するモードです";
const char* const kPromptInterval = "[拘束間隔設定] X,Yを数値入力してEnter or 相対原点からの点を入力";

CInputComboBox* InputBox()
{
    return g_pApp && g_pApp->m_pMainFrame ? &g_pApp->m_pMainFrame->m_wndInputBar.m_inputBox : nullptr;
}

// Both template lists work alike: the command puts the input box into its mode with the list
// open, and the same command again takes it back to the numbers.
void ToggleTemplateMode(int mode, int (CInputBar::*fill)())
{
    CInputBar* bar = g_pApp ? g_pApp->m_inputBar : nullptr;
    if (!bar)
        return;
    CInputComboBox* box = InputBox();
    if (bar->m_currentList == mode) {
        if (box)
            box->m_keepList = 1;
        bar->SelectList(1, 1, 0);
        return;
    }
    const int entries = (bar->*fill)();
    bar->SelectList(mode, 0, 1);
    if (entries > 0 && box && box->GetSafeHwnd())
        box->ShowDropDown(TRUE);
}

bool TrainingRuns()
{
    return g_pApp && g_pApp->m_trainingState && g_pApp->m_trainingState->m_active;
}

// An embedded drawing stands alone: the other windows go out of its way.
void MinimizeOtherWindows()
{
    CZelkApp* app = g_pApp;
    const int views = static_cast<int>(app->m_drawingViews.GetSize());
    for (int i = 0; i + 1 < views; ++i)
        if (CFrameWnd* frame = static_cast<CZelkView*>(app->m_drawingViews[i])->GetParentFrame())
            frame->ShowWindow(SW_MINIMIZE);
    for (int i = 0; i < app->m_textViews.GetSize(); ++i)
        if (CFrameWnd* frame = static_cast<CView*>(app->m_textViews[i])->GetParentFrame())
            frame->ShowWindow(SW_MINIMIZE);
    app->TileDrawingWindows();
}

// The first drawing of a run restores what an abnormal end left, or shows the first-start
// notices and the guide; true when drawings were recovered.
bool RunFirstStartNotices(const CZelkDoc* doc)
{
    CZelkApp* app = g_pApp;
    bool recovered = false;
    app->RemoveStaleRecoveryTemporaries();
    if (app->HasRecoveryFiles()) {
        app->RecoverDrawings();
        app->m_startupNoticeSuppressed = 1;
        recovered = true;
    }
    // The notice after a failed update of the system registry is not shown: there is no such
    // registry here, so the failure it explains cannot happen.
    if (app->m_appPath.m_programFolder.Find("Program Files") >= 0 && !app->m_programFolderNoticeShown) {
        CProgramFilesWarningDialog warning;
        if (warning.DoModal() == IDOK)
            app->m_programFolderNoticeShown = warning.m_dontShowAgain;
    }
    if (TrainingRuns() || recovered || !app->m_introMessage3 || doc->m_quietClose)
        return recovered;
    CStartupGuideDialog guide;
    if (guide.DoModal() != IDOK)
        return recovered;
    if (guide.m_dontShowAgain)
        app->m_introMessage3 = 0;
    if (guide.m_library) {
        app->OnOpenExperienceLibrary();
    } else if (guide.m_series >= 1 && guide.m_series <= 4 && app->m_pMainFrame) {
        app->m_pMainFrame->SendMessage(WM_COMMAND, kSeriesCommands[guide.m_series - 1], 0);
    }
    return recovered;
}

} // namespace

void CZelkDoc::OnTextAttributeInput()
{
    if (!DocOpenHelpIfArmed("Help\\HID_MODE_STRING.htm"))
        ToggleTemplateMode(kModeAttributeCommands, &CInputBar::FillAttributeCommandList);
}

void CZelkDoc::OnUpdateTextAttributeInput(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_pApp && g_pApp->m_inputBar && g_pApp->m_inputBar->m_currentList == kModeAttributeCommands);
}

void CZelkDoc::OnAttributeFind()
{
    if (!DocOpenHelpIfArmed("Help\\HID_MODE_FIND.htm"))
        ToggleTemplateMode(kModeFindConditions, &CInputBar::FillFindConditionList);
}

void CZelkDoc::OnUpdateAttributeFind(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_pApp && g_pApp->m_inputBar && g_pApp->m_inputBar->m_currentList == kModeFindConditions);
}

void CZelkDoc::OnReselectLatestBox()
{
    if (DocOpenHelpIfArmed("Help\\HID_SELECT_BEF.htm"))
        return;
    if (!m_pickList || !m_pickList->ReselectSnapshot()) {
        ShowMessageInViews(kMsgBoxGone);
        return;
    }
    RedrawChangedElements(1);
    if (g_pApp && g_pApp->m_commandKind == kCommandGroupDelete) {
        DocShowMessage(kMsgBoxAgain, 0);
    } else if (!m_groupProcessing) {
        m_groupProcessing = 1;
        m_deformMode = 0;
        if (CGroupProcessor* group = g_pApp ? g_pApp->m_groupProcessor : nullptr) {
            group->Reset(0);
            group->m_document = this;
        }
        DocShowMessage(kMsgBoxAgainGroup, 0);
    } else {
        DocShowMessage(kMsgBoxAgain, 0);
    }
}

void CZelkDoc::OnUpdateReselectLatestBox(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pickList && !m_pickList->selectionSnapshot.empty());
}

void CZelkDoc::OnIntervalConstraint()
{
    if (DocOpenHelpIfArmed("Help\\HID_GRID.htm") || !g_pApp)
        return;
    m_grid.m_on = !m_grid.m_on;
    if (m_grid.m_on) {
        g_pApp->m_lastStatus = kStatusIntervalInput;
        if (g_pApp->m_inputBar)
            g_pApp->m_inputBar->StartNumericInput(DoubleRefToString(m_grid.m_pitch.m_x) + "," +
                                                  DoubleRefToString(m_grid.m_pitch.m_y));
        DocShowMessage(kMsgIntervalInput, 0);
        g_pApp->m_prompt = kPromptInterval;
        g_pApp->ShowPrompt();
    } else {
        g_pApp->m_lastStatus = 0;
        DocShowMessage("", 0);
        g_pApp->SetGuidance(this);
        g_pApp->ShowPrompt();
    }
}

void CZelkDoc::OnUpdateIntervalConstraint(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_grid.m_on != 0);
}

void CZelkDoc::OnErasePointerMarks()
{
    if (!DocOpenHelpIfArmed("Help\\HID_DRAW_POINTER.htm"))
        FreePointerMarks();
}

void CZelkDoc::OnCloseDocument()
{
    if (g_pApp && g_pApp->m_savePending)
        return;
    if (!TrainingRuns()) {
        CDocument::OnCloseDocument();
        return;
    }
    if (g_pApp->m_trainingState->NextStep())
        return;
    // The series has ended and left a fresh drawing; the drawings of its notes go.
    std::vector<CZelkDoc*> others;
    if (g_pApp->m_pDocTemplate) {
        POSITION pos = g_pApp->m_pDocTemplate->GetFirstDocPosition();
        while (pos)
            if (auto* doc = dynamic_cast<CZelkDoc*>(g_pApp->m_pDocTemplate->GetNextDoc(pos)))
                if (doc->m_name != "NewFile")
                    others.push_back(doc);
    }
    for (CZelkDoc* doc : others)
        doc->CDocument::OnCloseDocument();
    g_pApp->TileDrawingWindows();
}

void CZelkDoc::OnShowViews(BOOL bVisible)
{
    // Linked objects have no update dialog here: there is no linking support.
    (void)bVisible;
    if (!g_pApp)
        return;
    CZelkApp* app = g_pApp;
    if (m_layers.GetSize() == 0) {
        m_writeLayer = FindOrCreateLayer("");
        if (app->GetActiveDrawingDoc() == this)
            DocSetUserAppWriteLayer(m_writeLayer);
    }
    for (CZelkView* view : GetViews())
        view->m_layerStates.SetSize(m_layers.GetSize());
    UpdateAllViews(nullptr, 0, nullptr);

    bool recovered = false;
    if (m_quietClose)
        MinimizeOtherWindows();
    else if (m_docNumber == 1)
        recovered = RunFirstStartNotices(this);

    if (app->m_activeView && app->m_activeView->m_document == this && !TrainingRuns()) {
        app->SwitchMode(this, nullptr, 1, kIdleMode, 0);
        // Without popup menus the line command infers its construction from "SE".
        if (app->m_noPopupMenu && m_lineCmd)
            m_lineCmd->m_modePattern = "SE";
        app->SetGuidance(this);
        app->ShowPrompt();
        if (!app->m_startupNoticeSuppressed && !m_quietClose)
            ShowStartupNotice();
    }
    if (recovered)
        DocShowMessage(kMsgRecovered, 1);
}
