// The plug-in host on the real application, offscreen: registered plug-ins started from the
// user-application folder through the program's loader, their events, and the request passes
// that the main frame's request timer runs (fired by hand here).
#include "input/PickList.h"
#include "tests/userapp/PluginHostFixture.h"

using namespace plugin_host;

TEST_F(PluginHost, StartLoadsTheModuleCallsItAndArmsTheRequestTimer)
{
    m_app->m_commandKind = 2;
    m_manager->m_prompt = "前のプロンプト";
    m_manager->m_hint = "前のヒント";
    Start(kRecorder);
    ASSERT_NE(g_userAppModule, nullptr);
    EXPECT_EQ(Events(), std::vector<int>{0});
    EXPECT_EQ(m_app->m_commandKind, 9);
    EXPECT_EQ(MessageLine(), "記録 コマンドです");
    EXPECT_EQ(m_manager->m_prompt, "");
    EXPECT_EQ(m_manager->m_hint, "前のヒント");
    EXPECT_EQ(DefaultScriptedServices().TimerElapse(Frame(), 3), 50u);
    EXPECT_TRUE(DefaultScriptedServices().m_messages.empty());
}

TEST_F(PluginHost, StartFailuresAreReportedAndLeaveNoModuleRunning)
{
    const std::string version = "アプリケーションのバージョンが合いません。このバージョン 01.02 の ZelkEnt,ZelkEnt でコンパイルし直して再登録してください。";
    struct Case {
        Entry entry;
        std::string box;
        std::string line;
        bool moduleLoaded;
    } cases[] = {
        {kOldVersion, version, "", true},
        {kMissing, "", "ファイル " + std::string(DllPath("MISSING.DLL").GetString()) + " をロードできませんでした", false},
        {kNoEntry, "",
         "ファイル " + std::string(DllPath("NOENTRY.DLL").GetString()) + " のエントリー関数 DllCall() を取得できませんでした",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        // A version refused leaves the handle of the previous start.
        Start(kRecorder);
        const HMODULE before = g_userAppModule;
        DefaultScriptedServices().m_messages.clear();
        m_view->m_messageText.Empty();
        m_app->m_commandKind = 2;
        Start(c.entry);
        std::vector<std::string> boxes;
        for (const auto& m : DefaultScriptedServices().m_messages)
            boxes.push_back(m.text.GetString());
        EXPECT_EQ(boxes, c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box});
        EXPECT_EQ(MessageLine(), c.line);
        EXPECT_EQ(m_app->m_commandKind, 2);
        EXPECT_EQ(g_userAppModule != nullptr, c.moduleLoaded);
        if (c.entry == kOldVersion) {
            EXPECT_EQ(g_userAppModule, before);
        }
    }
}

TEST_F(PluginHost, StartWithoutAnActiveDrawingViewDoesNothing)
{
    const std::string before = MessageLine();
    m_app->m_activeView = nullptr;
    Start(kRecorder);
    m_app->m_activeView = m_view;
    EXPECT_EQ(g_userAppModule, nullptr);
    EXPECT_FALSE(Polling());
    EXPECT_EQ(MessageLine(), before);
    EXPECT_TRUE(DefaultScriptedServices().m_messages.empty());
    // An index past the registrations does nothing either.
    Start(99);
    EXPECT_EQ(g_userAppModule, nullptr);
}

TEST_F(PluginHost, InputEventsReachThePlugInByKindAndSubCode)
{
    StartRecorder();
    struct Case {
        int kind;
        int sub;
        int event;   // -1: nothing sent
    } cases[] = {
        {4, 16, -1}, {4, 17, 1}, {4, 18, 3}, {4, 99, 1}, {4, 0, 1},
        {12, 5, 2},
        {6, 19, 5}, {6, 20, 6}, {6, 21, 8}, {6, 7, 5},
        {8, 21, -1},
        {9, 0, 7},
        {3, 2, 11}, {3, 3, 12}, {3, 11, 13}, {3, 12, 14}, {3, 6, 15}, {3, 7, 16}, {3, 14, 17},
        {3, 13, 18}, {3, 15, 10}, {3, 4, 11},
        {2, 26, 19}, {2, 27, -1},
        {5, 0, 21},
        {7, 0, -1}, {1, 0, -1}, {13, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << "/" << c.sub);
        ForgetCalls();
        m_manager->ForwardInputEvent(m_doc, c.kind, c.sub);
        EXPECT_EQ(Events(), c.event < 0 ? std::vector<int>{} : std::vector<int>{c.event});
    }
}

