// Entities that an R12 drawing cannot hold, turned into the R12 entities that draw the same, as
// CAD hosts do when they save R12: LWPOLYLINE and ELLIPSE become POLYLINE, MTEXT becomes TEXT
// lines, a solid HATCH with a simple boundary becomes SOLIDs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/store.h"

namespace vx::db {

struct R12Conversion {
    // The replacements, not in any database (a POLYLINE owns its vertices and SEQEND). Their
    // names are UTF-8; handles and owners are left for the copy to fill in.
    std::vector<std::unique_ptr<AcDbEntity>> entities;
    // Why nothing could be made (empty when entities were made).
    std::wstring leftOutBecause;
};

// Whether entities of kind k have to be converted for an R12 drawing.
bool needsR12Conversion(Kind k);
R12Conversion convertForR12(const AcDbEntity* e);

}  // namespace vx::db
