// Placed pictures as a user handles them in the started program: the clipboard's picture pasted
// from the Edit menu, picked, dragged, copied with Ctrl and let go with Shift; pictures inserted
// from files; the copy button with several, one or no objects selected; the recovery side file
// of a pasted picture read back.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "app/ZelkCntrItem.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/PictureBytes.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kEditMenu = "編集(&E)";

// The picture of a PNG file: width and height from its header.
SIZE PngSize(const std::vector<BYTE>& png)
{
    if (png.size() < 24)
        return SIZE{0, 0};
    auto be32 = [&](size_t at) {
        return static_cast<LONG>((png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3]);
    };
    return SIZE{be32(16), be32(20)};
}

// A picture as PNG bytes: w × h pixels of one colour at 96 dots per inch.
std::vector<BYTE> Png(int w, int h, std::uint32_t rgb)
{
    COleClientItem item;
    const std::string bmp = BmpBytes(w, h, rgb);
    EXPECT_TRUE(item.CreateFromPicture(reinterpret_cast<const BYTE*>(bmp.data()), bmp.size()));
    return item.m_nativeData;
}

class PlacedObjectsWindow : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = StartShownApplication();
        ASSERT_NE(m_app, nullptr);
        m_frame = m_app->m_pMainFrame;
        m_view = m_app->m_activeView;
        m_doc = m_view->m_document;
        // A drawing window whose client area is twice as wide as high.
        CWnd* child = m_view->GetParentFrame();
        child->MoveWindow(0, 0, 800, 500);
        UiDriver::Pump();
        RECT c;
        m_view->GetClientRect(&c);
        child->MoveWindow(0, 0, 800 + 2 * (c.bottom - c.top) - (c.right - c.left), 500);
        UiDriver::Pump();
        m_view->SetFocus();
        UiDriver::Pump();
    }
    void TearDown() override
    {
        UiResetKeyState();
        StopApplication(m_app);
    }
    void PutPicture(const std::vector<BYTE>& png)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        ASSERT_TRUE(SetClipboardImage(png.data(), png.size()));
        CloseClipboard();
    }
    void Choose(const char* item)
    {
        ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kEditMenu));
        ASSERT_TRUE(UiDriver::ClickMenuItem(item)) << item;
        UiDriver::Pump();
    }
    // The client pixel at the middle of an object.
    POINT Middle(CZelkObj* obj)
    {
        RECT r;
        obj->GetViewRect(m_view, r);
        const RECT d = m_view->LogicalToDeviceRect(r);
        return POINT{(d.left + d.right) / 2, (d.top + d.bottom) / 2};
    }
    void Drag(POINT from, POINT to, UINT pressKeys, UINT releaseKeys)
    {
        UiDriver::MouseDown(m_view, from, UiDriver::Left, pressKeys);
        UiDriver::MouseMove(m_view, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
        UiDriver::MouseMove(m_view, to);
        UiDriver::MouseUp(m_view, to, UiDriver::Left, releaseKeys);
        UiDriver::Pump();
        UiResetKeyState();
    }
    int Steps() const { return m_doc->m_undoHistory->GetStepCount(); }
    CZelkOleObj* Object(size_t i) const { return dynamic_cast<CZelkOleObj*>(m_doc->m_objects.at(i)); }
    // The world width and height of the client area.
    double ViewWidth() const
    {
        return (m_view->m_clientRectLogical.right - m_view->m_clientRectLogical.left) / m_view->m_zoom;
    }
    double ViewHeight() const
    {
        return (m_view->m_clientRectLogical.top - m_view->m_clientRectLogical.bottom) / m_view->m_zoom;
    }

    CZelkApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

}  // namespace

