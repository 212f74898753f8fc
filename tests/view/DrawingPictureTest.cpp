// The drawing as a picture (its extent and what its drawing leaves out), the places an item
// active in place asks for and gets, and the view's object commands as its command map offers
// them.
#include "ViewCommandSupport.h"

#include "app/ZelkCntrItem.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Runtime.h"
#include "platform/gdi/RecordingDC.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Wnd.h"
#include "tests/support/PictureBytes.h"
#include "view/ZelkSrvrItem.h"

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

class DrawingPicture : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        DefaultScriptedUiServices().Reset();
        m_app->m_activeView = m_view.get();
        m_app->m_serverFirstDraw = 0;
        m_app->m_viewZoom = 1.0;
        m_app->m_viewOrigin = W(-100, 1000);
        m_app->m_viewScrollPos = POINT{0, 0};
        m_app->m_activeClientRect = RECT{0, 0, 1200, -600};
        m_view->m_origin = W(-100, 1000);
        m_view->m_layerStates.SetSize(m_doc->m_layers.GetSize());
    }
    void TearDown() override
    {
        m_app->m_activeView = nullptr;
        ViewFixture::TearDown();
    }
    // The drawing calls of the picture of the drawing.
    size_t PictureCalls(const char* name = nullptr)
    {
        CZelkSrvrItem item(m_doc.get());
        CRecordingDC dc;
        CSize size;
        item.OnDraw(&dc, size);
        return name ? dc.CallsNamed({name}).size() : dc.DrawingCalls().size();
    }
};

}  // namespace

TEST_F(DrawingPicture, TheExtentKeepsTheShapeOfTheVisibleArea)
{
    // An inch square unless given, corrected to the shape of the active view's visible area;
    // in hundredths of a millimetre.
    struct Case {
        CSize given;
        RECT visible;
        CSize extent;
    } cases[] = {
        {CSize(0, 0), RECT{0, 0, 0, 0}, CSize(2540, -2540)},
        {CSize(0, 0), RECT{0, 0, 1200, -600}, CSize(2540, -1270)},
        {CSize(0, 0), RECT{0, 0, 600, -1200}, CSize(1270, -2540)},
        {CSize(300, 0), RECT{0, 0, 0, 0}, CSize(2540, -2540)},
        {CSize(300, -200), RECT{0, 0, 0, 0}, CSize(7620, -5080)},
    };
    for (const Case& c : cases) {
        CZelkSrvrItem item(m_doc.get());
        item.m_sizeExtent = c.given;
        m_app->m_activeClientRect = c.visible;
        CSize size;
        ASSERT_TRUE(item.OnGetExtent(DVASPECT_CONTENT, size));
        EXPECT_EQ(size.cx, c.extent.cx) << c.visible.right << " " << c.given.cx;
        EXPECT_EQ(size.cy, c.extent.cy) << c.visible.right << " " << c.given.cx;
    }
    CZelkSrvrItem item(m_doc.get());
    CSize size;
    EXPECT_FALSE(item.OnGetExtent(DVASPECT_CONTENT + 1, size));
}

TEST_F(DrawingPicture, NothingOnAWorkLayerIsDrawnPointsIncluded)
{
    const std::int16_t pen = Pen(RGB(0, 0, 0));
    const std::int16_t work = m_doc->FindOrCreateLayer("Work_Print_Auto");
    const std::int16_t hidden = m_doc->FindOrCreateLayer("hidden");
    m_view->m_layerStates.SetSize(m_doc->m_layers.GetSize());
    m_view->m_layerStates[hidden] = 1;
    m_view->m_showAllLayers = 0;
    m_doc->AddLine(W(0, 800), W(100, 700), 0, pen);
    const size_t base = PictureCalls();
    ASSERT_GT(base, 0u);
    struct Case {
        const char* what;
        std::function<void()> add;
        bool drawn;
    } cases[] = {
        {"line on the work layer", [&] { m_doc->AddLine(W(10, 800), W(110, 700), work, pen); }, false},
        {"point on the work layer", [&] { m_doc->AddPoint(W(50, 750), work, pen); }, false},
        {"circle on the work layer", [&] { m_doc->AddCircle(W(50, 750), 20, work, pen); }, false},
        {"line on a hidden layer", [&] { m_doc->AddLine(W(20, 800), W(120, 700), hidden, pen); }, false},
        {"point", [&] { m_doc->AddPoint(W(60, 760), 0, pen); }, true},
    };
    size_t now = base;
    for (const Case& c : cases) {
        c.add();
        const size_t after = PictureCalls();
        if (c.drawn)
            EXPECT_GT(after, now) << c.what;
        else
            EXPECT_EQ(after, now) << c.what;
        now = after;
    }
    // Placed pictures alike; a deleted one is left out.
    ASSERT_NE(AddPicture(*m_doc, BmpBytes(4, 2, 0x00FF00), 0, 900, work), nullptr);
    EXPECT_EQ(PictureCalls("DrawImage"), 0u);
    CZelkOleObj* shown = AddPicture(*m_doc, BmpBytes(4, 2, 0x00FF00), 0, 900);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(PictureCalls("DrawImage"), 1u);
    shown->m_state |= 0x08;
    EXPECT_EQ(PictureCalls("DrawImage"), 0u);
}

