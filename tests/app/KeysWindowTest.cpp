// The letter keys and Escape of the started program, pressed in the drawing window as a user
// presses them: the repeat of the last file command, the multi-text window, the symbol
// placement, the macro queue, the circle solutions, the command restart, the cancelled delayed
// save with its notice, and the tool buttons following lines confirmed in the input box.
#include "app/InputComboBox.h"
#include "app/Resource.h"
#include "app/SaveCancelledDialog.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "input/PointPair.h"
#include "macro/MacroRecorder.h"
#include "macro/TextDoc.h"
#include "tests/app/StartedProgram.h"
#include "tests/support/SampleDrawing.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

class KeysWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_frame->ShowControlBar(&m_frame->m_wndInputBar, TRUE, FALSE);
        UiDriver::Pump();
    }
    // A key in the active drawing window, which has the keyboard. A dialog or notice the
    // program showed took the activation while it was up; offscreen no window manager hands it
    // back to the main window when it goes, so the main window is activated as one would.
    void KeyInView(UINT key, UINT modifiers = UiDriver::NoModifier)
    {
        ASSERT_NE(m_app->m_activeView, nullptr);
        UiDriver::ShowAndActivate(m_frame);
        m_app->m_activeView->SetFocus();
        UiDriver::Pump();
        UiDriver::Key(key, modifiers);
        UiDriver::Pump();
    }
    CTextDoc* NewestText() const
    {
        const std::vector<CTextDoc*> docs = m_app->TextDocs();
        return docs.empty() ? nullptr : docs.back();
    }
    CScriptedUiServices& Ui() { return DefaultScriptedUiServices(); }
    std::string Message() const { return m_app->m_lastMessage.GetString(); }
};

} // namespace

TEST_F(KeysWindow, JRepeatsTheLastFileCommand)
{
    const int drawings = m_app->CountDrawingDocs();
    m_app->m_lastCommandId = ID_FILE_NEW;
    KeyInView('J');
    EXPECT_EQ(m_app->CountDrawingDocs(), drawings + 1);

    const size_t texts = m_app->TextDocs().size();
    m_app->m_lastCommandId = ID_TEXT_NEW;
    KeyInView('J');
    EXPECT_EQ(m_app->TextDocs().size(), texts + 1);

    // After any other command the key runs a macro text file again: it asks for the file.
    m_app->m_lastCommandId = 33134;
    const size_t asked = Ui().m_shownFileDialogs.size();
    KeyInView('J');
    EXPECT_EQ(Ui().m_shownFileDialogs.size(), asked + 1);
    EXPECT_EQ(m_app->m_lastCommandId, 32835);
}

TEST_F(KeysWindow, XAndShiftTOpenTheMultiTextWindow)
{
    const struct {
        UINT key;
        UINT modifiers;
        int moveFlag;
    } cases[] = { { 'X', UiDriver::NoModifier, 1 }, { 'T', UiDriver::Shift, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const size_t texts = m_app->TextDocs().size();
        const int commandKind = m_app->m_commandKind;
        KeyInView(c.key, c.modifiers);
        ASSERT_EQ(m_app->TextDocs().size(), texts + 1);
        EXPECT_EQ(NewestText()->m_multiLineInput, 1);
        EXPECT_EQ(m_app->m_groupProcessor->m_moveFlag, c.moveFlag);
        EXPECT_EQ(m_app->m_groupProcessor->modePattern, CString("MP"));
        EXPECT_EQ(m_app->m_commandKind, commandKind);   // Shift+T does not start the text command
    }
}

TEST_F(KeysWindow, GPlacesASymbolUnlessAMacroIsBeingRecorded)
{
    const CString path = ProgramFolder() + "part.zel";
    WriteSampleDrawing(path, "2026/02/03");

    m_app->m_macroRecorder->m_recording = 1;
    const size_t beeps = DefaultScriptedServices().m_beeps.size();
    const size_t asked = Ui().m_shownFileDialogs.size();
    KeyInView('G');
    EXPECT_EQ(Message(), "シンボルはマクロに記録できません");
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), beeps + 1);
    EXPECT_EQ(Ui().m_shownFileDialogs.size(), asked);
    m_app->m_macroRecorder->m_recording = 0;

    Ui().QueueFiles({ path });
    KeyInView('G');
    ASSERT_NE(m_app->m_symbolDoc, nullptr);
    EXPECT_EQ(m_app->m_groupProcessor->m_document, m_app->m_symbolDoc);
    KeyInView(VK_ESCAPE);
    EXPECT_EQ(Message(), "シンボルのコピーは終了しました");
}

