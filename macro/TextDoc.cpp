// CTextDoc: the text window's document. Its text lives in the view's edit control; lines go in
// through the work file and come out through a memory file, both as the raw bytes of a file.
#include "macro/TextDoc.h"

#include "app/MainFrame.h"
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "formats/BufferRoutines.h"
#include "formats/FileDialogs.h"
#include "geometry/Numeric.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

const char* const kWorkFileName = "ZelkTemp.txt";
const char* const kMsgWorkFileNotWritten = "作業ファイルの書き出しができませんでした";
const char* const kMsgWorkFileNotOpened = "テキスト作業ファイルがオープンできませんでした";
const char* const kMsgNoMemory = "テキスト読み取りに使用するメモリが不足しています";
const char* const kMsgLineTooLong = "文字列が1023文字以上のための読み取りエラーがありました";
const char* const kMsgNotTxtOrCsv = "ドキュメントの拡張子が txt / csv ではないので書き出しを中止しました";
const char* const kMsgCannotOpen = " はオープンできませんでした";

constexpr UINT kTextSaveTimer = 19;

CEditView* FirstEditView(const CDocument* doc)
{
    for (CView* v : doc->Views())
        if (auto* edit = dynamic_cast<CEditView*>(v))
            return edit;
    return nullptr;
}

void AddToRecentFiles(const CString& path)
{
    if (CWinApp* app = AfxGetApp())
        app->AddToRecentFileList(path);
}

}  // namespace

IMPLEMENT_DYNCREATE(CTextDoc, CDocument)

BEGIN_MESSAGE_MAP(CTextDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

CTextDoc::CTextDoc() = default;

CTextDoc::CTextDoc(int kind) : m_kind(kind) {}

CTextDoc::~CTextDoc()
{
    // A save that can no longer happen must not write through a dangling pointer.
    if (g_pApp && g_pApp->m_pendingTextDoc == this) {
        g_pApp->m_pendingTextDoc = nullptr;
        g_pApp->m_savePending = 0;
    }
}

void CTextDoc::Serialize(CArchive& ar)
{
    if (CEditView* view = FirstEditView(this)) {
        view->SerializeRaw(ar);
        return;
    }
    if (ar.IsStoring()) {
        ar.Write(m_windowlessText.GetString(), static_cast<UINT>(m_windowlessText.GetLength()));
        return;
    }
    std::string bytes;
    char chunk[4096];
    for (UINT n; (n = ar.Read(chunk, sizeof chunk)) != 0;)
        bytes.append(chunk, n);
    m_windowlessText = CString(bytes.data(), static_cast<int>(bytes.size()));
}

int CTextDoc::SetLines(const CStringArray& lines)
{
    if (!FirstEditView(this)) {
        // Without a window there is no edit control to load: the text is kept as it would be.
        m_windowlessText.Empty();
        for (int i = 0; i < lines.GetSize(); ++i)
            m_windowlessText += lines[i] + "\r\n";
        SetModifiedFlag(TRUE);
        return 1;
    }
    const CString workPath = (g_pApp ? g_pApp->m_appPath.m_workFolder : CString()) + kWorkFileName;
    if (!WriteTextFileLines(lines, workPath)) {
        AfxMessageBox(kMsgWorkFileNotWritten);
        return 0;
    }
    CFile file;
    if (!file.Open(workPath, CFile::modeRead | CFile::typeBinary)) {
        AfxMessageBox(kMsgWorkFileNotOpened);
        return 0;
    }
    try {
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar);
        ar.Close();
    } catch (CException&) {
        file.Abort();
        AfxMessageBox(kMsgWorkFileNotOpened);
        return 0;
    }
    file.Close();
    CrtRemove(workPath);
    SetModifiedFlag(TRUE);
    return 1;
}

int CTextDoc::GetLines(CStringArray& lines)
{
    CMemFile memory(1024);
    DWORD size = 0;
    try {
        CArchive ar(&memory, CArchive::store);
        Serialize(ar);
        ar.Close();
        size = memory.GetLength();
    } catch (CException&) {
        AfxMessageBox(kMsgNoMemory);
        return 0;
    }
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[size + 1]);
    if (!bytes) {
        AfxMessageBox(kMsgNoMemory);
        return 0;
    }
    memory.SeekToBegin();
    const UINT read = memory.Read(bytes.get(), static_cast<UINT>(size));

    char line[kLineMax + 1];
    int length = 0;
    bool overflow = false;
    for (UINT i = 0; i < read; ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            lines.Add(CString(line, length));
            length = 0;
        } else if (c == '\n') {
            // The LF of CR LF ends nothing: its line was ended by the CR.
            if (length > 0) {
                lines.Add(CString(line, length));
                length = 0;
            }
        } else if (c == '\0') {
            continue;
        } else if (length >= kLineMax) {
            // An over-long line is lost up to here and collected again from the next byte.
            length = 0;
            overflow = true;
        } else {
            line[length++] = c;
        }
    }
    if (length > 0)
        lines.Add(CString(line, length));
    if (overflow)
        AfxMessageBox(kMsgLineTooLong);
    return 1;
}

int CTextDoc::HasText()
{
    if (CEditView* view = FirstEditView(this)) {
        CString text;
        view->GetWindowText(text);
        return text.IsEmpty() ? 0 : 1;
    }
    return m_windowlessText.IsEmpty() ? 0 : 1;
}

