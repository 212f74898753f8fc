// What the circle command shows: its guidance pair for each state, the default macro step
// prompts it offers the recorder, and the rubber band it asks the view to draw.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/circle/CircleGuidanceTexts.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

const char* const kBefore = "before";

// The state a guidance or preview case sets on the main circle object.
struct State {
    int circle = 1;
    const char* mode = "";
    const char* tokens = "";
    int allPatterns = 0;   // the option without popup menus on and no mode chosen from a menu
    int circleFlag = 1;    // the circle and arc kinds' multi-command flags
    int arcFlag = 1;
    double v1 = 0, v2 = 0, v3 = 0;
    int edit = 0;
    int concentric = 0;
};

void Apply(CCommandTape& tape, const State& s)
{
    CCircleCommand& c = tape.Circle();
    CZelkApp& app = tape.App();
    app.m_noPopupMenu = s.allPatterns;
    app.m_modeFromMenu = s.allPatterns ? 0 : 1;
    app.m_appCommand.m_circleFlag = s.circleFlag;
    app.m_appCommand.m_arcFlag = s.arcFlag;
    c.m_circleFlag = s.circle;
    c.m_modePattern = s.mode;
    c.m_tokenString = s.tokens;
    c.m_editFlag = s.edit;
    c.m_concentricFlag = s.concentric;
    c.m_values[0].value = s.v1;
    c.m_values[1].value = s.v2;
    c.m_values[2].value = s.v3;
    c.m_prompt = kBefore;
    c.m_hint = kBefore;
}

