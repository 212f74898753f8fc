// Rounding, equality of doubles and the degree/radian conversion. The guard constant and the
// order of the steps are kept exactly: every later construction and candidate order rests on them.
#include "geometry/Numeric.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Powers of ten as std::pow gives them, for the exponents rounding meets: the table holds the
// very doubles the library call returns, so a lookup changes no result.
class PowersOfTen {
public:
    static constexpr int kLow = -400;
    static constexpr int kHigh = 400;

    // Out of line: the callers' fast paths stay free of the making.
    [[gnu::noinline]] PowersOfTen()
    {
        for (int i = kLow; i <= kHigh; ++i)
            m_values[i - kLow] = std::pow(10.0, i);
    }
    double operator()(int n) const
    {
        return n >= kLow && n <= kHigh ? m_values[n - kLow] : std::pow(10.0, n);
    }

private:
    double m_values[kHigh - kLow + 1];
};

const PowersOfTen& Pow10()
{
    static const PowersOfTen table;
    return table;
}

// The decade of each binary exponent, and the bands next to each power of ten where the
// logarithm's last bit could decide; made from the same table, so every answer is the one a
// search of the table gives.
class Decades {
public:
    // The exponents of the finite normal doubles; rounding asks only within them.
    static constexpr int kLowExponent = -1022;
    static constexpr int kHighExponent = 1023;
    static constexpr int kLowDecade = -310;
    static constexpr int kHighDecade = 310;

    [[gnu::noinline]] Decades()
    {
        const PowersOfTen& p = Pow10();
        for (int e = kLowExponent; e <= kHighExponent; ++e) {
            const double low = std::ldexp(1.0, e);
            int k = (e * 78913) >> 18;
            while (low < p(k))
                --k;
            while (low >= p(k + 1))
                ++k;
            m_base[e - kLowExponent] = k;
            m_next[e - kLowExponent] = p(k + 1);
        }
        for (int k = kLowDecade; k <= kHighDecade; ++k) {
            m_nearLow[k - kLowDecade] = p(k) * (1.0 + 1e-9);
            m_nearHigh[k - kLowDecade] = p(k + 1) * (1.0 - 1e-9);
        }
    }
    // floor(log10 a) for a in [2^e, 2^(e + 1)).
    int Decade(double a, int e) const
    {
        const int i = e - kLowExponent;
        return m_base[i] + (a >= m_next[i] ? 1 : 0);
    }
    bool NearPower(double a, int k) const
    {
        const int i = k - kLowDecade;
        return a <= m_nearLow[i] || a >= m_nearHigh[i];
    }

private:
    int m_base[kHighExponent - kLowExponent + 1];
    double m_next[kHighExponent - kLowExponent + 1];
    double m_nearLow[kHighDecade - kLowDecade + 1];
    double m_nearHigh[kHighDecade - kLowDecade + 1];
};

const Decades& DecadeTable()
{
    static const Decades table;
    return table;
}

// floor for the whole-number arguments of rounding, without the library call.
double Floor(double v)
{
    if (v > 0.0 && v < 4503599627370496.0)
        return static_cast<double>(static_cast<std::uint64_t>(v));
    return std::floor(v);
}

int DigitCountByLogarithm(double v)
{
    if (v == 0.0) {
        return 0;
    }
    double t = std::trunc(std::log10(std::fabs(v)));
    if (!std::isfinite(t)) {
        return 0;  // NaN or infinity: no meaningful digit count, and no undefined conversion
    }
    return static_cast<int>(t) + 1;
}

// The decade of |v| comes from its binary exponent and the table; only values within a
// billionth of a power of ten, where the logarithm's last bit could decide, and the ends of
// the range ask the logarithm. Written into its callers here: every stored coordinate and
// every comparison of two asks it.
[[gnu::always_inline]] inline int Digits(double v)
{
    const double a = std::fabs(v);
    if (!(a >= 1e-290 && a <= 1e290))
        return DigitCountByLogarithm(v);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    const int binary = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    const Decades& decades = DecadeTable();
    const int k = decades.Decade(a, binary);
    if (decades.NearPower(a, k))
        return DigitCountByLogarithm(v);
    // log10 a lies strictly between k and k + 1; truncation goes toward zero.
    return (k >= 0 ? k : k + 1) + 1;
}

