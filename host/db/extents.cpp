// getGeomExtents: the renderer measures each entity from the geometry it draws (exact curves,
// text by the font library, blocks as referenced), so that what is plotted and what a frame's
// window measures cannot disagree.
#include "dbents.h"
#include "render/measure.h"

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& ext) const {
    AcGePoint3d lo, hi;
    if (!vx::render::entityExtents(this, lo, hi)) return Acad::eInvalidExtents;
    ext.set(lo, hi);
    return Acad::eOk;
}
