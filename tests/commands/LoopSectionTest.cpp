// Section properties of extracted loops: the result lines, the centroid cross, the macro
// variables and the hand-over to group processing, on the command tape and against area,
// centroid and second moment computed here by Green's theorem.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/line/LoopCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Line.h"
#include "elements/Lines.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroVariable.h"
#include "macro/Unit.h"
#include "platform/core/WinTypes.h"
#include "tests/commands/LineTestSupport.h"
#include "tests/commands/LoopTestSupport.h"
#include "tests/support/CommandTape.h"

namespace {

using loop_tests::At;
using loop_tests::CLoopWriter;
using loop_tests::kPi;

std::vector<CLine> LiveLines(const CZelkDoc& doc)
{
    std::vector<CLine> out;
    for (int b = 0; b < doc.m_lineBlocks.GetSize(); ++b) {
        const CLines* block = doc.LineBlockAt(b);
        for (int s = 0; s < block->m_count; ++s)
            if (!(block->m_slots[s].m_state & 8))
                out.push_back(block->m_slots[s]);
    }
    return out;
}

// The lines of after that before does not hold, in order.
std::vector<CLine> NewLines(const std::vector<CLine>& before, const std::vector<CLine>& after)
{
    std::vector<CLine> out;
    for (const CLine& l : after) {
        const bool known = std::any_of(before.begin(), before.end(), [&](const CLine& k) {
            return k.m_start.m_x == l.m_start.m_x && k.m_start.m_y == l.m_start.m_y && k.m_end.m_x == l.m_end.m_x &&
                   k.m_end.m_y == l.m_end.m_y;
        });
        if (!known)
            out.push_back(l);
    }
    return out;
}

// The centroid a new cross marks: the middle of its horizontal line.
bool CrossCentre(const std::vector<CLine>& before, const std::vector<CLine>& after, CPointD& centre)
{
    for (const CLine& l : NewLines(before, after)) {
        if (l.m_start.m_y == l.m_end.m_y) {
            centre = At((l.m_start.m_x + l.m_end.m_x) / 2, l.m_start.m_y);
            return true;
        }
    }
    return false;
}

std::vector<CText> LiveTexts(const CZelkDoc& doc)
{
    std::vector<CText> out;
    for (int b = 0; b < doc.m_textBlocks.GetSize(); ++b) {
        const CTexts* block = doc.TextBlockAt(b);
        for (int s = 0; s < block->m_count; ++s)
            if (!(block->m_slots[s].m_state & 8))
                out.push_back(block->m_slots[s]);
    }
    return out;
}

std::vector<std::string> ResultTexts(const CZelkApp& app)
{
    std::vector<std::string> out;
    const CPtrArray& texts = app.m_groupProcessor->m_elemSet.texts;
    for (int i = 0; i < texts.GetSize(); ++i)
        out.push_back(static_cast<const CText*>(texts[i])->m_text.GetString());
    return out;
}

const CMacroVariable* Variable(const CZelkApp& app, const char* name)
{
    const int i = CMacroInterpreter::FindVariable(name);
    return i < 0 ? nullptr : static_cast<const CMacroVariable*>(app.m_variableTable[i]);
}

class SectionTape : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.App().m_appElem.m_stripCount = 500;
        m_tape.App().m_appElem.m_centroidHalfLength = 10.0;
        m_tape.App().m_appAcc.m_digits2 = 6;
        m_tape.Key('O');
        EXPECT_EQ(m_tape.LoopMenu("算定").loopMode, "OQ");
        m_tape.AddLine(At(0, 0), At(100, 0));
        m_tape.AddLine(At(100, 0), At(100, 50));
        m_tape.AddLine(At(0, 50), At(100, 50));
        m_tape.AddLine(At(0, 0), At(0, 50));
        m_sides = LiveLines(m_tape.Doc());
    }
    CCommandTape m_tape;
    std::vector<CLine> m_sides;
};

