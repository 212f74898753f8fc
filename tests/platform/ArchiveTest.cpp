// Archive bytes against hand-built golden bytes: primitives, strings, counts, object tags and the
// array forms, plus malformed input that must end in CArchiveException.
#include "platform/core/Archive.h"
#include "platform/core/Arrays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Little-endian golden bytes, built independently of the archive code.
struct Pack {
    Bytes b;
    Pack& u8(unsigned v) { b.push_back(static_cast<BYTE>(v)); return *this; }
    Pack& u16(unsigned v) { u8(v & 0xFF); return u8((v >> 8) & 0xFF); }
    Pack& u32(unsigned long v) { u16(v & 0xFFFF); return u16((v >> 16) & 0xFFFF); }
    Pack& f64(double d)
    {
        unsigned long long bits;
        std::memcpy(&bits, &d, 8);
        for (int i = 0; i < 8; ++i)
            u8(static_cast<unsigned>((bits >> (8 * i)) & 0xFF));
        return *this;
    }
    Pack& text(const std::string& s) { b.insert(b.end(), s.begin(), s.end()); return *this; }
};

template <typename F>
Bytes Store(F write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes out(file.GetLength());
    file.SeekToBegin();
    file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

template <typename F>
void Load(const Bytes& bytes, F read, int bufSize = 4096)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load, bufSize);
    read(ar);
}

void DeleteAll(CObArray& a)
{
    for (int i = 0; i < a.GetSize(); ++i) {
        bool seen = false;
        for (int j = 0; j < i; ++j)
            seen = seen || a[j] == a[i];
        if (!seen)
            delete a[i];
    }
    a.RemoveAll();
}

} // namespace

// A small archivable class for the object-tag tests.
class CTagSample : public CObject {
    DECLARE_SERIAL(CTagSample)
public:
    CTagSample() = default;
    CTagSample(WORD a, double b) : m_a(a), m_b(b) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_a << m_b;
        else
            ar >> m_a >> m_b;
    }
    WORD m_a = 0;
    double m_b = 0;
};
IMPLEMENT_SERIAL(CTagSample, CObject, 0)

class CTagOther : public CObject {
    DECLARE_SERIAL(CTagOther)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_v;
        else
            ar >> m_v;
    }
    BYTE m_v = 7;
};
IMPLEMENT_SERIAL(CTagOther, CObject, 0)

// Creatable by name but without an archive form.
class CTagWindowLike : public CObject {
    DECLARE_DYNCREATE(CTagWindowLike)
};
IMPLEMENT_DYNCREATE(CTagWindowLike, CObject)

// A class whose loaded form holds another object, for references back to earlier objects.
// A class that reads its older schema itself.
class CTagVersioned : public CObject {
    DECLARE_SERIAL(CTagVersioned)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_v;
        } else {
            m_readSchema = ar.GetObjectSchema();
            if (m_readSchema >= 2)
                ar >> m_v;
        }
    }
    WORD m_v = 0;
    UINT m_readSchema = 0;
};
IMPLEMENT_SERIAL(CTagVersioned, CObject, VERSIONABLE_SCHEMA | 2)

class CTagHolder : public CObject {
    DECLARE_SERIAL(CTagHolder)
public:
    ~CTagHolder() override { delete m_owned; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_owned << m_ref;
        else
            ar >> m_owned >> m_ref;
    }
    CObject* m_owned = nullptr;
    CObject* m_ref = nullptr;
};
IMPLEMENT_SERIAL(CTagHolder, CObject, 0)

