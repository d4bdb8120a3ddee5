#include "hatch.h"

#include <cmath>
#include <string>

#include "db/access.h"
#include "text/encoding.h"

namespace mksamples {

using vx::db::Access;
using vx::db::formatDouble;
using vx::db::OwnTag;

namespace {

// ANSI31 as pattern files define it: one family at 45 degrees, 3.175 apart at scale 1.
constexpr double kAnsi31Spacing = 3.175;

class HatchTags {
public:
    void add(int code, const std::string& v, bool utf8 = false) {
        tags.push_back({static_cast<int16_t>(code), utf8, v});
    }
    void real(int code, double v) { add(code, formatDouble(v)); }
    void integer(int code, long long v) { add(code, std::to_string(v)); }
    std::vector<OwnTag> tags;
};

// The hatch's own section rebuilt after its subclass marker: what follows the marker in the
// new-object template is replaced as a whole, so the order is the one files use.
AcDbHatch* makeHatch(const std::vector<Loop>& loops, const wchar_t* pattern, bool solid, double spacing) {
    auto* h = new AcDbHatch();
    HatchTags t;
    for (int code : {10, 20, 30}) t.real(code, 0);
    t.real(210, 0);
    t.real(220, 0);
    t.real(230, 1);
    t.add(2, vx::text::toUtf8(pattern), true);
    t.integer(70, solid ? 1 : 0);
    t.integer(71, 0);
    t.integer(91, static_cast<long long>(loops.size()));
    for (size_t k = 0; k < loops.size(); ++k) {
        // Polyline loops; the first one external.
        t.integer(92, k == 0 ? 3 : 2);
        t.integer(72, 0);
        t.integer(73, 1);
        t.integer(93, static_cast<long long>(loops[k].size()));
        for (const AcGePoint2d& p : loops[k]) {
            t.real(10, p.x);
            t.real(20, p.y);
        }
        t.integer(97, 0);
    }
    t.integer(75, 0);
    t.integer(76, 1);
    if (!solid) {
        const double scale = spacing / kAnsi31Spacing, r = std::sqrt(0.5);
        t.real(52, 0);
        t.real(41, scale);
        t.integer(77, 0);
        t.integer(78, 1);
        // The offset between lines, perpendicular to them, in drawing coordinates.
        t.real(53, 45);
        t.real(43, 0);
        t.real(44, 0);
        t.real(45, -spacing * r);
        t.real(46, spacing * r);
        t.integer(79, 0);
    }
    t.integer(98, 0);
    vx::db::OwnTags& own = Access::edit(h);
    for (size_t i = 0; i < own.tags.size(); ++i)
        if (own.tags[i].code == 100 && own.tags[i].value == "AcDbHatch") {
            own.tags.resize(i + 1);
            break;
        }
    own.tags.insert(own.tags.end(), t.tags.begin(), t.tags.end());
    return h;
}

}  // namespace

AcDbHatch* solidHatch(const std::vector<Loop>& loops) { return makeHatch(loops, L"SOLID", true, 0); }

AcDbHatch* ansi31Hatch(const std::vector<Loop>& loops, double spacing) {
    return makeHatch(loops, L"ANSI31", false, spacing);
}

}  // namespace mksamples
