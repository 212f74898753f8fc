// DXF import of block definitions: insertion with rotation and scale, nested insertions,
// dimension blocks, block layers, names across imports, and the archived block.
#include "tests/formats/DxfReaderTestSupport.h"

#include <functional>

#include "formats/Block.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

namespace {

constexpr double kTol = 1e-6;

DxfText& BeginBlock(DxfText& f, const char* name, double bx, double by, const char* layer = "0")
{
    return f.G(0, "BLOCK").G(8, layer).G(2, name).G(70, "0").G(10, bx).G(20, by).G(30, 0.0);
}

DxfText& Insert(DxfText& f, const char* name, double x, double y, double sx, double sy, double r,
                const char* layer = "0")
{
    return f.G(0, "INSERT").G(8, layer).G(2, name).G(10, x).G(20, y).G(41, sx).G(42, sy).G(50, r);
}

// Block "B" with base (10,0) holding the line (10,0)-(20,0) and an arc 0..90 about the base.
std::string BlockFile(std::initializer_list<std::tuple<double, double, double, double, double>> inserts)
{
    DxfText f;
    f.Section("BLOCKS");
    BeginBlock(f, "B", 10, 0).G(0, "LINE").G(8, "BL").G(10, 10.0).G(20, 0.0).G(11, 20.0).G(21, 0.0);
    f.G(0, "ARC").G(8, "BL").G(10, 10.0).G(20, 0.0).G(40, 5.0).G(50, 0.0).G(51, 90.0);
    f.G(0, "ENDBLK").G(8, "0").EndSec();
    f.Section("ENTITIES");
    for (auto& [x, y, sx, sy, r] : inserts)
        Insert(f, "B", x, y, sx, sy, r, "INS");
    f.EndSec().Eof();
    return f.Str();
}

TEST_F(DxfImport, InsertTurnsThenScalesInDrawingAxes)
{
    struct Case {
        double sx, sy, r;
        double x2, y2;
        double a, b;
    } cases[] = {{1, 1, 90, 100, 110, 90, 180},
                 {2, 1, 90, 100, 110, 90, 180},
                 {2, 1, 0, 120, 100, 0, 90},
                 {1, 1, 300, 105, 100 - 8.660254037844386, 300, 390},
                 {1, 1, -30, 108.660254037844386, 95, 330, 420}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sx << " " << c.sy << " " << c.r);
        TearDown();
        SetUp();
        ASSERT_EQ(Import(BlockFile({{100, 100, c.sx, c.sy, c.r}})), 1);
        auto lines = Lines();
        ASSERT_EQ(lines.size(), 1u);
        // The stored line may be reversed; compare the set of its ends.
        double ax = lines[0].x1, ay = lines[0].y1, bx = lines[0].x2, by = lines[0].y2;
        if (std::fabs(ax - 100) > kTol || std::fabs(ay - 100) > kTol) {
            std::swap(ax, bx);
            std::swap(ay, by);
        }
        EXPECT_NEAR(ax, 100, kTol);
        EXPECT_NEAR(ay, 100, kTol);
        EXPECT_NEAR(bx, c.x2, kTol);
        EXPECT_NEAR(by, c.y2, kTol);
        auto arcs = Arcs();
        ASSERT_EQ(arcs.size(), 1u);
        EXPECT_NEAR(arcs[0].a, c.a, kTol);
        EXPECT_NEAR(arcs[0].b, c.b, kTol);
        EXPECT_NEAR(arcs[0].r, 5 * c.sx, kTol);
        EXPECT_EQ(m_doc->m_auxList2.GetSize(), 1);
    }
}

TEST_F(DxfImport, BlockLayerSettingChoosesRecordOrInsertLayer)
{
    for (int setting : {1, 0}) {
        TearDown();
        SetUp();
        m_app->m_appElem.m_dxfBlockLayer = setting;
        ASSERT_EQ(Import(BlockFile({{0, 0, 1, 1, 0}})), 1);
        auto lines = Lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(LayerName(lines[0].layer), setting ? "BL" : "INS");
        EXPECT_EQ(LayerName(Arcs()[0].layer), setting ? "BL" : "INS");
    }
}

