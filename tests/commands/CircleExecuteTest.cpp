// The circle command's execution of complete patterns: what each finished pattern adds, shows and
// commits, the polygons and their group, and the membership of elements rebuilt from an edited
// one.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "platform/core/Services.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

bool Lists(const std::vector<std::string>& listing, const std::string& head)
{
    for (const std::string& line : listing) {
        if (line.rfind(head, 0) == 0)
            return true;
    }
    return false;
}

int Beeps()
{
    return static_cast<int>(DefaultScriptedServices().m_beeps.size());
}

// A command object driven by its state alone: the operands of each token position set by hand,
// then the dispatch.
class Dispatch {
public:
    CCircleCommand& C() { return m_tape.Circle(); }
    CZelkApp& App() { return m_tape.App(); }
    CZelkDoc& Doc() { return m_tape.Doc(); }

    void Point(int k, double x, double y) { C().m_inputPoints[k].SetBoth(At(x, y)); }
    void Value(int k, double v) { C().m_values[k].value = v; }
    void PickedCircle(int k, CPointD centre, double radius, CPointD pick)
    {
        C().m_pickedCircles[k].m_centre = centre;
        C().m_pickedCircles[k].m_radius = radius;
        C().m_pickPoints[k] = pick;
    }
    // As the next input does: a finished operation is closed first.
    int Run(const char* tokens, int circleFlag = 1)
    {
        App().CommitOperation(&Doc(), 0);
        App().m_lastMessage.Empty();
        App().m_lastResultMessage.Empty();
        m_beeps = Beeps();
        C().m_circleFlag = circleFlag;
        C().m_tokenString = tokens;
        return C().Execute();
    }
    int NewBeeps() const { return Beeps() - m_beeps; }
    std::string Message() { return App().m_lastMessage.GetString(); }
    std::string Result() { return App().m_lastResultMessage.GetString(); }
    std::vector<std::string> Listing() { return ListElements(Doc()); }
    int Steps() { return Doc().m_undoHistory->GetStepCount(); }
    std::vector<const CLine*> LiveLines()
    {
        std::vector<const CLine*> out;
        for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b) {
            const CLines* block = Doc().LineBlockAt(b);
            for (int s = 0; s < block->m_count; ++s) {
                if (!(block->m_slots[s].m_state & 8))
                    out.push_back(&block->m_slots[s]);
            }
        }
        return out;
    }

private:
    CCommandTape m_tape;
    int m_beeps = 0;
};

// ---- the tape, as a person gives the inputs -------------------------------------------------

TEST(CircleExecuteTape, CentreAndRadiusCirclesOfTheCircleCommand)
{
    CCommandTape tape;
    tape.Code(305);
    tape.Menu("中心(接)円/同心円");
    tape.Typed("0,0");
    const CCommandRow& through = tape.Typed("10,0");
    EXPECT_TRUE(Lists(through.listing, "circle 0.000000,0.000000 r 10.000000 layer 0 group -1")) << through.listing[0];
    EXPECT_EQ(through.undoKinds, "1");
    EXPECT_EQ(through.result.find("作成"), std::string::npos);
    EXPECT_EQ(through.message.find("作成"), std::string::npos);
    // The finished string stays until the next input starts it again.
    EXPECT_EQ(through.tokens, "PP");

    const CCommandRow& radius = tape.Menu("連続半径円");
    EXPECT_EQ(radius.prompt, "[連続半径円] 【半径(10)】 【中心】");
    const CCommandRow& first = tape.RightClick(At(0, 0));
    EXPECT_EQ(first.result, " 中心･半径の円を作成しました");
    EXPECT_EQ(first.undoKinds, "1 1");
    EXPECT_EQ(first.tokens, "DP");
    // The radius stays for the next centre.
    const CCommandRow& second = tape.RightClick(At(30, 0));
    EXPECT_EQ(second.elements, first.elements + 1);
    EXPECT_EQ(second.undoKinds, "1 1 1");
    EXPECT_EQ(second.result, " 中心･半径の円を作成しました");
    ASSERT_EQ(second.listing.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(second.listing[i].find(" r 10.000000 "), std::string::npos) << second.listing[i];
    EXPECT_NEAR(tape.Doc().GetCircleElem(0, 2)->m_centre.m_x, 30, 0.01);
}

TEST(CircleExecuteTape, TheArcCommandKeepsAnEditCircleAndDrawsHalfArcs)
{
    CCommandTape tape;
    tape.Code(306);
    tape.Menu("中心(接)円弧/同心円弧", 1);
    tape.RightClick(At(0, 0));
    const CCommandRow& edit = tape.Value(10, 6);
    EXPECT_EQ(edit.tokens, "PD%");
    EXPECT_EQ(edit.result, " 中心･半径の編集円を表示しました");
    EXPECT_EQ(edit.undoSteps, 0);
    CCircleCommand& c = tape.Circle();
    const CCircle* circle = tape.Doc().GetCircleElem(c.m_editBlock, c.m_editSlot);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->m_radius, 10);
    EXPECT_EQ(circle->m_mark & 0x7F, 2);
    EXPECT_EQ(c.m_editClass, 1);

    tape.Menu("半円弧", 1);
    tape.RightClick(At(0, 0));
    const CCommandRow& half = tape.RightClick(At(10, 0));
    EXPECT_TRUE(Lists(half.listing, "arc 5.000000,0.000000 r 5.000000 180.000000-360.000000")) << half.listing[0];
    EXPECT_EQ(half.undoKinds, "1");
}

