// Box selection and group processing: the processor's reset and its flags, the copy of loaded
// symbol data, the selection collected from the marks, the layers and attribute strings of
// copies, the copy pitch, the guidance of every step, and the add-copy family.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/ElemRef.h"
#include "input/InputEvent.h"
#include "input/PatternGroup.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "tests/support/CommandTape.h"
#include "view/ZelkView.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

const char* const kBoxPrompt =
    "[箱選択] 【箱選択|要素選択】【(Ctrl+)点、点ドラッグ、Ctrl+Enter、X|Shift+T、(Shift+)G、色｜線種｜フォント、DEL】>"
    "(移動)コピー、ミラー(移動)、レイヤ移動、マルチ、グループ、属性、消去 ";
const char* const kDeformPrompt = "[変形] 【基準点】 方向変更 変形先位置点|長さ";

class GroupTape : public testing::Test {
protected:
    void TearDown() override
    {
        // The tape's application must not free a drawing a test owns.
        App().m_symbolDoc = nullptr;
    }
    CZelkApp& App() { return m_tape.App(); }
    CZelkDoc& Doc() { return m_tape.Doc(); }
    CGroupProcessor& Group() { return *App().m_groupProcessor; }
    static std::int16_t PenOf(CZelkDoc& doc) { return doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70); }
    // A line of the drawing with its block and slot.
    static CLine& AddLine(CZelkDoc& doc, CPointD a, CPointD b, int layer = 0, int* block = nullptr,
                          int* slot = nullptr)
    {
        CLines* lines = doc.AddLine(a, b, static_cast<std::int16_t>(layer), PenOf(doc));
        if (block)
            *block = doc.m_lineBlocks.GetSize() - 1;
        if (slot)
            *slot = lines->m_count - 1;
        return lines->m_slots[lines->m_count - 1];
    }
    // A new group of the drawing, its number out.
    static CGroup& AddGroup(CZelkDoc& doc, int& number, int parent = -1)
    {
        auto* group = new CGroup;
        group->m_parent = static_cast<std::int16_t>(parent);
        doc.m_groups.Add(group);
        number = doc.m_groups.GetSize() - 1;
        return *group;
    }
    static std::vector<std::string> Refs(const CPtrArray& list)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list.GetSize(); ++i) {
            const auto* r = static_cast<const CElemRef*>(list[i]);
            out.push_back(std::to_string(r->m_kind) + ":" + std::to_string(r->m_block) + ":" +
                          std::to_string(r->m_slot) + " mark " + std::to_string(r->m_mark));
        }
        return out;
    }
    // Lines of the drawing carrying the selection mark.
    int SelectedLines()
    {
        int n = 0;
        for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b) {
            const auto* lines = static_cast<const CLines*>(Doc().m_lineBlocks[b]);
            for (int s = 0; s < lines->m_count; ++s)
                n += (lines->m_slots[s].m_mark & MARK_SELECTED) ? 1 : 0;
        }
        return n;
    }
    int Beeps() const { return static_cast<int>(DefaultScriptedServices().m_beeps.size()); }

    CCommandTape m_tape;
};

} // namespace

// The processor as start-up makes it: detached, the copy pattern, the first box-selection
// texts and its two tables.
TEST(GroupProcessor, MadeAsStartUpMakesIt)
{
    CGroupProcessor g;
    g.CreateElemSet();
    g.BuildPatternGroups();
    g.BuildAcceptedPatterns();
    EXPECT_EQ(g.m_document, nullptr);
    EXPECT_EQ(g.modePattern, "PP");
    EXPECT_EQ(g.m_moveFlag, 0);
    EXPECT_EQ(g.m_preset, 0);
    EXPECT_EQ(g.m_prompt, "[箱選択] 【箱選択|要素選択】 選択終了【Enter|右ボタンクリック】で群処理へ 【DEL】 で消去");
    EXPECT_EQ(g.m_hint, "[箱選択] 追加､除去要素を左ボタンで箱､クリック選択｡Enter|右ボタンで終了､DELで消去｡");
    ASSERT_EQ(g.m_patternGroups.GetSize(), 9);
    EXPECT_EQ(static_cast<const CPatternGroup*>(g.m_patternGroups[5])->name, "malti_txt");
    EXPECT_EQ(static_cast<const CPatternGroup*>(g.m_patternGroups[0])->patterns.GetSize(), 4);
    ASSERT_EQ(g.m_acceptedPatterns.GetSize(), 14);
    EXPECT_EQ(g.m_acceptedPatterns[6], "APP");
    EXPECT_EQ(g.m_elemSet.operationCount, 1);
}

