// The file dialogs of drawings, texts, macro texts and symbols: what each format offers, the file
// type read from the chosen name, and the folders remembered apart for opening and saving.
#include "app/ZelkApp.h"
#include "formats/FileDialogs.h"
#include "platform/core/ProgramFolder.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UiServices.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class FileDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedUiServices().Reset();
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->m_appPath.BuildFolders();
    }
    void TearDown() override
    {
        g_pApp = nullptr;
        m_app.reset();
        DefaultScriptedUiServices().Reset();
    }
    const CFileDialogRequest& Shown() const { return DefaultScriptedUiServices().m_shownFileDialogs.back(); }

    std::unique_ptr<CZelkApp> m_app;
};

TEST_F(FileDialogs, EachFormatOffersItsFilterAndDefaultExtension)
{
    // "ﾌｧｲﾙ" is written in half-width katakana.
    ASSERT_EQ(CString("ﾌｧｲﾙ").Std(), "\xcc\xa7\xb2\xd9");
    struct Case {
        int flags;
        int open;
        const char* filter;
        const char* ext;
    };
    const Case cases[] = {
        { 2, 1, "Zelkﾌｧｲﾙ (*.zel)|*.zel|すべてのﾌｧｲﾙ (*.*)|*.*||", "zel" },
        { 2, 0, "Zelkﾌｧｲﾙ (*.zel)|*.zel|DXFﾌｧｲﾙ (*.dxf)|*.dxf|すべてのﾌｧｲﾙ (*.*)|*.*||", "zel" },
        { 4, 1, "DXFﾌｧｲﾙ (*.dxf)|*.dxf|Zelkﾌｧｲﾙ (*.zel)|*.zel|すべてのﾌｧｲﾙ (*.*)|*.*||", "dxf" },
        { 6, 1,
          "Zelkﾌｧｲﾙ,DXFﾌｧｲﾙ (*.zel;*.dxf)|*.zel;*.dxf|Zelkﾌｧｲﾙ (*.zel)|*.zel|DXFﾌｧｲﾙ (*.dxf)|*.dxf|"
          "すべてのﾌｧｲﾙ (*.*)|*.*||",
          "" },
        { 8, 1, "ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*||", "txt" },
        { 16, 0, "ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*||", "txt" },
        { 48, 1,
          "ﾃｷｽﾄﾌｧｲﾙ,csvﾌｧｲﾙ (*.txt;*.csv)|*.txt;*.csv|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|csvﾌｧｲﾙ (*.csv)|*.csv|"
          "すべてのﾌｧｲﾙ (*.*)|*.*||",
          "txt" },
        { 1, 1, "すべてのﾌｧｲﾙ (*.*)|*.*||", "*" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        CString path = "unchanged";
        CString title = "proposed";
        int type = 99;
        EXPECT_EQ(ChooseFileName(path, title, c.flags, type, c.open, 1), 0);
        EXPECT_EQ(Shown().filter, c.filter);
        EXPECT_EQ(Shown().defaultExt, c.ext);
        EXPECT_EQ(Shown().fileName, "proposed");
        EXPECT_EQ(Shown().bOpen, c.open ? TRUE : FALSE);
        // Cancelled: nothing changed.
        EXPECT_EQ(path, "unchanged");
        EXPECT_EQ(title, "proposed");
        EXPECT_EQ(type, 99);
    }
    CStringArray paths;
    EXPECT_EQ(ChooseFileNames(paths, 1), 0);
    EXPECT_EQ(Shown().filter, CString(cases[3].filter));
    EXPECT_TRUE(Shown().flags & OFN_ALLOWMULTISELECT);
    EXPECT_EQ(paths.GetSize(), 0);
}

TEST_F(FileDialogs, TheChosenExtensionGivesTheFileType)
{
    struct Case {
        const char* name;
        int type;
        const char* chosen;
    };
    // A name typed without an extension takes the default one.
    const Case cases[] = {
        { "a.zel", 2, "a.zel" }, { "b.DXF", 4, "b.DXF" }, { "c.txt", 16, "c.txt" },
        { "d.Csv", 32, "d.Csv" }, { "e.dwg", 7, "e.dwg" }, { "f", 2, "f.zel" },
    };
    for (const Case& c : cases) {
        DefaultScriptedUiServices().QueueFiles({ ProgramFolder() + c.name });
        CString path;
        CString title;
        int type = 7;
        ASSERT_EQ(ChooseFileName(path, title, 2, type, 1, 1), 1);
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(path, ProgramFolder() + c.chosen);
    }
}

TEST_F(FileDialogs, EachKindRemembersItsOpenAndSaveFoldersApart)
{
    CAppPath& folders = m_app->m_appPath;
    const CString saveFolder = folders.m_dataFolder;
    struct Case {
        int kind;
        int open;
        CString* remembered;
    };
    const Case cases[] = {
        { 1, 1, &folders.m_initialDataFolder }, { 1, 0, &folders.m_dataFolder },
        { 2, 1, &folders.m_initialTextFolder }, { 2, 0, &folders.m_textFolder },
        { 3, 1, &folders.m_initialMacroFolder }, { 3, 0, &folders.m_macroFolder },
        { 4, 1, &folders.m_symbolFolder }, { 4, 0, &folders.m_symbolFolder },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind * 10 + c.open);
        const CString start = *c.remembered;
        CString path;
        CString title;
        int type = 0;
        DefaultScriptedUiServices().QueueFiles({ ProgramFolder() + "kind\\sub\\file.txt" });
        ASSERT_EQ(ChooseFileName(path, title, 16, type, c.open, c.kind), 1);
        EXPECT_EQ(Shown().initialDir, start);
        EXPECT_EQ(title, "file");
        EXPECT_EQ(*c.remembered, ProgramFolder() + "kind\\sub\\");
    }

    // A drawing opened from a folder: the next open starts there, the save dialog in its own.
    folders.m_dataFolder = saveFolder;
    CStringArray paths;
    DefaultScriptedUiServices().QueueFiles({ ProgramFolder() + "plans\\a.zel", ProgramFolder() + "plans\\b.dxf" });
    ASSERT_EQ(ChooseFileNames(paths, 1), 1);
    EXPECT_EQ(paths.GetSize(), 2);
    EXPECT_EQ(folders.m_initialDataFolder, ProgramFolder() + "plans\\");
    ChooseFileNames(paths, 1);
    EXPECT_EQ(Shown().initialDir, ProgramFolder() + "plans\\");
    CString path;
    CString title = "NewFile";
    int type = 2;
    ChooseFileName(path, title, 2, type, 0, 1);
    EXPECT_EQ(Shown().initialDir, saveFolder);
}

}  // namespace
