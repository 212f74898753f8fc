// Layer operations of the input hub: the write layer, renames and the per-view display of
// layers, from typed lines, picks and Enter.
#include "input/LayerOps.h"

#include <algorithm>
#include <type_traits>
#include <vector>

#include "app/InputToolBar.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "geometry/ElemRef.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "platform/core/Services.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypePen.h"
#include "view/ZelkView.h"
#include "view/ZelkObj.h"

namespace {

template <class Block>
void MarkUsed(const CObArray& blocks, std::vector<char>& used)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            int layer = block->m_slots[s].m_layer;
            if (layer >= 0 && layer < static_cast<int>(used.size()))
                used[layer] = 1;
        }
    }
}

template <class Block>
int CountOnLayer(const CObArray& blocks, int layer)
{
    int count = 0;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count && s < Block::SlotCount; ++s)
            if (block->m_slots[s].m_layer == layer && !(block->m_slots[s].m_state & STATE_DELETED))
                ++count;
    }
    return count;
}

bool IsFourDigits(const CString& name)
{
    if (name.GetLength() != 4)
        return false;
    for (int i = 0; i < 4; ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    return true;
}

}  // namespace

// One pass over the elements marks the layers in use, so the cost stays linear in the drawing.
int CLayerOps::FindEmptyNumberedLayer(CZelkDoc* doc)
{
    std::vector<char> used(static_cast<size_t>(doc->m_layers.GetSize()), 0);
    MarkUsed<CDataPoints>(doc->m_pointBlocks, used);
    MarkUsed<CLines>(doc->m_lineBlocks, used);
    MarkUsed<CCircles>(doc->m_circleBlocks, used);
    MarkUsed<CArcs>(doc->m_arcBlocks, used);
    MarkUsed<CTexts>(doc->m_textBlocks, used);
    MarkUsed<CConics>(doc->m_conicBlocks, used);
    MarkUsed<CCurves>(doc->m_curveBlocks, used);
    for (CZelkObj* o : doc->m_objects)
        if (o->m_layer >= 0 && o->m_layer < static_cast<int>(used.size()))
            used[o->m_layer] = 1;
    for (int i = 0; i < doc->m_layers.GetSize(); ++i)
        if (!used[i] && IsFourDigits(doc->GetLayer(i)->m_name))
            return i;
    return -1;
}

int CLayerOps::FindPrintFrameLayer(CZelkDoc* doc, CZelkView* view)
{
    if (!doc || !view)
        return FALSE;
    for (int i = 0; i < doc->m_layers.GetSize(); ++i) {
        const bool hidden = i < view->m_layerStates.GetSize() && view->m_layerStates[i] == 1;
        if (!hidden && doc->GetLayer(i)->IsWorkPrintLayer()) {
            view->m_printLayerIndex = static_cast<std::int16_t>(i);
            return TRUE;
        }
    }
    return FALSE;
}

int CLayerOps::GetWorkLayerExtent(CZelkDoc* doc, int layer, CPointD& topLeft, CPointD& bottomRight)
{
    if (!doc || layer < 0 || layer >= doc->m_layers.GetSize())
        return FALSE;
    CString upper = doc->GetLayer(layer)->m_name;
    upper.MakeUpper();
    if (upper.Find("WORK") < 0)
        return FALSE;
    bool any = false;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int b = 0; b < doc->m_lineBlocks.GetSize(); ++b) {
        const CLines* block = doc->LineBlockAt(b);
        const CTypePen* pen = doc->GetPen(block->m_pen);
        if (!pen || pen->m_lineType != 2)
            continue;
        for (int s = 0; s < block->m_count; ++s) {
            const CLine& l = block->m_slots[s];
            if ((l.m_state & STATE_DELETED) || l.m_layer != layer)
                continue;
            for (const CPointD& p : {l.m_start, l.m_end}) {
                if (!any) {
                    minX = maxX = p.m_x;
                    minY = maxY = p.m_y;
                    any = true;
                }
                minX = std::min(minX, p.m_x);
                maxX = std::max(maxX, p.m_x);
                minY = std::min(minY, p.m_y);
                maxY = std::max(maxY, p.m_y);
            }
        }
    }
    if (!any)
        return FALSE;
    topLeft.Init(minX, maxY);
    bottomRight.Init(maxX, minY);
    return TRUE;
}

