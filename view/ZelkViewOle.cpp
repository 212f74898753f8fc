// Placed pictures in a view: the conversions they use, the paste of the clipboard as a picture
// or as texts, the copy of one object or of the drawing, and the mouse's work on them.
#include "view/ZelkView.h"

#include "app/InputComboBox.h"
#include "app/InputToolBar.h"
#include "app/MainFrame.h"
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "app/ZelkCntrItem.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/gdi/ImageDC.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/Controls.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkSrvrItem.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr const char* kMsgPasteFailed = "クリップボードのOLEオブジェクトの貼り付けができませんでした";
constexpr const char* kMsgCopySeveral = "選択したOLEデータが複数なのでコピーは中止しました";
constexpr const char* kMsgCreateFailed =
    "ｵﾌﾞｼﾞｪｸﾄの作成に失敗しました。ｼｽﾃﾑ ﾚｼﾞｽﾄﾘにｵﾌﾞｼﾞｪｸﾄが登録されているか確認してください。";
constexpr const char* kMsgNewLayer = "新レイヤに作成モードで新レイヤを作りました";

// The view's mapping on a device of the screen's resolution, as its window's DC has it.
template <class Convert>
void WithViewMapping(CZelkView* view, Convert convert)
{
    CImageDC dc(1, 1);
    view->OnPrepareDC(&dc);
    convert(dc);
}

}  // namespace

RECT CZelkView::LogicalToDeviceRect(const RECT& rect)
{
    RECT r = rect;
    WithViewMapping(this, [&](CDC& dc) { dc.LPtoDP(&r); });
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

RECT CZelkView::DeviceToLogicalRect(const RECT& rect)
{
    RECT r = rect;
    WithViewMapping(this, [&](CDC& dc) { dc.DPtoLP(&r); });
    return r;
}

POINT CZelkView::LogicalToDevicePoint(POINT point)
{
    WithViewMapping(this, [&](CDC& dc) { dc.LPtoDP(&point); });
    return point;
}

RECT CZelkView::DefaultObjectRect()
{
    return DeviceToLogicalRect(RECT{10, 25, 10, 25});
}

void CZelkView::SplitClipboardText(const BYTE* data, size_t size, CStringArray& lines)
{
    CString line;
    for (size_t i = 0; i < size; ++i) {
        const BYTE b = data[i];
        if (b == 0)
            break;
        if (b == '\r' || b == '\n') {
            lines.Add(line);
            line.Empty();
            // A line feed after a carriage return ends the same line.
            if (b == '\r' && i + 1 < size && data[i + 1] == '\n')
                ++i;
            continue;
        }
        line += static_cast<char>(b);
    }
    // The last line counts when it holds anything, whether a NUL or the end of the data ends it.
    if (!line.IsEmpty())
        lines.Add(line);
}

BOOL CZelkView::ReadClipboardText(CStringArray& lines)
{
    if (!OpenClipboard(m_hWnd))
        return FALSE;
    BOOL read = FALSE;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        const auto* bytes = static_cast<const BYTE*>(GlobalLock(h));
        if (bytes) {
            SplitClipboardText(bytes, GlobalSize(h), lines);
            read = TRUE;
        }
        GlobalUnlock(h);
    }
    CloseClipboard();
    return read;
}

void CZelkView::OnPasteAsText()
{
    CWaitCursorScope wait;
    if (!IsClipboardFormatAvailable(CF_TEXT) || !g_pApp || !g_pApp->m_groupProcessor)
        return;
    CStringArray lines;
    if (!ReadClipboardText(lines))
        return;
    // The texts are handed to group processing, where the user places them like a moved
    // selection.
    CGroupProcessor* group = g_pApp->m_groupProcessor;
    group->Reset(1);
    group->m_document = m_document;
    group->EnterGroupMode();
    group->m_elemSet.AddTextLines(lines);
    group->m_elemSet.operationCount = 0;
    group->modePattern = "MP";
    group->OnInput(m_document, 14, 32);
}

