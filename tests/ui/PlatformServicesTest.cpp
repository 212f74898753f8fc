// The application object's profile, recent files, command line and plug-in mode; the clipboard;
// the input method switch; plug-in libraries found by their Windows names.
#include "platform/core/ProgramFolder.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/DynamicLibrary.h"
#include "platform/ui/Ime.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

HGLOBAL Block(const char* bytes, size_t n)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, n);
    std::memcpy(GlobalLock(h), bytes, n);
    GlobalUnlock(h);
    return h;
}

TEST(Clipboard, TextKeepsShiftJisAndCrLf)
{
    const char text[] = "一行目\r\n二行目 ABC";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr)); // one owner at a time
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_NE(SetClipboardData(CF_TEXT, Block(text, sizeof text)), nullptr);
    ASSERT_TRUE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    ASSERT_NE(h, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(h)), text);
    GlobalUnlock(h);
    CloseClipboard();
}

TEST(Clipboard, RegisteredFormatCarriesBytes)
{
    UINT a = RegisterClipboardFormat("Zelk Client");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("Zelk Client"), a);
    EXPECT_NE(RegisterClipboardFormat("Other"), a);
    const char data[] = { 1, 0, 2, 0, static_cast<char>(0xFF) };
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(a, Block(data, sizeof data));
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(a));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)); // emptied before
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(a);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(GlobalSize(h), sizeof data);
    EXPECT_EQ(std::memcmp(GlobalLock(h), data, sizeof data), 0);
    GlobalUnlock(h);
    EXPECT_EQ(GetClipboardData(RegisterClipboardFormat("Other")), nullptr);
    CloseClipboard();
}

TEST(InputMethod, SwitchedPerWindow)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "w", WS_OVERLAPPED, CRect(0, 0, 100, 100), nullptr, 0));
    HIMC imc = ImmGetContext(wnd.m_hWnd);
    ASSERT_NE(imc, nullptr);
    EXPECT_TRUE(ImmGetOpenStatus(imc));
    EXPECT_TRUE(ImmSetOpenStatus(imc, FALSE));
    EXPECT_FALSE(ImmGetOpenStatus(imc));
    EXPECT_FALSE(wnd.IsInputMethodEnabled());
    ImmSetOpenStatus(imc, TRUE);
    EXPECT_TRUE(ImmGetOpenStatus(ImmGetContext(wnd.m_hWnd)));
    ImmReleaseContext(wnd.m_hWnd, imc);
    wnd.DestroyWindow();
    EXPECT_EQ(ImmGetContext(wnd.m_hWnd), nullptr);
}

std::string SystemMathLibrary()
{
    for (const char* p : { "/lib/x86_64-linux-gnu/libm.so.6", "/usr/lib/x86_64-linux-gnu/libm.so.6", "/lib64/libm.so.6" })
        if (std::filesystem::exists(p))
            return p;
    return std::string();
}

