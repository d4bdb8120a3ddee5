// Block references (INSERT, MINSERT) and dimensions as what they draw: a block under one
// transform per instance.
#pragma once

#include <vector>

#include "dbents.h"
#include "render/tables.h"

namespace vx::render {

struct Reference {
    const AcDbBlockTableRecord* block = nullptr;
    std::vector<AcGeMatrix3d> instances;  // block coordinates to the reference's coordinates
    bool truncated = false;               // a MINSERT with more cells than are drawn
};

// False when the entity names no block.
bool readReference(const AcDbEntity* e, Tables& tables, Reference& out);

// The attributes a reference shows (erased ones left out).
std::vector<const AcDbEntity*> attributesOf(const AcDbEntity* reference);

// Whether a block content entity is drawn through references: attribute definitions only when
// constant (the others become attributes of each reference).
bool drawnInBlock(const AcDbEntity* e);

}  // namespace vx::render
