// Switching the command kind and the modes, and the guidance and preview taken from whatever
// owns the input.
#include "app/TrainingState.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "commands/line/PointCommand.h"
#include "elements/Layer.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "input/InputBar.h"
#include "input/PickList.h"
#include "platform/ui/UiServices.h"
#include "tests/support/InputTape.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>


namespace {

TEST(ModeSwitch, ScreenOperationAndIntersectionCycleOffOnContinuousOff)
{
    CInputTape tape;
    CZelkApp& app = tape.App();
    app.SwitchMode(&tape.Doc(), &tape.View(), 3, 53, 0);
    EXPECT_EQ(app.m_specialMode, 53);
    EXPECT_EQ(app.m_specialRepeat, 0);
    app.SwitchMode(&tape.Doc(), &tape.View(), 3, 53, 0);
    EXPECT_EQ(app.m_specialMode, 53);
    EXPECT_EQ(app.m_specialRepeat, 1);
    EXPECT_EQ(tape.View().m_messageText, CString("画面連続操作モードです"));
    app.SwitchMode(&tape.Doc(), &tape.View(), 3, 53, 0);
    EXPECT_EQ(app.m_specialMode, 0);
    EXPECT_EQ(app.m_lastStatus, 0);
    EXPECT_EQ(tape.View().m_messageText, CString("画面操作コマンドを解除しました"));

    app.SwitchMode(&tape.Doc(), &tape.View(), 3, 70, 0);
    EXPECT_EQ(app.m_lastStatus, 12);
    EXPECT_EQ(tape.View().m_messageText, CString("２要素交点モードです"));
    app.SwitchMode(&tape.Doc(), &tape.View(), 3, 70, 0);
    EXPECT_EQ(app.m_specialRepeat, 1);
    app.SwitchMode(&tape.Doc(), &tape.View(), 3, 70, 0);
    EXPECT_EQ(app.m_specialMode, 0);
    EXPECT_EQ(app.m_lastStatus, 12);  // asked once more, it is continuous at once
    EXPECT_EQ(tape.View().m_messageText, CString("２要素交点コマンドを解除しました"));
}

TEST(ModeSwitch, CommandSwitchEndsTheModesAndAnnouncesScaleWidthAndBannerOnce)
{
    CInputTape tape;
    CZelkApp& app = tape.App();
    tape.View().m_clientRectLogical = RECT{0, 0, 1500, -900};
    tape.View().m_zoom = 10;
    app.m_interruptMode = 37;
    app.m_specialMode = 53;
    app.m_interruptKind = 2;
    app.SwitchMode(&tape.Doc(), &tape.View(), 1, 3, 0);
    EXPECT_EQ(app.m_commandKind, 3);
    EXPECT_EQ(app.m_interruptMode, 0);
    EXPECT_EQ(app.m_specialMode, 0);
    EXPECT_EQ(app.m_interruptKind, 0);
    EXPECT_EQ(app.m_lastStatus, 7);
    EXPECT_EQ(tape.Doc().m_circleCmd->m_circleFlag, 1);
    EXPECT_EQ(tape.View().m_messageText,
              CString("尺度1 画面幅 150mm  ポップアップメニューモード : マルチコマンドモードは [設定][ポップアップメニューを表示しない] をチェック"));
    app.SwitchMode(&tape.Doc(), &tape.View(), 1, 4, 0);
    EXPECT_EQ(tape.View().m_messageText, CString("尺度1 画面幅 150mm"));
    EXPECT_EQ(tape.Doc().m_circleCmd->m_circleFlag, 0);

    // From the reference-layer mode only the mode ends and the kind is set.
    app.m_interruptMode = 35;
    app.m_interruptKind = 2;
    app.m_savedLayerCondition = 1;
    app.m_appElem.m_layerCondition = 2;
    app.SwitchMode(&tape.Doc(), &tape.View(), 1, 2, 0);
    EXPECT_EQ(app.m_commandKind, 2);
    EXPECT_EQ(app.m_interruptMode, 0);
    EXPECT_EQ(app.m_interruptKind, 2);
    EXPECT_EQ(app.m_savedLayerCondition, 1);

    // A training note refuses another command and leaves everything.
    CTrainingState training;
    training.m_active = 1;
    app.m_trainingState = &training;
    app.m_interruptMode = 38;
    app.SwitchMode(&tape.Doc(), &tape.View(), 1, 7, 0);
    EXPECT_EQ(app.m_commandKind, 2);
    EXPECT_EQ(app.m_interruptMode, 38);
    EXPECT_EQ(tape.View().m_messageText, CString("このトレーニングノートの中ではコマンドの切り替えはできません"));
    app.m_trainingState = nullptr;
}

TEST(ModeSwitch, LeavingTheReferenceLayersKeepsTheWriteLayerVisible)
{
    CInputTape tape;
    CZelkApp& app = tape.App();
    CZelkDoc& doc = tape.Doc();
    CZelkView& view = tape.View();
    doc.FindOrCreateLayer("下書き");
    const std::int16_t shown = doc.FindOrCreateLayer("本図");
    doc.m_writeLayer = 0;
    view.m_showAllLayers = 0;
    view.m_layerStates.SetSize(doc.m_layers.GetSize());
    for (int i = 0; i < view.m_layerStates.GetSize(); ++i)
        view.m_layerStates[i] = i == shown ? 0 : 1;
    app.m_interruptMode = 35;
    app.SwitchMode(&doc, &view, 2, 0, 0);
    EXPECT_EQ(app.m_interruptMode, 0);
    EXPECT_EQ(doc.m_writeLayer, shown);
    EXPECT_EQ(view.m_messageText, CString("本図 を書き込みレイヤとしました"));

    // Shown already: it is named.
    app.m_interruptMode = 35;
    app.SwitchMode(&doc, &view, 2, 0, 0);
    EXPECT_EQ(view.m_messageText, CString("書き込みレイヤは 本図 です。"));

    // Without a view the layer check is left out.
    app.m_interruptMode = 35;
    doc.m_writeLayer = 0;
    app.SwitchMode(&doc, nullptr, 2, 0, 0);
    EXPECT_EQ(doc.m_writeLayer, 0);
}

TEST(ModeSwitch, LayerModesOfferTheLayersAndTheInterpretationTakesTheBoxedTextsItShows)
{
    CInputTape tape;
    CZelkApp& app = tape.App();
    CZelkDoc& doc = tape.Doc();
    CZelkView& view = tape.View();
    doc.FindOrCreateLayer("本図");
    const std::int16_t hidden = doc.FindOrCreateLayer("下書き");
    CStringArray names;
    doc.GetLayerNames(names);
    for (int mode : {33, 34, 35}) {
        app.m_inputBar->DeleteLists();
        app.SwitchMode(&doc, &view, 2, static_cast<short>(mode), 0);
        const CHistoryList& layers = app.m_inputBar->GetList(7);
        ASSERT_EQ(layers.m_texts.GetSize(), names.GetSize()) << mode;
        for (int i = 0; i < names.GetSize(); ++i)
            EXPECT_EQ(layers.m_texts[i], names[i]) << mode;
    }
    app.m_interruptMode = 0;

    // Texts of an open box selection: the shown ones become the texts to run, marked as taken.
    view.m_showAllLayers = 0;
    view.m_layerStates.SetSize(doc.m_layers.GetSize());
    view.m_layerStates[hidden] = 1;
    const std::int16_t font = doc.FindOrAddCurrentFont(0.0);
    struct Case {
        const char* text;
        std::int16_t layer;
        std::uint8_t mark;
        bool taken;
    } cases[] = {
        {"a=1", 0, 2, true},
        {"b=2", 0, 0, false},        // not in the box
        {"c=3", hidden, 2, false},   // on a layer this view hides
    };
    std::vector<CText*> texts;
    for (const Case& c : cases) {
        CTexts* block = doc.AddText(CPointD(), c.text, RGB(0, 0, 0), 8, c.layer, font);
        ASSERT_NE(block, nullptr);
        CText& t = block->m_slots[block->m_count - 1];
        t.m_mark = c.mark;
        texts.push_back(&t);
    }
    // The relative system is told with the significant digits of messages.
    app.m_appAcc.m_digits1 = 3;
    doc.m_relOrigin.Init(12.3456, -9.8765);
    doc.m_relAngle = 33.333;
    app.SwitchMode(&doc, &view, 2, 37, 0);
    EXPECT_EQ(view.m_messageText, CString("相対座標設定モードです。現在の相対原点は(12.3,-9.88)33.3度。"));
    app.m_interruptMode = 0;

    doc.m_groupProcessing = 1;
    app.SwitchMode(&doc, &view, 2, 36, 0);
    EXPECT_EQ(doc.m_groupProcessing, 0);
    EXPECT_EQ(view.m_messageText, CString("文字列解析モードです"));
    EXPECT_EQ(doc.m_pickList->GetCount(), 1);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i]->m_mark == 0x88, cases[i].taken) << cases[i].text;
}