TEST_F(SectionTape, ARectangleGetsItsAreaTheCrossAtItsCentreAndItsTextsHandedToGroupProcessing)
{
    CZelkApp& app = m_tape.App();
    CZelkDoc& doc = m_tape.Doc();
    ASSERT_EQ(CMacroInterpreter::FindUnitByName("mm2"), -1);
    m_tape.Pick(At(30, 50));
    EXPECT_EQ(m_tape.Key(VK_RETURN).message, "１つのループを抽出しました");
    const CCommandRow& loops = m_tape.Key(VK_RETURN);
    EXPECT_EQ(loops.loopTokens, "O");
    const CCommandRow& done = m_tape.Key(VK_RETURN);

    EXPECT_EQ(done.message, "重心にクロスを作成しました");
    EXPECT_EQ(done.loopState, 0);
    EXPECT_EQ(ResultTexts(app), (std::vector<std::string>{ "LOOP 01 周長 = 300", "面積 = 5000" }));
    // The cross: its two lines and "G" at the centre.
    const std::vector<CLine> lines = NewLines(m_sides, LiveLines(doc));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_POINT(lines[0].m_start, 40, 25);
    EXPECT_POINT(lines[0].m_end, 60, 25);
    EXPECT_POINT(lines[1].m_start, 50, 15);
    EXPECT_POINT(lines[1].m_end, 50, 35);
    const std::vector<CText> texts = LiveTexts(doc);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_STREQ(texts[0].m_text.GetString(), "G");
    EXPECT_POINT(texts[0].m_point, 50, 25);
    // One undo step of kind 1 holds the cross (Enter in the drawing commits its own empty one).
    EXPECT_GE(done.undoSteps, loops.undoSteps + 1);
    EXPECT_LE(done.undoSteps, loops.undoSteps + 2);
    EXPECT_EQ(done.undoKinds.back(), '1');

    const CMacroVariable* ar = Variable(app, "AR");
    ASSERT_NE(ar, nullptr);
    EXPECT_DOUBLE_EQ(ar->value, 0.005);
    EXPECT_STREQ(ar->unit.name.GetString(), "mm2");
    const int mm2 = CMacroInterpreter::FindUnitByName("mm2");
    ASSERT_GE(mm2, 0);
    EXPECT_DOUBLE_EQ(CMacroInterpreter::GetUnit(mm2)->ratio, 1e-6);
    EXPECT_EQ(CMacroInterpreter::GetUnit(mm2)->exponents[0], 2);
    EXPECT_EQ(Variable(app, "II"), nullptr);

    const CGroupProcessor& group = *app.m_groupProcessor;
    EXPECT_EQ(group.m_document, &doc);
    EXPECT_EQ(app.m_groupProcessing, 1); // the box selection goes on in group processing
    EXPECT_STREQ(group.modePattern.GetString(), "MP");
    EXPECT_EQ(group.m_preset, 1);
    EXPECT_EQ(group.m_moveFlag, 0);
    EXPECT_DOUBLE_EQ(group.m_elemSet.angle, 0.0);
    EXPECT_EQ(group.m_lastInputKind, 14);
    EXPECT_EQ(group.m_lastInputSubCode, 32);

    // A second computation finds the unit and does not add it again.
    const int units = app.m_unitTable.GetSize();
    m_tape.Key('O');
    m_tape.LoopMenu("算定");
    m_tape.Pick(At(30, 50));
    m_tape.Key(VK_RETURN);
    m_tape.Key(VK_RETURN);
    m_tape.Key(VK_RETURN);
    EXPECT_EQ(app.m_unitTable.GetSize(), units);
}

TEST_F(SectionTape, TheBottomSideAsAxisAddsTheSecondMomentAboutIt)
{
    CZelkApp& app = m_tape.App();
    m_tape.Pick(At(30, 50));
    m_tape.Key(VK_RETURN);
    m_tape.Key(VK_RETURN);
    EXPECT_EQ(m_tape.Pick(At(70, 0)).loopTokens, "OL");
    const CCommandRow& done = m_tape.Key(VK_RETURN);
    EXPECT_EQ(done.message, "重心にクロスを作成しました");
    // The midpoint strips give 4166662.5 against 100 * 50^3 / 3 = 4166666.67.
    EXPECT_EQ(ResultTexts(app), (std::vector<std::string>{ "LOOP 01 周長 = 300", "面積 = 5000",
                                                           "断面二次モーメント = 4166660" }));
    const CMacroVariable* ii = Variable(app, "II");
    ASSERT_NE(ii, nullptr);
    EXPECT_NEAR(ii->value, 4.16666e-6, 1e-17);
    EXPECT_STREQ(ii->unit.name.GetString(), "mm4");
    const int mm4 = CMacroInterpreter::FindUnitByName("mm4");
    ASSERT_GE(mm4, 0);
    EXPECT_DOUBLE_EQ(CMacroInterpreter::GetUnit(mm4)->ratio, 1e-12);
    EXPECT_EQ(CMacroInterpreter::GetUnit(mm4)->exponents[0], 4);
    CPointD g;
    ASSERT_TRUE(CrossCentre(m_sides, LiveLines(m_tape.Doc()), g));
    EXPECT_POINT(g, 50, 25);
}

