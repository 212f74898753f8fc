// Placed pictures in a view: handles, resizing and moving, the tracker, the archive form, copies,
// drawing, the clipboard text and the paste of a picture.
#include "ViewTestSupport.h"

#include "app/ZelkCntrItem.h"
#include "commands/annotate/GroupProcessor.h"
#include "elements/Text.h"
#include "document/UndoHistory.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/gdi/ImageDC.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/UiServices.h"
#include "tests/support/PictureBytes.h"
#include "view/ZelkOleObj.h"

#include <cstring>

namespace {

class PlacedObjects : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        DefaultScriptedUiServices() = CScriptedUiServices();
        // World (0, 0) at logical (100, -1000); a client area twice as wide as high.
        m_view->m_origin = W(-100, 1000);
        m_view->m_zoom = 1.0;
        m_view->m_clientRectLogical = RECT{0, 0, 2000, -1000};
    }
    // A placed object of the drawing from world (x1, y1) to (x2, y2).
    CZelkOleObj* Place(double x1, double y1, double x2, double y2)
    {
        auto* obj = new CZelkOleObj;
        obj->m_topLeft = W(x1, y1);
        obj->m_bottomRight = W(x2, y2);
        m_doc->AddObject(obj);
        return obj;
    }
};

}  // namespace

TEST_F(PlacedObjects, CornerHandlesKeepTheRatioAndFollowOnlyX)
{
    // 100 wide and 200 high: a corner dragged 100 units in x changes the height by 200,
    // wherever the pointer is in y; an edge handle moves its side only.
    struct Case {
        int handle;
        int dx;           // pointer's x from the handle's
        double height;    // world height afterwards
        double width;
    } cases[] = {{5, 100, 400, 200}, {3, 100, 400, 200}, {5, -50, 100, 50},
                 {1, -100, 400, 200}, {7, -100, 400, 200}, {4, 100, 200, 200}, {8, 50, 200, 50}};
    for (const Case& c : cases) {
        for (int y : {-5000, -900, 0}) {
            CZelkOleObj* obj = Place(0, 200, 100, 0);
            obj->m_aspect = (obj->m_topLeft.m_y - obj->m_bottomRight.m_y) /
                            (obj->m_topLeft.m_x - obj->m_bottomRight.m_x);
            const POINT h = obj->GetHandle(c.handle, m_view.get());
            obj->MoveHandleTo(c.handle, POINT{h.x + c.dx, y}, m_view.get());
            EXPECT_DOUBLE_EQ(obj->m_topLeft.m_y - obj->m_bottomRight.m_y, c.height) << c.handle << " " << y;
            EXPECT_DOUBLE_EQ(obj->m_bottomRight.m_x - obj->m_topLeft.m_x, c.width) << c.handle << " " << y;
        }
    }
    // An object of no width has no ratio: its corner moves the x side only.
    CZelkOleObj* thin = Place(0, 200, 0, 0);
    thin->m_aspect = (thin->m_topLeft.m_y - thin->m_bottomRight.m_y) / 0.0;
    const POINT h = thin->GetHandle(5, m_view.get());
    thin->MoveHandleTo(5, POINT{h.x + 30, -9000}, m_view.get());
    EXPECT_DOUBLE_EQ(thin->m_bottomRight.m_x - thin->m_topLeft.m_x, 30);
    EXPECT_DOUBLE_EQ(thin->m_topLeft.m_y - thin->m_bottomRight.m_y, 200);
}

TEST_F(PlacedObjects, AHandleSquareHoldsItsLeftAndTopEdgesOnly)
{
    CZelkOleObj* obj = Place(0, 500, 500, 0);
    for (int n = 1; n <= 8; ++n) {
        const RECT r = obj->GetHandleRect(m_view.get(), n);
        ASSERT_LT(r.left, r.right);
        ASSERT_GT(r.top, r.bottom);
        EXPECT_EQ(obj->HitTest(POINT{r.left, r.top}, m_view.get(), TRUE), n);
        EXPECT_EQ(obj->HitTest(POINT{r.right - 1, r.bottom + 1}, m_view.get(), TRUE), n);
        EXPECT_EQ(obj->HitTest(POINT{r.right, r.top}, m_view.get(), TRUE), 0) << n;
        EXPECT_EQ(obj->HitTest(POINT{r.left, r.bottom}, m_view.get(), TRUE), 0) << n;
    }
}

