// The real application, offscreen, with the tests' plug-ins in its user-application folder:
// a recording one (twice, under two names), one without the entry, a missing one and one
// registered under another interface version. The request timer is fired by hand.
#pragma once

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DynamicLibrary.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/Wnd.h"
#include "tests/support/AppTestSupport.h"
#include "tests/userapp/RecordingPlugin.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace plugin_host {

namespace fs = std::filesystem;

// Entries of the registration file the fixture writes.
enum Entry { kRecorder, kNoEntry, kMissing, kOldVersion, kSecondRecorder };

inline fs::path AppFolder()
{
    return fs::path(FileSystemPath(ProgramFolder().GetString())) / "ZelkApp";
}

class PluginHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        UiResetKeyState();
        fs::create_directories(AppFolder());
        fs::copy_file(ZELK_RECORDER, AppFolder() / "recorder.so");
        fs::copy_file(ZELK_RECORDER, AppFolder() / "recorder2.so");
        fs::copy_file(ZELK_NOENTRY, AppFolder() / "noentry.so");
        WriteRegistrations("RECORDER.DLL/記録/01.02\r\nNOENTRY.DLL/入口なし/01.02\r\n"
                           "MISSING.DLL/無し/01.02\r\nRECORDER.DLL/古い版/01.02 \r\n"
                           "RECORDER2.DLL/記録2/01.02\r\n");
        for (const char* name : {"ZelkUnit.txt", "Variable.txt", "ZelSheet.txt"})
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                          FileSystemPath(ProgramFolder().GetString()) + name,
                          fs::copy_options::overwrite_existing);
        g_userAppModule = nullptr;
        StartApplication();
    }
    void StartApplication()
    {
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        AfxPumpMessages();
        ASSERT_NE(m_app->m_activeView, nullptr);
        m_view = m_app->m_activeView;
        m_doc = m_view->m_document;
        m_block = m_app->m_userAppBlockHolder->m_block;
        ASSERT_NE(m_block, nullptr);
        m_manager = m_app->m_userAppManager;
    }
    void TearDown() override
    {
        StopApplication(m_app);
        g_userAppModule = nullptr;
        UiResetKeyState();
    }
    static void WriteRegistrations(const std::string& text)
    {
        std::ofstream(AppFolder() / "ZelkApp.txt", std::ios::binary) << text;
    }
    void Start(int entry)
    {
        m_manager->m_selectedEntry = entry;
        m_manager->LoadAndStart();
    }
    CWnd* Frame() const { return m_app->m_pMainFrame; }
    // One tick of the request timer; false when the timer was not running.
    bool Tick() { return DefaultScriptedServices().FireTimer(Frame(), 3); }
    bool Polling() const { return DefaultScriptedServices().IsTimerActive(Frame(), 3); }

    // The calls the started recorder received.
    std::vector<RecordedCall> Calls(HMODULE module = g_userAppModule) const
    {
        std::vector<RecordedCall> calls;
        auto count = reinterpret_cast<RecordedCountFn>(GetProcAddress(module, "RecordedCount"));
        auto at = reinterpret_cast<RecordedCallFn>(GetProcAddress(module, "RecordedCallAt"));
        if (!count || !at)
            return calls;
        for (int i = 0; i < count(); ++i)
            calls.push_back(*at(i));
        return calls;
    }
    std::vector<int> Events(HMODULE module = g_userAppModule) const
    {
        std::vector<int> events;
        for (const RecordedCall& c : Calls(module))
            events.push_back(c.event);
        return events;
    }
    void ForgetCalls() const
    {
        if (auto forget = reinterpret_cast<ForgetCallsFn>(GetProcAddress(g_userAppModule, "ForgetCalls")))
            forget();
    }
    void StartRecorder()
    {
        Start(kRecorder);
        ASSERT_NE(g_userAppModule, nullptr);
        ForgetCalls();
    }
    // Writes the requests into the slots, raises the flag and runs one pass.
    void Pass(std::vector<short> codes)
    {
        for (size_t s = 0; s < codes.size(); ++s)
            m_block->m_codes[s] = codes[s];
        m_block->m_requestFlag = 1;
        ASSERT_TRUE(Tick());
    }
    std::string MessageLine() const { return m_view->m_messageText.GetString(); }
    CString DllPath(const char* file) const { return m_app->m_appPath.m_appFolder + file; }

    CZelkApp* m_app = nullptr;
    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
    UserAppBlock* m_block = nullptr;
    CUserAppManager* m_manager = nullptr;
};

inline std::vector<int> Words(const CWordArray& list)
{
    std::vector<int> words;
    for (int i = 0; i < list.GetSize(); ++i)
        words.push_back(list[i]);
    return words;
}

// The recorder started with the fixture's drawing the active one: the requests that work on
// the active drawing find it.
class ActiveDrawingRequests : public PluginHost {
protected:
    void SetUp() override
    {
        PluginHost::SetUp();
        StartRecorder();
        m_app->m_activeView = m_view;
        ASSERT_EQ(m_app->GetActiveDrawingDoc(), m_doc);
        m_id = static_cast<short>(m_doc->m_docNumber);
    }
    static CPointD Pt(double x, double y)
    {
        CPointD p;
        p.Init(x, y);
        return p;
    }
    short m_id = 0;
};

}  // namespace plugin_host
