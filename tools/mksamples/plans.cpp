#include "plans.h"

#include <cmath>
#include <set>

#include "annotation.h"
#include "building.h"

namespace mksamples {

using namespace building;

namespace {

// Where the plans' dimension lines and axis bubbles stand outside the walls.
constexpr double kSouthFrom = -1700, kSouth[] = {-2500, -3300, -4100}, kSouthBubble = -5300;
constexpr double kNorthFrom = 14100, kNorth[] = {14900, 15700}, kNorthBubble = 16900;
constexpr double kWestFrom = -600, kWest[] = {-1400, -2200, -3000}, kWestBubble = -4200;
constexpr double kEastFrom = kLength + 600, kEast[] = {kLength + 1400, kLength + 2200, kLength + 3000},
                 kEastBubble = kLength + 4200;
constexpr double kFace = 100;  // half a wall: outer faces lie this far outside the axes

AcDbObjectId furnitureBlock(const Symbols& sym, int kind) {
    const AcDbObjectId ids[] = {sym.doubleBed, sym.singleBed, sym.sofa, sym.teaTable, sym.tvCabinet, sym.diningSet,
                                sym.desk,      sym.toilet,    sym.basin, sym.sink,    sym.stove};
    return ids[kind];
}

void setLinetype(AcDbObjectId id, const wchar_t* linetype) {
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForWrite);
    if (e.openStatus() == Acad::eOk) e->setLinetype(linetype);
}

AcGePoint2d along(const Opening& o, double a, double c) { return o.vertical ? AcGePoint2d(c, a) : AcGePoint2d(a, c); }

void segment(const Sheet& s, const wchar_t* layer, const AcGePoint2d& a, const AcGePoint2d& b) {
    s.line(layer, a.x, a.y, b.x, b.y);
}

double angleOf(const AcGePoint2d& from, const AcGePoint2d& to) {
    return std::atan2(to.y - from.y, to.x - from.x) * 180 / M_PI;
}

// A leaf hinged at `hinge` (along the wall) closing onto `other`, and its swing.
void doorLeaf(const Sheet& s, const Opening& o, double hinge, double other) {
    const double w = std::fabs(other - hinge);
    const AcGePoint2d h = along(o, hinge, o.line), open = along(o, hinge, o.line + o.swing * w);
    segment(s, L"门窗", h, open);
    const double leaf = angleOf(h, open), shut = angleOf(h, along(o, other, o.line));
    const double sweep = std::fmod(shut - leaf + 720, 360);
    if (std::fabs(sweep - 90) < 1) s.arc(L"门窗", h.x, h.y, w, leaf, shut);
    else s.arc(L"门窗", h.x, h.y, w, shut, leaf);
}

void drawOpening(const Sheet& s, const Opening& o) {
    const double t = o.thickness, mid = (o.from + o.to) / 2;
    switch (o.kind) {
    case OpeningKind::Window: {
        s.polyline(L"门窗", {along(o, o.from, o.line - t / 2), along(o, o.to, o.line - t / 2),
                             along(o, o.to, o.line + t / 2), along(o, o.from, o.line + t / 2)},
                   true);
        for (double c : {-t / 6, t / 6}) segment(s, L"门窗", along(o, o.from, o.line + c), along(o, o.to, o.line + c));
        break;
    }
    case OpeningKind::SlidingDoor:
        // Two leaves passing each other in their tracks.
        s.polyline(L"门窗", {along(o, o.from, o.line - 60), along(o, mid + 100, o.line - 60),
                             along(o, mid + 100, o.line - 20), along(o, o.from, o.line - 20)},
                   true);
        s.polyline(L"门窗", {along(o, mid - 100, o.line + 20), along(o, o.to, o.line + 20),
                             along(o, o.to, o.line + 60), along(o, mid - 100, o.line + 60)},
                   true);
        break;
    case OpeningKind::Door:
        doorLeaf(s, o, o.hingeAtFrom ? o.from : o.to, o.hingeAtFrom ? o.to : o.from);
        break;
    case OpeningKind::EntranceDoor:
        doorLeaf(s, o, o.from, mid);
        doorLeaf(s, o, o.to, mid);
        break;
    }
    // Codes: windows outside the wall, doors on the side they are entered from.
    double side;
    if (o.kind == OpeningKind::Door || o.kind == OpeningKind::EntranceDoor) side = -o.swing;
    else side = o.line <= 0 ? -1 : 1;
    const AcGePoint2d at = along(o, mid, o.line + side * (t / 2 + 350));
    s.text(L"门窗", at.x, at.y, 3, o.code, Align::Middle, o.vertical ? 90 : 0);
}

}  // namespace

