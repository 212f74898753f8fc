// Blocks passed over by their boxes in the paint and the redraw, and thin rings shared by boxes
// of one size, leave the picture as it was: the same device calls in the same order and the same
// pixels as a walk of every element, each ring worked out for its own box, at any zoom and clip,
// through adds, deletes, undo and redo.
#include "ViewTestSupport.h"

#include "document/BlockExtents.h"
#include "document/UndoHistory.h"
#include "elements/Circles.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/ImageDC.h"
#include "platform/gdi/PainterDC.h"

#include <cmath>
#include <random>

namespace {

class ViewPaintBlocks : public ViewFixture {
protected:
    std::mt19937 m_random{58};
    std::vector<std::int16_t> m_pens;
    std::vector<std::int16_t> m_fonts;

    double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(m_random); }
    int Below(int n) { return static_cast<int>(Uniform(0, n - 1e-9)); }

    void SetUp() override
    {
        ViewFixture::SetUp();
        AddLayers(3);
        Doc().m_writeLayer = 0;
        View().m_layerStates[2] = 1;   // hidden
        View().m_showAllLayers = 0;
        m_pens = {Pen(RGB(0, 0, 200)), Pen(RGB(200, 0, 0), 7), Pen(RGB(0, 120, 0), 3, 2), Pen(RGB(90, 0, 90), 5, 0, 3),
                  Pen(RGB(50, 50, 50), 1, 5)};
        LOGFONT lf{};
        lf.lfHeight = -40;
        m_fonts.push_back(Doc().FindOrAddFont(lf, 0, 40, 1, 0.0));
        m_fonts.push_back(Doc().FindOrAddFont(lf, 30, 60, 1, 30.0));
        m_fonts.push_back(Doc().FindOrAddFont(lf, 20, 25, 1, 0.0));
        Doc().GetFont(m_fonts[2])->m_style2 = 1;
    }

    // Elements of every kind in a walk across the drawing, so that each block holds neighbours;
    // some selected or marked, on every layer.
    void AddElements(int count)
    {
        CPointD at = W(0, 0);
        for (int i = 0; i < count; ++i) {
            if (i % 30 == 0)
                at = W(Uniform(-100, 1100), Uniform(-700, 100));
            const CPointD p = W(at.m_x + Uniform(-15, 15), at.m_y + Uniform(-15, 15));
            const auto layer = static_cast<std::int16_t>(Below(4));
            const std::int16_t pen = m_pens[static_cast<size_t>(Below(static_cast<int>(m_pens.size())))];
            switch (i % 7) {
            case 0: Doc().AddPoint(p, layer, pen); break;
            case 1: Doc().AddLine(p, W(p.m_x + Uniform(-40, 40), p.m_y + Uniform(-40, 40)), layer, pen); break;
            case 2: Doc().AddCircle(p, Uniform(0.05, 30), layer, pen); break;
            case 3: Doc().AddArc(p, Uniform(0.05, 30), W(Uniform(0, 180), Uniform(180, 360)), layer, pen); break;
            case 4:
                Doc().AddText(p, i % 2 ? "ABC" : "文字列", RGB(0, 0, 0), 8, layer,
                              m_fonts[static_cast<size_t>(Below(static_cast<int>(m_fonts.size())))]);
                break;
            case 5: Doc().AddConic(p, Uniform(1, 25), Uniform(0.2, 1), W(0, 360), Uniform(0, 180), layer, pen); break;
            default:
                Doc().AddCurve(1, {p, W(p.m_x + Uniform(-20, 20), p.m_y + Uniform(-20, 20)),
                                   W(p.m_x + Uniform(-20, 20), p.m_y + Uniform(-20, 20))}, layer, pen);
                break;
            }
        }
        MarkSome(Doc().m_lineBlocks, [&](int b, int s) -> std::uint8_t& { return Doc().GetLineElem(b, s)->m_mark; },
                 [&](int b) { return Doc().LineBlockAt(b)->m_count; });
        MarkSome(Doc().m_textBlocks, [&](int b, int s) -> std::uint8_t& { return Doc().GetTextElem(b, s)->m_mark; },
                 [&](int b) { return Doc().TextBlockAt(b)->m_count; });
        MarkSome(Doc().m_circleBlocks, [&](int b, int s) -> std::uint8_t& { return Doc().GetCircleElem(b, s)->m_mark; },
                 [&](int b) { return Doc().CircleBlockAt(b)->m_count; });
    }
    template <class MarkOf, class CountOf>
    void MarkSome(const CObArray& blocks, MarkOf markOf, CountOf countOf)
    {
        for (int b = 0; b < blocks.GetSize(); ++b)
            for (int s = 0; s < countOf(b); ++s)
                if (Below(9) == 0)
                    markOf(b, s) = static_cast<std::uint8_t>(1 << (1 + Below(3)));
    }

