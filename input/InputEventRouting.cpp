// The input-event router: every input a drawing command consumes passes here. It closes the
// previous operation, copies the payload to where outside parties read it, and offers the
// event to exactly one consumer in a fixed order. Consumers may post again from inside their
// input entry, so nothing here keeps state across a consumer call.
#include "app/ZelkApp.h"

#include <cmath>

#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupDeleteMode.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/LayerOps.h"
#include "input/BasePointInput.h"
#include "input/RelativeCoordSystem.h"
#include "macro/MacroRecorder.h"
#include "input/PickList.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgIntervalTooSmall = "0.1mm以下の間隔拘束は設定できません";
const char* const kMsgIntervalSetHead = "拘束間隔を ";
const char* const kMsgIntervalSetTail = " に設定しました";
const char* const kMsgRelativeOriginHead = "相対原点は(";
const char* const kMsgRelativeAngleTail = "度";

constexpr double kSmallestInterval = 0.1;

// A component below the smallest interval, or one that is not a number, is refused.
bool IntervalRefused(double v)
{
    return !(v >= kSmallestInterval);
}

// The exchange block a plug-in reads the inputs from; none before start-up made it.
UserAppBlock* ExchangeBlock(const CZelkApp& app)
{
    return app.m_userAppBlockHolder ? app.m_userAppBlockHolder->m_block : nullptr;
}

// A number in a message, brought to the message digits.
CString SignificantText(double v, int digits)
{
    RoundToSignificant(v, digits);
    return DoubleToString(v);
}

} // namespace

void CZelkApp::CommitOperation(CZelkDoc* doc, int markCreated)
{
    if (!doc || m_interruptMode != 0 || (m_specialMode != 0 && m_specialMode != 70))
        return;
    // Elements added as tentative (final 0) stay open until Enter commits them or Escape
    // removes them; only an operation its command has finished is closed by the next input.
    CCreationLog* log = doc->m_creationLog;
    if (log && log->m_logged && log->m_final != 0)
        log->Commit(markCreated);
    if (m_macroRecorder)
        m_macroRecorder->EmitCommandLines();
}

void CZelkApp::DispatchInputEvent(CZelkDoc* doc, int kind, int subCode)
{
    if (!doc)
        return;
    if (m_interruptKind == 0)
        m_lengthInputMain = 0;
    else
        m_lengthInputInterrupt = 0;

    const bool boxTextOpen = m_commandKind == 7 && doc->m_textCmd &&
                             (doc->m_textCmd->m_tokenString == "B" || doc->m_textCmd->m_tokenString == "BP");
    if (kind != 12 && subCode != 15 && !boxTextOpen)
        CommitOperation(doc, 0);

    const int previousStatus = m_lastStatus;
    m_pointConstraintMode = 1;
    if (!CopyInputPayload(doc, kind, subCode, previousStatus))
        return;
    OfferInputEvent(doc, kind, subCode);
    if (m_inputBar)
        m_inputBar->m_focusLeftList = 0;
}

BOOL CZelkApp::CopyInputPayload(CZelkDoc* doc, int kind, int subCode, int previousStatus)
{
    const CInputEvent& e = *doc->m_inputEvent;
    CAppText& text = m_appText;
    UserAppBlock* block = ExchangeBlock(*this);
    switch (kind) {
    case 4:
        doc->SetBasePoint(e.point, e.relativePoint);
        if (block) {
            block->m_lastPoint = e.point;
            block->m_lastPointRelative = e.relativePoint;
        }
        if (previousStatus == 17) {
            if (IntervalRefused(e.relativePoint.m_x) || IntervalRefused(e.relativePoint.m_y)) {
                ShowMessage(kMsgIntervalTooSmall, 1);
                return FALSE;
            }
            doc->EraseBasePointMarks();
            doc->m_grid.m_pitch.Init(std::fabs(e.relativePoint.m_x), std::fabs(e.relativePoint.m_y));
            m_lastStatus = 0;
            ShowMessage(CString(kMsgIntervalSetHead) + DoubleToString(doc->m_grid.m_pitch.m_x) + ", " +
                            DoubleToString(doc->m_grid.m_pitch.m_y) + kMsgIntervalSetTail,
                        0);
            return FALSE;
        }
        m_lastStatus = 2;
        if (m_interruptMode == 39) {
            doc->m_referencePoint = e.point;
            if (block)
                block->m_constraintPoint = e.point;
            m_constraintPointSet = 1;
        } else {
            m_constraintPointSet = 0;
        }
        break;
    case 3:
        if (block) {
            switch (subCode) {
            case 2: block->m_numberValue = e.value; break;
            case 11: block->m_angleValue = e.value; break;
            case 6: block->m_lengthValue = e.value; break;
            case 14: block->m_value14 = e.value; break;
            default: break;
            }
        }
        if (subCode == 22) {
            text.SetHeight(e.value);
            return FALSE;
        }
        if (subCode == 24) {
            text.SetWidth(e.value);
            return FALSE;
        }
        break;
    case 2:
        if (block)
            block->m_eventWord = static_cast<std::uintptr_t>(e.pointer);
        if (subCode == 26) {
            text.SetAnchor(static_cast<int>(e.pointer));
            return FALSE;
        }
        break;
    case 1: {
        const auto flag = static_cast<BYTE>(e.intValue & 0xFF);
        if (subCode == 27) {
            text.SetItalic(flag);
            return FALSE;
        }
        if (subCode == 28) {
            text.SetUnderline(flag);
            return FALSE;
        }
        if (subCode == 29) {
            text.SetStrikeOut(flag);
            return FALSE;
        }
        break;
    }
    case 5:
        if (block)
            block->m_lastText = e.text;
        if (subCode == 30) {
            text.SetFaceName(e.text.GetString());
            return FALSE;
        }
        break;
    case 6:
        if (subCode == 19)
            CopyPickToExchangeBlock(doc, block);
        if (subCode == 21) {
            doc->CollectSelection();
            if (block) {
                block->ClearSelectedSet();
                for (const CElemRef& ref : doc->m_selection) {
                    auto* copy = new UserAppElemRef;
                    copy->Assign(ref);
                    block->m_selectedSet.Add(copy);
                }
            }
        }
        break;
    case 9:
        CopyPickToExchangeBlock(doc, block);
        break;
    default:
        break;
    }
    return TRUE;
}

