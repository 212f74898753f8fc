// The dimension command object: its value texts, fresh instances and step queries, the guidance
// of every step and edit, the macro step prompts, the rubber band of each step, and the command
// as a person starts it on the tape.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/AppElem.h"
#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/DimGuidanceTexts.h"
#include "commands/annotate/DimValueText.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "input/PatternGroup.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

CLine LineOf(CPointD a, CPointD b)
{
    CLine line;
    line.m_start = a;
    line.m_end = b;
    return line;
}

CArc ArcOf(double radius, double start, double end)
{
    return CArc(At(0, 0), radius, At(start, end));
}

class DimTape : public testing::Test {
protected:
    CDimCommand& Dim() { return m_tape.Dim(); }
    CDimCommand& DimInt() { return m_tape.DimInt(); }
    CZelkApp& App() { return m_tape.App(); }
    CZelkDoc& Doc() { return m_tape.Doc(); }
    // The guidance of one state of the main instance; prompt and hint are what it leaves.
    void Guide(CDimCommand& d, const char* tokens)
    {
        d.m_tokenString = tokens;
        d.ShowGuidance();
    }
    CCommandTape m_tape;
};

} // namespace

TEST(DimValueTexts, EachMeasuredKindWithScaleAndDecimals)
{
    CAppElem settings;   // two decimals, "φ" and "゜"
    struct Case {
        const char* name;
        CString text;
        const char* expected;
    } cases[] = {
        { "chamfer (0, 5)-(5, 0)", ChamferValueText(LineOf(At(0, 5), At(5, 0)), 1, settings), "C5" },
        { "circle of radius 10", CircleOrArcValueText(ArcOf(10, 0, 360), 1, settings), "\x83\xD3" "20" },
        { "arc of radius 7.5", CircleOrArcValueText(ArcOf(7.5, 0, 90), 1, settings), "R7.5" },
        { "a 359 degree arc is a radius", CircleOrArcValueText(ArcOf(10, 0, 359), 1, settings), "R10" },
        { "sweep of 90", AngleValueText(90, settings), "90゜" },
        { "radius 7.5 at scale 2", RadiusValueText(7.5, 2, settings), "R3.75" },
        { "rounded to the decimals", RadiusValueText(10.0 / 3, 1, settings), "R3.33" },
        { "diameter at scale 4", DiameterValueText(3, 4, settings), "φ1.5" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text.Std(), c.expected) << c.name;
    EXPECT_TRUE(IsFullCircle(ArcOf(5, 0, 360)));
    EXPECT_FALSE(IsFullCircle(ArcOf(5, 1, 360)));

    settings.m_dimDecimals = 0;
    EXPECT_EQ(RadiusValueText(7.4, 1, settings).Std(), "R7");
}

// Text angles are held as fonts hold them, clockwise: a text rising at 45 degrees holds -45.
TEST(DimValueTexts, TextAnglesReadFromLeftToRightOrUpwards)
{
    const struct {
        double direction, angle;
    } cases[] = { { 0, 0 }, { 1e-9, 0 }, { 45, -45 }, { 180, 0 }, { -90, -90 }, { 270, -90 }, { 200, -20 },
                  { 100, 80 } };
    for (const auto& c : cases)
        EXPECT_NEAR(FoldedTextAngleDeg(c.direction), c.angle, 1e-9) << c.direction;
}

TEST_F(DimTape, FreshInstancesAndTheStepTheNextInputFills)
{
    EXPECT_EQ(Dim().m_modePattern, "APPP");
    EXPECT_EQ(DimInt().m_modePattern, "#P");
    for (CDimCommand* d : { &Dim(), &DimInt() }) {
        EXPECT_EQ(d->m_defaultLength, 500.0);
        EXPECT_EQ(d->m_balloonRadius, 8.0);
        EXPECT_EQ(d->m_patternGroups.GetSize(), 8);
        EXPECT_EQ(d->m_acceptedPatterns.GetSize(), 8);
    }
    EXPECT_EQ(Dim().GetGroupLeadPattern("NOTE"), "TPAP");
    EXPECT_EQ(Dim().GetGroupLeadPattern("EDIT"), "#P");

    const struct {
        const char* tokens;
        int edit, slot, complete;
    } slots[] = {
        { "", 0, 0, 0 },       { "A", 0, 1, 0 },      { "APP", 0, 3, 0 },   { "APPP", 0, 2, 1 },
        { "TBW", 0, 1, 1 },    { "TPAP", 0, 1, 1 },   { "TP", 0, 2, 0 },    { "CPP", 0, 0, 1 },
        { "LP", 0, 0, 1 },     { "PPPPPP", 0, 0, 1 }, { "PPPPP", 0, 5, 0 }, { "", 1, 0, 0 },
        { "#", 1, 1, 0 },      { "#P", 1, 0, 1 },     { "#D", 1, 0, 1 },    { "AP", 1, -1, 0 },
    };
    for (const auto& c : slots) {
        Dim().m_tokenString = c.tokens;
        Dim().m_editFlag = c.edit;
        int complete = -1;
        EXPECT_EQ(Dim().GetCurrentPointSlot(complete), c.slot) << c.tokens << " edit " << c.edit;
        EXPECT_EQ(complete, c.complete) << c.tokens << " edit " << c.edit;
    }
    Dim().m_editFlag = 0;

    const struct {
        const char* tokens;
        int index;
    } lastPoints[] = { { "TPAP", 3 }, { "TB", 1 }, { "A", -1 }, { "", -1 }, { "TBW", 1 }, { "APP", 2 } };
    for (const auto& c : lastPoints) {
        Dim().m_tokenString = c.tokens;
        EXPECT_EQ(Dim().GetLastPointTokenIndex(), c.index) << c.tokens;
    }

    for (const char* complete : { "APPP", "CPP", "LP", "PPPPPP", "TBW", "TPAP", "#P", "#D" }) {
        Dim().m_tokenString = complete;
        EXPECT_EQ(Dim().GetCurrentGroupName(), "multi") << complete;
    }
    Dim().m_tokenString = "AP";
    EXPECT_EQ(Dim().GetCurrentGroupName(), "");
}

TEST_F(DimTape, ResetKeepsTheModeAndTheTablesAndEmptiesEverySlotOfBothSets)
{
    CDimCommand& d = Dim();
    Doc().SetBasePoint(At(7, 8), At(7, 8));
    d.m_modePattern = "CPP";
    d.m_tokenString = d.m_savedTokenString = "CP";
    for (int i = 0; i < 6; ++i) {
        d.m_inputPoints[i].SetBoth(At(i + 1, 1));
        d.m_inputPoints[i].mode = 2;
        d.m_savedInputPoints[i].SetBoth(At(i + 1, 2));
        d.m_values[i].value = 3;
        d.m_values[i].flag = 1;
    }
    d.m_textPoints = { At(1, 1), At(2, 2) };
    d.m_balloonRadius = 12;
    d.m_defaultLength = 40;
    d.m_editBlock = d.m_editSlot = 3;
    d.m_editFlag = d.m_macroFlag = 1;
    d.m_stepTexts.Add("note");
    d.Reset();

    EXPECT_EQ(d.m_modePattern, "CPP");
    EXPECT_EQ(d.m_patternGroups.GetSize(), 8);
    EXPECT_EQ(d.m_acceptedPatterns.GetSize(), 8);
    EXPECT_EQ(d.m_tokenString, "");
    EXPECT_EQ(d.m_savedTokenString, "");
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const double x = i == 0 ? 7 : 0;
        EXPECT_EQ(d.m_inputPoints[i].point.m_x, x);
        EXPECT_EQ(d.m_savedInputPoints[i].point.m_x, x);
        EXPECT_EQ(d.m_inputPoints[i].mode, 1);
        EXPECT_EQ(d.m_values[i].value, 0.0);
        EXPECT_EQ(d.m_values[i].flag, 0);
    }
    EXPECT_TRUE(d.m_textPoints.empty());
    EXPECT_EQ(d.m_balloonRadius, 8.0);
    EXPECT_EQ(d.m_defaultLength, 500.0);
    EXPECT_EQ(d.m_editBlock, -1);
    EXPECT_EQ(d.m_editFlag, 0);
    EXPECT_EQ(d.m_macroFlag, 0);
    EXPECT_EQ(d.m_stepTexts.GetSize(), 0);
    EXPECT_EQ(Doc().m_previewKind, 13);
}

