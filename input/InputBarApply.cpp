// What a confirmed line of the input box does, by the list it was typed or chosen in.
#include "input/InputBar.h"

#include <cmath>

#include "app/CreationEnvButton.h"
#include "app/InputComboBox.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "input/InputEvent.h"
#include "input/InputLineParser.h"
#include "input/PickList.h"
#include "macro/MacroInterpreter.h"
#include "macro/Quantity.h"
#include "platform/core/Services.h"
#include "platform/ui/Ime.h"
#include "platform/ui/WinUser.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

const char* const kTextConfirmedHead = "文字列  ";
const char* const kTextConfirmedTail = "  を確定しました。";
const char* const kMsgNoSuchUserApp = "検索文字を含むアプリケーション名は登録されていません";
const char* const kMsgAttributeRested = "属性文字を休止しました";
const char* const kMsgAttributeNothingSelected =
    "群処理モードで選択した要素またはグループが無いので、文字属性の解除はできません";
const char* const kMsgAttributeChanged = "属性文字を変更しました";
const char* const kMsgAttributeAdded = "属性文字を登録または休止解除しました";
const char* const kMsgNoMatch = "指定属性の要素またはグループは見つかりません";
const char* const kMsgMatchHead = "指定属性の要素またはグループ ";
const char* const kMsgMatchInBox = " 個を選択しました";
const char* const kMsgMatchNewBox = " 個を選択し、群処理モードに入りました";
const char* const kMsgLayerCondSame = " 要素作成条件を [選択要素の環境で作成] [同レイヤに作成] に設定。";
const char* const kMsgBlurCount = "環境値のぼかしの回数を参照要素と同じ値に設定しました";
const char* const kMsgNoSuchGroup = "指定番号のグループは見つかりません";
const char* const kMsgGroupHead = "指定番号のグループ ";
const char* const kMsgBlurRate = "環境値のぼかしの減衰率を参照要素と同じ値に設定しました";
const char* const kAnchorHead = "文字列配置基準を ";
const char* const kAnchorTail = " にしました。";
const char* const kListingCut = " ･･･";

constexpr int kIdleUserAppSearch = 0;
constexpr double kWidestLine = 32767;
constexpr int kLayerInterruptMode = 33;
constexpr int kTextCommandKind = 7;

const struct {
    const char* name;
    int code;
} kAnchors[] = {
    { "左上", 0 }, { "中上", 6 }, { "右上", 2 }, { "左中", 32 }, { "中中", 38 },
    { "右中", 34 }, { "左下", 8 }, { "中下", 14 }, { "右下", 10 },
};

// The entry of a listing or search line: the part before its explanation.
CString CutAtExplanation(const CString& text)
{
    const int at = text.Find(kListingCut);
    return at >= 0 ? text.Left(at) : text;
}

// The text command that receives typed text: the interrupting one while it runs.
CTextCommand* ReceivingTextCommand(CZelkDoc* doc)
{
    return g_pApp->m_interruptKind == 7 ? doc->m_textCmdInt : doc->m_textCmd;
}

} // namespace

