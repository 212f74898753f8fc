// What the loop command's tests share: loops written straight into the loop store, a loop read
// back as the path it travels, a view that records what is drawn into it, and the geometry of
// outlines computed independently of the command.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands/line/LoopCommand.h"
#include "elements/Arc.h"
#include "elements/Line.h"
#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "input/ElemKey.h"
#include "platform/gdi/RecordingDC.h"
#include "view/ZelkView.h"

namespace loop_tests {

constexpr double kPi = 3.14159265358979323846;

inline CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// A loop appended to the store member by member, as extraction would leave it.
class CLoopWriter {
public:
    explicit CLoopWriter(CLoopCommand& c) : m_c(c), m_loop(new COwnedPtrArray)
    {
        c.m_loops.Add(m_loop);
        c.m_extractState = 3;
    }
    CLoopWriter& Line(CPointD a, CPointD b, int reversed = 0)
    {
        const int i = m_c.m_lineCopies.Add(new CLine(a, b));
        m_c.m_lineRefs.Add(Ref(ELEM_LINE_KIND));
        return Key(ELEM_LINE_KIND, i, reversed);
    }
    // A path through the points, each side stored with its ends in x-then-y order as the
    // drawing keeps them and travelled from point to point.
    CLoopWriter& Polygon(const std::vector<CPointD>& points)
    {
        for (std::size_t i = 0; i < points.size(); ++i) {
            const CPointD& a = points[i];
            const CPointD& b = points[(i + 1) % points.size()];
            const bool swap = a.m_x > b.m_x || (a.m_x == b.m_x && a.m_y > b.m_y);
            if (swap)
                Line(b, a, 1);
            else
                Line(a, b, 0);
        }
        return *this;
    }
    CLoopWriter& Arc(CPointD centre, double radius, double start, double end, int reversed = 0)
    {
        const int i = m_c.m_arcCopies.Add(new CArc(centre, radius, At(start, end)));
        m_c.m_arcRefs.Add(Ref(ELEM_ARC_KIND));
        return Key(ELEM_ARC_KIND, i, reversed);
    }
    CLoopWriter& Circle(CPointD centre, double radius, int reversed = 0)
    {
        const int i = m_c.m_circleCopies.Add(new CArc(centre, radius, At(0, 360)));
        m_c.m_circleRefs.Add(Ref(ELEM_CIRCLE_KIND));
        return Key(ELEM_CIRCLE_KIND, i, reversed);
    }
    COwnedPtrArray& Loop() { return *m_loop; }

private:
    static constexpr std::int16_t ELEM_LINE_KIND = 4, ELEM_CIRCLE_KIND = 8, ELEM_ARC_KIND = 16;
    static CElemRef* Ref(std::int16_t kind)
    {
        auto* r = new CElemRef;
        r->Init(kind, -1, -1, 1, 1);
        return r;
    }
    CLoopWriter& Key(std::int16_t kind, int index, int reversed)
    {
        auto* key = new CElemKey;
        key->Set(kind, static_cast<std::int16_t>(index), reversed);
        m_loop->Add(key);
        return *this;
    }
    CLoopCommand& m_c;
    COwnedPtrArray* m_loop;
};

inline std::string Num(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", std::fabs(v) < 5e-7 ? 0.0 : v);
    return text;
}

inline std::string Pt(const CPointD& p)
{
    return Num(p.m_x) + "," + Num(p.m_y);
}

// The loop as the path it travels: "L a>b" for a line from its entry to its exit, "A a>b" for an
// arc, "C centre r" for a whole circle; members joined by " | ".
inline std::string Path(const CLoopCommand& c, const COwnedPtrArray* loop)
{
    std::string out;
    for (int k = 0; loop && k < loop->GetSize(); ++k) {
        const CElemKey* key = loop->KeyAt(k);
        if (!out.empty())
            out += " | ";
        if (const CLine* l = c.MemberLine(*key)) {
            const CPointD& a = key->flag ? l->m_end : l->m_start;
            const CPointD& b = key->flag ? l->m_start : l->m_end;
            out += "L " + Pt(a) + ">" + Pt(b);
        } else if (const CArc* a = c.MemberArc(*key)) {
            if (std::fabs(a->m_endAngle - a->m_startAngle - 360.0) < 1e-9)
                out += "C " + Pt(a->m_centre) + " r" + Num(a->m_radius);
            else
                out += "A " + Pt(a->KeyPoint(key->flag ? -2 : -1)) + ">" + Pt(a->KeyPoint(key->flag ? -1 : -2));
        } else {
            out += "?";
        }
    }
    return out;
}

// A view without a window whose drawing outside a paint is recorded.
class CRecordingView : public CZelkView {
public:
    // The world from (-10, 10) at a pixel per unit, 4000 pixels each way.
    CRecordingView()
    {
        m_zoom = 1;
        m_origin.Init(-10, 10);
        m_clientRectLogical = RECT{ 0, 0, 4000, -4000 };
    }
    std::vector<std::string> m_calls;
    std::unique_ptr<CDC> CreateClientDC() override
    {
        struct Sink : CRecordingDC {
            explicit Sink(std::vector<std::string>& s) : calls(s) {}
            ~Sink() override { calls.insert(calls.end(), Calls().begin(), Calls().end()); }
            std::vector<std::string>& calls;
        };
        return std::make_unique<Sink>(m_calls);
    }
    // How many drawing calls were made with a pen whose description holds the text.
    int DrawsWithPen(const std::string& pen) const
    {
        int count = 0;
        std::string current;
        for (const std::string& call : m_calls) {
            if (call.rfind("SelectPen(", 0) == 0)
                current = call;
            else if ((call.rfind("LineTo", 0) == 0 || call.rfind("Arc(", 0) == 0 || call.rfind("Polyline", 0) == 0) &&
                     current.find(pen) != std::string::npos)
                ++count;
        }
        return count;
    }
};

// ---- outlines computed on their own -----------------------------------------------------

// A piece of an outline: a segment, or an arc travelled counterclockwise from a to b.
struct Piece {
    bool arc = false;
    CPointD a, b;
    CPointD centre;
    double radius = 0, start = 0, end = 0;   // degrees, counterclockwise start -> end
};

inline bool AngleWithin(double angle, double start, double end)
{
    double t = std::fmod(angle - start, 360.0);
    if (t < 0)
        t += 360.0;
    return t <= end - start + 1e-12;
}

// The parameters along p + t·u at which the line meets the piece.
inline void Meet(const Piece& piece, CPointD p, CPointD u, std::vector<double>& ts)
{
    if (!piece.arc) {
        const double ex = piece.b.m_x - piece.a.m_x, ey = piece.b.m_y - piece.a.m_y;
        const double den = u.m_x * ey - u.m_y * ex;
        if (std::fabs(den) < 1e-15)
            return;
        const double wx = piece.a.m_x - p.m_x, wy = piece.a.m_y - p.m_y;
        const double t = (wx * ey - wy * ex) / den;
        const double s = (wx * u.m_y - wy * u.m_x) / den;
        if (s >= 0 && s < 1)
            ts.push_back(t);
        return;
    }
    const double fx = p.m_x - piece.centre.m_x, fy = p.m_y - piece.centre.m_y;
    const double bq = fx * u.m_x + fy * u.m_y;
    const double cq = fx * fx + fy * fy - piece.radius * piece.radius;
    const double disc = bq * bq - cq;
    if (disc <= 0)
        return;
    for (double sign : { -1.0, 1.0 }) {
        const double t = -bq + sign * std::sqrt(disc);
        const double x = p.m_x + t * u.m_x - piece.centre.m_x, y = p.m_y + t * u.m_y - piece.centre.m_y;
        if (AngleWithin(std::atan2(y, x) * 180.0 / kPi, piece.start, piece.end))
            ts.push_back(t);
    }
}

// The length of the infinite line through p in the unit direction u inside the outlines (even
// and odd crossings).
inline double InsideLength(const std::vector<Piece>& pieces, CPointD p, CPointD u)
{
    std::vector<double> ts;
    for (const Piece& piece : pieces)
        Meet(piece, p, u, ts);
    std::sort(ts.begin(), ts.end());
    double sum = 0;
    for (std::size_t i = 0; i + 1 < ts.size(); i += 2)
        sum += ts[i + 1] - ts[i];
    return sum;
}

// Whether the point lies inside the outlines, by a ray to the right over the outlines with
// every arc taken as 256 short segments.
inline bool Inside(const std::vector<Piece>& pieces, CPointD q)
{
    std::vector<CPointD> chain;
    bool inside = false;
    auto edge = [&](CPointD a, CPointD b) {
        if ((a.m_y > q.m_y) != (b.m_y > q.m_y)) {
            const double x = a.m_x + (q.m_y - a.m_y) * (b.m_x - a.m_x) / (b.m_y - a.m_y);
            if (x > q.m_x)
                inside = !inside;
        }
    };
    for (const Piece& piece : pieces) {
        if (!piece.arc) {
            edge(piece.a, piece.b);
            continue;
        }
        CPointD last = At(piece.centre.m_x + piece.radius * std::cos(piece.start * kPi / 180),
                          piece.centre.m_y + piece.radius * std::sin(piece.start * kPi / 180));
        for (int i = 1; i <= 256; ++i) {
            const double a = (piece.start + (piece.end - piece.start) * i / 256.0) * kPi / 180;
            const CPointD next = At(piece.centre.m_x + piece.radius * std::cos(a), piece.centre.m_y + piece.radius * std::sin(a));
            edge(last, next);
            last = next;
        }
    }
    return inside;
}

} // namespace loop_tests
