// WIPEOUT (a polygon painted in the background colour) and IMAGE (its frame; the picture is not
// drawn). Both place their clip polygon in pixel coordinates of the image: origin at the first
// pixel's centre, y down, and U and V the world vectors of one pixel.
#include <cmath>

#include "db/access.h"
#include "render/kinds.h"

namespace vx::render {

using vx::db::Access;
using vx::db::TagRef;

namespace {

struct Placement {
    AcGePoint3d insert;
    AcGeVector3d u, v;
    double width = 1, height = 1;
    std::vector<AcGePoint3d> clip;  // pixel coordinates (z unused)
    long long clipType = 1;
    bool clipping = false;
};

Placement readPlacement(const AcDbEntity* e) {
    Placement p;
    const size_t n = Access::tagCount(e);
    for (size_t i = 1; i < n; ++i) {
        const TagRef t = Access::tag(e, i);
        if (t.code == 1001) break;
        const double d = tagReal(t.value, 0);
        switch (t.code) {
        case 10: p.insert.x = d; break;
        case 20: p.insert.y = d; break;
        case 30: p.insert.z = d; break;
        case 11: p.u.x = d; break;
        case 21: p.u.y = d; break;
        case 31: p.u.z = d; break;
        case 12: p.v.x = d; break;
        case 22: p.v.y = d; break;
        case 32: p.v.z = d; break;
        case 13: p.width = d; break;
        case 23: p.height = d; break;
        case 14: p.clip.emplace_back(d, 0, 0); break;
        case 24: if (!p.clip.empty()) p.clip.back().y = d; break;
        case 71: p.clipType = tagInt(t.value, 1); break;
        case 280: p.clipping = tagInt(t.value, 0) != 0; break;
        default: break;
        }
    }
    return p;
}

AcGePoint3d world(const Placement& p, double x, double y) {
    return p.insert + p.u * (x + 0.5) + p.v * (p.height - 0.5 - y);
}

// The outline in world coordinates: the clip polygon (a rectangle given by two corners when of
// type 1), or the whole picture.
std::vector<AcGePoint3d> outline(const Placement& p, bool useClip) {
    std::vector<AcGePoint3d> pixels;
    if (useClip && p.clip.size() >= 2) {
        if (p.clipType == 1 || p.clip.size() == 2) {
            const AcGePoint3d a = p.clip[0], b = p.clip[1];
            pixels = {a, AcGePoint3d(b.x, a.y, 0), b, AcGePoint3d(a.x, b.y, 0)};
        } else {
            pixels = p.clip;
            if (pixels.size() > 3 && pixels.front().isEqualTo(pixels.back())) pixels.pop_back();
        }
    } else {
        pixels = {AcGePoint3d(-0.5, -0.5, 0), AcGePoint3d(p.width - 0.5, -0.5, 0),
                  AcGePoint3d(p.width - 0.5, p.height - 0.5, 0), AcGePoint3d(-0.5, p.height - 0.5, 0)};
    }
    std::vector<AcGePoint3d> out;
    for (const AcGePoint3d& q : pixels) out.push_back(world(p, q.x, q.y));
    return out;
}

}  // namespace

bool describeWipeout(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Placement p = readPlacement(e);
    const std::vector<AcGePoint3d> ring = outline(p, true);
    if (ring.size() < 3) return false;
    PenKey key = s.pen();
    key.color = Color::backgroundColor();
    key.colorFrom = Source::Own;
    s.setPen(key);
    s.moveTo(ring[0]);
    for (size_t i = 1; i < ring.size(); ++i) s.lineTo(ring[i]);
    s.ring();
    s.fill();
    return true;
}

bool describeImage(const AcDbEntity* e, BuildContext&, Shapes& s) {
    const Placement p = readPlacement(e);
    const std::vector<AcGePoint3d> frame = outline(p, p.clipping);
    if (frame.size() < 3) return false;
    s.moveTo(frame[0]);
    for (size_t i = 1; i < frame.size(); ++i) s.lineTo(frame[i]);
    s.stroke(true);
    return true;
}

}  // namespace vx::render
