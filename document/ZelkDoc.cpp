// The drawing document: construction, initialisation of a fresh drawing, release of everything
// it holds, and the framework-side services (views, modified flag, title).
#include "document/ZelkDoc.h"
#include "input/PointEntry.h"

#include <algorithm>

#include "app/ZelkCntrItem.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupDeleteMode.h"
#include "commands/annotate/GroupModeHelper.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/CreationLog.h"
#include "document/DocEnvironment.h"
#include "document/UndoHistory.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Color.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "input/PointSearch.h"
#include "input/RelativeCoordSystem.h"
#include "platform/core/Runtime.h"
#include "view/ZelkObj.h"
#include "view/ZelkSrvrItem.h"
#include "view/ZelkView.h"

namespace {

template <class T>
void DeleteAll(CObArray& list)
{
    for (int i = 0; i < list.GetSize(); ++i)
        delete static_cast<T*>(list[i]);
    list.RemoveAll();
}

template <class T>
void DeleteAndNull(T*& p)
{
    delete p;
    p = nullptr;
}

}  // namespace

IMPLEMENT_DYNCREATE(CZelkDoc, CDocument)

CZelkDoc::CZelkDoc()
    : m_docNumber(0),
      m_quietClose(0),
      m_relAngle(0),
      m_ratio(1.0),
      m_workLines{},
      m_pointCmd(nullptr),
      m_lineCmd(nullptr),
      m_circleCmd(nullptr),
      m_textCmd(nullptr),
      m_loopCmd(nullptr),
      m_dimCmd(nullptr),
      m_pointCmdInt(nullptr),
      m_lineCmdInt(nullptr),
      m_circleCmdInt(nullptr),
      m_textCmdInt(nullptr),
      m_dimCmdInt(nullptr),
      m_pickList(nullptr),
      m_pointSearch(nullptr),
      m_undoHistory(nullptr),
      m_creationLog(nullptr),
      m_inputEvent(nullptr),
      m_relativeSystem(nullptr),
      m_groupModeHelper(nullptr),
      m_groupDeleteMode(nullptr),
      m_writeLayer(0),
      m_absAngle(0),
      m_curAngle(0),
      m_previewValue(0),
      m_workFactor(1.0),
      m_workMode(1),
      m_hiPoint(nullptr),
      m_hiLine(nullptr),
      m_hiCircle(nullptr),
      m_hiArc(nullptr),
      m_hiText(nullptr),
      m_hiConic(nullptr),
      m_hiCurve(nullptr),
      m_workShort1(0),
      m_workShort2(0),
      m_inputMarkFlag(0),
      m_inputMarkWork(0),
      m_inputMarkShort(0),
      m_previewAsArc(0),
      m_previewArcMovesStart(0),
      m_workInts2{},
      m_previewKind(0),
      m_previewAngle(0),
      m_previewAngle2(0),
      m_previewLength(0),
      m_previewTextAngle(0),
      m_workInts3{},
      m_previewsSuppressed(0),
      m_workInt3(0),
      m_linksUpdate(1),
      m_nativeWriteMode(1),
      m_recoveryOpCount(0),
      m_groupWork1(0),
      m_groupProcessing(0),
      m_printScale(1.0)
{
    // A drawing asked for while context help is armed only shows the help of the mode.
    if (DocOpenHelpIfArmed("Help\\HID_MODE_STRING.htm"))
        return;
    m_linksUpdate = 1;
    DocRegisterClientFormat();
    InitContents();
}

CZelkDoc::~CZelkDoc()
{
    for (CZelkView* v : GetViews())
        v->m_document = nullptr;
    DocForgetInTextWindows(this);
    FreeContents();
    // The embedded items outlive a reset of the contents; they go with the drawing.
    for (CZelkCntrItem* item : m_oleItems)
        delete item;
    for (CZelkCntrItem* item : m_oleItems2)
        delete item;
    delete m_embeddedItem;
}

