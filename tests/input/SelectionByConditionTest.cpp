// Selection by typed condition and by the attribute a picked element shares.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "input/PickList.h"
#include "tests/support/InputTape.h"
#include "tests/view/ViewTestSupport.h"

namespace {

class CMessageView : public CRecordedView {
public:
    std::vector<std::string> m_lines;
    void ShowMessageLine(const CString& text) override
    {
        m_lines.push_back(text.GetString());
        CRecordedView::ShowMessageLine(text);
    }
};

// Lines of 100, 99.5, 100.5 (solid), 101 (dotted), 50 (dashed) and one at 30 degrees; a
// circle and an arc of radius 100; a text holding "AB/CD".
void Populate(CZelkDoc& d)
{
    const std::int16_t solid = d.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    const std::int16_t dotted = d.FindOrAddPen(2, 1, RGB(255, 0, 0), 0, 70);
    const std::int16_t dashed = d.FindOrAddPen(1, 1, RGB(0, 0, 0), 0, 70);
    d.AddLine(W(0, 0), W(100, 0), 0, solid);
    d.AddLine(W(0, 10), W(99.5, 10), 0, solid);
    d.AddLine(W(0, 20), W(100.5, 20), 0, solid);
    d.AddLine(W(0, 30), W(101, 30), 0, dotted);
    d.AddLine(W(0, 40), W(50, 40), 0, dashed);
    d.AddLine(W(0, 500), W(10 * std::cos(M_PI / 6), 500 + 10 * std::sin(M_PI / 6)), 0, solid);
    d.AddCircle(W(300, 300), 100, 0, solid);
    d.AddArc(W(600, 300), 100, W(0, 90), 0, solid);
    d.AddText(W(0, -50), "xab/cdx", RGB(0, 0, 0), 8, 0, d.FindOrAddCurrentFont(0.0));
}

class SelectionByCondition : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        m_messages = new CMessageView;
        Doc().RemoveView(m_view.get());
        m_view.reset(m_messages);
        Doc().AddView(m_messages);
        m_app->m_activeView = m_messages;
        Populate(Doc());
    }
    CPickList& List() { return *Doc().m_pickList; }
    CMessageView* m_messages = nullptr;
};

} // namespace

TEST_F(SelectionByCondition, TypedConditions)
{
    struct Case {
        const char* condition;
        int selected;
        const char* message;   // shown on the way, or "" for none but the clearing
    } cases[] = {
        { "100L", 3, "" },                       // the line of 100, the circle and the arc
        { "100l,0.5", 5, "" },                   // both ends of the range included
        { "100L,0.5,7", 3, "項目数が多く、検索文字のフォーム違反です" },
        { "100L,abc", 0, "第二項に数字以外の文字が含まれています" },
        { "100L, 0.5 // note", 5, "" },
        { "100L,0.5//note", 5, "" },
        { "L", 0, "" },
        { "30D", 1, "" },
        { "30D,1", 1, "" },
        { "90D", 1, "" },                        // the arc's end angle
        { "T,S DT", 7, "" },                     // solid and dotted, the text left out
        { "T,DD", 0, "" },
        { "T", 0, "" },
        { "AB/CD", 1, "" },                      // a single "/" is no comment
        { "A/B/C", 0, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition);
        List().ClearMarks(MARK_SELECTED);
        m_messages->m_lines.clear();
        EXPECT_EQ(List().FindByCondition(c.condition), c.selected);
        const bool refused = std::string(c.message) == "第二項に数字以外の文字が含まれています";
        if (*c.message) {
            ASSERT_FALSE(m_messages->m_lines.empty());
            EXPECT_EQ(m_messages->m_lines.front(), c.message);
        }
        // The message line is cleared at the end, except after a refused tolerance.
        EXPECT_EQ(m_messages->m_lines.back(), refused ? c.message : "");
    }
}

TEST_F(SelectionByCondition, HiddenLayersAndUnselectableKindsAreLeftOut)
{
    const std::int16_t layer = Doc().FindOrCreateLayer("hidden");
    Doc().AddCircle(W(900, 900), 100, layer, 0);
    View().m_layerStates.SetSize(2);
    View().m_layerStates[1] = 1;
    EXPECT_EQ(List().FindByCondition("100L"), 3);
    List().ClearMarks(MARK_SELECTED);
    m_app->m_appFind.selectableKinds = static_cast<short>(m_app->m_appFind.selectableKinds & ~ELEM_CIRCLE);
    EXPECT_EQ(List().FindByCondition("100L"), 2);
}