void stair(const Sheet& s, double dx, StairFloor floor) {
    const bool ground = floor == StairFloor::Ground, top = floor == StairFloor::Top;
    const double w0 = dx + 7600, w1 = dx + 8750, e0 = dx + 8950, e1 = dx + 10100;
    const double breakY = 9300;
    for (int i = 0; i <= kTreads; ++i) {
        const double y = kFlightY0 + i * kTread;
        if (top || !ground || y < breakY - 250) s.line(L"楼梯", w0, y, w1, y);
        if (!ground) s.line(L"楼梯", e0, y, e1, y);
    }
    if (!ground) {
        s.rect(L"楼梯", w1 - 50, kFlightY0 - 60, e0 + 50, kFlightY1 + 60);
        s.rect(L"楼梯", w1, kFlightY0, e0, kFlightY1);
    } else {
        s.line(L"楼梯", w1, kFlightY0, w1, breakY);
    }
    const double up = (w0 + w1) / 2, down = (e0 + e1) / 2;
    if (top) {
        // Nothing rises above the top floor: a guard rail closes the well, both flights go down.
        s.polyline(L"楼梯", {{w0 - 100, kFlightY1 + 60}, {w1 - 50, kFlightY1 + 60}}, false);
        arrow(s, L"楼梯", down, kFlightY1 + 600, down, 6400, L"");
        s.text(L"楼梯", down, 6000, 3.5, L"下", Align::Middle);
        return;
    }
    // The cut through the rising flight.
    s.polyline(L"楼梯",
               {{w0, breakY - 300}, {w0 + 520, breakY - 40}, {w0 + 560, breakY - 200}, {w0 + 640, breakY + 120},
                {w0 + 680, breakY - 40}, {w1 + (ground ? 0 : 250), breakY + 250}},
               false);
    arrow(s, L"楼梯", up, 6400, up, breakY - 500, L"");
    s.text(L"楼梯", up, 6000, 3.5, L"上", Align::Middle);
    if (!ground) {
        arrow(s, L"楼梯", down, breakY + 600, down, 6400, L"");
        s.text(L"楼梯", down, 6000, 3.5, L"下", Align::Middle);
    }
}

