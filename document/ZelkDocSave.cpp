// Opening and saving a drawing document: the plain-file open by extension, File Save, Save As,
// the close question and the writes they make, with their date stamps, backup copy and notices.
#include "document/ZelkDoc.h"

#include <vector>

#include "app/MainFrame.h"
#include "app/TrainingState.h"
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "document/DocEnvironment.h"
#include "formats/BufferRoutines.h"
#include "formats/FileDialogs.h"
#include "platform/core/File.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"
#include "platform/core/Time.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/WinApp.h"
#include "view/ZelkView.h"

namespace {

constexpr int kKindNative = 2;
constexpr int kKindDxf = 4;
constexpr UINT kDrawingSaveTimer = 18;

// Commands of the drawing's own message map besides the framework's file commands.
constexpr UINT kCmdTextAttributeInput = 32810;
constexpr UINT kCmdAttributeFind = 32816;
constexpr UINT kCmdReselectLatestBox = 32860;
constexpr UINT kCmdIntervalConstraint = 32875;
constexpr UINT kCmdErasePointerMarks = 32947;
constexpr UINT kCmdSaveAllDxf = 33110;
constexpr UINT kCmdSaveAllNative = 33114;

const char* const kMsgWrongExtension = "拡張子がZelkに適合していません";
const char* const kMsgNoDocument = "書き出すドキュメントがないのでファイルの書き出しはできません";
const char* const kMsgCannotOpen = " はオープンできませんでした";
const char* const kMsgNotZelOrDxf = "ドキュメントの拡張子がZel/Dxfではないので書き出しを中止しました";
const char* const kMsgNoActiveView = "アクティブビューがないのでファイルの書き出しはできません";
const char* const kMsgWritten = "ファイル書き出しは終了しました";
const char* const kMsgDxfShownLayers = "表示レイヤのデータのみをDXFに出力しました。";
const char* const kMsgAskToWrite = " のデータをファイルに書き出しますか？";
const char* const kMsgAskOverwriteLossyDxf =
    " の読み込みでは読み込めない要素を省略しました。上書きすると、それらの要素はファイルから失われます。"
    "上書きしますか？";

// The kind of a drawing file by its extension, compared without regard to case; 0 for others.
int KindOfPath(const CString& path)
{
    char ext[_MAX_EXT];
    _splitpath(path, nullptr, nullptr, nullptr, ext);
    CString lower = ext;
    lower.MakeLower();
    if (lower == ".zel")
        return kKindNative;
    if (lower == ".dxf")
        return kKindDxf;
    return 0;
}

CString TodayText()
{
    const std::int64_t now = Services().Time();
    if (now < 0)
        return "0000/00/00";
    CString text = CTime(static_cast<std::time_t>(now)).Format("%Y/%m/%d");
    return text.IsEmpty() ? CString("0000/00/00") : text;
}

// The drawing's first view as the framework lists it, else the application's active one.
CZelkView* WriterView(CZelkDoc* doc)
{
    for (CView* v : doc->m_viewList)
        if (auto* view = dynamic_cast<CZelkView*>(v)) {
            view->m_document = doc;
            return view;
        }
    if (!doc->GetViews().empty())
        return doc->GetViews().front();
    return g_pApp ? g_pApp->m_activeView : nullptr;
}

void NoteDxfOfShownLayers()
{
    CZelkView* active = g_pApp ? g_pApp->m_activeView : nullptr;
    if (active && !active->m_singleLayerMode && active->HasHiddenLayer())
        AfxMessageBox(kMsgDxfShownLayers);
}

void AddToRecentFiles(const CString& path)
{
    if (CWinApp* app = AfxGetApp())
        app->AddToRecentFileList(path);
}

// In context-help mode a command opens its help page instead of acting.
bool OpensHelpPage(const char* page)
{
    return DocOpenHelpIfArmed(page) != 0;
}

struct SaveAllTexts {
    int kind;
    const char* question;
    const char* failed;
    const char* done;
};

const SaveAllTexts kSaveAllDxf = { kKindDxf, " にあるDXFファイルに上書きしても良いですか？",
                                   "DXFの書き出しが出来なかったデータがあります。",
                                   "全ての表示図形データのDXF出力が完了しました。" };
const SaveAllTexts kSaveAllNative = { kKindNative, " にあるZelkファイルに上書きしても良いですか？",
                                      "Zelkの書き出しが出来なかったデータがあります。",
                                      "全ての表示図形データのZelk保存が完了しました。" };

// The file a save-all writes for a drawing: a native file keeps the case of the extension of a
// file already there (file names differ by case here), else ".zel".
CString SaveAllTarget(const CString& folder, const CString& name, int kind)
{
    const CString base = folder + name;
    if (kind == kKindDxf)
        return base + ".dxf";
    for (const char* ext : { ".zel", ".Zel", ".ZEL" })
        if (_access(base + ext, 0) == 0)
            return base + ext;
    return base + ".zel";
}

int SaveAllDrawings(const SaveAllTexts& texts)
{
    if (!g_pApp)
        return 0;
    const CString folder = g_pApp->m_appPath.m_dataFolder;
    if (AfxMessageBox(folder + texts.question, MB_YESNO) != IDYES)
        return 0;
    std::vector<CZelkDoc*> drawings;
    if (g_pApp->m_pDocTemplate) {
        POSITION pos = g_pApp->m_pDocTemplate->GetFirstDocPosition();
        while (pos)
            if (auto* doc = dynamic_cast<CZelkDoc*>(g_pApp->m_pDocTemplate->GetNextDoc(pos)))
                drawings.push_back(doc);
    }
    bool failed = false;
    for (CZelkDoc* doc : drawings) {
        doc->m_nativeWriteMode = 1;
        const CString name = doc->m_name;
        const CString target = SaveAllTarget(folder, name, texts.kind);
        if (g_pApp->m_backupOnSave)
            MakeBackupCopy(target);
        if (!doc->WriteByKind(texts.kind, target, name))
            failed = true;
    }
    AfxMessageBox(failed ? texts.failed : texts.done);
    return failed ? 0 : 1;
}

} // namespace

