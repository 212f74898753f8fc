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

// The remembered folder of a kind, for opening or for saving: the "initial" folders of the
// path settings are where files are opened from, the others where they are saved (and where new
// documents are named); symbols have one folder.
CString* RememberedFolder(int folderKind, int open)
{
    if (!g_pApp)
        return nullptr;
    CAppPath& paths = g_pApp->m_appPath;
    switch (folderKind) {
    case 2: return open ? &paths.m_initialTextFolder : &paths.m_textFolder;
    case 3: return open ? &paths.m_initialMacroFolder : &paths.m_macroFolder;
    case 4: return &paths.m_symbolFolder;
    default: return open ? &paths.m_initialDataFolder : &paths.m_dataFolder;
    }
}

CString FolderOfKind(int folderKind, int open)
{
    const CString* folder = RememberedFolder(folderKind, open);
    return folder ? *folder : CString();
}

// The dialog left the chosen file's folder behind as the one to start from next time.
void RememberFolder(int folderKind, int open, const CString& chosenPath)
{
    CString* folder = RememberedFolder(folderKind, open);
    if (!folder)
        return;
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    _splitpath(chosenPath, drive, dir, nullptr, nullptr);
    CString chosen = CString(drive) + dir;
    if (chosen.IsEmpty())
        return;
    if (chosen[chosen.GetLength() - 1] != '\\')
        chosen += "\\";
    *folder = chosen;
}

} // namespace

int ChooseFileName(CString& path, CString& title, int formatFlags, int& fileType, int open,
                   int folderKind)
{
    const FileFilter filter = FilterFor(formatFlags, open);
    CFileDialog dialog(open ? TRUE : FALSE, filter.defaultExt, title,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.filter);
    const CString folder = FolderOfKind(folderKind, open);
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
    RememberFolder(folderKind, open, path);
    return 1;
}

int ChooseFileNames(CStringArray& paths, int open)
{
    const FileFilter filter = FilterFor(6, open);
    CFileDialog dialog(open ? TRUE : FALSE, nullptr, "",
                       OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       filter.filter);
    const CString folder = FolderOfKind(1, open);
    dialog.m_ofn.lpstrInitialDir = folder.GetString();
    if (dialog.DoModal() != IDOK)
        return 0;
    POSITION pos = dialog.GetStartPosition();
    CString last;
    while (pos) {
        last = dialog.GetNextPathName(pos);
        paths.Add(last);
    }
    if (!last.IsEmpty())
        RememberFolder(1, open, last);
    return 1;
}
