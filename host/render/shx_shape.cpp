// Shape interpreter. Vectors and arcs are given in "vector units"; the current scale (codes 3
// and 4) and, inside an extended big font's primitive, its cell scaling map them to font units.
#include "render/shx_shape.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vx::render::font {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kOctant = kPi / 4;

// The 16 vector directions of a length-direction byte's low nibble.
constexpr double kDirX[16] = {1, 1, 1, 0.5, 0, -0.5, -1, -1, -1, -1, -1, -0.5, 0, 0.5, 1, 1};
constexpr double kDirY[16] = {0, 0.5, 1, 1, 1, 1, 1, 0.5, 0, -0.5, -1, -1, -1, -1, -1, -0.5};

// Bytes of one shape's definition; reading past the end yields 0 (end of shape).
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool done() const { return m_pos >= m_bytes.size(); }
    uint8_t u8() { return m_pos < m_bytes.size() ? static_cast<uint8_t>(m_bytes[m_pos++]) : (m_pos++, 0); }
    int s8() { return static_cast<int8_t>(u8()); }
    uint32_t u16be() {
        uint32_t hi = u8();
        return hi << 8 | u8();
    }

private:
    std::string_view m_bytes;
    size_t m_pos = 0;
};

class Interpreter {
public:
    Interpreter(const ShxFile& font, double tolerance, ShapeOutput& out)
        : m_font(font), m_tolerance(tolerance > 0 ? tolerance : 0.01), m_out(out) {}

    void run(uint32_t code, int depth);
    Vec2 position() const { return m_pos; }

private:
    bool budget() {
        if (++m_commands > kMaxShapeCommands || m_points > kMaxShapePoints) m_out.truncated = true;
        return !m_out.truncated;
    }
    Vec2 toFont(double dx, double dy) const { return {dx * m_scale * m_axes.x, dy * m_scale * m_axes.y}; }
    void breakLine() { m_drawing = false; }  // what comes next starts a new polyline
    void lineTo(Vec2 p);
    void moveBy(double dx, double dy) {
        Vec2 p = m_pos + toFont(dx, dy);
        if (m_penDown) {
            lineTo(p);
        } else {
            m_pos = p;
            m_drawing = false;
        }
    }
    void arc(double radius, double start, double sweep);
    void bulge(int dx, int dy, int bulge);
    void fractionalArc(Reader& r, bool act);
    void subShape(Reader& r, bool act, int depth);

    const ShxFile& m_font;
    double m_tolerance;
    ShapeOutput& m_out;
    Vec2 m_pos;
    Vec2 m_origin;              // the character's origin (extended big font primitives)
    Vec2 m_axes{1, 1};          // extended big font primitive scaling
    double m_scale = 1;
    bool m_penDown = true;
    bool m_drawing = false;     // the last polyline ends at m_pos and may be continued
    std::vector<Vec2> m_stack;
    size_t m_commands = 0, m_points = 0;
};

void Interpreter::lineTo(Vec2 p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
        m_out.truncated = true;
        return;
    }
    if (!m_drawing) {
        m_out.strokes.emplace_back();
        m_out.strokes.back().points.push_back(m_pos);
        ++m_points;
        m_drawing = true;
    }
    m_out.strokes.back().points.push_back(p);
    ++m_points;
    m_pos = p;
}

// An arc of `radius` vector units from the pen, starting at angle `start` on its circle and
// turning by `sweep` (positive: counter-clockwise).
void Interpreter::arc(double radius, double start, double sweep) {
    if (radius <= 0 || sweep == 0) return;
    Vec2 from = m_pos;
    auto at = [&](double a) {
        return from + toFont(radius * (std::cos(a) - std::cos(start)), radius * (std::sin(a) - std::sin(start)));
    };
    if (!m_penDown) {
        m_pos = at(start + sweep);
        m_drawing = false;
        return;
    }
    double r = radius * m_scale * std::max(std::fabs(m_axes.x), std::fabs(m_axes.y));
    double step = m_tolerance < r ? 2 * std::acos(1 - m_tolerance / r) : kPi / 2;
    int n = static_cast<int>(std::ceil(std::fabs(sweep) / std::max(step, 1e-3)));
    n = std::clamp(n, 1, 1024);
    for (int i = 1; i <= n && !m_out.truncated; ++i) {
        lineTo(at(start + sweep * i / n));
        if (m_points > kMaxShapePoints) m_out.truncated = true;
    }
}

// A chord of (dx, dy) vector units bent by a bulge of -127..127 (127: a half circle).
void Interpreter::bulge(int dx, int dy, int b) {
    if (b == 0 || !m_penDown || (dx == 0 && dy == 0)) {
        moveBy(dx, dy);
        return;
    }
    double k = b / 127.0;
    double sweep = 4 * std::atan(k);
    // Centre from the chord's midpoint, along its left normal.
    double f = (1 - k * k) / (4 * k);
    double cx = dx / 2.0 - dy * f, cy = dy / 2.0 + dx * f;
    double radius = std::hypot(cx, cy);
    arc(radius, std::atan2(-cy, -cx), sweep);
}

