// Loops taken from the drawing as a person takes them on the command tape: picks, Enter, typed
// values and points, through the loop command's dispatch, and the hatching and offsets made of
// them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/line/LoopCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "platform/core/WinTypes.h"
#include "tests/commands/LineTestSupport.h"
#include "tests/commands/LoopTestSupport.h"
#include "tests/support/CommandTape.h"

namespace {

using loop_tests::At;
using loop_tests::Path;

class LoopTape : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.App().m_appCommand.m_loopFlag = 1;
        m_tape.Key('O');
    }
    CLoopCommand& Loop() { return *m_tape.Doc().m_loopCmd; }
    std::string LastPath() { return Path(Loop(), Loop().m_loops.GetSize() ? static_cast<COwnedPtrArray*>(Loop().m_loops[Loop().m_loops.GetSize() - 1]) : nullptr); }
    // The square from (x, y) with sides of the length, each stored with its ends in x-then-y
    // order: bottom, right, top, left.
    void Square(double x, double y, double side)
    {
        m_tape.AddLine(At(x, y), At(x + side, y));
        m_tape.AddLine(At(x + side, y), At(x + side, y + side));
        m_tape.AddLine(At(x, y + side), At(x + side, y + side));
        m_tape.AddLine(At(x, y), At(x, y + side));
    }
    const CCommandRow& Enter() { return m_tape.Key(VK_RETURN); }
    CCommandTape m_tape;
};

std::vector<std::string> LinesOf(const std::vector<std::string>& listing)
{
    std::vector<std::string> out;
    for (const std::string& l : listing)
        if (l.rfind("line ", 0) == 0)
            out.push_back(l);
    return out;
}

TEST_F(LoopTape, ASquareIsTakenHighlightedAndHatchedInOneGroup)
{
    Square(0, 0, 10);
    loop_tests::CRecordingView view;
    m_tape.Doc().AddView(&view);
    CZelkApp& app = m_tape.App();
    app.m_appElem.m_hatchPitch = 2.0;
    app.m_appElem.m_lineWidth = 5;
    app.m_appElem.m_lineType = 2;

    EXPECT_EQ(m_tape.LoopMenu("ハッチング").loopMode, "OAP");
    const std::vector<std::string> drawing = ListElements(m_tape.Doc());
    view.m_calls.clear();
    const CCommandRow& picked = m_tape.Pick(At(2, 0));
    EXPECT_EQ(picked.loopState, 1);
    EXPECT_EQ(LastPath(), "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0");
    // The four copies are drawn in the first purpose colour.
    EXPECT_GE(view.DrawsWithPen("RGB(255,0,0)"), 4);
    EXPECT_EQ(picked.listing, drawing);

    const CCommandRow& closed = Enter();
    EXPECT_EQ(closed.message, "１つのループを抽出しました");
    EXPECT_EQ(closed.loopState, 3);
    EXPECT_EQ(closed.beeps, picked.beeps);
    EXPECT_EQ(Enter().loopTokens, "O");
    const CCommandRow& angle = m_tape.Typed("0");
    EXPECT_EQ(angle.loopTokens, "OA");
    const CCommandRow& hatched = m_tape.RightClick(At(5, 5));
    m_tape.Doc().RemoveView(&view);

    EXPECT_EQ(hatched.message, "ハッチングを作成しました");
    // One more undo step, of kind 1.
    EXPECT_EQ(hatched.undoSteps, angle.undoSteps + 1);
    EXPECT_EQ(hatched.undoKinds.back(), '1');
    EXPECT_EQ(hatched.loopState, 0);
    EXPECT_EQ(LinesOf(hatched.listing).size(), 9u);
    // One new group of five lines y = 9, 7, 5, 3, 1 across the square, solid and of width 1.
    CZelkDoc& doc = m_tape.Doc();
    ASSERT_EQ(doc.m_groups.GetSize(), 1);
    const CGroup* group = doc.GetGroup(0);
    ASSERT_EQ(group->m_members.size(), 5u);
    for (std::size_t k = 0; k < group->m_members.size(); ++k) {
        const CElemRef& m = group->m_members[k];
        const CLine* line = doc.GetLineElem(m.m_block, m.m_slot);
        ASSERT_NE(line, nullptr);
        const double y = 9.0 - 2.0 * static_cast<double>(k);
        EXPECT_POINT(line->m_start, 0.0, y);
        EXPECT_POINT(line->m_end, 10.0, y);
        EXPECT_EQ(line->m_group, 0);
        const CTypePen* pen = doc.GetPen(doc.LineBlockAt(m.m_block)->m_pen);
        ASSERT_NE(pen, nullptr);
        EXPECT_EQ(pen->m_width, 1);
        EXPECT_EQ(pen->m_lineType, 0);
    }
    // The creation pen is the user's again.
    EXPECT_EQ(app.m_appElem.m_lineWidth, 5);
    EXPECT_EQ(app.m_appElem.m_lineType, 2);
}

