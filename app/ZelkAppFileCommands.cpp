// File commands of the application beyond new and open: adding a text file to a text window,
// a library text with its drawing, a drawing that closes without asking, the symbol placement,
// and running the active text window as a macro.
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "formats/FileDialogs.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"
#include "macro/TextDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/FrameWnd.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgTextOpenFailed = "テキストファイルはオープンできませんでした";
const char* const kMsgTextAddFailed = "テキストファイルの追加の読み込みはできませんでした";

bool IsExperienceLibraryPath(const CString& path)
{
    return path.Find("作図体験ライブラリ") >= 0 || path.Find("作図体験ラララララ") >= 0;
}

} // namespace

void CZelkApp::OnAddTextFile()
{
    CTextDoc* doc = GetActiveTextDoc();
    CString path;
    CString title;
    int fileType = 16;
    if (!ChooseFileName(path, title, 16, fileType, 1, 2)) {
        ShowMessage(kMsgTextOpenFailed, 0);
        return;
    }
    if (!doc) {
        doc = NewTextDocument(0);
        if (!doc)
            return;
        doc->m_userText = 1;
    }
    if (!LoadTextFile(doc, path))
        AfxMessageBox(kMsgTextAddFailed);
}

void CZelkApp::OnOpenLibrary()
{
    if (ShowHelpInstead(33109))
        return;
    CTextDoc* text = OpenTextFileWithDialog(1);
    if (!text)
        return;
    TileDrawingWindows();
    POSITION pos = text->GetFirstViewPosition();
    while (pos)
        if (CView* view = text->GetNextView(pos))
            view->UpdateWindow();
    if (CZelkDoc* drawing = GetActiveDrawingDoc()) {
        CZelkView* first = nullptr;
        for (CZelkView* view : drawing->GetViews()) {
            view->ShowAll();
            if (!first)
                first = view;
        }
        if (first && IsExperienceLibraryPath(drawing->m_path))
            first->SetFocus();
    }
    m_lastCommandId = 33109;
}

CZelkDoc* CZelkApp::OpenDrawingWithDialog()
{
    CString path;
    CString title;
    int fileType = 2;
    if (!ChooseFileName(path, title, 6, fileType, 1, 1))
        return nullptr;
    return OpenDrawingFile(path, title, fileType == 4 ? 4 : 2);
}

void CZelkApp::OnOpenDrawingQuietly()
{
    if (CZelkDoc* doc = OpenDrawingWithDialog())
        doc->m_quietClose = 1;
}

void CZelkApp::DeleteSymbolDoc()
{
    // Group processing lets go of the loaded data before it goes.
    if (m_symbolDoc && m_groupProcessor && m_groupProcessor->m_document == m_symbolDoc)
        m_groupProcessor->Reset(1);
    delete m_symbolDoc;
    m_symbolDoc = nullptr;
}

void CZelkApp::OnSymbol()
{
    if (ShowHelpInstead(32898))
        return;
    CString path;
    CString title;
    int fileType = 2;
    if (!ChooseFileName(path, title, 2, fileType, 1, 4))
        return;
    DeleteSymbolDoc();

    m_savedCreationEnv = m_appElem.m_creationEnv;
    m_savedLayerCondition = m_appElem.m_layerCondition;
    ResetSelectionState();
    ClearOtherSelections(nullptr);

    if (m_symbolLayerCurrent) {
        SetLayerCondCurrent();
        ShowMessage("シンボル配置条件を ｢現レイヤ｣ に設定しました", 0);
    } else {
        if (m_savedLayerCondition == 1)
            SetLayerCondSame();
        else if (m_savedLayerCondition == 2)
            SetLayerCondNew();
        else
            SetLayerCondCurrent();
        ShowMessage("シンボル配置のレイヤ条件は元の設定のままです", 0);
    }
    RestoreCreationEnv(m_savedCreationEnv);

    // A windowless drawing that only holds the loaded data; its number goes back.
    m_symbolDoc = new CZelkDoc;
    m_symbolDoc->m_bAutoDelete = FALSE;
    --m_nextDocNumber;
    if (!m_symbolDoc->LoadNativeFile(path) || !m_symbolDoc->StartCopyOfLoadedData(1))
        DeleteSymbolDoc();
}

int CZelkApp::RunActiveTextAsMacro()
{
    CTextDoc* doc = GetActiveTextDoc();
    if (!doc)
        return 0;
    CStringArray lines;
    if (!doc->GetLines(lines) || !m_scriptInterpreter)
        return 0;
    CWaitCursorScope wait;
    m_prompt = "演算中･･･";
    m_hint = "演算中･･･";
    ShowPrompt();
    const int result = m_scriptInterpreter->RunLines(doc->m_ownerDrawing, lines, true);
    if (m_macroRecorder)
        m_macroRecorder->m_lines.Copy(lines);
    SetGuidance(doc->m_ownerDrawing);
    ShowPrompt();
    return result;
}

void CZelkApp::OnRunActiveText()
{
    RunActiveTextAsMacro();
}
