// MTEXT: paragraphs wrapped to the reference width (breaking at spaces and between CJK
// characters), lines spaced by the line spacing factor and style, placed by the attachment
// point along the text direction. Columns are not laid out (one column).
#include <algorithm>
#include <cmath>

#include "db/access.h"
#include "render/kinds.h"
#include "render/mtext.h"
#include "render/text_layout.h"

namespace vx::render {

using vx::db::Access;
using vx::db::Field;

namespace {

constexpr double kStackScale = 0.7;
constexpr double kLinePitch = 5.0 / 3.0;

struct Placed {
    const MTextAtom* atom;
    double x;
};

struct Line {
    std::vector<Placed> items;
    double width = 0, height = 0;
    int align = -1;
};

class Measurer {
public:
    explicit Measurer(FontLibrary& fonts) : m_fonts(fonts) {}
    double advance(const MTextFormat& f, const std::wstring& s) { return m_fonts.advance(f.font, s); }
    double width(const MTextAtom& a) {
        const MTextFormat& f = a.format;
        const double unit = f.height * f.widthFactor;
        switch (a.kind) {
        case MTextAtom::Word: return advance(f, a.text) * unit * f.tracking;
        case MTextAtom::Space: return advance(f, L" ") * unit;
        case MTextAtom::Tab: return 4 * advance(f, L" ") * unit;
        case MTextAtom::Stack: {
            const double up = advance(f, a.text) * unit * kStackScale, low = advance(f, a.lower) * unit * kStackScale;
            return a.stackType == L'#' ? up + low + 0.3 * f.height : std::max(up, low);
        }
        default: return 0;
        }
    }

private:
    FontLibrary& m_fonts;
};

std::vector<Line> layout(const std::vector<MTextAtom>& atoms, double wrapWidth, double baseHeight, Measurer& m) {
    std::vector<Line> lines(1);
    lines.back().height = baseHeight;
    double pendingSpace = 0;
    bool glued = false;  // the last space does not break
    std::vector<const MTextAtom*> spaces;
    for (const MTextAtom& a : atoms) {
        Line& line = lines.back();
        if (a.format.paragraphAlign >= 0) line.align = a.format.paragraphAlign;
        switch (a.kind) {
        case MTextAtom::Paragraph:
            lines.emplace_back();
            lines.back().height = baseHeight;
            pendingSpace = 0;
            glued = false;
            continue;
        case MTextAtom::Space:
        case MTextAtom::Tab:
            pendingSpace += m.width(a);
            glued = a.nonBreaking;
            continue;
        default: break;
        }
        const double w = m.width(a);
        if (wrapWidth > 0 && !line.items.empty() && !glued && line.width + pendingSpace + w > wrapWidth * (1 + 1e-9)) {
            const int align = line.align;
            lines.emplace_back();
            lines.back().height = baseHeight;
            lines.back().align = align;
            pendingSpace = 0;
        }
        Line& target = lines.back();
        if (!target.items.empty()) target.width += pendingSpace;
        pendingSpace = 0;
        glued = false;
        target.items.push_back({&a, target.width});
        target.width += w;
        target.height = std::max(target.height, a.format.height);
    }
    return lines;
}

}  // namespace

bool describeMText(const AcDbEntity* e, BuildContext& ctx, Shapes& s) {
    const auto* mt = static_cast<const AcDbMText*>(e);
    const Fields f(e, {10, 11, 40, 41, 44, 50, 71, 73, 210});
    FontLibrary& fonts = fontLibrary();
    const TextStyle& style = ctx.tables.styleNamed(vx::db::getText(e, Field{"AcDbMText", 0, 7}, L"Standard"));
    MTextFormat base;
    base.font = style.font;
    base.kind = style.kind;
    base.height = f.real(40, 0);
    if (!(base.height > 0) || !std::isfinite(base.height)) base.height = style.fixedHeight > 0 ? style.fixedHeight : 2.5;
    base.widthFactor = style.widthFactor;
    base.oblique = style.oblique;
    const std::vector<MTextAtom> atoms = parseMText(mt->contents().str(), base, ctx.tables);
    double wrap = f.real(41, 0);
    if (!(wrap > 0) || !std::isfinite(wrap)) wrap = 0;
    Measurer measure(fonts);
    const std::vector<Line> lines = layout(atoms, wrap, base.height, measure);

    double spacing = f.real(44, 1);
    if (!(spacing > 0) || !std::isfinite(spacing)) spacing = 1;
    const bool exactly = f.integer(73, 1) == 2;
    std::vector<double> baselines;
    double y = 0, widest = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const double h = exactly ? base.height : lines[i].height;
        y -= i == 0 ? h : kLinePitch * spacing * std::max(h, base.height);
        baselines.push_back(y);
        widest = std::max(widest, lines[i].width);
    }
    const double height = -y;
    long long attach = f.integer(71, 1);
    if (attach < 1 || attach > 9) attach = 1;
    const int col = static_cast<int>((attach - 1) % 3), row = static_cast<int>((attach - 1) / 3);
    const double boxWidth = wrap > 0 ? wrap : widest;
    const double left = -col * boxWidth / 2, top = row * height / 2;