// Ending an interrupting command drops what its instance had taken in; the dimension instance
// keeps its own.
TEST(ModeSwitch, EndingAnInterruptingCommandResetsItsInstance)
{
    CInputTape tape;
    CZelkApp& app = tape.App();
    CZelkDoc& doc = tape.Doc();
    doc.m_circleCmdInt->m_tokenString = "PP";
    app.m_interruptKind = 3;
    app.m_justAnnounced = 1;
    app.EndInterruptCommand(&doc);
    EXPECT_EQ(doc.m_circleCmdInt->m_tokenString, CString(""));
    EXPECT_EQ(app.m_interruptKind, 0);
    EXPECT_EQ(app.m_justAnnounced, 0);
    // With no interrupting kind nothing is touched.
    doc.m_circleCmdInt->m_tokenString = "PP";
    app.m_justAnnounced = 1;
    app.EndInterruptCommand(&doc);
    EXPECT_EQ(doc.m_circleCmdInt->m_tokenString, CString("PP"));
    EXPECT_EQ(app.m_justAnnounced, 1);
}

TEST(Guidance, TheOwnerOfTheInputGivesThePairAndThePreview)
{
    CInputTape tape;
    CZelkApp& app = tape.App();
    CZelkDoc& doc = tape.Doc();
    doc.m_lineCmd->m_prompt = "[線分] 始点";
    doc.m_lineCmd->m_hint = "始点を指示";
    app.m_commandKind = 2;
    struct Case {
        int interruptMode;
        int commandKind;
        const char* prompt;
    } cases[] = {
        {33, 2, "[書込レイヤ設定] レイヤ要素を選択 or Enterキーで新レイヤ"},
        {41, 2, "[線分] 始点"},
        {45, 2, "[線分] 始点"},
        {0, 21, "[消去] 要素ピック or 箱選択してEnter"},
        {0, 11, "[書きなぐり線] 右ボタンを押してドラッグ"},
    };
    for (const Case& c : cases) {
        app.m_interruptMode = static_cast<std::int16_t>(c.interruptMode);
        app.m_commandKind = static_cast<std::int16_t>(c.commandKind);
        app.m_prompt = "";
        app.SetGuidance(&doc);
        EXPECT_EQ(app.m_prompt, CString(c.prompt)) << c.interruptMode << " " << c.commandKind;
    }
    app.m_interruptMode = 0;

    // An ellipse edit: guidance from the interrupting circle instance, preview from the main
    // line command, whose rubber band shows nothing yet; with Delete held no preview at all.
    CCircleCommand* interrupting = doc.m_circleCmdInt;
    CCircleCommand circle(&doc, 1);
    doc.m_circleCmdInt = &circle;
    circle.m_prompt = "[楕円編集]";
    doc.m_lineCmd->m_prompt = "[線分]";
    app.m_commandKind = 2;
    app.m_interruptKind = 22;
    app.m_justAnnounced = 0;
    app.SetGuidance(&doc);
    doc.m_previewKind = 7;
    app.ComputePreview(&doc);
    EXPECT_EQ(app.m_prompt, CString("[楕円編集]"));
    EXPECT_EQ(doc.m_previewKind, doc.m_lineCmd->ShowRubberBand());
    doc.m_previewKind = 7;
    app.m_deleteKeyDown = 1;
    app.ComputePreview(&doc);
    EXPECT_EQ(doc.m_previewKind, 0);
    app.m_deleteKeyDown = 0;
    // Announced again, the main line command gives the guidance.
    app.m_justAnnounced = 1;
    app.SetGuidance(&doc);
    EXPECT_EQ(app.m_prompt, CString("[線分]"));
    app.m_justAnnounced = 0;
    doc.m_circleCmdInt = interrupting;

    // The announcement of the line command ends the edit of the interrupting instance.
    app.m_interruptKind = 1;
    doc.m_pointCmdInt->m_editFlag = 1;
    app.AnnounceDrawingMode(&doc);
    EXPECT_EQ(doc.m_pointCmdInt->m_editFlag, 0);
    EXPECT_EQ(app.m_interruptKind, 0);
    EXPECT_EQ(app.m_announcedInterruptKind, 1);
    EXPECT_EQ(app.m_lastStatus, 11);
    EXPECT_EQ(app.m_justAnnounced, 1);
    EXPECT_EQ(tape.View().m_hintText, CString("線分作図モードです"));
}

} // namespace