// A left drag over two lines selects them and opens group processing on the drawing; the view's
// DRAG items then choose the operation beforehand, and the guidance names that operation alone.
TEST_F(GroupTape, ABoxSelectionThenACopyOrAMoveChosenFromTheViewMenu)
{
    AddLine(Doc(), At(0, 0), At(10, 0));
    AddLine(Doc(), At(0, 5), At(10, 5));
    AddLine(Doc(), At(50, 50), At(60, 50));   // outside the box

    const CCommandRow& box = m_tape.Box(At(-5, -5), At(15, 10));
    EXPECT_EQ(box.groupProcessing, 1);
    EXPECT_EQ(box.groupTokens, "");
    EXPECT_EQ(box.groupMode, "PP");
    EXPECT_EQ(box.groupPreset, 0);
    EXPECT_EQ(Group().m_document, &Doc());
    EXPECT_EQ(SelectedLines(), 2);
    Group().m_elemSet.Clear();
    EXPECT_EQ(Group().CollectSelection(), 1);
    EXPECT_EQ(Refs(Group().m_elemSet.elements), (std::vector<std::string>{ "4:0:0 mark 2", "4:0:1 mark 2" }));
    EXPECT_DOUBLE_EQ(Group().m_elemSet.textBlockSize.m_x, 10.0);
    EXPECT_DOUBLE_EQ(Group().m_elemSet.textBlockSize.m_y, 5.0);

    const CCommandRow& copy = m_tape.GroupMenu("(回転)コピー");
    EXPECT_EQ(copy.groupMode, "PP");
    EXPECT_EQ(copy.groupMove, 0);
    EXPECT_EQ(copy.groupPreset, 1);
    EXPECT_EQ(copy.prompt, "[(回転)コピー] 【基準点】 配置点");
    EXPECT_EQ(copy.hint, "基準点を右クリックで入力します。");

    const CCommandRow& move = m_tape.GroupMenu("(回転)移動");
    EXPECT_EQ(move.groupMove, 1);
    EXPECT_EQ(move.prompt, "[(回転)移動] 【基準点】 配置点");
    EXPECT_EQ(SelectedLines(), 2);
}

// Reset clears the inputs and the set but keeps the mode pattern; detached it touches no drawing,
// attached it shows the guidance while the preset flag of the ending operation still holds.
TEST_F(GroupTape, ResetKeepsTheModeAndShowsTheGuidanceBeforeItDropsThePreset)
{
    CGroupProcessor& g = Group();
    auto dirty = [&] {
        g.modePattern = "APQ";
        g.m_tokenString = "AP";
        g.m_savedTokenString = "A";
        g.m_inputPoints[1].SetBoth(At(4, 4));
        g.m_values[2].value = 3.0;
        g.m_values[2].flag = 14;
        g.m_stepDocuments[2] = &Doc();
        g.m_stepNotes.Add("note");
        g.m_macroPlay = 1;
        g.m_macroTargetPattern = "APQ";
        g.m_preset = 1;
        g.m_macroWaitsForEnter = 1;
        g.m_elemSet.AddElement(nullptr, ELEM_LINE, 0, 0, 1, 2);
        App().m_appElem.m_mask = 0x08;
    };
    auto expectClean = [&](const char* mode) {
        EXPECT_EQ(g.modePattern, mode);
        EXPECT_TRUE(g.m_tokenString.IsEmpty());
        EXPECT_TRUE(g.m_savedTokenString.IsEmpty());
        EXPECT_DOUBLE_EQ(g.m_inputPoints[1].point.m_x, 0.0);
        EXPECT_EQ(g.m_values[2].flag, 0);
        EXPECT_EQ(g.m_stepDocuments[2], nullptr);
        EXPECT_EQ(g.m_stepNotes.GetSize(), 0);
        EXPECT_EQ(g.m_macroPlay, 0);
        EXPECT_TRUE(g.m_macroTargetPattern.IsEmpty());
        EXPECT_EQ(g.m_preset, 0);
        EXPECT_EQ(g.m_macroWaitsForEnter, 0);
        EXPECT_EQ(g.m_elemSet.elements.GetSize(), 0);
        EXPECT_EQ(App().m_appElem.m_mask, 0);
    };

    // Detached: only fields; the application's guidance stays as it was.
    dirty();
    App().m_prompt = "before";
    Doc().m_previewKind = 4;
    g.Reset(0);
    expectClean("APQ");
    EXPECT_EQ(g.m_prompt, kBoxPrompt);
    EXPECT_EQ(App().m_prompt, "before");
    EXPECT_EQ(Doc().m_previewKind, 4);
    EXPECT_EQ(g.m_document, nullptr);

    // The active view's drawing in its deform selection gives the deform box texts.
    Doc().m_deformMode = 1;
    g.Reset(0);
    EXPECT_EQ(g.m_prompt, "[変形箱選択] 【箱選択|要素選択】【基準点】 方向変更 変形先位置点|長さ");
    EXPECT_EQ(g.m_hint, "[変形箱選択] 追加､除去要素を左ボタンで箱､クリック選択｡右クリックで変形の基準点");

    // Attached, neither preset nor moving: the deform guidance follows and reaches the
    // application; the first step starts at the drawing's input point.
    g.modePattern = "PP";
    g.AttachTo(&Doc());
    Doc().m_groupProcessing = 1;
    Doc().m_inputPoint.SetPoint(At(7, 8));
    g.Reset(0);
    EXPECT_EQ(g.m_prompt, kDeformPrompt);
    EXPECT_EQ(App().m_prompt, kDeformPrompt);
    EXPECT_EQ(Doc().m_previewKind, 0);
    EXPECT_DOUBLE_EQ(g.m_inputPoints[0].reference.m_y, 8.0);
    EXPECT_DOUBLE_EQ(g.m_savedInputPoints[0].point.m_x, 7.0);
    EXPECT_EQ(g.m_document, &Doc());

    // With the preset flag still set the guidance names the chosen copy; then the flag goes.
    Doc().m_deformMode = 0;
    dirty();
    g.modePattern = "PP";
    g.Reset(0);
    expectClean("PP");
    EXPECT_EQ(g.m_prompt, "[(回転)コピー] 【基準点】 配置点");
    EXPECT_EQ(g.modePattern, "PP");

    g.Reset(1);
    EXPECT_EQ(g.m_document, nullptr);
}

