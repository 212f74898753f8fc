// The binary archive of a drawing: round trips of every element kind, groups, layers and a
// placed picture; the archives of the first version; the settings the loading changes; and
// damaged archives that must change nothing.
#include "DocTestSupport.h"

#include <cstring>
#include <functional>

#include "app/ZelkCntrItem.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypePen.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "tests/support/DrawingArchiveBytes.h"
#include "view/ZelkOleObj.h"

namespace {

typedef std::vector<BYTE> Bytes;

Bytes Store(CZelkDoc& doc) { return StoreDrawingArchive(doc); }
void Load(CZelkDoc& doc, const Bytes& bytes) { LoadDrawingArchive(doc, bytes); }

const char kCurvesDropped[] =
    "旧植え込みオブジェクトの書きなぐり線のデータは不完全のため消去しました";

class DrawingArchiveTest : public DocFixture {
protected:
    void Fill(CZelkDoc& doc) { FillSampleDrawing(doc); }
};

}  // namespace

TEST_F(DrawingArchiveTest, StoreLoadStoreIsByteIdentical)
{
    Fill(Doc());
    const Bytes first = Store(Doc());
    const char tag[] = "Zelk data ver.02.00";
    ASSERT_GT(first.size(), sizeof tag);
    EXPECT_EQ(first[0], 19);
    EXPECT_EQ(std::string(first.begin() + 1, first.begin() + 20), tag);

    CZelkDoc loaded;
    Load(loaded, first);
    EXPECT_EQ(Store(loaded), first);
    EXPECT_EQ(loaded.m_layers.GetSize(), 3);
    EXPECT_EQ(loaded.GetLayer(2)->m_name, "third");
    ASSERT_EQ(loaded.m_groups.GetSize(), 2);
    EXPECT_EQ(loaded.GetGroup(0)->m_members.size(), 2u);
    EXPECT_EQ(loaded.GetGroup(1)->m_parent, 0);
    EXPECT_EQ(loaded.GetTextElem(0, 0)->m_text, "寸法");
    EXPECT_EQ(loaded.GetTextElem(0, 0)->m_group, 1);
    ASSERT_EQ(loaded.m_objects.size(), 1u);
    ASSERT_EQ(loaded.m_oleItems.size(), 1u);
    EXPECT_EQ(loaded.m_objects[0]->m_pDocument, &loaded);
    EXPECT_EQ(loaded.m_objects[0]->m_layer, 1);
    ASSERT_EQ(loaded.m_oleItems[0]->m_placedObjects.GetSize(), 1);
    EXPECT_EQ(loaded.m_oleItems[0]->m_placedObjects[0], loaded.m_objects[0]);
    EXPECT_TRUE(Scripted().m_messages.empty());

    // The loaded maps take new elements into the loaded blocks.
    const std::int16_t solid = 1;
    CDataPoints* block = loaded.AddPoint(Pt(9, 9), 0, solid);
    EXPECT_EQ(block, loaded.PointBlockAt(0));
    EXPECT_EQ(block->m_count, 2);
}

TEST_F(DrawingArchiveTest, LoadingReplacesTheDrawingAndDropsAttributeLists)
{
    Fill(Doc());
    Doc().GetLineElem(0, 0)->m_attrStrings.Add(0);
    Doc().GetGroup(0)->m_attrStrings.Add(0);
    const Bytes bytes = Store(Doc());

    // A drawing with contents of its own, as many layers as the loaded one: all of them give
    // way to the loaded ones, in the lookups too.
    CZelkDoc target;
    target.FindOrCreateLayer("old");
    target.FindOrCreateLayer("older");
    target.FindOrCreateLayer("oldest");
    target.AddLine(Pt(7, 7), Pt(8, 8), 1, target.FindOrAddPen(0, 1, 0, 0, 70));
    Load(target, bytes);
    EXPECT_EQ(target.m_layers.GetSize(), 3);
    EXPECT_EQ(target.FindLayer("old"), -1);
    EXPECT_EQ(target.FindLayer("THIRD"), 2);
    EXPECT_EQ(target.m_lineBlocks.GetSize(), 2);
    EXPECT_EQ(target.GetLineElem(0, 0)->m_end.m_x, 3);
    EXPECT_EQ(target.GetLineElem(0, 0)->m_attrStrings.GetSize(), 0);
    EXPECT_EQ(target.GetGroup(0)->m_attrStrings.GetSize(), 0);
    EXPECT_EQ(target.m_attrStrings.GetSize(), 0);
}

TEST_F(DrawingArchiveTest, LineWidthOfTheCreationSettingsFollowsTheFirstSolidPen)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> pens;   // line type, width
        short expected;
    } cases[] = {
        {"first solid pen", {{2, 3}, {0, 7}, {0, 9}}, 7},
        {"no solid pen", {{1, 4}, {3, 5}}, 55},
        {"no pens", {}, 55},
    };
    for (const Case& c : cases) {
        CZelkDoc source;
        for (auto [type, width] : c.pens)
            source.FindOrAddPen(type, static_cast<std::int16_t>(width), 0, 0, 70);
        m_app->m_appElem.m_lineWidth = 55;
        CZelkDoc target;
        Load(target, Store(source));
        EXPECT_EQ(m_app->m_appElem.m_lineWidth, c.expected) << c.name;
    }
}

