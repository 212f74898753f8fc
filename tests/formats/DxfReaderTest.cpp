// DXF import: sections and line reading, entities, line types, polylines, colors and layers,
// damaged data.
#include "tests/formats/DxfReaderTestSupport.h"

#include "formats/DxfReader.h"
#include "formats/uStyle.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <set>
#include <utility>

namespace {

constexpr double kTol = 1e-9;

TEST_F(DxfImport, LineIsAddedOnlyWhenTheNextEntityStarts)
{
    // Every combination of line ends and code padding reads the same.
    for (bool padded : {true, false}) {
        for (bool lf : {false, true}) {
            SCOPED_TRACE(testing::Message() << "padded " << padded << " lf " << lf);
            TearDown();
            SetUp();
            DxfText whole(padded, lf);
            whole.Section("HEADER").G(9, "$ACADVER").G(1, "AC1009").EndSec();
            whole.Section("ENTITIES").LineEnt(0, 0, 10, 5).EndSec().Eof();
            EXPECT_EQ(Import(whole.Str()), 1);
            auto lines = Lines();
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_NEAR(lines[0].x1, 0, kTol);
            EXPECT_NEAR(lines[0].y2, 5, kTol);
            EXPECT_NEAR(lines[0].x2, 10, kTol);

            TearDown();
            SetUp();
            DxfText cut(padded, lf);
            cut.Section("ENTITIES").LineEnt(0, 0, 10, 5);
            EXPECT_EQ(Import(cut.Str()), 1);
            EXPECT_TRUE(Lines().empty());
        }
    }
}

// A group code is its digits with blanks about them; a line of any other form is no code, and
// it and its value are passed over.
TEST_F(DxfImport, GroupCodesReadInEveryPaddingAndNothingElseIsACode)
{
    const struct {
        const char* code;
        bool read;
    } cases[] = {{"10", true},    {" 10", true},   {"  10", true},  {"10 ", true},
                 {" 10  ", true}, {"010", false},  {" 010", false}, {"00", false},
                 {"1 0", false},  {"10x", false},  {"+10", false},  {"-10", false},
                 {"\t10", false}, {"1O", false},   {"", false},     {"10000", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.code + "'");
        for (const char* start : {"0", "  0", " 0 "}) {
            TearDown();
            SetUp();
            const std::string body = std::string(start) + "\r\nLINE\r\n  8\r\n0\r\n" + c.code +
                                     "\r\n7.5\r\n 20\r\n2.5\r\n 11\r\n9.5\r\n 21\r\n4.5\r\n";
            EXPECT_EQ(Import(DxfText().Section("ENTITIES").Str() + body +
                             DxfText().EndSec().Eof().Str()),
                      1);
            auto lines = Lines();
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_NEAR(lines[0].x1, c.read ? 7.5 : 0.0, kTol);
            EXPECT_NEAR(lines[0].y1, 2.5, kTol);
            EXPECT_NEAR(lines[0].x2, 9.5, kTol);
        }
    }
}

TEST_F(DxfImport, DataWithoutASectionIsRefusedAndHeaderOnlyAddsNothing)
{
    int layers = m_doc->m_layers.GetSize();
    // No section at all: no DXF, whatever the file's name says.
    EXPECT_EQ(Import(""), 0);
    EXPECT_EQ(Import(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)), 0);
    EXPECT_EQ(Import("  0\r\nLINE\r\n  8\r\n0\r\n"), 0);
    DxfText header;
    header.Section("HEADER").G(9, "$EXTMIN").G(10, 0.0).G(20, 0.0).EndSec().Eof();
    EXPECT_EQ(Import(header.Str()), 1);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(m_doc->m_layers.GetSize(), layers);
}

TEST_F(DxfImport, ArcAnglesAreOrderedAndNormalised)
{
    struct Case {
        double start, end, a, b;
    } cases[] = {{350, 10, 350, 370}, {-90, 0, 270, 360}, {90, 90, 90, 90}, {0, 90, 0, 90},
                 {720 + 30, 60, 30, 60}, {-400, -30, 320, 330}};
    DxfText body;
    for (const Case& c : cases)
        body.G(0, "ARC").G(8, "0").G(10, 1.0).G(20, 2.0).G(40, 3.0).G(50, c.start).G(51, c.end);
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto arcs = Arcs();
    ASSERT_EQ(arcs.size(), std::size(cases));
    for (size_t i = 0; i < arcs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(arcs[i].a, cases[i].a, 1e-9);
        EXPECT_NEAR(arcs[i].b, cases[i].b, 1e-9);
        EXPECT_NEAR(arcs[i].r, 3.0, kTol);
    }
}

