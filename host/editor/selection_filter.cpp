#include "editor/selection_filter.h"

#include "acdb.h"
#include "editor/wcmatch.h"

namespace vx::editor {
namespace {

// Every record of a table, erased ones too: an entity may still name an erased layer.
template <class Visit>
void eachRecord(AcDbObjectId tableId, Visit visit) {
    const auto* table = AcDbSymbolTable::cast(tableId.object());
    if (!table) return;
    for (const AcDbSymbolTableRecord* r : table->records()) visit(*r);
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

void DrawingFilter::RecordSet::insert(const void* r) {
    if (!m_many.empty() || m_few.size() == 4) {
        m_many.insert(m_few.begin(), m_few.end());
        m_few.clear();
        m_many.insert(r);
        return;
    }
    m_few.push_back(r);
}

bool DrawingFilter::RecordSet::contains(const void* r) const {
    if (!m_many.empty()) return m_many.count(r) != 0;
    for (const void* f : m_few)
        if (f == r) return true;
    return false;
}

DrawingFilter::DrawingFilter(const Filter& filter, AcDbDatabase* db) {
    for (const Filter::Item& item : filter.items()) {
        Bound b{item.code, item.pattern, RecordSet(), {}};
        if (db && (item.code == 8 || item.code == 2)) {
            eachRecord(item.code == 8 ? db->layerTableId() : db->blockTableId(), [&](const AcDbSymbolTableRecord& r) {
                if (wcMatch(r.name().str(), item.pattern, true)) b.records.insert(static_cast<const AcDbObject*>(&r));
            });
        }
        m_items.push_back(std::move(b));
    }
}

bool DrawingFilter::matchesType(Bound& b, const AcDbEntity& e) {
    const AcRxClass* cls = e.isA();
    // Classes kept as data (unknown entities) stand for many type names: test each by name.
    if (!cls->dxfName() || !*cls->dxfName()) return wcMatch(e.dxfType().str(), b.pattern, true);
    auto it = b.byClass.find(cls);
    if (it == b.byClass.end()) it = b.byClass.emplace(cls, wcMatch(cls->dxfName(), b.pattern, true)).first;
    return it->second;
}

bool DrawingFilter::matchesLayer(const Bound& b, const AcDbEntity& e) const {
    const AcDbObject* layer = e.layerId().object();
    return layer ? b.records.contains(layer) : wcMatch(e.layer().str(), b.pattern, true);
}

bool DrawingFilter::matchesBlock(const Bound& b, const AcDbEntity& e) const {
    const auto* ref = AcDbBlockReference::cast(&e);
    if (!ref) return false;
    const AcDbObject* block = ref->blockTableRecord().object();
    // A reference to a block the drawing lacks has an empty block name.
    return block ? b.records.contains(block) : wcMatch(L"", b.pattern, true);
}

bool DrawingFilter::matches(const AcDbEntity& e) {
    for (Bound& b : m_items) {
        const bool ok = b.code == 0 ? matchesType(b, e) : b.code == 8 ? matchesLayer(b, e) : matchesBlock(b, e);
        if (!ok) return false;
    }
    return true;
}

}  // namespace vx::editor
