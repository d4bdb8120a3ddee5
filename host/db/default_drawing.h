// The DXF text of an empty drawing, read by a database built with a default drawing.
#pragma once

namespace vx::db {
const char* defaultDrawingDxf();
}
