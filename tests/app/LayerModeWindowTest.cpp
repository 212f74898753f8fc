// The write-layer mode as a user meets it in the started program: W typed in the drawing
// window, then a line of layer names confirmed in the input box, or Enter in the window.
#include "app/InputComboBox.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "input/InputBar.h"
#include "view/ZelkView.h"
#include "platform/ui/UiServices.h"
#include "tests/app/StartedProgram.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

class LayerModeWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_frame->ShowControlBar(&m_frame->m_wndInputBar, TRUE, FALSE);
        UiDriver::Pump();
    }

    CInputComboBox& Box() { return m_frame->m_wndInputBar.m_inputBox; }
    // A key in the drawing window, which has the keyboard.
    void KeyInView(UINT key)
    {
        m_app->m_activeView->SetFocus();
        UiDriver::Pump();
        UiDriver::Key(key);
    }
    // The user clicks into the input box, clears it and types the line, then Enter.
    void TypeLine(const std::string& line)
    {
        UiDriver::Click(&Box(), POINT{ 6, 6 });
        Box().SetWindowText("");
        for (char c : line)
            UiDriver::Key(c == ',' ? VK_OEM_COMMA : static_cast<UINT>(std::toupper(static_cast<unsigned char>(c))));
        UiDriver::Key(VK_RETURN);
    }
    // A line with capitals, pasted into the box (the key simulation types lower case only).
    void PasteLine(const char* line)
    {
        UiDriver::Click(&Box(), POINT{ 6, 6 });
        Box().SetWindowText(line);
        UiDriver::Key(VK_RETURN);
    }
    std::string Message() const { return m_app->m_lastMessage.GetString(); }
    std::string Name(int i) const { return m_app->GetActiveDrawingDoc()->GetLayer(i)->m_name.GetString(); }
};

} // namespace

TEST_F(LayerModeWindow, WriteLayerByTypedLinesAndByEnter)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(Name(0), "0000");
    CPointD a, b;
    a.Init(0, 0);
    b.Init(10, 0);
    doc->AddLine(a, b, 0, doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    doc->FindOrCreateLayer("0001");

    // An empty line: the unused numbered layer.
    KeyInView('W');
    EXPECT_EQ(m_app->m_interruptMode, 33);
    EXPECT_EQ(m_app->m_inputBar->m_currentList, 7);
    TypeLine("");
    EXPECT_EQ(Message(), "未使用または新レイヤ No.1(0001) 書き込みレイヤとしました");
    EXPECT_EQ(doc->m_writeLayer, 1);
    EXPECT_EQ(m_app->m_interruptMode, 0);

    // Enter in the drawing window: the same layer, announced with "を".
    doc->m_writeLayer = 0;
    KeyInView('W');
    KeyInView(VK_RETURN);
    EXPECT_EQ(Message(), "未使用または新レイヤ No.1(0001) を書き込みレイヤとしました");
    EXPECT_EQ(doc->m_writeLayer, 1);

    // A rename, then a rename that only changes case, refused; the refused line stays.
    KeyInView('W');
    TypeLine("rn,0001,abc");
    EXPECT_EQ(Message(), "レイヤ No1(0001) を abcに改名して書き込みレイヤとしました");
    EXPECT_EQ(Name(1), "abc");
    CString left;
    Box().GetWindowText(left);
    EXPECT_TRUE(left.IsEmpty());
    KeyInView('W');
    PasteLine("rn,abc,ABC");
    EXPECT_EQ(Message(), "ABC の名称のレイヤはすでに存在しますので名称変更はできません");
    EXPECT_EQ(Name(1), "abc");

    // Two names: only the first counts.
    doc->m_writeLayer = 0;
    KeyInView('W');
    TypeLine("abc,def");
    EXPECT_EQ(Message(), "レイヤ No1(abc) を書き込みレイヤとしました");
    EXPECT_EQ(doc->m_writeLayer, 1);
    EXPECT_EQ(doc->FindLayer("def"), -1);

    // A lone reserved word does nothing.
    m_app->ShowMessage("", 0);
    KeyInView('W');
    TypeLine("rename");
    EXPECT_EQ(Message(), "");
    EXPECT_EQ(doc->m_writeLayer, 1);
    EXPECT_EQ(doc->m_layers.GetSize(), 2);
}
