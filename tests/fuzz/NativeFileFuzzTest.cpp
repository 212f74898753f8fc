// Seeded mutation runs over the native drawing file reader: truncated and corrupted files of
// every data version are read to an end without a crash, an overrun or a hang, and what was
// read before the damage stays in the drawing.
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class NativeFileFuzz : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_path = ProgramFolder() + "fuzz.zel";
    }
    void TearDown() override
    {
        g_pApp = nullptr;
        m_app.reset();
        DefaultScriptedServices().m_messages.clear();
    }

    // A drawing with every record kind: memo, layers, pens, a font, groups, strings, elements.
    std::string Sample()
    {
        CZelkDoc doc;
        doc.m_memo.Add("memo");
        doc.FindOrCreateLayer("second");
        const std::int16_t pen = doc.FindOrAddPen(1, 2, 0xFF, 1, 50);
        LOGFONT lf{};
        lf.lfHeight = -30;
        std::strcpy(lf.lfFaceName, "Font");
        const std::int16_t font = doc.FindOrAddFont(lf, 20, 30, 1, 0);
        CGroup* outer = new CGroup;
        outer->m_name = "outer";
        doc.m_groups.Add(outer);
        CGroup* inner = new CGroup;
        inner->m_parent = 0;
        doc.m_groups.Add(inner);
        int index = -1, mode = 0;
        CString text = "attr";
        doc.FindOrAddAttributeString(text, index, mode);
        CElemRef carrier;
        carrier.Init(1, 1, 0, 1, 0);
        doc.GetString(0)->m_refs.push_back(carrier);
        inner->m_attrStrings.Add(0);
        doc.AddPoint(At(1, 2), 0, pen);
        CLines* lines = doc.AddLine(At(0, 0), At(3, 4), 1, pen);
        lines->m_slots[0].m_group = 1;
        doc.AddCircle(At(1, 1), 2, 0, pen);
        doc.AddArc(At(0, 0), 3, At(10, 80), 0, pen);
        doc.AddConic(At(0, 0), 4, 0.5, At(0, 90), 10, 0, pen);
        doc.AddCurve(1, {At(0, 0), At(1, 0), At(1, 1)}, 0, pen);
        doc.AddText(At(5, 5), "text", 0, 8, 0, font);
        CZelkView view;
        view.m_document = &doc;
        EXPECT_EQ(view.WriteNativeFile(m_path, 0), 1);
        std::ifstream in(FileSystemPath(m_path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Reads the bytes into a fresh drawing; returns its layer count.
    int Read(const std::string& bytes)
    {
        {
            std::ofstream out(FileSystemPath(m_path), std::ios::binary | std::ios::trunc);
            out << bytes;
        }
        CZelkDoc doc;
        doc.LoadNativeFile(m_path);
        DefaultScriptedServices().m_messages.clear();
        return doc.m_layers.GetSize();
    }

    std::unique_ptr<CZelkApp> m_app;
    CString m_path;
};

} // namespace

TEST_F(NativeFileFuzz, TruncatedFilesKeepWhatCameBefore)
{
    const std::string sample = Sample();
    const size_t layersEnd = sample.find("pen");
    ASSERT_NE(layersEnd, std::string::npos);
    for (size_t len = 0; len <= sample.size(); ++len) {
        const int layers = Read(sample.substr(0, len));
        if (len >= layersEnd)
            EXPECT_EQ(layers, 2) << len;
    }
}

TEST_F(NativeFileFuzz, CorruptedFilesOfEveryVersionNeverCrash)
{
    const std::string current = Sample();
    const char* versions[] = {"01.00", "00.00A", "00.00B", "00.00C", "00.00D",
                              "00.00E", "00.00F", "00.00G"};
    std::mt19937 rng(20261210);
    for (const char* version : versions) {
        std::string sample = current;
        sample.replace(sample.find("01.00"), 5, version);
        for (int round = 0; round < 400; ++round) {
            std::string mutated = sample;
            const int changes = 1 + static_cast<int>(rng() % 4);
            for (int i = 0; i < changes && !mutated.empty(); ++i) {
                const size_t at = rng() % mutated.size();
                switch (rng() % 4) {
                case 0: mutated[at] = static_cast<char>(rng()); break;
                case 1: mutated.erase(at, 1 + rng() % 8); break;
                case 2: mutated.insert(at, 1, static_cast<char>(rng())); break;
                default: mutated[at] = static_cast<char>(0xFF); break;   // large counts
                }
            }
            Read(mutated);
        }
    }
}