// ---- the write layer, renames and reference layers ------------------------------------------

namespace {

const char* const kSeparators = ",､，、";
const char* const kSigns = "+-";
const char* const kMsgFreshHead = "未使用または新レイヤ No.";
const char* const kMsgNewNamedHead = "未使用または新レイヤ No";
const char* const kMsgLayerHead = "レイヤ No";
const char* const kMsgPickedHead = "レイヤ No.";
const char* const kMsgUnnamed = "(無名)";
const char* const kMsgWriteTail = ") を書き込みレイヤとしました";
const char* const kMsgFreshLineTail = ") 書き込みレイヤとしました";
const char* const kMsgBecameWrite = " を書き込みレイヤとしました";
const char* const kMsgNoMatch = " に該当するレイヤ名はありません";
const char* const kMsgNoLayer = " の名称のレイヤは存在しません";
const char* const kMsgNameTaken = " の名称のレイヤはすでに存在しますので名称変更はできません";
const char* const kMsgRenamedWrite = "に改名して書き込みレイヤとしました";
const char* const kMsgRenamedShown = "に改名して参照レイヤとします";
const char* const kMsgRenamedHidden = "に改名して非表示レイヤとします";

// Long enough to read one message before the next token's replaces it.
constexpr DWORD kReadPause = 2000;

CString Number(int n)
{
    CString s;
    s.Format("%d", n);
    return s;
}

bool IsRenameWord(const CString& token)
{
    return token.CompareNoCase("rename") == 0 || token.CompareNoCase("rn") == 0;
}

bool IsPattern(const CString& token)
{
    return token.Find('*') >= 0 || token.Find('?') >= 0;
}

void Split(const CString& text, CStringArray& tokens)
{
    SplitTokens(text, kSeparators, kSigns, tokens);
}

// Grows the view's display table to the layer list; new layers are shown.
void CoverLayers(CZelkDoc* doc, CZelkView* view)
{
    const int count = doc ? doc->m_layers.GetSize() : 0;
    if (count > view->m_layerStates.GetSize())
        view->m_layerStates.SetAtGrow(count - 1, 0);
}

CString LayerName(CZelkDoc* doc, int index)
{
    const CLayer* layer = doc->GetLayer(index);
    return layer ? layer->m_name : CString();
}

void Show(const CString& text, int beep)
{
    g_pApp->ShowMessage(text, beep);
}

// The layer of the element a reference names; -1 for a kind without a layer or a stale slot.
int LayerOfElement(CZelkDoc* doc, const CElemRef& ref)
{
    switch (ref.m_kind) {
    case ELEM_POINT:
        if (const CDataPoint* e = doc->GetPointElem(ref.m_block, ref.m_slot))
            return e->m_layer;
        break;
    case ELEM_LINE:
        if (const CLine* e = doc->GetLineElem(ref.m_block, ref.m_slot))
            return e->m_layer;
        break;
    case ELEM_CIRCLE:
        if (const CCircle* e = doc->GetCircleElem(ref.m_block, ref.m_slot))
            return e->m_layer;
        break;
    case ELEM_ARC:
        if (const CArc* e = doc->GetArcElem(ref.m_block, ref.m_slot))
            return e->m_layer;
        break;
    case ELEM_TEXT:
        if (const CText* e = doc->GetTextElem(ref.m_block, ref.m_slot))
            return e->m_layer;
        break;
    case ELEM_CONIC:
        if (const CConic* e = doc->GetConicElem(ref.m_block, ref.m_slot))
            return e->m_layer;
        break;
    case ELEM_CURVE:
        if (const CCurve* e = doc->GetCurveElem(ref.m_block, ref.m_slot))
            return e->m_layer;
        break;
    case ELEM_OBJECT:
        if (ref.m_block >= 0 && ref.m_block < static_cast<int>(doc->m_objects.size()))
            return doc->m_objects[static_cast<size_t>(ref.m_block)]->m_layer;
        break;
    default:
        break;
    }
    return -1;
}

} // namespace

