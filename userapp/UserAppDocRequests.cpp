// Document, view and layer requests: the open drawings and their descriptive fields, a drawing
// view's geometry, the layers and the per-view layer display flags.
#include "userapp/UserAppRequests.h"

#include "app/ZelkApp.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "userapp/UserAppBlock.h"
#include "view/ZelkView.h"

namespace {

// The drawing area's logical size, the same for every drawing.
constexpr std::int32_t kLogicalArea = 32000;

constexpr int kLastLayer = 32767;

constexpr int kShown = 0;
constexpr int kHidden = 1;

// The nine text fields in the record's order: field 1, the renewal dates, the creation date
// and the notes that go with the four dates.
CString* TextField(CZelkDoc& doc, int i)
{
    CString* fields[9] = {&doc.m_headerName,     &doc.m_renewalDate1,   &doc.m_renewalDate2,
                          &doc.m_renewalDate3,   &doc.m_creationDate,   &doc.m_loadedDates[0],
                          &doc.m_loadedDates[1], &doc.m_loadedDates[2], &doc.m_loadedDates[3]};
    return fields[i];
}

void FillDocRecord(UserAppDocRecord& r, CZelkDoc& doc)
{
    r.m_docId = static_cast<std::int16_t>(doc.m_docNumber);
    r.m_logicalWidth = kLogicalArea;
    r.m_logicalHeight = kLogicalArea;
    r.m_extents[0] = doc.m_extents.m_left;
    r.m_extents[1] = doc.m_extents.m_top;
    r.m_extents[2] = doc.m_extents.m_right;
    r.m_extents[3] = doc.m_extents.m_bottom;
    r.m_path = doc.m_path;
    r.m_name = doc.m_name;
    r.m_dataVersion = doc.m_dataVersion;
    for (int i = 0; i < 9; ++i)
        r.m_textFields[i] = *TextField(doc, i);
    r.m_relOrigin = doc.m_relOrigin;
    r.m_relAngle = doc.m_relAngle;
    r.m_relPoint2 = doc.m_relPoint2;
    r.m_strings.InsertAt(0, &doc.m_memo);
    r.m_measureScale = doc.m_ratio;
    r.m_basePoint = doc.m_basePoint;
    r.m_baseReference = doc.m_refPoint;
    r.m_absAngle = doc.m_absAngle;
    r.m_curAngle = doc.m_curAngle;
    // The command work values after the two angles: current length, ratio and count.
    r.m_curLength = doc.m_previewValue;
    r.m_curRatio = doc.m_workFactor;
    r.m_curCount = doc.m_workMode;
}

void TakeDocRecord(CZelkDoc& doc, const UserAppDocRecord& r)
{
    doc.m_path = r.m_path;
    doc.m_name = r.m_name;
    for (int i = 0; i < 9; ++i)
        *TextField(doc, i) = r.m_textFields[i];
    doc.m_relOrigin = r.m_relOrigin;
    doc.m_relAngle = r.m_relAngle;
    doc.m_relPoint2 = r.m_relPoint2;
    doc.m_memo.InsertAt(0, &r.m_strings);
}

// The view keeps the record's view values A, B and C in its cleared state word, its
// fit-on-resize flag and its single-layer index; its second point is the centre and its three
// further points the press and release points.
void FillViewRecord(UserAppViewRecord& r, const CZelkView& view, CZelkDoc& doc)
{
    r.m_viewNumber = view.m_viewNumber;
    r.m_docId = static_cast<std::int16_t>(doc.m_docNumber);
    r.m_viewKind = view.m_viewKind;
    r.m_origin = view.m_origin;
    r.m_zoom = view.m_zoom;
    r.m_point2 = view.m_centre;
    r.m_clientRect[0] = view.m_clientRectLogical.left;
    r.m_clientRect[1] = view.m_clientRectLogical.top;
    r.m_clientRect[2] = view.m_clientRectLogical.right;
    r.m_clientRect[3] = view.m_clientRectLogical.bottom;
    r.m_scroll[0] = view.m_scrollPos.x;
    r.m_scroll[1] = view.m_scrollPos.y;
    r.m_scroll[2] = view.m_lineSize.x;
    r.m_scroll[3] = view.m_lineSize.y;
    r.m_valueA = view.m_stateWord;
    r.m_layerHidden.InsertAt(0, &view.m_layerStates);
    r.m_points[0] = view.m_pressLogicalPoint;
    r.m_points[1] = view.m_pressLogicalPoint2;
    r.m_points[2] = view.m_releaseLogicalPoint;
    r.m_valueB = view.m_fitOnResize;
    r.m_valueC = static_cast<std::int16_t>(view.m_singleLayerIndex);
}

void TakeViewRecord(CZelkView& view, const UserAppViewRecord& r)
{
    view.m_stateWord = static_cast<std::int16_t>(r.m_valueA);
    view.m_layerStates.InsertAt(0, &r.m_layerHidden);
    view.m_fitOnResize = r.m_valueB;
}

// A layer of the drawing, by index, is used only when it exists; its flag is written with
// grow-as-needed.
void SetLayerFlag(CZelkView& view, const CZelkDoc& doc, int layer, int flag)
{
    if (layer >= 0 && layer < doc.m_layers.GetSize())
        view.m_layerStates.SetAtGrow(layer, static_cast<WORD>(flag));
}

// Codes 75-80 on the view short1 of the drawing.
void SetLayerFlags(UserAppBlock& block, int slot, int code, CZelkDoc& doc, CZelkView& view)
{
    const int flag = code % 2 == 1 ? kShown : kHidden;
    switch (code) {
    case 75:
    case 76: {
        const CStringArray& names = block.m_textLists[slot];
        for (int i = 0; i < names.GetSize(); ++i)
            SetLayerFlag(view, doc, doc.FindLayer(names[i]), flag);
        // Numbers name entries of the flag list as it stands.
        const CWordArray& numbers = block.m_numberLists[slot];
        for (int i = 0; i < numbers.GetSize(); ++i)
            if (numbers[i] < view.m_layerStates.GetSize())
                view.m_layerStates.SetAt(numbers[i], static_cast<WORD>(flag));
        doc.UpdateAndPaintAllViews();
        break;
    }
    case 77:
    case 78:
        SetLayerFlag(view, doc, doc.FindLayer(block.m_stringArgs[slot][0]), flag);
        break;
    default:
        SetLayerFlag(view, doc, block.m_intArgs[slot][0], flag);
        break;
    }
}

void ServeViewRequest(UserAppBlock& block, int slot, int code, CZelkDoc& doc)
{
    CZelkView* view = FindUserAppView(&doc, block.m_shortArg1[slot]);
    if (!view) {
        block.m_status[slot] = kUserAppNoSuchView;
        return;
    }
    if (code == 73) {
        block.m_numberLists[slot].InsertAt(0, &view->m_layerStates);
    } else if (code == 74) {
        // Emptied, then grown with zeros: every layer shown.
        view->m_layerStates.RemoveAll();
        view->m_layerStates.SetSize(doc.m_layers.GetSize());
        doc.UpdateAndPaintAllViews();
    } else {
        SetLayerFlags(block, slot, code, doc, *view);
    }
}

} // namespace

