#include "annotation.h"

#include <algorithm>
#include <cmath>

#include "kit.h"

namespace mksamples {

void axisBubble(const Sheet& s, double x, double y, const std::wstring& name) {
    s.circle(L"轴号", x, y, s.mm(4));
    s.text(L"轴号", x, y, 4.5, name, Align::Middle);
}

void axis(const Sheet& s, double x0, double y0, double x1, double y1, const std::wstring& name) {
    const double r = s.mm(4), l = std::hypot(x1 - x0, y1 - y0);
    const double dx = (x1 - x0) / l * r, dy = (y1 - y0) / l * r;
    s.line(L"轴线", x0 + dx, y0 + dy, x1 - dx, y1 - dy);
    axisBubble(s, x0, y0, name);
    axisBubble(s, x1, y1, name);
}

void levelMark(const Sheet& s, const Symbols& sym, double x, double y, const std::vector<std::wstring>& levels) {
    if (levels.empty()) return;
    s.placeWithTexts(sym.levelMark, L"标注", x, y, {levels[0]});
    for (size_t i = 1; i < levels.size(); ++i)
        s.text(L"标注", x - s.mm(2.5), y + s.mm(4.2 + 4.0 * static_cast<double>(i)), 3, levels[i]);
}

void sectionEnd(const Sheet& s, double x, double y, bool vertical, int viewSign, const std::wstring& number) {
    const double along = s.mm(8), view = s.mm(5) * viewSign, w = s.mm(0.6);
    if (vertical) {
        s.polyline(L"标注", {{x, y}, {x, y + along}}, false, w);
        s.polyline(L"标注", {{x, y}, {x + view, y}}, false, w);
        s.text(L"标注", x + view * 0.6, y + s.mm(2), 5, number, Align::Centre);
    } else {
        s.polyline(L"标注", {{x, y}, {x + along, y}}, false, w);
        s.polyline(L"标注", {{x, y}, {x, y + view}}, false, w);
        s.text(L"标注", x - s.mm(3.5), y + view * 0.6, 5, number, Align::Middle);
    }
}

void indexCircle(const Sheet& s, double x, double y, const std::wstring& detail, const std::wstring& sheet,
                 double toX, double toY) {
    const double r = s.mm(5);
    s.circle(L"标注", x, y, r);
    s.line(L"标注", x - r, y, x + r, y);
    s.text(L"标注", x, y + r / 2, 3.5, detail, Align::Middle);
    s.text(L"标注", x, y - r / 2, 3, sheet, Align::Middle);
    const double side = toX < x ? -1 : 1;
    s.line(L"标注", x + side * r, y, toX, toY);
}

void arrow(const Sheet& s, const wchar_t* layer, double x0, double y0, double x1, double y1,
           const std::wstring& label) {
    const double l = std::hypot(x1 - x0, y1 - y0), head = std::min(s.mm(3), l / 3);
    const double ux = (x1 - x0) / l, uy = (y1 - y0) / l;
    auto* p = new AcDbPolyline();
    p->addVertexAt(0, s.at(x0, y0), 0, 0, 0);
    p->addVertexAt(1, s.at(x1 - ux * head, y1 - uy * head), 0, 1.0 * kUnits, 0);
    p->addVertexAt(2, s.at(x1, y1), 0, 0, 0);
    append(s.drawing().db.modelSpaceId(), p, layer);
    if (label.empty()) return;
    double angle = std::atan2(uy, ux) * 180 / M_PI;
    if (angle > 90.5 || angle < -89.5) angle += 180;
    const double nx = -uy, ny = ux, side = ny < 0 || (ny == 0 && nx < 0) ? -1 : 1;
    s.text(layer, (x0 + x1) / 2 + side * nx * s.mm(1.2), (y0 + y1) / 2 + side * ny * s.mm(1.2), 3, label,
           Align::Centre, angle);
}

void leaderNote(const Sheet& s, double fromX, double fromY, double shelfX, double shelfY,
                const std::vector<std::wstring>& lines, double heightMm) {
    size_t longest = 0;
    for (const std::wstring& l : lines) longest = std::max(longest, l.size());
    const double shelf = s.mm(heightMm * 0.75 * static_cast<double>(longest) + 2);
    const double dir = shelfX >= fromX ? 1 : -1;
    s.line(L"文字", fromX, fromY, shelfX, shelfY);
    s.line(L"文字", shelfX, shelfY, shelfX + dir * shelf, shelfY);
    s.circle(L"文字", fromX, fromY, s.mm(0.5));
    const double left = dir > 0 ? shelfX + s.mm(1) : shelfX - shelf + s.mm(1);
    for (size_t i = 0; i < lines.size(); ++i) {
        const double y = shelfY + s.mm(1) + s.mm(heightMm * 1.6) * static_cast<double>(lines.size() - 1 - i);
        s.text(L"文字", left, y, heightMm, lines[i]);
    }
}

}  // namespace mksamples