CLayer* CLayerOps::SetWriteLayer(CZelkDoc* doc, int index)
{
    if (!doc || index < 0 || index >= doc->m_layers.GetSize())
        return nullptr;
    doc->m_writeLayer = static_cast<std::int16_t>(index);
    if (g_pApp && doc == g_pApp->GetActiveDrawingDoc())
        DocSetUserAppWriteLayer(doc->m_writeLayer);
    ShowLayerInAllViews(doc, index);
    return doc->GetLayer(index);
}

void CLayerOps::ShowLayerInAllViews(CZelkDoc* doc, int index)
{
    for (CZelkView* v : doc->GetViews())
        if (index >= 0 && index < v->m_layerStates.GetSize())
            v->m_layerStates[index] = kShown;
    doc->UpdateAndPaintAllViews();
}

CLayer* CLayerOps::MarkLayerState(CZelkDoc* doc, CZelkView* view, int index, int show)
{
    if (!doc || !view || index < 0 || index >= doc->m_layers.GetSize())
        return nullptr;
    CoverLayers(doc, view);
    view->m_layerStates[index] = static_cast<WORD>(show ? kShownChanged : kHiddenChanged);
    return doc->GetLayer(index);
}

void CLayerOps::CommitLayerStates(CZelkView* view)
{
    for (int i = 0; i < view->m_layerStates.GetSize(); ++i) {
        if (view->m_layerStates[i] == kShownChanged)
            view->m_layerStates[i] = kShown;
        else if (view->m_layerStates[i] == kHiddenChanged)
            view->m_layerStates[i] = kHidden;
    }
}

int CLayerOps::FindFirstShownLayer(CZelkView* view)
{
    CoverLayers(view->m_document, view);
    const int count = view->m_document ? view->m_document->m_layers.GetSize() : 0;
    for (int i = 0; i < count; ++i)
        if (!(view->m_layerStates[i] & 1))
            return i;
    return -1;
}

void CLayerOps::MakeFreshWriteLayer(CZelkDoc* doc, const char* tail, int beep)
{
    int index = FindEmptyNumberedLayer(doc);
    if (index < 0)
        index = doc->FindOrCreateLayer(CString());
    if (SetWriteLayer(doc, index))
        Show(kMsgFreshHead + Number(index) + "(" + LayerName(doc, index) + tail, beep);
}

void CLayerOps::NewWriteLayer(CZelkDoc* doc)
{
    if (doc)
        MakeFreshWriteLayer(doc, kMsgWriteTail, 0);
}

void CLayerOps::OnInput(CZelkDoc* doc, int kind, int subCode)
{
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    if (!doc || !g_pApp)
        return;
    const int mode = g_pApp->m_interruptMode;
    CZelkView* view = g_pApp->m_activeView;
    if (kind == 7 && view) {
        if (mode == 33 || mode == 34)
            SetWriteLayerByText(doc);
        else if (mode == 35)
            SetReferenceLayersByText(doc, view);
        FindPrintFrameLayer(doc, view);
        return;
    }
    if (subCode == 19 && (mode == 33 || mode == 34)) {
        SetWriteLayerFromPick(doc);
        CPickList& list = *doc->m_pickList;
        list.Clear();
        list.ClearMarks(list.markMask | 16);
    }
}

void CLayerOps::SetWriteLayerFromPick(CZelkDoc* doc)
{
    CElemRef ref;
    if (!doc->m_pickList->GetCurrent(ref))
        return;
    const int index = LayerOfElement(doc, ref);
    const CLayer* layer = SetWriteLayer(doc, index);
    if (!layer)
        return;
    const CString name = layer->m_name.IsEmpty() ? CString(kMsgUnnamed) : "(" + layer->m_name + ")";
    Show(kMsgPickedHead + Number(index) + name + kMsgBecameWrite, 0);
    if (doc == g_pApp->GetActiveDrawingDoc())
        FindPrintFrameLayer(doc, g_pApp->m_activeView);
}