TEST(Archive, PrimitivesAreLittleEndianWithoutPadding)
{
    Bytes got = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0x89ABCDEF) << static_cast<short>(-3) << 1.5 << 2.5f << 'Z';
    });
    Pack want;
    want.u8(0x12).u16(0x3456).u32(0xFFFFFFFE).u32(0x89ABCDEF).u16(0xFFFD).f64(1.5);
    want.u8(0x00).u8(0x00).u8(0x20).u8(0x40); // 2.5f
    want.u8('Z');
    EXPECT_EQ(got, want.b);

    Load(got, [](CArchive& ar) {
        BYTE by; WORD w; LONG l; DWORD dw; short s; double d; float f; char c;
        ar >> by >> w >> l >> dw >> s >> d >> f >> c;
        EXPECT_EQ(by, 0x12);
        EXPECT_EQ(w, 0x3456);
        EXPECT_EQ(l, -2);
        EXPECT_EQ(dw, 0x89ABCDEFu);
        EXPECT_EQ(s, -3);
        EXPECT_EQ(d, 1.5);
        EXPECT_EQ(f, 2.5f);
        EXPECT_EQ(c, 'Z');
    });
}

TEST(Archive, PointsSizesAndRectanglesAreConsecutiveLongs)
{
    Bytes got = Store([](CArchive& ar) { ar << CPoint(1, -1) << CSize(2, 3) << CRect(4, 5, 6, 7); });
    Pack want;
    want.u32(1).u32(0xFFFFFFFF).u32(2).u32(3).u32(4).u32(5).u32(6).u32(7);
    EXPECT_EQ(got, want.b);
    Load(got, [](CArchive& ar) {
        CPoint p;
        CSize s;
        CRect r;
        ar >> p >> s >> r;
        EXPECT_EQ(p, CPoint(1, -1));
        EXPECT_EQ(s, CSize(2, 3));
        EXPECT_EQ(r, CRect(4, 5, 6, 7));
    });
}

TEST(Archive, StringLengthPrefixes)
{
    struct Case {
        size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {3, {0x03}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'a');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('A' + i % 26);
        Bytes got = Store([&](CArchive& ar) { ar << CString(text); });
        Bytes want = c.prefix;
        want.insert(want.end(), text.begin(), text.end());
        EXPECT_EQ(got, want) << "length " << c.length;
        // A small buffer makes the reader cross many refills.
        Load(got, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_EQ(back.Std(), text) << "length " << c.length;
        }, 128);
    }
    EXPECT_EQ(Store([](CArchive& ar) { ar << CString("ABC"); }), (Bytes{0x03, 'A', 'B', 'C'}));
}

TEST(Archive, StringKeepsShiftJisBytes)
{
    CString text("表示レイヤ");
    Bytes got = Store([&](CArchive& ar) { ar << text; });
    ASSERT_EQ(got.size(), 11u);
    EXPECT_EQ(got[0], 10);
    EXPECT_EQ(got[1], 0x95);
    EXPECT_EQ(got[2], 0x5C);
    Load(got, [&](CArchive& ar) {
        CString back;
        ar >> back;
        EXPECT_EQ(back, text);
    });
}

TEST(Archive, ReadsTheWideStringForm)
{
    // 0xFF 0xFFFE announces UTF-16; then the character count and the characters.
    Pack p;
    p.u8(0xFF).u16(0xFFFE).u8(3).u16('A').u16(0x8868).u16('z'); // A 表 z
    Load(p.b, [](CArchive& ar) {
        CString back;
        ar >> back;
        EXPECT_EQ(back, CString("A表z"));
    });
}

TEST(Archive, Counts)
{
    struct Case {
        DWORD count;
        Bytes bytes;
    };
    const Case cases[] = {
        {3, {0x03, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        Bytes got = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(got, c.bytes) << c.count;
        Load(got, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c.count); });
    }
}

