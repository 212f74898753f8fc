// Section properties of the extracted loops: the perimeter of each loop, the area they enclose
// together, its centroid marked with a cross and "G", and the second moment about a picked axis.
// The integrals are strip sums: the loops are cut by parallel lines at the strips' middles and
// the inside length of each line is the strip's width. The result lines go to group processing
// as a multi-text for the user to place.
#include "commands/line/LoopCommand.h"

#include <cmath>
#include <vector>

#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/circle/ElementAdding.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "input/ElemKey.h"
#include "macro/MacroInterpreter.h"
#include "macro/Unit.h"
#include "platform/core/Services.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

CPointD Along(const CPointD& p, const CPointD& v, double t)
{
    CPointD q;
    q.Init(p.m_x + v.m_x * t, p.m_y + v.m_y * t);
    return q;
}

double Across(const CPointD& base, const CPointD& normal, const CPointD& p)
{
    return (p.m_x - base.m_x) * normal.m_x + (p.m_y - base.m_y) * normal.m_y;
}

CString Rounded(double v, int digits)
{
    RoundToSignificant(v, digits);
    return DoubleToString(v);
}

// The unit of a result variable, added to the application's table when it has none of the name.
const CUnit* ResultUnit(const char* name, double ratio, int lengthExponent)
{
    int index = CMacroInterpreter::FindUnitByName(name);
    if (index < 0 && g_pApp) {
        int exponents[CUnit::kDimensions] = {};
        exponents[0] = lengthExponent;
        g_pApp->m_unitTable.Add(new CUnit(name, ratio, exponents));
        index = CMacroInterpreter::FindUnitByName(name);
    }
    return index >= 0 ? CMacroInterpreter::GetUnit(index) : nullptr;
}

void SetResultVariable(const char* variable, double value, const char* unitName, double ratio, int lengthExponent)
{
    const CUnit* unit = ResultUnit(unitName, ratio, lengthExponent);
    if (!unit)
        return;
    CString message;
    CMacroInterpreter::AssignNumericVariable(variable, value, *unit, message);
    if (!message.IsEmpty())
        AfxMessageBox(message);
}

} // namespace

double CLoopCommand::StripWidth(CPointD a, CPointD b) const
{
    std::vector<CPointD> points;
    if (!IntersectLineWithLoops(a, b, points))
        return 0.0;
    double width = 0.0;
    for (std::size_t i = 0; i + 1 < points.size(); i += 2)
        width += Distance(points[i], points[i + 1]);
    return width;
}

