// A new user's first steps: a program folder named afresh starts without a message and with the
// shipped definition files, a message about a definition file says where the file was looked
// for, and the plug-in and print commands are in the drawing's File menu, where a real-size print
// comes out at real size.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiServices.h"
#include "tests/app/PdfPage.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/UiDriver.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kFileMenu = "ファイル(&F)";

std::string Fs(const CString& path)
{
    return FileSystemPath(path.GetString());
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class WithinReach : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
    }
    void TearDown() override { StopApplication(m_app); }

    void Start()
    {
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_app->m_pMainFrame->MoveWindow(0, 0, 1100, 700);
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    }
    std::vector<CString> Messages() const
    {
        std::vector<CString> texts;
        for (const auto& m : DefaultScriptedServices().m_messages)
            texts.push_back(m.text);
        return texts;
    }
    std::vector<CString> FileMenuItems()
    {
        EXPECT_TRUE(UiDriver::ClickMenuBar(m_app->m_pMainFrame, kFileMenu));
        std::vector<CString> items = UiDriver::OpenMenuLabels();
        UiDriver::Key(VK_ESCAPE);
        UiDriver::Pump();
        return items;
    }
    void Menu(const char* item)
    {
        ASSERT_TRUE(UiDriver::ClickMenuBar(m_app->m_pMainFrame, kFileMenu));
        ASSERT_TRUE(UiDriver::ClickMenuItem(item)) << item << " in " << UiDriver::OpenMenuLabels().size();
        UiDriver::Pump();
    }

    CZelkApp* m_app = nullptr;
};

} // namespace

TEST_F(WithinReach, ANewProgramFolderStartsWithTheShippedFilesAndNoMessage)
{
    // The folder $ZELK_HOME names is new and empty, as a user makes it.
    Start();
    EXPECT_TRUE(Messages().empty()) << Messages().front().GetString();
    const fs::path shipped = fs::path(ZELK_SOURCE_DIR) / "resources";
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt", "ZelkFunc.txt", "ZelkApp/ZelkApp.txt" }) {
        SCOPED_TRACE(name);
        const std::string copied = Fs(ProgramFolder()) + name;
        ASSERT_TRUE(fs::exists(copied));
        EXPECT_EQ(Bytes(copied), Bytes((shipped / name).string()));
    }
    // The files were read: the shipped units and the shipped plug-in's registration.
    EXPECT_GT(m_app->m_unitFileLines.GetSize(), 0);
    EXPECT_EQ(m_app->m_userAppManager->GetAppCount(), 1);
    StopApplication(m_app);

    // A file the user edited stays as it is at the next start.
    const std::string variables = Fs(ProgramFolder()) + "Variable.txt";
    std::ofstream(variables, std::ios::binary | std::ios::app) << "// mine\r\n";
    const std::string edited = Bytes(variables);
    Start();
    EXPECT_EQ(Bytes(variables), edited);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WithinReach, AMessageAboutADefinitionFileNamesItsWholePath)
{
    // A folder where the file should be cannot be read even by root, and is not replaced.
    fs::create_directories(Fs(ProgramFolder() + "ZelkUnit.txt"));
    fs::create_directories(Fs(ProgramFolder() + "ZelkApp\\ZelkApp.txt"));
    Start();
    const CString units = ScreenPathText(ProgramFolder() + "ZelkUnit.txt");
    const CString registration = ScreenPathText(ProgramFolder() + "ZelkApp\\ZelkApp.txt");
    const std::vector<CString> messages = Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "アプリケーション登録ファイル " + registration + " を開けませんでした"), 1);
    // Read twice at a start: for the unit table and for its listing.
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "単位定義ファイル " + units + " を開けませんでした"), 2);
}

TEST_F(WithinReach, PlugInAndPrintCommandsAreInTheDrawingsFileMenu)
{
    Start();
    const std::vector<CString> items = FileMenuItems();
    auto at = [&](const char* label) {
        return std::find(items.begin(), items.end(), CString(label)) - items.begin();
    };
    const auto printAll = at("全図全域印刷");
    ASSERT_LT(printAll, static_cast<long>(items.size()));
    const char* const prints[] = { "画面印刷のプレビュー", "実寸印刷", "実寸印刷のプレビュー", "実寸印刷の比率" };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(at(prints[i]), printAll + 1 + i) << prints[i];
    EXPECT_LT(at("アプリケーションの実行"), static_cast<long>(items.size()));
    EXPECT_EQ(at("アプリケーションの登録"), at("アプリケーションの実行") + 1);

    // Each reaches its command: the registration dialog, the run of the registered plug-in from
    // the input bar, the ratio dialog and the preview.
    Menu("アプリケーションの登録");
    EXPECT_EQ(DefaultScriptedUiServices().m_shownDialogs.back(), 174u);
    Menu("実寸印刷の比率");
    EXPECT_EQ(DefaultScriptedUiServices().m_shownDialogs.back(), 239u);
    AfxResetPrinterOrientation();
    CPrintDialogRequest pdf;
    pdf.outputFile = ProgramFolder() + "preview.pdf";
    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, pdf);
    DefaultScriptedUiServices().QueuePreviewRender();
    Menu("画面印刷のプレビュー");
    AfxResetPrinterOrientation();
    EXPECT_EQ(DefaultScriptedUiServices().m_previews, 1);
    Menu("アプリケーションの実行");
    EXPECT_EQ(m_app->m_userAppManager->m_searchStart, 1);
    CString offered;
    m_app->m_pMainFrame->m_wndInputBar.m_inputBox.GetWindowText(offered);
    EXPECT_EQ(offered, m_app->m_userAppManager->GetAppName(0));
}

TEST_F(WithinReach, ARealSizePrintOfAHundredMillimetreLineMeasuresAHundredMillimetres)
{
    Start();
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    CPointD a, b;
    a.Init(20, 30);
    b.Init(120, 30);
    doc->AddLine(a, b, 0, doc->FindOrAddPen(0, 1, 0, 0, 70));
    doc->ComputeExtents();

    AfxResetPrinterOrientation();
    CPrintDialogRequest pdf;
    pdf.outputFile = ProgramFolder() + "real.pdf";
    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, pdf);
    // The printer setup, then the print dialog.
    DefaultScriptedUiServices().QueuePrint(TRUE, pdf);
    DefaultScriptedUiServices().QueuePrint(TRUE, pdf);
    Menu("実寸印刷");
    EXPECT_EQ(DefaultScriptedUiServices().m_shownPrintDialogs.size(), 2u);
    AfxResetPrinterOrientation();

    CPdfPage page;
    ASSERT_TRUE(ReadPdfFirstPage(Fs(pdf.outputFile), page));
    // A4 portrait.
    EXPECT_NEAR(page.width, 210.0, 0.5);
    EXPECT_NEAR(page.height, 297.0, 0.5);
    ASSERT_FALSE(page.strokes.empty());
    const CPdfStroke longest = *std::max_element(page.strokes.begin(), page.strokes.end(),
                                                 [](const CPdfStroke& p, const CPdfStroke& q) { return p.Length() < q.Length(); });
    EXPECT_NEAR(longest.Length(), 100.0, 0.1);
    EXPECT_NEAR(longest.y1, longest.y2, 0.1);
}
