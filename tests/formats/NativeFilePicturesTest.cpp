// Placed pictures in the native drawing file: written with their items and read back, their
// item numbers as the file and the drawing count them, and what is left out.
#include "NativeFileSupport.h"

#include "tests/support/PictureBytes.h"

namespace {

// The picture's rectangle, layer, extent and image bytes, as a reader of the file sees them.
struct Shown {
    double left, top, right, bottom;
    int layer;
    std::vector<BYTE> image;
};

Shown ShownBy(const CZelkDoc& doc, size_t object)
{
    const auto* obj = dynamic_cast<const CZelkOleObj*>(doc.m_objects.at(object));
    EXPECT_NE(obj, nullptr);
    if (!obj)
        return {};
    CZelkCntrItem* item = obj->GetItem();
    EXPECT_NE(item, nullptr);
    return {obj->m_topLeft.m_x, obj->m_topLeft.m_y, obj->m_bottomRight.m_x, obj->m_bottomRight.m_y,
            obj->m_layer, item ? item->m_nativeData : std::vector<BYTE>{}};
}

void ExpectSame(const Shown& a, const Shown& b, const char* what)
{
    EXPECT_EQ(a.left, b.left) << what;
    EXPECT_EQ(a.top, b.top) << what;
    EXPECT_EQ(a.right, b.right) << what;
    EXPECT_EQ(a.bottom, b.bottom) << what;
    EXPECT_EQ(a.layer, b.layer) << what;
    EXPECT_TRUE(a.image == b.image) << what;
}

}  // namespace

using NativeFilePictures = NativeFileFixture;

TEST_F(NativeFilePictures, PicturesGoThroughTheFileBothWays)
{
    const std::int16_t second = m_doc->FindOrCreateLayer("図");
    CZelkOleObj* red = AddPicture(*m_doc, BmpBytes(300, 100, 0xFF0000), 10, 50, second);
    ASSERT_NE(red, nullptr);
    // A deleted picture's item is not written, and the pictures after it are numbered
    // without the gap.
    CZelkOleObj* gone = AddPicture(*m_doc, BmpBytes(4, 4, 0x00FF00), 0, 0);
    gone->m_state |= STATE_DELETED;
    CZelkOleObj* blue = AddPicture(*m_doc, BmpBytes(20, 40, [](int x, int) { return x < 10 ? 0x0000FFu : 0xFFFFFFu; }), -5, 7);
    ASSERT_NE(blue, nullptr);
    // Extent from the picture at 96 dots per inch; the object in millimetres.
    EXPECT_EQ(red->m_extent.cx, 7937);
    EXPECT_DOUBLE_EQ(red->m_bottomRight.m_x - red->m_topLeft.m_x, 793.7);
    m_view.m_layerStates.SetSize(m_doc->m_layers.GetSize());
    ASSERT_EQ(m_view.WriteNativeFile(PathOf("p.zel"), 1), 1);
    const std::string bytes = ReadFileBytes(PathOf("p.zel"));
    EXPECT_NE(bytes.find("item"), std::string::npos);

    auto back = NewDoc();
    ASSERT_EQ(back->LoadNativeFile(PathOf("p.zel")), 1);
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(back->m_objects.size(), 2u);
    ASSERT_EQ(back->m_oleItems.size(), 2u);
    ExpectSame(ShownBy(*back, 0), ShownBy(*m_doc, 0), "red");
    ExpectSame(ShownBy(*back, 1), ShownBy(*m_doc, 2), "blue");
    for (size_t i = 0; i < 2; ++i) {
        auto* obj = static_cast<CZelkOleObj*>(back->m_objects[i]);
        EXPECT_EQ(obj->m_itemIndex, static_cast<std::int32_t>(i));
        EXPECT_EQ(obj->m_extent.cx, static_cast<CZelkOleObj*>(m_doc->m_objects[i * 2])->m_extent.cx);
        ASSERT_EQ(back->m_oleItems[i]->m_placedObjects.GetSize(), 1);
        EXPECT_EQ(back->m_oleItems[i]->m_placedObjects[0], obj);
        EXPECT_EQ(back->m_oleItems[i]->m_className, "Picture");
    }
    // The file of the drawing read back is the same file.
    CZelkView view;
    view.m_document = back.get();
    view.m_layerStates.SetSize(back->m_layers.GetSize());
    ASSERT_EQ(view.WriteNativeFile(PathOf("q.zel"), 1), 1);
    EXPECT_EQ(ReadFileBytes(PathOf("q.zel")), bytes);
    view.m_document = nullptr;
}

