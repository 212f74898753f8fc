// The input bar: the eleven history lists, the box they fill, the start routines of the input
// modes and the numeric key that opens list 1.
#include "input/InputBar.h"

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/DataString.h"
#include "geometry/Numeric.h"
#include "platform/core/Time.h"
#include "platform/ui/Ime.h"
#include "platform/ui/WinUser.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgNumericMode = "数値入力モードです";
const char* const kMsgMessageMode = "オリジナルメッセージの入力モードです";
const char* const kPromptFontInput = "リストを選択 or 希望フォントの文字列をピック or 空ピック";
const char* const kPromptLineTypeInput = "リストを選択 or 希望線種の要素をピック or 空ピック";
const char* const kMsgLineTypeMode = "線種設定モードです";
const char* const kMsgAttributeCommandMode = "文字属性入力モードです";
const char* const kMsgAttributeSearchMode = "  属性検索モードです";
const char* const kTextModeHead = " 文字列作図モードです。添え字記号は ";
const char* const kTextModeRuby = " 振り仮名記号は ";
const char* const kTextModeTail = " 。";
const char* const kSizeLineAlways = "　文字列のサイズ線を常表示しないように設定することもできます。";
const char* const kSizeLineWithCtrl = "　Ctrlキーを押すと文字列のサイズ線を表示します。";
const char* const kAttributeSuffix = " ･･･属性文字";

const char* const kFontDefaults[] = {
    "2.0H, 1.5W, ＭＳ ゴシック",  "2.5H, 1.3W, ＭＳ ゴシック",  "3.2H, 1.6W, ＭＳ ゴシック",
    "4.0H, 2.0W, ＭＳ ゴシック",  "5.0H, 2.5W, ＭＳ ゴシック",  "6.3H, 3.2W, ＭＳ ゴシック",
    "8.0H, 4.0W, ＭＳ ゴシック",  "10.0H, 5.0W, ＭＳ ゴシック", "12.5H, 6.3W, ＭＳ ゴシック",
    "16.0H, 8.0W, ＭＳ ゴシック", "20.0H, 10.0W, ＭＳ ゴシック",
};
const char* const kMessageDefaults[] = { "始点を入力", "終点を入力", "通過点を入力", "中心点を入力" };
const char* const kLineTypeDefaults[] = { "----- 細い実線", "- - -破線", "--･-- 一点鎖線", "--･･- 二点鎖線",
                                          "･････ 点線" };
const char* const kAttributeCommandTail[] = { "reset //文字属性の設定を解除", "//  //属性文字を休止",
                                              "rename, , //属性文字の変更" };
const char* const kFindConditionTail[] = {
    "ABC ･･･ABCと完全一致文字属性の検索", "*ABC ･･･ABCを含む文字属性の検索", "イロハ ･･･イロハを含む文字列の検索",
    "100L ･･･100の長さを検索",            "30d ･･･30度の角度を検索",          "t,s ･･･線種実線(solid)を検索",
    "t,d ･･･線種破線(dash)を検索",        "t,dd ･･･線種一点鎖線を検索",       "t,ddd ･･･線種二点鎖線を検索",
    "t,dt ･･･線種点線を検索",             "t,s dt ･･･線種実線と点線を同時に検索",
};

constexpr int kListCount = 11;

void Fill(CHistoryList& list, const char* const* texts, int count)
{
    list.Clear();
    for (int i = 0; i < count; ++i) {
        list.m_texts.Add(texts[i]);
        list.m_codes.Add(0);
    }
}

template <int N>
void Fill(CHistoryList& list, const char* const (&texts)[N])
{
    Fill(list, texts, N);
}

void Append(CHistoryList& list, const CString& text)
{
    list.m_texts.Add(text);
    list.m_codes.Add(0);
}

} // namespace

CInputBar::CInputBar() = default;

CInputComboBox* CInputBar::Box()
{
    if (!g_pApp || !g_pApp->m_pMainFrame)
        return nullptr;
    CInputComboBox* box = &g_pApp->m_pMainFrame->m_wndInputBar.m_inputBox;
    return box->GetSafeHwnd() ? box : nullptr;
}

void CInputBar::SetBoxText(const CString& text)
{
    if (!g_pApp || !g_pApp->m_pMainFrame)
        return;
    g_pApp->m_pMainFrame->m_wndInputBar.m_boxText = text;
    if (CInputComboBox* box = Box())
        box->SetWindowText(text);
}

void CInputBar::ShowMessage(const CString& text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 0);
}