TEST_F(DxfImport, TextSizeFromHeightStyleAndWidthFactor)
{
    DxfText body;
    body.G(0, "TEXT").G(8, "0").G(10, 1.0).G(20, 2.0).G(40, 3.5).G(1, "ABC").G(7, "STANDARD");
    body.G(0, "TEXT").G(8, "0").G(10, 1.0).G(20, 2.0).G(40, 3.5).G(41, 0.8).G(1, "ABC");
    body.G(0, "TEXT").G(8, "0").G(10, 1.0).G(20, 2.0).G(40, 4.0).G(1, "ABC").G(7, "ROMANS");
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].font->m_height, 35);
    EXPECT_EQ(texts[0].font->m_logFont.lfHeight, -3);
    EXPECT_EQ(texts[0].font->m_width, 30);
    EXPECT_EQ(texts[1].font->m_width, 28);
    EXPECT_EQ(texts[2].font->m_width, 20);
    EXPECT_STREQ(texts[2].font->m_logFont.lfFaceName, "ROMANS");
    EXPECT_EQ(texts[0].alignment, 8);
    EXPECT_NEAR(texts[0].x, 1.0, kTol);
    // The text shape of the settings is put back after the import.
    EXPECT_EQ(m_app->m_appText.m_shape, CAppText().m_shape);
}

TEST_F(DxfImport, TextsTakeTheStandardShapeThroughTheShapeCommands)
{
    m_app->m_appText.m_slantAlongLine = 0;
    m_app->OnTextShapeSlant();
    DxfText body;
    body.G(0, "TEXT").G(8, "0").G(10, 1.0).G(20, 2.0).G(40, 3.5).G(1, "ABC");
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font->m_style2, 1);
    EXPECT_EQ(texts[0].font->m_style3, 1);
    // The slant shape comes back through its command, with its direction and the current set.
    EXPECT_EQ(m_app->m_appText.m_shape, 4);
    EXPECT_EQ(m_app->m_appText.m_direction, 3);
    EXPECT_EQ(m_app->m_atrCurrent.m_text.m_shape, 4);
}

TEST_F(DxfImport, TextDiameterMarkAndAlignment)
{
    DxfText body;
    body.G(0, "TEXT").G(10, 1.0).G(20, 2.0).G(40, 2.5).G(1, "\\U+220520\\U+2205");
    body.G(0, "TEXT").G(10, 1.0).G(20, 2.0).G(40, 2.5).G(1, "C").G(72, "     1").G(11, 7.0).G(21, 8.0);
    body.G(0, "TEXT").G(10, 1.0).G(20, 2.0).G(40, 2.5).G(1, "C").G(72, "1").G(11, 7.0).G(21, 8.0);
    body.G(0, "TEXT").G(10, 1.0).G(20, 2.0).G(40, 2.5).G(1, "C").G(72, "     1");
    body.G(0, "TEXT").G(10, 1.0).G(20, 2.0).G(40, 2.5).G(1, "R").G(72, "     2").G(11, 7.0).G(21, 8.0);
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].text, "φ20\\U+2205");
    struct Case {
        int alignment;
        double x, y;
    } expected[] = {{14, 7, 8}, {14, 7, 8}, {8, 1, 2}, {10, 7, 8}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts[i + 1].alignment, expected[i].alignment);
        EXPECT_NEAR(texts[i + 1].x, expected[i].x, kTol);
        EXPECT_NEAR(texts[i + 1].y, expected[i].y, kTol);
    }
}

