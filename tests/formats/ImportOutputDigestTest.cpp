// The bytes the program writes after importing generated DXF files: the drawing file, a DXF
// export of it, and the drawing file written again after reading it back. The digests were taken
// from the program as it was before its import, export and drawing-file paths were made faster;
// any change of one element, one rounding or one written byte changes them.
#include "tests/formats/DxfReaderTestSupport.h"
#include "tests/formats/GeneratedDxf.h"

#include <cinttypes>
#include <cstdint>
#include <iterator>

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// FNV-1a over the bytes, printed with the byte count.
std::string Digest(const std::string& bytes)
{
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 0x100000001B3ull;
    }
    char out[48];
    std::snprintf(out, sizeof out, "%zu:%016" PRIx64, bytes.size(), h);
    return out;
}

class ImportOutputDigest : public DxfImport {
protected:
    struct Digests {
        std::string native, exported, reread;
        size_t lines = 0, circles = 0, arcs = 0, texts = 0;
    };

    Digests Run(bool (*generate)(const std::string&, int), int n)
    {
        const std::string dxf = Path("generated.dxf");
        EXPECT_TRUE(generate(dxf, n));
        int replaced = 0;
        EXPECT_EQ(m_view.ReadDxfData(CString(dxf.c_str()), &replaced), 1);
        m_doc->ComputeExtents();
        Digests d;
        d.lines = Lines().size();
        d.circles = Circles().size();
        d.arcs = Arcs().size();
        d.texts = Texts().size();
        const std::string zel = Path("generated.zel");
        EXPECT_TRUE(m_view.WriteNativeFile(CString(zel.c_str()), 0));
        d.native = Digest(FileBytes(zel));
        const std::string out = Path("exported.dxf");
        EXPECT_TRUE(m_doc->WriteDxfFile(CString(out.c_str())));
        d.exported = Digest(FileBytes(out));

        TearDown();
        SetUp();
        EXPECT_TRUE(m_doc->LoadNativeFile(CString(zel.c_str())));
        const std::string again = Path("again.zel");
        EXPECT_TRUE(m_view.WriteNativeFile(CString(again.c_str()), 0));
        d.reread = Digest(FileBytes(again));
        return d;
    }
};

TEST_F(ImportOutputDigest, MixedFileWritesTheSameBytes)
{
    const Digests d = Run(gendxf::WriteMixed, 6000);
    // Every kind is there: lines (also from polylines), circles, arcs (also from bulges), texts.
    EXPECT_GT(d.lines, 1200u);
    EXPECT_GT(d.circles, 1000u);
    EXPECT_GT(d.arcs, 1200u);
    EXPECT_GT(d.texts, 1000u);
    EXPECT_EQ(d.native, "539669:e85beec3997c7791");
    EXPECT_EQ(d.exported, "1210698:61a6449447144dc0");
    EXPECT_EQ(d.reread, "539669:e85beec3997c7791");
}

TEST_F(ImportOutputDigest, LineFileWritesTheSameBytes)
{
    const Digests d = Run(gendxf::WriteLines, 20000);
    EXPECT_EQ(d.native, "882788:f2a6b2ce3be0cf21");
    EXPECT_EQ(d.exported, "2219178:58174a3f7b8aa079");
    EXPECT_EQ(d.reread, "882788:f2a6b2ce3be0cf21");
}

}  // namespace