TEST(CircleTexts, TablesHoldEveryRowWithItsBytes)
{
    using namespace CircleTexts;
    EXPECT_EQ(kModePairCount, 57);
    EXPECT_EQ(kStepKindCount, 104);
    EXPECT_EQ(kStepRowCount, 101);
    EXPECT_EQ(kTailRowCount, 44);
    EXPECT_EQ(kArcEditRowCount, 27);
    EXPECT_EQ(kMacroRowCount, 207);
    EXPECT_EQ(kRubberBandMessageCount, 7);

    // The code page: half-width marks are one byte, a full-width blank is 0x81 0x40.
    ASSERT_EQ(std::string("･､｡　"), "\xA5\xA4\xA1\x81\x40");
    auto find = [](const char* tokens, signed char object, signed char guidance, signed char sign) {
        for (int i = 0; i < kStepRowCount; ++i) {
            const CCircleStepRow& r = kStepRows[i];
            if (std::strcmp(r.tokens, tokens) == 0 && r.object == object && r.guidance == guidance && r.sign == sign)
                return &r;
        }
        return static_cast<const CCircleStepRow*>(nullptr);
    };
    // The row that ends in "> 全", without the last character of its siblings.
    const CCircleStepRow* n = find("N", kAnyObject, kAllPatternsGuidance, kPositiveCount);
    ASSERT_NE(n, nullptr);
    const std::string tail = " \xA5\xA5\xA5\x81\x79" "ESC|\x97\xEB" "n\x81\x7A> \x91\x53";
    EXPECT_EQ(std::string(n->prompt).substr(std::strlen(n->prompt) - tail.size()), tail);
    // Doubled punctuation and a full-width blank, kept as written.
    const CCircleStepRow* d = find("D", kCircleObject, kMenuGuidance, kAnySign);
    ASSERT_NE(d, nullptr);
    EXPECT_STREQ(d->mode, "DP");
    EXPECT_EQ(std::string(d->prompt), std::string("[連続半径円] 【半径(") + kRadiusMark + ")】 【中心】");
    const CCircleStepRow* db = find("DB", kCircleObject, kAnyGuidance, kAnySign);
    ASSERT_NE(db, nullptr);
    EXPECT_NE(std::string(db->prompt).find("\x81\x40>>\x81\x40"), std::string::npos);

    auto pair = [](char kind, const char* mode, signed char object, signed char guidance) {
        for (int i = 0; i < kModePairCount; ++i) {
            const CCircleModePairRow& r = kModePairs[i];
            if (r.pair == kind && std::strcmp(r.mode, mode) == 0 && r.object == object && r.guidance == guidance)
                return &r;
        }
        return static_cast<const CCircleModePairRow*>(nullptr);
    };
    const CCircleModePairRow* toArc = pair('A', "", kArcObject, kAnyGuidance);
    ASSERT_NE(toArc, nullptr);
    EXPECT_STREQ(toArc->prompt, "[円弧化] 反時計回り始点の【位置点|交差線分|交差円(弧)|角度d】 切断の始点の【Ctrl+位置点|Ctrl+交差線分|Ctrl+交差円弧】");
    const CCircleModePairRow* arcEdit = pair('E', "#", kArcObject, kAllPatternsGuidance);
    ASSERT_NE(arcEdit, nullptr);
    EXPECT_STREQ(arcEdit->prompt, "[円弧の編集] 延短【点,線,円(弧),角度d】 端点移動【始点,終点】 中抜き/切断【Ctrl+点,Ctrl+線,Ctrl+円】 径の変更【半径L】 属性変更【線種,色-Enter】 楕円弧化【点ドラッグ】");
    const CCircleModePairRow* attributes = pair('E', "%Q", kCircleObject, kMenuGuidance);
    ASSERT_NE(attributes, nullptr);
    EXPECT_STREQ(attributes->hint, "[円の属性の変更] 色や線種などを設定変更してから､Enterキーを入力すると属性をします｡");
    const CCircleModePairRow* allArcs = pair('M', "LLL", kArcObject, kAllPatternsGuidance);
    ASSERT_NE(allArcs, nullptr);
    EXPECT_NE(std::string(allArcs->prompt).find("､接分､"), std::string::npos);
    EXPECT_STREQ(kArcEditRows[1].hint, "[楕円(弧)の円弧曲線化] Enter で楕円を円弧近似曲線に変換します。");
    EXPECT_STREQ(kRubberBandMessages[4], "ダミー角の弧角円弧を表示しました");
    EXPECT_STREQ(kMacroRows[0].texts[1], "Macro[中心円] 中心点|同心円(弧) 【円周上点】");
    EXPECT_EQ(kMacroRows[0].texts[2], nullptr);
}

