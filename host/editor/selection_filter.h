// Selection filters: the patterns of a filter list, and the same patterns bound to one drawing
// so that a scan over a million entities compares pointers instead of building names.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "acutads.h"
#include "editor/db_bridge.h"

class AcDbDatabase;
class AcDbEntity;
class AcRxClass;

namespace vx::editor {

// A filter list compiled once per selection: items are ANDed; group 0 (type), 2 (block name of
// an INSERT) and 8 (layer) take wildcard patterns, compared without regard to case.
class Filter {
public:
    struct Item {
        int code;
        std::wstring pattern;
    };

    // False with a reason for an item this host cannot test (so nothing is selected by mistake).
    bool compile(const resbuf* list, std::wstring& why);
    bool matches(const EntityFacts& e) const;
    const std::vector<Item>& items() const { return m_items; }
    bool empty() const { return m_items.empty(); }

private:
    std::vector<Item> m_items;
};

// A filter bound to one drawing: layer and block patterns are matched once against the
// drawing's records, type patterns once per entity class. Gives the same answers as
// Filter::matches on the entity's facts.
class DrawingFilter {
public:
    DrawingFilter(const Filter& filter, AcDbDatabase* db);
    bool matches(const AcDbEntity& e);

private:
    // The layers (8) or blocks (2) whose names match: usually one or two, compared directly;
    // a negated pattern can match hundreds, then hashed.
    class RecordSet {
    public:
        void insert(const void* r);
        bool contains(const void* r) const;

    private:
        std::vector<const void*> m_few;
        std::unordered_set<const void*> m_many;
    };
    struct Bound {
        int code;
        std::wstring pattern;
        RecordSet records;
        std::unordered_map<const AcRxClass*, bool> byClass;  // type (0) answers per class
    };
    bool matchesType(Bound& b, const AcDbEntity& e);
    bool matchesLayer(const Bound& b, const AcDbEntity& e) const;
    bool matchesBlock(const Bound& b, const AcDbEntity& e) const;

    std::vector<Bound> m_items;
};

}  // namespace vx::editor