TEST(CircleExecuteTape, APolygonIsOneGroupThatOneUndoRemoves)
{
    CCommandTape tape;
    tape.Code(305);
    tape.Menu("多角形");
    tape.Value(4, 4);
    tape.RightClick(At(0, 0));
    const CCommandRow& square = tape.Value(10, 6);
    ASSERT_EQ(square.undoKinds, "1");
    EXPECT_EQ(square.elements, 4);
    // The sides in drawing order: corner 0 on the x axis, counterclockwise.
    const std::vector<std::string> expected = {
        "line 0.000000,14.142136 14.142136,0.000000 layer 0 group 0 role 0",
        "line -14.142136,0.000000 0.000000,14.142136 layer 0 group 0 role 0",
        "line -14.142136,0.000000 0.000000,-14.142136 layer 0 group 0 role 0",
        "line 0.000000,-14.142136 14.142136,0.000000 layer 0 group 0 role 0",
    };
    for (const std::string& line : expected)
        EXPECT_TRUE(Lists(square.listing, line)) << line;
    EXPECT_TRUE(Lists(square.listing, "group 0 kind 0 parent -1 members 4:0:0 4:0:1 4:0:2 4:0:3"))
        << square.listing[4];
    EXPECT_EQ(tape.ListAfterRoundTrip(), ListElements(tape.Doc()));

    tape.Doc().m_undoHistory->Undo();
    EXPECT_EQ(ListElements(tape.Doc()), std::vector<std::string>{ "retired 4" });
}

// ---- the constructions of the dispatch ------------------------------------------------------

TEST(CircleDispatch, TangentCircleAboutACentreTakesTheSideOfThePick)
{
    struct Case {
        double px, pickX, radius;
    } cases[] = {
        { 30, 10, 20 }, { 30, -10, 40 }, { 4, 10, 6 }, { 4, -10, 14 },
    };
    Dispatch d;
    for (const Case& k : cases) {
        d.Point(0, k.px, 0);
        d.PickedCircle(1, At(0, 0), 10, At(k.pickX, 0));
        const int steps = d.Steps();
        EXPECT_EQ(d.Run("PC"), 1);
        EXPECT_EQ(d.Steps(), steps + 1);
        const CCircle* made = d.Doc().GetCircleElem(d.C().m_editBlock, d.C().m_editSlot);
        ASSERT_NE(made, nullptr);
        EXPECT_NEAR(made->m_radius, k.radius, 1e-9) << k.px << " " << k.pickX;
        EXPECT_EQ(made->m_centre.m_x, k.px);
        EXPECT_EQ(d.Result(), " 中心･円(弧)の接円を作成しました");
    }
}

