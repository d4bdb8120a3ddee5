// Pattern lines cut to a hatch's boundary. Each definition line is a family of parallel lines
// through base + k * offset; a line is inside where it has crossed the boundary an odd number
// of times (even-odd, so islands stay empty and self-intersecting boundaries still give an
// answer). The dash pattern starts on each line at its own base point.
#include <algorithm>
#include <cmath>

#include "render/hatch.h"

namespace vx::render {

namespace {

constexpr double kMaxLinesPerFamily = 200000;
constexpr size_t kMaxPieces = 2000000;

void addDashes(const std::vector<double>& dashes, double period, double ta, double tb, Vec2 origin, Vec2 d,
               std::vector<Polyline>& lines, std::vector<Vec2>& dots) {
    auto at = [&](double t) { return Vec2{origin.x + d.x * t, origin.y + d.y * t}; };
    // A pattern finer than can be drawn in reasonable time reads as a continuous line.
    if (dashes.empty() || !(period > 0) || (tb - ta) / period > 100000) {
        lines.push_back(Polyline{{at(ta), at(tb)}, false});
        return;
    }
    double pos = std::floor(ta / period) * period;
    while (pos <= tb) {
        for (double e : dashes) {
            const double len = std::fabs(e);
            const double a = pos, b = pos + len;
            pos = b;
            if (b < ta) continue;
            if (a > tb) return;
            if (e > 0) {
                const double s = std::max(a, ta), f = std::min(b, tb);
                if (f > s) lines.push_back(Polyline{{at(s), at(f)}, false});
            } else if (e == 0 && a >= ta) {
                dots.push_back(at(a));
            }
        }
    }
}

}  // namespace

bool clipPattern(const std::vector<PatternLine>& pattern, const std::vector<std::vector<Vec2>>& rings,
                 std::vector<Polyline>& lines, std::vector<Vec2>& dots) {
    bool complete = true;
    for (const PatternLine& family : pattern) {
        const Vec2 d{std::cos(family.angle), std::sin(family.angle)};
        const Vec2 nrm{-d.y, d.x};
        Vec2 off = family.offset;
        double spacing = nrm.x * off.x + nrm.y * off.y;
        if (spacing < 0) off = off * -1.0, spacing = -spacing;  // the same family counted the other way
        const double shift = d.x * off.x + d.y * off.y;
        if (!(spacing > 1e-12) || !std::isfinite(spacing) || !std::isfinite(shift)) continue;
        double dashPeriod = 0;
        for (double e : family.dashes) dashPeriod += std::fabs(e);
        // Heights of the boundary across the lines, as line numbers.
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        auto height = [&](Vec2 p) { return nrm.x * (p.x - family.base.x) + nrm.y * (p.y - family.base.y); };
        for (const auto& r : rings)
            for (Vec2 p : r) lo = std::min(lo, height(p)), hi = std::max(hi, height(p));
        if (!(lo <= hi)) continue;
        const double kLo = std::ceil(lo / spacing), kHi = std::floor(hi / spacing);
        if (!(kHi - kLo < kMaxLinesPerFamily)) {
            complete = false;
            continue;
        }
        if (kHi < kLo) continue;
        std::vector<std::vector<double>> crossings(static_cast<size_t>(kHi - kLo) + 1);
        for (const auto& r : rings) {
            const size_t n = r.size();
            for (size_t i = 0; i < n; ++i) {
                const Vec2 p = r[i], q = r[(i + 1) % n];
                const double hp = height(p), hq = height(q);
                if (hp == hq) continue;
                // Lines at heights c with min <= c < max cross this edge (each vertex counted once).
                const double first = std::max(kLo, std::ceil(std::min(hp, hq) / spacing));
                const double last = std::min(kHi, std::ceil(std::max(hp, hq) / spacing) - 1);
                for (double k = first; k <= last; ++k) {
                    const double c = k * spacing;
                    if (c < std::min(hp, hq) || c >= std::max(hp, hq)) continue;
                    const double f = (c - hp) / (hq - hp);
                    const Vec2 x{p.x + (q.x - p.x) * f, p.y + (q.y - p.y) * f};
                    // Position along line k from its own base point.
                    const double t = d.x * (x.x - family.base.x) + d.y * (x.y - family.base.y) - k * shift;
                    crossings[static_cast<size_t>(k - kLo)].push_back(t);
                }
            }
        }
        for (size_t j = 0; j < crossings.size(); ++j) {
            std::vector<double>& ts = crossings[j];
            if (ts.size() < 2) continue;
            std::sort(ts.begin(), ts.end());
            const double k = kLo + static_cast<double>(j);
            const Vec2 origin{family.base.x + off.x * k, family.base.y + off.y * k};
            for (size_t i = 0; i + 1 < ts.size(); i += 2) {
                if (lines.size() + dots.size() > kMaxPieces) return false;
                addDashes(family.dashes, dashPeriod, ts[i], ts[i + 1], origin, d, lines, dots);
            }
        }
    }
    return complete;
}

}  // namespace vx::render
