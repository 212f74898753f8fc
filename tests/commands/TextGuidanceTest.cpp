// What the text command shows: its guidance pair for each step and mode, and the step prompts
// it offers the macro recorder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "tests/support/CommandTape.h"

namespace {

constexpr const char* kEditPrompt = "[文字列編集]  【移動先の点】変更の【文字入力|文字列選択]  【数値ボタン：角度|角度要素】属性を変更して【Enter]  【移動する端点】　>>  移動, 文字･角度･属性･サイズの変更";
constexpr const char* kEditHint = "[文字列編集] 点を右クリックで、文字は入力ボックスまたは文字列を左ボタンで選択し、角度は数値または要素の左ピックで、属性はフォントや色を選択してEnterします。";
constexpr const char* kSizeStepPrompt = "[文字列サイズ変更] 移動する端点 【移動先点】";
constexpr const char* kSizeAllHint = "[文字列サイズ変更] 移動先の点を右クリックで入力します。";
constexpr const char* kSizeStepHint = "[文字列サイズ変更] 移動先の点を右クリックで入力。";
constexpr const char* kAllPrompt = "[全文字列]  【文字入力|文字列選択]  【角度|角度要素|点ドラッグ]  【配置点]  【ダブル点】Enterキー 第２点 第２ダブル点　>>　文字列配置 連続文字列 箱配置文字列";
constexpr const char* kAllHint = "[全文字列] 点なら右ボタン、ダブル点なら右ボタンダブルクリック、角度なら数値入力、角度要素なら左クリック。";
constexpr const char* kBoxStartPrompt = "[連続文字列 / 箱配置文字列]  第１ダブル点 【ピッチ第２点|下方配置Enterキー]  【箱第２ダブル点】";
constexpr const char* kBoxStartHint = "ピッチを右クリック点 または 均等下方配置にはEnterキー または 箱配置の対角点を右ダブルクリックで入力。";
constexpr const char* kRunPrompt = "[連続文字列]  【第２以降の文字列]  【終了：Esc】";
constexpr const char* kRunHint = "[連続文字列] 文字列を入力すると次々と均等に配置できます。Escで終了。";
constexpr const char* kSinglePrompt = "[文字列配置] 【文字入力|文字列選択】 【角度|点ドラッグ|角度要素】 【配置点】";
constexpr const char* kSingleHint = "[文字列配置] 配置点を右クリックで入力。文字列の左クリック選択と、角度入力ができます。";
constexpr const char* kContinuousPrompt = "[連続文字列] 【文字入力|文字列選択】 【角度|角度要素】 【配置点】 ピッチ点|Enterキー 第２以降の文字列";
constexpr const char* kContinuousHint = "[連続文字列] 第１の配置点を右クリックで入力。文字列の左クリック選択と、角度入力ができます。";
constexpr const char* kBoxPrompt = "[箱配置文字列] 【文字入力|文字列選択】 【角度|角度要素】 箱の【第１点】 第２点";
constexpr const char* kBoxHint = "[箱配置文字列] 箱の２つの対角点を右クリックで入力。文字列の左クリック選択と、角度入力ができます。";
constexpr const char* kPitchPrompt = "[連続文字列] 【ピッチ点|下方配置Enterキー】第２以降の文字列";
constexpr const char* kPitchHint = "[連続文字列] ピッチ点を右クリックで入力 または 均等下方配置にはEnterキーを入力します。";
constexpr const char* kBoxSecondPrompt = "[箱配置文字列] 第１点 箱の【第２点】";
constexpr const char* kBoxSecondHint = "[箱配置文字列] 対角点を右クリックで入力します。";
constexpr const char* kNextTextPrompt = "[連続文字列] ピッチ第１配置点 ピッチ第２点|Enterキー【文字入力】";
constexpr const char* kNextTextHint = "[連続文字列] 文字列を入力すると次々と均等に配置できます。";
constexpr const char* kMovePrompt = "[文字列移動] 【移動先の点】";
constexpr const char* kMoveHint = "[文字列移動] 移動先の点を右クリック。";
constexpr const char* kChangePrompt = "[文字変更] 変更の【文字入力|文字列選択】";
constexpr const char* kChangeHint = "[文字変更] 変更文字を入力するか、文字列を選択取得して、Enter。";
constexpr const char* kAnglePrompt = "[角度変更] 【角度|角度要素|点ドラッグ】";
constexpr const char* kAngleHint = "[角度変更] 変更角度を数値入力するか、線分か円(弧)か文字列を左クリックで選択するか、点ドラッグ。";
constexpr const char* kAttributesPrompt = "[属性変更] 属性を変更して【Enter】";
constexpr const char* kAttributesHint = "[属性変更] フォントや色を変更してから、Enter。";
constexpr const char* kSizePrompt = "[文字列サイズ変更] 【移動する端点】 移動先点";
constexpr const char* kSizeHint = "[文字列サイズ変更] 移動する端点を右クリックで入力。";

const char* const kBefore = "before";

// The state a case sets on the main text object and the application.
struct State {
    int allPatterns;       // no popup menu and no mode chosen from a menu
    int textFlag;          // the text command's option flag
    int edit;
    const char* mode;
    const char* tokens;
    const char* prompt;    // kBefore: left as it was
    const char* hint;
};

class TextGuidance : public testing::Test {
protected:
    void Apply(const State& s)
    {
        CTextCommand& c = m_tape.Text();
        CZelkApp& app = m_tape.App();
        app.m_noPopupMenu = s.allPatterns;
        app.m_modeFromMenu = s.allPatterns ? 0 : 1;
        app.m_appCommand.m_textFlag = s.textFlag;
        c.m_editFlag = s.edit;
        c.m_modePattern = s.mode;
        c.m_tokenString = s.tokens;
        c.m_prompt = kBefore;
        c.m_hint = kBefore;
    }
    CCommandTape m_tape;
};

TEST_F(TextGuidance, EveryStepOfEveryModeShowsItsPair)
{
    // The texts as the program keeps them: a full-width blank is two bytes, 81 40.
    ASSERT_EQ(std::string("　"), "\x81\x40");
    const State cases[] = {
        // Every pattern applies: the pair follows the token string alone.
        { 1, 1, 0, "P", "", kAllPrompt, kAllHint },
        { 1, 1, 0, "BB", "K", kAllPrompt, kAllHint },
        { 1, 0, 0, "BPK", "BB", kAllPrompt, kAllHint },
        { 1, 1, 0, "P", "B", kBoxStartPrompt, kBoxStartHint },
        { 1, 1, 0, "P", "BP", kRunPrompt, kRunHint },
        { 1, 1, 0, "BPK", "BPK", kRunPrompt, kRunHint },
        { 1, 1, 0, "P", "BPP", kBefore, kBefore },
        { 1, 1, 1, "#P", "#", kEditPrompt, kEditHint },
        { 1, 1, 1, "#SP", "#S", kSizeStepPrompt, kSizeAllHint },
        { 1, 1, 1, "#P", "#E", kSizeStepPrompt, kSizeAllHint },
        { 1, 1, 1, "#P", "#P", kBefore, kBefore },
        // A mode chosen, with the text flag: the mode's pair and its steps.
        { 0, 1, 0, "P", "", kSinglePrompt, kSingleHint },
        { 0, 1, 0, "P", "T", kSinglePrompt, kSingleHint },
        { 0, 1, 0, "BPK", "A", kContinuousPrompt, kContinuousHint },
        { 0, 1, 0, "BB", "", kBoxPrompt, kBoxHint },
        { 0, 1, 0, "BPK", "B", kPitchPrompt, kPitchHint },
        { 0, 1, 0, "BB", "B", kBoxSecondPrompt, kBoxSecondHint },
        { 0, 1, 0, "P", "B", kBefore, kBefore },
        { 0, 1, 0, "BPK", "BP", kNextTextPrompt, kNextTextHint },
        { 0, 1, 0, "BPK", "BPK", kNextTextPrompt, kNextTextHint },
        { 0, 1, 0, "BB", "BP", kBefore, kBefore },
        { 0, 1, 0, "BB", "BB", kBoxPrompt, kBefore },
        { 0, 1, 0, "#P", "", "", "" },
        { 0, 1, 1, "#P", "#", kMovePrompt, kMoveHint },
        { 0, 1, 1, "#T", "#", kChangePrompt, kChangeHint },
        { 0, 1, 1, "#A", "#", kAnglePrompt, kAngleHint },
        { 0, 1, 1, "#Q", "#", kAttributesPrompt, kAttributesHint },
        { 0, 1, 1, "#SP", "#", kSizePrompt, kSizeHint },
        { 0, 1, 1, "#K", "#", kBefore, kBefore },
        { 0, 1, 1, "#T", "#K", "", "" },
        { 0, 1, 1, "#SP", "#EP", "", "" },
        { 0, 1, 1, "#SP", "#S", kSizeStepPrompt, kSizeStepHint },
        { 0, 1, 1, "#SP", "#E", kSizeStepPrompt, kSizeStepHint },
        { 0, 1, 1, "#P", "#S", kBefore, kBefore },
        // Without the flag nothing is set.
        { 0, 0, 0, "P", "", kBefore, kBefore },
        { 0, 0, 1, "#SP", "#", kBefore, kBefore },
    };
    for (const State& s : cases) {
        SCOPED_TRACE(std::string(s.allPatterns ? "all " : "") + (s.textFlag ? "flag " : "") + (s.edit ? "edit " : "") +
                     s.mode + " / " + s.tokens);
        Apply(s);
        m_tape.Text().ShowGuidance();
        EXPECT_EQ(m_tape.Text().m_prompt, s.prompt);
        EXPECT_EQ(m_tape.Text().m_hint, s.hint);
        // The application takes the pair when the text command is current.
        m_tape.App().m_commandKind = 7;
        m_tape.App().m_interruptKind = 0;
        m_tape.App().SetGuidance(&m_tape.Doc());
        EXPECT_EQ(m_tape.App().m_prompt, s.prompt);
    }
}

TEST_F(TextGuidance, AMacroDrivenStepShowsItsStepNote)
{
    CTextCommand& c = m_tape.Text();
    Apply({ 1, 1, 0, "BB", "B", kBefore, kBefore });
    c.m_macroFlag = 1;
    c.m_stepTexts.Add("first corner");
    c.m_stepTexts.Add("second corner");
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "second corner");
    EXPECT_EQ(c.m_hint, kBefore);
    // Every step given: the notes start again.
    c.m_tokenString = "BB";
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "first corner");
    c.m_tokenString = "BPK";
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "");
}