// The completion texts of the fixed-radius tangents, per command: the circle command says the
// tangent-point ones on the message line, the arc command keeps those as edit circles to be cut
// and goes on with "%", and the arc command's pass-point texts lead with a blank.
TEST(CircleDispatch, TangentCompletionsOnTheirLineOrAsEditCircles)
{
    struct Case {
        const char* tokens;
        int circleFlag;
        int onMessageLine;      // 1 the text replaces the message line, 0 it is the result
        const char* text;
        int answer, steps, mark;
        const char* after;      // the token string afterwards
    } cases[] = {
        { "DLH", 1, 1, "半径･線分･接点の接円を作成しました", 1, 1, 1, "DLH" },
        { "DLH", 0, 0, " 半径･線分･接点の編集接円を表示しました", 0, 0, 2, "DLH%" },
        { "DCH", 1, 1, "半径･円(弧)･接点の接円を作成しました", 1, 1, 1, "DCH" },
        { "DCH", 0, 0, " 半径･円(弧)･接点の編集接円を表示しました", 0, 0, 2, "DCH%" },
        { "DLP", 1, 0, "半径･点･線分の接円を作成しました", 1, 1, 1, "DLP" },
        { "DLP", 0, 0, " 半径･点･線分の接円を作成しました", 1, 1, 1, "DLP" },
        { "DBL", 1, 0, "半径･点･線分の接円を作成しました", 1, 1, 1, "DBL" },
        { "DCP", 1, 0, "半径･点･円(弧)の接円を作成しました", 1, 1, 1, "DCP" },
        { "DCP", 0, 0, " 半径･点･円(弧)の接円を作成しました", 1, 1, 1, "DCP" },
        { "DBC", 1, 0, "半径･点･円(弧)の接円を作成しました", 1, 1, 1, "DBC" },
        { "PL", 0, 0, " 中心･線分の編集接円を表示しました", 0, 0, 2, "PL%" },
        { "PC", 0, 0, " 中心･円(弧)の編集接円を表示しました", 0, 0, 2, "PC%" },
        { "PP", 0, 0, " 中心･円周点の編集円を表示しました", 0, 0, 2, "PP%" },
        { "PD", 0, 0, " 中心･半径の編集円を表示しました", 0, 0, 2, "PD%" },
    };
    for (const Case& k : cases) {
        Dispatch d;
        SCOPED_TRACE(std::string(k.tokens) + (k.circleFlag ? " circle" : " arc"));
        // Each letter's operand at its position: the radius 5, a line on the x axis, a circle
        // of radius 10 about the origin, and points a pass point or a tangent point may be.
        const std::string t = k.tokens;
        for (int i = 0; i < 3 && i < static_cast<int>(t.size()); ++i) {
            d.Value(i, 5);
            if (t[i] == 'L') {
                d.C().m_pickedLines[i].m_start = At(-20, 0);
                d.C().m_pickedLines[i].m_end = At(20, 0);
                d.C().m_pickPoints[i] = At(4, 0);
            } else if (t[i] == 'C') {
                d.PickedCircle(i, At(0, 0), 10, At(0, 10));
            }
        }
        const bool circle = t.find('C') != std::string::npos;
        for (int i = 0; i < 3; ++i) {
            if (t[0] == 'P' && i == 0)
                d.Point(i, 0, 3);                       // a centre off the line and the circle
            else if (t.size() > static_cast<size_t>(i) && t[i] == 'H')
                d.Point(i, circle ? 10 : 2, 0);          // on the element
            else if (t.size() > static_cast<size_t>(i) && (t[i] == 'P' || t[i] == 'B'))
                d.Point(i, circle ? 13 : 2, circle ? 0 : 4);   // within reach of the radius
        }
        const int steps = d.Steps();
        EXPECT_EQ(d.Run(k.tokens, k.circleFlag), k.answer);
        EXPECT_EQ(k.onMessageLine ? d.Message() : d.Result(), k.text);
        EXPECT_EQ(d.NewBeeps(), 0);
        EXPECT_EQ(d.Steps(), steps + k.steps);
        EXPECT_EQ(d.C().m_tokenString, k.after);
        const CCircle* made = d.Doc().GetCircleElem(d.C().m_editBlock, d.C().m_editSlot);
        if (k.mark == 2) {
            // The edit circle stays tentative: drawn as such and the element the "%" edits.
            ASSERT_NE(made, nullptr);
            EXPECT_EQ(made->m_mark & 0x7F, 2);
            EXPECT_EQ(d.C().m_editClass, 1);
        } else {
            EXPECT_EQ(static_cast<int>(d.Listing().size()), 2) << d.Listing()[0];
        }
    }
}

TEST(CircleDispatch, RefusalsAndTheLinesOfTheCircleCommand)
{
    struct Case {
        const char* tokens;
        int circleFlag;
        double p[3][2];
        int answer, beeps;
        const char* message;  // the message line, or the result line when it begins with a blank
        int elements;
    } cases[] = {
        { "BPP", 1, { { 0, 0 }, { 10, 10 }, { 10, 10 } }, 1, 0, " 円(弧)コマンドの中で２点線分を作成しました", 1 },
        { "BPP", 1, { { 0, 0 }, { 5, 0 }, { 10, 0 } }, 1, 1, "３点円は作成できません", 0 },
        { "BPP", 0, { { 0, 0 }, { 5, 0 }, { 10, 0 } }, 1, 1, "３点円弧は作成できません", 0 },
        { "BPP", 1, { { 3, 3 }, { 3, 3 }, { 3, 3 } }, 0, 0, "", 0 },
        { "BB", 1, { { 2, 2 }, { 2, 2 }, { 0, 0 } }, 1, 1, "対向２点が同一で円は作成できません", 0 },
        { "BB", 0, { { 2, 2 }, { 2, 2 }, { 0, 0 } }, 1, 1, "対向２点が同一で円弧は作成できません", 0 },
        { "BSE", 1, { { 4, 4 }, { 9, 9 }, { 4, 4 } }, 0, 0, "", 0 },
        { "BSE", 1, { { 4, 4 }, { 9, 9 }, { 14, 4 } }, 1, 0, " 円(弧)コマンドの中で２点線分を作成しました", 1 },
        // The point of a tangent line inside the circle.
        { "BPC", 1, { { 3, 0 }, { 3, 0 }, { 0, 0 } }, 1, 1, "接線は作成できません", 0 },
        { "BPC", 1, { { 20, 0 }, { 20, 0 }, { 0, 0 } }, 1, 0, " 円(弧)コマンドの中で接線を作成しました", 1 },
        { "BDP", 1, { { 5, 5 }, { 0, 0 }, { 5, 5 } }, 1, 1, "方向点が第１点と同一で円は作成できません", 0 },
    };
    for (const Case& k : cases) {
        Dispatch d;
        SCOPED_TRACE(std::string(k.tokens) + " " + k.message);
        for (int i = 0; i < 3; ++i)
            d.Point(i, k.p[i][0], k.p[i][1]);
        d.Value(1, 10);
        d.PickedCircle(2, At(0, 0), 10, At(0, 12));
        const int steps = d.Steps();
        EXPECT_EQ(d.Run(k.tokens, k.circleFlag), k.answer);
        EXPECT_EQ(d.NewBeeps(), k.beeps);
        const std::string shown = k.message[0] == ' ' ? d.Result() : d.Message();
        EXPECT_EQ(shown, k.message);
        EXPECT_EQ(static_cast<int>(d.Listing().size()) - 1, k.elements);
        EXPECT_EQ(d.Steps(), steps + (k.elements ? 1 : 0));
        EXPECT_EQ(d.C().m_tokenString, k.tokens);
    }
}

