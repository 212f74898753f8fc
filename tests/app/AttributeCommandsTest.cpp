// The attribute routines of the started program: line types and widths typed into the input
// box's line-type list, the frame following the creation pen, and the slanted-text question.
#include "app/InputToolBar.h"
#include "document/ZelkDoc.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "input/PickList.h"
#include "input/InputBar.h"
#include "platform/ui/UiServices.h"
#include "tests/app/StartedProgram.h"
#include "tests/support/TextCommandBoxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class AttributeCommands : public StartedProgram {
protected:
    CHistoryList& LineTypes() { return m_app->m_inputBar->GetList(9); }
    int Entries(const char* text)
    {
        int n = 0;
        for (int i = 0; i < LineTypes().m_texts.GetSize(); ++i)
            n += LineTypes().m_texts[i] == text;
        return n;
    }
    std::string Message() const { return m_app->m_lastMessage.GetString(); }
};

} // namespace

TEST_F(AttributeCommands, LineTypeNames)
{
    const struct {
        const char* text;
        int lineType;
    } cases[] = {
        { "ddd", 4 }, { "dd", 3 }, { "d", -1 }, { "-", 0 }, { "- -", 1 }, { "-.", 3 }, { "-..", 4 },
        { "DashDotDot", 4 }, { "DASH", 1 }, { "点線", 2 }, { "二点鎖線", 4 }, { "一点鎖線", 3 },
        { "破線", 1 }, { "実線", 0 }, { "===== 太い実線 0.5", 0 }, { "･････ 点線", 2 }, { "太", -1 }, { "", -1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CZelkApp::LineTypeFromText(c.text), c.lineType) << c.text;
}

TEST_F(AttributeCommands, WidthsFromText)
{
    m_app->m_appElem.m_thickWidth = 7;
    const struct {
        const char* text;
        int width;
    } cases[] = {
        { "0.35 dashdot", 3 }, { "0.05", 1 }, { "太", 7 }, { "=====", 7 }, { "dash", 1 },
        { "w -1.26", 12 }, { "２mm 0.2", 2 },   // a full-width digit is no digit
    };
    for (const auto& c : cases)
        EXPECT_EQ(m_app->WidthFromText(c.text), c.width) << c.text;
    EXPECT_GT(m_app->WidthFromText("5000"), 32767);
}

TEST_F(AttributeCommands, TheLineTypeListSetsWidthTypeAndTheThickEntry)
{
    m_app->m_inputBar->m_currentList = 9;
    CAppElem& elem = m_app->m_appElem;
    elem.m_thickWidth = 5;
    elem.m_lineType = 1;
    elem.m_creationEnv = 0;
    // "太" alone: the thick width, the line type kept.
    m_app->ApplyInputComboText("太");
    EXPECT_EQ(elem.m_lineWidth, 5);
    EXPECT_EQ(elem.m_lineType, 1);
    EXPECT_EQ(Entries("===== 太い実線 0.5"), 1);
    EXPECT_EQ(m_app->m_atrCurrent.m_lineWidth, 5);

    m_app->ApplyInputComboText("0.35 dashdot");
    EXPECT_EQ(elem.m_lineWidth, 3);
    EXPECT_EQ(elem.m_thickWidth, 3);
    EXPECT_EQ(elem.m_lineType, 3);
    EXPECT_EQ(m_app->m_atrCurrent.m_lineType, 3);
    EXPECT_EQ(LineTypes().m_texts[0], CString("===== 太い実線 0.3"));
    EXPECT_EQ(Message(), "一点鎖線をセットしました");
    EXPECT_EQ(m_frame->m_wndInputBar.m_lineTypeButton.m_nBitmaps[0], 153u);

    // The same entry again is not added twice.
    const int before = LineTypes().m_texts.GetSize();
    m_app->ApplyInputComboText("0.3 solid");
    EXPECT_EQ(LineTypes().m_texts.GetSize(), before);
    EXPECT_EQ(Message(), "太い実線をセットしました");
    EXPECT_EQ(m_frame->m_wndInputBar.m_lineTypeButton.m_nBitmaps[0], 157u);

    // A width past 16 bits is not applied; the line type is.
    m_app->ApplyInputComboText("5000 dash");
    EXPECT_EQ(elem.m_lineWidth, 3);
    EXPECT_EQ(elem.m_lineType, 1);
    // Into the selected element's set when the environment says so.
    elem.m_creationEnv = 1;
    m_app->ApplyInputComboText("0.1 dot");
    EXPECT_EQ(m_app->m_atrElem.m_lineType, 2);
    EXPECT_EQ(m_app->m_atrElem.m_lineWidth, 1);
    EXPECT_EQ(m_frame->m_wndInputBar.m_lineTypeButton.m_nBitmaps[0], 155u);
    // Another list: nothing.
    m_app->m_inputBar->m_currentList = 1;
    m_app->ApplyInputComboText("0.5 dash");
    EXPECT_EQ(elem.m_lineType, 2);
}

// A font line of the box is read as text attributes; an empty one changes nothing.
TEST_F(AttributeCommands, AFontLineSetsTheTextAttributes)
{
    m_app->m_inputBar->m_currentList = 3;
    m_app->ApplyInputComboText("4H");
    EXPECT_EQ(m_app->m_inputBar->m_enteredText, CString("4H"));
    EXPECT_EQ(m_app->m_appText.m_heightTenths, 40);
    EXPECT_EQ(Message(), "文字の 高さ を変更しました");
    m_app->ApplyInputComboText("");
    EXPECT_EQ(m_app->m_inputBar->m_enteredText, CString("4H"));
    EXPECT_EQ(m_app->m_appText.m_heightTenths, 40);
}

TEST_F(AttributeCommands, TheCurrentSetsPenShowsInTheFrame)
{
    CAppAtrCurrent& set = m_app->m_atrCurrent;
    set.m_color = RGB(255, 0, 0);
    set.m_lineType = 1;
    set.m_lineWidth = 1;
    m_app->m_appElem.m_color = RGB(0, 0, 0);
    m_app->m_lastMessage.Empty();   // the start-up switch's scale message
    set.ApplyPen();
    CColorComboBox& box = m_frame->m_wndInputBar.m_colorBox;
    ASSERT_GE(box.GetCurSel(), 0);
    EXPECT_EQ(static_cast<COLORREF>(box.GetItemData(box.GetCurSel())), RGB(255, 0, 0));
    EXPECT_EQ(m_app->m_appElem.m_color, RGB(255, 0, 0));
    EXPECT_EQ(m_frame->m_wndInputBar.m_lineTypeButton.m_nBitmaps[0], 152u);
    EXPECT_EQ(m_frame->m_wndInputBar.m_lineTypeButton.m_nBitmaps[1], 156u);
    EXPECT_EQ(Message(), "") << "the button follows without a message";
}

TEST_F(AttributeCommands, TheSlantedTextQuestionAfterAPrint)
{
    const BYTE sign = m_app->m_slantedPrintOption;
    auto answer = [](int button, int dontShow) {
        DefaultScriptedUiServices().QueueDialog([button, dontShow](IModalSession& s) {
            EXPECT_EQ(s.TemplateId(), 238u);
            s.SetCheck(1030, dontShow);
            s.Press(button);
        });
    };
    // Timer 14 asks; "異常" turns the sign, a second "異常" turns it back.
    answer(IDCANCEL, 0);
    ASSERT_EQ(m_frame->StartTimer(14, 3000), 1);
    EXPECT_TRUE(DefaultScriptedServices().FireTimer(static_cast<const CWnd*>(m_frame), 14));
    EXPECT_EQ(static_cast<signed char>(m_app->m_slantedPrintOption), -static_cast<signed char>(sign));
    EXPECT_FALSE(DefaultScriptedServices().IsTimerActive(static_cast<const CWnd*>(m_frame), 14));
    answer(IDCANCEL, 1);
    m_app->AskSlantedTextPrint();
    EXPECT_EQ(m_app->m_slantedPrintOption, sign);
    EXPECT_EQ(m_app->m_introMessage2, 0);
    answer(IDOK, 0);
    m_app->AskSlantedTextPrint();
    EXPECT_EQ(m_app->m_slantedPrintOption, sign);
    EXPECT_EQ(m_app->m_introMessage2, 1);
}

TEST_F(AttributeCommands, APickedElementGivesItsLineTypeColorAndFont)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    CPointD a, b;
    a.Init(0, 0);
    b.Init(10, 0);
    const std::int16_t pen = doc->FindOrAddPen(3, 5, RGB(0, 0, 255), 0, 70);
    doc->AddLine(a, b, 0, pen);
    CPickList& list = *doc->m_pickList;
    list.SetSingleCandidate(0, 0, 0, 4);
    list.m_current = 0;
    m_app->m_appElem.m_color = RGB(0, 0, 0);
    m_app->TakeLineTypeFromPick(doc);
    EXPECT_EQ(m_app->m_appElem.m_lineType, 3);
    EXPECT_EQ(m_app->m_appElem.m_lineWidth, 5);
    EXPECT_EQ(LineTypes().m_texts[0], CString("===== 太い実線 0.5"));
    EXPECT_EQ(Message(), "指定要素と同じ線種を設定しました");
    m_app->TakeColorFromPick(doc);
    EXPECT_EQ(m_app->m_appElem.m_color, RGB(0, 0, 255));
    EXPECT_EQ(m_app->m_atrCurrent.m_color, RGB(0, 0, 255));
    EXPECT_EQ(Message(), "要素の色を取得しました");

    CTypeFont font;
    font.m_height = 50;
    font.m_width = 25;
    font.m_angle = 30;
    CTexts* texts = doc->AddText(a, "abc", RGB(0, 0, 0), 8, 0, doc->FindOrAddFont(font.m_logFont, 25, 50, 1, 30));
    ASSERT_NE(texts, nullptr);
    list.SetSingleCandidate(0, 0, 0, 32);
    list.m_current = 0;
    m_app->TakeFontFromPick(doc);
    EXPECT_DOUBLE_EQ(m_app->m_appText.m_heightTenths, 50);
    EXPECT_EQ(Message(), "指定文字列と同じフォントを設定しました");
}

