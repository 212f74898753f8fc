// The forwarding of drawing requests to every view, the redraw bits, the current angle, the
// relative coordinate system and the text-box computations.
#include "DocTestSupport.h"

#include <cmath>

#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "view/ZelkObj.h"

using DocumentServicesTest = DocFixture;

TEST_F(DocumentServicesTest, RequestsGoToEveryViewInOrder)
{
    RecordingView first, second;
    Doc().AddView(&first);
    Doc().AddView(&second);
    CPointD p = Pt(1, 0), q = Pt(2, 0);
    Doc().PreviewSegment(&p, &q);
    Doc().ShowMessageInViews("abc");
    Doc().DrawGroupInViews(3, 1, 7);
    Doc().UpdateAndPaintAllViews();
    for (RecordingView* v : {&first, &second}) {
        ASSERT_EQ(v->m_calls.size(), 4u);
        EXPECT_EQ(v->m_calls[0], "PreviewSegment 1.000000 2.000000");
        EXPECT_EQ(v->m_calls[1], "Message abc");
        EXPECT_EQ(v->m_calls[2], "DrawGroup 3 1 7");
        EXPECT_EQ(v->m_calls[3], "Paint");
    }
    Doc().RemoveView(&first);
    Doc().RemoveView(&second);
}

TEST_F(DocumentServicesTest, RedrawClearsEveryRedrawBit)
{
    RecordingView view;
    Doc().AddView(&view);
    std::int16_t block, slot;
    Doc().AddLineWithCurrentPen(Pt(0, 0), Pt(1, 0), block, slot);
    CLine* line = Doc().GetLineElem(block, slot);
    line->m_state |= STATE_REDRAW;
    line->m_mark |= MARK_REDRAW | MARK_SELECTED;
    CGroup* g = new CGroup;
    g->m_mark = 0x82;
    Doc().m_groups.Add(g);
    CZelkObj* o = new CZelkObj;
    o->m_state = 0x81;
    Doc().AddObject(o);
    CLine work;
    work.m_state = 0x81;
    Doc().m_hiLine = &work;

    Doc().RedrawChangedElements(2);
    EXPECT_TRUE(view.Saw("RedrawElements 2"));
    EXPECT_EQ(line->m_state, STATE_LIVE);
    EXPECT_EQ(line->m_mark, MARK_SELECTED);
    EXPECT_EQ(g->m_mark, MARK_SELECTED);
    EXPECT_EQ(o->m_state, STATE_LIVE);
    EXPECT_EQ(work.m_state, STATE_LIVE);
    Doc().m_hiLine = nullptr;
    Doc().RemoveView(&view);
}

TEST_F(DocumentServicesTest, InputPointMarkIsDrawnOnlyWhenRecorded)
{
    RecordingView view;
    Doc().AddView(&view);
    Doc().ShowInputPointMark(1);
    EXPECT_TRUE(view.m_calls.empty());
    Doc().m_inputMarkFlag = 1;
    Doc().ShowInputPointMark(1);
    EXPECT_TRUE(view.Saw("InputPointMark 1"));
    Doc().ShowInputPointMark(0);
    EXPECT_TRUE(view.Saw("InputPointMark 0"));
    EXPECT_EQ(Doc().m_inputMarkFlag, 0);
    Doc().RemoveView(&view);
}

TEST_F(DocumentServicesTest, BasePointMarkIsErasedThenDrawnAtTheNewPoint)
{
    RecordingView view;
    Doc().AddView(&view);
    Doc().SetBasePoint(Pt(3, 4), Pt(5, 6));
    ASSERT_EQ(view.m_calls.size(), 2u);
    EXPECT_EQ(view.m_calls[0].rfind("Cross 0.000000 0.000000", 0), 0u);
    EXPECT_EQ(view.m_calls[1], "ColoredCross 3.000000 4.000000");
    EXPECT_EQ(Doc().m_basePoint.m_x, 3);
    EXPECT_EQ(Doc().m_refPoint.m_y, 6);
    Doc().RemoveView(&view);
}