TEST(CircleGuidance, TheStateChoosesTheRowOrKeepsThePair)
{
    struct Case {
        State s;
        const char* prompt;   // kBefore: the pair stays
        const char* hint;
    };
    const Case cases[] = {
        // the mode pair of an empty token string; the kind flag off empties it
        { { 1, "PP", "" }, "[中心(接)円/同心円] 【中心点|円(弧)】 円周点|半径|接要素",
          "[中心(接)円/同心円] 中心点を右クリック、または中心を得る円(弧)を左クリックで選択します。" },
        { { 1, "PP", "", 0, 0 }, "", "" },
        { { 1, "DP", "", 1 }, "", "" },
        { { 1, "DLL", "", 1 }, "", "" },
        { { 0, "DP", "", 1 }, "", "" },
        { { 1, "NPP", "", 1 }, "", "" },
        { { 1, "NPP", "", 0, 1, 1, -6 }, "[多角形] 【角数(負値内接)】 頂点角度d 中心点 円周点|半径",
          "[多角形] 角数を数値入力します。内接多角形は負の値とします。" },
        { { 0, "BB", "" }, "[半円弧] 【円周点】 対向点|半径|角度d", "[半円弧] 直径の第１の円周点を右クリックで入力します。" },
        // construction steps; a radius text without a trailing point
        { { 1, "DP", "D", 0, 1, 1, 10 }, "[連続半径円] 【半径(10)】 【中心】",
          "[連続半径円] 中心点を右クリックで入力します。半径は変更できます。" },
        { { 1, "DP", "DP", 0, 1, 1, 12.5 }, "[連続半径円] 【半径(12.5)】 【中心】",
          "[連続半径円] 中心点を右クリックで入力すると円を作成します。半径は変更できます。" },
        { { 0, "DP", "DP", 0, 1, 1, 12.5 }, kBefore, kBefore },
        { { 0, "PP", "PP" }, kBefore, kBefore },
        { { 1, "PP", "PP" }, "[中心(接)円/同心円] 【中心点|円(弧)】 円周点|半径|接要素",
          "[中心(接)円/同心円] 中心点を右クリック、または中心を得る円(弧)を左クリックで選択します。" },
        { { 1, "DLL", "DLL", 1, 1, 1, 3 },
          "[連続半径接円] 【半径(3)】 【接要素|ダブルクリック点】 接要素|点 ･･･【ESC|点|角数n】> 全円|連続半径円|連続半径多角形",
          "[連続半径接円]　接する線分か円(弧)を左クリックまたは､点を右ダブルクリックします。半径は変更可。" },
        { { 1, "LLL", "B", 1 }, "", "" },
        { { 1, "BB", "B", 0, 0 }, kBefore, kBefore },
        { { 1, "BB", "BS", 0, 0, 0 }, "[直線] 円周ダブル点 同一始点 【終点】", "[直線] 終点右クリックすると直線を作成。" },
        { { 1, "PP", "LD" }, "", "" },
        { { 1, "PP", "LD", 0, 0 }, kBefore, kBefore },
        { { 1, "NPP", "NA", 1, 1, 1, 5 },
          "[外接多角形] 【角数(負値内接)】 【頂点角度d|角度要素】 【中心点】 円周点|半径 ･･･【ESC|零n】> 全円",
          "[外接多角形] 中心点を右クリックで入力｡頂点角度は要素選択でも変更可能｡角数変更可能｡" },
        { { 1, "NPP", "N", 1, 1, 1, 5 },
          "[外接多角形] 【角数(負値内接)】 【頂点角度d|角度要素】 【中心点】 円周点|半径 ･･･【ESC|零n】> 全",
          "[外接多角形] 中心点を右クリックで入力します｡頂点角度も入力できます｡角数は変更可能｡" },
        { { 1, "NPP", "N", 0, 1, 1, 0 }, "[内接多角形] 【-角数(正値外接)】 【頂点角度d|角度要素】 【中心点】 円周点|半径",
          "[内接多角形] 中心点を右クリックで入力します｡頂点角度も入力できます｡角数は変更可能｡" },
        { { 1, "PP", "P", 1, 1, 1, 0, 0, 0, 0, 1 }, "[同心(接)円] 同心円(弧) 【円周点|半径|接要素】･･･【同一同心円(弧)】> 円接円",
          "[同心(接)円] 円周点を右クリックで､半径を数値(++相対値 --相対値)で､接要素を左クリックで入力｡" },
        // the continuous polygon by the second count
        { { 1, "DNP", "DNA", 0, 1, 1, 10, 6 }, "[連続外接多角形] 【半径】 【角数n(負値内接)】 【頂点角度d|角度要素】 【中心点】",
          "[連続外接多角形] 中心点を右クリックで入力します｡半径と角数nと角度は変更できます｡" },
        { { 1, "DNP", "DNA", 0, 1, 1, 10, 0 }, "[連続内接多角形] 【半径】 【-角数n(正値外接)】 【頂点角度d|角度要素】 【中心点】",
          "[連続内接多角形]　中心点を右クリックで入力します。半径と角数nと角度は変更できます。" },
        { { 1, "NPP", "DNA", 0, 1, 1, 10, 6 }, "", "" },
        { { 1, "PP", "XQ" }, kBefore, kBefore },
        // edits: the tail of a circle edit, the rows of an arc edit
        { { 1, "PP", "%P" }, "[円弧化] 反時計回り終点の【位置点|交差線分|交差円(弧)|角度d】",
          "点や交差要素や角度dで円弧の時計回りの終点を入力します。" },
        { { 1, "%AA", "%P" }, kBefore, kBefore },
        { { 1, "PP", "%P", 0, 1, 0 }, kBefore, kBefore },
        { { 1, "%D", "%", 0 }, "[円の径の変更] 【半径】", "[円の径の変更] 半径を数値入力します。" },
        { { 1, "%LP", "%", 1 },
          "[円の編集] 円弧化【点,線,円,角度d】 中抜き【Ctrl+点,Ctrl+線,Ctrl+円】 径の変更【半径L】 属性変更【線種,色-Enter】 楕円化【点ドラッグ】",
          "[円の編集] 点,線,円,角度dで円弧化、Ctrl+点,線,円で中抜き、半径Lで径の変更、線種,色を設定してEnterで属性変更、点ドラッグで楕円化します" },
        { { 1, "DP", "DP%D", 0, 1, 1, 4 }, "[連続半径円] 【半径(4)】 【中心】",
          "[連続半径円] 中心点を右クリックで入力すると円を作成します。半径は変更できます。" },
        { { 0, "#SP", "#SP", 0, 1, 1, 0, 0, 0, 1 }, "", "" },
        { { 0, "#SP", "#S", 0, 1, 1, 0, 0, 0, 1 }, "[円弧の始点変更] 移動する端点 【変更点】",
          "変更点を右クリックで入力します。中心点と終点の角度を固定して始点を移動します。" },
        { { 0, "#EP", "#S", 0, 1, 1, 0, 0, 0, 1 }, kBefore, kBefore },
        { { 0, "#XX", "#", 0, 1, 1, 0, 0, 0, 1 },
          "[円弧化] 反時計回り始点の【位置点|交差線分|交差円(弧)|角度d】 切断の始点の【Ctrl+位置点|Ctrl+交差線分|Ctrl+交差円弧】",
          "点や交差要素や角度dで円弧の時計回りの始点を入力。CTRLキー押下のままで切断モード。" },
        { { 0, "#pp", "#l", 0, 1, 1, 0, 0, 0, 1 }, "[円弧の中抜き/切断] 切断始点  切断終点の【位置点|交差線分|交差円弧】",
          "[円弧の中抜き/切断] 切断点を右クリックで、切断要素を左クリックで入力します。" },
        { { 1, "PP", "&", 0, 0, 0, 0, 0, 0, 1 }, "[楕円(弧)の円弧曲線化] 【Enter】",
          "[楕円(弧)の円弧曲線化] Enter で楕円を円弧近似曲線に変換します。" },
    };
    CCommandTape tape;
    tape.Code(305);
    CCircleCommand& c = tape.Circle();
    for (const Case& k : cases) {
        Apply(tape, k.s);
        c.ShowGuidance();
        const std::string name = std::string(k.s.mode) + "/" + k.s.tokens + " obj " + std::to_string(k.s.circle);
        EXPECT_EQ(c.m_prompt, k.prompt) << name;
        EXPECT_EQ(c.m_hint, k.hint) << name;
        // The application takes the pair it is handed.
        EXPECT_EQ(tape.App().m_prompt, c.m_prompt) << name;
    }
}

