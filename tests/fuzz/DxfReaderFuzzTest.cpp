// Seeded mutation runs over DXF input: damaged files are read as far as they go and never
// crash, hang or leave the document's tables inconsistent.
#include "tests/formats/DxfReaderTestSupport.h"

#include "formats/DxfReader.h"
#include "tests/fuzz/FuzzKnobs.h"

#include <cstring>
#include <random>

namespace {

std::string SampleDrawing(bool padded, bool lf)
{
    DxfText f(padded, lf);
    f.Section("HEADER").G(9, "$ACADVER").G(1, "AC1009").EndSec();
    f.Section("TABLES").G(0, "TABLE").G(2, "LTYPE").G(0, "LTYPE").G(2, "DOT").G(73, "2")
        .G(40, 6.35).G(49, 0.0).G(49, -6.35).G(0, "LTYPE").G(2, "DASH").G(73, "2").G(49, 3.0)
        .G(49, -3.0).G(0, "ENDTAB").EndSec();
    f.Section("BLOCKS").G(0, "BLOCK").G(8, "0").G(2, "B").G(10, 1.0).G(20, 0.0)
        .G(0, "LINE").G(8, "BL").G(6, "DOT").G(10, 1.0).G(20, 0.0).G(11, 5.0).G(21, 0.0)
        .G(0, "ARC").G(10, 0.0).G(20, 0.0).G(40, 2.0).G(50, 10.0).G(51, 350.0)
        .G(0, "TEXT").G(10, 0.0).G(20, 0.0).G(40, 2.5).G(1, "\\U+2205図").G(72, "1")
        .G(11, 3.0).G(21, 0.0).G(0, "POLYLINE").G(70, "1").G(0, "VERTEX").G(10, 0.0)
        .G(20, 0.0).G(42, 0.5).G(0, "VERTEX").G(10, 3.0).G(20, 0.0).G(0, "SEQEND")
        .G(0, "ENDBLK").G(0, "BLOCK").G(2, "C").G(0, "INSERT").G(2, "B").G(10, 2.0)
        .G(20, 2.0).G(41, 2.0).G(50, 45.0).G(0, "ENDBLK").G(0, "BLOCK").G(2, "*D1")
        .G(0, "TEXT").G(10, 1.0).G(20, 1.0).G(40, 0.0).G(1, "10").G(0, "ENDBLK").EndSec();
    f.Section("ENTITIES").LineEnt(0, 0, 10, 5, "WALLS").G(0, "CIRCLE").G(62, "3").G(10, 1.0)
        .G(20, 1.0).G(40, 4.0).G(0, "TEXT").G(7, "ROMANS").G(10, 0.0).G(20, 0.0).G(40, 3.5)
        .G(41, 0.8).G(1, "ABC").G(72, "5").G(11, 9.0).G(21, 0.0).G(0, "POLYLINE").G(40, 1.0)
        .G(41, 1.0).G(70, "1").G(0, "VERTEX").G(10, 0.0).G(20, 0.0).G(42, -1.0)
        .G(0, "VERTEX").G(10, 5.0).G(20, 5.0).G(40, 0.5).G(41, 0.2).G(0, "VERTEX").G(10, 9.0)
        .G(20, 1.0).G(0, "SEQEND").G(0, "SOLID").G(10, 0.0).G(20, 0.0).G(11, 1.0).G(21, 0.0)
        .G(12, 1.0).G(22, 1.0).G(13, 0.0).G(23, 1.0).G(0, "POINT").G(10, 4.0).G(20, 4.0)
        .G(0, "INSERT").G(8, "INS").G(2, "C").G(10, 50.0).G(20, 50.0).G(41, 1.0).G(42, 3.0)
        .G(50, 300.0).G(0, "DIMENSION").G(2, "*D1").G(11, 5.0).G(21, 5.0).G(70, "160")
        .EndSec().Eof();
    return f.Str();
}

std::string Mutate(std::string s, std::mt19937& rng)
{
    static const char* kTokens[] = {"  0", "\r\n", "\n", "ENDSEC", "BLOCK", "ENDBLK", "INSERT",
                                    "  2", "C", "B", "VERTEX", "SEQEND", " 42", "1e308", "-1e308",
                                    "nan", "inf", " 62", "-5", "99999", " 70", "     1", "\r",
                                    "ENTITIES", "BLOCKS", "TABLES", "LTYPE", " 73", " 49"};
    int steps = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < steps && !s.empty(); ++i) {
        size_t at = rng() % s.size();
        switch (rng() % 6) {
        case 0:
            s[at] = static_cast<char>(rng());
            break;
        case 1:
            s.erase(at, 1 + rng() % 40);
            break;
        case 2:
            s.insert(at, kTokens[rng() % std::size(kTokens)]);
            break;
        case 3: {
            size_t len = 1 + rng() % 200;
            if (at + len <= s.size())
                s.insert(rng() % s.size(), s.substr(at, len));
            break;
        }
        case 4:
            s.resize(at);
            break;
        default:
            s.insert(at, std::string(1 + rng() % 1100, 'x'));
            break;
        }
    }
    return s;
}

class DxfReaderFuzz : public DxfImport {};

TEST_F(DxfReaderFuzz, MutatedInputNeverBreaksTheImport)
{
    const std::string samples[] = {SampleDrawing(true, false), SampleDrawing(false, true)};
    std::mt19937 rng(fuzz_knobs::Seed(20261210));
    for (int round = 0; round < fuzz_knobs::Rounds(4000); ++round) {
        if (round % 100 == 0) {
            TearDown();
            SetUp();
        }
        std::string input = Mutate(samples[round % 2], rng);
        int replaced = 0;
        CDxfReader reader(m_doc.get(), reinterpret_cast<const BYTE*>(input.data()),
                          static_cast<int>(input.size()), &replaced);
        int result = reader.Run();
        ASSERT_TRUE(result == 0 || result == 1);
        ASSERT_LE(m_doc->m_colors.GetSize(), 257);
    }
    // Everything read refers to existing tables.
    for (const LineV& l : Lines()) {
        EXPECT_GE(l.layer, 0);
        EXPECT_LT(l.layer, m_doc->m_layers.GetSize());
        EXPECT_LT(l.pen, m_doc->m_pens.GetSize());
    }
    for (const TextV& t : Texts())
        EXPECT_LT(std::strlen(t.font->m_logFont.lfFaceName), sizeof t.font->m_logFont.lfFaceName);
}

}  // namespace
