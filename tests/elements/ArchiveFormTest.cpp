// Archive forms of the element, attribute and block classes: sizes of default records, golden
// bytes of filled ones, round trips and the class registry.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "elements/Arc.h"
#include "elements/Arcs.h"
#include "elements/Circle.h"
#include "elements/Circles.h"
#include "elements/Color.h"
#include "elements/Conic.h"
#include "elements/Conics.h"
#include "elements/Curve.h"
#include "elements/Curves.h"
#include "elements/DataPoint.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Line.h"
#include "elements/Lines.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "tests/elements/ElementTestSupport.h"

namespace {

struct SizeCase {
    const char* name;
    std::function<CObject*()> make;
    size_t size;
};

std::vector<SizeCase> DefaultRecords()
{
    return {
        {"pen", [] { return new CTypePen; }, 12},
        {"font", [] { return new CTypeFont; }, 93},
        {"point", [] { return new CDataPoint; }, 26},
        {"line", [] { return new CLine; }, 46},
        {"circle", [] { return new CCircle; }, 34},
        {"arc", [] { return new CArc; }, 54},
        {"ellipse", [] { return new CConic; }, 74},
        {"curve", [] { return new CCurve; }, 13},
        {"text", [] { return new CText; }, 71},
        {"point block", [] { return new CDataPoints; }, 2604},
        {"line block", [] { return new CLines; }, 4605},
        {"circle block", [] { return new CCircles; }, 2 + 100 * 34 + 2},
        {"arc block", [] { return new CArcs; }, 2 + 100 * 54 + 2},
        {"ellipse block", [] { return new CConics; }, 2 + 10 * 74 + 2},
        {"curve block", [] { return new CCurves; }, 2 + 10 * 13 + 2},
        {"text block", [] { return new CTexts; }, 714},
        {"layer", [] { return new CLayer; }, 1},
        {"color", [] { return new CColor; }, 5},
        {"attribute string", [] { return new CDataString; }, 3},
        {"group", [] { return new CGroup; }, 43},
    };
}

}  // namespace

TEST(ArchiveForm, DefaultRecordsHaveTheirSizesAndRoundTripByteIdentical)
{
    for (const SizeCase& c : DefaultRecords()) {
        std::unique_ptr<CObject> original(c.make());
        const Bytes bytes = StoreBytes(*original);
        EXPECT_EQ(bytes.size(), c.size) << c.name;
        std::unique_ptr<CObject> loaded(c.make());
        EXPECT_EQ(LoadBytes(*loaded, bytes), 0) << c.name;
        EXPECT_EQ(StoreBytes(*loaded), bytes) << c.name;
    }
}

TEST(ArchiveForm, DefaultPenBytes)
{
    CTypePen pen;
    EXPECT_EQ(StoreBytes(pen), (Bytes{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0x46}));
}

TEST(ArchiveForm, FontTakes93BytesWhateverTheFaceName)
{
    for (const char* face : {"", "A", "ＭＳ 明朝", "0123456789012345678901234567890"}) {
        CTypeFont font;
        std::memset(font.m_logFont.lfFaceName, 0, LF_FACESIZE);
        std::strncpy(font.m_logFont.lfFaceName, face, LF_FACESIZE - 1);
        const Bytes bytes = StoreBytes(font);
        ASSERT_EQ(bytes.size(), 93u) << face;
        CTypeFont loaded;
        LoadBytes(loaded, bytes);
        EXPECT_STREQ(loaded.m_logFont.lfFaceName, face);
    }
}

TEST(ArchiveForm, FontFieldsInTheirOrder)
{
    CTypeFont font;
    font.SetValues(font.m_logFont, 0x04030201u, 5, 30.0, 0.5, 1, 35, 70);
    Packer expected;
    expected.I32(-8).I32(0).I32(0).I32(0).I32(400);
    expected.U8(0).U8(0).U8(0).U8(128).U8(3).U8(2).U8(1).U8(49);
    Bytes face(32, 0);
    std::memcpy(face.data(), "ＭＳ ゴシック", std::strlen("ＭＳ ゴシック"));
    expected.Append(face);
    expected.U8(1).U8(2).U8(3).U8(4).U8(5).F64(30.0).F64(0.5).I32(1).I32(35).I32(70);
    EXPECT_EQ(StoreBytes(font), expected.bytes);
}

