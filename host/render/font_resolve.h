// From a text style's request to a font: the name as named when it is installed (a family, a
// TrueType file, an SHX file in the fonts folders), else the substitution table's candidates,
// else the reserved defaults, else any font the machine has, else the approximation.
#pragma once

#include <memory>
#include <string>

#include "render/fonts.h"
#include "render/shx_file.h"
#include "render/text_font.h"

namespace vx::render::font {

class FontTable;
class FontCatalog;
class OutlineFace;

// What resolution takes from the library: its table and catalogue, and the faces and shape
// files it shares between fonts (opened once, kept while the library lives).
class FontSources {
public:
    virtual ~FontSources() = default;
    virtual const FontTable& table() = 0;
    virtual const FontCatalog& catalog() = 0;
    virtual OutlineFace* face(const std::string& file, int index) = 0;       // null: cannot be opened
    virtual std::shared_ptr<const ShxFile> shx(const std::string& path) = 0;  // null: not a shape font
};

struct ResolvedFont {
    std::unique_ptr<TextFont> font;
    FontInfo info;
};

ResolvedFont resolveFont(const FontRequest& request, FontSources& sources);

}  // namespace vx::render::font