TEST_F(PluginHost, ValueEventsCarryOnlyWhatTheInputStored)
{
    StartRecorder();
    // The input dispatch stores a plain number before it forwards the event; the sender
    // itself stores nothing, so a doubled-sign number finds the previous value.
    m_block->m_numberValue = 12.5;
    m_manager->ForwardInputEvent(m_doc, 3, 2);
    m_manager->ForwardInputEvent(m_doc, 3, 3);
    const std::vector<RecordedCall> calls = Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].event, 11);
    EXPECT_EQ(calls[0].numberValue, 12.5);
    EXPECT_EQ(calls[1].event, 12);
    EXPECT_EQ(m_block->m_numberValue, 12.5);
}

TEST_F(PluginHost, CtrlPickIsSentOnlyWithACandidate)
{
    StartRecorder();
    m_block->m_pickRef.Init(3, 4, 5, 1, 0);
    m_manager->ForwardInputEvent(m_doc, 8, 20);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(m_block->m_pickRef.m_kind, 3);
    EXPECT_EQ(m_block->m_pickRef.m_block, 4);

    CElemCandidate candidate;
    candidate.Init(2, 7, 9, 1, 0, 0);
    m_doc->m_pickList->m_candidates = {candidate};
    m_doc->m_pickList->m_current = 0;
    m_app->m_rightPressPoint.Init(42, 43);
    m_manager->ForwardInputEvent(m_doc, 8, 20);
    const std::vector<RecordedCall> calls = Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].event, 6);
    EXPECT_EQ(calls[0].pickKind, 2);
    EXPECT_EQ(calls[0].pickBlock, 7);
    EXPECT_EQ(calls[0].pickSlot, 9);
    EXPECT_EQ(calls[0].pickCursorX, 42);
}

TEST_F(PluginHost, KeyCommandSendsTheKeyStateWord)
{
    StartRecorder();
    struct Case {
        bool shift;
        bool ctrl;
        std::uintptr_t word;
    } cases[] = {{false, false, 65}, {true, false, 1065}, {false, true, 2065}, {true, true, 3065}};
    m_app->m_lastKey = 'A';
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        UiResetKeyState();
        UiNoteKey(VK_SHIFT, c.shift);
        UiNoteKey(VK_CONTROL, c.ctrl);
        ForgetCalls();
        m_manager->NotifyKeyCommand();
        const std::vector<RecordedCall> calls = Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].event, 26);
        EXPECT_EQ(calls[0].eventWord, c.word);
    }
}

TEST_F(PluginHost, LettersTypedWhileAPluginRunsReachItAsKeyCommands)
{
    StartRecorder();
    ASSERT_EQ(m_app->m_commandKind, 9);
    struct Case {
        UINT key;
        bool shift;
        BOOL result;
        std::vector<std::uintptr_t> words;  // of the key-command events sent
    } cases[] = {
        {'A', false, FALSE, {65}},
        {'W', true, FALSE, {1087}},
        {'Z', false, FALSE, {90}},
        {'5', false, TRUE, {}},  // a digit opens numeric input instead
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        UiResetKeyState();
        UiNoteKey(VK_SHIFT, c.shift);
        ForgetCalls();
        m_app->m_lastKey = c.key;
        EXPECT_EQ(m_app->DispatchCommand(m_doc, m_view, 7), c.result);
        std::vector<std::uintptr_t> words;
        for (const RecordedCall& call : Calls())
            if (call.event == 26)
                words.push_back(call.eventWord);
        EXPECT_EQ(words, c.words);
        EXPECT_EQ(m_app->m_commandKind, 9);
    }
    UiResetKeyState();
}

TEST_F(PluginHost, SwitchingToAnotherCommandStopsThePolling)
{
    StartRecorder();
    ASSERT_TRUE(Polling());
    // A mode that interrupts the plug-in leaves it polling.
    m_app->DispatchCommand(m_doc, m_view, 207);
    EXPECT_TRUE(Polling());
    m_app->DispatchCommand(m_doc, m_view, 207);
    m_app->DispatchCommand(m_doc, m_view, 305);
    EXPECT_EQ(m_app->m_commandKind, 3);
    EXPECT_FALSE(Polling());
}

