// Macro text as lines: the checks before parsing, and flagged texts of a real drawing put in
// order by height, with the pointer mark that shows where a fault lies.
#include "MacroTestSupport.h"

#include "document/ZelkDoc.h"
#include "elements/Text.h"
#include "elements/TypeFont.h"
#include "macro/MacroStatement.h"

#include <cmath>
#include <string>

class MacroLines : public MacroAppFixture {
protected:
    void SetUp() override
    {
        MacroAppFixture::SetUp();
        LoadTables({"// built-in units only"});
    }
    CMacroInterpreter m_interp;
};

TEST_F(MacroLines, PreChecksReportTheFailingLineNearestTheEnd)
{
    struct Case {
        std::vector<std::string> lines;
        int result;
        std::vector<std::string> messages;
        int beeps;
    };
    const Case cases[] = {
        {{"a = 1", "b => 2", "c = 3", "", "d = 4", "e => 5"}, 0, {"=> は使用できません", " 5行に構文の問題があります。"}, 1},
        {{"x = 1 // a => b"}, 0, {"=> は使用できません", " 1行に構文の問題があります。"}, 1},
        {{"if (a) {", "}", "else  if (b) {", "}"}, 0,
         {"else  if は else と if の間は半角スペースを一つだけ入れてください", " 3行に構文の問題があります。"}, 1},
        {{"elseif (b)"}, 0, {"elseif は else と if の間は半角スペースを一つだけ入れてください", " 1行に構文の問題があります。"}, 1},
        {{"x = (1 + 2", "y = 2"}, 0, {"括弧()の数が合いません", " 1行に構文の問題があります。"}, 0},
        {{"}", "x = 1"}, 0, {" 1行にスコープの問題があります。"}, 0},
        {{"if (a == b) {", "x = 1", "{"}, 0, {" 3行にスコープの問題があります。"}, 0},
        {{"if(1==1){", "}"}, 1, {}, 0},
        {{"s = \"}\"", "t = \"(\""}, 1, {}, 0},
        {{"a = 1 // 図", "x = 1 // 本", "y = 1 /* ポ */"}, 1, {}, 0},
        {{"//", "  // => (", "x = 1"}, 1, {}, 0},
        {{"", ""}, 0, {}, 0},   // nothing to run: no message box
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.front());
        ClearMessages();
        DefaultScriptedServices().m_beeps.clear();
        EXPECT_EQ(m_interp.RunLines(nullptr, LinesOf(c.lines), false), c.result);
        EXPECT_EQ(Messages(), c.messages);
        EXPECT_EQ(static_cast<int>(DefaultScriptedServices().m_beeps.size()), c.beeps);
        if (c.beeps > 0) {
            EXPECT_EQ(DefaultScriptedServices().m_beeps.front(), MB_ICONASTERISK);
        }
    }
}

TEST_F(MacroLines, LinesAreStoredLastFirstWithoutEmptyOnes)
{
    m_interp.RunLines(nullptr, LinesOf({"a = 1", "", "   b = 2", " "}), false);
    ASSERT_EQ(m_interp.m_lines.GetSize(), 3);
    EXPECT_EQ(m_interp.m_lines[0], " ");
    EXPECT_EQ(m_interp.m_lines[1], "   b = 2");
    EXPECT_EQ(m_interp.m_lines[2], "a = 1");
    // The line of blanks stays a statement; indents count the blanks removed.
    int lines = 0;
    for (int i = 0; i < m_interp.m_statements.GetSize(); ++i) {
        const CMacroStatement* node = m_interp.Statement(i);
        if (node->code != 1)
            continue;
        ++lines;
        if (node->text == "b = 2") {
            EXPECT_EQ(node->indent, 3);
        }
    }
    EXPECT_EQ(lines, 3);
}

TEST_F(MacroLines, BraceCheckSetsDepthsAndReportsOnlyWhenAsked)
{
    m_interp.m_lines.Add("}");
    m_interp.m_lines.Add("// {");
    m_interp.m_lines.Add("{ x = \"}\"");
    m_interp.BuildStatementNodes();
    int line = -1, column = -1;
    EXPECT_EQ(m_interp.CheckBraces(line, column, 1), 1);
    EXPECT_EQ(m_interp.Statement(2)->depth, 0);
    EXPECT_EQ(m_interp.Statement(1)->depth, 0);
    EXPECT_EQ(m_interp.Statement(0)->depth, 1);
    EXPECT_TRUE(Messages().empty());

    CMacroInterpreter other;
    other.m_lines.Add("x }");
    other.BuildStatementNodes();
    EXPECT_EQ(other.CheckBraces(line, column, 1), 0);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(Messages(), std::vector<std::string>{"閉じ括弧 }の数が多すぎます"});

    ClearMessages();
    CMacroInterpreter open;
    open.m_lines.Add("y");
    open.m_lines.Add("{ } }{ {");
    open.BuildStatementNodes();
    EXPECT_EQ(open.CheckBraces(line, column, 1), 0);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 0);   // the column of the last line examined, which has no "}"
    EXPECT_EQ(Messages(), std::vector<std::string>{"閉じ括弧 }の数が不足です"});
}

