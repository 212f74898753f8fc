// The layer operations: the write layer from typed lines, Enter and picks, renames, the
// reference-layer display of a view and the layers of picked elements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/LayerOps.h"
#include "input/PickList.h"
#include "platform/core/Services.h"
#include "tests/view/ViewTestSupport.h"

namespace {

// A view that keeps the display words as they stood when it was asked to redraw.
class CLayerView : public CRecordedView {
public:
    std::vector<std::vector<int>> m_wordsAtRedraw;
    void RedrawElements(int clipKind) override
    {
        std::vector<int> words;
        for (int i = 0; i < m_layerStates.GetSize(); ++i)
            words.push_back(m_layerStates[i]);
        m_wordsAtRedraw.push_back(words);
        CRecordedView::RedrawElements(clipKind);
    }
};

class LayerOpsTest : public testing::Test {
protected:
    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;
    std::unique_ptr<CLayerView> m_view;
    std::int16_t m_pen = 0;

    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->m_layerOps = new CLayerOps;
        m_app->m_inputBar = new CInputBar;
        m_doc = std::make_unique<CZelkDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_view = std::make_unique<CLayerView>();
        m_doc->AddView(m_view.get());
        m_view->m_clientRectLogical = RECT{ 0, 0, 1000, -600 };
        m_app->m_activeView = m_view.get();
        m_pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    }
    void TearDown() override
    {
        m_doc->RemoveView(m_view.get());
        m_view.reset();
        m_doc.reset();
        delete m_app->m_layerOps;
        delete m_app->m_inputBar;
        m_app->m_layerOps = nullptr;
        m_app->m_inputBar = nullptr;
        g_pApp = nullptr;
        m_app.reset();
    }

    CLayerOps& Ops() { return *m_app->m_layerOps; }
    int Layer(const char* name) { return m_doc->FindOrCreateLayer(name); }
    std::string Name(int i) { return m_doc->GetLayer(i)->m_name.GetString(); }
    void LineOn(int layer, double y = 0)
    {
        m_doc->AddLine(W(0, y), W(10, y), static_cast<std::int16_t>(layer), m_pen);
    }
    // A typed line of the layer list in a layer mode, as the input box posts it.
    void Type(int mode, const char* text)
    {
        m_app->m_interruptMode = static_cast<std::int16_t>(mode);
        m_app->m_inputBar->m_enteredText = text;
        m_doc->m_inputEvent->PostText(text, 31);
    }
    std::string Message() const { return m_app->m_lastMessage.GetString(); }
    size_t Beeps() const { return DefaultScriptedServices().m_beeps.size(); }
    std::vector<int> Words() const
    {
        std::vector<int> out;
        for (int i = 0; i < m_view->m_layerStates.GetSize(); ++i)
            out.push_back(m_view->m_layerStates[i]);
        return out;
    }
};

} // namespace