void CZelkDoc::ForgetWorkElements()
{
    m_hiPoint = nullptr;
    m_hiLine = nullptr;
    m_hiCircle = nullptr;
    m_hiArc = nullptr;
    m_hiText = nullptr;
    m_hiConic = nullptr;
    m_hiCurve = nullptr;
    // The referenced elements live in the blocks too.
    m_refPointElem = nullptr;
    m_refLineElem = nullptr;
    m_refCircleElem = nullptr;
    m_refArcElem = nullptr;
    m_refConicElem = nullptr;
    m_refCurveElem = nullptr;
    m_refTextElem = nullptr;
}

void CZelkDoc::InitContents()
{
    m_hasContents = TRUE;
    m_docNumber = DocNextNumber();
    m_extents = DocInitialArea();
    m_quietClose = 0;

    CString number;
    number.Format("%d", static_cast<int>(m_docNumber));
    m_recoveryBase = DocProgramFolder() + "Recov" + number;
    m_path = DocDataFolder() + "\\NewFile.zel";
    m_name = "NewFile";
    m_dataVersion = "01.00";
    m_headerName.Empty();
    m_renewalDate1.Empty();
    m_renewalDate2.Empty();
    m_renewalDate3.Empty();
    m_creationDate.Empty();
    for (CString& d : m_loadedDates)
        d.Empty();

    m_relAngle = 0;
    m_ratio = 1.0;

    for (CLine*& w : m_workLines)
        w = new CLine;

    m_pointCmd = new CPointCommand(this, 0);
    m_lineCmd = new CLineCommand(this, 0);
    m_circleCmd = new CCircleCommand(this, 0);
    m_textCmd = new CTextCommand(this, 0);
    m_loopCmd = new CLoopCommand(this);
    m_dimCmd = new CDimCommand(this, 0);
    m_pointCmdInt = new CPointCommand(this, 1);
    m_lineCmdInt = new CLineCommand(this, 1);
    m_circleCmdInt = new CCircleCommand(this, 1);
    m_textCmdInt = new CTextCommand(this, 1);
    m_dimCmdInt = new CDimCommand(this, 1);
    for (CDimCommand* dim : { m_dimCmd, m_dimCmdInt }) {
        dim->BuildPatternGroups();
        dim->BuildAcceptedPatterns();
    }
    for (CPointCommand* point : { m_pointCmd, m_pointCmdInt }) {
        point->BuildPatternGroups();
        point->BuildAcceptedPatterns();
    }
    for (CLineCommand* line : { m_lineCmd, m_lineCmdInt }) {
        line->BuildPatternGroups();
        line->BuildPatternLists();
    }
    for (CCircleCommand* circle : { m_circleCmd, m_circleCmdInt }) {
        circle->BuildPatternGroups();
        circle->BuildPatternLists();
    }
    for (CTextCommand* text : { m_textCmd, m_textCmdInt }) {
        text->BuildPatternGroups();
        text->BuildAcceptedPatterns();
    }

    m_pickList = new CPickList(this);
    m_pointSearch = new CPointSearch(this);
    m_undoHistory = new CUndoHistory(this);
    m_creationLog = new CCreationLog(this, m_pens.GetSize(), m_fonts.GetSize());
    m_inputEvent = new CInputEvent(this);
    m_relativeSystem = new CRelativeCoordSystem(this);
    m_groupModeHelper = new CGroupModeHelper(this);
    m_groupDeleteMode = new CGroupDeleteMode(this);

    m_writeLayer = FindOrCreateLayer(CString());
    DocSetUserAppWriteLayer(static_cast<short>(m_writeLayer));

    m_curAngle = 0;
    m_absAngle = 0;
    m_previewValue = 0;
    m_workFactor = 1.0;
    m_workMode = 1;
    ForgetWorkElements();
    m_workShort1 = m_workShort2 = 0;
    m_inputMarkFlag = m_inputMarkWork = 0;
    m_inputMarkShort = 0;
    m_previewAsArc = m_previewArcMovesStart = 0;
    std::fill(std::begin(m_workInts2), std::end(m_workInts2), 0);
    m_previewKind = 0;
    m_previewAngle = m_previewAngle2 = m_previewLength = m_previewTextAngle = 0;
    std::fill(std::begin(m_workInts3), std::end(m_workInts3), 0);
    m_previewsSuppressed = m_workInt3 = 0;
    m_workRect.Init(0, 0, 0, 0);
    m_nativeWriteMode = 1;
    m_recoveryOpCount = 0;
    m_inputPoint.Reset();
    m_groupWork1 = m_groupProcessing = m_deformMode = 0;
    m_printScale = 1.0;
}

