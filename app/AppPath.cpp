// CAppPath: the folders beside the program, the recent-folder lists and their archive form.
#include "app/AppPath.h"

#include "app/SettingsField.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"

IMPLEMENT_DYNCREATE(CAppPath, CObject)

CAppPath::CAppPath() = default;

CAppPath::~CAppPath() = default;

void CAppPath::BuildFolders()
{
    m_programFolder = ProgramFolder();
    m_programFile = m_programFolder + "zelk";
    m_initialDataFolder = m_programFolder + "ZelkData\\";
    m_dataFolder = m_initialDataFolder;
    m_initialMacroFolder = m_programFolder + "ZelkMcro\\";
    m_macroFolder = m_initialMacroFolder;
    m_appFolder = m_programFolder + "ZelkApp\\";
    m_trainingFolder = m_programFolder + "Training\\";
    m_initialTextFolder = m_programFolder + "ZelkMcro\\";
    m_textFolder = m_initialTextFolder;
    m_workFolder = m_programFolder + "ZelkTemp";
    m_symbolFolder = m_programFolder + "ZelkSymb";
    AddRecentPath(m_initialDataFolder, TRUE);
    AddRecentPath(m_initialTextFolder, FALSE);
    AddRecentPath(m_programFolder, TRUE);
    AddRecentPath(m_programFolder, FALSE);
    if (_access(m_workFolder, 0) != 0 && _mkdir(m_workFolder) != 0)
        AfxMessageBox("作業用のパス " + m_workFolder + " の作成が出来なかったので、作成してください");
    m_workFolder += "\\";
}

void CAppPath::CreateWrittenFolders() const
{
    for (const CString* folder : {&m_initialDataFolder, &m_dataFolder, &m_initialMacroFolder, &m_macroFolder,
                                  &m_initialTextFolder, &m_textFolder}) {
        CString path = *folder;
        if (!path.IsEmpty() && path[path.GetLength() - 1] == '\\')
            path = path.Left(path.GetLength() - 1);
        // A folder that cannot be made is reported when a file is saved into it.
        if (!path.IsEmpty() && _access(path, 0) != 0)
            _mkdir(path);
    }
}

void CAppPath::AddRecentPath(const CString& path, BOOL drawing)
{
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(path, drive, dir, fname, ext);
    const CString folder = CString(drive) + dir;
    CStringArray& list = drawing ? m_recentDataFolders : m_recentTextFolders;
    for (int i = 0; i < static_cast<int>(list.GetSize()); ++i) {
        if (list[i] == folder) {
            list.RemoveAt(i);
            break;
        }
    }
    list.InsertAt(0, folder);
    if (list.GetSize() > kMaxRecent)
        list.RemoveAt(kMaxRecent);
}

void CAppPath::Serialize(CArchive& ar)
{
    for (CString* folder : {&m_initialDataFolder, &m_dataFolder, &m_initialMacroFolder, &m_macroFolder,
                            &m_initialTextFolder, &m_textFolder, &m_symbolFolder})
        ExchangeField(ar, *folder);
    if (ar.IsStoring()) {
        m_recentDataFolders.Serialize(ar);
        m_recentTextFolders.Serialize(ar);
        return;
    }
    // The folders read are put back in front of the lists read, so that an archive of any age
    // yields lists that hold them; a list never grows past its limit.
    m_recentDataFolders.Serialize(ar);
    ClampLoaded();
    AddRecentPath(m_initialDataFolder, TRUE);
    AddRecentPath(m_dataFolder, TRUE);
    m_recentTextFolders.Serialize(ar);
    ClampLoaded();
    AddRecentPath(m_initialTextFolder, FALSE);
    AddRecentPath(m_textFolder, FALSE);
    AddRecentPath(m_programFolder, TRUE);
    AddRecentPath(m_programFolder, FALSE);
}

void CAppPath::ClampLoaded()
{
    for (CStringArray* list : {&m_recentDataFolders, &m_recentTextFolders}) {
        if (list->GetSize() > kMaxRecent)
            list->SetSize(kMaxRecent);
    }
}