bool ServeDocumentRequest(UserAppBlock& block, int slot, int code)
{
    const bool byShortId = code == 33 || code == 50 || code == 51;
    const bool byIntId = code == 108 || code == 109 || code == 128 || code == 129;
    if (code == 20) {
        for (CZelkDoc* doc : UserAppDrawings())
            block.m_numberLists[slot].Add(doc->m_docNumber);
    } else if (code >= 21 && code <= 31) {
        for (CZelkDoc* doc : UserAppDrawings()) {
            const CString& text = code == 21 ? doc->m_path : code == 22 ? doc->m_name : *TextField(*doc, code - 23);
            block.m_textLists[slot].Add(text);
        }
    } else if (code == 32) {
        const std::vector<CZelkDoc*> docs = UserAppDrawings();
        const int index = block.m_intArgs[slot][0];
        if (index < 0 || index >= static_cast<int>(docs.size()))
            block.m_status[slot] = kUserAppNoDocAtPosition;
        else if (UserAppDocRecord* record = block.m_docTable[slot])
            FillDocRecord(*record, *docs[static_cast<size_t>(index)]);
    } else if (code == 52) {
        for (CZelkDoc* doc : UserAppDrawings()) {
            if (CZelkView* view = FindUserAppView(doc, block.m_shortArg0[slot])) {
                if (UserAppViewRecord* record = block.m_viewTable[slot])
                    FillViewRecord(*record, *view, *doc);
                return true;
            }
        }
        block.m_status[slot] = kUserAppNoSuchView;
    } else if (byShortId || byIntId) {
        CZelkDoc* doc = FindUserAppDrawing(byShortId ? block.m_shortArg0[slot] : block.m_intArgs[slot][0]);
        if (!doc) {
            block.m_status[slot] = kUserAppNoDocWithId;
            return true;
        }
        UserAppDocRecord* docRecord = block.m_docTable[slot];
        UserAppViewRecord* viewRecord = block.m_viewTable[slot];
        CZelkView* first = doc->GetViews().empty() ? nullptr : doc->GetViews().front();
        CZelkView* view = nullptr;
        if (code == 51)
            view = block.m_intArgs[slot][0] == 0 ? first : nullptr;
        else if (code == 109 || code == 129)
            view = FindUserAppView(doc, block.m_intArgs[slot][1]);
        switch (code) {
        case 33:
        case 108:
            if (docRecord)
                FillDocRecord(*docRecord, *doc);
            break;
        case 128:
            if (docRecord)
                TakeDocRecord(*doc, *docRecord);
            break;
        case 50:
            if (first)
                block.m_numberLists[slot].Add(static_cast<WORD>(first->m_viewNumber));
            break;
        default:
            if (!view)
                block.m_status[slot] = kUserAppNoSuchView;
            else if (viewRecord && code == 129)
                TakeViewRecord(*view, *viewRecord);
            else if (viewRecord)
                FillViewRecord(*viewRecord, *view, *doc);
            break;
        }
    } else {
        return false;
    }
    return true;
}

bool ServeLayerRequest(UserAppBlock& block, int slot, int code)
{
    if (code < 70 || code > 80)
        return false;
    CZelkDoc* doc = FindUserAppDrawing(block.m_shortArg0[slot]);
    if (!doc) {
        block.m_status[slot] = kUserAppNoDocWithId;
        return true;
    }
    const CString& name = block.m_stringArgs[slot][0];
    switch (code) {
    case 70: {
        CStringArray names;
        doc->GetLayerNames(names);
        block.m_textLists[slot].InsertAt(0, &names);
        break;
    }
    case 71:
    case 72: {
        // Layer numbers are 16-bit: a plug-in that keeps asking for new names gets no layer
        // past the last number instead of one whose number wraps.
        if (doc->FindLayer(name) == -1 && doc->m_layers.GetSize() > kLastLayer)
            break;
        const std::int16_t layer = doc->GetLayerIndex(name);
        if (code == 72) {
            doc->m_writeLayer = layer;
            if (doc == g_pApp->GetActiveDrawingDoc())
                DocSetUserAppWriteLayer(layer);
        }
        break;
    }
    default:
        ServeViewRequest(block, slot, code, *doc);
        break;
    }
    return true;
}
