// The application's attribute routines: line types and widths typed or picked, the line-type
// button and the color combo box following the creation pen, the question after printing
// slanted texts, and the hidden-layer test of the pick list.
#include "app/ZelkApp.h"

#include <cmath>

#include "app/InputToolBar.h"
#include "app/MainFrame.h"
#include "app/SlantPrintCheckDialog.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/ElemRef.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/InputLineParser.h"
#include "input/PickList.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgSameLineType = "指定要素と同じ線種を設定しました";
const char* const kMsgColorTaken = "要素の色を取得しました";
const char* const kMsgSameFont = "指定文字列と同じフォントを設定しました";

// Substrings naming each line type, tried group by group from the two-dot chain down.
const struct {
    int lineType;
    const char* names[6];
} kLineTypeNames[] = {
    { 4, { "dashdotdot", "二", "-..", "-･･", "ddd", nullptr } },
    { 3, { "dashdot", "一", "-.", "-･", "dd", nullptr } },
    { 2, { "dot", "..", "･･", "do", "dt", "点" } },
    { 1, { "dash", "da", "ds", "破", "- -", nullptr } },
    { 0, { "solid", "実", "=", "-", "so", "sl" } },
};

// The button's image and message by line type; a solid line is thick unless its width is 1.
struct CLineTypeImage {
    UINT image;
    const char* message;
};
const CLineTypeImage kThickSolid = { 157, "太い実線をセットしました" };
const CLineTypeImage kLineTypeImages[] = {
    { 149, "細い実線をセットしました" }, { 152, "破線をセットしました" }, { 155, "点線をセットしました" },
    { 153, "一点鎖線をセットしました" }, { 154, "二点鎖線をセットしました" },
};
constexpr UINT kLineTypePressed = 156;
constexpr int kLineTypeList = 9;
// Widths are 16-bit tenths of a millimetre: a larger one would wrap, even to 0.
constexpr int kWidestLine = 32767;

CToolBitmapButton* LineTypeButton(CMainFrame* frame)
{
    if (!frame || !frame->m_wndInputBar.m_lineTypeButton.GetSafeHwnd())
        return nullptr;
    return &frame->m_wndInputBar.m_lineTypeButton;
}

CColorComboBox* ColorCombo(CMainFrame* frame)
{
    if (!frame || !frame->m_wndInputBar.m_colorBox.GetSafeHwnd())
        return nullptr;
    return &frame->m_wndInputBar.m_colorBox;
}

