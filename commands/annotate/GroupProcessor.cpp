// The group processor as an object: construction, its pattern table, the reset back to an
// empty box selection, group mode, and attaching to and letting go of drawings.
#include "commands/annotate/GroupProcessor.h"

#include "app/ZelkApp.h"
#include "commands/annotate/GroupGuidanceTexts.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "input/PatternGroup.h"
#include "input/PointSearch.h"
#include "view/ZelkView.h"

namespace {

const CPatternRow kGroups[] = {
    { "move", { "PP", "PBP", "PBB", "Y" } },
    { "copy", { "PP", "PBP", "PBB" } },
    { "mrrmove", { "APQ", "APP" } },
    { "mrrcopy", { "APQ", "APP" } },
    { "ext", { "ZP", "ZLD" } },
    { "malti_txt", { "MP", "MBP", "MBB" } },
    { "group", { "G" } },
    { "apart", { "g" } },
    { "atr", { "Q" } },
};

const char* const kAcceptedPatterns[] = { "PP", "PBP", "PBB", "Y", "ZLD", "ZP", "APP",
                                          "APQ", "MP", "MBP", "MBB", "G", "g", "Q" };

} // namespace

CGroupProcessor::CGroupProcessor(CZelkDoc* doc) : m_document(doc), modePattern("PP")
{
    m_prompt = GroupTexts::kInitialPrompt;
    m_hint = GroupTexts::kInitialHint;
    ResetStepRecords();
}

CGroupProcessor::~CGroupProcessor()
{
    FreePatternGroups();
}

void CGroupProcessor::CreateElemSet()
{
    m_elemSet.Clear();
}

void CGroupProcessor::BuildPatternGroups()
{
    AddPatternGroups(m_patternGroups, kGroups);
}

void CGroupProcessor::BuildAcceptedPatterns()
{
    for (const char* p : kAcceptedPatterns)
        m_acceptedPatterns.Add(p);
}

void CGroupProcessor::FreePatternGroups()
{
    ::FreePatternGroups(m_patternGroups);
}

void CGroupProcessor::Reset(int detach)
{
    CZelkDoc* doc = m_document;
    if (doc && doc->m_pointSearch)
        doc->m_pointSearch->EraseMarker();
    m_prompt = GroupTexts::kBoxPrompt;
    m_hint = GroupTexts::kBoxHint;
    const CZelkView* active = g_pApp ? g_pApp->m_activeView : nullptr;
    if (active && active->m_document && active->m_document->m_deformMode) {
        m_prompt = GroupTexts::kDeformBoxPrompt;
        m_hint = GroupTexts::kDeformBoxHint;
    }
    m_savedTokenString.Empty();
    m_tokenString.Empty();
    ResetStepRecords();
    for (CZelkDoc*& step : m_stepDocuments)
        step = nullptr;
    if (doc) {
        m_inputPoints[0].SetBoth(doc->m_inputPoint.point);
        m_savedInputPoints[0].SetBoth(doc->m_inputPoint.point);
    }
    m_elemSet.Clear();
    if (doc) {
        doc->m_previewKind = 0;
        doc->m_inputPoint.Assign(m_inputPoints[0]);
        doc->ShowInputPointMark(0);
    }
    m_stepNotes.RemoveAll();
    m_stepValueMarks.RemoveAll();
    m_macroPlay = 0;
    m_macroTargetPattern.Empty();
    // The guidance still sees the preset flag of the operation that ends here.
    if (doc)
        ShowGuidance();
    if (detach == 1)
        m_document = nullptr;
    m_preset = 0;
    if (g_pApp)
        g_pApp->m_appElem.m_mask = 0;
    m_macroWaitsForEnter = 0;
}

void CGroupProcessor::EnterGroupMode()
{
    if (g_pApp)
        g_pApp->m_groupProcessing = 1;
    m_elemSet.basePoint.Init(0.0, 0.0);
}

void CGroupProcessor::AttachTo(CZelkDoc* doc)
{
    m_document = doc;
    for (CZelkDoc*& step : m_stepDocuments)
        step = doc;
}

void CGroupProcessor::ForgetDocument(const CZelkDoc* doc)
{
    if (m_document == doc)
        Reset(1);
    for (CZelkDoc*& step : m_stepDocuments)
        if (step == doc)
            step = nullptr;
}

void CGroupProcessor::OnInput(CZelkDoc* doc, int kind, int subCode)
{
    if (doc)
        m_document = doc;
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}

bool CGroupProcessor::IsSymbolCopy() const
{
    return g_pApp && g_pApp->m_symbolDoc && g_pApp->m_symbolDoc == m_document;
}

bool CGroupProcessor::IsDeform() const
{
    return m_document && m_document->m_deformMode;
}