namespace {

void entrance(const Sheet& s, double dx) {
    s.rect(L"散水", dx + 7900, kDepth + kFace, dx + 9800, kDepth + 1300);
    s.polyline(L"散水", {{dx + 7600, kDepth + kFace}, {dx + 7600, kDepth + 1600}, {dx + 10100, kDepth + 1600},
                         {dx + 10100, kDepth + kFace}},
               false);
    // The canopy above, shown dashed.
    setLinetype(s.rect(L"门窗", dx + 7700, kDepth + kFace, dx + 10000, kDepth + 1450), L"DASHED");
}

std::vector<double> stops(const std::vector<double>& axes, const Plan& p, bool vertical, double line) {
    std::set<long> v;
    for (double a : axes) v.insert(std::lround(a));
    for (const Opening& o : p.openings)
        if (o.vertical == vertical && std::fabs(o.line - line) < 1 && o.kind != OpeningKind::Door) {
            v.insert(std::lround(o.from));
            v.insert(std::lround(o.to));
        }
    return std::vector<double>(v.begin(), v.end());
}

// Axes with bubbles at both ends, and the dimension chains: openings, axes, overall.
void gridAndDimensions(const Sheet& s, const Plan& p, bool openings) {
    const auto& xs = axesX();
    const auto& ys = axesY();
    for (size_t i = 0; i < xs.size(); ++i) axis(s, xs[i], kSouthBubble, xs[i], kNorthBubble, std::to_wstring(i + 1));
    for (size_t i = 0; i < ys.size(); ++i) axis(s, kWestBubble, ys[i], kEastBubble, ys[i], axisNameY(i));
    int tier = 0;
    if (openings) {
        s.dimensionChain(stops(xs, p, false, 0), kSouthFrom, kSouth[0], false);
        s.dimensionChain(stops(ys, p, true, 0), kWestFrom, kWest[0], true);
        s.dimensionChain(stops(ys, p, true, kLength), kEastFrom, kEast[0], true);
        tier = 1;
    }
    s.dimensionChain(xs, kSouthFrom, kSouth[tier], false);
    s.dimensionChain(xs, kNorthFrom, kNorth[0], false);
    s.dimensionChain(ys, kWestFrom, kWest[tier], true);
    s.dimensionChain(ys, kEastFrom, kEast[tier], true);
    s.dimension(-kFace, kSouthFrom, kLength + kFace, kSouthFrom, kSouth[tier + 1], false);
    s.dimension(-kFace, kNorthFrom, kLength + kFace, kNorthFrom, kNorth[1], false);
    s.dimension(kWestFrom, -kFace, kWestFrom, kDepth + kFace, kWest[tier + 1], true);
    s.dimension(kEastFrom, -kFace, kEastFrom, kDepth + kFace, kEast[tier + 1], true);
}

// Construction lines the draughtsman keeps on a layer that is never plotted.
void constructionLines(const Sheet& s) {
    const double m = 6000;
    s.rect(L"辅助线", -m, -m - kBalconyDepth, kLength + m, kDepth + m);
    for (double x : {kLength / 3, 2 * kLength / 3}) s.line(L"辅助线", x, -m - kBalconyDepth, x, kDepth + m);
    s.text(L"辅助线", -m + 500, kDepth + m - 1200, 5, L"辅助线：建筑退线 6m（不打印）");
}

void notes(const Sheet& s, double x, double y, const std::wstring& body) {
    s.text(L"文字", x, y, 5, L"说明：", Align::Left, 0, true);
    s.note(L"文字", x, y - s.mm(3), 3.5, 120, body);
}

}  // namespace

void floorBody(const Sheet& s, const Symbols& sym, bool ground, bool furniture) {
    const Plan p = floorPlan(ground ? Level::Ground : Level::Typical);
    for (const WallPiece& w : wallPieces(p)) {
        if (w.partition) {
            const bool vertical = std::fabs(w.x0 - w.x1) < 1;
            const double h = w.thickness / 2;
            if (vertical) s.rect(L"墙体", w.x0 - h, w.y0, w.x0 + h, w.y1);
            else s.rect(L"墙体", w.x0, w.y0 - h, w.x1, w.y0 + h);
        } else {
            s.polyline(L"墙体", {{w.x0, w.y0}, {w.x1, w.y1}}, false, w.thickness);
        }
    }
    for (const Opening& o : p.openings) drawOpening(s, o);
    for (const AcGePoint2d& c : p.columns) s.place(sym.column, L"柱", c.x, c.y);
    for (int k = 0; k < kUnitCount; ++k) stair(s, k * kUnitWidth, ground ? StairFloor::Ground : StairFloor::Typical);
    for (const Room& r : p.rooms) s.text(L"文字", r.x, r.y, 4, r.name, Align::Middle);
    if (furniture)
        for (const Furniture& f : p.furniture) s.place(furnitureBlock(sym, f.kind), L"家具", f.x, f.y, f.rotation);
}

void groundFloorPlan(const Sheet& s, const Symbols& sym) {
    const Plan p = floorPlan(Level::Ground);
    floorBody(s, sym, true, true);
    s.polyline(L"散水", offsetOutline(p.outline, 800), true);
    for (int k = 0; k < kUnitCount; ++k) entrance(s, k * kUnitWidth);
    gridAndDimensions(s, p, true);
    levelMark(s, sym, 4700, 4500, {L"±0.000"});
    levelMark(s, sym, 2000, 13300, {L"-0.450"});
    sectionEnd(s, 8850, -6500, true, -1, L"2");
    sectionEnd(s, 8850, 17200, true, -1, L"2");
    sectionEnd(s, 5550, -6500, true, 1, L"1");
    sectionEnd(s, 5550, 17200, true, 1, L"1");
    s.place(sym.northArrow, L"标注", kLength + 8500, kDepth - 1000);
    constructionLines(s);
    s.title(kLength / 2, -8300, L"首层平面图", L"1:100");
    notes(s, kLength + 6300, -2000,
          L"1. 本层建筑面积 706.5m2，室内外高差 450。\\P"
          L"2. 外墙为 200 厚加气混凝土砌块，内隔墙 100 厚轻质隔墙。\\P"
          L"3. 散水宽 800，做法见 05J1 散 2。\\P"
          L"4. 单元门 M1224 为防盗对讲门，由专业厂家配套。");
}

