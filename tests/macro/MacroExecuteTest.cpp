// Scripts as a user writes them, run through the entry points on a real drawing: operators and
// functions with their unit rules, control flow and loop limits, assignments, the write-back of
// results and the queued drawing commands. Message boxes are read from the scripted services.
#include "MacroTestSupport.h"

#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "elements/Text.h"
#include "macro/MacroCommandItem.h"
#include "macro/MacroStatement.h"
#include "macro/MacroVariable.h"
#include "macro/Quantity.h"
#include "macro/TextDoc.h"
#include "macro/Unit.h"
#include "view/ZelkView.h"

#include <cmath>
#include <string>

namespace {

const std::string kPositionTail = "文字目に問題があります";

} // namespace

class MacroExecute : public MacroAppFixture {
protected:
    void SetUp() override
    {
        MacroAppFixture::SetUp();
        LoadTables(UnitLines(), VariableLines());
        m_app->m_appText.m_tabShift = 2;
        m_doc = std::make_unique<CZelkDoc>();
        m_view.m_document = m_doc.get();
        m_app->m_activeView = &m_view;
    }
    void TearDown() override
    {
        m_app->m_activeView = nullptr;
        // The view outlives the drawing and looks at it when it goes.
        m_view.m_document = nullptr;
        m_doc.reset();
        MacroAppFixture::TearDown();
    }
    virtual std::vector<std::string> UnitLines() const { return {"cm, 0.01, 1,0,0,0,0,0,0,0,0,0,0,0"}; }
    virtual std::vector<std::string> VariableLines() const { return {}; }
    // Runs the lines; the text window's lines when one was opened.
    int Run(const std::vector<std::string>& lines)
    {
        ClearMessages();
        return m_interp.RunLines(m_doc.get(), LinesOf(lines), true);
    }
    std::vector<std::string> WrittenBack() const
    {
        std::vector<std::string> lines;
        if (m_app->m_windowlessTextDocs.GetSize() == 0)
            return lines;
        auto* doc = static_cast<CTextDoc*>(m_app->m_windowlessTextDocs[m_app->m_windowlessTextDocs.GetSize() - 1]);
        CStringArray text;
        doc->GetLines(text);
        for (int i = 0; i < text.GetSize(); ++i)
            lines.push_back(text[i].Std());
        return lines;
    }
    const CMacroVariable* Variable(const char* name) const
    {
        const int index = CMacroInterpreter::FindVariable(name);
        return index < 0 ? nullptr : static_cast<const CMacroVariable*>(m_app->m_variableTable[index]);
    }
    double Value(const char* name) const
    {
        const CMacroVariable* v = Variable(name);
        return v ? v->value : std::nan("");
    }
    // The value of a typed expression and its first result.
    const CQuantity* Evaluate(const char* text, int expected = -1)
    {
        ClearMessages();
        CWordArray kinds;
        EXPECT_EQ(m_interp.EvaluateExpression(text, kinds), expected) << text;
        m_kinds = kinds;
        return m_interp.m_results.GetSize() > 0 ? static_cast<CQuantity*>(m_interp.m_results[0]) : nullptr;
    }

    std::unique_ptr<CZelkDoc> m_doc;
    CZelkView m_view;
    CMacroInterpreter m_interp;
    CWordArray m_kinds;
};

