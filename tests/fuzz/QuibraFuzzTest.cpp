// Seeded runs of the sample plug-in over whatever the block may hold when it is called: any
// event, any step word, numbers that are huge, tiny, infinite or not numbers, settings records
// with odd widths. The plug-in never crashes and what it hands over is a whole figure.
#include "platform/ui/DynamicLibrary.h"
#include "platform/ui/WinApp.h"
#include "tests/fuzz/FuzzKnobs.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <random>
#include <string>

namespace {

double OddNumber(std::mt19937& random)
{
    static const double kValues[] = {
        0.0, -0.0, 80.1, 80.09, 400.1, 400, 95, 1e308, -1e308, 4.9e-324, 1e-300,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), 123456789012345678.0, -2.5,
    };
    if (random() % 2)
        return kValues[random() % (sizeof kValues / sizeof kValues[0])];
    return (static_cast<double>(random()) / random.max() - 0.3) * 600;
}

} // namespace

TEST(QuibraFuzz, AnyEventOverAnyBlock)
{
    auto* host = new CWinApp("Zelk");
    const std::string folder = std::filesystem::path(ZELK_QUIBRA).parent_path().string();
    HMODULE module = LoadLibraryA((folder + "/QUIBRA.DLL").c_str());
    ASSERT_NE(module, nullptr) << LastLibraryError();
    auto call = reinterpret_cast<void (*)(UserAppBlockHolder*, int)>(GetProcAddress(module, "DllCall"));
    ASSERT_NE(call, nullptr);

    static const int kEvents[] = {0, 11, 15, 100, 101, 4, 26, -1, 32767};
    std::mt19937 random(fuzz_knobs::Seed(20261212));
    UserAppBlockHolder holder;
    holder.CreateBlock();
    UserAppBlock& b = *holder.m_block;
    for (int round = 0; round < fuzz_knobs::Rounds(3000); ++round) {
        if (random() % 8 == 0)
            b.m_step = static_cast<std::int16_t>(random());
        if (random() % 16 == 0)
            b.m_elemTable[2]->m_thickWidth = static_cast<std::int16_t>(random());
        b.m_numberValue = OddNumber(random);
        b.m_lengthValue = OddNumber(random);
        if (random() % 3 == 0) {
            // The program's pass: codes emptied, the flag lowered.
            for (std::int16_t& code : b.m_codes)
                code = 0;
            b.m_requestFlag = 0;
        }
        call(&holder, kEvents[random() % (sizeof kEvents / sizeof kEvents[0])]);
        if (b.m_codes[0] == 441) {
            const int lines = b.m_recordLists[UserAppBlock::kLineList][0].GetSize();
            EXPECT_TRUE(lines == 6 || lines == 15) << lines;
            EXPECT_EQ(b.m_recordLists[UserAppBlock::kArcList][0].GetSize(), 3);
            EXPECT_EQ(b.m_recordLists[UserAppBlock::kPenList][0].GetSize(), 2);
            EXPECT_EQ(b.m_recordLists[UserAppBlock::kGroupList][0].GetSize(), 1);
        }
        for (int s = 0; s < 3; ++s) {
            const int code = b.m_codes[s];
            if (code == 1 || code == 2 || code == 4) {
                EXPECT_FALSE(b.m_stringArgs[s][0].IsEmpty());
            }
        }
    }
    holder.DestroyBlock();
    delete host;
}
