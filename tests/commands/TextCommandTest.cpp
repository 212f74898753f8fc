// The text command object on the command tape: its mode items, the text chosen in the input combo
// and the box previewed for it, the corners of the box in the drawing, the reset, the token-string
// queries and the pattern table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppText.h"
#include "app/ZelkApp.h"
#include "commands/CommandKeyOps.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "input/PatternGroup.h"
#include "tests/support/CommandTape.h"

namespace {

std::vector<double> Flat(const CPointD* corners, int n)
{
    std::vector<double> out;
    for (int i = 0; i < n; ++i) {
        out.push_back(corners[i].m_x);
        out.push_back(corners[i].m_y);
    }
    return out;
}

class TextTape : public testing::Test {
protected:
    void SetUp() override
    {
        // A mode chosen from the menu is what this tape is about: the popup menu stays on.
        m_tape.App().m_noPopupMenu = 0;
        m_tape.App().m_appCommand.m_textFlag = 1;
        CAppText& t = m_tape.App().m_appText;
        t.m_widthTenths = 30;
        t.m_heightTenths = 50;
        t.m_anchor = 38;
        t.m_direction = 1;
        t.m_formClass = 1;
        t.m_logFont.lfEscapement = 0;
    }
    CTextCommand& Text() { return m_tape.Text(); }
    CCommandTape m_tape;
};

TEST_F(TextTape, ContinuousTextFromTheMenuPreviewsTheTextChosenInTheCombo)
{
    m_tape.Code(309);
    const CCommandRow& menu = m_tape.TextMenu("連続文字列");
    EXPECT_EQ(menu.textMode, "BPK");
    EXPECT_EQ(menu.textTokens, "");
    EXPECT_EQ(menu.prompt,
              "[連続文字列] 【文字入力|文字列選択】 【角度|角度要素】 【配置点】 ピッチ点|Enterキー 第２以降の文字列");
    EXPECT_EQ(m_tape.App().m_inputBar->m_currentList, 2);

    Text().m_angle = 30;
    const CCommandRow& chosen = m_tape.ChooseText("寸法");
    ASSERT_EQ(std::string("寸法").size(), 4u);
    EXPECT_EQ(chosen.preview, 40);
    EXPECT_EQ(Text().m_string, "寸法");
    EXPECT_EQ(Flat(m_tape.Doc().m_previewTextBox, 4),
              (std::vector<double>{ -6, -2.5, 6, -2.5, -6, 2.5, 6, 2.5 }));
    EXPECT_EQ(m_tape.Doc().m_previewTextAngle, 30);
    // The fourth corner is the command's as well, not only the drawing's copy.
    EXPECT_EQ(Flat(Text().m_box, 4), Flat(m_tape.Doc().m_previewTextBox, 4));

    // A longer text widens the box by its bytes: a full-width character takes two widths.
    m_tape.ChooseText("寸法ab");
    EXPECT_EQ(Flat(m_tape.Doc().m_previewTextBox, 2), (std::vector<double>{ -9, -2.5, 9, -2.5 }));

    // In the numeric list nothing is previewed, whoever asks.
    m_tape.App().m_inputBar->SelectList(1, 0, 0);
    m_tape.Doc().m_previewKind = 0;
    m_tape.Doc().m_previewTextBox[1].Init(-999, -999);
    EXPECT_EQ(m_tape.ChooseText("12345").preview, 0);
    Text().PreviewTypedText("12345");
    EXPECT_EQ(m_tape.Doc().m_previewKind, 0);
    EXPECT_EQ(m_tape.Doc().m_previewTextBox[1].m_x, -999);
}

TEST_F(TextTape, BoxCornersTurnWithTheCurrentAngleAboutTheAnchor)
{
    Text().ComputeBoxForString("寸法");
    EXPECT_EQ(Flat(Text().m_box, 4), (std::vector<double>{ -6, -2.5, 6, -2.5, -6, 2.5, 6, 2.5 }));
    Text().m_angle = 90;
    CPointD anchor, corner;
    anchor.Init(10, 0);
    EXPECT_EQ(Text().GetTopEndCorner(&corner, &anchor), &corner);
    EXPECT_NEAR(corner.m_x, 7.5, 1e-9);
    EXPECT_NEAR(corner.m_y, 6, 1e-9);
    Text().GetBottomStartCorner(&corner, &anchor);
    EXPECT_NEAR(corner.m_x, 12.5, 1e-9);
    EXPECT_NEAR(corner.m_y, -6, 1e-9);

    // Vertical fixed-direction text: the box is as high as two character widths.
    CAppText& t = m_tape.App().m_appText;
    t.m_formClass = 2;
    t.m_direction = 2;
    Text().m_angle = 0;
    Text().ComputeBoxForString("寸法");
    EXPECT_DOUBLE_EQ(Text().m_box[2].m_y - Text().m_box[0].m_y, 6.0);
    EXPECT_DOUBLE_EQ(Text().m_box[3].m_y - Text().m_box[1].m_y, 6.0);
}

TEST_F(TextTape, TabsExpandToTheTabWidth)
{
    const struct {
        short width;
        const char* text;
        const char* expanded;
        bool found;
    } cases[] = {
        { 2, "a\tb", "a  b", true },
        { 2, "ab", "ab", false },
        { 4, "\t\t", "        ", true },
        { 2, "表\t", "表  ", true },
        { 2, "", "", false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_tape.App().m_appText.m_tabShift = c.width;
        CString s = c.text;
        EXPECT_EQ(ExpandTabs(s), c.found);
        EXPECT_EQ(s, c.expanded);
    }
}

TEST_F(TextTape, ResetKeepsTheTextBeingPlacedAndItsMode)
{
    m_tape.Code(309);
    m_tape.TextMenu("箱配置文字列");
    m_tape.ChooseText("部品A");
    CTextCommand& c = Text();
    c.m_angle = 45;
    c.m_tokenString = "B";
    c.m_savedTokenString = "B";
    c.m_stepTexts.Add("note");
    c.m_stepValueFlags.Add(1);
    c.m_macroFlag = 1;
    c.m_editFlag = 1;
    c.m_defaultLength = 7;
    c.m_editBlock = 3;
    c.m_editSlot = 4;
    c.m_macroPattern = "BB";
    m_tape.Doc().m_previewKind = 0;
    c.Reset();
    EXPECT_EQ(c.m_string, "部品A");
    EXPECT_EQ(c.m_angle, 45);
    EXPECT_EQ(c.m_modePattern, "BB");
    EXPECT_EQ(c.m_editBlock, 3);
    EXPECT_EQ(c.m_editSlot, 4);
    EXPECT_EQ(c.m_tokenString, "");
    EXPECT_EQ(c.m_savedTokenString, "");
    EXPECT_EQ(c.m_stepTexts.GetSize(), 0);
    EXPECT_EQ(c.m_stepValueFlags.GetSize(), 0);
    EXPECT_EQ(c.m_macroFlag, 0);
    EXPECT_EQ(c.m_editFlag, 0);
    EXPECT_EQ(c.m_defaultLength, 500.0);
    EXPECT_EQ(c.m_macroPattern, "");
    EXPECT_EQ(m_tape.Doc().m_previewKind, 40);
    EXPECT_EQ(m_tape.Doc().m_previewTextAngle, 45);
    // The box published is the text's as the settings stand now.
    m_tape.App().m_appText.m_widthTenths = 10;
    c.Reset();
    EXPECT_EQ(Flat(m_tape.Doc().m_previewTextBox, 2), (std::vector<double>{ -2.5, -2.5, 2.5, -2.5 }));
    EXPECT_EQ(c.m_prompt, "[箱配置文字列] 【文字入力|文字列選択】 【角度|角度要素】 箱の【第１点】 第２点");
}

TEST_F(TextTape, TokenStringsClassifyIntoTheirStepSlots)
{
    const struct {
        int edit;
        const char* tokens;
        int slot, box, complete;
    } cases[] = {
        { 0, "", 0, 0, 0 },    { 0, "K", 0, 0, 1 },    { 0, "P", 0, 0, 1 },     { 0, "BB", 0, 0, 1 },
        { 0, "B", 1, 1, 0 },   { 0, "BP", 2, 0, 0 },   { 0, "BPK", 2, 1, 1 },   { 0, "X", -1, 0, 0 },
        { 0, "#", -1, 0, 0 },  { 1, "#", 1, 0, 0 },    { 1, "#SP", 0, 0, 1 },   { 1, "#O", 0, 0, 1 },
        { 1, "#S", 2, 0, 0 },  { 1, "#E", 2, 0, 0 },   { 1, "", -1, 0, 0 },     { 1, "P", -1, 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.edit ? "edit " : "") + c.tokens);
        Text().m_editFlag = c.edit;
        Text().m_tokenString = c.tokens;
        int box = -7, complete = -7;
        EXPECT_EQ(Text().ClassifyTokens(&box, &complete), c.slot);
        EXPECT_EQ(box, c.box);
        EXPECT_EQ(complete, c.complete);
        EXPECT_EQ(Text().IsEditPick(), std::string(c.tokens) == "#");
    }
    const struct {
        const char* tokens;
        int index;
    } points[] = { { "", -1 }, { "K", -1 }, { "B", 0 }, { "BPK", 1 }, { "#SP", 2 }, { "#S", 1 }, { "#E", 1 }, { "#T", -1 } };
    for (const auto& p : points) {
        Text().m_tokenString = p.tokens;
        EXPECT_EQ(Text().GetLastPointTokenIndex(), p.index) << p.tokens;
    }
}

TEST_F(TextTape, BothInstancesHoldThePatternTable)
{
    for (CTextCommand* c : { &Text(), &m_tape.TextInt() }) {
        ASSERT_EQ(c->m_patternGroups.GetSize(), 9);
        ASSERT_EQ(c->m_acceptedPatterns.GetSize(), 18);
        EXPECT_EQ(c->GetGroupLeadPattern("range"), "BPK");
        EXPECT_EQ(c->GetGroupLeadPattern("edit_ang"), "#A");
        EXPECT_EQ(c->GetGroupLeadPattern("form"), "#SP");
        EXPECT_EQ(c->FindGroupOfPattern("#K")->name, "edit_text");
        EXPECT_EQ(c->FindGroupOfPattern("#EP")->name, "form");
        EXPECT_EQ(c->FindGroupOfPattern("BPK")->name, "range");
        EXPECT_EQ(c->FindGroupOfPattern("BP"), nullptr);
        c->m_tokenString = "#Q";
        EXPECT_EQ(c->GetCurrentGroupName(), "multi");
        c->m_tokenString = "C";
        EXPECT_EQ(c->GetCurrentGroupName(), "inner");
        for (const char* prefix : { "", "B", "BP", "BPK", "#", "#S", "#EP", "K" })
            EXPECT_TRUE(c->IsAcceptedPrefix(prefix)) << prefix;
        for (const char* prefix : { "BPP", "PP", "#X", "X", "#SPP" })
            EXPECT_FALSE(c->IsAcceptedPrefix(prefix)) << prefix;
        // A typed number is an angle here, never a length.
        m_tape.App().m_commandKind = 7;
        m_tape.App().m_lengthInputMain = 1;
        c->UpdateLengthInputFlag();
        EXPECT_EQ(m_tape.App().m_lengthInputMain, 0);
    }
    EXPECT_EQ(Text().m_modePattern, "P");
    EXPECT_EQ(m_tape.TextInt().m_modePattern, "#P");
    EXPECT_EQ(Text().m_string.Left(4), "Zelk");
    EXPECT_EQ(Text().m_editBlock, -1);
    EXPECT_EQ(Text().m_defaultLength, 500.0);
}

TEST_F(TextTape, RowsReadBothInstancesAndTheTypedText)
{
    m_tape.Code(309);
    const CCommandRow& edit = m_tape.TextMenu("文字変更");
    EXPECT_EQ(edit.textModeInt, "#T");
    EXPECT_EQ(edit.textMode, "P");
    EXPECT_EQ(m_tape.TextMenu("文字列サイズ変更").textModeInt, "#SP");
    EXPECT_EQ(m_tape.TextMenu("属性変更").textModeInt, "#Q");
    m_tape.TextMenu("連続文字列");
    m_tape.PostedText("ABC");
    EXPECT_EQ(Text().m_lastInputKind, 5);
}

TEST_F(TextTape, TheKeyRoutinesReachTheTextCommandByItsType)
{
    CTextCommand& edit = m_tape.TextInt();
    CCommandRef ref(&edit);
    ASSERT_TRUE(static_cast<bool>(ref));
    ref.SetEditTarget(2, 7, 3);
    EXPECT_EQ(edit.m_editBlock, 2);
    EXPECT_EQ(edit.m_editSlot, 7);
    EXPECT_EQ(edit.m_editPickPosition, 3);
    EXPECT_EQ(edit.m_editFlag, 1);
    edit.m_tokenString = "#";
    EXPECT_TRUE(ref.IsEditPick());
    edit.m_tokenString = "#S";
    EXPECT_FALSE(ref.IsEditPick());

    edit.m_macroFlag = 1;
    EXPECT_TRUE(ref.TakesMacroInput());
    ref.EndMacroInput();
    EXPECT_EQ(edit.m_macroFlag, 0);
    EXPECT_EQ(edit.m_tokenString, "");
    EXPECT_FALSE(ref.TakesMacroInput());

    ref.OnInput(11, 0);
    EXPECT_EQ(edit.m_lastInputKind, 11);
    edit.m_tokenString = "#P";
    m_tape.Doc().m_previewKind = 0;
    ref.Reset();
    EXPECT_EQ(edit.m_tokenString, "");
    EXPECT_EQ(edit.m_editFlag, 0);
    EXPECT_EQ(m_tape.Doc().m_previewKind, 40);
}

}  // namespace
