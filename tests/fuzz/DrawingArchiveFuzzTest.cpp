// Seeded mutation runs over the binary archive of a drawing: whatever the bytes, loading either
// succeeds or ends in the archive exception, and a drawing that loaded can be walked and stored.
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Group.h"
#include "platform/core/Services.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "tests/fuzz/FuzzKnobs.h"
#include "tests/support/DrawingArchiveBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <utility>

namespace {

using Bytes = std::vector<BYTE>;

class DrawingArchiveFuzz : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
    }
    void TearDown() override
    {
        g_pApp = nullptr;
        m_app.reset();
        DefaultScriptedServices().m_messages.clear();
    }

    // Every table and element kind, nested groups and a placed picture.
    static Bytes Sample()
    {
        CZelkDoc doc;
        FillSampleDrawing(doc);
        return StoreDrawingArchive(doc);
    }

    // Loads the bytes into a fresh drawing; only the archive exception may end the load. What
    // loaded is walked and stored again.
    static bool Attempt(Bytes bytes)
    {
        CZelkDoc doc;
        try {
            LoadDrawingArchive(doc, std::move(bytes));
        } catch (const CArchiveException&) {
            return false;
        }
        for (int g = 0; g < doc.m_groups.GetSize(); ++g) {
            doc.GetGroup(g)->SetMarkRecursive(&doc, 0x02);
            doc.GetGroup(g)->BuildCompositeString(&doc);
        }
        doc.ComputeExtents();
        StoreDrawingArchive(doc);
        return true;
    }

    std::unique_ptr<CZelkApp> m_app;
};

} // namespace

TEST_F(DrawingArchiveFuzz, TruncatedArchivesThrowTheArchiveException)
{
    const Bytes sample = Sample();
    ASSERT_TRUE(Attempt(sample));
    // Every cut in the leading fields and tables, then cuts spread over the blocks (most of the
    // bytes are the unused slots of the blocks, read alike).
    for (size_t len = 0; len < sample.size(); len += len < 400 ? 1 : 13)
        EXPECT_FALSE(Attempt(Bytes(sample.begin(), sample.begin() + static_cast<long>(len)))) << len;
}

TEST_F(DrawingArchiveFuzz, MutatedArchivesLoadOrThrowTheArchiveException)
{
    const Bytes sample = Sample();
    // The same data under the first version's tag take the other layout.
    const Bytes versionA = [&] {
        const char tagA[] = "Zelk data ver.00.00A";
        Bytes b = sample;
        b[0] = 20;
        b.erase(b.begin() + 1, b.begin() + 20);
        b.insert(b.begin() + 1, tagA, tagA + 20);
        return b;
    }();
    std::mt19937 rng(fuzz_knobs::Seed(20261210));
    int loaded = 0;
    for (const Bytes* seed : {&sample, &versionA}) {
        for (int round = 0; round < fuzz_knobs::Rounds(600); ++round) {
            Bytes bytes = *seed;
            const int edits = 1 + static_cast<int>(rng() % 6);
            for (int e = 0; e < edits && !bytes.empty(); ++e) {
                const size_t at = rng() % bytes.size();
                switch (rng() % 5) {
                case 0: bytes[at] = static_cast<BYTE>(rng()); break;
                case 1: bytes[at] = 0xFF; break;                               // large counts
                case 2: bytes[at] ^= static_cast<BYTE>(1u << (rng() % 8)); break;
                case 3: bytes.erase(bytes.begin() + static_cast<long>(at)); break;
                default: bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<BYTE>(rng())); break;
                }
            }
            loaded += Attempt(bytes) ? 1 : 0;
        }
    }
    // Many edits fall on coordinates and names: some damaged archives must still load.
    EXPECT_GT(loaded, 0);
}

TEST_F(DrawingArchiveFuzz, MutatedRecoverySideFilesAddAnObjectOrNothing)
{
    CZelkDoc source;
    FillSampleDrawing(source);
    const CString path = ProgramFolder() + "side.001";
    source.WriteObjectRecoveryFile(0, path);
    CFile file(path, CFile::modeRead);
    Bytes sample(file.GetLength());
    file.Read(sample.data(), static_cast<UINT>(sample.size()));
    file.Close();
    ASSERT_GT(sample.size(), 4u);

    std::mt19937 rng(fuzz_knobs::Seed(20261210));
    for (int round = 0; round < fuzz_knobs::Rounds(400); ++round) {
        Bytes bytes = sample;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const size_t at = rng() % bytes.size();
            switch (rng() % 4) {
            case 0: bytes[at] = static_cast<BYTE>(rng()); break;
            case 1: bytes[at] = 0xFF; break;
            case 2: bytes.resize(at); break;
            default: bytes[at] ^= static_cast<BYTE>(1u << (rng() % 8)); break;
            }
        }
        {
            CFile out(path, CFile::modeCreate | CFile::modeWrite);
            if (!bytes.empty())
                out.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        }
        CZelkDoc doc;
        doc.ReadObjectRecoveryFile(path, 1 + round % 3);
        ASSERT_EQ(doc.m_objects.size(), doc.m_oleItems.size());
        ASSERT_LE(doc.m_objects.size(), 1u);
    }
}
