// DXF export: header values from the settings, the extents rule, entity records, arc angles,
// text placement and the layers of the active view.
#include "DxfTestSupport.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Lines.h"
#include "elements/Layer.h"
#include "elements/TypeFont.h"
#include "formats/DxfWriter.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string ReadRaw(const CString& path)
{
    CFile f(path, CFile::modeRead);
    std::string bytes(f.GetLength(), '\0');
    f.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

class DxfWriterTest : public DxfFixture {
protected:
    CString m_path = ProgramFolder() + "out.dxf";

    void Extents(double l, double t, double r, double b) { m_doc->m_extents.Init(l, t, r, b); }
    std::int16_t BlackPen() { return m_doc->FindOrAddPen(0, 1, RGB(1, 2, 3), 0, 70); }

    // The file as lines, after checking that every line ends in CR LF.
    std::vector<std::string> Write()
    {
        EXPECT_TRUE(m_doc->WriteDxfFile(m_path));
        std::string raw = ReadRaw(m_path);
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < raw.size()) {
            size_t lf = raw.find('\n', start);
            EXPECT_NE(lf, std::string::npos);
            EXPECT_GT(lf, start);
            EXPECT_EQ(raw[lf - 1], '\r');
            lines.push_back(raw.substr(start, lf - 1 - start));
            start = lf + 1;
        }
        return lines;
    }
};

// The value line after the first occurrence of "  9" name (and, when given, a later code).
std::string HeaderValue(const std::vector<std::string>& lines, const std::string& name, const std::string& code = "")
{
    for (size_t i = 0; i + 2 < lines.size(); ++i) {
        if (lines[i] == "  9" && lines[i + 1] == name) {
            if (code.empty())
                return lines[i + 3];
            for (size_t j = i + 2; j + 1 < lines.size() && lines[j] != "  9"; j += 2)
                if (lines[j] == code)
                    return lines[j + 1];
        }
    }
    return "<missing>";
}

// The lines of the entity records of the ENTITIES section, from the "  0" before each name.
std::vector<std::vector<std::string>> Entities(const std::vector<std::string>& lines)
{
    std::vector<std::vector<std::string>> out;
    size_t i = 0;
    while (i + 1 < lines.size() && !(lines[i] == "  2" && lines[i + 1] == "ENTITIES"))
        ++i;
    i += 2;
    while (i + 1 < lines.size() && lines[i + 1] != "ENDSEC") {
        std::vector<std::string> record{lines[i + 1]};
        i += 2;
        while (i + 1 < lines.size() && lines[i] != "  0") {
            record.push_back(lines[i]);
            record.push_back(lines[i + 1]);
            i += 2;
        }
        out.push_back(record);
    }
    return out;
}

} // namespace

