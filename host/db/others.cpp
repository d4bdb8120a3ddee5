// Entities kept mostly as data: hatch, dimension, viewport, block begin/end, unknown types.
#include "db/access.h"
#include "db/symbols.h"

using namespace vx::db;

AcDbHatch::AcDbHatch() { Access::initNew(this, kHatch); }
AcString AcDbHatch::patternName() const { return AcString(getText(this, Field{"AcDbHatch", 0, 2})); }
int AcDbHatch::numLoops() const { return static_cast<int>(getInt(this, Field{"AcDbHatch", 0, 91}, 0)); }
bool AcDbHatch::isSolid() const { return getInt(this, Field{"AcDbHatch", 0, 70}, 0) == 1; }

AcDbDimension::AcDbDimension() { Access::initNew(this, kDimension); }
AcDbObjectId AcDbDimension::dimBlockId() const {
    Store* st = Access::store(this);
    if (!st || !st->blockTable) return AcDbObjectId::kNull;
    return AcDbObjectId::fromObject(blockNamed(*st, getText(this, Field{"AcDbDimension", 0, 2})));
}
AcGePoint3d AcDbDimension::textPosition() const { return getPoint(this, Field{"AcDbDimension", 0, 11}); }
AcString AcDbDimension::dimensionText() const { return AcString(getText(this, Field{"AcDbDimension", 0, 1})); }

AcDbViewport::AcDbViewport() { Access::initNew(this, kViewport); }
AcGePoint3d AcDbViewport::centerPoint() const { return getPoint(this, Field{"AcDbViewport", 0, 10}); }
Acad::ErrorStatus AcDbViewport::setCenterPoint(const AcGePoint3d& p) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    setPoint(this, Field{"AcDbViewport", 0, 10}, p);
    return Acad::eOk;
}
double AcDbViewport::width() const { return getReal(this, Field{"AcDbViewport", 0, 40}, 0.0); }
Acad::ErrorStatus AcDbViewport::setWidth(double w) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    setReal(this, Field{"AcDbViewport", 0, 40}, w);
    return Acad::eOk;
}
double AcDbViewport::height() const { return getReal(this, Field{"AcDbViewport", 0, 41}, 0.0); }
Acad::ErrorStatus AcDbViewport::setHeight(double h) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    setReal(this, Field{"AcDbViewport", 0, 41}, h);
    return Acad::eOk;
}
int AcDbViewport::number() const { return static_cast<int>(getInt(this, Field{"AcDbViewport", 0, 69}, 0)); }

AcDbBlockBegin::AcDbBlockBegin() { Access::initNew(this, kBlockBegin); }
AcDbBlockEnd::AcDbBlockEnd() { Access::initNew(this, kBlockEnd); }
AcDbUnknownEntity::AcDbUnknownEntity() { Access::initNew(this, kUnknownEntity); }
AcDbXrecord::AcDbXrecord() { Access::initNew(this, kXrecord); }
AcDbUnknownObject::AcDbUnknownObject() { Access::initNew(this, kUnknownObject); }
