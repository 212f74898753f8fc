// The scripted services answer message boxes from a script and run timers by hand.
#include "platform/core/Services.h"

#include <gtest/gtest.h>

TEST(ScriptedServices, MessageBoxesTakeScriptedAnswersThenTheFirstButton)
{
    CScriptedServices s;
    SetServices(&s);
    s.QueueAnswer(IDNO);
    EXPECT_EQ(AfxMessageBox("q", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox("q2", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(AfxMessageBox("m"), IDOK);
    ASSERT_EQ(s.m_messages.size(), 3u);
    EXPECT_EQ(s.m_messages[0].text, CString("q"));
    MessageBeep(0);
    Sleep(500);
    EXPECT_EQ(s.m_beeps.size(), 1u);
    EXPECT_EQ(s.m_sleeps.at(0), 500u);
    EXPECT_EQ(GetTickCount(), 0u);  // sleeping does not move the clock
    SetServices(nullptr);
}

TEST(ScriptedServices, TimersRepeatUntilKilled)
{
    CScriptedServices s;
    int owner = 0;
    int fired = 0;
    ASSERT_TRUE(s.StartTimer(&owner, 5, 300, [&](UINT id) { EXPECT_EQ(id, 5u); ++fired; }));
    s.Advance(299);
    EXPECT_EQ(fired, 0);
    s.Advance(1);
    EXPECT_EQ(fired, 1);
    s.Advance(900);
    EXPECT_EQ(fired, 4);
    EXPECT_TRUE(s.StopTimer(&owner, 5));
    s.Advance(1000);
    EXPECT_EQ(fired, 4);
    EXPECT_FALSE(s.FireTimer(&owner, 5));
    s.FailTimerStarts(true);
    EXPECT_FALSE(s.StartTimer(&owner, 3, 10, nullptr));
}

TEST(ScriptedServices, ATimerMayStopItselfWhileFiring)
{
    CScriptedServices s;
    int owner = 0;
    int fired = 0;
    s.StartTimer(&owner, 1, 100, [&](UINT id) { ++fired; s.StopTimer(&owner, id); });
    s.Advance(1000);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(s.IsTimerActive(&owner, 1));
}
