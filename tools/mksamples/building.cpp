#include "building.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace mksamples::building {

namespace {

constexpr double kMirror = kUnitWidth / 2;  // a unit's east flat is its west flat mirrored here
constexpr double kWall = 200, kPartition = 100;

// The west flat and the west half of the stair bay, in unit coordinates.
const Wall kHalfWalls[] = {
    {0, 0, kMirror, 0, kWall, false},           {0, kDepth, kMirror, kDepth, kWall, false},
    {3600, 0, 3600, 5400, kWall, false},        {3600, 8100, 3600, kDepth, kWall, false},
    {7500, 0, 7500, kDepth, kWall, false},      {0, 5400, 3600, 5400, kWall, false},
    {7500, 5400, kMirror, 5400, kWall, false},  {0, 8100, 7500, 8100, kWall, false},
    {2400, 5400, 2400, 8100, kPartition, true},
    // The balcony's parapet walls.
    {3650, 0, 3650, -1450, kPartition, false},  {3650, -1450, 7450, -1450, kPartition, false},
    {7450, -1450, 7450, 0, kPartition, false},
};
const Wall kWestWall{0, 0, 0, kDepth, kWall, false};

using K = OpeningKind;
const Opening kHalfOpenings[] = {
    {false, 0, 900, 2700, kWall, K::Window, L"C1815", 0, false, 900, 2400},
    {false, 0, 4200, 6900, kWall, K::SlidingDoor, L"TLM2724", 0, false, 0, 2400},
    {false, kDepth, 900, 2700, kWall, K::Window, L"C1815", 0, false, 900, 2400},
    {false, kDepth, 4800, 6300, kWall, K::Window, L"C1515", 0, false, 900, 2400},
    {false, 5400, 2550, 3450, kWall, K::Door, L"M0921", -1, false, 0, 2100},
    {false, 8100, 2550, 3450, kWall, K::Door, L"M0921", 1, false, 0, 2100},
    {true, 2400, 6900, 7700, kPartition, K::Door, L"M0821", -1, false, 0, 2100},
    {false, 8100, 3900, 4800, kWall, K::Door, L"M0921", 1, true, 0, 2100},
    {true, 7500, 6300, 7300, kWall, K::Door, L"FM1021", -1, true, 0, 2100},
};
// The bathroom window is in the gable, so only the end flats have it.
const Opening kGableWindow{true, 0, 6300, 7200, kWall, K::Window, L"C0912", 0, false, 1200, 2400};
// The study south of the stair belongs to the west flat; the stair window lights the landing.
const Opening kStudyWindow{false, 0, 8250, 9450, kWall, K::Window, L"C1215", 0, false, 900, 2400};
const Opening kStudyDoor{true, 7500, 3900, 4800, kWall, K::Door, L"M0921", 1, false, 0, 2100};
const Opening kStairWindow{false, kDepth, 8250, 9450, kWall, K::Window, L"C1215", 0, false, 2400, 3900};
const Opening kUnitDoor{false, kDepth, 8250, 9450, kWall, K::EntranceDoor, L"M1224", 1, true, 0, 2400};

const Room kHalfRooms[] = {{2800, 1000, L"主卧"}, {5900, 900, L"客厅"},  {1450, 6500, L"卫生间"},
                           {4600, 5900, L"餐厅"}, {2300, 9900, L"次卧"}, {4700, 9800, L"厨房"},
                           {5550, -1050, L"阳台"}};
const Room kStudy{8850, 2900, L"书房"};

const Furniture kHalfFurniture[] = {
    {kDoubleBed, 1100, 2900, 90}, {kSofa, 4125, 2700, 90},     {kTeaTable, 5200, 2700, 90},
    {kTvCabinet, 7175, 2700, -90}, {kDiningSet, 5700, 6750, 0}, {kToilet, 470, 6000, 90},
    {kBasin, 1200, 7700, 0},       {kSingleBed, 1100, 11000, 90}, {kSink, 5550, 12200, 0},
    {kStove, 6900, 12200, 0},
};
const Furniture kStudyDesk{kDesk, 8850, 700, 180};

const AcGePoint2d kHalfColumns[] = {{0, 0},       {3600, 0},    {7500, 0},    {0, kDepth},  {3600, kDepth},
                                    {7500, kDepth}, {0, 5400},   {0, 8100},    {7500, 5400}, {7500, 8100},
                                    {3600, 5400}, {3600, 8100}};

Wall mirrored(const Wall& w) { return {2 * kMirror - w.x1, w.y1, 2 * kMirror - w.x0, w.y0, w.thickness, w.partition}; }

Opening mirrored(const Opening& o) {
    Opening m = o;
    if (o.vertical) {
        m.line = 2 * kMirror - o.line;
        m.swing = -o.swing;
    } else {
        m.from = 2 * kMirror - o.to;
        m.to = 2 * kMirror - o.from;
        m.hingeAtFrom = !o.hingeAtFrom;
    }
    return m;
}

Wall shifted(Wall w, double dx) {
    w.x0 += dx;
    w.x1 += dx;
    return w;
}

Opening shifted(Opening o, double dx) {
    if (o.vertical) o.line += dx;
    else o.from += dx, o.to += dx;
    return o;
}

}  // namespace

const std::vector<double>& axesX() {
    static const std::vector<double> axes = [] {
        std::vector<double> v;
        const double unit[] = {0, 3600, 7500, 10200, 14100};
        for (int k = 0; k < kUnitCount; ++k)
            for (double x : unit) v.push_back(k * kUnitWidth + x);
        v.push_back(kLength);
        return v;
    }();
    return axes;
}

