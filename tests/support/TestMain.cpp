// Test entry point: every test runs with a fresh, empty program folder in ZELK_HOME, and reads the
// resources the build put beside the program (test programs lie in a folder of their own).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class FreshProgramFolder : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelk-home-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        ASSERT_NE(made, nullptr);
        m_folder = made;
        setenv("ZELK_HOME", m_folder.c_str(), 1);
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
        unsetenv("ZELK_HOME");
    }

private:
    std::string m_folder;
};

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    setenv("ZELK_RESOURCES", ZELK_BINARY_DIR, 0);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramFolder);
    return RUN_ALL_TESTS();
}
