// Find-or-create of pens, fonts, layers and attribute strings; the layer lookups and name rule;
// colors and their DXF numbers.
#include "DocTestSupport.h"

#include <cstring>

#include "elements/Color.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Layer.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"

using AttributeTablesTest = DocFixture;

TEST_F(AttributeTablesTest, PenIsFoundByAllFiveValues)
{
    const std::int16_t a = Doc().FindOrAddPen(2, 5, RGB(255, 0, 0), 3, 70);
    EXPECT_EQ(Doc().FindOrAddPen(2, 5, RGB(255, 0, 0), 3, 70), a);
    const std::int16_t b = Doc().FindOrAddPen(2, 5, RGB(255, 0, 0), 3, 60);
    EXPECT_EQ(b, a + 1);
    EXPECT_EQ(Doc().FindOrAddPen(2, -5, RGB(255, 0, 0), 3, 70), a + 2);
    EXPECT_EQ(Doc().m_pens.GetSize(), 3);
    for (int m = 0; m < MAP_COUNT; ++m) {
        if (m == MAP_TEXT) {
            EXPECT_EQ(Doc().m_blockMaps[m].GetSize(), 0);
            continue;
        }
        ASSERT_EQ(Doc().m_blockMaps[m].GetSize(), 3) << m;
        EXPECT_EQ(Doc().m_blockMaps[m][b], NO_BLOCK) << m;
    }
}

TEST_F(AttributeTablesTest, PenTableStopsBeforeIndexesTurnNegative)
{
    for (int i = 0; i <= 32767; ++i) {
        CTypePen* p = new CTypePen;
        p->m_lineType = 0;
        p->m_width = static_cast<std::int16_t>(i % 30000);
        p->m_color = static_cast<COLORREF>(i);
        Doc().m_pens.Add(p);
    }
    EXPECT_EQ(Doc().FindOrAddPen(9, 9, RGB(9, 9, 9), 0, 70), -1);
    EXPECT_EQ(Doc().m_pens.GetSize(), 32768);
    EXPECT_FALSE(LastMessage().empty());
    // Adders refuse an element for the refused pen instead of writing through index -1.
    EXPECT_EQ(Doc().AddPoint(Pt(0, 0), 0, -1), nullptr);
}

namespace {

LOGFONT Face(const char* name)
{
    LOGFONT lf{};
    lf.lfHeight = -30;
    lf.lfWeight = 400;
    lf.lfCharSet = 128;
    std::strncpy(lf.lfFaceName, name, sizeof lf.lfFaceName - 1);
    return lf;
}

}  // namespace

TEST_F(AttributeTablesTest, FontMatchIgnoresHeightWidthAndOrientationOfTheDescription)
{
    LOGFONT lf = Face("Mincho");
    const std::int16_t f = Doc().FindOrAddFont(lf, 25, 30, 1, 0);

    struct Case {
        const char* what;
        void (*change)(LOGFONT&);
        std::int32_t width;
        std::int32_t height;
        double angle;
        bool same;
    } cases[] = {
        {"lfHeight", [](LOGFONT& l) { l.lfHeight = -99; }, 25, 30, 0, true},
        {"lfWidth", [](LOGFONT& l) { l.lfWidth = 7; }, 25, 30, 0, true},
        {"lfOrientation", [](LOGFONT& l) { l.lfOrientation = 900; }, 25, 30, 0, true},
        {"angle within 0.1", [](LOGFONT&) {}, 25, 30, 0.05, true},
        {"angle", [](LOGFONT&) {}, 25, 30, 0.2, false},
        {"character height", [](LOGFONT&) {}, 25, 31, 0, false},
        {"character width", [](LOGFONT&) {}, 26, 30, 0, false},
        {"weight", [](LOGFONT& l) { l.lfWeight = 700; }, 25, 30, 0, false},
        {"escapement", [](LOGFONT& l) { l.lfEscapement = 900; }, 25, 30, 0, false},
        {"italic", [](LOGFONT& l) { l.lfItalic = 1; }, 25, 30, 0, false},
        {"face", [](LOGFONT& l) { std::strcpy(l.lfFaceName, "Gothic"); }, 25, 30, 0, false},
    };
    for (const Case& c : cases) {
        LOGFONT want = Face("Mincho");
        c.change(want);
        const int before = Doc().m_fonts.GetSize();
        const std::int16_t got = Doc().FindOrAddFont(want, c.width, c.height, 1, c.angle);
        if (c.same)
            EXPECT_EQ(got, f) << c.what;
        else
            EXPECT_EQ(got, before) << c.what;
    }
}