int CInputBar::ApplyText(int arrowCode)
{
    CZelkApp* app = g_pApp;
    CZelkView* view = app ? app->m_activeView : nullptr;
    CZelkDoc* doc = app ? app->GetActiveDrawingDoc() : nullptr;
    if (!view || !doc)
        return FALSE;
    app->ShowMessage("", 0);
    doc->RedrawPreviewsInViews();
    switch (m_currentList) {
    case 1:
        if (!ParseInputLine(doc, arrowCode))
            return FALSE;
        RememberText();
        break;
    case 2: {
        CHistoryList& texts = GetList(2);
        ShowTextInputMessage(kTextConfirmedHead + m_enteredText + kTextConfirmedTail);
        if (CTextCommand* command = ReceivingTextCommand(doc))
            texts.m_value = command->GetNotationWidthRatio(m_enteredText, 1);
        texts.m_currentText = m_enteredText;
        doc->m_inputEvent->PostText(m_enteredText, 0);
        RememberText();
        texts.m_touched = 1;
        m_imeWasOpen = 0;
        if (HIMC context = ImmGetContext(view->m_hWnd)) {
            if (ImmGetOpenStatus(context)) {
                ImmSetOpenStatus(context, FALSE);
                m_imeWasOpen = 1;
            }
            ImmReleaseContext(view->m_hWnd, context);
        }
        return TRUE;
    }
    case 3:
        RememberText();
        ParseTextAttributes(doc);
        app->DispatchInputEvent(doc, 13, 0);
        return TRUE;
    case 4:
    case 9:
        break;
    case 5:
        if (ApplyUserAppSearch())
            return TRUE;
        break;
    case 6:
    case 7: {
        CHistoryList& list = GetList(m_currentList);
        list.m_value = 1.0;
        list.m_currentText = m_enteredText;
        if (m_currentList == 6) {
            doc->m_inputEvent->PostText(m_enteredText, 0);
        } else {
            doc->m_inputEvent->PostText(m_enteredText, 31);
            app->m_interruptMode = 0;
        }
        break;
    }
    case 8:
        if (!ApplyListingLine())
            return FALSE;
        break;
    case 10:
        if (!ApplyAttributeCommand())
            return FALSE;
        break;
    case 11:
        if (!ApplyAttributeSearch())
            return FALSE;
        break;
    default:
        break;
    }
    SelectList(1, 1, 0);
    return TRUE;
}

int CInputBar::ApplyUserAppSearch()
{
    CUserAppManager* apps = g_pApp->m_userAppManager;
    if (!apps)
        return FALSE;
    if (apps->m_searchStart != kIdleUserAppSearch) {
        apps->LoadAndStart();
        return FALSE;
    }
    const int count = apps->GetAppCount();
    const int start = count > 0 ? (apps->m_selectedEntry + 1) % count : 0;
    const int found = apps->FindAppContaining(m_enteredText, start);
    CInputComboBox* box = Box();
    if (found < 0) {
        ShowMessage(kMsgNoSuchUserApp);
        if (box)
            box->SetFocus();
        return TRUE;
    }
    apps->m_searchStart = 1;
    apps->m_selectedEntry = found;
    GetList(5).m_currentText = apps->GetAppName(found);
    if (box)
        box->SetCurSel(found);
    return TRUE;
}

int CInputBar::ApplyAttributeCommand()
{
    CHistoryList& list = GetList(10);
    list.m_value = 1.0;
    list.m_currentText = m_enteredText;
    CZelkDoc* doc = list.m_sourceDoc;
    if (!doc)
        return FALSE;
    // Only a real comment mark cuts the line: "1/100" stays whole, and a leading "//" is the
    // command that rests an attribute string, not a comment.
    CString entry = m_enteredText;
    const int comment = entry.Find("//", 1);
    if (comment >= 1)
        entry = entry.Left(comment);
    entry.Trim();
    int index = 0;
    int result = 0;
    if (!doc->FindOrAddAttributeString(entry, index, result))
        return FALSE;
    if (result == 1) {
        doc->ShowMessageInViews(kMsgAttributeRested);
        return TRUE;
    }
    if (doc->m_groupProcessing) {
        doc->ApplyAttributeStringToSelection(index, result == 2 ? 1 : 0);
        return TRUE;
    }
    if (result == 2) {
        g_pApp->ShowMessage(kMsgAttributeNothingSelected, 1);
        return TRUE;
    }
    doc->ShowMessageInViews(result == 3 ? kMsgAttributeChanged : kMsgAttributeAdded);
    return TRUE;
}

