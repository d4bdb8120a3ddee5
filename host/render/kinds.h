// Entities to shapes: one function per entity kind, chosen from a table. Block references,
// dimensions (their blocks) and viewports are drawn by the scene, which instances blocks.
#pragma once

#include <initializer_list>
#include <string_view>
#include <unordered_set>

#include "dbents.h"
#include "render/entity_props.h"
#include "render/geometry.h"
#include "render/shapes.h"
#include "render/tables.h"

namespace vx::render {

struct BuildContext {
    explicit BuildContext(Tables& t) : tables(t) {}
    Tables& tables;
    bool inBlock = false;     // describing a block definition's contents
    bool plotting = true;     // non-plotted layers and "Defpoints" are hidden
    Box2 view;                // where infinite lines are cut and relative point sizes measured
    double ltFactor = 1;      // linetype scale of the view (paper-space scaling of viewports)
    // Layers frozen in the viewport model space is drawn through (entities of the space only).
    const std::unordered_set<const AcDbObject*>* frozenLayers = nullptr;
    bool viewDependent = false;  // set by kinds whose geometry depends on `view`
};

enum class Outcome {
    Drawn,    // described (possibly nothing visible, such as an empty text)
    Hidden,   // invisible, or on a layer that is off, frozen or not plotted
    Unknown,  // a kind that draws nothing
    Damaged,  // refused: non-finite coordinates or data no geometry can come from
};

// Describes one entity into the shapes (not a block reference, dimension or viewport: see
// isReference). In Flatten mode hidden entities are left out; Measure mode measures them all.
Outcome describeEntity(const AcDbEntity* e, BuildContext& ctx, Shapes& s);

// Block references (INSERT, MINSERT) and dimensions draw their block; viewports model space.
bool isReference(const AcDbEntity* e);
bool isViewport(const AcDbEntity* e);
// XLINE and RAY: no extents, drawn wherever a view shows them.
bool isUnbounded(const AcDbEntity* e);

// The pen an entity asks for; `hidden` when its own layer hides it (a layer-0 entity inside a
// block follows its reference instead).
PenKey penKeyOf(const EntityProps& props, BuildContext& ctx, bool& hidden);

// The first value of each of a few group codes (points: x at the code, y and z at +10, +20),
// read in one pass over the record up to its extended data.
class Fields {
public:
    Fields(const AcDbObject* o, std::initializer_list<int> codes);
    bool has(int code) const;
    double real(int code, double def = 0) const;
    long long integer(int code, long long def = 0) const;
    AcGePoint3d point(int code, const AcGePoint3d& def = AcGePoint3d::kOrigin) const;
    AcGeVector3d normal() const;  // 210, (0,0,1) when absent or zero

private:
    static constexpr int kMax = 24;
    int m_codes[kMax];
    std::string_view m_values[kMax];
    bool m_found[kMax];
    int m_count = 0;
    int slot(int code) const;
};

// Kind functions (false: the entity is damaged beyond drawing).
using KindFn = bool (*)(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeLine(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeInfiniteLine(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeCircle(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeArc(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeEllipse(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describePoint(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeSolid(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeFace(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeLwPolyline(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describePolyline(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeSpline(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeLeader(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeHatch(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeText(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeMText(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeWipeout(const AcDbEntity* e, BuildContext& ctx, Shapes& s);
bool describeImage(const AcDbEntity* e, BuildContext& ctx, Shapes& s);

// Whether the entity's pen paints the background (a wipeout): the scene puts a barrier first.
bool isWipeout(const AcDbEntity* e);

}  // namespace vx::render