TEST_F(DimTape, GuidanceOfTheTwoPointDimensionChosenFromTheMenu)
{
    App().m_commandKind = 10;
    App().m_appCommand.m_dimFlag = 1;
    App().m_modeFromMenu = 1;
    Guide(Dim(), "APP");
    EXPECT_EQ(Dim().m_prompt.Std(), "[２点間寸法線] 【角度|点ドラッグ|角度線分】 位置点 測定点第１ 【測定点第２】");
    EXPECT_EQ(Dim().m_hint.Std(), "測定点第２を右ボタンで入力します｡角度､右の点ドラッグ､角度線分の左選択で初期設定｡");
    // The application shows what the command set.
    EXPECT_EQ(App().m_prompt, Dim().m_prompt);

    // Popups suppressed and no menu start: the texts of all kinds at once.
    App().m_noPopupMenu = 1;
    App().m_modeFromMenu = 0;
    Guide(Dim(), "");
    EXPECT_EQ(Dim().m_prompt.Std(), "[全寸法線]【角度|点ドラッグ】【円|円弧】【線分】【角度測定点第１】【文字入力|文字列選択】>> "
                                    "２点間 直径/半径 面取り 角度 フーセン 引出し線");

    // Neither rule applies: the previous pair stays.
    App().m_noPopupMenu = 0;
    App().m_appCommand.m_dimFlag = 0;
    Dim().m_prompt = "before";
    Dim().m_hint = "hint before";
    Guide(Dim(), "AP");
    EXPECT_EQ(Dim().m_prompt.Std(), "before");
    EXPECT_EQ(Dim().m_hint.Std(), "hint before");
    EXPECT_EQ(App().m_prompt.Std(), "before");
}

