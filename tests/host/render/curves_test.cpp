// Curves: flattening stays within the tolerance, boxes are the curves' own, bulges turn the
// right way, NURBS evaluate as the textbook says, damaged splines are repaired or refused.
#include <gtest/gtest.h>

#include <cmath>

#include "render/curves.h"
#include "render/shapes.h"

namespace {

using vx::render::Box3;
using vx::render::EllipseArc;
using vx::render::Nurbs;

double chordError(const EllipseArc& a, int n) {
    // For a circle, the chord of a step leaves the arc by r (1 - cos(step/2)).
    const double r = a.u.length(), step = std::fabs(a.t1 - a.t0) / n;
    return r * (1 - std::cos(step / 2));
}

TEST(Arcs, FlatteningKeepsToTheToleranceAndStaysBounded) {
    // Up to radius / tolerance 1e7 (a 10 m circle at a micrometre), beyond what any page needs.
    for (double r : {0.5, 10.0, 1000.0, 1e4}) {
        for (double tol : {0.001, 0.01, 0.5}) {
            const EllipseArc a{AcGePoint3d(0, 0, 0), AcGeVector3d(r, 0, 0), AcGeVector3d(0, r, 0), 0, 2 * M_PI};
            const int n = vx::render::arcSegments(r, 2 * M_PI, tol);
            EXPECT_LE(chordError(a, n), tol * 1.0001) << r << " " << tol;
            // Not wastefully fine either: half the segments would break the tolerance.
            if (n > 8) {
                EXPECT_GT(chordError(a, n / 2), tol) << r << " " << tol;
            }
        }
    }
    // Huge radii and zero tolerances do not run away; damaged input gives one segment.
    EXPECT_LE(vx::render::arcSegments(1e300, 2 * M_PI, 1e-9), 8192);
    EXPECT_LE(vx::render::arcSegments(10, 2 * M_PI, 0), 8192);
    EXPECT_EQ(vx::render::arcSegments(NAN, 1, 0.1), 1);
    EXPECT_EQ(vx::render::arcSegments(1, INFINITY, 0.1), 1);
}

TEST(Arcs, BoxIsTheArcsNotTheCircles) {
    Box3 b;
    // 45 to 135 degrees passes the top only.
    vx::render::addArcBox(b, EllipseArc{AcGePoint3d(0, 0, 0), AcGeVector3d(10, 0, 0), AcGeVector3d(0, 10, 0), M_PI / 4, 3 * M_PI / 4});
    const double s = 10 * std::sqrt(0.5);
    EXPECT_NEAR(b.x0, -s, 1e-12);
    EXPECT_NEAR(b.x1, s, 1e-12);
    EXPECT_NEAR(b.y0, s, 1e-12);
    EXPECT_NEAR(b.y1, 10, 1e-12);
    // A rotated ellipse: its box from the exact extremes, x half-width sqrt(a^2 cos^2 + b^2 sin^2).
    Box3 e;
    const double c = std::cos(0.3), sn = std::sin(0.3);
    vx::render::addArcBox(e, EllipseArc{AcGePoint3d(1, 2, 0), AcGeVector3d(4 * c, 4 * sn, 0), AcGeVector3d(-2 * sn, 2 * c, 0), 0, 2 * M_PI});
    EXPECT_NEAR(e.x1 - 1, std::sqrt(16 * c * c + 4 * sn * sn), 1e-12);
    EXPECT_NEAR(e.y1 - 2, std::sqrt(16 * sn * sn + 4 * c * c), 1e-12);
}

TEST(Arcs, PositiveBulgeTurnsCounterClockwise) {
    EllipseArc a;
    // A half circle from (0,0) to (10,0): bulge 1 runs counter-clockwise, so below the chord.
    ASSERT_TRUE(vx::render::bulgeArc(0, 0, 10, 0, 1, 0, a));
    const AcGePoint3d mid = a.at((a.t0 + a.t1) / 2);
    EXPECT_NEAR(mid.x, 5, 1e-12);
    EXPECT_NEAR(mid.y, -5, 1e-12);
    ASSERT_TRUE(vx::render::bulgeArc(0, 0, 10, 0, -1, 0, a));
    EXPECT_NEAR(a.at((a.t0 + a.t1) / 2).y, 5, 1e-12);
    // A quarter (bulge tan(22.5 degrees)): radius chord / sqrt(2).
    ASSERT_TRUE(vx::render::bulgeArc(0, 0, 10, 10, std::tan(M_PI / 8), 0, a));
    EXPECT_NEAR(a.u.length(), 10, 1e-9);
    EXPECT_NEAR(a.at(a.t1).x, 10, 1e-9);
    EXPECT_NEAR(a.at(a.t1).y, 10, 1e-9);
    EXPECT_FALSE(vx::render::bulgeArc(0, 0, 10, 0, 0, 0, a));
    EXPECT_FALSE(vx::render::bulgeArc(3, 3, 3, 3, 1, 0, a));
}

Nurbs quarterCircle() {
    // The rational quadratic of a quarter of the unit circle.
    Nurbs n;
    n.degree = 2;
    n.points = {AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(0, 1, 0)};
    n.weights = {1, std::sqrt(0.5), 1};
    n.knots = {0, 0, 0, 1, 1, 1};
    return n;
}

TEST(Nurbs, PassesItsEndsAndMatchesKnownPoints) {
    Nurbs q = quarterCircle();
    ASSERT_TRUE(vx::render::prepareNurbs(q));
    for (double t : {0.0, 0.1, 0.37, 0.5, 0.9, 1.0}) {
        const AcGePoint3d p = vx::render::evalNurbs(q, t);
        EXPECT_NEAR(std::hypot(p.x, p.y), 1, 1e-12) << t;
    }
    EXPECT_NEAR(vx::render::evalNurbs(q, 0.5).x, std::sqrt(0.5), 1e-12);
    // A clamped cubic starts and ends on its end control points; the middle of a single Bezier
    // span is (P0 + 3 P1 + 3 P2 + P3) / 8.
    Nurbs c;
    c.degree = 3;
    c.points = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 3, 0), AcGePoint3d(4, 3, 0), AcGePoint3d(6, 0, 0)};
    c.knots = {0, 0, 0, 0, 2, 2, 2, 2};
    ASSERT_TRUE(vx::render::prepareNurbs(c));
    EXPECT_TRUE(vx::render::evalNurbs(c, 0).isEqualTo(AcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(vx::render::evalNurbs(c, 2).isEqualTo(AcGePoint3d(6, 0, 0)));
    const AcGePoint3d mid = vx::render::evalNurbs(c, 1);
    EXPECT_NEAR(mid.x, (0 + 3 + 12 + 6) / 8.0, 1e-12);
    EXPECT_NEAR(mid.y, (0 + 9 + 9 + 0) / 8.0, 1e-12);
}

TEST(Nurbs, FlatteningAndBoxFollowTheCurve) {
    const Nurbs q = quarterCircle();
    std::vector<AcGePoint3d> pts;
    vx::render::flattenNurbs(q, 0.001, pts);
    ASSERT_GT(pts.size(), 4u);
    for (size_t i = 1; i < pts.size(); ++i) {
        const AcGePoint3d m((pts[i - 1].x + pts[i].x) / 2, (pts[i - 1].y + pts[i].y) / 2, 0);
        EXPECT_LT(1 - std::hypot(m.x, m.y), 0.0011);  // the chord's middle stays near the arc
    }
    Nurbs s;
    s.degree = 3;
    s.points = {AcGePoint3d(0, 0, 0), AcGePoint3d(0, 10, 0), AcGePoint3d(10, 10, 0), AcGePoint3d(10, 0, 0)};
    s.knots = {0, 0, 0, 0, 1, 1, 1, 1};
    Box3 b;
    vx::render::addNurbsBox(b, s);
    // The Bezier's top is 7.5 at t = 0.5; its control points reach 10.
    EXPECT_NEAR(b.y1, 7.5, 1e-9);
    EXPECT_NEAR(b.x0, 0, 1e-12);
    EXPECT_NEAR(b.x1, 10, 1e-12);
}

TEST(Nurbs, DamagedDefinitionsAreRepairedOrRefused) {
    Nurbs bad;
    bad.degree = 3;
    bad.points = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(2, 0, 0), AcGePoint3d(3, 1, 0), AcGePoint3d(4, 0, 0)};
    bad.knots = {5, 4, 3};  // too few and decreasing
    bad.weights = {1, -1};  // wrong count
    ASSERT_TRUE(vx::render::prepareNurbs(bad));
    EXPECT_EQ(bad.knots.size(), bad.points.size() + 4);
    EXPECT_TRUE(bad.weights.empty());
    EXPECT_TRUE(vx::render::evalNurbs(bad, bad.knots.front()).isEqualTo(AcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(vx::render::evalNurbs(bad, bad.knots.back()).isEqualTo(AcGePoint3d(4, 0, 0)));
    Nurbs high;
    high.degree = 40;  // beyond any use: taken as cubic, lowered to what the points allow
    high.points = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(2, 0, 0)};
    ASSERT_TRUE(vx::render::prepareNurbs(high));
    EXPECT_EQ(high.degree, 2);
    Nurbs one;
    one.points = {AcGePoint3d(1, 1, 0)};
    EXPECT_FALSE(vx::render::prepareNurbs(one));
    Nurbs nanKnots = quarterCircle();
    nanKnots.knots[3] = NAN;
    ASSERT_TRUE(vx::render::prepareNurbs(nanKnots));
    EXPECT_TRUE(std::isfinite(vx::render::evalNurbs(nanKnots, 0.5).x));
}

TEST(Nurbs, FitPointCurvePassesThroughItsPoints) {
    const std::vector<AcGePoint3d> fit = {AcGePoint3d(0, 0, 0), AcGePoint3d(3, 4, 0), AcGePoint3d(7, 1, 0),
                                          AcGePoint3d(10, 5, 0), AcGePoint3d(10, 5, 0)};
    const AcGeVector3d start(1, 0, 0);
    Nurbs c = vx::render::interpolateFitPoints(fit, &start, nullptr);
    ASSERT_TRUE(vx::render::prepareNurbs(c));
    // Each fit point is the end of a Bezier piece (knots 0, 1, 2, 3).
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(vx::render::evalNurbs(c, static_cast<double>(i)).isEqualTo(fit[i], AcGeTol())) << i;
    // Leaves along the given tangent.
    const AcGeVector3d d = c.points[1] - c.points[0];
    EXPECT_NEAR(d.y, 0, 1e-12);
    EXPECT_GT(d.x, 0);
}

}  // namespace
