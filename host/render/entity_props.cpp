#include "render/entity_props.h"

#include <cmath>

#include "db/access.h"

namespace vx::render {

using vx::db::Access;
using vx::db::TagRef;

double tagReal(std::string_view v, double def) {
    double d = 0;
    return vx::db::parseDouble(v, d) ? d : def;
}

long long tagInt(std::string_view v, long long def) {
    long long i = 0;
    return vx::db::parseInt(v, i) ? i : def;
}

EntityProps readProps(const AcDbEntity* e) {
    EntityProps p;
    p.layer = Access::layerOf(e);
    const size_t n = Access::tagCount(e);
    // With subclass markers the common fields stand in the AcDbEntity section; an R12 record
    // has none and keeps them among its own fields, whose codes never collide with them.
    bool inCommon = true;
    for (size_t i = 1; i < n; ++i) {
        const TagRef t = Access::tag(e, i);
        switch (t.code) {
        case 100: inCommon = t.value == "AcDbEntity"; break;
        case 1001: return p;
        default: break;
        }
        if (!inCommon) continue;
        switch (t.code) {
        case 62: p.color = static_cast<int>(std::llabs(tagInt(t.value, 256))); break;
        case 420: {
            const long long rgb = tagInt(t.value, -1);
            if (rgb >= 0) p.trueColor = rgb & 0xFFFFFF;
            break;
        }
        case 6:
            p.linetype = vx::db::trim(t.value);
            p.linetypeUtf8 = t.utf8;
            break;
        case 370: p.lineweight = static_cast<int>(tagInt(t.value, -1)); break;
        case 48: p.ltscale = tagReal(t.value, 1); break;
        case 60: p.invisible = tagInt(t.value, 0) == 1; break;
        default: break;
        }
    }
    if (p.color > 256) p.color = 256;
    if (!(p.ltscale > 0) || !std::isfinite(p.ltscale)) p.ltscale = 1;
    return p;
}

}  // namespace vx::render
