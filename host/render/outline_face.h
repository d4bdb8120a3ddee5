// One face of a TrueType/OpenType file through FreeType: character map, design advances and
// glyph outlines in em units (1 = the em), cached. A face is shared by every font that uses it
// and by several threads: FreeType calls are serialised per face, cached answers are read
// under a shared lock.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/primitives.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace vx::render::font {

// The FreeType library handle; opening and closing faces on it is serialised.
class FreeTypeLibrary {
public:
    FreeTypeLibrary();
    ~FreeTypeLibrary();
    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;
    bool ok() const { return m_library != nullptr; }

private:
    friend class OutlineFace;
    FT_LibraryRec_* m_library = nullptr;
    std::mutex m_mutex;
};

class OutlineFace {
public:
    // nullptr when the face cannot be opened or has no scalable outlines.
    static std::unique_ptr<OutlineFace> open(FreeTypeLibrary& library, const std::string& file, int index);
    ~OutlineFace();
    OutlineFace(const OutlineFace&) = delete;
    OutlineFace& operator=(const OutlineFace&) = delete;

    const std::string& file() const { return m_file; }
    int index() const { return m_index; }
    const std::string& family() const { return m_family; }
    const std::string& style() const { return m_style; }

    // Metrics in em units. The cap height is what CAD calls the text height; the ideograph
    // height is the ink height of a CJK character (0 when the face has none).
    double capHeight() const { return m_capHeight; }
    double ascender() const { return m_ascender; }
    double descender() const { return m_descender; }  // depth below the baseline, positive
    double ideographHeight() const { return m_ideographHeight; }

    // The glyph of a character, 0 when the face has none.
    uint32_t glyphFor(char32_t c);
    double advance(uint32_t glyph);
    // The glyph's filled polygons in em units, flattened to `tolerance` em or finer.
    std::shared_ptr<const std::vector<Polygon>> outline(uint32_t glyph, double tolerance);

private:
    OutlineFace(FreeTypeLibrary& library, FT_FaceRec_* face, std::string file, int index);
    double inkHeight(char32_t c);  // caller holds m_mutex exclusively

    FreeTypeLibrary& m_library;
    FT_FaceRec_* m_face;
    std::string m_file, m_family, m_style;
    int m_index;
    double m_unitsPerEm = 1;
    double m_capHeight = 0.7, m_ascender = 0.9, m_descender = 0.2, m_ideographHeight = 0;

    std::shared_mutex m_mutex;
    std::unordered_map<char32_t, uint32_t> m_glyphs;
    std::unordered_map<uint32_t, double> m_advances;
    std::unordered_map<uint64_t, std::shared_ptr<const std::vector<Polygon>>> m_outlines;
};

}  // namespace vx::render::font