void CLayerOps::ClearInputLine()
{
    if (g_pApp->m_pMainFrame)
        g_pApp->m_pMainFrame->m_wndInputBar.m_inputBox.SetWindowText("");
    if (CInputBar* bar = g_pApp->m_inputBar) {
        bar->m_enteredText.Empty();
        bar->GetList(bar->m_currentList).m_currentText.Empty();
    }
}

void CLayerOps::ApplyNamedWriteLayer(CZelkDoc* doc, int index, const char* head)
{
    if (!SetWriteLayer(doc, index))
        return;
    Show(head + Number(index) + "(" + LayerName(doc, index) + kMsgWriteTail, 1);
    ClearInputLine();
}

void CLayerOps::SetWriteLayerByText(CZelkDoc* doc)
{
    CStringArray tokens;
    Split(doc->m_inputEvent->text, tokens);
    if (tokens.GetSize() == 0) {
        MakeFreshWriteLayer(doc, kMsgFreshLineTail, 0);
        return;
    }
    for (int i = 0; i < tokens.GetSize(); ++i) {
        const CString& token = tokens[i];
        if (IsRenameWord(token)) {
            if (i + 2 < tokens.GetSize()) {
                RenameWriteLayer(doc, tokens[i + 1], tokens[i + 2]);
                return;
            }
            continue;
        }
        if (IsPattern(token)) {
            CWordArray found;
            if (doc->FindLayersByPattern(token, found) == 0 || found.GetSize() == 0) {
                Show(token + kMsgNoMatch, 0);
                return;
            }
            ApplyNamedWriteLayer(doc, found[0], kMsgLayerHead);
            return;
        }
        const int index = doc->FindLayer(token);
        if (index >= 0) {
            ApplyNamedWriteLayer(doc, index, kMsgLayerHead);
            return;
        }
        if (!ValidateLayerName(token))
            return;
        ApplyNamedWriteLayer(doc, doc->FindOrCreateLayer(token), kMsgNewNamedHead);
        return;
    }
}

void CLayerOps::RenameWriteLayer(CZelkDoc* doc, const CString& oldName, const CString& newName)
{
    // A rename that only changes case is refused too: the lookup of the new name finds the
    // old layer itself.
    if (newName.Compare(oldName) != 0 && doc->FindLayer(newName) >= 0) {
        Show(newName + kMsgNameTaken, 1);
        return;
    }
    if (!ValidateLayerName(newName))
        return;
    const int index = doc->FindLayer(oldName);
    CLayer* layer = SetWriteLayer(doc, index);
    if (!layer) {
        Show(oldName + kMsgNoLayer, 1);
        return;
    }
    if (newName.Compare(oldName) == 0) {
        Show(kMsgLayerHead + Number(index) + "(" + layer->m_name + kMsgWriteTail, 1);
    } else {
        layer->m_name = newName;
        doc->TablesChanged();
        Show(kMsgLayerHead + Number(index) + "(" + oldName + ") を " + newName + kMsgRenamedWrite, 1);
    }
    ClearInputLine();
}

void CLayerOps::RenameReferenceLayer(CZelkDoc* doc, CZelkView* view, const CString& oldName,
                                     const CString& newName, int show, int& writeHidden)
{
    if (!ValidateLayerName(newName)) {
        Services().Sleep(kReadPause);
        return;
    }
    const int index = doc->FindLayer(oldName);
    if (index < 0) {
        Show(oldName + kMsgNoLayer, 1);
    } else if (doc->FindLayer(newName) >= 0) {
        Show(newName + kMsgNameTaken, 1);
    } else if (CLayer* layer = MarkLayerState(doc, view, index, show)) {
        layer->m_name = newName;
        doc->TablesChanged();
        if (!show && index == doc->m_writeLayer)
            writeHidden = 1;
        Show(kMsgLayerHead + Number(index) + "(" + oldName + ") を " + newName +
                 (show ? kMsgRenamedShown : kMsgRenamedHidden),
             0);
    }
    Services().Sleep(kReadPause);
}