TEST_F(PlacedObjectsWindow, APastedPictureIsPickedDraggedCopiedAndLetGo)
{
    PutPicture(Png(300, 100, 0x00FF00));
    const int steps = Steps();
    Choose("貼り付け");
    ASSERT_EQ(m_doc->m_objects.size(), 1u);
    ASSERT_EQ(m_doc->m_oleItems.size(), 1u);
    CZelkOleObj* obj = Object(0);
    ASSERT_NE(obj, nullptr);
    EXPECT_NEAR(ViewWidth() / ViewHeight(), 2.0, 0.01);
    EXPECT_NEAR(obj->m_bottomRight.m_x - obj->m_topLeft.m_x, ViewWidth() / 5, 1e-6);
    EXPECT_NEAR((obj->m_topLeft.m_y - obj->m_bottomRight.m_y) * 3, ViewWidth() / 5, 0.1);
    EXPECT_EQ(Steps(), steps + 1);

    // A click picks it; a press on it and a drag move it by the pointer's offset as one
    // transform step, which Undo reverts.
    UiDriver::Click(m_view, Middle(obj));
    UiDriver::Pump();
    ASSERT_NE(obj->m_stateBits & 0x02, 0) << "not picked";
    const CPointD corner = obj->m_topLeft;
    const POINT from = Middle(obj);
    const POINT to{from.x + 40, from.y + 25};
    const int before = Steps();
    Drag(from, to, UiDriver::NoModifier, UiDriver::NoModifier);
    const RECT shift = m_view->DeviceToLogicalRect(RECT{from.x, from.y, to.x, to.y});
    EXPECT_NEAR(obj->m_topLeft.m_x - corner.m_x, (shift.right - shift.left) / m_view->m_zoom, 1.0 / m_view->m_zoom);
    EXPECT_NEAR(obj->m_topLeft.m_y - corner.m_y, (shift.bottom - shift.top) / m_view->m_zoom, 1.0 / m_view->m_zoom);
    ASSERT_EQ(Steps(), before + 1);
    EXPECT_EQ(m_doc->m_undoHistory->m_steps.back()->m_kind, 4);
    // Back within the rounding of the move to whole logical units, whatever the zoom.
    ASSERT_NE(m_view->m_zoom, 1.0);
    UiDriver::Key('U');
    UiDriver::Pump();
    EXPECT_NEAR(obj->m_topLeft.m_x, corner.m_x, 1.0 / m_view->m_zoom);
    EXPECT_NEAR(obj->m_topLeft.m_y, corner.m_y, 1.0 / m_view->m_zoom);

    // Released with Ctrl: a copy half its size away, the picture stays.
    if (!(obj->m_stateBits & 0x02))
        UiDriver::Click(m_view, Middle(obj));
    ASSERT_NE(obj->m_stateBits & 0x02, 0);
    const CPointD kept = obj->m_topLeft;
    Drag(Middle(obj), POINT{Middle(obj).x + 90, Middle(obj).y + 60}, UiDriver::NoModifier, UiDriver::Control);
    EXPECT_EQ(obj->m_topLeft.m_x, kept.m_x);
    EXPECT_EQ(obj->m_topLeft.m_y, kept.m_y);
    ASSERT_EQ(m_doc->m_objects.size(), 2u);
    CZelkOleObj* copy = Object(1);
    EXPECT_DOUBLE_EQ(copy->m_topLeft.m_x, kept.m_x + (obj->m_bottomRight.m_x - obj->m_topLeft.m_x) / 2);
    EXPECT_EQ(copy->GetItem(), obj->GetItem());

    // A Shift-press takes it out of the view's selection and still arms the move.
    if (!(obj->m_stateBits & 0x02))
        UiDriver::Click(m_view, Middle(obj));
    ASSERT_NE(obj->m_stateBits & 0x02, 0);
    ASSERT_EQ(m_view->m_oleSelection, std::vector<CZelkObj*>{obj});
    UiDriver::MouseDown(m_view, Middle(obj), UiDriver::Left, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_TRUE(m_view->m_oleSelection.empty());
    EXPECT_EQ(m_view->m_oleDragMode, 1);
    UiDriver::MouseUp(m_view, Middle(obj), UiDriver::Left, UiDriver::Shift);
    UiDriver::Pump();
    UiResetKeyState();

    // A double-click on the picture, which its first click picks, opens it: a picture has no
    // program here.
    if (obj->m_stateBits & 0x02)
        UiDriver::Click(m_view, Middle(obj));
    UiDriver::Pump();
    ASSERT_EQ(obj->m_stateBits & 0x02, 0);
    const size_t messages = DefaultScriptedServices().m_messages.size();
    UiDriver::DoubleClick(m_view, Middle(obj));
    UiDriver::Pump();
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), messages + 1);
    EXPECT_EQ(DefaultScriptedServices().m_messages.back().text,
              "このオブジェクトを作成したアプリケーションはこのシステムでは利用できません (Picture)");
}