TEST(DxfJustification, PaddedWordsReadLikeBareOnesAndNothingElseIsAWord)
{
    struct Case {
        const char* value;
        int alignment;
    } cases[] = {{"1", 14},      {"     1", 14}, {"\t2 \t", 10}, {" 3", 38},   {"4\t", 38},
                 {"5", 8},       {"", 8},        {"   ", 8},      {"01", 8},    {"1 1", 8},
                 {"\x82\x50", 8}, {"1\x82 ", 8},   {"\x82 1", 8},   {"\r1", 8}};
    for (const Case& c : cases)
        EXPECT_EQ(DxfJustifyToAlign(c.value), c.alignment) << "'" << c.value << "'";
}

TEST_F(DxfImport, AlignedAndFitTextsTakeTheirSizeFromTheTwoPoints)
{
    DxfText body;
    body.G(0, "TEXT").G(10, 0.0).G(20, 0.0).G(40, 2.5).G(1, "ABCD").G(72, "3").G(11, 3.0).G(21, 4.0);
    body.G(0, "TEXT").G(10, 0.0).G(20, 0.0).G(40, 2.5).G(1, "ABCD").G(72, "5").G(11, 20.0).G(21, 0.0);
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].alignment, 38);
    EXPECT_EQ(texts[0].font->m_height, 50);
    EXPECT_NEAR(texts[0].x, 0.0, kTol);
    EXPECT_EQ(texts[1].alignment, 8);
    EXPECT_EQ(texts[1].font->m_width, 50);
}

TEST_F(DxfImport, HalfWidthFontsHalveTextsWithDoubleByteCharacters)
{
    m_app->m_dxfHalfWidthFonts.Add("ROMANS");
    DxfText body;
    body.G(0, "TEXT").G(10, 0.0).G(20, 0.0).G(40, 4.0).G(7, "ROMANS").G(1, "図面");
    body.G(0, "TEXT").G(10, 0.0).G(20, 0.0).G(40, 4.0).G(7, "ROMANS").G(1, "AB");
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].font->m_width, 10);
    EXPECT_EQ(texts[1].font->m_width, 20);
    EXPECT_EQ(texts[0].text, "図面");
}

TEST_F(DxfImport, LongStyleNameIsCutAtACharacterBoundary)
{
    std::string style = "A";
    for (int i = 0; i < 20; ++i)
        style += "図";   // 1 + 40 bytes: byte 31 would split a character
    DxfText body;
    body.G(0, "TEXT").G(10, 0.0).G(20, 0.0).G(40, 4.0).G(7, style).G(1, "X").G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    std::string face = texts[0].font->m_logFont.lfFaceName;
    EXPECT_EQ(face, style.substr(0, 31));
    EXPECT_EQ(face.size(), 31u);
}

TEST_F(DxfImport, LineTypeTableGivesPenLineTypes)
{
    struct Case {
        const char* name;
        int count;
        std::vector<double> dashes;
        int lineType;
    } cases[] = {{"DOT", 2, {0.0, -6.35}, 2},      {"DOT2", 2, {-6.35, 0.0}, 2},
                 {"DASHED", 2, {6.35, -6.35}, 1},  {"ODD", 3, {1, -1, 1}, 0},
                 {"CENTER", 4, {12, -3, 0, -3}, 3}, {"PHANTOM", 6, {12, -3, 0, -3, 0, -3}, 4},
                 {"CONTINUOUS", 0, {}, 0}};
    DxfText f;
    f.Section("TABLES").G(0, "TABLE").G(2, "LTYPE").G(70, "7");
    for (const Case& c : cases) {
        f.G(0, "LTYPE").G(2, c.name).G(70, "64").G(3, "x").G(72, "65").G(73, std::to_string(c.count));
        f.G(40, 12.7);
        for (double d : c.dashes)
            f.G(49, d);
    }
    f.G(0, "ENDTAB").G(0, "TABLE").G(2, "LTYPE").G(0, "LTYPE").G(2, "LATE").G(73, "2").G(49, 1.0)
        .G(49, -1.0).G(0, "ENDTAB").EndSec();
    f.Section("ENTITIES");
    double x = 0;
    for (const Case& c : cases)
        f.G(0, "LINE").G(6, c.name).G(10, 0.0).G(20, 0.0).G(11, ++x).G(21, 1.0);
    f.G(0, "LINE").G(6, "LATE").G(10, 0.0).G(20, 0.0).G(11, ++x).G(21, 1.0);
    f.EndSec().Eof();
    ASSERT_EQ(Import(f.Str()), 1);
    auto lines = LinesByEnd();
    ASSERT_EQ(lines.size(), std::size(cases) + 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(PenLineType(lines[i].pen), cases[i].lineType);
    }
    // A second line-type table is not read.
    EXPECT_EQ(PenLineType(lines.back().pen), 0);
    EXPECT_EQ(CZelkView::LookupDxfLineType(CObArray(), ""), 0);
}

