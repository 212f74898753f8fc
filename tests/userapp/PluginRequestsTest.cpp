// Requests a plug-in writes about the open drawings, their views and layers, and the
// application's settings, served by the request passes of the real application.
#include "elements/Layer.h"
#include "tests/userapp/PluginHostFixture.h"
#include "userapp/UserAppRequests.h"

#include <cstring>

using namespace plugin_host;

namespace {

std::vector<std::string> Texts(const CStringArray& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetSize(); ++i)
        texts.push_back(list[i].GetString());
    return texts;
}

}  // namespace

TEST_F(PluginHost, DrawingsAreListedAndLookedUpByPositionAndId)
{
    StartRecorder();
    m_app->NewDrawing();
    const std::vector<CZelkDoc*> docs = UserAppDrawings();
    ASSERT_GE(docs.size(), 2u);
    std::vector<int> ids = {999};
    for (CZelkDoc* d : docs)
        ids.push_back(d->m_docNumber);
    m_block->m_numberLists[0].Add(999);
    Pass({20});
    EXPECT_EQ(Words(m_block->m_numberLists[0]), ids);

    CZelkDoc& second = *docs[1];
    second.m_name = "部品";
    second.m_headerName = "図名";
    second.m_loadedDates[3] = "作成の注記";
    second.m_memo.Add("メモ");
    second.m_ratio = 2.5;
    second.m_previewValue = 7;
    second.m_workMode = 4;
    m_block->m_docTable[0]->m_strings.Add("前から");
    struct Case {
        short code;
        int position;
        short status;
    } cases[] = {
        {32, static_cast<int>(docs.size()), 10}, {32, -1, 10}, {32, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        m_block->m_docTable[0]->m_docId = -5;
        m_block->m_intArgs[0][0] = c.position;
        Pass({c.code});
        EXPECT_EQ(m_block->m_status[0], c.status);
        EXPECT_EQ(m_block->m_docTable[0]->m_docId, c.status ? -5 : static_cast<short>(second.m_docNumber));
    }
    const UserAppDocRecord& r = *m_block->m_docTable[0];
    EXPECT_EQ(r.m_name, "部品");
    EXPECT_EQ(r.m_textFields[0], "図名");
    EXPECT_EQ(r.m_textFields[8], "作成の注記");
    EXPECT_EQ(Texts(r.m_strings), (std::vector<std::string>{"メモ", "前から"}));
    EXPECT_EQ(r.m_measureScale, 2.5);
    EXPECT_EQ(r.m_curLength, 7);
    EXPECT_EQ(r.m_curCount, 4);
    EXPECT_EQ(r.m_logicalWidth, 32000);

    // By id (33 short, 108 int), with the text fields of every drawing.
    m_block->m_shortArg0[0] = static_cast<short>(docs[0]->m_docNumber);
    m_block->m_intArgs[1][0] = static_cast<short>(second.m_docNumber);
    m_block->m_intArgs[2][0] = 70000;
    Pass({33, 108, 108, 22, 31});
    EXPECT_EQ(m_block->m_docTable[0]->m_docId, static_cast<short>(docs[0]->m_docNumber));
    EXPECT_EQ(m_block->m_docTable[1]->m_name, "部品");
    EXPECT_EQ(m_block->m_status[2], 11);
    EXPECT_EQ(Texts(m_block->m_textLists[3]).at(1), "部品");
    EXPECT_EQ(Texts(m_block->m_textLists[4]).at(1), "作成の注記");
}

TEST_F(PluginHost, ADrawingTakesItsDescriptiveFieldsFromTheRecord)
{
    StartRecorder();
    UserAppDocRecord& r = *m_block->m_docTable[0];
    r.m_path = "\\tmp\\新.zel";
    r.m_name = "新";
    r.m_textFields[1] = "2024/01/02";
    r.m_relOrigin.Init(5, 6);
    r.m_relAngle = 30;
    r.m_strings.Add("追加");
    r.m_measureScale = 99;
    m_doc->m_memo.Add("元");
    m_block->m_intArgs[0][0] = static_cast<short>(m_doc->m_docNumber);
    Pass({128});
    EXPECT_EQ(m_doc->m_path, "\\tmp\\新.zel");
    EXPECT_EQ(m_doc->m_name, "新");
    EXPECT_EQ(m_doc->m_renewalDate1, "2024/01/02");
    EXPECT_EQ(m_doc->m_relOrigin.m_x, 5);
    EXPECT_EQ(m_doc->m_relAngle, 30);
    EXPECT_EQ(Texts(m_doc->m_memo), (std::vector<std::string>{"追加", "元"}));
    EXPECT_EQ(m_doc->m_ratio, 1.0);
}

TEST_F(PluginHost, ViewsAreFoundByTheFirstViewsNumberOnly)
{
    StartRecorder();
    const short id = static_cast<short>(m_doc->m_docNumber);
    const short number = m_view->m_viewNumber;
    m_view->m_zoom = 3;
    m_view->m_layerStates.SetSize(2);
    m_view->m_layerStates[1] = 1;
    struct Case {
        short code;
        short short0;
        int int0;
        int int1;
        short status;
    } cases[] = {
        {51, id, 0, 0, 0}, {51, id, 1, 0, 12}, {51, static_cast<short>(id + 100), 0, 0, 11},
        {52, number, 0, 0, 0}, {52, static_cast<short>(number + 100), 0, 0, 12},
        {109, 0, id, number, 0}, {109, 0, id, number + 1, 12}, {109, 0, id + 100, number, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.int0 << " " << c.int1);
        UserAppViewRecord& r = *m_block->m_viewTable[0];
        r.m_zoom = -1;
        r.m_layerHidden.RemoveAll();
        m_block->m_shortArg0[0] = c.short0;
        m_block->m_intArgs[0][0] = c.int0;
        m_block->m_intArgs[0][1] = c.int1;
        Pass({c.code});
        EXPECT_EQ(m_block->m_status[0], c.status);
        EXPECT_EQ(r.m_zoom, c.status ? -1 : 3);
        if (c.status == 0) {
            EXPECT_EQ(r.m_viewNumber, number);
            EXPECT_EQ(r.m_docId, id);
            EXPECT_EQ(Words(r.m_layerHidden), (std::vector<int>{0, 1}));
        }
    }
    m_block->m_shortArg0[0] = id;
    Pass({50});
    EXPECT_EQ(Words(m_block->m_numberLists[0]), std::vector<int>{number});

    // 129 takes the record's flags in front of the view's own.
    UserAppViewRecord& r = *m_block->m_viewTable[0];
    r.m_layerHidden.RemoveAll();
    r.m_layerHidden.Add(1);
    r.m_valueB = 0;
    m_block->m_intArgs[0][0] = id;
    m_block->m_intArgs[0][1] = number;
    Pass({129});
    EXPECT_EQ(Words(m_view->m_layerStates), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(m_view->m_fitOnResize, 0);
}

TEST_F(PluginHost, LayersAreFoundCreatedAndMadeTheWriteLayer)
{
    StartRecorder();
    CZelkDoc* other = m_app->CreateDrawingDoc("other", "other", FALSE);
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other, m_app->GetActiveDrawingDoc());
    m_app->m_activeView = m_view;
    const short id = static_cast<short>(m_doc->m_docNumber);
    const short otherId = static_cast<short>(other->m_docNumber);
    const int layers = m_doc->m_layers.GetSize();

    m_block->m_shortArg0[0] = id;
    m_block->m_stringArgs[0][0] = "部品";
    m_block->m_shortArg0[1] = id;
    m_block->m_stringArgs[1][0] = "ぶひん";
    m_block->m_shortArg0[2] = id;
    m_block->m_textLists[2].Add("前");
    Pass({71, 72, 70});
    EXPECT_EQ(m_doc->m_layers.GetSize(), layers + 2);
    EXPECT_EQ(m_doc->m_writeLayer, layers + 1);
    EXPECT_EQ(m_block->m_writeLayer, layers + 1);
    const std::vector<std::string> names = Texts(m_block->m_textLists[2]);
    ASSERT_EQ(names.size(), static_cast<size_t>(layers + 3));
    EXPECT_EQ(names[static_cast<size_t>(layers)], "部品");
    EXPECT_EQ(names.back(), "前");

    // A drawing that is not the active one takes the write layer, the block does not.
    m_block->m_shortArg0[0] = otherId;
    m_block->m_stringArgs[0][0] = "別";
    Pass({72});
    EXPECT_EQ(other->m_layers.GetSize() > 0, true);
    EXPECT_EQ(other->m_writeLayer, other->FindLayer("別"));
    EXPECT_EQ(m_block->m_writeLayer, layers + 1);
}

TEST_F(PluginHost, LayerDisplayFlagsFollowTheIndexRules)
{
    StartRecorder();
    const short id = static_cast<short>(m_doc->m_docNumber);
    const short number = m_view->m_viewNumber;
    for (const char* name : {"A", "B", "C", "D"})
        m_doc->FindOrCreateLayer(name);
    const int layers = m_doc->m_layers.GetSize();
    m_doc->GetLayer(1)->m_name = "Parts";
    m_doc->TablesChanged();
    const CString second = "PARTS";
    auto setArgs = [&](int slot) {
        m_block->m_shortArg0[slot] = id;
        m_block->m_shortArg1[slot] = number;
    };

    // 74 resets the flags to the layer count.
    m_view->m_layerStates.RemoveAll();
    m_view->m_layerStates.Add(1);
    setArgs(0);
    Pass({74});
    EXPECT_EQ(Words(m_view->m_layerStates), std::vector<int>(static_cast<size_t>(layers), 0));

    // 76 by names (case ignored, unknown ones passed over) and by numbers below the list's
    // length; 75 shows again.
    setArgs(0);
    m_block->m_textLists[0].Add(second);
    m_block->m_textLists[0].Add("無い層");
    m_block->m_numberLists[0].Add(static_cast<WORD>(layers - 1));
    m_block->m_numberLists[0].Add(static_cast<WORD>(layers));
    m_block->m_numberLists[0].Add(65535);
    Pass({76});
    std::vector<int> expected(static_cast<size_t>(layers), 0);
    expected[1] = 1;
    expected.back() = 1;
    EXPECT_EQ(Words(m_view->m_layerStates), expected);
    setArgs(0);
    Pass({75});
    EXPECT_EQ(Words(m_view->m_layerStates), std::vector<int>(static_cast<size_t>(layers), 0));

    // By name (78, 77) and by index (80, 79): a missing layer or an index out of range
    // changes nothing and leaves status 0. A shortened list grows back as needed.
    m_view->m_layerStates.SetSize(1);
    struct Case {
        short code;
        const char* name;
        int index;
        std::vector<int> flags;
    } cases[] = {
        {78, "無い層", 0, {0}},
        {80, "", -1, {0}},
        {80, "", layers, {0}},
        {80, "", 2, {0, 0, 1}},
        {79, "", 2, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.index);
        setArgs(0);
        m_block->m_stringArgs[0][0] = c.name;
        m_block->m_intArgs[0][0] = c.index;
        Pass({c.code});
        EXPECT_EQ(m_block->m_status[0], 0);
        EXPECT_EQ(Words(m_view->m_layerStates), c.flags);
    }
    setArgs(0);
    m_block->m_stringArgs[0][0] = second;
    Pass({78});
    EXPECT_EQ(Words(m_view->m_layerStates), (std::vector<int>{0, 1, 0}));

    // 73 lists the flags; a wrong view number is status 12.
    setArgs(0);
    setArgs(1);
    m_block->m_numberLists[0].RemoveAll();
    m_block->m_shortArg1[1] = static_cast<short>(number + 1);
    Pass({73, 73});
    EXPECT_EQ(Words(m_block->m_numberLists[0]), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(m_block->m_status[1], 12);
}

TEST_F(PluginHost, SettingsAreReadIntoTheSlotAndWrittenBack)
{
    StartRecorder();
    // Before any request the record holds its own defaults.
    const UserAppElemRecord& fresh = *m_block->m_elemTable[3];
    EXPECT_EQ(fresh.m_thickWidth, 5);
    EXPECT_EQ(fresh.m_lineWidth, 1);
    EXPECT_EQ(fresh.m_blurCount, 3);
    EXPECT_EQ(fresh.m_blurRate, 70);

    // 100 copies the application's values over the record's.
    EXPECT_EQ(m_block->m_accTable[0]->m_digits2, 3);
    Pass({100});
    EXPECT_EQ(m_block->m_accTable[0]->m_digits2, m_app->m_appAcc.m_digits2);
    EXPECT_EQ(m_block->m_accTable[0]->m_digits2, 6);

    // 104 then 124 keeps every value and marks the six pen settings as taken over.
    CAppElem& elem = m_app->m_appElem;
    elem.m_mask = 0;
    elem.m_lineWidth = 3;
    elem.m_diameterMark = "径";
    Pass({104});
    Pass({124});
    EXPECT_EQ(elem.m_lineWidth, 3);
    EXPECT_EQ(elem.m_diameterMark, "径");
    EXPECT_EQ(elem.m_mask, CAppElem::kMaskThickWidth | CAppElem::kMaskLineWidth | CAppElem::kMaskLineType |
                               CAppElem::kMaskColor | CAppElem::kMaskBlurCount | CAppElem::kMaskBlurRate);

    // 103 twice lists each color twice.
    const int standard = m_app->m_appColor.m_standardColorList.GetSize();
    Pass({103});
    Pass({103});
    const CDWordArray& listed = m_block->m_colorTable[0]->m_standardColors;
    ASSERT_EQ(listed.GetSize(), 2 * standard);
    for (int i = 0; i < standard; ++i)
        EXPECT_EQ(listed[i], listed[i + standard]) << i;
    EXPECT_EQ(m_block->m_colorTable[0]->m_userColors.GetSize(), 2 * m_app->m_appColor.m_userColors.GetSize());

    // Folders in the record's order, and back.
    Pass({101});
    EXPECT_EQ(m_block->m_pathTable[0]->m_appFolder, m_app->m_appPath.m_appFolder);
    EXPECT_EQ(m_block->m_pathTable[0]->m_dataFolder, m_app->m_appPath.m_initialDataFolder);
    m_block->m_pathTable[0]->m_symbolFolder = "\\記号\\";
    Pass({121});
    EXPECT_EQ(m_app->m_appPath.m_symbolFolder, "\\記号\\");
}

TEST_F(PluginHost, SettingsWrittenBackStayWithinTheirRanges)
{
    StartRecorder();
    Pass({105, 106, 102});
    UserAppTextSetRecord& text = *m_block->m_textSetTable[0];
    text.m_anchor = 2;
    std::memset(text.m_logFont.lfFaceName, 'A', sizeof text.m_logFont.lfFaceName);
    text.m_slantAngle = 1e9;
    m_block->m_drawTable[1]->m_short08 = 30000;
    m_block->m_findTable[2]->m_pickHalfSize = -7;
    m_app->m_appText.m_mask = 0;
    Pass({125, 126, 122});
    const CAppText& t = m_app->m_appText;
    EXPECT_EQ(t.m_anchor, 2);
    EXPECT_EQ(t.m_logFont.lfFaceName[LF_FACESIZE - 1], '\0');
    EXPECT_EQ(t.m_slantAngle, 3600.0);
    EXPECT_NE(t.m_mask & CAppText::kMaskAnchor, 0u);
    EXPECT_NE(t.m_mask & CAppText::kMaskLogFont, 0u);
    EXPECT_EQ(m_app->m_appDraw.zoomWindowFactor, 20);
    EXPECT_EQ(m_app->m_appFind.pickHalfSize, 0);
}

TEST_F(PluginHost, NoLayerIsMadePastTheLastLayerNumber)
{
    StartRecorder();
    m_doc->GetLayer(0)->m_name = "既存";
    while (m_doc->m_layers.GetSize() <= 32767)
        m_doc->m_layers.Add(new CLayer);
    m_doc->m_writeLayer = 1;
    const std::int16_t writeLayer = m_doc->m_writeLayer;
    for (int s = 0; s < 2; ++s)
        m_block->m_shortArg0[s] = static_cast<short>(m_doc->m_docNumber);
    m_block->m_stringArgs[0][0] = "新しい層";
    m_block->m_stringArgs[1][0] = "新しい層";
    Pass({71, 72});
    EXPECT_EQ(m_doc->m_layers.GetSize(), 32768);
    EXPECT_EQ(m_doc->m_writeLayer, writeLayer);
    // A layer that exists is still found.
    m_block->m_shortArg0[0] = static_cast<short>(m_doc->m_docNumber);
    m_block->m_stringArgs[0][0] = "既存";
    Pass({72});
    EXPECT_EQ(m_doc->m_writeLayer, 0);
}
