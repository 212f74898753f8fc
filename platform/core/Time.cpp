// CTime and the C runtime's time functions.
#include "platform/core/Time.h"

#include "platform/core/Archive.h"
#include "platform/core/Services.h"

#include <cstdio>
#include <cstring>
#include <string>

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    std::tm t{};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    m_time = std::mktime(&t);
}

CTime CTime::GetCurrentTime()
{
    return CTime(CrtTime());
}

std::tm* CTime::GetLocalTm(std::tm* ptm) const
{
    if (m_time < 0 || ptm == nullptr)
        return nullptr;
    return localtime_r(&m_time, ptm);
}

namespace {

std::tm LocalFields(std::time_t t)
{
    std::tm out{};
    if (t >= 0)
        localtime_r(&t, &out);
    return out;
}

} // namespace

int CTime::GetYear() const { return LocalFields(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return LocalFields(m_time).tm_mon + 1; }
int CTime::GetDay() const { return LocalFields(m_time).tm_mday; }
int CTime::GetHour() const { return LocalFields(m_time).tm_hour; }
int CTime::GetMinute() const { return LocalFields(m_time).tm_min; }
int CTime::GetSecond() const { return LocalFields(m_time).tm_sec; }
int CTime::GetDayOfWeek() const { return LocalFields(m_time).tm_wday + 1; }

CString CTime::Format(LPCTSTR pFormat) const
{
    std::tm t{};
    if (pFormat == nullptr || GetLocalTm(&t) == nullptr)
        return CString();
    char buffer[512];
    size_t n = CrtStrftime(buffer, sizeof buffer, pFormat, &t);
    return CString(buffer, static_cast<int>(n));
}

CArchive& operator<<(CArchive& ar, const CTime& time)
{
    return ar << static_cast<DWORD>(time.GetTime());
}

CArchive& operator>>(CArchive& ar, CTime& time)
{
    LONG value = 0;
    ar >> value;
    time = CTime(static_cast<std::time_t>(value));
    return ar;
}

std::time_t CrtTime(std::time_t* timer)
{
    std::time_t now = static_cast<std::time_t>(Services().Time());
    if (timer != nullptr)
        *timer = now;
    return now;
}

std::tm* CrtLocaltime(const std::time_t* timer)
{
    thread_local std::tm result;
    if (timer == nullptr || *timer < 0)
        return nullptr;
    return localtime_r(timer, &result);
}

namespace {

const char* const kDayAbbrev[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kDayName[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthAbbrev[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthName[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

void AppendNumber(std::string& out, int value, int width, bool noPad)
{
    char buf[16];
    if (noPad)
        std::snprintf(buf, sizeof buf, "%d", value);
    else
        std::snprintf(buf, sizeof buf, "%0*d", width, value);
    out += buf;
}

// Week of the year with weeks starting on firstDay (0 Sunday, 1 Monday).
int WeekNumber(const std::tm& t, int firstDay)
{
    int wday = (t.tm_wday - firstDay + 7) % 7;
    return (t.tm_yday + 7 - wday) / 7;
}

void Expand(std::string& out, char conversion, bool alt, const std::tm& t);

void ExpandString(std::string& out, const char* format, bool alt, const std::tm& t)
{
    for (const char* p = format; *p; ++p) {
        if (*p == '%' && p[1] != '\0') {
            Expand(out, p[1], alt, t);
            ++p;
        } else {
            out += *p;
        }
    }
}

void Expand(std::string& out, char conversion, bool alt, const std::tm& t)
{
    int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    switch (conversion) {
    case 'a': out += kDayAbbrev[Clamp(t.tm_wday, 0, 6)]; break;
    case 'A': out += kDayName[Clamp(t.tm_wday, 0, 6)]; break;
    case 'b': out += kMonthAbbrev[Clamp(t.tm_mon, 0, 11)]; break;
    case 'B': out += kMonthName[Clamp(t.tm_mon, 0, 11)]; break;
    case 'c':
        if (alt) {
            ExpandString(out, "%A, %B %d, %Y %H:%M:%S", true, t);
        } else {
            ExpandString(out, "%m/%d/%y %H:%M:%S", false, t);
        }
        break;
    case 'd': AppendNumber(out, t.tm_mday, 2, alt); break;
    case 'H': AppendNumber(out, t.tm_hour, 2, alt); break;
    case 'I': AppendNumber(out, hour12, 2, alt); break;
    case 'j': AppendNumber(out, t.tm_yday + 1, 3, alt); break;
    case 'm': AppendNumber(out, t.tm_mon + 1, 2, alt); break;
    case 'M': AppendNumber(out, t.tm_min, 2, alt); break;
    case 'p': out += t.tm_hour < 12 ? "AM" : "PM"; break;
    case 'S': AppendNumber(out, t.tm_sec, 2, alt); break;
    case 'U': AppendNumber(out, WeekNumber(t, 0), 2, alt); break;
    case 'w': AppendNumber(out, t.tm_wday, 1, alt); break;
    case 'W': AppendNumber(out, WeekNumber(t, 1), 2, alt); break;
    case 'x':
        if (alt)
            ExpandString(out, "%A, %B %d, %Y", true, t);
        else
            ExpandString(out, "%m/%d/%y", false, t);
        break;
    case 'X': ExpandString(out, "%H:%M:%S", alt, t); break;
    case 'y': AppendNumber(out, (t.tm_year + 1900) % 100, 2, alt); break;
    case 'Y': AppendNumber(out, t.tm_year + 1900, 1, alt); break;
    case 'z':
    case 'Z':
        if (t.tm_zone != nullptr)
            out += t.tm_zone;
        break;
    case '%': out += '%'; break;
    default: break; // unknown forms produce nothing
    }
}

} // namespace

size_t CrtStrftime(char* buffer, size_t maxSize, const char* format, const std::tm* timeptr)
{
    if (buffer == nullptr || maxSize == 0)
        return 0;
    if (format == nullptr || timeptr == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    std::string out;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        ++p;
        bool alt = false;
        if (*p == '#') {
            alt = true;
            ++p;
        }
        if (*p == '\0')
            break;
        Expand(out, *p, alt, *timeptr);
    }
    if (out.size() + 1 > maxSize) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, out.data(), out.size());
    buffer[out.size()] = '\0';
    return out.size();
}
