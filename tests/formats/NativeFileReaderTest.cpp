// The native drawing file reader: a full round trip, the layouts of the older data versions
// from hand-assembled files, recovery from damage, and reading into a drawing that already
// holds groups and attribute strings.
#include "NativeFileSupport.h"

#include "app/ZelkCntrItem.h"

#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

std::string Pack(const NativePacker& p)
{
    return p.Get();
}

bool HasRef(const std::vector<CElemRef>& refs, int kind, int block, int slot, int state, int mark)
{
    return std::any_of(refs.begin(), refs.end(), [&](const CElemRef& r) {
        return r.m_kind == kind && r.m_block == block && r.m_slot == slot && r.m_state == state &&
               r.m_mark == mark;
    });
}

void Carry(CZelkDoc& doc, int string, int kind, int block, int slot)
{
    CElemRef ref;
    ref.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block),
             static_cast<std::int16_t>(slot), 1, 0);
    doc.GetString(string)->m_refs.push_back(ref);
}

// A drawing holding every element kind, a group inside a group and two attribute strings.
void Fill(CZelkDoc& d)
{
    d.m_headerName = "部品図";
    d.m_renewalDate1 = "2026/12/10";
    d.m_loadedDates[0] = "改訂";
    d.m_creationDate = "2026/01/02";
    d.m_memo.Add("メモ");
    d.m_relOrigin = P(5, -6);
    d.m_relAngle = 30;
    d.m_ratio = 0.02;
    const int layerB = d.FindOrCreateLayer("B");
    const std::int16_t pen0 = d.FindOrAddPen(0, 1, 0, 0, 70);
    const std::int16_t pen1 = d.FindOrAddPen(3, 5, 0x00FF00, 2, 50);
    LOGFONT lf{};
    lf.lfHeight = -35;
    lf.lfEscapement = 300;
    lf.lfWeight = 400;
    lf.lfCharSet = 128;
    std::strcpy(lf.lfFaceName, "ＭＳ 明朝");
    const std::int16_t font = d.FindOrAddFont(lf, 20, 35, 1, -30.0);

    CGroup* outer = new CGroup;
    outer->m_name = "寸法";
    outer->m_kind = 2;
    outer->m_defPoint1 = P(1, 2);
    outer->m_defPoint2 = P(3, 4);
    d.m_groups.Add(outer);
    CGroup* inner = new CGroup;
    inner->m_name = "inner";
    inner->m_parent = 0;
    d.m_groups.Add(inner);
    int a = -1, b = -1, mode = 0;
    CString ta = "A", tb = "B";
    d.FindOrAddAttributeString(ta, a, mode);
    d.FindOrAddAttributeString(tb, b, mode);
    outer->m_attrStrings.Add(static_cast<WORD>(b));
    Carry(d, b, 1, 0, 0);

    CDataPoints* pts = d.AddPoint(P(1, 1), 0, pen0);
    pts->m_slots[0].m_group = 1;
    pts->m_slots[0].m_role = 3;
    pts->m_slots[0].m_attrStrings.Add(static_cast<WORD>(a));
    Carry(d, a, 2, 0, 0);
    CLines* lines = d.AddLine(P(10, 0), P(0, 5), static_cast<std::int16_t>(layerB), pen1);
    lines->m_slots[0].m_group = 0;
    lines->m_slots[0].m_role = 1;
    d.AddCircle(P(2, 3), 4.5, 0, pen0);
    d.AddArc(P(0, 0), 2, P(30, 120), 0, pen0);
    d.AddConic(P(1, 1), 5, 0.5, P(0, 360), 15, 0, pen1);
    d.AddCurve(1, {P(0, 0), P(1, 1), P(2, 0)}, 0, pen0);
    CTexts* texts = d.AddText(P(7, 8), "文字列", 0xFF, 14, 0, font);
    texts->m_slots[0].m_group = 1;
    texts->m_slots[0].m_attrStrings.Add(static_cast<WORD>(b));
    Carry(d, b, 32, 0, 0);
}

} // namespace

using NativeFileReader = NativeFileFixture;

