// The edit of a picked element inside the running command: the command that edits the
// candidate's kind gets its interrupting instance prepared (element, pick position, edit flag)
// and is entered, so that the main command goes on where it was once the edit ends.
#include "app/ZelkApp.h"

#include "app/MainFrame.h"

#include "commands/CommandKeyOps.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/PointCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "geometry/ElemRef.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/PickList.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgBoxClosedForEdit = "群処理と箱選択はクリアして要素の編集に入りました";
const char* const kMsgNoCurveEdit = "曲線は編集できないので消去して作成しなおしてください";

enum : int { kPoint = 2, kLine = 4, kCircle = 8, kArc = 16, kText = 32, kConic = 256, kCurve = 512 };
constexpr int kDimensionCommand = 10;

// The kind of the group an element belongs to; -1 without one.
int GroupKind(CZelkDoc* doc, int group)
{
    const CGroup* g = group >= 0 ? doc->GetGroup(group) : nullptr;
    return g ? g->m_kind : -1;
}

bool IsDimensionGroup(int kind)
{
    return kind >= 2 && kind <= 8;
}

// The edit goes on from the main instance's inputs: the first five points of both point sets and
// the first five typed values (the circle and dimension commands keep a sixth of each, not
// copied).
template <class Main, class Edit>
void TakeOverInputState(const Main& main, Edit& edit)
{
    constexpr int kTakenOver = 5;
    for (int i = 0; i < kTakenOver; ++i) {
        edit.m_savedInputPoints[i].Assign(main.m_savedInputPoints[i]);
        edit.m_inputPoints[i].Assign(main.m_inputPoints[i]);
        edit.m_values[i].Assign(main.m_values[i]);
    }
}

} // namespace

void CZelkApp::ShowEditHint(CZelkDoc* doc, const char* text)
{
    double scale = doc->m_ratio;
    RoundToSignificant(scale, m_appAcc.messageDigits());
    m_hint = "尺度" + DoubleToString(scale) + text;
    ShowPrompt();
    ShowMessage("", 0);
}

