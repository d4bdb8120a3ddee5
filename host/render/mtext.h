// MTEXT contents read into atoms: words (cut where lines may break: spaces, and between CJK
// characters), spaces, tabs, paragraph breaks and stacked fractions, each with the formatting
// in force (font, height, width factor, oblique, underline/overline, colour, alignment).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "render/fonts.h"
#include "render/primitives.h"

namespace vx::render {

class Tables;

struct MTextFormat {
    FontId font = 0;
    FontKind kind = FontKind::Outline;
    double height = 2.5;  // drawing units
    double widthFactor = 1;
    double oblique = 0;   // radians
    double tracking = 1;
    bool underline = false, overline = false;
    int valign = 0;       // \A: 0 bottom (baseline), 1 centre, 2 top
    int colorMode = 0;    // 0 the entity's, 1 `color`, 2 ByBlock
    Color color;
    int paragraphAlign = -1;  // \pxq: 0 left, 1 centre, 2 right; -1 by the attachment
};

struct MTextAtom {
    enum Kind { Word, Space, Tab, Paragraph, Stack } kind = Word;
    std::wstring text;         // a word, or a stack's upper part
    std::wstring lower;        // a stack's lower part
    wchar_t stackType = L'/';  // '/' bar, '#' diagonal, '^' none
    MTextFormat format;
    bool nonBreaking = false;  // a space that keeps its neighbours on one line
};

// Parses the contents; `base` is the formatting of the entity (its style, height).
std::vector<MTextAtom> parseMText(std::wstring_view contents, const MTextFormat& base, Tables& tables);

}  // namespace vx::render
