// Archivable sample classes and a loader for mutation runs over the archive reader. Defines the
// classes' run-time records: include it from one file per program.
#pragma once

#include "platform/core/Archive.h"
#include "platform/core/Arrays.h"

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
        if (ar.IsStoring())
            ar << m_child << m_ref;
        else
            ar >> m_child >> m_ref;
        m_words.Serialize(ar);
    }
    CObject* m_child = nullptr;
    CObject* m_ref = nullptr;
    CWordArray m_words;
};
IMPLEMENT_SERIAL(CFuzzNode, CObject, 0)

namespace archive_sample {

// Frees what a load produced. A corrupted archive can give any graph (a child that is also an
// array entry, a node that holds itself), so ownership is cut first and each object freed once.
inline void Release(CObArray& array)
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

// A small archive that uses every form the reader knows: new and repeated classes, object
// references, null, nested objects, word and string arrays, and a long count.
inline std::vector<BYTE> BuildSample()
{
    CFuzzLeaf a, b;
    CFuzzNode node;
    node.m_child = new CFuzzLeaf;
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
    std::vector<BYTE> out(file.GetLength());
    file.SeekToBegin();
    file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

// Reads the bytes in the sample's layout; damaged data must end in CArchiveException only.
inline void LoadSample(const BYTE* data, size_t size)
{
    std::vector<BYTE> copy(data, data + size);
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

} // namespace archive_sample