TEST_F(NativeFileReader, RoundTripKeepsEverythingAndIsAFixpoint)
{
    Fill(*m_doc);
    const std::string first = Written(m_doc.get());

    auto back = NewDoc();
    ASSERT_EQ(ReadInto(back.get(), first), 1);
    EXPECT_EQ(Written(back.get(), "second.zel"), first);

    CZelkDoc& d = *back;
    EXPECT_EQ(d.m_headerName, "部品図");
    EXPECT_EQ(d.m_renewalDate1, "2026/12/10");
    EXPECT_EQ(d.m_loadedDates[0], "改訂");
    EXPECT_EQ(d.m_renewalDate2, "");   // the empty date does not gain a blank
    EXPECT_EQ(d.m_creationDate, "2026/01/02");
    ASSERT_EQ(d.m_memo.GetSize(), 1);
    EXPECT_EQ(d.m_memo.GetAt(0), "メモ");
    EXPECT_EQ(d.m_ratio, 0.02);
    EXPECT_EQ(d.m_relAngle, 30);
    ASSERT_EQ(d.m_layers.GetSize(), 2);
    EXPECT_EQ(d.GetLayer(1)->m_name, "B");

    const CTypeFont* f = d.GetFont(d.TextBlockAt(0)->m_pen);
    EXPECT_STREQ(f->m_logFont.lfFaceName, "ＭＳ 明朝");
    EXPECT_EQ(f->m_angle, -30.0);
    EXPECT_EQ(f->m_height, 35);
    EXPECT_EQ(f->m_width, 20);
    const CTypePen* pen = d.GetPen(d.LineBlockAt(0)->m_pen);
    EXPECT_EQ(pen->m_lineType, 3);
    EXPECT_EQ(pen->m_blurRate, 50);

    const CLine& line = d.LineBlockAt(0)->m_slots[0];
    EXPECT_EQ(line.m_layer, 1);
    EXPECT_EQ(line.m_group, 0);
    EXPECT_EQ(line.m_role, 1);
    EXPECT_EQ(d.TextBlockAt(0)->m_slots[0].m_text, "文字列");
    EXPECT_EQ(d.CurveBlockAt(0)->m_slots[0].m_points.size(), 3u);

    ASSERT_EQ(d.m_groups.GetSize(), 2);
    const CGroup* outer = d.GetGroup(0);
    const CGroup* inner = d.GetGroup(1);
    EXPECT_EQ(outer->m_name, "寸法");
    EXPECT_EQ(outer->m_defPoint2.m_y, 4);
    EXPECT_EQ(inner->m_parent, 0);
    EXPECT_TRUE(HasRef(outer->m_members, 4, 0, 0, 1, 0));
    // The sub-group's reference carries the parent's state and mark.
    EXPECT_TRUE(HasRef(outer->m_members, 1, 1, 0, outer->m_state, outer->m_mark));
    EXPECT_TRUE(HasRef(inner->m_members, 2, 0, 0, 1, 0));
    EXPECT_TRUE(HasRef(inner->m_members, 32, 0, 0, 1, 0));
    ASSERT_EQ(d.m_attrStrings.GetSize(), 2);
    EXPECT_TRUE(HasRef(d.GetString(0)->m_refs, 2, 0, 0, 1, 0));
    EXPECT_TRUE(HasRef(d.GetString(1)->m_refs, 1, 0, 0, outer->m_state, outer->m_mark));
    EXPECT_TRUE(HasRef(d.GetString(1)->m_refs, 32, 0, 0, 1, 0));
}