TEST_F(PlacedObjects, MovingOntoItsOwnRectangleLeavesTheDrawingUnmodified)
{
    CZelkOleObj* obj = Place(10, 300, 110, 100);
    RECT r;
    ASSERT_EQ(obj->GetViewRect(m_view.get(), r), 0);
    m_doc->SetModifiedFlag(FALSE);
    obj->MoveTo(r, m_view.get());
    obj->CZelkObj::MoveTo(r, m_view.get());
    obj->MoveTo(r, nullptr);
    EXPECT_FALSE(m_doc->IsModified());
    r.left += 40; r.right += 40; r.top -= 20; r.bottom -= 20;
    obj->MoveTo(r, m_view.get());
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_DOUBLE_EQ(obj->m_topLeft.m_x, 50);
    EXPECT_DOUBLE_EQ(obj->m_topLeft.m_y, 280);
    EXPECT_DOUBLE_EQ(obj->m_bottomRight.m_y, 80);
    // An object partly outside the drawing area does not move.
    CZelkOleObj* off = Place(-500, 300, 10, 100);
    ASSERT_EQ(off->GetViewRect(m_view.get(), r), 1);
    r.left += 40; r.right += 40;
    off->MoveTo(r, m_view.get());
    EXPECT_DOUBLE_EQ(off->m_topLeft.m_x, -500);
}

TEST_F(PlacedObjects, TheTrackerDrawnTwiceRestoresTheImage)
{
    CZelkOleObj* obj = Place(100, 600, 400, 300);
    CImageDC dc(500, 500);
    m_view->OnPrepareDC(&dc);
    RECT all{0, 0, 2000, -2000};
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    auto inverted = [&] {
        int n = 0;
        for (int k = 1; k <= 8; ++k) {
            const POINT p = obj->GetHandle(k, m_view.get());
            for (int dx = -12; dx <= 12; ++dx)
                for (int dy = -12; dy <= 12; ++dy)
                    n += dc.GetPixel(p.x + dx, p.y + dy) != RGB(255, 255, 255);
        }
        return n;
    };
    obj->DrawTracker(m_view.get(), &dc);
    EXPECT_GT(inverted(), 8 * 20);
    obj->DrawTracker(m_view.get(), &dc);
    EXPECT_EQ(inverted(), 0);
    // Handles outside the client area are left alone.
    CRecordingDC rec;
    m_view->m_clientRectLogical = RECT{0, 0, 300, -2000};
    obj->DrawTracker(m_view.get(), &rec);
    EXPECT_EQ(rec.CallsNamed({"PatBlt"}).size(), 3u);
}

TEST_F(PlacedObjects, TheArchiveFormFollowsTheDataVersion)
{
    CZelkOleObj obj;
    obj.m_topLeft = W(1.5, 2.5);
    obj.m_bottomRight = W(3.5, -4.5);
    obj.m_layer = 3;
    obj.m_group = 7;
    obj.m_state = 9;
    obj.m_extent = SIZE{120, 80};
    obj.m_itemIndex = 4;
    auto store = [&](CObject& o) {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        o.Serialize(ar);
        ar.Close();
        std::string bytes(file.GetLength(), '\0');
        file.SeekToBegin();
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return bytes;
    };
    CZelkObj plain;
    plain.m_topLeft = obj.m_topLeft;
    plain.m_bottomRight = obj.m_bottomRight;
    const std::string plainBytes = store(plain);
    ASSERT_EQ(plainBytes.size(), 37u);
    const std::string bytes = store(obj);
    ASSERT_EQ(bytes.size(), 49u);
    // Layer, group, the two corners, the state; then the extent and the item index.
    EXPECT_EQ(bytes.substr(4, 32), plainBytes.substr(4, 32));
    EXPECT_EQ(bytes[36], 9);
    // Data of "00.00B" have no state byte: the extent starts one byte earlier.
    struct Case {
        const char* version;
        std::string data;
        int state;
        int cx;
    } cases[] = {{"01.00", bytes, 9, 120}, {"00.00B", bytes.substr(0, 36) + bytes.substr(37), 1, 120}};
    for (const Case& c : cases) {
        m_doc->m_dataVersion = c.version;
        CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(c.data.data())), static_cast<UINT>(c.data.size()));
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = m_doc.get();
        CZelkOleObj back;
        back.Serialize(ar);
        EXPECT_EQ(back.m_state, c.state) << c.version;
        EXPECT_EQ(back.m_extent.cx, c.cx) << c.version;
        EXPECT_EQ(back.m_itemIndex, 4) << c.version;
        EXPECT_EQ(back.m_layer, 3) << c.version;
        EXPECT_EQ(back.m_savedLayer, 3) << c.version;
        EXPECT_EQ(back.m_savedGroup, 7) << c.version;
        EXPECT_EQ(back.m_pDocument, m_doc.get()) << c.version;
    }
}

