// Seeded mutation runs over the registration file of user applications and the names it brings:
// damaged lines are passed over or registered as text, the file written back holds only what was
// registered, and searching the names never reads past a character.
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "tests/fuzz/FuzzKnobs.h"
#include "userapp/UserAppManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

std::string RegistrationPath()
{
    return FileSystemPath(ProgramFolder() + "ZelkApp\\ZelkApp.txt");
}

void ReadAndSearch(const std::string& bytes, std::mt19937& random)
{
    std::filesystem::create_directories(std::filesystem::path(RegistrationPath()).parent_path());
    std::ofstream(RegistrationPath(), std::ios::binary) << bytes;
    DefaultScriptedServices() = CScriptedServices();
    CUserAppManager manager;
    manager.ReadRegistrationFile();
    EXPECT_LE(DefaultScriptedServices().m_messages.size(), 1u);
    for (int i = 0; i < manager.GetAppCount(); ++i) {
        const CString name = manager.GetAppName(i);
        // A piece of a registered name finds an entry; pieces may end inside a character.
        const int from = name.IsEmpty() ? 0 : static_cast<int>(random() % name.GetLength());
        const CString piece = name.Mid(from, static_cast<int>(random() % 300));
        const int found = manager.FindAppContaining(piece, static_cast<int>(random() % 5) - 1);
        EXPECT_GE(found, -1);
        EXPECT_LT(found, manager.GetAppCount());
        int deleted = 0;
        EXPECT_GE(manager.FindAppByName(name, deleted), 0);
    }
}

} // namespace

TEST(UserAppRegistryFuzz, DamagedRegistrationFiles)
{
    const std::string sample =
        "QUIBRA.DLL/六角ボルト/01.02\r\nb.dll/B\r\n\r\nｶﾀｶﾅ.dll/ｱﾌﾟﾘ/01.02\r\nc/d/e/f\r\n"
        "長い名前のアプリケーションの登録/ＡＢＣａｂｃ/01.01\r\n";
    std::mt19937 random(fuzz_knobs::Seed(20261211));
    for (size_t len = 0; len <= sample.size(); len += 5)
        ReadAndSearch(sample.substr(0, len), random);
    for (int run = 0; run < fuzz_knobs::Rounds(300); ++run) {
        std::string bytes = sample;
        const int flips = 1 + static_cast<int>(random() % 10);
        for (int i = 0; i < flips; ++i)
            bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
        if (random() % 4 == 0)
            bytes.append(static_cast<size_t>(random() % 3000), static_cast<char>(0x81 + random() % 4));
        ReadAndSearch(bytes, random);
    }
}
