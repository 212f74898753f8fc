// Seeded mutation runs over the archive reader: truncated and corrupted object archives either
// load or end in CArchiveException, never in a crash or an overrun.
#include "tests/fuzz/ArchiveSample.h"
#include "tests/fuzz/FuzzKnobs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;
using archive_sample::Release;

void Attempt(const Bytes& bytes)
{
    archive_sample::LoadSample(bytes.data(), bytes.size());
}

} // namespace

TEST(ArchiveFuzz, FailedObjectDoesNotFreeWhatItReferences)
{
    // A node whose owned child is, in the damaged data, a reference to the array's first object,
    // and whose reading then fails: the first object must stay alive for its real owner.
    CFuzzLeaf a;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(2);
        ar << &a;
        ar << static_cast<WORD>(0xFFFF) << static_cast<WORD>(0) << static_cast<WORD>(9);
        ar.Write("CFuzzNode", 9);
        ar << static_cast<WORD>(0x0002); // m_child: the object read first
        ar << static_cast<WORD>(0x0000); // m_ref: null; the word array is cut off
    }
    UINT n = static_cast<UINT>(file.GetLength());
    BYTE* block = file.Detach();
    CMemFile in(block, n);
    CObArray array;
    EXPECT_THROW(
        {
            CArchive ar(&in, CArchive::load);
            array.Serialize(ar);
        },
        CArchiveException);
    ASSERT_EQ(array.GetSize(), 1);
    EXPECT_EQ(static_cast<CFuzzLeaf*>(array[0])->m_text, CString("葉"));
    Release(array);
    std::free(block);
}

TEST(ArchiveFuzz, TruncatedArchivesNeverCrash)
{
    Bytes sample = archive_sample::BuildSample();
    for (size_t len = 0; len <= sample.size(); ++len)
        Attempt(Bytes(sample.begin(), sample.begin() + static_cast<long>(len)));
}

TEST(ArchiveFuzz, CorruptedArchivesNeverCrash)
{
    Bytes sample = archive_sample::BuildSample();
    std::mt19937 rng(fuzz_knobs::Seed(20261210));
    for (int round = 0; round < fuzz_knobs::Rounds(5000); ++round) {
        Bytes mutated = sample;
        int changes = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < changes; ++i) {
            size_t at = rng() % mutated.size();
            switch (rng() % 3) {
            case 0: mutated[at] = static_cast<BYTE>(rng()); break;
            case 1: mutated.erase(mutated.begin() + static_cast<long>(at)); break;
            default: mutated.insert(mutated.begin() + static_cast<long>(at), static_cast<BYTE>(rng())); break;
            }
            if (mutated.empty())
                break;
        }
        Attempt(mutated);
        Bytes noise(rng() % 48);
        for (BYTE& x : noise)
            x = static_cast<BYTE>(rng());
        Attempt(noise);
    }
}
