#include "render/font_registry.h"

#include <atomic>

#include "render/font_library.h"

namespace vx::render {

namespace {
std::atomic<FontLibrary*> g_registered{nullptr};
std::atomic<uint64_t> g_generation{1};
}  // namespace

void registerFontLibrary(FontLibrary* library) {
    g_registered.store(library);
    ++g_generation;
}

uint64_t fontLibraryGeneration() { return g_generation.load(); }

FontLibrary& fontLibrary() {
    FontLibrary* lib = g_registered.load();
    return lib ? *lib : profileFontLibrary();
}

}  // namespace vx::render
