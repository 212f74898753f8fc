// The rounding, number-reading and number-writing routines every stored coordinate and every
// written number passes through agree, value for value and byte for byte, with the plain forms
// kept here as the reference: the forms the program used before these paths were made faster.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "formats/DxfReader.h"
#include "geometry/Numeric.h"
#include "platform/core/Runtime.h"
#include "tests/formats/GeneratedDxf.h"

namespace {

// ---- the reference forms ------------------------------------------------------------------

int RefDigitCount(double v)
{
    if (v == 0.0)
        return 0;
    double t = std::trunc(std::log10(std::fabs(v)));
    if (!std::isfinite(t))
        return 0;
    return static_cast<int>(t) + 1;
}

double RefRoundToDecimals(double x, int n)
{
    double p = std::pow(10.0, n + 1) + 1e-14;
    double k = std::floor(std::fabs(x) * p + 5.0);
    double m = std::floor(k * 0.1);
    double r = m / std::pow(10.0, n);
    return x < 0.0 ? -r : r;
}

int RefNearlyEqual(double a, double b)
{
    if (a == 0.0 || b == 0.0)
        return std::fabs(b - a) < std::pow(10.0, -4) ? 1 : 0;
    int da = RefDigitCount(a);
    int db = RefDigitCount(b);
    if (da <= -12 && db <= -12) {
        a += 1e-5;
        b += 1e-5;
        da = RefDigitCount(a);
        db = RefDigitCount(b);
    }
    int d = da > db ? da : db;
    return std::fabs(b - a) < std::pow(10.0, d - 10) ? 1 : 0;
}

double RefRoundToSignificant(double x, int n)
{
    return RefRoundToDecimals(x, n - RefDigitCount(x));
}

void RefSeventeenDigits(double a, std::string& digits, int& decpt)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.16e", a);
    digits.clear();
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    decpt = (*p == 'e') ? std::atoi(p + 1) + 1 : 1;
}