TEST(Archive, ObjectArrayWithClassTagsAndNull)
{
    CTagSample first(0x0102, 1.0);
    CTagSample second(0x0304, -2.0);
    CObArray array;
    array.Add(&first);
    array.Add(&second);
    array.Add(nullptr);

    Bytes got = Store([&](CArchive& ar) { array.Serialize(ar); });
    Pack want;
    want.u16(3);
    want.u16(0xFFFF).u16(0).u16(10).text("CTagSample").u16(0x0102).f64(1.0);
    want.u16(0x8001).u16(0x0304).f64(-2.0);
    want.u16(0x0000);
    EXPECT_EQ(got, want.b);

    CObArray back;
    Load(got, [&](CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetSize(), 3);
    ASSERT_NE(back[0], nullptr);
    ASSERT_TRUE(back[0]->IsKindOf(RUNTIME_CLASS(CTagSample)));
    EXPECT_EQ(static_cast<CTagSample*>(back[0])->m_a, 0x0102);
    EXPECT_EQ(static_cast<CTagSample*>(back[1])->m_b, -2.0);
    EXPECT_EQ(back[2], nullptr);
    DeleteAll(back);
}

TEST(Archive, RepeatedObjectIsWrittenAsReference)
{
    // Map indices: 1 = class CTagSample, 2 = the object; a second store of it is tag 0x0002.
    CTagSample one(5, 0.5);
    CObArray array;
    array.Add(&one);
    array.Add(&one);
    Bytes got = Store([&](CArchive& ar) { array.Serialize(ar); });
    Pack want;
    want.u16(2).u16(0xFFFF).u16(0).u16(10).text("CTagSample").u16(5).f64(0.5).u16(0x0002);
    EXPECT_EQ(got, want.b);

    CObArray back;
    Load(got, [&](CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[0], back[1]);
    DeleteAll(back);
}

TEST(Archive, BigTagsPastTheSixteenBitRange)
{
    // 0x7FFE distinct objects of one class fill the small tag range; the next class and the
    // references to late objects take the 32-bit forms.
    const int n = 0x8000;
    std::vector<CTagOther> objects(n);
    CTagSample last(1, 2.0);
    Bytes got = Store([&](CArchive& ar) {
        for (auto& o : objects)
            ar << &o;
        ar << &last;               // new class: index 1 + n + 1 = 0x8002, object 0x8003
        ar << &objects[n - 1];     // object index n + 1 = 0x8001
        ar << &last;               // object index 0x8003
        CTagSample another(3, 4.0);
        ar << &another;            // class reference 0x8002 in the big form
    });
    size_t pos = 6 + 9 + 1;        // first object: FFFF, schema, length, name, one byte field
    pos += static_cast<size_t>(n - 1) * 3; // each further object: 01 80 + one byte
    pos += 2 + 2 + 2 + 10 + 2 + 8; // the new class and its object
    Pack tail;
    tail.u16(0x7FFF).u32(0x8001);
    tail.u16(0x7FFF).u32(0x8003);
    tail.u16(0x7FFF).u32(0x80008002UL).u16(3).f64(4.0);
    ASSERT_EQ(got.size(), pos + tail.b.size());
    EXPECT_TRUE(std::equal(tail.b.begin(), tail.b.end(), got.begin() + static_cast<long>(pos)));

    Load(got, [&](CArchive& ar) {
        std::vector<CObject*> read;
        for (int i = 0; i < n + 4; ++i)
            read.push_back(ar.ReadObject(nullptr));
        EXPECT_EQ(read[n + 1], read[n - 1]);
        EXPECT_EQ(read[n + 2], read[n]);
        ASSERT_TRUE(read[n + 3]->IsKindOf(RUNTIME_CLASS(CTagSample)));
        EXPECT_EQ(static_cast<CTagSample*>(read[n + 3])->m_a, 3);
        for (int i = 0; i < n + 4; ++i)
            if (i != n + 1 && i != n + 2)
                delete read[i];
    });
}

TEST(Archive, WordStringAndPointerArrayForms)
{
    CWordArray words;
    words.Add(1);
    words.Add(0xBEEF);
    CStringArray strings;
    strings.Add("ab");
    strings.Add("");
    CPtrArray pointers;
    pointers.Add(&words);
    CDWordArray dwords;
    dwords.Add(0x01020304);
    Bytes got = Store([&](CArchive& ar) {
        words.Serialize(ar);
        strings.Serialize(ar);
        pointers.Serialize(ar);
        dwords.Serialize(ar);
    });
    Pack want;
    want.u16(2).u16(1).u16(0xBEEF);
    want.u16(2).u8(2).text("ab").u8(0);
    want.u16(1).u32(0x01020304);
    EXPECT_EQ(got, want.b);

    CWordArray w2;
    CStringArray s2;
    CPtrArray p2;
    CDWordArray d2;
    Load(got, [&](CArchive& ar) {
        w2.Serialize(ar);
        s2.Serialize(ar);
        p2.Serialize(ar);
        d2.Serialize(ar);
    });
    EXPECT_EQ(w2.Vector(), words.Vector());
    EXPECT_EQ(s2.GetSize(), 2);
    EXPECT_EQ(s2[0], CString("ab"));
    EXPECT_EQ(p2.GetSize(), 0);
    EXPECT_EQ(d2[0], 0x01020304u);
}

TEST(Archive, ReadingPastTheEndThrows)
{
    struct Case {
        const char* what;
        Bytes bytes;
        std::function<void(CArchive&)> read;
    };
    const Case cases[] = {
        {"word from one byte", {0x01}, [](CArchive& ar) { WORD w; ar >> w; }},
        {"double from nothing", {}, [](CArchive& ar) { double d; ar >> d; }},
        {"string shorter than its length", {0x05, 'a', 'b'}, [](CArchive& ar) { CString s; ar >> s; }},
        {"huge string length cut short", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'x'},
         [](CArchive& ar) { CString s; ar >> s; }},
        {"word array shorter than its count", {0x03, 0x00, 0x01, 0x00},
         [](CArchive& ar) { CWordArray a; a.Serialize(ar); }},
        {"huge count of strings", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x00},
         [](CArchive& ar) { CStringArray a; a.Serialize(ar); }},
    };
    for (const Case& c : cases) {
        try {
            Load(c.bytes, c.read);
            ADD_FAILURE() << c.what << ": no exception";
        } catch (CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::endOfFile) << c.what;
        }
    }
}

