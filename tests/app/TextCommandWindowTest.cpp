// The text command in the started program under a user's keys and pointer: continuous text
// chosen from the command's menu, a text typed into the input box, and the box of that text
// following it and the pointer.
#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "platform/ui/WindowSurface.h"
#include "tests/app/StartedProgram.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class TextCommandWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    POINT PixelOf(CPointD world) { return StartedProgram::PixelOf(m_view, world); }
    static CPointD Offset(CPointD p, double dx, double dy)
    {
        p.Init(p.m_x + dx, p.m_y + dy);
        return p;
    }

    CZelkView* m_view = nullptr;
};

} // namespace

TEST_F(TextCommandWindow, ContinuousTextBoxesTheTextTypedIntoTheInputBox)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    CAppText& t = m_app->m_appText;
    t.m_widthTenths = 30;
    t.m_heightTenths = 50;
    t.m_anchor = 38;
    t.m_direction = 1;
    t.m_formClass = 1;
    m_app->m_showTextSizeLines = 1;
    // With the option that hides the popup menus off, T opens the text command's menu at the
    // pointer; the user chooses "連続文字列" there.
    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(33020);
    UiDriver::MouseMove(m_view, POINT{ 200, 150 });
    UiDriver::Key('T');
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_commandKind, 7);
    ASSERT_EQ(DefaultScriptedUiServices().m_shownMenus.size(), 1u);
    CTextCommand& text = *doc->m_textCmd;
    ASSERT_EQ(text.m_modePattern, "BPK");
    const CString prompt =
        "[連続文字列] 【文字入力|文字列選択】 【角度|角度要素】 【配置点】 ピッチ点|Enterキー 第２以降の文字列";
    EXPECT_EQ(m_app->m_prompt, prompt);
    ASSERT_EQ(m_app->m_inputBar->m_currentList, 2);

    // The user clicks into the input box, empties it and types a text.
    m_frame->ShowControlBar(&m_frame->m_wndInputBar, TRUE, FALSE);
    UiDriver::Pump();
    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;
    box.ShowDropDown(FALSE);
    UiDriver::Pump();
    UiDriver::Click(&box, POINT{ 6, 6 });
    UiDriver::Key(VK_END);
    for (int i = 0; i < 40; ++i)
        UiDriver::Key(VK_BACK);
    UiDriver::Pump();
    // The letter keys without Shift type small letters.
    const char* const keys = "PART12";
    for (const char* k = keys; *k; ++k) {
        UiDriver::Key(static_cast<UINT>(*k));
        UiDriver::Pump();
        CString shown;
        box.GetWindowText(shown);
        // Each key: the text being placed is the box's text, and its box is 3 mm a byte wide.
        EXPECT_EQ(text.m_string, shown);
        EXPECT_EQ(doc->m_previewKind, 40);
        EXPECT_DOUBLE_EQ(doc->m_previewTextBox[1].m_x - doc->m_previewTextBox[0].m_x,
                         3.0 * static_cast<double>(k - keys + 1));
    }
    EXPECT_EQ(text.m_string, CString("part12"));
    EXPECT_EQ(m_frame->m_wndStatusBar.GetPaneText(0), prompt);
    // Nothing is placed yet.
    EXPECT_FALSE(doc->HasData());

    // Over the drawing the box of the six bytes, 18 by 5, is drawn about the pointer.
    UiDriver::MouseMove(m_view, POINT{ 260, 180 });
    UiDriver::Pump();
    CSurfaceCopy shot;
    ASSERT_TRUE(CopyWindowSurface(m_view, shot));
    if (const char* png = std::getenv("ZELK_TEXT_PNG")) {
        EXPECT_TRUE(SaveWindowSurface(m_view, png));
    }
    const COLORREF background = shot.At(2, 2);
    const CPointD at = m_view->m_cursorWorldPoint;
    for (double y : { -2.5, 2.5 }) {
        EXPECT_TRUE(DrawnNear(shot, PixelOf(Offset(at, -5, y)), background)) << y;
        EXPECT_TRUE(DrawnNear(shot, PixelOf(Offset(at, 5, y)), background)) << y;
        // Beyond its ends the box's lines do not go on.
        EXPECT_FALSE(DrawnNear(shot, PixelOf(Offset(at, 13, y)), background)) << y;
    }
}
