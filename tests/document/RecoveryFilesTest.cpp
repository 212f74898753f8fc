// Recovery files of a drawing: their names, the side-file form, reading a side file back,
// removal of what the drawing wrote, and the lock that lets one instance look after them.
#include "DocTestSupport.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "app/ZelkCntrItem.h"
#include "elements/Lines.h"
#include "platform/core/File.h"
#include "platform/core/FolderLock.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Runtime.h"
#include "view/ZelkOleObj.h"

namespace {

std::string Bytes(const CString& path)
{
    std::ifstream in(FileSystemPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const CString& path) { return _access(path, 0) == 0; }

class RecoveryFilesTest : public DocFixture {
protected:
    // Drawing number 3 with `count` placed pictures, each shown by an item of its own.
    void MakeDrawing3(int count)
    {
        m_app->m_nextDocNumber = 3;
        m_doc = std::make_unique<CZelkDoc>();
        // The test owns the drawing: its last view leaving must not delete it.
        m_doc->m_bAutoDelete = FALSE;
        for (int i = 0; i < count; ++i) {
            auto* obj = new CZelkOleObj;
            obj->m_topLeft = Pt(10 * i, 20);
            obj->m_bottomRight = Pt(10 * i + 4, 10);
            obj->m_itemIndex = i;
            Doc().AddObject(obj);
            auto* item = new CZelkCntrItem(&Doc(), obj);
            item->m_className = "Picture";
            item->m_nativeData.assign(3, static_cast<BYTE>(i));
            Doc().m_oleItems.push_back(item);
        }
    }
    CString Folder() const { return ProgramFolder(); }
};

}  // namespace

TEST_F(RecoveryFilesTest, SideFilesAreNamedByTheObjectNumberInThreeDigits)
{
    MakeDrawing3(100);
    struct Case {
        int index;
        const char* name;
    } cases[] = {{0, "Recov3.001"}, {9, "Recov3.010"}, {98, "Recov3.099"}, {99, "Recov3.100"}};
    for (const Case& c : cases) {
        Doc().SaveRecoveryObject(c.index);
        EXPECT_TRUE(Exists(Folder() + c.name)) << c.name;
    }
    // Beyond the objects nothing is written.
    Doc().SaveRecoveryObject(100);
    EXPECT_FALSE(Exists(Folder() + "Recov3.101"));
}

TEST_F(RecoveryFilesTest, SideFileHoldsTheMarkerThenTheObjectAndItsItem)
{
    MakeDrawing3(2);
    Doc().SaveRecoveryObject(1);
    const std::string bytes = Bytes(Folder() + "Recov3.002");
    ASSERT_GE(bytes.size(), 4u + 49u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x01\x00\x00\x00", 4));
    // layer, group, anchor x: the object's own form follows the marker.
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x00\x00\xFF\xFF", 4));
    double anchorX = 0;
    std::memcpy(&anchorX, bytes.data() + 8, 8);
    EXPECT_EQ(anchorX, 10);
    EXPECT_EQ(bytes.substr(4 + 49, 8), std::string("\x07" "Picture"));

    // An object whose item index names no item keeps the marker alone.
    static_cast<CZelkOleObj*>(Doc().m_objects[0])->m_itemIndex = 5;
    Doc().SaveRecoveryObject(0);
    EXPECT_EQ(Bytes(Folder() + "Recov3.001"), std::string("\x01\x00\x00\x00", 4));
}

TEST_F(RecoveryFilesTest, MainFileIsWrittenByTheFirstViewOnly)
{
    MakeDrawing3(0);
    Doc().AddLine(Pt(0, 0), Pt(5, 5), 0, Pen());
    Doc().m_nativeWriteMode = 3;
    Doc().SaveRecoveryFile();
    EXPECT_FALSE(Exists(Folder() + "Recov3.zel"));
    EXPECT_EQ(Doc().m_nativeWriteMode, 1);

    RecordingView view;
    Doc().AddView(&view);
    Doc().SaveRecoveryFile();
    Doc().RemoveView(&view);
    ASSERT_TRUE(Exists(Folder() + "Recov3.zel"));
    CZelkDoc back;
    EXPECT_EQ(back.LoadNativeFile(Folder() + "Recov3.zel"), 1);
    EXPECT_EQ(back.GetLineElem(0, 0)->m_end.m_x, 5);
}

TEST_F(RecoveryFilesTest, ClosingRemovesExactlyTheFilesTheDrawingWrote)
{
    MakeDrawing3(3);
    RecordingView view;
    Doc().AddView(&view);
    Doc().SaveRecoveryFile();
    Doc().RemoveView(&view);
    for (int i = 0; i < 3; ++i)
        Doc().SaveRecoveryObject(i);
    // A fourth side file of the same number written by someone else stays.
    CFile(Folder() + "Recov3.004", CFile::modeCreate | CFile::modeWrite).Write("x", 1);
    for (const char* n : {"Recov3.zel", "Recov3.001", "Recov3.002", "Recov3.003"})
        ASSERT_TRUE(Exists(Folder() + n)) << n;
    m_doc.reset();
    for (const char* n : {"Recov3.zel", "Recov3.001", "Recov3.002", "Recov3.003"})
        EXPECT_FALSE(Exists(Folder() + n)) << n;
    EXPECT_TRUE(Exists(Folder() + "Recov3.004"));

    // A drawing that wrote nothing under its number removes nothing of that number.
    CFile(Folder() + "Recov3.zel", CFile::modeCreate | CFile::modeWrite).Write("x", 1);
    MakeDrawing3(1);
    m_doc.reset();
    EXPECT_TRUE(Exists(Folder() + "Recov3.zel"));
}

TEST_F(RecoveryFilesTest, ResetRemovesTheFilesOfTheOldNumberAndTakesANewOne)
{
    MakeDrawing3(1);
    Doc().SaveRecoveryObject(0);
    Doc().FreeContents();
    Doc().InitContents();
    EXPECT_FALSE(Exists(Folder() + "Recov3.001"));
    EXPECT_EQ(Doc().m_docNumber, 4);
    EXPECT_EQ(Doc().m_recoveryBase, Folder() + "Recov4");
}

TEST_F(RecoveryFilesTest, ReadingSideFilesBackShiftsEachLaterObjectByHalfItsSize)
{
    MakeDrawing3(3);
    for (int i = 0; i < 3; ++i)
        Doc().SaveRecoveryObject(i);
    CZelkDoc restored;
    for (int k = 1; k <= 3; ++k) {
        CString name;
        name.Format("Recov3.%03d", k);
        restored.ReadObjectRecoveryFile(Folder() + name, k);
    }
    ASSERT_EQ(restored.m_objects.size(), 3u);
    ASSERT_EQ(restored.m_oleItems.size(), 3u);
    // Object i: anchor (10i, 20), opposite (10i + 4, 10); A - B = (4, -10).
    const double shift[] = {0, 0.5, 1.0};
    for (int i = 0; i < 3; ++i) {
        auto* obj = static_cast<CZelkOleObj*>(restored.m_objects[i]);
        EXPECT_DOUBLE_EQ(obj->m_topLeft.m_x, 10 * i + 4 * shift[i]) << i;
        EXPECT_DOUBLE_EQ(obj->m_topLeft.m_y, 20 - 10 * shift[i]) << i;
        EXPECT_DOUBLE_EQ(obj->m_bottomRight.m_x, 10 * i + 4 + 4 * shift[i]) << i;
        EXPECT_EQ(obj->m_itemIndex, i);
        EXPECT_EQ(obj->m_pDocument, &restored);
        ASSERT_EQ(restored.m_oleItems[i]->m_placedObjects.GetSize(), 1);
        EXPECT_EQ(restored.m_oleItems[i]->m_placedObjects[0], obj);
        EXPECT_EQ(restored.m_oleItems[i]->m_nativeData, std::vector<BYTE>(3, static_cast<BYTE>(i)));
    }
}

TEST_F(RecoveryFilesTest, ADamagedOrMissingSideFileAddsNothing)
{
    MakeDrawing3(1);
    Doc().SaveRecoveryObject(0);
    const std::string whole = Bytes(Folder() + "Recov3.001");
    for (size_t n : {size_t(0), size_t(3), size_t(20), whole.size() - 1}) {
        {
            std::ofstream out(FileSystemPath(Folder() + "cut.001"), std::ios::binary | std::ios::trunc);
            out << whole.substr(0, n);
        }
        CZelkDoc restored;
        restored.ReadObjectRecoveryFile(Folder() + "cut.001", 1);
        EXPECT_TRUE(restored.m_objects.empty()) << n;
        EXPECT_TRUE(restored.m_oleItems.empty()) << n;
    }
    CZelkDoc restored;
    restored.ReadObjectRecoveryFile(Folder() + "none.001", 1);
    EXPECT_TRUE(restored.m_objects.empty());
}

TEST_F(RecoveryFilesTest, AnotherInstanceHoldingTheFolderLeavesTheFilesAlone)
{
    CFolderLock other;
    ASSERT_TRUE(other.Acquire(Folder() + "Recov.lck"));
    MakeDrawing3(1);
    RecordingView view;
    Doc().AddView(&view);
    Doc().SaveRecoveryFile();
    Doc().RemoveView(&view);
    Doc().SaveRecoveryObject(0);
    EXPECT_FALSE(Exists(Folder() + "Recov3.zel"));
    EXPECT_FALSE(Exists(Folder() + "Recov3.001"));
    CFile(Folder() + "Recov1.zel", CFile::modeCreate | CFile::modeWrite).Write("x", 1);
    EXPECT_EQ(m_app->HasRecoveryFiles(), 0);

    // Once the other instance has ended, this one takes the files over.
    other.Release();
    EXPECT_EQ(m_app->HasRecoveryFiles(), 1);
    Doc().SaveRecoveryObject(0);
    EXPECT_TRUE(Exists(Folder() + "Recov3.001"));
}
