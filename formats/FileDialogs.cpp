// The file dialogs of drawings, texts and symbols, started in the folder of their kind.
#include "formats/FileDialogs.h"

#include "app/ZelkApp.h"
#include "platform/core/Runtime.h"
#include "platform/ui/Dialog.h"

namespace {

struct FileFilter {
    const char* filter;
    const char* defaultExt;
};

FileFilter FilterFor(int formatFlags, int open)
{
    switch (formatFlags) {
    case 2:
        if (open)
            return { "Zelkﾌｧｲﾙ (*.zel)|*.zel|すべてのﾌｧｲﾙ (*.*)|*.*||", "zel" };
        return { "Zelkﾌｧｲﾙ (*.zel)|*.zel|DXFﾌｧｲﾙ (*.dxf)|*.dxf|すべてのﾌｧｲﾙ (*.*)|*.*||", "zel" };
    case 4:
        return { "DXFﾌｧｲﾙ (*.dxf)|*.dxf|Zelkﾌｧｲﾙ (*.zel)|*.zel|すべてのﾌｧｲﾙ (*.*)|*.*||", "dxf" };
    case 6:
        return { "Zelkﾌｧｲﾙ,DXFﾌｧｲﾙ (*.zel;*.dxf)|*.zel;*.dxf|Zelkﾌｧｲﾙ (*.zel)|*.zel|DXFﾌｧｲﾙ (*.dxf)|*.dxf|すべてのﾌｧｲﾙ (*.*)|*.*||",
                 nullptr };
    case 8:
    case 16:
        return { "ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*||", "txt" };
    case 48:
        return { "ﾃｷｽﾄﾌｧｲﾙ,csvﾌｧｲﾙ (*.txt;*.csv)|*.txt;*.csv|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|csvﾌｧｲﾙ (*.csv)|*.csv|すべてのﾌｧｲﾙ (*.*)|*.*||",
                 "txt" };
    default:
        return { "すべてのﾌｧｲﾙ (*.*)|*.*||", "*" };
    }
}

CString FolderOfKind(int folderKind)
{
    if (!g_pApp)
        return CString();
    const CAppPath& paths = g_pApp->m_appPath;
    switch (folderKind) {
    case 2: return paths.m_textFolder;
    case 3: return paths.m_macroFolder;
    case 4: return paths.m_symbolFolder;
    default: return paths.m_dataFolder;
    }
}

} // namespace

int ChooseFileName(CString& path, CString& title, int formatFlags, int& fileType, int open,
                   int folderKind)
{
    const FileFilter filter = FilterFor(formatFlags, open);
    CFileDialog dialog(open ? TRUE : FALSE, filter.defaultExt, title,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.filter);
    const CString folder = FolderOfKind(folderKind);
    dialog.m_ofn.lpstrInitialDir = folder.GetString();
    if (dialog.DoModal() != IDOK)
        return 0;
    path = dialog.GetPathName();
    title = dialog.GetFileTitle();
    CString ext = dialog.GetFileExt();
    ext.MakeLower();
    if (ext == "zel")
        fileType = 2;
    else if (ext == "dxf")
        fileType = 4;
    else if (ext == "txt")
        fileType = 16;
    else if (ext == "csv")
        fileType = 32;
    return 1;
}

int ChooseFileNames(CStringArray& paths, int open)
{
    const FileFilter filter = FilterFor(6, open);
    CFileDialog dialog(open ? TRUE : FALSE, nullptr, "",
                       OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       filter.filter);
    const CString folder = FolderOfKind(1);
    dialog.m_ofn.lpstrInitialDir = folder.GetString();
    if (dialog.DoModal() != IDOK)
        return 0;
    POSITION pos = dialog.GetStartPosition();
    while (pos)
        paths.Add(dialog.GetNextPathName(pos));
    return 1;
}
