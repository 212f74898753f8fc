// The started application for tests of its menu commands: commands sent to the main frame as a
// menu sends them, their update state read back, the drawings and the message boxes shown.
#pragma once

#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// What an update handler set.
class CRecordedCmdUI : public CCmdUI {
public:
    int m_enabled = -1;
    int m_checked = -1;
    void Enable(BOOL bOn) override
    {
        CCmdUI::Enable(bOn);
        m_enabled = bOn ? 1 : 0;
    }
    void SetCheck(int nCheck) override { m_checked = nCheck; }
};

class AppCommands : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        CopyDefinitionFiles();
    }
    void TearDown() override { StopApplication(m_app); }

    static std::string Fs(const CString& path) { return FileSystemPath(path.GetString()); }

    void Start()
    {
        // An empty registration file keeps the start free of the "cannot open" message.
        std::filesystem::create_directories(Fs(ProgramFolder() + "ZelkApp"));
        if (!std::filesystem::exists(Fs(ProgramFolder() + "ZelkApp\\ZelkApp.txt")))
            std::ofstream(Fs(ProgramFolder() + "ZelkApp\\ZelkApp.txt"));
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        DefaultScriptedServices().m_messages.clear();
    }
    void Command(UINT id) { m_app->m_pMainFrame->SendMessage(WM_COMMAND, id, 0); }
    CRecordedCmdUI Update(UINT id)
    {
        CRecordedCmdUI ui;
        ui.m_nID = id;
        m_app->m_pMainFrame->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
        return ui;
    }
    std::vector<CZelkDoc*> Drawings() const
    {
        std::vector<CZelkDoc*> docs;
        POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
        while (pos)
            docs.push_back(static_cast<CZelkDoc*>(m_app->m_pDocTemplate->GetNextDoc(pos)));
        return docs;
    }
    std::vector<CString> Messages() const
    {
        std::vector<CString> texts;
        for (const auto& m : DefaultScriptedServices().m_messages)
            texts.push_back(m.text);
        return texts;
    }
    CScriptedServices& Services() { return DefaultScriptedServices(); }
    CScriptedUiServices& Ui() { return DefaultScriptedUiServices(); }

    CZelkApp* m_app = nullptr;
};
