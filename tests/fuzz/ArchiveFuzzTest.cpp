// Seeded mutation runs over the archive reader: truncated and corrupted object archives either
// load or end in CArchiveException, never in a crash, an overrun or a leak.
#include "platform/core/Archive.h"
#include "platform/core/Arrays.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

class CFuzzLeaf : public CObject {
    DECLARE_SERIAL(CFuzzLeaf)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_w << m_d << m_text;
        else
            ar >> m_w >> m_d >> m_text;
    }
    WORD m_w = 1;
    double m_d = 2.0;
    CString m_text = "葉";
};
IMPLEMENT_SERIAL(CFuzzLeaf, CObject, 0)

// Owns its first child and refers to any earlier object with its second.
class CFuzzNode : public CObject {
    DECLARE_SERIAL(CFuzzNode)
public:
    ~CFuzzNode() override { delete m_child; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_child << m_ref;
            m_words.Serialize(ar);
        } else {
            ar >> m_child >> m_ref;
            m_words.Serialize(ar);
        }
    }
    CObject* m_child = nullptr;
    CObject* m_ref = nullptr;
    CWordArray m_words;
};
IMPLEMENT_SERIAL(CFuzzNode, CObject, 0)

namespace {

using Bytes = std::vector<BYTE>;

Bytes BuildSample()
{
    CFuzzLeaf a, b;
    CFuzzNode node;
    CFuzzLeaf* inner = new CFuzzLeaf;
    node.m_child = inner;
    node.m_ref = &a;
    node.m_words.Add(3);
    node.m_words.Add(4);
    CObArray array;
    array.Add(&a);
    array.Add(&node);
    array.Add(&b);
    array.Add(&a);
    array.Add(nullptr);
    CStringArray names;
    names.Add("一");
    names.Add("two");
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        array.Serialize(ar);
        names.Serialize(ar);
        ar.WriteCount(70000);
    }
    Bytes out(file.GetLength());
    file.SeekToBegin();
    file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

// Frees what a load produced. A corrupted archive can give any graph (a child that is also an
// array entry, a node that holds itself), so ownership is cut first and each object freed once.
void Release(CObArray& array)
{
    std::vector<CObject*> all;
    auto visit = [&](auto& self, CObject* p) -> void {
        if (p == nullptr)
            return;
        for (CObject* q : all)
            if (q == p)
                return;
        all.push_back(p);
        if (p->IsKindOf(RUNTIME_CLASS(CFuzzNode))) {
            auto* node = static_cast<CFuzzNode*>(p);
            self(self, node->m_child);
            self(self, node->m_ref);
        }
    };
    for (CObject* p : array)
        visit(visit, p);
    for (CObject* p : all)
        if (p->IsKindOf(RUNTIME_CLASS(CFuzzNode)))
            static_cast<CFuzzNode*>(p)->m_child = nullptr;
    for (CObject* p : all)
        delete p;
    array.RemoveAll();
}

void Attempt(const Bytes& bytes)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CObArray array;
    try {
        CArchive ar(&file, CArchive::load, 128);
        array.Serialize(ar);
        CStringArray names;
        names.Serialize(ar);
        ar.ReadCount();
    } catch (CArchiveException&) {
    }
    Release(array);
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
    Bytes sample = BuildSample();
    for (size_t len = 0; len <= sample.size(); ++len)
        Attempt(Bytes(sample.begin(), sample.begin() + static_cast<long>(len)));
}

TEST(ArchiveFuzz, CorruptedArchivesNeverCrash)
{
    Bytes sample = BuildSample();
    std::mt19937 rng(20261210);
    for (int round = 0; round < 5000; ++round) {
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