TEST_F(LayerOpsTest, TypedLinesOfTheWriteLayerMode)
{
    // One fresh drawing per line: 0000 holds a line, 0001 is empty, abc exists for some rows.
    struct Case {
        const char* line;
        bool withAbc;
        int writeLayer;              // by name
        const char* writeName;
        const char* message;
        size_t beeps;
        bool lineCleared;
    } cases[] = {
        { "", false, 1, "0001", "未使用または新レイヤ No.1(0001) 書き込みレイヤとしました", 0, false },
        { "abc,def", false, 2, "abc", "未使用または新レイヤ No2(abc) を書き込みレイヤとしました", 1, true },
        { "ABC", true, 2, "abc", "レイヤ No2(abc) を書き込みレイヤとしました", 1, true },
        { "*1", false, 1, "0001", "レイヤ No1(0001) を書き込みレイヤとしました", 1, true },
        { "x?z", false, 0, "0000", "x?z に該当するレイヤ名はありません", 0, false },
        { "rn,0001,new", false, 1, "new", "レイヤ No1(0001) を newに改名して書き込みレイヤとしました", 1, true },
        { "rn,abc,ABC", true, 0, "0000", "ABC の名称のレイヤはすでに存在しますので名称変更はできません", 1, false },
        { "rn,abc,abc", true, 2, "abc", "レイヤ No2(abc) を書き込みレイヤとしました", 1, true },
        { "rn,zzz,new", false, 0, "0000", "zzz の名称のレイヤは存在しません", 1, false },
        { "rn,0001,a*b", false, 0, "0000", "* ? は予約語でレイヤ名称の一部には使用できません", 1, false },
        { "rename", false, 0, "0000", "", 0, false },
        // A lone reserved word is passed over and the next token taken.
        { "rn,abc", true, 2, "abc", "レイヤ No2(abc) を書き込みレイヤとしました", 1, true },
        { "+", false, 0, "0000", "+ - は予約語でレイヤ名称には使用できません", 1, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        m_doc->FreeContents();
        m_doc->InitContents();
        m_pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
        ASSERT_EQ(Name(0), "0000");
        LineOn(0);
        Layer("0001");
        if (c.withAbc)
            Layer("abc");
        m_app->m_lastMessage.Empty();
        const size_t beeps = Beeps();
        Type(33, c.line);
        EXPECT_EQ(Message(), c.message);
        EXPECT_EQ(Beeps() - beeps, c.beeps);
        EXPECT_EQ(m_doc->m_writeLayer, c.writeLayer);
        EXPECT_EQ(Name(m_doc->m_writeLayer), c.writeName);
        EXPECT_EQ(m_app->m_inputBar->m_enteredText.IsEmpty(), c.lineCleared || std::string(c.line).empty());
    }
    // Only the first name of "abc,def" was made a layer.
    m_doc->FreeContents();
    m_doc->InitContents();
    Type(33, "abc,def");
    EXPECT_GE(m_doc->FindLayer("abc"), 0);
    EXPECT_EQ(m_doc->FindLayer("def"), -1);
}

TEST_F(LayerOpsTest, RenameThenACaseOnlyRenameIsRefused)
{
    LineOn(0);
    Layer("0001");
    Type(33, "rn,0001,abc");
    EXPECT_EQ(Name(1), "abc");
    Type(33, "rn,abc,ABC");
    EXPECT_EQ(Message(), "ABC の名称のレイヤはすでに存在しますので名称変更はできません");
    EXPECT_EQ(Name(1), "abc");
    // The lookup follows the rename: the old name is gone.
    EXPECT_EQ(m_doc->FindLayer("0001"), -1);
    EXPECT_EQ(m_doc->FindLayer("ABC"), 1);
}

TEST_F(LayerOpsTest, NewWriteLayerTakesAnEmptyNumberedLayerOrMakesOne)
{
    LineOn(0);
    Layer("0001");
    Ops().NewWriteLayer(m_doc.get());
    EXPECT_EQ(m_doc->m_writeLayer, 1);
    EXPECT_EQ(Message(), "未使用または新レイヤ No.1(0001) を書き込みレイヤとしました");
    EXPECT_EQ(Beeps(), 0u);
    // Once 0001 holds an element too, a layer is made.
    LineOn(1);
    Ops().NewWriteLayer(m_doc.get());
    EXPECT_EQ(m_doc->m_layers.GetSize(), 3);
    EXPECT_EQ(m_doc->m_writeLayer, 2);
    EXPECT_EQ(Message(), "未使用または新レイヤ No.2(" + Name(2) + ") を書き込みレイヤとしました");
}

TEST_F(LayerOpsTest, SettingTheWriteLayerShowsItInEveryViewAndRefusesAnUnknownIndex)
{
    Layer("A");
    m_view->m_layerStates.SetSize(2);
    m_view->m_layerStates[1] = 1;
    EXPECT_EQ(Ops().SetWriteLayer(m_doc.get(), 1), m_doc->GetLayer(1));
    EXPECT_EQ(Words(), (std::vector<int>{ 0, 0 }));
    EXPECT_EQ(Ops().SetWriteLayer(m_doc.get(), 2), nullptr);
    EXPECT_EQ(Ops().SetWriteLayer(m_doc.get(), -1), nullptr);
    EXPECT_EQ(m_doc->m_writeLayer, 1);
}

TEST_F(LayerOpsTest, HidingByPatternMovesTheWriteLayerToTheFirstShownLayer)
{
    // 0: WORKA (write layer), 1: keep, 2: WORKB, 3: the print frames (hidden at first),
    // 4: a shown layer holding WORK further in.
    m_doc->GetLayer(0)->m_name = "WORKA";
    Layer("keep");
    Layer("WORKB");
    Layer("frame_work_print");
    Layer("MYWORK");
    m_view->m_layerStates.SetSize(5);
    m_view->m_layerStates[3] = 1;
    m_view->m_printLayerIndex = -1;
    Type(35, "-WORK*");
    // The redraw saw the pending words: the layers starting with WORK going hidden, the others
    // as they were.
    ASSERT_EQ(m_view->m_wordsAtRedraw.size(), 1u);
    EXPECT_EQ(m_view->m_wordsAtRedraw[0], (std::vector<int>{ 129, 0, 129, 1, 0 }));
    EXPECT_EQ(Words(), (std::vector<int>{ 1, 0, 1, 1, 0 }));
    EXPECT_EQ(m_doc->m_writeLayer, 1);
    EXPECT_EQ(Message(), "keep を書き込みレイヤとしました");
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), 1u);
    // Every pause went through the services.
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, (std::vector<DWORD>{ 2000 }));
    EXPECT_EQ(m_view->m_printLayerIndex, -1);

    // A leading star finds WORK anywhere in a name; the write layer was not among them.
    DefaultScriptedServices() = CScriptedServices();
    m_view->m_wordsAtRedraw.clear();
    Type(35, "-*WORK");
    ASSERT_EQ(m_view->m_wordsAtRedraw.size(), 1u);
    EXPECT_EQ(m_view->m_wordsAtRedraw[0], (std::vector<int>{ 129, 0, 129, 129, 129 }));
    EXPECT_EQ(Words(), (std::vector<int>{ 1, 0, 1, 1, 1 }));
    EXPECT_EQ(m_doc->m_writeLayer, 1);
    EXPECT_TRUE(DefaultScriptedServices().m_beeps.empty());

    // A plus sign shows again; the shown print-frame layer becomes the view's.
    Type(35, "+frame_work_print,WORKB");
    EXPECT_EQ(Words(), (std::vector<int>{ 1, 0, 0, 0, 1 }));
    EXPECT_EQ(m_view->m_printLayerIndex, 3);
    EXPECT_EQ(m_doc->m_writeLayer, 1);
}

