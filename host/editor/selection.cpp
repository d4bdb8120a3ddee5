#include "editor/selection.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <sstream>

#include "aced.h"
#include "dbapserv.h"
#include "dbid.h"
#include "editor/command_stack.h"
#include "editor/input.h"
#include "editor/wcmatch.h"
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

using vx::text::trim;

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

bool inside(const EntityFacts& e, const double lo[2], const double hi[2]) {
    return e.hasExtents && e.minPt[0] >= lo[0] && e.minPt[1] >= lo[1] && e.maxPt[0] <= hi[0] &&
           e.maxPt[1] <= hi[1];
}

bool crosses(const EntityFacts& e, const double lo[2], const double hi[2]) {
    return e.hasExtents && e.minPt[0] <= hi[0] && e.maxPt[0] >= lo[0] && e.minPt[1] <= hi[1] &&
           e.maxPt[1] >= lo[1];
}

// "W x1,y1 x2,y2": the two corners in any order.
bool parseBox(const std::wstring& rest, double lo[2], double hi[2]) {
    std::wstringstream in(rest);
    std::wstring a, b, extra;
    if (!(in >> a >> b) || (in >> extra)) return false;
    double p[3], q[3];
    if (!parsePoint(a, p) || !parsePoint(b, q)) return false;
    lo[0] = std::min(p[0], q[0]);
    lo[1] = std::min(p[1], q[1]);
    hi[0] = std::max(p[0], q[0]);
    hi[1] = std::max(p[1], q[1]);
    return true;
}

}  // namespace

bool Filter::compile(const resbuf* list, std::wstring& why) {
    m_items.clear();
    for (const resbuf* rb = list; rb; rb = rb->rbnext) {
        const int code = rb->restype;
        if (code == 0 || code == 2 || code == 8) {
            m_items.push_back({code, rb->resval.rstring ? rb->resval.rstring : L""});
            continue;
        }
        why = L"Selection filters with group code " + std::to_wstring(code) + L" are not supported.";
        return false;
    }
    return true;
}

bool Filter::matches(const EntityFacts& e) const {
    for (const Item& it : m_items) {
        const std::wstring& value = it.code == 0 ? e.type : it.code == 8 ? e.layer : e.blockName;
        if (it.code == 2 && e.type != L"INSERT") return false;
        if (!wcMatch(value, it.pattern, true)) return false;
    }
    return true;
}

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

bool selectInteractively(AcDbDatabase* db, const Filter& filter, std::vector<EntityRef>& picked) {
    const std::vector<EntityFacts> all = modelSpaceEntities(db);
    auto add = [&](const std::vector<const EntityFacts*>& found) {
        int filtered = 0, dup = 0;
        for (const EntityFacts* e : found) {
            if (!filter.matches(*e)) {
                ++filtered;
                continue;
            }
            EntityRef r{db, e->handle};
            if (std::find(picked.begin(), picked.end(), r) != picked.end()) {
                ++dup;
                continue;
            }
            picked.push_back(r);
        }
        std::wstring msg = std::to_wstring(found.size()) + L" found";
        if (dup) msg += L" (" + std::to_wstring(dup) + L" duplicate)";
        if (filtered) msg += L", " + std::to_wstring(filtered) + L" filtered out";
        msg += L", " + std::to_wstring(picked.size()) + L" total";
        acutPrintf(L"%s", msg.c_str());
    };
    for (;;) {
        std::wstring line;
        if (readAnswer(L"\nSelect objects: ", line) == Answer::kCancel) return false;
        line = trim(line);
        if (line.empty()) return true;
        std::wstring word = line, rest;
        size_t blank = line.find_first_of(L" \t");
        if (blank != std::wstring::npos) {
            word = line.substr(0, blank);
            rest = trim(line.substr(blank + 1));
        }
        std::vector<const EntityFacts*> found;
        if (equalNoCase(word, L"ALL") && rest.empty()) {
            for (auto& e : all) found.push_back(&e);
        } else if (equalNoCase(word, L"L") && rest.empty()) {
            if (!all.empty()) found.push_back(&all.back());
        } else if (equalNoCase(word, L"W") || equalNoCase(word, L"C")) {
            double lo[2] = {0, 0}, hi[2] = {0, 0};
            if (!parseBox(rest, lo, hi)) {
                rejectAnswer(L"Give two corners: " + toUpper(word) + L" x1,y1 x2,y2");
                continue;
            }
            const bool window = equalNoCase(word, L"W");
            for (auto& e : all)
                if (window ? inside(e, lo, hi) : crosses(e, lo, hi)) found.push_back(&e);
        } else if (equalNoCase(word, L"H") && !rest.empty()) {
            std::wstringstream in(rest);
            std::wstring h;
            bool bad = false;
            while (in >> h) {
                uint64_t v = 0;
                auto it = parseHandle(h, v) ? std::find_if(all.begin(), all.end(), [v](auto& e) { return e.handle == v; })
                                            : all.end();
                if (it == all.end()) {
                    rejectAnswer(L"No object with handle " + h + L" in this drawing.");
                    bad = true;
                    continue;
                }
                found.push_back(&*it);
            }
            if (bad && found.empty()) continue;
        } else {
            rejectAnswer(L"Answer ALL, L, W x1,y1 x2,y2, C x1,y1 x2,y2, H handle ..., an empty line to finish, or ESC.");
            continue;
        }
        add(found);
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
    if (m.empty()) {
        if (!selectInteractively(db, f, picked)) return RTCAN;
    } else if (equalNoCase(m, L"X")) {
        for (const EntityFacts& e : modelSpaceEntities(db))
            if (f.matches(e)) picked.push_back({db, e.handle});
    } else if (equalNoCase(m, L"L")) {
        auto all = modelSpaceEntities(db);
        if (!all.empty() && f.matches(all.back())) picked.push_back({db, all.back().handle});
    } else if ((equalNoCase(m, L"W") || equalNoCase(m, L"C")) && pt1 && pt2) {
        // A window or crossing given by the caller's two corners, in drawing order.
        const auto* a = static_cast<const ads_real*>(pt1);
        const auto* b = static_cast<const ads_real*>(pt2);
        const double lo[2] = {std::min(a[0], b[0]), std::min(a[1], b[1])};
        const double hi[2] = {std::max(a[0], b[0]), std::max(a[1], b[1])};
        const bool window = equalNoCase(m, L"W");
        for (const EntityFacts& e : modelSpaceEntities(db))
            if ((window ? inside(e, lo, hi) : crosses(e, lo, hi)) && f.matches(e)) picked.push_back({db, e.handle});
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