CZelkOleObj* CZelkView::AddPastedObject(CZelkCntrItem* item)
{
    CZelkDoc* doc = m_document;
    auto* obj = new CZelkOleObj;
    obj->m_pDocument = doc;
    const bool newLayer = g_pApp && g_pApp->m_appElem.m_layerCondition == 2;
    if (newLayer)
        doc->m_writeLayer = doc->FindOrCreateLayer("");
    obj->m_layer = obj->m_savedLayer = doc->m_writeLayer;
    if (newLayer) {
        doc->UpdateAndPaintAllViews();
        if (g_pApp)
            g_pApp->ShowMessage(kMsgNewLayer, 0);
    } else {
        doc->RedrawChangedElements(1);
    }
    obj->SetFromLogicalRect(this, DefaultObjectRect());
    obj->m_itemIndex = static_cast<std::int32_t>(doc->m_oleItems.size());
    item->m_document = doc;
    item->m_placedObjects.RemoveAll();
    item->m_placedObjects.Add(obj);
    doc->m_oleItems.push_back(item);
    item->UpdateObjectExtents();

    // Fitted to a fifth (the divisor) of the view in its limiting direction.
    CRectD view;
    view.SetFromScreenRect(m_clientRectLogical, m_origin, m_zoom);
    const double W = view.m_right - view.m_left;
    const double H = view.m_top - view.m_bottom;
    const double w = obj->m_bottomRight.m_x - obj->m_topLeft.m_x;
    const double h = obj->m_topLeft.m_y - obj->m_bottomRight.m_y;
    const double d = g_pApp && g_pApp->m_appElem.m_pasteScaleDivisor != 0 ? g_pApp->m_appElem.m_pasteScaleDivisor : 5.0;
    if (W != 0 && H != 0 && w != 0 && h != 0) {
        double nw, nh;
        if (std::fabs(h / H) <= std::fabs(w / W)) {
            nw = W / d;
            nh = nw * h / w;
        } else {
            nh = H / d;
            nw = nh * w / h;
        }
        obj->m_bottomRight.m_x = obj->m_topLeft.m_x + nw;
        obj->m_bottomRight.m_y = obj->m_topLeft.m_y - nh;
    }

    const int index = doc->AddObject(obj);
    doc->m_undoHistory->RecordChange(1, 128, index, 0, 8);
    doc->m_undoHistory->Commit(1);
    doc->SetModifiedFlag(TRUE);
    doc->SaveRecoveryFile();
    doc->SaveRecoveryObject(index);
    doc->InvalidateObjectInViews(obj);
    return obj;
}

BOOL CZelkView::PasteFromClipboard()
{
    CWaitCursorScope wait;
    if (!m_document)
        return FALSE;
    // Only a picture counts as more than text; text of any kind and registered formats do not.
    if (!IsClipboardFormatAvailable(CF_DIB)) {
        if (!IsClipboardFormatAvailable(CF_TEXT))
            return FALSE;
        OnPasteAsText();
        return TRUE;
    }
    auto* item = new CZelkCntrItem(m_document);
    if (!item->CreateFromData(OLERENDER_DRAW) && !item->CreateStaticFromData(OLERENDER_DRAW)) {
        delete item;
        return FALSE;
    }
    AddPastedObject(item);
    return TRUE;
}

