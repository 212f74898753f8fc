// Helpers of the DXF import tests: an application and a drawing with a view, DXF text built
// from group pairs, and the elements of the drawing read back as plain values.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/DataPoints.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

// DXF text made of group pairs. Codes are right-aligned in three characters, as the format
// is usually written, unless padded is false; lines end in CR LF unless lf is set.
class DxfText {
public:
    explicit DxfText(bool padded = true, bool lf = false) : m_padded(padded), m_lf(lf) {}
    DxfText& G(int code, const std::string& value)
    {
        std::string c = std::to_string(code);
        if (m_padded)
            while (c.size() < 3)
                c = " " + c;
        return Line(c).Line(value);
    }
    DxfText& G(int code, double value)
    {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.10g", value);
        return G(code, std::string(buffer));
    }
    DxfText& Line(const std::string& text)
    {
        m_text += text;
        m_text += m_lf ? "\n" : "\r\n";
        return *this;
    }
    DxfText& Section(const char* name) { return G(0, "SECTION").G(2, name); }
    DxfText& EndSec() { return G(0, "ENDSEC"); }
    DxfText& Eof() { return G(0, "EOF"); }
    DxfText& LineEnt(double x1, double y1, double x2, double y2, const char* layer = "0")
    {
        return G(0, "LINE").G(8, layer).G(10, x1).G(20, y1).G(11, x2).G(21, y2);
    }
    const std::string& Str() const { return m_text; }

private:
    bool m_padded;
    bool m_lf;
    std::string m_text;
};

struct LineV {
    double x1, y1, x2, y2;
    int layer;
    int pen;
};
struct ArcV {
    double cx, cy, r, a, b;
    int layer;
};
struct CircleV {
    double cx, cy, r;
};
struct TextV {
    std::string text;
    double x, y;
    int alignment;
    COLORREF color;
    int layer;
    const CTypeFont* font;
};

class DxfImport : public testing::Test {
protected:
    void SetUp() override
    {
        Scripted().m_messages.clear();
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_doc = std::make_unique<CZelkDoc>();
        m_view.m_document = m_doc.get();
    }
    void TearDown() override
    {
        m_view.m_document = nullptr;
        m_doc.reset();
        g_pApp = nullptr;
        m_app.reset();
    }
    static CScriptedServices& Scripted() { return static_cast<CScriptedServices&>(Services()); }

    std::string Path(const std::string& name) const
    {
        return std::string(std::getenv("ZELK_HOME")) + "/" + name;
    }
    std::string Write(const std::string& bytes, const std::string& name = "in.dxf") const
    {
        std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    int Import(const std::string& bytes, int* replaced = nullptr)
    {
        int flag = 0;
        int result = m_view.ReadDxfData(CString(Write(bytes).c_str()), replaced ? replaced : &flag);
        return result;
    }
    int ImportEntities(DxfText& body)
    {
        DxfText whole;
        return Import(whole.Section("ENTITIES").Str() + body.Str() + DxfText().EndSec().Eof().Str());
    }

    std::vector<LineV> Lines() const
    {
        std::vector<LineV> out;
        for (int b = 0; b < m_doc->m_lineBlocks.GetSize(); ++b) {
            const CLines* block = m_doc->LineBlockAt(b);
            for (int i = 0; i < block->m_count; ++i) {
                const CLine& l = block->m_slots[i];
                out.push_back({l.m_start.m_x, l.m_start.m_y, l.m_end.m_x, l.m_end.m_y, l.m_layer,
                               block->m_pen});
            }
        }
        return out;
    }
    // Lines stand in blocks by pen and direction; tests find them by their far end.
    std::vector<LineV> LinesByEnd() const
    {
        auto lines = Lines();
        std::stable_sort(lines.begin(), lines.end(), [](const LineV& a, const LineV& b) {
            return a.x2 != b.x2 ? a.x2 < b.x2 : a.y2 < b.y2;
        });
        return lines;
    }
    std::vector<ArcV> Arcs() const
    {
        std::vector<ArcV> out;
        for (int b = 0; b < m_doc->m_arcBlocks.GetSize(); ++b) {
            const CArcs* block = m_doc->ArcBlockAt(b);
            for (int i = 0; i < block->m_count; ++i) {
                const CArc& a = block->m_slots[i];
                out.push_back({a.m_centre.m_x, a.m_centre.m_y, a.m_radius, a.m_startAngle,
                               a.m_endAngle, a.m_layer});
            }
        }
        return out;
    }
    std::vector<CircleV> Circles() const
    {
        std::vector<CircleV> out;
        for (int b = 0; b < m_doc->m_circleBlocks.GetSize(); ++b) {
            const CCircles* block = m_doc->CircleBlockAt(b);
            for (int i = 0; i < block->m_count; ++i) {
                const CCircle& c = block->m_slots[i];
                out.push_back({c.m_centre.m_x, c.m_centre.m_y, c.m_radius});
            }
        }
        return out;
    }
    std::vector<TextV> Texts() const
    {
        std::vector<TextV> out;
        for (int b = 0; b < m_doc->m_textBlocks.GetSize(); ++b) {
            const CTexts* block = m_doc->TextBlockAt(b);
            for (int i = 0; i < block->m_count; ++i) {
                const CText& t = block->m_slots[i];
                out.push_back({t.m_text.Std(), t.m_point.m_x, t.m_point.m_y, t.m_alignment,
                               t.m_color, t.m_layer, m_doc->GetFont(block->m_pen)});
            }
        }
        return out;
    }
    std::string LayerName(int i) const { return m_doc->GetLayer(i)->m_name.Std(); }
    int PenLineType(int pen) const { return m_doc->GetPen(pen)->m_lineType; }
    COLORREF PenColor(int pen) const { return m_doc->GetPen(pen)->m_color; }

    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;
    CZelkView m_view;
};