TEST_F(DrawingArchiveTest, PlacedObjectAttachesOnlyToAnItemItNames)
{
    for (int index : {1, 7, -1}) {
        Fill(Doc());
        static_cast<CZelkOleObj*>(Doc().m_objects[0])->m_itemIndex = index;
        CZelkDoc loaded;
        Load(loaded, Store(Doc()));
        ASSERT_EQ(loaded.m_oleItems.size(), 1u);
        EXPECT_EQ(loaded.m_oleItems[0]->m_placedObjects.GetSize(), 0) << index;
        m_doc = std::make_unique<CZelkDoc>();
    }
    // Attaching again does not list the object twice.
    Fill(Doc());
    CZelkDoc loaded;
    Load(loaded, Store(Doc()));
    auto* obj = static_cast<CZelkOleObj*>(loaded.m_objects[0]);
    obj->AttachToItem();
    EXPECT_EQ(loaded.m_oleItems[0]->m_placedObjects.GetSize(), 1);
}

// An archive of the first version: no point, ellipse or curve blocks, nor their maps. The
// text map has one entry per font, so `textMapEntries` above 0 makes it damaged.
Bytes FirstVersionArchive(int textMapEntries)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString("Zelk data ver.00.00A") << CString("C:\\old.zel") << CString("old");
        ar << static_cast<short>(0);
        for (double v : {0.0, 100.0, 200.0, 0.0})
            ar << v;
        CTypePen pen;
        pen.m_lineType = 0;
        pen.m_width = 12;
        CLayer layer;
        layer.m_name = "0000";
        CLines lines;
        lines.m_direction = 4;
        lines.m_count = 1;
        lines.m_pen = 0;
        lines.m_slots[0].m_start = Pt(1, 1);
        lines.m_slots[0].m_end = Pt(2, 3);
        CObArray none, pens, layers, lineBlocks;
        pens.Add(&pen);
        layers.Add(&layer);
        lineBlocks.Add(&lines);
        none.Serialize(ar);        // colors
        pens.Serialize(ar);
        none.Serialize(ar);        // fonts
        none.Serialize(ar);        // groups
        layers.Serialize(ar);
        lineBlocks.Serialize(ar);
        none.Serialize(ar);        // circles
        none.Serialize(ar);        // arcs
        none.Serialize(ar);        // texts
        CWordArray noBlock, lineMap, textMap;
        noBlock.Add(NO_BLOCK);
        lineMap.Add(0);
        for (int i = 0; i < textMapEntries; ++i)
            textMap.Add(NO_BLOCK);
        noBlock.Serialize(ar);     // horizontal lines
        noBlock.Serialize(ar);     // vertical lines
        lineMap.Serialize(ar);     // oblique lines
        noBlock.Serialize(ar);     // circles
        noBlock.Serialize(ar);     // arcs
        textMap.Serialize(ar);
        none.Serialize(ar);        // DXF blocks
        none.Serialize(ar);        // placed objects
        none.Serialize(ar);        // items
        ar.Close();
    }
    Bytes bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

TEST_F(DrawingArchiveTest, FirstVersionArchiveLoadsWithoutPointsEllipsesAndCurves)
{
    m_app->m_appElem.m_lineWidth = 1;
    CZelkDoc loaded;
    Load(loaded, FirstVersionArchive(0));
    ASSERT_EQ(Scripted().m_messages.size(), 1u);
    EXPECT_EQ(Scripted().m_messages[0].text, kCurvesDropped);
    EXPECT_EQ(loaded.m_path, "C:\\old.zel");
    EXPECT_EQ(loaded.m_pointBlocks.GetSize(), 0);
    EXPECT_EQ(loaded.m_conicBlocks.GetSize(), 0);
    EXPECT_EQ(loaded.m_curveBlocks.GetSize(), 0);
    EXPECT_EQ(loaded.GetLineElem(0, 0)->m_end.m_y, 3);
    EXPECT_EQ(loaded.m_layers.GetSize(), 1);
    EXPECT_EQ(m_app->m_appElem.m_lineWidth, 12);
    // The kinds the archive lacked still take new elements of its pen.
    EXPECT_NE(loaded.AddPoint(Pt(0, 0), 0, 0), nullptr);
    EXPECT_NE(loaded.AddCurve(1, {Pt(0, 0), Pt(1, 1)}, 0, 0), nullptr);
    EXPECT_NE(loaded.AddConic(Pt(0, 0), 1, 0.5, Pt(0, 360), 0, 0, 0), nullptr);
}

