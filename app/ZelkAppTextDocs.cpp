// Text windows of the application: new ones named NewText or macro, text files opened alone, in
// the library's tidy arrangement or beside the drawing of the same name, and the files' lines
// loaded into them. Without a text template (a run without windows) a new text document is kept
// by the application until exit.
#include "app/ZelkApp.h"

#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/TrainingState.h"
#include "document/ZelkDoc.h"
#include "formats/BufferRoutines.h"
#include "formats/FileDialogs.h"
#include "macro/TextDoc.h"
#include "macro/TextView.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "view/ZelkView.h"

#include <vector>

namespace {

const char* const kLibrary = "作図体験ライブラリ";
const char* const kLibraryAlt = "作図体験ラララララ";
const char* const kGuideReadMe = "ReadMe";
const char* const kGuideNotation = "表記解説";
const char* const kMsgNewTextFailed = "新規テキストドキュメントはオープンできませんでした";
const char* const kMsgNewTextFrameFailed = "新規テキストドキュメントのウィンドウフレームが構築できませんでした";
const char* const kMsgTextOpenFailed = "テキストファイルはオープンできませんでした";
const char* const kMsgTextFrameFailed = "テキストファイルのウィンドウフレームが構築できませんでした";
const char* const kMsgTextReadFailed = "テキストファイルは読み込みできませんでした";
const char* const kMsgAlreadyOpen = " はすでに開かれています";

bool Contains(const CString& text, const char* part)
{
    return text.Find(part) >= 0;
}

bool IsLibraryPath(const CString& path)
{
    return Contains(path, kLibrary) || Contains(path, kLibraryAlt);
}

bool IsGuidePath(const CString& path)
{
    return Contains(path, kGuideReadMe) || Contains(path, kGuideNotation);
}

// The drawing beside a text: the same folder and name with the native extension. Only the file
// name's extension is replaced, so that a dot in a folder name is kept.
CString DrawingBesideText(const CString& path)
{
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char fname[_MAX_FNAME];
    _splitpath(path, drive, dir, fname, nullptr);
    return CString(drive) + dir + fname + ".zel";
}

CString FileNameOf(const CString& path)
{
    char fname[_MAX_FNAME];
    _splitpath(path, nullptr, nullptr, fname, nullptr);
    return fname;
}

// The modification time of a file; 0 when it cannot be found.
std::int64_t FileTimeOf(const CString& path)
{
    _finddata_t data;
    const std::intptr_t handle = _findfirst(path, &data);
    if (handle == -1)
        return 0;
    _findclose(handle);
    return static_cast<std::int64_t>(data.time_write);
}

CFrameWnd* FrameOf(CDocument* doc)
{
    for (CView* v : doc->Views())
        if (CFrameWnd* frame = v->GetParentFrame())
            return frame;
    return nullptr;
}

void Minimize(CDocument* doc)
{
    if (CFrameWnd* frame = FrameOf(doc))
        frame->ShowWindow(SW_MINIMIZE);
}

template <class Doc>
std::vector<Doc*> DocumentsOf(const CMultiDocTemplate* docTemplate)
{
    std::vector<Doc*> docs;
    if (!docTemplate)
        return docs;
    POSITION pos = docTemplate->GetFirstDocPosition();
    while (pos)
        if (auto* doc = dynamic_cast<Doc*>(docTemplate->GetNextDoc(pos)))
            docs.push_back(doc);
    return docs;
}

}  // namespace

std::vector<CTextDoc*> CZelkApp::TextDocs() const
{
    std::vector<CTextDoc*> docs = DocumentsOf<CTextDoc>(m_pTextTemplate);
    for (int i = 0; i < m_windowlessTextDocs.GetSize(); ++i)
        docs.push_back(static_cast<CTextDoc*>(m_windowlessTextDocs[i]));
    return docs;
}

CTextDoc* CZelkApp::CreateTextDoc()
{
    if (!m_pTextTemplate) {
        auto* doc = new CTextDoc;
        m_windowlessTextDocs.Add(doc);
        return doc;
    }
    CDocument* created = m_pTextTemplate->CreateNewDocument();
    auto* doc = dynamic_cast<CTextDoc*>(created);
    if (!doc)
        delete created;
    return doc;
}

