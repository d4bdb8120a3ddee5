// Drawing operations the commands share. Each opens what it needs and closes it before it
// returns; failures come back as a null id or an empty list, never as a message.
#pragma once

#include <string>
#include <vector>

#include "acdb.h"

namespace vorlix {

// The entity must not be in a database yet. On failure it stays the caller's.
AcDbObjectId appendToModelSpace(AcDbEntity* entity, AcDbDatabase* db = nullptr);

// The layer's id in the working database, created with the colour index when missing; an
// existing layer keeps its colour.
AcDbObjectId ensureLayer(const ACHAR* name, int colorIndex);

// The text style's id in the working database, or the null id.
AcDbObjectId textStyleByName(const ACHAR* name);

// Block names in table order, leaving out names with "*" (layouts, anonymous blocks) and
// names shorter than two characters. A name with a "*" after its start (which no symbol name
// may hold; only a damaged or foreign file has one) goes to `unlisted` when given, so that the
// caller can say why the block is missing from its list.
std::vector<std::wstring> blockNames(AcDbDatabase* db, std::vector<std::wstring>* unlisted = nullptr);

// The object as T when its class derives from T (AcDbText, AcDbMText, AcDbAttribute,
// AcDbBlockReference ...); null for a null object or another class.
template <class T>
T* isA(AcDbObject* object) {
    return object ? T::cast(object) : nullptr;
}

// The frame layer of the drawings.
constexpr const ACHAR* kFrameLayer = L"C-TK";
constexpr int kFrameLayerColor = 7;

}  // namespace vorlix
