// The unit, variable and paper-sheet definition files read at start-up.
#include "SettingsTestSupport.h"

#include "macro/MacroVariable.h"
#include "macro/Unit.h"

namespace {

// Definition files are text files with CR LF line ends.
std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

// A definition file as a message names it: by its whole path, in the form the screen shows.
std::string WholePath(const char* name)
{
    return ScreenPathText(ProgramFolder() + name).Std();
}

const CUnit& UnitAt(CZelkApp& app, int index)
{
    return *static_cast<const CUnit*>(app.m_unitTable[index]);
}

const CMacroVariable& VariableAt(CZelkApp& app, int index)
{
    return *static_cast<const CMacroVariable*>(app.m_variableTable[index]);
}

} // namespace

class DefinitionFiles : public AppFixture {
};

TEST_F(DefinitionFiles, ValidUnitLineFollowsTheBuiltInUnits)
{
    WriteProgramFile("ZelkUnit.txt", Lines({"// units", "cm, 0.01, 1,0,0,0,0,0,0,0,0,0,0,0 // centimetre",
                                            "N2, 1e3, 1, 1, -2, 0, 0, 0, 0, 0, 0, 0, 0, 3"}));
    App().BuildUnitTable(TRUE);
    ASSERT_EQ(App().m_unitTable.GetSize(), 22);
    const CUnit& cm = UnitAt(App(), 20);
    EXPECT_EQ(cm.name, "cm");
    EXPECT_DOUBLE_EQ(cm.ratio, 0.01);
    EXPECT_EQ(cm.exponents[0], 1);
    EXPECT_TRUE(cm.ExponentsZero(1, 11));
    const CUnit& n2 = UnitAt(App(), 21);
    EXPECT_DOUBLE_EQ(n2.ratio, 1000.0);
    EXPECT_EQ(n2.exponents[2], -2);
    EXPECT_EQ(n2.exponents[11], 3);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DefinitionFiles, FaultyUnitLinesAreReportedByKindWithTheirLineNumbers)
{
    WriteProgramFile("ZelkUnit.txt",
                     Lines({"cm, 0.01, 1,0,0,0,0,0,0,0,0,0,0",        // 0: 13 fields
                            "// comment lines count too",             // 1
                            "mm, 0.001, 1,0,0,0,0,0,0,0,0,0,0,0",     // 2: a built-in name
                            "",                                       // 3
                            "km, 1000, 1,0,0,x,0,0,0,0,0,0,0,0",      // 4: a letter in an exponent
                            "dm, 0.1, 1,0,0,0,0,0,0,0,0,0,0,0",       // 5: valid
                            "dm, 0.1, 1,0,0,0,0,0,0,0,0,0,0,0",       // 6: read before
                            "q, 1/2, 0,0,0,0,0,0,0,0,0,0,0,0",        // 7: a ratio that is no number
                            "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o"}));       // 8: 15 fields
    App().BuildUnitTable(TRUE);
    EXPECT_EQ(App().m_unitTable.GetSize(), 21);
    EXPECT_EQ(UnitAt(App(), 20).name, "dm");
    const std::vector<std::string> expected = {
        "単位定義ファイル " + WholePath("ZelkUnit.txt") + " の 0 4 7 8 "
        "行はパラメータの数が不足か過剰、または比率と次元の項に数値以外の文字が使われています。",
        "単位定義ファイル " + WholePath("ZelkUnit.txt") + " の 2 6 行に重複した単位表記があります。"};
    EXPECT_EQ(Messages(), expected);
}

TEST_F(DefinitionFiles, MissingUnitFileIsReportedByBothPasses)
{
    App().BuildUnitTable(TRUE);
    EXPECT_EQ(App().m_unitTable.GetSize(), 20);
    const std::string missing = "単位定義ファイル " + WholePath("ZelkUnit.txt") + " を開けませんでした";
    EXPECT_EQ(Messages(), (std::vector<std::string>{missing, missing}));
    EXPECT_EQ(App().m_unitFileLines.GetSize(), 0);
}

TEST_F(DefinitionFiles, UnitFileLinesAreGroupedByClass)
{
    WriteProgramFile("ZelkUnit.txt", Lines({"//Class//長さ", "cm, 0.01, 1,0,0,0,0,0,0,0,0,0,0,0",
                                            "// a comment", "//Class//質量", "  g /* gram */, 0.001, 0,1,0,0,0,0,0,0,0,0,0,0",
                                            "broken line"}));
    App().BuildUnitTable(TRUE);
    std::vector<std::string> lines;
    for (int i = 0; i < App().m_unitFileLines.GetSize(); ++i)
        lines.push_back(App().m_unitFileLines[i].Std());
    const std::vector<std::string> expected = {"//角度", "deg", "rad", "", "//長さ", "mm", "cm", "",
                                               "//質量", "g", "broken line"};
    EXPECT_EQ(lines, expected);
}

