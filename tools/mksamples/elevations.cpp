#include "elevations.h"

#include <cmath>
#include <functional>

#include "annotation.h"
#include "building.h"

namespace mksamples {

using namespace building;

namespace {

constexpr double kRoof = kStoreys * kStorey, kTop = kRoof + kParapet, kPlinth = 600, kSlab = 120;

// Levels written beside an elevation or a section, bottom up.
const double kLevels[] = {kOutdoor, 0, 3000, 6000, 9000, 12000, 15000, kRoof, kTop};

std::wstring levelText(double level) {
    if (level == 0) return L"±0.000";
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%.3f", level / 1000);
    return buf;
}

// Storey heights as dimensions on the left and level marks on the right of a drawing that runs
// from x0 to x1.
void heights(const Sheet& s, const Symbols& sym, double x0, double x1) {
    std::vector<double> stops(std::begin(kLevels), std::end(kLevels));
    s.dimensionChain(stops, x0, x0 - 1200, true);
    s.dimension(x0, kOutdoor, x0, kTop, x0 - 2000, true);
    for (double l : kLevels) {
        s.line(L"标注", x1 + 300, l, x1 + 1500, l);
        levelMark(s, sym, x1 + 1800, l, {levelText(l)});
    }
}

void groundLine(const Sheet& s, double x0, double x1) {
    s.polyline(L"立面", {{x0 - 2500, kOutdoor}, {x1 + 2500, kOutdoor}}, false, 100);
}

// A window seen from outside: frame, an inner frame and its mullion and transom.
void window(const Sheet& s, double x0, double y0, double x1, double y1) {
    s.rect(L"门窗", x0, y0, x1, y1);
    s.rect(L"门窗", x0 + 50, y0 + 50, x1 - 50, y1 - 50);
    const double mid = (x0 + x1) / 2, transom = y1 - (y1 - y0) * 0.3;
    s.line(L"门窗", mid, y0 + 50, mid, transom);
    s.line(L"门窗", x0 + 50, transom, x1 - 50, transom);
}

// The openings of one face (a wall along x at `face`) on every storey, seen from outside;
// `x` maps the wall's coordinate to the drawing's.
void faceOpenings(const Sheet& s, double face, const std::function<double(double)>& x) {
    for (int k = 0; k < kStoreys; ++k) {
        const double floor = k * kStorey;
        for (const Opening& o : floorPlan(k == 0 ? Level::Ground : Level::Typical).openings) {
            if (o.vertical || std::fabs(o.line - face) > 1) continue;
            const double a = std::min(x(o.from), x(o.to)), b = std::max(x(o.from), x(o.to));
            switch (o.kind) {
            case OpeningKind::Window:
                if (!builtOnStorey(o, k)) break;
                window(s, a, floor + o.sill, b, floor + o.height);
                break;
            case OpeningKind::SlidingDoor:
                window(s, a, floor + 1100, b, floor + o.height);
                break;
            case OpeningKind::EntranceDoor:
            case OpeningKind::Door:
                s.rect(L"门窗", a, floor, b, floor + o.height);
                s.line(L"门窗", (a + b) / 2, floor, (a + b) / 2, floor + o.height);
                s.rect(L"门窗", a - 300, floor + o.height + 300, b + 300, floor + o.height + 450);
                break;
            }
        }
    }
}

// The balconies' solid parapets in front of the south face.
void balconies(const Sheet& s, const std::function<double(double)>& x) {
    for (int k = 0; k < kUnitCount; ++k)
        for (double b0 : {3600.0, 10200.0}) {
            const double a = x(k * kUnitWidth + b0), b = x(k * kUnitWidth + b0 + 3900);
            for (int f = 0; f < kStoreys; ++f) {
                const double floor = f * kStorey;
                s.rect(L"立面", std::min(a, b), floor - 100, std::max(a, b), floor + 1100);
                s.line(L"立面", std::min(a, b), floor + 900, std::max(a, b), floor + 900);
            }
        }
}

// Outline, plinth (hatched as stone), eave band and ground line of a face of width w.
void body(const Sheet& s, double w) {
    s.polyline(L"立面", {{-100, kOutdoor}, {-100, kTop}, {w + 100, kTop}, {w + 100, kOutdoor}}, false, 50);
    s.ansi31(L"填充", {{{-100, kOutdoor}, {w + 100, kOutdoor}, {w + 100, kPlinth}, {-100, kPlinth}}}, 2);
    s.line(L"立面", -100, kPlinth, w + 100, kPlinth);
    s.line(L"立面", -100, kRoof, w + 100, kRoof);
    s.line(L"立面", -100, kRoof + 150, w + 100, kRoof + 150);
    groundLine(s, -100, w + 100);
}

void endAxes(const Sheet& s, double x0, const std::wstring& n0, double x1, const std::wstring& n1) {
    for (auto [x, n] : {std::pair{x0, n0}, std::pair{x1, n1}}) {
        s.line(L"轴线", x, kOutdoor - 300, x, kOutdoor - 1100);
        axisBubble(s, x, kOutdoor - 1500, n);
    }
}

void longElevation(const Sheet& s, const Symbols& sym, bool south) {
    const auto x = [south](double v) { return south ? v : kLength - v; };
    body(s, kLength);
    faceOpenings(s, south ? 0 : kDepth, x);
    if (south) balconies(s, x);
    endAxes(s, 0, south ? L"1" : L"16", kLength, south ? L"16" : L"1");
    heights(s, sym, -100, kLength + 100);
    s.title(kLength / 2, kOutdoor - 3800, south ? L"南立面图" : L"北立面图", L"1:100");
    leaderNote(s, 1800, 10500, -1500, 21500, {L"浅灰色真石漆外墙"});
    leaderNote(s, kLength - 1800, 300, kLength + 4500, -2200, {L"深灰色仿石涂料勒脚"});
    leaderNote(s, kLength - 1500, kRoof + 600, kLength + 4500, 21500, {L"白色外墙涂料"});
}

// A gable: the side view from x = 0 (west) or x = kLength (east). South lies left in the east
// elevation, right in the west one.
void sideElevation(const Sheet& s, const Symbols& sym, bool east) {
    const auto x = [east](double y) { return east ? y : kDepth - y; };
    body(s, kDepth);
    for (int k = 0; k < kStoreys; ++k) {
        const double floor = k * kStorey;
        window(s, std::min(x(6300), x(7200)), floor + 1200, std::max(x(6300), x(7200)), floor + 2400);
        // The balcony's side in profile.
        const double a = x(-kBalconyDepth), b = x(0);
        s.rect(L"立面", std::min(a, b), floor - 100, std::max(a, b), floor + 1100);
    }
    const double a = x(-kBalconyDepth), b = x(0);
    s.rect(L"立面", std::min(a, b), kRoof - 100, std::max(a, b), kRoof + 150);
    endAxes(s, x(0), east ? L"A" : L"D", x(kDepth), east ? L"D" : L"A");
    heights(s, sym, std::min(-100.0, std::min(a, b)), std::max(kDepth + 100, std::max(a, b)));
    s.title(kDepth / 2, kOutdoor - 3800, east ? L"东立面图" : L"西立面图", L"1:100");
}

// Section 1-1 through a living room and the kitchen (x = 5550 of a unit), looking east: cut
// walls and slabs solid, the cut windows as glass lines.
void section(const Sheet& s, const Symbols& sym) {
    struct CutWall {
        double y;
        double opening0, opening1;  // above the floor; equal when the cut misses any opening
    };
    const CutWall walls[] = {{0, 0, 2400}, {5400, 0, 0}, {8100, 0, 0}, {kDepth, 900, 2400}};
    auto box = [](double x0, double y0, double x1, double y1) {
        return Loop{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    };
    for (int k = 0; k <= kStoreys; ++k) {
        const double level = k * kStorey;
        std::vector<Loop> cut;
        // Slab (the ground slab on earth; the others reach over the balcony).
        cut.push_back(k == 0 ? box(-100, -150, kDepth + 100, 0)
                             : box(-kBalconyDepth, level - kSlab, kDepth + 100, level));
        if (k < kStoreys) {
            const double top = level + kStorey - kSlab;
            for (const CutWall& w : walls) {
                if (w.opening1 > w.opening0) {
                    if (w.opening0 > 0) cut.push_back(box(w.y - 100, level, w.y + 100, level + w.opening0));
                    cut.push_back(box(w.y - 100, level + w.opening1, w.y + 100, top));
                    const double g0 = level + w.opening0, g1 = level + w.opening1;
                    s.rect(L"门窗", w.y - 100, g0, w.y + 100, g1);
                    for (double c : {-33.0, 33.0}) s.line(L"门窗", w.y + c, g0, w.y + c, g1);
                } else {
                    cut.push_back(box(w.y - 100, level, w.y + 100, top));
                }
            }
            cut.push_back(box(-kBalconyDepth, level, -kBalconyDepth + 100, level + 1100));
        } else {
            for (double y : {0.0, kDepth}) cut.push_back(box(y - 100, level, y + 100, kTop));
        }
        s.solid(L"剖面", cut);
        for (const Loop& l : cut) s.polyline(L"剖面", l, true);
    }
    // Foundation walls below the ground slab, and the ground.
    for (const CutWall& w : walls) s.rect(L"剖面", w.y - 150, -1200, w.y + 150, -150);
    s.polyline(L"立面", {{-4000, kOutdoor}, {-100, kOutdoor}, {-100, -150}}, false, 100);
    s.polyline(L"立面", {{kDepth + 100, -150}, {kDepth + 100, kOutdoor}, {kDepth + 4000, kOutdoor}}, false, 100);
    const auto& ys = axesY();
    for (size_t i = 0; i < ys.size(); ++i) {
        s.line(L"轴线", ys[i], -1300, ys[i], kOutdoor - 2700);
        axisBubble(s, ys[i], kOutdoor - 3100, axisNameY(i));
    }
    s.dimensionChain(ys, -1300, kOutdoor - 1600, false);
    heights(s, sym, -kBalconyDepth, kDepth + 100);
    s.text(L"文字", 2700, 1500, 3.5, L"客厅", Align::Middle);
    s.text(L"文字", 10300, 1500, 3.5, L"厨房", Align::Middle);
    s.title(kDepth / 2, kOutdoor - 5000, L"1-1剖面图", L"1:100");
}

}  // namespace

void southNorthElevations(Drawing& d, const Symbols& sym, const Frame& f) {
    // Each elevation spans local x -2600 .. kLength + 6500 with its notes and y -4300 .. 21500.
    const double width = kLength + 9100, x = (f.left() + f.right()) / 2 - width / 2 + 2600;
    const double band = (f.top() - f.titleTop()) / 2;
    Sheet south(d, {x, f.titleTop() + band + 5500}, 100);
    Sheet north(d, {x, f.titleTop() + 5500}, 100);
    longElevation(south, sym, true);
    longElevation(north, sym, false);
}

void sideElevationsAndSection(Drawing& d, const Symbols& sym, const Frame& f) {
    // Three drawings of about 22 m each, side by side, over a note.
    // Each spans local y -5500 .. 21500: centred between the note and the top.
    const double step = (f.right() - f.left()) / 3, y = (f.titleTop() + 9000 + f.top()) / 2 - 8000;
    for (int i = 0; i < 3; ++i) {
        Sheet s(d, {f.left() + i * step + step / 2 - kDepth / 2 + 600, y}, 100);
        if (i == 0) sideElevation(s, sym, true);
        else if (i == 1) sideElevation(s, sym, false);
        else section(s, sym);
    }
    Sheet n(d, {f.left() + 3000, f.titleTop() + 4000}, 100);
    n.text(L"文字", 0, 0, 5, L"说明：", Align::Left, 0, true);
    n.note(L"文字", 0, -n.mm(3), 3.5, 300,
           L"1. 剖面图中楼板、梁及剖切到的墙体涂黑表示，楼板厚 120。\\P"
           L"2. 外墙勒脚高出室外地坪 1050，做法见建施-01 工程做法。\\P"
           L"3. 阳台栏板为 100 厚钢筋混凝土，高 1100（自阳台地面算起）。");
}

}  // namespace mksamples