// One element of a figure: a line a-b, a circle about a of radius r, or an arc about a of
// radius r from start to end degrees.
struct Element {
    char kind;
    CPointD a, b;
    double r = 0, start = 0, end = 0;
};

Element L(double x0, double y0, double x1, double y1)
{
    return Element{ 'L', At(x0, y0), At(x1, y1) };
}

Element Ci(double x, double y, double r)
{
    return Element{ 'C', At(x, y), At(0, 0), r };
}

Element Ar(double x, double y, double r, double start, double end)
{
    return Element{ 'A', At(x, y), At(0, 0), r, start, end };
}

std::vector<Element> SquareOf(double side)
{
    return { L(0, 0, side, 0), L(side, 0, side, side), L(0, side, side, side), L(0, 0, 0, side) };
}

struct ExtractionCase {
    const char* what;
    std::vector<Element> figure;
    std::vector<CPointD> picks;
    const char* afterPicks;     // the path of the last loop
    const char* pickMessage;    // the message after the last pick, nullptr: not checked
    const char* enterMessage;
    bool enterBeeps;
    const char* afterEnter;
};

TEST_F(LoopTape, PicksFollowJoinAndCloseLoopsOfCopies)
{
    const char* square = "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0";
    const char* taken = "１つのループを抽出しました";
    const char* open = "ループが閉じていません";
    std::vector<Element> gapped = SquareOf(10);
    gapped[3] = L(0, 0.05, 0, 10);
    const std::vector<ExtractionCase> cases = {
        { "picked near its start", SquareOf(10), { At(2, 0) }, square, nullptr, taken, false, square },
        { "picked near its end, the other way", SquareOf(10), { At(8, 0) },
          "L 10,0>0,0 | L 0,0>0,10 | L 0,10>10,10 | L 10,10>10,0", nullptr, taken, false,
          "L 10,0>0,0 | L 0,0>0,10 | L 0,10>10,10 | L 10,10>10,0" },
        { "ends 0.05 apart are followed but do not close", gapped, { At(2, 0) },
          "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0.05", nullptr, open, true,
          "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0.05" },
        // Following stops where two lines go on; the one picked is joined at the junction and
        // followed from its far end.
        { "a junction", { L(0, 0, 10, 0), L(10, 0, 20, 0), L(10, 0, 10, 10), L(0, 10, 10, 10), L(0, 0, 0, 10) },
          { At(2, 0), At(10, 7) }, "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0", nullptr, taken, false,
          "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0" },
        // A line ends on the middle of a line through it: the branch picked is taken towards
        // the click, and the rest of the outline follows.
        { "the branch up", { L(0, 0, 10, 0), L(10, -10, 10, 10), L(0, 10, 10, 10), L(0, 0, 0, 10) },
          { At(2, 0), At(10, 8) }, "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0", nullptr, taken, false,
          "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0" },
        { "the branch down", { L(0, 0, 10, 0), L(10, -10, 10, 10), L(0, 10, 10, 10), L(0, 0, 0, 10) },
          { At(2, 0), At(10, -8) }, "L 0,0>10,0 | L 10,0>10,-10", nullptr, open, true, "L 0,0>10,0 | L 10,0>10,-10" },
        // A picked line crossing only the second member: the loop is cut back there; crossing
        // the second and the third, the latest wins.
        { "a line across the second member", { L(0, 0, 10, 0), L(10, 0, 10, 10), L(10, 10, 20, 10), L(5, 5, 15, 5) },
          { At(2, 0), At(13, 5) }, "L 0,0>10,0 | L 10,0>10,5 | L 10,5>15,5", nullptr, open, true,
          "L 0,0>10,0 | L 10,0>10,5 | L 10,5>15,5" },
        { "a line across two members", { L(0, 0, 10, 0), L(10, 0, 10, 10), L(10, 10, 20, 10), L(8, 3, 18, 13) },
          { At(2, 0), At(17, 12) }, "L 0,0>10,0 | L 10,0>10,10 | L 10,10>15,10 | L 15,10>18,13", nullptr, open, true,
          "L 0,0>10,0 | L 10,0>10,10 | L 10,10>15,10 | L 15,10>18,13" },
        // Picked again at the junction where the loop left it, a member is taken up anew and the
        // branch after it goes; the other branch is then joined there.
        { "a branch taken back", { L(0, 0, 10, 0), L(10, 0, 10, 10), L(10, 0, 20, 0) },
          { At(2, 0), At(10, 5), At(6, 0), At(15, 0) }, "L 0,0>10,0 | L 10,0>20,0", nullptr, open, true,
          "L 0,0>10,0 | L 10,0>20,0" },
        { "a pick that meets no member", { L(0, 0, 10, 0), L(20, 5, 30, 5) }, { At(2, 0), At(25, 5) }, "L 0,0>10,0",
          "指定要素は選択したリンクと交点を持ちません。", open, true, "L 0,0>10,0" },
        // The chain runs past its start and crosses the first side: Enter trims both there.
        { "an overshoot", { L(0, 0, 10, 0), L(10, 0, 10, 10), L(2, 10, 10, 10), L(2, -2, 2, 10) }, { At(4, 0) },
          "L 0,0>10,0 | L 10,0>10,10 | L 10,10>2,10 | L 2,10>2,-2", nullptr, taken, false,
          "L 2,0>10,0 | L 10,0>10,10 | L 10,10>2,10 | L 2,10>2,0" },
        // The loop's last line stops short of a picked line that begins on its extension.
        { "a line lengthened to a picked line", { L(0, 0, 9, 0), L(10, 0, 10, 10), L(0, 10, 10, 10), L(0, 0, 0, 10) },
          { At(2, 0), At(10, 5) }, "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0", nullptr, taken, false,
          "L 0,0>10,0 | L 10,0>10,10 | L 10,10>0,10 | L 0,10>0,0" },
        { "a loop ending with a circle", { L(0, 0, 10, 0), Ci(10, 0, 3) }, { At(2, 0), At(10, 3) },
          "L 0,0>7,0 | C 10,0 r3", nullptr, taken, false, "C 10,0 r3" },
        { "a circle alone", { Ci(0, 0, 5) }, { At(0, 5) }, "C 0,0 r5", nullptr, taken, false, "C 0,0 r5" },
        // A line leaving an arc where it touches it: their joint closes nothing.
        { "an arc and a line meeting only at their joint", { Ar(0, 0, 10, 0, 90), L(-10, 10, 0, 10) }, { At(7.07, 7.07) },
          "A 10,0>0,10 | L 0,10>-10,10", nullptr, open, true, "A 10,0>0,10 | L 0,10>-10,10" },
        // An arc, then a line ending on the arc's start: the joint is no crossing, the start is.
        { "an arc and its chord", { Ar(0, 0, 10, 0, 90), L(0, 10, 10, 0) }, { At(7.07, 7.07) },
          "A 10,0>0,10 | L 0,10>10,0", nullptr, taken, false, "A 10,0>0,10 | L 0,10>10,0" },
    };
    for (const ExtractionCase& k : cases) {
        SCOPED_TRACE(k.what);
        CCommandTape tape;
        tape.App().m_appCommand.m_loopFlag = 1;
        tape.Key('O');
        tape.LoopMenu("ハッチング");
        CZelkDoc& doc = tape.Doc();
        const std::int16_t pen = doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
        for (const Element& e : k.figure) {
            if (e.kind == 'L')
                tape.AddLine(e.a, e.b);
            else if (e.kind == 'C')
                tape.AddCircle(e.a, e.r);
            else
                doc.AddArc(e.a, e.r, At(e.start, e.end), 0, pen);
        }
        const std::vector<std::string> drawing = ListElements(doc);
        const CCommandRow* row = nullptr;
        for (const CPointD& p : k.picks)
            row = &tape.Pick(p);
        CLoopCommand& c = *doc.m_loopCmd;
        ASSERT_GT(c.m_loops.GetSize(), 0);
        auto last = [&] { return Path(c, static_cast<COwnedPtrArray*>(c.m_loops[c.m_loops.GetSize() - 1])); };
        EXPECT_EQ(last(), k.afterPicks);
        if (k.pickMessage) {
            EXPECT_EQ(row->message, k.pickMessage);
            EXPECT_EQ(row->beeps, 1);
        }
        const CCommandRow& enter = tape.Key(VK_RETURN);
        EXPECT_EQ(enter.message, k.enterMessage);
        EXPECT_EQ(enter.beeps, k.enterBeeps ? 1 : 0);
        EXPECT_EQ(enter.loopState, k.enterBeeps ? row->loopState : 3);
        EXPECT_EQ(last(), k.afterEnter);
        // The loops are copies: the drawing is as it was.
        EXPECT_EQ(enter.listing, drawing);
    }
}