TEST(Archive, MalformedTagsAreRefused)
{
    struct Case {
        const char* what;
        Bytes bytes;
        int cause;
    };
    Pack unknownClass;
    unknownClass.u16(0xFFFF).u16(0).u16(6).text("CNoSuch");
    Pack wrongSchema;
    wrongSchema.u16(0xFFFF).u16(1).u16(10).text("CTagSample");
    Pack notStorable;
    notStorable.u16(0xFFFF).u16(0x7FFF).u16(14).text("CTagWindowLike");
    Pack longName;
    longName.u16(0xFFFF).u16(0).u16(200).text(std::string(200, 'C'));
    Pack objectAsClass; // class record 1, object 2, then "class 2" which is an object
    objectAsClass.u16(0xFFFF).u16(0).u16(9).text("CTagOther").u8(1).u16(0x8002);
    Pack classAsObject; // reference to index 1, which is a class record
    classAsObject.u16(0xFFFF).u16(0).u16(9).text("CTagOther").u8(1).u16(0x0001);
    const Case cases[] = {
        {"unknown class name", unknownClass.b, CArchiveException::badClass},
        {"schema other than the class's", wrongSchema.b, CArchiveException::badSchema},
        {"class name too long", longName.b, CArchiveException::badClass},
        {"class without an archive form", notStorable.b, CArchiveException::badClass},
        {"reference to an object never read", {0x05, 0x00}, CArchiveException::badIndex},
        {"class reference never read", {0x03, 0x80}, CArchiveException::badIndex},
        {"class index zero", {0x00, 0x80}, CArchiveException::badIndex},
        {"big object tag out of range", {0xFF, 0x7F, 0x10, 0x00, 0x00, 0x00}, CArchiveException::badIndex},
        {"class reference naming an object", objectAsClass.b, CArchiveException::badIndex},
        {"object reference naming a class", classAsObject.b, CArchiveException::badIndex},
    };
    for (const Case& c : cases) {
        try {
            Load(c.bytes, [](CArchive& ar) {
                CObject* first = ar.ReadObject(nullptr);
                std::unique_ptr<CObject> owner(first);
                CObject* second = ar.ReadObject(nullptr);
                (void)second;
            });
            ADD_FAILURE() << c.what << ": no exception";
        } catch (CArchiveException& e) {
            EXPECT_EQ(e.m_cause, c.cause) << c.what;
        }
    }
}