TEST_F(MacroExecute, UnitsAndOperators)
{
    EXPECT_EQ(Run({"x = 10mm + 2"}), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"単位の次元の異なる値の加算(+)はできません",
                                                    " 1行の3" + kPositionTail}));
    EXPECT_EQ(Run({"x = 2 + 10mm"}), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"次元の違う加算はできません。", " 1行の6" + kPositionTail}));

    struct Case {
        const char* line;
        const char* variable;
        double value;
        const char* unit;
    };
    const Case cases[] = {
        {"a = 3mm < 5mm", "a", 1.0, "mm"},
        {"b = 1 && 0.5", "b", 0.0, ""},
        {"c = 6 | 3 & 5", "c", 5.0, ""},     // a flat list folded left to right: (6 | 3) & 5
        {"d = 2cm * 3", "d", 0.06, "mm"},   // every plain length is named mm
        {"e = 10mm * 10mm", "e", 1e-4, "m2"},
        {"f = 7 % 4", "f", 3.0, ""},
        {"g = -4mm + 1mm", "g", -0.003, "mm"},
        {"h = (3 + 4)mm", "h", 0.007, "mm"},
        {"i = (2 * 3)mm", "i", 0.006, "mm"},
        {"j = !0", "j", 1.0, ""},
        {"k = 2 > 1 ? 5mm : 6mm", "k", 0.005, "mm"},
        {"l = (2)3", "l", 8.0, ""},
        {"m = 1e-3 - 2", "m", -1.999, ""},
        {"n = fabs(-2mm)", "n", 0.002, "mm"},
        {"p = 1e300 | 0", "p", -2147483648.0, ""},   // out of the int range: INT_MIN, defined
        {"q = 1e300 && 1", "q", 1.0, ""},
        {"o = a + b + 3", "o", 4.0, ""},     // the relation keeps its unit: 1mm + 0 + 3 refused below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Run({c.line}), c.line[0] == 'o' ? 0 : 1);
        if (c.line[0] == 'o')
            continue;
        EXPECT_TRUE(Messages().empty());
        ASSERT_NE(Variable(c.variable), nullptr);
        EXPECT_NEAR(Value(c.variable), c.value, 1e-12);
        EXPECT_EQ(Variable(c.variable)->unit.name, c.unit);
    }
}

TEST_F(MacroExecute, ConditionsUseTheProgramWideEquality)
{
    EXPECT_EQ(Run({"x = 0", "if (0.5) {", "x = 1", "}", "y = 0", "if (0.00005) {", "y = 1", "}", "z = 0",
                   "if (0.0002) {", "z = 1", "}"}),
              1);
    EXPECT_EQ(Value("x"), 1.0);
    EXPECT_EQ(Value("y"), 0.0);
    EXPECT_EQ(Value("z"), 1.0);

    // A name that is also a suffix letter is a variable like any other.
    for (const char* name : {"unknownName", "r"}) {
        EXPECT_EQ(Run({std::string("if (") + name + ") {", "}"}), 0);
        EXPECT_EQ(Messages(), (std::vector<std::string>{"値の代入されていない変数の条件判定 if() はできません",
                                                        " 1行の0" + kPositionTail}));
    }
    EXPECT_EQ(Run({"a = 1", "else {", "}"}), 0);
    EXPECT_EQ(Messages().front(), "else 文が if 文と対応していません");

    EXPECT_EQ(Run({"v = 2", "if (v == 1) {", "w = 1", "} else {", "w = 2", "}"}), 1);
    EXPECT_EQ(Value("w"), 2.0);
    EXPECT_EQ(Run({"v = 1", "if (v == 1) {", "w = 10", "} else {", "w = 20", "}"}), 1);
    EXPECT_EQ(Value("w"), 10.0);
}

