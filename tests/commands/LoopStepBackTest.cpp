// Space in the loop command while loops are taken: the loop being taken goes, then the finished
// loops newest first.
#include <gtest/gtest.h>

#include "app/ZelkApp.h"
#include "commands/line/LoopCommand.h"
#include "document/ZelkDoc.h"
#include "platform/core/WinTypes.h"
#include "tests/commands/LoopTestSupport.h"
#include "tests/support/CommandTape.h"

namespace {

using loop_tests::At;

class LoopStepBack : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.Key('O');
        m_tape.LoopMenu("ハッチング");
        // Three squares of 10, 20 apart.
        for (int i = 0; i < 3; ++i) {
            const double x = 20.0 * i;
            m_tape.AddLine(At(x, 0), At(x + 10, 0));
            m_tape.AddLine(At(x + 10, 0), At(x + 10, 10));
            m_tape.AddLine(At(x, 10), At(x + 10, 10));
            m_tape.AddLine(At(x, 0), At(x, 10));
        }
    }
    CLoopCommand& Loop() { return *m_tape.Doc().m_loopCmd; }
    CCommandTape m_tape;
};

TEST_F(LoopStepBack, TheLoopBeingTakenGoesFirst)
{
    m_tape.Pick(At(3, 0));
    ASSERT_EQ(Loop().m_extractState, 1);
    const CCommandRow& back = m_tape.Key(VK_SPACE);
    EXPECT_EQ(back.message, "抽出中のループを消しました");
    EXPECT_EQ(back.loopState, 0);
    EXPECT_EQ(Loop().m_loops.GetSize(), 0);
    EXPECT_EQ(Loop().m_currentLoop, nullptr);
    EXPECT_EQ(back.beeps, 0);
}

TEST_F(LoopStepBack, ThreeFinishedLoopsGoNewestFirstAndTheStateEndsAtNone)
{
    for (int i = 0; i < 3; ++i) {
        m_tape.Pick(At(20.0 * i + 3, 0));
        ASSERT_EQ(m_tape.Key(VK_RETURN).message, "１つのループを抽出しました");
    }
    ASSERT_EQ(Loop().m_loops.GetSize(), 3);
    const COwnedPtrArray* first = static_cast<COwnedPtrArray*>(Loop().m_loops[0]);
    for (int left = 2; left >= 0; --left) {
        const CCommandRow& back = m_tape.Key(VK_SPACE);
        EXPECT_EQ(back.message, "最新のループを消しました");
        ASSERT_EQ(Loop().m_loops.GetSize(), left);
        if (left > 0) {
            EXPECT_EQ(Loop().m_loops[0], first);
            EXPECT_EQ(back.loopState, 3);
        } else {
            EXPECT_EQ(back.loopState, 0);
        }
    }
    // A loop taken after a dropped one while others stay: dropping it leaves the others.
    m_tape.Pick(At(3, 0));
    m_tape.Key(VK_RETURN);
    m_tape.Pick(At(23, 0));
    EXPECT_EQ(m_tape.Key(VK_SPACE).loopState, 3);
    EXPECT_EQ(Loop().m_loops.GetSize(), 1);
}

} // namespace
