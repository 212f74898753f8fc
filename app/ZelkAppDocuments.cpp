// The application's opening of drawings: by file name (command line, recent files, dropped
// files), through the open dialog, into a new window or into an empty one, and the lookups of
// the open drawings these need.
#include "app/ZelkApp.h"

#include "app/WaitCursorScope.h"
#include "document/ZelkDoc.h"
#include "formats/FileDialogs.h"
#include "input/InputBar.h"
#include "macro/TextDoc.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "view/ZelkView.h"

CDocument* CZelkApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    CWaitCursorScope wait;
    const CString path = lpszFileName ? lpszFileName : "";
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(path, nullptr, nullptr, fname, ext);
    CString upper = ext;
    upper.MakeUpper();
    if (upper == ".ZEL")
        return OpenDrawingFile(path, fname, 2);
    if (upper == ".DXF")
        return OpenDrawingFile(path, fname, 4);
    // Any other file is a text: an empty active text window gives way to it.
    if (CTextDoc* active = GetActiveTextDoc(); active && !active->HasText())
        active->OnCloseDocument();
    CTextDoc* text = OpenTextDocument(path);
    if (!text) {
        AfxMessageBox("テキストファイルはオープンできませんでした");
        return nullptr;
    }
    if (!LoadTextFile(text, path)) {
        AfxMessageBox("テキストファイルは読み込みできませんでした");
        return nullptr;
    }
    MarkUserFile(text);
    return text;
}

void CZelkApp::OnFileOpen()
{
    if (m_contextHelpMode == 11) {
        ShowHelpPage("Help\\HID_FILE_OPEN.htm");
        m_contextHelpMode = 0;
        return;
    }
    OpenDrawingsWithDialog();
    m_lastCommandId = ID_FILE_OPEN;
}

int CZelkApp::OpenDrawingsWithDialog()
{
    CStringArray paths;
    if (!ChooseFileNames(paths, 1))
        return 0;
    return OpenDrawingFiles(paths);
}

