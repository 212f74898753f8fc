// What the line command shows: its guidance pair for each state, the default macro step prompts
// it offers the recorder, and the rubber band it asks the view to draw.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/ZelkApp.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LineGuidanceTexts.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

const char* const kBefore = "before";

struct State {
    const char* mode = "";
    const char* tokens = "";
    int allPatterns = 0;   // the option without popup menus on and no mode chosen from a menu
    int flag = 1;          // the line multi-command flag
    int edit = 0;
};

void Apply(CCommandTape& tape, const State& s)
{
    CLineCommand& c = tape.Line();
    CZelkApp& app = tape.App();
    app.m_noPopupMenu = s.allPatterns;
    app.m_modeFromMenu = s.allPatterns ? 0 : 1;
    app.m_appCommand.m_lineFlag = s.flag;
    c.m_modePattern = s.mode;
    c.m_tokenString = s.tokens;
    c.m_editFlag = s.edit;
    c.m_macroFlag = 0;
    c.m_prompt = kBefore;
    c.m_hint = kBefore;
}

TEST(LineTexts, TablesHoldEveryRowWithItsBytes)
{
    using namespace LineTexts;
    EXPECT_EQ(kModePairCount, 11);
    EXPECT_EQ(kEditLeadRowCount, 6);
    EXPECT_EQ(kEditStepRowCount, 7);
    EXPECT_EQ(kEditClearedPatternCount, 17);
    EXPECT_EQ(kModePairTokenCount, 20);
    EXPECT_EQ(kContinuousTokenCount, 4);
    EXPECT_EQ(kStepRowCount, 41);
    EXPECT_EQ(kMacroRowCount, 46);

    // The code page: half-width marks are one byte, a full-width blank is 0x81 0x40.
    ASSERT_EQ(std::string("･､　"), "\xA5\xA4\x81\x40");
    EXPECT_NE(std::string(kAllLines.prompt).find("】\x81\x40>>\x81\x40始点線"), std::string::npos);
    EXPECT_NE(std::string(kContinuous.prompt).find(" \xA5\xA5\xA5【ESC"), std::string::npos);
    // Two blanks kept where they were written.
    EXPECT_STREQ(kStepRows[17].prompt, "[傾斜線/法線/傾斜放射線] 【線分】  【本数n】 【角度】 終点");
    EXPECT_STREQ(kCutModeMessage, "線分切断モードです");
    for (int i = 0; i < kMacroRowCount; ++i) {
        if (std::strcmp(kMacroRows[i].pattern, "#C") == 0) {
            EXPECT_STREQ(kMacroRows[i].texts[0], "Macro[線分の延短] 【編集線分ダブルクリック】 延短先の円(弧");
        }
        if (std::strcmp(kMacroRows[i].pattern, "PAPP") == 0) {
            EXPECT_STREQ(kMacroRows[i].texts[1], "Macro[通過角度線] 【通過点ドラッグ】 始点位置 終点位置");
        }
    }
}

