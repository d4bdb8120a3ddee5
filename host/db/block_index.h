// Block records by name, for the references of one drawing: every reference names its block,
// and a drawing may hold tens of thousands of blocks, so a search of the table per reference
// (or per name) would make measuring nested blocks quadratic. The index is built from the whole
// table in one pass and rebuilt when BlockChanges::version moves (a block record added,
// renamed or erased moves it); a hit is still checked against the record's current name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class AcDbSymbolTable;
class AcDbBlockTableRecord;

namespace vx::db {

class BlockIndex {
public:
    // The live record of that name (without regard to case) in `table`, or null.
    AcDbBlockTableRecord* find(const AcDbSymbolTable* table, std::wstring_view name, uint64_t blocksVersion);

private:
    void rebuild(const AcDbSymbolTable* table, uint64_t blocksVersion);

    std::unordered_map<std::wstring, AcDbBlockTableRecord*> m_byName;  // key: upper-cased name
    const AcDbSymbolTable* m_table = nullptr;
    uint64_t m_version = 0;
};

}  // namespace vx::db
