#include "render/curves.h"

#include <algorithm>
#include <cmath>

namespace vx::render {

namespace {

constexpr int kMaxArcSegments = 8192;
constexpr int kMaxDegree = 25;
constexpr size_t kMaxCurvePoints = 1u << 20;

double coord(const AcGePoint3d& p, int k) { return k == 0 ? p.x : k == 1 ? p.y : p.z; }

}  // namespace

AcGePoint3d EllipseArc::at(double t) const { return c + u * std::cos(t) + v * std::sin(t); }

int arcSegments(double radius, double sweep, double tol) {
    sweep = std::fabs(sweep);
    if (!(radius > 0) || !(sweep > 0) || !std::isfinite(radius) || !std::isfinite(sweep)) return 1;
    if (!(tol > 0)) return kMaxArcSegments;
    double n = kMaxArcSegments;
    if (tol < radius) {
        const double step = 2 * std::acos(1 - tol / radius);
        if (step > 0) n = std::ceil(sweep / step);
    } else {
        n = std::ceil(sweep / (M_PI / 2));  // still a curve at any tolerance
    }
    return static_cast<int>(std::clamp(n, 1.0, static_cast<double>(kMaxArcSegments)));
}

void addArcBox(Box3& box, const EllipseArc& a) {
    double t0 = std::min(a.t0, a.t1), t1 = std::max(a.t0, a.t1);
    box.add(a.at(t0));
    box.add(a.at(t1));
    if (!(t1 - t0 < 1e6)) return;  // damaged angles: the ends are all that is sure
    const double uc[3] = {a.u.x, a.u.y, a.u.z}, vc[3] = {a.v.x, a.v.y, a.v.z};
    for (int k = 0; k < 3; ++k) {
        // Each coordinate u cos t + v sin t peaks at atan2(v, u) and half a turn later.
        const double phi = std::atan2(vc[k], uc[k]);
        for (int s = 0; s < 2; ++s) {
            double t = phi + s * M_PI;
            t = t0 + std::fmod(std::fmod(t - t0, 2 * M_PI) + 2 * M_PI, 2 * M_PI);
            for (; t <= t1; t += 2 * M_PI) box.add(a.at(t));
        }
    }
}

bool bulgeArc(double ax, double ay, double bx, double by, double bulge, double z, EllipseArc& out) {
    const double dx = bx - ax, dy = by - ay, chord = std::hypot(dx, dy);
    if (bulge == 0 || !(chord > 0) || !std::isfinite(bulge)) return false;
    const double theta = 4 * std::atan(bulge);  // signed sweep
    const double r = chord / (2 * std::sin(std::fabs(theta) / 2));
    const double h = r * std::cos(theta / 2);  // from the chord's middle to the centre
    const double sgn = bulge > 0 ? 1 : -1;
    const double cx = ax + dx / 2 - dy / chord * h * sgn, cy = ay + dy / 2 + dx / chord * h * sgn;
    out.c = AcGePoint3d(cx, cy, z);
    out.u = AcGeVector3d(r, 0, 0);
    out.v = AcGeVector3d(0, r, 0);
    out.t0 = std::atan2(ay - cy, ax - cx);
    out.t1 = out.t0 + theta;
    return std::isfinite(r) && std::isfinite(cx) && std::isfinite(cy);
}

// ---- NURBS ---------------------------------------------------------------------------------

bool prepareNurbs(Nurbs& n) {
    const size_t count = n.points.size();
    if (count < 2) return false;
    if (n.degree < 1 || n.degree > kMaxDegree) n.degree = 3;
    if (static_cast<size_t>(n.degree) >= count) n.degree = static_cast<int>(count - 1);
    const size_t p = static_cast<size_t>(n.degree);
    bool good = n.knots.size() == count + p + 1;
    for (size_t i = 0; good && i < n.knots.size(); ++i)
        good = std::isfinite(n.knots[i]) && (i == 0 || n.knots[i] >= n.knots[i - 1]);
    if (good) good = n.knots[p] < n.knots[count];
    if (!good) {
        // A clamped, uniform knot vector over the control points.
        n.knots.assign(count + p + 1, 0.0);
        for (size_t i = 0; i < n.knots.size(); ++i)
            n.knots[i] = i <= p ? 0.0 : i >= count ? static_cast<double>(count - p) : static_cast<double>(i - p);
    }
    if (!n.weights.empty()) {
        bool ok = n.weights.size() == count;
        for (double w : n.weights) ok = ok && w > 0 && std::isfinite(w);
        if (!ok) n.weights.clear();
    }
    return true;
}

AcGePoint3d evalNurbs(const Nurbs& n, double t) {
    const size_t p = static_cast<size_t>(n.degree), count = n.points.size();
    t = std::clamp(t, n.knots[p], n.knots[count]);
    // The span holding t (the last non-empty span for its end).
    size_t k = p;
    while (k + 1 < count && t >= n.knots[k + 1]) ++k;
    // de Boor in homogeneous coordinates.
    double d[kMaxDegree + 1][4];
    for (size_t j = 0; j <= p; ++j) {
        const AcGePoint3d& q = n.points[k - p + j];
        const double w = n.weights.empty() ? 1.0 : n.weights[k - p + j];
        d[j][0] = q.x * w, d[j][1] = q.y * w, d[j][2] = q.z * w, d[j][3] = w;
    }
    for (size_t r = 1; r <= p; ++r)
        for (size_t j = p; j >= r; --j) {
            const double lo = n.knots[k - p + j], hi = n.knots[k + 1 + j - r];
            const double a = hi > lo ? (t - lo) / (hi - lo) : 0.0;
            for (int c = 0; c < 4; ++c) d[j][c] = (1 - a) * d[j - 1][c] + a * d[j][c];
        }
    const double w = d[p][3] != 0 ? d[p][3] : 1.0;
    return AcGePoint3d(d[p][0] / w, d[p][1] / w, d[p][2] / w);
}

namespace {

double distanceToChord(const AcGePoint3d& p, const AcGePoint3d& a, const AcGePoint3d& b) {
    const AcGeVector3d ab = b - a, ap = p - a;
    const double len2 = ab.lengthSqrd();
    if (!(len2 > 0)) return ap.length();
    return ap.crossProduct(ab).length() / std::sqrt(len2);
}

struct Flattener {
    const Nurbs& n;
    double tol;
    std::vector<AcGePoint3d>& out;
    size_t budget;

