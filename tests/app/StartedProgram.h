// A fixture with the program started as a user starts it: the main window shown and active,
// its definition files in the program folder; ended as its close button ends it.
#pragma once

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/UiDriver.h"

#include <gtest/gtest.h>

#include <filesystem>

class StartedProgram : public testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                          FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = m_app->m_pMainFrame;
        UiDriver::ShowAndActivate(m_frame);
    }
    void TearDown() override
    {
        if (m_app->m_pMainWnd) {
            m_app->CloseAllDocuments(TRUE);
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
            m_app->m_pMainWnd = nullptr;
        }
        UiDriver::Pump();
        m_app->ExitInstance();
        delete m_app;
        g_pApp = nullptr;
    }

    CZelkApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
};