TEST_F(PlacedObjects, ClonesWithTheNewLayerConditionMakeALayerEach)
{
    CZelkOleObj* obj = AddPicture(*m_doc, BmpBytes(4, 2, 0x102030), 0, 100);
    ASSERT_NE(obj, nullptr);
    m_app->m_appElem.m_layerCondition = 2;
    const int layers = m_doc->m_layers.GetSize();
    const int steps = m_doc->m_undoHistory->GetStepCount();
    CZelkOleObj* first = obj->Clone(m_doc.get());
    CZelkOleObj* second = obj->Clone(m_doc.get());
    EXPECT_EQ(m_doc->m_layers.GetSize(), layers + 2);
    EXPECT_EQ(first->m_layer, layers);
    EXPECT_EQ(second->m_layer, layers + 1);
    EXPECT_EQ(m_doc->m_writeLayer, layers + 1);
    EXPECT_EQ(m_doc->m_undoHistory->GetStepCount(), steps + 2);
    // Half the object's size away, showing the same item.
    const double w = obj->m_bottomRight.m_x - obj->m_topLeft.m_x;
    const double h = obj->m_bottomRight.m_y - obj->m_topLeft.m_y;
    EXPECT_DOUBLE_EQ(first->m_topLeft.m_x, obj->m_topLeft.m_x + w / 2);
    EXPECT_DOUBLE_EQ(first->m_bottomRight.m_y, obj->m_bottomRight.m_y + h / 2);
    EXPECT_EQ(first->GetItem(), obj->GetItem());
    EXPECT_EQ(obj->GetItem()->m_placedObjects.GetSize(), 3);
}

TEST_F(PlacedObjects, APictureDrawsScaledIntoItsRectangleInsideItsFrame)
{
    CZelkOleObj* obj = AddPicture(*m_doc, BmpBytes(4, 2, 0xFF0000), 0, 100);
    ASSERT_NE(obj, nullptr);
    CImageDC dc(800, 800);
    m_view->OnPrepareDC(&dc);
    RECT all{0, 0, 3000, -3000};
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    RECT r;
    ASSERT_EQ(obj->GetViewRect(m_view.get(), r), 0);
    obj->Draw(m_view.get(), &dc, all);
    EXPECT_EQ(dc.GetPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2), RGB(255, 0, 0));
    CRecordingDC rec;
    obj->Draw(m_view.get(), &rec, all);
    ASSERT_EQ(rec.CallsNamed({"DrawImage"}).size(), 1u);
    // Clipped at the drawing area's edge: the frame only.
    obj->m_topLeft.m_x = -200;
    rec.Clear();
    obj->Draw(m_view.get(), &rec, all);
    EXPECT_TRUE(rec.CallsNamed({"DrawImage"}).empty());
    EXPECT_FALSE(rec.DrawingCalls().empty());
    // An index that names no item draws nothing.
    obj->m_itemIndex = 5;
    rec.Clear();
    obj->Draw(m_view.get(), &rec, all);
    EXPECT_TRUE(rec.DrawingCalls().empty());
}

TEST_F(PlacedObjects, ClipboardTextEndsLinesAtEveryLineEnd)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {std::string("A\r\nB\0", 5), {"A", "B"}},
        {"A\r\nB", {"A", "B"}},
        {"A\nB", {"A", "B"}},
        {"A\rB\r\n", {"A", "B"}},
        {std::string("A\r\r\nB\0C", 7), {"A", "", "B"}},
        {std::string("\0AB", 3), {}},
        {"\r\n\r\n", {"", ""}},
        {"", {}},
    };
    for (const Case& c : cases) {
        CStringArray lines;
        CZelkView::SplitClipboardText(reinterpret_cast<const BYTE*>(c.text.data()), c.text.size(), lines);
        std::vector<std::string> got;
        for (int i = 0; i < lines.GetSize(); ++i)
            got.push_back(lines[i].Std());
        EXPECT_EQ(got, c.lines) << c.text;
    }
}