TEST_F(TextGuidance, AResetInstanceShowsTheFirstStepOfItsMode)
{
    CTextCommand& c = m_tape.Text();
    // Multi-command mode, the program's default setting.
    m_tape.App().m_noPopupMenu = 1;
    m_tape.App().m_modeFromMenu = 0;
    c.Reset();
    EXPECT_EQ(c.m_prompt, kAllPrompt);
    EXPECT_EQ(c.m_hint, kAllHint);
    EXPECT_EQ(c.m_prompt, "[全文字列]  【文字入力|文字列選択]  【角度|角度要素|点ドラッグ]  【配置点]  【ダブル点】Enterキー 第２点 第２ダブル点　>>　文字列配置 連続文字列 箱配置文字列");
    m_tape.App().m_modeFromMenu = 1;
    c.Reset();
    EXPECT_EQ(c.m_prompt, "[文字列配置] 【文字入力|文字列選択】 【角度|点ドラッグ|角度要素】 【配置点】");
}

TEST_F(TextGuidance, MacroPromptsFillOnlyTheEmptySteps)
{
    CTextCommand& c = m_tape.Text();
    CStringArray prompts;
    prompts.Add("");
    prompts.Add("kept");
    c.GetMacroPrompts("BB", &prompts);
    ASSERT_EQ(prompts.GetSize(), 2);
    EXPECT_EQ(prompts[0], "Macro[箱配置文字列] 【文字入力|文字列選択]  【角度|角度要素】 【箱の第１点】 箱の第２点");
    EXPECT_EQ(prompts[1], "kept");

    struct Case {
        const char* pattern;
        int edit;
        std::vector<std::string> prompts;
    };
    const Case cases[] = {
        { "P", 0, { "Macro[文字列配置] 【文字入力|文字列選択]  【角度|角度要素|点ドラッグ]  【配置点】" } },
        { "BPK", 0, { "Macro[連続文字列] 【文字入力|文字列選択】 【角度|角度要素】 【配置点】ピッチ点 文字列", "Macro[連続文字列] 【ピッチ点|Enterキー】 第２以降の文字列", "Macro[連続文字列] ピッチ点|Enterキー 【第２以降の文字列】" } },
        { "BB", 0, { "Macro[箱配置文字列] 【文字入力|文字列選択]  【角度|角度要素】 【箱の第１点】 箱の第２点", "Macro[箱配置文字列] 箱の第１点 【箱の第２点】" } },
        { "A", 0, { "Macro[文字列配置] 【角度|点ドラッグ|角度線分|角度円(弧)|角度文字列】" } },
        { "#P", 1, { "Macro[文字列移動] 【移動する文字列】 移動先の点", "Macro[文字列移動]  移動する文字列 【移動先の点】" } },
        { "#K", 1, { "Macro[文字変更] 【変更する文字列】 変更文字列入力|選択", "Macro[文字変更]  変更する文字列 【変更文字列入力|選択】" } },
        { "#T", 1, { "Macro[文字変更] 【変更する文字列】 変更文字列入力|選択", "Macro[文字変更]  変更する文字列 【変更文字列入力|選択】" } },
        { "#A", 1, { "Macro[角度変更] 【変更する文字列】 角度|角度線分|円(弧)", "Macro[角度変更]  変更する文字列 【角度|角度線分|円(弧)】" } },
        { "#L", 1, { "Macro[角度変更] 【変更する文字列】 角度|角度線分|円(弧)", "Macro[角度変更]  変更する文字列 【角度|角度線分|円(弧)】" } },
        { "#C", 1, { "Macro[角度変更] 【変更する文字列】 角度|角度線分|円(弧)", "Macro[角度変更]  変更する文字列 【角度|角度線分|円(弧)】" } },
        { "#O", 1, { "Macro[属性変更] 【変更する文字列】 属性を変更 Enter", "Macro[属性変更]  変更する文字列  【属性を変更]  【Enter】" } },
        { "#Q", 1, { "Macro[属性変更] 【変更する文字列】 属性を変更 Enter", "Macro[属性変更]  変更する文字列  【属性を変更]  【Enter】" } },
        { "#SP", 1, { "Macro[文字列サイズ変更] 【変更する文字列】 移動する端点 移動先点", "Macro[文字列サイズ変更] 変更する文字列 【移動する端点】 移動先点", "Macro[文字列サイズ変更] 変更する文字列 移動する端点 【移動先点】" } },
        { "#EP", 1, { "Macro[文字列サイズ変更] 【変更する文字列】 移動する端点 移動先点", "Macro[文字列サイズ変更] 変更する文字列 【移動する端点】 移動先点", "Macro[文字列サイズ変更] 変更する文字列 移動する端点 【移動先点】" } },
        // A row of the other mode, and a pattern with no row, leave the entries empty.
        { "#P", 0, { "", "" } },
        { "P", 1, { "" } },
        { "BP", 0, { "", "" } },
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.pattern);
        c.m_editFlag = k.edit;
        CStringArray out;
        c.GetMacroPrompts(k.pattern, &out);
        std::vector<std::string> got;
        for (int i = 0; i < out.GetSize(); ++i)
            got.push_back(out[i].GetString());
        EXPECT_EQ(got, k.prompts);
    }
}

}  // namespace
