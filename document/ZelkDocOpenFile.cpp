// Opening a new drawing or one under a path: drawings on disk are plain files, the native text format or
// DXF by extension. The binary archive is only what an embedding container would hand over.
#include "document/ZelkDoc.h"

#include "app/WaitCursorScope.h"
#include "document/DocEnvironment.h"
#include "platform/core/Runtime.h"
#include "platform/ui/WinUser.h"

BOOL CZelkDoc::OnNewDocument()
{
    return m_hasContents && CDocument::OnNewDocument();
}

BOOL CZelkDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    return m_hasContents && OpenFileOrStorage(lpszPathName);
}

BOOL CZelkDoc::OpenFileOrStorage(const CString& path)
{
    CWaitCursorScope wait;
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path, drive, dir, fname, ext);
    CString kind = ext;
    kind.MakeUpper();
    if (kind != ".ZEL" && kind != ".DXF") {
        AfxMessageBox("拡張子がZelkに適合していません", MB_OK);
        return TRUE;
    }
    // The application's drawing opener reuses this drawing: it is the last empty one.
    return DocOpenDrawingFile(this, path, fname, kind == ".ZEL" ? 2 : 4) != nullptr;
}
