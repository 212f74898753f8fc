// The parser's node trees, read after a parse as (text, code) dumps, and the faults it reports
// with their line and column.
#include "MacroTestSupport.h"

#include "macro/MacroStatement.h"
#include "macro/Unit.h"

#include <string>

namespace {

// text(code) and the children in brackets; texts trimmed so that the tables stay readable.
std::string Dump(const CMacroStatement* node)
{
    CString text = node->text;
    text.Trim();
    std::string out = text.Std() + "(" + std::to_string(node->code) + ")";
    if (node->children.GetSize() > 0) {
        out += "[";
        for (int i = 0; i < node->children.GetSize(); ++i)
            out += (i ? ", " : "") + Dump(node->Child(i));
        out += "]";
    }
    return out;
}

} // namespace

class MacroParser : public MacroAppFixture {
protected:
    void SetUp() override
    {
        MacroAppFixture::SetUp();
        LoadTables({"m/s, 1, 1,0,-1,0,0,0,0,0,0,0,0,0"});
    }
    // Parses (and runs) the lines; the line statement of the first line.
    const CMacroStatement* ParseLines(const std::vector<std::string>& lines)
    {
        m_result = m_interp.RunLines(nullptr, LinesOf(lines), false);
        for (int i = m_interp.m_statements.GetSize() - 1; i >= 0; --i) {
            if (m_interp.Statement(i)->code == 1)
                return m_interp.Statement(i);
        }
        return nullptr;
    }
    CMacroInterpreter m_interp;
    int m_result = -1;
};