TEST_F(DrawingPicture, APlacedPictureIsDrawnAtItsPlaceInTheVisibleArea)
{
    CZelkOleObj* obj = AddPicture(*m_doc, BmpBytes(4, 2, 0x00FF00), 0, 0);
    ASSERT_NE(obj, nullptr);
    m_app->m_viewScrollPos = POINT{40, -30};
    CRecordingDC dc;
    obj->DrawForServer(&dc);
    RECT r;
    ASSERT_EQ(obj->GetActiveViewRect(r), 0);
    const std::vector<std::string> images = dc.CallsNamed({"DrawImage"});
    ASSERT_EQ(images.size(), 1u);
    char expected[64];
    std::snprintf(expected, sizeof expected, "DrawImage(%d,%d,%d,%d,", static_cast<int>(r.left - 40), static_cast<int>(r.top + 30), static_cast<int>(r.right - 40),
                  static_cast<int>(r.bottom + 30));
    EXPECT_EQ(images[0].rfind(expected, 0), 0u) << images[0] << " " << expected;
    // Wider than 4000 units in the active mapping: not drawn, though a view would draw it.
    m_app->m_viewOrigin = W(-1, 1);
    m_app->m_viewZoom = 400;
    ASSERT_NE(obj->GetActiveViewRect(r), 0);
    m_view->m_origin = W(-1, 1);
    m_view->m_zoom = 400;
    EXPECT_EQ(obj->GetViewRect(m_view.get(), r), 0);
    dc.Clear();
    obj->DrawForServer(&dc);
    EXPECT_TRUE(dc.CallsNamed({"DrawImage"}).empty());
}

TEST_F(DrawingPicture, AnItemActiveInPlaceMovesOnlyItsFirstObject)
{
    CZelkOleObj* first = AddPicture(*m_doc, BmpBytes(96, 48, 0x00FF00), 0, 0);
    ASSERT_NE(first, nullptr);
    CZelkOleObj* second = first->Clone(m_doc.get());
    CZelkCntrItem* item = first->GetItem();
    const CPointD secondCorner = second->m_topLeft;
    const double width = first->m_bottomRight.m_x - first->m_topLeft.m_x;
    // Without a view the item is not in place: nothing moves.
    const RECT device = m_view->LogicalToDeviceRect(RECT{200, -100, 300, -150});
    EXPECT_FALSE(item->OnChangeItemPosition(device));
    EXPECT_DOUBLE_EQ(first->m_topLeft.m_x, 0);

    item->m_pView = m_view.get();
    item->m_itemState = COleClientItem::activeState;
    m_doc->SetModifiedFlag(FALSE);
    EXPECT_TRUE(item->OnChangeItemPosition(device));
    const RECT logical = m_view->DeviceToLogicalRect(device);
    EXPECT_DOUBLE_EQ(first->m_topLeft.m_x, logical.left - 100);
    EXPECT_DOUBLE_EQ(first->m_topLeft.m_y, logical.top + 1000);
    EXPECT_DOUBLE_EQ(first->m_bottomRight.m_x - first->m_topLeft.m_x, width);
    EXPECT_EQ(second->m_topLeft.m_x, secondCorner.m_x);
    EXPECT_TRUE(m_doc->IsModified());

    // The place it asks for is its first object's rectangle in the view, in client pixels.
    RECT asked{0, 0, 0, 0};
    item->OnGetItemPosition(asked);
    RECT r;
    first->GetLogicalRect(m_view.get(), r);
    const RECT expected = m_view->LogicalToDeviceRect(r);
    EXPECT_EQ(asked.left, expected.left);
    EXPECT_EQ(asked.bottom, expected.bottom);
    EXPECT_LT(asked.top, asked.bottom);

    // Its user interface going leaves it active in place; a picture asks to stay shown.
    item->m_itemState = COleClientItem::activeUIState;
    item->OnDeactivateUI(FALSE);
    EXPECT_EQ(item->GetItemState(), COleClientItem::activeState);

    // A press closes it: its objects' recovery files are written.
    m_app->m_leftButtonDown = 1;
    EXPECT_TRUE(m_view->CloseInPlaceItem());
    EXPECT_EQ(item->GetItemState(), COleClientItem::loadedState);
    EXPECT_EQ(m_app->m_leftButtonDown, 0);
    EXPECT_FALSE(m_view->CloseInPlaceItem());
}