TEST_F(PlacedObjectsWindow, ThePastedPictureComesBackFromItsRecoverySideFile)
{
    const std::int16_t layer = m_doc->FindOrCreateLayer("写真");
    m_doc->m_writeLayer = layer;
    PutPicture(Png(30, 20, 0x3366CC));
    Choose("貼り付け");
    ASSERT_EQ(m_doc->m_objects.size(), 1u);
    CString side;
    side.Format("%sRecov%d.001", ProgramFolder().GetString(), static_cast<int>(m_doc->m_docNumber));
    ASSERT_EQ(_access(side, 0), 0) << side.GetString();
    CZelkDoc restored;
    restored.m_bAutoDelete = FALSE;
    restored.ReadObjectRecoveryFile(side, 1);
    ASSERT_EQ(restored.m_objects.size(), 1u);
    auto* back = dynamic_cast<CZelkOleObj*>(restored.m_objects[0]);
    ASSERT_NE(back, nullptr);
    CZelkOleObj* obj = Object(0);
    EXPECT_EQ(back->m_topLeft.m_x, obj->m_topLeft.m_x);
    EXPECT_EQ(back->m_topLeft.m_y, obj->m_topLeft.m_y);
    EXPECT_EQ(back->m_bottomRight.m_x, obj->m_bottomRight.m_x);
    EXPECT_EQ(back->m_bottomRight.m_y, obj->m_bottomRight.m_y);
    EXPECT_EQ(back->m_layer, layer);
    ASSERT_NE(back->GetItem(), nullptr);
    EXPECT_TRUE(back->GetItem()->m_nativeData == obj->GetItem()->m_nativeData);
}

TEST_F(PlacedObjectsWindow, InsertingAPictureFileOrAnythingElse)
{
    const CString picture = ProgramFolder() + "wide.png";
    const CString text = ProgramFolder() + "notes.txt";
    {
        const std::vector<BYTE> png = Png(300, 100, 0xFF0000);
        CFile out(picture, CFile::modeCreate | CFile::modeWrite);
        out.Write(png.data(), static_cast<UINT>(png.size()));
        CFile notes(text, CFile::modeCreate | CFile::modeWrite);
        notes.Write("not a picture", 13);
    }
    const size_t messages = DefaultScriptedServices().m_messages.size();
    DefaultScriptedUiServices().QueueFiles({text});
    Choose("オブジェクトの挿入");
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), messages + 1);
    EXPECT_EQ(DefaultScriptedServices().m_messages.back().text,
              "ｵﾌﾞｼﾞｪｸﾄの作成に失敗しました。ｼｽﾃﾑ ﾚｼﾞｽﾄﾘにｵﾌﾞｼﾞｪｸﾄが登録されているか確認してください。");
    EXPECT_TRUE(m_doc->m_objects.empty());
    EXPECT_TRUE(m_doc->m_oleItems.empty());

    // 300 × 100 pixels at 96 dots per inch: 79.37 by 26.46 mm, ten times that in the drawing.
    DefaultScriptedUiServices().QueueFiles({picture});
    Choose("オブジェクトの挿入");
    ASSERT_EQ(m_doc->m_objects.size(), 1u);
    CZelkOleObj* obj = Object(0);
    EXPECT_NEAR(obj->m_bottomRight.m_x - obj->m_topLeft.m_x, 793.7, 1e-9);
    EXPECT_NEAR(obj->m_topLeft.m_y - obj->m_bottomRight.m_y, 264.6, 1e-9);
    EXPECT_EQ(obj->GetItem(), m_doc->m_oleItems[0]);
}