TEST_F(DxfImport, BlockTextHeightsFollowTheInsertScale)
{
    DxfText f;
    f.Section("BLOCKS");
    BeginBlock(f, "T", 0, 0);
    f.G(0, "TEXT").G(10, 1.0).G(20, 0.0).G(40, 2.5).G(1, "\\U+2205A").G(50, 10.0);
    f.G(0, "TEXT").G(10, 2.0).G(20, 0.0).G(40, 0.0).G(1, "B");
    f.G(0, "ENDBLK").EndSec();
    f.Section("ENTITIES");
    Insert(f, "T", 0, 0, 1, 2, 20);
    f.EndSec().Eof();
    ASSERT_EQ(Import(f.Str()), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    for (const TextV& t : texts) {
        SCOPED_TRACE(t.text);
        EXPECT_EQ(t.font->m_height, 50);
        EXPECT_EQ(t.alignment, 8);
    }
    const TextV& first = texts[0].text == "φA" ? texts[0] : texts[1];
    EXPECT_EQ(first.text, "φA");
    EXPECT_NEAR(first.font->m_angle, 30.0, kTol);   // the text's 10 plus the insertion's 20
    EXPECT_EQ(first.font->m_width, static_cast<int>(10 * 0.875 * 2.5));
}

TEST_F(DxfImport, NestedInsertCopiesRecordsOnItsLayer)
{
    DxfText f;
    f.Section("BLOCKS");
    BeginBlock(f, "INNER", 0, 0).G(0, "LINE").G(8, "L1").G(10, 0.0).G(20, 0.0).G(11, 1.0).G(21, 0.0);
    f.G(0, "ENDBLK");
    BeginBlock(f, "OUTER", 0, 0);
    Insert(f, "INNER", 5, 5, 2, 2, 90, "NEST");
    Insert(f, "OUTER", 0, 0, 1, 1, 0);   // itself: not followed
    Insert(f, "LATER", 0, 0, 1, 1, 0);   // defined below: nothing
    f.G(0, "ENDBLK");
    BeginBlock(f, "LATER", 0, 0).G(0, "POINT").G(10, 3.0).G(20, 3.0).G(0, "ENDBLK").EndSec();
    f.Section("ENTITIES");
    Insert(f, "OUTER", 100, 0, 1, 1, 0);
    f.EndSec().Eof();
    ASSERT_EQ(Import(f.Str()), 1);
    ASSERT_EQ(m_doc->m_dxfBlocks.GetSize(), 3);
    const CBlock* outer = static_cast<const CBlock*>(m_doc->m_dxfBlocks[1]);
    ASSERT_EQ(outer->m_lines.GetSize(), 1);
    EXPECT_EQ(outer->m_points.GetSize(), 0);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(LayerName(lines[0].layer), "NEST");
    double ys[2] = {lines[0].y1, lines[0].y2};
    std::sort(ys, ys + 2);
    EXPECT_NEAR(lines[0].x1, 105, kTol);
    EXPECT_NEAR(lines[0].x2, 105, kTol);
    EXPECT_NEAR(ys[0], 5, kTol);
    EXPECT_NEAR(ys[1], 7, kTol);
}

TEST_F(DxfImport, DimensionTextGoesMiddleCentredToItsTextPoint)
{
    DxfText f;
    f.Section("BLOCKS");
    BeginBlock(f, "*D0", 0, 0).G(0, "LINE").G(10, 0.0).G(20, 0.0).G(11, 50.0).G(21, 0.0);
    f.G(0, "TEXT").G(10, 20.0).G(20, 2.0).G(40, 2.5).G(1, "50");
    f.G(0, "ENDBLK").EndSec();
    f.Section("ENTITIES");
    f.G(0, "DIMENSION").G(8, "0").G(2, "*D0").G(10, 50.0).G(20, 10.0).G(11, 25.0).G(21, 12.0)
        .G(70, "0");
    f.EndSec().Eof();
    ASSERT_EQ(Import(f.Str()), 1);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].alignment, 38);
    EXPECT_NEAR(texts[0].x, 25, kTol);
    EXPECT_NEAR(texts[0].y, 12, kTol);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(std::fabs(lines[0].x2 - lines[0].x1), 50, kTol);
    const CBlock* block = static_cast<const CBlock*>(m_doc->m_dxfBlocks[0]);
    EXPECT_EQ(block->m_dimType, 0);
}

