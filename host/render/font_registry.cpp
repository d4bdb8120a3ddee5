#include "render/font_registry.h"

#include <atomic>

namespace vx::render {

namespace {
std::atomic<FontLibrary*> g_registered{nullptr};
}

void registerFontLibrary(FontLibrary* library) { g_registered.store(library); }

FontLibrary& fontLibrary() {
    FontLibrary* lib = g_registered.load();
    return lib ? *lib : fallbackFontLibrary();
}

}  // namespace vx::render
