// Seeded mutation runs over the native drawing file reader: truncated and corrupted files of
// every data version are read to an end without a crash, an overrun or a hang, and what was
// read before the damage stays in the drawing.
#include "app/ZelkApp.h"
#include "app/ZelkCntrItem.h"
#include "document/ZelkDoc.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/gdi/ImageDC.h"
#include "tests/fuzz/FuzzKnobs.h"
#include "tests/support/PictureBytes.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class NativeFileFuzz : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_path = ProgramFolder() + "fuzz.zel";
    }
    void TearDown() override
    {
        g_pApp = nullptr;
        m_app.reset();
        DefaultScriptedServices().m_messages.clear();
    }

    // A drawing with every record kind: memo, layers, pens, a font, groups, strings, elements.
    std::string Sample()
    {
        CZelkDoc doc;
        doc.m_memo.Add("memo");
        doc.FindOrCreateLayer("second");
        const std::int16_t pen = doc.FindOrAddPen(1, 2, 0xFF, 1, 50);
        LOGFONT lf{};
        lf.lfHeight = -30;
        std::strcpy(lf.lfFaceName, "Font");
        const std::int16_t font = doc.FindOrAddFont(lf, 20, 30, 1, 0);
        CGroup* outer = new CGroup;
        outer->m_name = "outer";
        doc.m_groups.Add(outer);
        CGroup* inner = new CGroup;
        inner->m_parent = 0;
        doc.m_groups.Add(inner);
        int index = -1, mode = 0;
        CString text = "attr";
        doc.FindOrAddAttributeString(text, index, mode);
        CElemRef carrier;
        carrier.Init(1, 1, 0, 1, 0);
        doc.GetString(0)->m_refs.push_back(carrier);
        inner->m_attrStrings.Add(0);
        doc.AddPoint(At(1, 2), 0, pen);
        CLines* lines = doc.AddLine(At(0, 0), At(3, 4), 1, pen);
        lines->m_slots[0].m_group = 1;
        doc.AddCircle(At(1, 1), 2, 0, pen);
        doc.AddArc(At(0, 0), 3, At(10, 80), 0, pen);
        doc.AddConic(At(0, 0), 4, 0.5, At(0, 90), 10, 0, pen);
        doc.AddCurve(1, {At(0, 0), At(1, 0), At(1, 1)}, 0, pen);
        doc.AddText(At(5, 5), "text", 0, 8, 0, font);
        CZelkView view;
        view.m_document = &doc;
        EXPECT_EQ(view.WriteNativeFile(m_path, 0), 1);
        std::ifstream in(FileSystemPath(m_path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // An "item" block of embedded objects: stored items of another program, one of them named
    // again by reference and inside a nested list, and its data.
    static std::string ItemArchive()
    {
        CZelkCntrItem shared;
        shared.m_className = "Sheet";
        shared.m_serverExtent = SIZE{120, 80};
        shared.m_nativeData.assign(300, 0x5A);
        CZelkCntrItem other;
        CObArray inner;
        inner.Add(&shared);
        inner.Add(nullptr);
        CObArray objects;
        objects.Add(&shared);
        objects.Add(&inner);
        CObArray items;
        items.Add(&other);
        items.Add(&shared);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            objects.Serialize(ar);
            items.Serialize(ar);
            ar.Close();
        }
        std::string bytes(file.GetLength(), '\0');
        file.SeekToBegin();
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return bytes;
    }

    // The drawing with the archive as its "item" block before the end line.
    static std::string WithItems(std::string drawing, const std::string& archive)
    {
        std::string block = "item";
        const std::uint32_t n = static_cast<std::uint32_t>(archive.size());
        block.append(reinterpret_cast<const char*>(&n), 4);
        block += "\r\n" + archive + "\r\n";
        drawing.insert(drawing.rfind("end\r\n"), block);
        return drawing;
    }

    // Reads the bytes into a fresh drawing; returns its layer count.
    int Read(const std::string& bytes)
    {
        {
            std::ofstream out(FileSystemPath(m_path), std::ios::binary | std::ios::trunc);
            out << bytes;
        }
        CZelkDoc doc;
        doc.LoadNativeFile(m_path);
        DefaultScriptedServices().m_messages.clear();
        return doc.m_layers.GetSize();
    }

    std::unique_ptr<CZelkApp> m_app;
    CString m_path;
};

} // namespace

TEST_F(NativeFileFuzz, TruncatedFilesKeepWhatCameBefore)
{
    const std::string sample = Sample();
    const size_t layersEnd = sample.find("pen");
    ASSERT_NE(layersEnd, std::string::npos);
    for (size_t len = 0; len <= sample.size(); ++len) {
        const int layers = Read(sample.substr(0, len));
        if (len >= layersEnd) {
            EXPECT_EQ(layers, 2) << len;
        }
    }
}