TEST(CircleGuidance, TwoPointsAtOneSpotAndTheMacroStepTexts)
{
    CCommandTape tape;
    CCircleCommand& c = tape.Circle();
    tape.App().m_appCommand.m_circleFlag = 1;
    Apply(tape, { 1, "LLL", "BP" });
    c.m_inputPoints[0].SetBoth(At(5, 5));
    c.m_inputPoints[1].SetBoth(At(5, 5));
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, kBefore);
    c.m_inputPoints[1].SetBoth(At(9, 5));
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "[３要素接円/３点円/直線/弧角円] 始点 中点 【接要素|終点|同一点|弧角D】");

    // The recorder's texts of a macro: by the token string's length, wrapping once.
    c.m_macroFlag = 1;
    c.m_stepTexts.RemoveAll();
    c.m_stepTexts.Add("text 0");
    c.m_stepTexts.Add("text 1");
    c.m_hint = "hint";
    const char* const expected[] = { "text 0", "text 1", "text 0", "" };
    const char* const tokens[] = { "", "P", "PP", "PPP" };
    for (int i = 0; i < 4; ++i) {
        c.m_tokenString = tokens[i];
        c.ShowGuidance();
        EXPECT_EQ(c.m_prompt, expected[i]) << i;
        EXPECT_EQ(c.m_hint, "hint") << i;
    }
}