TEST_F(DxfImport, LineTypeKeepsTheFirstSixDashes)
{
    DxfText f;
    f.Section("TABLES").G(0, "TABLE").G(2, "LTYPE").G(0, "LTYPE").G(2, "LONG").G(73, "8").G(40, 36.0);
    for (int i = 1; i <= 8; ++i)
        f.G(49, i % 2 ? double(i) : -double(i));
    f.G(0, "ENDTAB").EndSec().Eof();
    int replaced = 0;
    CDxfReader reader(m_doc.get(), reinterpret_cast<const BYTE*>(f.Str().data()),
                      static_cast<int>(f.Str().size()), &replaced);
    ASSERT_EQ(reader.Run(), 1);
    ASSERT_EQ(reader.LineTypes().GetSize(), 1);
    const CuStyle* s = static_cast<const CuStyle*>(reader.LineTypes()[0]);
    EXPECT_EQ(s->m_name.Std(), "LONG");
    EXPECT_EQ(s->m_dashCount, 8);
    EXPECT_DOUBLE_EQ(s->m_patternLength, 36.0);
    EXPECT_DOUBLE_EQ(s->m_dashes[5], -6.0);
    EXPECT_EQ(s->m_lineType, 0);
    EXPECT_EQ(CZelkView::LookupDxfLineType(reader.LineTypes(), "LONG"), 0);
    EXPECT_EQ(CZelkView::LookupDxfLineType(reader.LineTypes(), "long"), 0);
}

