// The scanning routines of the macro front end, as tables of texts and their results; double-
// byte texts whose second bytes look like quotes, parentheses, operators or exponent letters.
#include "MacroTestSupport.h"

#include "macro/Unit.h"

#include <string>
#include <vector>

class MacroScanning : public MacroAppFixture {
protected:
    void SetUp() override
    {
        MacroAppFixture::SetUp();
        LoadTables({"// built-in units only"});
    }
};

TEST_F(MacroScanning, StripPieceCutsCommentsBlanksAndEnclosingPairs)
{
    struct Case {
        const char* text;
        const char* stripped;
        int removed;
    };
    const Case cases[] = {
        {"  ((a+b))  // note", "a+b", 4},
        {"(a)+(b)", "(a)+(b)", 0},
        {"x /* c */", "x", 0},
        {"x /* c */ y", "x /* c */ y", 0},
        {"\"a//b\"", "\"a", 0},              // comments are cut inside literals too
        {" ( ( x ) ) ", "x", 5},
        {"(\")\")", "\")\"", 1},
        {"((a)", "(a", 1},
        {"()", "", 1},
        {"(", "(", 0},
        {"(ポ)", "ポ", 1},
        {"(\x83)", "(\x83)", 0},            // a lead byte swallows the ")"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CString s = c.text;
        EXPECT_EQ(CMacroInterpreter::StripPiece(s), c.removed);
        EXPECT_EQ(s, c.stripped);
    }
}

TEST_F(MacroScanning, TopLevelCharactersStandOutsideParenthesesAndLiterals)
{
    struct Case {
        const char* text;
        const char* chars;
        int found;
    };
    const Case cases[] = {
        {"f(a,b)", ",", 0}, {"a,b", ",", 1},        {"\"a,b\"", ",", 0}, {"1e-3", "-", 0},
        {"1 -3", "-", 1},   {"value-1", "-", 0},    {"a)+b", "+", 0},    {"テ-1", "-", 1},
        {"\"ポ\",", ",", 1}, {"x\x83", ",", 0},     {"(ポ)-", "-", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CMacroInterpreter::HasTopLevelChar(c.text, c.chars), c.found);
    }
}

TEST_F(MacroScanning, OperatorSearchHonoursNeighbourExclusions)
{
    struct Case {
        const char* text;
        std::vector<int> positions;
        int balanced;
    };
    const Case cases[] = {
        {"a==b", {}, 1}, {"a<=b", {}, 1},   {"a+=1", {}, 1},      {"a=b", {1}, 1},
        {"a=", {1}, 1},  {"f(a=b)=c", {6}, 1}, {"\"=\"=1", {3}, 1}, {"a)=b", {}, 0},
        {"(a=b", {}, 0}, {"ポ=1", {2}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CWordArray positions, codes;
        const int balanced = CMacroInterpreter::FindTopLevelOperators(
            c.text, 1, {"="}, {"<", ">", "!", "=", "*", "/", "%", "+", "-"}, {"="}, positions, codes, 7);
        EXPECT_EQ(balanced, c.balanced);
        ASSERT_EQ(positions.GetSize(), static_cast<int>(c.positions.size()));
        for (int i = 0; i < positions.GetSize(); ++i) {
            EXPECT_EQ(positions[i], c.positions[static_cast<size_t>(i)]);
            EXPECT_EQ(codes[i], 7);
        }
    }
    // Several operators in one list: codes follow the list, positions ascend, overlaps count.
    CWordArray positions, codes;
    CMacroInterpreter::FindTopLevelOperators("a&&b&&&c", 2, {"||", "&&"}, {}, {}, positions, codes, 15);
    ASSERT_EQ(positions.GetSize(), 3);
    EXPECT_EQ(positions[0], 1);
    EXPECT_EQ(positions[1], 4);
    EXPECT_EQ(positions[2], 5);
    EXPECT_EQ(codes[0], 16);

    // The second byte 7C of a double-byte character is no vertical bar.
    CWordArray none, noneCodes;
    CMacroInterpreter::FindTopLevelOperators("aポb", 1, {"|"}, {}, {}, none, noneCodes, 18);
    EXPECT_EQ(none.GetSize(), 0);
}

TEST_F(MacroScanning, ExponentTextsLoseTheirLeadingZeros)
{
    struct Case {
        const char* text;
        const char* normalised;
    };
    const Case cases[] = {
        {"1.5e+005", "1.5e+5"}, {"2E-010", "2E-10"}, {"12.05", "12.05"}, {"3e0", "3e"},
        {"1e.5", "1e.5"},       {"10e100", "10e100"}, {"テ0", "テ0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CString s = c.text;
        CMacroInterpreter::NormaliseExponentText(s);
        EXPECT_EQ(s, c.normalised);
    }
}

TEST_F(MacroScanning, UnitSuffixSplitNumberFormAndIdentifiers)
{
    struct Split {
        const char* text;
        int result;
        const char* rest;
        const char* unit;
    };
    const Split splits[] = {
        {"10mm", 0, "10", "mm"}, {"10 mm", 0, "10 ", "mm"}, {"2L", 0, "2", "L"},
        {"x mm", 0, "x ", "mm"}, {"xmm", 0, "x", "mm"},     {"amm", -1, "amm", ""},
        {"mm", -1, "mm", ""},    {"", -1, "", ""},          {"30deg", 0, "30", "deg"},
        {"x", -1, "x", ""},      {"ポmm", 0, "ポ", "mm"},
    };
    for (const Split& c : splits) {
        SCOPED_TRACE(c.text);
        CString s = c.text;
        int unit = -1;
        EXPECT_EQ(CMacroInterpreter::SplitUnitSuffix(s, unit), c.result);
        EXPECT_EQ(s, c.rest);
        if (c.result == 0) {
            EXPECT_EQ(CMacroInterpreter::GetUnit(unit)->name, c.unit);
        }
    }

    struct Form {
        const char* text;
        int number;
        int identifier;
    };
    const Form forms[] = {
        {"1+2", -1, 0}, {"--.", -1, 0}, {"a1", 0, -1},  {"", 0, -1},   {"mm", 0, 0},
        {"abc", 0, -1}, {"a-b", 0, 1},  {"1e5", -1, 0}, {"1e", 1, 0},  {"2.5E-3", -1, 0},
        {"1\x83", 1, 0}, {"x2", 0, -1},
    };
    for (const Form& c : forms) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CMacroInterpreter::IsNumberText(c.text), c.number);
        EXPECT_EQ(CMacroInterpreter::CheckIdentifier(c.text), c.identifier);
    }
}

TEST_F(MacroScanning, KeywordsMatchByPrefixInListOrder)
{
    struct Case {
        const char* text;
        int matched;
        int index;
    };
    const Case cases[] = {
        {"ifa", 1, 1}, {"sine", 1, 0}, {"else if(x)", 1, 2}, {"elsewhere", 1, 3}, {"i", 0, -1}, {"", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int index = -1;
        EXPECT_EQ(CMacroInterpreter::MatchKeyword(c.text, {"sin", "if", "else if", "else"}, index), c.matched);
        EXPECT_EQ(index, c.index);
    }
    CPtrArray nodes;
    int a = 0, b = 0;
    EXPECT_EQ(CMacroInterpreter::IndexOfNode(nodes, &a), -1);
    nodes.Add(&a);
    nodes.Add(&b);
    EXPECT_EQ(CMacroInterpreter::IndexOfNode(nodes, &b), 1);
}
