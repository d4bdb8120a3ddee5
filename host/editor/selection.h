// Selection sets and filters behind acedSSGet and friends. An entity name is the pair
// (database, handle); a selection set name is (set number, kSetMark).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "acutads.h"
#include "editor/db_bridge.h"
#include "editor/selection_filter.h"

class AcDbDatabase;

namespace vx::editor {

constexpr intptr_t kSetMark = 0x5353;  // second half of every selection set name

struct EntityRef {
    AcDbDatabase* db = nullptr;
    uint64_t handle = 0;
    bool operator==(const EntityRef& o) const { return db == o.db && handle == o.handle; }
};

// Sets alive now (for tests and leak checks).
size_t liveSelectionSets();
// A new set holding `members`; returns its name.
void makeSelectionSet(const std::vector<EntityRef>& members, ads_name name);
EntityRef entityOf(const ads_name name);
void nameOf(const EntityRef& e, ads_name name);

// The answers to "Select objects:" as the console gives them, in pick order, in the space the
// user works in (model space unless the current layout is a paper space).
bool selectInteractively(AcDbDatabase* db, DrawingFilter& filter, std::vector<EntityRef>& picked);

}  // namespace vx::editor