namespace {

// The main frame's input box, where the clipboard commands go while it has the focus.
CWnd* FocusedInputBox()
{
    CMainFrame* frame = g_pApp ? g_pApp->m_pMainFrame : nullptr;
    if (!frame || !frame->m_wndInputBar.m_inputBox.m_hasFocus)
        return nullptr;
    return &frame->m_wndInputBar.m_inputBox;
}

void CommitCreationLog(CZelkDoc* doc)
{
    if (doc && doc->m_creationLog)
        doc->m_creationLog->Commit(1);
}

// The item of the drawing active in place in the view; none while no item is.
CZelkCntrItem* InPlaceActiveItem(CZelkDoc* doc, CZelkView* view)
{
    if (!doc)
        return nullptr;
    for (CZelkCntrItem* item : doc->m_oleItems) {
        const int state = item ? item->GetItemState() : 0;
        if ((state == COleClientItem::activeState || state == COleClientItem::activeUIState) &&
            item->GetActiveView() == view)
            return item;
    }
    return nullptr;
}

}  // namespace

void CZelkView::OnEditPaste()
{
    if (CWnd* box = FocusedInputBox()) {
        box->SendMessage(WM_PASTE);
        return;
    }
    CommitCreationLog(m_document);
    if (!PasteFromClipboard())
        ShowMessageLine(kMsgPasteFailed);
}

void CZelkView::OnEditCut()
{
    if (CWnd* box = FocusedInputBox()) {
        box->SendMessage(WM_CUT);
        return;
    }
    CommitCreationLog(m_document);
}

void CZelkView::OnEditCopy()
{
    if (CWnd* box = FocusedInputBox()) {
        box->SendMessage(WM_COPY);
        return;
    }
    if (!m_document)
        return;
    CommitCreationLog(m_document);
    if (m_oleSelection.size() >= 2) {
        ShowMessageLine(kMsgCopySeveral);
        return;
    }
    if (m_oleSelection.empty()) {
        // The drawing is not embedded anywhere by this copy: making its item leaves the way it
        // closes as it was.
        const std::int32_t quiet = m_document->m_quietClose;
        CZelkSrvrItem* item = m_document->GetEmbeddedItem();
        m_document->m_quietClose = quiet;
        item->CopyToClipboard(TRUE);
        return;
    }
    CZelkObj* obj = m_oleSelection.front();
    CMemFile file(4096);
    {
        CArchive ar(&file, CArchive::store, 4096);
        ar.m_pDocument = m_document;
        CObArray list;
        list.Add(obj);
        list.Serialize(ar);
        ar.Close();
    }
    const DWORD length = file.GetLength();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length);
    if (!block)
        return;
    if (void* p = GlobalLock(block)) {
        file.SeekToBegin();
        file.Read(p, length);
    }
    GlobalUnlock(block);
    if (!OpenClipboard(m_hWnd)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    SetClipboardData(g_zelkClientFormat, block);
    if (auto* ole = dynamic_cast<CZelkOleObj*>(obj))
        if (CZelkCntrItem* item = ole->GetItem())
            item->GetClipboardData();
    CloseClipboard();
}

void CZelkView::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    // Cut acts only in the input box. Copy also copies the drawing or its selected object,
    // which it could never do were it enabled only while the input box has the focus.
    pCmdUI->Enable(pCmdUI->m_nID == ID_EDIT_COPY || FocusedInputBox() != nullptr);
}

void CZelkView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsClipboardFormatAvailable(CF_TEXT) || COleClientItem::CanCreateFromData());
}

void CZelkView::OnUpdatePasteAsText(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsClipboardFormatAvailable(CF_TEXT));
}

void CZelkView::OnCancelEditCntr()
{
    if (CZelkCntrItem* item = InPlaceActiveItem(m_document, this))
        item->Close(OLECLOSE_SAVEIFDIRTY);
}

void CZelkView::OnCancelEditSrvr()
{
    // The drawing is never active in place in another program here: nothing to leave.
}

BOOL CZelkView::CloseInPlaceItem()
{
    CZelkCntrItem* item = InPlaceActiveItem(m_document, this);
    if (!item)
        return FALSE;
    item->Close(OLECLOSE_SAVEIFDIRTY);
    m_document->UpdateAndPaintAllViews();
    for (int i = 0; i < item->m_placedObjects.GetSize(); ++i) {
        const int index = m_document->FindObjectIndex(static_cast<CZelkObj*>(item->m_placedObjects[i]));
        if (index >= 0)
            m_document->SaveRecoveryObject(index);
    }
    if (g_pApp)
        g_pApp->m_leftButtonDown = 0;
    return TRUE;
}