namespace {

TEST(ModeSwitch, AMacroStartsACommandWithoutItsMenuAndLeavesTheOperationOpen)
{
    struct Case {
        int macro;
        size_t menus;
        const char* pattern;
        int logged;
    } cases[] = {{1, 0, "", 1}, {0, 1, "PP", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.macro);
        CInputTape tape;
        CZelkApp& app = tape.App();
        CZelkDoc& doc = tape.Doc();
        app.m_appCommand.m_circleFlag = 1;
        app.m_noPopupMenu = 0;
        doc.m_circleCmd->m_modePattern = "";
        std::int16_t block = -1, slot = -1;
        CPointD a, b;
        a.Init(0, 0);
        b.Init(10, 0);
        doc.m_creationLog->AddLine(a, b, 1, block, slot, 1, 0);
        DefaultScriptedUiServices().m_shownMenus.clear();
        app.SwitchMode(&doc, &tape.View(), 1, 3, c.macro);
        EXPECT_EQ(app.m_commandKind, 3);
        EXPECT_EQ(DefaultScriptedUiServices().m_shownMenus.size(), c.menus);
        EXPECT_EQ(doc.m_circleCmd->m_modePattern, CString(c.pattern));
        EXPECT_EQ(static_cast<int>(doc.m_creationLog->m_log.size()), c.logged);
    }
}

} // namespace