    // The whole paint of the window clipped to a random part of it: its calls and its pixels.
    struct Picture {
        std::vector<std::string> calls;
        std::vector<std::string> redraw;
        std::vector<BYTE> pixels;
    };
    Picture PaintAll(const RECT& clip)
    {
        Picture picture;
        {
            CRecordingDC dc;
            View().OnPrepareDC(&dc);
            dc.IntersectClipRect(&clip);
            View().OnDraw(&dc);
            picture.calls = dc.Calls();
        }
        {
            CImageDC dc(1000, 600);
            View().OnPrepareDC(&dc);
            dc.IntersectClipRect(&clip);
            View().OnDraw(&dc);
            picture.pixels = dc.EncodePng();
        }
        View().m_clientCalls.clear();
        View().RedrawElements(1);
        View().EraseChangedElements();
        picture.redraw = View().m_clientCalls;
        return picture;
    }

    // Random zooms, origins and clips: the paint with the boxes equals the paint without.
    void Compare(const char* phase, int& passedOver)
    {
        for (int k = 0; k < 8; ++k) {
            View().m_zoom = std::pow(10.0, Uniform(-0.5, 1));
            // Layers off the write layer gray in every other view.
            m_app->m_appDraw.grayDisplay = k % 2;
            View().m_origin = W(Uniform(-100, 900), Uniform(-100, 400));
            const int left = Below(600), top = -Below(400);
            const RECT clip{left, top, left + 50 + Below(400), top - 50 - Below(300)};
            CRectD clipD;
            clipD.SetFromIntRect(clip);
            const CWorldWindow world = CWorldWindow::FromView(clipD, View().m_origin, View().m_zoom);
            const CBlockExtents::Entry* boxes = Doc().m_blockExtents.Boxes(CBlockExtents::kTexts, Doc().m_textBlocks);
            for (int b = 0; b < Doc().m_textBlocks.GetSize(); ++b)
                passedOver += world.Meets(boxes[b].box) ? 0 : 1;
            const Picture fast = PaintAll(clip);
            // The plain paint also works out every thin ring for its own box.
            CBlockExtents::s_enabled = false;
            CPainterDC::s_shareRings = false;
            const Picture plain = PaintAll(clip);
            CBlockExtents::s_enabled = true;
            CPainterDC::s_shareRings = true;
            EXPECT_EQ(fast.calls, plain.calls) << phase << " view " << k;
            EXPECT_EQ(fast.redraw, plain.redraw) << phase << " view " << k;
            EXPECT_TRUE(fast.pixels == plain.pixels) << phase << " view " << k;
            EXPECT_FALSE(fast.pixels.empty());
        }
    }
};

TEST_F(ViewPaintBlocks, PassingOverBlocksLeavesThePictureAsAWalkOfEveryElementPaintsIt)
{
    int passedOver = 0;
    AddElements(700);
    Compare("drawn", passedOver);
    AddElements(350);
    Compare("added to", passedOver);
    // Every fourth line and circle deleted, flagged for the redraw as a deletion leaves them.
    for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b)
        for (int s = 0; s < Doc().LineBlockAt(b)->m_count; s += 4)
            Doc().GetLineElem(b, s)->m_mark |= MARK_SELECTED;
    for (int b = 0; b < Doc().m_circleBlocks.GetSize(); ++b)
        for (int s = 0; s < Doc().CircleBlockAt(b)->m_count; s += 4)
            Doc().GetCircleElem(b, s)->m_mark |= MARK_SELECTED;
    ASSERT_TRUE(Doc().DeleteSelected(1));
    Doc().m_undoHistory->Commit(2);
    Compare("deleted", passedOver);
    Doc().m_undoHistory->Undo();
    Compare("deletion undone", passedOver);
    Doc().m_undoHistory->Redo();
    Compare("deletion redone", passedOver);
    // Circles and lines moved across the drawing by a movement step, undone and redone.
    for (int b = 0; b < Doc().m_circleBlocks.GetSize(); ++b)
        for (int s = 1; s < Doc().CircleBlockAt(b)->m_count; s += 3)
            Doc().m_undoHistory->RecordChangeWithExtra(1, ELEM_CIRCLE, b, s, Doc().GetCircleElem(b, s)->m_state);
    for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b)
        for (int s = 1; s < Doc().LineBlockAt(b)->m_count; s += 3)
            Doc().m_undoHistory->RecordChangeWithExtra(2, ELEM_LINE, b, s, Doc().GetLineElem(b, s)->m_state);
    Doc().m_undoHistory->CommitTransform(4, W(400, -300), W(1, 1));
    Doc().m_undoHistory->Undo();
    Compare("movement undone", passedOver);
    Doc().m_undoHistory->Redo();
    Compare("movement redone", passedOver);
    EXPECT_GT(passedOver, 200) << "most blocks should lie outside the clip";
}

}  // namespace
