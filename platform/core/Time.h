// CTime (seconds since 1970, shown in local time) and the C runtime's time forms the program
// uses. The current time comes from the platform services, so that tests can set the clock.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <ctime>

class CArchive;

class CTime {
public:
    CTime() = default;
    CTime(std::time_t time) : m_time(time) {}
    // A local date and time; nDST < 0 lets the C library decide daylight saving.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    static CTime GetCurrentTime();

    std::time_t GetTime() const { return m_time; }
    // Local time fields; null when the time cannot be shown (negative).
    std::tm* GetLocalTm(std::tm* ptm) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    // 1 = Sunday ... 7 = Saturday.
    int GetDayOfWeek() const;

    // strftime forms with the runtime's English names; empty when the time cannot be shown.
    CString Format(LPCTSTR pFormat) const;

    bool operator==(const CTime& t) const { return m_time == t.m_time; }
    bool operator!=(const CTime& t) const { return m_time != t.m_time; }
    bool operator<(const CTime& t) const { return m_time < t.m_time; }
    bool operator>(const CTime& t) const { return m_time > t.m_time; }
    bool operator<=(const CTime& t) const { return m_time <= t.m_time; }
    bool operator>=(const CTime& t) const { return m_time >= t.m_time; }

private:
    std::time_t m_time = 0;
};

// Archived as a 32-bit time value, as the framework stored it.
CArchive& operator<<(CArchive& ar, const CTime& time);
CArchive& operator>>(CArchive& ar, CTime& time);

// The C runtime's time(): seconds since 1970 from the platform clock.
std::time_t CrtTime(std::time_t* timer = nullptr);
// The C runtime's localtime(): null for a negative time, as the Windows runtime answers.
std::tm* CrtLocaltime(const std::time_t* timer);
// The C runtime's strftime() in the "C" locale whatever the process locale is: English day and
// month names, %c = "%m/%d/%y %H:%M:%S", %x = "%m/%d/%y", %X = "%H:%M:%S", '#' flag supported.
// Returns the length written, or 0 when the result does not fit (the buffer is then emptied).
size_t CrtStrftime(char* buffer, size_t maxSize, const char* format, const std::tm* timeptr);