TEST_F(PlacedObjectsWindow, TheCopyButtonCopiesOneObjectOrTheDrawingAndRefusesSeveral)
{
    PutPicture(Png(40, 20, 0x00FF00));
    Choose("貼り付け");
    ASSERT_EQ(m_doc->m_objects.size(), 1u);
    CZelkOleObj* obj = Object(0);
    CZelkOleObj* copy = obj->Clone(m_doc);
    auto clear = [] {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
    };
    auto pressCopy = [&] {
        UiDriver::Pump();
        ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, ID_EDIT_COPY));
        UiDriver::Pump();
    };

    // Two selected: refused, nothing copied.
    clear();
    m_view->m_oleSelection = {obj, copy};
    pressCopy();
    EXPECT_EQ(m_view->m_messageText, CString("選択したOLEデータが複数なのでコピーは中止しました"));
    EXPECT_FALSE(IsClipboardFormatAvailable(g_zelkClientFormat));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));

    // One: its archive beside its picture.
    m_view->m_oleSelection = {obj};
    pressCopy();
    EXPECT_TRUE(IsClipboardFormatAvailable(g_zelkClientFormat));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    COleClientItem taken;
    ASSERT_TRUE(taken.CreateFromData());
    EXPECT_EQ(PngSize(taken.m_nativeData).cx, 40);

    // None: the drawing, an inch wide at 300 dots per inch and half as high, as the view is;
    // its archive is the drawing's.
    m_view->m_oleSelection.clear();
    clear();
    pressCopy();
    ASSERT_TRUE(IsClipboardFormatAvailable(g_zelkClientFormat));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    COleClientItem drawing;
    ASSERT_TRUE(drawing.CreateFromData());
    const SIZE size = PngSize(drawing.m_nativeData);
    EXPECT_EQ(size.cx, 300);
    EXPECT_NEAR(size.cy, 150, 1);
    EXPECT_EQ(m_doc->m_quietClose, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(g_zelkClientFormat);
    ASSERT_NE(h, nullptr);
    const std::vector<BYTE> archive(static_cast<const BYTE*>(GlobalLock(h)),
                                    static_cast<const BYTE*>(GlobalLock(h)) + GlobalSize(h));
    GlobalUnlock(h);
    GlobalUnlock(h);
    CloseClipboard();
    CMemFile file(const_cast<BYTE*>(archive.data()), static_cast<UINT>(archive.size()));
    CArchive ar(&file, CArchive::load);
    CZelkDoc back;
    back.m_bAutoDelete = FALSE;
    ar.m_pDocument = &back;
    back.Serialize(ar);
    EXPECT_EQ(back.m_objects.size(), 2u);
    EXPECT_EQ(back.m_oleItems.size(), 1u);

    // A drawing opened to close without asking still closes so after a copy of it.
    m_doc->m_quietClose = 1;
    clear();
    pressCopy();
    EXPECT_TRUE(IsClipboardFormatAvailable(g_zelkClientFormat));
    EXPECT_EQ(m_doc->m_quietClose, 1);
    m_doc->m_quietClose = 0;
}

TEST_F(PlacedObjectsWindow, AddingADrawingWithPicturesKeepsEachObjectsOwnPicture)
{
    // Another drawing with two pictures of its own, written as a drawing file.
    const CString path = ProgramFolder() + "pictures.zel";
    std::vector<std::vector<BYTE>> added;
    {
        CZelkDoc other;
        other.m_bAutoDelete = FALSE;
        for (std::uint32_t rgb : {0xFF0000u, 0x0000FFu}) {
            const std::string bmp = BmpBytes(12, 6, rgb);
            CZelkOleObj* obj = AddPicture(other, bmp, 10, 20);
            ASSERT_NE(obj, nullptr);
            added.push_back(obj->GetItem()->m_nativeData);
        }
        CZelkView writer;
        writer.m_document = &other;
        writer.m_layerStates.SetSize(other.m_layers.GetSize());
        ASSERT_EQ(writer.WriteNativeFile(path, 1), 1);
        writer.m_document = nullptr;
    }
    PutPicture(Png(30, 10, 0x00FF00));
    Choose("貼り付け");
    ASSERT_EQ(m_doc->m_objects.size(), 1u);
    const std::vector<BYTE> own = Object(0)->GetItem()->m_nativeData;

    DefaultScriptedUiServices().QueueFiles({path});
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, "ファイル(&F)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("追加で開く"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("追加で開く(&A)"));
    UiDriver::Pump();
    ASSERT_EQ(m_doc->m_objects.size(), 3u);
    ASSERT_EQ(m_doc->m_oleItems.size(), 3u);
    const std::vector<BYTE>* expected[] = {&own, &added[0], &added[1]};
    for (size_t i = 0; i < 3; ++i) {
        CZelkOleObj* obj = Object(i);
        ASSERT_NE(obj->GetItem(), nullptr) << i;
        EXPECT_EQ(obj->m_itemIndex, static_cast<std::int32_t>(i));
        EXPECT_TRUE(obj->GetItem()->m_nativeData == *expected[i]) << i;
        ASSERT_EQ(obj->GetItem()->m_placedObjects.GetSize(), 1) << i;
        EXPECT_EQ(obj->GetItem()->m_placedObjects[0], obj) << i;
    }
}