BEGIN_MESSAGE_MAP(CZelkDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_UPDATE_COMMAND_UI(ID_FILE_CLOSE, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateAlwaysEnabled)
    ON_COMMAND(kCmdSaveAllDxf, OnSaveAllDxf)
    ON_UPDATE_COMMAND_UI(kCmdSaveAllDxf, OnUpdateAlwaysEnabled)
    ON_COMMAND(kCmdSaveAllNative, OnSaveAllNative)
    ON_UPDATE_COMMAND_UI(kCmdSaveAllNative, OnUpdateAlwaysEnabled)
    ON_COMMAND(kCmdTextAttributeInput, OnTextAttributeInput)
    ON_UPDATE_COMMAND_UI(kCmdTextAttributeInput, OnUpdateTextAttributeInput)
    ON_COMMAND(kCmdAttributeFind, OnAttributeFind)
    ON_UPDATE_COMMAND_UI(kCmdAttributeFind, OnUpdateAttributeFind)
    ON_COMMAND(kCmdReselectLatestBox, OnReselectLatestBox)
    ON_UPDATE_COMMAND_UI(kCmdReselectLatestBox, OnUpdateReselectLatestBox)
    ON_COMMAND(kCmdIntervalConstraint, OnIntervalConstraint)
    ON_UPDATE_COMMAND_UI(kCmdIntervalConstraint, OnUpdateIntervalConstraint)
    ON_COMMAND(kCmdErasePointerMarks, OnErasePointerMarks)
    ON_UPDATE_COMMAND_UI(kCmdErasePointerMarks, OnUpdateAlwaysEnabled)
END_MESSAGE_MAP()

BOOL CZelkDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    // A drawing made in context-help mode opens nothing.
    return m_hasContents && OpenFileOrStorage(lpszPathName ? lpszPathName : "");
}

