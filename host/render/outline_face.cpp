// FreeType access. Glyphs are loaded unscaled and unhinted: plots are vector output, and the
// design outlines are what the backends' own text drawing uses at high resolution.
#include "render/outline_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <cmath>

#include "render/glyph_outline.h"

namespace vx::render::font {

namespace {

constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
// Flattened outlines kept per face before the cache starts over.
constexpr size_t kMaxCachedOutlines = 20000;

struct Decomposer {
    GlyphPath path;
    double scale;
    Vec2 at(const FT_Vector* v) const { return {v->x * scale, v->y * scale}; }

    static int moveTo(const FT_Vector* to, void* user) {
        auto* d = static_cast<Decomposer*>(user);
        d->path.push_back({PathCommand::Move, {d->at(to)}});
        return 0;
    }
    static int lineTo(const FT_Vector* to, void* user) {
        auto* d = static_cast<Decomposer*>(user);
        d->path.push_back({PathCommand::Line, {d->at(to)}});
        return 0;
    }
    static int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
        auto* d = static_cast<Decomposer*>(user);
        d->path.push_back({PathCommand::Quad, {d->at(control), d->at(to)}});
        return 0;
    }
    static int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        auto* d = static_cast<Decomposer*>(user);
        d->path.push_back({PathCommand::Cubic, {d->at(c1), d->at(c2), d->at(to)}});
        return 0;
    }
};

// Tolerances are cached in powers of two, rounded down: never coarser than asked.
int toleranceStep(double tolerance) {
    if (!(tolerance > 0)) tolerance = 1e-3;
    return std::max(-40, std::min(10, static_cast<int>(std::floor(std::log2(tolerance)))));
}

}  // namespace

FreeTypeLibrary::FreeTypeLibrary() {
    if (FT_Init_FreeType(&m_library) != 0) m_library = nullptr;
}

FreeTypeLibrary::~FreeTypeLibrary() {
    if (m_library) FT_Done_FreeType(m_library);
}

std::unique_ptr<OutlineFace> OutlineFace::open(FreeTypeLibrary& library, const std::string& file, int index) {
    if (!library.ok()) return nullptr;
    FT_Face face = nullptr;
    {
        std::lock_guard<std::mutex> lock(library.m_mutex);
        if (FT_New_Face(library.m_library, file.c_str(), index, &face) != 0) return nullptr;
        if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
            FT_Done_Face(face);
            return nullptr;
        }
    }
    return std::unique_ptr<OutlineFace>(new OutlineFace(library, face, file, index));
}

OutlineFace::OutlineFace(FreeTypeLibrary& library, FT_FaceRec_* face, std::string file, int index)
    : m_library(library), m_face(face), m_file(std::move(file)), m_index(index) {
    m_family = face->family_name ? face->family_name : "";
    m_style = face->style_name ? face->style_name : "";
    m_unitsPerEm = face->units_per_EM;
    m_ascender = face->ascender / m_unitsPerEm;
    m_descender = -face->descender / m_unitsPerEm;
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version >= 2 && os2->version != 0xFFFF && os2->sCapHeight > 0) {
        m_capHeight = os2->sCapHeight / m_unitsPerEm;
    } else if (double h = inkHeight(U'H'); h > 0) {
        m_capHeight = h;
    } else if (m_ascender > 0) {
        m_capHeight = 0.7 * m_ascender;  // a font without Latin capitals: about where they would be
    }
    for (char32_t c : {U'国', U'中', U'口'}) {
        if ((m_ideographHeight = inkHeight(c)) > 0) break;
    }
}

OutlineFace::~OutlineFace() {
    std::lock_guard<std::mutex> lock(m_library.m_mutex);
    FT_Done_Face(m_face);
}

double OutlineFace::inkHeight(char32_t c) {
    FT_UInt g = FT_Get_Char_Index(m_face, c);
    if (g == 0 || FT_Load_Glyph(m_face, g, kLoadFlags) != 0 || m_face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return 0;
    FT_BBox box;
    FT_Outline_Get_CBox(&m_face->glyph->outline, &box);
    return (box.yMax - box.yMin) / m_unitsPerEm;
}

uint32_t OutlineFace::glyphFor(char32_t c) {
    {
        std::shared_lock<std::shared_mutex> lock(m_mutex);
        auto it = m_glyphs.find(c);
        if (it != m_glyphs.end()) return it->second;
    }
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    uint32_t g = FT_Get_Char_Index(m_face, c);
    m_glyphs.emplace(c, g);
    return g;
}

double OutlineFace::advance(uint32_t glyph) {
    {
        std::shared_lock<std::shared_mutex> lock(m_mutex);
        auto it = m_advances.find(glyph);
        if (it != m_advances.end()) return it->second;
    }
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    FT_Fixed units = 0;
    double a = FT_Get_Advance(m_face, glyph, kLoadFlags, &units) == 0 ? units / m_unitsPerEm : 0;
    m_advances.emplace(glyph, a);
    return a;
}

std::shared_ptr<const std::vector<Polygon>> OutlineFace::outline(uint32_t glyph, double tolerance) {
    int step = toleranceStep(tolerance);
    uint64_t key = uint64_t(glyph) << 8 | uint8_t(step + 64);
    {
        std::shared_lock<std::shared_mutex> lock(m_mutex);
        auto it = m_outlines.find(key);
        if (it != m_outlines.end()) return it->second;
    }
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    Decomposer d;
    d.scale = 1 / m_unitsPerEm;
    if (FT_Load_Glyph(m_face, glyph, kLoadFlags) == 0 && m_face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        static const FT_Outline_Funcs funcs = {&Decomposer::moveTo, &Decomposer::lineTo, &Decomposer::conicTo,
                                               &Decomposer::cubicTo, 0, 0};
        FT_Outline_Decompose(&m_face->glyph->outline, &funcs, &d);
    }
    auto polygons = std::make_shared<const std::vector<Polygon>>(groupRings(flattenPath(d.path, std::ldexp(1.0, step))));
    if (m_outlines.size() >= kMaxCachedOutlines) m_outlines.clear();
    m_outlines.emplace(key, polygons);
    return polygons;
}

}  // namespace vx::render::font