TEST_F(DimTape, GuidanceOfAllKindsAtOnceFollowsTheTokenString)
{
    App().m_noPopupMenu = 1;
    App().m_modeFromMenu = 0;
    for (int i = 0; i < DimTexts::kAllKindsCount; ++i) {
        const CDimTextRow& r = DimTexts::kAllKinds[i];
        Dim().m_prompt = Dim().m_hint = "";
        Guide(Dim(), r.tokens);
        EXPECT_EQ(Dim().m_prompt.Std(), r.prompt) << r.tokens;
        EXPECT_EQ(Dim().m_hint.Std(), r.hint) << r.tokens;
    }
    // A token string the table has no row for leaves the pair.
    Dim().m_prompt = "kept";
    Guide(Dim(), "TPAX");
    EXPECT_EQ(Dim().m_prompt.Std(), "kept");
}

TEST_F(DimTape, GuidanceOfOneKindByModeAndTokenString)
{
    App().m_noPopupMenu = 0;
    App().m_appCommand.m_dimFlag = 1;
    auto first = [](const CString& mode) {
        for (int i = 0; i < DimTexts::kFirstStepsCount; ++i)
            if (mode == DimTexts::kFirstSteps[i].mode)
                return DimTexts::kFirstSteps[i];
        return CDimTextRow{ "", "", "", "" };
    };
    const char* const modes[] = { "APPP", "CPP", "LP", "PPPPPP", "TBW", "TPAP" };
    for (int i = 0; i < DimTexts::kOneKindCount; ++i) {
        const CDimTextRow& r = DimTexts::kOneKind[i];
        for (const char* mode : modes) {
            Dim().m_modePattern = mode;
            Dim().m_prompt = "previous";
            Dim().m_hint = "previous hint";
            Guide(Dim(), r.tokens);
            const bool applies = r.mode[0] == '\0' || std::strcmp(r.mode, mode) == 0;
            // The row of this token string whose mode fits, if one does.
            const CDimTextRow* row = nullptr;
            for (int j = 0; j < DimTexts::kOneKindCount && !row; ++j) {
                const CDimTextRow& s = DimTexts::kOneKind[j];
                if (std::strcmp(s.tokens, r.tokens) == 0 && (s.mode[0] == '\0' || std::strcmp(s.mode, mode) == 0))
                    row = &s;
            }
            SCOPED_TRACE(std::string(r.tokens) + " in " + mode);
            if (!row) {
                EXPECT_FALSE(applies);
                EXPECT_EQ(Dim().m_prompt.Std(), "previous");
                EXPECT_EQ(Dim().m_hint.Std(), "previous hint");
            } else {
                const CDimTextRow pair = row->prompt ? *row : first(mode);
                EXPECT_EQ(Dim().m_prompt.Std(), pair.prompt);
                EXPECT_EQ(Dim().m_hint.Std(), pair.hint);
            }
        }
    }
    // Two rows spelled out: the first step of the leader and the balloon's text step.
    Dim().m_modePattern = "TPAP";
    Guide(Dim(), "");
    EXPECT_EQ(Dim().m_prompt.Std(),
              "[引出し線] 【Tボタンで文字入力Enter|文字列選択】引出し点 (折点･･･) 通過点ドラッグ|Enter 文字位置点");
    Dim().m_modePattern = "TBW";
    Guide(Dim(), "T");
    EXPECT_EQ(Dim().m_hint.Std(), "[フーセン] 引出し点を右で入力し､折点を入れ､右ダブルクリック|Enterで作成｡ 半径変更可能｡");
    // A mode with no first step of its own shows an empty pair.
    Dim().m_modePattern = "#P";
    Guide(Dim(), "");
    EXPECT_EQ(Dim().m_prompt.Std(), "");
}

