// The left double click on two crossing lines at zoom 10: the line or circle command that ran
// last takes it, else it takes back the click before it and starts the edit of the picked line,
// or of the line whose edit has just ended.
#include <gtest/gtest.h>

#include <string>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "geometry/ElemRef.h"
#include "input/PickList.h"
#include "tests/support/InputTape.h"
#include "view/ZelkView.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// Two crossing lines at zoom 10, with the drawing's own line commands.
class CCrossingLines {
public:
    CCrossingLines()
    {
        CZelkDoc& doc = m_tape.Doc();
        m_tape.View().m_zoom = 10;
        const std::int16_t pen = doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
        CLines* block = doc.AddLine(Pt(0, 0), Pt(10, 10), 0, pen);
        m_rising = &block->m_slots[block->m_count - 1];
        m_risingSlot = static_cast<std::int16_t>(block->m_count - 1);
        block = doc.AddLine(Pt(0, 10), Pt(10, 0), 0, pen);
        m_falling = &block->m_slots[block->m_count - 1];
        m_lineBlock = static_cast<std::int16_t>(doc.m_lineBlocks.GetSize() - 1);
    }
    CLineCommand& Main() { return *m_tape.Doc().m_lineCmd; }
    CLineCommand& Edit() { return *m_tape.Doc().m_lineCmdInt; }
    // A click as the view reports it: the pick rectangle about the point, press and release.
    void Click(CPointD world)
    {
        CZelkView& v = m_tape.View();
        const CPointD c = world.WorldToScreen(v.m_origin, v.m_zoom);
        const LONG x = static_cast<LONG>(c.m_x), y = static_cast<LONG>(c.m_y);
        v.m_pickRect = RECT{ x - 20, y + 20, x + 20, y - 20 };
        m_tape.Button(1, world);
        m_tape.Button(2, world);
    }

    CInputTape m_tape;
    CLine* m_rising = nullptr;    // (0, 0) to (10, 10), picked at (2, 2.5)
    CLine* m_falling = nullptr;   // (0, 10) to (10, 0), picked at (2, 7.5)
    std::int16_t m_lineBlock = 0;
    std::int16_t m_risingSlot = 0;
};

TEST(DoubleClick, TheCommandThatRanLastTakesItElseThePickedElementIsEdited)
{
    struct Case {
        const char* name;
        short lastCommand;
        const char* lineTokens;
        int interruptKind;       // before the double click
        int result;
        int lineNote, circleNote;        // refusal notes afterwards (both set before)
        int editing;             // interrupting kind afterwards
        const char* mainAfter, *editAfter;   // the token strings afterwards: a click taken back
                                             // steps the string back
    } cases[] = {
        { "the line command's own", 1, "SL", 0, 1, 0, 1, 0, "SL", "#L" },
        // The click picked the line as the angle of the continuous length line.
        { "a dimension pattern of the line command", 1, "DP", 0, 1, 1, 1, 0, "DA", "#L" },
        { "the circle command's own", 2, "SL", 0, 1, 1, 0, 0, "SL", "#L" },
        // The start point stands alone again; the edit begins with its entry.
        { "an edit, the click taken back", 0, "SL", 0, 1, 1, 1, 2, "P", "#" },
        { "an edit after a typed value", 0, "SD", 0, 1, 1, 1, 2, "SD", "#" },
        { "an edit during an edit", 0, "SL", 2, 1, 1, 1, 2, "SL", "#" },
    };
    for (const Case& c : cases) {
        CCrossingLines lines;
        CInputTape& tape = lines.m_tape;
        CZelkApp& app = tape.App();
        CZelkDoc& doc = tape.Doc();
        app.m_appElem.m_lastCommandKind = c.lastCommand;
        // The strings as inputs leave them, saved with their step.
        lines.Main().m_tokenString = lines.Main().m_savedTokenString = c.lineTokens;
        lines.Edit().m_tokenString = lines.Edit().m_savedTokenString = "#L";
        app.m_interruptKind = static_cast<std::int16_t>(c.interruptKind);
        lines.Click(Pt(2, 2.5));
        // As a refused pick leaves them before its double click.
        lines.Main().m_refusalNote = 1;
        doc.m_circleCmd->m_refusalNote = 1;
        const CTapeStep& step = tape.Button(5, Pt(2, 2.5));
        EXPECT_EQ(step.result, c.result) << c.name;
        EXPECT_EQ(lines.Main().m_refusalNote, c.lineNote) << c.name;
        EXPECT_EQ(doc.m_circleCmd->m_refusalNote, c.circleNote) << c.name;
        EXPECT_EQ(step.interruptKind, c.editing) << c.name;
        EXPECT_EQ(lines.Main().m_tokenString, c.mainAfter) << c.name;
        EXPECT_EQ(lines.Edit().m_tokenString, c.editAfter) << c.name;
    }
}