// One small file per data version, assembled from the layouts of that version.
TEST_F(NativeFileReader, OlderVersionsReadWithTheirOwnLayouts)
{
    // "00.00C": 8-byte pens, line items of 40 bytes with no role and no attribute list.
    {
        auto d = NewDoc();
        NativePacker f;
        f.Header("00.00C").Record("layer", "", "*0\r\n");
        f.Record("pen", "", Pack(NativePacker().I16(2).I16(3).I32(0x123456).CrLf()));
        f.Record("group", "", Pack(NativePacker().Counted("g").I16(0).I16(-1).CrLf()));
        const std::string item = Pack(NativePacker().Pt(0, 0).Pt(4, 0).I32(1).I16(0).I16(0));
        ASSERT_EQ(item.size(), 40u);
        f.Record("line", Pack(NativePacker().U8(1).I16(0)), item + "\r\n").Line("end");
        ASSERT_EQ(ReadInto(d.get(), f.Get()), 1);
        const CLine& l = d->LineBlockAt(0)->m_slots[0];
        EXPECT_EQ(l.m_group, 0);
        EXPECT_EQ(l.m_role, 0);
        EXPECT_EQ(l.m_swapped, 1);
        EXPECT_EQ(l.m_attrStrings.GetSize(), 0);
        const CTypePen* p = d->GetPen(d->LineBlockAt(0)->m_pen);
        EXPECT_EQ(p->m_lineType, 2);
        EXPECT_EQ(p->m_blurRate, 70);
        EXPECT_EQ(d->m_dataVersion, "00.00C");
    }
    // "01.00": the same line is 44 bytes, with role and attribute list.
    {
        auto d = NewDoc();
        NativePacker f;
        f.Header().Record("layer", "", "*0\r\n");
        f.Record("pen", "", Pack(NativePacker().Pen(0, 1, 0, 0, 70).CrLf()));
        f.Record("string", "", Pack(NativePacker().Counted("S").CrLf()));
        const std::string item = Pack(NativePacker().Pt(0, 0).Pt(4, 0).I32(0).Tail(0, -1, 5, {0}));
        ASSERT_EQ(item.size(), 46u);
        f.Record("line", Pack(NativePacker().U8(1).I16(0)), item + "\r\n").Line("end");
        ASSERT_EQ(ReadInto(d.get(), f.Get()), 1);
        const CLine& l = d->LineBlockAt(0)->m_slots[0];
        EXPECT_EQ(l.m_role, 5);
        ASSERT_EQ(l.m_attrStrings.GetSize(), 1);
        EXPECT_TRUE(HasRef(d->GetString(0)->m_refs, 4, 0, 0, 1, 0));
    }
    // "00.00G": role and attributes in items, groups without definition points.
    {
        auto d = NewDoc();
        NativePacker f;
        f.Header("00.00G").Record("layer", "", "*0\r\n");
        f.Record("pen", "", Pack(NativePacker().Pen(0, 1, 0, 0, 70).CrLf()));
        f.Record("group", "", Pack(NativePacker().Counted("g").I16(7).I16(-1).I16(1).I16(0).CrLf()));
        f.Record("string", "", Pack(NativePacker().Counted("S").CrLf()));
        f.Record("point", Pack(NativePacker().I16(0)),
                 Pack(NativePacker().Pt(1, 2).Tail(0, 0, 9, {0}).CrLf()))
            .Line("end");
        ASSERT_EQ(ReadInto(d.get(), f.Get()), 1);
        const CDataPoint& p = d->PointBlockAt(0)->m_slots[0];
        EXPECT_EQ(p.m_role, 9);
        EXPECT_EQ(p.m_group, 0);
        EXPECT_EQ(d->GetGroup(0)->m_kind, 7);
        EXPECT_EQ(d->GetGroup(0)->m_attrStrings.GetSize(), 1);
        EXPECT_EQ(d->GetGroup(0)->m_defPoint1.m_x, 0);
        EXPECT_TRUE(HasRef(d->GetString(0)->m_refs, 1, 0, 0, 1, 0));
    }
    // "00.00A": fonts are a LOGFONT alone; height and width in tenths and the angle follow it.
    {
        auto d = NewDoc();
        NativePacker f;
        f.Header("00.00A").Record("layer", "", "*0\r\n");
        f.Record("font", "", Pack(NativePacker().LogFont(-35, 12, 450, "Gothic").CrLf()));
        f.Record("text", Pack(NativePacker().I16(0)),
                 Pack(NativePacker().Counted("T").Pt(0, 0).I32(0).I16(8).I16(0).I16(-1).I16(2).CrLf()))
            .Line("end");
        ASSERT_EQ(ReadInto(d.get(), f.Get()), 1);
        const CTypeFont* font = d->GetFont(d->TextBlockAt(0)->m_pen);
        EXPECT_EQ(font->m_height, 350);
        EXPECT_EQ(font->m_width, 120);
        EXPECT_EQ(font->m_angle, -45.0);
        EXPECT_EQ(font->m_style1, 1);
        EXPECT_EQ(d->TextBlockAt(0)->m_slots[0].m_role, 2);
    }
    // "00.00B" fonts (85 bytes) and "00.00E" pens (10 bytes).
    {
        auto d = NewDoc();
        NativePacker f;
        f.Header("00.00B").Record("layer", "", "*0\r\n");
        NativePacker font;
        font.LogFont(-30, 0, 0, "Mincho").U8(77).U8(1).U8(1).U8(1).U8(1).F64(0).F64(1.5).I32(0);
        ASSERT_EQ(font.Size(), 85u);
        f.Record("font", "", font.Get() + "\r\n").Line("end");
        ASSERT_EQ(ReadInto(d.get(), f.Get()), 1);
        ASSERT_EQ(d->m_fonts.GetSize(), 1);
        EXPECT_EQ(d->GetFont(0)->m_spacing, 1.5);
    }
    {
        auto d = NewDoc();
        NativePacker f;
        f.Header("00.00E").Record("layer", "", "*0\r\n");
        f.Record("pen", "", Pack(NativePacker().I32(4).I16(7).I32(0xFF).CrLf())).Line("end");
        ASSERT_EQ(ReadInto(d.get(), f.Get()), 1);
        ASSERT_EQ(d->m_pens.GetSize(), 1);
        EXPECT_EQ(d->GetPen(0)->m_lineType, 4);
        EXPECT_EQ(d->GetPen(0)->m_width, 7);
    }
}