TEST_F(DrawingArchiveTest, OtherVersionTagsLoseTheirCurvesWithTheMessage)
{
    Fill(Doc());
    Bytes bytes = Store(Doc());
    bytes[19] = '1';   // "Zelk data ver.02.01"
    CZelkDoc loaded;
    Load(loaded, bytes);
    ASSERT_EQ(Scripted().m_messages.size(), 1u);
    EXPECT_EQ(Scripted().m_messages[0].text, kCurvesDropped);
    EXPECT_EQ(loaded.m_curveBlocks.GetSize(), 0);
    EXPECT_EQ(loaded.m_conicBlocks.GetSize(), 1);
    EXPECT_EQ(loaded.m_blockMaps[MAP_CURVE].GetSize(), loaded.m_pens.GetSize());
    EXPECT_NE(loaded.AddCurve(1, {Pt(0, 0), Pt(1, 1)}, 0, 1), nullptr);
}

// Whatever is damaged, the load throws the archive exception and the drawing keeps what it had.
TEST_F(DrawingArchiveTest, DamagedArchivesThrowAndChangeNothing)
{
    struct Case {
        const char* name;
        std::function<void(CZelkDoc&)> damage;
    } cases[] = {
        {"element layer", [](CZelkDoc& d) { d.GetLineElem(0, 0)->m_layer = 3; }},
        {"element group", [](CZelkDoc& d) { d.GetCircleElem(0, 0)->m_group = 2; }},
        {"block pen", [](CZelkDoc& d) { d.ArcBlockAt(0)->m_pen = 5; }},
        {"text font", [](CZelkDoc& d) { d.TextBlockAt(0)->m_pen = 1; }},
        {"write layer", [](CZelkDoc& d) { d.m_writeLayer = 3; }},
        {"group parent", [](CZelkDoc& d) { d.GetGroup(1)->m_parent = 2; }},
        {"group member slot", [](CZelkDoc& d) { d.GetGroup(0)->m_members[0].m_slot = 1; }},
        {"group member kind", [](CZelkDoc& d) { d.GetGroup(0)->m_members[0].m_kind = 64; }},
        {"map entry", [](CZelkDoc& d) { d.m_blockMaps[MAP_CIRCLE][1] = 4; }},
        {"map of another pen", [](CZelkDoc& d) { d.m_blockMaps[MAP_CIRCLE][0] = 0; }},
        {"map of another direction", [](CZelkDoc& d) { d.m_blockMaps[MAP_LINE_H][0] = 0; }},
        {"map size", [](CZelkDoc& d) { d.m_blockMaps[MAP_ARC].Add(NO_BLOCK); }},
        {"line direction", [](CZelkDoc& d) { d.LineBlockAt(1)->m_direction = 3; }},
        {"placed object layer", [](CZelkDoc& d) { d.m_objects[0]->m_layer = -1; }},
        {"object in two lists", [](CZelkDoc& d) { d.m_colors.Add(d.GetPen(0)); }},
        {"wrong class", [](CZelkDoc& d) { d.m_layers.Add(d.m_oleItems[0]); }},
        {"null entry", [](CZelkDoc& d) { d.m_fonts.Add(nullptr); }},
    };
    for (const Case& c : cases) {
        CZelkDoc source;
        Fill(source);
        c.damage(source);
        const Bytes bytes = Store(source);
        // Entries added only to damage the archive are not the source's to free.
        source.m_colors.RemoveAll();
        if (source.m_layers.GetSize() > 3)
            source.m_layers.RemoveAt(3);
        if (source.m_fonts.GetSize() > 1)
            source.m_fonts.RemoveAt(1);

        CZelkDoc target;
        const std::int16_t pen = target.FindOrAddPen(0, 1, 0, 0, 70);
        target.AddLine(Pt(7, 7), Pt(8, 8), 0, pen);
        EXPECT_THROW(Load(target, bytes), CArchiveException) << c.name;
        EXPECT_EQ(target.m_layers.GetSize(), 1) << c.name;
        EXPECT_EQ(target.GetLineElem(0, 0)->m_start.m_x, 7) << c.name;
        EXPECT_EQ(target.m_pens.GetSize(), 1) << c.name;
    }
    // A cut archive, wherever cut, throws as well.
    Fill(Doc());
    const Bytes whole = Store(Doc());
    for (size_t n = 0; n < whole.size(); n += 97) {
        CZelkDoc target;
        EXPECT_THROW(Load(target, Bytes(whole.begin(), whole.begin() + n)), CArchiveException) << n;
    }
}

TEST_F(DrawingArchiveTest, ADrawingWithoutLayersRoundTrips)
{
    // What a new document of the framework holds before its first layer is made.
    Doc().FreeElementStore();
    ASSERT_EQ(Doc().m_layers.GetSize(), 0);
    const Bytes bytes = Store(Doc());
    CZelkDoc loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.m_layers.GetSize(), 0);
    EXPECT_EQ(Store(loaded), bytes);
    Doc().m_writeLayer = 1;
    CZelkDoc damaged;
    EXPECT_THROW(Load(damaged, Store(Doc())), CArchiveException);
}