[[gnu::always_inline]] inline double Rounded(double x, int n)
{
    // The small constant is added to the power of ten itself so that a 5 written in decimal but
    // stored a hair below still rounds up.
    const PowersOfTen& pow10 = Pow10();
    double p = pow10(n + 1) + 1e-14;
    double k = Floor(std::fabs(x) * p + 5.0);
    double m = Floor(k * 0.1);
    double r = m / pow10(n);
    return x < 0.0 ? -r : r;
}

}  // namespace

int DigitCount(double v)
{
    return Digits(v);
}

double RoundToDecimals(double x, int n)
{
    return Rounded(x, n);
}

double RoundToDecimalsByNextDigit(double x, int n)
{
    if (x >= 0.0) {
        double a = std::floor(x * std::pow(10.0, n + 1));
        double c = std::floor(x * std::pow(10.0, n));
        if (a - 10.0 * c >= 5.0) {
            a += 10.0;
        }
        return std::floor(a * 0.1) / std::pow(10.0, n);
    }
    double a = std::ceil(x * std::pow(10.0, n + 1));
    double c = std::ceil(x * std::pow(10.0, n));
    if (a - 10.0 * c <= -5.0) {
        a -= 10.0;
    }
    return std::ceil(a * 0.1) / std::pow(10.0, n);
}

void RoundPointToDecimals(CPointD& p, int n)
{
    p.m_x = RoundToDecimals(p.m_x, n);
    p.m_y = RoundToDecimals(p.m_y, n);
}

void RoundPointToDecimalsByNextDigit(CPointD& p, int n)
{
    p.m_x = RoundToDecimalsByNextDigit(p.m_x, n);
    p.m_y = RoundToDecimalsByNextDigit(p.m_y, n);
}

void RoundToSignificant(double& x, int n)
{
    x = Rounded(x, n - Digits(x));
}

void RoundToSignificant15(double& x)
{
    RoundToSignificant(x, 15);
}

void RoundPointToSignificant(CPointD& p, int n)
{
    RoundToSignificant(p.m_x, n);
    RoundToSignificant(p.m_y, n);
}

void RoundPointToSignificant14(CPointD& p)
{
    RoundPointToSignificant(p, 14);
}

namespace {

// Written into the differences: every intersection of two lines asks four of them.
[[gnu::always_inline]] inline int MaxDigitCount(double a, double b)
{
    int da = Digits(a);
    int db = Digits(b);
    return da > db ? da : db;
}

} // namespace

double RoundedDifference8(double a, double b)
{
    return Rounded(a - b, 8 - MaxDigitCount(a, b));
}

double RoundedDifference12(double a, double b)
{
    return Rounded(a - b, 12 - MaxDigitCount(a, b));
}

int EqualWithinDecimals(double a, double b, int n)
{
    return std::fabs(b - a) < Pow10()(-n) ? 1 : 0;
}

int NearlyEqualOrLess(double a, double b, int& less)
{
    less = 0;
    if (a == 0.0 || b == 0.0) {
        int eq = EqualWithinDecimals(a, b, 4);
        if (eq == 0 && a < b) {
            less = 1;
        }
        return eq;
    }
    int da = Digits(a);
    int db = Digits(b);
    if (da <= -12 && db <= -12) {
        // Both within about 1e-13 of zero: compare them as small offsets from 1e-5 instead.
        a += 1e-5;
        b += 1e-5;
        da = Digits(a);
        db = Digits(b);
    }
    int d = da > db ? da : db;
    double diff = b - a;
    if (std::fabs(diff) < Pow10()(d - 10)) {
        return 1;
    }
    if (diff > 0.0) {
        less = 1;
    }
    return 0;
}

int NearlyEqual(double a, double b)
{
    int less = 0;
    return NearlyEqualOrLess(a, b, less);
}

int PointsNearlyEqual(const CPointD& p, const CPointD& q)
{
    return (NearlyEqual(p.m_x, q.m_x) && NearlyEqual(p.m_y, q.m_y)) ? 1 : 0;
}

int PointsEqualWithinDecimals(const CPointD& p, const CPointD& q, int n)
{
    return (EqualWithinDecimals(p.m_x, q.m_x, n) && EqualWithinDecimals(p.m_y, q.m_y, n)) ? 1 : 0;
}

double DegToRad(double x)
{
    return PI * x * (1.0 / 180.0);
}

double RadToDeg(double x)
{
    return x * 180.0 / PI;
}