TEST_F(PlacedObjects, APastedPictureTakesAFifthOfTheViewAsOneUndoStep)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::string bmp = BmpBytes(300, 100, 0x00FF00);
    ASSERT_TRUE(SetClipboardImage(reinterpret_cast<const BYTE*>(bmp.data()), bmp.size()));
    CloseClipboard();
    const int steps = m_doc->m_undoHistory->GetStepCount();
    ASSERT_TRUE(m_view->PasteFromClipboard());
    ASSERT_EQ(m_doc->m_objects.size(), 1u);
    ASSERT_EQ(m_doc->m_oleItems.size(), 1u);
    auto* obj = static_cast<CZelkOleObj*>(m_doc->m_objects[0]);
    EXPECT_EQ(obj->GetItem(), m_doc->m_oleItems[0]);
    EXPECT_NEAR(obj->m_bottomRight.m_x - obj->m_topLeft.m_x, 2000.0 / 5, 1e-9);
    // The height follows the extent's ratio, whose sides are rounded to hundredths of a mm.
    EXPECT_NEAR(obj->m_topLeft.m_y - obj->m_bottomRight.m_y, 2000.0 / 5 / 3, 0.05);
    EXPECT_EQ(m_doc->m_undoHistory->GetStepCount(), steps + 1);
    EXPECT_TRUE(m_doc->IsModified());

    // Copy: one selected object goes under "Zelk Client" beside its picture; two are refused.
    m_view->m_oleSelection = {obj};
    m_view->OnEditCopy();
    EXPECT_TRUE(IsClipboardFormatAvailable(g_zelkClientFormat));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    // Two are refused and the clipboard keeps what it held.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    m_view->m_oleSelection = {obj, obj};
    m_view->OnEditCopy();
    EXPECT_EQ(m_view->m_messageText, "選択したOLEデータが複数なのでコピーは中止しました");
    EXPECT_FALSE(IsClipboardFormatAvailable(g_zelkClientFormat));
    m_view->m_oleSelection.clear();
}

TEST_F(PlacedObjects, PressDragAndReleaseMoveOrCopyThePickedObject)
{
    CZelkOleObj* obj = AddPicture(*m_doc, BmpBytes(40, 20, 0x123456), 100, 300);
    ASSERT_NE(obj, nullptr);
    const CPointD topLeft = obj->m_topLeft;
    // Only a picked object is pressed.
    const POINT inside{250, -720};
    EXPECT_FALSE(m_view->PressOnObject(inside, FALSE));
    obj->m_stateBits |= 0x02;
    ASSERT_TRUE(m_view->PressOnObject(inside, FALSE));
    EXPECT_EQ(m_view->m_oleDragMode, 1);
    ASSERT_EQ(m_view->m_oleSelection.size(), 1u);

    // Released 30 units right and 10 down of the press: one transform step that Undo reverts.
    m_app->m_leftPressPoint = W(150, 280);
    const int steps = m_doc->m_undoHistory->GetStepCount();
    m_view->EndObjectMove(0, W(180, 270));
    EXPECT_DOUBLE_EQ(obj->m_topLeft.m_x, topLeft.m_x + 30);
    EXPECT_DOUBLE_EQ(obj->m_topLeft.m_y, topLeft.m_y - 10);
    ASSERT_EQ(m_doc->m_undoHistory->GetStepCount(), steps + 1);
    EXPECT_EQ(m_doc->m_undoHistory->m_steps.back()->m_kind, 4);
    m_doc->m_undoHistory->Undo();
    EXPECT_DOUBLE_EQ(obj->m_topLeft.m_x, topLeft.m_x);
    EXPECT_DOUBLE_EQ(obj->m_topLeft.m_y, topLeft.m_y);

    // With Ctrl a copy half its size away is added instead; the object stays.
    m_view->EndObjectMove(MK_CONTROL, W(500, 0));
    EXPECT_DOUBLE_EQ(obj->m_topLeft.m_x, topLeft.m_x);
    ASSERT_EQ(m_doc->m_objects.size(), 2u);
    auto* copy = static_cast<CZelkOleObj*>(m_doc->m_objects[1]);
    EXPECT_DOUBLE_EQ(copy->m_topLeft.m_x, topLeft.m_x + (obj->m_bottomRight.m_x - obj->m_topLeft.m_x) / 2);

    // A Shift-press takes it out of the selection and still arms the move.
    m_view->m_oleDragMode = 0;
    obj->m_stateBits |= 0x02;
    ASSERT_TRUE(m_view->PressOnObject(POINT{205, -710}, TRUE));
    EXPECT_TRUE(m_view->m_oleSelection.empty());
    EXPECT_EQ(m_view->m_oleDragMode, 1);
}

