// Print frames: rectangles on work-print layers that the view prints within, sized from the
// paper-sheet list or, when no sheet holds the drawing, from the drawing itself.
#include <cmath>

#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "geometry/Numeric.h"
#include "input/LayerOps.h"

namespace {

// Width, height and name of a paper-sheet line; false when it is switched off ("-") or does not
// give two numbers.
bool ParseSheetLine(const CString& line, double& width, double& height, CString& name)
{
    CStringArray tokens;
    SplitTokens(line, ",", "+-", tokens);
    if (tokens.GetSize() > 0 && tokens[0] == "-")
        return false;
    int numbers = 0;
    name.Empty();
    for (int i = 0; i < tokens.GetSize(); ++i) {
        const CString& t = tokens[i];
        if (numbers == 2) {
            name = t;
            break;
        }
        if (t == "+" || !IsNumericText(t))
            continue;
        (numbers == 0 ? width : height) = StringToDouble(t);
        ++numbers;
    }
    return numbers == 2;
}

// The drawing's size brought to the proportion 1 : sqrt 2 in its own orientation, then scaled
// by the print ratio.
void AutomaticFrameSize(double w, double h, double& fw, double& fh)
{
    const double r2 = std::sqrt(2.0);
    fw = w;
    fh = h;
    if (w == 0) {
        fw = r2 * h;
    } else if (h == 0) {
        fh = w / r2;
    } else if (w > h) {
        if (w > r2 * h)
            fh = w / r2;
        else
            fw = r2 * h;
    } else {
        if (h > r2 * w)
            fw = h / r2;
        else
            fh = r2 * w;
    }
    fw *= g_pApp->m_printRatio;
    fh *= g_pApp->m_printRatio;
}

// Bounding box of the live lines of line type 2 on a layer; false when it has none.
bool WorkLayerExtent(CZelkDoc* doc, int layer, double& minX, double& maxX, double& minY,
                     double& maxY)
{
    CPointD topLeft, bottomRight;
    if (!CLayerOps::GetWorkLayerExtent(doc, layer, topLeft, bottomRight))
        return false;
    minX = topLeft.m_x;
    maxY = topLeft.m_y;
    maxX = bottomRight.m_x;
    minY = bottomRight.m_y;
    return true;
}

// Four frame lines centred on the extents, recorded and committed as one undo step.
void DrawFrame(CZelkDoc* doc, int layer, double fw, double fh)
{
    const CRectD& x = doc->m_extents;
    const double mx = (fw - (x.m_right - x.m_left)) / 2;
    const double my = (fh - (x.m_top - x.m_bottom)) / 2;
    const double l = x.m_left - mx, r = x.m_right + mx, b = x.m_bottom - my, t = x.m_top + my;
    const std::int16_t pen = doc->FindOrAddPen(2, 1, 0, 0, 70);
    const std::int16_t saved = doc->m_writeLayer;
    doc->m_writeLayer = static_cast<std::int16_t>(layer);
    const double ends[4][4] = {{l, b, r, b}, {l, t, r, t}, {l, b, l, t}, {r, b, r, t}};
    for (const auto& e : ends) {
        CPointD p, q;
        p.Init(e[0], e[1]);
        q.Init(e[2], e[3]);
        std::int16_t block = -1, slot = -1;
        if (doc->AddLineWithPen(p, q, static_cast<std::int16_t>(layer), pen, block, slot))
            doc->m_undoHistory->RecordChange(1, ELEM_LINE, block, slot, 8);
    }
    doc->m_writeLayer = saved;
    doc->m_undoHistory->Commit(1);
}

}  // namespace

int CZelkDoc::FirstWorkPrintLayer()
{
    for (int i = 0; i < m_layers.GetSize(); ++i)
        if (GetLayer(i)->IsWorkPrintLayer())
            return i;
    return -1;
}

int CZelkDoc::FindPrintFrameLayer()
{
    ComputeExtents();
    const CRectD& x = m_extents;
    const double w = x.m_right - x.m_left, h = x.m_top - x.m_bottom;
    double best = 1e10;
    int found = -1;
    for (int i = 0; i < m_layers.GetSize(); ++i) {
        if (!GetLayer(i)->IsWorkPrintLayer())
            continue;
        double minX, maxX, minY, maxY;
        if (!WorkLayerExtent(this, i, minX, maxX, minY, maxY))
            continue;
        if (!(x.m_left < minX && maxX < x.m_right && maxY < x.m_top && x.m_bottom < minY))
            continue;
        const double score = (maxX - minX) + (maxY - minY) - w - h;
        if (score < best) {
            best = score;
            found = i;
        }
    }
    return found;
}

int CZelkDoc::AddPrintFrame()
{
    ComputeExtents();
    const double w = m_extents.m_right - m_extents.m_left;
    const double h = m_extents.m_top - m_extents.m_bottom;
    double best = 1e10, fw = 0, fh = 0;
    CString name;
    bool chosen = false;
    const CStringArray& sheets = g_pApp->m_sheetNames;
    for (int i = 0; i < sheets.GetSize(); ++i) {
        double sw = 0, sh = 0;
        CString sheetName;
        if (!ParseSheetLine(sheets[i], sw, sh, sheetName))
            continue;
        const double dw = sw - w, dh = sh - h;
        if (dw > 0 && dh > 0 && dw + dh < best) {
            best = dw + dh;
            fw = sw;
            fh = sh;
            name = sheetName;
            chosen = true;
        }
    }
    if (!chosen) {
        name = "Auto";
        AutomaticFrameSize(w, h, fw, fh);
    }
    const int layer = FindOrCreateLayer(CString("Work_Print_") + name);
    DrawFrame(this, layer, fw, fh);
    return layer;
}

int CZelkDoc::RedrawPrintFrame(int layer)
{
    if (layer < 0 || layer >= m_layers.GetSize())
        return 0;
    CString upper = GetLayer(layer)->m_name;
    upper.MakeUpper();
    const int at = upper.Find("WORK_PRINT");
    if (at < 0)
        return 0;
    CString sheet = upper.Mid(at + 10);
    if (!sheet.IsEmpty() && sheet[0] == '_')
        sheet = sheet.Mid(1);
    ComputeExtents();
    const double w = m_extents.m_right - m_extents.m_left;
    const double h = m_extents.m_top - m_extents.m_bottom;
    double fw = 0, fh = 0;
    if (sheet == "AUTO") {
        AutomaticFrameSize(w, h, fw, fh);
    } else {
        const CStringArray& sheets = g_pApp->m_sheetNames;
        int i = 0;
        for (; i < sheets.GetSize(); ++i) {
            CString line = sheets[i];
            line.MakeUpper();
            if (line.Find(sheet) < 0)
                continue;
            CStringArray tokens;
            SplitTokens(sheets[i], ",", "+-", tokens);
            if (tokens.GetSize() > 0 && tokens[0] == "-")
                continue;
            break;
        }
        CString name;
        if (i == sheets.GetSize() || !ParseSheetLine(sheets[i], fw, fh, name))
            return 0;
    }
    DrawFrame(this, layer, fw, fh);
    return 1;
}