TEST(CircleMacroPrompts, DefaultsForEmptyEntriesOnly)
{
    CCommandTape tape;
    CCircleCommand& c = tape.Circle();
    CStringArray list;
    c.BuildMacroPrompts("DLL", list);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0], "Macro[半径接円] 【半径】 接線分 接線分");
    EXPECT_EQ(list[1], "Macro[半径接円]  半径 【接線分】 接線分");
    EXPECT_EQ(list[2], "Macro[半径接円]  半径 接線分 【接線分】");

    list.RemoveAll();
    list.Add("");
    list.Add("kept");
    list.Add("");
    for (int i = 0; i < 4; ++i)
        list.Add("cut");
    c.BuildMacroPrompts("DLL", list);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[1], "kept");
    EXPECT_EQ(list[2], "Macro[半径接円]  半径 接線分 【接線分】");

    // Polygons only for a circle object; the edits of an arc only with the edit flag.
    struct Case {
        int circle;
        int edit;
        const char* pattern;
        int index;
        const char* text;
    };
    const Case cases[] = {
        { 0, 0, "NPAP", 0, "" },
        { 0, 0, "NPAP", 1, "" },
        { 0, 0, "NPAP", 2, "" },
        { 0, 0, "NPAP", 3, "" },
        { 1, 0, "NPAP", 3, "Macro[多角形]  角数n(負値内接) 中心点 頂点角度 【円周点】" },
        { 1, 0, "#SP", 2, "" },
        { 1, 1, "#SP", 1, "Macro[円弧の始点変更]  編集円弧【移動する始点】 変更点" },
        { 0, 1, "#pp", 2, "Macro[円弧の中抜き/切断]  編集円弧 切断点 【切断点】" },
        { 1, 0, "&V", 1, "" },
        { 0, 0, "DBP", 0, "Macro[半径通過円弧] 【半径】 点 点" },
        { 0, 0, "DBP", 1, "Macro[半径２点円弧] 半径 【点】 点" },
        { 0, 0, "BDA", 2, "Macro[半円弧] 通過点 半径 【対向角】" },
        { 1, 0, "BSE", 1, "Macro[直線]  点 【任意点】 終点" },
        // the rows not written out: single blanks, the words of the row table
        { 1, 0, "LHL", 1, "Macro[２要素接円] 接線分 【接点】 接線分" },
        { 1, 0, "LHC", 1, "Macro[２要素接円] 接線分 【接点|通過点】 接円(弧)" },
        { 1, 0, "NAPD", 2, "Macro[多角形] 角数(負値内接) 頂点角度 【中心点】 半径" },
        { 1, 1, "#A", 1, "Macro[円弧の端点延短] 編集円弧 【延短の角度】" },
        { 1, 1, "#cP", 1, "Macro[円弧の中抜き/切断] 編集円弧 【切断位置円(弧)】 切断位置線分" },
        // the circle-edit tail counts from its "%"
        { 1, 0, "%AL", 0, "Macro[円弧化] 【編集円ダブルクリック】 始角 終点位置の線分" },
        { 1, 0, "%CA", 2, "Macro[円弧化] 編集円 始点位置の円弧 【終点】" },
        { 1, 0, "DP%D", 0, "Macro[半径円] 【半径】 中心点" },
        { 1, 0, "DP%D", 3, "Macro[円の半径変更]  編集円【変更半径】" },
    };
    for (const Case& k : cases) {
        c.m_circleFlag = k.circle;
        c.m_editFlag = k.edit;
        CStringArray prompts;
        c.BuildMacroPrompts(k.pattern, prompts);
        ASSERT_EQ(prompts.GetSize(), static_cast<int>(std::strlen(k.pattern))) << k.pattern;
        EXPECT_EQ(prompts[k.index], k.text) << k.pattern << " " << k.index;
    }
}