// Loaded symbol data: everything selected, the copy begun with the base point at the relative
// origin and the drawing scale posted as a ratio; data with groups only is refused.
TEST_F(GroupTape, ASymbolAtScaleTwoIsCopiedFromItsRelativeOrigin)
{
    CZelkDoc symbol;
    symbol.m_bAutoDelete = FALSE;
    symbol.m_ratio = 2.0;
    symbol.m_relOrigin = At(3, 4);
    symbol.AddPoint(At(1, 1), 0, PenOf(symbol));
    AddLine(symbol, At(0, 0), At(5, 0));
    int number = 0;
    AddGroup(symbol, number);
    App().m_symbolDoc = &symbol;
    App().m_appAcc.m_digits1 = 6;

    EXPECT_EQ(symbol.StartCopyOfLoadedData(1), 1);
    EXPECT_EQ(static_cast<const CDataPoints*>(symbol.m_pointBlocks[0])->m_slots[0].m_mark, 2);
    EXPECT_EQ(static_cast<const CLines*>(symbol.m_lineBlocks[0])->m_slots[0].m_mark, 2);
    EXPECT_EQ(symbol.GetGroup(0)->m_mark, 2);
    EXPECT_EQ(symbol.m_groupProcessing, 1);
    CGroupProcessor& g = Group();
    EXPECT_EQ(g.m_document, &symbol);
    EXPECT_EQ(g.modePattern, "PP");
    EXPECT_EQ(g.m_preset, 1);
    EXPECT_EQ(g.m_moveFlag, 0);
    EXPECT_DOUBLE_EQ(symbol.m_inputPoint.point.m_x, 3.0);
    EXPECT_DOUBLE_EQ(symbol.m_inputPoint.point.m_y, 4.0);
    // The last input the processor took is the scale, as a typed ratio.
    EXPECT_EQ(g.m_lastInputKind, 3);
    EXPECT_EQ(g.m_lastInputSubCode, 14);
    EXPECT_EQ(App().m_lastMessage, "シンボルのコピーモードに入りました(解除ESC) 尺度2を反映しました");
    EXPECT_EQ(App().m_lastResultMessage, " 尺度2を反映しました");
    g.ShowGuidance();
    EXPECT_EQ(g.m_prompt, "[シンボル] 【基準点】 配置点");
    g.Reset(1);

    CZelkDoc groupsOnly;
    groupsOnly.m_bAutoDelete = FALSE;
    AddGroup(groupsOnly, number);
    App().m_symbolDoc = &groupsOnly;
    const int beeps = Beeps();
    EXPECT_EQ(groupsOnly.StartCopyOfLoadedData(1), 0);
    EXPECT_EQ(App().m_lastMessage, "このファイルにはデータがありません");
    EXPECT_EQ(Beeps(), beeps + 1);
    EXPECT_EQ(g.m_document, nullptr);
    EXPECT_EQ(groupsOnly.m_groupProcessing, 0);
}

