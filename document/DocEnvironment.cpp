// What the drawing document reads from the application object and its settings. Without an
// application object (a tool, or a test that builds a drawing alone) the settings' defaults
// apply and messages go nowhere.
#include "document/DocEnvironment.h"

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "input/CrossPointInput.h"
#include "document/ZelkDoc.h"
#include "elements/ElementSettings.h"
#include "input/InputBar.h"
#include "macro/TextDoc.h"
#include "platform/core/FolderLock.h"
#include "platform/core/ProgramFolder.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"
#include "platform/ui/Clipboard.h"
#include "view/ZelkView.h"

namespace {

template <class Record>
const Record& Defaults()
{
    static const Record record;
    return record;
}

const CAppElem& Elem() { return g_pApp ? g_pApp->m_appElem : Defaults<CAppElem>(); }
const CAppText& Text() { return g_pApp ? g_pApp->m_appText : Defaults<CAppText>(); }
const CAppColor& Colors() { return g_pApp ? g_pApp->m_appColor : Defaults<CAppColor>(); }
const CAppDraw& Draw() { return g_pApp ? g_pApp->m_appDraw : Defaults<CAppDraw>(); }

UserAppBlock* ExchangeBlock()
{
    return g_pApp && g_pApp->m_userAppBlockHolder ? g_pApp->m_userAppBlockHolder->m_block : nullptr;
}

}  // namespace

void DocShowMessage(const CString& text, int beep)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, beep);
}

BOOL DocOwnsRecoveryFiles()
{
    // Held until the run ends; taken again when the program folder is another one (each test
    // has a folder of its own) or when the instance that held it has ended.
    static CFolderLock lock;
    const CString path = ProgramFolder() + "Recov.lck";
    if (lock.IsHeld() && lock.GetPath() == path)
        return TRUE;
    return lock.Acquire(path);
}

WORD g_zelkClientFormat = 0;

int DocOpenHelpIfArmed(const char* page)
{
    if (!g_pApp || g_pApp->m_contextHelpMode != 11)
        return 0;
    g_pApp->ShowHelpPage(page);
    g_pApp->m_contextHelpMode = 0;
    return 1;
}

void DocRegisterClientFormat()
{
    if (g_zelkClientFormat == 0)
        g_zelkClientFormat = static_cast<WORD>(RegisterClipboardFormat("Zelk Client"));
}

CZelkDoc* DocOpenDrawingFile(CZelkDoc* doc, const CString& path, const CString& name, int kind)
{
    if (g_pApp)
        return g_pApp->OpenDrawingFile(path, name, kind);
    int read = 0;
    if (kind == 2)
        read = doc->LoadNativeFile(path);
    else if (!doc->GetViews().empty())
        read = doc->GetViews().front()->ReadDxfFile(path);
    if (!read)
        return nullptr;
    doc->m_path = path;
    doc->m_name = name;
    return doc;
}

void DocClearPrompt()
{
    if (g_pApp)
        g_pApp->m_prompt.Empty();
}

void DocSetCreationLineWidth(short width)
{
    if (g_pApp)
        g_pApp->m_appElem.m_lineWidth = width;
}

void DocForgetDocument(CZelkDoc* doc)
{
    if (!g_pApp)
        return;
    if (g_pApp->m_atrElem.m_document == doc)
        g_pApp->m_atrElem.m_document = nullptr;
    if (g_pApp->m_atrReference.m_document == doc)
        g_pApp->m_atrReference.m_document = nullptr;
    // The listings' previous reference would otherwise read the blocks of a freed drawing.
    if (g_pApp->m_inputBar)
        g_pApp->m_inputBar->ForgetDocument(doc);
    // A drawing that goes while its write waits is not written.
    if (g_pApp->m_pendingDrawing == doc) {
        g_pApp->m_pendingDrawing = nullptr;
        g_pApp->m_pendingView = nullptr;
        g_pApp->m_savePending = g_pApp->m_pendingTextDoc ? g_pApp->m_savePending : 0;
    }
    // Group processing would otherwise go on in, or rebuild its sketch from, a freed drawing.
    if (g_pApp->m_groupProcessor)
        g_pApp->m_groupProcessor->ForgetDocument(doc);
    // The intersection mode's first pick would otherwise be looked up in a freed drawing.
    if (g_pApp->m_crossPointInput)
        g_pApp->m_crossPointInput->ForgetDocument(doc);
    UserAppBlock* block = ExchangeBlock();
    if (block && block->m_activeDocId == static_cast<std::int16_t>(doc->m_docNumber))
        block->m_activeDocId = -1;
}

void DocForgetInTextWindows(const CZelkDoc* doc)
{
    if (!g_pApp)
        return;
    for (CTextDoc* text : g_pApp->TextDocs())
        if (text->m_ownerDrawing == doc)
            text->m_ownerDrawing = nullptr;
}

void DocSetUserAppWriteLayer(short layer)
{
    if (UserAppBlock* block = ExchangeBlock())
        block->m_writeLayer = layer;
}

WORD DocNextNumber()
{
    static short alone = 0;
    short& counter = g_pApp ? g_pApp->m_nextDocNumber : alone;
    return static_cast<WORD>(counter++);
}

CString DocProgramFolder()
{
    return ProgramFolder();
}

CString DocDataFolder()
{
    return g_pApp ? g_pApp->m_appPath.m_dataFolder : ProgramFolder() + "ZelkData";
}

CRectD DocInitialArea()
{
    return Draw().m_initialArea;
}

DocPenValues DocCreationPen()
{
    const CAppElem& e = Elem();
    return DocPenValues{e.m_lineType, e.m_lineWidth, e.m_color, e.m_blurCount, e.m_blurRate,
                        e.m_blurMode};
}

const CAppText& DocTextSettings()
{
    return Text();
}

double DocUnderlineRatio()
{
    return Text().m_subscriptRatio;
}

int DocTabWidth()
{
    return Text().m_tabShift;
}

int DocGroupSelection()
{
    return GroupSelectionSetting();
}

int DocDimensionSelection()
{
    return DimensionSelectionSetting();
}

COLORREF DocStandardColor(int i)
{
    return Colors().m_standardColors[i];
}

COLORREF DocDefaultColor()
{
    return Colors().fallbackPenColor;
}

int DocInterruptingKind()
{
    return g_pApp ? g_pApp->m_interruptKind : 0;
}

CZelkView* DocActiveView()
{
    return g_pApp ? g_pApp->m_activeView : nullptr;
}

int DocMarkSize()
{
    return Draw().crossMarkSize;
}

COLORREF DocBasePointColor()
{
    return Colors().markColor;
}

RECT DocServerItemRect()
{
    return g_pApp ? g_pApp->m_activeClientRect : RECT{0, 0, 0, 0};
}

void DocSetServerItemView(const CPointD& origin, double zoom)
{
    if (g_pApp) {
        g_pApp->m_viewOrigin = origin;
        g_pApp->m_viewZoom = zoom;
    }
}

void DocSetServerItemScroll(int x, int y)
{
    if (g_pApp)
        g_pApp->m_viewScrollPos = POINT{x, y};
}