TEST_F(DxfWriterTest, HeaderCarriesTheSettings)
{
    m_app->m_appText.m_heightTenths = 35;
    auto lines = Write();
    const std::vector<std::string> head = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1009"};
    ASSERT_GE(lines.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8), head);
    struct Case {
        const char* name;
        const char* value;
    } cases[] = {
        {"$TEXTSIZE", "3.5"}, {"$DIMDLI", "3.5"},   {"$DIMTXT", "3.5"},  {"$TRACEWID", "0.5"},
        {"$DIMASZ", "3"},     {"$DIMDLE", "6"},     {"$DIMEXE", "1"},    {"$LUPREC", "      6"},
        {"$DIMRND", "0.00"},  {"$AUPREC", "     0"}, {"$CLAYER", "0"},   {"$DIMSCALE", "1"},
        {"$DIMLFAC", "1"},    {"$CELTYPE", "CONTINUOUS"}, {"$PSLTSCALE", "     1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HeaderValue(lines, c.name), c.value) << c.name;
    // The standard text style carries the height too.
    for (size_t i = 0; i + 16 < lines.size(); ++i)
        if (lines[i] == "  0" && lines[i + 1] == "STYLE") {
            EXPECT_EQ(lines[i + 15], "3.5");
        }
    EXPECT_EQ(lines.back(), "EOF");
}

TEST_F(DxfWriterTest, DrawingScaleAndCurrentPenReachTheHeader)
{
    m_doc->m_ratio = 2.0;
    m_app->m_appElem.m_lineType = 5;
    m_app->m_appElem.m_dimDecimals = 0;
    auto lines = Write();
    EXPECT_EQ(HeaderValue(lines, "$DIMSCALE"), "2");
    EXPECT_EQ(HeaderValue(lines, "$DIMLFAC"), "0.5");
    EXPECT_EQ(HeaderValue(lines, "$CELTYPE"), "BYLAYER");
    EXPECT_EQ(HeaderValue(lines, "$DIMRND"), "0.");
    m_doc->m_ratio = 0.0;
    lines = Write();
    EXPECT_EQ(HeaderValue(lines, "$DIMSCALE"), "0");
    EXPECT_EQ(HeaderValue(lines, "$DIMLFAC"), "1");
}

TEST_F(DxfWriterTest, ExtentsTakeTheSidesOfAPaperSheet)
{
    Extents(0, 100, 100, 0);
    auto lines = Write();
    EXPECT_EQ(HeaderValue(lines, "$EXTMAX", " 10"), "141.4");
    EXPECT_EQ(HeaderValue(lines, "$EXTMAX", " 20"), "100.");
    EXPECT_EQ(HeaderValue(lines, "$LIMMAX", " 10"), "141.4");
    EXPECT_EQ(HeaderValue(lines, "$EXTMIN", " 10"), "0.");

    Extents(0, 100, 300, 0);
    lines = Write();
    EXPECT_EQ(HeaderValue(lines, "$EXTMAX", " 10"), "300.");
    EXPECT_EQ(HeaderValue(lines, "$EXTMAX", " 20"), "212.164074");
}

TEST_F(DxfWriterTest, LineRecordAndColorNumbers)
{
    m_doc->AddLine(Pt(0, 0), Pt(10, 5), 0, BlackPen());
    auto ents = Entities(Write());
    ASSERT_EQ(ents.size(), 1u);
    const std::vector<std::string> want = {"LINE", "  8", "0", "  6", "CONTINUOUS", " 62", "    256",
                                           " 10", "0.", " 20", "0.", " 11", "10.", " 21", "5."};
    EXPECT_EQ(ents[0], want);

    // Black and the settings' first table color get their own numbers.
    m_doc->AddLine(Pt(0, 0), Pt(1, 1), 0, m_doc->FindOrAddPen(1, 1, RGB(0, 0, 0), 0, 70));
    ents = Entities(Write());
    ASSERT_EQ(ents.size(), 2u);
    EXPECT_EQ(ents[1][4], "DASHED");
    EXPECT_EQ(ents[1][6], "     18");
}

TEST_F(DxfWriterTest, ArcAnglesAreWrittenWithinOneTurn)
{
    std::int16_t pen = BlackPen();
    m_doc->AddArc(Pt(0, 0), 5, Pt(350, 370), 0, pen);
    m_doc->AddArc(Pt(0, 0), 5, Pt(10, 359.99999999999), 0, pen);
    m_doc->AddArc(Pt(0, 0), 5, Pt(300, 420), 0, pen);
    auto ents = Entities(Write());
    ASSERT_EQ(ents.size(), 3u);
    EXPECT_EQ(ents[0][14], "-10.");
    EXPECT_EQ(ents[0][16], "10.");
    EXPECT_EQ(ents[1][14], "10.");
    EXPECT_EQ(ents[1][16], "360.");
    EXPECT_EQ(ents[2][14], "-60.");
    EXPECT_EQ(ents[2][16], "60.");
}

TEST_F(DxfWriterTest, TextPlacementAndDiameterSign)
{
    LOGFONT lf{};
    std::strcpy(lf.lfFaceName, "ＭＳ ゴシック");
    std::int16_t font = m_doc->FindOrAddFont(lf, 35, 70, 1, 0.0);
    m_doc->AddText(Pt(100, 50), "ABCD", RGB(0, 0, 0), 38, 0, font);
    m_doc->AddText(Pt(0, 0), "Φ1φ2", RGB(0, 0, 0), 8, 0, font);
    m_doc->AddText(Pt(0, 0), "φ3φ4", RGB(0, 0, 0), 8, 0, font);
    m_doc->AddText(Pt(0, 0), CString('x', 2000), RGB(0, 0, 0), 8, 0, font);
    auto ents = Entities(Write());
    ASSERT_EQ(ents.size(), 4u);
    const std::vector<std::string> want = {
        "TEXT", "  8", "0", " 62", "     18", " 10", "93.", " 20", "46.5", " 40", "7.", " 41", "0.5",
        "  1", "ABCD", " 50", "0.", "  7", "ＭＳ ゴシック", " 72", "     1", " 73", "     2",
        " 11", "100.", " 21", "50."};
    EXPECT_EQ(ents[0], want);
    EXPECT_EQ(ents[1][14], "\\U+22051φ2");
    EXPECT_EQ(ents[2][14], "\\U+22053φ4");
    EXPECT_EQ(ents[3][14].size(), 1023u);
}

TEST_F(DxfWriterTest, OnlyLiveElementsOfDisplayedLayersAreWritten)
{
    std::int16_t pen = BlackPen();
    std::int16_t hidden = m_doc->FindOrCreateLayer("HIDE");
    CLines* block = m_doc->AddLine(Pt(0, 0), Pt(1, 0), 0, pen);
    m_doc->AddLine(Pt(0, 0), Pt(2, 0), hidden, pen);
    m_doc->AddLine(Pt(0, 0), Pt(3, 0), 0, pen);
    block->m_slots[2].m_state = 0x88;
    m_doc->AddCircle(Pt(0, 0), 1, hidden, pen);

    CZelkView view;
    view.m_showAllLayers = 0;
    view.m_layerStates.SetAtGrow(hidden, 1);
    m_app->m_activeView = &view;
    auto lines = Write();
    auto ents = Entities(lines);
    ASSERT_EQ(ents.size(), 1u);
    EXPECT_EQ(ents[0][12], "1.");
    // The hidden layer is still in the layer table.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HIDE"), lines.end());

    view.m_showAllLayers = 1;
    EXPECT_EQ(Entities(Write()).size(), 3u);
    m_app->m_activeView = nullptr;
}

TEST_F(DxfWriterTest, EllipsesAndCurvesBecomeLineRuns)
{
    std::int16_t pen = BlackPen();
    m_doc->AddCurve(1, {Pt(0, 0), Pt(1, 0), Pt(1, 1)}, 0, pen);
    m_doc->AddConic(Pt(0, 0), 10, 0.5, Pt(0, 360), 0, 0, pen);
    auto ents = Entities(Write());
    // Ellipses come before curves: the ellipse's polyline, then the curve's two segments.
    ASSERT_GT(ents.size(), 10u);
    const auto& first = ents[ents.size() - 2];
    const auto& second = ents[ents.size() - 1];
    EXPECT_EQ(first[0], "LINE");
    EXPECT_EQ(first[12], "1.");
    EXPECT_EQ(first[14], "0.");
    EXPECT_EQ(second[8], "1.");
    EXPECT_EQ(second[14], "1.");
    EXPECT_EQ(ents[0][8], "10.");  // the ellipse starts on its major axis
}

TEST_F(DxfWriterTest, AFailedExportKeepsThePreviousFile)
{
    CString bad = ProgramFolder() + "missing\\out.dxf";
    EXPECT_FALSE(m_doc->WriteDxfFile(bad));
    Write();
    std::string before = ReadRaw(m_path);
    EXPECT_EQ(before.substr(0, 9), "  0\r\nSECT");
}

TEST_F(DxfWriterTest, LongLayerNamesAreCutInEntitiesOnlyAndNeverInsideACharacter)
{
    CString name = CString('L', 47) + "層";  // 49 bytes: the cut at 48 would split "層"
    Layer(0)->m_name = name;
    m_doc->AddLine(Pt(0, 0), Pt(1, 0), 0, BlackPen());
    auto lines = Write();
    auto ents = Entities(lines);
    ASSERT_EQ(ents.size(), 1u);
    EXPECT_EQ(ents[0][2], std::string(47, 'L'));
    EXPECT_NE(std::find(lines.begin(), lines.end(), name.Std()), lines.end());
}