const std::vector<double>& axesY() {
    static const std::vector<double> axes{0, 5400, 8100, kDepth};
    return axes;
}

std::wstring axisNameY(size_t i) { return std::wstring(1, static_cast<wchar_t>(L'A' + i)); }

Plan floorPlan(Level level) {
    Plan p;
    std::set<std::pair<long, long>> columns;
    for (int k = 0; k < kUnitCount; ++k) {
        const double dx = k * kUnitWidth;
        const bool first = k == 0, last = k == kUnitCount - 1;
        if (first) p.walls.push_back(kWestWall);
        p.walls.push_back(shifted(mirrored(kWestWall), dx));
        for (const Wall& w : kHalfWalls) {
            p.walls.push_back(shifted(w, dx));
            p.walls.push_back(shifted(mirrored(w), dx));
        }
        for (const Opening& o : kHalfOpenings) {
            p.openings.push_back(shifted(o, dx));
            p.openings.push_back(shifted(mirrored(o), dx));
        }
        if (first) p.openings.push_back(kGableWindow);
        if (last) p.openings.push_back(shifted(mirrored(kGableWindow), dx));
        p.openings.push_back(shifted(kStudyWindow, dx));
        p.openings.push_back(shifted(kStudyDoor, dx));
        p.openings.push_back(shifted(level == Level::Ground ? kUnitDoor : kStairWindow, dx));
        for (const Room& r : kHalfRooms) {
            p.rooms.push_back({r.x + dx, r.y, r.name});
            p.rooms.push_back({2 * kMirror - r.x + dx, r.y, r.name});
        }
        p.rooms.push_back({kStudy.x + dx, kStudy.y, kStudy.name});
        for (const Furniture& f : kHalfFurniture) {
            p.furniture.push_back({f.kind, f.x + dx, f.y, f.rotation});
            p.furniture.push_back({f.kind, 2 * kMirror - f.x + dx, f.y, 180 - f.rotation});
        }
        p.furniture.push_back({kStudyDesk.kind, kStudyDesk.x + dx, kStudyDesk.y, kStudyDesk.rotation});
        for (const AcGePoint2d& c : kHalfColumns)
            for (double x : {c.x + dx, 2 * kMirror - c.x + dx})
                if (columns.insert({std::lround(x), std::lround(c.y)}).second) p.columns.push_back({x, c.y});
    }
    // Outer faces: the gables and the north wall straight, the south wall stepping out round the
    // balconies.
    const double f = kWall / 2;
    p.outline.push_back({-f, -f});
    for (int k = 0; k < kUnitCount; ++k)
        for (double b0 : {3600.0, 10200.0}) {
            const double x0 = k * kUnitWidth + b0, x1 = x0 + 3900;
            p.outline.push_back({x0, -f});
            p.outline.push_back({x0, -kBalconyDepth});
            p.outline.push_back({x1, -kBalconyDepth});
            p.outline.push_back({x1, -f});
        }
    p.outline.push_back({kLength + f, -f});
    p.outline.push_back({kLength + f, kDepth + f});
    p.outline.push_back({-f, kDepth + f});
    return p;
}

bool builtOnStorey(const Opening& o, int k) {
    const bool landing = o.kind == OpeningKind::Window && o.sill > kStorey / 2;
    return !landing || (k > 0 && k < kStoreys - 1);
}

std::vector<WallPiece> wallPieces(const Plan& plan) {
    std::vector<WallPiece> out;
    for (const Wall& w : plan.walls) {
        const bool vertical = std::fabs(w.x0 - w.x1) < 1;
        const double line = vertical ? w.x0 : w.y0;
        double a0 = vertical ? w.y0 : w.x0, a1 = vertical ? w.y1 : w.x1;
        if (a0 > a1) std::swap(a0, a1);
        std::vector<std::pair<double, double>> cuts;
        for (const Opening& o : plan.openings)
            if (o.vertical == vertical && std::fabs(o.line - line) < 1 && o.to > a0 && o.from < a1)
                cuts.push_back({std::max(o.from, a0), std::min(o.to, a1)});
        std::sort(cuts.begin(), cuts.end());
        // Wall ends meet other walls: run on into the junction; jambs stop at the opening, and an
        // end that lies inside an opening (a wall continued by its mirror image) adds nothing.
        double start = a0 - w.thickness / 2;
        auto emit = [&](double s, double e) {
            if (e - s < 1) return;
            if (vertical) out.push_back({line, s, line, e, w.thickness, w.partition});
            else out.push_back({s, line, e, line, w.thickness, w.partition});
        };
        for (const auto& c : cuts) {
            if (c.first > a0 + 1) emit(start, c.first);
            start = c.second;
        }
        if (cuts.empty() || cuts.back().second < a1 - 1) emit(start, a1 + w.thickness / 2);
    }
    return out;
}

std::vector<AcGePoint2d> offsetOutline(const std::vector<AcGePoint2d>& pts, double d) {
    const size_t n = pts.size();
    std::vector<AcGePoint2d> out;
    auto normal = [](const AcGePoint2d& a, const AcGePoint2d& b) {
        double dx = b.x - a.x, dy = b.y - a.y, l = std::hypot(dx, dy);
        return AcGeVector2d(dy / l, -dx / l);
    };
    for (size_t i = 0; i < n; ++i) {
        const AcGePoint2d& prev = pts[(i + n - 1) % n];
        const AcGePoint2d& next = pts[(i + 1) % n];
        const AcGeVector2d n1 = normal(prev, pts[i]), n2 = normal(pts[i], next);
        out.push_back({pts[i].x + d * (n1.x + n2.x), pts[i].y + d * (n1.y + n2.y)});
    }
    return out;
}

}  // namespace mksamples::building