// Ctrl+S starts the delayed save of the drawing; Escape cancels it with the notice "保存中止"
// shown for half a second, and the drawing stays modified.
TEST_F(KeysWindow, EscapeCancelsADelayedSaveWithItsNotice)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag(TRUE);
    KeyInView('S', UiDriver::Control);
    ASSERT_EQ(m_app->m_savePending, 1);
    Ui().m_modeless.clear();
    DefaultScriptedServices().m_sleeps.clear();

    KeyInView(VK_ESCAPE);
    EXPECT_EQ(m_app->m_savePending, 0);
    EXPECT_EQ(m_app->m_pendingDrawing, nullptr);
    EXPECT_TRUE(doc->IsModified());
    // Made with its text, shown through the wait, then gone.
    ASSERT_EQ(Ui().m_modeless.size(), 2u);
    EXPECT_EQ(Ui().m_modeless[0].templateId, CSaveCancelledDialog::IDD);
    EXPECT_EQ(Ui().m_modeless[1].templateId, CSaveCancelledDialog::IDD);
    EXPECT_TRUE(Ui().m_modeless[1].destroyed);
    EXPECT_TRUE(Ui().OpenModeless().empty());
    const std::vector<CString>& texts = Ui().m_modeless[0].texts;
    EXPECT_NE(std::find(texts.begin(), texts.end(), CString("保存中止")), texts.end());
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, std::vector<DWORD>{ 500 });

    // A second Escape has no save to cancel: no notice.
    KeyInView(VK_ESCAPE);
    EXPECT_EQ(Ui().m_modeless.size(), 2u);
}

// A listing line of a line type or a line width, chosen from the input box's list with the
// keyboard and confirmed with Enter, sets the pen and shows it on the line-type button.
TEST_F(KeysWindow, AListingLineChosenInTheBoxSetsTheLineTypeButton)
{
    CInputBar& bar = *m_app->m_inputBar;
    CToolBitmapButton& button = m_frame->m_wndInputBar.m_lineTypeButton;
    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;
    const struct {
        const char* line;
        WORD code;
        UINT image;
        const char* message;
        int width;
    } cases[] = {
        { "0.5 ･･･線幅", 7, 157, "太い実線をセットしました", 5 },
        { "- - - ･･･線種", 6, 152, "破線をセットしました", 5 },
        { "0.1 ･･･線幅", 7, 149, "細い実線をセットしました", 1 },
        { "一点鎖線 ･･･線種", 6, 153, "一点鎖線をセットしました", 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CHistoryList& listing = bar.GetList(8);
        listing.m_texts.RemoveAll();
        listing.m_codes.RemoveAll();
        listing.AddRecentWithCode(c.line, c.code);
        listing.AddRecentWithCode("1 ･･･要素番号", 1);   // on top
        bar.StartListingDisplay();
        UiDriver::Pump();
        ASSERT_TRUE(box.m_hasFocus);
        box.SetWindowText("");
        UiDriver::Key(VK_DOWN);
        UiDriver::Key(VK_DOWN);
        ASSERT_EQ(bar.m_selectedIndex, 1);
        UiDriver::Key(VK_RETURN);
        EXPECT_EQ(button.m_nBitmaps[0], c.image);
        EXPECT_EQ(button.m_nBitmaps[1], 156u);
        EXPECT_EQ(Message(), c.message);
        EXPECT_EQ(m_app->m_appElem.m_lineWidth, c.width);
        EXPECT_EQ(bar.m_currentList, 1);
    }
}

// An attribute search confirmed in the input box opens a box selection of what it found, and the
// creation-environment button shows the selected element's environment it switches to.
TEST_F(KeysWindow, AnAttributeSearchShowsTheSelectedElementsEnvironment)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    CPointD a, b;
    a.Init(0, 0);
    b.Init(100, 0);
    doc->AddLine(a, b, 0, doc->FindOrAddPen(0, 1, 0, 0, 70));
    m_app->SetCreationEnvCurrent();
    CToolBitmapButton& button = m_frame->m_wndSubBar.m_creationEnvButton;
    ASSERT_EQ(button.m_nBitmaps[0], 189u);
    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;
    m_app->m_inputBar->FillFindConditionList();
    m_app->m_inputBar->StartAttributeSearchInput();
    UiDriver::Pump();
    box.SetWindowText("100L");
    UiDriver::Key(VK_RETURN);
    EXPECT_EQ(doc->m_groupProcessing, 1);
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(button.m_nBitmaps[0], 191u);
    EXPECT_EQ(button.m_nBitmaps[1], 190u);
}