void CZelkView::SetObjectCursor(POINT point)
{
    if (m_hWnd && GetCapture() == this)
        return;
    if (m_oleSelection.size() == 1) {
        CZelkObj* object = m_oleSelection.front();
        if (const int handle = object->HitTest(point, this, TRUE)) {
            SetCursor(AfxGetApp() ? AfxGetApp()->LoadStandardCursor(object->GetHandleCursor(handle))
                                  : LoadCursor(object->GetHandleCursor(handle)));
            return;
        }
    }
    if (m_oleDragMode != 2)
        SetCursor(LoadCursor(IDC_ARROW));
}

void CZelkView::OpenSelectedObject()
{
    if (m_oleSelection.size() != 1 || !m_document)
        return;
    CZelkObj* object = m_oleSelection.front();
    object->OnOpen(this);
    const int index = m_document->FindObjectIndex(object);
    if (index >= 0)
        m_document->SaveRecoveryObject(index);
}

namespace {

// Width and height, positive in the normal orientation.
CPointD ObjectSize(const CZelkObj& object)
{
    CPointD size;
    size.Init(object.m_bottomRight.m_x - object.m_topLeft.m_x, object.m_topLeft.m_y - object.m_bottomRight.m_y);
    return size;
}

// Pressed, moved and resized only when live and picked.
bool Pickable(const CZelkObj* object)
{
    return object && !(object->m_state & 0x08) && (object->m_stateBits & 0x02);
}

}  // namespace

BOOL CZelkView::IsSelected(const CObject* pDocItem) const
{
    return std::find(m_oleSelection.begin(), m_oleSelection.end(), pDocItem) != m_oleSelection.end();
}

void CZelkView::DeselectOleObject(CZelkObj* object)
{
    const auto at = std::find(m_oleSelection.begin(), m_oleSelection.end(), object);
    if (at != m_oleSelection.end())
        m_oleSelection.erase(at);
}

void CZelkView::SelectOleObject(CZelkObj* object, BOOL add)
{
    if (!object || (object->m_state & 0x08))
        return;
    if (add) {
        if (!IsSelected(object)) {
            m_oleSelection.push_back(object);
            InvalidateObject(object);
        }
        return;
    }
    InvalidateOleSelection();
    DeselectOleObject(object);
    InvalidateObject(object);
}

void CZelkView::InvalidateOleSelection()
{
    OnUpdate(nullptr, 2, nullptr);
}

void CZelkView::BringObjectToFront(CZelkObj* object)
{
    if (!m_document || m_document->m_objects.size() <= 1)
        return;
    m_document->RemoveObject(object);
    m_document->AddObject(object);
}

BOOL CZelkView::BeginObjectResize(POINT point)
{
    if (m_oleSelection.size() != 1 || !Pickable(m_oleSelection.front()))
        return FALSE;
    CZelkObj* object = m_oleSelection.front();
    const int handle = object->HitTest(point, this, TRUE);
    if (handle == 0)
        return FALSE;
    m_oleDragMode = 2;
    m_oleDragHandle = static_cast<std::int16_t>(handle);
    const double w = object->m_topLeft.m_x - object->m_bottomRight.m_x;
    // An object of nearly no width has no ratio: its corners then move the x side only.
    object->m_aspect = NearlyEqual(w, 0.0) ? std::nan("")
                                           : (object->m_topLeft.m_y - object->m_bottomRight.m_y) / w;
    m_oleResizeStartSize = ObjectSize(*object);
    SetCursor(AfxGetApp()->LoadStandardCursor(object->GetHandleCursor(handle)));
    return TRUE;
}

