// The bolt figure: the typed values rounded to standard sizes, the head seen across its corners
// and the shank with its thread, as pens, a group, lines and arcs in a slot's record lists.
#include "plugins/quibra/BoltApp.h"

#include "geometry/Angles.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

// Nominal diameter n, head height k and width across corners e.
struct BoltSize {
    double n;
    double k;
    double e;
};
constexpr BoltSize kSizes[] = {
    {3, 2.0, 6.4},    {4, 2.8, 8.1},    {5, 3.5, 9.2},     {6, 4.0, 11.5},   {8, 5.5, 15.0},
    {10, 7.0, 19.6},  {12, 8.0, 21.9},  {16, 10.0, 27.7},  {20, 13.0, 34.6}, {24, 15.0, 41.6},
    {30, 17.0, 53.1}, {36, 23.0, 63.5}, {42, 26.0, 75.0},  {48, 30.0, 86.5}, {56, 35.0, 98.1},
    {64, 40.0, 110.0}, {72, 45.0, 121.0}, {80, 50.0, 133.0},
};

// Lengths and thread lengths; 95 is no size.
constexpr double kLengths[] = {
    5,   10,  15,  20,  25,  30,  35,  40,  45,  50,  55,  60,  65,  70,  75,  80,  85,  90,
    100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 220, 240, 260, 280, 300, 325, 350,
    375, 400,
};

// A value takes the smallest size s with v < s + 0.1; null when it is past the largest.
const BoltSize* DiameterRow(double v)
{
    for (const BoltSize& row : kSizes)
        if (v < row.n + 0.1)
            return &row;
    return nullptr;
}

bool RoundLength(double v, double& size)
{
    for (double s : kLengths)
        if (v < s + 0.1) {
            size = s;
            return true;
        }
    return false;
}

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// Every element of the figure: the drawing's write layer (-1) and the figure's one group (0).
void AddLine(UserAppBlock& block, int slot, const CPointD& from, const CPointD& to, short pen)
{
    block.m_recordLists[UserAppBlock::kLineList][slot].Add(new UserAppLineRecord(from, to, -1, pen, 0));
}

void AddArc(UserAppBlock& block, int slot, const CPointD& centre, double radius, const CPointD& angles)
{
    block.m_recordLists[UserAppBlock::kArcList][slot].Add(new UserAppArcRecord(centre, radius, angles, -1, 0, 0));
}

}  // namespace

BOOL CBoltApp::BuildFigure(int slot, UserAppBlockHolder* holder)
{
    UserAppBlock& block = *holder->m_block;
    block.ClearSlotRecords(slot);
    block.m_recordLists[UserAppBlock::kPenList][slot].Add(new UserAppPenRecord(0, thickPenWidth, 0));
    block.m_recordLists[UserAppBlock::kPenList][slot].Add(new UserAppPenRecord(0, 1, 0));
    block.m_recordLists[UserAppBlock::kGroupList][slot].Add(new UserAppGroupRecord);
    const BOOL head = AddHead(slot, holder);
    const BOOL shank = AddShank(slot, holder);
    return head && shank;
}

BOOL CBoltApp::AddHead(int slot, UserAppBlockHolder* holder)
{
    const BoltSize* row = DiameterRow(diameter);
    if (!row)
        return FALSE;
    UserAppBlock& block = *holder->m_block;
    const double n = row->n;
    const double k = row->k;
    const double q = row->e / 4;
    // The height at which the chamfer arcs meet the face edges.
    const double c = k + n * (std::cos(std::asin(q / n)) - 1);
    AddLine(block, slot, P(-2 * q, 0), P(2 * q, 0), 0);
    AddLine(block, slot, P(-2 * q, 0), P(-2 * q, c), 0);
    AddLine(block, slot, P(2 * q, 0), P(2 * q, c), 0);
    AddLine(block, slot, P(-q, 0), P(-q, c), 0);
    AddLine(block, slot, P(q, 0), P(q, c), 0);
    AddLine(block, slot, P(-1.5 * q, k), P(1.5 * q, k), 0);

    CPointD centre;
    CPointD angles;
    double radius = 0;
    if (!ArcThroughPoints(P(q, c), P(0, k), P(-q, c), centre, radius, angles))
        return FALSE;
    AddArc(block, slot, centre, radius, angles);
    if (!ArcThroughPoints(P(2 * q, c), P(1.5 * q, k), P(q, c), centre, radius, angles))
        return FALSE;
    AddArc(block, slot, centre, radius, angles);
    AddArc(block, slot, P(-centre.m_x, centre.m_y), radius, angles);
    return TRUE;
}