TEST_F(DrawingPicture, TheObjectCursorFollowsTheHandlesOfTheOneSelectedObject)
{
    CZelkOleObj* obj = AddPicture(*m_doc, BmpBytes(96, 96, 0x00FF00), 0, 100);
    ASSERT_NE(obj, nullptr);
    m_view->m_oleSelection = {obj};
    struct Case {
        int handle;
        LPCTSTR cursor;
    } cases[] = {{1, IDC_SIZENWSE}, {2, IDC_SIZENS}, {3, IDC_SIZENESW}, {4, IDC_SIZEWE}, {0, IDC_ARROW}};
    for (const Case& c : cases) {
        POINT at = obj->GetHandle(c.handle == 0 ? 1 : c.handle, m_view.get());
        if (c.handle == 0)
            at.x += 60;   // inside the object, on no handle
        m_view->SetObjectCursor(at);
        EXPECT_EQ(GetCursor(), AfxGetStandardCursor(c.cursor)) << c.handle;
    }
    // While a resize runs, a point on no handle keeps the handle's cursor.
    m_view->SetObjectCursor(obj->GetHandle(5, m_view.get()));
    m_view->m_oleDragMode = 2;
    m_view->SetObjectCursor(POINT{5000, -5000});
    EXPECT_EQ(GetCursor(), AfxGetStandardCursor(IDC_SIZENWSE));
    m_view->m_oleDragMode = 0;
    m_view->m_oleSelection.clear();
}

using ObjectCommands = ViewCommandFixture;

TEST_F(ObjectCommands, CopyIsOfferedAlwaysPasteWhenTheClipboardHoldsSomething)
{
    auto enabled = [&](UINT id) { return Update(id).m_enabled; };
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(enabled(ID_EDIT_COPY), 1);
    EXPECT_EQ(enabled(ID_EDIT_CUT), 0);
    EXPECT_EQ(enabled(ID_EDIT_PASTE), 0);
    EXPECT_EQ(enabled(32881), 0);
    const std::string bmp = BmpBytes(4, 4, 0x808080);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    ASSERT_TRUE(SetClipboardImage(reinterpret_cast<const BYTE*>(bmp.data()), bmp.size()));
    CloseClipboard();
    EXPECT_EQ(enabled(ID_EDIT_PASTE), 1);
    EXPECT_EQ(enabled(32881), 0);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 2);
    std::memcpy(GlobalLock(block), "A", 2);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    EXPECT_EQ(enabled(ID_EDIT_PASTE), 1);
    EXPECT_EQ(enabled(32881), 1);
    // Each command is the view's.
    int info = 0;
    for (UINT id : {ID_OLE_INSERT_NEW, 32768u, 32769u, ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, 32881u})
        EXPECT_TRUE(m_view->OnCmdMsg(id, CN_COMMAND, nullptr, &info)) << id;
}

TEST_F(DrawingPicture, AnObjectReadFromAFileJoinsItsStagedItemOnce)
{
    auto* item = new CZelkCntrItem(m_doc.get());
    m_doc->m_oleItems2.push_back(item);
    struct Case {
        std::int32_t index;
        int joined;
    } cases[] = {{0, 1}, {1, 0}, {-1, 0}};
    for (const Case& c : cases) {
        CZelkOleObj obj;
        obj.m_pDocument = m_doc.get();
        obj.m_itemIndex = c.index;
        obj.AttachToStagedItem();
        obj.AttachToStagedItem();
        obj.AttachToItem();
        EXPECT_EQ(item->m_placedObjects.GetSize(), c.joined) << c.index;
        item->m_placedObjects.RemoveAll();
    }
}