TEST_F(DimTape, GuidanceOfTheEditOfEachDoubleClickedMember)
{
    CDimCommand& d = DimInt();
    d.m_editFlag = 1;
    for (int flag = 0; flag <= 1; ++flag) {
        App().m_appCommand.m_dimFlag = flag;
        for (int i = 0; i < DimTexts::kEditsCount; ++i) {
            const CDimEditRow& r = DimTexts::kEdits[i];
            for (const char* k = r.groupKinds; *k; ++k) {
                for (int role : { r.role < 0 ? 16 : r.role, r.role2 < 0 ? 16 : r.role2 }) {
                    d.m_editGroupKind = static_cast<std::int16_t>(*k - '0');
                    d.m_editElemKind = static_cast<std::int16_t>(r.elemKind);
                    d.m_editRole = static_cast<std::int16_t>(role);
                    d.m_prompt = "previous";
                    Guide(d, "#");
                    SCOPED_TRACE(std::string("kind ") + *k + " element " + std::to_string(r.elemKind) + " role " +
                                 std::to_string(role) + " flag " + std::to_string(flag));
                    EXPECT_EQ(d.m_prompt.Std(), flag || r.always ? r.prompt : "previous");
                    if (flag || r.always) {
                        EXPECT_EQ(d.m_hint.Std(), r.hint);
                    }
                }
            }
        }
    }
    // Spelled out: the line of a standard dimension; a combination no row has keeps the pair.
    d.m_editGroupKind = 2;
    d.m_editElemKind = ELEM_LINE;
    d.m_editRole = 1;
    Guide(d, "#");
    EXPECT_EQ(d.m_prompt.Std(), "[寸法線の移動/延長] 【移動先の点】");
    d.m_editRole = 32;
    Guide(d, "#");
    EXPECT_EQ(d.m_prompt.Std(), "[寸法線の移動/延長] 【移動先の点】");
    // The edit's second step empties the prompt and keeps the hint.
    d.m_hint = "kept";
    Guide(d, "#P");
    EXPECT_EQ(d.m_prompt.Std(), "");
    EXPECT_EQ(d.m_hint.Std(), "kept");
}

TEST_F(DimTape, AMacroStepShowsItsNoteAndTheMacroPromptsFillOnlyEmptyEntries)
{
    CDimCommand& d = Dim();
    d.m_macroFlag = 1;
    d.m_stepTexts.Add("angle");
    d.m_stepTexts.Add("position");
    d.m_hint = "hint";
    Guide(d, "A");
    EXPECT_EQ(d.m_prompt.Std(), "position");
    EXPECT_EQ(d.m_hint.Std(), "hint");
    Guide(d, "AP");   // as many steps as notes: back to the first
    EXPECT_EQ(d.m_prompt.Std(), "angle");
    Guide(d, "APP");
    EXPECT_EQ(d.m_prompt.Std(), "");
    d.m_macroFlag = 0;

    for (int i = 0; i < DimTexts::kMacroPromptsCount; ++i) {
        const CDimMacroPrompt& r = DimTexts::kMacroPrompts[i];
        d.m_editFlag = r.edit;
        CStringArray prompts;
        d.GetMacroPrompts(r.pattern, prompts);
        ASSERT_EQ(prompts.GetSize(), static_cast<int>(std::strlen(r.pattern))) << r.pattern;
        EXPECT_EQ(prompts[r.index].Std(), r.prompt) << r.pattern << " " << r.index;
        // The same pattern in the other mode has no prompts.
        d.m_editFlag = !r.edit;
        CStringArray other;
        d.GetMacroPrompts(r.pattern, other);
        EXPECT_EQ(other[r.index].Std(), "") << r.pattern;
    }
    d.m_editFlag = 0;
    CStringArray prompts;
    prompts.Add("");
    prompts.Add("recorded note");
    d.GetMacroPrompts("LP", prompts);
    EXPECT_EQ(prompts[0].Std(), "Macro[面取り寸法線] 【面取り線分】 寸法値の位置点");
    EXPECT_EQ(prompts[1].Std(), "recorded note");
    CStringArray unknown;
    d.GetMacroPrompts("QQ", unknown);
    ASSERT_EQ(unknown.GetSize(), 2);
    EXPECT_EQ(unknown[0].Std(), "");
    EXPECT_EQ(unknown[1].Std(), "");
}