TEST_F(DocumentServicesTest, CurrentAngleIsKeptInHalfOpenRange)
{
    struct Case {
        double in, out;
    } cases[] = {{-180, 180}, {540, 180}, {360, 0}, {-190, 170}, {180, 180}, {-360, 0},
                 {725, 5},    {-725, -5}, {190, -170}, {45, 45}};
    Doc().m_relAngle = 10;
    for (const Case& c : cases) {
        Doc().SetCurrentAngle(c.in);
        EXPECT_NEAR(Doc().m_curAngle, c.out, 1e-9) << c.in;
        EXPECT_NEAR(Doc().m_absAngle, 10 + c.out, 1e-9) << c.in;
    }
}

TEST_F(DocumentServicesTest, RelativeCoordinatesRoundTrip)
{
    Doc().m_relOrigin = Pt(10, 20);
    Doc().m_relAngle = 90;
    CPointD r = Doc().WorldToRelative(Pt(10, 25));
    EXPECT_NEAR(r.m_x, 5, 1e-12);
    EXPECT_NEAR(r.m_y, 0, 1e-12);
    CPointD w = Doc().RelativeToWorld(Pt(5, 0));
    EXPECT_NEAR(w.m_x, 10, 1e-12);
    EXPECT_NEAR(w.m_y, 25, 1e-12);
}

TEST_F(DocumentServicesTest, TextBoxCornersByAlignment)
{
    struct Case {
        int alignment;
        double llx, lly, ulx, uly;
    } cases[] = {
        {8, 0, 0, 0, 8},      {14, -8, 0, -8, 8},   {10, -16, 0, -16, 8},
        {32, 0, -4, 0, 4},    {38, -8, -4, -8, 4},  {34, -16, -4, -16, 4},
        {0, 0, -8, 0, 0},     {6, -8, -8, -8, 0},   {2, -16, -8, -16, 0},
    };
    LOGFONT lf{};
    for (const Case& c : cases) {
        CPointD ll, lr, ul, ur;
        ComputeTextBoxCorners(lf, 40, 80, c.alignment, "ABCD", 1, 1.0, ll, lr, ul, ur);
        EXPECT_DOUBLE_EQ(ll.m_x, c.llx) << c.alignment;
        EXPECT_DOUBLE_EQ(ll.m_y, c.lly) << c.alignment;
        EXPECT_DOUBLE_EQ(ul.m_x, c.ulx) << c.alignment;
        EXPECT_DOUBLE_EQ(ul.m_y, c.uly) << c.alignment;
        EXPECT_DOUBLE_EQ(lr.m_x, c.llx + 16) << c.alignment;
        EXPECT_DOUBLE_EQ(ur.m_y, c.uly) << c.alignment;
    }
    // A vertical text is as high as two character widths; an unknown code keeps the caller's
    // corners.
    CPointD ll = Pt(1, 2), lr, ul = Pt(3, 4), ur;
    ComputeTextBoxCorners(lf, 40, 80, 99, "AB", 2, 1.0, ll, lr, ul, ur);
    EXPECT_EQ(ll.m_x, 1);
    EXPECT_EQ(ul.m_y, 4);
    EXPECT_DOUBLE_EQ(lr.m_x, 1 + 8);
    ComputeTextBoxCorners(lf, 40, 80, 8, "AB", 2, 1.0, ll, lr, ul, ur);
    EXPECT_DOUBLE_EQ(ul.m_y, 8);
}