TEST(CircleDispatch, CirclesThroughAPointTowardADirectionOrAtAnAngle)
{
    struct Case {
        const char* tokens;
        int circleFlag;
        double value1, value2;   // the values at positions 1 and 2
        double qx, qy;           // the point at position 2
        const char* listed;
    } cases[] = {
        // The direction point straight above puts the centre straight above.
        { "BDP", 1, 10, 0, 0, 50, "circle 0.000000,10.000000 r 10.000000" },
        { "BDP", 1, -10, 0, 0, 50, "circle 0.000000,-10.000000 r 10.000000" },
        { "BDA", 1, 5, 0, 0, 0, "circle 5.000000,0.000000 r 5.000000" },
        { "BAD", 1, 90, 5, 0, 0, "circle 0.000000,5.000000 r 5.000000" },
        // The arc command's half arc runs from the point.
        { "BAD", 0, 0, 5, 0, 0, "arc 5.000000,0.000000 r 5.000000 180.000000-360.000000" },
        { "BAP", 1, 0, 0, 10, 7, "circle 5.000000,0.000000 r 5.000000" },
        // Behind the end, against the direction: the diameter runs backwards.
        { "BAP", 1, 0, 0, -10, 3, "circle -5.000000,0.000000 r 5.000000" },
    };
    for (const Case& k : cases) {
        Dispatch d;
        SCOPED_TRACE(k.listed);
        d.Point(0, 0, 0);
        d.Value(1, k.value1);
        d.Value(2, k.value2);
        d.Point(2, k.qx, k.qy);
        EXPECT_EQ(d.Run(k.tokens, k.circleFlag), 1);
        EXPECT_TRUE(Lists(d.Listing(), k.listed)) << d.Listing()[0];
        EXPECT_EQ(d.Steps(), 1);
    }
    Dispatch d;
    d.Point(0, 0, 0);
    d.Value(1, 0);
    d.Point(2, 0, 20);
    EXPECT_EQ(d.Run("BAP"), 1);
    EXPECT_EQ(d.Message(), "直径位置点から得られる直径が零で円は作成できません");
    EXPECT_EQ(d.Steps(), 0);
}

TEST(CircleDispatch, AThreePointArcRunsFromTheFirstPointThroughTheSecond)
{
    struct Case {
        double p[3][2];
        const char* listed;
    } cases[] = {
        { { { 10, 0 }, { 0, 10 }, { -10, 0 } }, "arc 0.000000,0.000000 r 10.000000 0.000000-180.000000" },
        { { { -10, 0 }, { 0, 10 }, { 10, 0 } }, "arc 0.000000,0.000000 r 10.000000 0.000000-180.000000" },
        { { { 10, 0 }, { 0, -10 }, { -10, 0 } }, "arc 0.000000,0.000000 r 10.000000 180.000000-360.000000" },
        { { { 0, 10 }, { -10, 0 }, { 0, -10 } }, "arc 0.000000,0.000000 r 10.000000 90.000000-270.000000" },
    };
    for (const Case& k : cases) {
        Dispatch d;
        for (int i = 0; i < 3; ++i)
            d.Point(i, k.p[i][0], k.p[i][1]);
        EXPECT_EQ(d.Run("BPP", 0), 1);
        EXPECT_TRUE(Lists(d.Listing(), k.listed)) << d.Listing()[0];
        EXPECT_EQ(d.Steps(), 1);
    }
}