void typicalFloorPlan(const Sheet& s, const Symbols& sym) {
    const Plan p = floorPlan(Level::Typical);
    floorBody(s, sym, false, true);
    gridAndDimensions(s, p, true);
    levelMark(s, sym, 4700, 4500, {L"3.000", L"6.000", L"9.000", L"12.000", L"15.000"});
    constructionLines(s);
    s.title(kLength / 2, -8300, L"二至六层平面图", L"1:100");
    notes(s, kLength + 6300, -2000,
          L"1. 本层建筑面积 712.8m2（每层）。\\P"
          L"2. 阳台栏杆高 1100，做法见 05J8 第 12 页。\\P"
          L"3. 卫生间楼面比同层楼面低 20，坡向地漏 1%。\\P"
          L"4. 空调板位置见立面图。");
}

void roofPlan(const Sheet& s, const Symbols& sym) {
    const Plan p = floorPlan(Level::Typical);
    const std::vector<AcGePoint2d> outer{{-kFace, -kFace}, {kLength + kFace, -kFace},
                                         {kLength + kFace, kDepth + kFace}, {-kFace, kDepth + kFace}};
    s.polyline(L"墙体", outer, true);
    s.polyline(L"墙体", offsetOutline(outer, -200), true);
    // The parapet's top, filled: the roof inside is the island.
    s.solid(L"墙体", {outer, offsetOutline(outer, -200)});
    // Gutters along the long sides, the ridge between them, the balcony roofs below.
    const double ridge = kDepth / 2;
    s.line(L"屋面", 100, 500, kLength - 100, 500);
    s.line(L"屋面", 100, kDepth - 500, kLength - 100, kDepth - 500);
    setLinetype(s.line(L"屋面", 100, ridge, kLength - 100, ridge), L"CENTER2");
    for (int k = 0; k < kUnitCount; ++k) {
        const double dx = k * kUnitWidth;
        for (double b0 : {3600.0, 10200.0}) s.rect(L"屋面", dx + b0, -kBalconyDepth, dx + b0 + 3900, -kFace);
        for (double x : {dx + 1500, dx + kUnitWidth - 1500})
            for (double y : {300.0, kDepth - 300}) {
                s.circle(L"屋面", x, y, 120);
                s.text(L"屋面", x + 300, y + (y < ridge ? 300 : -700), 3, L"YD");
            }
        for (double x : {dx + 4400, dx + 13300}) {
            arrow(s, L"屋面", x, ridge - 500, x, 1500, L"i=2%");
            arrow(s, L"屋面", x, ridge + 500, x, kDepth - 1500, L"i=2%");
        }
        arrow(s, L"屋面", dx + 7000, 500, dx + 3000, 500, L"");
        s.text(L"屋面", dx + 5000, 800, 3, L"i=1%", Align::Centre);
        s.rect(L"屋面", dx + 8500, 8700, dx + 9200, 9400);
        s.line(L"屋面", dx + 8500, 8700, dx + 9200, 9400);
        s.line(L"屋面", dx + 8500, 9400, dx + 9200, 8700);
        s.text(L"屋面", dx + 8850, 9700, 3, L"上人孔", Align::Centre);
    }
    s.text(L"屋面", kLength / 2, ridge + 300, 3.5, L"分水线", Align::Centre);
    gridAndDimensions(s, p, false);
    levelMark(s, sym, 2000, 6900, {L"18.000"});
    levelMark(s, sym, 2000, 12900, {L"19.200"});
    constructionLines(s);
    s.title(kLength / 2, -8300, L"屋顶平面图", L"1:100");
    notes(s, kLength + 6300, -2000,
          L"1. 屋面为不上人平屋面，防水等级 II 级，做法见建施-01。\\P"
          L"2. 女儿墙高 1200（自结构板面算起），压顶见建施-11。\\P"
          L"3. 雨水口 YD 为 Φ100 侧入式，雨水管 Φ100 UPVC。\\P"
          L"4. 屋面排水坡度 2%，天沟纵坡 1%。");
}

}  // namespace mksamples