TEST_F(DxfImport, ClosedPolylineGivesOneLinePerVertex)
{
    DxfText body;
    body.G(0, "POLYLINE").G(8, "0").G(66, "1").G(70, "     1");
    double pts[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    for (auto& p : pts)
        body.G(0, "VERTEX").G(8, "0").G(10, p[0]).G(20, p[1]);
    body.G(0, "SEQEND").G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    // The closing line joins the fourth vertex to the first (in either direction).
    int closing = 0;
    for (const LineV& l : lines)
        if (std::fabs(l.x1) < kTol && std::fabs(l.x2) < kTol &&
            std::fabs(std::fabs(l.y1 - l.y2) - 10) < kTol)
            ++closing;
    EXPECT_EQ(closing, 1);
}

TEST_F(DxfImport, PolylineBulgesMakeArcs)
{
    DxfText body;
    // Open: bulge 1 from (0,0) to (10,0) is the lower half circle; -1 back the same way.
    body.G(0, "POLYLINE").G(66, "1").G(0, "VERTEX").G(10, 0.0).G(20, 0.0).G(42, 1.0);
    body.G(0, "VERTEX").G(10, 10.0).G(20, 0.0).G(0, "SEQEND");
    // Closed: the closing segment bends by the last vertex's bulge.
    body.G(0, "POLYLINE").G(66, "1").G(70, "1").G(0, "VERTEX").G(10, 20.0).G(20, 0.0);
    body.G(0, "VERTEX").G(10, 30.0).G(20, 0.0).G(42, -1.0).G(0, "SEQEND");
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto arcs = Arcs();
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_NEAR(arcs[0].cx, 5, 1e-6);
    EXPECT_NEAR(arcs[0].cy, 0, 1e-6);
    EXPECT_NEAR(arcs[0].r, 5, 1e-6);
    EXPECT_NEAR(arcs[0].a, 180, 1e-6);   // through (5,-5): 180 to 360 counterclockwise
    EXPECT_NEAR(arcs[0].b, 360, 1e-6);
    // (30,0) -> (20,0) clockwise: the lower half again, centre (25,0).
    EXPECT_NEAR(arcs[1].cx, 25, 1e-6);
    EXPECT_NEAR(arcs[1].a, 180, 1e-6);
    EXPECT_NEAR(arcs[1].b, 360, 1e-6);
    EXPECT_EQ(Lines().size(), 1u);   // the straight (20,0)-(30,0)
}

TEST_F(DxfImport, PolylineWidthOutlinesLieHalfTheWidthOff)
{
    DxfText body;
    body.G(0, "POLYLINE").G(66, "1").G(40, 2.0).G(41, 2.0);
    body.G(0, "VERTEX").G(10, 0.0).G(20, 0.0).G(0, "VERTEX").G(10, 10.0).G(20, 0.0);
    body.G(0, "SEQEND").G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    std::vector<double> ys;
    for (auto& l : lines) {
        EXPECT_NEAR(l.y1, l.y2, 1e-9);
        ys.push_back(l.y1);
    }
    std::sort(ys.begin(), ys.end());
    EXPECT_NEAR(ys[0], -1.0, 1e-9);
    EXPECT_NEAR(ys[1], 0.0, 1e-9);
    EXPECT_NEAR(ys[2], 1.0, 1e-9);
}

TEST_F(DxfImport, SolidsAndIgnoredEntities)
{
    DxfText body;
    body.G(0, "SOLID").G(10, 0.0).G(20, 0.0).G(11, 10.0).G(21, 0.0).G(12, 0.0).G(22, 10.0)
        .G(13, 0.0).G(23, 10.0);
    body.G(0, "3DFACE").G(8, "FACES").G(10, 0.0).G(20, 0.0).G(11, 5.0).G(21, 5.0);
    body.G(0, "TRACE").G(10, 0.0).G(20, 0.0).G(11, 5.0).G(21, 5.0).G(12, 1.0).G(22, 1.0)
        .G(13, 2.0).G(23, 2.0);
    body.G(0, "HATCHX").G(8, "NOLAYER").G(10, 1.0);
    body.G(0, "CIRCLE").G(10, 3.0).G(20, 4.0).G(40, 5.0);
    body.G(0, "SOLID").G(10, 0.0).G(20, 0.0).G(11, 1.0).G(21, 0.0);   // corners missing
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    EXPECT_EQ(Lines().size(), 3u);
    auto circles = Circles();
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NEAR(circles[0].r, 5.0, kTol);
    EXPECT_EQ(m_doc->FindLayer("NOLAYER"), -1);
}

TEST_F(DxfImport, ColorNumbersBecomeColorRecords)
{
    COLORREF fallback = m_doc->GetColorValue(999);   // the default color, table untouched
    EXPECT_EQ(m_doc->m_colors.GetSize(), 0);
    DxfText body;
    double x = 0;
    for (const char* color : {"5", "1", "7", "-3", "100000"})
        body.G(0, "LINE").G(62, color).G(10, 0.0).G(20, 0.0).G(11, ++x).G(21, 1.0);
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto lines = LinesByEnd();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(PenColor(lines[0].pen), fallback);
    EXPECT_EQ(PenColor(lines[1].pen), 0u);
    EXPECT_EQ(PenColor(lines[2].pen), fallback);
    EXPECT_LE(m_doc->m_colors.GetSize(), 257);
    EXPECT_EQ(PenColor(lines[3].pen), m_doc->GetColorValue(256));
}

TEST_F(DxfImport, RefusedLayerNamesGoToTheDefaultLayerWithANotice)
{
    DxfText whole;
    whole.Section("ENTITIES").LineEnt(0, 0, 1, 1, "RN").LineEnt(0, 0, 2, 2, "A*B")
        .LineEnt(0, 0, 3, 3, "WALLS").EndSec().Eof();
    std::string path = Write(whole.Str());
    ASSERT_EQ(m_view.ReadDxfFile(CString(path.c_str())), 1);
    auto lines = LinesByEnd();
    ASSERT_EQ(lines.size(), 3u);
    // Refused names take the layer the document gives an unnamed one, the same for all.
    EXPECT_EQ(lines[0].layer, lines[1].layer);
    EXPECT_NE(LayerName(lines[0].layer), "RN");
    EXPECT_NE(LayerName(lines[1].layer), "A*B");
    EXPECT_EQ(m_doc->FindLayer("RN"), -1);
    EXPECT_EQ(LayerName(lines[2].layer), "WALLS");
    EXPECT_EQ(m_app->m_lastMessage.Std(), "レイヤ名称をデフォルト名に変更した箇所があります");

    TearDown();
    SetUp();
    DxfText clean;
    clean.Section("ENTITIES").LineEnt(0, 0, 3, 3, "WALLS").EndSec().Eof();
    ASSERT_EQ(m_view.ReadDxfFile(CString(Write(clean.Str()).c_str())), 1);
    EXPECT_NE(m_app->m_lastMessage.Std(), "レイヤ名称をデフォルト名に変更した箇所があります");
}

TEST_F(DxfImport, OverlongValues)
{
    std::string longText(1500, 'X');
    DxfText text;
    text.Section("ENTITIES").LineEnt(0, 0, 1, 1).G(0, "TEXT").G(10, 0.0).G(20, 0.0).G(40, 2.0)
        .G(1, longText).LineEnt(0, 0, 2, 2).EndSec().Eof();
    EXPECT_EQ(Import(text.Str()), 1);
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Texts().empty());

    TearDown();
    SetUp();
    DxfText layer;
    layer.Section("ENTITIES").LineEnt(0, 0, 1, 1).LineEnt(0, 0, 2, 2, longText.c_str())
        .EndSec().Eof();
    EXPECT_EQ(Import(layer.Str()), 0);
    EXPECT_EQ(Lines().size(), 1u);
}