TEST(CircleRubberBand, CodesAndTheirPreviewData)
{
    CCommandTape tape;
    CCircleCommand& c = tape.Circle();
    CZelkDoc& doc = tape.Doc();
    struct Case {
        State s;
        int code;
        double angle2;
    };
    const Case cases[] = {
        { { 1, "NPP", "N", 0, 1, 1, -6 }, 56, 60 },
        { { 1, "NPP", "N", 0, 1, 1, 6 }, 57, 60 },
        { { 1, "NPP", "NA", 0, 1, 1, -4, 15 }, 56, 90 },
        { { 1, "NPP", "NPA", 0, 1, 1, 8 }, 59, 45 },
        // a count of no corners has no step: nothing is shown
        { { 1, "NPP", "N", 0, 1, 1, 0.5 }, 0, -1 },
        { { 1, "DNP", "DN", 0, 1, 1, 5, -0.2 }, 0, -1 },
        { { 1, "NPP", "NPAD", 0, 1, 1, 3 }, 57, 120 },
        { { 1, "NPP", "NPAD", 0, 0, 0, 3 }, 0, -1 },
        { { 1, "DP", "D", 0, 1, 1, 7 }, 17, -1 },
        { { 1, "BB", "BD", 0, 0, 0, 0, 0 }, 14, -1 },
        { { 1, "BB", "BD", 0, 0, 0, 0, 3 }, 22, -1 },
        { { 1, "BB", "BD", 0, 0, 1, 0, 0 }, 60, -1 },
        { { 1, "PP", "" }, 0, -1 },
        { { 1, "LLL", "C", 0, 0, 0 }, 0, -1 },
        { { 1, "PP", "XY" }, 0, -1 },
    };
    for (const Case& k : cases) {
        Apply(tape, k.s);
        doc.m_previewAngle2 = -1;
        EXPECT_EQ(c.ShowRubberBand(), k.code) << k.s.tokens << " " << k.s.v1;
        EXPECT_EQ(doc.m_previewAngle2, k.angle2) << k.s.tokens << " " << k.s.v1;
    }
    Apply(tape, { 1, "DP", "D", 0, 1, 1, 7 });
    c.ShowRubberBand();
    EXPECT_EQ(doc.m_previewValue, 7);
    EXPECT_EQ(doc.m_previewAsArc, 0);

    // The dummy angle of a first point in the arc-angle mode, for either object.
    for (int circle = 1; circle >= 0; --circle) {
        Apply(tape, { circle, "APP", "B" });
        c.m_inputPoints[0].SetBoth(At(2, 3));
        EXPECT_EQ(c.ShowRubberBand(), 31);
        EXPECT_EQ(doc.m_previewAngle, 30.0);
        EXPECT_EQ(doc.m_previewPointA.m_x, 2);
        EXPECT_EQ(doc.m_previewAsArc, circle ? 0 : 1);
        EXPECT_EQ(tape.App().m_lastMessage,
                  circle ? "ダミー角のラバー円を表示しました" : "ダミー角のラバー円弧を表示しました");
    }
    // The shared point record takes the step point of the next position; with no position
    // it keeps what it held.
    Apply(tape, { 1, "PP", "P" });
    c.m_inputPoints[1].SetBoth(At(7, 8));
    doc.m_inputPoint.SetBoth(At(-1, -1));
    c.ShowRubberBand();
    EXPECT_EQ(doc.m_inputPoint.point.m_x, 7);
    Apply(tape, { 1, "PP", "XQ" });
    doc.m_inputPoint.SetBoth(At(-1, -1));
    EXPECT_EQ(c.ShowRubberBand(), 0);
    EXPECT_EQ(doc.m_inputPoint.point.m_x, -1);

    // Three points: the second goes where the view reads the third of the circle.
    Apply(tape, { 1, "LLL", "BP" });
    c.m_inputPoints[0].SetBoth(At(1, 1));
    c.m_inputPoints[1].SetBoth(At(4, 5));
    EXPECT_EQ(c.ShowRubberBand(), 21);
    EXPECT_EQ(doc.m_previewPointB.m_x, 4);
    EXPECT_EQ(doc.m_previewPointB.m_y, 5);
}