TEST_F(NativeFileReader, NewerVersionIsRefused)
{
    NativePacker f;
    f.Header("01.01").Record("layer", "", "*0\r\n+X\r\n").Line("end");
    EXPECT_EQ(ReadInto(m_doc.get(), f.Get()), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "データのバージョンがこのソフトより新しく読みとれません。最新ソフトに入れ替えてください。"});
    EXPECT_EQ(m_doc->m_layers.GetSize(), 1);
}

TEST_F(NativeFileReader, DamageIsRecoveredWhereAKeywordFollows)
{
    const std::string damaged = "ファイルに問題があります。データの復元を試みます。";
    const std::string recovered = "データの復元を試みました。一部のデータが失われた可能性があります。";
    NativePacker good;
    good.Header().Record("layer", "", "*0\r\n+B\r\n");
    good.Record("pen", "", Pack(NativePacker().Pen(0, 1, 0, 0, 70).CrLf()));
    const std::string lineRecord =
        Pack(NativePacker().Record("line", Pack(NativePacker().U8(1).I16(0)),
                                   Pack(NativePacker().Pt(0, 0).Pt(4, 0).I32(0).Tail(1, -1, 0).CrLf())));
    struct Case {
        const char* what;
        std::string tail;
        int result;
        std::vector<std::string> messages;
        int lines;
    } cases[] = {
        {"garbage between records", "#!?" + lineRecord + "end\r\n", 1, {damaged, recovered}, 1},
        {"garbage after the last record", lineRecord + "####", 0, {damaged}, 1},
        {"no end", lineRecord, 1, {}, 1},
        {"record running past the end", lineRecord.substr(0, lineRecord.size() - 5), 0, {}, 0},
    };
    for (const Case& c : cases) {
        Scripted().m_messages.clear();
        auto d = NewDoc();
        EXPECT_EQ(ReadInto(d.get(), good.Get() + c.tail), c.result) << c.what;
        EXPECT_EQ(Messages(), c.messages) << c.what;
        EXPECT_EQ(d->m_lineBlocks.GetSize(), c.lines) << c.what;
        EXPECT_EQ(d->m_layers.GetSize(), 2) << c.what;   // what came before stays
    }
}