void CLayerOps::SetReferenceLayersByText(CZelkDoc* doc, CZelkView* view)
{
    CStringArray tokens;
    Split(doc->m_inputEvent->text, tokens);
    int show = 1;
    int writeHidden = 0;
    auto mark = [&](int index) {
        if (MarkLayerState(doc, view, index, show) && !show && index == doc->m_writeLayer)
            writeHidden = 1;
    };
    for (int i = 0; i < tokens.GetSize(); ++i) {
        const CString token = tokens[i];
        if (token == "+" || token == "-") {
            show = token == "+";
            continue;
        }
        if (IsRenameWord(token) && i + 2 < tokens.GetSize()) {
            RenameReferenceLayer(doc, view, tokens[i + 1], tokens[i + 2], show, writeHidden);
            i += 2;
            continue;
        }
        if (IsPattern(token)) {
            CWordArray found;
            doc->FindLayersByPattern(token, found);
            for (int k = 0; k < found.GetSize(); ++k)
                mark(found[k]);
            if (found.GetSize() == 0) {
                Show(token + kMsgNoMatch, 0);
                Services().Sleep(kReadPause);
            }
            continue;
        }
        const int index = doc->FindLayer(token);
        if (index >= 0) {
            mark(index);
        } else {
            Show(token + kMsgNoLayer, 1);
            Services().Sleep(kReadPause);
        }
    }
    if (writeHidden) {
        const int first = FindFirstShownLayer(view);
        if (first >= 0) {
            if (SetWriteLayer(doc, first))
                Show(LayerName(doc, first) + kMsgBecameWrite, 1);
        } else {
            MakeFreshWriteLayer(doc, kMsgWriteTail, 1);
        }
        Services().Sleep(kReadPause);
    }
    view->RedrawElements(1);
    CommitLayerStates(view);
}

void CLayerOps::ToggleLayersOfPicked(CZelkDoc* doc, CZelkView* view)
{
    if (!doc || !view)
        return;
    CPickList& list = *doc->m_pickList;
    CWordArray counts;
    const int layers = doc->m_layers.GetSize();
    if (layers > 0)
        counts.SetAtGrow(layers - 1, 0);
    list.UnmarkAndCountByLayer(counts);
    list.Clear();
    list.ClearMarks(list.markMask & 16);
    CoverLayers(doc, view);
    for (int i = 0; i < layers; ++i)
        if (counts[i] > 0)
            MarkLayerState(doc, view, i, view->m_layerStates[i] & 1);
    view->RedrawElements(1);
    CommitLayerStates(view);
    FindPrintFrameLayer(doc, view);
}

int CLayerOps::CountElementsOnLayer(CZelkDoc* doc, int layer, int deleted, int& points, int& lines,
                                    int& circles, int& arcs, int& conics, int& curves, int& texts,
                                    int& objects)
{
    points = lines = circles = arcs = conics = curves = texts = objects = 0;
    if (!doc)
        return 0;
    const std::uint8_t bit = deleted ? STATE_DELETED : STATE_LIVE;
    auto count = [&](const CObArray& blocks, auto* tag, int& n) {
        using Block = std::remove_pointer_t<decltype(tag)>;
        for (int b = 0; b < blocks.GetSize(); ++b) {
            const Block* block = static_cast<const Block*>(blocks[b]);
            for (int s = 0; s < block->m_count; ++s)
                if (block->m_slots[s].m_layer == layer && (block->m_slots[s].m_state & bit))
                    ++n;
        }
    };
    count(doc->m_pointBlocks, static_cast<CDataPoints*>(nullptr), points);
    count(doc->m_lineBlocks, static_cast<CLines*>(nullptr), lines);
    count(doc->m_circleBlocks, static_cast<CCircles*>(nullptr), circles);
    count(doc->m_arcBlocks, static_cast<CArcs*>(nullptr), arcs);
    count(doc->m_conicBlocks, static_cast<CConics*>(nullptr), conics);
    count(doc->m_curveBlocks, static_cast<CCurves*>(nullptr), curves);
    count(doc->m_textBlocks, static_cast<CTexts*>(nullptr), texts);
    for (const CZelkObj* o : doc->m_objects)
        if (o->m_layer == layer && (o->m_state & bit))
            ++objects;
    return points + lines + circles + arcs + conics + curves + texts + objects;
}