TEST(CircleDispatch, CentreConstructionsRefuseAZeroRadius)
{
    Dispatch d;
    d.Point(0, 5, 0);
    d.C().m_pickedLines[1].m_start = At(0, 0);
    d.C().m_pickedLines[1].m_end = At(10, 0);
    EXPECT_EQ(d.Run("PL"), 1);
    EXPECT_EQ(d.Message(), "半径が零の円は登録しません");
    EXPECT_EQ(d.NewBeeps(), 1);
    d.Point(0, 5, -4);
    EXPECT_EQ(d.Run("PL"), 1);
    EXPECT_TRUE(Lists(d.Listing(), "circle 5.000000,-4.000000 r 4.000000"));
    EXPECT_EQ(d.Result(), " 中心･線分の接円を作成しました");
    // A line without length gives no distance: nothing, and nothing said.
    d.C().m_pickedLines[1].m_end = At(0, 0);
    EXPECT_EQ(d.Run("PL"), 1);
    EXPECT_EQ(d.Message(), "");
    EXPECT_EQ(d.Steps(), 1);
}

TEST(CircleDispatch, IncompletePatternsSwitchesAndTheEditSections)
{
    Dispatch d;
    CAppElem& e = d.App().m_appElem;
    e.SetLastCommandKind(0);
    EXPECT_EQ(d.Run(""), 0);
    EXPECT_EQ(d.Run("D"), 0);
    EXPECT_EQ(e.m_lastCommandKind, 2);
    for (const char* tokens : { "P", "NPA", "BS", "CH", "XQ", "PDD" })
        EXPECT_EQ(d.Run(tokens), 0) << tokens;

    // "#" alone and the circle command's "%" alone: new elements take the selected element's
    // settings, and the mode in force is kept to be put back.
    e.m_creationEnv = 2;
    d.C().m_editFlag = 1;
    EXPECT_EQ(d.Run("#"), 0);
    EXPECT_EQ(e.m_creationEnv, 1);
    EXPECT_EQ(d.C().m_savedCreationMode, 2);
    e.m_creationEnv = 0;
    EXPECT_EQ(d.Run("%", 0), 0);
    EXPECT_EQ(e.m_creationEnv, 0);
    EXPECT_EQ(d.Run("%"), 0);
    EXPECT_EQ(e.m_creationEnv, 1);
    EXPECT_EQ(d.C().m_savedCreationMode, 0);
    d.C().RestoreCreationMode();
    EXPECT_EQ(e.m_creationEnv, 0);

    // Finished edits answer 1 whether or not they changed anything; marks and "%J" go on.
    struct Case {
        const char* tokens;
        int edit, answer;
    } cases[] = {
        { "%JP", 1, 1 }, { "%JR", 1, 1 }, { "%J", 1, 0 }, { "%P", 1, 0 }, { "%pp", 1, 1 }, { "PD%PP", 0, 1 },
        { "PD%A", 0, 0 }, { "#JP", 1, 1 }, { "#S", 1, 0 }, { "#p", 1, 0 }, { "#SP", 1, 1 }, { "&V", 1, 1 },
        { "#SP", 0, 0 }, { "&V", 0, 0 }, { "%Q", 1, 1 }, { "#Q", 1, 1 },
    };
    for (const Case& k : cases) {
        d.C().m_editFlag = k.edit;
        EXPECT_EQ(d.Run(k.tokens), k.answer) << k.tokens;
    }
    EXPECT_EQ(d.Steps(), 0);
}

// ---- regular polygons -----------------------------------------------------------------------

// The corners of the drawn sides, each end once.
std::set<std::pair<long, long>> Corners(const std::vector<const CLine*>& sides)
{
    std::set<std::pair<long, long>> out;
    for (const CLine* l : sides) {
        out.insert({ std::lround(l->m_start.m_x * 1000), std::lround(l->m_start.m_y * 1000) });
        out.insert({ std::lround(l->m_end.m_x * 1000), std::lround(l->m_end.m_y * 1000) });
    }
    return out;
}