int CInputBar::ApplyAttributeSearch()
{
    CHistoryList& list = GetList(11);
    list.m_value = 1.0;
    list.m_currentText = m_enteredText;
    RememberText();
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = app->GetActiveDrawingDoc();
    if (!doc)
        return FALSE;
    const int found = doc->m_pickList->FindByCondition(CutAtExplanation(m_enteredText));
    if (found <= 0) {
        ShowMessage(kMsgNoMatch);
        return TRUE;
    }
    doc->RedrawChangedElements(0);
    const bool hadBox = doc->m_groupProcessing != 0;
    if (app->m_groupProcessor) {
        app->m_groupProcessor->Reset(0);
        app->m_groupProcessor->m_document = doc;
    }
    ShowMessage(kMsgMatchHead + IntToString(found) + (hadBox ? kMsgMatchInBox : kMsgMatchNewBox));
    if (!hadBox) {
        app->m_savedLayerCondition = app->m_appElem.m_layerCondition;
        app->m_savedCreationEnv = app->m_appElem.m_creationEnv;
        app->m_appElem.m_creationEnv = 1;
        ShowCreationEnvButton(*app);
        if (app->m_symbolDoc == nullptr) {
            app->SetLayerCondSame();
            app->ShowResultMessage(kMsgLayerCondSame, 0);
        }
    }
    doc->m_groupProcessing = 1;
    doc->m_deformMode = 0;
    return TRUE;
}

int CInputBar::ApplyLineWidth()
{
    double v = 0.0;
    if (!EvaluateEnteredText(v))
        return FALSE;
    CAppElem& elem = g_pApp->m_appElem;
    // Widths are 16-bit tenths of a millimetre: a larger one would wrap, even to 0, so it is not
    // applied; a line edited to a negative or vanishing width is drawn as the width it names,
    // or as the thinnest line.
    const double magnitude = std::trunc(std::fabs(v) * 10);
    if (magnitude > kWidestLine)
        return TRUE;
    const auto tenths = static_cast<short>(magnitude < 1 ? 1 : magnitude);
    if (tenths > 1)
        elem.SetThickWidth(tenths);
    elem.SetLineWidth(tenths);
    elem.SetLineType(0);
    elem.StorePenInCurrent();
    if (elem.m_lineWidth == 1) {
        g_pApp->SetLineTypeButton(1);
        return TRUE;
    }
    GetList(9).ListThickLine(std::fabs(v));
    g_pApp->SetLineTypeButton(1);
    return TRUE;
}