// Every pointer is nulled as it is released, so a second release (the destructor after a
// reset that was never followed by InitContents) frees nothing twice.
void CZelkDoc::FreeContents()
{
    for (int i = 0; i < m_directionMarks.GetSize(); ++i)
        delete static_cast<CPointEntry*>(m_directionMarks[i]);
    m_directionMarks.RemoveAll();

    DocForgetDocument(this);

    for (CLine*& w : m_workLines)
        DeleteAndNull(w);
    DeleteAndNull(m_pointCmd);
    DeleteAndNull(m_lineCmd);
    DeleteAndNull(m_circleCmd);
    DeleteAndNull(m_textCmd);
    DeleteAndNull(m_loopCmd);
    DeleteAndNull(m_dimCmd);
    DeleteAndNull(m_pointCmdInt);
    DeleteAndNull(m_lineCmdInt);
    DeleteAndNull(m_circleCmdInt);
    DeleteAndNull(m_textCmdInt);
    DeleteAndNull(m_dimCmdInt);
    DeleteAndNull(m_pickList);
    DeleteAndNull(m_pointSearch);
    DeleteAndNull(m_undoHistory);
    DeleteAndNull(m_creationLog);
    DeleteAndNull(m_relativeSystem);
    DeleteAndNull(m_inputEvent);
    DeleteAndNull(m_groupModeHelper);
    DeleteAndNull(m_groupDeleteMode);
    ForgetWorkElements();

    FreePointerMarks();
    FreeElementStore();
    RemoveRecoveryFiles();
}

void CZelkDoc::FreePointerMarks()
{
    if (m_pointerMarks.GetSize() > 0)
        DrawPointerMarks(1);
    for (int i = 0; i < m_pointerMarks.GetSize(); ++i)
        delete static_cast<CPointD*>(m_pointerMarks[i]);
    m_pointerMarks.RemoveAll();
}

void CZelkDoc::FreeElementStore()
{
    DeleteAll<CGroup>(m_groups);
    DeleteAll<CColor>(m_colors);
    DeleteAll<CTypePen>(m_pens);
    DeleteAll<CTypeFont>(m_fonts);
    DeleteAll<CLayer>(m_layers);
    DeleteAll<CDataString>(m_attrStrings);
    DeleteAll<CDataPoints>(m_pointBlocks);
    DeleteAll<CLines>(m_lineBlocks);
    DeleteAll<CCircles>(m_circleBlocks);
    DeleteAll<CArcs>(m_arcBlocks);
    DeleteAll<CTexts>(m_textBlocks);
    DeleteAll<CConics>(m_conicBlocks);
    DeleteAll<CCurves>(m_curveBlocks);
    m_blockExtents.Invalidate();
    DeleteAll<CObject>(m_dxfBlocks);
    for (int i = 0; i < m_auxList1.GetSize(); ++i)
        delete static_cast<CWordArray*>(m_auxList1[i]);
    m_auxList1.RemoveAll();
    for (int i = 0; i < m_auxList2.GetSize(); ++i)
        ::operator delete(m_auxList2[i]);
    m_auxList2.RemoveAll();
    for (CZelkObj* o : m_objects)
        delete o;
    m_objects.clear();
    for (CWordArray& map : m_blockMaps)
        map.RemoveAll();
    m_selection.clear();
    m_penIndex.clear();
    m_penIndexedCount = 0;
    m_layerIndex.clear();
    m_layerIndexedNames.clear();
    m_layerIndexedCount = 0;
    m_fontIndex.clear();
    m_fontIndexedCount = 0;
}

int CZelkDoc::HasData() const
{
    return m_groups.GetSize() > 0 || m_pointBlocks.GetSize() > 0 || m_lineBlocks.GetSize() > 0 ||
           m_circleBlocks.GetSize() > 0 || m_arcBlocks.GetSize() > 0 ||
           m_textBlocks.GetSize() > 0 || m_conicBlocks.GetSize() > 0 ||
           m_curveBlocks.GetSize() > 0 || !m_objects.empty();
}

