#include "db/extents_text.h"

#include <cmath>

#include "db/access.h"
#include "db/ocs.h"
#include "db/text_metrics.h"

namespace vx::db {

namespace {

const Field kPos{nullptr, 0, 10};
const Field kAlign{nullptr, 0, 11};

// Where the box starts along the baseline (dx) and how far its baseline lies above the anchor
// (dy), both in the text's own direction, for the modes anchored at the alignment point.
void anchorOffset(AcDb::TextHorzMode hm, AcDb::TextVertMode vm, double w, double h, double& dx, double& dy) {
    dx = hm == AcDb::kTextCenter ? -w / 2 : hm == AcDb::kTextRight ? -w : hm == AcDb::kTextMid ? -w / 2 : 0;
    if (hm == AcDb::kTextMid) {
        dy = -h / 2;
        return;
    }
    dy = vm == AcDb::kTextVertMid ? -h / 2 : vm == AcDb::kTextTop ? -h : 0;
}

}  // namespace

Acad::ErrorStatus textBoxExtents(const AcDbEntity* e, AcDbExtents& x) {
    auto* t = static_cast<const AcDbText*>(e);
    const AcGeVector3d n = t->normal().isZeroLength() ? AcGeVector3d::kZAxis : t->normal();
    const double h = t->height() > 0 ? t->height() : 2.5;
    const double wf = t->widthFactor() > 0 ? t->widthFactor() : 1.0;
    const AcDb::TextHorzMode hm = t->horizontalMode();
    const AcDb::TextVertMode vm = t->verticalMode();
    // Plane coordinates: the file's 10 and 11 are stored there.
    const AcGePoint3d p = getPoint(t, kPos);
    const AcGePoint3d a = hasField(t, kAlign) ? getPoint(t, kAlign) : p;
    double r = t->rotation();
    double w = textAdvance(t->textString().str(), h, wf);
    double boxH = h;
    AcGePoint3d origin = p;  // the box's start on the baseline
    if (hm == AcDb::kTextAlign || hm == AcDb::kTextFit) {
        // Stretched between the two points: their distance is the width, their direction the
        // rotation; aligned text scales its height with the width.
        double len = std::hypot(a.x - p.x, a.y - p.y);
        if (len > 0) {
            r = std::atan2(a.y - p.y, a.x - p.x);
            if (hm == AcDb::kTextAlign && w > 0) boxH = h * len / w;
            w = len;
        }
    } else if (!(hm == AcDb::kTextLeft && vm == AcDb::kTextBase)) {
        double dx = 0, dy = 0;
        anchorOffset(hm, vm, w, h, dx, dy);
        // Mirrored text runs backwards (or hangs down) from its anchor.
        dx *= t->isMirroredInX() ? -1 : 1;
        dy *= t->isMirroredInY() ? -1 : 1;
        origin = AcGePoint3d(a.x + dx * std::cos(r) - dy * std::sin(r), a.y + dx * std::sin(r) + dy * std::cos(r), a.z);
    }
    const double sx = t->isMirroredInX() ? -1 : 1, sy = t->isMirroredInY() ? -1 : 1;
    const AcGeVector3d along(std::cos(r) * w * sx, std::sin(r) * w * sx, 0);
    const AcGeVector3d up(-std::sin(r) * boxH * sy, std::cos(r) * boxH * sy, 0);
    for (const AcGePoint3d& c : {origin, origin + along, origin + up, origin + along + up}) x.addPoint(planeToWorld(c, n));
    return Acad::eOk;
}

}  // namespace vx::db