BOOL CZelkView::PressOnObject(POINT point, BOOL shift)
{
    if (!m_document)
        return FALSE;
    CZelkObj* object = m_document->FindObjectAt(this, point);
    if (!Pickable(object))
        return FALSE;
    m_oleDragMode = 1;
    if (shift) {
        SelectOleObject(object, FALSE);
    } else {
        BringObjectToFront(object);
        SelectOleObject(object, TRUE);
    }
    return TRUE;
}

void CZelkView::ResizeSelectedObjects(POINT point)
{
    if (m_oleDragMode != 2 || m_oleDragHandle == 0)
        return;
    for (CZelkObj* object : m_oleSelection) {
        object->MoveHandleTo(m_oleDragHandle, point, this);
        m_oleResized = 1;
        m_oleResizeSize = ObjectSize(*object);
    }
}

void CZelkView::EndObjectMove(UINT keyFlags, CPointD point)
{
    if (!m_document)
        return;
    if (keyFlags & MK_CONTROL) {
        const std::vector<CZelkObj*> selected = m_oleSelection;
        for (CZelkObj* object : selected)
            if (auto* ole = dynamic_cast<CZelkOleObj*>(object))
                ole->Clone(m_document);
        return;
    }
    const CPointD to = point.WorldToScreen(m_origin, m_zoom);
    const CPointD from = (g_pApp ? g_pApp->m_leftPressPoint : point).WorldToScreen(m_origin, m_zoom);
    const long dx = static_cast<long>(to.m_x) - static_cast<long>(from.m_x);
    const long dy = static_cast<long>(to.m_y) - static_cast<long>(from.m_y);
    for (CZelkObj* object : m_oleSelection) {
        RECT r;
        if (object->GetViewRect(this, r))
            continue;
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
        m_document->m_undoHistory->RecordChangeWithExtra(3, 128, m_document->FindObjectIndex(object), 0,
                                                         object->m_state);
        object->MoveTo(r, this);
    }
    // The step moves world corners when it is undone: the offset in world units, not logical
    // ones, or Undo at any zoom but 1 puts the objects elsewhere.
    CPointD offset;
    offset.Init(dx / m_zoom, dy / m_zoom);
    CPointD scale;
    scale.Init(1, 1);
    m_document->m_undoHistory->CommitTransform(4, offset, scale);
}

void CZelkView::OnInsertObject()
{
    if (!m_document)
        return;
    CommitCreationLog(m_document);
    if (g_pApp && g_pApp->m_contextHelpMode == 11) {
        g_pApp->ShowHelpPage("Help\\HID_OLE_INSERT_NEW.htm");
        g_pApp->m_contextHelpMode = 0;
        return;
    }
    // The insert dialog offers creation from a file.
    CFileDialogRequest request;
    request.bOpen = TRUE;
    request.title = "オブジェクトの挿入";
    if (!UiServices().FileDialog(request) || request.chosen.empty())
        return;
    CWaitCursorScope wait;
    CZelkDoc* doc = m_document;
    auto* obj = new CZelkOleObj;
    obj->m_pDocument = doc;
    obj->m_layer = obj->m_savedLayer = doc->m_writeLayer;
    obj->SetFromLogicalRect(this, DefaultObjectRect());
    auto* item = new CZelkCntrItem(doc, obj);
    doc->m_oleItems.push_back(item);
    obj->m_itemIndex = static_cast<std::int32_t>(doc->m_oleItems.size()) - 1;
    if (!item->CreateFromFile(request.chosen.front())) {
        doc->m_oleItems.pop_back();
        delete item;
        obj->Remove();
        AfxMessageBox(kMsgCreateFailed, MB_OK);
        return;
    }
    const int index = doc->AddObject(obj);
    doc->SetModifiedFlag(TRUE);
    item->UpdateLink();
    item->UpdateObjectExtents();
    doc->UpdateAllViews(nullptr);
    doc->SaveRecoveryObject(index);
}
