// The view's reading of native and DXF drawing files into its document: the window drawn first,
// the progress shown in the status bar, then the drawing shown whole and its folder remembered;
// and add-open, which reads several such files into the one drawing.
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "formats/FileDialogs.h"
#include "platform/core/Runtime.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgReading = " を読み込み中";
const char* const kMsgLayersRenamed = "レイヤ名称をデフォルト名に変更した箇所があります";
const char* const kMsgNotOpened = " はオープンできませんでした";
const char* const kNoteSeparator = "　";

}  // namespace

int CZelkView::ReadDrawingFile(const CString& path, int kind)
{
    if (!m_document)
        return 0;
    m_document->UpdateAllViews(nullptr);
    SendPaint();
    if (g_pApp && g_pApp->m_pMainFrame)
        g_pApp->m_pMainFrame->SetMessageText(path + kMsgReading);
    CWaitCursorScope wait;
    int layerRenamed = 0;
    const int read = kind == 4 ? ReadDxfData(path, &layerRenamed) : m_document->LoadNativeFile(path);
    if (!read) {
        // The progress must not stay once the reading has given up.
        if (g_pApp && g_pApp->m_pMainFrame)
            g_pApp->m_pMainFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
        return 0;
    }
    m_document->ComputeExtents();
    ShowAll();
    if (g_pApp) {
        if (kind == 4 && (layerRenamed == 1 || !m_dxfSkippedNote.IsEmpty())) {
            // Both notices, when both apply, in one line: the later would hide the earlier.
            CString note = layerRenamed == 1 ? CString(kMsgLayersRenamed) : CString();
            if (!note.IsEmpty() && !m_dxfSkippedNote.IsEmpty())
                note += kNoteSeparator;
            g_pApp->ShowMessage(note + m_dxfSkippedNote, 1);
        } else {
            // The guidance takes the place of the progress after either reader; after a DXF file
            // it used to stay, as if the reading went on.
            g_pApp->SetGuidance(m_document);
            g_pApp->ShowPrompt();
        }
        g_pApp->m_appPath.AddRecentPath(path, 1);
    }
    return 1;
}

int CZelkView::ReadNativeFile(const CString& path)
{
    return ReadDrawingFile(path, 2);
}

int CZelkView::ReadDxfFile(const CString& path)
{
    return ReadDrawingFile(path, 4);
}

void CZelkView::OnFileAddOpen()
{
    if (g_pApp && g_pApp->m_contextHelpMode == kContextHelpArmed) {
        g_pApp->ShowHelpPage("Help\\HID_FILE_ADD.htm");
        g_pApp->m_contextHelpMode = 0;
        return;
    }
    AddOpenFiles();
}

void CZelkView::AddOpenFiles()
{
    CStringArray paths;
    if (!ChooseFileNames(paths, 1) || !m_document)
        return;
    m_document->UpdateAllViews(nullptr);
    SendPaint();
    CWaitCursorScope wait;
    CString notOpened;
    for (int i = 0; i < paths.GetSize(); ++i) {
        const CString& path = paths[i];
        char fname[_MAX_FNAME];
        char ext[_MAX_EXT];
        _splitpath(path, nullptr, nullptr, fname, ext);
        CString kind = ext;
        kind.MakeLower();
        if (!kind.IsEmpty() && kind[0] == '.')
            kind = kind.Mid(1);
        int read = 0;
        if (kind == "zel")
            read = ReadNativeFile(path);
        else if (kind == "dxf")
            read = ReadDxfFile(path);
        if (!read) {
            // The names follow each other without a separator, as they always have.
            notOpened += CString(fname) + "." + kind;
            continue;
        }
        // A drawing never saved takes the name of the first file read into it.
        if (m_document->m_name.Left(7) == "NewFile") {
            m_document->m_path = path;
            m_document->m_strPathName = path;
            m_document->m_name = fname;
            m_document->SetTitle(path);
            m_document->CDocument::SetTitle(path);
        }
    }
    if (g_pApp) {
        if (!notOpened.IsEmpty())
            g_pApp->ShowMessage(notOpened + kMsgNotOpened, 1);
        g_pApp->SetGuidance(m_document);
        g_pApp->ShowPrompt();
    }
}