TEST(ArchiveForm, FilledElementsWriteTheirFieldsInArchiveOrder)
{
    struct Case {
        const char* name;
        std::function<CObject*()> make;
        Bytes expected;
        std::function<CObject*()> blank;
    };
    const std::vector<Case> cases = {
        {"point",
         [] {
             auto* p = new CDataPoint;
             p->m_state = 0x81; p->m_mark = 2; p->m_position.Init(1.5, -2.0);
             p->m_layer = 3; p->m_group = 7; p->m_role = 16;
             p->m_attrStrings.Add(2); p->m_attrStrings.Add(9);
             return p;
         },
         Packer().U8(0x81).U8(2).Point(1.5, -2.0).I16(3).I16(7).I16(16).List({2, 9}).bytes,
         [] { return new CDataPoint; }},
        {"line",
         [] {
             auto* l = new CLine(-1.0, 2.0, 3.0, 4.5);
             l->m_swapped = 1; l->m_layer = 2; l->m_group = -1; l->m_role = 8;
             l->m_attrStrings.Add(0);
             return l;
         },
         Packer().U8(1).U8(0).Point(-1.0, 2.0).Point(3.0, 4.5).I32(1).I16(2).I16(-1).I16(8)
             .List({0}).bytes,
         [] { return new CLine; }},
        {"circle",
         [] {
             auto* c = new CCircle;
             c->m_centre.Init(10, 20); c->m_radius = 2.25; c->m_role = 2; c->m_group = 4;
             return c;
         },
         Packer().U8(1).U8(0).Point(10, 20).F64(2.25).I16(0).I16(4).I16(2).List({}).bytes,
         [] { return new CCircle; }},
        {"arc",
         [] {
             CPointD centre, angles;
             auto* a = new CArc(centre.Init(1, 1), 5.0, angles.Init(350, 370));
             a->m_arcFlag = 5; a->m_layer = 1;
             return a;
         },
         Packer().U8(1).U8(0).Point(1, 1).F64(5.0).F64(350).F64(370).I32(5).I16(1).I16(-1)
             .I16(0).List({}).bytes,
         [] { return new CArc; }},
        {"ellipse: the tilt twice",
         [] {
             auto* e = new CConic;
             e->m_centre.Init(3, 4); e->m_majorRadius = 10; e->m_ratio = 0.5;
             e->m_startAngle = 30; e->m_endAngle = 120; e->m_tilt = 30;
             return e;
         },
         Packer().U8(1).U8(0).Point(3, 4).F64(10).F64(30).F64(0.5).F64(30).F64(120).F64(30)
             .I16(0).I16(-1).I16(0).List({}).bytes,
         [] { return new CConic; }},
        {"curve",
         [] {
             auto* c = new CCurve;
             c->m_kind = 1; c->m_layer = 6; c->m_role = 1;
             CPointD p;
             c->m_points.push_back(p.Init(0, 0));
             c->m_points.push_back(p.Init(1, 2));
             c->m_attrStrings.Add(3);
             return c;
         },
         Packer().U8(1).U8(0).U8(1).I16(6).I16(-1).I16(1).I16(2).Point(0, 0).Point(1, 2)
             .List({3}).bytes,
         [] { return new CCurve; }},
        {"text: role before the list",
         [] {
             auto* t = new CText;
             t->m_text = "寸法"; t->m_point.Init(1, 2); t->m_underlineStart.Init(1, 1);
             t->m_underlineEnd.Init(9, 1); t->m_swapped = 1; t->m_color = 0x00FF0000;
             t->m_alignment = 0x26; t->m_layer = 2; t->m_group = 5; t->m_role = 16;
             t->m_attrStrings.Add(4);
             return t;
         },
         Packer().U8(1).U8(0).Str("寸法").Point(1, 2).Point(1, 1).Point(9, 1).I32(1)
             .I32(0x00FF0000).I32(0x26).I16(2).I16(5).I16(16).List({4}).bytes,
         [] { return new CText; }},
        {"attribute string",
         [] {
             auto* s = new CDataString(CString("材質 SS400"));
             s->m_state = 8; s->m_mark = 1;
             return s;
         },
         Packer().U8(8).U8(1).Str("材質 SS400").bytes, [] { return new CDataString; }},
        {"layer",
         [] { auto* l = new CLayer; l->m_name = "0007"; return l; },
         Packer().Str("0007").bytes, [] { return new CLayer; }},
        {"color",
         [] { auto* c = new CColor; c->m_name = "赤"; c->m_color = 0xFF; return c; },
         Packer().Str("赤").I32(0xFF).bytes, [] { return new CColor; }},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CObject> object(c.make());
        const Bytes bytes = StoreBytes(*object);
        EXPECT_EQ(bytes, c.expected) << c.name;
        std::unique_ptr<CObject> loaded(c.blank());
        EXPECT_EQ(LoadBytes(*loaded, c.expected), 0) << c.name;
        EXPECT_EQ(StoreBytes(*loaded), c.expected) << c.name;
    }
}