BOOL CZelkDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    return SaveFileOrStorage(lpszPathName ? lpszPathName : "");
}

int CZelkDoc::OpenFileOrStorage(const CString& path)
{
    CWaitCursorScope wait;
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(path, nullptr, nullptr, fname, ext);
    CString upper = ext;
    upper.MakeUpper();
    int kind = 0;
    if (upper == ".ZEL")
        kind = kKindNative;
    else if (upper == ".DXF")
        kind = kKindDxf;
    if (kind == 0) {
        AfxMessageBox(kMsgWrongExtension);
        return 1;
    }
    return g_pApp && g_pApp->OpenDrawingFile(path, fname, kind) ? 1 : 0;
}

int CZelkDoc::SaveFileOrStorage(const CString&)
{
    return SaveToFile();
}

void CZelkDoc::StampDates()
{
    const CString today = TodayText();
    if (m_creationDate.IsEmpty())
        m_creationDate = today;
    if (m_renewalDate1 != today) {
        m_renewalDate3 = m_renewalDate2;
        m_renewalDate2 = m_renewalDate1;
        m_renewalDate1 = today;
    }
}

void CZelkDoc::OnFileSave()
{
    if (OpensHelpPage("Help\\HID_FILE_SAVE.htm") || !g_pApp || g_pApp->m_savePending)
        return;
    // A restored drawing that does not know its file is given one by the user.
    if (m_pathUnknown) {
        SaveAs();
        return;
    }
    // Entities the import passed over are still in the file and nowhere else; unless the user
    // says so, it is not overwritten (Save As stays open).
    for (int i = 0; i < m_lossyDxfPaths.GetSize(); ++i) {
        if (m_lossyDxfPaths[i] != m_path)
            continue;
        if (AfxMessageBox(m_path + kMsgAskOverwriteLossyDxf, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return;
        break;
    }
    CZelkApp* app = g_pApp;
    app->m_pendingDrawing = this;
    app->m_pendingView = app->m_activeView;
    app->m_savePending = 1;

    if (app->m_activeView)
        app->m_activeView->ShowMessageLine(m_path);
    app->CountDownToSave(this, m_path, kDrawingSaveTimer);
}

void CZelkDoc::OnUpdateFileSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!g_pApp || !g_pApp->m_savePending);
}

void CZelkDoc::OnFileSaveAs()
{
    if (OpensHelpPage("Help\\HID_FILE_SAVE_AS.htm"))
        return;
    SaveAs();
}

void CZelkDoc::OnSaveAllDxf()
{
    if (!OpensHelpPage("Help\\HID_SAVE_ALL_DXF.htm"))
        SaveAllAsDxf();
}

void CZelkDoc::OnSaveAllNative()
{
    if (!OpensHelpPage("Help\\HID_SAVE_ALL_ZEL.htm"))
        SaveAllAsNative();
}

void CZelkDoc::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

int CZelkDoc::SaveAllAsDxf()
{
    return SaveAllDrawings(kSaveAllDxf);
}

int CZelkDoc::SaveAllAsNative()
{
    return SaveAllDrawings(kSaveAllNative);
}

void CZelkDoc::OnFileClose()
{
    if (OpensHelpPage("Help\\HID_FILE_CLOSE.htm"))
        return;
    CloseAfterAsking();
}