TEST_F(PluginHost, TheEntryIsLookedUpBeforeEveryCall)
{
    StartRecorder();
    const HMODULE first = g_userAppModule;
    // Another start replaces the handle: the first module stays loaded and hears nothing more.
    Start(kSecondRecorder);
    const HMODULE second = g_userAppModule;
    ASSERT_NE(second, first);
    m_manager->NotifyEnter();
    EXPECT_TRUE(Events(first).empty());
    EXPECT_EQ(Events(second), (std::vector<int>{0, 23}));
}

TEST_F(PluginHost, SendersReportAModuleWithoutTheEntry)
{
    Start(kNoEntry);
    ASSERT_NE(g_userAppModule, nullptr);
    const std::string path = m_manager->m_dllPath.GetString();
    const std::string entry = "ファイル " + path + " のエントリー関数 DllCall() を取得できませんでした";
    const std::string report = "ファイル " + path + " の通知関数 ReportEvent() を取得できませんでした";
    struct Case {
        const char* sender;
        void (*send)(CUserAppManager&, CZelkDoc*);
        std::string response;   // response message with a beep
        std::string line;       // message line without one
    } cases[] = {
        {"input", [](CUserAppManager& m, CZelkDoc* d) { m.ForwardInputEvent(d, 4, 0); }, entry, ""},
        {"snap", [](CUserAppManager& m, CZelkDoc*) { m.NotifySnapPointCycled(); }, entry, ""},
        {"candidate", [](CUserAppManager& m, CZelkDoc*) { m.NotifyCandidateCycled(); }, entry, ""},
        {"back", [](CUserAppManager& m, CZelkDoc*) { m.NotifyStepBack(); }, entry, ""},
        {"enter", [](CUserAppManager& m, CZelkDoc*) { m.NotifyEnter(); }, entry, ""},
        {"released", [](CUserAppManager& m, CZelkDoc*) { m.NotifyConstraintReleased(); }, entry, ""},
        {"set", [](CUserAppManager& m, CZelkDoc*) { m.NotifyConstraintSet(); }, "", report},
        {"key", [](CUserAppManager& m, CZelkDoc*) { m.NotifyKeyCommand(); }, "", report},
        {"done", [](CUserAppManager& m, CZelkDoc*) { m.NotifyRequestsDone(0); }, "", ""},
        {"input nothing", [](CUserAppManager& m, CZelkDoc* d) { m.ForwardInputEvent(d, 4, 16); }, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sender);
        m_app->m_lastMessage.Empty();
        m_view->m_messageText.Empty();
        DefaultScriptedServices().m_beeps.clear();
        c.send(*m_manager, m_doc);
        EXPECT_EQ(std::string(m_app->m_lastMessage.GetString()), c.response);
        EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), c.response.empty() ? 0u : 1u);
        EXPECT_EQ(MessageLine(), c.response.empty() ? c.line : c.response);
    }
    // Without a module no sender does anything.
    g_userAppModule = nullptr;
    m_view->m_messageText.Empty();
    m_manager->NotifyEnter();
    m_manager->NotifyConstraintSet();
    EXPECT_EQ(MessageLine(), "");
}

TEST_F(PluginHost, APassRunsTheSlotsUpToTheFirstEmptyOneThenHandsBack)
{
    StartRecorder();
    for (short& status : m_block->m_status)
        status = 77;
    m_block->m_stringArgs[0][0] = "結果";
    m_block->m_stringArgs[2][0] = "応答";
    Pass({5, 0, 3});
    EXPECT_EQ(m_app->m_lastResultMessage, "結果");
    for (int s = 0; s < UserAppBlock::kSlots; ++s) {
        EXPECT_EQ(m_block->m_codes[s], 0) << s;
        EXPECT_EQ(m_block->m_status[s], 0) << s;
    }
    EXPECT_EQ(m_block->m_requestFlag, 0);
    // Event 100 comes after the codes and the flag were cleared, and polling goes on.
    const std::vector<RecordedCall> calls = Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].event, 100);
    EXPECT_EQ(calls[0].codesSet, 0);
    EXPECT_EQ(calls[0].requestFlag, 0);
    EXPECT_EQ(DefaultScriptedServices().TimerElapse(Frame(), 3), 50u);

    // A tick without the flag does nothing.
    ForgetCalls();
    ASSERT_TRUE(Tick());
    EXPECT_TRUE(Events().empty());
    EXPECT_TRUE(Polling());
}

