// The native drawing file writer: exact bytes against the format's tables, what is chosen for
// writing and how it is numbered, oversized records, and the file on disk.
#include "NativeFileSupport.h"
#include "tests/support/PictureBytes.h"

#include "elements/Curves.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"

namespace {

std::string Pack(const NativePacker& p)
{
    return p.Get();
}

// The records every file carries after the header: layer, pen, font, origin, ratio.
NativePacker& Fixed(NativePacker& p, const std::string& layers, const std::string& pens,
                    const std::string& fonts)
{
    p.Record("layer", "", layers);
    p.Record("pen", "", pens + "\r\n");
    p.Record("font", "", fonts + "\r\n");
    p.Record("origin", "", Pack(NativePacker().Pt(0, 0).F64(0).CrLf()));
    p.Record("ratio", "", Pack(NativePacker().F64(1.0).CrLf()));
    return p;
}

} // namespace

using NativeFileWriter = NativeFileFixture;

TEST_F(NativeFileWriter, OneLineIsExactlyTheDescribedBytes)
{
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, 0, 0, 70);
    ASSERT_NE(m_doc->AddLine(P(0, 0), P(10, 5), 0, pen), nullptr);

    NativePacker want;
    want.Header();
    Fixed(want, "*0\r\n", Pack(NativePacker().Pen(0, 1, 0, 0, 70)), "");
    want.Record("line", Pack(NativePacker().U8(4).I16(0)),
                Pack(NativePacker().Pt(0, 0).Pt(10, 5).I32(0).Tail(0, -1, 0).CrLf()));
    want.Line("end");

    const std::string got = Written(m_doc.get());
    EXPECT_EQ(got.size(), 238u);
    EXPECT_EQ(got, want.Get());
}

TEST_F(NativeFileWriter, EmptyDrawingHasNoItemBlockEvenWithTheItemFlag)
{
    NativePacker want;
    want.Header();
    Fixed(want, "*0\r\n", "", "");
    want.Line("end");
    ASSERT_EQ(m_view.WriteNativeFile(PathOf("e.zel"), 1), 1);
    EXPECT_EQ(ReadFileBytes(PathOf("e.zel")), want.Get());
}

TEST_F(NativeFileWriter, MemoIsCutIntoPiecesOfEightyBytes)
{
    struct Case {
        int length;
        std::vector<int> pieces;
    } cases[] = {{0, {0}}, {80, {80}}, {81, {80, 1}}, {160, {80, 80}}, {170, {80, 80, 10}}};
    for (const Case& c : cases) {
        auto doc = NewDoc();
        std::string memo;
        for (int i = 0; i < c.length; ++i)
            memo.push_back(static_cast<char>('a' + i % 26));
        doc->m_memo.Add(CString(memo));
        NativePacker lines;
        int at = 0;
        for (int n : c.pieces) {
            lines.Line(std::string(1, ' ').append(memo, at, n));
            at += n;
        }
        NativePacker want;
        want.Header().Record("memo", "", lines.Get());
        Fixed(want, "*0\r\n", "", "").Line("end");
        EXPECT_EQ(Written(doc.get()), want.Get()) << c.length;
    }
}

TEST_F(NativeFileWriter, DeletedAndUnusedThingsAreLeftOutAndTheRestRenumbered)
{
    const std::int16_t gone = m_doc->FindOrAddPen(1, 3, 0xFF, 0, 70);
    const std::int16_t kept = m_doc->FindOrAddPen(0, 1, 0, 0, 70);
    CLines* dead = m_doc->AddLine(P(0, 0), P(1, 0), 0, gone);
    dead->m_slots[0].m_state = 0x88;

    // Group 0 is deleted; group 1 is used only as the parent of group 2.
    for (int i = 0; i < 3; ++i) {
        CGroup* g = new CGroup;
        g->m_name.Format("g%d", i);
        m_doc->m_groups.Add(g);
    }
    m_doc->GetGroup(0)->m_state = 0x88;
    m_doc->GetGroup(2)->m_parent = 1;
    CLines* lines = m_doc->AddLine(P(0, 0), P(0, 7), 0, kept);
    lines->m_slots[0].m_group = 0;   // its group is deleted: not written
    m_doc->AddLine(P(0, 0), P(0, 9), 0, kept);
    lines->m_slots[1].m_group = 2;

    const int second = m_doc->FindOrCreateLayer("hidden");
    m_doc->FindOrCreateLayer("shown");
    CZelkView view;
    view.m_document = m_doc.get();
    view.m_layerStates.SetSize(3);
    view.m_layerStates.SetAt(0, 1);   // the write layer stays "*"
    view.m_layerStates.SetAt(second, 1);
    ASSERT_EQ(view.WriteNativeFile(PathOf("s.zel"), 0), 1);

    NativePacker want;
    want.Header();
    Fixed(want, "*0\r\n-hidden\r\n+shown\r\n", Pack(NativePacker().Pen(0, 1, 0, 0, 70)), "");
    want.Record("group", "",
                Pack(NativePacker()
                         .Counted("g1").I16(0).I16(-1).I16(0).Pt(0, 0).Pt(0, 0)
                         .Counted("g2").I16(0).I16(0).I16(0).Pt(0, 0).Pt(0, 0)
                         .CrLf()));
    want.Record("line", Pack(NativePacker().U8(2).I16(0)),
                Pack(NativePacker().Pt(0, 0).Pt(0, 9).I32(0).Tail(0, 1, 0).CrLf()));
    want.Line("end");
    EXPECT_EQ(ReadFileBytes(PathOf("s.zel")), want.Get());
}

