// CTime and the runtime's time forms, on the scripted clock with a fixed time zone.
#include "platform/core/Time.h"
#include "platform/core/Archive.h"
#include "platform/core/Services.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

class TimeTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_savedTz = tz != nullptr ? tz : "";
        m_hadTz = tz != nullptr;
        setenv("TZ", "JST-9", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hadTz)
            setenv("TZ", m_savedTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    std::string m_savedTz;
    bool m_hadTz = false;
};

} // namespace

TEST_F(TimeTest, CurrentTimeComesFromTheServicesClock)
{
    CScriptedServices clock;
    SetServices(&clock);
    clock.SetTime(1700000000); // 2023-11-15 07:13:20 JST
    EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 1700000000);
    std::time_t t = 0;
    EXPECT_EQ(CrtTime(&t), 1700000000);
    EXPECT_EQ(t, 1700000000);
    SetServices(nullptr);
}

TEST_F(TimeTest, FieldsAndFormats)
{
    CTime t(1700000000); // Wednesday 15 November 2023, 07:13:20 JST
    EXPECT_EQ(t.GetYear(), 2023);
    EXPECT_EQ(t.GetMonth(), 11);
    EXPECT_EQ(t.GetDay(), 15);
    EXPECT_EQ(t.GetHour(), 7);
    EXPECT_EQ(t.GetMinute(), 13);
    EXPECT_EQ(t.GetSecond(), 20);
    EXPECT_EQ(t.GetDayOfWeek(), 4);
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"%Y/%m/%d", "2023/11/15"},
        {"%A, %B %d, %Y", "Wednesday, November 15, 2023"},
        {"%a %b %y %H:%M:%S %p %I %j %w", "Wed Nov 23 07:13:20 AM 07 319 3"},
        {"%c", "11/15/23 07:13:20"},
        {"%x|%X", "11/15/23|07:13:20"},
        {"%#d/%#m %#x", "15/11 Wednesday, November 15, 2023"},
        {"%U %W %%", "46 46 %"},
        {"日付%Y年", "日付2023年"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.Format(c.format), CString(c.text)) << c.format;
    EXPECT_EQ(CTime(2023, 11, 15, 7, 13, 20).GetTime(), 1700000000);
}

TEST_F(TimeTest, NegativeTimeHasNoLocalForm)
{
    std::time_t negative = -1;
    EXPECT_EQ(CrtLocaltime(&negative), nullptr);
    EXPECT_TRUE(CTime(-5).Format("%Y").IsEmpty());
    char small[4];
    std::tm tm{};
    tm.tm_year = 123;
    EXPECT_EQ(CrtStrftime(small, sizeof small, "%Y", &tm), 0u);
    EXPECT_STREQ(small, "");
}

TEST_F(TimeTest, ArchivedAsThirtyTwoBits)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CTime(0x01020304);
    }
    EXPECT_EQ(file.GetLength(), 4u);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTime back;
    ar >> back;
    EXPECT_EQ(back.GetTime(), 0x01020304);
}