TEST(LineGuidance, TheStateChoosesTheRowOrKeepsThePair)
{
    struct Case {
        State s;
        const char* prompt;   // kBefore: the pair stays
        const char* hint;
    };
    const char* allP = LineTexts::kAllLines.prompt;
    const char* allH = LineTexts::kAllLines.hint;
    const char* startP = LineTexts::kStartLine.prompt;
    const char* startH = LineTexts::kStartLine.hint;
    const Case cases[] = {
        { { "SE", "" }, "[２点線] 【始点】 終点", "[２点線] 始点と終点を右ボタンで入力。" },
        { { "SE", "P" }, "[２点線] 始点 【終点】", "[２点線] 終点を右クリックで入力。" },
        { { "SE", "", 1 }, allP, allH },
        { { "SE", "P", 1 }, startP, startH },
        { { "SE", "", 0, 0 }, "", "" },
        { { "SE", "SE" }, "[２点線] 【始点】 終点", "[２点線] 始点と終点を右ボタンで入力。" },
        // the parallel mode: its mode pair, the all-lines pair only with "SL"
        { { "LP", "SL" }, "[平行線] 【線分】 本数n 通過点|間隔  または　【端点】 本数n 線分",
          "純平行線の線分を左クリック、またはスライド平行線の端点を右クリック。" },
        { { "LP", "SL", 1 }, allP, allH },
        { { "LP", "", 1 }, "[平行線] 【線分】 本数n 通過点|間隔  または　【端点】 本数n 線分",
          "純平行線の線分を左クリック、またはスライド平行線の端点を右クリック。" },
        { { "LP", "LN" }, LineTexts::kContinuous.prompt, LineTexts::kContinuous.hint },
        { { "LP", "LNP" }, LineTexts::kContinuous.prompt, LineTexts::kContinuous.hint },
        { { "LANP", "LNP" }, "", "" },
        // flag off: the rows that need no flag still speak
        { { "CP", "P", 0, 0 }, "[接線] 始点 【円(弧)】", "[接線] 円(弧)を左ボタンで選択。" },
        { { "CP", "P", 1, 0 }, "[接線] 始点 【円(弧)】", "[接線] 円(弧)を左ボタンで選択。" },
        { { "CP", "P", 1, 1 }, startP, startH },
        { { "CP", "C", 0, 0 }, "[接線] 円(弧) 【円(弧)|終点】",
          "[接線] 円(弧)を左クリックで選択、または終点を右クリックで入力。" },
        { { "SE", "SN", 0, 0 }, "[スライド平行線] 端点 【本数n】 【線分】",
          "[スライド平行線] 線分を左クリックで選択するとスライド平行線を作成。" },
        { { "SE", "LNAH", 0, 0 }, "[法線/傾斜線/傾斜放射線] 線分 本数n 角度 始点 【終点位置】", "終点の位置を右クリック。" },
        { { "SE", "D", 0, 0 }, "[面取り] 【面取り寸法】 【面取り要素第１】 面取り要素第２",
          "[面取り] 第１の線分または円(弧)を左(ダブル)クリック。" },
        { { "SE", "D", 1, 0 }, "[連続長さ線　面取り] 【長さL】 【角度】 【線分|円(弧)】 【始点】",
          "[連続長さ線　面取り] 始点の右クリックで線分を作成。線分|円(弧)の(ダブル)クリックで面取り。長さと角度は変更可能。" },
        { { "SE", "DL" }, kBefore, kBefore },
        { { "DLL", "DL", 1 }, "[面取り/連続長さ線] 面取り寸法 線分第１ 【面取り要素第２】【配置点】",
          "[面取り/連続長さ線] 第２の線分または円(弧)を左(ダブル)クリックで面取り、配置点で連続長さ線に移行。" },
        { { "SANP", "SA" }, kBefore, kBefore },
        { { "SANP", "P", 1 }, "[始点角度線/角度放射線] 始点 【角度|線分】 本数n 終点位置|長さL",
          "[始点角度線/角度放射線] 角度を入力すると角度固定の仮線が表示されます。" },
        { { "BP", "BA" }, "[矩形] 始点 【角度|角度要素】 【終点|幅L】",
          "[矩形] 矩形の第２点を右クリックで､または幅Lを入力。角度は線分選択でも変更可能。" },
        { { "", "" }, "", "" },
        // the edits of a line
        { { "#SP", "#", 0, 1, 1 }, "[線分の端点移動] 【移動端点】 移動先点",
          "[線分の端点移動] 移動する自己端点を右クリックしてから、移動先の点を右クリック。" },
        { { "#SP", "#", 1, 1, 1 }, LineTexts::kEditLeadAll.prompt, LineTexts::kEditLeadAll.hint },
        { { "#SP", "#", 1, 0, 1 }, kBefore, kBefore },
        { { "#SP", "#S", 0, 1, 1 }, "[線分の端点移動] 移動端点 【移動先点】", "[線分の端点移動] 移動先の点を右クリックで入力。" },
        { { "#SP", "#E", 0, 1, 1 }, "[線分端点移動] 移動端点 【移動先点】", "[線分端点移動] 移動先の点を右クリックで入力。" },
        { { "#EP", "#E", 0, 1, 1 }, kBefore, kBefore },
        { { "#SP", "#SP", 0, 1, 1 }, "", "" },
        { { "#Q", "#Q", 0, 0, 1 }, "", "" },
        { { "#pp", "#c", 0, 1, 1 }, "[線分の中抜き/切断] 切断円(弧) 【切断点|切断要素】",
          "[線分の中抜き/切断] 切断点を右クリック、または切断要素を左クリック。同一点で切断。" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        Apply(tape, k.s);
        tape.Line().ShowGuidance();
        SCOPED_TRACE(std::string(k.s.mode) + " / " + k.s.tokens);
        EXPECT_EQ(tape.Line().m_prompt, k.prompt);
        EXPECT_EQ(tape.Line().m_hint, k.hint);
    }
}

TEST(LineGuidance, TheMacroFlagShowsTheStepTextsAndLeavesTheHint)
{
    CCommandTape tape;
    CLineCommand& c = tape.Line();
    Apply(tape, { "SE", "" });
    c.m_macroFlag = 1;
    c.m_stepTexts.Add("zero");
    c.m_stepTexts.Add("one");
    c.m_stepTexts.Add("two");
    const char* const want[] = { "zero", "one", "two", "zero", "" };
    const char* const tokens[] = { "", "P", "PA", "PAP", "PAPP" };
    for (int i = 0; i < 5; ++i) {
        c.m_tokenString = tokens[i];
        c.ShowGuidance();
        EXPECT_EQ(c.m_prompt, want[i]) << i;
        EXPECT_EQ(c.m_hint, kBefore);
    }
}

TEST(LineMacroPrompts, RowsFillOnlyTheEmptyEntries)
{
    CCommandTape tape;
    CLineCommand& c = tape.Line();
    auto build = [&](const char* pattern, CStringArray& list) { c.BuildMacroPrompts(pattern, list); };

    CStringArray list;
    build("SE", list);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[0], "Macro[２点線] 【始点】 終点");
    EXPECT_EQ(list[1], "Macro[２点線] 始点 【終点】");

    list.RemoveAll();
    list.Add("mine");
    list.Add("");
    list.Add("cut");
    build("SE", list);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[0], "mine");
    EXPECT_EQ(list[1], "Macro[２点線] 始点 【終点】");

    list.RemoveAll();
    build("BADD", list);
    ASSERT_EQ(list.GetSize(), 4);
    EXPECT_EQ(list[2], "Macro[矩形] 始点 角度 幅 【高さ】");
    EXPECT_EQ(list[3], "Macro[矩形] 始点 角度 幅 【高さ】");
    list.RemoveAll();
    list.SetSize(4);
    list[2] = "given";
    build("BADD", list);
    EXPECT_EQ(list[3], "Macro[矩形] 始点 【角度|線分|円(弧)|文字列】 【幅】 高さ");

    list.RemoveAll();
    build("DP", list);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[0], "");
    EXPECT_EQ(list[1], "");

    list.RemoveAll();
    build("#SP", list);
    EXPECT_EQ(list[0], "");
    c.m_editFlag = 1;
    build("#SP", list);
    EXPECT_EQ(list[0], "Macro[線分の端点移動] 【編集線分ダブルクリック】 任意点 変更点");
    EXPECT_EQ(list[2], "Macro[線分の端点移動] 編集線分 任意点 【変更点】");
    list.RemoveAll();
    build("SE", list);
    EXPECT_EQ(list[0], "");
}

