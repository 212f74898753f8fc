// With ZELK_SCREENSHOT naming a PNG file, the started main window is saved there; skipped
// otherwise. Kept apart because it needs Qt (its literals would not be Shift-JIS).
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

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

// The color settings list paints one swatch per color, brightest first as the color box sorts;
// with ZELK_COLOR_DIALOG_SCREENSHOT naming a PNG file the dialog is saved there as well.
TEST(Screenshot, ColorListPaintsSortedSwatches)
{
    namespace fs = std::filesystem;
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                      FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
    DefaultScriptedUiServices().Reset();
    CZelkApp app;
    ASSERT_TRUE(app.InitInstance());
    app.m_appColor.m_userColors.RemoveAll();
    for (COLORREF c : { RGB(0, 0, 200), RGB(250, 250, 0), RGB(30, 30, 30), RGB(0, 160, 0) })
        app.m_appColor.m_userColors.Add(c);
    std::vector<QColor> painted;
    DefaultScriptedUiServices().QueueDialog([&](IModalSession& s) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w == app.m_pMainFrame->GetQWidget())
                continue;
            auto* list = w->findChild<QListWidget*>();
            if (!list)
                continue;
            const QImage shot = list->viewport()->grab().toImage();
            for (int i = 0; i < list->count(); ++i)
                painted.push_back(shot.pixelColor(list->visualItemRect(list->item(i)).center()));
            if (const char* target = std::getenv("ZELK_COLOR_DIALOG_SCREENSHOT")) {
                EXPECT_TRUE(w->grab().toImage().save(QString::fromUtf8(target)));
            }
        }
        s.Press(IDCANCEL);
    });
    app.m_pMainFrame->SendMessage(WM_COMMAND, 32826, 0);
    const std::vector<QColor> expected = { QColor(250, 250, 0), QColor(0, 0, 200), QColor(0, 160, 0), QColor(30, 30, 30) };
    EXPECT_EQ(painted, expected);
    app.CloseAllDocuments(TRUE);
    app.m_pMainFrame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    app.ExitInstance();
    g_pApp = nullptr;
}
