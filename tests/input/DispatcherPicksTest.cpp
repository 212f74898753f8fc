// The dispatcher's buttons on two crossing lines at zoom 10: a click picks for the command, a
// right press gives the snapped point, a right drag an angle; Ctrl picks, Ctrl and Shift measure;
// the selection conditions replaced for a pick are put back.
#include <gtest/gtest.h>

#include <string>

#include "app/ZelkApp.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "platform/ui/WinUser.h"
#include "tests/support/InputTape.h"
#include "view/ZelkView.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class DispatcherPicks : public testing::Test {
protected:
    void SetUp() override
    {
        CZelkDoc& doc = m_tape.Doc();
        m_tape.View().m_zoom = 10;
        m_red = doc.FindOrAddPen(0, 1, RGB(255, 0, 0), 0, 70);
        const std::int16_t black = doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
        CLines* block = doc.AddLine(Pt(0, 0), Pt(10, 10), 0, m_red);
        m_first = &block->m_slots[block->m_count - 1];
        block = doc.AddLine(Pt(0, 10), Pt(10, 0), 0, black);
        m_second = &block->m_slots[block->m_count - 1];
    }
    // A press as the view takes it: the pick rectangle about the logical point, then the code.
    const CTapeStep& Press(int code, CPointD world)
    {
        CZelkView& v = m_tape.View();
        const CPointD c = world.WorldToScreen(v.m_origin, v.m_zoom);
        const LONG x = static_cast<LONG>(c.m_x), y = static_cast<LONG>(c.m_y);
        v.m_pickRect = RECT{x - 20, y + 20, x + 20, y - 20};
        return m_tape.Button(code, world);
    }
    const CTapeStep& Click(CPointD world)
    {
        Press(1, world);
        return m_tape.Button(2, world);
    }
    CInputEvent& Posted() { return *m_tape.Doc().m_inputEvent; }
    std::string Message() { return m_tape.App().m_lastMessage.GetString(); }

    CInputTape m_tape;
    std::int16_t m_red = 0;
    CLine* m_first = nullptr;
    CLine* m_second = nullptr;
};

TEST_F(DispatcherPicks, AClickPicksForTheCommandAndARightPressGivesTheSnapPoint)
{
    CZelkApp& app = m_tape.App();
    app.m_appElem.m_creationEnv = 1;
    Click(Pt(2, 2.5));
    EXPECT_EQ(Message(), "一つの要素を選択");
    EXPECT_EQ(Posted().kind, 6);
    EXPECT_EQ(Posted().subCode, 19);
    EXPECT_EQ(app.m_lastStatus, 5);
    EXPECT_TRUE(m_first->m_mark & MARK_SELECTED);
    EXPECT_FALSE(m_second->m_mark & MARK_SELECTED);
    // The picked red line's pen became the selected-element pen and, in that environment, the
    // creation pen.
    EXPECT_EQ(app.m_atrElem.m_color, RGB(255, 0, 0));
    EXPECT_EQ(app.m_appElem.m_color, RGB(255, 0, 0));

    Press(3, Pt(5.2, 5.1));
    EXPECT_EQ(Posted().kind, 4);
    EXPECT_EQ(Posted().subCode, 16);
    EXPECT_DOUBLE_EQ(Posted().point.m_x, 5);
    EXPECT_DOUBLE_EQ(Posted().point.m_y, 5);
    EXPECT_EQ(std::string(m_tape.View().m_messageText.GetString()), "交点(5,5)を選択");
    m_tape.Button(4, Pt(5.2, 5.1));
    // The point search ran with its own conditions, put back afterwards.
    EXPECT_EQ(app.m_appFind.selectableKinds, 958);
    EXPECT_EQ(app.m_appFind.groupSelectMode, 1);
}

TEST_F(DispatcherPicks, ARightDragInTheLineCommandPostsTheSnappedAngle)
{
    m_tape.Doc().m_lineCmd->m_modePattern = "SE";
    Press(3, Pt(0, 0));
    m_tape.View().m_rightDragged = 1;
    m_tape.Button(4, Pt(10, 9));
    EXPECT_EQ(Posted().kind, 3);
    EXPECT_EQ(Posted().subCode, 15);
    EXPECT_NEAR(Posted().value, 45, 1e-9);
    EXPECT_EQ(m_tape.App().m_rightButtonDown, 0);
    // A drag turns the two-point line into the point-angle one.
    EXPECT_EQ(m_tape.Doc().m_lineCmd->m_modePattern, CString("PAPP"));
}

