// A drawing as a user's earlier session left it on disk, written by the program's own writer:
// two lines, a circle, an arc, an ellipse, a curve, a point and a Japanese text.
#pragma once

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/core/String.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// Elements of the sample by kind: points, lines, circles, arcs, ellipses, curves, texts.
inline const std::vector<int> kSampleDrawingCensus = { 1, 2, 1, 1, 1, 1, 1 };

// Writes the sample; renewalDay is the renewal date it carries ("2026/12/10"). Needs no running
// application (one is made for the writer when none is).
inline void WriteSampleDrawing(const CString& path, const char* renewalDay)
{
    CZelkApp* running = g_pApp;
    CZelkApp* own = running ? nullptr : new CZelkApp;
    if (own) {
        g_pApp = own;
        own->m_dataVersion = "01.00";
    }
    {
        CZelkDoc doc;
        doc.m_creationDate = "2026/01/02";
        doc.m_renewalDate1 = renewalDay;
        CPointD p[8];
        const double xy[8][2] = { { 0, 0 }, { 100, 0 }, { 0, 50 }, { 50, 25 }, { 20, 20 }, { 70, 30 }, { 5, 5 }, { 10, 40 } };
        for (int i = 0; i < 8; ++i)
            p[i].Init(xy[i][0], xy[i][1]);
        const std::int16_t pen = doc.FindOrAddPen(0, 1, 0, 0, 70);
        LOGFONT lf{};
        lf.lfHeight = -35;
        lf.lfWeight = 400;
        lf.lfCharSet = 128;
        std::strcpy(lf.lfFaceName, "ＭＳ ゴシック");
        const std::int16_t font = doc.FindOrAddFont(lf, 20, 35, 1, 0);
        CPointD angles;
        angles.Init(30, 120);
        CPointD full;
        full.Init(0, 360);
        doc.AddLine(p[0], p[1], 0, pen);
        doc.AddLine(p[0], p[2], 0, pen);
        doc.AddCircle(p[3], 10, 0, pen);
        doc.AddArc(p[4], 5, angles, 0, pen);
        doc.AddConic(p[5], 8, 0.5, full, 15, 0, pen);
        doc.AddCurve(1, { p[2], p[3], p[4], p[5] }, 0, pen);
        doc.AddPoint(p[6], 0, pen);
        doc.AddText(p[7], "平面図　１階", 0, 14, 0, font);
        CZelkView view;
        view.m_document = &doc;
        EXPECT_EQ(view.WriteNativeFile(path, 1), 1);
        view.m_document = nullptr;
    }
    if (own) {
        g_pApp = nullptr;
        delete own;
    }
}
