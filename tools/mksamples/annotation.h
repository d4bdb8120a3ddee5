// The marks every architectural sheet carries, sized in paper millimetres: axis bubbles, level
// marks, section marks, index circles, slope arrows and leader notes.
#pragma once

#include <string>
#include <vector>

#include "sheet.h"
#include "symbols.h"

namespace mksamples {

// An 8 mm circle with the axis name, centred at (x, y).
void axisBubble(const Sheet& s, double x, double y, const std::wstring& name);
// An axis line from one bubble to the other, bubbles at both ends.
void axis(const Sheet& s, double x0, double y0, double x1, double y1, const std::wstring& name);
// A level mark with its tip at (x, y); further levels are stacked above the first.
void levelMark(const Sheet& s, const Symbols& sym, double x, double y, const std::vector<std::wstring>& levels);
// A section cut's end: a thick line across the cut, the view direction and the number.
void sectionEnd(const Sheet& s, double x, double y, bool vertical, int viewSign, const std::wstring& number);
// An index circle (10 mm): detail number over the sheet that shows it, with its leader.
void indexCircle(const Sheet& s, double x, double y, const std::wstring& detail, const std::wstring& sheet,
                 double toX, double toY);
// An arrow drawn as a tapering polyline head, with a text along it (slopes, stairs).
void arrow(const Sheet& s, const wchar_t* layer, double x0, double y0, double x1, double y1, const std::wstring& label);
// A leader from a point to a shelf with lines of text over it (construction layers).
void leaderNote(const Sheet& s, double fromX, double fromY, double shelfX, double shelfY,
                const std::vector<std::wstring>& lines, double heightMm = 3);

}  // namespace mksamples