bool IsDigitByte(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

BOOL CZelkApp::IsLayerHiddenInActiveView(WORD layer) const
{
    const CZelkView* view = m_activeView;
    return view && layer < view->m_layerStates.GetSize() && view->m_layerStates[layer] == 1;
}

int CZelkApp::LineTypeFromText(const CString& text)
{
    CString lower = text;
    lower.MakeLower();
    for (const auto& group : kLineTypeNames)
        for (const char* name : group.names)
            if (name && lower.Find(name) >= 0)
                return group.lineType;
    return -1;
}

int CZelkApp::WidthFromText(const CString& text) const
{
    const int length = text.GetLength();
    for (int i = 0; i < length;) {
        const int step = MbCharLength(text.GetString(), i, length);
        if (step == 1 && IsDigitByte(text[i])) {
            int end = i;
            while (end < length && (IsDigitByte(text[end]) || text[end] == '+' || text[end] == '-' || text[end] == '.'))
                ++end;
            const double tenths = std::trunc(std::fabs(StringToDouble(text.Mid(i, end - i))) * 10);
            if (tenths > kWidestLine + 1.0)
                return kWidestLine + 1;
            return tenths == 0 ? 1 : static_cast<int>(tenths);
        }
        i += step;
    }
    if (text.Find('=') >= 0 || text.Find("太") >= 0)
        return m_appElem.m_thickWidth;
    return 1;
}

void CZelkApp::SetLineTypeButton(int report)
{
    const int type = m_appElem.m_lineType;
    if (type < 0 || type > 4)
        return;
    const CLineTypeImage& shown = type == 0 && m_appElem.m_lineWidth != 1 ? kThickSolid : kLineTypeImages[type];
    if (CToolBitmapButton* button = LineTypeButton(m_pMainFrame)) {
        button->LoadBitmaps(shown.image, kLineTypePressed);
        button->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    }
    if (report)
        ShowMessage(shown.message, 0);
}

void CZelkApp::SetLineTypeAndShow(int lineType)
{
    m_appElem.SetLineType(lineType);
    SetLineTypeButton(1);
    m_atrCurrent.m_lineType = m_appElem.m_lineType;
    m_atrCurrent.m_lineWidth = m_appElem.m_lineWidth;
}

void CZelkApp::StartLineTypeInput()
{
    // List 9 with its prompt and message, then the list dropped down.
    if (m_inputBar)
        m_inputBar->StartLineTypeList();
    if (m_pMainFrame && m_pMainFrame->m_wndInputBar.m_inputBox.GetSafeHwnd())
        m_pMainFrame->m_wndInputBar.m_inputBox.ShowDropDown(TRUE);
}

BOOL CZelkApp::SelectColorInCombo(COLORREF color)
{
    CColorComboBox* combo = ColorCombo(m_pMainFrame);
    const int index = combo ? combo->FindColor(color) : -1;
    if (index < 0)
        return FALSE;
    combo->SetCurSel(index);
    m_appElem.SetColor(static_cast<COLORREF>(combo->GetItemData(index)));
    return TRUE;
}

void CZelkApp::AddColorToTable(COLORREF color)
{
    if (m_appColor.FindStandardColor(color) == CAppColor::kNotFound && m_appColor.FindUserColor(color) == CAppColor::kNotFound)
        m_appColor.m_userColors.Add(color);
    if (CColorComboBox* combo = ColorCombo(m_pMainFrame)) {
        m_appColor.ClearColorCombo();
        m_appColor.FillColorCombo(combo);
    }
    if (!SelectColorInCombo(color))
        return;
    switch (m_appElem.m_creationEnv) {
    case 1: m_appElem.StoreColorInSelectedSet(); break;
    case 2: m_appElem.StoreColorInReferenceSet(); break;
    default: m_appElem.StoreColorInCurrent(); break;
    }
}

void CZelkApp::TakeLineTypeFromPick(CZelkDoc* doc)
{
    CElemRef ref;
    if (!doc || !doc->m_pickList->GetCurrent(ref))
        return;
    std::int16_t penIndex = -1;
    if (ref.m_kind == ELEM_LINE && doc->GetLineElem(ref.m_block, ref.m_slot))
        penIndex = doc->LineBlockAt(ref.m_block)->m_pen;
    else if (ref.m_kind == ELEM_CIRCLE && doc->GetCircleElem(ref.m_block, ref.m_slot))
        penIndex = static_cast<CCircles*>(doc->m_circleBlocks[ref.m_block])->m_pen;
    else if (ref.m_kind == ELEM_ARC && doc->GetArcElem(ref.m_block, ref.m_slot))
        penIndex = static_cast<CArcs*>(doc->m_arcBlocks[ref.m_block])->m_pen;
    const CTypePen* pen = penIndex >= 0 ? doc->GetPen(penIndex) : nullptr;
    if (!pen)
        return;
    if (pen->m_width >= 2 && m_inputBar) {
        CHistoryList& list = m_inputBar->GetList(kLineTypeList);
        const CString entry = CHistoryList::ThickLineEntry(pen->m_width * 0.1);
        if (list.m_texts.GetSize() > 0)
            list.m_texts[0] = entry;
        else
            list.AddRecentWithCode(entry, 0);
    }
    m_appElem.SetLineWidth(pen->m_width);
    SetLineTypeAndShow(pen->m_lineType);
    ShowMessage(kMsgSameLineType, 0);
}

void CZelkApp::TakeColorFromPick(CZelkDoc* doc)
{
    CElemRef ref;
    if (!doc || !doc->m_pickList->GetCurrent(ref))
        return;
    COLORREF color = 0;
    std::int16_t penIndex = -1;
    if (ref.m_kind == ELEM_TEXT) {
        const CText* text = doc->GetTextElem(ref.m_block, ref.m_slot);
        if (!text)
            return;
        color = text->m_color;
    } else if (ref.m_kind == ELEM_LINE && doc->GetLineElem(ref.m_block, ref.m_slot)) {
        penIndex = doc->LineBlockAt(ref.m_block)->m_pen;
    } else if (ref.m_kind == ELEM_CIRCLE && doc->GetCircleElem(ref.m_block, ref.m_slot)) {
        penIndex = static_cast<CCircles*>(doc->m_circleBlocks[ref.m_block])->m_pen;
    } else if (ref.m_kind == ELEM_ARC && doc->GetArcElem(ref.m_block, ref.m_slot)) {
        penIndex = static_cast<CArcs*>(doc->m_arcBlocks[ref.m_block])->m_pen;
    } else {
        return;
    }
    if (ref.m_kind != ELEM_TEXT) {
        const CTypePen* pen = doc->GetPen(penIndex);
        if (!pen)
            return;
        color = pen->m_color;
    }
    if (!SelectColorInCombo(color))
        return;
    switch (m_appElem.m_creationEnv) {
    case 1: m_appElem.StoreColorInSelectedSet(); break;
    case 2: m_appElem.StoreColorInReferenceSet(); break;
    default: m_appElem.StoreColorInCurrent(); break;
    }
    ShowMessage(kMsgColorTaken, 0);
}

void CZelkApp::TakeFontFromPick(CZelkDoc* doc)
{
    CElemRef ref;
    if (!doc || !doc->m_pickList->GetCurrent(ref))
        return;
    if (ref.m_kind == ELEM_TEXT && doc->GetTextElem(ref.m_block, ref.m_slot)) {
        const CTexts* block = static_cast<const CTexts*>(doc->m_textBlocks[ref.m_block]);
        if (const CTypeFont* font = doc->GetFont(block->m_pen)) {
            CAppText& text = m_appText;
            text.SetLogFont(font->m_logFont);
            text.SetHeight(font->m_height * 0.1);
            text.SetWidth(font->m_width * 0.1);
            text.SetFormClass(font->m_style2);
            text.SetDirectionKind(font->m_style3);
            text.SetFormOption1(font->m_style4);
            text.SetFormOption2(font->m_style5);
            text.SetAngle(font->m_angle);
            text.SetCharSpacing(font->m_spacing);
            text.SetRightToLeft(font->m_rightToLeft);
            text.StoreFontInCurrent();
            ShowMessage(kMsgSameFont, 0);
            UpdatePlacingTextBox(doc);
        }
    }
    DispatchInputEvent(doc, 13, 0);
}

void CZelkApp::ApplyInputComboText(const CString& text)
{
    CZelkDoc* doc = GetActiveDrawingDoc();
    if (!doc || !m_inputBar)
        return;
    switch (m_inputBar->m_currentList) {
    case 2:
        if (m_interruptKind != 7 && m_commandKind == 7 && doc->m_textCmd) {
            doc->m_textCmd->m_string = text;
            doc->m_textCmd->PreviewTypedText(text);
        }
        break;
    case 3:
        // A font line is read as text attributes, as if typed and confirmed.
        if (!text.IsEmpty()) {
            m_inputBar->m_enteredText = text;
            ParseTextAttributes(doc);
        }
        break;
    case kLineTypeList: {
        if (text.IsEmpty())
            break;
        const int width = WidthFromText(text);
        if (width == 0)
            break;
        if (width <= kWidestLine) {
            const auto w = static_cast<short>(width);
            m_appElem.SetLineWidth(w);
            switch (m_appElem.m_creationEnv) {
            case 1: m_atrElem.m_lineWidth = w; break;
            case 2: m_atrReference.m_lineWidth = w; break;
            default: m_atrCurrent.SetLineWidth(w); break;
            }
            if (w != 1) {
                m_appElem.SetThickWidth(w);
                m_inputBar->GetList(kLineTypeList).ListThickLine(w * 0.1);
            }
        }
        const int lineType = LineTypeFromText(text);
        if (lineType != -1) {
            SetLineTypeAndShow(lineType);
            switch (m_appElem.m_creationEnv) {
            case 1: m_atrElem.m_lineType = lineType; break;
            case 2: m_atrReference.m_lineType = lineType; break;
            default: m_atrCurrent.SetLineType(lineType); break;
            }
        }
        break;
    }
    default:
        break;
    }
}

void CZelkApp::AskSlantedTextPrint()
{
    CSlantPrintCheckDialog dialog;
    if (dialog.DoModal() != IDOK)
        m_slantedPrintOption = static_cast<BYTE>(-static_cast<signed char>(m_slantedPrintOption));
    m_introMessage2 = dialog.m_dontShowAgain ? 0 : 1;
}