TEST(Library, DllNameFindsItsSharedLibrary)
{
    std::string libm = SystemMathLibrary();
    if (libm.empty())
        GTEST_SKIP() << "no C math library to load";
    // A registered name.
    RegisterLibraryFile("MATHS.DLL", libm);
    HMODULE h = LoadLibraryA("C:\\Plug-ins\\maths.dll");
    ASSERT_NE(h, nullptr) << LastLibraryError();
    auto cosine = reinterpret_cast<double (*)(double)>(GetProcAddress(h, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(GetProcAddress(h, "DllCall"), nullptr);
    EXPECT_TRUE(FreeLibrary(h));
    // A library built for "DEMO.DLL" beside the program.
    std::string home = std::getenv("ZELK_HOME");
    std::filesystem::copy_file(libm, home + "/libdemo.so");
    HMODULE demo = LoadLibraryA("DEMO.DLL");
    ASSERT_NE(demo, nullptr) << LastLibraryError();
    EXPECT_NE(GetProcAddress(demo, "sqrt"), nullptr);
    FreeLibrary(demo);
    // Nothing built for it.
    EXPECT_EQ(LoadLibraryA("NOWHERE.DLL"), nullptr);
    EXPECT_FALSE(LastLibraryError().empty());
    EXPECT_EQ(GetProcAddress(nullptr, "cos"), nullptr);
}

TEST(Library, InstalledPlugInIsFoundFromTheProgramFolderItsHostAsksIn)
{
    std::string libm = SystemMathLibrary();
    if (libm.empty())
        GTEST_SKIP() << "no C math library to load";
    // An installed program keeps its own plug-ins in its library folder, while the host asks
    // for them in the per-user program folder's ZelkApp folder.
    namespace fs = std::filesystem;
    const fs::path shipped = fs::path(ShippedPlugInFolder()) / "ZelkApp";
    // The first folder made here goes again at the end.
    fs::path made;
    for (fs::path f = shipped; !fs::exists(f); f = f.parent_path())
        made = f;
    fs::create_directories(shipped);
    fs::copy_file(libm, shipped / "libshippedmaths.so", fs::copy_options::overwrite_existing);
    HMODULE h = LoadLibraryA(ProgramFolder() + "ZelkApp\\SHIPPEDMATHS.DLL");
    EXPECT_NE(h, nullptr) << LastLibraryError();
    if (h)
        FreeLibrary(h);
    // Only what the host asks for inside the program folder is looked for there.
    EXPECT_EQ(LoadLibraryA("\\elsewhere\\ZelkApp\\SHIPPEDMATHS.DLL"), nullptr);
    fs::remove(shipped / "libshippedmaths.so");
    if (!made.empty())
        fs::remove_all(made);
}

TEST(Application, PluginObjectNeverReplacesTheHost)
{
    auto* host = new CWinApp("Host");
    EXPECT_EQ(AfxGetApp(), host);
    EXPECT_FALSE(host->m_bDllApp);
    {
        CWinApp plugin("Plugin");
        EXPECT_TRUE(plugin.m_bDllApp);
        EXPECT_EQ(AfxGetApp(), host);
        AfxTakeNewDllApps();
    }
    EXPECT_EQ(AfxGetApp(), host);
    delete host;
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(Application, ProfileLivesInTheProgramFolder)
{
    CWinApp app("Zelk");
    app.SetRegistryKey("Zelk");
    EXPECT_EQ(app.GetProfileString("Settings", "WindowPos", "none"), CString("none"));
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 7), 7u);
    ASSERT_TRUE(app.WriteProfileString("Settings", "WindowPos", "2,3,-1,-1,-1,-1,10,20,810,620"));
    ASSERT_TRUE(app.WriteProfileInt("Settings", "Count", -4));
    ASSERT_TRUE(app.WriteProfileString("設定", "名前", "図面 一"));
    std::string path = app.ProfilePath();
    EXPECT_EQ(path, std::string(std::getenv("ZELK_HOME")) + "/Zelk.ini");
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(app.GetProfileString("Settings", "WindowPos"), CString("2,3,-1,-1,-1,-1,10,20,810,620"));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Settings", "Count", 0)), -4);
    EXPECT_EQ(app.GetProfileString("設定", "名前"), CString("図面 一"));
    app.WriteProfileString("Settings", "Count", nullptr);
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 9), 9u);
}

TEST(Application, RecentFilesKeepFifteenNewestFirst)
{
    CWinApp app("Zelk");
    app.SetRegistryKey("Zelk");
    app.LoadStdProfileSettings(15);
    ASSERT_NE(app.m_pRecentFileList, nullptr);
    EXPECT_EQ(app.m_pRecentFileList->GetSize(), 15);
    for (int i = 1; i <= 17; ++i) {
        CString name;
        name.Format("C:\\図面\\d%02d.zel", i);
        app.AddToRecentFileList(name);
    }
    CRecentFileList& list = *app.m_pRecentFileList;
    EXPECT_EQ(list.CountNames(), 15);
    EXPECT_EQ(list[0], CString("C:\\図面\\d17.zel"));
    EXPECT_EQ(list[14], CString("C:\\図面\\d03.zel"));
    // An entry already listed moves to the top, compared without case.
    app.AddToRecentFileList("c:\\図面\\D10.ZEL");
    EXPECT_EQ(list[0], CString("c:\\図面\\D10.ZEL"));
    EXPECT_EQ(list.CountNames(), 15);
    EXPECT_EQ(list[14], CString("C:\\図面\\d03.zel"));
    app.ExitInstance();
    CWinApp next("Zelk");
    next.SetRegistryKey("Zelk");
    next.LoadStdProfileSettings(15);
    EXPECT_EQ((*next.m_pRecentFileList)[0], CString("c:\\図面\\D10.ZEL"));
    EXPECT_EQ(next.m_pRecentFileList->CountNames(), 15);
}

TEST(Application, CommandLineNamesAFileOrAnEmbedding)
{
    struct Case {
        std::vector<CString> args;
        int command;
        const char* file;
        BOOL embedded;
    };
    const Case cases[] = {
        { {}, CCommandLineInfo::FileNew, "", FALSE },
        { { "/home/u/a.zel" }, CCommandLineInfo::FileOpen, "\\home\\u\\a.zel", FALSE },
        { { "-Embedding" }, CCommandLineInfo::FileNew, "", TRUE },
        { { "/p", "b.zel" }, CCommandLineInfo::FilePrint, "b.zel", FALSE },
    };
    for (const Case& c : cases) {
        CWinApp app("Zelk");
        app.m_args = c.args;
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, c.command);
        EXPECT_EQ(info.m_strFileName, CString(c.file));
        EXPECT_EQ(info.m_bRunEmbedded, c.embedded);
    }
}

} // namespace