TEST_F(NativeFileReader, NumbersOutsideTheirTablesAreCaught)
{
    NativePacker base;
    base.Header().Record("layer", "", "*0\r\n");
    base.Record("pen", "", Pack(NativePacker().Pen(0, 1, 0, 0, 70).CrLf()));
    base.Record("group", "", Pack(NativePacker().Counted("g").I16(0).I16(-1).I16(0).Pt(0, 0).Pt(0, 0).CrLf()));
    auto line = [](int pen, int layer, int group) {
        return Pack(NativePacker().Record(
            "line", Pack(NativePacker().U8(1).I16(pen)),
            Pack(NativePacker().Pt(0, 0).Pt(4, 0).I32(0).Tail(layer, group, 0).CrLf())));
    };
    auto text = [](int font) {
        return Pack(NativePacker().Record(
            "text", Pack(NativePacker().I16(font)),
            Pack(NativePacker().Counted("x").Pt(0, 0).I32(0).I16(0).Tail(0, -1, 0).CrLf())));
    };
    // A counted text longer than its record, and an attribute count beyond it.
    const std::string longText = Pack(NativePacker().Record(
        "string", "", Pack(NativePacker().I16(5000).Text("abc").CrLf())));
    const std::string manyAttributes = Pack(NativePacker().Record(
        "point", Pack(NativePacker().I16(0)),
        Pack(NativePacker().Pt(0, 0).I16(0).I16(-1).I16(0).I16(30000).CrLf())));
    struct Case {
        const char* what;
        std::string records;
        int result;
        int lines;
        int group;
    } cases[] = {
        {"group equal to the group count", line(0, 0, 1), 1, 1, -1},
        {"group in range", line(0, 0, 0), 1, 1, 0},
        {"pen outside the pen map", line(1, 0, 0), 0, 0, 0},
        {"layer outside the layer map", line(0, 1, 0), 0, 0, 0},
        {"font outside the font map", text(0), 0, 0, 0},
        {"counted text past its record", longText, 0, 0, 0},
        {"attribute count past its record", manyAttributes, 0, 0, 0},
    };
    for (const Case& c : cases) {
        auto d = NewDoc();
        EXPECT_EQ(ReadInto(d.get(), base.Get() + c.records + "end\r\n"), c.result) << c.what;
        EXPECT_EQ(d->m_lineBlocks.GetSize(), c.lines) << c.what;
        if (c.lines) {
            EXPECT_EQ(d->LineBlockAt(0)->m_slots[0].m_group, c.group) << c.what;
        }
        EXPECT_EQ(d->m_groups.GetSize(), 1) << c.what;
    }
}

TEST_F(NativeFileReader, NumbersThatAreNotFiniteAreDamage)
{
    // Every number of a record that the views turn into pixels: a NaN or an infinity there
    // stops the reading as a record past its end does; what came before stays.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    NativePacker base;
    base.Header().Record("layer", "", "*0\r\n");
    base.Record("pen", "", Pack(NativePacker().Pen(0, 1, 0, 0, 70).CrLf()));
    base.Record("font", "",
                Pack(NativePacker().Font(-30, 0, 0, "Font", {1, 1, 1, 1, 1}, 0, 1, 0, 30, 20).CrLf()));
    auto element = [](const char* keyword, const NativePacker& item) {
        const std::string header =
            std::string(keyword) == "line" ? Pack(NativePacker().U8(1).I16(0)) : Pack(NativePacker().I16(0));
        return Pack(NativePacker().Record(keyword, header, Pack(NativePacker(item).Tail(0, -1, 0).CrLf())));
    };
    auto line = [&](double x) { return element("line", NativePacker().Pt(x, 0).Pt(4, 0).I32(0)); };
    auto font = [](double angle, double spacing) {
        return Pack(NativePacker().Record(
            "font", "", Pack(NativePacker().Font(-30, 0, 0, "F", {1, 1, 1, 1, 1}, angle, spacing, 0, 30, 20).CrLf())));
    };
    struct Case {
        const char* what;
        std::string record;
    } cases[] = {
        {"origin x", Pack(NativePacker().Record("origin", "", Pack(NativePacker().Pt(nan, 0).F64(0).CrLf())))},
        {"origin y", Pack(NativePacker().Record("origin", "", Pack(NativePacker().Pt(0, -inf).F64(0).CrLf())))},
        {"origin angle", Pack(NativePacker().Record("origin", "", Pack(NativePacker().Pt(1, 1).F64(nan).CrLf())))},
        {"ratio", Pack(NativePacker().Record("ratio", "", Pack(NativePacker().F64(inf).CrLf())))},
        {"point", element("point", NativePacker().Pt(nan, 1))},
        {"line start", line(nan)},
        {"line end", element("line", NativePacker().Pt(0, 0).Pt(4, inf).I32(0))},
        {"circle centre", element("circle", NativePacker().Pt(0, nan).F64(2))},
        {"circle radius", element("circle", NativePacker().Pt(0, 0).F64(inf))},
        {"arc angle", element("arc", NativePacker().Pt(0, 0).F64(2).F64(0).F64(nan).I32(0))},
        {"ellipse tilt", element("conic", NativePacker().Pt(0, 0).F64(5).F64(0.5).F64(0).F64(360).F64(nan))},
        {"curve point", element("curve", NativePacker().U8(1).I16(3).Pt(0, 0).Pt(inf, 1).Pt(2, 0))},
        {"text position", Pack(NativePacker().Record(
             "text", Pack(NativePacker().I16(0)),
             Pack(NativePacker().Counted("x").Pt(nan, 0).I32(0).I16(0).Tail(0, -1, 0).CrLf())))},
        {"font angle", font(nan, 1)},
        {"font spacing", font(0, -inf)},
        {"group point", Pack(NativePacker().Record(
             "group", "", Pack(NativePacker().Counted("g").I16(0).I16(-1).I16(0).Pt(0, nan).Pt(0, 0).CrLf())))},
    };
    for (const Case& c : cases) {
        auto d = NewDoc();
        EXPECT_EQ(ReadInto(d.get(), base.Get() + line(1) + c.record + line(2) + "end\r\n"), 0) << c.what;
        ASSERT_EQ(d->m_lineBlocks.GetSize(), 1) << c.what;
        EXPECT_EQ(d->LineBlockAt(0)->m_count, 1) << c.what;
        EXPECT_EQ(d->LineBlockAt(0)->m_slots[0].m_start.m_x, 1) << c.what;
        EXPECT_EQ(d->m_pointBlocks.GetSize() + d->m_circleBlocks.GetSize() + d->m_arcBlocks.GetSize() +
                      d->m_conicBlocks.GetSize() + d->m_curveBlocks.GetSize() + d->m_textBlocks.GetSize(),
                  0) << c.what;
        EXPECT_EQ(d->m_fonts.GetSize(), 1) << c.what;
        EXPECT_TRUE(d->m_groups.GetSize() == 0) << c.what;
        EXPECT_TRUE(std::isfinite(d->m_relOrigin.m_x) && std::isfinite(d->m_relOrigin.m_y) &&
                    std::isfinite(d->m_relAngle) && std::isfinite(d->m_ratio)) << c.what;
    }
}