// Loops written into the store, computed straight away.
class SectionOfLoops : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.App().m_appElem.m_stripCount = 500;
        m_tape.App().m_appAcc.m_digits2 = 6;
    }
    CLoopCommand& Loop() { return *m_tape.Doc().m_loopCmd; }
    std::vector<std::string> Compute(int axis = -1)
    {
        Loop().ComputeSectionProperties(axis);
        return ResultTexts(m_tape.App());
    }
    CCommandTape m_tape;
};

TEST_F(SectionOfLoops, CirclesNestedLoopsAndTheTenthLoopsNumber)
{
    CLoopWriter(Loop()).Circle(At(0, 0), 10);
    EXPECT_EQ(Compute(), (std::vector<std::string>{ "LOOP 01 周長 = 62.8319", "面積 = 314.168" }));
    Loop().FreeLoops();

    // A square of 40 with a square hole of 20: 1600 - 400.
    CLoopWriter(Loop()).Polygon({ At(0, 0), At(40, 0), At(40, 40), At(0, 40) });
    CLoopWriter(Loop()).Polygon({ At(10, 10), At(30, 10), At(30, 30), At(10, 30) });
    const std::vector<std::string> nested = Compute();
    ASSERT_EQ(nested.size(), 3u);
    EXPECT_EQ(nested[2], "面積 = 1200");
    Loop().FreeLoops();

    // Strips of 0.1 across fit the squares' sides exactly.
    m_tape.App().m_appElem.m_stripCount = 1900;
    for (int i = 0; i < 10; ++i)
        CLoopWriter(Loop()).Polygon({ At(20.0 * i, 0), At(20.0 * i + 10, 0), At(20.0 * i + 10, 10), At(20.0 * i, 10) });
    const std::vector<std::string> ten = Compute();
    ASSERT_EQ(ten.size(), 11u);
    EXPECT_EQ(ten[8], "LOOP 09 周長 = 40");
    EXPECT_EQ(ten[9], "LOOP 10 周長 = 40");
    EXPECT_EQ(ten[10], "面積 = 1000");
}

TEST_F(SectionOfLoops, FiguresWithoutAreaOrStripsGiveNoCrossAndNoNaN)
{
    CZelkApp& app = m_tape.App();
    // A loop flat as a line: two lines over each other.
    CLoopWriter(Loop()).Line(At(0, 0), At(50, 0)).Line(At(0, 0), At(50, 0), 1);
    m_tape.Doc().m_loopCmd->m_pickedLines[1].Assign(CLine(At(0, -5), At(50, -5)));
    EXPECT_EQ(Loop().ComputeSectionProperties(1), 0);
    const std::vector<std::string> flat = ResultTexts(app);
    ASSERT_EQ(flat.size(), 2u);
    EXPECT_EQ(flat[1], "面積 = 0");
    EXPECT_TRUE(LiveLines(m_tape.Doc()).empty());
    EXPECT_TRUE(LiveTexts(m_tape.Doc()).empty());
    ASSERT_NE(Variable(app, "AR"), nullptr);
    EXPECT_EQ(Variable(app, "AR")->value, 0.0);
    EXPECT_EQ(Variable(app, "II"), nullptr);
    Loop().FreeLoops();

    // A strip count of 0 from a damaged settings file is taken as one strip.
    app.m_appElem.m_stripCount = 0;
    CLoopWriter(Loop()).Polygon({ At(0, 0), At(10, 0), At(10, 10), At(0, 10) });
    EXPECT_EQ(Loop().ComputeSectionProperties(-1), 1);
    EXPECT_EQ(ResultTexts(app).back(), "面積 = 100");

    // No loop: nothing at all.
    Loop().FreeLoops();
    EXPECT_EQ(Loop().ComputeSectionProperties(-1), 0);
}

