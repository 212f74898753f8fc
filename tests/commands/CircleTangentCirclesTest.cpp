// The tangent circles among circles, lines and points given on the tape: the listed cases, and
// over generated configurations the candidate set against an independent solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "commands/circle/CircleCommand.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/PointPair.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

std::string TypedText(CPointD p)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f,%.6f", p.m_x, p.m_y);
    return text;
}

const CPointPair& Candidate(CCircleCommand& c, int i) { return *static_cast<const CPointPair*>(c.m_candidates[i]); }

std::vector<double> Radii(CCircleCommand& c)
{
    std::vector<double> out;
    for (int i = 0; i < c.m_candidates.GetSize(); ++i)
        out.push_back(Candidate(c, i).value2);
    std::sort(out.begin(), out.end());
    return out;
}

int CirclesListed(const std::vector<std::string>& listing, double radius)
{
    int n = 0;
    for (const std::string& line : listing) {
        double x = 0, y = 0, r = 0;
        if (std::sscanf(line.c_str(), "circle %lf,%lf r %lf", &x, &y, &r) == 3 && std::fabs(r - radius) < 1e-6)
            ++n;
    }
    return n;
}

struct Disc {
    CPointD centre;
    double radius;
};

// The circles touching three discs (a point is a disc of radius 0): for every choice of outside
// or inside contact, the differences of the three distance equations are linear in the centre,
// which leaves one quadratic in the radius.
std::vector<Disc> Apollonius(const Disc g[3])
{
    std::vector<Disc> out;
    for (int mask = 0; mask < 8; ++mask) {
        double s[3];
        for (int i = 0; i < 3; ++i)
            s[i] = (mask >> i) & 1 ? -1.0 : 1.0;
        // Rows i = 1, 2: m x + n y = k0 + k1 r.
        double m[2], n[2], k0[2], k1[2];
        for (int i = 1; i < 3; ++i) {
            const Disc& a = g[0];
            const Disc& b = g[i];
            m[i - 1] = 2 * (b.centre.m_x - a.centre.m_x);
            n[i - 1] = 2 * (b.centre.m_y - a.centre.m_y);
            k0[i - 1] = b.centre.m_x * b.centre.m_x + b.centre.m_y * b.centre.m_y - a.centre.m_x * a.centre.m_x -
                        a.centre.m_y * a.centre.m_y - b.radius * b.radius + a.radius * a.radius;
            k1[i - 1] = -2 * (s[i] * b.radius - s[0] * a.radius);
        }
        const double det = m[0] * n[1] - m[1] * n[0];
        if (std::fabs(det) < 1e-12)
            continue;
        const double x0 = (k0[0] * n[1] - k0[1] * n[0]) / det, x1 = (k1[0] * n[1] - k1[1] * n[0]) / det;
        const double y0 = (m[0] * k0[1] - m[1] * k0[0]) / det, y1 = (m[0] * k1[1] - m[1] * k1[0]) / det;
        const double ux = x0 - g[0].centre.m_x, uy = y0 - g[0].centre.m_y;
        const double qa = x1 * x1 + y1 * y1 - 1;
        const double qb = 2 * (ux * x1 + uy * y1) - 2 * s[0] * g[0].radius;
        const double qc = ux * ux + uy * uy - g[0].radius * g[0].radius;
        std::vector<double> roots;
        if (std::fabs(qa) < 1e-12) {
            if (std::fabs(qb) > 1e-12)
                roots.push_back(-qc / qb);
        } else {
            const double d = qb * qb - 4 * qa * qc;
            if (d >= 0) {
                roots.push_back((-qb + std::sqrt(d)) / (2 * qa));
                roots.push_back((-qb - std::sqrt(d)) / (2 * qa));
            }
        }
        for (const double r : roots) {
            if (r <= 1e-9 || r > 100000)
                continue;
            const Disc found{ At(x0 + x1 * r, y0 + y1 * r), r };
            bool seen = false;
            for (const Disc& o : out)
                seen = seen || (Distance(o.centre, found.centre) < 1e-6 && std::fabs(o.radius - r) < 1e-6);
            for (int i = 0; i < 3; ++i)
                seen = seen || (Distance(g[i].centre, found.centre) < 1e-6 && std::fabs(g[i].radius - r) < 1e-6);
            if (!seen)
                out.push_back(found);
        }
    }
    return out;
}

} // namespace

