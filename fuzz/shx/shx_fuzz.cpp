// Any bytes as a shape font: indexing never reads outside the file, every shape draws within
// the interpreter's limits with finite points, and the font library measures and draws text
// with the bytes as the style's shape font and as its big font.
#include <unistd.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "render/font_library.h"
#include "render/shx_file.h"
#include "render/shx_shape.h"

namespace {

using namespace vx::render;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_shx: %s\n", what);
    abort();
}

const std::string& folder() {
    static const std::string dir = [] {
        std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string d = base + "/vxfuzz-shx-" + std::to_string(getpid());
        mkdir(d.c_str(), 0700);
        return d;
    }();
    return dir;
}

void checkShapes(const font::ShxFile& f) {
    size_t drawn = 0;
    for (auto& [code, body] : f.shapes) {
        if (uint64_t(body.first) + body.second > f.bytes.size()) fail("a shape outside the file");
        if (++drawn > 256) break;
        font::ShapeOutput out = font::drawShape(f, code, 0.05 * (f.above > 0 ? f.above : 1));
        size_t points = 0;
        for (const Polyline& s : out.strokes) {
            points += s.points.size();
            for (Vec2 p : s.points)
                if (!std::isfinite(p.x) || !std::isfinite(p.y)) fail("a point that is not finite");
        }
        if (points > font::kMaxShapePoints + 2048) fail("more points than the limit");
    }
}

void checkText(FontLibrary& lib, FontId id) {
    const std::wstring line = L"AZaz09 %°±⌀ 建施-01 首层平面图";
    double advance = lib.advance(id, line);
    // Shapes may move the pen back (a negative advance); it must still be a number.
    if (!std::isfinite(advance)) fail("an advance that is not finite");
    GlyphGeometry g;
    lib.glyphs(id, line, 0.01, g);
    for (const Polyline& s : g.strokes)
        for (Vec2 p : s.points)
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) fail("a glyph point that is not finite");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (auto f = font::parseShx(bytes, error)) checkShapes(*f);
    else if (error.empty()) fail("a refusal without a reason");

    std::ofstream(folder() + "/fuzz.shx", std::ios::binary | std::ios::trunc) << bytes;
    FontLibraryConfig config;
    config.folders = {folder()};
    config.systemFonts = false;  // one input per run must stay fast: the fonts folder only
    auto lib = makeFontLibrary(config);
    checkText(*lib, lib->resolve({L"fuzz", L"", L"", false, false}));
    checkText(*lib, lib->resolve({L"missing", L"fuzz.shx", L"", false, false}));
    return 0;
}
