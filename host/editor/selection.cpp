#include "editor/selection.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <sstream>
#include <unordered_set>

#include "aced.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbid.h"
#include "editor/command_stack.h"
#include "editor/feedback.h"
#include "editor/input.h"
#include "editor/input_event.h"
#include "text/strings.h"

namespace vx::editor {
namespace {

std::map<intptr_t, std::vector<EntityRef>>& sets() {
    static std::map<intptr_t, std::vector<EntityRef>> s;
    return s;
}
intptr_t g_nextSet = 1;

std::vector<EntityRef>* setOf(const ads_name ss) {
    if (!ss || ss[1] != kSetMark) return nullptr;
    auto it = sets().find(ss[0]);
    return it == sets().end() ? nullptr : &it->second;
}

bool parseHandle(const std::wstring& text, uint64_t& out) {
    if (text.empty() || text.size() > 16) return false;
    uint64_t v = 0;
    for (wchar_t c : text) {
        int d = std::iswdigit(c) ? c - L'0' : (std::towupper(c) >= L'A' && std::towupper(c) <= L'F')
                                                  ? std::towupper(c) - L'A' + 10
                                                  : -1;
        if (d < 0) return false;
        v = v * 16 + static_cast<uint64_t>(d);
    }
    out = v;
    return v != 0;
}

bool inside(const Box& b, const double lo[2], const double hi[2]) {
    return b.lo[0] >= lo[0] && b.lo[1] >= lo[1] && b.hi[0] <= hi[0] && b.hi[1] <= hi[1];
}

bool crosses(const Box& b, const double lo[2], const double hi[2]) {
    return b.lo[0] <= hi[0] && b.hi[0] >= lo[0] && b.lo[1] <= hi[1] && b.hi[1] >= lo[1];
}

// The live entities of `space` that pass the filter and lie in (window) or touch (crossing)
// the box. Only what the spatial index puts near the box is measured, and the filter goes
// before the measuring: extents are the costly part of an entity.
std::vector<const AcDbEntity*> inBox(AcDbObjectId space, DrawingFilter& filter, bool window, const double lo[2],
                                     const double hi[2]) {
    std::vector<const AcDbEntity*> found;
    for (const AcDbEntity* e : entitiesNear(space, lo, hi)) {
        Box b;
        if (!filter.matches(*e) || !extentsOf(*e, b)) continue;
        if (window ? inside(b, lo, hi) : crosses(b, lo, hi)) found.push_back(e);
    }
    return found;
}

}  // namespace

size_t liveSelectionSets() { return sets().size(); }

void makeSelectionSet(const std::vector<EntityRef>& members, ads_name name) {
    const intptr_t id = g_nextSet++;
    sets()[id] = members;
    name[0] = id;
    name[1] = kSetMark;
}

EntityRef entityOf(const ads_name name) {
    return EntityRef{reinterpret_cast<AcDbDatabase*>(name[0]), static_cast<uint64_t>(name[1])};
}

void nameOf(const EntityRef& e, ads_name name) {
    name[0] = reinterpret_cast<intptr_t>(e.db);
    name[1] = static_cast<intptr_t>(e.handle);
}

bool selectInteractively(AcDbDatabase* db, DrawingFilter& bound, std::vector<EntityRef>& picked) {
    const AcDbObjectId space = currentSpace(db);
    std::unordered_set<uint64_t> taken;  // the handles of picked[0, indexed)
    size_t indexed = 0;
    // `screened`: the search applied the filter itself, so none counts as filtered out.
    // `distinct`: one answer names each entity once, so the first needs no duplicate check.
    auto add = [&](const std::vector<const AcDbEntity*>& found, bool screened, bool distinct) {
        int filtered = 0, dup = 0;
        const bool checkDuplicates = !(distinct && picked.empty());
        if (checkDuplicates)
            for (; indexed < picked.size(); ++indexed) taken.insert(picked[indexed].handle);
        for (const AcDbEntity* e : found) {
            if (!screened && !bound.matches(*e)) {
                ++filtered;
                continue;
            }
            const uint64_t h = handleOf(*e);
            if (checkDuplicates && !taken.insert(h).second) {
                ++dup;
                continue;
            }
            picked.push_back(EntityRef{db, h});
            if (checkDuplicates) indexed = picked.size();
        }
        std::wstring msg = std::to_wstring(found.size()) + L" found";
        if (dup) msg += L" (" + std::to_wstring(dup) + L" duplicate)";
        if (filtered) msg += L", " + std::to_wstring(filtered) + L" filtered out";
        msg += L", " + std::to_wstring(picked.size()) + L" total";
        acutPrintf(L"%s", msg.c_str());
    };
    const SelectionShown shown(picked);
    for (;;) {
        const InputEvent e = readEvent(L"\nSelect objects: ", Expect::kSelection);
        std::vector<const AcDbEntity*> found;
        switch (e.kind) {
        case EventKind::kCancel: return false;
        case EventKind::kEnter: return true;
        case EventKind::kAll:
            for (const AcDbEntity* ent : entitiesOf(space))
                if (!ent->isErased()) found.push_back(ent);
            add(found, false, true);
            continue;
        case EventKind::kLast:
            if (const AcDbEntity* last = lastEntityOf(space)) found.push_back(last);
            add(found, false, true);
            continue;
        case EventKind::kWindow:
        case EventKind::kCrossing: {
            const double lo[2] = {std::min(e.point[0], e.corner[0]), std::min(e.point[1], e.corner[1])};
            const double hi[2] = {std::max(e.point[0], e.corner[0]), std::max(e.point[1], e.corner[1])};
            add(inBox(space, bound, e.kind == EventKind::kWindow, lo, hi), true, true);
            continue;
        }
        case EventKind::kPoint: {
            // A pick takes the topmost entity the pick box touches: the last drawn of them.
            const double lo[2] = {e.point[0] - e.aperture, e.point[1] - e.aperture};
            const double hi[2] = {e.point[0] + e.aperture, e.point[1] + e.aperture};
            const std::vector<const AcDbEntity*> near = entitiesNear(space, lo, hi);
            for (auto it = near.rbegin(); it != near.rend() && found.empty(); ++it) {
                Box box;
                if (extentsOf(**it, box) && crosses(box, lo, hi)) found.push_back(*it);
            }
            add(found, false, true);
            continue;
        }
        case EventKind::kHandles: {
            std::wstringstream in(e.text);
            std::wstring h;
            bool bad = false;
            while (in >> h) {
                uint64_t v = 0;
                const AcDbEntity* ent = parseHandle(h, v) ? entityIn(db, space, v) : nullptr;
                if (!ent) {
                    const auto* other = v ? AcDbEntity::cast(objectIdOf(db, v).object()) : nullptr;
                    const bool elsewhere = other && !other->isErased();
                    rejectAnswer(elsewhere ? L"The object with handle " + h + L" is not in the current space."
                                           : L"No object with handle " + h + L" in this drawing.");
                    bad = true;
                    continue;
                }
                found.push_back(ent);
            }
            if (bad && found.empty()) continue;
            add(found, false, false);
            continue;
        }
        case EventKind::kMalformed: rejectAnswer(e.text); continue;
        default:
            rejectAnswer(L"Answer ALL, L, W x1,y1 x2,y2, C x1,y1 x2,y2, H handle ..., an empty line to finish, or ESC.");
            continue;
        }
    }
}

}  // namespace vx::editor

