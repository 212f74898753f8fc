// Restoring the drawings an abnormal end left behind in recovery files of the program folder.
#include "app/ZelkApp.h"

#include <vector>

#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
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
    for (CZelkDoc* doc : restored) {
        doc->SetModifiedFlag(TRUE);
        doc->CDocument::SetModifiedFlag(TRUE);
        doc->SaveRecoveryFile();
        for (size_t i = 0; i < doc->m_objects.size(); ++i)
            doc->SaveRecoveryObject(static_cast<int>(i));
        doc->ComputeExtents();
        doc->ShowAllInViews();
    }
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