TEST_F(NativeFileReader, MemoPiecesAndShortDateLines)
{
    // A memo cut inside a double-byte character comes back whole.
    std::string memo(79, 'a');
    memo += "字b";
    NativePacker f;
    f.Line("Zelk data ver.01.00").Line("name N").Line("renewal-1 2026/1").Line("renewal-2 2026/12/01 改訂2");
    f.Record("memo", "", std::string(" ").append(memo, 0, 80) + "\r\n " + memo.substr(80) + "\r\n");
    f.Record("layer", "", "*0\r\n").Line("end");
    ASSERT_EQ(ReadInto(m_doc.get(), f.Get()), 1);
    ASSERT_EQ(m_doc->m_memo.GetSize(), 1);
    EXPECT_EQ(m_doc->m_memo.GetAt(0).Std(), memo);
    EXPECT_EQ(m_doc->m_headerName, "N");
    EXPECT_EQ(m_doc->m_renewalDate1, "2026/1");
    EXPECT_EQ(m_doc->m_loadedDates[0], "");
    EXPECT_EQ(m_doc->m_renewalDate2, "2026/12/01");
    EXPECT_EQ(m_doc->m_loadedDates[1], "改訂2");
}

TEST_F(NativeFileReader, AddingIntoADrawingTranslatesGroupsAndStrings)
{
    // The drawing holds a group and a string already; the file's group 0 and string 0 must
    // land on new entries and only the added elements are linked.
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, 0, 0, 70);
    m_doc->m_groups.Add(new CGroup);
    int index = -1, mode = 0;
    CString old = "OLD";
    m_doc->FindOrAddAttributeString(old, index, mode);
    CLines* mine = m_doc->AddLine(P(0, 0), P(0, 1), 0, pen);
    mine->m_slots[0].m_group = 0;

    NativePacker f;
    f.Header().Record("layer", "", "*0\r\n");
    f.Record("pen", "", Pack(NativePacker().Pen(0, 1, 0, 0, 70).CrLf()));
    f.Record("group", "", Pack(NativePacker()
                                   .Counted("outer").I16(0).I16(-1).I16(0).Pt(0, 0).Pt(0, 0)
                                   .Counted("inner").I16(0).I16(0).I16(1).I16(0).Pt(0, 0).Pt(0, 0)
                                   .CrLf()));
    f.Record("string", "", Pack(NativePacker().Counted("NEW").CrLf()));
    f.Record("line", Pack(NativePacker().U8(2).I16(0)),
             Pack(NativePacker().Pt(5, 0).Pt(5, 9).I32(0).Tail(0, 1, 0, {0}).CrLf()))
        .Line("end");
    ASSERT_EQ(ReadInto(m_doc.get(), f.Get()), 1);

    ASSERT_EQ(m_doc->m_groups.GetSize(), 3);
    EXPECT_EQ(m_doc->GetGroup(2)->m_parent, 1);
    EXPECT_TRUE(m_doc->GetGroup(0)->m_members.empty());   // nothing of the old drawing relinked
    const CLine& added = m_doc->LineBlockAt(0)->m_slots[1];
    EXPECT_EQ(added.m_group, 2);
    ASSERT_EQ(added.m_attrStrings.GetSize(), 1);
    EXPECT_EQ(added.m_attrStrings.GetAt(0), 1);
    EXPECT_EQ(m_doc->GetString(1)->m_text, "NEW");
    EXPECT_TRUE(HasRef(m_doc->GetGroup(2)->m_members, 4, 0, 1, 1, 0));
    EXPECT_TRUE(HasRef(m_doc->GetGroup(1)->m_members, 1, 2, 0, 1, 0));
    EXPECT_TRUE(HasRef(m_doc->GetString(1)->m_refs, 1, 2, 0, 1, 0));
    EXPECT_TRUE(m_doc->GetString(0)->m_refs.empty());
}