void CInputBar::FillDefaultLists(int which)
{
    const bool all = which == -1;
    if (all || which == 1) {
        GetList(1).Clear();
        Append(GetList(1), "++90");
    }
    if (all || which == 2) {
        CHistoryList& texts = GetList(2);
        texts.Clear();
        const CTime now = CTime::GetCurrentTime();
        if (now.GetTime() > 0)
            Append(texts, now.Format("%A, %B %d, %Y"));
        Append(texts, "Zelkはzade");
        texts.m_currentText = "Zelkはzade";
    }
    if (all || which == 3) {
        CHistoryList& fonts = GetList(3);
        Fill(fonts, kFontDefaults);
        if (g_pApp) {
            const CAppText& text = g_pApp->m_appText;
            fonts.m_currentText = DoubleToString(text.m_heightTenths * 0.1) + "H," +
                                  DoubleToString(text.m_widthTenths * 0.1) + "W," + text.m_logFont.lfFaceName;
        }
    }
    if (all || which == 4) {
        GetList(4).Clear();
        Append(GetList(4), "0, 0");
    }
    if (all || which == 5) {
        CHistoryList& apps = GetList(5);
        apps.Clear();
        if (g_pApp && g_pApp->m_userAppManager) {
            for (int i = 0; i < g_pApp->m_userAppManager->GetAppCount(); ++i)
                Append(apps, g_pApp->m_userAppManager->GetAppName(i));
        }
    }
    if (all || which == 6)
        Fill(GetList(6), kMessageDefaults);
    if (all || which == 9) {
        CHistoryList& types = GetList(9);
        types.Clear();
        const double thick = g_pApp ? g_pApp->m_appElem.m_thickWidth * 0.1 : 0.0;
        Append(types, CHistoryList::ThickLineEntry(thick));
        for (const char* t : kLineTypeDefaults)
            Append(types, t);
    }
    m_selectedIndex = 0;
    m_imeWasOpen = 0;
}

void CInputBar::DeleteLists()
{
    for (CHistoryList& list : m_lists)
        list.Clear();
}

void CInputBar::SelectList(int list, int keepText, int focus)
{
    if (list < 1 || list > kListCount)
        return;
    CInputComboBox* box = Box();
    if (box)
        box->ResetContent();
    SetBoxText("");
    m_selectedIndex = 0;
    m_currentList = list;
    CHistoryList& shown = GetList(list);
    shown.m_touched = 0;
    m_listEdited = 0;
    if (box) {
        for (int i = 0; i < shown.m_texts.GetSize(); ++i)
            box->AddString(shown.m_texts[i]);
    }
    if (!keepText)
        SetBoxText(shown.m_currentText);
    if (focus && box)
        box->SetFocus();
}

void CInputBar::SelectListForCommand(int commandKind)
{
    if (commandKind == 7) {
        StartTextInput();
        if (CInputComboBox* box = Box())
            box->ShowDropDown(TRUE);
        return;
    }
    SelectList(1, 1, 0);
}

void CInputBar::RememberText()
{
    switch (m_currentList) {
    case 3: GetList(3).AddSorted(m_enteredText); break;
    case 5: break;
    // The listing's lines keep their order: the entry chosen is found by its index, and its line
    // code by the same index, so moving it to the top would hand it another line's code.
    case 8: break;
    default: GetList(m_currentList).AddRecentWithCode(m_enteredText, 0); break;
    }
}

CString CInputBar::NumericKeyText(int key, bool shift)
{
    if (key >= '0' && key <= '9') {
        if (!shift)
            return CString(static_cast<char>(key));
        return key == '0' ? CString() : CString(static_cast<char>(key - 16));
    }
    if (key >= 0x60 && key <= 0x69)
        return CString(static_cast<char>('0' + key - 0x60));
    if (key >= 0x6A && key <= 0x6F) {
        static const char operators[] = "*+,-./";
        return CString(operators[key - 0x6A]);
    }
    // A shifted letter gives the same capital: the key code has no lower-case form.
    if (key >= 'A' && key <= 'Z')
        return CString(static_cast<char>(key));
    if (key == 0x92)
        return "=";
    if (key == 0xDB)
        return shift ? "{" : "[";
    return CString();
}

void CInputBar::EnterNumericMode(int virtualKey)
{
    SelectList(1, 1, 1);
    const CString text = NumericKeyText(virtualKey, GetKeyState(VK_SHIFT) < 0);
    SetBoxText(text);
    if (CInputComboBox* box = Box())
        box->SetEditSel(text.GetLength(), text.GetLength());
    ShowMessage(kMsgNumericMode);
}

