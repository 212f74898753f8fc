// Units: their text form, the numeric-input sub-codes, the conversion into drawing units and
// the built-in head of the unit table; and the variable record.
#include "macro/BuiltInUnits.h"
#include "macro/MacroVariable.h"
#include "macro/Unit.h"
#include "platform/core/Arrays.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

CUnit MakeUnit(const char* name, std::initializer_list<std::pair<int, int>> exponents)
{
    int e[CUnit::kDimensions] = {};
    for (auto [index, value] : exponents)
        e[index] = value;
    return CUnit(name, 1.0, e);
}

} // namespace

TEST(Unit, FormatWritesPositiveThenNegativeExponents)
{
    struct Case {
        std::initializer_list<std::pair<int, int>> exponents;
        const char* text;
    };
    const Case cases[] = {
        {{}, ""},
        {{{0, 2}}, "m2"},
        {{{0, 1}, {1, 1}, {2, -2}}, "m･kgr/sec2"},
        {{{2, -1}}, "/sec"},
        {{{0, -1}, {3, -3}, {11, 1}}, "P/m･K3"},
        {{{4, 10}}, "C10"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeUnit("", c.exponents).Format(), c.text);
}

TEST(Unit, SuffixKindByDimensionAndName)
{
    struct Case {
        const char* name;
        std::initializer_list<std::pair<int, int>> exponents;
        int first;
        int second;
    };
    const Case cases[] = {
        {"X", {{0, 1}}, 8, 7},   {"y", {{0, 1}}, 9, 7},    {"F", {{0, 1}}, 10, 7},  {"mm", {{0, 1}}, 6, 7},
        {"deg", {}, 11, 12},     {"rad", {}, 11, 12},      {"D", {}, 11, 12},       {"n", {}, 4, 5},
        {"N", {}, 4, 5},         {"r", {}, 14, 13},        {"R", {}, 14, 13},       {"", {}, 2, 3},
        {"X", {}, 2, 3},         {"mm", {{0, 1}, {2, -1}}, 0, 0},                   {"x", {{0, 2}}, 0, 0},
        {"n", {{0, 1}, {11, 1}}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CUnit u = MakeUnit(c.name, c.exponents);
        EXPECT_EQ(u.SuffixKind(false), c.first);
        EXPECT_EQ(u.SuffixKind(true), c.second);
    }
}

TEST(Unit, ScaleLengthAndMassIntoDrawingUnits)
{
    struct Case {
        std::initializer_list<std::pair<int, int>> exponents;
        double value;
        double scaled;
    };
    const Case cases[] = {
        {{{0, 1}}, 0.01, 10.0},      {{{0, 2}}, 0.01, 10000.0}, {{{1, 1}}, 2.0, 2000.0},
        {{{0, -1}}, 5.0, 0.005},     {{{2, 3}}, 7.0, 7.0},      {{{0, 1}, {1, 1}}, 1.0, 1e6},
    };
    for (const Case& c : cases) {
        double v = c.value;
        MakeUnit("", c.exponents).ScaleLengthAndMass(v);
        EXPECT_DOUBLE_EQ(v, c.scaled);
    }
}

TEST(Unit, DimensionComparisonsIgnoreNameAndRatio)
{
    const int metre[CUnit::kDimensions] = {1};
    CUnit a("mm", 0.001, metre);
    CUnit b("L", 1.0, metre);
    EXPECT_TRUE(a.SameDimension(b));
    EXPECT_FALSE(a.IsDimensionless());
    EXPECT_TRUE(a.ExponentsZero(1, 11));
    EXPECT_FALSE(a.ExponentsZero(0, 0));
    EXPECT_TRUE(a.ExponentsZero(1, 40)); // never beyond the last dimension
    b.exponents[11] = 1;
    EXPECT_FALSE(a.SameDimension(b));

    CUnit copy(a);
    EXPECT_EQ(copy.name, "mm");
    EXPECT_EQ(copy.ratio, 0.001);
    copy.Reset();
    EXPECT_EQ(copy.name, "");
    EXPECT_EQ(copy.ratio, 1.0);
    EXPECT_TRUE(copy.IsDimensionless());
    copy.Assign(b);
    EXPECT_EQ(copy.exponents[11], 1);
}

TEST(Unit, BuiltInTableOrder)
{
    CPtrArray table;
    AppendBuiltInUnits(table);
    ASSERT_EQ(table.GetSize(), kBuiltInUnitCount);
    const std::vector<std::string> names = {"mm", "L", "l", "X", "x", "Y", "y", "F", "f", "h",
                                            "w", "", "n", "R", "r", "N", "D", "d", "deg", "rad"};
    for (int i = 0; i < kBuiltInUnitCount; ++i) {
        std::unique_ptr<CUnit> u(static_cast<CUnit*>(table[i]));
        SCOPED_TRACE(i);
        EXPECT_EQ(u->name.Std(), names[i]);
        const bool length = i <= 10;
        EXPECT_EQ(u->exponents[0], length ? 1 : 0);
        EXPECT_TRUE(u->ExponentsZero(1, 11));
        const double ratio = length ? 0.001 : (i == 19 ? 180.0 / 3.141592653589793 : 1.0);
        EXPECT_DOUBLE_EQ(u->ratio, ratio);
    }
}

TEST(MacroVariable, ConstructionTakesTheUnitAndFlags)
{
    const int metre[CUnit::kDimensions] = {1};
    CMacroVariable v("len", 10.0, CUnit("mm", 0.001, metre), 0, "ten");
    EXPECT_EQ(v.name, "len");
    EXPECT_EQ(v.value, 10.0);
    EXPECT_EQ(v.unit.name, "mm");
    EXPECT_EQ(v.assignable, 0);
    EXPECT_EQ(v.holdsText, 0);
    EXPECT_EQ(v.text, "");
    EXPECT_EQ(v.valid, 1);
    EXPECT_EQ(v.comment, "ten");
}
