// Restoring the drawings an abnormal end left behind in recovery files of the program folder.
#include "app/ZelkApp.h"

#include <vector>

#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "formats/BufferRoutines.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Runtime.h"
#include "view/ZelkView.h"

namespace {

// Document numbers the start-up scan covers, and side files per drawing.
constexpr int kRecoveryNumbers = 98;

CString RecoveryName(int n)
{
    CString name;
    name.Format("Recov%d", n);
    return name;
}

// Whether the recovery record of `base` marks its file as a DXF whose import passed over entities.
bool RecordedAsLossyDxf(const CString& base)
{
    CStringArray lines;
    return _access(base + ".pth", 0) == 0 && ReadTextFileLines(lines, base + ".pth") && lines.GetSize() >= 3
           && lines[2] == "1";
}

const char* const kMsgRecoveredDrawings =
    "前回、保存されないまま終了した図面をリカバリファイルから復元しました。\n"
    "上書き保存するまで、図面のファイルは前回保存したときのままです。\n";

}  // namespace

// Only the program folder is searched: a recovery file of the current folder would belong to
// another program folder, and so to another instance.
int CZelkApp::HasRecoveryFiles()
{
    if (!DocOwnsRecoveryFiles())
        return 0;
    const CString folder = ProgramFolder();
    for (int n = 1; n <= kRecoveryNumbers; ++n)
        if (_access(folder + RecoveryName(n) + ".zel", 0) == 0)
            return 1;
    return 0;
}

// A recovery file is written whole beside itself under the temporary name and then put in
// place; an end during the write (a killed process, the file-size limit) leaves the temporary
// file. Only the instance that owns the recovery files writes them, so it alone may remove one.
void CZelkApp::RemoveStaleRecoveryTemporaries()
{
    if (!DocOwnsRecoveryFiles())
        return;
    const CString folder = ProgramFolder();
    std::vector<CString> stale;
    _finddata_t data;
    const std::intptr_t handle = _findfirst(folder + "Recov*.tmp~", &data);
    if (handle < 0)
        return;
    do {
        if (!(data.attrib & _A_SUBDIR))
            stale.push_back(folder + data.name);
    } while (_findnext(handle, &data) == 0);
    _findclose(handle);
    for (const CString& path : stale)
        _unlink(path);
}

void CZelkApp::RecoverDrawings()
{
    if (!DocOwnsRecoveryFiles())
        return;
    const CString folder = ProgramFolder();
    std::vector<CZelkDoc*> restored;
    for (int n = 1; n <= kRecoveryNumbers; ++n) {
        const CString path = folder + RecoveryName(n) + ".zel";
        if (_access(path, 0) != 0)
            continue;
        CZelkDoc* doc = OpenRecoveryDocument(path, RecoveryName(n));
        if (!doc)
            continue;
        _unlink(path);
        // The drawing goes back under its own path and name; without a record of them it has
        // none, and Ctrl+S asks for one.
        CString ownPath;
        CString ownName;
        if (ReadRecoveredPath(folder + RecoveryName(n), ownPath, ownName)) {
            doc->m_path = ownPath;
            doc->m_strPathName = ownPath;
            doc->m_name = ownName;
            if (RecordedAsLossyDxf(folder + RecoveryName(n)))
                doc->m_lossyDxfPaths.Add(ownPath);
        } else {
            doc->m_pathUnknown = TRUE;
        }
        doc->SetTitle(doc->m_path);
        doc->CDocument::SetTitle(doc->m_path);
        _unlink(folder + RecoveryName(n) + ".pth");
        restored.push_back(doc);
        int k = 0;
        for (int i = 1; i <= kRecoveryNumbers; ++i) {
            CString side;
            side.Format("%s.%03d", static_cast<const char*>(folder + RecoveryName(n)), i);
            if (_access(side, 0) != 0)
                continue;
            doc->ReadObjectRecoveryFile(side, ++k);
            _unlink(side);
        }
    }
    CString list;
    for (CZelkDoc* doc : restored) {
        doc->SetModifiedFlag(TRUE);
        doc->CDocument::SetModifiedFlag(TRUE);
        doc->SaveRecoveryFile();
        for (size_t i = 0; i < doc->m_objects.size(); ++i)
            doc->SaveRecoveryObject(static_cast<int>(i));
        doc->ComputeExtents();
        doc->ShowAllInViews();
        list += "\n" + doc->m_path;
    }
    // The user learns which drawings came back, and that their files are still the old ones.
    if (!restored.empty())
        AfxMessageBox(kMsgRecoveredDrawings + list, MB_OK | MB_ICONINFORMATION);
}

BOOL CZelkApp::ReadRecoveredPath(const CString& base, CString& path, CString& name)
{
    CStringArray lines;
    if (_access(base + ".pth", 0) != 0 || !ReadTextFileLines(lines, base + ".pth") || lines.GetSize() < 2
        || lines[0].IsEmpty() || lines[1].IsEmpty())
        return FALSE;
    path = lines[0];
    name = lines[1];
    return TRUE;
}

CZelkDoc* CZelkApp::OpenRecoveryDocument(const CString& path, const CString& name)
{
    if (FindDrawingDocByPath(path))
        return nullptr;
    CZelkDoc* doc = CreateDrawingDoc(name, path, TRUE);
    if (!doc)
        return nullptr;
    // The restored drawing is saved under the data folder, never over the recovery file. It
    // keeps that name when the start names its new drawings afterwards.
    doc->m_path = m_appPath.m_dataFolder + name + ".zel";
    doc->m_strPathName = doc->m_path;
    if (!doc->LoadNativeFile(path)) {
        AfxMessageBox(path + " はオープンできませんでした", MB_OK);
        return nullptr;
    }
    doc->UpdateAllViews(nullptr);
    if (!doc->GetViews().empty())
        doc->GetViews().front()->SendPaint();
    return doc;
}