TEST_F(DimTape, TheRubberBandOfEachStep)
{
    CDimCommand& d = Dim();
    CZelkDoc& doc = Doc();
    for (const char* tokens : { "", "APPP", "CPP", "LP", "PPPPPP", "TBW", "TPAP", "T" }) {
        d.m_tokenString = tokens;
        EXPECT_EQ(d.ShowRubberBand(), 13) << tokens;
    }

    d.m_values[0].value = 30;
    d.m_tokenString = "A";
    EXPECT_EQ(d.ShowRubberBand(), 2);
    EXPECT_EQ(doc.m_previewAngle, 30);

    d.m_inputPoints[1].SetBoth(At(4, 6));
    d.m_tokenString = "AP";
    EXPECT_EQ(d.ShowRubberBand(), 3);
    EXPECT_EQ(doc.m_previewPointA.m_x, 4);
    EXPECT_EQ(doc.m_previewPointA.m_y, 6);
    EXPECT_EQ(doc.m_previewAngle, 30);

    // "CP": the position point lies straight above the centre.
    d.m_inputPoints[1].SetBoth(At(0, 25));
    d.m_valueAngle = 90;
    d.m_tokenString = "CP";
    d.m_pickedArcs[0].Assign(ArcOf(10, 0, 90));
    EXPECT_EQ(d.ShowRubberBand(), 45);
    EXPECT_NEAR(doc.m_previewPointA.m_x, 0, 1e-9);
    EXPECT_NEAR(doc.m_previewPointA.m_y, 0, 1e-9);
    EXPECT_NEAR(doc.m_previewPointB.m_x, 0, 1e-9);
    EXPECT_NEAR(doc.m_previewPointB.m_y, 10, 1e-9);
    EXPECT_EQ(doc.m_previewTextAngle, -90);
    d.m_pickedArcs[0].Assign(ArcOf(10, 0, 360));
    EXPECT_EQ(d.ShowRubberBand(), 45);
    EXPECT_NEAR(doc.m_previewPointA.m_y, 10, 1e-9);
    EXPECT_NEAR(doc.m_previewPointB.m_y, -10, 1e-9);

    // "PPPP": both sides of the angle are known.
    const CPointD points[] = { At(0, 0), At(10, 0), At(0, 0), At(0, 10) };
    for (int i = 0; i < 4; ++i)
        d.m_inputPoints[i].SetBoth(points[i]);
    d.m_tokenString = "PPPP";
    EXPECT_EQ(d.ShowRubberBand(), 46);
    EXPECT_NEAR(doc.m_previewAngle, 0, 1e-9);
    EXPECT_NEAR(doc.m_previewAngle2, 90, 1e-9);
    EXPECT_EQ(doc.m_previewPointA.m_x, 10);
    EXPECT_EQ(doc.m_previewPointB.m_y, 10);

    // A leader's text angle is folded.
    d.m_values[2].value = -90;
    d.m_tokenString = "TPA";
    EXPECT_EQ(d.ShowRubberBand(), 49);
    EXPECT_NEAR(doc.m_previewAngle, -90, 1e-9);
}