TEST_F(DefinitionFiles, VariablesTakeUnitsOfTheUnitTable)
{
    WriteProgramFile("ZelkUnit.txt", Lines({"cm, 0.01, 1,0,0,0,0,0,0,0,0,0,0,0"}));
    WriteProgramFile("Variable.txt",
                     Lines({"g0, 9.80665, , F, gravity", "len, 10, mm, , ten metres",
                            "span, 2, cm, x, uses a unit of the file", "pitch, 1e-3, mm, f, lower-case f"}));
    App().BuildUnitTable(TRUE);
    App().AddPiConstant();
    App().ReadVariableFile();
    ASSERT_EQ(App().m_variableTable.GetSize(), 5);
    const CMacroVariable& pi = VariableAt(App(), 0);
    EXPECT_EQ(pi.name, "pi");
    EXPECT_EQ(pi.assignable, 0);
    EXPECT_EQ(pi.comment, "π");
    const CMacroVariable& g0 = VariableAt(App(), 1);
    EXPECT_EQ(g0.assignable, 0);
    EXPECT_TRUE(g0.unit.IsDimensionless());
    EXPECT_EQ(g0.unit.name, "");
    EXPECT_EQ(g0.comment, "gravity");
    const CMacroVariable& len = VariableAt(App(), 2);
    EXPECT_EQ(len.assignable, 1);
    EXPECT_DOUBLE_EQ(len.value, 10.0); // no ratio applied when loading
    EXPECT_EQ(len.unit.name, "mm");
    EXPECT_EQ(len.unit.exponents[0], 1);
    EXPECT_EQ(VariableAt(App(), 3).unit.name, "cm");
    EXPECT_EQ(VariableAt(App(), 4).assignable, 1);
    EXPECT_EQ(VariableAt(App(), 4).holdsText, 0);
    EXPECT_EQ(VariableAt(App(), 4).valid, 1);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DefinitionFiles, FaultyVariableLinesKeepTheirOriginalMessages)
{
    WriteProgramFile("ZelkUnit.txt", Lines({"// no units"}));
    WriteProgramFile("Variable.txt", Lines({"a, 1, , F",                 // 0: four fields
                                            "pi, 3, , F, again",          // 1: duplicate of pi
                                            "b, 1.5.x, , F, not a number", // 2
                                            "c, 1, inch, , unknown unit", // 3
                                            "d, 2, , F, fine",            // 4
                                            "d, 3, , , again"}));         // 5
    App().BuildUnitTable(TRUE);
    App().AddPiConstant();
    Scripted().m_messages.clear();
    App().ReadVariableFile();
    EXPECT_EQ(App().m_variableTable.GetSize(), 2);
    const std::vector<std::string> expected = {
        "変数義ファイル " + WholePath("Variable.txt") + " の 0 2 3 "
        "行はパラメータの数が不足か過剰、または値に数値以外の文字を使用、または未登録単位が使用されています。",
        "変数定義ファイル " + WholePath("Variable.txt") + " の 1 5 行に重複した変数表記があります"};
    EXPECT_EQ(Messages(), expected);
}

TEST_F(DefinitionFiles, MissingVariableAndSheetFiles)
{
    App().ReadVariableFile();
    App().ReadSheetFile();
    const std::vector<std::string> expected = {"変数定義ファイル " + WholePath("Variable.txt") + " を開けませんでした",
                                               "印刷用紙有効範囲定義ファィル " + WholePath("ZelSheet.txt") + " を開けませんでした"};
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(App().m_sheetNames.GetSize(), 0);
}

TEST_F(DefinitionFiles, SheetLinesAreKeptWithoutComments)
{
    WriteProgramFile("ZelSheet.txt", Lines({"// width, height, name", "  297, 210, A4  // landscape", "",
                                            "-, 1456, 1030, B0", "420, /* wide */297, A3"}));
    App().ReadSheetFile();
    ASSERT_EQ(App().m_sheetNames.GetSize(), 3);
    EXPECT_EQ(App().m_sheetNames[0], "297, 210, A4");
    EXPECT_EQ(App().m_sheetNames[1], "-, 1456, 1030, B0");
    EXPECT_EQ(App().m_sheetNames[2], "420, 297, A3");
}

TEST_F(DefinitionFiles, ShippedDefinitionFilesLoadWithoutFaults)
{
    for (const char* name : {"ZelkUnit.txt", "Variable.txt", "ZelSheet.txt"}) {
        std::ifstream in(std::string(ZELK_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
        ASSERT_TRUE(in.good()) << name;
        WriteProgramFile(name, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    App().ReadSheetFile();
    App().BuildUnitTable(TRUE);
    App().AddPiConstant();
    App().ReadVariableFile();
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_GT(App().m_unitTable.GetSize(), 20);
    EXPECT_GT(App().m_variableTable.GetSize(), 1);
    EXPECT_GT(App().m_sheetNames.GetSize(), 0);
}