TEST_F(NativeFileFuzz, CorruptedFilesOfEveryVersionNeverCrash)
{
    const std::string current = Sample();
    const char* versions[] = {"01.00", "00.00A", "00.00B", "00.00C", "00.00D",
                              "00.00E", "00.00F", "00.00G"};
    std::mt19937 rng(fuzz_knobs::Seed(20261210));
    for (const char* version : versions) {
        std::string sample = current;
        sample.replace(sample.find("01.00"), 5, version);
        for (int round = 0; round < fuzz_knobs::Rounds(400); ++round) {
            std::string mutated = sample;
            const int changes = 1 + static_cast<int>(rng() % 4);
            for (int i = 0; i < changes && !mutated.empty(); ++i) {
                const size_t at = rng() % mutated.size();
                switch (rng() % 4) {
                case 0: mutated[at] = static_cast<char>(rng()); break;
                case 1: mutated.erase(at, 1 + rng() % 8); break;
                case 2: mutated.insert(at, 1, static_cast<char>(rng())); break;
                default: mutated[at] = static_cast<char>(0xFF); break;   // large counts
                }
            }
            Read(mutated);
        }
    }
}

TEST_F(NativeFileFuzz, CorruptedEmbeddedObjectBlocksNeverCrash)
{
    const std::string drawing = Sample();
    const std::string archive = ItemArchive();
    ASSERT_EQ(Read(WithItems(drawing, archive)), 2);
    std::mt19937 rng(fuzz_knobs::Seed(20261210));
    for (int round = 0; round < fuzz_knobs::Rounds(300); ++round) {
        std::string mutated = archive;
        const int changes = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < changes && !mutated.empty(); ++i) {
            const size_t at = rng() % mutated.size();
            switch (rng() % 5) {
            case 0: mutated[at] = static_cast<char>(rng()); break;
            case 1: mutated.erase(at, 1 + rng() % 8); break;
            case 2: mutated.insert(at, 1, static_cast<char>(rng())); break;
            case 3: mutated[at] = static_cast<char>(0xFF); break;   // large counts and tags
            default: {
                // A stretch repeated: lists and objects nested in themselves.
                const size_t len = 1 + rng() % 16;
                if (at + len <= mutated.size()) {
                    const std::string piece = mutated.substr(at, len);
                    for (int k = static_cast<int>(rng() % 64); k >= 0; --k)
                        mutated.insert(at, piece);
                }
                break;
            }
            }
        }
        // What came before the block stays whatever the block holds.
        EXPECT_EQ(Read(WithItems(drawing, mutated)), 2);
    }
}

TEST_F(NativeFileFuzz, DamagedPictureBlocksNeverCrashAndKeepTheDrawing)
{
    // A drawing with two placed pictures, written whole; its "item" block and the pictures'
    // bytes in it are damaged. Whatever is read is drawn, so damaged picture data reach the
    // picture decoder.
    const std::string path = FileSystemPath(m_path);
    {
        CZelkDoc doc;
        doc.FindOrCreateLayer("second");
        ASSERT_NE(AddPicture(doc, BmpBytes(12, 6, [](int x, int y) { return (x * 20u) << 8 | y * 40u; }), 0, 0, 1), nullptr);
        ASSERT_NE(AddPicture(doc, BmpBytes(3, 9, 0x00FF00u), 5, 5), nullptr);
        CZelkView view;
        view.m_document = &doc;
        view.m_layerStates.SetSize(doc.m_layers.GetSize());
        ASSERT_EQ(view.WriteNativeFile(m_path, 1), 1);
        view.m_document = nullptr;
    }
    std::string sample;
    {
        std::ifstream in(path, std::ios::binary);
        sample.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const size_t block = sample.find("item");
    ASSERT_NE(block, std::string::npos);
    const size_t data = block + 10;
    const size_t dataEnd = sample.rfind("\r\nend\r\n");
    ASSERT_LT(data, dataEnd);
    std::mt19937 rng(fuzz_knobs::Seed(20261211));
    CImageDC dc(64, 64);
    for (int round = 0; round < fuzz_knobs::Rounds(300); ++round) {
        std::string mutated = sample;
        const int changes = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < changes; ++i) {
            const size_t at = data + rng() % (dataEnd - data);
            switch (rng() % 3) {
            case 0: mutated[at] = static_cast<char>(rng()); break;
            case 1: mutated[at] = static_cast<char>(0xFF); break;   // large counts and tags
            default: mutated[at] ^= static_cast<char>(1 << (rng() % 8)); break;
            }
        }
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << mutated;
        }
        CZelkDoc doc;
        doc.LoadNativeFile(m_path);
        DefaultScriptedServices().m_messages.clear();
        // The layers before the block stay whatever the block holds.
        EXPECT_EQ(doc.m_layers.GetSize(), 2);
        for (CZelkObj* obj : doc.m_objects) {
            auto* ole = dynamic_cast<CZelkOleObj*>(obj);
            ASSERT_NE(ole, nullptr);
            if (CZelkCntrItem* item = ole->GetItem()) {
                RECT r{0, 0, 64, 64};
                item->Draw(&dc, &r);
                EXPECT_EQ(ole->m_pDocument, &doc);
            }
        }
    }
}