TEST_F(MacroExecute, FunctionsAndTheirRefusals)
{
    struct Result {
        const char* expression;
        double value;
        const char* unit;
    };
    const Result results[] = {
        {"sin(90)", 1.0, ""},  {"sin(90deg)", 1.0, "deg"}, {"cos(60)", 0.5, ""}, {"sqrt(9mm*1mm)", 0.003, "mm"},
        {"pow(2,63)", std::pow(2.0, 63), ""}, {"RGB(0,0,1)", 65536.0, ""}, {"RGB(255.3,0,0)", 255.0, ""},
        {"asin(1)", 90.0, ""}, {"atan(1)", 45.0, ""}, {"pow(3mm, 2)", 9e-6, "m2"},
        {"sin(1.5707963267949rad)", 1.0, "rad"},
    };
    for (const Result& v : results) {
        SCOPED_TRACE(v.expression);
        EXPECT_EQ(Run({std::string("r = ") + v.expression}), 1);
        EXPECT_TRUE(Messages().empty());
        EXPECT_DOUBLE_EQ(Value("r"), v.value);
        EXPECT_EQ(Variable("r")->unit.name, v.unit);
    }
    EXPECT_EQ(Value("r"), 1.0); // the stored number of a typed rad is degrees: sin(90 degrees)

    ASSERT_EQ(Run({"neg = -4"}), 1);
    struct Refusal {
        const char* expression;
        const char* message;
    };
    const Refusal refusals[] = {
        {"sqrt(2mm)", "平方根sqrt()で単位の次元に端数が出ます"},
        {"pow(2,64)", "累乗pow(x,y)は 2の64乗以上の結果値の計算はできません"},
        {"pow(-8,1/3)", "負の小数点値の累乗(pow(負値,y)はできません"},
        {"pow(0,-1)", "累乗pow(0,負値)の形式は避けてください"},
        {"pow(2mm,0.5)", "累乗pow(x,y)で単位の次元に端数が出ます"},
        {"pow(2,1mm)", "累乗pow(x,y)のyに次元のある単位がついています"},
        {"pow(2)", "累乗pow(x,y)の引数は２つにしてください"},
        {"RGB(256,0,0)", "色成分値の上限は 255 です"},
        {"RGB(300)", "RGB()の引数が255を越えています"},
        {"RGB(10)", "色設定RGB(r,g,b)の引数は３つにしてください"},
        {"RGB(-1,0,0)", "負値の色成分 は避けてください"},
        {"sin(2mm)", "単位の次元のある値のsin演算はできません"},
        {"asin(2)", "asin()の引数が -1～1 の範囲を越えています"},
        {"sqrt(-4)", "平方根sqrt()の引数が負になっています"},
        {"sqrt(neg)", "sqrt()の引数が負になっています"},
        {"4 / 0", "０での割算はできません"},
        {"4 / (2 - 2)", "０での割算(/)はできません"},
        {"1mm < 2", "単位の次元の異なる値の関係演算(< > <= >= == !=)はできません"},
        {"2mm && 1", "単位のついた値の論理演算(&& ||)はできません"},
        {"nothing + 1", "値の代入されていない変数の加算(+)はできません"},
        {"sin", "数値または変数がありません"},
        {"sin(nothing)", "値の代入されていない変数のsin演算はできません"},
        {"\"abc", "文字列を示すダブルコーテーションが文字列の終端にありません"},
        {"1x2", "変数・関数・単位ではないと思われる文字列に数値以外の文字が含まれています"},
        {"(1, 2) + 3", "複数項の加減算(+ -)はできません"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.expression);
        EXPECT_EQ(Run({std::string("q = ") + r.expression}), 0);
        const std::vector<std::string> messages = Messages();
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0], r.message);
        EXPECT_NE(messages[1].find(kPositionTail), std::string::npos);
    }
}