// What the marks give: outermost selected groups once, nested ones unmarked, loose elements,
// deform crossing lines by their end mark; deleted and crossing-state elements never.
TEST_F(GroupTape, CollectedSelectionFollowsTheMarksAndTheGroups)
{
    struct Case {
        const char* name;
        void (*build)(CZelkDoc& doc);
        int result;
        std::vector<std::string> inside, startMoving, endMoving;
    };
    const Case cases[] = {
        { "a selected group inside a selected group",
          [](CZelkDoc& doc) {
              int outer = 0, inner = 0;
              AddGroup(doc, outer).m_mark = 2;
              AddGroup(doc, inner, outer).m_mark = 2;
              CLine& a = AddLine(doc, At(0, 0), At(10, 0));
              a.m_group = static_cast<std::int16_t>(outer);
              a.m_mark = 2;
              CLine& b = AddLine(doc, At(0, 5), At(10, 5));
              b.m_group = static_cast<std::int16_t>(inner);
              b.m_mark = 2;
          },
          1, { "1:1:0 mark 0", "1:0:0 mark 2" }, {}, {} },
        { "a deform box that only crosses lines",
          [](CZelkDoc& doc) {
              doc.m_deformMode = 1;
              AddLine(doc, At(0, 0), At(10, 0)).m_mark = MARK_FIRST_END;
              AddLine(doc, At(0, 5), At(10, 5)).m_mark = MARK_SECOND_END;
              AddLine(doc, At(0, 9), At(10, 9));
          },
          2, {}, { "4:0:0 mark 4" }, { "4:0:1 mark 8" } },
        { "deleted and crossing-state elements",
          [](CZelkDoc& doc) {
              CLine& gone = AddLine(doc, At(0, 0), At(10, 0));
              gone.m_mark = 2;
              gone.m_state = 0x88;
              CLine& held = AddLine(doc, At(0, 5), At(10, 5));
              held.m_mark = 2;
              held.m_state = 0x05;
              doc.AddPoint(At(1, 1), 0, PenOf(doc))->m_slots[0].m_state = 0x08;
              doc.GetPointElem(0, 0)->m_mark = 2;
          },
          0, {}, {}, {} },
        { "a selected element of an unselected group",
          [](CZelkDoc& doc) {
              int number = 0;
              AddGroup(doc, number);
              CLine& a = AddLine(doc, At(0, 0), At(10, 0));
              a.m_group = static_cast<std::int16_t>(number);
              a.m_mark = 2;
              AddLine(doc, At(0, 5), At(10, 5)).m_group = static_cast<std::int16_t>(number);
          },
          1, { "4:0:0 mark 2" }, {}, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZelkDoc doc;
        doc.m_bAutoDelete = FALSE;
        c.build(doc);
        CGroupProcessor processor(&doc);
        EXPECT_EQ(processor.CollectSelection(), c.result);
        EXPECT_EQ(Refs(processor.m_elemSet.elements), c.inside);
        EXPECT_EQ(Refs(processor.m_elemSet.startOnlyLines), c.startMoving);
        EXPECT_EQ(Refs(processor.m_elemSet.endOnlyLines), c.endMoving);
    }
    CGroupProcessor detached;
    EXPECT_EQ(detached.CollectSelection(), 0);
}

// The layer condition decides where copies land: one new layer per source layer, the write
// layer, or the target's layer of the same name in any letter case.
TEST_F(GroupTape, CopiesLandOnLayersByTheLayerCondition)
{
    CZelkDoc& source = Doc();
    const std::int16_t wall = source.FindOrCreateLayer("wall");
    const std::int16_t pipe = source.FindOrCreateLayer("Pipe");
    const std::int16_t base = 0;
    CGroupProcessor& g = Group();
    g.AttachTo(&source);
    const std::int16_t selection[] = { wall, pipe, base, wall, pipe, wall };

    // New layers: exactly one per source layer, each copy of one source layer on the same one.
    // Each copy lands before the next element is mapped, as in a copy operation.
    for (std::int16_t layer : selection)
        AddLine(source, At(0, layer), At(10, layer), layer);
    App().m_appElem.m_layerCondition = 2;
    const int layers = source.m_layers.GetSize();
    CWordArray map;
    map.SetSize(source.m_layers.GetSize());
    std::vector<int> landed;
    for (std::int16_t layer : selection) {
        landed.push_back(g.MapLayer(map, layer));
        AddLine(source, At(20, layer), At(30, layer), landed.back());
    }
    EXPECT_EQ(source.m_layers.GetSize(), layers + 3);
    EXPECT_EQ(landed[0], landed[3]);
    EXPECT_EQ(landed[0], landed[5]);
    EXPECT_EQ(landed[1], landed[4]);
    EXPECT_NE(landed[0], landed[1]);
    EXPECT_NE(landed[1], landed[2]);
    EXPECT_GE(landed[2], layers);

    // The write layer, nothing mapped.
    App().m_appElem.m_layerCondition = 0;
    source.m_writeLayer = pipe;
    CWordArray none;
    none.SetSize(source.m_layers.GetSize());
    EXPECT_EQ(g.MapLayer(none, wall), pipe);
    for (int i = 0; i < none.GetSize(); ++i)
        EXPECT_EQ(none[i], 0);

    // Across drawings by name: "WALL" is found, "Pipe" made.
    CZelkDoc target;
    target.m_bAutoDelete = FALSE;
    const std::int16_t targetWall = target.FindOrCreateLayer("WALL");
    const int targetLayers = target.m_layers.GetSize();
    g.m_stepDocuments[1] = &target;
    App().m_appElem.m_layerCondition = 1;
    CWordArray named;
    named.SetSize(source.m_layers.GetSize());
    EXPECT_EQ(g.MapLayer(named, wall), targetWall);
    const std::int16_t made = g.MapLayer(named, pipe);
    EXPECT_EQ(target.m_layers.GetSize(), targetLayers + 1);
    EXPECT_EQ(target.GetLayer(made)->m_name, "Pipe");
    EXPECT_EQ(g.MapLayer(named, pipe), made);
    EXPECT_EQ(target.m_layers.GetSize(), targetLayers + 1);
    g.Reset(1);
}

// A copy carries its source's attribute strings: linked to the target's string of the same text
// in another letter case, appended where the target has none, and listed among the carriers so
// that a save keeps the string once the source is gone.
TEST_F(GroupTape, CopiesCarryTheirAttributeStrings)
{
    CZelkDoc& source = Doc();
    source.m_attrStrings.Add(new CDataString("Valve"));
    source.m_attrStrings.Add(new CDataString("steel"));
    int block = 0, slot = 0;
    CLine& original = AddLine(source, At(0, 0), At(10, 0), 0, &block, &slot);
    original.LinkAttributeString(&source, block, slot, 0);
    original.LinkAttributeString(&source, block, slot, 1);

    CZelkDoc target;
    target.m_bAutoDelete = FALSE;
    target.m_attrStrings.Add(new CDataString("other"));
    target.m_attrStrings.Add(new CDataString("VALVE"));
    CGroupProcessor& g = Group();
    g.AttachTo(&source);
    g.m_stepDocuments[1] = &target;
    std::int16_t copyBlock = -1, copySlot = -1;
    CLines* copies = g.AddLineCopy(&target, At(0, 10), At(10, 10), 0, copyBlock, copySlot);
    ASSERT_NE(copies, nullptr);
    g.CopyLineAttributes(&source, &target, static_cast<CLines*>(source.m_lineBlocks[block]), block, slot, copies,
                         copyBlock, copySlot);
    const CLine& copy = copies->m_slots[copySlot];
    ASSERT_EQ(target.m_attrStrings.GetSize(), 3);
    EXPECT_EQ(target.GetString(2)->m_text, "steel");
    ASSERT_EQ(copy.m_attrStrings.GetSize(), 2);
    EXPECT_EQ(copy.m_attrStrings[0], 1);
    EXPECT_EQ(copy.m_attrStrings[1], 2);
    ASSERT_EQ(target.GetString(1)->m_refs.size(), 1u);
    const CElemRef& carrier = target.GetString(1)->m_refs[0];
    EXPECT_EQ(carrier.m_kind, ELEM_LINE);
    EXPECT_EQ(carrier.m_block, copyBlock);
    EXPECT_EQ(carrier.m_slot, copySlot);

    // Without strings nothing is made.
    std::int16_t bareBlock = -1, bareSlot = -1;
    CLines* bare = g.AddLineCopy(&target, At(0, 20), At(10, 20), 0, bareBlock, bareSlot);
    CLine& plain = AddLine(source, At(0, 30), At(10, 30), 0, &block, &slot);
    g.CopyLineAttributes(&source, &target, static_cast<CLines*>(source.m_lineBlocks[block]), block, slot, bare,
                         bareBlock, bareSlot);
    EXPECT_EQ(plain.m_attrStrings.GetSize(), 0);
    EXPECT_EQ(bare->m_slots[bareSlot].m_attrStrings.GetSize(), 0);
    EXPECT_EQ(target.m_attrStrings.GetSize(), 3);

    // A point copied within its drawing, the source deleted, and the drawing saved and read back.
    CDataPoints* points = source.AddPoint(At(5, 5), 0, PenOf(source));
    const int pointBlock = source.m_pointBlocks.GetSize() - 1;
    const int pointSlot = points->m_count - 1;
    points->m_slots[pointSlot].LinkAttributeString(&source, pointBlock, pointSlot, 1);
    g.m_stepDocuments[1] = &source;
    std::int16_t pb = -1, ps = -1;
    CDataPoints* moved = g.AddPointCopy(&source, At(50, 5), 0, pb, ps);
    ASSERT_NE(moved, nullptr);
    g.CopyPointAttributes(&source, &source, points, pointBlock, pointSlot, moved, pb, ps);
    EXPECT_EQ(moved->m_slots[ps].m_attrStrings.GetSize(), 1);
    points->m_slots[pointSlot].m_state = 136;
    original.m_state = 136;
    const CString path = ProgramFolder() + "carried.zel";
    CZelkView writer;
    writer.m_document = &source;
    writer.m_layerStates.SetSize(source.m_layers.GetSize());
    ASSERT_EQ(writer.WriteNativeFile(path, 0), 1);
    CZelkDoc read;
    read.m_bAutoDelete = FALSE;
    ASSERT_EQ(read.LoadNativeFile(path), 1);
    bool steelKept = false;
    for (int i = 0; i < read.m_attrStrings.GetSize(); ++i)
        steelKept |= read.GetString(i)->m_text == "steel";
    EXPECT_TRUE(steelKept);
    g.Reset(1);
}

// The pitch from two step points: exact in the set, rounded for the message and the recorded
// values, which carry the pitch marks 8 and 9.
TEST_F(GroupTape, CopyPitchIsShownRoundedAndKeptExact)
{
    CGroupProcessor& g = Group();
    App().m_appAcc.m_digits1 = 3;
    const struct {
        CPointD from, to;
        const char* message;
        double x, y, shownX, shownY;
    } cases[] = {
        { At(10, 10), At(25, 10), "コピーの間隔 ( 15, 0) を設定しました", 15, 0, 15, 0 },
        { At(0, 0), At(1.0 / 3.0, -2), "コピーの間隔 ( 0.333, -2) を設定しました", 1.0 / 3.0, -2, 0.333, -2 },
        { At(4, 4), At(4, 4), "コピーの間隔 ( 0, 0) を設定しました", 0, 0, 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        g.m_elemSet.Clear();
        g.m_inputPoints[1].SetPoint(c.from);
        g.m_inputPoints[2].SetPoint(c.to);
        g.SetCopyInterval(1, 2);
        EXPECT_EQ(App().m_lastMessage, c.message);
        EXPECT_DOUBLE_EQ(g.m_elemSet.linePitch.m_x, c.x);
        EXPECT_DOUBLE_EQ(g.m_elemSet.linePitch.m_y, c.y);
        EXPECT_EQ(g.m_elemSet.textsLaidOut, 1);
        EXPECT_DOUBLE_EQ(g.m_values[3].value, c.shownX);
        EXPECT_DOUBLE_EQ(g.m_values[4].value, c.shownY);
        EXPECT_EQ(g.m_values[3].flag, 8);
        EXPECT_EQ(g.m_values[4].flag, 9);
    }
    // A cleared set forgets the pitch.
    g.m_elemSet.Clear();
    EXPECT_EQ(g.m_elemSet.textsLaidOut, 0);
}

// Every choice of the guidance: the token string, the mode pattern and the move, preset,
// symbol-copy and deform states.
TEST_F(GroupTape, GuidanceFollowsTokensModeAndFlags)
{
    enum : unsigned { Move = 1, Preset = 2, Symbol = 4, Deform = 8 };
    const char* const base = "基準点を右クリックで入力します。";
    const char* const deformHint = "変形の基準点を右クリックで入力します。デフォルトの方向がセットされますが変更できます。";
    const char* const placeTail =
        " 【配置点】 【角度|点ドラッグ|角度要素】 【数n】 【拡縮率r】 【ピッチ箱･サイズ箱はダブルクリック点】";
    const std::string placeMove = "配置点を右クリックで入力すると移動。角度､数､拡縮率の更新可能。複数配置ピッチ箱始点･サイズ箱始点は右ダブルクリック。";
    const std::string placeCopy = "配置点を右クリックで入力するとコピー。角度､数､拡縮率の更新可能。複数配置ピッチ箱始点･サイズ箱始点は右ダブルクリック。";
    const char* const mirrorHint = "軸の角度を、数値または右ドラッグで入力します。角度は次のステップで変更できます。";
    const char* const axisCopy = "[ミラーコピー] 軸の角度は再入力できます。通過点を右クリックすると軸の位置が決まります。";
    const char* const passCopy = "[ミラーコピー] 軸の角度は再入力､第２通過点の右クリックで変更可能｡Enterでミラーコピー実行｡";
    const char* const multiHint = "配置点を右クリックで入力するとコピー。角度､拡縮率の更新可能。複数配置ピッチ箱始点･サイズ箱始点は右ダブルクリック。";
    const struct {
        const char* tokens;
        const char* mode;
        unsigned flags;
        std::string prompt, hint;
    } rows[] = {
        { "", "PP", Move | Preset | Symbol, "[(回転)移動] 【基準点】 配置点", base },
        { "", "PP", Symbol | Preset | Deform, "[シンボル] 【基準点】 配置点", base },
        { "", "PP", Preset | Deform, "[(回転)コピー] 【基準点】 配置点", base },
        { "", "PP", Deform, kDeformPrompt, deformHint },
        { "", "PP", 0, "[(回転)コピー|移動] 【基準点|Ctrl+基準点|Ctrl+Enter】 配置点|Ctrl+配置点",
          "基準点を右クリックで入力します。Ctrl+点で移動、Ctrl+Enterでレイヤ移動" },
        { "", "APQ", Move | Preset, "[ミラー移動] 軸の【角度|点ドラッグ】 軸の通過点 実行Enter", mirrorHint },
        { "", "APQ", Preset, "[ミラーコピー] 軸の【角度|点ドラッグ】 軸の通過点 実行Enter", mirrorHint },
        { "", "APQ", 0, "[ミラーコピー、ミラー移動] 軸の【角度|点ドラッグ】 軸の通過点|Ctrl+通過点　実行Enter",
          "軸の角度を、数値または右ドラッグで入力します。角度は次のステップでも変更できます。" },
        { "ZLD", "ZP", 0, kDeformPrompt, deformHint },
        { "Q", "Q", 0, "[属性変更] 属性を変更して【Enter】", "色や線種などの属性を変更してから、Enterで実行します。" },
        { "APQ", "G", 0, "", "" },
        { "P", "PP", Move | Preset, std::string("[(回転)移動] 基準点") + placeTail, placeMove },
        { "PP", "PP", Move | Symbol, std::string("[(回転)移動] Ctrl+基準点") + placeTail, placeMove },
        { "PBP", "PP", Symbol | Preset, std::string("[シンボル] 基準点") + placeTail, placeCopy },
        { "PBB", "PP", Preset | Deform, std::string("[(回転)コピー] 基準点") + placeTail, placeCopy },
        { "P", "PP", Deform, kDeformPrompt, deformHint },
        { "P", "PP", 0,
          "[(回転)コピー|移動] 基準点 【配置点|Ctrl+配置点】 【角度|点ドラッグ|角度要素】 【数n】 【拡縮率r】 【ピッチ箱･サイズ箱はダブルクリック点】",
          "配置点を右クリックで入力するとコピー。Ctrl+配置点で移動。角度､数､拡縮率の更新可能。複数配置ピッチ箱始点･サイズ箱始点は右ダブルクリック。" },
        { "P", "MP", 0, "kept", "kept" },
        { "PB", "PP", Move, "[(回転)移動のピッチ設定、サイズ設定] ピッチ始点 【ピッチ点】 【サイズ箱終点ダブルクリック】",
          "右クリックで複数配置のピッチを設定します。右ダブルクリックでサイズ箱終点となります。" },
        { "PB", "PP", Preset, "[(回転)コピーのサイズ設定] ピッチ始点 【ピッチ点】 【サイズ箱終点ダブルクリック】",
          "右クリックで複数配置のピッチを設定します。右ダブルクリックでサイズ箱が設定されます。" },
        { "Z", "ZP", 0, "[変形] 基準点 【基準線分|角度|点ドラッグ】 【変形先位置点】",
          "変形方向は線分の左クリック､角度の入力で変更可能。変形位置点の右クリックで変形を実行します｡" },
        { "ZL", "ZP", 0, "[変形] 基準点 【基準線分】 【長さ|変形先位置点】",
          "方向は線分の再入力で変更可能。長さの数値入力､変形位置点の右クリックで変形を実行。操作戻りは画面を空左クリックしてからスペースキー。" },
        { "Z", "PP", 0, "kept", "kept" },
        { "A", "APQ", Move, "[ミラー移動] 【角度|角度要素|点ドラッグ】 【軸の通過点】 Enter",
          "[ミラー移動] 軸の角度は再入力できます。通過点を右クリックすると軸の位置が決まります。" },
        { "A", "APQ", Preset, "[ミラーコピー] 【角度|角度要素|点ドラッグ】 【軸の通過点】 Enter", axisCopy },
        { "A", "APQ", 0, "[ミラーコピー] 【角度|角度要素|点ドラッグ】 【(Ctrl+)軸の通過点】 Enter", axisCopy },
        { "AP", "APQ", Move, "[ミラー移動] 【角度|角度要素|点ドラッグ|第２通過点】【Enter】",
          "[ミラー移動] 軸の角度は再入力､第２通過点の右クリックで変更可能。Enterでミラー移動を実行。" },
        { "AP", "APQ", Preset, "[ミラーコピー] 軸の【角度|角度要素|点ドラッグ|第２通過点】【Enter】", passCopy },
        { "AP", "APQ", 0, "[ミラーコピー|移動] 軸の【角度|角度要素|点ドラッグ|第２通過点】【(Ctrl+)Enter】", passCopy },
        { "APP", "APQ", Move, "[ミラー移動] 軸の【角度|角度要素|点ドラッグ|第２通過点】【Enter】",
          "[ミラー移動] 軸の角度は再入力や第２通過点の右クリックで変更可能。Enterでミラー移動を実行。" },
        { "APP", "APQ", Preset, "[ミラーコピー] 軸の【角度|角度要素|点ドラッグ|第２通過点】【Enter】", passCopy },
        { "M", "MP", 0,
          "[マルチテキスト] 【配置点】 【角度|点ドラッグ|角度要素】 【拡縮率r】 【ピッチ箱･サイズ箱はダブルクリック点】",
          multiHint },
        { "MBB", "MP", Move,
          "[マルチテキスト] 【配置点】 【角度|点ドラッグ|角度要素】 【拡縮率r】 【ピッチ箱･サイズ箱はダブルクリック点】",
          multiHint },
        { "MB", "MP", 0, "[マルチテキストのサイズ設定] 【ピッチ点】 【箱終点ダブルクリック】",
          "右クリックで文字列のピッチを設定します。右ダブルクリックでサイズ箱が設定されます。" },
        { "MP", "MP", 0, "kept", "kept" },
        { "X", "PP", 0, "kept", "kept" },
    };
    CGroupProcessor& g = Group();
    g.AttachTo(&Doc());
    Doc().m_groupProcessing = 1;
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.tokens) + " / " + r.mode + " / " + std::to_string(r.flags));
        g.m_tokenString = r.tokens;
        g.modePattern = r.mode;
        g.m_moveFlag = (r.flags & Move) ? 1 : 0;
        g.m_preset = (r.flags & Preset) ? 1 : 0;
        App().m_symbolDoc = (r.flags & Symbol) ? &Doc() : nullptr;
        Doc().m_deformMode = (r.flags & Deform) ? 1 : 0;
        g.m_prompt = "kept";
        g.m_hint = "kept";
        g.ShowGuidance();
        EXPECT_EQ(std::string(g.m_prompt.GetString()), r.prompt);
        EXPECT_EQ(std::string(g.m_hint.GetString()), r.hint);
        EXPECT_EQ(App().m_prompt, g.m_prompt);
    }
    App().m_symbolDoc = nullptr;
    Doc().m_deformMode = 0;

    // Detached, nothing is shown.
    CGroupProcessor detached;
    detached.m_prompt = "kept";
    detached.ShowGuidance();
    EXPECT_EQ(detached.m_prompt, "kept");
}

