// The started program under a user's keyboard: a point typed into the input box goes to the
// drawing command, the box's list remembers it, and Escape from the box returns the command to
// its first step.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/TextCommandBoxes.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class TypedInputWindow : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                          FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = m_app->m_pMainFrame;
        UiDriver::ShowAndActivate(m_frame);
        UiDriver::Pump();
    }
    void TearDown() override
    {
        if (!m_app)
            return;
        if (m_app->m_pMainWnd) {
            m_app->CloseAllDocuments(TRUE);
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
            m_app->m_pMainWnd = nullptr;
        }
        UiDriver::Pump();
        m_app->ExitInstance();
        delete m_app;
        g_pApp = nullptr;
    }
    CInputComboBox& Box() { return m_frame->m_wndInputBar.m_inputBox; }

    CZelkApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
};

} // namespace

TEST_F(TypedInputWindow, APointTypedIntoTheInputBoxGoesToTheLineCommand)
{
    CZelkView* view = m_app->m_activeView;
    ASSERT_NE(view, nullptr);
    CZelkDoc* doc = view->m_document;
    ASSERT_EQ(m_app->m_commandKind, 2);
    Box().SetFocus();
    UiDriver::Pump();
    for (UINT key : { UINT('1'), UINT('0'), VK_OEM_COMMA, UINT('2'), UINT('0') })
        UiDriver::Key(key);
    CString typed;
    Box().GetWindowText(typed);
    EXPECT_EQ(typed.Std(), "10,20");
    UiDriver::Key(VK_RETURN);

    EXPECT_EQ(doc->m_lineCmd->m_lastInputKind, 4);
    EXPECT_EQ(doc->m_lineCmd->m_lastInputSubCode, 17);
    EXPECT_EQ(doc->m_inputEvent->relativePoint.m_x, 10.0);
    EXPECT_EQ(doc->m_inputEvent->relativePoint.m_y, 20.0);
    EXPECT_EQ(view->m_messageText.Std(), "点(10,20) ");
    const CHistoryList& numbers = m_app->m_inputBar->GetList(1);
    ASSERT_GT(numbers.m_texts.GetSize(), 0);
    EXPECT_EQ(numbers.m_texts[0].Std(), "10,20");

    // Escape in the box: the command back at its first step, the box back in list 1.
    Box().SetFocus();
    UiDriver::Pump();
    UiDriver::Key(VK_ESCAPE);
    EXPECT_EQ(view->m_messageText.Std(), "初期ステップに戻しました");
    EXPECT_EQ(m_app->m_inputBar->m_currentList, 1);
}

// The box losing the focus in the font list has the text command that is placing a text measure
// its box again, even when the line is not applied (a text edit waiting for its text); in another
// list it does not.
TEST_F(TypedInputWindow, LeavingTheFontListRemeasuresThePlacingTextBox)
{
    CZelkView* view = m_app->m_activeView;
    ASSERT_NE(view, nullptr);
    CZelkDoc* doc = view->m_document;
    CTextCommand& main = *doc->m_textCmd;
    CTextCommand& interrupting = *doc->m_textCmdInt;
    main.m_string = "abc";
    interrupting.m_string = "abcdef";
    const struct {
        int list;
        bool measured;
    } cases[] = {
        { 3, true },
        { 9, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        m_app->m_interruptKind = 7;
        interrupting.m_pendingText = 1;
        Box().SetFocus();
        UiDriver::Pump();
        m_app->m_inputBar->SelectList(c.list, 0, 0);
        SpoilTextBox(main);
        SpoilTextBox(interrupting);
        view->SetFocus();
        UiDriver::Pump();
        EXPECT_EQ(TextBoxMeasured(interrupting), c.measured);
        EXPECT_FALSE(TextBoxMeasured(main));
    }
    m_app->m_interruptKind = 0;
    interrupting.m_pendingText = 0;
}