TEST_F(DimTape, TheRubberBandOfTheEditOfADiameterLine)
{
    CZelkDoc& doc = Doc();
    const int g = doc.m_creationLog->AddDiameterOrRadiusDimension(At(-5, 0), At(5, 0), "φ10", At(0, 0), 0, 1, 1, 1);
    ASSERT_GE(g, 0);
    CGroup* group = doc.GetGroup(g);
    int block = -1, slot = -1;
    ASSERT_GE(group->FindMemberByRole(&doc, ELEM_LINE, 1, 0, block, slot), 0);
    CDimCommand& d = DimInt();
    d.m_editFlag = 1;
    d.m_editGroup = group;
    d.m_editGroupKind = CGroup::KIND_DIAMETER;
    d.m_editElemKind = ELEM_LINE;
    d.m_editRole = 1;
    d.m_editBlock = static_cast<std::int16_t>(block);
    d.m_editSlot = static_cast<std::int16_t>(slot);
    d.m_tokenString = "#";
    EXPECT_EQ(d.ShowRubberBand(), 55);
    EXPECT_NEAR(doc.m_previewPointA.m_x, 0, 1e-9);
    EXPECT_NEAR(doc.m_previewLength, 5, 1e-9);
    EXPECT_NEAR(doc.m_previewAngle, 0, 1e-9);
    // The same edit of a radius measures from the centre.
    d.m_editGroupKind = CGroup::KIND_RADIUS;
    EXPECT_EQ(d.ShowRubberBand(), 55);
    EXPECT_NEAR(doc.m_previewPointA.m_x, -5, 1e-9);
    EXPECT_NEAR(doc.m_previewLength, 10, 1e-9);
    // Past the pick only the edit's own steps remain.
    d.m_tokenString = "#P";
    EXPECT_EQ(d.ShowRubberBand(), 13);
}

TEST_F(DimTape, TheTwoPointDimensionFromTheMenuFollowsEachPoint)
{
    App().m_appCommand.m_dimFlag = 1;
    m_tape.Code(312);
    const CCommandRow& menu = m_tape.Menu("２点間寸法線");
    EXPECT_EQ(menu.dimMode, "APPP");
    EXPECT_EQ(menu.dimTokens, "A");
    EXPECT_EQ(menu.preview, 2);
    EXPECT_EQ(menu.prompt, "[２点間寸法線] 【角度|点ドラッグ|角度線分】 【位置点】 測定点第１ 測定点第２");

    const CCommandRow& position = m_tape.RightClick(At(50, 20));
    EXPECT_EQ(position.dimTokens, "AP");
    EXPECT_EQ(position.preview, 3);
    EXPECT_EQ(position.prompt, "[２点間寸法線] 【角度|点ドラッグ|角度線分】 位置点 【測定点第１】 測定点第２");
    EXPECT_NEAR(Dim().m_inputPoints[1].point.m_x, 50, 0.11);   // the pixel nearest it

    const CCommandRow& measured = m_tape.RightClick(At(0, 0));
    EXPECT_EQ(measured.dimTokens, "APP");
    EXPECT_EQ(measured.preview, 3);
    EXPECT_EQ(measured.hint, "測定点第２を右ボタンで入力します｡角度､右の点ドラッグ､角度線分の左選択で初期設定｡");
    EXPECT_EQ(measured.dimTokensInt, "");
    EXPECT_EQ(measured.dimModeInt, "#P");

    // The balloon's menu item resets the command and keeps its text step.
    const CCommandRow& balloon = m_tape.Menu("フーセン");
    EXPECT_EQ(balloon.dimMode, "TBW");
    EXPECT_EQ(balloon.dimTokens, "");
    EXPECT_EQ(balloon.preview, 13);
}

