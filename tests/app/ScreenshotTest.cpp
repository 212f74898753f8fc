// With ZELK_SCREENSHOT naming a PNG file, the started main window is saved there; skipped
// otherwise. Kept apart because it needs Qt (its literals would not be Shift-JIS).
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

TEST(Screenshot, MainWindow)
{
    const char* target = std::getenv("ZELK_SCREENSHOT");
    if (!target)
        GTEST_SKIP() << "ZELK_SCREENSHOT not set";
    namespace fs = std::filesystem;
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                      FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
    CZelkApp app;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.m_pMainFrame;
    frame->MoveWindow(0, 0, 1100, 700);
    AfxPumpMessages();
    QImage shot = frame->GetQWidget()->grab().toImage();
    EXPECT_TRUE(shot.save(QString::fromUtf8(target)));
    app.CloseAllDocuments(TRUE);
    frame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    app.ExitInstance();
    g_pApp = nullptr;
}

// With ZELK_DIALOG_SCREENSHOT naming a PNG file, the display settings dialog as it opens.
TEST(Screenshot, DisplaySettingsDialog)
{
    const char* target = std::getenv("ZELK_DIALOG_SCREENSHOT");
    if (!target)
        GTEST_SKIP() << "ZELK_DIALOG_SCREENSHOT not set";
    namespace fs = std::filesystem;
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                      FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
    CZelkApp app;
    ASSERT_TRUE(app.InitInstance());
    bool saved = false;
    DefaultScriptedUiServices().QueueDialog([&](IModalSession& s) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w != app.m_pMainFrame->GetQWidget() && w->windowTitle() != QString()) {
                saved = w->grab().toImage().save(QString::fromUtf8(target));
                break;
            }
        }
        s.Press(IDCANCEL);
    });
    app.m_pMainFrame->SendMessage(WM_COMMAND, 32924, 0);
    EXPECT_TRUE(saved);
    app.CloseAllDocuments(TRUE);
    app.m_pMainFrame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    app.ExitInstance();
    g_pApp = nullptr;
}
