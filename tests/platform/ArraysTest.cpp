// The framework's array operations and the run-time class records.
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

class CRecordBase : public CObject {
    DECLARE_SERIAL(CRecordBase)
};
IMPLEMENT_SERIAL(CRecordBase, CObject, 0)

class CRecordLeaf : public CRecordBase {
    DECLARE_SERIAL(CRecordLeaf)
};
IMPLEMENT_SERIAL(CRecordLeaf, CRecordBase, 0)

class CRecordAbstractish : public CObject {
    DECLARE_DYNAMIC(CRecordAbstractish)
};
IMPLEMENT_DYNAMIC(CRecordAbstractish, CObject)

TEST(Arrays, GrowInsertRemove)
{
    CWordArray a;
    a.SetSize(3);
    EXPECT_EQ(a.Vector(), (std::vector<WORD>{0, 0, 0}));
    a.SetAt(1, 7);
    a.SetAtGrow(5, 9); // grows with zeros
    EXPECT_EQ(a.Vector(), (std::vector<WORD>{0, 7, 0, 0, 0, 9}));
    a.InsertAt(1, 4, 2);
    EXPECT_EQ(a.Vector(), (std::vector<WORD>{0, 4, 4, 7, 0, 0, 0, 9}));
    a.RemoveAt(0, 3);
    EXPECT_EQ(a.Vector(), (std::vector<WORD>{7, 0, 0, 0, 9}));
    a.InsertAt(7, 1); // beyond the end: zeros first
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_EQ(a.GetUpperBound(), 7);
    EXPECT_EQ(a[7], 1);
    a.ElementAt(0) = 3;
    EXPECT_EQ(a.GetAt(0), 3);
    EXPECT_EQ(a.Add(5), 8);
    EXPECT_EQ(a.GetCount(), 9);
    a.SetSize(2);
    EXPECT_EQ(a.Vector(), (std::vector<WORD>{3, 0}));
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(Arrays, AppendCopyAndWholeArrayInsert)
{
    CStringArray a, b;
    a.Add("x");
    b.Add("y");
    b.Add(CString("z"));
    EXPECT_EQ(a.Append(b), 1);
    EXPECT_EQ(a.GetSize(), 3);
    a.InsertAt(0, &b);
    EXPECT_EQ(a[0], CString("y"));
    EXPECT_EQ(a.GetSize(), 5);
    a.Append(a); // appending itself doubles it
    EXPECT_EQ(a.GetSize(), 10);
    CStringArray c;
    c.Copy(b);
    EXPECT_EQ(c.GetSize(), 2);
    EXPECT_EQ(c[1], CString("z"));
    CObArray o;
    o.SetSize(2);
    EXPECT_EQ(o[0], nullptr);
    CPtrArray p;
    p.SetAtGrow(2, &c);
    EXPECT_EQ(p[0], nullptr);
    EXPECT_EQ(p[2], &c);
}

TEST(Arrays, IndicesOutsideTheArrayThrow)
{
    CDWordArray a;
    a.Add(1);
    EXPECT_THROW(a.GetAt(1), std::out_of_range);
    EXPECT_THROW(a.GetAt(-1), std::out_of_range);
    EXPECT_THROW(a.SetAt(2, 0), std::out_of_range);
    EXPECT_THROW(a.RemoveAt(0, 2), std::out_of_range);
    EXPECT_THROW(a.SetSize(-1), std::out_of_range);
    CArray<double> d;
    d.Add(1.5);
    EXPECT_THROW(d[3], std::out_of_range);
}

TEST(Arrays, TemplateArraySerializesItsElements)
{
    CArray<double> d;
    d.Add(0.5);
    d.Add(-1.0);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        d.Serialize(ar);
    }
    EXPECT_EQ(file.GetLength(), 2u + 16u);
    file.SeekToBegin();
    CArray<double> back;
    CArchive ar(&file, CArchive::load);
    back.Serialize(ar);
    EXPECT_EQ(back.Vector(), d.Vector());
}

TEST(RuntimeClass, CreationByNameAndDerivation)
{
    CObject* made = CRuntimeClass::CreateObject("CRecordLeaf");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CRecordLeaf)));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CRecordBase)));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CObArray)));
    EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, "CRecordLeaf");
    EXPECT_EQ(made->GetRuntimeClass()->m_wSchema, 0u);
    EXPECT_TRUE(made->IsSerializable());
    delete made;

    EXPECT_EQ(CRuntimeClass::FromName("CRecordLeaf"), RUNTIME_CLASS(CRecordLeaf));
    EXPECT_EQ(CRuntimeClass::FromName("CWordArray"), RUNTIME_CLASS(CWordArray));
    EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchRecord"), nullptr);
    // A class without dynamic creation is known by name but cannot be made.
    EXPECT_EQ(CRuntimeClass::FromName("CRecordAbstractish"), RUNTIME_CLASS(CRecordAbstractish));
    EXPECT_EQ(CRuntimeClass::CreateObject("CRecordAbstractish"), nullptr);
    CRecordAbstractish plain;
    EXPECT_FALSE(plain.IsSerializable());
}