TEST(CircleRubberBand, TheEditedArcsEndAndCentre)
{
    CCommandTape tape;
    CCircleCommand& c = tape.Circle();
    CZelkDoc& doc = tape.Doc();
    CPointD range;
    range.Init(0, 90);
    CArcs* block = doc.AddArc(At(3, 4), 10, range, 0, doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    std::int16_t b = 0;
    for (int i = 0; i < doc.m_arcBlocks.GetSize(); ++i)
        if (doc.m_arcBlocks[i] == block)
            b = static_cast<std::int16_t>(i);

    struct Case {
        const char* mode;
        const char* tokens;
        int pickPosition;
        int code;
        int movesStart;   // -1: not written
    };
    const Case cases[] = {
        { "#SP", "#S", 0, 16, 1 }, { "#EP", "#E", 0, 16, 0 }, { "#P", "#", 2, 39, 1 },
        { "#P", "#", 7, 39, 0 },    { "#D", "#", 2, 16, -1 },  { "#pp", "#p", 0, 1, -1 },
        { "#JP", "#J", 0, 15, -1 }, { "#Q", "#Q", 0, 0, -1 },
    };
    for (const Case& k : cases) {
        Apply(tape, { 0, k.mode, k.tokens, 0, 1, 1, 0, 25, 0, 1 });
        c.m_editClass = 0;
        c.m_editBlock = b;
        c.m_editSlot = static_cast<std::int16_t>(block->m_count - 1);
        c.m_editPickPosition = k.pickPosition;
        doc.m_previewArcMovesStart = -1;
        doc.m_previewPointA = At(0, 0);
        EXPECT_EQ(c.ShowRubberBand(), k.code) << k.tokens;
        EXPECT_EQ(doc.m_previewArcMovesStart, k.movesStart) << k.tokens << " " << k.pickPosition;
        if (k.code != 0) {
            EXPECT_EQ(doc.m_previewPointA.m_x, 3) << k.tokens;
        }
    }
    EXPECT_EQ(doc.m_previewAngle, 25);   // the "#J" case's angle
    // No edited element, or one beyond the blocks: nothing is shown.
    Apply(tape, { 0, "#SP", "#S", 0, 1, 1, 0, 0, 0, 1 });
    c.m_editClass = 0;
    c.m_editBlock = -1;
    EXPECT_EQ(c.ShowRubberBand(), 0);
    c.m_editBlock = 40;
    c.m_editSlot = 0;
    EXPECT_EQ(c.ShowRubberBand(), 0);
}

class CircleShows : public testing::Test {
protected:
    void SetUp() override { m_tape.Code(305); }
    CCommandTape m_tape;
};

TEST_F(CircleShows, TheRadiusCircleThroughTheTape)
{
    const CCommandRow& menu = m_tape.Menu("連続半径円");
    EXPECT_EQ(menu.prompt, "[連続半径円] 【半径(10)】 【中心】");
    const CCommandRow& typed = m_tape.Typed("12.5");
    EXPECT_EQ(typed.tokens, "D");
    EXPECT_EQ(typed.prompt, "[連続半径円] 【半径(12.5)】 【中心】");
    EXPECT_EQ(typed.hint, "[連続半径円] 中心点を右クリックで入力します。半径は変更できます。");
    EXPECT_EQ(typed.preview, 17);
    EXPECT_EQ(m_tape.Doc().m_previewValue, 12.5);
    const CCommandRow& point = m_tape.Typed("30,30");
    EXPECT_EQ(point.tokens, "DP");
    EXPECT_EQ(point.prompt, "[連続半径円] 【半径(12.5)】 【中心】");
    EXPECT_EQ(point.hint, "[連続半径円] 中心点を右クリックで入力すると円を作成します。半径は変更できます。");
    EXPECT_EQ(point.preview, 17);
}

TEST_F(CircleShows, ThePolygonOfATypedCountThroughTheTape)
{
    m_tape.Menu("多角形");
    const CCommandRow& inner = m_tape.Value(-6, 4);
    ASSERT_EQ(inner.tokens, "N");
    EXPECT_EQ(inner.preview, 56);
    EXPECT_EQ(m_tape.Doc().m_previewAngle2, 60);
    EXPECT_EQ(inner.prompt, "[内接多角形] 【-角数(正値外接)】 【頂点角度d|角度要素】 【中心点】 円周点|半径");
    const CCommandRow& centre = m_tape.Typed("10,10");
    EXPECT_EQ(centre.tokens, "NP");
    EXPECT_EQ(centre.preview, 58);
    EXPECT_NEAR(m_tape.Doc().m_previewPointA.m_x, 10, 1e-9);
}

TEST_F(CircleShows, TangentStepsThroughTheTape)
{
    m_tape.AddCircle(At(20, 20), 5);
    m_tape.Menu("３要素接円～３点円");
    const CCommandRow& picked = m_tape.Pick(At(25, 20));
    ASSERT_EQ(picked.tokens, "C");
    EXPECT_EQ(picked.prompt, "[１要素接円/２要素接円/３要素接円] 接円(弧) 【周上点|接点|接要素】 周上点|接要素");
    EXPECT_EQ(picked.preview, 29);
    EXPECT_EQ(picked.message, "ダミーのラバー円を表示しました");
    EXPECT_EQ(m_tape.Typed("50,50").preview, 27);
    const CCommandRow& last = m_tape.Typed("60,40");
    EXPECT_EQ(last.tokens, "CPP");
    EXPECT_EQ(last.prompt, "[３要素接円/３点円/弧角円] 【接要素|ダブル点】 接要素|点 接要素|点|角度d");
}

TEST_F(CircleShows, TheViewKeepsTheTangentCentreOfTheRubberBand)
{
    m_tape.AddLine(At(0, 0), At(100, 0));
    m_tape.Menu("連続半径接円/2点円");
    m_tape.Typed("5");
    const CCommandRow& line = m_tape.Pick(At(40, 0));
    ASSERT_EQ(line.tokens, "DL");
    EXPECT_EQ(line.preview, 18);
    EXPECT_EQ(m_tape.Doc().m_previewPointC.m_x, 40);
    CCircleCommand& c = m_tape.Circle();
    c.m_previewCentre = At(-999, -999);
    const CCommandRow& moved = m_tape.Move(At(50, 3));
    EXPECT_EQ(moved.preview, 18);
    // The centre of the circle of radius 5 the view drew on the pointer's side of the line.
    EXPECT_NEAR(c.m_previewCentre.m_y, 5, 1e-6);
    EXPECT_GT(c.m_previewCentre.m_x, 0);
    EXPECT_LT(c.m_previewCentre.m_x, 100);
}

} // namespace
