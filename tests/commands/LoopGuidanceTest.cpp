// The loop command's pattern table, its guidance pair for each state and the default macro step
// prompts it offers the recorder.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/ZelkApp.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/LoopGuidanceTexts.h"
#include "document/ZelkDoc.h"
#include "tests/support/CommandTape.h"

namespace {

const char* const kBefore = "before";

TEST(LoopCommand, StartsEmptyAndAnswersItsTable)
{
    CCommandTape tape;
    CLoopCommand& c = *tape.Doc().m_loopCmd;
    EXPECT_EQ(c.m_modePattern, "");
    EXPECT_EQ(c.m_tokenString, "");
    EXPECT_EQ(c.m_defaultLength, 500.0);
    EXPECT_EQ(c.m_extractState, 0);
    EXPECT_EQ(c.m_loops.GetSize(), 0);
    EXPECT_EQ(c.GetGroupLeadPattern("gravity"), "OQ");
    EXPECT_EQ(c.GetGroupLeadPattern("arccurve"), "AV");
    EXPECT_EQ(c.GetGroupLeadPattern("multi"), "OAP");
    EXPECT_EQ(c.GetGroupLeadPattern("none"), "");
    c.m_tokenString = "OD";
    EXPECT_EQ(c.GetCurrentGroupName(), "multi");
    c.m_tokenString = "OA";
    EXPECT_EQ(c.GetCurrentGroupName(), "");
    EXPECT_EQ(c.IsAcceptedPrefix("OL"), 1);
    EXPECT_EQ(c.IsAcceptedPrefix("OP"), 0);
    EXPECT_EQ(c.IsAcceptedPrefix(""), 1);

    struct Case {
        const char* tokens;
        int position, complete;
    };
    for (const Case& k : { Case{ "", 0, 0 }, Case{ "OLQ", 0, 1 }, Case{ "AV", 0, 1 }, Case{ "O", 1, 0 },
                           Case{ "A", 1, 0 }, Case{ "OL", 2, 0 }, Case{ "OX", -1, 0 } }) {
        c.m_tokenString = k.tokens;
        int single = 7, complete = 7;
        EXPECT_EQ(c.ClassifyTokens(single, complete), k.position) << k.tokens;
        EXPECT_EQ(complete, k.complete) << k.tokens;
        EXPECT_EQ(single, 0);
    }

    c.m_tokenString = "OA";
    c.m_values[1].value = 35.0;
    EXPECT_EQ(c.PreparePreview(), 2);
    EXPECT_EQ(tape.Doc().m_previewAngle, 35.0);
    c.m_tokenString = "O";
    EXPECT_EQ(c.PreparePreview(), 13);

    // A reset keeps the mode and drops the rest.
    c.m_modePattern = "OD";
    c.m_extractState = 3;
    c.m_macroFlag = 1;
    c.Reset();
    EXPECT_EQ(c.m_modePattern, "OD");
    EXPECT_EQ(c.m_tokenString, "");
    EXPECT_EQ(c.m_extractState, 0);
    EXPECT_EQ(c.m_macroFlag, 0);
    EXPECT_EQ(c.m_values[1].value, 0.0);
}

struct GuidanceCase {
    int multi;       // the setting without popup menus
    int chosen;      // a mode was chosen from a menu
    int flag;        // the loop kind's multi-command flag
    const char* mode;
    const char* tokens;
    int state;
    const char* prompt;   // kBefore: unchanged
    const char* hint;
};

TEST(LoopGuidance, TheStateChoosesTheCase)
{
    using namespace LoopTexts;
    const std::string popupStart = std::string(kStartPromptG) + " (ポップアップ終了：ESC)";
    const std::string popupJoinHint = std::string(kJoinHintG) + " ESCでポップアップコマンド終了。";
    const GuidanceCase cases[] = {
        { 0, 0, 1, "OD", "", 0, "[ループ図形抽出] 【ループの開始要素を選択】 【１ループ抽出終了Enter】", kStartHintG },
        { 0, 0, 1, "OD", "", 1, "[ループ図形抽出] 【ループの接合要素を選択】 【１ループ抽出終了Enter】", kJoinHintG },
        { 0, 0, 1, "OD", "O", 3, "[オフセット] 【間隔】", kOffsetOHint },
        { 0, 0, 1, "OQ", "O", 3, kComputeOPrompt, kComputeOHint },
        { 0, 0, 1, "OD", "OA", 3, kBefore, kBefore },
        { 0, 0, 1, "OAP", "OA", 3, kHatchOAPrompt, kHatchOAHint },
        { 0, 0, 1, "OD", "OD", 0, kStartPromptG, kStartHintG },
        { 0, 0, 1, "AV", "", 0, kArcModePrompt, kArcModeHint },
        { 0, 0, 1, "AV", "", 1, kBefore, kBefore },
        { 1, 1, 1, "OD", "", 0, popupStart.c_str(), nullptr },
        { 1, 1, 1, "OD", "", 2, nullptr, popupJoinHint.c_str() },
        { 0, 0, 0, "OD", "", 0, kBefore, kBefore },
        { 1, 0, 0, "", "", 0, kMultiStartPrompt, kMultiStartHint },
        { 1, 0, 0, "", "", 1, kJoinPromptM, kJoinHintM },
        { 1, 0, 0, "", "OQ", 0, "[ループ図形抽出]【ループの開始要素を選択】", "開始要素で端点結合リンクを自動抽出。" },
        { 1, 0, 0, "", "O", 3, kMultiOPrompt, kMultiOHint },
        { 1, 0, 0, "", "A", 3, kBefore, kBefore },
        { 1, 0, 0, "", "OL", 3, kBefore, kBefore },
    };
    for (const GuidanceCase& k : cases) {
        CCommandTape tape;
        CZelkApp& app = tape.App();
        CLoopCommand& c = *tape.Doc().m_loopCmd;
        app.m_noPopupMenu = k.multi;
        app.m_modeFromMenu = k.chosen;
        app.m_appCommand.m_loopFlag = k.flag;
        c.m_modePattern = k.mode;
        c.m_tokenString = k.tokens;
        c.m_extractState = static_cast<std::uint8_t>(k.state);
        c.m_prompt = kBefore;
        c.m_hint = kBefore;
        c.ShowGuidance();
        SCOPED_TRACE(std::string(k.mode) + " / " + k.tokens + " / " + std::to_string(k.state));
        if (k.prompt) {
            EXPECT_EQ(c.m_prompt, k.prompt);
        }
        if (k.hint) {
            EXPECT_EQ(c.m_hint, k.hint);
        }
    }
}

TEST(LoopGuidance, TheArcCurvePromptCarriesTheLimit)
{
    CCommandTape tape;
    CZelkApp& app = tape.App();
    CLoopCommand& c = *tape.Doc().m_loopCmd;
    app.m_noPopupMenu = 1;
    app.m_modeFromMenu = 0;
    c.m_tokenString = "A";
    c.m_values[0].value = 15.0;
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "[連続線分列の円弧曲線化]【限界接合角度=15度】【連続線分列の開始線分を選択】分岐選択　Enter　>>　円弧近似曲線変換");
    EXPECT_EQ(c.m_hint, LoopTexts::kArcCurveBeforeHint);
    c.m_extractState = 1;
    c.m_values[0].value = 7.5;
    c.ShowGuidance();
    EXPECT_EQ(std::string(c.m_prompt.GetString()), std::string("[連続線分列の円弧曲線化]【限界接合角度=7.5") + LoopTexts::kArcCurveWhile);
    // Under the loop kind's flag and the mode "AV" the first part is the bracketed one.
    app.m_noPopupMenu = 0;
    app.m_appCommand.m_loopFlag = 1;
    c.m_modePattern = "AV";
    c.m_extractState = 0;
    c.ShowGuidance();
    EXPECT_EQ(std::string(c.m_prompt.GetString()), std::string("【連続線分列の円弧曲線化】【限界接合角度=7.5") + LoopTexts::kArcCurveBefore);
    // The macro player's step texts, then nothing past the last.
    c.m_macroFlag = 1;
    c.m_stepTexts.Add("zero");
    c.m_stepTexts.Add("one");
    c.m_tokenString = "O";
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "one");
    c.m_tokenString = "OD";
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "zero");
    c.m_tokenString = "OLQ";
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "");
}

