// The program starts headless and quits cleanly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

TEST(Smoke, ProgramStartsAndQuits)
{
    // The definition files and the registration file of user applications lie in the program
    // folder, as the build puts them beside the program; without them start-up stops at a
    // message box.
    namespace fs = std::filesystem;
    const fs::path home = std::getenv("ZELK_HOME");
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name, home / name, fs::copy_options::overwrite_existing);
    fs::create_directories(home / "ZelkApp");
    std::ofstream(home / "ZelkApp" / "ZelkApp.txt");
    std::string cmd = std::string("ZELK_QUIT_AT_START=1 QT_QPA_PLATFORM=offscreen timeout 60 ") + ZELK_BINARY_DIR + "/zelk";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}