int CInputBar::ApplyListingLine()
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = app->GetActiveDrawingDoc();
    doc->m_pickList->ClearReferences();
    CHistoryList& list = GetList(8);
    list.m_value = 1.0;
    m_enteredText = CutAtExplanation(m_enteredText);
    list.m_currentText = m_enteredText;
    const CString plain = StripComments(m_enteredText);
    CAppText& text = app->m_appText;
    switch (list.GetCode(m_selectedIndex)) {
    case 1: case 2: case 3: case 4: case 5: case 22:
        m_enteredText = plain;
        return ParseInputLine(doc, 0);
    case 6: {
        const int lineType = CZelkApp::LineTypeFromText(plain);
        if (lineType != -1)
            app->SetLineTypeAndShow(lineType);
        app->SetLineTypeButton(1);
        return TRUE;
    }
    case 7:
        return ApplyLineWidth();
    case 11: {
        double value = 0.0;
        m_enteredText = plain;
        if (EvaluateEnteredText(value))
            app->AddColorToTable(static_cast<COLORREF>(static_cast<std::int64_t>(value)));
        return TRUE;
    }
    case 14:
    case 23: {
        CString key = plain;
        key.Trim();
        int found = 0;
        if (list.GetCode(m_selectedIndex) == 14) {
            found = doc->m_pickList->FindByCondition(key);
        } else {
            // The number after "No."; a 0 counts only when the text is "0".
            const int at = key.Find("No.");
            CString number = at >= 0 ? key.Mid(at + 3) : key;
            number.Trim();
            const int group = StringToInt(number);
            if (group != 0 || number == "0")
                found = doc->m_pickList->SelectGroup(static_cast<std::int16_t>(group));
        }
        const bool byGroup = list.GetCode(m_selectedIndex) == 23;
        if (found <= 0) {
            ShowMessage(byGroup ? kMsgNoSuchGroup : kMsgNoMatch);
            return TRUE;
        }
        doc->RedrawChangedElements(0);
        doc->m_groupProcessing = 1;
        doc->m_deformMode = 0;
        ShowMessage((byGroup ? kMsgGroupHead : kMsgMatchHead) + IntToString(found) + kMsgMatchNewBox);
        return TRUE;
    }
    case 8:
        app->m_appElem.SetBlurCount(static_cast<BYTE>(StringToInt(plain)));
        ShowMessage(kMsgBlurCount);
        return TRUE;
    case 9:
        app->m_appElem.SetBlurRate(static_cast<BYTE>(StringToInt(plain)));
        ShowMessage(kMsgBlurRate);
        return TRUE;
    case 10:
        app->m_interruptMode = kLayerInterruptMode;
        doc->m_inputEvent->PostText(plain, 31);
        app->m_interruptMode = 0;
        return TRUE;
    case 12: {
        CString kind = plain;
        kind.Trim();
        kind.MakeLower();
        static const struct {
            const char* name;
            int code;
        } kKinds[] = { { "line", 303 }, { "circle", 305 }, { "arc", 306 }, { "text", 309 } };
        for (const auto& k : kKinds) {
            if (kind == k.name)
                app->DispatchCommand(doc, app->m_activeView, k.code);
        }
        return TRUE;
    }
    case 13:
        m_enteredText = plain;
        if (!ParseTextAttributes(doc))
            return FALSE;
        app->DispatchInputEvent(doc, 13, 0);
        return TRUE;
    case 15:
        app->OnTextShapeStandard();
        return TRUE;
    case 16:
    case 17:
    case 18:
    case 20: {
        const int code = list.GetCode(m_selectedIndex);
        if (code == 16)
            app->OnTextShapeHorizontal();
        else if (code == 17)
            app->OnTextShapeVertical();
        text.SetCharSpacing(StringToDouble(plain));
        app->UpdateTextBoxes(doc);
        app->ComputePreview(doc);
        return TRUE;
    }
    case 19:
    case 21:
        text.SetSlantAlongLine(list.GetCode(m_selectedIndex) == 21 ? 1 : 0);
        app->OnTextShapeSlant();
        text.SetSlantAngle(StringToDouble(plain) * 10);
        return TRUE;
    case 24: {
        CString name = plain;
        name.Trim();
        for (const auto& a : kAnchors) {
            if (name == a.name) {
                text.SetAnchor(a.code);
                ShowMessage(kAnchorHead + name + kAnchorTail);
                text.StoreAnchorInCurrent();
            }
        }
        return TRUE;
    }
    default:
        return TRUE;
    }
}

int CInputBar::ConfirmEnteredText(int arrowCode)
{
    if (ApplyText(arrowCode) == 0) {
        SelectList(1, 1, 0);
        return 0;
    }
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = app->GetActiveDrawingDoc();
    if (m_currentList == 7)
        app->SwitchMode(doc, app->m_activeView, 2, 0, 0);
    if (doc) {
        app->SetGuidance(doc);
        app->ShowPrompt();
    }
    app->ComputePreview(doc);
    // The text being placed by its base point keeps typing into the box.
    if (doc && app->m_commandKind == kTextCommandKind && doc->m_textCmd && doc->m_textCmd->m_modePattern == "BPK")
        return 2;
    if (m_currentList == 5)
        return 2;
    SelectList(1, 1, 0);
    return 1;
}

BOOL CInputBar::EvaluateEnteredText(double& value)
{
    CMacroInterpreter* interpreter = g_pApp ? g_pApp->m_numericInterpreter : nullptr;
    if (!interpreter)
        return FALSE;
    CWordArray kinds;
    const int result = interpreter->EvaluateExpression(m_enteredText, kinds);
    if (result != -1) {
        if (result > 0) {
            if (CInputComboBox* box = Box()) {
                box->SetFocus();
                box->SetEditSel(result, result);
            }
        }
        return FALSE;
    }
    if (interpreter->m_results.GetSize() == 0)
        return FALSE;
    value = static_cast<const CQuantity*>(interpreter->m_results[0])->value;
    return TRUE;
}