TEST(CirclePolygons, CountSignSizeAndPatterns)
{
    const long r = std::lround(10 / std::cos(M_PI / 4) * 1000);
    struct Case {
        const char* tokens;
        double values[4];
        double points[4][2];
        std::set<std::pair<long, long>> corners;
        size_t sides;
    } cases[] = {
        { "NPD", { 4, 0, 10 }, {}, { { r, 0 }, { 0, r }, { -r, 0 }, { 0, -r } }, 4 },
        { "NPD", { -4, 0, 10 }, {}, { { 10000, 0 }, { 0, 10000 }, { -10000, 0 }, { 0, -10000 } }, 4 },
        { "NPD", { 6, 0, -5 }, {}, { { 5000, 0 }, { 2500, 4330 }, { -2500, 4330 }, { -5000, 0 }, { -2500, -4330 }, { 2500, -4330 } }, 6 },
        { "NPD", { 3.7, 0, -5 }, {}, { { 5000, 0 }, { -2500, 4330 }, { -2500, -4330 } }, 3 },
        { "DNP", { -5, 5.9 }, {}, {}, 5 },
        // The second point gives the size only; corner 0 stays on the rotation's direction.
        { "NPP", { -4 }, { { 0, 0 }, { 1, 1 }, { 1, 21 } }, { { 21000, 1000 }, { 1000, 21000 }, { -19000, 1000 }, { 1000, -19000 } }, 4 },
        { "NPAD", { -4, 0, 90, 10 }, { { 0, 0 }, { 1, 1 } }, { { 1000, 11000 }, { -9000, 1000 }, { 1000, -9000 }, { 11000, 1000 } }, 4 },
        { "NAPD", { -4, 90, 0, 10 }, { { 0, 0 }, { 0, 0 }, { 1, 1 } }, { { 1000, 11000 }, { -9000, 1000 }, { 1000, -9000 }, { 11000, 1000 } }, 4 },
        { "NAPP", { -3, 90 }, { { 0, 0 }, { 0, 0 }, { 0, 0 }, { 0, 4 } }, { { 0, 4000 }, { -3464, -2000 }, { 3464, -2000 } }, 3 },
        { "DNAP", { -3, 3, 90 }, { { 0, 0 }, { 0, 0 }, { 0, 0 }, { 0, 0 } }, { { 0, 3000 }, { -2598, -1500 }, { 2598, -1500 } }, 3 },
    };
    for (const Case& k : cases) {
        Dispatch d;
        SCOPED_TRACE(k.tokens);
        for (int i = 0; i < 4; ++i) {
            d.Value(i, k.values[i]);
            d.Point(i, k.points[i][0], k.points[i][1]);
        }
        EXPECT_EQ(d.Run(k.tokens), 1);
        const std::vector<const CLine*> sides = d.LiveLines();
        EXPECT_EQ(sides.size(), k.sides);
        if (!k.corners.empty()) {
            EXPECT_EQ(Corners(sides), k.corners);
        }
        EXPECT_EQ(d.C().m_doc->m_undoHistory->GetStepCount(), 1);
    }
}

TEST(CirclePolygons, RefusedCountsAndSizesCommitNothing)
{
    for (double count : { 2.9, -2.0, 0.0, 65539.0, -70000.0, 1e12 }) {
        Dispatch d;
        d.Value(0, count);
        d.Point(1, 0, 0);
        d.Value(2, 10);
        EXPECT_EQ(d.Run("NPD"), 1) << count;
        EXPECT_EQ(d.Listing(), std::vector<std::string>{ "retired 0" }) << count;
        EXPECT_EQ(d.Steps(), 0) << count;
        EXPECT_EQ(d.Message(), "") << count;
    }
    Dispatch d;
    d.Value(0, 5);
    d.Value(2, 0);
    EXPECT_EQ(d.Run("NPD"), 1);
    EXPECT_EQ(d.Steps(), 0);
}