int CLoopCommand::ComputeSectionProperties(int axisSlot)
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    if (!doc || !app || m_loops.GetSize() == 0)
        return 0;
    CWaitCursorScope wait;
    const int digits = app->m_appAcc.m_digits2;
    CStringArray lines;
    for (int i = 0; i < m_loops.GetSize(); ++i) {
        const double perimeter = GetLoopPerimeter(*static_cast<const COwnedPtrArray*>(m_loops[i]));
        CString line;
        line.Format("LOOP %02d 周長 = ", i + 1);
        lines.Add(line + Rounded(perimeter, digits));
    }

    int crossMade = 0;
    const bool axis = axisSlot >= 0 && axisSlot < 5;
    const CLine& axisLine = m_pickedLines[axis ? axisSlot : 0];
    const double theta = axis ? axisLine.AngleDeg() : 0.0;
    const double r = theta * kPi / 180.0;
    CPointD d, n;
    d.Init(std::cos(r), std::sin(r));
    n.Init(-std::sin(r), std::cos(r));
    CPointD U, D, L, R;
    if (GetLoopsExtremePoints(theta, U, D, L, R)) {
        // Fewer than one strip would divide by zero; the settings dialog keeps it far above.
        const int N = app->m_appElem.m_stripCount < 1 ? 1 : app->m_appElem.m_stripCount;
        const CPointD B = axis ? axisLine.m_start : D;
        const double up = std::fabs(Across(B, n, U)), down = std::fabs(Across(B, n, D));
        const double h = (up + down) / N;

        double A1 = 0.0, moment1 = 0.0, inertia = 0.0;
        std::vector<double> w1, w2;
        if (h > 0.0) {
            const long m1 = static_cast<long>(std::trunc(up / h)) + 1;
            const long m2 = static_cast<long>(std::trunc(down / h)) + 1;
            for (long k = 0; k < m1; ++k) {
                const CPointD a = Along(B, n, (k + 0.5) * h);
                w1.push_back(StripWidth(a, Along(a, d, 100.0)));
            }
            for (long k = 0; k < m2; ++k) {
                const CPointD a = Along(B, n, -(k + 0.5) * h);
                w2.push_back(StripWidth(a, Along(a, d, 100.0)));
            }
            for (std::size_t k = 0; k < w1.size(); ++k) {
                const double y = (k + 0.5) * h;
                A1 += w1[k] * h;
                moment1 += w1[k] * y * h;
                inertia += y * y * w1[k] * h;
            }
            for (std::size_t k = 0; k < w2.size(); ++k) {
                const double y = (k + 0.5) * h;
                A1 += w2[k] * h;
                moment1 -= w2[k] * y * h;
                inertia += y * y * w2[k] * h;
            }
        }

        CPointD crossStart = R, crossEnd = Along(R, n, 100.0);
        OrderPoints(crossStart, crossEnd);
        const double s = std::fabs(Across(crossStart, d, L)) / N;
        double A2 = 0.0, moment2 = 0.0;
        if (s > 0.0) {
            for (int j = 0; j < N; ++j) {
                const double x = (j + 0.5) * s;
                const double v = StripWidth(Along(crossStart, d, -x), Along(crossEnd, d, -x));
                A2 += v * s;
                moment2 += v * x * s;
            }
        }

        // A figure without width or height has no centroid: its area is 0 and nothing is marked.
        const bool hasArea = A1 > 0.0 && A2 > 0.0;
        double area = hasArea ? (A1 + A2) / 2.0 : 0.0;
        RoundToSignificant(area, digits);
        lines.Add("面積 = " + DoubleToString(area));
        SetResultVariable("AR", area * 1e-6, "mm2", 1e-6, 2);

        if (hasArea) {
            const CLine g1(Along(B, n, moment1 / A1), Along(Along(B, n, moment1 / A1), d, 100.0));
            const CPointD g2Point = Along(R, d, -moment2 / A2);
            const CLine g2(g2Point, Along(g2Point, n, 100.0));
            CPointD G;
            IntersectLineRecLines(g1, g2, G);
            MarkCentroid(G);
            crossMade = 1;

            if (axis) {
                RoundToSignificant(inertia, digits);
                lines.Add("断面二次モーメント = " + DoubleToString(inertia));
                SetResultVariable("II", inertia * 1e-12, "mm4", 1e-12, 4);
            }
        }
    }

    if (CGroupProcessor* group = app->m_groupProcessor) {
        group->Reset(1);
        group->m_document = doc;
        group->EnterGroupMode();
        group->m_elemSet.AddTextLines(lines);
        group->m_elemSet.angle = 0.0;
        group->m_moveFlag = 0;
        group->modePattern = "MP";
        group->m_preset = 1;
        group->OnInput(doc, 14, 32);
    }
    return crossMade;
}

void CLoopCommand::MarkCentroid(CPointD g)
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    if (!doc || !app || !doc->m_creationLog)
        return;
    const double c = app->m_appElem.m_centroidHalfLength;
    CLayerStep layer(doc);
    std::int16_t block = -1, slot = -1;
    CPointD a, b;
    a.Init(g.m_x - c, g.m_y);
    b.Init(g.m_x + c, g.m_y);
    doc->m_creationLog->AddLine(a, b, 1, block, slot, 1, 1);
    a.Init(g.m_x, g.m_y - c);
    b.Init(g.m_x, g.m_y + c);
    doc->m_creationLog->AddLine(a, b, 1, block, slot, 1, 1);
    doc->m_creationLog->AddText("G", g, 0.0, app->m_appText.m_anchor, block, slot, 1, 1);
    if (doc->m_undoHistory)
        doc->m_undoHistory->Commit(1);
    layer.Finish();
}