TEST_F(LayerOpsTest, ReferenceLinesReportEachTokenAndPause)
{
    Layer("A");
    Layer("B");
    m_view->m_layerStates.SetSize(3);
    Type(35, "nosuch,Q*,rn,A,B,rn,A,C");
    // The last message: A renamed to C while the flag shows it.
    EXPECT_EQ(Message(), "レイヤ No1(A) を Cに改名して参照レイヤとします");
    EXPECT_EQ(Name(1), "C");
    EXPECT_EQ(m_doc->FindLayer("c"), 1);
    EXPECT_EQ(m_doc->FindLayer("A"), -1);
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, (std::vector<DWORD>(4, 2000)));
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), 2u);   // unknown name, name taken
    // Hiding the write layer by a rename: with nothing else shown a fresh layer is made.
    m_view->m_layerStates[1] = 1;
    m_view->m_layerStates[2] = 1;
    Type(35, "-rn,0000,Z");
    EXPECT_EQ(Name(0), "Z");
    EXPECT_EQ(m_doc->m_layers.GetSize(), 4);
    EXPECT_EQ(m_doc->m_writeLayer, 3);
    EXPECT_EQ(Message(), "未使用または新レイヤ No.3(" + Name(3) + ") を書き込みレイヤとしました");
    EXPECT_EQ(Words(), (std::vector<int>{ 1, 1, 1, 0 }));
}

TEST_F(LayerOpsTest, PickedElementsToggleTheirLayersOncePerCall)
{
    Layer("A");
    Layer("B");
    LineOn(1, 0);
    LineOn(1, 5);
    LineOn(2, 10);
    m_view->m_layerStates.SetSize(3);
    m_view->m_layerStates[1] = 1;
    CPickList& list = *m_doc->m_pickList;
    list.markMask = 16;
    // Both elements of the hidden layer A and the one of the shown layer B are marked.
    CLines* block = m_doc->LineBlockAt(0);
    for (int s = 0; s < 3; ++s)
        block->m_slots[s].m_mark = 16;
    Ops().ToggleLayersOfPicked(m_doc.get(), m_view.get());
    ASSERT_EQ(m_view->m_wordsAtRedraw.size(), 1u);
    EXPECT_EQ(m_view->m_wordsAtRedraw[0], (std::vector<int>{ 0, 128, 129 }));
    EXPECT_EQ(Words(), (std::vector<int>{ 0, 0, 1 }));
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(block->m_slots[s].m_mark & 16, 0);
}

TEST_F(LayerOpsTest, APickOfTheWriteLayerModeNamesTheElementsLayer)
{
    const int named = Layer("Parts");
    LineOn(named);
    CPickList& list = *m_doc->m_pickList;
    list.SetSingleCandidate(0, 0, 0, 4);
    list.m_current = 0;
    m_app->m_interruptMode = 33;
    m_doc->m_inputEvent->PostPick(19);
    EXPECT_EQ(m_doc->m_writeLayer, named);
    EXPECT_EQ(Message(), "レイヤ No." + std::to_string(named) + "(Parts) を書き込みレイヤとしました");
    EXPECT_EQ(list.GetCount(), 0);
    // An unnamed layer is announced as such.
    m_doc->GetLayer(named)->m_name.Empty();
    list.SetSingleCandidate(0, 0, 0, 4);
    list.m_current = 0;
    m_doc->m_inputEvent->PostPick(19);
    EXPECT_EQ(Message(), "レイヤ No." + std::to_string(named) + "(無名) を書き込みレイヤとしました");
}

TEST_F(LayerOpsTest, CountsOfALayerByKindLiveOrDeleted)
{
    const int a = Layer("A");
    LineOn(a, 0);
    LineOn(a, 1);
    LineOn(0, 2);
    m_doc->LineBlockAt(0)->m_slots[1].m_state = STATE_DELETED;
    int p, l, c, r, k, v, t, o;
    EXPECT_EQ(CLayerOps::CountElementsOnLayer(m_doc.get(), a, 0, p, l, c, r, k, v, t, o), 1);
    EXPECT_EQ(l, 1);
    EXPECT_EQ(CLayerOps::CountElementsOnLayer(m_doc.get(), a, 1, p, l, c, r, k, v, t, o), 1);
    EXPECT_EQ(CLayerOps::CountElementsOnLayer(m_doc.get(), 5, 0, p, l, c, r, k, v, t, o), 0);
}