TEST_F(DimTape, TheListingNamesTheDefinitionPointsOfAnnotations)
{
    CZelkDoc& doc = Doc();
    const int g = doc.m_creationLog->AddBalloon({ At(0, 0), At(20, 0) }, 8, "A", 1, 0);
    ASSERT_GE(g, 0);
    const CCommandRow& row = m_tape.Move(At(1, 1));
    bool found = false;
    for (const std::string& line : row.listing) {
        if (line.rfind("group " + std::to_string(g) + " kind 8 parent -1", 0) == 0) {
            found = true;
            EXPECT_NE(line.find(" def 0.000000,0.000000 20.000000,0.000000"), std::string::npos) << line;
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(DimTape, TheValueTextBoxHasFourCornersAndNarrowsForANotation)
{
    CDimCommand& d = Dim();
    d.UpdateValueTextBox("aaaaaaaaaaaaaaaaaaaa");   // 20 bytes, as many as the notation below
    const double plain = Distance(d.m_valueBox[0], d.m_valueBox[1]);
    ASSERT_GT(plain, 0);
    // The fourth corner closes the top edge as the second closes the bottom one.
    EXPECT_NEAR(d.m_valueBox[3].m_x - d.m_valueBox[2].m_x, d.m_valueBox[1].m_x - d.m_valueBox[0].m_x, 1e-9);
    EXPECT_NEAR(d.m_valueBox[3].m_y - d.m_valueBox[1].m_y, d.m_valueBox[2].m_y - d.m_valueBox[0].m_y, 1e-9);
    // "100" in full and both small lines at half width: (4 x 0.5 + 3) / 20 of the bytes.
    d.UpdateValueTextBox("100:::+0.1:::-0.1:::");
    EXPECT_NEAR(Distance(d.m_valueBox[0], d.m_valueBox[1]), plain * 0.25, 1e-9);
}

TEST_F(DimTape, AcceptanceOfEachLetterByTheTokenString)
{
    struct Case {
        const char* mode;    // "*": all kinds at once (popups suppressed, no menu start)
        const char* tokens;
        int textPoints;
        const char* letter;
        const char* after;   // null: refused, the token string kept
        const char* message;
    } cases[] = {
        { "APPP", "", 0, "A", "A", "" },
        { "APPP", "A", 0, "A", "A", "" },
        { "APPP", "A", 0, "L", "A", "" },
        { "APPP", "A", 0, "P", "AP", "" },
        { "APPP", "APP", 0, "A", "A", "" },
        { "APPP", "APP", 0, "T", "A", "" },
        { "APPP", "APPP", 0, "P", "APP", "" },
        { "APPP", "", 0, "C", nullptr, "不適合な入力です" },
        { "PPPPPP", "P", 0, "A", "A", "" },
        { "TPAP", "T", 0, "T", "T", "" },
        { "TPAP", "T", 0, "P", "TP", "" },
        { "TPAP", "TP", 2, "P", "TP", "" },
        { "TPAP", "TP", 2, "Q", "TPA", "" },
        { "TPAP", "TP", 2, "T", "TP", "" },
        { "TPAP", "TPA", 2, "A", "TPA", "" },
        { "TPAP", "TPA", 2, "P", "TPAP", "" },
        { "TPAP", "TPAP", 2, "T", "T", "" },
        { "TBW", "T", 0, "B", "TB", "" },
        { "TBW", "T", 0, "P", nullptr, "不適合な入力です" },
        { "TBW", "TB", 1, "B", "TBW", "" },
        { "TBW", "TB", 1, "Q", "TBW", "" },
        { "TBW", "TP", 1, "B", "TB", "" },
        { "TPAP", "TP", 2, "B", "TPA", "" },
        { "APPP", "A", 0, "B", nullptr, "" },
        { "APPP", "A", 0, "Q", nullptr, "" },
        { "*", "", 0, "C", "C", "" },
        { "*", "C", 0, "L", nullptr, "不適合な入力です" },
        { "", "", 0, "X", nullptr, "対応していない入力です" },
    };
    for (const Case& c : cases) {
        const bool all = std::strcmp(c.mode, "*") == 0;
        App().m_noPopupMenu = all ? 1 : 0;
        App().m_modeFromMenu = all ? 0 : 1;
        CDimCommand& d = Dim();
        d.m_modePattern = all ? "APPP" : c.mode;
        d.m_tokenString = c.tokens;
        d.m_textPoints.assign(static_cast<size_t>(c.textPoints), At(1, 1));
        App().m_lastMessage.Empty();
        const int accepted = d.AcceptToken(c.letter);
        SCOPED_TRACE(std::string(c.mode) + " " + c.tokens + " + " + c.letter);
        EXPECT_EQ(accepted != 0, c.after != nullptr);
        EXPECT_EQ(d.m_tokenString.Std(), c.after ? c.after : c.tokens);
        EXPECT_EQ(App().m_lastMessage.Std(), c.message);
    }

    // An edit takes nothing until a dimension was picked, then its own patterns.
    CDimCommand& e = DimInt();
    e.m_editFlag = 1;
    EXPECT_FALSE(e.AcceptToken("#"));
    e.m_editBlock = e.m_editSlot = 0;
    EXPECT_TRUE(e.AcceptToken("#"));
    EXPECT_TRUE(e.AcceptToken("D"));
    EXPECT_EQ(e.m_tokenString, "#D");
}
