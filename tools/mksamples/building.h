// The project's building, 1#住宅楼: six storeys of three units, each unit a stair between two
// flats (the east flat the west one mirrored). Everything here is in millimetres of the
// building, axis 1 / axis A at (0, 0); the drawings take it from here.
#pragma once

#include <string>
#include <vector>

#include "acdb.h"

namespace mksamples::building {

constexpr int kUnitCount = 3;
constexpr double kUnitWidth = 17700, kDepth = 12600;
constexpr double kLength = kUnitCount * kUnitWidth;
constexpr int kStoreys = 6;
constexpr double kStorey = 3000, kParapet = 1200, kOutdoor = -450;
// The stair bay of a unit and its flights (stair lines are given within the bay).
constexpr double kStairX0 = 7500, kStairX1 = 10200, kStairY0 = 5400;
constexpr double kFlightY0 = 7800, kTread = 280;
constexpr int kTreads = 9;
constexpr double kFlightY1 = kFlightY0 + kTreads * kTread;
constexpr double kBalconyDepth = 1500;

// Axis 1..16 and A..D.
const std::vector<double>& axesX();
const std::vector<double>& axesY();
std::wstring axisNameY(size_t i);

struct Wall {
    double x0, y0, x1, y1;  // centre line, axis-parallel
    double thickness;
    bool partition;
};

enum class OpeningKind { Window, Door, SlidingDoor, EntranceDoor };

struct Opening {
    bool vertical;      // in a wall running along y
    double line;        // the wall's x (vertical) or y
    double from, to;    // along the wall
    double thickness;   // of the wall it is in
    OpeningKind kind;
    const wchar_t* code;
    int swing;          // doors: +1 opens towards +x / +y, -1 the other way
    bool hingeAtFrom;
    double sill, height;  // window sill and head above the floor
};

struct Room {
    double x, y;
    const wchar_t* name;
};

struct Furniture {
    int kind;  // index into the symbol list the plans use
    double x, y, rotation;
};
enum FurnitureKind { kDoubleBed, kSingleBed, kSofa, kTeaTable, kTvCabinet, kDiningSet, kDesk, kToilet, kBasin,
                     kSink, kStove };

enum class Level { Ground, Typical };

struct Plan {
    std::vector<Wall> walls;
    std::vector<Opening> openings;
    std::vector<Room> rooms;
    std::vector<Furniture> furniture;
    std::vector<AcGePoint2d> columns;
    std::vector<AcGePoint2d> outline;  // outer faces, counter-clockwise, balconies included
};

// Whether the opening exists on storey k (0 = ground) of the building: the stair's landing
// windows stand half a storey up, so there is none below the first landing nor above the roof.
bool builtOnStorey(const Opening& o, int k);

// The whole floor at that level (walls split nowhere yet; openings listed separately).
Plan floorPlan(Level level);

// Pieces of a wall that remain between its openings, each with whether its ends meet other
// walls (and so run on by half a thickness into the junction).
struct WallPiece {
    double x0, y0, x1, y1, thickness;
    bool partition;
};
std::vector<WallPiece> wallPieces(const Plan& plan);

// The polygon `pts` (axis-parallel edges, counter-clockwise) moved outwards by d (inwards when
// d < 0).
std::vector<AcGePoint2d> offsetOutline(const std::vector<AcGePoint2d>& pts, double d);

}  // namespace mksamples::building