TEST_F(NativeFileReader, GroupsBeyondWhatGroupNumbersCanNameAreDamage)
{
    // One group short of the limit: the file's first group fits, its second is damage, and
    // what came before it stays.
    while (m_doc->m_groups.GetSize() < CGroup::MaxCount - 1)
        m_doc->m_groups.Add(new CGroup);
    NativePacker f;
    f.Header().Record("layer", "", "*0\r\n*extra\r\n");
    f.Record("pen", "", Pack(NativePacker().Pen(0, 1, 0, 0, 70).CrLf()));
    f.Record("group", "", Pack(NativePacker()
                                   .Counted("fits").I16(0).I16(-1).I16(0).Pt(0, 0).Pt(0, 0)
                                   .Counted("beyond").I16(0).I16(0).I16(0).Pt(0, 0).Pt(0, 0)
                                   .CrLf()));
    f.Record("line", Pack(NativePacker().U8(2).I16(0)),
             Pack(NativePacker().Pt(5, 0).Pt(5, 9).I32(0).Tail(0, 0, 0).CrLf()))
        .Line("end");
    EXPECT_EQ(ReadInto(m_doc.get(), f.Get()), 0);
    ASSERT_EQ(m_doc->m_groups.GetSize(), CGroup::MaxCount);
    EXPECT_EQ(m_doc->GetGroup(CGroup::MaxCount - 1)->m_name, "fits");
    EXPECT_EQ(m_doc->m_pens.GetSize(), 1);
    EXPECT_GE(m_doc->FindLayer("extra"), 0);
    EXPECT_EQ(m_doc->m_lineBlocks.GetSize(), 0);

    // A parent that no group number can name is damage too.
    auto d = NewDoc();
    while (d->m_groups.GetSize() < CGroup::MaxCount - 2)
        d->m_groups.Add(new CGroup);
    NativePacker g;
    g.Header().Record("layer", "", "*0\r\n");
    g.Record("group", "", Pack(NativePacker().Counted("far").I16(0).I16(5).I16(0).Pt(0, 0).Pt(0, 0).CrLf()))
        .Line("end");
    EXPECT_EQ(ReadInto(d.get(), g.Get()), 0);
    EXPECT_EQ(d->m_groups.GetSize(), CGroup::MaxCount - 2);
}

TEST_F(NativeFileReader, EmbeddedObjectDataOfAnotherSystemIsReportedAndPassed)
{
    NativePacker f;
    f.Header().Record("layer", "", "*0\r\n");
    f.Text("item").I32(6).CrLf().Text(std::string("\x01\x00\xFF\xFF\x00\x00", 6)).CrLf();
    f.Record("layer", "", "+after\r\n").Line("end");
    EXPECT_EQ(ReadInto(m_doc.get(), f.Get()), 1);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Ole Item の読み込みは失敗しました"});
    EXPECT_EQ(m_doc->m_layers.GetSize(), 2);
}

