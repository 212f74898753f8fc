// The program starts headless and quits cleanly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(Smoke, ProgramStartsAndQuits)
{
    std::string cmd = std::string("ZELK_QUIT_AT_START=1 QT_QPA_PLATFORM=offscreen ") + ZELK_BINARY_DIR + "/zelk";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}