void CZelkDoc::AddView(CZelkView* view)
{
    if (!view)
        return;
    CDocument::AddView(view);
    view->m_document = this;
}

void CZelkDoc::RemoveView(CZelkView* view)
{
    if (!view || view->m_pDocument != this)
        return;
    if (m_zoomView == view)
        m_zoomView = nullptr;
    view->m_document = nullptr;
    if (m_pressView == view)
        m_pressView = nullptr;
    CDocument::RemoveView(view);
}

CZelkView* CZelkDoc::CViewRange::iterator::operator*() const
{
    return static_cast<CZelkView*>(*m_it);
}

CZelkView* CZelkDoc::CViewRange::front() const
{
    return static_cast<CZelkView*>(m_list.front());
}

void CZelkDoc::UpdateAllViews(CZelkView* sender, LPARAM hint, CObject* hintObject)
{
    // On a copy: an update may close a view (a zoom window) and change the list.
    const std::vector<CView*> views = m_viewList;
    for (CView* v : views)
        if (v != sender)
            v->OnUpdate(sender, hint, hintObject);
}

// ---- typed access ----------------------------------------------------------------------

namespace {

template <class T>
T* At(const CObArray& list, int i)
{
    if (i < 0 || i >= list.GetSize())
        return nullptr;
    return static_cast<T*>(list[i]);
}

template <class Block>
auto* SlotAt(const CObArray& list, int block, int slot)
{
    Block* b = At<Block>(list, block);
    using Elem = std::remove_reference_t<decltype(b->m_slots[0])>;
    if (!b || slot < 0 || slot >= b->m_count)
        return static_cast<Elem*>(nullptr);
    return &b->m_slots[slot];
}

}  // namespace

CTypePen* CZelkDoc::GetPen(int i) const { return At<CTypePen>(m_pens, i); }
CTypeFont* CZelkDoc::GetFont(int i) const { return At<CTypeFont>(m_fonts, i); }
CLayer* CZelkDoc::GetLayer(int i) const { return At<CLayer>(m_layers, i); }
CDataString* CZelkDoc::GetString(int i) const { return At<CDataString>(m_attrStrings, i); }
CGroup* CZelkDoc::GetGroup(int i) const { return At<CGroup>(m_groups, i); }
CColor* CZelkDoc::GetColor(int i) const { return At<CColor>(m_colors, i); }
CDataPoints* CZelkDoc::PointBlockAt(int i) const { return At<CDataPoints>(m_pointBlocks, i); }
CLines* CZelkDoc::LineBlockAt(int i) const { return At<CLines>(m_lineBlocks, i); }
CCircles* CZelkDoc::CircleBlockAt(int i) const { return At<CCircles>(m_circleBlocks, i); }
CArcs* CZelkDoc::ArcBlockAt(int i) const { return At<CArcs>(m_arcBlocks, i); }
CTexts* CZelkDoc::TextBlockAt(int i) const { return At<CTexts>(m_textBlocks, i); }
CConics* CZelkDoc::ConicBlockAt(int i) const { return At<CConics>(m_conicBlocks, i); }
CCurves* CZelkDoc::CurveBlockAt(int i) const { return At<CCurves>(m_curveBlocks, i); }

#define DOC_ELEMENT_GETTER(Elem, Name, Block, List)                                              \
    Elem* CZelkDoc::Name(int block, int slot) const { return SlotAt<Block>(List, block, slot); }
DOC_ELEMENT_GETTER(CDataPoint, GetPointElem, CDataPoints, m_pointBlocks)
DOC_ELEMENT_GETTER(CLine, GetLineElem, CLines, m_lineBlocks)
DOC_ELEMENT_GETTER(CCircle, GetCircleElem, CCircles, m_circleBlocks)
DOC_ELEMENT_GETTER(CArc, GetArcElem, CArcs, m_arcBlocks)
DOC_ELEMENT_GETTER(CText, GetTextElem, CTexts, m_textBlocks)
DOC_ELEMENT_GETTER(CConic, GetConicElem, CConics, m_conicBlocks)
DOC_ELEMENT_GETTER(CCurve, GetCurveElem, CCurves, m_curveBlocks)
#undef DOC_ELEMENT_GETTER
