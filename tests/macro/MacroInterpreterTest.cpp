// The interpreter object: its unit-table lookups, the variable table operations and what a
// reset empties and keeps.
#include "MacroTestSupport.h"

#include "geometry/ElemCandidate.h"
#include "macro/MacroCommandItem.h"
#include "macro/MacroStatement.h"
#include "macro/MacroVariable.h"
#include "macro/Quantity.h"
#include "macro/Unit.h"

namespace {

const CMacroVariable& Var(int index)
{
    return *static_cast<const CMacroVariable*>(g_pApp->m_variableTable[index]);
}

CUnit Metre(const char* name, double ratio)
{
    const int e[CUnit::kDimensions] = {1};
    return CUnit(name, ratio, e);
}

} // namespace

class MacroInterpreterObject : public MacroAppFixture {
protected:
    void SetUp() override
    {
        MacroAppFixture::SetUp();
        LoadTables({"cm, 0.01, 1,0,0,0,0,0,0,0,0,0,0,0"},
                   {"len, 10, mm, , ten base units", "g0, 9.8, , F, gravity"});
    }
    CMacroInterpreter m_interp;
};

TEST_F(MacroInterpreterObject, UnitLookupsAreExactAndBounded)
{
    EXPECT_EQ(CMacroInterpreter::FindUnitByName("mm"), 0);
    EXPECT_EQ(CMacroInterpreter::FindUnitByName("MM"), -1);
    EXPECT_EQ(CMacroInterpreter::FindUnitByName("cm"), 20);
    EXPECT_EQ(CMacroInterpreter::FindUnitByName(""), 11);
    EXPECT_EQ(CMacroInterpreter::GetUnit(-1), nullptr);
    EXPECT_EQ(CMacroInterpreter::GetUnit(g_pApp->m_unitTable.GetSize()), nullptr);
    ASSERT_NE(CMacroInterpreter::GetUnit(19), nullptr);
    EXPECT_EQ(CMacroInterpreter::GetUnit(19)->name, "rad");

    struct Case {
        CUnit unit;
        int index;
    };
    int none[CUnit::kDimensions] = {};
    int cube[CUnit::kDimensions] = {3};
    const Case cases[] = {
        {CUnit("r", 1.0, cube), 14},       // a suffix name wins whatever the exponents
        {CUnit("", 1.0, cube), 11},        // so does the empty name
        {Metre("cm", 0.01), 0},            // the first entry with the exponents
        {CUnit("q", 1.0, none), -1},      // the unnamed entry is matched by name only
        {CUnit("q", 1.0, cube), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit.name.Std());
        EXPECT_EQ(CMacroInterpreter::FindUnitForQuantity(c.unit), c.index);
    }
}

TEST_F(MacroInterpreterObject, VariablesAreFoundAppendedAndAssigned)
{
    EXPECT_EQ(CMacroInterpreter::FindVariable("pi"), 0);
    EXPECT_EQ(CMacroInterpreter::FindVariable("len"), 1);
    EXPECT_EQ(CMacroInterpreter::FindVariable("Len"), -1);
    // A value file's "mm" names the unit only: the number is held as written.
    EXPECT_EQ(Var(1).value, 10.0);
    EXPECT_EQ(Var(1).unit.name, "mm");

    CString message = "untouched";
    EXPECT_EQ(CMacroInterpreter::AssignNumericVariable("", 1.0, CUnit(), message), -1);
    EXPECT_EQ(message, "untouched");

    EXPECT_EQ(CMacroInterpreter::AssignNumericVariable("pi", 3.0, CUnit(), message), -1);
    EXPECT_EQ(message, "定数 pi に値を代入しようとしました");
    EXPECT_EQ(Var(0).value, 3.141592653589793);
    EXPECT_EQ(CMacroInterpreter::AssignNumericVariable("g0", 3.0, CUnit(), message), -1);
    EXPECT_EQ(message, "定数 g0 に値を代入しようとしました");

    const int x = CMacroInterpreter::AssignNumericVariable("x", 0.01, Metre("mm", 0.001), message);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(message, "");
    EXPECT_EQ(Var(3).assignable, 1);
    EXPECT_EQ(Var(3).valid, 1);
    EXPECT_EQ(Var(3).comment, "");
    int seconds[CUnit::kDimensions] = {0, 0, 1};
    EXPECT_EQ(CMacroInterpreter::AssignNumericVariable("x", 4.0, CUnit("", 1.0, seconds), message), 3);
    EXPECT_EQ(Var(3).value, 4.0);
    EXPECT_EQ(Var(3).unit.exponents[0], 0);
    EXPECT_EQ(Var(3).unit.exponents[2], 1);
    EXPECT_EQ(g_pApp->m_variableTable.GetSize(), 4);

    auto* text = static_cast<CMacroVariable*>(g_pApp->m_variableTable[3]);
    text->holdsText = 1;
    text->text = "abc";
    EXPECT_EQ(CMacroInterpreter::AssignNumericVariable("x", 2.0, CUnit(), message), 3);
    EXPECT_EQ(message, "文字変数 x を数値変数に書き換えました");
    EXPECT_EQ(text->holdsText, 0);
    EXPECT_EQ(text->value, 2.0);

    EXPECT_EQ(CMacroInterpreter::AppendVariable("", 1.0, nullptr), -1);
    EXPECT_EQ(CMacroInterpreter::AppendVariable("y", 1.0, nullptr), 4);
    EXPECT_EQ(Var(4).unit.name, "");
}