// Played by a macro, only the prompt changes, to the macro's prompt of the step; the hint of
// the step before stays.
TEST_F(GroupTape, InMacroPlayThePromptFollowsTheMacroList)
{
    CGroupProcessor& g = Group();
    g.AttachTo(&Doc());
    g.modePattern = "PP";
    g.m_macroPlay = 1;
    g.GetMacroPrompts("PP", g.m_stepNotes);
    ASSERT_EQ(g.m_stepNotes.GetSize(), 2);
    const struct {
        const char* tokens;
        CString prompt;
    } rows[] = {
        { "", g.m_stepNotes[0] },
        { "P", g.m_stepNotes[1] },
        { "PP", g.m_stepNotes[0] },
        { "PBP", g.m_stepNotes[1] },
        { "PB", "Macro[(回転)コピー|移動 のピッチ･サイズ設定] 基準点 設定始点 【ピッチ終点クリック】 【サイズ終点ダブルクリック】" },
        { "MB", "Macro[マルチテキストのピッチ･サイズ設定]  設定始点 【ピッチ終点クリック】 【サイズ終点ダブルクリック】" },
        { "ZLDQ", "" },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tokens);
        g.m_tokenString = r.tokens;
        g.m_hint = "previous hint";
        g.ShowGuidance();
        EXPECT_EQ(g.m_prompt, r.prompt);
        EXPECT_EQ(g.m_hint, "previous hint");
    }
    EXPECT_EQ(g.m_stepNotes[1],
              "Macro[(回転)コピー|移動] 基準点  【角度|点ドラッグ|角度要素】【数n】【拡縮率r】【設定点ダブルクリック】【(Ctrl+)配置点】");
}