TEST(ArchiveForm, EllipseKeepsTheSecondTilt)
{
    const Bytes bytes = Packer().U8(1).U8(0).Point(0, 0).F64(5).F64(10).F64(0.5).F64(0)
                            .F64(360).F64(25).I16(0).I16(-1).I16(0).List({}).bytes;
    CConic conic;
    LoadBytes(conic, bytes);
    EXPECT_EQ(conic.m_tilt, 25.0);
    EXPECT_EQ(conic.m_ratio, 0.5);
}

TEST(ArchiveForm, TextFieldsComeBackWithTheRoleAndListInPlace)
{
    CText text;
    const Bytes bytes = Packer().U8(0x88).U8(2).Str("ABC").Point(1, 2).Point(3, 4).Point(5, 6)
                            .I32(1).I32(0x123456).I32(10).I16(7).I16(8).I16(9).List({1, 3})
                            .bytes;
    LoadBytes(text, bytes);
    EXPECT_EQ(text.m_state, 0x88);
    EXPECT_EQ(text.m_mark, 2);
    EXPECT_EQ(text.m_text, "ABC");
    EXPECT_EQ(text.m_underlineEnd.m_y, 6.0);
    EXPECT_EQ(text.m_swapped, 1);
    EXPECT_EQ(text.m_color, 0x123456u);
    EXPECT_EQ(text.m_alignment, 10);
    EXPECT_EQ(text.m_layer, 7);
    EXPECT_EQ(text.m_group, 8);
    EXPECT_EQ(text.m_role, 9);
    ASSERT_EQ(text.m_attrStrings.GetSize(), 2);
    EXPECT_EQ(text.m_attrStrings.GetAt(1), 3);
}

TEST(ArchiveForm, BlocksArchiveEverySlotThroughItsOwnFormWithoutTags)
{
    // A slot beyond the used count that holds something else than the defaults shows that the
    // block writes and reads all its slots, each in its element form.
    CLines block;
    block.m_direction = 1;
    block.m_count = 2;
    block.m_pen = 3;
    block.m_slots[0].m_start.Init(0, 5);
    block.m_slots[0].m_end.Init(10, 5);
    block.m_slots[1].m_state = 0x88;
    block.m_slots[99].m_layer = 4;
    block.m_slots[99].m_attrStrings.Add(6);

    Packer expected;
    expected.U8(1).I16(2);
    for (CLine& line : block.m_slots)
        expected.Append(StoreBytes(line));
    expected.I16(3);
    const Bytes bytes = StoreBytes(block);
    EXPECT_EQ(bytes, expected.bytes);
    EXPECT_EQ(bytes.size(), 4605u + 2);

    CLines loaded;
    EXPECT_EQ(LoadBytes(loaded, bytes), 0);
    EXPECT_EQ(loaded.m_direction, 1);
    EXPECT_EQ(loaded.m_count, 2);
    EXPECT_EQ(loaded.m_pen, 3);
    EXPECT_EQ(loaded.m_slots[0].m_end.m_x, 10.0);
    EXPECT_EQ(loaded.m_slots[1].m_state, 0x88);
    EXPECT_EQ(loaded.m_slots[99].m_layer, 4);
    EXPECT_EQ(loaded.m_slots[99].m_attrStrings.GetSize(), 1);
    EXPECT_EQ(StoreBytes(loaded), bytes);
}

