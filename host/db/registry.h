// The table of record types: DXF name, kind, C++ class, and the tags of a new object.
#pragma once

#include <string_view>

#include "db/store.h"

namespace vx::db {

struct KindInfo {
    Kind kind;
    const char* dxfName;        // the record's type (group 0)
    AcDbObject* (*make)();      // a blank object of the kind's class
    const char* tmpl;           // tags of a new object: "code=value|code=value ..."
};

const KindInfo& kindInfo(Kind k);
// The kind of a record type in a section; unknown types give kUnknownEntity in entity
// sections and kUnknownObject elsewhere.
Kind kindOfType(std::string_view type, bool entitySection);
// A blank object for loading (no template tags).
AcDbObject* makeObject(Kind k);
// A new object with the template tags of its kind.
AcDbObject* newObject(Kind k);

}  // namespace vx::db
