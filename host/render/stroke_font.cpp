// Shape fonts with big fonts. A character goes to the big font when its code in the big font's
// code page is a double-byte code with an escape lead byte that the big font defines, else to
// the shape font, else to an outline face, else to the approximation. Each character's choice
// and advance is made once and cached, so measuring and drawing agree.
#include <algorithm>
#include <cmath>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

#include "render/glyph_outline.h"
#include "render/outline_face.h"
#include "render/shx_shape.h"
#include "render/text_font.h"
#include "text/encoding.h"

namespace vx::render::font {

namespace {

// Shapes kept per font before the cache starts over.
constexpr size_t kMaxCachedShapes = 20000;

// The shape codes that may hold a character, in order: the code itself, then the numbers
// that shape fonts traditionally give to degree, plus/minus and diameter.
std::vector<uint32_t> shapeCodes(char32_t c) {
    switch (c) {
    case 0x00B0: return {0xB0, 127};
    case 0x00B1: return {0xB1, 128};
    case 0x2205: case 0x2300: return {uint32_t(c), 0x2205, 0x2300, 129};
    default: return {uint32_t(c)};
    }
}

// The height a font's "above" should have been, for files that give 0.
double unitHeight(const ShxFile& f) {
    if (f.above > 0) return f.above;
    for (uint32_t code : {uint32_t('H'), uint32_t('A')}) {
        if (!f.has(code)) continue;
        double top = 0;
        for (const Polyline& s : drawShape(f, code, 0.5).strokes)
            for (Vec2 p : s.points) top = std::max(top, p.y);
        if (top > 0) return top;
    }
    return 10;
}

bool isIdeographic(char32_t c) { return c >= 0x2E80 && !(c >= 0xFF61 && c <= 0xFFDC); }

class StrokeFont final : public TextFont {
public:
    explicit StrokeFont(StrokeParts parts) : m(std::move(parts)) {
        if (m.main) m_mainHeight = unitHeight(*m.main);
        if (m.big) m_bigHeight = unitHeight(*m.big);
        if (m.latin) m_latinEm = 1 / std::max(m.latin->capHeight(), 1e-3);
        if (m.cjk) {
            double h = m.cjk->ideographHeight() > 0 ? m.cjk->ideographHeight() : m.cjk->capHeight();
            m_cjkEm = 1 / std::max(h, 1e-3);
        }
    }

    double advance(char32_t c) override { return map(c).advance; }

    void glyph(char32_t c, double x, double tolerance, GlyphGeometry& out) override {
        Mapping mapping = map(c);
        switch (mapping.source) {
        case Source::Main:
        case Source::Big: {
            auto strokes = shape(mapping, tolerance);
            for (const Polyline& s : *strokes) {
                Polyline placed;
                placed.closed = s.closed;
                placed.points.reserve(s.points.size());
                for (Vec2 p : s.points) placed.points.push_back({x + p.x, p.y});
                out.strokes.push_back(std::move(placed));
            }
            break;
        }
        case Source::Latin: placePolygons(*m.latin->outline(mapping.code, tolerance / m_latinEm), m_latinEm, x, out.fills); break;
        case Source::Cjk: placePolygons(*m.cjk->outline(mapping.code, tolerance / m_cjkEm), m_cjkEm, x, out.fills); break;
        case Source::Blank: break;
        case Source::None: approximateGlyph(c, x, out); break;
        }
    }

    double ascent() const override { return 1; }
    double descent() const override {
        if (m.main) return m.main->below / m_mainHeight;
        return m.big ? m.big->below / m_bigHeight : 0;
    }

private:
    enum class Source : uint8_t { Main, Big, Latin, Cjk, Blank, None };
    struct Mapping {
        Source source = Source::None;
        uint32_t code = 0;  // shape code, or glyph index of an outline face
        double advance = 0;
    };

    const ShxFile& file(Source s) const { return s == Source::Big ? *m.big : *m.main; }
    double height(Source s) const { return s == Source::Big ? m_bigHeight : m_mainHeight; }

    Mapping map(char32_t c) {
        {
            std::shared_lock<std::shared_mutex> lock(m_mutex);
            auto it = m_mappings.find(c);
            if (it != m_mappings.end()) return it->second;
        }
        Mapping mapping = compute(c);
        std::unique_lock<std::shared_mutex> lock(m_mutex);
        return m_mappings.emplace(c, mapping).first->second;
    }