TEST_F(AttributeTablesTest, FontOfWidthZeroMatchesAnyWidth)
{
    LOGFONT lf = Face("Mincho");
    const std::int16_t f = Doc().FindOrAddFont(lf, 0, 30, 1, 0);
    EXPECT_EQ(Doc().GetFont(f)->m_width, 0);   // no view to measure with
    EXPECT_EQ(Doc().FindOrAddFont(lf, 44, 30, 1, 0), f);
    EXPECT_EQ(Doc().m_blockMaps[MAP_TEXT][f], NO_BLOCK);
    EXPECT_EQ(Doc().GetFont(f)->m_style1, 1);
    EXPECT_EQ(Doc().GetFont(f)->m_style2, m_app->m_appText.m_formClass);

    // A font of that width appended after it does not come first.
    CTypeFont* sized = new CTypeFont(*Doc().GetFont(f));
    sized->m_width = 44;
    Doc().m_fonts.Add(sized);
    EXPECT_EQ(Doc().FindOrAddFont(lf, 44, 30, 1, 0), f);
}

TEST_F(AttributeTablesTest, FontOfWidthZeroIsMeasuredInTheFirstView)
{
    RecordingView view;
    view.m_canMeasure = TRUE;
    view.m_extentCx = 26 * 31 + 5;
    Doc().AddView(&view);
    LOGFONT lf = Face("Mincho");
    const std::int16_t f = Doc().FindOrAddFont(lf, 0, 30, 1, 0);
    EXPECT_TRUE(view.Saw("Measure ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(Doc().GetFont(f)->m_width, (26 * 31 + 5) / 26);
    EXPECT_EQ(Doc().GetFont(f)->m_logFont.lfWidth, (26 * 31 + 5) / 260);
    // Measured, it is found for its width and no longer for none.
    EXPECT_EQ(Doc().FindOrAddFont(lf, 31, 30, 1, 0), f);
    EXPECT_EQ(Doc().FindOrAddFont(lf, 0, 30, 1, 0), f + 1);
    Doc().RemoveView(&view);
}

TEST_F(AttributeTablesTest, FontLookupFollowsTheTableWhenItChangesBehindIt)
{
    const LOGFONT lf = Face("Mincho");
    const std::int16_t narrow = Doc().FindOrAddFont(lf, 20, 30, 1, 0);
    const std::int16_t wide = Doc().FindOrAddFont(lf, 25, 30, 1, 0);
    ASSERT_EQ(wide, narrow + 1);
    EXPECT_EQ(Doc().FindOrAddFont(lf, 25, 30, 1, 0), wide);

    // A font of width 0 appended directly, as a file reader does, is found for any width; for a
    // width an earlier font has, that earlier font is still the first match.
    CTypeFont* any = new CTypeFont(*Doc().GetFont(narrow));
    any->m_width = 0;
    const int anyIndex = Doc().m_fonts.Add(any);
    EXPECT_EQ(Doc().FindOrAddFont(lf, 99, 30, 1, 0), anyIndex);
    EXPECT_EQ(Doc().FindOrAddFont(lf, 20, 30, 1, 0), narrow);

    // Taken away again (as a rollback does, which says so) and another font put in its place:
    // the table has its old size, but the new font is found and the old one is not.
    delete Doc().GetFont(anyIndex);
    Doc().m_fonts.RemoveAt(anyIndex);
    CTypeFont* taller = new CTypeFont(*Doc().GetFont(narrow));
    taller->m_height = 45;
    ASSERT_EQ(Doc().m_fonts.Add(taller), anyIndex);
    Doc().TablesChanged();
    EXPECT_EQ(Doc().FindOrAddFont(lf, 20, 45, 1, 0), anyIndex);
    EXPECT_EQ(Doc().FindOrAddFont(lf, 99, 30, 1, 0), anyIndex + 1);
    EXPECT_EQ(Doc().m_fonts.GetSize(), anyIndex + 2);
}

TEST_F(AttributeTablesTest, CurrentFontComesFromTheTextSettings)
{
    const std::int16_t f = Doc().FindOrAddCurrentFont(30);
    EXPECT_EQ(Doc().FindOrAddCurrentFont(30), f);
    EXPECT_EQ(Doc().GetFont(f)->m_height, m_app->m_appText.m_heightTenths);
    EXPECT_EQ(Doc().GetFont(f)->m_angle, 30);
    EXPECT_NE(Doc().FindOrAddCurrentFont(0), f);
}

TEST_F(AttributeTablesTest, AttributeStringEntries)
{
    struct Step {
        const char* entry;
        bool accepted;
        int mode;
        const char* message;   // nullptr when none is expected
    } steps[] = {
        {"Note", true, 0, nullptr},
        {"//Note", true, 1, nullptr},
        {"RESET Note", true, 2, nullptr},
        {"a", true, 0, nullptr},
        {"b", true, 0, nullptr},
        {"RENAME a,b,c", true, 3, nullptr},
        {"RN nothing,x", false, 3, "変更に該当する文字属性はありません"},
        {"RN c", false, 3, "変更名を示す区切り文字 , または ､ がありません"},
        {"RN ,x", false, 3, "変更前の属性文字がありません"},
        {"RN q,", false, 3, "変更後の属性文字がありません"},
        {"12L", false, 0, "属性文字に 数字L の文字列は使用できません"},
        {"3.5D", false, 0, "属性文字に 数字D の文字列は使用できません"},
        {"A,B", false, 0, "属性文字に comma や 句点 は使用できません"},
        {"L12", true, 0, nullptr},
        {"//missing", false, 1, "削除に該当する文字属性はありません"},
        {"RS missing", false, 2, "解除に該当する文字属性はありません"},
    };
    for (const Step& s : steps) {
        m_app->m_lastMessage.Empty();
        CString entry = s.entry;
        int index = -2, mode = -2;
        CDataString* got = Doc().FindOrAddAttributeString(entry, index, mode);
        EXPECT_EQ(got != nullptr, s.accepted) << s.entry;
        EXPECT_EQ(mode, s.mode) << s.entry;
        if (s.message)
            EXPECT_EQ(LastMessage(), s.message) << s.entry;
        else
            EXPECT_EQ(LastMessage(), "") << s.entry;
    }
    int index = -1;
    CDataString* note = Doc().FindAttributeString("note", index);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->m_text, "//Note");   // reset keeps the deleted text
    EXPECT_EQ(note->m_state, STATE_LIVE);
    EXPECT_NE(Doc().FindAttributeString("//NOTE", index), nullptr);
    EXPECT_EQ(Doc().GetString(index), note);

    CDataString* b = Doc().FindAttributeString("c", index);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(index, 2);   // "b" renamed to "c"
    EXPECT_EQ(Doc().FindAttributeString("b", index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_NE(Doc().FindAttributeString("a", index), nullptr);
}

TEST_F(AttributeTablesTest, DeletedAttributeStringIsRevivedByItsName)
{
    CString entry = "Note";
    int index, mode;
    Doc().FindOrAddAttributeString(entry, index, mode);
    entry = "//Note";
    CDataString* s = Doc().FindOrAddAttributeString(entry, index, mode);
    EXPECT_EQ(s->m_state, STATE_DELETED);
    EXPECT_EQ(s->m_text, "//Note");
    entry = "Note";
    s = Doc().FindOrAddAttributeString(entry, index, mode);
    EXPECT_EQ(s->m_state, STATE_LIVE);
    EXPECT_EQ(s->m_text, "Note");
    EXPECT_EQ(Doc().m_attrStrings.GetSize(), 1);
    // A renamed deleted string stays deleted by its text.
    entry = "//Note";
    Doc().FindOrAddAttributeString(entry, index, mode);
    entry = "RN Note,Memo";
    s = Doc().FindOrAddAttributeString(entry, index, mode);
    EXPECT_EQ(s->m_text, "//Memo");
}

TEST_F(AttributeTablesTest, NewAttributeStringIsTrimmedInPlace)
{
    CString entry = "  Part A ";
    int index, mode;
    CDataString* s = Doc().FindOrAddAttributeString(entry, index, mode);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(entry, "Part A");
    EXPECT_EQ(s->m_text, "Part A");
    EXPECT_EQ(index, 0);
}

TEST_F(AttributeTablesTest, LayersAreFoundWithoutRegardToCase)
{
    const std::int16_t abc = Doc().FindOrCreateLayer("ABC");
    EXPECT_EQ(Doc().FindOrCreateLayer("Abc"), abc);
    EXPECT_EQ(Doc().GetLayerIndex("abc"), abc);
    EXPECT_EQ(Doc().FindLayer("aBc"), abc);
    EXPECT_EQ(Doc().FindLayer(" ABC"), -1);
    EXPECT_EQ(Doc().m_layers.GetSize(), 2);
}

TEST_F(AttributeTablesTest, EmptyNameTakesAFreeNumberedLayerOrMakesOne)
{
    // The first layer "0000" holds nothing, so an empty name finds it.
    EXPECT_EQ(Doc().FindLayer(""), 0);
    Doc().AddPoint(Pt(0, 0), 0, Pen());
    EXPECT_EQ(Doc().FindLayer(""), -1);
    Doc().FindOrCreateLayer("X");
    Doc().FindOrCreateLayer("0003");
    Doc().FindOrCreateLayer("0003_");
    // The element on layer 0 and nothing on the others: "0003" is free and four digits.
    EXPECT_EQ(Doc().FindLayer(""), 2);
    Doc().AddPoint(Pt(0, 0), 2, Pen());

    RecordingView view;
    view.m_layerStates.Add(1);
    Doc().AddView(&view);
    const std::int16_t made = Doc().FindOrCreateLayer("");
    EXPECT_EQ(made, 4);
    EXPECT_EQ(Doc().GetLayer(made)->m_name, "0004");
    EXPECT_EQ(view.m_layerStates.GetSize(), 5);
    EXPECT_EQ(view.m_layerStates[4], 0);
    Doc().RemoveView(&view);
}

TEST_F(AttributeTablesTest, NumberedNameAtIndexThreeBeside0003And0003_)
{
    // 0000, 0003 and 0003_ all hold elements; the new layer takes index 3.
    Doc().AddPoint(Pt(0, 0), 0, Pen());
    Doc().FindOrCreateLayer("0003");
    Doc().FindOrCreateLayer("0003_");
    Doc().AddPoint(Pt(0, 0), 1, Pen());
    Doc().AddPoint(Pt(0, 0), 2, Pen());
    const std::int16_t made = Doc().FindOrCreateLayer("");
    ASSERT_EQ(made, 3);
    EXPECT_EQ(Doc().GetLayer(made)->m_name, "0003__");
}

TEST_F(AttributeTablesTest, TenSimilarNamesGiveADateTimeName)
{
    Doc().AddPoint(Pt(0, 0), 0, Pen());
    // The new layer will take index 11; its name and nine underscored variants are taken.
    CString name = "0011";
    for (int i = 0; i < 10; ++i) {
        std::int16_t l = Doc().FindOrCreateLayer(name);
        Doc().AddPoint(Pt(0, 0), l, Pen());
        name += "_";
    }
    Scripted().m_messages.clear();
    const std::int16_t made = Doc().FindOrCreateLayer("");
    ASSERT_EQ(Scripted().m_messages.size(), 1u);
    EXPECT_EQ(Scripted().m_messages[0].text,
              "0011__________ は、類似名称が10個以上あるので、日付時間のレイヤ名称にしました。");
    EXPECT_EQ(made, 11);
    // "%j_%H_%M_%S": day of the year and time of day.
    EXPECT_EQ(Doc().GetLayer(made)->m_name.GetLength(), 12);
}

TEST_F(AttributeTablesTest, LayerPatterns)
{
    // "ア" is 0x83 0x41: its second byte is an "A".
    const char* names[] = {"OUTERWALL", "WALL2", "BAR", "AB", "XXAY", "アB"};
    for (const char* n : names)
        Doc().FindOrCreateLayer(n);
    struct Case {
        const char* pattern;
        std::vector<int> found;
    } cases[] = {
        {"wall", {1, 2}},
        {"*WALL", {1, 2}},
        {"?A", {2, 3, 6}},   // a question mark steps over one byte, even half a character
        {"??A", {5}},
        // A star or question mark after a text is a wildcard too; the leading text then begins
        // the name.
        {"A*", {4}},
        {"wall*", {2}},
        {"*AB", {4}},
        {"B?R", {3}},
        {"X?A*", {5}},
        {"W*2", {2}},
        {"*L?2", {2}},
        {"*WALL*X", {}},
        {"", {0, 1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        CWordArray found;
        const int n = Doc().FindLayersByPattern(c.pattern, found);
        ASSERT_EQ(n, static_cast<int>(c.found.size())) << c.pattern;
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(found[i], c.found[static_cast<size_t>(i)]) << c.pattern;
    }
}

TEST_F(AttributeTablesTest, LayerNameRule)
{
    const char* reserved = "rename,rn は予約語でレイヤ名称の先頭には使用できません";
    struct Case {
        const char* name;
        const char* message;   // nullptr: accepted
    } cases[] = {
        {"rename1", reserved},
        {"RN", reserved},
        {" rn ", reserved},
        {"RNX", nullptr},
        {"+", "+ - は予約語でレイヤ名称には使用できません"},
        {"-A", "+ - はレイヤ名称の先頭には使用できません"},
        {"A-B", nullptr},
        {"A*", "* ? は予約語でレイヤ名称の一部には使用できません"},
        {"壁、柱", "区切り文字 ,､，、はレイヤ名称には使用できません"},
        {"壁，柱", "区切り文字 ,､，、はレイヤ名称には使用できません"},
        {"A,B", "区切り文字 ,､，、はレイヤ名称には使用できません"},
        {"壁", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        m_app->m_lastMessage.Empty();
        Scripted().m_beeps.clear();
        EXPECT_EQ(ValidateLayerName(c.name), c.message ? 0 : 1) << c.name;
        EXPECT_EQ(LastMessage(), c.message ? c.message : "") << c.name;
        EXPECT_EQ(Scripted().m_beeps.size(), c.message ? 1u : 0u) << c.name;
    }
}

TEST_F(AttributeTablesTest, LayerAndNameLists)
{
    Doc().FindOrCreateLayer("B");
    CStringArray names;
    Doc().GetLayerNames(names);
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_EQ(names[1], "B");
    CStringArray list;
    list.Add("B");
    list.Add("C");
    EXPECT_EQ(Doc().LayerIndexFromList(0, list), 1);
    EXPECT_EQ(Doc().LayerIndexFromList(1, list), 2);
    EXPECT_EQ(Doc().LayerIndexFromList(5, list), Doc().m_writeLayer);
    EXPECT_EQ(Doc().LayerIndexFromList(-1, list), Doc().m_writeLayer);
}

TEST_F(AttributeTablesTest, DxfColorNumbers)
{
    struct Case {
        COLORREF color;
        int number;
    } cases[] = {
        {RGB(255, 0, 0), 1},     {RGB(0, 0, 255), 5},   {RGB(0, 0, 0), 18},
        {RGB(1, 2, 3), 256},     {RGB(255, 255, 255), 7}, {RGB(0, 0, 128), 162},
        {RGB(255, 0, 125), 220},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Doc().ColorToDxfIndex(c.color), c.number) << std::hex << c.color;
    // The earlier of two equal standard colors wins; the comparison uses the current values.
    m_app->m_appColor.m_standardColors[5] = RGB(255, 0, 0);
    EXPECT_EQ(Doc().ColorToDxfIndex(RGB(255, 0, 0)), 1);
    m_app->m_appColor.m_standardColors[1] = RGB(9, 9, 9);
    EXPECT_EQ(Doc().ColorToDxfIndex(RGB(255, 0, 0)), 5);
}

TEST_F(AttributeTablesTest, ColorValuesGrowTheTableWithGaps)
{
    Doc().m_colors.Add(new CColor);
    Doc().m_colors.Add(new CColor);
    m_app->m_appColor.fallbackPenColor = RGB(10, 20, 30);
    EXPECT_EQ(Doc().GetColorValue(5), RGB(10, 20, 30));
    ASSERT_EQ(Doc().m_colors.GetSize(), 6);
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(Doc().GetColor(i), nullptr) << i;
    EXPECT_EQ(Doc().GetColorValue(3), 0u);
    EXPECT_NE(Doc().GetColor(3), nullptr);
    // A number no DXF file may carry leaves the table alone.
    EXPECT_EQ(Doc().GetColorValue(30000), RGB(10, 20, 30));
    EXPECT_EQ(Doc().GetColorValue(-1), RGB(10, 20, 30));
    EXPECT_EQ(Doc().m_colors.GetSize(), 6);
}

TEST_F(AttributeTablesTest, LookupsFollowChangesMadeBehindTheirBack)
{
    const std::int16_t a = Doc().FindOrCreateLayer("A");
    const std::int16_t b = Doc().FindOrCreateLayer("B");
    EXPECT_EQ(Doc().FindLayer("a"), a);
    // A rename in place: the old name is gone, the new one is found.
    Doc().GetLayer(a)->m_name = "WALL";
    EXPECT_EQ(Doc().FindLayer("A"), -1);
    EXPECT_EQ(Doc().FindLayer("wall"), a);
    // A layer appended directly (as a file reader does) is found too, and the first of two
    // equal names wins.
    CLayer* extra = new CLayer;
    extra->m_name = "b";
    Doc().m_layers.Add(extra);
    EXPECT_EQ(Doc().FindLayer("B"), b);
    Doc().GetLayer(b)->m_name = "C";
    EXPECT_EQ(Doc().FindLayer("B"), 3);

    // A pen changed in place is found by its old values no more, and by its new ones once the
    // change is told.
    const std::int16_t p = Doc().FindOrAddPen(1, 2, 3, 0, 70);
    const std::int16_t q = Doc().FindOrAddPen(1, 2, 5, 0, 70);
    Doc().GetPen(p)->m_color = 4;
    EXPECT_EQ(Doc().FindOrAddPen(1, 2, 3, 0, 70), q + 1);
    Doc().GetPen(q)->m_color = 6;
    Doc().TablesChanged();
    EXPECT_EQ(Doc().FindOrAddPen(1, 2, 4, 0, 70), p);
    EXPECT_EQ(Doc().FindOrAddPen(1, 2, 6, 0, 70), q);
    EXPECT_EQ(Doc().FindOrAddPen(1, 2, 5, 0, 70), q + 2);
}