TEST(DoubleClick, TentativeElementsRefuseTheEdit)
{
    CCrossingLines lines;
    CInputTape& tape = lines.m_tape;
    std::int16_t b = -1, s = -1;
    tape.Doc().m_creationLog->AddLine(Pt(20, 0), Pt(30, 0), 1, b, s, 0, 0);
    lines.Click(Pt(2, 2.5));
    const CTapeStep& step = tape.Button(5, Pt(2, 2.5));
    EXPECT_EQ(step.result, 0);
    EXPECT_EQ(step.beeps, 1);
    EXPECT_EQ(std::string(tape.App().m_lastMessage.GetString()), "仮要素生成中は要素の編集選択はできません");
    EXPECT_EQ(step.interruptKind, 0);
    EXPECT_EQ(step.eventCount, tape.Steps()[tape.Steps().size() - 2].eventCount);
}

TEST(DoubleClick, RightAfterALineEditThatGoesOnTheSameLineIsEditedAgain)
{
    struct Case {
        const char* pattern;
        int status;
        bool again;
    } cases[] = {
        { "#L", 11, true },
        { "#P", 11, true },
        { "#C", 11, true },
        { "#AP", 11, false },
        { "#L", 5, false },
    };
    for (const Case& c : cases) {
        CCrossingLines lines;
        CInputTape& tape = lines.m_tape;
        CZelkApp& app = tape.App();
        CZelkDoc& doc = tape.Doc();
        // The edit of the rising line has just ended and was announced.
        lines.Edit().m_modePattern = c.pattern;
        lines.Edit().m_editBlock = lines.m_lineBlock;
        lines.Edit().m_editSlot = lines.m_risingSlot;
        app.m_announcedInterruptKind = 2;
        lines.Click(Pt(2, 7.5));
        ASSERT_TRUE(lines.m_falling->m_mark & MARK_SELECTED) << c.pattern;
        app.m_lastStatus = c.status;
        const CTapeStep& step = tape.Button(5, Pt(2, 7.5));
        EXPECT_EQ(step.result, 1) << c.pattern;
        // Handed the line again, an edit of its end is complete at once ("#L"): the edit is over
        // and the drawing mode announced. Any other edit waits for its next input.
        EXPECT_EQ(step.interruptKind, c.again ? 0 : 2) << c.pattern;
        EXPECT_EQ(lines.Edit().m_tokenString, c.again ? "#L" : "#") << c.pattern;
        CElemRef current;
        ASSERT_TRUE(doc.m_pickList->GetCurrent(current)) << c.pattern;
        EXPECT_EQ(current.m_slot, c.again ? lines.m_risingSlot : lines.m_risingSlot + 1) << c.pattern;
        if (c.again) {
            // The edit is handed the line again, picked, and runs at once: an executed step
            // takes the pick marks off.
            EXPECT_NE(step.consumers.find("line* 6/19"), std::string::npos) << c.pattern << " " << step.consumers;
            EXPECT_FALSE(lines.m_rising->m_mark & MARK_SELECTED) << c.pattern;
        } else {
            // The picked line's selection is taken off before its edit starts.
            EXPECT_FALSE(lines.m_falling->m_mark & MARK_SELECTED) << c.pattern;
        }
    }
}

} // namespace