TEST_F(PluginHost, StatusWordsOfUnknownCodesAndUnknownDrawings)
{
    StartRecorder();
    const short unknownId = static_cast<short>(m_doc->m_docNumber + 100);
    struct Case {
        short code;
        short id;
        short status;
    } cases[] = {
        {555, unknownId, 0}, {7, unknownId, 0}, {-3, unknownId, 0}, {32767, unknownId, 0},
        {60, unknownId, 11}, {60, static_cast<short>(m_doc->m_docNumber), 0},
        {450, unknownId, 11}, {490, unknownId, 11}, {33, unknownId, 11}, {70, unknownId, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        m_block->m_shortArg0[0] = c.id;
        Pass({c.code});
        EXPECT_EQ(m_block->m_status[0], c.status);
    }
}

TEST_F(PluginHost, ATickWithoutAnActiveDrawingLeavesTheRequestsAndStopsPolling)
{
    StartRecorder();
    m_block->m_codes[0] = 3;
    m_block->m_status[0] = 5;
    m_block->m_requestFlag = 1;
    m_app->m_activeView = nullptr;
    ASSERT_TRUE(Tick());
    m_app->m_activeView = m_view;
    EXPECT_EQ(m_block->m_codes[0], 3);
    EXPECT_EQ(m_block->m_status[0], 5);
    EXPECT_EQ(m_block->m_requestFlag, 1);
    EXPECT_TRUE(Events().empty());
    EXPECT_FALSE(Polling());
    // The requests run once a plug-in is started again.
    Start(kRecorder);
    ASSERT_TRUE(Tick());
    EXPECT_EQ(m_block->m_codes[0], 0);
    EXPECT_EQ(Events(), (std::vector<int>{0, 100}));
}

TEST_F(PluginHost, GuidanceRequestsSetThePromptAndHint)
{
    StartRecorder();
    m_block->m_stringArgs[0][0] = "ヒント";
    m_block->m_stringArgs[1][0] = "プロンプト";
    m_block->m_stringArgs[2][0] = "注意";
    Pass({2, 1, 4});
    EXPECT_EQ(m_app->m_hint, "ヒント");
    EXPECT_EQ(m_manager->m_hint, "ヒント");
    EXPECT_EQ(m_app->m_prompt, "プロンプト");
    EXPECT_EQ(m_manager->m_prompt, "プロンプト");
    EXPECT_EQ(MessageLine(), "注意");
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), 1u);
}

// The shipped registration names the sample plug-in, which lies beside it as in a build
// folder; the user starts it and types its sizes.
TEST_F(PluginHost, TheShippedSamplePlugInStartsAndTakesTypedSizes)
{
    StopApplication(m_app);
    fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / "ZelkApp" / "ZelkApp.txt", AppFolder() / "ZelkApp.txt",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(ZELK_QUIBRA, AppFolder() / "QUIBRA.so");
    StartApplication();
    ASSERT_EQ(m_manager->GetAppCount(), 1);
    EXPECT_EQ(m_manager->GetAppName(0), "六角ボルト");
    m_manager->m_selectedEntry = m_manager->FindAppContaining("ボルト", 0);
    m_manager->LoadAndStart();
    ASSERT_NE(g_userAppModule, nullptr);
    EXPECT_EQ(MessageLine(), "六角ボルト コマンドです");
    EXPECT_EQ(m_app->m_commandKind, 9);

    ASSERT_TRUE(Tick());
    EXPECT_EQ(m_app->m_prompt, "[六角ボルトの配置] 呼び径 or 終了ESC");
    EXPECT_EQ(m_app->m_hint, "六角ボルトの呼び径、長さ、有効長を順に入力してください。終了ESC。JIS推奨寸法に丸めます。");

    for (double size : {10.0, 40.0}) {
        // What the input dispatch stores of a typed plain number before it forwards it.
        m_block->m_numberValue = size;
        m_manager->ForwardInputEvent(m_doc, 3, 2);
        ASSERT_TRUE(Tick());
    }
    EXPECT_EQ(m_app->m_prompt, "[六角ボルトの配置] 呼び径=10 長さ=40 ねじ部の長さ or 終了ESC");
    EXPECT_TRUE(Polling());
}