TEST(LineRubberBand, CodesAndTheDataHandedToTheDocument)
{
    CCommandTape tape;
    CLineCommand& c = tape.Line();
    CZelkDoc& doc = tape.Doc();
    c.m_inputPoints[0].SetPoint(At(10, 20));
    c.m_values[0].value = 7.0;
    c.m_values[1].value = 33.0;
    c.m_values[2].value = 4.0;
    c.m_pickedLines[0].Assign(CLine(0, 0, 0, 100));
    doc.m_absAngle = 15.0;
    doc.m_relAngle = 5.0;
    struct Case {
        const char* tokens;
        int code;
    };
    const Case cases[] = {
        { "P", 1 }, { "SD", 11 }, { "SDN", 11 }, { "SA", 10 }, { "A", 4 }, { "PA", 8 }, { "L", 6 },
        { "LA", 9 }, { "LNA", 9 }, { "D", 5 }, { "DCC", 5 }, { "B", 42 }, { "BA", 42 }, { "SE", 0 }, { "", 0 },
    };
    for (const Case& k : cases) {
        c.m_tokenString = k.tokens;
        EXPECT_EQ(c.ShowRubberBand(), k.code) << k.tokens;
    }
    c.m_tokenString = "P";
    c.ShowRubberBand();
    EXPECT_DOUBLE_EQ(doc.m_previewPointA.m_x, 10.0);
    EXPECT_DOUBLE_EQ(doc.m_previewPointA.m_y, 20.0);
    c.m_tokenString = "SD";
    c.ShowRubberBand();
    EXPECT_EQ(doc.m_previewLength, 33.0);
    c.m_tokenString = "LNA";
    c.ShowRubberBand();
    EXPECT_EQ(doc.m_previewAngle, 4.0);
    c.m_tokenString = "B";
    c.ShowRubberBand();
    EXPECT_EQ(doc.m_previewAngle, 5.0);
    // Under a macro of an inclined line the picked line turns its normal to the pointer.
    c.m_tokenString = "L";
    c.m_macroFlag = 1;
    c.m_macroPattern = "LANP";
    EXPECT_EQ(c.ShowRubberBand(), 9);
    EXPECT_DOUBLE_EQ(doc.m_previewAngle, 180.0);
}

