// The font library behind fontLibrary(), and where its table and folders come from: the office
// table "fonts.ini" in the host profile ($XDG_CONFIG_HOME/vxhost/) and the host's fonts folder
// ($XDG_DATA_HOME/vxhost/Fonts), where users put SHX files and TrueType fonts of their own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "render/fonts.h"

namespace vx::render {

struct FontLibraryConfig {
    std::string tableFile;             // the office's substitution table (need not exist)
    std::vector<std::string> folders;  // fonts folders, searched in order before the system
    bool systemFonts = true;           // the machine's installed fonts (fontconfig)
};

// The configuration of the per-user host profile.
FontLibraryConfig profileFontConfig();

std::unique_ptr<FontLibrary> makeFontLibrary(const FontLibraryConfig& config);

// The library of the host profile's configuration, made when first asked for; what
// fontLibrary() hands out unless another is registered (font_registry.h).
FontLibrary& profileFontLibrary();

}  // namespace vx::render
