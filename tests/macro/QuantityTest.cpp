// Unit-aware arithmetic: dimension checks, the naming of results by the unit table and the
// return codes the executor turns into its messages.
#include "MacroTestSupport.h"

#include "macro/Quantity.h"
#include "macro/Unit.h"

#include <climits>
#include <cmath>

namespace {

CUnit Dim(const char* name, double ratio, std::initializer_list<std::pair<int, int>> exponents)
{
    int e[CUnit::kDimensions] = {};
    for (auto [index, value] : exponents)
        e[index] = value;
    return CUnit(name, ratio, e);
}

CQuantity Number(double v, const CUnit& u)
{
    return CQuantity(v, u, 2);
}

const CUnit kMm = Dim("mm", 0.001, {{0, 1}});
const CUnit kL = Dim("L", 0.001, {{0, 1}});
const CUnit kDeg = Dim("deg", 1.0, {});
const CUnit kPlain = Dim("", 1.0, {});

} // namespace

class Quantity : public MacroAppFixture {
protected:
    void SetUp() override
    {
        MacroAppFixture::SetUp();
        LoadTables({"cm, 0.01, 1,0,0,0,0,0,0,0,0,0,0,0", "mm2, 1e-6, 2,0,0,0,0,0,0,0,0,0,0,0"});
    }
};

TEST_F(Quantity, AddAndSubtractCheckDimensionsAndKeepTheLeftUnit)
{
    CQuantity a = Number(0.010, kMm);
    EXPECT_EQ(a.Add(Number(0.002, kL)), 3);
    EXPECT_DOUBLE_EQ(a.value, 0.012);
    EXPECT_EQ(a.unit.name, "mm");
    EXPECT_EQ(a.Add(Number(2.0, kDeg)), 1);
    EXPECT_DOUBLE_EQ(a.value, 0.012);
    EXPECT_EQ(a.Subtract(Number(0.002, kMm)), 3);
    EXPECT_DOUBLE_EQ(a.value, 0.010);
    EXPECT_EQ(a.Subtract(Number(1.0, kPlain)), 1);

    CQuantity none(5.0, kMm, 1);
    EXPECT_EQ(none.Add(Number(1.0, kMm)), 2);
    EXPECT_EQ(none.Subtract(Number(1.0, kDeg)), 2);
    EXPECT_EQ(none.value, 5.0);
    // The right operand's kind is not looked at.
    CQuantity b = Number(1.0, kMm);
    EXPECT_EQ(b.Add(CQuantity(2.0, kMm, 1)), 3);
    EXPECT_EQ(b.value, 3.0);
}

TEST_F(Quantity, ProductsAreNamedByTheTable)
{
    CQuantity area = Number(0.01, kMm);
    area.Multiply(Number(0.02, kMm));
    EXPECT_DOUBLE_EQ(area.value, 0.0002);
    EXPECT_EQ(area.unit.name, "mm2");
    EXPECT_EQ(area.unit.exponents[0], 2);
    EXPECT_EQ(area.unit.ratio, 0.001);

    // A suffix-letter name survives whatever the dimension becomes.
    CQuantity named = Number(0.01, kL);
    named.Multiply(Number(0.02, kMm));
    EXPECT_EQ(named.unit.name, "L");
    EXPECT_EQ(named.unit.exponents[0], 2);

    CQuantity r = Number(2.0, Dim("r", 1.0, {}));
    r.Multiply(Number(0.5, Dim("X", 0.001, {{0, 3}})));
    EXPECT_EQ(r.unit.name, "r");

    // The unnamed entry keeps a plain number unnamed.
    CQuantity plain = Number(2.0, kPlain);
    plain.Multiply(Number(3.0, kMm));
    EXPECT_EQ(plain.unit.name, "");

    // Entry 0 comes before the file's entries: every plain length is "mm".
    CQuantity cm = Number(0.01, Dim("cm", 0.01, {{0, 1}}));
    cm.Multiply(Number(2.0, kPlain));
    EXPECT_EQ(cm.unit.name, "mm");
    EXPECT_EQ(cm.unit.ratio, 0.01);

    CQuantity none(1.0, kMm, 1);
    none.Multiply(Number(2.0, kMm));
    EXPECT_EQ(none.value, 1.0);
    EXPECT_EQ(none.unit.exponents[0], 1);
}

TEST_F(Quantity, WithoutATableEntryTheFormatTextNames)
{
    m_app->DeleteUnitsAndVariables();
    LoadTables({"// no units"});
    CQuantity area = Number(0.01, kMm);
    area.Multiply(Number(0.02, kMm));
    EXPECT_EQ(area.unit.name, "m2");
    EXPECT_EQ(area.unit.ratio, 0.001);
    CQuantity speed = Number(1.0, kMm);
    speed.Divide(Number(2.0, Dim("s", 1.0, {{2, 1}})));
    EXPECT_EQ(speed.unit.name, "m/sec");
}