TEST_F(MacroExecute, LoopsStopAtTheirLimits)
{
    EXPECT_EQ(Run({"n = 0", "while (1) {", "n = n + 1", "}"}), 0);
    EXPECT_EQ(Messages().front(), "while() ループが 200回 を越えたので抜け出します");
    EXPECT_EQ(Value("n"), 201.0);

    // One counter for every while loop of a run: the second loop of 150 passes stops.
    EXPECT_EQ(Run({"i = 0", "while (i < 150) {", "i = i + 1", "}", "j = 0", "while (j < 150) {", "j = j + 1", "}"}),
              0);
    EXPECT_EQ(Messages().front(), "while() ループが 200回 を越えたので抜け出します");
    EXPECT_EQ(Value("i"), 150.0);
    EXPECT_EQ(Value("j"), 51.0);

    // for loops count in a counter of their own: 250 passes are no while passes.
    EXPECT_EQ(Run({"s = 0", "for (k = 0; k < 250; k = k + 1) {", "s = s + 1", "}"}), 1);
    EXPECT_EQ(Value("s"), 250.0);
    EXPECT_EQ(Run({"k = 0", "for (k = 0; 1; k) {", "k = k + 1", "}"}), 0);
    EXPECT_EQ(Messages().front(), "for() ループが 20000回 を越えたので抜け出します");

    // continue re-tests the condition and counts as a pass; break leaves the loop.
    EXPECT_EQ(Run({"c = 0", "t = 0", "while (c < 5) {", "c = c + 1", "if (c > 2) {", "continue", "}", "t = t + 1", "}",
                   "u = 0", "while (1) {", "u = u + 1", "if (u == 3) {", "break", "}", "}", "after = u"}),
              1);
    EXPECT_EQ(Value("c"), 5.0);
    EXPECT_EQ(Value("t"), 2.0);
    EXPECT_EQ(Value("after"), 3.0);
}

TEST_F(MacroExecute, LoopPassesStartFromNothing)
{
    EXPECT_EQ(Run({"x = 0", "s = 0", "while (x < 3) {", "x = x + 1", "y = -x", "z = pow(x, 2)", "s = s + z", "}"}), 1);
    EXPECT_EQ(Value("y"), -3.0);
    EXPECT_EQ(Value("z"), 9.0);
    EXPECT_EQ(Value("s"), 14.0);
}

TEST_F(MacroExecute, AssignmentsAndTheirWriteBack)
{
    EXPECT_EQ(Run({"x = 10mm", "  // note", "if (x > 1mm) {", "y = x * 2", "}", "a = b = 5"}), 1);
    EXPECT_EQ(WrittenBack(), (std::vector<std::string>{"x = 10mm = 10mm", "  // note", "if (x > 1mm) {",
                                                       "  y = x * 2 = 20mm", "}", "a = b = 5 = 5"}));
    EXPECT_EQ(m_app->m_lastMessage, "解釈実行しました。");
    EXPECT_EQ(static_cast<CTextDoc*>(m_app->m_windowlessTextDocs[0])->m_kind, 1);
    EXPECT_EQ(Value("a"), 5.0);
    EXPECT_EQ(Value("b"), 5.0);

    EXPECT_EQ(Run({"5 = x"}), 0);
    EXPECT_EQ(Messages().front(), "数値に数値を代入することはできません");

    EXPECT_EQ(Run({"pi = 3", "after = 1"}), 1);
    EXPECT_EQ(Messages(), std::vector<std::string>{"定数 pi に値を代入しようとしました"});
    EXPECT_EQ(Value("after"), 1.0);
    EXPECT_EQ(Value("pi"), 3.141592653589793);

    EXPECT_EQ(Run({"t = 4", "t += 2", "t *= 3", "t -= 1", "t /= 2", "t %= 3", "s = \"text\"", "w = 3mm unit(cm)",
                   "v = 1e-20"}),
              1);
    EXPECT_EQ(Value("t"), 2.5);
    EXPECT_EQ(Variable("s"), nullptr); // a string literal assigns nothing
    const std::vector<std::string> written = WrittenBack();
    EXPECT_EQ(written[7], "w = 3mm = 0.3cm");
    EXPECT_EQ(written[8], "v = 1e-20 = 1.e-20");   // the runtime's exponent form, zeros dropped

    EXPECT_EQ(Run({"t += 1mm"}), 0);
    EXPECT_EQ(Messages().front(), "単位の次元の異なる値の加算代入(+=)はできません");
}