TEST_F(DocumentServicesTest, UnderlineOfAVerticalFontWithoutWidthGoesBelow)
{
    LOGFONT lf{};
    CPointD e1, e2;
    CZelkDoc::ComputeUnderlineEnds(Pt(0, 0), Pt(10, 0), 2, 90, lf, 0, 40, e1, e2);
    // Turned to 90 degrees, then moved by d = -(4 * 0.5) along the left normal (-1, 0).
    EXPECT_NEAR(e1.m_x, 2, 1e-12);
    EXPECT_NEAR(e1.m_y, 0, 1e-12);
    EXPECT_NEAR(e2.m_x, 2, 1e-12);
    EXPECT_NEAR(e2.m_y, 10, 1e-12);
}

TEST_F(DocumentServicesTest, WidthRatioOfFixedDirectionRows)
{
    LOGFONT lf{};
    // Plain left-aligned row without spacing measures its nominal length.
    EXPECT_DOUBLE_EQ(ComputeTextWidthRatio("ABCD", lf, 20, 40, 8, 0, 0, 0, 1), 1.0);
    // Spacing 0.5 adds half a cell between characters: (4 + 3 * 0.5) / 4.
    EXPECT_DOUBLE_EQ(ComputeTextWidthRatio("ABCD", lf, 20, 40, 8, 0.5, 0, 0, 1), 5.5 / 4);
    // Right to left gives the same length, negated.
    EXPECT_DOUBLE_EQ(ComputeTextWidthRatio("ABCD", lf, 20, 40, 8, 0, 1, 0, 1), -1.0);
    EXPECT_DOUBLE_EQ(ComputeTextWidthRatio("", lf, 20, 40, 8, 0.5, 0, 0, 1), 1.0);
    // A trailing half-width voiced mark takes no room of its own.
    EXPECT_DOUBLE_EQ(ComputeTextWidthRatio("\xB6\xDE", lf, 20, 40, 8, 0, 0, 0, 1), 0.5);
}

TEST_F(DocumentServicesTest, ObjectsShownInAView)
{
    RecordingView view;
    for (int layer : {0, 1, 7}) {
        CZelkObj* o = new CZelkObj;
        o->m_layer = static_cast<std::int16_t>(layer);
        Doc().AddObject(o);
    }
    view.m_layerStates.Add(0);
    view.m_layerStates.Add(1);
    EXPECT_EQ(Doc().CountObjectsShownInView(&view), 2);
    view.m_singleLayerMode = 1;
    EXPECT_EQ(Doc().CountObjectsShownInView(&view), 3);
}

TEST_F(DocumentServicesTest, ServerItemFitsTheExtents)
{
    m_app->m_activeClientRect = RECT{0, 0, 600, 300};
    Doc().m_extents.Init(5, 7, 5, 7);   // a single point
    EXPECT_EQ(Doc().FitServerItemView(), 1);
    EXPECT_EQ(m_app->m_viewZoom, 1.0);
    EXPECT_EQ(m_app->m_viewOrigin.m_x, 5 - 16000);
    EXPECT_EQ(m_app->m_viewOrigin.m_y, 7 + 16000);
    EXPECT_EQ(m_app->m_viewScrollPos.x, 16000 - 300);
    EXPECT_EQ(m_app->m_viewScrollPos.y, 150 - 16000);

    Doc().m_extents.Init(0, 100, 100, 0);   // 120 x 120 after the margin
    EXPECT_EQ(Doc().FitServerItemView(), 1);
    EXPECT_DOUBLE_EQ(m_app->m_viewZoom, 300.0 / 120.0);

    // A drawing far beyond what the mapping can hold is not fitted.
    m_app->m_viewZoom = 42;
    Doc().m_extents.Init(1e200, 1e200, 1e200, 1e200);
    EXPECT_EQ(Doc().FitServerItemView(), 0);
    EXPECT_EQ(m_app->m_viewZoom, 42);
}

TEST_F(DocumentServicesTest, StartupNoticeIsShownOncePerRun)
{
    m_app->m_startupNoticeSuppressed = 0;
    Doc().ShowStartupNotice();
    EXPECT_EQ(m_app->m_startupNoticeSuppressed, 1);
}