void CTextDoc::ClearDrawingLink()
{
    m_ownerDrawing = nullptr;
    m_multiLineInput = 0;
}

BOOL CTextDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    // The old file stays whole until the new one is.
    const BOOL saved = SaveFileReplacing(lpszPathName, [this](const CString& temporary) {
        try {
            CFile file(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
            CArchive ar(&file, CArchive::store);
            Serialize(ar);
            ar.Close();
            file.Close();
        } catch (CArchiveException&) {
            return FALSE;
        }
        return TRUE;
    });
    if (!saved)
        return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CTextDoc::OnUpdateFileSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!g_pApp || !g_pApp->m_savePending);
}

void CTextDoc::OnFileSave()
{
    if (!g_pApp || g_pApp->m_savePending)
        return;
    g_pApp->m_savePending = 1;
    g_pApp->m_pendingTextDoc = this;
    g_pApp->m_pendingSaveKind = 2;
    g_pApp->CountDownToSave(this, m_path, kTextSaveTimer);
    g_pApp->m_appPath.AddRecentPath(m_path, FALSE);
}

int CTextDoc::SaveToFile()
{
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(m_path, drive, dir, fname, ext);
    CString lower = ext;
    lower.MakeLower();
    if (lower != ".txt" && lower != ".csv") {
        AfxMessageBox(kMsgNotTxtOrCsv);
        if (g_pApp) {
            g_pApp->m_savePending = 0;
            g_pApp->m_pendingTextDoc = nullptr;
        }
        return 0;
    }
    if (g_pApp && g_pApp->m_backupOnSave)
        MakeBackupCopy(m_path);
    const CString path = m_path;
    if (!OnSaveDocument(path)) {
        AfxMessageBox(path + kMsgCannotOpen);
        if (g_pApp) {
            g_pApp->m_savePending = 0;
            g_pApp->m_pendingTextDoc = nullptr;
        }
        return 0;
    }
    SetModifiedFlag(FALSE);
    // The window has a file now: the close question's Yes writes it there.
    m_strPathName = path;
    AddToRecentFiles(path);
    if (g_pApp) {
        g_pApp->m_appPath.AddRecentPath(path, FALSE);
        g_pApp->m_savePending = 0;
        g_pApp->m_pendingTextDoc = nullptr;
    }
    return 1;
}

void CTextDoc::OnFileSaveAs()
{
    SaveAs();
}

int CTextDoc::SaveAs()
{
    CString path;
    CString title = m_fileTitle;
    int fileType = 16;
    if (!ChooseFileName(path, title, 48, fileType, 0, 2))
        return 0;
    CWaitCursorScope wait;
    if (!OnSaveDocument(path)) {
        // The window keeps the file it had: it was not written to the new one.
        AfxMessageBox(path + kMsgCannotOpen);
        return 0;
    }
    if (g_pApp)
        g_pApp->m_appPath.AddRecentPath(path, FALSE);
    SetPathName(path, TRUE);
    SetTitle(path);
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(path, nullptr, nullptr, fname, ext);
    m_fileTitle = CString(fname) + ext;
    m_path = path;
    return 1;
}

BOOL CTextDoc::SaveModified()
{
    // A listing or input window belongs to its drawing: closing it never asks.
    if (m_ownerDrawing && !m_userText)
        return TRUE;
    return CDocument::SaveModified();
}

BOOL CTextDoc::DoFileSave()
{
    if (m_strPathName.IsEmpty())
        return SaveAs() ? TRUE : FALSE;
    const CString path = m_path;
    if (!OnSaveDocument(path)) {
        AfxMessageBox(path + kMsgCannotOpen);
        return FALSE;
    }
    AddToRecentFiles(path);
    return TRUE;
}

void CTextDoc::OnFileClose()
{
    if (g_pApp && g_pApp->m_savePending)
        return;
    // The user's own text is not thrown away unasked.
    if (m_userText && !SaveModified())
        return;
    OnCloseDocument();
}

void CTextDoc::OnCloseDocument()
{
    if (g_pApp && g_pApp->m_savePending && g_pApp->m_pendingTextDoc == this)
        return;
    if (m_ownerDrawing) {
        CStringArray lines;
        GetLines(lines);
        if (m_multiLineInput)
            HandOverMultiLineText(lines);
    }
    CDocument::OnCloseDocument();
}

void CTextDoc::HandOverMultiLineText(const CStringArray& lines)
{
    CZelkDoc* owner = m_ownerDrawing;
    owner->m_multiLineTexts.RemoveAll();
    owner->m_multiLineTexts.Append(lines);
    if (lines.GetSize() == 0 || owner->GetViews().empty() || !g_pApp)
        return;
    if (g_pApp->m_appElem.m_layerCondition == 2) {
        owner->m_writeLayer = owner->FindOrCreateLayer("");
        owner->UpdateAndPaintAllViews();
    }
    CGroupProcessor* group = g_pApp->m_groupProcessor;
    if (!group)
        return;
    if (!(group->m_running && group->m_tokenString == "MP"))
        group->Reset(1);
    group->EnterGroupMode();
    group->m_elemSet.AddTextLines(lines);
    group->m_elemSet.angle = 0.0;
    group->m_document = owner;
    g_pApp->m_boxSelectionStep = 0;
    g_pApp->m_appText.m_mask = 0;
    group->modePattern = "MP";
    group->OnInput(owner, 14, 32);
}
