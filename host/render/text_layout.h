// Single-line text: %%-codes resolved into pieces, and a line of pieces placed in a text frame
// (used by TEXT, attributes and each MTEXT line).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "render/fonts.h"
#include "render/shapes.h"

namespace vx::render {

struct TextPiece {
    std::wstring text;
    bool underline = false, overline = false;
};

// %%c %%d %%p (diameter, degree, plus-minus), %%u %%o (underline, overline toggles), %%%
// and %%nnn (a character by its decimal code). An unknown code keeps its character.
std::vector<TextPiece> resolveTextCodes(std::wstring_view s);

// Where text of one font sits: the text space of TextRun (one unit = the text height) mapped
// to the entity's coordinates.
struct TextFrame {
    AcGePoint3d origin;
    AcGeVector3d along, across;  // one text unit along and across the baseline
};

// Advance of the pieces in text space.
double piecesAdvance(FontLibrary& fonts, FontId font, const std::vector<TextPiece>& pieces);

// Places the pieces from the frame's origin (`start` text units along it): outline fonts as
// runs, stroke fonts as glyph strokes with their underlines. Returns the advance.
double placePieces(FontLibrary& fonts, FontId font, FontKind kind, const std::vector<TextPiece>& pieces,
                   const TextFrame& frame, double start, double height, Shapes& s);

}  // namespace vx::render