BOOL CBoltApp::AddShank(int slot, UserAppBlockHolder* holder)
{
    if (length == 0)
        return TRUE;
    const BoltSize* row = DiameterRow(diameter);
    double L = 0;
    double T = 0;
    if (!row || !RoundLength(length, L) || !RoundLength(threadLength, T))
        return FALSE;
    UserAppBlock& block = *holder->m_block;
    const double r = row->n / 2;
    const double p = 0.085 * row->n;   // depth of the thread
    if (T > L - 2 * p)
        T = L - 2 * p;
    const double end = T - L;           // where the thread ends
    AddLine(block, slot, P(-r, 0), P(r, 0), 0);
    AddLine(block, slot, P(-r, -L), P(r, -L), 0);
    AddLine(block, slot, P(-r, -L), P(-r, 0), 0);
    AddLine(block, slot, P(r, -L), P(r, 0), 0);
    AddLine(block, slot, P(-r, end), P(r, end), 0);
    AddLine(block, slot, P(-(r - p), -L), P(-(r - p), end), 1);
    AddLine(block, slot, P(r - p, -L), P(r - p, end), 1);
    AddLine(block, slot, P(-r, end + 1.73 * p), P(-(r - p), end), 1);
    AddLine(block, slot, P(r - p, end), P(r, end + 1.73 * p), 1);
    return TRUE;
}

BOOL CBoltApp::ArcThroughPoints(const CPointD& p1, const CPointD& p2, const CPointD& p3,
                                CPointD& centre, double& radius, CPointD& angles)
{
    // A second point on the perpendicular bisector of each pair.
    CPointD mid[2];
    CPointD off[2];
    const CPointD* pairs[2][2] = {{&p1, &p2}, {&p2, &p3}};
    for (int i = 0; i < 2; ++i) {
        double d = 0;
        const double a = PointsAngleRadLen(*pairs[i][0], *pairs[i][1], d);
        mid[i].Init((pairs[i][0]->m_x + pairs[i][1]->m_x) / 2, (pairs[i][0]->m_y + pairs[i][1]->m_y) / 2);
        off[i].Init(mid[i].m_x + d * std::cos(a + kPi / 2), mid[i].m_y + d * std::sin(a + kPi / 2));
    }
    if (!IntersectLines(mid[0], off[0], mid[1], off[1], centre))
        return FALSE;
    const double dx = p1.m_x - centre.m_x;
    const double dy = p1.m_y - centre.m_y;
    radius = std::sqrt(dx * dx + dy * dy);
    angles.Init(DirectionDeg(centre, p1), DirectionDeg(centre, p3));
    return TRUE;
}

BOOL CBoltApp::IntersectLines(const CPointD& a1, const CPointD& a2, const CPointD& b1,
                              const CPointD& b2, CPointD& result)
{
    result.Init(0, 0);
    const double dxa = a2.m_x - a1.m_x;
    const double dya = a2.m_y - a1.m_y;
    const double dxb = b2.m_x - b1.m_x;
    const double dyb = b2.m_y - b1.m_y;
    if (std::fabs(dxb * dya - dyb * dxa) < 0.001)
        return FALSE;
    double x = 0;
    double y = 0;
    if (std::fabs(dxa) < 0.001) {
        // Line b exactly vertical too has no slope to meet line a with.
        if (dxb == 0)
            return FALSE;
        const double sb = dyb / dxb;
        x = a1.m_x;
        y = x * sb + (b1.m_y - b1.m_x * sb);
    } else {
        const double sa = dya / dxa;
        const double ia = a1.m_y - a1.m_x * sa;
        if (dxb == 0) {
            x = b1.m_x;
        } else {
            const double sb = dyb / dxb;
            const double ib = b1.m_y - b1.m_x * sb;
            if (sb - sa == 0)
                return FALSE;
            x = (ia - ib) / (sb - sa);
        }
        y = x * sa + ia;
    }
    result.Init(x, y);
    return TRUE;
}

double CBoltApp::DirectionDeg(const CPointD& a, const CPointD& b)
{
    return VectorAngleRad(b.m_x - a.m_x, b.m_y - a.m_y) * 180 / kPi;
}
