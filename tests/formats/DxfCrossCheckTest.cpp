// Exported DXF files read back by two independent readers: the strict reader of python3-ezdxf
// (structure and audit) and dxflib, with the same entities, layers, coordinates and texts.
#include "DxfTestSupport.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "platform/core/CodePage.h"
#include "platform/core/ProgramFolder.h"

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Num(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    return buf;
}

// A drawing with one entity of each exported kind on two layers, one name in Japanese.
class DxfCrossCheck : public DxfFixture {
protected:
    CString m_path;

    void SetUp() override
    {
        DxfFixture::SetUp();
        std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(255, 0, 0), 0, 70);
        std::int16_t other = m_doc->FindOrCreateLayer("図面枠");
        m_doc->AddLine(Pt(0, 0), Pt(10.125, 5), 0, pen);
        m_doc->AddCircle(Pt(-3.5, 2.25), 7.75, other, pen);
        m_doc->AddArc(Pt(1, 1), 2, Pt(30, 400), 0, pen);
        LOGFONT lf{};
        std::strcpy(lf.lfFaceName, "ＭＳ 明朝");
        std::int16_t font = m_doc->FindOrAddFont(lf, 25, 50, 1, 0.0);
        m_doc->AddText(Pt(20, 30), "寸法 φ20", RGB(0, 0, 0), 8, other, font);
        m_doc->m_extents.Init(-20, 40, 30, -10);
        m_path = ProgramFolder() + "cross.dxf";
        ASSERT_TRUE(m_doc->WriteDxfFile(m_path));
    }
    std::string DiskPath() const { return FileSystemPath(m_path); }

    // What we wrote, in the reader's one-line form.
    std::vector<std::string> Expected() const
    {
        return {
            "LINE|0|0|0|10.125|5",
            "CIRCLE|" + Cp932ToUtf8(CString("図面枠").View()) + "|-3.5|2.25|7.75",
            "ARC|0|1|1|2|-330|40",
            "TEXT|" + Cp932ToUtf8(CString("図面枠").View()) + "|20|30|5|" + Cp932ToUtf8(CString("寸法 \\U+220520").View()),
        };
    }
};

class Collector : public DL_CreationAdapter {
public:
    std::vector<std::string> m_entities;
    std::vector<std::string> m_layers;

    void addLayer(const DL_LayerData& d) override { m_layers.push_back(d.name); }
    void addLine(const DL_LineData& d) override
    {
        m_entities.push_back("LINE|" + Layer() + "|" + Num(d.x1) + "|" + Num(d.y1) + "|" + Num(d.x2) + "|" + Num(d.y2));
    }
    void addCircle(const DL_CircleData& d) override
    {
        m_entities.push_back("CIRCLE|" + Layer() + "|" + Num(d.cx) + "|" + Num(d.cy) + "|" + Num(d.radius));
    }
    void addArc(const DL_ArcData& d) override
    {
        m_entities.push_back("ARC|" + Layer() + "|" + Num(d.cx) + "|" + Num(d.cy) + "|" + Num(d.radius) + "|" +
                             Num(d.angle1) + "|" + Num(d.angle2));
    }
    void addText(const DL_TextData& d) override
    {
        // Alignment point given: the independent reader reports it as the text's position.
        m_entities.push_back("TEXT|" + Layer() + "|" + Num(d.apx) + "|" + Num(d.apy) + "|" + Num(d.height) + "|" + d.text);
    }

private:
    std::string Layer() { return getAttributes().getLayer(); }
};

} // namespace

TEST_F(DxfCrossCheck, StrictIndependentReaderFindsWhatWasWritten)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    std::string out = FileSystemPath(ProgramFolder() + "cross.txt");
    std::string cmd = std::string("/usr/bin/python3 ") + ZELK_TEST_DATA + "/dxf_check.py '" + DiskPath() + "' cp932 > '" + out + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::vector<std::string> lines;
    FILE* f = std::fopen(out.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buf[4096];
    while (std::fgets(buf, sizeof buf, f)) {
        std::string l(buf);
        while (!l.empty() && (l.back() == '\n' || l.back() == '\r'))
            l.pop_back();
        lines.push_back(l);
    }
    std::fclose(f);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "AUDIT 0");
    EXPECT_EQ(lines[1], "LAYERS 0|" + Cp932ToUtf8(CString("図面枠").View()));
    std::vector<std::string> entities(lines.begin() + 2, lines.end());
    std::vector<std::string> want = Expected();
    // The strict reader gives the insertion point of a text, which for bottom-left is the anchor.
    EXPECT_EQ(entities, want);
}

TEST_F(DxfCrossCheck, DxflibReadsTheSameEntities)
{
    Collector collector;
    DL_Dxf dxf;
    ASSERT_TRUE(dxf.in(DiskPath(), &collector));
    std::vector<std::string> want;
    for (const std::string& e : Expected()) {
        // dxflib hands names and texts over as the bytes in the file (Shift-JIS).
        std::string converted;
        size_t start = 0;
        std::vector<std::string> parts;
        while (true) {
            size_t bar = e.find('|', start);
            parts.push_back(e.substr(start, bar - start));
            if (bar == std::string::npos)
                break;
            start = bar + 1;
        }
        for (size_t i = 0; i < parts.size(); ++i) {
            if (i)
                converted += "|";
            converted += Utf8ToCp932(parts[i]);
        }
        want.push_back(converted);
    }
    EXPECT_EQ(collector.m_entities, want);
    ASSERT_EQ(collector.m_layers.size(), 2u);
    EXPECT_EQ(collector.m_layers[1], std::string("図面枠"));
}