TEST_F(PlacedObjects, InsertingAFileMakesAPictureOrNothing)
{
    const CString picture = ProgramFolder() + "picture.bmp";
    const CString text = ProgramFolder() + "notes.txt";
    {
        CFile out(picture, CFile::modeCreate | CFile::modeWrite);
        const std::string bmp = BmpBytes(96, 48, 0x0000FF);
        out.Write(bmp.data(), static_cast<UINT>(bmp.size()));
        CFile notes(text, CFile::modeCreate | CFile::modeWrite);
        notes.Write("not a picture", 13);
    }
    DefaultScriptedUiServices().QueueFiles({text});
    m_view->OnInsertObject();
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
    EXPECT_EQ(DefaultScriptedServices().m_messages[0].text,
              "ｵﾌﾞｼﾞｪｸﾄの作成に失敗しました。ｼｽﾃﾑ ﾚｼﾞｽﾄﾘにｵﾌﾞｼﾞｪｸﾄが登録されているか確認してください。");
    EXPECT_TRUE(m_doc->m_objects.empty());
    EXPECT_TRUE(m_doc->m_oleItems.empty());

    // 96 × 48 pixels at 96 dots per inch: an extent of 2540 by 1270, a tenth of it in the drawing.
    DefaultScriptedUiServices().QueueFiles({picture});
    m_view->OnInsertObject();
    ASSERT_EQ(m_doc->m_objects.size(), 1u);
    ASSERT_EQ(m_doc->m_oleItems.size(), 1u);
    auto* obj = static_cast<CZelkOleObj*>(m_doc->m_objects[0]);
    EXPECT_EQ(obj->GetItem(), m_doc->m_oleItems[0]);
    EXPECT_NEAR(obj->m_bottomRight.m_x - obj->m_topLeft.m_x, 254.0, 1e-9);
    EXPECT_NEAR(obj->m_topLeft.m_y - obj->m_bottomRight.m_y, 127.0, 1e-9);
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(PlacedObjects, APictureIsPrintedOnlyWhenItMeetsThePage)
{
    CZelkOleObj* obj = AddPicture(*m_doc, BmpBytes(4, 2, 0x00FF00), 0, 100);
    ASSERT_NE(obj, nullptr);
    const CPointD origin = W(-100, 1000);
    const RECT page{0, 0, 3000, -3000};
    struct Case {
        double xOffset;
        int flag;
        size_t images;
    } cases[] = {{0, 0, 1}, {-5000, -1, 0}, {5000, -1, 0}};
    for (const Case& c : cases) {
        RECT r;
        EXPECT_EQ(obj->GetPrintRect(origin, 1.0, page, c.xOffset, 0, 1.0, r), c.flag) << c.xOffset;
        CRecordingDC rec;
        EXPECT_EQ(obj->PrintItem(&rec, origin, 1.0, page, c.xOffset, 0, 1.0), c.images ? 1 : 0);
        EXPECT_EQ(rec.CallsNamed({"DrawImage"}).size(), c.images) << c.xOffset;
    }
}

// A page prints the pictures on shown layers that are no work layers; deleted ones stay off.
TEST_F(PlacedObjects, APagePrintsThePicturesItsLayersAllow)
{
    const std::int16_t work = m_doc->FindOrCreateLayer("work_print_a");
    const std::int16_t hidden = m_doc->FindOrCreateLayer("hidden");
    m_view->m_layerStates.SetSize(m_doc->m_layers.GetSize());
    m_view->m_layerStates[hidden] = 1;
    ASSERT_NE(AddPicture(*m_doc, BmpBytes(4, 2, 0x00FF00), 0, 100), nullptr);
    ASSERT_NE(AddPicture(*m_doc, BmpBytes(4, 2, 0x00FF00), 10, 100, work), nullptr);
    ASSERT_NE(AddPicture(*m_doc, BmpBytes(4, 2, 0x00FF00), 20, 100, hidden), nullptr);
    CZelkOleObj* deleted = AddPicture(*m_doc, BmpBytes(4, 2, 0x00FF00), 30, 100);
    ASSERT_NE(deleted, nullptr);
    deleted->m_state = 8;
    const RECT page{0, 0, 3000, -3000};
    struct Case {
        int showAll;
        int printed;
    } cases[] = {{0, 1}, {1, 2}};
    for (const Case& c : cases) {
        m_view->m_showAllLayers = c.showAll;
        CRecordingDC rec;
        EXPECT_EQ(m_view->PrintPlacedObjects(&rec, W(-100, 1000), 1.0, page, 0, 0, 1.0), c.printed) << c.showAll;
        EXPECT_EQ(rec.CallsNamed({"DrawImage"}).size(), static_cast<size_t>(c.printed)) << c.showAll;
    }
}

TEST_F(PlacedObjects, ClipboardTextIsPlacedThroughGroupProcessingUnlessAPictureCameWithIt)
{
    CGroupProcessor group;
    m_app->m_groupProcessor = &group;
    // The paste runs in the active view; texts are laid out only for an active drawing.
    m_app->m_activeView = m_view.get();
    auto putText = [](const std::string& text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, block);
    };
    putText("A\r\nB");
    CloseClipboard();
    ASSERT_TRUE(m_view->PasteFromClipboard());
    EXPECT_EQ(group.m_elemSet.texts.GetSize(), 2);
    EXPECT_EQ(group.modePattern, "MP");
    EXPECT_EQ(group.m_lastInputKind, 14);
    EXPECT_EQ(group.m_lastInputSubCode, 32);
    EXPECT_EQ(group.m_document, m_doc.get());
    EXPECT_TRUE(m_doc->m_objects.empty());

    // Text beside a picture: the paste makes a picture, the paste as text takes the text.
    putText("one line");
    const std::string bmp = BmpBytes(10, 10, 0x808080);
    ASSERT_TRUE(SetClipboardImage(reinterpret_cast<const BYTE*>(bmp.data()), bmp.size()));
    CloseClipboard();
    ASSERT_TRUE(m_view->PasteFromClipboard());
    EXPECT_EQ(m_doc->m_objects.size(), 1u);
    m_view->OnPasteAsText();
    ASSERT_EQ(group.m_elemSet.texts.GetSize(), 1);
    EXPECT_EQ(static_cast<CText*>(group.m_elemSet.texts[0])->m_text, "one line");
    m_app->m_groupProcessor = nullptr;
}

