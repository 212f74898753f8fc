// The closed-loop command object.
#include "commands/line/LoopCommand.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
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
    DrawAllLoops(1);
    m_tokenString.Empty();
    for (CQuantity& v : m_values)
        v.Reset();
    for (CInputPoint& p : m_inputPoints)
        p.Reset();
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
    for (CPtrArray* arcs : { &m_circleCopies, &m_arcCopies }) {
        for (int i = 0; i < arcs->GetSize(); ++i)
            delete static_cast<CArc*>((*arcs)[i]);
        arcs->RemoveAll();
    }
    for (CPtrArray* refs : { &m_lineRefs, &m_circleRefs, &m_arcRefs }) {
        for (int i = 0; i < refs->GetSize(); ++i)
            delete static_cast<CElemRef*>((*refs)[i]);
        refs->RemoveAll();
    }
    for (int i = 0; i < m_loops.GetSize(); ++i)
        delete static_cast<COwnedPtrArray*>(m_loops[i]);
    m_loops.RemoveAll();
    m_currentLoop = nullptr;
    m_runElems.clear();
    m_runVertices.clear();
}