namespace {

class SameAttribute : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.View().m_zoom = 1;
        m_tape.View().m_clientRectLogical = RECT{ -10000000, 10000000, 10000000, -10000000 };
        Populate(m_tape.Doc());
    }
    const CTapeStep& ClickIn(int mode, CPointD world)
    {
        m_tape.App().m_interruptMode = static_cast<std::int16_t>(mode);
        CZelkView& v = m_tape.View();
        const CPointD c = world.WorldToScreen(v.m_origin, v.m_zoom);
        const LONG x = static_cast<LONG>(c.m_x), y = static_cast<LONG>(c.m_y);
        v.m_pickRect = RECT{ x - 2, y + 2, x + 2, y - 2 };
        m_tape.Button(1, world);
        return m_tape.Button(2, world);
    }
    CInputTape m_tape;
};

} // namespace

TEST_F(SameAttribute, APickSelectsWhatSharesItsAttributeAndEndsTheMode)
{
    struct Case {
        int mode;
        CPointD at;
        const char* message;
    } cases[] = {
        { 41, W(50, 0), "指定要素と同じ属性の要素 3 個を選択し、群処理モードに入りました" },     // length 100
        { 42, W(300, 400), "指定要素と同じ属性の要素 0 個を選択し、群処理モードに入りました" },  // a circle
        // The arc near its start: angle 0, as the five level lines and the text; near its end: 90.
        { 42, W(600 + 100 * std::cos(M_PI / 36), 300 + 100 * std::sin(M_PI / 36)),
          "指定要素と同じ属性の要素 7 個を選択し、群処理モードに入りました" },
        { 42, W(600 + 100 * std::cos(17 * M_PI / 36), 300 + 100 * std::sin(17 * M_PI / 36)),
          "指定要素と同じ属性の要素 1 個を選択し、群処理モードに入りました" },
        { 43, W(50, 30), "指定要素と同じ属性の要素 1 個を選択し、群処理モードに入りました" },    // dotted
        { 44, W(50, 30), "指定要素と同じ属性の要素 1 個を選択し、群処理モードに入りました" },    // red
        { 45, W(25, 40), "指定要素と同じ属性の要素 1 個を選択し、群処理モードに入りました" },    // dashed, width 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        m_tape.Doc().m_groupProcessing = 0;
        m_tape.Doc().m_pickList->ClearMarks(MARK_SELECTED);
        const CTapeStep& step = ClickIn(c.mode, c.at);
        EXPECT_EQ(step.message, c.message);
        EXPECT_EQ(step.interruptMode, 0);
        EXPECT_EQ(m_tape.Doc().m_groupProcessing, 1);
    }
    // With a box selection open the message says so.
    m_tape.Doc().m_pickList->ClearMarks(MARK_SELECTED);
    EXPECT_EQ(ClickIn(41, W(50, 0)).message, "指定要素と同じ属性の要素 3 個を選択しました");
}

TEST_F(SelectionByCondition, AttributeStringsAndTexts)
{
    int index = 0, mode = 0;
    CString exact("ABC"), inside("xABCy");
    Doc().FindOrAddAttributeString(exact, index, mode);
    Doc().LineBlockAt(0)->m_slots[0].LinkAttributeString(&Doc(), 0, 0, index);
    Doc().FindOrAddAttributeString(inside, index, mode);
    auto* circles = static_cast<CCircles*>(Doc().m_circleBlocks[0]);
    circles->m_slots[0].LinkAttributeString(&Doc(), 0, 0, index);
    Doc().AddText(W(0, -80), "q*abcq", RGB(0, 0, 0), 8, 0, Doc().FindOrAddCurrentFont(0.0));
    // A leading star: attribute strings holding ABC, texts holding "*ABC".
    EXPECT_EQ(List().FindByCondition("*abc"), 3);
    List().ClearMarks(MARK_SELECTED);
    // Without: the attribute string ABC itself, texts holding ABC.
    EXPECT_EQ(List().FindByCondition("ABC"), 2);
    EXPECT_NE(Doc().LineBlockAt(0)->m_slots[0].m_mark & MARK_SELECTED, 0);
    EXPECT_EQ(circles->m_slots[0].m_mark & MARK_SELECTED, 0);
}
