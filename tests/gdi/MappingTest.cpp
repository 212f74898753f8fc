// Mapping modes: logical to device and back with the device context's integer rounding.
#include "platform/gdi/RecordingDC.h"

#include <gtest/gtest.h>

TEST(Mapping, LogicalToDeviceTable)
{
    struct Case {
        const char* what;
        int mode;
        CPoint windowOrg, viewportOrg;
        CSize windowExt, viewportExt;    // used by the anisotropic cases only
        POINT logical;
        POINT device;
    };
    const Case cases[] = {
        {"text is one to one", MM_TEXT, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {37, -12}, {37, -12}},
        {"one inch of lometric", MM_LOMETRIC, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {254, -254}, {96, 96}},
        {"lometric y runs up", MM_LOMETRIC, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {0, 254}, {0, -96}},
        {"0.76 rounds to 1", MM_LOMETRIC, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {2, -2}, {1, 1}},
        {"0.38 rounds to 0", MM_LOMETRIC, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {1, -1}, {0, 0}},
        {"-0.76 rounds to -1", MM_LOMETRIC, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {-2, 2}, {-1, -1}},
        {"one inch of himetric", MM_HIMETRIC, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {2540, -5080}, {96, 192}},
        {"origins", MM_LOMETRIC, {100, -100}, {10, 20}, {1, 1}, {1, 1}, {354, -354}, {106, 116}},
        {"halves round up", MM_ANISOTROPIC, {0, 0}, {0, 0}, {2, 2}, {1, 1}, {1, -1}, {1, 0}},
        {"halves round up past zero", MM_ANISOTROPIC, {0, 0}, {0, 0}, {2, 2}, {1, 1}, {3, -3}, {2, -1}},
        {"anisotropic flip", MM_ANISOTROPIC, {0, 0}, {50, 50}, {100, 100}, {200, -100}, {10, 10}, {70, 40}},
    };
    for (const Case& c : cases) {
        CRecordingDC dc(1000, 1000, 96);
        dc.SetMapMode(c.mode);
        if (c.mode == MM_ANISOTROPIC) {
            dc.SetWindowExt(c.windowExt);
            dc.SetViewportExt(c.viewportExt);
        }
        dc.SetWindowOrg(c.windowOrg);
        dc.SetViewportOrg(c.viewportOrg);
        POINT p = c.logical;
        dc.LPtoDP(&p);
        EXPECT_EQ(p.x, c.device.x) << c.what;
        EXPECT_EQ(p.y, c.device.y) << c.what;
    }
}

TEST(Mapping, DeviceToLogicalRoundsAndRoundTripsWholeInches)
{
    CRecordingDC dc(1000, 1000, 96);
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetViewportOrg(0, 0);
    POINT pts[3] = {{96, 96}, {1, 1}, {-1, 480}};
    dc.DPtoLP(pts, 3);
    EXPECT_EQ(pts[0].x, 254);
    EXPECT_EQ(pts[0].y, -254);
    EXPECT_EQ(pts[1].x, 3);    // 2.65
    EXPECT_EQ(pts[1].y, -3);
    EXPECT_EQ(pts[2].x, -3);
    EXPECT_EQ(pts[2].y, -1270);
    POINT back = pts[0];
    dc.LPtoDP(&back);
    EXPECT_EQ(back.x, 96);
    EXPECT_EQ(back.y, 96);
}

TEST(Mapping, SizesScaleByMagnitudeOnly)
{
    CRecordingDC dc(1000, 1000, 96);
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetViewportOrg(300, 300);
    SIZE s{254, 254};
    dc.LPtoDP(&s);
    EXPECT_EQ(s.cx, 96);
    EXPECT_EQ(s.cy, 96);
    SIZE d{48, 48};
    dc.DPtoLP(&d);
    EXPECT_EQ(d.cx, 127);
    EXPECT_EQ(d.cy, 127);
}

TEST(Mapping, ExtentsOnlyChangeInScalableModes)
{
    CRecordingDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetWindowExt(10, 10);
    EXPECT_EQ(dc.GetWindowExt(), CSize(254, 254));
    EXPECT_EQ(dc.GetViewportExt(), CSize(96, -96));
    // Switching to anisotropic keeps the metric extents until changed.
    EXPECT_EQ(dc.SetMapMode(MM_ANISOTROPIC), MM_LOMETRIC);
    EXPECT_EQ(dc.GetWindowExt(), CSize(254, 254));
    dc.SetWindowExt(10, 10);
    EXPECT_EQ(dc.GetWindowExt(), CSize(10, 10));
    // A zero extent is refused.
    dc.SetViewportExt(0, 5);
    EXPECT_EQ(dc.GetViewportExt(), CSize(96, -96));
}

TEST(Mapping, IsotropicShrinksTheLongerAxis)
{
    CRecordingDC dc;
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(400, -200);
    EXPECT_EQ(dc.GetViewportExt(), CSize(200, -200));
}

TEST(Mapping, ClipBoxIsTheDeviceInLogicalUnits)
{
    CRecordingDC dc(960, 480, 96);
    dc.SetMapMode(MM_LOMETRIC);
    RECT r;
    EXPECT_EQ(dc.GetClipBox(&r), SIMPLEREGION);
    EXPECT_EQ(CRect(r), CRect(0, 0, 2540, -1270));

    dc.SetViewportOrg(-96, 0);    // scrolled one inch to the right
    dc.GetClipBox(&r);
    EXPECT_EQ(CRect(r), CRect(254, 0, 2794, -1270));

    RECT part{0, 0, 96, 96};
    dc.SetDeviceClip(&part);
    dc.GetClipBox(&r);
    EXPECT_EQ(CRect(r), CRect(254, 0, 508, -254));

    EXPECT_EQ(dc.IntersectClipRect(10000, 0, 20000, -100), NULLREGION);
    dc.SetDeviceClip(nullptr);
    EXPECT_EQ(dc.GetClipBox(&r), SIMPLEREGION);
}

TEST(Mapping, DeviceCapsFollowTheLogicalResolution)
{
    CRecordingDC dc(960, 480, 96);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 960);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 480);
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 254);
    EXPECT_EQ(dc.GetDeviceCaps(VERTSIZE), 127);
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
}

TEST(Mapping, SavedStatesComeBack)
{
    CRecordingDC dc;
    int saved = dc.SaveDC();
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetROP2(R2_XORPEN);
    dc.SetTextAlign(TA_BOTTOM);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc.GetTextAlign(), TA_TOP);
    EXPECT_FALSE(dc.RestoreDC(saved));
    dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}