// Value lines up to 1024 bytes (the longest text the export writes whole) are read; a longer
// one still ends the section, and a layer name that long still fails the import.
TEST_F(DxfImport, ValueLinesUpToTheLongestTextWrittenAreRead)
{
    struct Case {
        size_t length;
        bool read;
    } cases[] = {{1022, true}, {1023, true}, {1024, true}, {1025, false}};
    for (const Case& c : cases) {
        for (bool lf : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.length << " lf " << lf);
            TearDown();
            SetUp();
            const std::string text(c.length, 'T');
            DxfText f(true, lf);
            f.Section("ENTITIES").G(0, "TEXT").G(8, "0").G(10, 0.0).G(20, 0.0).G(40, 2.0)
                .G(1, text).LineEnt(0, 0, 2, 2).EndSec().Eof();
            EXPECT_EQ(Import(f.Str()), 1);
            auto texts = Texts();
            ASSERT_EQ(texts.size(), c.read ? 1u : 0u);
            EXPECT_EQ(Lines().size(), c.read ? 1u : 0u);
            if (c.read) {
                EXPECT_EQ(texts[0].text, text);
            }

            TearDown();
            SetUp();
            DxfText layer(true, lf);
            layer.Section("ENTITIES").LineEnt(0, 0, 1, 1, std::string(c.length, 'L').c_str())
                .LineEnt(0, 0, 2, 2).EndSec().Eof();
            // Long names are refused by the layer check, not by the reader.
            int replaced = 0;
            EXPECT_EQ(Import(layer.Str(), &replaced), c.read ? 1 : 0);
            EXPECT_EQ(Lines().size(), c.read ? 2u : 0u);
        }
    }
}

// Texts as long as the export writes them come back byte for byte, with what follows them.
TEST_F(DxfImport, LongestTextsSurviveExportAndImport)
{
    std::string t1023, t1024;
    for (int i = 0; i < 1023; ++i)
        t1023 += static_cast<char>('!' + i % 90);
    // A double-byte character across the 1023rd byte: the cut keeps it whole.
    t1024 = std::string(1022, 'a') + "字";
    LOGFONT lf{};
    std::strcpy(lf.lfFaceName, "Gothic");
    const std::int16_t font = m_doc->FindOrAddFont(lf, 20, 30, 1, 0.0);
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, 0, 0, 70);
    m_doc->AddLine(CPointD().Init(0, 0), CPointD().Init(10, 0), 0, pen);
    ASSERT_NE(m_doc->AddText(CPointD().Init(0, 0), CString(t1023.c_str()), 0, 8, 0, font), nullptr);
    ASSERT_NE(m_doc->AddText(CPointD().Init(0, 5), CString(t1024.c_str()), 0, 8, 0, font), nullptr);
    ASSERT_NE(m_doc->AddText(CPointD().Init(0, 9), "after", 0, 8, 0, font), nullptr);
    const std::string path = Path("round.dxf");
    ASSERT_TRUE(m_doc->WriteDxfFile(CString(path.c_str())));
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    TearDown();
    SetUp();
    ASSERT_EQ(Import(bytes), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, t1023);
    EXPECT_EQ(texts[1].text, t1024);
    EXPECT_EQ(texts[2].text, "after");
    EXPECT_EQ(Lines().size(), 1u);
}