using vx::editor::EntityRef;

int acedSSGet(const ACHAR* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss) {
    using namespace vx::editor;
    if (!ss) return RTERROR;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return RTERROR;
    Filter f;
    std::wstring why;
    if (!f.compile(filter, why)) {
        acutPrintf(L"\n%s", why.c_str());
        return RTERROR;
    }
    std::wstring m = mode ? mode : L"";
    if (!m.empty() && m[0] == L'_') m.erase(0, 1);
    std::vector<EntityRef> picked;
    DrawingFilter bound(f, db);
    if (m.empty()) {
        if (!selectInteractively(db, bound, picked)) return RTCAN;
    } else if (equalNoCase(m, L"X")) {
        // The whole drawing: every space, each in database order.
        for (const AcDbObjectId& space : drawingSpaces(db))
            for (const AcDbEntity* e : entitiesOf(space))
                if (!e->isErased() && bound.matches(*e)) picked.push_back({db, handleOf(*e)});
    } else if (equalNoCase(m, L"L")) {
        const AcDbEntity* last = lastEntityOf(currentSpace(db));
        if (last && bound.matches(*last)) picked.push_back({db, handleOf(*last)});
    } else if ((equalNoCase(m, L"W") || equalNoCase(m, L"C")) && pt1 && pt2) {
        // A window or crossing given by the caller's two corners, in drawing order.
        const auto* a = static_cast<const ads_real*>(pt1);
        const auto* b = static_cast<const ads_real*>(pt2);
        const double lo[2] = {std::min(a[0], b[0]), std::min(a[1], b[1])};
        const double hi[2] = {std::max(a[0], b[0]), std::max(a[1], b[1])};
        for (const AcDbEntity* e : inBox(currentSpace(db), bound, equalNoCase(m, L"W"), lo, hi))
            picked.push_back({db, handleOf(*e)});
    } else {
        acutPrintf(L"\nSelection mode \"%s\" is not supported by this host.", m.c_str());
        return RTERROR;
    }
    if (picked.empty()) return RTERROR;
    makeSelectionSet(picked, ss);
    return RTNORM;
}