// Code 11: start offset, end offset (1/256 of an octant from an octant boundary, measured in
// the arc's direction), radius high and low byte, direction/start octant/octant count.
void Interpreter::fractionalArc(Reader& r, bool act) {
    int startOffset = r.u8(), endOffset = r.u8();
    int radius = r.u8() << 8;
    radius |= r.u8();
    int octants = r.u8();
    if (!act) return;
    double dir = (octants & 0x80) ? -1 : 1;
    int first = (octants >> 4) & 7, count = octants & 7;
    if (count == 0) count = 8;
    double a0 = first * kOctant + dir * startOffset * kOctant / 256;
    // The arc ends inside the last octant it passes through; offset 0 means at its far boundary.
    double a1 = first * kOctant + dir * (endOffset ? (count - 1) * kOctant + endOffset * kOctant / 256 : count * kOctant);
    arc(radius, a0, a1 - a0);
}

// Code 7: the sub-shape's number is one byte in shape fonts, two (high first) in Unicode and big
// fonts; a big font's 0 before the number marks an extended primitive placed and scaled in the
// character cell.
void Interpreter::subShape(Reader& r, bool act, int depth) {
    uint32_t number = 0;
    bool extended = false;
    int bx = 0, by = 0, w = 0, h = 0;
    switch (m_font.kind) {
    case ShxKind::Shapes: number = r.u8(); break;
    case ShxKind::Unifont: number = r.u16be(); break;
    case ShxKind::BigFont:
        number = r.u8();
        if (number == 0) {
            extended = true;
            number = r.u16be();
            bx = r.u8(), by = r.u8(), w = r.u8(), h = r.u8();
        } else {
            number = number << 8 | r.u8();
        }
        break;
    }
    if (!act || number == 0) return;
    if (!extended) {
        run(number, depth + 1);
        return;
    }
    Vec2 saved = m_pos, savedAxes = m_axes;
    double height = m_font.above > 0 ? m_font.above : 1;
    double width = m_font.width > 0 ? m_font.width : height;
    breakLine();
    m_pos = m_origin + toFont(bx, by);
    m_axes = {m_axes.x * w / width, m_axes.y * h / height};
    run(number, depth + 1);
    m_axes = savedAxes;
    m_pos = saved;
    breakLine();
}

void Interpreter::run(uint32_t code, int depth) {
    if (depth > kMaxShapeDepth) {
        m_out.truncated = true;
        return;
    }
    Reader r(m_font.shape(code));
    bool skip = false;  // the command after a vertical-only flag
    while (!r.done() && budget()) {
        uint8_t c = r.u8();
        bool act = !skip;
        skip = false;
        if (c >= 0x10) {
            if (act) moveBy(kDirX[c & 15] * (c >> 4), kDirY[c & 15] * (c >> 4));
            continue;
        }
        switch (c) {
        case 0: return;
        case 1:
            if (act) m_penDown = true;
            break;
        case 2:
            if (act) {
                m_penDown = false;
                breakLine();
            }
            break;
        case 3: case 4: {
            int factor = r.u8();
            if (act && factor) m_scale = std::clamp(c == 3 ? m_scale / factor : m_scale * factor, 1e-9, 1e9);
            break;
        }
        case 5:
            if (act && m_stack.size() < kMaxShapeStack) m_stack.push_back(m_pos);
            break;
        case 6:
            if (act && !m_stack.empty()) {
                m_pos = m_stack.back();
                m_stack.pop_back();
                breakLine();
            }
            break;
        case 7: subShape(r, act, depth); break;
        case 8: {
            int dx = r.s8(), dy = r.s8();
            if (act) moveBy(dx, dy);
            break;
        }
        case 9:
            while (!r.done() && budget()) {
                int dx = r.s8(), dy = r.s8();
                if (dx == 0 && dy == 0) break;
                if (act) moveBy(dx, dy);
            }
            break;
        case 10: {
            int radius = r.u8(), octants = r.u8();
            int count = octants & 7;
            double start = ((octants >> 4) & 7) * kOctant;
            if (act) arc(radius, start, ((octants & 0x80) ? -1 : 1) * (count ? count : 8) * kOctant);
            break;
        }
        case 11: fractionalArc(r, act); break;
        case 12: {
            int dx = r.s8(), dy = r.s8(), b = r.s8();
            if (act) bulge(dx, dy, b);
            break;
        }
        case 13:
            while (!r.done() && budget()) {
                int dx = r.s8(), dy = r.s8();
                if (dx == 0 && dy == 0) break;
                int b = r.s8();
                if (act) bulge(dx, dy, b);
            }
            break;
        case 14: skip = act; break;
        default: break;  // 15 is not a command
        }
    }
}

}  // namespace

ShapeOutput drawShape(const ShxFile& font, uint32_t code, double tolerance) {
    ShapeOutput out;
    Interpreter interpreter(font, tolerance, out);
    interpreter.run(code, 0);
    out.end = interpreter.position();
    return out;
}

}  // namespace vx::render::font