TEST_F(LoopTape, EnterWithoutALoopSaysSo)
{
    Square(0, 0, 10);
    m_tape.LoopMenu("オフセット");
    const CCommandRow& enter = Enter();
    EXPECT_EQ(enter.message, "抽出中のループはありません");
    EXPECT_EQ(enter.beeps, 1);
    EXPECT_EQ(enter.loopState, 0);
    EXPECT_EQ(enter.loopTokens, "");
}

// The highlight is left out for a loop too long to draw at once.
TEST_F(LoopTape, ALoopOfMoreThanAThousandMembersIsNotHighlighted)
{
    loop_tests::CRecordingView view;
    m_tape.Doc().AddView(&view);
    for (int members : { 1000, 1001 }) {
        CLoopCommand& c = Loop();
        c.FreeLoops();
        loop_tests::CLoopWriter writer(c);
        for (int i = 0; i < members; ++i)
            writer.Line(At(i, 0), At(i + 1, 0));
        view.m_calls.clear();
        c.DrawLoop(3, &writer.Loop());
        EXPECT_EQ(view.DrawsWithPen("RGB(255,0,0)"), members == 1000 ? 1000 : 0) << members;
    }
    m_tape.Doc().RemoveView(&view);
}

TEST_F(LoopTape, EachLoopIsOffsetIntoItsOwnGroupAndUndoStep)
{
    struct Case {
        const char* distance;
        int rectangles;
        std::vector<std::string> lines;   // the offset lines, stored x-then-y, after the drawing's
        const char* undoKinds;   // the steps the offset added
    };
    const std::vector<Case> cases = {
        { "5", 1, { "5,5-95,5", "95,5-95,45", "5,45-95,45", "5,5-5,45" }, " 1" },
        { "-5", 1, { "-5,-5-105,-5", "105,-5-105,55", "-5,55-105,55", "-5,-5--5,55" }, " 1" },
        { "5", 2, { "5,5-95,5", "95,5-95,45", "5,45-95,45", "5,5-5,45", "155,5-245,5", "245,5-245,45", "155,45-245,45",
                    "155,5-155,45" }, " 1 1" },
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.distance) + " x" + std::to_string(k.rectangles));
        CCommandTape tape;
        tape.App().m_appCommand.m_loopFlag = 1;
        tape.Key('O');
        tape.LoopMenu("オフセット");
        for (int r = 0; r < k.rectangles; ++r) {
            const double x = 150.0 * r;
            tape.AddLine(At(x, 0), At(x + 100, 0));
            tape.AddLine(At(x + 100, 0), At(x + 100, 50));
            tape.AddLine(At(x, 50), At(x + 100, 50));
            tape.AddLine(At(x, 0), At(x, 50));
        }
        for (int r = 0; r < k.rectangles; ++r) {
            // Picked near the start of the bottom side: travelled counterclockwise.
            tape.Pick(At(150.0 * r + 20, 0));
            EXPECT_EQ(tape.Key(VK_RETURN).message, "１つのループを抽出しました");
        }
        const CCommandRow& ended = tape.Key(VK_RETURN);
        EXPECT_EQ(ended.loopTokens, "O");
        const CCommandRow& made = tape.Typed(k.distance);
        EXPECT_EQ(made.message, "オフセット図形を作成しました");
        EXPECT_EQ(made.undoSteps, ended.undoSteps + k.rectangles);
        EXPECT_EQ(made.undoKinds.substr(ended.undoKinds.size()), k.undoKinds);
        CZelkDoc& doc = tape.Doc();
        ASSERT_EQ(doc.m_groups.GetSize(), k.rectangles);
        std::vector<std::string> lines;
        for (int g = 0; g < k.rectangles; ++g) {
            const CGroup* group = doc.GetGroup(g);
            ASSERT_EQ(group->m_members.size(), 4u);
            for (const CElemRef& m : group->m_members) {
                const CLine* l = doc.GetLineElem(m.m_block, m.m_slot);
                ASSERT_NE(l, nullptr);
                EXPECT_EQ(l->m_group, g);
                lines.push_back(loop_tests::Pt(l->m_start) + "-" + loop_tests::Pt(l->m_end));
            }
        }
        EXPECT_EQ(lines, k.lines);
    }
}

} // namespace
