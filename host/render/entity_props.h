// The properties every entity carries (layer, colour, linetype, lineweight, linetype scale,
// visibility), read in one pass over its common section.
#pragma once

#include <cstdint>
#include <string_view>

#include "dbents.h"

namespace vx::render {

struct EntityProps {
    const AcDbObject* layer = nullptr;  // the layer record (null outside a database)
    int color = 256;                    // 0 ByBlock, 256 ByLayer, 1-255 an index
    int64_t trueColor = -1;             // 0xRRGGBB when the entity has one
    std::string_view linetype;          // the name as stored; empty: ByLayer
    bool linetypeUtf8 = false;          // the name was set through the API (UTF-8, not the file's)
    int lineweight = -1;                // hundredths of a mm; -1 ByLayer, -2 ByBlock, -3 default
    double ltscale = 1;
    bool invisible = false;
};

// The views into the entity's tags stay valid until the entity changes.
EntityProps readProps(const AcDbEntity* e);

// A tag value as a number; `def` when it does not parse (damaged files).
double tagReal(std::string_view v, double def = 0);
long long tagInt(std::string_view v, long long def = 0);

}  // namespace vx::render