// Each creation environment brings its own text size: both text commands of the drawing measure
// their strings again, placing or not.
TEST_F(AttributeCommands, ANewEnvironmentRemeasuresBothTextBoxes)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    CTextCommand& main = *doc->m_textCmd;
    CTextCommand& interrupting = *doc->m_textCmdInt;
    main.m_string = "abc";
    interrupting.m_string = "abcdef";
    m_app->m_atrCurrent.m_text.m_heightTenths = 30;
    m_app->m_atrElem.m_text.m_heightTenths = 50;
    m_app->m_atrReference.m_text.m_heightTenths = 80;
    const struct {
        void (CZelkApp::*set)();
        int height;
    } cases[] = {
        { &CZelkApp::SetCreationEnvReference, 80 },
        { &CZelkApp::SetCreationEnvSelected, 50 },
        { &CZelkApp::SetCreationEnvCurrent, 30 },
    };
    std::vector<double> previous;
    // Called through a local: gcc's null check takes a member-pointer call through a member
    // of the fixture for an access through a null fixture.
    CZelkApp* app = m_app;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        SpoilTextBox(main);
        SpoilTextBox(interrupting);
        (app->*c.set)();
        ASSERT_EQ(m_app->m_appText.m_heightTenths, c.height);
        EXPECT_TRUE(TextBoxMeasured(main));
        EXPECT_TRUE(TextBoxMeasured(interrupting));
        EXPECT_NE(TextBoxOf(main), previous) << "the size changed, so must the box";
        previous = TextBoxOf(main);
    }
}