TEST_F(DrawingPicture, ASelectedObjectShowsItsHandlesInTheActiveView)
{
    CZelkOleObj* obj = AddPicture(*m_doc, BmpBytes(96, 96, 0x00FF00), 0, 900);
    ASSERT_NE(obj, nullptr);
    auto handles = [&] {
        CRecordingDC dc;
        m_view->OnPrepareDC(&dc);
        m_view->DrawPlacedObjects(&dc, RECT{0, 0, 1200, -600});
        return dc.CallsNamed({"PatBlt"}).size();
    };
    m_view->m_active = 1;
    EXPECT_EQ(handles(), 0u);
    m_view->SelectOleObject(obj, TRUE);
    EXPECT_TRUE(m_view->IsSelected(obj));
    EXPECT_EQ(handles(), 8u);
    // Listed twice, one deselection takes one out.
    m_view->m_oleSelection.push_back(obj);
    m_view->DeselectOleObject(obj);
    EXPECT_EQ(m_view->m_oleSelection.size(), 1u);
    m_view->SelectOleObject(obj, FALSE);
    EXPECT_FALSE(m_view->IsSelected(obj));
    EXPECT_EQ(handles(), 0u);
    m_view->m_active = 0;
}

TEST_F(DrawingPicture, TheLogicalRectangleTakesTheAreasEdgeOnlyPastItsFarCorner)
{
    // World (0, 0) at logical (100, -1000).
    struct Case {
        double x1, y1, x2, y2;
        RECT rect;
        int flag;
    } cases[] = {
        {0, 900, 50, 850, RECT{100, -100, 150, -150}, 0},
        {-50000, 900, 50, 850, RECT{-49900, -100, 150, -150}, 0},
        {0, 900, 40000, 850, RECT{100, -100, 32000, -32000}, 1},
        {0, 900, 50, -40000, RECT{100, -100, 32000, -32000}, 1},
    };
    for (const Case& c : cases) {
        CZelkOleObj obj;
        obj.m_topLeft = W(c.x1, c.y1);
        obj.m_bottomRight = W(c.x2, c.y2);
        RECT r;
        EXPECT_EQ(obj.GetLogicalRect(m_view.get(), r), c.flag) << c.x1 << " " << c.x2;
        EXPECT_EQ(r.left, c.rect.left) << c.x1;
        EXPECT_EQ(r.top, c.rect.top) << c.x1;
        EXPECT_EQ(r.right, c.rect.right) << c.x2;
        EXPECT_EQ(r.bottom, c.rect.bottom) << c.y2;
    }
}

// Corners far beyond the integer range keep their side: an object far to the right never meets
// the client area, one spanning the whole plane always does.
TEST_F(DrawingPicture, FarAwayCornersKeepTheirSideOfTheView)
{
    const RECT client{0, 0, 2000, -1000};
    struct Case {
        double x1, y1, x2, y2;
        bool meets;
    } cases[] = {
        {1e12, 900, 1e12 + 50, 850, false},
        {1e300, 900, 1e300, 850, false},
        {0, -1e300, 50, -1e300, false},
        {-1e300, 1e300, 1e300, -1e300, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x1);
        CZelkOleObj obj;
        obj.m_topLeft = W(c.x1, c.y1);
        obj.m_bottomRight = W(c.x2, c.y2);
        EXPECT_EQ(obj.Intersects(m_view.get(), client), c.meets ? 1 : 0);
        RECT r;
        obj.GetLogicalRect(m_view.get(), r);
        if (c.x1 > 0) {
            EXPECT_GT(r.left, 32000);
        }
        if (c.y1 < 0) {
            EXPECT_LT(r.top, -32000);
        }
        EXPECT_EQ(obj.GetViewRect(m_view.get(), r), 1);
    }
}

TEST_F(DrawingPicture, APointMeetsAnObjectFromItsLeftAndLowerEdgesOn)
{
    // Logical (100, -100) to (150, -150); the one-unit square at a point meets it as rectangles
    // of whole units meet.
    CZelkOleObj* obj = new CZelkOleObj;
    obj->m_topLeft = W(0, 900);
    obj->m_bottomRight = W(50, 850);
    m_doc->AddObject(obj);
    struct Case {
        POINT at;
        bool hit;
    } cases[] = {{{125, -125}, true}, {{100, -125}, true}, {{149, -125}, true}, {{150, -125}, false},
                 {{99, -125}, false}, {{125, -150}, true}, {{125, -101}, true}, {{125, -100}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(m_doc->FindObjectAt(m_view.get(), c.at) == obj, c.hit) << c.at.x << " " << c.at.y;
}
