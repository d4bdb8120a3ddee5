// Entity names: picking one entity, the last entity, and the link between names and ids.
#include <algorithm>

#include "aced.h"
#include "dbapserv.h"
#include "dbdatabase.h"
#include "dbents.h"
#include "dbid.h"
#include "editor/command_stack.h"
#include "editor/input.h"
#include "editor/selection.h"
#include "text/strings.h"

namespace {

using namespace vx::editor;

using vx::text::trim;

bool hexHandle(const std::wstring& t, uint64_t& v) {
    if (t.empty() || t.size() > 16) return false;
    v = 0;
    for (wchar_t c : t) {
        wchar_t u = vx::text::foldCase(c);
        int d = (u >= L'0' && u <= L'9') ? u - L'0' : (u >= L'A' && u <= L'F') ? u - L'A' + 10 : -1;
        if (d < 0) return false;
        v = v * 16 + static_cast<uint64_t>(d);
    }
    return v != 0;
}

struct Placed {
    const AcDbEntity* entity;
    Box box;
};

// The topmost entity (latest in drawing order) whose box holds the point, within a small
// pick aperture so that lines can be hit.
const AcDbEntity* hitAt(AcDbObjectId space, const double p[3], Box& hitBox) {
    std::vector<Placed> all;
    double span = 0;
    for (const AcDbEntity* e : entitiesOf(space)) {
        Placed placed{e, {}};
        if (e->isErased() || !extentsOf(*e, placed.box)) continue;
        span = std::max({span, placed.box.hi[0] - placed.box.lo[0], placed.box.hi[1] - placed.box.lo[1]});
        all.push_back(placed);
    }
    const double aperture = span > 0 ? span * 1e-3 : 1e-6;
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        const Box& b = it->box;
        if (p[0] >= b.lo[0] - aperture && p[0] <= b.hi[0] + aperture && p[1] >= b.lo[1] - aperture &&
            p[1] <= b.hi[1] + aperture) {
            hitBox = b;
            return it->entity;
        }
    }
    return nullptr;
}

}  // namespace

int acedEntSel(const ACHAR* prompt, ads_name entity, ads_point pickedPoint) {
    if (!entity) return RTERROR;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return RTERROR;
    const std::wstring shown = prompt ? prompt : L"\nSelect object: ";
    for (;;) {
        std::wstring line;
        if (readAnswer(shown, line) == Answer::kCancel) return RTCAN;
        line = trim(line);
        if (line.empty()) return RTERROR;
        const AcDbObjectId space = currentSpace(db);
        const AcDbEntity* hit = nullptr;
        Box box;
        double p[3] = {0, 0, 0};
        const bool point = parsePoint(line, p);
        uint64_t h = 0;
        if (equalNoCase(line, L"L")) {
            hit = lastEntityOf(space);
        } else if (point) {
            hit = hitAt(space, p, box);
        } else {
            std::wstring t = line;
            if (t.size() > 2 && (t[0] == L'H' || t[0] == L'h') && vx::text::isBlank(t[1])) t = trim(t.substr(2));
            if (hexHandle(t, h)) hit = entityIn(db, space, h);
            if (!hit && h == 0) {
                rejectAnswer(L"Pick with x,y, H handle, or L for the last object; ESC cancels.");
                continue;
            }
        }
        if (!hit) {
            acutPrintf(L"\nNothing found there.");
            continue;
        }
        if (!point && extentsOf(*hit, box))
            for (int i = 0; i < 3; ++i) p[i] = (box.lo[i] + box.hi[i]) / 2;
        nameOf(EntityRef{db, handleOf(*hit)}, entity);
        if (pickedPoint) ads_point_set(p, pickedPoint);
        return RTNORM;
    }
}

// The last entity drawn in model space: what a command that has just added one asks for.
int acdbEntLast(ads_name entity) {
    if (!entity) return RTERROR;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return RTERROR;
    const AcDbEntity* last = lastEntityOf(db->modelSpaceId());
    if (!last) return RTERROR;
    nameOf(EntityRef{db, handleOf(*last)}, entity);
    return RTNORM;
}

int acdbEntNext(const ads_name entity, ads_name next) {
    if (!next) return RTERROR;
    AcDbDatabase* db = entity ? entityOf(entity).db : acdbHostApplicationServices()->workingDatabase();
    if (!db) return RTERROR;
    const std::vector<AcDbEntity*>& all = entitiesOf(db->modelSpaceId());
    size_t i = 0;
    if (entity && !ads_name_nil(entity)) {
        const AcDbObject* from = objectIdOf(db, entityOf(entity).handle).object();
        while (i < all.size() && all[i] != from) ++i;
        if (i == all.size()) return RTERROR;
        ++i;
    }
    while (i < all.size() && all[i]->isErased()) ++i;
    if (i >= all.size()) return RTERROR;
    nameOf(EntityRef{db, handleOf(*all[i])}, next);
    return RTNORM;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name entity) {
    id = AcDbObjectId();
    if (!entity || ads_name_nil(entity)) return Acad::eInvalidAdsName;
    const EntityRef e = entityOf(entity);
    if (!e.db) return Acad::eInvalidAdsName;
    id = objectIdOf(e.db, e.handle);
    return id.isNull() ? Acad::eInvalidAdsName : Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& entity, const AcDbObjectId& id) {
    if (id.isNull()) return Acad::eNullObjectId;
    nameOf(EntityRef{id.database(), id.handle().value()}, entity);
    return Acad::eOk;
}

int acedTrans(const ads_point point, const resbuf* from, const resbuf* to, int, ads_point result) {
    if (!point || !from || !to || !result) return RTERROR;
    auto valid = [](const resbuf* rb) {
        return (rb->restype == RTSHORT && rb->resval.rint >= 0 && rb->resval.rint <= 3) || rb->restype == RTENAME ||
               rb->restype == RT3DPOINT;
    };
    if (!valid(from) || !valid(to)) return RTERROR;
    // No view twist, user coordinate system or paper-space viewport exists in this host yet:
    // every system coincides with the world.
    ads_point_set(point, result);
    return RTNORM;
}
