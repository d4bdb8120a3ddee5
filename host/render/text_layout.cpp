#include "render/text_layout.h"

#include <cwctype>

namespace vx::render {

std::vector<TextPiece> resolveTextCodes(std::wstring_view s) {
    std::vector<TextPiece> out(1);
    for (size_t i = 0; i < s.size(); ++i) {
        if (!(s[i] == L'%' && i + 2 < s.size() && s[i + 1] == L'%')) {
            out.back().text += s[i];
            continue;
        }
        const wchar_t k = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(s[i + 2])));
        i += 2;
        switch (k) {
        case L'c': out.back().text += L'\u2300'; break;
        case L'd': out.back().text += L'\u00B0'; break;
        case L'p': out.back().text += L'\u00B1'; break;
        case L'%': out.back().text += L'%'; break;
        case L'u':
        case L'o': {
            TextPiece next = out.back();
            next.text.clear();
            if (k == L'u') next.underline = !next.underline;
            else next.overline = !next.overline;
            if (out.back().text.empty()) out.back() = next;
            else out.push_back(next);
            break;
        }
        default:
            if (std::iswdigit(static_cast<wint_t>(k))) {
                unsigned code = 0;
                size_t j = i;
                while (j < s.size() && j < i + 3 && std::iswdigit(static_cast<wint_t>(s[j]))) code = code * 10 + static_cast<unsigned>(s[j++] - L'0');
                i = j - 1;
                if (code > 0) out.back().text += static_cast<wchar_t>(code);
            } else {
                out.back().text += s[i];
            }
            break;
        }
    }
    return out;
}

double piecesAdvance(FontLibrary& fonts, FontId font, const std::vector<TextPiece>& pieces) {
    double a = 0;
    for (const TextPiece& p : pieces) a += fonts.advance(font, p.text);
    return a;
}

double placePieces(FontLibrary& fonts, FontId font, FontKind kind, const std::vector<TextPiece>& pieces,
                   const TextFrame& f, double start, double height, Shapes& s) {
    const double ascent = fonts.ascent(font), descent = fonts.descent(font);
    double x = start;
    for (const TextPiece& p : pieces) {
        const double adv = fonts.advance(font, p.text);
        const AcGePoint3d origin = f.origin + f.along * x;
        if (kind == FontKind::Stroke) {
            GlyphGeometry g;
            fonts.glyphs(font, p.text, height > 0 ? s.tolerance() / height : 0.01, g);
            if (s.measuring()) {
                // The glyphs' box stays within the font's height, as the runs' does.
                for (double gx : {0.0, adv})
                    for (double gy : {-descent, ascent}) s.extent(origin + f.along * gx + f.across * gy);
            } else {
                s.glyphs(g, origin, f.along, f.across);
            }
            for (int line = 0; line < 2; ++line) {
                if (!(line == 0 ? p.underline : p.overline) || !(adv > 0)) continue;
                const double y = line == 0 ? -0.2 : 1.2;
                s.moveTo(origin + f.across * y);
                s.lineTo(origin + f.along * adv + f.across * y);
                s.stroke(false, false);
            }
        } else {
            TextRun run;
            run.text = p.text;
            run.font = font;
            run.advance = adv;
            run.underline = p.underline;
            run.overline = p.overline;
            s.text(run, origin, f.along, f.across, ascent, descent);
        }
        x += adv;
    }
    return x - start;
}

}  // namespace vx::render