// Layers and pens changed in place before an import (a rename, a new color) are found by their
// new values, not made again.
TEST_F(DxfImport, TablesChangedBeforeTheImportAreFoundByTheirNewValues)
{
    const std::int16_t layer = m_doc->GetLayerIndex("OLD");
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(1, 2, 3), 0, 70);
    const COLORREF color = m_doc->GetColorValue(5);
    m_doc->GetLayer(layer)->m_name = "NEW";
    m_doc->GetPen(pen)->m_color = color;
    const int layers = m_doc->m_layers.GetSize();
    const int pens = m_doc->m_pens.GetSize();
    DxfText body;
    body.G(0, "LINE").G(8, "new").G(62, "5").G(10, 0.0).G(20, 0.0).G(11, 5.0).G(21, 5.0);
    ASSERT_EQ(ImportEntities(body), 1);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].layer, layer);
    EXPECT_EQ(lines[0].pen, pen);
    EXPECT_EQ(m_doc->m_layers.GetSize(), layers);
    EXPECT_EQ(m_doc->m_pens.GetSize(), pens);
}

// A file read from disk a block at a time gives what the same bytes give when held whole, also
// where lines of every length up to the longest, with any line end, cross a block's end.
TEST_F(DxfImport, FilesReadInBlocksImportAsFilesHeldWhole)
{
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        std::string bytes = DxfText().Section("ENTITIES").Str();
        const char* ends[] = {"\r\n", "\n", "\r"};
        int i = 0;
        while (bytes.size() < (3u << 20)) {
            // Group lines with CR LF; text values with the variant's line end, lengths running
            // through 994 .. 1024 so that every offset meets the block ends.
            const std::string end = ends[(i + variant) % 3];
            bytes += "  0\r\nTEXT\r\n  8\r\n0\r\n 10\r\n" + std::to_string(i % 97) + "\r\n 20\r\n1\r\n 40\r\n2\r\n  1\r\n";
            bytes += std::string(static_cast<size_t>(994 + (i * 7 + variant) % 31), static_cast<char>('A' + i % 26)) + end;
            bytes += "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n" + std::to_string(1 + i % 50) + "\r\n 21\r\n1\r\n";
            ++i;
        }
        bytes += DxfText().EndSec().Eof().Str();

        ASSERT_EQ(Import(bytes), 1);
        const auto fileTexts = Texts();
        const auto fileLines = Lines();
        TearDown();
        SetUp();
        int replaced = 0;
        CDxfReader reader(m_doc.get(), reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<int>(bytes.size()), &replaced);
        ASSERT_EQ(reader.Run(), 1);
        const auto wholeTexts = Texts();
        const auto wholeLines = Lines();
        EXPECT_GT(wholeLines.size(), 1000u);
        ASSERT_EQ(fileTexts.size(), wholeTexts.size());
        ASSERT_EQ(fileLines.size(), wholeLines.size());
        for (size_t k = 0; k < fileTexts.size(); ++k)
            ASSERT_EQ(fileTexts[k].text, wholeTexts[k].text) << k;
        for (size_t k = 0; k < fileLines.size(); ++k)
            ASSERT_EQ(fileLines[k].x2, wholeLines[k].x2) << k;
        TearDown();
        SetUp();
    }
}

TEST_F(DxfImport, TextSizesAndAnglesBeyondTheIntegerRangeAreHeldAtItsEnds)
{
    DxfText body;
    body.G(0, "TEXT").G(8, "0").G(10, 1.0).G(20, 2.0).G(40, "1e300").G(50, "nan").G(1, "A");
    body.G(0, "TEXT").G(8, "0").G(10, 1.0).G(20, 2.0).G(40, "2.5").G(50, "-1e300").G(1, "B");
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].font->m_height, 2147483647);
    EXPECT_EQ(texts[0].font->m_logFont.lfEscapement, 0);
    EXPECT_EQ(texts[1].font->m_height, 25);
    EXPECT_EQ(texts[1].font->m_logFont.lfEscapement, 2147483647);
}

