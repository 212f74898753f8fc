// Seeded mutation runs over macro text: lines a user might write, Japanese included, cut,
// spliced and flipped byte by byte, through the scanning routines and the front end of the
// macro language: line checks, brace check, parser, execution with its loop limits and the
// write-back, and the evaluation of typed expressions.
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroStatement.h"
#include "platform/core/Services.h"
#include "macro/Unit.h"
#include "tests/fuzz/FuzzKnobs.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kSeedLines = {
    "ZelkMacro001",
    "x = a > b ? a : b",
    "a = b = 3 unit(mm)",
    "if(a>b){x=1;}else{x=2;}",
    "else if (x == 2) { y = -x + 1 }",
    "while (i < 10) { i++; z = pow(x, 2) }",
    "for (i = 0; i < 3; i++) { CommandLine() }",
    "(a+b)2 + (3+4)mm * sqrt(9mm*1mm)",
    "RGB(255, 0, 0) // 色 図 本",
    "s = \"テキスト}{)(\" /* ポ */",
    "InputPoint(0, 12.5, 30); CommandMenu(\"se\")",
    "v = 1.5e-3 - value-1 % 2 && !c || d & e | f",
    "  x /= 2mm; y *= 3; z %= 4; w += 1L; q -= 2deg",
    "ソ = 表 + 能",
    "while (n < 5) {",
    "}",
    "n = n + 1",
    "if (n > 2) {",
    "} else {",
    "for (k = 0; k < 2; k = k + 1) {",
    "continue",
    "break",
    "e = pow(1mm, 2000000000) * pow(1mm, 2000000000) / 1e-300 + 1e308 | 2 && RGB(1e300, 0, 0)",
};

std::string Mutate(std::mt19937& random)
{
    std::string text = kSeedLines[random() % kSeedLines.size()];
    const int steps = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < steps; ++i) {
        const unsigned op = random() % 5;
        const size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        if (op == 0 && !text.empty()) {
            text[random() % text.size()] = static_cast<char>(random() & 0xFF);
        } else if (op == 1) {
            static const char* const pieces[] = {"(", ")", "\"", "{", "}", "=", "e-", "\x83", "\x81\x40",
                                                 "//", "/*", "*/", "mm", "unit(", "?", ":", "ポ", ","};
            text.insert(at, pieces[random() % (sizeof pieces / sizeof pieces[0])]);
        } else if (op == 2 && !text.empty()) {
            text.erase(at, random() % 8);
        } else if (op == 3) {
            const std::string& other = kSeedLines[random() % kSeedLines.size()];
            text.insert(at, other.substr(random() % other.size()));
        } else {
            text.resize(at);
        }
    }
    return text;
}

} // namespace

TEST(MacroTextFuzz, ScanningRoutinesStayInsideTheText)
{
    CZelkApp app;
    g_pApp = &app;
    app.BuildUnitTable(FALSE);
    app.AddPiConstant();
    std::mt19937 random(fuzz_knobs::Seed(20261211));
    for (int run = 0; run < fuzz_knobs::Rounds(3000); ++run) {
        const CString text(Mutate(random));
        CString piece = text;
        const int removed = CMacroInterpreter::StripPiece(piece);
        EXPECT_GE(removed, 0);
        EXPECT_LE(piece.GetLength() + removed, text.GetLength());
        CMacroInterpreter::HasTopLevelChar(text, ",;+-*/%!=");
        CWordArray positions, codes;
        CMacroInterpreter::FindTopLevelOperators(text, 2, {"<=", ">=", "==", "!=", "&&", "||"}, {"e", "E"}, {"="},
                                                 positions, codes, 21);
        CMacroInterpreter::FindTopLevelOperators(text, 1, {"+", "-"}, {"+", "-", "e", "E"}, {"+", "-"}, positions,
                                                 codes, 25);
        for (int i = 0; i < positions.GetSize(); ++i)
            EXPECT_LT(positions[i], text.GetLength());
        CString number = text;
        CMacroInterpreter::NormaliseExponentText(number);
        EXPECT_LE(number.GetLength(), text.GetLength());
        CString suffix = text;
        int unit = -1;
        if (CMacroInterpreter::SplitUnitSuffix(suffix, unit) == 0) {
            EXPECT_NE(CMacroInterpreter::GetUnit(unit), nullptr);
        }
        const int bound = text.GetLength() == 0 ? 1 : text.GetLength();
        EXPECT_LT(CMacroInterpreter::IsNumberText(text), bound);
        EXPECT_LT(CMacroInterpreter::CheckIdentifier(text), bound);
        int keyword = -1;
        CMacroInterpreter::MatchKeyword(text, {"sin", "if", "else if", "else"}, keyword);
    }
    app.DeleteUnitsAndVariables();
    g_pApp = nullptr;
}

TEST(MacroTextFuzz, AnyLinesRunOrAreRefused)
{
    CZelkApp app;
    g_pApp = &app;
    app.m_macroLoopLimit = 200;
    CZelkDoc doc;
    CZelkView view;
    view.m_document = &doc;
    app.m_activeView = &view;
    app.BuildUnitTable(FALSE);
    app.AddPiConstant();
    const int metrePerSecond[CUnit::kDimensions] = {1, 0, -1};
    app.m_unitTable.Add(new CUnit("m/s", 1.0, metrePerSecond));
    CMacroInterpreter interpreter;
    int runsCompleted = 0;
    std::mt19937 random(fuzz_knobs::Seed(20261212));
    for (int run = 0; run < fuzz_knobs::Rounds(1500); ++run) {
        CStringArray lines;
        const int count = 1 + static_cast<int>(random() % 5);
        for (int i = 0; i < count; ++i)
            lines.Add(CString(Mutate(random)));
        const int completed = interpreter.RunLines(&doc, lines, run % 2 == 0);
        // Every node is owned once and every piece's parent is in the list.
        for (int i = 0; i < interpreter.m_statements.GetSize(); ++i) {
            const CMacroStatement* node = interpreter.Statement(i);
            if (node->parent) {
                EXPECT_GE(CMacroInterpreter::IndexOfNode(interpreter.m_statements, node->parent), 0);
                EXPECT_LE(node->parentOffset, node->parent->text.GetLength());
            }
        }
        if (completed) {
            ++runsCompleted;
            EXPECT_EQ(interpreter.m_lineOrder.GetSize(), interpreter.m_statements.GetSize());
            EXPECT_EQ(interpreter.m_currentNode, -1);
        }
        CWordArray kinds;
        if (interpreter.EvaluateExpression(lines[0], kinds) == -1) {
            EXPECT_EQ(kinds.GetSize(), interpreter.m_results.GetSize());
        }
        DefaultScriptedServices().m_messages.clear();
        DefaultScriptedServices().m_beeps.clear();
    }
    // The mutations must leave enough scripts intact to reach the executor's end.
    EXPECT_GT(runsCompleted, fuzz_knobs::Rounds(1500) / 50);
    interpreter.Reset();
    app.m_activeView = nullptr;
    app.DeleteUnitsAndVariables();
    g_pApp = nullptr;
}