    // The text's plane and direction.
    const AcGeVector3d n = f.normal();
    AcGeVector3d x;
    if (f.has(11)) {
        x = f.point(11).asVector();
        x = x - n * x.dotProduct(n);
    }
    if (!(x.length() > 1e-12)) {
        // Degrees, as writers (and CAD hosts) store it, whatever the DXF reference says.
        const double r = f.real(50, 0) * M_PI / 180;
        x = AcGeMatrix3d::planeToWorld(n) * AcGeVector3d(std::cos(r), std::sin(r), 0);
    }
    x = x.normal();
    const AcGeVector3d yv = n.crossProduct(x).normal();
    const AcGePoint3d o = f.point(10);
    auto at = [&](double px, double py) { return o + x * px + yv * py; };

    for (double cx : {left, left + boxWidth})
        for (double cy : {top, top - height}) s.extent(at(cx, cy));
    const PenKey entityPen = s.pen();
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const int align = line.align >= 0 ? line.align : col;
        const double start = left + (align == 0 ? 0 : align == 1 ? (boxWidth - line.width) / 2 : boxWidth - line.width);
        const double baseline = top + baselines[i];
        for (const Placed& p : line.items) {
            const MTextAtom& a = *p.atom;
            const MTextFormat& fm = a.format;
            PenKey key = entityPen;
            if (fm.colorMode == 1) key.color = fm.color, key.colorFrom = Source::Own;
            if (fm.colorMode == 2) key.color = Color(), key.colorFrom = Source::ByBlock;
            s.setPen(key);
            const double yoff = fm.valign == 1 ? (line.height - fm.height) / 2 : fm.valign == 2 ? line.height - fm.height : 0;
            auto frameAt = [&](double px, double py, double h) {
                return TextFrame{at(start + px, baseline + yoff + py), x * (h * fm.widthFactor),
                                 yv * h + x * (h * std::tan(fm.oblique))};
            };
            auto place = [&](const std::wstring& text, double px, double py, double h) {
                std::vector<TextPiece> pieces{TextPiece{text, fm.underline, fm.overline}};
                placePieces(fonts, fm.font, fm.kind, pieces, frameAt(px, py, h), 0, h, s);
            };
            if (a.kind == MTextAtom::Word) {
                place(a.text, p.x, 0, fm.height);
                continue;
            }
            // A stack: the parts at 70 % height, over and under the middle of the line.
            const double h = fm.height, sh = h * kStackScale, unit = sh * fm.widthFactor;
            const double up = fonts.advance(fm.font, a.text) * unit, low = fonts.advance(fm.font, a.lower) * unit;
            auto bar = [&](double x0, double y0, double x1, double y1) {
                s.moveTo(frameAt(0, 0, 1).origin + x * (p.x + x0) + yv * y0);
                s.lineTo(frameAt(0, 0, 1).origin + x * (p.x + x1) + yv * y1);
                s.stroke(false, false);
            };
            if (a.stackType == L'#') {
                place(a.text, p.x, 0.5 * h, sh);
                bar(up, -0.2 * h, up + 0.3 * h, 1.1 * h);
                place(a.lower, p.x + up + 0.3 * h, -0.2 * h, sh);
                continue;
            }
            const double w = std::max(up, low);
            place(a.text, p.x + (w - up) / 2, a.stackType == L'/' ? 0.6 * h : 0.5 * h, sh);
            place(a.lower, p.x + (w - low) / 2, a.stackType == L'/' ? -0.3 * h : -0.2 * h, sh);
            if (a.stackType == L'/' && w > 0) bar(0, 0.5 * h, w, 0.5 * h);
        }
    }
    s.setPen(entityPen);
    return true;
}

}  // namespace vx::render
