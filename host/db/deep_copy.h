// Copying entities and everything they depend on from one database into another: new handles,
// rewritten pointers, and the definitions they name (blocks, layers, linetypes, styles,
// dimension styles, application names).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/store.h"

namespace vx::db {

// What a copy into an older drawing changed: entity types converted (R12 lacks LWPOLYLINE ...)
// and entities left out, each with a count.
struct CopyReport {
    std::map<std::wstring, int> converted;  // "LWPOLYLINE to POLYLINE"
    std::map<std::wstring, int> leftOut;    // "HATCH (why)"
    bool empty() const { return converted.empty() && leftOut.empty(); }
    // One line for the command line ("" when nothing was changed).
    std::wstring text() const;
};

class DeepCopy {
public:
    DeepCopy(Store& source, Store& target);

    // Queues a copy of `entity` (with its attributes or vertices) for the end of `targetBlock`.
    // An entity of a type the target's version lacks (an R12 target) is converted, or left out
    // when it cannot be (see report()).
    void addEntity(AcDbEntity* entity, AcDbBlockTableRecord* targetBlock);
    // Builds and attaches every queued copy; returns the top-level copies in order.
    std::vector<AcDbEntity*> run();
    const CopyReport& report() const { return report_; }

private:
    struct Copy {
        AcDbObject* from;
        AcDbObject* to;
        AcDbObject* owner;  // the target owner (table, block record, parent entity, object)
    };

    AcDbObject* resolve(AcDbObject* from, int code, AcDbObject* referrer);
    AcDbObject* resolveRecord(AcDbSymbolTableRecord* from);
    AcDbObject* resolveName(AcDbSymbolTable* table, std::wstring_view name);
    AcDbObject* copyOf(AcDbObject* from, AcDbObject* owner);
    // Queues the copy of an entity, or its R12 replacements; the copies made, in order.
    std::vector<AcDbObject*> place(AcDbEntity* from, AcDbObject* owner);
    void discover(const Copy& c);
    void build(const Copy& c);
    void attach(const Copy& c);
    // Whether the target's version has the entity's type (R12 lacks LWPOLYLINE, MTEXT ...).
    bool fitsTarget(const AcDbEntity* e) const;
    AcDbSymbolTable* targetTable(const AcDbObject* sourceTable) const;
    std::wstring freeAnonymousName(const std::wstring& sourceName);

    Store& src_;
    Store& dst_;
    std::unordered_map<const AcDbObject*, AcDbObject*> map_;
    std::unordered_map<const AcDbObject*, std::wstring> renamed_;  // source block -> target name
    std::vector<Copy> copies_;
    std::vector<AcDbEntity*> top_;
    std::vector<std::wstring> takenNames_;
    std::vector<std::unique_ptr<AcDbEntity>> replacements_;  // R12 stand-ins, sources of copies
    CopyReport report_;
};

}  // namespace vx::db
