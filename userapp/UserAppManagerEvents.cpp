// Starting a user application and keeping it informed: its module is loaded from the
// user-application folder, and every input the drawing takes while it is the current command
// reaches it as an event code through its one entry.
#include "userapp/UserAppManager.h"

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "geometry/ElemRef.h"
#include "input/PickList.h"
#include "platform/core/Services.h"
#include "platform/ui/DynamicLibrary.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"
#include "view/ZelkView.h"

HMODULE g_userAppModule = nullptr;

namespace {

using DllCallEntry = void (*)(UserAppBlockHolder*, int);

constexpr int kUserAppCommand = 311;
constexpr UINT kRequestTimer = 3;
constexpr UINT kRequestPeriod = 50;

// Input kinds of the drawing's input events.
enum InputKind {
    kFontNameInput = 2, kValueInput = 3, kPointInput = 4, kTextInput = 5, kPickInput = 6,
    kCtrlPickInput = 8, kEditEntryInput = 9, kRightDoubleClick = 12
};

constexpr int kNoEvent = -1;

DllCallEntry LookUpEntry()
{
    return reinterpret_cast<DllCallEntry>(GetProcAddress(g_userAppModule, "DllCall"));
}

UserAppBlock* Block()
{
    return g_pApp && g_pApp->m_userAppBlockHolder ? g_pApp->m_userAppBlockHolder->m_block : nullptr;
}

void ShowOnMessageLine(const CString& text)
{
    if (g_pApp->m_activeView)
        g_pApp->m_activeView->ShowMessageLine(text);
}

int ValueEvent(int subCode)
{
    switch (subCode) {
    case 3: return 12;
    case 11: return 13;
    case 12: return 14;
    case 6: return 15;
    case 7: return 16;
    case 14: return 17;
    case 13: return 18;
    case 15: return 10;
    default: return 11;
    }
}

int PickEvent(int subCode)
{
    switch (subCode) {
    case 20: return 6;
    case 21: return 8;
    default: return 5;
    }
}

int PointEvent(int subCode)
{
    switch (subCode) {
    case 16: return kNoEvent;
    case 18: return 3;
    default: return 1;
    }
}

} // namespace

void CUserAppManager::LoadAndStart()
{
    if (!g_pApp || !g_pApp->m_activeView)
        return;
    const CUserAppRecord* app = GetAppRecord(m_selectedEntry);
    if (!app)
        return;
    const CString name = app->m_name;
    m_dllPath = g_pApp->m_appPath.m_appFolder;
    const CString& version = g_pApp->m_interfaceVersion;
    if (app->m_version != version) {
        AfxMessageBox("アプリケーションのバージョンが合いません。このバージョン " + version +
                      " の ZelkEnt,ZelkEnt でコンパイルし直して再登録してください。");
        return;
    }
    m_dllPath += app->m_fileName;
    g_userAppModule = LoadLibraryA(m_dllPath);
    if (!g_userAppModule) {
        ShowOnMessageLine("ファイル " + m_dllPath + " をロードできませんでした");
        return;
    }
    const DllCallEntry entry = LookUpEntry();
    if (!entry) {
        ShowOnMessageLine("ファイル " + m_dllPath + " のエントリー関数 DllCall() を取得できませんでした");
        return;
    }
    m_prompt.Empty();
    entry(g_pApp->m_userAppBlockHolder, 0);
    if (CZelkDoc* doc = g_pApp->GetActiveDrawingDoc()) {
        g_pApp->DispatchCommand(doc, g_pApp->m_activeView, kUserAppCommand);
        ShowOnMessageLine(name + " コマンドです");
    }
    if (g_pApp->m_pMainFrame)
        g_pApp->m_pMainFrame->StartTimer(kRequestTimer, kRequestPeriod);
}

void CUserAppManager::SendEvent(int event, EntryFailure failure)
{
    if (!g_userAppModule)
        return;
    const DllCallEntry entry = LookUpEntry();
    if (!entry) {
        if (failure == kFailAsResponse)
            g_pApp->ShowMessage("ファイル " + m_dllPath + " のエントリー関数 DllCall() を取得できませんでした", 1);
        else if (failure == kFailOnMessageLine)
            ShowOnMessageLine("ファイル " + m_dllPath + " の通知関数 ReportEvent() を取得できませんでした");
        return;
    }
    entry(g_pApp->m_userAppBlockHolder, event);
}

void CUserAppManager::ForwardInputEvent(CZelkDoc* doc, int kind, int subCode)
{
    // The input tape reads which consumer took an event.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    if (!g_userAppModule)
        return;
    int event = kNoEvent;
    switch (kind) {
    case kPointInput: event = PointEvent(subCode); break;
    case kRightDoubleClick: event = 2; break;
    case kPickInput: event = PickEvent(subCode); break;
    case kCtrlPickInput:
        // Only the Ctrl pick that names a candidate is an event; its reference and the cursor
        // travel with it.
        if (subCode == 20 && doc && doc->m_pickList) {
            CElemRef ref;
            UserAppBlock* block = Block();
            if (block && doc->m_pickList->GetCurrent(ref)) {
                block->m_pickRef.Assign(ref);
                block->m_pickCursor = g_pApp->m_rightPressPoint;
                event = 6;
            }
        }
        break;
    case kEditEntryInput: event = 7; break;
    case kValueInput: event = ValueEvent(subCode); break;
    case kFontNameInput: event = subCode == 26 ? 19 : kNoEvent; break;
    case kTextInput: event = 21; break;
    default: break;
    }
    if (event != kNoEvent)
        SendEvent(event, kFailAsResponse);
}

void CUserAppManager::NotifyKeyCommand()
{
    if (!g_userAppModule)
        return;
    std::uintptr_t word = g_pApp->m_lastKey;
    if (GetKeyState(VK_SHIFT) & 0x8000)
        word += 1000;
    if (GetKeyState(VK_CONTROL) & 0x8000)
        word += 2000;
    if (UserAppBlock* block = Block())
        block->m_eventWord = word;
    SendEvent(26, kFailOnMessageLine);
}

void CUserAppManager::NotifyRequestsDone(int flag) { SendEvent(flag == 0 ? 100 : 101, kFailSilently); }
void CUserAppManager::NotifySnapPointCycled() { SendEvent(4, kFailAsResponse); }
void CUserAppManager::NotifyCandidateCycled() { SendEvent(9, kFailAsResponse); }
void CUserAppManager::NotifyStepBack() { SendEvent(22, kFailAsResponse); }
void CUserAppManager::NotifyEnter() { SendEvent(23, kFailAsResponse); }
void CUserAppManager::NotifyConstraintSet() { SendEvent(24, kFailOnMessageLine); }
void CUserAppManager::NotifyConstraintReleased() { SendEvent(25, kFailAsResponse); }