// ---- the property: strip sums against Green's theorem --------------------------------------

struct Exact {
    double area = 0, sx = 0, sy = 0, iyy = 0;   // ∫dA, ∫x dA, ∫y dA, ∫y² dA
    void Edge(const CPointD& p, const CPointD& q)
    {
        const double c = p.m_x * q.m_y - q.m_x * p.m_y;
        area += c / 2.0;
        sx += (p.m_x + q.m_x) * c / 6.0;
        sy += (p.m_y + q.m_y) * c / 6.0;
        iyy += (p.m_y * p.m_y + p.m_y * q.m_y + q.m_y * q.m_y) * c / 12.0;
    }
};

double ParseNumber(const std::string& line)
{
    return std::strtod(line.substr(line.find(" = ") + 3).c_str(), nullptr);
}

TEST_F(SectionOfLoops, StripSumsMatchGreensTheoremOnRandomOutlinesWithArcs)
{
    CZelkApp& app = m_tape.App();
    app.m_appElem.m_stripCount = 2000;
    app.m_appAcc.m_digits2 = 15;
    std::mt19937 random(71);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        Loop().FreeLoops();
        // A star-shaped outline about (cx, cy): its vertices at rising angles, some sides bulged
        // out into arcs of a modest included angle.
        const double cx = 100 * unit(random) - 50, cy = 100 * unit(random) - 50;
        const int count = 5 + static_cast<int>(unit(random) * 5);
        std::vector<CPointD> v;
        for (int k = 0; k < count; ++k) {
            const double a = 2 * kPi * (k + 0.2 + 0.6 * unit(random)) / count;
            const double r = 20 + 20 * unit(random);
            v.push_back(At(cx + r * std::cos(a), cy + r * std::sin(a)));
        }
        // The axis: a random line near the figure (within it or outside it).
        const double axisAngle = 360 * unit(random) - 180;
        const CPointD b = At(cx + 60 * unit(random) - 30, cy + 60 * unit(random) - 30);
        const CPointD axisEnd = At(b.m_x + 30 * std::cos(axisAngle * kPi / 180), b.m_y + 30 * std::sin(axisAngle * kPi / 180));
        const double t = axisAngle * kPi / 180;
        // Frame of the axis: y' is the signed distance from it.
        auto toAxis = [&](const CPointD& p) {
            const double dx = p.m_x - b.m_x, dy = p.m_y - b.m_y;
            return At(dx * std::cos(t) + dy * std::sin(t), -dx * std::sin(t) + dy * std::cos(t));
        };
        Exact world, axis;
        CLoopWriter writer(Loop());
        for (int k = 0; k < count; ++k) {
            const CPointD& p = v[static_cast<std::size_t>(k)];
            const CPointD& q = v[static_cast<std::size_t>((k + 1) % count)];
            if (unit(random) < 0.5) {
                writer.Line(p, q);
                world.Edge(p, q);
                axis.Edge(toAxis(p), toAxis(q));
                continue;
            }
            // An arc from p to q bulging to the right of p->q, out of the counterclockwise
            // outline: its centre lies to the left, and it runs counterclockwise from p to q.
            const double included = (30 + 40 * unit(random)) * kPi / 180;
            const double chord = std::hypot(q.m_x - p.m_x, q.m_y - p.m_y);
            const double radius = chord / 2 / std::sin(included / 2);
            const double mx = (p.m_x + q.m_x) / 2, my = (p.m_y + q.m_y) / 2;
            const double ux = (q.m_x - p.m_x) / chord, uy = (q.m_y - p.m_y) / chord;
            const double back = radius * std::cos(included / 2);
            const CPointD centre = At(mx - uy * back, my + ux * back);
            double start = std::atan2(p.m_y - centre.m_y, p.m_x - centre.m_x) * 180 / kPi;
            double end = std::atan2(q.m_y - centre.m_y, q.m_x - centre.m_x) * 180 / kPi;
            if (start < 0)
                start += 360;
            while (end <= start)
                end += 360;
            writer.Arc(centre, radius, start, end, 0);
            // Green's theorem along the arc in fine chords.
            const int pieces = 4096;
            const double a0 = start * kPi / 180, sweep = (end - start) * kPi / 180;
            CPointD prev = p;
            for (int i = 1; i <= pieces; ++i) {
                const double a = a0 + sweep * i / pieces;
                const CPointD cur = i == pieces ? q : At(centre.m_x + radius * std::cos(a), centre.m_y + radius * std::sin(a));
                world.Edge(prev, cur);
                axis.Edge(toAxis(prev), toAxis(cur));
                prev = cur;
            }
        }
        ASSERT_GT(world.area, 0.0);
        const std::vector<CLine> linesBefore = LiveLines(m_tape.Doc());

        // Without axis: area and centroid.
        ASSERT_EQ(Loop().ComputeSectionProperties(-1), 1);
        const std::vector<std::string> plain = ResultTexts(app);
        ASSERT_EQ(plain.size(), 2u);
        const double size = std::sqrt(world.area);
        EXPECT_NEAR(ParseNumber(plain[1]), world.area, 2e-3 * world.area);
        const std::vector<CLine> lines = LiveLines(m_tape.Doc());
        CPointD g;
        ASSERT_TRUE(CrossCentre(linesBefore, lines, g));
        EXPECT_NEAR(g.m_x, world.sx / world.area, 2e-3 * size);
        EXPECT_NEAR(g.m_y, world.sy / world.area, 2e-3 * size);

        // About the axis: the second moment, and the same area in the turned frame.
        Loop().m_pickedLines[1].Assign(CLine(b, axisEnd));
        ASSERT_EQ(Loop().ComputeSectionProperties(1), 1);
        const std::vector<std::string> turned = ResultTexts(app);
        ASSERT_EQ(turned.size(), 3u);
        EXPECT_NEAR(ParseNumber(turned[1]), axis.area, 2e-3 * axis.area);
        EXPECT_NEAR(ParseNumber(turned[2]), axis.iyy, 3e-3 * axis.iyy);
        CPointD g2;
        ASSERT_TRUE(CrossCentre(lines, LiveLines(m_tape.Doc()), g2));
        EXPECT_NEAR(g2.m_x, world.sx / world.area, 2e-3 * size);
        EXPECT_NEAR(g2.m_y, world.sy / world.area, 2e-3 * size);
    }
}