    Mapping compute(char32_t c) {
        if (isControl(c)) return {Source::Blank, 0, 0};
        if (c == U'\t') c = U' ';
        if (m.big) {
            if (uint32_t code = bigCode(c); code && m.big->has(code)) return shapeMapping(Source::Big, code);
        }
        if (m.main) {
            for (uint32_t code : shapeCodes(c))
                if (code && m.main->has(code)) return shapeMapping(Source::Main, code);
            if (c == U' ' || c == 0x3000) {
                // A font without a space: the width of its "A", as wide as a narrow letter.
                double a = m.main->has('A') ? shapeMapping(Source::Main, 'A').advance : 0.6;
                return {Source::Blank, 0, c == U' ' ? a : 2 * a};
            }
        }
        std::pair<OutlineFace*, Source> order[2] = {{m.latin, Source::Latin}, {m.cjk, Source::Cjk}};
        if (isIdeographic(c)) std::swap(order[0], order[1]);
        for (auto [face, source] : order) {
            if (!face) continue;
            if (uint32_t g = face->glyphFor(c))
                return {source, g, face->advance(g) * (source == Source::Latin ? m_latinEm : m_cjkEm)};
        }
        if (m.main && m.main->has('?')) return shapeMapping(Source::Main, '?');
        return {Source::None, 0, approximateAdvance(c)};
    }

    // The double-byte code of `c` in the big font's code page; 0 when it has none there.
    uint32_t bigCode(char32_t c) {
        static std::mutex conversion;  // the host's converters are shared state
        std::string bytes;
        wchar_t w = static_cast<wchar_t>(c);
        {
            std::lock_guard<std::mutex> lock(conversion);
            if (!text::toCodePage(std::wstring_view(&w, 1), m.bigCodePage, bytes)) return 0;
        }
        if (bytes.size() != 2 || !m.big->isLeadByte(static_cast<uint8_t>(bytes[0]))) return 0;
        return uint32_t(uint8_t(bytes[0])) << 8 | uint8_t(bytes[1]);
    }

    Mapping shapeMapping(Source s, uint32_t code) {
        double h = height(s);
        double end = drawShape(file(s), code, h / 8).end.x / h;
        // Big font characters made only of placed primitives leave the pen at the origin.
        if (s == Source::Big && end <= 0) end = (m.big->width > 0 ? m.big->width : h) / h;
        return {s, code, end};
    }

    std::shared_ptr<const std::vector<Polyline>> shape(const Mapping& mapping, double tolerance) {
        int step = std::clamp(static_cast<int>(std::floor(std::log2(tolerance > 0 ? tolerance : 1e-3))), -40, 10);
        uint64_t key = uint64_t(mapping.code) << 16 | uint64_t(mapping.source == Source::Big) << 8 | uint8_t(step + 64);
        {
            std::shared_lock<std::shared_mutex> lock(m_mutex);
            auto it = m_shapes.find(key);
            if (it != m_shapes.end()) return it->second;
        }
        double h = height(mapping.source);
        ShapeOutput drawn = drawShape(file(mapping.source), mapping.code, std::ldexp(1.0, step) * h);
        for (Polyline& s : drawn.strokes)
            for (Vec2& p : s.points) p = p * (1 / h);
        auto strokes = std::make_shared<const std::vector<Polyline>>(std::move(drawn.strokes));
        std::unique_lock<std::shared_mutex> lock(m_mutex);
        if (m_shapes.size() >= kMaxCachedShapes) m_shapes.clear();
        return m_shapes.emplace(key, strokes).first->second;
    }

    StrokeParts m;
    double m_mainHeight = 1, m_bigHeight = 1, m_latinEm = 1, m_cjkEm = 1;
    std::shared_mutex m_mutex;
    std::unordered_map<char32_t, Mapping> m_mappings;
    std::unordered_map<uint64_t, std::shared_ptr<const std::vector<Polyline>>> m_shapes;
};

}  // namespace

std::unique_ptr<TextFont> makeStrokeFont(StrokeParts parts) { return std::make_unique<StrokeFont>(std::move(parts)); }

}  // namespace vx::render::font
