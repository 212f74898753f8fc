// New drawings and drawings opened from files: their names, their windows and the reading of the
// file into them.
#include "app/ZelkApp.h"

#include "document/ZelkDoc.h"
#include "formats/FileDialogs.h"
#include "input/InputBar.h"
#include "platform/core/Runtime.h"
#include "platform/core/Time.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

namespace {

// The drawing's first window view.
CZelkView* FirstDrawingView(CZelkDoc* doc)
{
    if (doc->Views().empty())
        return nullptr;
    auto* view = dynamic_cast<CZelkView*>(doc->Views().front());
    if (view && !view->m_document)
        view->m_document = doc;
    return view;
}

}  // namespace

// base, then the count of open names that begin with it plus one: none for 1, "0" and the
// number up to 8, the number alone from 9 on. A name already open counts on.
CString CZelkApp::NextNewDrawingName() const
{
    int n = 1;
    if (m_pDocTemplate) {
        POSITION pos = m_pDocTemplate->GetFirstDocPosition();
        while (pos) {
            auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
            if (doc && doc->m_name.Left(7) == "NewFile")
                ++n;
        }
    }
    for (;; ++n) {
        CString name = "NewFile";
        if (n >= 2 && n <= 8)
            name.AppendFormat("0%d", n);
        else if (n >= 9)
            name.AppendFormat("%d", n);
        if (!FindDrawingDocByName(name))
            return name;
    }
}

// Gives the window of a new or reused drawing its scroll and the input focus.
void CZelkApp::PrepareDrawingView(CZelkDoc* doc)
{
    CZelkView* view = FirstDrawingView(doc);
    if (!view)
        return;
    view->UpdateScrollSizes();
    view->CenterScrollPosition();
    if (m_inputBar)
        m_inputBar->SelectList(1, 0, 1);
    view->SetFocus();
}

void CZelkApp::NewDrawing()
{
    const CString name = NextNewDrawingName();
    const CString path = m_appPath.m_dataFolder + name + ".zel";
    const int anyOpen = CountDrawingDocs() > 0;
    CZelkDoc* doc = CreateDrawingDoc(name, path, TRUE);
    // A file opened from the first drawing's start-up notices may have taken the new drawing.
    if (!doc || doc->m_name != name)
        return;
    doc->m_path = path;
    const CTime now = CTime::GetCurrentTime();
    doc->m_creationDate = now.GetTime() < 0 ? CString("0000/00/00") : now.Format("%Y/%m/%d");
    if (!anyOpen)
        TileDrawingWindows();
    PrepareDrawingView(doc);
}

int CZelkApp::OpenDrawingFiles(const CStringArray& paths)
{
    for (int i = 0; i < paths.GetSize(); ++i) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(paths[i], drive, dir, fname, ext);
        CString kind = ext;
        kind.MakeLower();
        if (kind == ".zel")
            OpenDrawingFile(paths[i], fname, 2);
        else if (kind == ".dxf")
            OpenDrawingFile(paths[i], fname, 4);
    }
    return 1;
}

CZelkDoc* CZelkApp::OpenDrawingFile(const CString& path, const CString& name, int kind)
{
    CZelkDoc* doc = FindEmptyDrawingDoc();
    const BOOL reused = doc != nullptr;
    const CString oldName = reused ? doc->m_name : CString();
    const CString oldPath = reused ? doc->m_path : CString();
    if (reused) {
        doc->m_path = path;
        doc->m_strPathName = path;
        doc->m_name = name;
        doc->SetTitle(path);
        doc->CDocument::SetTitle(path);
    } else {
        if (FindDrawingDocByPath(path)) {
            AfxMessageBox(path + " はすでに開かれています", MB_OK);
            return nullptr;
        }
        doc = CreateDrawingDoc(name, path, TRUE);
        if (!doc)
            return nullptr;
        doc->m_path = path;
        doc->m_strPathName = path;
    }
    if (CountDrawingDocs() == 1)
        TileDrawingWindows();
    PrepareDrawingView(doc);

    CZelkView* view = FirstDrawingView(doc);
    int read = 0;
    if (kind == 2)
        read = view ? view->ReadNativeFile(path) : doc->LoadNativeFile(path);
    else if (kind == 4 && view)
        read = view->ReadDxfFile(path);
    if (!read) {
        AfxMessageBox(path + " はオープンできませんでした", MB_OK);
        if (!reused) {
            // A window made only for the file goes with it, instead of staying as one more
            // empty drawing under a new name.
            doc->OnCloseDocument();
            return nullptr;
        }
        // The empty drawing that was to take the file keeps its own name again: a save from it
        // must not overwrite the file that could not be read.
        doc->m_name = oldName;
        doc->m_path = oldPath;
        doc->SetTitle(oldPath);
        doc->CDocument::SetTitle(oldPath);
        doc->m_strPathName.Empty();
        return nullptr;
    }
    // A drawing opened joins the recent files, as one saved does.
    AddToRecentFileList(path);
    if (reused) {
        doc->CDocument::UpdateAllViews(nullptr);
        if (view)
            view->SendPaint();
    }
    return doc;
}