    void run(double t0, const AcGePoint3d& p0, double t1, const AcGePoint3d& p1, int depth) {
        const double tm = (t0 + t1) / 2;
        const AcGePoint3d pm = evalNurbs(n, tm);
        // Quarter points too: a symmetric S can pass through the chord's middle.
        const bool split = depth < (n.degree > 1 ? 2 : 0) ||
                           (depth < 18 && out.size() < budget &&
                            (distanceToChord(pm, p0, p1) > tol ||
                             distanceToChord(evalNurbs(n, (t0 + tm) / 2), p0, p1) > tol ||
                             distanceToChord(evalNurbs(n, (tm + t1) / 2), p0, p1) > tol));
        if (!split) {
            out.push_back(p1);
            return;
        }
        run(t0, p0, tm, pm, depth + 1);
        run(tm, pm, t1, p1, depth + 1);
    }
};

}  // namespace

void flattenNurbs(const Nurbs& n, double tol, std::vector<AcGePoint3d>& out) {
    const size_t p = static_cast<size_t>(n.degree), count = n.points.size();
    Flattener f{n, tol > 0 ? tol : 1e-9, out, out.size() + kMaxCurvePoints};
    AcGePoint3d prev = evalNurbs(n, n.knots[p]);
    out.push_back(prev);
    for (size_t k = p; k < count; ++k) {
        const double t0 = n.knots[k], t1 = n.knots[k + 1];
        if (!(t1 > t0)) continue;
        const AcGePoint3d end = evalNurbs(n, t1);
        f.run(t0, prev, t1, end, 0);
        prev = end;
    }
}

void addNurbsBox(Box3& box, const Nurbs& n) {
    const size_t p = static_cast<size_t>(n.degree), count = n.points.size();
    constexpr int kSamples = 16;
    for (size_t k = p; k < count; ++k) {
        const double t0 = n.knots[k], t1 = n.knots[k + 1];
        if (!(t1 > t0)) continue;
        AcGePoint3d s[kSamples + 1];
        double ts[kSamples + 1];
        for (int i = 0; i <= kSamples; ++i) {
            ts[i] = t0 + (t1 - t0) * i / kSamples;
            s[i] = evalNurbs(n, ts[i]);
            box.add(s[i]);
        }
        // Where a coordinate turns between samples, its extreme is found by golden-section
        // search on the neighbouring interval.
        for (int c = 0; c < 3; ++c)
            for (int i = 1; i < kSamples; ++i) {
                const double a = coord(s[i], c) - coord(s[i - 1], c), b = coord(s[i + 1], c) - coord(s[i], c);
                if (!((a > 0 && b <= 0) || (a < 0 && b >= 0))) continue;
                const double sign = a > 0 ? 1 : -1;  // maximum or minimum
                double lo = ts[i - 1], hi = ts[i + 1];
                const double g = (std::sqrt(5.0) - 1) / 2;
                double x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
                double f1 = sign * coord(evalNurbs(n, x1), c), f2 = sign * coord(evalNurbs(n, x2), c);
                for (int it = 0; it < 60 && hi - lo > 1e-15 * (std::fabs(lo) + 1); ++it) {
                    if (f1 > f2) {
                        hi = x2, x2 = x1, f2 = f1;
                        x1 = hi - g * (hi - lo);
                        f1 = sign * coord(evalNurbs(n, x1), c);
                    } else {
                        lo = x1, x1 = x2, f1 = f2;
                        x2 = lo + g * (hi - lo);
                        f2 = sign * coord(evalNurbs(n, x2), c);
                    }
                }
                box.add(evalNurbs(n, (lo + hi) / 2));
            }
    }
}

Nurbs interpolateFitPoints(const std::vector<AcGePoint3d>& fitIn, const AcGeVector3d* startTangent,
                           const AcGeVector3d* endTangent) {
    // Repeated points give no direction: keep the first of each run.
    std::vector<AcGePoint3d> fit;
    for (const AcGePoint3d& q : fitIn)
        if (fit.empty() || q.distanceTo(fit.back()) > 0) fit.push_back(q);
    Nurbs out;
    const size_t m = fit.size();
    if (m < 3) {
        out.degree = 1;
        out.points = fit;
        prepareNurbs(out);
        return out;
    }
    std::vector<double> h(m - 1);
    for (size_t i = 0; i + 1 < m; ++i) h[i] = fit[i].distanceTo(fit[i + 1]);
    // First derivatives D_i of a C2 cubic with chord-length parameters: a tridiagonal system,
    // one row per point, solved per coordinate (Thomas algorithm).
    std::vector<AcGeVector3d> d(m);
    std::vector<double> lower(m), diag(m), upper(m);
    std::vector<AcGeVector3d> rhs(m);
    auto unit = [](const AcGeVector3d* t) { return t && t->length() > 0 ? t->normal() : AcGeVector3d(); };
    if (startTangent && startTangent->length() > 0) {
        diag[0] = 1, upper[0] = 0, rhs[0] = unit(startTangent);
    } else {
        diag[0] = 2, upper[0] = 1, rhs[0] = (fit[1] - fit[0]) * (3 / h[0]);
    }
    for (size_t i = 1; i + 1 < m; ++i) {
        lower[i] = h[i], diag[i] = 2 * (h[i - 1] + h[i]), upper[i] = h[i - 1];
        rhs[i] = (fit[i] - fit[i - 1]) * (3 * h[i] / h[i - 1]) + (fit[i + 1] - fit[i]) * (3 * h[i - 1] / h[i]);
    }
    if (endTangent && endTangent->length() > 0) {
        lower[m - 1] = 0, diag[m - 1] = 1, rhs[m - 1] = unit(endTangent);
    } else {
        lower[m - 1] = 1, diag[m - 1] = 2, rhs[m - 1] = (fit[m - 1] - fit[m - 2]) * (3 / h[m - 2]);
    }
    for (size_t i = 1; i < m; ++i) {
        const double f = lower[i] / diag[i - 1];
        diag[i] -= f * upper[i - 1];
        rhs[i] -= rhs[i - 1] * f;
    }
    d[m - 1] = rhs[m - 1] / diag[m - 1];
    for (size_t i = m - 1; i-- > 0;) d[i] = (rhs[i] - d[i + 1] * upper[i]) / diag[i];
    // Each piece as a cubic Bezier; together a clamped B-spline with triple inner knots.
    out.degree = 3;
    out.points.push_back(fit[0]);
    out.knots.assign(4, 0.0);
    for (size_t i = 0; i + 1 < m; ++i) {
        out.points.push_back(fit[i] + d[i] * (h[i] / 3));
        out.points.push_back(fit[i + 1] - d[i + 1] * (h[i] / 3));
        out.points.push_back(fit[i + 1]);
        const double knot = static_cast<double>(i + 1);
        out.knots.insert(out.knots.end(), i + 2 < m ? 3 : 4, knot);
    }
    return out;
}

}  // namespace vx::render