TEST_F(SectionOfLoops, AxisAlignedRectanglesGiveExactAreaAndCentroidAndTheMomentLowByTheStripTerm)
{
    struct Case {
        double x, y, w, hgt;
    };
    const Case cases[] = { { 0, 0, 100, 50 }, { -30, 12, 8, 90 }, { 5, -40, 61, 17 } };
    CZelkApp& app = m_tape.App();
    app.m_appAcc.m_digits2 = 15;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.w);
        Loop().FreeLoops();
        CLoopWriter(Loop()).Polygon({ At(c.x, c.y), At(c.x + c.w, c.y), At(c.x + c.w, c.y + c.hgt), At(c.x, c.y + c.hgt) });
        // The axis along the bottom side.
        Loop().m_pickedLines[1].Assign(CLine(At(c.x, c.y), At(c.x + c.w, c.y)));
        const std::vector<CLine> before = LiveLines(m_tape.Doc());
        ASSERT_EQ(Loop().ComputeSectionProperties(1), 1);
        const std::vector<std::string> r = ResultTexts(app);
        ASSERT_EQ(r.size(), 3u);
        EXPECT_NEAR(ParseNumber(r[1]), c.w * c.hgt, 1e-9 * c.w * c.hgt);
        const double h = c.hgt / 500;
        const double exact = c.w * c.hgt * c.hgt * c.hgt / 3;
        EXPECT_NEAR(ParseNumber(r[2]), exact - c.w * c.hgt * h * h / 12, 1e-9 * exact);
        CPointD g;
        ASSERT_TRUE(CrossCentre(before, LiveLines(m_tape.Doc()), g));
        EXPECT_NEAR(g.m_x, c.x + c.w / 2, 1e-9 * c.w);
        EXPECT_NEAR(g.m_y, c.y + c.hgt / 2, 1e-9 * c.hgt);
    }
}

} // namespace