int CZelkDoc::SaveToFile()
{
    CZelkDoc* doc = g_pApp ? g_pApp->m_pendingDrawing : nullptr;
    // The view may have been closed while the write waited.
    CZelkView* view = g_pApp ? g_pApp->PendingWriterView() : nullptr;
    int result = 0;
    if (!doc || !view) {
        AfxMessageBox(kMsgNoDocument);
    } else {
        const CString path = doc->m_path;
        const int kind = KindOfPath(path);
        doc->m_nativeWriteMode = 1;
        if (kind == kKindNative || kind == kKindDxf) {
            if (kind == kKindNative)
                doc->StampDates();
            if (g_pApp->m_backupOnSave)
                MakeBackupCopy(path);
            if (kind == kKindNative) {
                view->m_document = doc;
                result = view->WriteNativeFile(path, 1) ? 1 : 0;
            } else {
                result = doc->WriteDxfFile(path) ? 1 : 0;
            }
            if (result) {
                if (!doc->m_quietClose)
                    doc->SetModifiedFlag(FALSE);
                AddToRecentFiles(path);
                if (kind == kKindNative) {
                    g_pApp->m_appPath.AddRecentPath(path, 1);
                } else {
                    NoteDxfOfShownLayers();
                    // What was passed over is gone from the file now: nothing left to ask about.
                    for (int i = doc->m_lossyDxfPaths.GetSize() - 1; i >= 0; --i)
                        if (doc->m_lossyDxfPaths[i] == path)
                            doc->m_lossyDxfPaths.RemoveAt(i);
                }
            } else {
                AfxMessageBox(path + kMsgCannotOpen);
            }
        } else {
            AfxMessageBox(kMsgNotZelOrDxf);
        }
    }
    if (g_pApp) {
        g_pApp->m_savePending = 0;
        g_pApp->m_pendingDrawing = nullptr;
        g_pApp->m_pendingView = nullptr;
    }
    return result;
}

int CZelkDoc::SaveAs()
{
    if (!g_pApp || !g_pApp->m_activeView) {
        AfxMessageBox(kMsgNoActiveView);
        return 0;
    }
    CString path;
    CString name = m_name;
    // A name typed without an extension takes the native one.
    int kind = kKindNative;
    if (!ChooseFileName(path, name, 2, kind, 0, 1))
        return 0;
    g_pApp->m_appPath.AddRecentPath(path, 1);
    if (CZelkDoc* active = g_pApp->GetActiveDrawingDoc())
        active->m_nativeWriteMode = 1;
    return WriteByKind(kind, path, name);
}

int CZelkDoc::WriteByKind(int kind, const CString& path, const CString& name)
{
    StampDates();
    CZelkView* view = WriterView(this);
    int written = 0;
    // A name chosen with an extension of another kind of file is not written as a drawing.
    if (kind == kKindNative && view) {
        view->m_document = this;
        written = view->WriteNativeFile(path, 1);
    } else if (kind == kKindDxf) {
        written = WriteDxfFile(path) ? 1 : 0;
    }
    if (!written) {
        AfxMessageBox(path + kMsgCannotOpen);
        return 0;
    }
    if (g_pApp)
        g_pApp->ShowMessage(kMsgWritten, 0);
    if (!m_quietClose)
        SetModifiedFlag(FALSE);
    m_path = path;
    m_name = name;
    m_strPathName = path;
    m_pathUnknown = FALSE;
    CDocument::SetTitle(path);
    SetTitle(path);
    AddToRecentFiles(path);
    if (kind == kKindDxf)
        NoteDxfOfShownLayers();
    return 1;
}

int CZelkDoc::AskToWrite()
{
    if (!IsModified() || (g_pApp && g_pApp->m_trainingState && g_pApp->m_trainingState->m_active))
        return 1;
    switch (AfxMessageBox(m_name + kMsgAskToWrite, MB_YESNOCANCEL)) {
    case IDCANCEL:
        return 0;
    case IDYES:
        if (!SaveAs())
            return 0;
        break;
    default:
        break;
    }
    if (!m_quietClose)
        SetModifiedFlag(FALSE);
    return 1;
}

BOOL CZelkDoc::SaveModified()
{
    if (m_quietClose)
        return CDocument::SaveModified();
    return AskToWrite() ? TRUE : FALSE;
}

int CZelkDoc::CloseAfterAsking()
{
    if (g_pApp && g_pApp->m_savePending)
        return 0;
    if (!m_quietClose && !AskToWrite())
        return 0;
    OnCloseDocument();
    return 1;
}
