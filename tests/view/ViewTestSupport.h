// Helpers of the view tests: an application object and a drawing with a view that has no
// window, whose drawing outside a paint is recorded, and readers of what a recording shows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Circles.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "platform/core/Services.h"
#include "platform/gdi/RecordingDC.h"
#include "platform/ui/KeyMap.h"
#include "view/ZelkView.h"

// A recording DC that hands its calls to a list when it is released.
class CSinkDC : public CRecordingDC {
public:
    explicit CSinkDC(std::vector<std::string>& sink) : m_sink(sink) {}
    ~CSinkDC() override { m_sink.insert(m_sink.end(), Calls().begin(), Calls().end()); }

private:
    std::vector<std::string>& m_sink;
};

// A view whose client device context records.
class CRecordedView : public CZelkView {
public:
    std::vector<std::string> m_clientCalls;
    std::unique_ptr<CDC> CreateClientDC() override { return std::make_unique<CSinkDC>(m_clientCalls); }
};

inline CPointD W(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// For each drawing call, the pen selected when it was made ("SelectPen(0,1,RGB(255,0,0))").
inline std::vector<std::pair<std::string, std::string>> DrawsWithPens(const std::vector<std::string>& calls)
{
    static const char* const kDrawing[] = {"LineTo", "Arc(", "Ellipse", "Polyline", "Polygon", "TextOut", "Rectangle"};
    std::vector<std::pair<std::string, std::string>> out;
    std::string pen = "stock";
    for (const std::string& c : calls) {
        if (c.rfind("SelectPen(", 0) == 0) {
            pen = c;
            continue;
        }
        for (const char* d : kDrawing)
            if (c.rfind(d, 0) == 0) {
                out.emplace_back(pen, c);
                break;
            }
    }
    return out;
}

// The drawing calls of elements: without those of the marks' pens (the base-point cross, the
// origin mark).
inline std::vector<std::pair<std::string, std::string>> ElementDraws(const std::vector<std::string>& calls)
{
    auto draws = DrawsWithPens(calls);
    draws.erase(std::remove_if(draws.begin(), draws.end(),
                               [](const auto& d) {
                                   return d.first.find("RGB(255,0,255)") != std::string::npos ||
                                          d.first == "SelectPen(0,1,RGB(0,0,255))";
                               }),
                draws.end());
    return draws;
}

// How many element drawing calls were made with each pen.
inline std::map<std::string, int> DrawCountsByPen(const std::vector<std::string>& calls)
{
    std::map<std::string, int> counts;
    for (const auto& [pen, call] : ElementDraws(calls))
        ++counts[pen];
    return counts;
}

// Whether any element drawing call was made with a pen of this color (any style and width).
inline bool DrewInColor(const std::vector<std::string>& calls, const std::string& rgb)
{
    for (const auto& [pen, call] : ElementDraws(calls))
        if (pen.find(rgb) != std::string::npos)
            return true;
    return false;
}

class ViewFixture : public testing::Test {
protected:
    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;
    std::unique_ptr<CRecordedView> m_view;

    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->m_appDraw.grayDisplay = 0;
        m_doc = std::make_unique<CZelkDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_view = std::make_unique<CRecordedView>();
        m_doc->AddView(m_view.get());
        // A window of 1000 x 600 logical units, as the paint of such a window leaves it.
        m_view->m_clientRectLogical = RECT{0, 0, 1000, -600};
    }
    void TearDown() override
    {
        m_doc->RemoveView(m_view.get());
        m_view.reset();
        m_doc.reset();
        g_pApp = nullptr;
        m_app.reset();
    }
    CZelkDoc& Doc() { return *m_doc; }
    CRecordedView& View() { return *m_view; }

    // Layers named "1", "2" ... after the drawing's first; the view gets a word per layer.
    void AddLayers(int count)
    {
        for (int i = 1; i <= count; ++i)
            Doc().FindOrCreateLayer(std::to_string(i).c_str());
        View().m_layerStates.SetSize(Doc().m_layers.GetSize());
    }
    std::int16_t Pen(COLORREF color, std::int16_t width = 1, int lineType = 0, int blur = 0, int rate = 70)
    {
        return Doc().FindOrAddPen(lineType, width, color, static_cast<std::uint8_t>(blur),
                                  static_cast<std::uint8_t>(rate));
    }
    // The element added last to a block.
    template <class Block>
    static auto& Last(Block* block) { return block->m_slots[block->m_count - 1]; }

    // The full paint on a recording DC prepared as the window's would be.
    std::vector<std::string> Paint()
    {
        CRecordingDC dc;
        View().OnPrepareDC(&dc);
        View().OnDraw(&dc);
        return dc.Calls();
    }
    std::vector<std::string> Redraw(int clipKind = 1)
    {
        View().m_clientCalls.clear();
        View().RedrawElements(clipKind);
        return View().m_clientCalls;
    }
};

// A view fixture for picks: no key held at start or end, one black pen, lines added on it.
class PickFixture : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        UiResetKeyState();
        m_pen = Pen(RGB(0, 0, 0));
    }
    void TearDown() override
    {
        UiResetKeyState();
        ViewFixture::TearDown();
    }
    // An empty drawing again, with the pen.
    void ResetDrawing()
    {
        Doc().FreeContents();
        Doc().InitContents();
        m_pen = Pen(RGB(0, 0, 0));
    }

public:
    CZelkDoc& D() { return Doc(); }
    CLine* Line(double x1, double y1, double x2, double y2, std::int16_t layer = 0)
    {
        return &Last(Doc().AddLine(W(x1, y1), W(x2, y2), layer, m_pen));
    }
    std::int16_t m_pen = 0;
};
