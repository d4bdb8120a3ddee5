#include "db/block_index.h"

#include "db/access.h"
#include "text/strings.h"

namespace vx::db {
namespace {

std::wstring folded(std::wstring_view name) {
    std::wstring key(name);
    for (wchar_t& c : key) c = vx::text::foldCase(c);
    return key;
}

}  // namespace

void BlockIndex::rebuild(const AcDbSymbolTable* table, uint64_t blocksVersion) {
    m_byName.clear();
    m_table = table;
    m_version = blocksVersion;
    // The first live record of a name wins, as a search of the table would find it.
    for (AcDbSymbolTableRecord* r : table->records())
        if (!r->isErased()) m_byName.emplace(folded(r->name().str()), static_cast<AcDbBlockTableRecord*>(r));
}

AcDbBlockTableRecord* BlockIndex::find(const AcDbSymbolTable* table, std::wstring_view name, uint64_t blocksVersion) {
    if (!table) return nullptr;
    if (table != m_table || blocksVersion != m_version) rebuild(table, blocksVersion);
    auto it = m_byName.find(folded(name));
    if (it == m_byName.end()) return nullptr;
    AcDbBlockTableRecord* r = it->second;
    return !r->isErased() && sameName(r->name().str(), name) ? r : nullptr;
}

}  // namespace vx::db