void CInputBar::StartNumericInput(const CString& text)
{
    SelectList(1, 1, 1);
    m_enteredText = text;
    CInputComboBox* box = Box();
    const int found = box ? box->FindStringExact(-1, text) : -1;
    if (found >= 0)
        box->SetCurSel(found);
    else
        SetBoxText(text);
    if (box)
        box->SetEditSel(0, -1);
    ShowMessage(kMsgNumericMode);
}

void CInputBar::ShowTextInputMessage(const CString& head)
{
    if (!g_pApp)
        return;
    ShowMessage(head);
    g_pApp->ShowResultMessage(g_pApp->m_showTextSizeLines ? kSizeLineAlways : kSizeLineWithCtrl, 0);
}

void CInputBar::StartTextInput()
{
    SelectList(2, 0, 1);
    if (!g_pApp)
        return;
    const CAppText& text = g_pApp->m_appText;
    ShowTextInputMessage(kTextModeHead + text.m_subscriptMarker + kTextModeRuby + text.m_rubyMarker + kTextModeTail);
    CZelkView* view = g_pApp->m_activeView;
    if (m_imeWasOpen && view) {
        if (HIMC context = ImmGetContext(view->m_hWnd)) {
            ImmSetOpenStatus(context, TRUE);
            ImmReleaseContext(view->m_hWnd, context);
        }
    }
}

void CInputBar::StartFontInput()
{
    SelectList(3, 0, 1);
    if (g_pApp) {
        g_pApp->m_prompt = kPromptFontInput;
        g_pApp->ShowPrompt();
    }
}

void CInputBar::StartMessageInput()
{
    SelectList(6, 0, 1);
    ShowMessage(kMsgMessageMode);
}

void CInputBar::StartListingDisplay()
{
    SelectList(8, 0, 1);
    if (g_pApp && g_pApp->m_pMainFrame && !g_pApp->m_measureToTextWindow)
        g_pApp->m_pMainFrame->StartTimer(4, 200);
}

void CInputBar::StartLineTypeList()
{
    SelectList(9, 0, 1);
    if (!g_pApp)
        return;
    g_pApp->m_prompt = kPromptLineTypeInput;
    g_pApp->ShowPrompt();
    ShowMessage(kMsgLineTypeMode);
}

void CInputBar::StartAttributeCommandInput()
{
    SelectList(10, 0, 1);
    ShowMessage(kMsgAttributeCommandMode);
}

void CInputBar::StartAttributeSearchInput()
{
    SelectList(11, 0, 1);
    if (g_pApp)
        g_pApp->ShowResultMessage(kMsgAttributeSearchMode, 0);
}

void CInputBar::FillLayerList(CZelkDoc* doc)
{
    CHistoryList& layers = GetList(7);
    layers.m_texts.RemoveAll();
    layers.m_codes.RemoveAll();
    if (!doc)
        return;
    doc->GetLayerNames(layers.m_texts);
    layers.m_codes.SetSize(layers.m_texts.GetSize());
}

void CInputBar::StartLayerRename(const CString& name)
{
    SelectList(7, 1, 1);
    const CString head = "rn," + name + ",";
    SetBoxText(head + name);
    if (CInputComboBox* box = Box())
        box->SetEditSel(head.GetLength(), head.GetLength() + name.GetLength());
}

namespace {

// A template list of the active drawing: its attribute strings (each with a suffix), then the
// fixed entries.
template <int N>
int FillTemplateList(CHistoryList& list, const char* suffix, const char* const (&tail)[N])
{
    CZelkDoc* doc = g_pApp ? g_pApp->GetActiveDrawingDoc() : nullptr;
    list.m_texts.RemoveAll();
    list.m_codes.RemoveAll();
    list.m_sourceDoc = doc;
    if (!doc)
        return 0;
    for (int i = 0; i < doc->m_attrStrings.GetSize(); ++i)
        Append(list, static_cast<CDataString*>(doc->m_attrStrings[i])->m_text + suffix);
    for (const char* t : tail)
        Append(list, t);
    return static_cast<int>(list.m_texts.GetSize());
}

} // namespace

int CInputBar::FillAttributeCommandList()
{
    return FillTemplateList(GetList(10), "", kAttributeCommandTail);
}

int CInputBar::FillFindConditionList()
{
    return FillTemplateList(GetList(11), kAttributeSuffix, kFindConditionTail);
}

void CInputBar::ForgetDocument(const CZelkDoc* doc)
{
    for (CHistoryList& list : m_lists) {
        if (list.m_sourceDoc == doc)
            list.m_sourceDoc = nullptr;
        if (list.m_prevDoc == doc)
            list.m_prevDoc = nullptr;
    }
}