TEST(ArchiveForm, AttributeStringLoadsWithoutBackReferences)
{
    CDataString string(CString("A"));
    CElemRef ref;
    string.m_refs.push_back(ref.Init(4, 0, 1, 1, 0));
    const Bytes bytes = StoreBytes(string);
    EXPECT_EQ(bytes, Packer().U8(1).U8(0).Str("A").bytes);
    CDataString loaded;
    loaded.m_refs.push_back(ref);
    LoadBytes(loaded, bytes);
    EXPECT_TRUE(loaded.m_refs.empty());
}

TEST(ArchiveForm, GroupKeepsItsRecordFieldsThenStateMarkAndMembers)
{
    CGroup group;
    group.m_name = "G";
    group.m_kind = 2;
    group.m_parent = 5;
    group.m_attrStrings.Add(3);
    group.m_defPoint1.Init(1, 2);
    group.m_defPoint2.Init(-3, 4);
    group.m_state = 0x09;
    group.m_mark = 0x02;
    CElemRef line, sub;
    group.m_members.push_back(line.Init(4, 7, 99, 1, 0x10));
    group.m_members.push_back(sub.Init(1, 6, 0, 1, 0));
    const Bytes bytes = StoreBytes(group);
    const Bytes expected = Packer()
                               .Str("G").I16(2).I16(5).List({3}).Point(1, 2).Point(-3, 4)
                               .U8(0x09).U8(0x02)
                               .I16(2)
                               .U8(1).U8(0x10).I16(4).I16(7).I16(99).U8(0)
                               .U8(1).U8(0).I16(1).I16(6).I16(0).U8(0)
                               .bytes;
    EXPECT_EQ(bytes, expected);

    CGroup loaded;
    loaded.m_members.push_back(line);
    EXPECT_EQ(LoadBytes(loaded, bytes), 0);
    EXPECT_EQ(StoreBytes(loaded), bytes);
    EXPECT_EQ(loaded.m_members.size(), 2u);
}

TEST(ClassRegistry, EveryClassIsCreatedByNameWithSchema0)
{
    const std::vector<std::pair<const char*, CRuntimeClass*>> classes = {
        {"CGroup", RUNTIME_CLASS(CGroup)},         {"CColor", RUNTIME_CLASS(CColor)},
        {"CTypePen", RUNTIME_CLASS(CTypePen)},     {"CTypeFont", RUNTIME_CLASS(CTypeFont)},
        {"CLayer", RUNTIME_CLASS(CLayer)},         {"CDataString", RUNTIME_CLASS(CDataString)},
        {"CDataPoint", RUNTIME_CLASS(CDataPoint)}, {"CDataPoints", RUNTIME_CLASS(CDataPoints)},
        {"CLine", RUNTIME_CLASS(CLine)},           {"CLines", RUNTIME_CLASS(CLines)},
        {"CCircle", RUNTIME_CLASS(CCircle)},       {"CCircles", RUNTIME_CLASS(CCircles)},
        {"CArc", RUNTIME_CLASS(CArc)},             {"CArcs", RUNTIME_CLASS(CArcs)},
        {"CConic", RUNTIME_CLASS(CConic)},         {"CConics", RUNTIME_CLASS(CConics)},
        {"CCurve", RUNTIME_CLASS(CCurve)},         {"CCurves", RUNTIME_CLASS(CCurves)},
        {"CText", RUNTIME_CLASS(CText)},           {"CTexts", RUNTIME_CLASS(CTexts)},
    };
    for (const auto& [name, record] : classes) {
        CRuntimeClass* found = CRuntimeClass::FromName(name);
        ASSERT_EQ(found, record) << name;
        EXPECT_EQ(found->m_wSchema, 0u) << name;
        std::unique_ptr<CObject> object(CRuntimeClass::CreateObject(name));
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->GetRuntimeClass(), record) << name;
    }
}

TEST(ClassRegistry, AnArchivedObjectComesBackUnderItsClassName)
{
    CMemFile file;
    CCircles block;
    block.m_count = 1;
    block.m_slots[0].m_radius = 7.5;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<const CObject*>(&block);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CObject* object = nullptr;
    ar >> object;
    std::unique_ptr<CObject> owned(object);
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CCircles));
    EXPECT_EQ(static_cast<CCircles*>(object)->m_slots[0].m_radius, 7.5);
}