std::string RefRoundDigits(const std::string& digits, int n, int& decpt)
{
    if (static_cast<int>(digits.size()) <= n)
        return digits + std::string(static_cast<size_t>(n) - digits.size(), '0');
    std::string r = digits.substr(0, static_cast<size_t>(n));
    if (digits[static_cast<size_t>(n)] >= '5') {
        int i = n - 1;
        while (i >= 0 && r[static_cast<size_t>(i)] == '9') {
            r[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++r[static_cast<size_t>(i)];
        } else {
            r.insert(r.begin(), '1');
            r.pop_back();
            ++decpt;
        }
    }
    return r;
}

std::string RefGcvt(double value, int ndigits)
{
    if (ndigits < 1)
        ndigits = 1;
    if (ndigits > 300)
        ndigits = 300;
    bool negative = std::signbit(value);
    if (std::isnan(value))
        return negative ? "-1.#IND" : "1.#QNAN";
    if (std::isinf(value))
        return negative ? "-1.#INF" : "1.#INF";
    double a = std::fabs(value);
    std::string digits;
    int decpt;
    if (a == 0.0) {
        digits = "0";
        decpt = 1;
    } else {
        RefSeventeenDigits(a, digits, decpt);
    }
    int magnitude = decpt - 1;
    std::string out = negative ? "-" : "";
    int roundedDecpt = decpt;
    std::string r = RefRoundDigits(digits, ndigits, roundedDecpt);
    if (a == 0.0)
        roundedDecpt = decpt;
    if (magnitude < -1 || magnitude > ndigits - 1) {
        out += r[0];
        if (ndigits > 1) {
            out += '.';
            out.append(r, 1, std::string::npos);
        }
        int e = roundedDecpt - 1;
        char ebuf[16];
        std::snprintf(ebuf, sizeof ebuf, "e%c%03d", e < 0 ? '-' : '+', e < 0 ? -e : e);
        out += ebuf;
    } else {
        int decimals = ndigits - decpt;
        auto digitAt = [&](int k) {
            return k >= 0 && k < static_cast<int>(r.size()) ? r[static_cast<size_t>(k)] : '0';
        };
        if (roundedDecpt <= 0) {
            out += '0';
        } else {
            for (int k = 0; k < roundedDecpt; ++k)
                out += digitAt(k);
        }
        if (decimals > 0) {
            out += '.';
            for (int k = 0; k < decimals; ++k)
                out += digitAt(roundedDecpt + k);
        }
    }
    size_t dot = out.find('.');
    if (dot != std::string::npos) {
        size_t e = out.find('e', dot);
        size_t stop = e == std::string::npos ? out.size() : e;
        size_t last = stop;
        while (last > dot + 1 && out[last - 1] == '0')
            --last;
        out.erase(last, stop - last);
    }
    return out;
}

// ---- the values -------------------------------------------------------------------------

class Values : public gendxf::Sequence {
public:
    explicit Values(std::uint64_t seed) : gendxf::Sequence(seed) {}

    // Any double at all, drawings' coordinates, exact halves at every decimal place, neighbours
    // of powers of ten, and the far ends of the range.
    double Any()
    {
        const double sign = Below(2) ? -1.0 : 1.0;
        switch (Below(8)) {
        case 0: {
            std::uint64_t bits = Next();
            double v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        case 1:
            return sign * static_cast<double>(Below(100000000)) / std::pow(10.0, Below(9));
        case 2:
            // n + 0.5 at a decimal place: the ties of every rounding.
            return sign * (static_cast<double>(Below(1000000)) + 0.5) / std::pow(10.0, Below(16));
        case 3: {
            const double p = std::pow(10.0, Below(40) - 20);
            const int steps = Below(9) - 4;
            double v = p;
            for (int i = 0; i < std::abs(steps); ++i)
                v = std::nextafter(v, steps < 0 ? 0.0 : 1e300);
            return sign * v;
        }
        case 4:
            return sign * std::ldexp(1.0 + Below(1 << 20) / 1048576.0, Below(2098) - 1074);
        case 5:
            return sign * (static_cast<double>(Next() >> 11) * 0x1.0p-53) * std::pow(10.0, Below(30) - 10);
        case 6:
            return sign * std::pow(10.0, Below(600) - 300) * (1 + Below(9));
        default:
            return sign * (Below(20000) - 10000) * 0.001 + sign * Below(1000) * 1e-9;
        }
    }
};

bool SameDouble(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

constexpr int kRuns = 1000000;

TEST(NumberRoutinesAgreement, RoundingGivesTheSameDoubles)
{
    const double fixed[] = {0.0, -0.0, 0.5, -0.5, 1.5, 2.5, 0.05, 0.15, 1e-15, 9.99999999999995,
                            99999999999999.5, 999999999999995.0, 1e15, 1e-300, 4.9e-324, 1e308,
                            -1.7976931348623157e308, std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(), 0.1, 0.3, 1234.5678901234567,
                            123456789012.34567, 1e22, 1e23, 0.001, 0.01};
    for (double v : fixed) {
        for (int n : {14, 15, 8, 3, 0, -2}) {
            double x = v;
            RoundToSignificant(x, n);
            EXPECT_TRUE(SameDouble(x, RefRoundToSignificant(v, n))) << v << " " << n;
        }
        EXPECT_EQ(DigitCount(v), RefDigitCount(v)) << v;
    }
    Values values(20261210);
    int mismatches = 0;
    for (int i = 0; i < kRuns; ++i) {
        const double v = values.Any();
        const double w = values.Any();
        CPointD p;
        p.Init(v, w);
        RoundPointToSignificant14(p);
        const int n = values.Below(30) - 5;
        const double d = RoundToDecimals(v, n);
        if (!SameDouble(p.m_x, RefRoundToSignificant(v, 14)) ||
            !SameDouble(p.m_y, RefRoundToSignificant(w, 14)) ||
            !SameDouble(d, RefRoundToDecimals(v, n)) || DigitCount(v) != RefDigitCount(v) ||
            NearlyEqual(v, w) != RefNearlyEqual(v, w) ||
            NearlyEqual(v, v * (1 + 1e-11)) != RefNearlyEqual(v, v * (1 + 1e-11))) {
            if (++mismatches < 10)
                ADD_FAILURE() << std::hexfloat << v << " " << w << " " << n;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Number texts as writers give them, and texts no number reader should misread.
TEST(NumberRoutinesAgreement, DxfNumbersReadAsTheCLibraryReadsThem)
{
    const char* fixed[] = {"", " ", "0", "-0", "+0", "12.5", "12.5abc", "  -3.25", "\t+7", ".5",
                           "-.5", "5.", ".", "-", "+-1", "-+1", "1e", "1e+", "1e5", "1E-5",
                           "2.5d3", "1e400", "-1e400", "1e-400", "4.9e-324", "2.4e-324",
                           "0x1p3", "0X10", "inf", "-INF", "infinity", "nan", "nan(1)",
                           "00012", "1,5", "１２", "   \n 8", "1.7976931348623157e308",
                           "179769313486231580793728971405301e276", "0.000000000000000000001",
                           "123456789012345678901234567890",
                           // Around the limits of plain decimals read in one division.
                           "999999999999999", "9999999999999999", "0.000000000000000123456789012345",
                           "1234567.89012345", "1234567.890123456", "0.0000000000000000000001",
                           "0.00000000000000000000001", "0000000000000000000000.5", "1.5.3",
                           "1.5e", "1.5-", "-0.000", "3.14159265358979\r", "0.30000000000000004",
                           "9007199254740993", "2.2250738585072014e-308"};
    for (const char* s : fixed)
        EXPECT_TRUE(SameDouble(DxfAtof(s), std::atof(s))) << "'" << s << "'";

    Values values(4242);
    const char* formats[] = {"%.6f", "%.15g", "%.3f", "%.17g", "%g", "%.10e", "%.0f", "%f"};
    int mismatches = 0;
    char text[512];
    for (int i = 0; i < kRuns; ++i) {
        const double v = values.Any();
        std::snprintf(text, sizeof text, formats[values.Below(8)], v);
        std::string s = text;
        switch (values.Below(6)) {
        case 0:
            s = "  " + s;
            break;
        case 1:
            s += "xyz";
            break;
        case 2:
            if (!s.empty() && s[0] != '-')
                s = "+" + s;
            break;
        default:
            break;
        }
        if (!SameDouble(DxfAtof(s.c_str()), std::atof(s.c_str()))) {
            if (++mismatches < 10)
                ADD_FAILURE() << "'" << s << "'";
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Whole numbers as writers pad them, and texts the fast reading must hand to the library.
TEST(NumberRoutinesAgreement, DxfWholeNumbersReadAsTheCLibraryReadsThem)
{
    const char* fixed[] = {"", " ", "0", "-0", "+0", "7", "-7", "   256", "     1", "  -3x",
                           "\t5", "\n 5", " \v5", "-", "+", "+-1", "- 1", "00012", "1.5",
                           "1e3", "0x10", "１２", "123456789", "-123456789", "1234567890",
                           "-1234567890", "2147483647", "-2147483648", "2147483648",
                           "-2147483649", "99999999999", "9223372036854775808",
                           "-99999999999999999999", "000000000000000007", "12 34", "62\r"};
    for (const char* s : fixed)
        EXPECT_EQ(DxfAtoi(s), std::atoi(s)) << "'" << s << "'";

    Values values(5150);
    const char* pads[] = {"", " ", "     ", "\t", "+", "-", "  -", "0"};
    const char* tails[] = {"", "", "", " ", "x", ".5", "\r", "e2"};
    int mismatches = 0;
    for (int i = 0; i < kRuns; ++i) {
        std::uint64_t n = values.Next();
        // Lengths of one to twenty digits, most of them short.
        n >>= values.Below(64);
        std::string s = std::string(pads[values.Below(8)]) + std::to_string(n) +
                        tails[values.Below(8)];
        if (DxfAtoi(s.c_str()) != std::atoi(s.c_str())) {
            if (++mismatches < 10)
                ADD_FAILURE() << "'" << s << "'";
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(NumberRoutinesAgreement, GcvtWritesTheSameBytes)
{
    char buffer[_CVTBUFSIZE];
    const double fixed[] = {0.0, -0.0, 100.0, 12.5, 0.5, 0.05, 1e15, 1e-5, 9.9999999995,
                            99999.99995, 0.1, 2451544.5, 1.7976931348623157e308, 4.9e-324,
                            // Exact ties at the seventeenth digit.
                            1234567890123456.75, 1234567890123456.25, 9999999999999999.5,
                            0.99999999999999994, 9.9999999999999982,
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (double v : fixed)
        for (int digits : {1, 2, 3, 4, 9, 13, 15, 17, 20})
            EXPECT_EQ(std::string(_gcvt(v, digits, buffer)), RefGcvt(v, digits)) << v << " " << digits;

    Values values(9001);
    const int digitsUsed[] = {2, 3, 4, 9, 9, 9, 13, 15};
    int mismatches = 0;
    for (int i = 0; i < kRuns; ++i) {
        const double v = values.Any();
        const int digits = digitsUsed[values.Below(8)];
        if (std::string(_gcvt(v, digits, buffer)) != RefGcvt(v, digits)) {
            if (++mismatches < 10)
                ADD_FAILURE() << std::hexfloat << v << " " << digits;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