TEST_F(NativeFilePictures, AddingAFileToADrawingWithPicturesKeepsEachPicture)
{
    auto other = NewDoc();
    ASSERT_NE(AddPicture(*other, BmpBytes(8, 8, 0x112233), 1, 2), nullptr);
    ASSERT_NE(AddPicture(*other, BmpBytes(6, 3, 0x445566), 3, 4), nullptr);
    CZelkView writer;
    writer.m_document = other.get();
    writer.m_layerStates.SetSize(1);
    ASSERT_EQ(writer.WriteNativeFile(PathOf("o.zel"), 1), 1);
    writer.m_document = nullptr;

    ASSERT_NE(AddPicture(*m_doc, BmpBytes(5, 5, 0xABCDEF), 0, 0), nullptr);
    const Shown own = ShownBy(*m_doc, 0);
    ASSERT_EQ(m_doc->LoadNativeFile(PathOf("o.zel")), 1);
    ASSERT_EQ(m_doc->m_objects.size(), 3u);
    ASSERT_EQ(m_doc->m_oleItems.size(), 3u);
    ExpectSame(ShownBy(*m_doc, 0), own, "own");
    ExpectSame(ShownBy(*m_doc, 1), ShownBy(*other, 0), "first added");
    ExpectSame(ShownBy(*m_doc, 2), ShownBy(*other, 1), "second added");
    for (size_t i = 0; i < 3; ++i) {
        auto* obj = static_cast<CZelkOleObj*>(m_doc->m_objects[i]);
        EXPECT_EQ(obj->m_itemIndex, static_cast<std::int32_t>(i));
        ASSERT_EQ(m_doc->m_oleItems[i]->m_placedObjects.GetSize(), 1) << i;
        EXPECT_EQ(m_doc->m_oleItems[i]->m_placedObjects[0], obj) << i;
    }
}

TEST_F(NativeFilePictures, ItemNumbersOutsideTheBlockShowNothing)
{
    // A file whose object names an item the block does not hold: the object is kept, shows no
    // item, and no other picture is taken for it.
    auto other = NewDoc();
    CZelkOleObj* obj = AddPicture(*other, BmpBytes(8, 8, 0x112233), 1, 2);
    ASSERT_NE(obj, nullptr);
    CZelkView writer;
    writer.m_document = other.get();
    writer.m_layerStates.SetSize(1);
    ASSERT_EQ(writer.WriteNativeFile(PathOf("o.zel"), 1), 1);
    writer.m_document = nullptr;
    std::string bytes = ReadFileBytes(PathOf("o.zel"));
    // The index is the last field of the object; the item list follows it.
    const std::string name = "CZelkCntrItem";
    const size_t at = bytes.find(name);
    ASSERT_NE(at, std::string::npos);
    // Class tag (2), schema (2), name length (2) and the item list's count (2) lie before the name.
    const size_t index = at - 8 - 4;
    for (std::int32_t wrong : {1, -7, 0x7FFFFFFF}) {
        std::memcpy(&bytes[index], &wrong, 4);
        auto doc = NewDoc();
        ASSERT_NE(AddPicture(*doc, BmpBytes(5, 5, 0xABCDEF), 0, 0), nullptr);
        ASSERT_EQ(ReadInto(doc.get(), bytes), 1);
        ASSERT_EQ(doc->m_objects.size(), 2u) << wrong;
        auto* read = static_cast<CZelkOleObj*>(doc->m_objects[1]);
        EXPECT_EQ(read->m_itemIndex, -1) << wrong;
        EXPECT_EQ(read->GetItem(), nullptr) << wrong;
        EXPECT_EQ(doc->m_oleItems[0]->m_placedObjects.GetSize(), 1) << wrong;
    }
}