void CZelkApp::CopyPickToExchangeBlock(CZelkDoc* doc, UserAppBlock* block)
{
    CElemRef ref;
    if (!block || !doc->m_pickList || !doc->m_pickList->GetCurrent(ref))
        return;
    block->m_pickRef.Assign(ref);
    block->m_pickCursor = doc->m_pickList->pickPoint;
}

void CZelkApp::OfferInputEvent(CZelkDoc* doc, int kind, int subCode)
{
    switch (m_interruptMode) {
    case 33:
    case 34:
    case 35:
        if (m_layerOps)
            m_layerOps->OnInput(doc, kind, subCode);
        return;
    case 37:
        OfferToRelativeSystem(doc, kind, subCode);
        return;
    case 38:
        if (m_basePointInput)
            m_basePointInput->OnInput(doc, kind, subCode);
        return;
    case 39:
        return;
    default:
        break;
    }
    if (m_recordMessageNext) {
        m_recordMessageNext = 0;
        if (m_macroRecorder)
            m_macroRecorder->NoteNextInput(doc);
        return;
    }
    if (m_groupProcessing || doc->m_groupProcessing) {
        if (m_groupProcessor)
            m_groupProcessor->OnInput(doc, kind, subCode);
        return;
    }
    if (m_commandKind == 9) {
        if (m_userAppManager)
            m_userAppManager->ForwardInputEvent(doc, kind, subCode);
        return;
    }
    switch (m_interruptKind) {
    case 1: doc->m_pointCmdInt->OnInput(kind, subCode); return;
    case 2: doc->m_lineCmdInt->OnInput(kind, subCode); return;
    case 3:
    case 4:
    case 22: doc->m_circleCmdInt->OnInput(kind, subCode); return;
    case 7: doc->m_textCmdInt->OnInput(kind, subCode); return;
    case 10: doc->m_dimCmdInt->OnInput(kind, subCode); return;
    default: break;
    }
    switch (m_commandKind) {
    case 1: doc->m_pointCmd->OnInput(kind, subCode); break;
    case 2: doc->m_lineCmd->OnInput(kind, subCode); break;
    case 3:
    case 4: doc->m_circleCmd->OnInput(kind, subCode); break;
    case 7: doc->m_textCmd->OnInput(kind, subCode); break;
    case 10: doc->m_dimCmd->OnInput(kind, subCode); break;
    case 12: doc->m_loopCmd->OnInput(kind, subCode); break;
    case 21: doc->m_groupDeleteMode->OnInput(doc, kind, subCode); break;
    default: break;
    }
}

void CZelkApp::OfferToRelativeSystem(CZelkDoc* doc, int kind, int subCode)
{
    if (UserAppBlock* block = ExchangeBlock(*this)) {
        const CInputEvent& e = *doc->m_inputEvent;
        if (kind == 4)
            block->m_relativePoint = e.point;
        else if (kind == 3)
            block->m_relativeValue = e.value;
    }
    doc->m_relativeSystem->OnInput(kind, subCode);
    const int digits = m_appAcc.messageDigits();
    ShowMessage(CString(kMsgRelativeOriginHead) + SignificantText(doc->m_relOrigin.m_x, digits) + "," +
                    SignificantText(doc->m_relOrigin.m_y, digits) + ")" + SignificantText(doc->m_relAngle, digits) +
                    kMsgRelativeAngleTail,
                0);
    if (kind == 3 || (kind == 6 && subCode == 19)) {
        SwitchMode(doc, m_activeView, 2, 0, 0);
        SetGuidance(doc);
        ShowPrompt();
    }
}