TEST_F(DxfImport, InsertFindsTheBlockOfItsOwnImportFirst)
{
    auto file = [](double end) {
        DxfText f;
        f.Section("BLOCKS");
        BeginBlock(f, "B", 0, 0).G(0, "LINE").G(10, 0.0).G(20, 0.0).G(11, end).G(21, 0.0);
        f.G(0, "ENDBLK").EndSec().Section("ENTITIES");
        Insert(f, "B", 0, 10, 1, 1, 0);
        return f.EndSec().Eof().Str();
    };
    ASSERT_EQ(Import(file(1)), 1);
    ASSERT_EQ(Import(file(2)), 1);
    auto lines = LinesByEnd();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(std::max(lines[0].x1, lines[0].x2), 1, kTol);
    EXPECT_NEAR(std::max(lines[1].x1, lines[1].x2), 2, kTol);

    // A name only an earlier import defined still finds that block.
    DxfText only;
    only.Section("ENTITIES");
    Insert(only, "B", 0, 20, 1, 1, 0);
    ASSERT_EQ(Import(only.EndSec().Eof().Str()), 1);
    EXPECT_EQ(Lines().size(), 3u);
}

TEST_F(DxfImport, UnknownBlockMakesNothingAndNoLayer)
{
    DxfText f;
    f.Section("ENTITIES");
    Insert(f, "MISSING", 0, 0, 1, 1, 0, "GHOST");
    ASSERT_EQ(Import(f.EndSec().Eof().Str()), 1);
    EXPECT_EQ(m_doc->FindLayer("GHOST"), -1);
    EXPECT_EQ(m_doc->m_auxList2.GetSize(), 0);
}

TEST_F(DxfImport, ArchivedBlockKeepsNameBaseAndDimensionTypeOnly)
{
    CBlock block;
    block.m_name = "BOLT";
    block.m_base.Init(1.5, -2.0);
    block.m_dimType = 160;
    for (int i = 0; i < 5; ++i)
        block.m_lines.Add(new CBlkLine);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        block.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CBlock loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(loaded.m_name.Std(), "BOLT");
    EXPECT_DOUBLE_EQ(loaded.m_base.m_x, 1.5);
    EXPECT_DOUBLE_EQ(loaded.m_base.m_y, -2.0);
    EXPECT_EQ(loaded.m_dimType, 160);
    EXPECT_EQ(loaded.RecordCount(), 0);
    // name (1 + 4), point (16), reserved (2), type (4)
    EXPECT_EQ(file.GetLength(), 27u);
}

}  // namespace