TEST(Archive, RequestedClassMustMatch)
{
    CTagOther other;
    Bytes got = Store([&](CArchive& ar) { ar << &other; });
    try {
        Load(got, [](CArchive& ar) {
            CTagSample* p = nullptr;
            ar >> p;
        });
        ADD_FAILURE() << "no exception";
    } catch (CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badClass);
    }
}

TEST(Archive, NestedObjectsAndBackReferences)
{
    CTagSample inner(9, 9.5);
    CTagHolder outer;
    outer.m_owned = &inner;
    outer.m_ref = &outer;
    Bytes got = Store([&](CArchive& ar) { ar << &outer; });
    outer.m_owned = nullptr;
    Load(got, [](CArchive& ar) {
        CObject* p = ar.ReadObject(RUNTIME_CLASS(CTagHolder));
        auto* h = static_cast<CTagHolder*>(p);
        ASSERT_NE(h->m_owned, nullptr);
        EXPECT_EQ(static_cast<CTagSample*>(h->m_owned)->m_a, 9);
        EXPECT_EQ(h->m_ref, h);
        delete h;
    });
}

TEST(Archive, ObjectsNestedPastAnyRealDepthAreRefused)
{
    // Arrays each holding the next: a damaged archive repeating four bytes must end in the
    // archive exception, not run the reader's recursion out of stack.
    auto nested = [](int levels) {
        Pack p;
        p.u16(0xFFFF).u16(0).u16(8).text("CObArray").u16(1);
        for (int i = 1; i < levels; ++i)
            p.u16(0x8001).u16(1);
        p.u16(0);
        return p.b;
    };
    Load(nested(200), [](CArchive& ar) {
        CObject* top = ar.ReadObject(nullptr);
        int depth = 0;
        while (top != nullptr) {
            auto* array = static_cast<CObArray*>(top);
            ASSERT_EQ(array->GetSize(), 1);
            top = array->GetAt(0);
            delete array;
            ++depth;
        }
        EXPECT_EQ(depth, 200);
    });
    try {
        Load(nested(100000), [](CArchive& ar) { ar.ReadObject(nullptr); });
        ADD_FAILURE() << "no exception";
    } catch (CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::generic);
    }
}

TEST(Archive, LoadingFlushPutsTheFileBackAfterTheTakenBytes)
{
    Bytes data = {1, 2, 3, 4, 5, 6, 7, 8};
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    {
        CArchive ar(&file, CArchive::load);
        WORD w;
        ar >> w;
        ar.Close();
    }
    EXPECT_EQ(file.GetPosition(), 2u);
}

TEST(Archive, VersionableClassReadsAnOlderSchema)
{
    // Stored with schema 2 (the class's own), and by hand with schema 1, which holds no field.
    CTagVersioned current;
    current.m_v = 0x0A0B;
    Bytes got = Store([&](CArchive& ar) { ar << &current; });
    Pack want;
    want.u16(0xFFFF).u16(2).u16(13).text("CTagVersioned").u16(0x0A0B);
    EXPECT_EQ(got, want.b);
    Pack older;
    older.u16(0xFFFF).u16(1).u16(13).text("CTagVersioned");
    for (const Bytes* bytes : {&got, &older.b}) {
        Load(*bytes, [&](CArchive& ar) {
            std::unique_ptr<CObject> p(ar.ReadObject(RUNTIME_CLASS(CTagVersioned)));
            auto* v = static_cast<CTagVersioned*>(p.get());
            bool isOlder = bytes == &older.b;
            EXPECT_EQ(v->m_readSchema, isOlder ? 1u : 2u);
            EXPECT_EQ(v->m_v, isOlder ? 0 : 0x0A0B);
        });
    }
}

TEST(Archive, WrongDirectionIsRefused)
{
    Bytes empty;
    try {
        Load(empty, [](CArchive& ar) { ar << static_cast<WORD>(1); ar.Flush(); });
        ADD_FAILURE() << "write while loading";
    } catch (CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::readOnly);
    }
    try {
        Store([](CArchive& ar) { WORD w; ar >> w; });
        ADD_FAILURE() << "read while storing";
    } catch (CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::writeOnly);
    }
}
