// TEXT, ATTRIB and ATTDEF: one line placed by its alignment (the alignment point anchors every
// mode but left/baseline; fit and aligned span their two points), width factor, oblique angle,
// rotation and mirroring, in the plane of its normal.
#include <cmath>

#include "db/access.h"
#include "render/kinds.h"
#include "render/text_layout.h"

namespace vx::render {

using vx::db::Access;
using vx::db::Field;

namespace {

constexpr double kDeg = M_PI / 180;

// The string drawn: an attribute definition at the top of a drawing shows its tag, inside a
// block (a constant attribute seen through a reference) its value.
std::wstring shownText(const AcDbText* t, const BuildContext& ctx) {
    if (Access::kind(t) == vx::db::kAttDef && !ctx.inBlock)
        return vx::db::getText(t, Field{nullptr, 0, 2});
    return t->textString().str();
}

}  // namespace

bool describeText(const AcDbEntity* e, BuildContext& ctx, Shapes& s) {
    const auto* t = static_cast<const AcDbText*>(e);
    const vx::db::Kind kind = Access::kind(e);
    if (kind == vx::db::kAttrib || (kind == vx::db::kAttDef && ctx.inBlock)) {
        // Invisible attributes are not drawn (measuring sees them neither).
        if (vx::db::getInt(e, Field{nullptr, 0, 70}, 0) & 1) return true;
    }
    const std::vector<TextPiece> pieces = resolveTextCodes(shownText(t, ctx));
    const TextStyle& style = ctx.tables.style(t->textStyle().object());
    FontLibrary& fonts = fontLibrary();
    const Fields f(e, {10, 11, 40, 41, 50, 51, 71});
    double h = f.real(40, 0);
    if (!(h > 0) || !std::isfinite(h)) h = style.fixedHeight > 0 ? style.fixedHeight : 2.5;
    double wf = f.real(41, 1);
    if (!(wf > 0) || !std::isfinite(wf)) wf = 1;
    const double oblique = f.real(51, 0) * kDeg;
    double rot = f.real(50, 0) * kDeg;
    const long long gen = f.integer(71, 0);
    const double sx = (gen & 2) ? -1 : 1, sy = (gen & 4) ? -1 : 1;
    const AcDb::TextHorzMode hm = t->horizontalMode();
    const AcDb::TextVertMode vm = t->verticalMode();
    const AcGePoint3d p = f.point(10);
    const AcGePoint3d a = f.has(11) ? f.point(11) : p;
    const double adv = piecesAdvance(fonts, style.font, pieces);
    AcGePoint3d origin = p;
    if ((hm == AcDb::kTextAlign || hm == AcDb::kTextFit) && f.has(11)) {
        // Stretched between the two points: their distance is the width, their direction the
        // rotation; aligned text keeps its proportions, so its height follows the width.
        const double len = std::hypot(a.x - p.x, a.y - p.y);
        if (len > 0 && adv > 0) {
            rot = std::atan2(a.y - p.y, a.x - p.x);
            if (hm == AcDb::kTextAlign) h = len / (adv * wf);
            else wf = len / (adv * h);
        }
    }
    const AcGeVector3d dir(std::cos(rot), std::sin(rot), 0), up(-std::sin(rot), std::cos(rot), 0);
    const AcGeVector3d along = dir * (sx * h * wf);
    const AcGeVector3d upright = up * (sy * h);
    const AcGeVector3d across = upright + dir * (sx * h * std::tan(oblique));
    if (!(hm == AcDb::kTextLeft && vm == AcDb::kTextBase) && hm != AcDb::kTextAlign && hm != AcDb::kTextFit) {
        const double dx = hm == AcDb::kTextCenter || hm == AcDb::kTextMid ? adv / 2 : hm == AcDb::kTextRight ? adv : 0;
        double dy = 0;
        if (hm == AcDb::kTextMid || vm == AcDb::kTextVertMid) dy = 0.5;
        else if (vm == AcDb::kTextTop) dy = 1;
        else if (vm == AcDb::kTextBottom) dy = -fonts.descent(style.font);
        origin = a - along * dx - upright * dy;
    }
    // Plane to world.
    AcGeVector3d n = t->normal();
    n = n.length() > 1e-12 ? n.normal() : AcGeVector3d::kZAxis;
    TextFrame frame{origin, along, across};
    if (!n.isEqualTo(AcGeVector3d::kZAxis)) {
        const AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(n);
        frame = TextFrame{m * origin, m * along, m * across};
    }
    placePieces(fonts, style.font, style.kind, pieces, frame, 0, h, s);
    return true;
}

}  // namespace vx::render