TEST_F(DispatcherPicks, CtrlPicksAndCtrlShiftMeasures)
{
    CZelkApp& app = m_tape.App();
    m_tape.Hold(false, true);
    Click(Pt(2, 2.5));
    EXPECT_EQ(Message(), "CTRL要素を選択");
    EXPECT_EQ(app.m_lastStatus, 14);
    EXPECT_EQ(Posted().kind, 8);
    EXPECT_EQ(Posted().subCode, 20);

    m_tape.Hold(true, true);
    app.m_lastStatus = 0;
    Click(Pt(2, 2.5));
    EXPECT_EQ(app.m_lastStatus, 13);
    EXPECT_EQ(m_tape.Doc().m_refLineElem, m_first);
    EXPECT_EQ(app.m_appFind.groupSelectMode, 1);
    EXPECT_EQ(m_first->m_mark & 8, 0);

    Press(3, Pt(5.2, 5.1));
    EXPECT_EQ(Message(), "点の位置を測定しました。");
    m_tape.Hold(false, false);
}

TEST_F(DispatcherPicks, AListOfTheInputBarThatWaitsForAPickTakesItInsteadOfTheCommand)
{
    struct Case {
        const char* name;
        int focusLeft, current, touched, previousStatus;
        const char* consumers;   // what the click reached
        int listAfter;
        const char* message;
    } cases[] = {
        { "line types the focus left", 9, 1, 0, 0, "", 1, "指定要素と同じ線種を設定しました" },
        { "line types already chosen from", 9, 1, 1, 0, "line 6/19", 1, "一つの要素を選択" },
        { "fonts", 0, 3, 0, 0, "line 13/0", 1, "一つの要素を選択" },
        { "fonts already edited", 0, 3, 1, 0, "line 6/19", 3, "一つの要素を選択" },
        { "texts keep their list", 0, 2, 0, 16, "line 6/19", 2, "一つの要素を選択" },
        { "the color box waits", 0, 2, 1, 16, "", 2, "一つの要素を選択" },
        { "nothing waits", 0, 1, 0, 0, "line 6/19", 1, "一つの要素を選択" },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        CZelkDoc& doc = tape.Doc();
        tape.View().m_zoom = 10;
        const std::int16_t dashed = doc.FindOrAddPen(2, 5, RGB(0, 0, 255), 0, 70);
        doc.AddLine(Pt(0, 0), Pt(10, 10), 0, dashed);
        CZelkApp& app = tape.App();
        CInputBar& bar = *app.m_inputBar;
        bar.m_focusLeftList = c.focusLeft;
        bar.m_currentList = c.current;
        bar.GetList(c.focusLeft ? c.focusLeft : c.current).m_touched = c.touched;
        app.m_lastStatus = c.previousStatus;
        const CTapeStep* step = nullptr;
        for (int code : { 1, 2 }) {
            CZelkView& v = tape.View();
            const CPointD at = Pt(2, 2.5).WorldToScreen(v.m_origin, v.m_zoom);
            const LONG x = static_cast<LONG>(at.m_x), y = static_cast<LONG>(at.m_y);
            v.m_pickRect = RECT{ x - 20, y + 20, x + 20, y - 20 };
            const CTapeStep& s = tape.Button(code, Pt(2, 2.5));
            step = &s;
        }
        EXPECT_EQ(step->consumers, c.consumers) << c.name;
        EXPECT_EQ(bar.m_currentList, c.listAfter) << c.name;
        EXPECT_EQ(std::string(app.m_lastMessage.GetString()), c.message) << c.name;
        if (c.focusLeft == 9 && !c.touched) {
            EXPECT_EQ(app.m_appElem.m_lineType, 2) << c.name;
            EXPECT_EQ(app.m_appElem.m_lineWidth, 5) << c.name;
        }
    }
}

}  // namespace
