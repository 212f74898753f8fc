// The closed-loop command object.
#include "commands/line/LoopCommand.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Line.h"
#include "input/PointSearch.h"
#include "input/ElemKey.h"

CLoopCommand::CLoopCommand(CZelkDoc* doc)
    : m_doc(doc), m_extractState(0), m_currentLoop(nullptr)
{
    BuildPatternGroups();
    BuildPatternLists();
}

CLoopCommand::~CLoopCommand()
{
    DeletePatternGroups();
    FreeLoops();
}

void CLoopCommand::Reset()
{
    if (m_doc && m_doc->m_pointSearch)
        m_doc->m_pointSearch->EraseMarker();
    m_tokenString.Empty();
    for (CQuantity& v : m_values)
        v.Reset();
    m_defaultLength = 500.0;
    if (m_doc) {
        m_doc->m_previewKind = 0;
        m_doc->m_inputMarkFlag = 0;
    }
    m_stepTexts.RemoveAll();
    m_macroFlag = 0;
    m_extractState = 0;
    FreeLoops();
    if (g_pApp)
        g_pApp->m_appElem.SetLastCommandKind(0);
    m_macroPattern.Empty();
    ShowGuidance();
}

void CLoopCommand::FreeLoops()
{
    for (int i = 0; i < m_lineCopies.GetSize(); ++i)
        delete static_cast<CLine*>(m_lineCopies[i]);
    m_lineCopies.RemoveAll();
    for (int i = 0; i < m_lineRefs.GetSize(); ++i)
        delete static_cast<CElemRef*>(m_lineRefs[i]);
    m_lineRefs.RemoveAll();
    for (int i = 0; i < m_loops.GetSize(); ++i)
        delete static_cast<COwnedPtrArray*>(m_loops[i]);
    m_loops.RemoveAll();
    m_currentLoop = nullptr;
    m_runElems.clear();
    m_runVertices.clear();
}

void CLoopCommand::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