namespace {

// A file defining block "B" (base at the origin) from the entities body writes, inserted once
// at (x, y).
std::string BlockBInsertedOnce(const std::function<void(DxfText&)>& body, double x, double y)
{
    DxfText f;
    f.Section("BLOCKS");
    BeginBlock(f, "B", 0, 0);
    body(f);
    f.G(0, "ENDBLK").G(8, "0").EndSec();
    f.Section("ENTITIES");
    Insert(f, "B", x, y, 1, 1, 0);
    return f.EndSec().Eof().Str();
}

// Entities the import does not know (an ellipse, a hatch named after its pattern) carry group
// codes 2, 10 and 20 of their own; the block keeps the name and base point of its header.
TEST_F(DxfImport, UnknownEntitiesInABlockLeaveItsNameAndBasePoint)
{
    auto ellipse = [](DxfText& f) {
        f.G(0, "ELLIPSE").G(8, "0").G(10, 0.0).G(20, -470.0).G(30, 0.0).G(11, 300.0).G(21, 0.0)
            .G(31, 0.0).G(40, 0.5).G(41, 0.0).G(42, 6.283185307179586);
    };
    auto hatch = [](DxfText& f) {
        f.G(0, "HATCH").G(8, "0").G(10, 0.0).G(20, 0.0).G(30, 0.0).G(2, "SOLID").G(70, "1")
            .G(71, "0").G(91, "1").G(92, "1").G(93, "2").G(72, "1").G(10, 5.0).G(20, -9.0)
            .G(11, 6.0).G(21, -9.0).G(97, "0").G(75, "0").G(76, "1").G(98, "0");
    };
    auto line = [](DxfText& f) { f.LineEnt(0, 0, 10, 0); };
    struct Case {
        const char* what;
        std::function<void(DxfText&)> body;
    } cases[] = {
        {"ellipse after the line", [&](DxfText& f) { line(f); ellipse(f); }},
        {"hatch after the line", [&](DxfText& f) { line(f); hatch(f); }},
        {"ellipse before the line", [&](DxfText& f) { ellipse(f); line(f); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        ASSERT_EQ(Import(BlockBInsertedOnce(c.body, 0, 0)), 1);
        auto lines = Lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NEAR(lines[0].y1, 0, kTol);
        EXPECT_NEAR(lines[0].y2, 0, kTol);
        EXPECT_NEAR(std::fabs(lines[0].x2 - lines[0].x1), 10, kTol);
        ASSERT_EQ(m_doc->m_dxfBlocks.GetSize(), 1);
        const CBlock* block = static_cast<const CBlock*>(m_doc->m_dxfBlocks[0]);
        EXPECT_EQ(block->m_name.Std(), "B");
        EXPECT_EQ(block->m_base.m_x, 0.0);
        EXPECT_EQ(block->m_base.m_y, 0.0);
        EXPECT_EQ(block->m_lines.GetSize(), 1);
    }
}

// The group codes of an unknown entity are passed over with their values: a value that spells
// a code or an entity name is not taken as one, and a file cut inside a coordinate still fails.
TEST_F(DxfImport, UnknownEntityValuesInABlockAreNotReadAsCodes)
{
    ASSERT_EQ(Import(BlockBInsertedOnce(
                  [](DxfText& f) {
                      f.G(0, "MTEXT").G(8, "0").G(1, "  0").G(3, "LINE").G(10, 7.0).G(20, 7.0);
                      f.LineEnt(0, 0, 0, 4);
                  },
                  1, 1)),
              1);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].x1, 1, kTol);
    EXPECT_NEAR(lines[0].x2, 1, kTol);

    TearDown();
    SetUp();
    DxfText cut;
    cut.Section("BLOCKS");
    BeginBlock(cut, "B", 0, 0);
    cut.G(0, "ELLIPSE").G(8, "0").Line(" 10");
    EXPECT_EQ(Import(cut.Str()), 0);
}

TEST_F(DxfImport, InsertsStopAddingAKindOnceTheDrawingHasNoBlockLeftForIt)
{
    // Every point block the drawing can hold, each on a pen of its own.
    for (int i = 0; i < NO_BLOCK; ++i) {
        const std::int16_t pen = m_doc->FindOrAddPen(100 + i, 1, 0, 0, 70);
        ASSERT_NE(m_doc->AddPoint(CPointD().Init(i, 0), 0, pen), nullptr);
    }
    DxfText f;
    f.Section("BLOCKS");
    BeginBlock(f, "P", 0, 0);
    for (int i = 0; i < 3; ++i)
        f.G(0, "POINT").G(8, "0").G(10, double(i)).G(20, 0.0);
    f.G(0, "LINE").G(8, "0").G(10, 0.0).G(20, 0.0).G(11, 5.0).G(21, 5.0);
    f.G(0, "ENDBLK").G(8, "0").EndSec();
    f.Section("ENTITIES");
    for (int i = 0; i < 40; ++i)
        Insert(f, "P", 10.0 * i, 100, 1, 1, 0);
    f.EndSec().Eof();
    Scripted().m_beeps.clear();
    ASSERT_EQ(Import(f.Str()), 1);
    // The first refused point says so once; the other 119 are not tried. Lines still come.
    EXPECT_EQ(Scripted().m_beeps.size(), 1u);
    EXPECT_EQ(m_doc->m_pointBlocks.GetSize(), NO_BLOCK);
    EXPECT_EQ(Lines().size(), 40u);
}

}  // namespace