// The macro prompts fill only the steps that are still empty; a pattern without prompts of its
// own leaves its steps empty.
TEST_F(GroupTape, MacroPromptsFillTheEmptySteps)
{
    const CGroupProcessor& g = Group();
    CStringArray prompts;
    prompts.Add("mine");
    g.GetMacroPrompts("ZLD", prompts);
    ASSERT_EQ(prompts.GetSize(), 3);
    EXPECT_EQ(prompts[0], "mine");
    EXPECT_EQ(prompts[2], "Macro[変形] 基準点 【基準線分】 【長さ|変形位置点】");
    CStringArray layerMove;
    g.GetMacroPrompts("Y", layerMove);
    ASSERT_EQ(layerMove.GetSize(), 1);
    EXPECT_EQ(layerMove[0], "Macro[レイヤ移動] 【箱選択して レイヤ条件を現／新に変更　Ctrl+Enter】");
    CStringArray none;
    g.GetMacroPrompts("PBB", none);
    ASSERT_EQ(none.GetSize(), 3);
    EXPECT_TRUE(none[0].IsEmpty() && none[1].IsEmpty() && none[2].IsEmpty());
}

// The add-copy family: nothing without a document or when the creation log refuses the element;
// in the selected element's environment the source pen, blur included, becomes and stays current.
TEST_F(GroupTape, AddCopiesTakeTheSourcePenAndReportARefusal)
{
    CZelkDoc& doc = Doc();
    const std::int16_t blurred = doc.FindOrAddPen(2, 5, RGB(0, 0, 255), 3, 40);
    const std::int16_t sharp = doc.FindOrAddPen(0, 1, RGB(255, 0, 0), 0, 0);
    std::int16_t block = 0, slot = 0;

    CGroupProcessor detached;
    EXPECT_EQ(detached.AddPointCopy(&doc, At(1, 1), sharp, block, slot), nullptr);
    EXPECT_EQ(block, -1);

    CGroupProcessor& g = Group();
    g.AttachTo(&doc);
    EXPECT_EQ(g.AddLineCopy(&doc, At(2, 2), At(2, 2), sharp, block, slot), nullptr);
    EXPECT_EQ(block, -1);

    CAppElem& e = App().m_appElem;
    e.m_creationEnv = 1;
    e.m_blurMode = 0;
    CLines* lines = g.AddLineCopy(&doc, At(0, 0), At(5, 0), blurred, block, slot);
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines, doc.m_lineBlocks[block]);
    EXPECT_EQ(e.m_blurMode, 1);
    EXPECT_EQ(e.m_blurCount, 3);
    EXPECT_EQ(e.m_blurRate, 40);
    EXPECT_EQ(e.m_lineType, 2);
    EXPECT_EQ(doc.GetPen(lines->m_pen)->m_blurCount, 3);
    // The pen stays current for what is drawn next.
    CDataPoints* points = g.AddPointCopy(&doc, At(9, 9), -1, block, slot);
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(doc.GetPen(points->m_pen)->m_color, RGB(0, 0, 255));
    g.AddCircleCopy(&doc, At(0, 0), 3, sharp, block, slot);
    EXPECT_EQ(e.m_blurMode, 0);

    // Outside that environment the current pen is left alone.
    e.m_creationEnv = 0;
    g.AddArcCopy(&doc, At(0, 0), 3, 0, 90, blurred, block, slot);
    EXPECT_EQ(e.m_blurMode, 0);
    EXPECT_NE(g.AddConicCopy(&doc, At(0, 0), 4, 0.5, 0, 360, 30, sharp, block, slot), nullptr);
    g.Reset(1);
}

