// Shared steps of the tests that run the whole application headless.
#pragma once

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"
#include "tests/support/UiDriver.h"
#include "platform/ui/Wnd.h"

#include <filesystem>
#include <fstream>

// The definition files the program reads at its start, copied into the test's program folder.
inline void CopyDefinitionFiles()
{
    namespace fs = std::filesystem;
    for (const char* name : {"ZelkUnit.txt", "Variable.txt", "ZelSheet.txt"})
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                      FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
}

// Gives the test's program folder what a start reads: the definition files, and an empty plug-in
// registration (which keeps the start free of the message that it cannot be opened).
inline void PrepareProgramFolderForStart()
{
    namespace fs = std::filesystem;
    CopyDefinitionFiles();
    fs::create_directories(FileSystemPath((ProgramFolder() + "ZelkApp").GetString()));
    std::ofstream(FileSystemPath((ProgramFolder() + "ZelkApp\\ZelkApp.txt").GetString()));
}

// Ends an application a test started, as the framework ends it: the documents closed, the main
// window destroyed, then ExitInstance (which writes the settings).
template <class App>
void StopApplication(App*& app)
{
    if (!app)
        return;
    if (app->m_pMainWnd) {
        app->CloseAllDocuments(TRUE);
        app->m_pMainWnd->DestroyWindow();
        app->m_pMainWnd = nullptr;
    }
    app->ExitInstance();
    delete app;
    app = nullptr;
    g_pApp = nullptr;
}

// Starts the application with fresh scripted services, its main window 1100 x 700 shown and
// active; none when the start or its first drawing window failed.
inline CZelkApp* StartShownApplication()
{
    DefaultScriptedServices() = CScriptedServices();
    DefaultScriptedUiServices().Reset();
    CopyDefinitionFiles();
    auto* app = new CZelkApp;
    if (!app->InitInstance() || !app->m_pMainFrame) {
        StopApplication(app);
        return nullptr;
    }
    app->m_pMainFrame->MoveWindow(0, 0, 1100, 700);
    UiDriver::ShowAndActivate(app->m_pMainFrame);
    if (!app->m_activeView) {
        StopApplication(app);
        return nullptr;
    }
    return app;
}