TEST(CirclePolygons, TheGroupSettingAndTheNewLayer)
{
    Dispatch d;
    d.App().m_appElem.m_circleOption = 0;
    d.Value(0, 5);
    d.Value(2, 10);
    EXPECT_EQ(d.Run("NPD"), 1);
    EXPECT_EQ(d.Doc().m_groups.GetSize(), 0);
    for (const CLine* side : d.LiveLines())
        EXPECT_EQ(side->m_group, -1);

    // The new layer is one no element uses: the drawing's first layer holds a line already.
    Dispatch layered;
    layered.Doc().AddLine(At(50, 50), At(60, 50), 0, layered.Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    layered.App().m_appElem.m_layerCondition = 2;
    const std::int16_t before = layered.Doc().m_writeLayer;
    layered.Value(0, 3);
    layered.Value(2, 10);
    EXPECT_EQ(layered.Run("NPD"), 1);
    EXPECT_EQ(layered.Message(), "新レイヤに作成モードで新レイヤを作りました");
    EXPECT_NE(layered.Doc().m_writeLayer, before);
    int onNewLayer = 0;
    for (const CLine* side : layered.LiveLines())
        onNewLayer += side->m_layer == layered.Doc().m_writeLayer ? 1 : 0;
    EXPECT_EQ(onNewLayer, 3);
}

// Generated polygons: |n| equal sides, corners at the corner radius, closed, corner 0 at the
// angle.
TEST(CirclePolygons, PropertiesOfGeneratedPolygons)
{
    for (int n : { 3, -3, 5, -7, 8, -12, 17 }) {
        for (double size : { 0.5, 7.25, 120.0 }) {
            for (double angle : { 0.0, 33.0, -140.0 }) {
                Dispatch d;
                CPointD centre = At(3.5, -2.25);
                ASSERT_EQ(d.C().AddRegularPolygon(n, centre, size, angle), 1);
                const std::vector<const CLine*> sides = d.LiveLines();
                ASSERT_EQ(static_cast<int>(sides.size()), std::abs(n));
                const double corner = n < 0 ? size : size / std::cos(M_PI / std::abs(n));
                const double length = std::hypot(sides[0]->m_end.m_x - sides[0]->m_start.m_x,
                                                 sides[0]->m_end.m_y - sides[0]->m_start.m_y);
                std::vector<CPointD> ends;
                for (const CLine* l : sides) {
                    EXPECT_NEAR(std::hypot(l->m_end.m_x - l->m_start.m_x, l->m_end.m_y - l->m_start.m_y), length, 1e-9);
                    for (CPointD p : { l->m_start, l->m_end }) {
                        EXPECT_NEAR(std::hypot(p.m_x - centre.m_x, p.m_y - centre.m_y), corner, 1e-9);
                        ends.push_back(p);
                    }
                }
                // Closed: every corner is the end of exactly two sides.
                for (const CPointD& p : ends) {
                    int shared = 0;
                    for (const CPointD& q : ends)
                        shared += std::hypot(p.m_x - q.m_x, p.m_y - q.m_y) < 1e-6 ? 1 : 0;
                    EXPECT_EQ(shared, 2);
                }
                const CPointD first = At(centre.m_x + corner * std::cos(angle * M_PI / 180),
                                         centre.m_y + corner * std::sin(angle * M_PI / 180));
                int atFirst = 0;
                for (const CPointD& p : ends)
                    atFirst += std::hypot(p.m_x - first.m_x, p.m_y - first.m_y) < 1e-6 ? 1 : 0;
                EXPECT_EQ(atFirst, 2) << n << " " << size << " " << angle;
            }
        }
    }
}

// ---- group membership of rebuilt elements ---------------------------------------------------

TEST(CircleMembership, NewElementsTakeTheSourcesPlaceAndRole)
{
    Dispatch d;
    CZelkDoc& doc = d.Doc();
    const std::int16_t pen = doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    CGroup* group = new CGroup;
    group->m_kind = CGroup::KIND_RADIUS;
    doc.m_groups.Add(group);
    doc.AddArc(At(0, 0), 10, At(0, 90), 0, pen);
    CArc* old = doc.GetArcElem(0, 0);
    old->m_group = 0;
    old->m_role = 16;
    CElemRef oldRef;
    oldRef.Init(ELEM_ARC, 0, 0, 1, 0);
    group->m_members.push_back(oldRef);
    doc.AddArc(At(0, 0), 10, At(0, 30), 0, pen);
    doc.AddArc(At(0, 0), 10, At(60, 90), 0, pen);

    EXPECT_EQ(d.C().AddArcToSourceGroup(old, 0, 1), 1);
    EXPECT_EQ(d.C().AddArcToSourceGroup(doc.GetArcElem(0, 0), 0, 2), 1);
    ASSERT_EQ(group->m_members.size(), 3u);
    EXPECT_EQ(group->m_members[0].m_slot, 0);
    for (int i = 1; i <= 2; ++i) {
        const CElemRef& m = group->m_members[i];
        EXPECT_EQ(m.m_kind, ELEM_ARC);
        EXPECT_EQ(m.m_block, 0);
        EXPECT_EQ(m.m_slot, i);
        EXPECT_EQ(m.m_state, 1);
        EXPECT_EQ(m.m_mark, 1);
        EXPECT_EQ(m.m_extra, 0);
        EXPECT_EQ(doc.GetArcElem(0, i)->m_group, 0);
        EXPECT_EQ(doc.GetArcElem(0, i)->m_role, 16);
    }

    // A circle in no group, and one whose group number names no group: nothing is written.
    doc.AddCircle(At(0, 0), 5, 0, pen);
    doc.AddArc(At(0, 0), 5, At(0, 45), 0, pen);
    CCircle* loose = doc.GetCircleElem(0, 0);
    EXPECT_EQ(d.C().AddArcToSourceCircleGroup(loose, 0, 3), 0);
    loose->m_group = 7;
    EXPECT_EQ(d.C().AddArcToSourceCircleGroup(loose, 0, 3), 0);
    EXPECT_EQ(d.C().AddArcToSourceCircleGroup(nullptr, 0, 3), 0);
    EXPECT_EQ(doc.GetArcElem(0, 3)->m_group, -1);
    // Nor for a refused addition, which names no element.
    EXPECT_EQ(d.C().AddArcToSourceGroup(old, -1, -1), 0);
    EXPECT_EQ(d.C().AddGroupToSourceConicGroup(nullptr, 0), 0);
    EXPECT_EQ(group->m_members.size(), 3u);
    loose->m_group = 0;
    loose->m_role = 4;
    EXPECT_EQ(d.C().AddCircleToSourceGroup(loose, 0, 0), 1);
    EXPECT_EQ(group->m_members.back().m_kind, ELEM_CIRCLE);

    // An ellipse replaced by a group of curves: the new group hangs under the ellipse's group.
    doc.AddConic(At(0, 0), 10, 0.5, At(0, 360), 0, 0, pen);
    CConic* ellipse = doc.GetConicElem(0, 0);
    ellipse->m_group = 0;
    doc.m_groups.Add(new CGroup);
    EXPECT_EQ(d.C().AddGroupToSourceConicGroup(ellipse, 9), 0);
    EXPECT_EQ(d.C().AddGroupToSourceConicGroup(ellipse, 1), 1);
    EXPECT_EQ(doc.GetGroup(1)->m_parent, 0);
    const CElemRef& sub = group->m_members.back();
    EXPECT_EQ(sub.m_kind, ELEM_GROUP);
    EXPECT_EQ(sub.m_block, 1);
    EXPECT_EQ(sub.m_slot, 0);
    EXPECT_EQ(d.C().AddConicToSourceArcGroup(old, 0, 0), 1);
    EXPECT_EQ(ellipse->m_role, 16);
}

TEST(CircleMembership, TheEditedElementIsRetiredWithItsOtherMarks)
{
    Dispatch d;
    CZelkDoc& doc = d.Doc();
    const std::int16_t pen = doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    doc.AddCircle(At(0, 0), 5, 0, pen);
    CCircle* circle = doc.GetCircleElem(0, 0);
    circle->m_state = 1;
    circle->m_mark = 0x07;
    CCircleCommand& c = d.C();
    c.m_editClass = 1;
    c.m_editBlock = 0;
    c.m_editSlot = 0;
    c.DeleteEditedElement();
    // Deleted with its redraw pending (0x88); the redraw that follows has taken the pending bit.
    EXPECT_EQ(circle->m_state, STATE_DELETED);
    EXPECT_EQ(circle->m_mark, 0x05);
    ASSERT_EQ(doc.m_undoHistory->m_pendingSecond.size(), 1u);
    EXPECT_EQ(doc.m_undoHistory->m_pendingSecond[0].m_kind, ELEM_CIRCLE);
    EXPECT_EQ(doc.m_undoHistory->m_pendingSecond[0].m_state, 1);

    // An ellipse being edited is not retired here.
    doc.AddArc(At(0, 0), 5, At(0, 45), 0, pen);
    c.m_editClass = -1;
    c.DeleteEditedElement();
    EXPECT_EQ(doc.GetArcElem(0, 0)->m_state & 8, 0);
    c.m_editClass = 0;
    c.DeleteEditedElement();
    EXPECT_EQ(doc.GetArcElem(0, 0)->m_state, STATE_DELETED);
    EXPECT_EQ(doc.m_undoHistory->m_pendingSecond.back().m_kind, ELEM_ARC);
}

TEST(CircleDispatch, TheLayerRuleFollowsTheReferenceElementOrMakesANewLayer)
{
    Dispatch d;
    CZelkDoc& doc = d.Doc();
    doc.AddLine(At(50, 50), At(60, 50), 0, doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    const std::int16_t other = doc.FindOrCreateLayer("");
    ASSERT_NE(other, 0);
    const std::int16_t write = doc.m_writeLayer;
    d.App().m_appElem.m_layerCondition = 1;
    d.C().m_pickedLines[1].m_start = At(0, 0);
    d.C().m_pickedLines[1].m_end = At(10, 0);
    d.C().m_pickedLines[1].m_layer = other;
    d.Point(0, 5, 3);
    EXPECT_EQ(d.Run("PL"), 1);
    EXPECT_EQ(doc.GetCircleElem(d.C().m_editBlock, d.C().m_editSlot)->m_layer, other);
    EXPECT_EQ(doc.m_writeLayer, write);
    // A construction without a reference element stays on the write layer.
    d.Point(1, 9, 3);
    EXPECT_EQ(d.Run("BB"), 1);
    EXPECT_EQ(doc.GetCircleElem(d.C().m_editBlock, d.C().m_editSlot)->m_layer, write);

    d.App().m_appElem.m_layerCondition = 2;
    d.Point(0, 20, 20);
    EXPECT_EQ(d.Run("PL"), 1);
    // The completion text follows the new layer's notice on the message line.
    EXPECT_EQ(d.Message(), std::string("新レイヤに作成モードで新レイヤを作りました") + " 中心･線分の接円を作成しました");
    const CCircle* onNew = doc.GetCircleElem(d.C().m_editBlock, d.C().m_editSlot);
    EXPECT_NE(onNew->m_layer, write);
    EXPECT_NE(onNew->m_layer, other);
    EXPECT_EQ(doc.m_writeLayer, onNew->m_layer);
}

} // namespace
