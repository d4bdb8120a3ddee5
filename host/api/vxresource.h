// How a module carries its resource scripts: the build generates a table of the files (the
// .rc first, then the headers and bitmaps it uses) that the host finds in the module's binary
// when the module attaches as an extension module.
#pragma once

#include <cstddef>

extern "C" {
struct VxEmbeddedFile {
    const char* name;  // path relative to the .rc's folder; null ends the table
    const unsigned char* data;
    size_t size;
};
}

#define VX_EMBEDDED_RESOURCES_SYMBOL "vx_embedded_resources"

// The table of the binary that was built with resources (tests that link a module's resource
// objects directly hand it to the host themselves).
extern "C" const VxEmbeddedFile vx_embedded_resources[];