void CZelkApp::StartEditFromPick(CZelkDoc* doc, CZelkView* view)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    m_savedLayerCondition = m_appElem.m_layerCondition;
    SetLayerCondSame();
    if (m_groupProcessing || doc->m_groupProcessing) {
        ResetSelectionState();
        ClearOtherSelections(nullptr);
        ShowMessage(kMsgBoxClosedForEdit, 1);
    }
    m_justAnnounced = 0;
    m_lengthInputInterrupt = 0;
    CElemRef ref;
    if (!doc->m_pickList->GetCurrent(ref))
        return;
    const bool dimensionRules = !ctrl && m_commandKind == kDimensionCommand;
    const int position = doc->m_pickList->ClassifyPickPosition();
    auto target = [&](CCommandRef command) { command.SetEditTarget(ref.m_block, ref.m_slot, position); };
    const CAppCommand& popups = m_appCommand;
    // Right after a drawing-mode announcement the edits of lines and circles show no popup.
    const bool announced = m_lastStatus == kStatusJustAnnounced;
    switch (ref.m_kind) {
    case kPoint: {
        m_interruptKind = 1;
        CPointCommand* point = doc->m_pointCmdInt;
        target(point);
        TakeOverInputState(*doc->m_pointCmd, *point);
        ShowEditHint(doc, " 点編集モードです");
        if (popups.m_pointFlag) {
            point->m_modePattern = "#P";
            m_skipLeftUp = 0;
        }
        break;
    }
    case kLine: {
        const CLine* line = doc->GetLineElem(ref.m_block, ref.m_slot);
        const int groupKind = line ? GroupKind(doc, line->m_group) : -1;
        if (line && dimensionRules && IsDimensionGroup(groupKind)) {
            StartDimensionEdit(doc, ref, position, line->m_group, groupKind, line->m_role);
            break;
        }
        m_interruptKind = 2;
        CLineCommand* edit = doc->m_lineCmdInt;
        target(edit);
        TakeOverInputState(*doc->m_lineCmd, *edit);
        if (line)
            doc->m_referenceSize = line->Length();
        ShowEditHint(doc, " 線分編集モードです");
        if (popups.m_lineFlag) {
            if (edit->m_modePattern == "#L")
                doc->m_circleCmdInt->m_lastArcEditPattern = "#P";
            m_lastStatus = 10;
            DispatchInputEvent(doc, 9, 0);
            if (!announced && view)
                view->ShowCommandPopupMenu(1002, 0, 1);
            m_skipLeftUp = 0;
            return;
        }
        break;
    }
    case kCircle:
    case kArc: {
        const bool circle = ref.m_kind == kCircle;
        const CCircle* c = circle ? doc->GetCircleElem(ref.m_block, ref.m_slot) : nullptr;
        const CArc* a = circle ? nullptr : doc->GetArcElem(ref.m_block, ref.m_slot);
        const int group = c ? c->m_group : a ? a->m_group : -1;
        const int groupKind = GroupKind(doc, group);
        const bool asDimension = circle ? (groupKind == 7 || groupKind == 8) : groupKind == 6;
        if (dimensionRules && asDimension) {
            StartDimensionEdit(doc, ref, position, static_cast<std::int16_t>(group), groupKind,
                               c ? c->m_role : a ? a->m_role : 0);
            break;
        }
        m_interruptKind = static_cast<std::int16_t>(circle ? 3 : 4);
        CCircleCommand* edit = doc->m_circleCmdInt;
        edit->m_circleFlag = circle ? 1 : 0;
        edit->m_editClass = circle ? 1 : 0;
        target(edit);
        TakeOverInputState(*doc->m_circleCmd, *edit);
        doc->m_referenceSize = c ? c->m_radius : a ? a->m_radius : 0.0;
        ShowEditHint(doc, circle ? " 円編集モードです" : " 円弧編集モードです");
        if (circle ? popups.m_circleFlag : popups.m_arcFlag) {
            edit->m_modePattern = circle ? edit->m_lastCircleEditPattern : edit->m_lastArcEditPattern;
            if (!circle && edit->m_lastArcEditPattern == "#P")
                doc->m_lineCmdInt->m_modePattern = "#L";
            if (!announced && view)
                view->ShowCommandPopupMenu(circle ? 1003 : 1004, 0, 1);
            m_skipLeftUp = 0;
        }
        break;
    }
    case kConic: {
        m_interruptKind = 22;
        CCircleCommand* edit = doc->m_circleCmdInt;
        edit->m_circleFlag = 0;
        edit->m_editClass = -1;
        target(edit);
        TakeOverInputState(*doc->m_circleCmd, *edit);
        if (const CConic* conic = doc->GetConicElem(ref.m_block, ref.m_slot))
            doc->m_referenceSize = conic->m_majorRadius;
        ShowEditHint(doc, " 楕円(弧)編集モードです");
        edit->m_modePattern = "&V";
        break;
    }
    case kCurve:
        doc->ShowMessageInViews(kMsgNoCurveEdit);
        return;
    case kText:
        if (!StartTextEdit(doc, view, ref, position, dimensionRules))
            return;
        break;
    default:
        return;
    }
    m_lastStatus = 10;
    DispatchInputEvent(doc, 9, 0);
}

void CZelkApp::StartDimensionEdit(CZelkDoc* doc, const CElemRef& ref, int position, std::int16_t group,
                                  int groupKind, int role)
{
    m_interruptKind = kDimensionCommand;
    CDimCommand* edit = doc->m_dimCmdInt;
    edit->m_editBlock = ref.m_block;
    edit->m_editSlot = ref.m_slot;
    edit->m_editPickPosition = position;
    edit->m_editFlag = 1;
    edit->m_editGroup = doc->GetGroup(group);
    edit->m_editElemKind = static_cast<std::int16_t>(ref.m_kind);
    edit->m_editGroupKind = static_cast<std::int16_t>(groupKind);
    edit->m_editRole = static_cast<std::int16_t>(role);
    const CDimCommand* main = doc->m_dimCmd;
    edit->m_macroFlag = main->m_macroFlag;
    // A dimension's value text was taken from the edited text; a line, circle or arc edit goes
    // on with the main instance's step notes.
    if (ref.m_kind != ELEM_TEXT)
        edit->m_stepTexts.Copy(main->m_stepTexts);
    TakeOverInputState(*main, *edit);
    ShowEditHint(doc, " 寸法線編集モードです");
    if (m_appCommand.m_dimFlag)
        m_skipLeftUp = 0;
}

