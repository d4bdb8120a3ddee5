// A stand-in for a loaded module: reports the handle it would pass as its own instance.
#include "win32.h"

extern "C" __attribute__((visibility("default"))) HINSTANCE vxProbeInstance() { return vxThisModuleHandle(); }