TEST_F(Quantity, DivisionRefusesAnExactZeroOnly)
{
    CQuantity a = Number(0.01, kMm);
    EXPECT_FALSE(a.Divide(Number(0.0, kMm)));
    EXPECT_EQ(a.value, 0.01);
    EXPECT_EQ(a.unit.name, "mm");
    EXPECT_TRUE(a.Divide(Number(1e-300, kMm)));
    EXPECT_DOUBLE_EQ(a.value, 1e298);
    EXPECT_TRUE(a.unit.IsDimensionless());
    EXPECT_EQ(a.unit.name, "");
    CQuantity none(1.0, kMm, 3);
    EXPECT_FALSE(none.Divide(Number(2.0, kPlain)));
}

TEST_F(Quantity, SquareRootHalvesEvenExponents)
{
    CQuantity cube = Number(8e-9, Dim("", 1.0, {{0, 3}}));
    EXPECT_FALSE(cube.Sqrt());
    EXPECT_EQ(cube.unit.exponents[0], 3);
    EXPECT_DOUBLE_EQ(cube.value, std::sqrt(8e-9)); // replaced before the dimension test

    CQuantity fourth = Number(16.0, Dim("q4", 1.0, {{0, 4}}));
    EXPECT_TRUE(fourth.Sqrt());
    EXPECT_EQ(fourth.value, 4.0);
    EXPECT_EQ(fourth.unit.exponents[0], 2);
    EXPECT_EQ(fourth.unit.name, "mm2");

    CQuantity none(16.0, kMm, 1);
    EXPECT_TRUE(none.Sqrt());
    EXPECT_EQ(none.value, 16.0);
}

TEST_F(Quantity, PowerTakesNearlyWholeExponentsAndRefusesFractionalDimensions)
{
    struct Case {
        CUnit unit;
        double y;
        int result;
        int exponent;
        const char* name;
    };
    const Case cases[] = {
        {kMm, 2.00004, 1, 2, "mm2"},
        {kMm, 0.5, -1, 1, "mm"},
        {kPlain, 0.5, 1, 0, ""},
        {kMm, -1.0, 1, -1, "/m"},
        {kMm, 3e9, -1, 1, "mm"},          // the exponent leaves the int range
        {Dim("", 1.0, {{0, 70000}}), 40000.0, -1, 70000, ""}, // so does the product
        {kPlain, 1e12, 1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        CQuantity q = Number(1.0, c.unit);
        EXPECT_EQ(q.Pow(c.y), c.result);
        EXPECT_EQ(q.unit.exponents[0], c.exponent);
        if (c.result == 1) {
            EXPECT_EQ(q.unit.name, c.name);
        }
    }
    CQuantity none(2.0, kMm, 1);
    EXPECT_EQ(none.Pow(2.0), 0);
    EXPECT_EQ(none.value, 2.0);
}

TEST_F(Quantity, ExponentsAtTheEndsOfTheRangeStayThere)
{
    const CUnit huge = Dim("", 1.0, {{0, 2000000000}, {1, -2000000000}});
    CQuantity q = Number(1.0, huge);
    q.Multiply(Number(1.0, huge));
    EXPECT_EQ(q.unit.exponents[0], INT_MAX);
    EXPECT_EQ(q.unit.exponents[1], INT_MIN);
    EXPECT_EQ(q.unit.Format(), "m2147483647/kgr2147483648");
    q.Divide(Number(1.0, Dim("", 1.0, {{0, -2000000000}})));
    EXPECT_EQ(q.unit.exponents[0], INT_MAX);
}

TEST_F(Quantity, CopiesCarryTheFlagAndResetClearsAll)
{
    CQuantity q(0.5, kMm, 4);
    q.flag = 7;
    CQuantity copy(q);
    EXPECT_EQ(copy.flag, 7);
    EXPECT_EQ(copy.kind, 4);
    EXPECT_EQ(copy.unit.name, "mm");
    CQuantity assigned;
    assigned = q;
    EXPECT_EQ(assigned.flag, 7);
    EXPECT_EQ(assigned.value, 0.5);
    assigned.Reset();
    EXPECT_EQ(assigned.kind, 1);
    EXPECT_EQ(assigned.value, 0.0);
    EXPECT_EQ(assigned.flag, 0);
    EXPECT_EQ(assigned.unit.name, "");
    EXPECT_TRUE(assigned.unit.IsDimensionless());
    EXPECT_EQ(CQuantity(3.0).kind, 1);
}
