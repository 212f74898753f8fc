// The started program shows paths in the Linux form where they reach the screen (window titles,
// messages, the recent-file menu) and keeps its own form inside. Kept apart because it reads the
// Qt windows (its literals would not be Shift-JIS).
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/Document.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WinApp.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string Shown(const QWidget* widget)
{
    return widget->windowTitle().toStdString();
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST(ScreenPaths, TitlesMessagesAndRecentFilesShowTheDataFolderWithSlashes)
{
    namespace fs = std::filesystem;
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                      FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
    DefaultScriptedServices() = CScriptedServices();
    DefaultScriptedUiServices().Reset();
    CZelkApp app;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.m_pMainFrame;

    const CString folder = app.m_appPath.m_dataFolder;
    ASSERT_EQ(folder.Left(1), CString("\\"));
    const std::string shown = FileSystemPath(folder) + "NewFile.zel";
    ASSERT_EQ(shown.find('\\'), std::string::npos);

    // The new drawing's window and the main window show the path with slashes; the program
    // reads back its own form.
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(Shown(child->m_pSubWindow), shown);
    EXPECT_TRUE(EndsWith(Shown(frame->GetQWidget()), " - " + shown)) << Shown(frame->GetQWidget());
    CString title;
    frame->GetWindowText(title);
    EXPECT_TRUE(EndsWith(title.Std(), (folder + "NewFile.zel").Std())) << title.Std();
    CDocument* doc = child->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetPathName(), folder + "NewFile.zel");

    // Save As into a folder that is not there: the failure names the path as the user reads it.
    DefaultScriptedUiServices().QueueFiles({ folder + "missing\\NewFile.zel" });
    frame->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS, 0);
    const auto& messages = DefaultScriptedServices().m_messages;
    ASSERT_FALSE(messages.empty());
    const std::string message = messages.back().text.Std();
    EXPECT_NE(message.find(FileSystemPath(folder) + "missing/NewFile.zel"), std::string::npos) << message;
    EXPECT_EQ(message.find('\\'), std::string::npos) << message;

    // The recent-file menu lists the path with slashes; the list keeps the program's form.
    app.AddToRecentFileList(folder + "Plan.zel");
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, "-");
    CCmdUI ui;
    ui.m_pMenu = &menu;
    ui.m_nID = ID_FILE_MRU_FILE1;
    ui.m_nIndex = 0;
    app.m_pRecentFileList->UpdateMenu(&ui);
    CString entry;
    menu.GetMenuString(0, entry, MF_BYPOSITION);
    EXPECT_EQ(entry.Std(), "&1 " + FileSystemPath(folder) + "Plan.zel");
    EXPECT_EQ((*app.m_pRecentFileList)[0], folder + "Plan.zel");

    app.CloseAllDocuments(TRUE);
    frame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    app.ExitInstance();
    g_pApp = nullptr;
}