TEST_F(PlacedObjects, AResizeStartsOnlyOnAHandleOfTheOneSelectedObject)
{
    CZelkOleObj* obj = Place(0, 200, 100, 0);
    obj->m_stateBits |= 0x02;
    const POINT corner = obj->GetHandle(5, m_view.get());
    const POINT middle{corner.x - 50, corner.y + 100};
    // Nothing selected, or a point on no handle: no resize.
    EXPECT_FALSE(m_view->BeginObjectResize(corner));
    m_view->m_oleSelection = {obj};
    EXPECT_FALSE(m_view->BeginObjectResize(middle));
    ASSERT_TRUE(m_view->BeginObjectResize(corner));
    EXPECT_EQ(m_view->m_oleDragMode, 2);
    EXPECT_EQ(m_view->m_oleDragHandle, 5);
    EXPECT_DOUBLE_EQ(obj->m_aspect, -2.0);
    m_view->ResizeSelectedObjects(POINT{corner.x + 100, 12345});
    EXPECT_DOUBLE_EQ(obj->m_topLeft.m_y - obj->m_bottomRight.m_y, 400);
    m_view->m_oleSelection.clear();

    // A paste of an empty clipboard is told on the message line.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    m_view->OnEditPaste();
    EXPECT_EQ(m_view->m_messageText, "クリップボードのOLEオブジェクトの貼り付けができませんでした");
}
