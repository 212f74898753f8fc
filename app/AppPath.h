// Program folders and the recent drawing and text folders. The folders proposed by the file
// dialogs and the recent lists are archived; the rest is rebuilt from the program folder.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CAppPath : public CObject {
    DECLARE_DYNCREATE(CAppPath)
public:
    static constexpr int kMaxRecent = 10;

    CAppPath();
    ~CAppPath() override;
    void Serialize(CArchive& ar) override;

    void BuildFolders();
    // Puts the folder of the path at the front of the recent drawing (flag set) or text folders.
    void AddRecentPath(const CString& path, BOOL drawing);
    // Makes the folders the program saves into (drawings, texts, macro texts) when missing, so
    // that a new drawing can be saved under its proposed name on a first start.
    void CreateWrittenFolders() const;
    // Cuts recent lists read from an archive to their limit.
    void ClampLoaded();

    CString m_programFolder;
    CString m_programFile;
    CString m_initialDataFolder;
    CString m_dataFolder;
    CString m_initialMacroFolder;
    CString m_macroFolder;
    CString m_appFolder;
    CString m_trainingFolder;
    CString m_initialTextFolder;
    CString m_textFolder;
    CString m_workFolder;
    CString m_symbolFolder;
    CStringArray m_recentDataFolders;
    CStringArray m_recentTextFolders;
};