// H plays the last macro's queue and Shift+H then only beeps; Q shows the next solution of the
// circle command; M announces the command again and offers its popup menu.
TEST_F(KeysWindow, MacroCandidateAndRestartLetters)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    KeyInView('H');
    EXPECT_EQ(m_app->m_macroPlaying, 1);
    const size_t beeps = DefaultScriptedServices().m_beeps.size();
    KeyInView('H', UiDriver::Shift);
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), beeps + 1);
    KeyInView(VK_ESCAPE);
    EXPECT_EQ(m_app->m_macroPlaying, 0);

    KeyInView('C');
    ASSERT_EQ(m_app->m_commandKind, 3);
    CCircleCommand& circle = *doc->m_circleCmd;
    for (double radius : { 4.0, 8.0 }) {
        auto* candidate = new CPointPair;
        candidate->point1.Init(20, 20);
        candidate->value2 = radius;
        candidate->point2.Init(0, 360);
        circle.m_candidates.Add(candidate);
    }
    KeyInView('Q', UiDriver::Shift);
    const CCircle* shown = doc->GetCircleElem(circle.m_editBlock, circle.m_editSlot);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->m_radius, 8.0);
    EXPECT_EQ(circle.m_candidateIndex, 1);

    KeyInView('L');
    const size_t menus = Ui().m_shownMenus.size();
    KeyInView('M');
    EXPECT_EQ(m_app->m_commandKind, 2);
    EXPECT_EQ(m_app->m_lastStatus, 11);
    EXPECT_EQ(m_app->m_justAnnounced, 1);
    EXPECT_EQ(Ui().m_shownMenus.size(), menus + 1);
}

// B opens the text-alignment dialog; an alignment chosen there reaches the text being placed as
// an input of its own, a cancelled dialog changes nothing.
TEST_F(KeysWindow, BChoosesTheAlignmentOfTheTextBeingPlaced)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    KeyInView('T');
    ASSERT_EQ(m_app->m_commandKind, 7);
    // The text list dropped down by T is closed again before the next key.
    m_frame->m_wndInputBar.m_inputBox.ShowDropDown(FALSE);
    UiDriver::Pump();
    CTextCommand& text = *doc->m_textCmd;
    text.m_lastInputKind = 0;
    const int anchor = m_app->m_appText.m_anchor;
    KeyInView('B');
    EXPECT_EQ(m_app->m_appText.m_anchor, anchor);
    EXPECT_EQ(text.m_lastInputKind, 0);

    Ui().QueueDialog([](IModalSession& s) { s.Press(1022); });
    KeyInView('B');
    EXPECT_EQ(m_app->m_appText.m_anchor, 14);
    EXPECT_EQ(text.m_lastInputKind, 15);
}

// End opens a zoom window about the cursor, as the copy of the window the zoom-window setting
// asks for; Shift+End in the zoom window closes it.
TEST_F(KeysWindow, EndOpensAZoomWindowAndShiftEndClosesIt)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    CZelkView* view = m_app->m_activeView;
    m_app->m_appDraw.zoomWindowMode = 0;
    UiDriver::MouseMove(view, POINT{ 40, 30 });
    KeyInView(VK_END);
    EXPECT_EQ(m_app->m_specialMode, 0);
    ASSERT_NE(doc->m_zoomView, nullptr);
    const CPointD at = view->m_cursorWorldPoint.WorldToScreen(view->m_origin, view->m_zoom);
    EXPECT_EQ(view->m_pressLogicalPoint.m_x, std::trunc(at.m_x));
    EXPECT_EQ(view->m_pressLogicalPoint.m_y, std::trunc(at.m_y));

    // In the zoom window, which the user is now working in.
    CZelkView* zoom = doc->m_zoomView;
    m_app->m_pMainFrame->MDIActivate(zoom->GetParentFrame());
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_activeView, zoom);
    KeyInView(VK_END, UiDriver::Shift);
    EXPECT_EQ(doc->m_zoomView, nullptr);
}