TEST_F(DxfImport, NumbersThatAreNotFiniteReadAsZero)
{
    // As a group the entity did not give: NaN, infinities and numbers past the double range.
    DxfText body;
    body.G(0, "LINE").G(8, "0").G(10, "nan").G(20, "1e999").G(11, 5.0).G(21, "-inf");
    body.G(0, "CIRCLE").G(8, "0").G(10, "infinity").G(20, 2.0).G(40, "3");
    body.G(0, "TEXT").G(8, "0").G(10, "-nan").G(20, "4").G(40, "2.5").G(1, "T");
    body.G(0, "ENDSEC");
    ASSERT_EQ(ImportEntities(body), 1);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    const std::set<std::pair<double, double>> ends{{lines[0].x1, lines[0].y1}, {lines[0].x2, lines[0].y2}};
    EXPECT_EQ(ends, (std::set<std::pair<double, double>>{{0, 0}, {5, 0}}));
    auto circles = Circles();
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].cx, 0);
    EXPECT_EQ(circles[0].cy, 2);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(std::isfinite(texts[0].x) && std::isfinite(texts[0].y));
}

TEST_F(DxfImport, MissingFileFailsWithoutAMessage)
{
    int flag = 0;
    EXPECT_EQ(m_view.ReadDxfData(CString(Path("none.dxf").c_str()), &flag), 0);
    EXPECT_TRUE(Scripted().m_messages.empty());
}

}  // namespace

// Entities of kinds the import does not know are passed over as before, and counted by kind,
// in blocks too; what closes a polyline, a block or a section is no entity.
TEST_F(DxfImport, PassedOverEntitiesAreCountedByKind)
{
    DxfText whole;
    whole.Section("BLOCKS").G(0, "BLOCK").G(8, "0").G(2, "B").G(10, 0.0).G(20, 0.0)
        .G(0, "ELLIPSE").G(8, "0").G(10, 1.0).G(20, 1.0).G(0, "ENDBLK").EndSec();
    whole.Section("ENTITIES").LineEnt(0, 0, 10, 0);
    whole.G(0, "POLYLINE").G(8, "0").G(66, "1").G(0, "VERTEX").G(10, 0.0).G(20, 0.0)
        .G(0, "VERTEX").G(10, 5.0).G(20, 0.0).G(0, "SEQEND");
    whole.G(0, "LWPOLYLINE").G(8, "0").G(90, "2").G(10, 0.0).G(20, 0.0).G(10, 1.0).G(20, 1.0);
    whole.G(0, "ELLIPSE").G(8, "0").G(10, 1.0).G(20, 1.0);
    whole.G(0, "LWPOLYLINE").G(8, "0").G(90, "2").G(10, 0.0).G(20, 0.0).G(10, 2.0).G(20, 2.0);
    whole.EndSec().Eof();
    ASSERT_EQ(Import(whole.Str()), 1);
    EXPECT_EQ(Lines().size(), 2u);
    EXPECT_EQ(m_view.m_dxfSkippedNote, "読み込めないDXF要素 4 個を省略しました：ELLIPSE 2 個、LWPOLYLINE 2 個");

    // A file naming a new kind with every entity is told about its first eight kinds.
    DxfText many;
    many.Section("ENTITIES");
    for (int k = 0; k < 10; ++k)
        many.G(0, "KIND" + std::to_string(k)).G(8, "0");
    many.EndSec().Eof();
    ASSERT_EQ(Import(many.Str()), 1);
    EXPECT_EQ(m_view.m_dxfSkippedNote,
              "読み込めないDXF要素 10 個を省略しました：KIND0 1 個、KIND1 1 個、KIND2 1 個、KIND3 1 個、"
              "KIND4 1 個、KIND5 1 個、KIND6 1 個、KIND7 1 個、ほか 2 種類");

    DxfText plain;
    plain.Section("ENTITIES").LineEnt(0, 0, 10, 0).EndSec().Eof();
    ASSERT_EQ(Import(plain.Str()), 1);
    EXPECT_TRUE(m_view.m_dxfSkippedNote.IsEmpty());
}