// A font taken from a picked text re-measures the text command that is placing a text, the
// interrupting one first; the other keeps its box.
TEST_F(AttributeCommands, AFontFromAPickRemeasuresThePlacingTextBox)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    CPointD at;
    at.Init(0, 0);
    CTypeFont font;
    CTexts* texts = doc->AddText(at, "abc", RGB(0, 0, 0), 8, 0, doc->FindOrAddFont(font.m_logFont, 40, 90, 1, 0));
    ASSERT_NE(texts, nullptr);
    CPickList& list = *doc->m_pickList;
    CTextCommand& main = *doc->m_textCmd;
    CTextCommand& interrupting = *doc->m_textCmdInt;
    main.m_string = "abc";
    interrupting.m_string = "abcdef";
    const struct {
        std::int16_t commandKind;
        std::int16_t interruptKind;
        bool mainMeasured;
        bool interruptingMeasured;
    } cases[] = {
        { 7, 0, true, false },
        { 7, 7, false, true },
        { 2, 0, false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.commandKind << "/" << c.interruptKind);
        m_app->m_commandKind = c.commandKind;
        m_app->m_interruptKind = c.interruptKind;
        m_app->m_appText.m_heightTenths = 30;
        SpoilTextBox(main);
        SpoilTextBox(interrupting);
        list.SetSingleCandidate(0, 0, 0, 32);
        list.m_current = 0;
        m_app->TakeFontFromPick(doc);
        ASSERT_EQ(m_app->m_appText.m_heightTenths, 90);
        EXPECT_EQ(TextBoxMeasured(main), c.mainMeasured);
        EXPECT_EQ(TextBoxMeasured(interrupting), c.interruptingMeasured);
    }
    m_app->m_commandKind = 2;
    m_app->m_interruptKind = 0;
}
