// Lookups in symbol tables, shared by the tables, the entities and the reader.
#pragma once

#include <string_view>

#include "db/store.h"

namespace vx::db {

// The record of that name (case-insensitive, erased records skipped), or null.
AcDbSymbolTableRecord* findRecord(const AcDbSymbolTable* table, std::wstring_view name);
// The block record of that name, through the store's index (a search of the table per use
// would make drawings with many blocks quadratic).
AcDbBlockTableRecord* blockNamed(Store& st, std::wstring_view name);
// The block record an INSERT names.
AcDbBlockTableRecord* blockOf(const AcDbBlockReference* ref);
// A layer of that name, created (colour 7, Continuous) when the table has none; `audit` lists
// the creation among the repairs of a read.
AcDbLayerTableRecord* ensureLayer(Store& st, std::wstring_view name, bool audit = false);
// Appends an entity (new) to a block record of the store, with its sub-entities.
Acad::ErrorStatus appendEntity(Store& st, AcDbBlockTableRecord* block, AcDbEntity* ent);
// BLOCK and ENDBLK for a block record (new or read from R12 without a record).
void attachBlockEnds(Store& st, AcDbBlockTableRecord* block);
bool validSymbolName(std::wstring_view name);

}  // namespace vx::db