TEST_F(PlacedObjectsWindow, ACornerHandleDraggedResizesThePictureToItsShape)
{
    PutPicture(Png(100, 200, 0x00FF00));
    Choose("貼り付け");
    ASSERT_EQ(m_doc->m_objects.size(), 1u);
    CZelkOleObj* obj = Object(0);
    UiDriver::Click(m_view, Middle(obj));
    UiDriver::Pump();
    ASSERT_EQ(m_view->m_oleSelection, std::vector<CZelkObj*>{obj});
    const double width = obj->m_bottomRight.m_x - obj->m_topLeft.m_x;
    const double height = obj->m_topLeft.m_y - obj->m_bottomRight.m_y;
    // The bottom right handle, pressed and pulled right and up: the height follows the width.
    const POINT handle = m_view->LogicalToDevicePoint(obj->GetHandle(5, m_view));
    const POINT to{handle.x + 40, handle.y - 30};
    const int before = Steps();
    UiDriver::MouseDown(m_view, handle);
    UiDriver::Pump();
    EXPECT_EQ(m_view->m_oleDragMode, 2);
    EXPECT_EQ(m_view->m_oleDragHandle, 5);
    UiDriver::MouseMove(m_view, POINT{handle.x + 20, handle.y + 50});
    UiDriver::MouseMove(m_view, to);
    UiDriver::MouseUp(m_view, to);
    UiDriver::Pump();
    EXPECT_EQ(m_view->m_oleDragMode, 0);
    const double newWidth = obj->m_bottomRight.m_x - obj->m_topLeft.m_x;
    const double newHeight = obj->m_topLeft.m_y - obj->m_bottomRight.m_y;
    EXPECT_GT(newWidth, width);
    EXPECT_NEAR(newHeight / newWidth, height / width, 0.05);

    // The resize is one transform step (its scale is kept with it; undoing it moves nothing).
    ASSERT_EQ(Steps(), before + 1);
    EXPECT_EQ(m_doc->m_undoHistory->m_steps.back()->m_kind, 4);
    EXPECT_NEAR(m_doc->m_undoHistory->m_steps.back()->m_scale.m_x, newWidth / width, 1e-9);
}

TEST_F(PlacedObjectsWindow, TextBesideAPicturePastesThePictureOrTheTextAsAsked)
{
    ASSERT_NE(m_app->m_groupProcessor, nullptr);
    const std::string text = "A\r\nB";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    const std::vector<BYTE> png = Png(20, 10, 0x808080);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    ASSERT_TRUE(SetClipboardImage(png.data(), png.size()));
    CloseClipboard();

    Choose("貼り付け");
    EXPECT_EQ(m_doc->m_objects.size(), 1u);
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kEditMenu));
    ASSERT_TRUE(UiDriver::ClickMenuItem("形式を選択して貼り付け"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("テキストとして取り込み"));
    UiDriver::Pump();
    CGroupProcessor& group = *m_app->m_groupProcessor;
    EXPECT_EQ(group.m_elemSet.texts.GetSize(), 2);
    EXPECT_EQ(group.modePattern, "MP");
    EXPECT_EQ(group.m_document, m_doc);
    EXPECT_EQ(m_doc->m_objects.size(), 1u);
}