TEST_F(MacroInterpreterObject, ResetEmptiesTheRunAndKeepsTheExecutorState)
{
    EXPECT_EQ(m_interp.m_currentNode, 0);
    EXPECT_EQ(m_interp.m_silent, 0);
    EXPECT_EQ(m_interp.m_handInputCount, 0);
    EXPECT_TRUE(m_interp.m_headerText.IsEmpty());

    m_interp.m_commandQueue.Add(new CMacroCommandItem(106));
    m_interp.m_queuePosition = 1;
    m_interp.m_handInputCount = 3;
    m_interp.m_gatheredTexts.Add(new CElemCandidate);
    m_interp.m_lineOrder.Add(1);
    m_interp.m_lines.Add("x = 1");
    auto* node = new CMacroStatement("x = 1", 1, 0);
    node->values.Add(new CQuantity(1.0));
    m_interp.m_statements.Add(node);
    m_interp.m_results.Add(new CQuantity(2.0));
    m_interp.m_silent = 1;
    m_interp.m_currentNode = 5;
    m_interp.m_depth = 2;
    m_interp.m_takenStack.Add(1);
    m_interp.m_kindStack.Add(45);
    m_interp.m_headStack.Add(3);
    m_interp.m_seenAtDepth = 1;
    m_interp.m_skipBlock = 1;
    m_interp.m_forReentry = 1;
    m_interp.m_headerText = "001";

    m_interp.Reset();
    EXPECT_EQ(m_interp.m_commandQueue.GetSize(), 0);
    EXPECT_EQ(m_interp.m_queuePosition, 0);
    EXPECT_EQ(m_interp.m_handInputCount, 0);
    EXPECT_EQ(m_interp.m_gatheredTexts.GetSize(), 0);
    EXPECT_EQ(m_interp.m_lineOrder.GetSize(), 0);
    EXPECT_EQ(m_interp.m_lines.GetSize(), 0);
    EXPECT_EQ(m_interp.m_statements.GetSize(), 0);
    EXPECT_EQ(m_interp.m_results.GetSize(), 0);
    EXPECT_EQ(m_interp.m_silent, 0);
    EXPECT_EQ(m_interp.m_currentNode, 5);
    EXPECT_EQ(m_interp.m_depth, 2);
    EXPECT_EQ(m_interp.m_takenStack.GetSize(), 1);
    EXPECT_EQ(m_interp.m_kindStack[0], 45);
    EXPECT_EQ(m_interp.m_headStack[0], 3);
    EXPECT_EQ(m_interp.m_seenAtDepth + m_interp.m_skipBlock + m_interp.m_forReentry, 3);
    EXPECT_EQ(m_interp.m_headerText, "001");
}

TEST_F(MacroInterpreterObject, ResultKindsFollowKindAndUnit)
{
    m_interp.m_results.Add(new CQuantity(1.0, CUnit(), 1));
    m_interp.m_results.Add(new CQuantity(1.0, Metre("mm", 0.001), 3));
    m_interp.m_results.Add(new CQuantity(1.0, Metre("X", 0.001), 2));
    m_interp.m_results.Add(new CQuantity(1.0, Metre("mm", 0.001), 4));
    m_interp.m_results.Add(new CQuantity(1.0, CUnit(), 5));
    CWordArray kinds;
    m_interp.GetResultKinds(kinds);
    ASSERT_EQ(kinds.GetSize(), 5);
    EXPECT_EQ(kinds[0], 1);
    EXPECT_EQ(kinds[1], 1);
    EXPECT_EQ(kinds[2], 8);
    EXPECT_EQ(kinds[3], 7);
    EXPECT_EQ(kinds[4], 3);
}