// A text copy in the selected element's environment takes the source font, alignment, color
// and scaled size, on the layer given; the text settings come back afterwards.
TEST_F(GroupTape, TextCopiesTakeTheSourceFontOnTheGivenLayer)
{
    CZelkDoc& doc = Doc();
    const std::int16_t layer = doc.FindOrCreateLayer("notes");
    CText model;
    model.m_color = RGB(0, 128, 0);
    model.m_alignment = 14;
    CTypeFont font;
    font.m_width = 30;
    font.m_height = 40;
    CAppText& settings = App().m_appText;
    const int widthBefore = settings.m_widthTenths;
    const int anchorBefore = settings.m_anchor;
    const std::int16_t writeLayer = doc.m_writeLayer;
    CGroupProcessor& g = Group();
    g.AttachTo(&doc);
    App().m_appElem.m_creationEnv = 1;
    std::int16_t block = -1, slot = -1;
    CTexts* texts = g.AddTextCopy(&doc, model, At(1, 2), "copy", font, -1, 0.0, 2.0, layer, block, slot);
    ASSERT_NE(texts, nullptr);
    const CText& text = texts->m_slots[slot];
    EXPECT_EQ(text.m_text, "copy");
    EXPECT_EQ(text.m_layer, layer);
    EXPECT_EQ(text.m_alignment, 14);
    EXPECT_EQ(text.m_color, RGB(0, 128, 0));
    EXPECT_EQ(doc.GetFont(texts->m_pen)->m_width, 60);
    EXPECT_EQ(doc.GetFont(texts->m_pen)->m_height, 80);
    EXPECT_EQ(doc.m_writeLayer, writeLayer);
    EXPECT_EQ(settings.m_widthTenths, widthBefore);
    EXPECT_EQ(settings.m_anchor, anchorBefore);
    EXPECT_EQ(App().m_appElem.m_color, RGB(0, 128, 0));
    g.Reset(1);
}