TEST_F(MacroParser, NodeTreesOfEveryLevel)
{
    struct Case {
        const char* line;
        const char* tree;
    };
    const Case cases[] = {
        {"x = a > b ? a : b", "x = a > b ? a : b(1)[x(6), a > b ? a : b(7)[a > b(13)[a(3), b(20)], a(13), b(14)]]"},
        {"a = b = 3", "a = b = 3(1)[a(6), b = 3(7)[b(6), 3(7)]]"},
        {"a += 2", "a += 2(1)[a(6), 2(11)]"},
        {"a+b<c", "a+b<c(1)[a(3), b<c(25)[b(3), c(19)]]"},
        {"-x+1", "-x+1(1)[x(26), 1(25)]"},
        {"+x", "+x(1)[x(3)]"},
        {"i++", "i++(1)[i(3), (25)]"},
        {"--i", "--i(1)[i(51)]"},
        {"value-1", "value-1(1)"},
        {"value - 1", "value - 1(1)[value(3), 1(26)]"},
        {"3m/s*2", "3m/s*2(1)[3m/s(3), 2(28)]"},
        {"(a+b)2", "(a+b)2(1)[a+b,2(40)[a+b(3)[a(3), b(25)], 2(4)]]"},
        {"(a+b)mm", "(a+b)mm(1)[a+b(3)[a(3), b(25)]]"},
        {"format", "format(1)[mat(46)]"},
        {"if(a>b){x=1;}else{x=2;}",
         "if(a>b){x=1;}else{x=2;}(1)[if(a>b)(2)[a>b(42)[a(3), b(20)]], x=1;(3)[x=1(3)[x(6), 1(7)], (5)], "
         "else(2)[(44)], x=2;(3)[x=2(3)[x(6), 2(7)], (5)]]"},
        {"2*-3", "2*-3(1)[2*(3)[2(3), (28)], 3(26)]"},
        {"sin(x)*2", "sin(x)*2(1)[sin(x)(3)[x(31)], 2(28)]"},
        {"a==b", "a==b(1)[a(3), b(23)]"},
        {"a<=b", "a<=b(1)[a(3), b(21)]"},
        {"a && b || c", "a && b || c(1)[a(3), b(15), c(16)]"},
        {"a & b | c", "a & b | c(1)[a(3), b(17), c(18)]"},
        {"!a", "!a(1)[a(30)]"},
        {"a % b / c", "a % b / c(1)[a(3), b(27), c(29)]"},
        {"2*3*4mm", "2*3*4mm(1)[2(3), 3(28), 4(28)]"},
        {"RGB(1,2,3)", "RGB(1,2,3)(1)[1,2,3(49)[1(3), 2(4), 3(4)]]"},
        {"for(i=0;i<3;i++)", "for(i=0;i<3;i++)(1)[i=0;i<3;i++(46)[i=0(3)[i(6), 0(7)], i<3(5)[i(3), 3(19)], "
                             "i++(5)[i(3), (25)]]]"},
        {"CommandLine()", "CommandLine()(1)[(106)]"},
        {"s = \"a+b\"", "s = \"a+b\"(1)[s(6), \"a+b\"(7)]"},
        {"// x = 1", "// x = 1(1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CMacroStatement* line = ParseLines({c.line});
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(Dump(line), c.tree);
    }
}

TEST_F(MacroParser, UnitsAttachToNodesAndPieces)
{
    const CMacroStatement* line = ParseLines({"(a+b)mm"});
    ASSERT_NE(line, nullptr);
    ASSERT_NE(line->unit, nullptr);
    EXPECT_EQ(line->unit->name, "mm");
    EXPECT_EQ(line->Child(0)->unit, line->unit);

    line = ParseLines({"2*3*4mm"});
    ASSERT_NE(line->unit, nullptr);
    EXPECT_EQ(line->unit->name, "mm");

    line = ParseLines({"(2+3)4mm"});
    EXPECT_EQ(Dump(line), "(2+3)4mm(1)[2+3,4(40)[2+3(3)[2(3), 3(25)], 4(4)]]");
    ASSERT_NE(line->unit, nullptr);
    EXPECT_EQ(line->unit->name, "mm");

    line = ParseLines({"a = 3 unit(mm)"});
    EXPECT_EQ(line->text, "a = 3 ");
    ASSERT_NE(line->outputUnit, nullptr);
    EXPECT_EQ(line->outputUnit->name, "mm");
}

TEST_F(MacroParser, WorkListOrderAndDepths)
{
    ParseLines({"if(a){", "b=1,c;d", "}"});
    std::vector<std::string> order;
    for (int i = 0; i < m_interp.m_statements.GetSize(); ++i) {
        CString t = m_interp.Statement(i)->text;
        t.Trim();
        order.push_back(t.Std() + "/" + std::to_string(m_interp.Statement(i)->code) + "/" +
                        std::to_string(m_interp.Statement(i)->depth));
    }
    // Last line first; a line's pieces follow it, block pieces at the end, separator pieces last
    // piece first.
    const std::vector<std::string> expected = {
        "}/1/1", "/2/1",
        "b=1,c;d/1/1", "d/5/1", "c/4/1", "b=1/3/1", "b/6/1", "1/7/1",
        "if(a){/1/0", "if(a)/2/0", "a/42/0"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(m_interp.m_lineOrder.GetSize(), m_interp.m_statements.GetSize());
    EXPECT_EQ(m_interp.m_lineOrder[0], 1);
    EXPECT_EQ(m_interp.m_lineOrder[1], 0);
    EXPECT_EQ(m_interp.m_lineOrder[2], 2);
    EXPECT_EQ(m_interp.m_lineOrder[8], 3);
}

TEST_F(MacroParser, FaultsAreReportedAtTheirLineAndColumn)
{
    struct Case {
        std::vector<std::string> lines;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {{"= 5"}, {"先頭に代入記号(= += ･･･)があります", " 1行の0文字目に問題があります"}},
        {{"a ? b : c ? d : e"}, {"条件演算子(?:)の演算子の数が多すぎます", " 1行の10文字目に問題があります"}},
        {{"a = 1", "   x = (1 + (c ? d))", "b = 2"},
         {"条件演算子(?:)の演算子の数が不足です", " 2行の12文字目に問題があります"}},
        {{"x = b : c ? d"}, {"条件演算子(?:)の演算子の順序が誤っています", " 1行の6文字目に問題があります"}},
        {{"x = ? b : c"}, {"先頭に条件演算子(?:)があります", " 1行の4文字目に問題があります"}},
        {{"x = && b"}, {"先頭に論理演算子(&& ||)があります", " 1行の4文字目に問題があります"}},
        {{"x = | b"}, {"先頭にビット演算子(& |)があります", " 1行の4文字目に問題があります"}},
        {{"x = (< b)"}, {"先頭に関係演算子(< > ･･･)があります", " 1行の5文字目に問題があります"}},
        {{"x = * b"}, {"先頭に乗除記号(* / %)があります", " 1行の4文字目に問題があります"}},
        {{"f(a{b})"}, {"括弧( )の中に括弧{ }があります", " 1行の3文字目に問題があります"}},
        {{"a = 3 unit( mm)"}, {"登録された単位ではありません", " 1行の11文字目に問題があります"}},
        {{"a = 3 unit(mm)x"}, {"後尾の記述が出力単位指定の unit(登録単位名) のフォームに該当しません",
                               " 1行の10文字目に問題があります"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.back());
        ClearMessages();
        ParseLines(c.lines);
        EXPECT_EQ(m_result, 0);
        EXPECT_EQ(Messages(), c.messages);
    }
}

TEST_F(MacroParser, OutputUnitSuffixes)
{
    struct Case {
        const char* text;
        int result;
        const char* statement;
        const char* unit;
        const char* message;
    };
    const Case cases[] = {
        {"a = 3 unit(mm)", -1, "a = 3 ", "mm", nullptr},
        {"a = 3 unit(mm)  ", -1, "a = 3 ", "mm", nullptr},
        {"a = 3", -1, "a = 3", nullptr, nullptr},
        {"a = 3 unit( mm)", 11, "a = 3 unit( mm)", nullptr, "登録された単位ではありません"},
        {"a = 3 unit(mm", 8, "a = 3 unit(mm", nullptr,
         "後尾の記述が出力単位指定の unit(登録単位名) のフォームに該当しません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ClearMessages();
        CMacroStatement statement(c.text, 1, 0);
        EXPECT_EQ(statement.ApplyOutputUnit(), c.result);
        EXPECT_EQ(statement.text, c.statement);
        if (c.unit) {
            ASSERT_NE(statement.outputUnit, nullptr);
            EXPECT_EQ(statement.outputUnit->name, c.unit);
        } else {
            EXPECT_EQ(statement.outputUnit, nullptr);
        }
        EXPECT_EQ(Messages(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

TEST_F(MacroParser, SilentRunsShowOnlyTheSpecificMessage)
{
    m_interp.m_lines.Add("= 5");
    m_interp.BuildStatementNodes();
    m_interp.m_silent = 1;
    CPtrArray output;
    int line = -1;
    int column = -1;
    EXPECT_EQ(m_interp.Parse(output, line, column), 0);
    m_interp.m_statements.RemoveAll();
    m_interp.m_statements.Append(output);
    m_interp.m_lineOrder.Add(1);
    EXPECT_EQ(m_interp.ReportSyntaxError(line, column, 0), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"先頭に代入記号(= += ･･･)があります"});
    EXPECT_EQ(m_interp.ReportSyntaxError(5, 3, 0), 0);
}
