// The relative coordinate system's mode, the base-point mode and the two-element intersection,
// through the dispatcher and the input router as the view feeds them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Circles.h"
#include "elements/Lines.h"
#include "input/CrossPointInput.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "input/RelativeCoordSystem.h"
#include "platform/core/Services.h"
#include "tests/support/InputTape.h"
#include "view/ZelkView.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class CoordinateInput : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        m_tape.View().m_zoom = 10;
        // The whole drawing lies in the window: a line's halves are told apart in its visible part.
        m_tape.View().m_clientRectLogical = RECT{ -10000000, 10000000, 10000000, -10000000 };
        m_tape.App().m_crossPointInput = new CCrossPointInput;
        m_pen = m_tape.Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    }
    void TearDown() override
    {
        delete m_tape.App().m_crossPointInput;
        m_tape.App().m_crossPointInput = nullptr;
    }
    // A click as the view takes it: the pick rectangle about the point, press and release.
    const CTapeStep& Click(CPointD world)
    {
        CZelkView& v = m_tape.View();
        const CPointD c = world.WorldToScreen(v.m_origin, v.m_zoom);
        const LONG x = static_cast<LONG>(c.m_x), y = static_cast<LONG>(c.m_y);
        v.m_pickRect = RECT{ x - 20, y + 20, x + 20, y - 20 };
        m_tape.Button(1, world);
        return m_tape.Button(2, world);
    }
    void Line(CPointD a, CPointD b) { m_tape.Doc().AddLine(a, b, 0, m_pen); }
    CZelkDoc& Doc() { return m_tape.Doc(); }
    CZelkApp& App() { return m_tape.App(); }
    std::string Message() { return App().m_lastMessage.GetString(); }

    CInputTape m_tape;
    std::int16_t m_pen = 0;
};

} // namespace

TEST_F(CoordinateInput, PickingALineTurnsTheRelativeAxesByWhichEndWasPicked)
{
    Line(Pt(0, 0), Pt(10, 0));
    struct Case {
        CPointD at;
        double angle;
    } cases[] = { { Pt(1, 0), 0 }, { Pt(9, 0), 180 } };
    for (const Case& c : cases) {
        Doc().m_relAngle = 45;
        App().m_interruptMode = 37;
        const CTapeStep& step = Click(c.at);
        EXPECT_EQ(Doc().m_relAngle, c.angle);
        EXPECT_EQ(step.interruptMode, 0);   // a pick ends the mode
    }
}

TEST_F(CoordinateInput, TypedAnglesSetOrTurnAndOtherValuesAreRefused)
{
    Doc().m_relAngle = 0;
    for (int i = 0; i < 2; ++i) {
        App().m_interruptMode = 37;
        m_tape.PostValue(30, 12);
    }
    EXPECT_DOUBLE_EQ(Doc().m_relAngle, 60);
    App().m_interruptMode = 37;
    m_tape.PostValue(-10, 3);
    EXPECT_DOUBLE_EQ(Doc().m_relAngle, 50);
    App().m_interruptMode = 37;
    m_tape.PostValue(45, 2);
    EXPECT_DOUBLE_EQ(Doc().m_relAngle, 45);
    App().m_interruptMode = 37;
    m_tape.PostValue(15, 11);
    EXPECT_DOUBLE_EQ(Doc().m_relAngle, 15);
    // A length: refused with a beep, the angle kept.
    App().m_interruptMode = 37;
    EXPECT_EQ(m_tape.PostValue(100, 6).beeps, 1);
    EXPECT_DOUBLE_EQ(Doc().m_relAngle, 15);
    Doc().m_inputEvent->value = 100;
    Doc().m_relativeSystem->OnInput(3, 6);
    EXPECT_EQ(Message(), "入力した値の単位が角度ではありません");
}

TEST_F(CoordinateInput, APointMovesTheOriginAndTheBasePointTogether)
{
    App().m_interruptMode = 37;
    const CTapeStep& step = m_tape.PostPointPair(Pt(5, 6), Pt(7, 8), 0);
    EXPECT_EQ(step.interruptMode, 37);
    EXPECT_EQ(Doc().m_relOrigin.m_x, 5);
    EXPECT_EQ(Doc().m_basePoint.m_x, 5);
    EXPECT_EQ(Doc().m_refPoint.m_x, 0);
    // Another sub-code takes the second point.
    m_tape.PostPointPair(Pt(5, 6), Pt(7, 8), 16);
    EXPECT_EQ(Doc().m_relOrigin.m_y, 8);
}