int acedSSLength(const ads_name ss, int32_t* length) {
    auto* s = vx::editor::setOf(ss);
    if (!s || !length) return RTERROR;
    *length = static_cast<int32_t>(s->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, int32_t index, ads_name entity) {
    auto* s = vx::editor::setOf(ss);
    if (!s || !entity || index < 0 || static_cast<size_t>(index) >= s->size()) return RTERROR;
    vx::editor::nameOf((*s)[static_cast<size_t>(index)], entity);
    return RTNORM;
}

int acedSSFree(const ads_name ss) {
    if (!vx::editor::setOf(ss)) return RTERROR;
    vx::editor::sets().erase(ss[0]);
    return RTNORM;
}

int acedSSAdd(const ads_name entity, const ads_name ss, ads_name result) {
    using namespace vx::editor;
    if (!result) return RTERROR;
    std::vector<EntityRef> members;
    if (ss) {
        auto* s = setOf(ss);
        if (!s) return RTERROR;
        if (!entity) {
            // A copy of the set, as the host does for a null entity.
            makeSelectionSet(*s, result);
            return RTNORM;
        }
        const EntityRef e = entityOf(entity);
        if (std::find(s->begin(), s->end(), e) == s->end()) s->push_back(e);
        ads_name_set(ss, result);
        return RTNORM;
    }
    if (entity) members.push_back(entityOf(entity));
    makeSelectionSet(members, result);
    return RTNORM;
}

int acedSSDel(const ads_name entity, const ads_name ss) {
    auto* s = vx::editor::setOf(ss);
    if (!s || !entity) return RTERROR;
    auto it = std::find(s->begin(), s->end(), vx::editor::entityOf(entity));
    if (it == s->end()) return RTERROR;
    s->erase(it);
    return RTNORM;
}

int acedSSMemb(const ads_name entity, const ads_name ss) {
    auto* s = vx::editor::setOf(ss);
    if (!s || !entity) return RTERROR;
    return std::find(s->begin(), s->end(), vx::editor::entityOf(entity)) == s->end() ? RTERROR : RTNORM;
}