int CZelkApp::CreateTextFrame(CTextDoc* doc)
{
    if (!m_pTextTemplate)
        return 1;
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = m_pTextTemplate->CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return 0;
    }
    m_pTextTemplate->InitialUpdateFrame(frame, doc, TRUE);
    return 1;
}

CString CZelkApp::NextNewTextName(int kind) const
{
    const std::vector<CTextDoc*> docs = TextDocs();
    int n = 1;
    for (CTextDoc* doc : docs)
        if (doc->m_fileTitle.Left(7) == "NewText")
            ++n;
    const CString base = kind == 1 ? "macro" : "NewText";
    for (;; ++n) {
        CString name = base;
        if (n >= 2 && n <= 8)
            name.AppendFormat("0%d", n);
        else if (n >= 9)
            name.AppendFormat("%d", n);
        bool taken = false;
        for (CTextDoc* doc : docs)
            taken = taken || doc->m_fileTitle == name;
        if (!taken)
            return name;
    }
}

CTextDoc* CZelkApp::NewTextDocument(int kind)
{
    CTextDoc* doc = CreateTextDoc();
    if (!doc) {
        ShowMessage(kMsgNewTextFailed, 0);
        return nullptr;
    }
    doc->m_kind = kind;
    doc->ClearDrawingLink();
    if (m_activeView)
        doc->m_ownerDrawing = m_activeView->m_document;
    const CString name = NextNewTextName(kind);
    doc->m_fileTitle = name;
    doc->m_path = (kind == 1 ? m_appPath.m_macroFolder : m_appPath.m_dataFolder) + name + ".txt";
    doc->SetTitle(doc->m_path);
    if (!CreateTextFrame(doc)) {
        ShowMessage(kMsgNewTextFrameFailed, 0);
        return nullptr;
    }
    return doc;
}

CTextDoc* CZelkApp::FindTextDocByPath(const CString& path) const
{
    for (CTextDoc* doc : TextDocs())
        if (doc->m_path == path)
            return doc;
    return nullptr;
}

CTextDoc* CZelkApp::FindEmptyTextDoc() const
{
    CTextDoc* found = nullptr;
    for (CTextDoc* doc : DocumentsOf<CTextDoc>(m_pTextTemplate))
        if (!doc->HasText())
            found = doc;
    return found;
}

CTextDoc* CZelkApp::OpenTextDocument(const CString& path)
{
    if (FindTextDocByPath(path)) {
        AfxMessageBox(path + kMsgAlreadyOpen);
        return nullptr;
    }
    CTextDoc* doc = CreateTextDoc();
    if (!doc) {
        ShowMessage(kMsgTextOpenFailed, 0);
        return nullptr;
    }
    doc->ClearDrawingLink();
    doc->m_fileTitle = FileNameOf(path);
    doc->m_path = path;
    doc->m_strPathName = path;
    doc->SetTitle(path);
    if (!CreateTextFrame(doc)) {
        ShowMessage(kMsgTextFrameFailed, 0);
        return nullptr;
    }
    m_appPath.AddRecentPath(path, FALSE);
    doc->m_ownerDrawing = m_activeView ? m_activeView->m_document : nullptr;
    return doc;
}

int CZelkApp::LoadTextFile(CTextDoc* doc, const CString& path)
{
    if (!doc)
        return 0;
    CStringArray lines;
    doc->GetLines(lines);
    if (!ReadTextFileLines(lines, path))
        return 0;
    return doc->SetLines(lines);
}

void CZelkApp::MarkUserFile(CTextDoc* doc)
{
    doc->m_userText = 1;
    doc->SetModifiedFlag(FALSE);
}

CTextDoc* CZelkApp::GetActiveTextDoc() const
{
    if (!m_pMainFrame)
        return nullptr;
    CMDIChildWnd* child = m_pMainFrame->MDIGetActive();
    return child ? dynamic_cast<CTextDoc*>(child->GetActiveDocument()) : nullptr;
}