// Units of length, mass, time and force as the unit file names them, and the constant e of the
// variable file.
class MacroResultUnits : public MacroExecute {
protected:
    std::vector<std::string> UnitLines() const override
    {
        return {"cm, 0.01, 1,0,0,0,0,0,0,0,0,0,0,0", "m, 1, 1,0,0,0,0,0,0,0,0,0,0,0", "kg, 1, 0,1,0,0,0,0,0,0,0,0,0,0",
                "sec, 1, 0,0,1,0,0,0,0,0,0,0,0,0", "kN, 1000, 1,1,-2,0,0,0,0,0,0,0,0,0"};
    }
    std::vector<std::string> VariableLines() const override { return {"e, 2.718281828459045, , F, 自然対数の底"}; }
};

TEST_F(MacroResultUnits, AnAssignedResultKeepsItsDimensionWhateverItsTargetIsCalled)
{
    // Names that end in a suffix letter (x, w, y, L) and targets that held a value of another
    // dimension: the result is named by what was computed, as the same expression alone is.
    struct Case {
        std::vector<std::string> lines;
        std::string last;
    };
    const Case cases[] = {
        {{"5kg * 9.8m / 1sec / 1sec"}, "5kg * 9.8m / 1sec / 1sec = 4.9e-2kN"},
        {{"fx = 5kg * 9.8m / 1sec / 1sec"}, "fx = 5kg * 9.8m / 1sec / 1sec = 4.9e-2kN"},
        {{"fw = 5kg * 9.8m / 1sec / 1sec"}, "fw = 5kg * 9.8m / 1sec / 1sec = 4.9e-2kN"},
        {{"fy = 9.8m / 1sec / 1sec * 5kg"}, "fy = 9.8m / 1sec / 1sec * 5kg = 4.9e-2kN"},
        {{"mL = 5kg"}, "mL = 5kg = 5kg"},
        {{"d = 10mm", "d = 3sec"}, "d = 3sec = 3sec"},
        {{"q = 2L", "q = 4"}, "q = 4 = 4"},
        {{"t = 3sec", "t *= 2m"}, "t *= 2m = 6m･sec"},
        {{"n = 5", "n = 2mm"}, "n = 2mm = 2mm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.back());
        EXPECT_EQ(Run(c.lines), 1);
        EXPECT_TRUE(Messages().empty());
        const std::vector<std::string> written = WrittenBack();
        ASSERT_EQ(written.size(), c.lines.size());
        EXPECT_EQ(written.back(), c.last);
    }
    // The variable holds the force it was given.
    ASSERT_NE(Variable("fx"), nullptr);
    EXPECT_NEAR(Value("fx"), 49.0, 1e-12);
    const int force[CUnit::kDimensions] = {1, 1, -2};
    EXPECT_TRUE(Variable("fx")->unit.SameDimension(CUnit("", 1.0, force)));
    // A unit written after the statement still names its result.
    EXPECT_EQ(Run({"w = 3mm unit(cm)"}), 1);
    EXPECT_EQ(WrittenBack().back(), "w = 3mm = 0.3cm");
}

TEST_F(MacroResultUnits, AVariableIsReadByItsWholeName)
{
    // Once assigned, a name ending in a unit letter is read as that variable; a name that is no
    // variable still takes a unit after a variable's name, as nmm does.
    EXPECT_EQ(Run({"f = 2", "fx = 5kg * 9.8m / 1sec / 1sec", "fy = fx * 2", "dx = 10mm", "a = dx", "n = 3",
                   "len = nmm"}),
              1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(WrittenBack(), (std::vector<std::string>{"f = 2 = 2", "fx = 5kg * 9.8m / 1sec / 1sec = 4.9e-2kN",
                                                       "fy = fx * 2 = 9.8e-2kN", "dx = 10mm = 10mm",
                                                       "a = dx = 10mm", "n = 3 = 3", "len = nmm = 3mm"}));
    EXPECT_NEAR(Value("fy"), 98.0, 1e-12);
    EXPECT_EQ(Value("f"), 2.0);
    EXPECT_NEAR(Value("len"), 0.003, 1e-15);
}

TEST_F(MacroResultUnits, ARefusedAssignmentToAConstantWritesNoResult)
{
    EXPECT_EQ(Run({"e = 5", "after = e * 2"}), 1);
    EXPECT_EQ(Messages(), std::vector<std::string>{"定数 e に値を代入しようとしました"});
    EXPECT_EQ(Value("e"), 2.718281828459045);
    EXPECT_EQ(Value("after"), 2 * 2.718281828459045);
    EXPECT_EQ(WrittenBack(), (std::vector<std::string>{"e = 5", "after = e * 2 = 5.43656365691809"}));
}

TEST_F(MacroExecute, CommandStatementsAreQueued)
{
    EXPECT_EQ(Run({"ZelkMacro001", "CommandLine()", "CommandMenu(\"se\")", "InputPoint(0,12.5,30)",
                   "InputValue(1, 5mm)"}),
              1);
    EXPECT_EQ(m_interp.m_headerText, "001");
    ASSERT_EQ(m_interp.m_commandQueue.GetSize(), 4);
    auto item = [&](int i) { return static_cast<CMacroCommandItem*>(m_interp.m_commandQueue[i]); };
    EXPECT_EQ(item(0)->code, 106);
    EXPECT_EQ(item(1)->code, 101);
    EXPECT_EQ(item(1)->text, "se");
    EXPECT_EQ(item(2)->code, 103);
    ASSERT_EQ(item(2)->values.GetSize(), 3);
    EXPECT_EQ(static_cast<CQuantity*>(item(2)->values[1])->value, 12.5);
    EXPECT_EQ(static_cast<CQuantity*>(item(2)->values[2])->value, 30.0);
    EXPECT_EQ(item(3)->code, 104);
    EXPECT_DOUBLE_EQ(static_cast<CQuantity*>(item(3)->values[1])->value, 0.005);
    EXPECT_EQ(m_interp.m_currentNode, -1);

    EXPECT_EQ(Run({"x = 1", "ZelkMacro001"}), 0);
    EXPECT_EQ(Messages().front(), "ZelkMacro001 が第一行になっていません。");

    ClearMessages();
    EXPECT_EQ(m_interp.RunLines(nullptr, LinesOf({"ZelkMacro001", "CommandLine()"}), true), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Zelk入力画面が開いていないので、マクロは実行できません。"});
}

TEST_F(MacroExecute, TypedExpressions)
{
    const CQuantity* q = Evaluate("10+5mm");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(m_interp.m_results.GetSize(), 1);
    EXPECT_DOUBLE_EQ(q->value, 0.015);
    EXPECT_EQ(q->unit.name, "mm");
    ASSERT_EQ(m_kinds.GetSize(), 1);
    EXPECT_EQ(m_kinds[0], 6);

    q = Evaluate("10mm+5mm");
    EXPECT_DOUBLE_EQ(q->value, 0.015);
    EXPECT_EQ(m_interp.m_lines[0], "10mm+5mm");
    Evaluate("x=5mm");
    EXPECT_EQ(m_interp.m_lines[0], "x=5mm");
    Evaluate("3+4L", 1);   // refused at the "+": a plain number plus a length
    EXPECT_EQ(m_interp.m_lines[0], "3+4L");
    Evaluate("3+4cm");
    EXPECT_EQ(m_interp.m_lines[0], "(3+4)cm");
    Evaluate("2, 3X");
    EXPECT_EQ(m_interp.m_results.GetSize(), 2);
    EXPECT_EQ(m_kinds[0], 2);
    EXPECT_EQ(m_kinds[1], 8);
    Evaluate("++3");
    EXPECT_EQ(m_kinds[0], 3);

    // Silent: only the specific message; the column comes back.
    Evaluate("= 5", 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"先頭に代入記号(= += ･･･)があります"});
    Evaluate("1 + nothing", 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"値の代入されていない変数の加算(+)はできません"});

    m_app->m_activeView = nullptr;
    EXPECT_EQ(Evaluate("1+2", 0), nullptr);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MacroExecute, TextAttributeTexts)
{
    struct Case {
        const char* text;
        int result;
        double height;
        double width;
        int alignment;
        int italic;
        int underline;
        int mask;
        const char* face;
    };
    const Case cases[] = {
        {"2.5H,3W,LB,/,!_", -1, 2.5, 3, 8, 1, 0, 79, ""},
        {"ｺﾞｼｯｸ, rc, !/", -1, 0, 0, 34, 0, 0, 512 + 4 + 16, "ｺﾞｼｯｸ"},
        {"ジ", -1, 0, 0, 0, 0, 0, 512, "ジ"},              // 83 57: no W
        {"", -1, 0, 0, 0, 0, 0, 0, ""},
        {"4h // height", -1, 4, 0, 0, 0, 0, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double height = 0, width = 0;
        int alignment = -1, italic = -1, underline = -1, strike = -1, mask = -1;
        CString face;
        EXPECT_EQ(m_interp.ParseTextAttributeSpec(c.text, height, width, alignment, italic, underline, strike, face,
                                                  mask),
                  c.result);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(alignment, c.alignment);
        EXPECT_EQ(italic, c.italic);
        EXPECT_EQ(underline, c.underline);
        EXPECT_EQ(mask, c.mask);
        EXPECT_EQ(face, c.face);
    }
    double h = 0, w = 0;
    int a, i, u, s, m;
    CString f;
    EXPECT_GE(m_interp.ParseTextAttributeSpec("12,H", h, w, a, i, u, s, f, m), 0);
    EXPECT_GE(m_interp.ParseTextAttributeSpec("Helvetica", h, w, a, i, u, s, f, m), 0);
    EXPECT_GE(m_interp.ParseTextAttributeSpec("1,2,3,4,5,6,7,8,", h, w, a, i, u, s, f, m), 0);
}

TEST_F(MacroExecute, DrawingTextResultsGoToGroupProcessing)
{
    CGroupProcessor group;
    m_app->m_groupProcessor = &group;
    LOGFONT lf{};
    const std::int16_t font = m_doc->FindOrAddFont(lf, 20, 30, 1, 0.0);
    std::int16_t block = -1, slot = -1;
    CPointD p;
    p.Init(0, 20);
    m_doc->AddTextWithFont("a = 2", p, 0, font, 8, 0, block, slot);
    m_doc->GetTextElem(block, slot)->m_mark |= 0x08;
    p.Init(0, 10);
    m_doc->AddTextWithFont("b = a * 3", p, 0, font, 8, 0, block, slot);
    m_doc->GetTextElem(block, slot)->m_mark |= 0x08;
    EXPECT_EQ(m_interp.RunDrawingText(m_doc.get()), 1);
    EXPECT_EQ(group.modePattern, "MP");
    EXPECT_EQ(group.m_preset, 1);
    EXPECT_EQ(group.m_document, m_doc.get());
    EXPECT_EQ(group.m_lastInputKind, 14);
    EXPECT_EQ(group.m_lastInputSubCode, 32);
    ASSERT_EQ(group.m_elemSet.texts.GetSize(), 2);
    EXPECT_EQ(static_cast<CText*>(group.m_elemSet.texts[0])->m_text, "a = 2 = 2");
    EXPECT_EQ(static_cast<CText*>(group.m_elemSet.texts[1])->m_text, "b = a * 3 = 6");

    // With the option on, the results go to a new macro text window instead.
    m_app->m_resultsToTextWindow = 1;
    m_doc->GetTextElem(block, slot)->m_mark |= 0x08;
    EXPECT_EQ(m_interp.RunDrawingText(m_doc.get()), 1);
    EXPECT_EQ(WrittenBack(), std::vector<std::string>{"b = a * 3 = 6"});
    m_app->m_groupProcessor = nullptr;
}
