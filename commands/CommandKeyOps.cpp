// The key routines' calls on a command object, by its type.
#include "commands/CommandKeyOps.h"

#include "commands/annotate/TextCommand.h"
#include "commands/annotate/DimCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/PointCommand.h"

void CCommandRef::OnInput(int kind, int subCode)
{
    if (m_circle)
        m_circle->OnInput(kind, subCode);
    else if (m_line)
        m_line->OnInput(kind, subCode);
    else if (m_point)
        m_point->OnInput(kind, subCode);
    else if (m_text)
        m_text->OnInput(kind, subCode);
    else if (m_dim)
        m_dim->OnInput(kind, subCode);
    else if (m_ops)
        m_ops->OnInput(kind, subCode);
}

void CCommandRef::UndoClickBeforeDoubleClick()
{
    if (m_circle)
        m_circle->UndoClickBeforeDoubleClick();
    else if (m_line)
        m_line->UndoClickBeforeDoubleClick();
    else if (m_point)
        m_point->UndoClickBeforeDoubleClick();
    else if (m_ops)
        m_ops->UndoClickBeforeDoubleClick();
}

void CCommandRef::Reset()
{
    if (m_circle)
        m_circle->Reset();
    else if (m_line)
        m_line->Reset();
    else if (m_point)
        m_point->Reset();
    else if (m_text)
        m_text->Reset();
    else if (m_dim)
        m_dim->Reset();
    else if (m_ops)
        m_ops->Reset();
}

void CCommandRef::ApplyPointConstraint()
{
    if (m_circle)
        m_circle->ApplyPointConstraint();
    else if (m_line)
        m_line->ApplyPointConstraint();
    else if (m_point)
        m_point->ApplyPointConstraint();
    else if (m_ops)
        m_ops->ApplyPointConstraint();
}

void CCommandRef::ReleasePointConstraint()
{
    if (m_circle)
        m_circle->ReleasePointConstraint();
    else if (m_line)
        m_line->ReleasePointConstraint();
    else if (m_point)
        m_point->ReleasePointConstraint();
    else if (m_ops)
        m_ops->ReleasePointConstraint();
}

void CCommandRef::StepBack(int steps)
{
    if (m_circle)
        m_circle->StepBack(steps);
    else if (m_line)
        m_line->StepBack(steps);
    else if (m_point)
        m_point->StepBack();
    else if (m_ops)
        m_ops->StepBack(steps);
}

void CCommandRef::OnNextSnapPoint()
{
    if (m_circle)
        m_circle->OnNextSnapPoint();
    else if (m_line)
        m_line->OnNextSnapPoint();
    else if (m_point)
        m_point->OnNextSnapPoint();
    else if (m_ops)
        m_ops->OnNextSnapPoint();
}

void CCommandRef::OnNextCandidateElement()
{
    if (m_circle)
        m_circle->OnNextCandidateElement();
    else if (m_line)
        m_line->OnNextCandidateElement();
    else if (m_point)
        m_point->OnNextCandidateElement();
    else if (m_ops)
        m_ops->OnNextCandidateElement();
}

void CCommandRef::OnEnter()
{
    if (m_circle)
        m_circle->OnEnter();
    else if (m_line)
        m_line->OnEnter();
    else if (m_point)
        m_point->OnEnter();
    else if (m_ops)
        m_ops->OnEnter();
}

BOOL CCommandRef::IsEditPick() const
{
    if (m_circle)
        return m_circle->IsEditPick() ? TRUE : FALSE;
    if (m_line)
        return m_line->IsEditPick() ? TRUE : FALSE;
    if (m_point)
        return m_point->IsEditPick() ? TRUE : FALSE;
    if (m_text)
        return m_text->IsEditPick() ? TRUE : FALSE;
    if (m_dim)
        return m_dim->IsEditPick() ? TRUE : FALSE;
    return m_ops ? m_ops->IsEditPick() : FALSE;
}

void CCommandRef::SetEditTarget(std::int16_t block, std::int16_t slot, int positionClass)
{
    if (m_circle) {
        m_circle->m_editBlock = block;
        m_circle->m_editSlot = slot;
        m_circle->m_editPickPosition = positionClass;
        m_circle->m_editFlag = 1;
    } else if (m_line) {
        m_line->m_editBlock = block;
        m_line->m_editSlot = slot;
        m_line->m_editPickPosition = positionClass;
        m_line->m_editFlag = 1;
    } else if (m_point) {
        m_point->m_editBlock = block;
        m_point->m_editSlot = slot;
        m_point->m_editPickPosition = positionClass;
        m_point->m_editFlag = 1;
    } else if (m_text) {
        m_text->m_editBlock = block;
        m_text->m_editSlot = slot;
        m_text->m_editPickPosition = positionClass;
        m_text->m_editFlag = 1;
    } else if (m_dim) {
        m_dim->m_editBlock = block;
        m_dim->m_editSlot = slot;
        m_dim->m_editPickPosition = positionClass;
        m_dim->m_editFlag = 1;
    } else if (m_ops) {
        m_ops->m_editBlock = block;
        m_ops->m_editSlot = slot;
        m_ops->m_positionClass = positionClass;
        m_ops->m_editFlag = 1;
    }
}

BOOL CCommandRef::TakesMacroInput() const
{
    if (m_circle)
        return m_circle->m_macroFlag ? TRUE : FALSE;
    if (m_line)
        return m_line->m_macroFlag ? TRUE : FALSE;
    if (m_point)
        return m_point->m_macroFlag ? TRUE : FALSE;
    if (m_text)
        return m_text->m_macroFlag ? TRUE : FALSE;
    if (m_dim)
        return m_dim->m_macroFlag ? TRUE : FALSE;
    return m_ops && m_ops->m_macroInput ? TRUE : FALSE;
}

void CCommandRef::EndMacroInput()
{
    if (m_circle) {
        m_circle->m_macroFlag = 0;
        m_circle->m_tokenString.Empty();
    } else if (m_line) {
        m_line->m_macroFlag = 0;
        m_line->m_tokenString.Empty();
    } else if (m_point) {
        m_point->m_macroFlag = 0;
        m_point->m_tokenString.Empty();
    } else if (m_text) {
        m_text->m_macroFlag = 0;
        m_text->m_tokenString.Empty();
    } else if (m_dim) {
        m_dim->m_macroFlag = 0;
        m_dim->m_tokenString.Empty();
    } else if (m_ops) {
        m_ops->m_macroInput = 0;
        m_ops->m_tokenString.Empty();
    }
}