CString CZelkApp::ChooseTextFileName()
{
    CString path;
    CString title;
    int fileType = 16;
    if (!ChooseFileName(path, title, 48, fileType, 1, 2))
        return CString();
    return path;
}

CTextDoc* CZelkApp::OpenTextFileWithDialog(int libraryMode)
{
    CString path;
    CString title;
    int fileType = 16;
    if (!ChooseFileName(path, title, 48, fileType, 1, 2)) {
        ShowMessage(kMsgTextOpenFailed, 0);
        return nullptr;
    }
    CZelkDoc* libraryDrawing = libraryMode ? TidyForLibraryText(path) : nullptr;
    CTextDoc* doc = OpenTextDocument(path);
    if (!doc)
        return nullptr;
    if (_access(path, 0) == 0)
        doc->m_fileTime = FileTimeOf(path);
    if (libraryDrawing)
        doc->m_ownerDrawing = libraryDrawing;
    else
        doc->m_ownerDrawing = m_activeView ? m_activeView->m_document : nullptr;
    if (!LoadTextFile(doc, path)) {
        AfxMessageBox(kMsgTextReadFailed);
        return nullptr;
    }
    if (!libraryMode)
        MarkUserFile(doc);
    return doc;
}

CZelkDoc* CZelkApp::TidyForLibraryText(const CString& path)
{
    for (CZelkDoc* drawing : DocumentsOf<CZelkDoc>(m_pDocTemplate))
        if (!drawing->HasData())
            drawing->OnCloseDocument();
    if (CTextDoc* active = GetActiveTextDoc(); active && !active->HasText())
        active->OnCloseDocument();
    for (CZelkDoc* drawing : DocumentsOf<CZelkDoc>(m_pDocTemplate))
        if (!IsLibraryPath(drawing->m_path))
            Minimize(drawing);
    for (CTextDoc* text : DocumentsOf<CTextDoc>(m_pTextTemplate))
        if (!IsLibraryPath(text->m_path) || IsGuidePath(text->m_path))
            Minimize(text);
    if (!IsGuidePath(path)) {
        CTextDoc* activeText = GetActiveTextDoc();
        if (activeText && IsLibraryPath(activeText->m_path) && !IsGuidePath(activeText->m_path))
            activeText->OnCloseDocument();
        CZelkDoc* activeDrawing = GetActiveDrawingDoc();
        if (activeDrawing && IsLibraryPath(activeDrawing->m_path))
            activeDrawing->OnCloseDocument();
    }
    const CString drawingPath = DrawingBesideText(path);
    if (_access(drawingPath, 0) != 0)
        return nullptr;
    CZelkDoc* drawing = OpenDrawingFile(drawingPath, FileNameOf(drawingPath), 2);
    if (drawing)
        drawing->m_fileTime = FileTimeOf(drawingPath);
    return drawing;
}