TEST(LoopMacroPrompts, RowsFillOnlyTheEmptyEntries)
{
    CCommandTape tape;
    CLoopCommand& c = *tape.Doc().m_loopCmd;
    CStringArray list;
    list.SetSize(2);
    list[1] = "mine";
    c.BuildMacroPrompts("OLQ", list);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0], "Macro[周長/面積/重心/二次モーメント] 【ループ図形抽出】【抽出終了Enter】 二次モーメントの軸線分 算定Enter");
    EXPECT_EQ(list[1], "mine");
    EXPECT_EQ(list[2], "Macro[周長/面積/重心/二次モーメント] ループ図形抽出 二次モーメントの軸線分 【算定Enter】");
    list.RemoveAll();
    c.BuildMacroPrompts("AV", list);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[0], "");
    EXPECT_EQ(list[1], "");
    list.RemoveAll();
    c.BuildMacroPrompts("OD", list);
    EXPECT_EQ(list[1], "Macro[オフセット] ループ図形抽出 【間隔】");
}

TEST(LoopAcceptance, TheModesGroupOrEveryPatternDecides)
{
    struct Case {
        int multi, chosen;
        const char* mode;
        const char* tokens;
        const char* letter;
        int accepted;
        const char* after;
        const char* message;   // the refusal's, empty when accepted
    };
    const Case cases[] = {
        { 0, 0, "OD", "", "O", 1, "O", "" },
        { 0, 0, "OD", "O", "D", 1, "OD", "" },
        { 0, 0, "OD", "O", "A", 0, "O", "不適合な入力です" },
        { 0, 0, "OAP", "O", "A", 1, "OA", "" },
        { 0, 0, "OAP", "OA", "A", 1, "OA", "" },     // a second angle replaces the first
        { 0, 0, "OAP", "OA", "P", 1, "OAP", "" },
        { 0, 0, "OQ", "O", "L", 1, "OL", "" },     // the axis of "OLQ" in the same group
        { 0, 0, "OQ", "OL", "L", 1, "OL", "" },    // a second axis replaces the first
        { 0, 0, "OD", "O", "L", 0, "O", "不適合な入力です" },
        { 0, 0, "", "O", "P", 0, "O", "対応していない入力です" },
        // Without popup menus and no mode chosen, every pattern of "multi" is open.
        { 1, 0, "OD", "O", "A", 1, "OA", "" },
        { 1, 0, "", "", "A", 1, "A", "" },
        { 1, 0, "", "A", "V", 1, "AV", "" },
        { 1, 0, "", "O", "V", 0, "O", "不適合な入力です" },
        { 1, 1, "OD", "O", "A", 0, "O", "不適合な入力です" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CZelkApp& app = tape.App();
        CLoopCommand& c = *tape.Doc().m_loopCmd;
        app.m_noPopupMenu = k.multi;
        app.m_modeFromMenu = k.chosen;
        app.m_lastMessage = "";
        c.m_modePattern = k.mode;
        c.m_tokenString = k.tokens;
        SCOPED_TRACE(std::string(k.mode) + " / " + k.tokens + " + " + k.letter);
        EXPECT_EQ(c.AcceptInput(k.letter), k.accepted);
        EXPECT_EQ(c.m_tokenString, k.after);
        EXPECT_EQ(app.m_lastMessage, k.message);
    }
}

TEST(LoopAcceptance, TheMacroPatternLeadsTheLetters)
{
    CCommandTape tape;
    CZelkApp& app = tape.App();
    CLoopCommand& c = *tape.Doc().m_loopCmd;
    EXPECT_EQ(c.AcceptMacroInput("O"), 0);   // no pattern announced
    c.m_macroPattern = "OD";
    EXPECT_EQ(c.AcceptMacroInput(""), 1);
    EXPECT_EQ(c.m_tokenString, "O");
    // A plain number stands for the distance the pattern expects.
    EXPECT_EQ(c.AcceptMacroInput("A"), 1);
    EXPECT_EQ(c.m_tokenString, "OD");
    c.m_tokenString = "O";
    EXPECT_EQ(c.AcceptMacroInput("P"), 0);
    EXPECT_EQ(app.m_lastMessage, "不適合な入力です。");
    EXPECT_EQ(c.m_tokenString, "O");
    c.m_tokenString = "OD";
    EXPECT_EQ(c.AcceptMacroInput("Q"), 0);   // past the pattern's end
    EXPECT_EQ(CLoopCommand::MacroLetterMatches("Q", 'Q'), 1);
    EXPECT_EQ(CLoopCommand::MacroLetterMatches("A", 'P'), 0);
    EXPECT_EQ(CLoopCommand::MacroLetterMatches("V", 'V'), 0);
}

TEST(LoopAcceptance, TypedValuesGiveTheirLetters)
{
    CCommandTape tape;
    CZelkApp& app = tape.App();
    CLoopCommand& c = *tape.Doc().m_loopCmd;
    app.m_appCommand.m_loopFlag = 1;
    app.m_interruptKind = 0;
    c.m_modePattern = "OD";
    EXPECT_EQ(c.TypedToken(0), "D");
    c.UpdateLengthInputFlag();
    EXPECT_EQ(app.m_lengthInputMain, 1);
    c.m_modePattern = "OAP";
    EXPECT_EQ(c.TypedToken(3), "A");
    c.UpdateLengthInputFlag();
    EXPECT_EQ(app.m_lengthInputMain, 0);
    app.m_appCommand.m_loopFlag = 0;
    c.m_modePattern = "OD";
    EXPECT_EQ(c.TypedToken(1), "A");
    const std::pair<int, const char*> fixed[] = { { 4, "N" }, { 5, "N" }, { 6, "D" }, { 7, "D" }, { 10, "F" },
                                                  { 11, "A" }, { 12, "A" }, { 15, "A" }, { 8, "" }, { 13, "" } };
    for (const auto& [sub, letter] : fixed)
        EXPECT_EQ(c.TypedToken(sub), letter) << sub;
}

TEST(LoopExecute, CompletePatternsRunTheirOperationAndEndTheExtraction)
{
    struct Case {
        const char* tokens;
        int ran;
        int stateAfter;
        const char* message;
    };
    // Without a loop no operation makes anything, and none says it did.
    const Case cases[] = {
        { "", 0, 3, "" },
        { "O", 0, 3, "ループの抽出が終わりました" },
        { "OA", 0, 3, "" },
        { "OAP", 1, 0, "" },
        { "OD", 1, 0, "" },
        { "OLQ", 1, 0, "" },
        { "AV", 1, 3, "" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CZelkApp& app = tape.App();
        CLoopCommand& c = *tape.Doc().m_loopCmd;
        app.m_lastMessage = "";
        c.m_tokenString = k.tokens;
        c.m_extractState = 3;
        SCOPED_TRACE(k.tokens);
        EXPECT_EQ(c.Execute(), k.ran);
        EXPECT_EQ(c.m_extractState, k.stateAfter);
        EXPECT_EQ(app.m_lastMessage, k.message);
    }
}

} // namespace