TEST(LineRubberBand, EditsShowTheEditedLine)
{
    CCommandTape tape;
    CLineCommand& c = tape.Line();
    CZelkDoc& doc = tape.Doc();
    CZelkApp& app = tape.App();
    c.m_editFlag = 1;
    c.m_tokenString = "#";
    EXPECT_EQ(c.ShowRubberBand(), 0);   // no edited line
    std::int16_t block = -1, slot = -1;
    doc.m_creationLog->AddLine(At(0, 0), At(0, 10), 1, block, slot, 1, 0);
    c.m_editBlock = block;
    c.m_editSlot = slot;
    app.m_appCommand.m_lineFlag = 1;
    struct Case {
        const char* mode;
        int pickPosition;
        double x, y;   // preview point 1
    };
    for (const Case& k : { Case{ "#L", 2, 0, 10 }, Case{ "#L", 7, 0, 0 } }) {
        c.m_modePattern = k.mode;
        c.m_editPickPosition = k.pickPosition;
        EXPECT_EQ(c.ShowRubberBand(), 10);
        EXPECT_DOUBLE_EQ(doc.m_previewPointA.m_x, k.x);
        EXPECT_DOUBLE_EQ(doc.m_previewPointA.m_y, k.y);
        EXPECT_DOUBLE_EQ(doc.m_previewAngle, 90.0);
    }
    c.m_modePattern = "#AP";
    EXPECT_EQ(c.ShowRubberBand(), 0);
    c.m_modePattern = "#pp";
    EXPECT_EQ(c.ShowRubberBand(), 8);
    c.m_tokenString = "#A";
    EXPECT_EQ(c.ShowRubberBand(), 7);
    EXPECT_DOUBLE_EQ(doc.m_previewLines[0].m_end.m_y, 10.0);
    app.m_lastMessage = "";
    c.m_tokenString = "#p";
    EXPECT_EQ(c.ShowRubberBand(), 8);
    EXPECT_EQ(app.m_lastMessage, "線分切断モードです");
    EXPECT_DOUBLE_EQ(doc.m_absAngle, 90.0);
    c.m_tokenString = "#Q";
    EXPECT_EQ(c.ShowRubberBand(), 0);
}

} // namespace