void CZelkApp::OpenTextWithDrawing()
{
    const CString path = ChooseTextFileName();
    if (path.IsEmpty())
        return;
    if (IsGuidePath(path)) {
        if (CTextDoc* doc = OpenTextDocument(path))
            LoadTextFile(doc, path);
        return;
    }

    CZelkDoc* emptyDrawing = FindEmptyDrawingDoc();
    CZelkDoc* libraryDrawing = nullptr;
    for (CZelkDoc* drawing : DocumentsOf<CZelkDoc>(m_pDocTemplate)) {
        if (IsLibraryPath(drawing->m_path)) {
            libraryDrawing = drawing;
        } else if (drawing != emptyDrawing) {
            if (Contains(drawing->m_path, "Training")) {
                if (m_trainingState)
                    m_trainingState->m_active = 0;
                drawing->OnCloseDocument();
            } else {
                Minimize(drawing);
            }
        }
    }
    if (!emptyDrawing && !libraryDrawing)
        NewDrawing();

    CTextDoc* reused = nullptr;
    CTextDoc* emptyText = FindEmptyTextDoc();
    for (CTextDoc* text : DocumentsOf<CTextDoc>(m_pTextTemplate)) {
        if (IsGuidePath(text->m_path) || (!IsLibraryPath(text->m_path) && text != emptyText))
            Minimize(text);
        else
            reused = text;
    }
    if (!reused) {
        reused = NewTextDocument(0);
        m_lastCommandId = ID_TEXT_NEW;
        if (!reused)
            return;
    }
    if (CFrameWnd* frame = FrameOf(reused)) {
        if (m_pMainFrame)
            m_pMainFrame->MDIActivate(frame);
        frame->UpdateWindow();
    }
    TileDrawingWindows();

    // The drawing of the library starts afresh, then takes the drawing beside the text.
    CZelkDoc* drawing = GetActiveDrawingDoc();
    if (drawing) {
        drawing->ShowAllInViews();
        drawing->FreeContents();
        drawing->InitContents();
        if (!drawing->GetViews().empty()) {
            CZelkView* view = drawing->GetViews().front();
            view->ReleaseViewState();
            view->InitViewState();
        }
    }
    const CString drawingPath = DrawingBesideText(path);
    if (_access(drawingPath, 0) == 0) {
        if (CZelkDoc* opened = OpenDrawingFile(drawingPath, FileNameOf(drawingPath), 2)) {
            opened->m_fileTime = FileTimeOf(drawingPath);
            drawing = opened;
        }
    }

    CStringArray none;
    reused->SetLines(none);
    LoadTextFile(reused, path);
    reused->m_path = path;
    reused->m_strPathName = path;
    reused->m_fileTitle = FileNameOf(path) + ".txt";
    reused->m_ownerDrawing = drawing;
    // A library text belongs to its drawing, even in a window the user once made.
    reused->m_userText = 0;
    reused->SetTitle(path);
    if (drawing) {
        if (CFrameWnd* frame = FrameOf(drawing); frame && m_pMainFrame)
            m_pMainFrame->MDIActivate(frame);
    }
}

void CZelkApp::OnNewTextDocument()
{
    if (ShowHelpInstead(ID_TEXT_NEW))
        return;
    if (CTextDoc* doc = NewTextDocument(0))
        doc->m_userText = 1;
    m_lastCommandId = ID_TEXT_NEW;
}

void CZelkApp::OnOpenTextFile()
{
    if (ShowHelpInstead(ID_TEXT_OPEN))
        return;
    OpenTextFileWithDialog(0);
    m_lastCommandId = ID_TEXT_OPEN;
}

void CZelkApp::OnOpenExperienceLibrary()
{
    if (m_contextHelpMode == kContextHelpArmed) {
        ShowHelpPage("Help\\HID_TAIKENLIB.htm");
        m_contextHelpMode = 0;
        return;
    }
    // The text dialog starts in the library for this one choice: the working folder when it is
    // inside the library, else the library beside the program.
    const CString remembered = m_appPath.m_initialTextFolder;
    char cwd[256];
    if (_getcwd(cwd, sizeof cwd)) {
        const CString current(cwd);
        m_appPath.m_initialTextFolder =
            current.Find(kLibrary) >= 0 ? current + "\\" : m_appPath.m_programFolder + kLibrary + "\\";
    }
    OpenTextWithDrawing();
    m_appPath.m_initialTextFolder = remembered;
    m_lastCommandId = ID_EXPERIENCE_LIBRARY;
}

void CZelkApp::DeleteWindowlessTextDocs()
{
    for (int i = 0; i < m_windowlessTextDocs.GetSize(); ++i)
        delete static_cast<CTextDoc*>(m_windowlessTextDocs[i]);
    m_windowlessTextDocs.RemoveAll();
}

void CZelkApp::ShowResultsInTextWindow(const CStringArray& lines)
{
    if (!m_measureToTextWindow)
        return;
    CTextDoc* doc = NewTextDocument(0);
    if (!doc)
        return;
    doc->SetPathName("Devide", FALSE);
    doc->SetTitle("Devide.txt");
    doc->SetLines(lines);
}