BOOL CZelkApp::StartTextEdit(CZelkDoc* doc, CZelkView* view, const CElemRef& ref, int position, bool dimensionRules)
{
    CText* text = doc->GetTextElem(ref.m_block, ref.m_slot);
    if (!text)
        return FALSE;
    CElemRef edited = ref;
    CString string = text->m_text;
    int fontIndex = static_cast<CTexts*>(doc->m_textBlocks[ref.m_block])->m_pen;
    std::int16_t dimensionGroup = -1;
    CGroup* group = text->m_group >= 0 ? doc->GetGroup(text->m_group) : nullptr;
    const int kind = group ? group->m_kind : -1;
    if (IsDimensionGroup(kind)) {
        dimensionGroup = text->m_group;
    } else if (kind == 1 || kind == 9) {
        // A subscript or ruby string, or a composite dimension value: the base text carries
        // the font, and the composite string is what is edited.
        int block = -1;
        int slot = -1;
        CTexts* base = group->FindBaseText(doc, block, slot);
        if (!base)
            return FALSE;
        string = group->BuildCompositeString(doc);
        fontIndex = base->m_pen;
        if (kind == 9) {
            edited.m_block = static_cast<std::int16_t>(block);
            edited.m_slot = static_cast<std::int16_t>(slot);
            if (IsDimensionGroup(GroupKind(doc, group->m_parent)))
                dimensionGroup = group->m_parent;
        }
    }
    const CTypeFont* font = fontIndex >= 0 && fontIndex < doc->m_fonts.GetSize()
                                ? static_cast<const CTypeFont*>(doc->m_fonts[fontIndex])
                                : nullptr;
    const double angle = font ? font->m_angle : 0.0;
    if (dimensionRules && dimensionGroup >= 0) {
        CDimCommand* dim = doc->m_dimCmdInt;
        dim->m_valueText = string;
        dim->m_valueAngle = -angle;
        if (font)
            m_appText.SetFromTypeFont(*font);
        m_appText.SetAnchorFromText(*text);
        dim->UpdateValueTextBox(string);
        StartDimensionEdit(doc, edited, position, dimensionGroup, GroupKind(doc, dimensionGroup), 16);
        return TRUE;
    }
    m_interruptKind = 7;
    CTextCommand* edit = doc->m_textCmdInt;
    edit->m_editFlag = 1;
    edit->m_editBlock = edited.m_block;
    edit->m_editSlot = edited.m_slot;
    TakeOverInputState(*doc->m_textCmd, *edit);
    edit->m_angle = angle;
    doc->SetCurrentAngle(angle - doc->m_relAngle);
    edit->m_editText = string;
    edit->m_editPickPosition = position;
    edit->UpdateTextBox(0);
    ShowEditHint(doc, " 文字列編集モードです");
    if (m_appCommand.m_textFlag) {
        if (edit->m_modePattern == "#T" || m_noPopupMenu) {
            if (m_inputBar) {
                m_inputBar->SelectList(2, 1, 1);
                m_inputBar->m_enteredText = string;
                if (m_noPopupMenu && edit->m_modePattern != "#T") {
                    m_inputBar->RememberText();
                    m_inputBar->StartTextInput();
                }
            }
            if (m_pMainFrame) {
                m_pMainFrame->m_wndInputBar.m_boxText = string;
                m_pMainFrame->m_wndInputBar.UpdateData(FALSE);
            }
        }
        if (view)
            view->ShowCommandPopupMenu(1007, 0, 1);
        m_skipLeftUp = 0;
    }
    return TRUE;
}