TEST_F(NativeFileReader, MissingFileChangesNothing)
{
    EXPECT_EQ(m_doc->LoadNativeFile(PathOf("absent.zel")), 0);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_doc->m_layers.GetSize(), 1);
}

namespace {

// A class record of the object stream: new-class tag, schema, name.
NativePacker& NewClass(NativePacker& p, int schema, const std::string& name)
{
    return p.I16(0xFFFF).I16(schema).I16(static_cast<int>(name.size())).Text(name);
}

// A drawing with one layer before and one after an "item" block holding the given archive.
std::string WithItems(const std::string& archive)
{
    NativePacker f;
    f.Header().Record("layer", "", "*0\r\n");
    f.Text("item").I32(static_cast<std::int64_t>(archive.size())).CrLf().Text(archive).CrLf();
    f.Record("layer", "", "+after\r\n").Line("end");
    return f.Get();
}

} // namespace

TEST_F(NativeFileReader, DamagedEmbeddedObjectDataIsReportedAndTheRestRead)
{
    // Objects nested far deeper than any drawing holds.
    NativePacker deep;
    deep.I16(1);
    NewClass(deep, 0, "CObArray").I16(1);
    for (int i = 0; i < 200000; ++i)
        deep.I16(0x8001).I16(1);
    deep.I16(0).I16(0);
    // A stored item whose data length runs far past the file.
    NativePacker huge;
    huge.I16(0).I16(1);
    NewClass(huge, 1, "CZelkCntrItem").U8(0).I32(0).I32(0).I16(0xFFFF).I32(0xFFFFFFF0);
    // The same object twice in the list of placed objects.
    NativePacker twice;
    twice.I16(2);
    NewClass(twice, 1, "CZelkCntrItem").U8(0).I32(0).I32(0).I16(0).I16(2).I16(0);
    ASSERT_EQ(CRuntimeClass::FromName("CZelkCntrItem"), RUNTIME_CLASS(CZelkCntrItem));
    const std::string cases[] = {deep.Get(), huge.Get(), twice.Get()};
    for (const std::string& archive : cases) {
        Scripted().m_messages.clear();
        auto doc = NewDoc();
        EXPECT_EQ(ReadInto(doc.get(), WithItems(archive)), 1);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Ole Item の読み込みは失敗しました"});
        EXPECT_EQ(doc->m_layers.GetSize(), 2);
        EXPECT_TRUE(doc->m_objects.empty());
    }
}

TEST_F(NativeFileReader, FontNumbersPastTheIntegerRangeAreHeld)
{
    // The spacing, a double of the file, puts the text's measured row far past the integer
    // range of the character layout.
    for (double spacing : {-3.1e231, 3.1e231, 1e12}) {
        auto d = NewDoc();
        NativePacker f;
        f.Header("00.00D").Record("layer", "", "*0\r\n");
        f.Record("font", "",
                 Pack(NativePacker().Font(-30, 0, 0, "Font", {1, 2, 1, 1, 1}, 0, spacing, 63, 7680, 5120).CrLf()));
        f.Record("text", Pack(NativePacker().I16(0)),
                 Pack(NativePacker().Counted("text").Pt(5, 5).I32(0).I16(8).Tail(0, -1, 0).CrLf()))
            .Line("end");
        ASSERT_EQ(ReadInto(d.get(), f.Get()), 1) << spacing;
        ASSERT_EQ(d->m_textBlocks.GetSize(), 1);
        EXPECT_EQ(d->TextBlockAt(0)->m_count, 1);
        EXPECT_EQ(d->TextBlockAt(0)->m_slots[0].m_text, "text");
    }
    // An angle value past the integer range of the font's escapement is held at its end.
    auto d = NewDoc();
    NativePacker f;
    f.Header("00.00D").Record("layer", "", "*0\r\n");
    f.Record("font", "",
             Pack(NativePacker().Font(-30, 0, 0, "Font", {1, 1, 1, 1, 1}, -1e30, 0, 0, 30, 20).CrLf()))
        .Line("end");
    ASSERT_EQ(ReadInto(d.get(), f.Get()), 1);
    ASSERT_EQ(d->m_fonts.GetSize(), 1);
    EXPECT_EQ(d->GetFont(0)->m_logFont.lfEscapement, 2147483647);
}
