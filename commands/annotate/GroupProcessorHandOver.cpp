// Group processing as far as the hand-over of prepared texts needs it: reset, group mode and
// the input that starts placing them.
#include "commands/annotate/GroupProcessor.h"

#include "document/ZelkDoc.h"

void CGroupProcessor::Reset(int detach)
{
    modePattern.Empty();
    m_prepared = 0;
    m_elemSet.Clear();
    if (detach == 1)
        m_document = nullptr;
}

void CGroupProcessor::EnterGroupMode()
{
    if (m_document)
        m_document->m_groupProcessing = 1;
    m_elemSet.basePoint.Init(0.0, 0.0);
}

void CGroupProcessor::OnInput(CZelkDoc* doc, int kind, int subCode)
{
    if (doc)
        m_document = doc;
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