TEST(TangentCircles, ThreeCirclesGiveEightCandidatesAndNeverAGivenCircle)
{
    CCommandTape tape;
    tape.Code(305);
    tape.AddCircle(At(0, 0), 5);
    tape.AddCircle(At(20, 0), 5);
    tape.AddCircle(At(10, 15), 5);
    tape.Menu("３要素接円～３点円");
    tape.Pick(At(-5, 0));
    tape.Pick(At(25, 0));
    const CCommandRow& made = tape.Pick(At(10, 20));
    EXPECT_EQ(made.tokens, "CCC");
    CCircleCommand& c = tape.Circle();
    const std::vector<double> radii = Radii(c);
    const double expected[] = { 5.833, 9.5, 10.045, 10.045, 14.392, 14.392, 15.833, 17.5 };
    ASSERT_EQ(radii.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(radii[i], expected[i], 1e-3);
    for (int i = 1; i < 8; ++i)
        EXPECT_LE(Candidate(c, i - 1).value1, Candidate(c, i).value1);
    // The given circles stay three; the candidate at the front is added.
    EXPECT_EQ(CirclesListed(made.listing, 5), 3);
    EXPECT_EQ(CirclesListed(made.listing, Candidate(c, 0).value2), 1);
    const CCommandRow& next = tape.Key('Q');
    EXPECT_EQ(CirclesListed(next.listing, Candidate(c, 1).value2), 1);
}

TEST(TangentCircles, ALineACircleAndAPointGiveFourCandidates)
{
    CCommandTape tape;
    tape.Code(305);
    tape.AddLine(At(-50, 0), At(50, 0));
    tape.AddCircle(At(0, 10), 2);
    tape.Menu("３要素接円～３点円");
    tape.Pick(At(30, 0));
    tape.Pick(At(0, 12));
    const CCommandRow& made = tape.Typed("5,3");
    EXPECT_EQ(made.tokens, "LCP");
    CCircleCommand& c = tape.Circle();
    const std::vector<double> radii = Radii(c);
    const double expected[] = { 4.049, 6.002, 10.247, 22.398 };
    ASSERT_EQ(radii.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(radii[i], expected[i], 1e-3);
    for (int i = 0; i < 4; ++i) {
        const CPointPair& k = Candidate(c, i);
        EXPECT_NEAR(std::fabs(k.point1.m_y), k.value2, 1e-6);
        EXPECT_NEAR(Distance(k.point1, At(5, 3)), k.value2, 1e-6);
        const double d = Distance(k.point1, At(0, 10));
        // About 4.049 and 10.247 touch the circle from outside, 6.002 and 22.398 enclose it.
        const bool outside = std::fabs(k.value2 - 4.049) < 1e-3 || std::fabs(k.value2 - 10.247) < 1e-3;
        EXPECT_NEAR(d, outside ? k.value2 + 2 : k.value2 - 2, 1e-6) << k.value2;
    }
}

TEST(TangentCircles, ACircleTouchedAtAPointThroughAnother)
{
    struct Case {
        CPointD pass;
        const char* message;
        int candidates;
    } cases[] = {
        { At(9, 4), "", 1 },
        { At(0, 5), "通過点が接円弧の上にあり円は作成できません", 0 },
        { At(5, 8), "", 0 },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        tape.Code(305);
        tape.AddCircle(At(0, 0), 5);
        tape.Menu("３要素接円～３点円");
        tape.Typed(TypedText(k.pass).c_str());
        tape.Pick(At(-5, 0));
        // The circle's quadrant point, right-clicked: a typed point's echo would cover the message.
        const CCommandRow& made = tape.RightClick(At(5, 0));
        EXPECT_EQ(made.tokens, "BCH");
        if (*k.message)
            EXPECT_EQ(made.message, k.message);
        else
            EXPECT_EQ(made.message.find("通過点"), std::string::npos);
        EXPECT_EQ(tape.Circle().m_candidates.GetSize(), k.candidates);
        if (k.candidates == 1) {
            EXPECT_NEAR(Candidate(tape.Circle(), 0).point1.m_x, 9, 1e-6);
            EXPECT_NEAR(Candidate(tape.Circle(), 0).value2, 4, 1e-6);
            EXPECT_EQ(CirclesListed(made.listing, 4), 1);
        } else {
            // Only the given circle.
            EXPECT_EQ(CirclesListed(made.listing, 5), 1);
            EXPECT_EQ(std::count_if(made.listing.begin(), made.listing.end(),
                                    [](const std::string& line) { return line.rfind("circle ", 0) == 0; }),
                      1);
        }
    }
}

// Three circles, two circles and a point, a circle and two points, placed about a triangle's
// corners: the candidates are exactly the independent solver's circles.
TEST(TangentCircles, CandidateSetsEqualAnIndependentSolver)
{
    std::mt19937 random(6303);
    std::uniform_real_distribution<double> jitter(-4.0, 4.0);
    std::uniform_real_distribution<double> size(2.0, 6.0);
    const CPointD corners[3] = { At(0, 0), At(50, 0), At(20, 40) };
    const char* const patterns[] = { "CCC", "CPC", "CPP" };
    for (int round = 0; round < 6; ++round) {
        for (const char* pattern : patterns) {
            for (int arc = 0; arc < 2; ++arc) {
                CCommandTape tape;
                tape.Code(arc ? 306 : 305);
                Disc given[3];
                for (int i = 0; i < 3; ++i) {
                    given[i].centre = At(corners[i].m_x + jitter(random), corners[i].m_y + jitter(random));
                    given[i].radius = pattern[i] == 'C' ? size(random) : 0.0;
                    if (pattern[i] == 'C')
                        tape.AddCircle(given[i].centre, given[i].radius);
                }
                tape.Menu(arc ? "３要素接円弧/３点円弧" : "３要素接円～３点円", arc);
                CCommandRow last;
                for (int i = 0; i < 3; ++i) {
                    last = pattern[i] == 'C'
                               ? tape.Pick(At(given[i].centre.m_x + given[i].radius, given[i].centre.m_y))
                               : tape.Typed(TypedText(given[i].centre).c_str());
                }
                ASSERT_EQ(last.tokens, pattern);
                CCircleCommand& c = tape.Circle();
                const std::vector<Disc> expected = Apollonius(given);
                const int n = c.m_candidates.GetSize();
                ASSERT_EQ(static_cast<size_t>(n), (arc ? 2 : 1) * expected.size()) << pattern << " " << round;
                for (int i = 0; i < n; ++i) {
                    const CPointPair& k = Candidate(c, i);
                    bool found = false;
                    for (const Disc& e : expected)
                        found = found || (Distance(e.centre, k.point1) < 1e-5 && std::fabs(e.radius - k.value2) < 1e-5);
                    EXPECT_TRUE(found) << pattern << " " << round;
                    if (i > 0) {
                        EXPECT_LE(Candidate(c, i - 1).value1, k.value1) << pattern;
                    }
                    if (arc && i % 2 == 1) {
                        // Each arc is followed by its complement.
                        EXPECT_TRUE(PointsNearlyEqual(Candidate(c, i - 1).point1, k.point1));
                        EXPECT_NEAR(std::fmod(Candidate(c, i - 1).point2.m_y, 360.0), std::fmod(k.point2.m_x, 360.0), 1e-6);
                    }
                }
            }
        }
    }
}

TEST(TangentCircles, ALineAndTwoCirclesAndTheArcsThroughTheirTangentPoints)
{
    for (int arc = 0; arc < 2; ++arc) {
        CCommandTape tape;
        tape.Code(arc ? 306 : 305);
        tape.AddLine(At(-60, 0), At(60, 0));
        tape.AddCircle(At(-10, 10), 3);
        tape.AddCircle(At(12, 14), 4);
        tape.Menu(arc ? "３要素接円弧/３点円弧" : "３要素接円～３点円", arc);
        tape.Pick(At(40, 0));
        tape.Pick(At(-13, 10));
        const CCommandRow& made = tape.Pick(At(16, 14));
        ASSERT_EQ(made.tokens, "LCC");
        CCircleCommand& c = tape.Circle();
        const int n = c.m_candidates.GetSize();
        EXPECT_GE(n, arc ? 8 : 4);
        for (int i = 0; i < n; ++i) {
            const CPointPair& k = Candidate(c, i);
            EXPECT_NEAR(std::fabs(k.point1.m_y), k.value2, 1e-6);
            for (int j = 1; j < 3; ++j) {
                const CCircle& g = c.m_pickedCircles[j];
                const double d = Distance(g.m_centre, k.point1);
                EXPECT_LT(std::min(std::fabs(d - (k.value2 + g.m_radius)), std::fabs(d - std::fabs(k.value2 - g.m_radius))),
                          1e-6);
            }
            if (arc && i % 2 == 0) {
                // From the line's tangent point through the first circle's to the second's.
                const CPointD onLine = At(k.point1.m_x, 0);
                const CPointD middle = At(c.m_pickedCircles[1].m_centre.m_x, c.m_pickedCircles[1].m_centre.m_y);
                double toMiddle = PointsAngleDeg(k.point1, middle);
                const double d = Distance(k.point1, middle);
                // Inside the first circle the contact lies beyond the centre, seen from its circle's.
                if (std::fabs(d - (c.m_pickedCircles[1].m_radius - k.value2)) < 1e-6)
                    toMiddle = PointsAngleDeg(middle, k.point1);
                const double start = PointsAngleDeg(k.point1, onLine);
                EXPECT_TRUE(std::fabs(std::fmod(k.point2.m_x - start + 720.0, 360.0)) < 1e-6 ||
                            std::fabs(std::fmod(k.point2.m_y - start + 720.0, 360.0)) < 1e-6);
                EXPECT_TRUE(IsAngleInSweepDeg(toMiddle, k.point2.m_x, k.point2.m_y)) << i;
                // The complement comes right after.
                ASSERT_LT(i + 1, n);
                EXPECT_NEAR(std::fmod(k.point2.m_y, 360.0), std::fmod(Candidate(c, i + 1).point2.m_x, 360.0), 1e-6);
            }
        }
    }
}

namespace {

// The circles through p touching the line y = 0 and the circle (c, rc), p and c above the line:
// the centre (x, y) has y = ((x - px)^2 + py^2) / (2 py), and |X - c|^2 = (y +- rc)^2 in x is
// searched for sign changes.
std::vector<Disc> SolveLineCirclePoint(CPointD p, CPointD c, double rc)
{
    std::vector<Disc> out;
    auto centre = [&](double x) { return At(x, ((x - p.m_x) * (x - p.m_x) + p.m_y * p.m_y) / (2 * p.m_y)); };
    for (const double sign : { 1.0, -1.0 }) {
        auto h = [&](double x) {
            const CPointD o = centre(x);
            const double dx = o.m_x - c.m_x, dy = o.m_y - c.m_y;
            return dx * dx + dy * dy - (o.m_y + sign * rc) * (o.m_y + sign * rc);
        };
        const int steps = 200000;
        double x0 = -1000.0, h0 = h(x0);
        for (int i = 1; i <= steps; ++i) {
            const double x1 = -1000.0 + 2000.0 * i / steps;
            const double h1 = h(x1);
            if ((h0 < 0) != (h1 < 0)) {
                double lo = x0, hi = x1;
                for (int k = 0; k < 100; ++k) {
                    const double mid = (lo + hi) / 2;
                    ((h(lo) < 0) == (h(mid) < 0) ? lo : hi) = mid;
                }
                const CPointD o = centre((lo + hi) / 2);
                out.push_back({ o, o.m_y });
            }
            x0 = x1;
            h0 = h1;
        }
    }
    return out;
}

} // namespace

namespace {

void ExpectTheseCircles(CCircleCommand& c, const std::vector<Disc>& expected, const std::string& what)
{
    ASSERT_EQ(static_cast<size_t>(c.m_candidates.GetSize()), expected.size()) << what;
    for (const Disc& e : expected) {
        bool found = false;
        for (int i = 0; i < c.m_candidates.GetSize(); ++i)
            found = found || (Distance(Candidate(c, i).point1, e.centre) < 1e-5 &&
                              std::fabs(Candidate(c, i).value2 - e.radius) < 1e-5);
        EXPECT_TRUE(found) << what << " " << e.centre.m_x << "," << e.centre.m_y << " r " << e.radius;
    }
    for (int i = 1; i < c.m_candidates.GetSize(); ++i)
        EXPECT_LE(Candidate(c, i - 1).value1, Candidate(c, i).value1) << what;
}

} // namespace

TEST(TangentCircles, ALineACirclesAndAPointsCandidatesEqualAnIndependentSearch)
{
    std::mt19937 random(6304);
    std::uniform_real_distribution<double> across(-15.0, 15.0);
    std::uniform_real_distribution<double> height(8.0, 20.0);
    std::uniform_real_distribution<double> size(1.0, 3.0);
    int checked = 0;
    for (int round = 0; round < 10; ++round) {
        const CPointD c = At(std::round(across(random)), std::round(height(random)));
        const double rc = std::round(size(random) * 100) / 100;
        const CPointD p = At(std::round(across(random) * 1e3) / 1e3, std::round(height(random) * 1e3) / 1e3 - 4);
        if (Distance(p, c) < rc + 1)
            continue;
        CCommandTape tape;
        tape.Code(305);
        tape.AddLine(At(-200, 0), At(200, 0));
        tape.AddCircle(c, rc);
        tape.Menu("３要素接円～３点円");
        tape.Pick(At(150, 0));
        tape.Pick(At(c.m_x, c.m_y + rc));
        const CCommandRow& made = tape.Typed(TypedText(p).c_str());
        ASSERT_EQ(made.tokens, "LCP") << round;
        CCircleCommand& cmd = tape.Circle();
        ExpectTheseCircles(cmd, SolveLineCirclePoint(p, c, rc), std::to_string(round));
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

namespace {

// The circles touching the line y = 0 from above and the circles g[0], g[1] above it, of radius
// up to 100000: for each
// choice of outside or inside contact with the first, the centre's height follows from its x,
// and the contact with the second is searched for sign changes in x.
std::vector<Disc> SolveLineTwoCircles(const Disc g[2])
{
    std::vector<Disc> out;
    const CPointD c1 = g[0].centre, c2 = g[1].centre;
    for (const double s1 : { 1.0, -1.0 }) {
        auto centre = [&](double x) {
            return At(x, ((x - c1.m_x) * (x - c1.m_x) + c1.m_y * c1.m_y - g[0].radius * g[0].radius) /
                             (2 * (c1.m_y + s1 * g[0].radius)));
        };
        for (const double s2 : { 1.0, -1.0 }) {
            auto h = [&](double x) {
                const CPointD o = centre(x);
                const double dx = o.m_x - c2.m_x, dy = o.m_y - c2.m_y;
                return dx * dx + dy * dy - (o.m_y + s2 * g[1].radius) * (o.m_y + s2 * g[1].radius);
            };
            // Radii up to 100000 put centres as far as about 2000 aside.
            const int steps = 600000;
            double x0 = -3000.0, h0 = h(x0);
            for (int i = 1; i <= steps; ++i) {
                const double x1 = -3000.0 + 6000.0 * i / steps;
                const double h1 = h(x1);
                if ((h0 < 0) != (h1 < 0)) {
                    double lo = x0, hi = x1;
                    for (int k = 0; k < 100; ++k) {
                        const double mid = (lo + hi) / 2;
                        ((h(lo) < 0) == (h(mid) < 0) ? lo : hi) = mid;
                    }
                    const CPointD o = centre((lo + hi) / 2);
                    bool seen = o.m_y <= 1e-9 || o.m_y > 100000.0;
                    for (const Disc& d : out)
                        seen = seen || (Distance(d.centre, o) < 1e-6 && std::fabs(d.radius - o.m_y) < 1e-6);
                    if (!seen)
                        out.push_back({ o, o.m_y });
                }
                x0 = x1;
                h0 = h1;
            }
        }
    }
    return out;
}

} // namespace

TEST(TangentCircles, ALineAndTwoCirclesCandidatesEqualAnIndependentSearch)
{
    std::mt19937 random(6306);
    std::uniform_real_distribution<double> jitter(-4.0, 4.0);
    std::uniform_real_distribution<double> size(1.0, 4.0);
    for (int round = 0; round < 8; ++round) {
        const Disc given[2] = { { At(std::round(-15 + jitter(random)), std::round(12 + jitter(random))),
                                  std::round(size(random) * 100) / 100 },
                                { At(std::round(15 + jitter(random)), std::round(14 + jitter(random))),
                                  std::round(size(random) * 100) / 100 } };
        CCommandTape tape;
        tape.Code(305);
        tape.AddLine(At(-200, 0), At(200, 0));
        tape.AddCircle(given[0].centre, given[0].radius);
        tape.AddCircle(given[1].centre, given[1].radius);
        tape.Menu("３要素接円～３点円");
        tape.Pick(At(150, 0));
        tape.Pick(At(given[0].centre.m_x, given[0].centre.m_y + given[0].radius));
        const CCommandRow& made = tape.Pick(At(given[1].centre.m_x, given[1].centre.m_y + given[1].radius));
        ASSERT_EQ(made.tokens, "LCC") << round;
        CCircleCommand& cmd = tape.Circle();
        const std::vector<Disc> expected = SolveLineTwoCircles(given);
        ExpectTheseCircles(cmd, expected, std::to_string(round));
        for (int i = 0; i < cmd.m_candidates.GetSize(); ++i) {
            const CPointPair& k = Candidate(cmd, i);
            bool found = false;
            for (const Disc& e : expected)
                found = found || (Distance(k.point1, e.centre) < 1e-5 && std::fabs(k.value2 - e.radius) < 1e-5);
            EXPECT_TRUE(found) << round << " extra " << k.point1.m_x << "," << k.point1.m_y << " r " << k.value2;
        }
    }
}

// Every order of the same picks names the same circles: the dispatch hands each routine its
// elements by their token positions.
TEST(TangentCircles, EveryOrderOfTheSamePicksGivesTheSameCircles)
{
    struct Family {
        const char* orders[3];
        bool twoLines;
    } families[] = { { { "LLC", "LCL", "CLL" }, true }, { { "LCC", "CLC", "CCL" }, false } };
    for (const Family& family : families) {
        std::vector<double> first;
        for (const char* order : family.orders) {
            CCommandTape tape;
            tape.Code(305);
            tape.AddLine(At(-60, 0), At(60, 0));
            if (family.twoLines)
                tape.AddLine(At(0, 0), At(30, 52));
            tape.AddCircle(At(20, 8), 2);
            if (!family.twoLines)
                tape.AddCircle(At(-15, 12), 3);
            tape.Menu("３要素接円～３点円");
            const CPointD lines[2] = { At(45, 0), At(24, 41.6) };
            const CPointD circles[2] = { At(22, 8), At(-12, 12) };
            int line = 0, circle = 0;
            CCommandRow last;
            for (const char* t = order; *t; ++t)
                last = tape.Pick(*t == 'L' ? lines[line++] : circles[circle++]);
            ASSERT_EQ(last.tokens, order);
            const std::vector<double> radii = Radii(tape.Circle());
            EXPECT_GE(radii.size(), 2u) << order;
            if (first.empty()) {
                first = radii;
                continue;
            }
            ASSERT_EQ(radii.size(), first.size()) << order;
            for (size_t i = 0; i < radii.size(); ++i)
                EXPECT_NEAR(radii[i], first[i], 1e-6) << order;
        }
    }
}


// The constructions with pass points in every token order the patterns allow (a point typed
// first is the double point "B"): the same circles as the independent solvers find.
TEST(TangentCircles, EveryTokenOrderWithPointsGivesTheIndependentSolversCircles)
{
    std::mt19937 random(6307);
    std::uniform_real_distribution<double> across(-15.0, 15.0);
    std::uniform_real_distribution<double> height(8.0, 20.0);
    std::uniform_real_distribution<double> small(1.0, 3.0);
    std::uniform_real_distribution<double> jitter(-4.0, 4.0);
    std::uniform_real_distribution<double> size(2.0, 6.0);
    auto thousandth = [](double v) { return std::round(v * 1e3) / 1e3; };
    int checked = 0;
    for (int round = 0; round < 3; ++round) {
        // A line, a circle and a point.
        const CPointD c = At(std::round(across(random)), std::round(height(random)));
        const double rc = std::round(small(random) * 100) / 100;
        const CPointD p = At(thousandth(across(random)), thousandth(height(random)) - 4);
        if (Distance(p, c) >= rc + 1) {
            const std::vector<Disc> expected = SolveLineCirclePoint(p, c, rc);
            for (const char* order : { "LCP", "LPC", "CLP", "CPL", "BLC", "BCL" }) {
                CCommandTape tape;
                tape.Code(305);
                tape.AddLine(At(-200, 0), At(200, 0));
                tape.AddCircle(c, rc);
                tape.Menu("３要素接円～３点円");
                CCommandRow last;
                for (const char* t = order; *t; ++t) {
                    last = *t == 'L'   ? tape.Pick(At(150, 0))
                           : *t == 'C' ? tape.Pick(At(c.m_x, c.m_y + rc))
                                       : tape.Typed(TypedText(p).c_str());
                }
                ASSERT_EQ(last.tokens, order);
                ExpectTheseCircles(tape.Circle(), expected, order + std::to_string(round));
                ++checked;
            }
        }

        // Two circles and a point, a circle and two points, about a triangle's corners.
        const CPointD corners[3] = { At(0, 0), At(50, 0), At(20, 40) };
        Disc at[3];
        for (int i = 0; i < 3; ++i)
            at[i] = { At(thousandth(corners[i].m_x + jitter(random)), thousandth(corners[i].m_y + jitter(random))),
                      std::round(size(random) * 100) / 100 };
        const struct {
            const char* given;                 // C circle, P point, at the three corners
            std::vector<const char*> orders;   // the token orders, each naming corners by index
            std::vector<std::vector<int>> picks;
        } families[] = {
            { "CPC", { "CPC", "CCP", "BCC" }, { { 0, 1, 2 }, { 0, 2, 1 }, { 1, 0, 2 } } },
            { "CPP", { "CPP", "BCP", "BPC" }, { { 0, 1, 2 }, { 1, 0, 2 }, { 1, 2, 0 } } },
        };
        for (const auto& family : families) {
            Disc given[3];
            for (int i = 0; i < 3; ++i)
                given[i] = { at[i].centre, family.given[i] == 'C' ? at[i].radius : 0.0 };
            const std::vector<Disc> expected = Apollonius(given);
            for (size_t o = 0; o < family.orders.size(); ++o) {
                const std::string order = family.orders[o];
                CCommandTape tape;
                tape.Code(305);
                for (int i = 0; i < 3; ++i) {
                    if (family.given[i] == 'C')
                        tape.AddCircle(given[i].centre, given[i].radius);
                }
                tape.Menu("３要素接円～３点円");
                CCommandRow last;
                for (const int i : family.picks[o]) {
                    last = family.given[i] == 'C'
                               ? tape.Pick(At(given[i].centre.m_x + given[i].radius, given[i].centre.m_y))
                               : tape.Typed(TypedText(given[i].centre).c_str());
                }
                ASSERT_EQ(last.tokens, order);
                ExpectTheseCircles(tape.Circle(), expected, order + std::to_string(round));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 20);
}