class MacroDrawingText : public MacroLines {
protected:
    void SetUp() override
    {
        MacroLines::SetUp();
        m_doc = std::make_unique<CZelkDoc>();
        LOGFONT lf{};
        lf.lfHeight = 25;
        m_font = m_doc->FindOrAddFont(lf, 20, 30, 1, 0.0);
    }
    void TearDown() override
    {
        m_doc.reset();
        MacroLines::TearDown();
    }
    // A text whose underline runs from (x, y) to (x + 80, y); flagged with mark bit 8.
    CText* Add(const char* text, double x, double y, bool flagged = true)
    {
        CPointD p;
        p.Init(x, y);
        std::int16_t block = -1, slot = -1;
        m_doc->AddTextWithFont(text, p, 0, m_font, 8, 0, block, slot);
        CText* t = m_doc->GetTextElem(block, slot);
        t->m_underlineStart.Init(x, y);
        t->m_underlineEnd.Init(x + 80, y);
        if (flagged)
            t->m_mark |= 0x08;
        return t;
    }
    std::unique_ptr<CZelkDoc> m_doc;
    std::int16_t m_font = 0;
};

TEST_F(MacroDrawingText, TextsRunTopLineFirstAndLoseTheirFlag)
{
    CText* a = Add("a = 1", 0, 30);
    CText* c = Add("c = 3", 0, 10);
    CText* b = Add("b = 2", 0, 20);
    Add("not flagged", 0, 5, false);
    EXPECT_EQ(m_interp.RunDrawingText(m_doc.get()), 1);
    ASSERT_EQ(m_interp.m_lines.GetSize(), 3);
    EXPECT_EQ(m_interp.m_lines[0], "c = 3");
    EXPECT_EQ(m_interp.m_lines[1], "b = 2");
    EXPECT_EQ(m_interp.m_lines[2], "a = 1");
    EXPECT_EQ(m_interp.m_gatheredTexts.GetSize(), 3);
    EXPECT_EQ(a->m_mark & 0x08, 0);
    EXPECT_EQ(b->m_mark & 0x08, 0);
    EXPECT_EQ(c->m_mark & 0x08, 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MacroDrawingText, TextsAtOneHeightAreRefusedAndKeepTheirFlag)
{
    CText* a = Add("a = 1", 0, 30);
    Add("b = 2", 0, 10);
    CText* c = Add("c = 3", 500, 30);
    EXPECT_EQ(m_interp.RunDrawingText(m_doc.get()), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"2行目に位置の同じ式があり処理順序が判別できません"});
    EXPECT_NE(a->m_mark & 0x08, 0);
    EXPECT_NE(c->m_mark & 0x08, 0);

    ClearMessages();
    CZelkDoc empty;
    EXPECT_EQ(m_interp.RunDrawingText(&empty), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MacroDrawingText, FaultsBecomePointerMarksAtTheCharacter)
{
    // A fault at column 4 of an 8-byte text: half-way along the underline, lifted by the height.
    CText* t = Add("x = ? 1;", 0, 0);
    EXPECT_EQ(m_interp.RunDrawingText(m_doc.get()), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"先頭に条件演算子(?:)があります"});
    ASSERT_EQ(m_doc->m_pointerMarks.GetSize(), 1);
    const auto* mark = static_cast<CPointD*>(m_doc->m_pointerMarks[0]);
    EXPECT_NEAR(mark->m_x, 40.0, 1e-9);
    EXPECT_NEAR(mark->m_y, 25.0, 1e-9);
    EXPECT_EQ(t->m_mark & 0x08, 0);

    // A pre-check fault marks too, and a brace fault after a passed pre-check shows no box.
    ClearMessages();
    t->m_text = "x => 1";
    t->m_mark |= 0x08;
    EXPECT_EQ(m_interp.RunDrawingText(m_doc.get()), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"=> は使用できません"});
    EXPECT_EQ(m_doc->m_pointerMarks.GetSize(), 2);

    ClearMessages();
    t->m_text = "x = 1 }";
    t->m_mark |= 0x08;
    EXPECT_EQ(m_interp.RunDrawingText(m_doc.get()), 0);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_doc->m_pointerMarks.GetSize(), 3);
    EXPECT_EQ(t->m_mark & 0x08, 0);
}

TEST_F(MacroDrawingText, MarksFollowTheFontAngle)
{
    auto* font = static_cast<CTypeFont*>(m_doc->m_fonts[m_font]);
    font->m_angle = 180.0;
    Add("x = ? 1;", 0, 0);
    EXPECT_EQ(m_interp.RunDrawingText(m_doc.get()), 0);
    ASSERT_EQ(m_doc->m_pointerMarks.GetSize(), 1);
    const auto* mark = static_cast<CPointD*>(m_doc->m_pointerMarks[0]);
    // Upside down, the text reads from the underline's end; the normal points down.
    EXPECT_NEAR(mark->m_x, 40.0, 1e-9);
    EXPECT_NEAR(mark->m_y, -25.0, 1e-9);
}