TEST_F(CoordinateInput, TheBasePointModeTakesOnlyAPoint)
{
    App().m_interruptMode = 38;
    const CTapeStep& point = m_tape.PostPointPair(Pt(3, 4), Pt(1, 2), 0);
    EXPECT_EQ(point.consumers, "base point 4/0");
    EXPECT_EQ(Doc().m_basePoint.m_y, 4);
    EXPECT_EQ(Doc().m_refPoint.m_y, 2);
    EXPECT_EQ(App().m_lastResultMessage, " 起点を更新しました");
    EXPECT_EQ(point.beeps, 0);
    const CTapeStep& value = m_tape.PostValue(5, 6);
    EXPECT_EQ(value.message, "起点設定で、点以外のデータが入力されました");
    EXPECT_EQ(value.beeps, 1);
}

TEST_F(CoordinateInput, TwoParallelLinesHaveNoCrossingAndEndTheMode)
{
    Line(Pt(0, 0), Pt(10, 0));
    Line(Pt(0, 5), Pt(10, 5));
    m_tape.Code(105);
    ASSERT_EQ(App().m_specialMode, 70);
    EXPECT_EQ(Click(Pt(5, 0)).message, "交点モードの第一要素を選択しました");
    EXPECT_EQ(App().m_crossPointInput->m_firstChosen, 1);
    const CTapeStep& second = Click(Pt(5, 5));
    EXPECT_EQ(second.message, "交点がありません");
    EXPECT_EQ(second.beeps, 1);
    EXPECT_EQ(second.specialMode, 0);
    EXPECT_EQ(App().m_crossPointInput->m_firstChosen, 0);
    EXPECT_EQ(App().m_crossPointInput->m_firstDoc, nullptr);
}

TEST_F(CoordinateInput, AShortLineAimedAtACircleGivesTheCrossingNearestAPick)
{
    Line(Pt(0, 0), Pt(1, 0));
    Doc().AddCircle(Pt(10, 0), 3, 0, m_pen);
    // Relative axes turned by 90 degrees about (1, 1): the message shows the relative point.
    Doc().m_relOrigin = Pt(1, 1);
    Doc().m_relAngle = 90;
    // The mode's command twice: the continuous mode.
    m_tape.Code(105);
    m_tape.Code(105);
    ASSERT_EQ(App().m_specialRepeat, 1);
    Click(Pt(0.5, 0));
    const double r = 3 / std::sqrt(2.0);
    const CTapeStep& second = Click(Pt(10 + r, r));
    EXPECT_EQ(second.message, "２要素交点 ( -1 , -12 ) を選択しました");
    // Posted to the command as a clicked world point.
    EXPECT_EQ(second.consumers, "line 4/0");
    EXPECT_NEAR(Doc().m_inputEvent->point.m_x, 13, 1e-9);
    EXPECT_NEAR(Doc().m_inputEvent->point.m_y, 0, 1e-9);
    EXPECT_EQ(Doc().m_inputEvent->subCode, 0);
    // Continuous: the mode stays for the next pair, which now starts near the line's end.
    EXPECT_EQ(second.specialMode, 70);
    Click(Pt(0.5, 0));
    Click(Pt(10 - r, r));
    EXPECT_NEAR(Doc().m_inputEvent->point.m_x, 7, 1e-9);
}

TEST_F(CoordinateInput, AClosedDrawingLeavesNoFirstPickBehind)
{
    Line(Pt(0, 0), Pt(10, 0));
    m_tape.Code(105);
    Click(Pt(5, 0));
    CCrossPointInput& cross = *App().m_crossPointInput;
    ASSERT_EQ(cross.m_firstDoc, &Doc());
    CZelkDoc other;
    other.m_bAutoDelete = FALSE;
    cross.ForgetDocument(&other);
    EXPECT_EQ(cross.m_firstChosen, 1);
    cross.ForgetDocument(&Doc());
    EXPECT_EQ(cross.m_firstChosen, 0);
    EXPECT_EQ(cross.m_firstDoc, nullptr);
    EXPECT_EQ(cross.m_prompt, "[２要素交点] 第１要素を指定してください");
}