TEST_F(NativeFileWriter, OutOfRangeGroupsAndStringsAreWrittenAsAbsent)
{
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, 0, 0, 70);
    CGroup* g = new CGroup;
    g->m_parent = 7;              // no such group
    g->m_attrStrings.Add(5);      // no such string
    m_doc->m_groups.Add(g);
    CLines* b = m_doc->AddLine(P(0, 0), P(3, 0), 0, pen);
    b->m_slots[0].m_group = 0;
    b->m_slots[0].m_attrStrings.Add(9);

    NativePacker want;
    want.Header();
    Fixed(want, "*0\r\n", Pack(NativePacker().Pen(0, 1, 0, 0, 70)), "");
    want.Record("group", "",
                Pack(NativePacker().Counted("").I16(0).I16(-1).I16(0).Pt(0, 0).Pt(0, 0).CrLf()));
    want.Record("line", Pack(NativePacker().U8(1).I16(0)),
                Pack(NativePacker().Pt(0, 0).Pt(3, 0).I32(0).Tail(0, 0, 0).CrLf()));
    want.Line("end");
    EXPECT_EQ(Written(m_doc.get()), want.Get());
}

TEST_F(NativeFileWriter, LongRecordsAreSplitAndReadBackWhole)
{
    // 900 layers of 80-byte names: about 75 000 bytes of layer lines.
    for (int i = 1; i < 900; ++i) {
        CString name;
        name.Format("layer-%04d-......................................................................", i);
        m_doc->FindOrCreateLayer(name);
    }
    const std::string bytes = Written(m_doc.get());
    int records = 0;
    for (size_t at = bytes.find("layer"); at != std::string::npos; at = bytes.find("layer", at + 1)) {
        if (at >= 2 && bytes.compare(at - 2, 2, "\r\n") == 0 && bytes.compare(at, 6, "layer-") != 0)
            ++records;
    }
    EXPECT_EQ(records, 2);

    auto back = NewDoc();
    EXPECT_EQ(ReadInto(back.get(), bytes), 1);
    ASSERT_EQ(back->m_layers.GetSize(), 900);
    EXPECT_EQ(back->GetLayer(899)->m_name, m_doc->GetLayer(899)->m_name);
    EXPECT_EQ(Written(back.get(), "again.zel"), bytes);
}

TEST_F(NativeFileWriter, AnItemTooLargeForAnyRecordRefusesTheSaveAndKeepsTheOldFile)
{
    WriteFileBytes(PathOf("old.zel"), "old contents");
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, 0, 0, 70);
    std::vector<CPointD> points;
    for (int i = 0; i < 5000; ++i)
        points.push_back(P(i, i % 7));
    ASSERT_NE(m_doc->AddCurve(1, points, 0, pen), nullptr);

    EXPECT_EQ(m_view.WriteNativeFile(PathOf("old.zel"), 0), 0);
    EXPECT_EQ(ReadFileBytes(PathOf("old.zel")), "old contents");
    ASSERT_EQ(Messages().size(), 1u);
}

TEST_F(NativeFileWriter, ASaveReplacesTheOldFileAndLeavesNoTemporaryBehind)
{
    WriteFileBytes(PathOf("d.zel"), "previous");
    ASSERT_EQ(m_view.WriteNativeFile(PathOf("d.zel"), 1), 1);
    EXPECT_EQ(ReadFileBytes(PathOf("d.zel")).substr(0, 19), "Zelk data ver.01.00");
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(PathOf("d.zel.tmp~"), status));
    // A folder that does not exist cannot be written.
    EXPECT_EQ(m_view.WriteNativeFile(PathOf("no-such-folder\\d.zel"), 0), 0);
}

TEST_F(NativeFileWriter, PicturesGoOnlyIntoTheFileWithItems)
{
    // The recovery form (item flag 0) leaves the pictures out; an empty item entry is passed.
    ASSERT_NE(AddPicture(*m_doc, BmpBytes(3, 2, 0x808080), 0, 0), nullptr);
    m_doc->m_oleItems.push_back(nullptr);
    m_view.m_layerStates.SetSize(1);
    EXPECT_EQ(m_view.WriteNativeFile(PathOf("ole.zel"), 0), 1);
    EXPECT_EQ(ReadFileBytes(PathOf("ole.zel")).find("item"), std::string::npos);
    EXPECT_EQ(m_view.WriteNativeFile(PathOf("ole.zel"), 1), 1);
    EXPECT_NE(ReadFileBytes(PathOf("ole.zel")).find("item"), std::string::npos);
    m_doc->m_oleItems.pop_back();
}
