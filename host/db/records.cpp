// Layer, text style and the data-only table records.
#include <cmath>

#include "db/access.h"
#include "db/symbols.h"

using namespace vx::db;

namespace {
const Field kFlags{nullptr, 0, 70};
const Field kLayerColor{"AcDbLayerTableRecord", 0, 62};
const Field kLayerTrueColor{"AcDbLayerTableRecord", 0, 420};
const Field kLayerLinetype{"AcDbLayerTableRecord", 0, 6};
const Field kLayerPlot{"AcDbLayerTableRecord", 0, 290};
const Field kStyleHeight{"AcDbTextStyleTableRecord", 0, 40};
const Field kStyleWidth{"AcDbTextStyleTableRecord", 0, 41};
const Field kStyleOblique{"AcDbTextStyleTableRecord", 0, 50};
const Field kStyleFont{"AcDbTextStyleTableRecord", 0, 3};
const Field kStyleBigFont{"AcDbTextStyleTableRecord", 0, 4};

Acad::ErrorStatus setFlagBit(AcDbObject* o, int bit, bool on) {
    if (!o->isWriteEnabled()) return Acad::eNotOpenForWrite;
    long long f = getInt(o, kFlags, 0);
    setInt(o, kFlags, on ? (f | bit) : (f & ~static_cast<long long>(bit)));
    return Acad::eOk;
}
}  // namespace

AcDbLayerTableRecord::AcDbLayerTableRecord() { Access::initNew(this, kLayer); }

AcCmColor AcDbLayerTableRecord::color() const {
    AcCmColor c;
    long long rgb = getInt(this, kLayerTrueColor, -1);
    if (rgb >= 0) {
        c.setRGB(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
        return c;
    }
    long long idx = std::llabs(getInt(this, kLayerColor, 7));
    c.setColorIndex(static_cast<int16_t>(idx >= 1 && idx <= 255 ? idx : 7));
    return c;
}

Acad::ErrorStatus AcDbLayerTableRecord::setColor(const AcCmColor& c) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    bool off = isOff();
    if (c.isByColor()) {
        setInt(this, kLayerTrueColor, static_cast<long long>(c.rgb()));
        return Acad::eOk;
    }
    int idx = c.colorIndex();
    if (idx < 1 || idx > 255) return Acad::eInvalidInput;
    removeField(this, kLayerTrueColor);
    setInt(this, kLayerColor, off ? -idx : idx);
    return Acad::eOk;
}

bool AcDbLayerTableRecord::isOff() const { return getInt(this, kLayerColor, 7) < 0; }

Acad::ErrorStatus AcDbLayerTableRecord::setIsOff(bool off) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    long long idx = std::llabs(getInt(this, kLayerColor, 7));
    if (idx == 0) idx = 7;
    setInt(this, kLayerColor, off ? -idx : idx);
    return Acad::eOk;
}

bool AcDbLayerTableRecord::isFrozen() const { return (getInt(this, kFlags, 0) & 1) != 0; }
Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool on) { return setFlagBit(this, 1, on); }
bool AcDbLayerTableRecord::isLocked() const { return (getInt(this, kFlags, 0) & 4) != 0; }
Acad::ErrorStatus AcDbLayerTableRecord::setIsLocked(bool on) { return setFlagBit(this, 4, on); }
bool AcDbLayerTableRecord::isPlottable() const {
    if (sameName(name().str(), L"Defpoints")) return false;
    return getInt(this, kLayerPlot, 1) != 0;
}
Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool on) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    setInt(this, kLayerPlot, on ? 1 : 0);
    return Acad::eOk;
}

AcDbObjectId AcDbLayerTableRecord::linetypeObjectId() const {
    Store* st = Access::store(this);
    if (!st) return AcDbObjectId::kNull;
    return AcDbObjectId::fromObject(findRecord(st->linetypeTable, getText(this, kLayerLinetype, L"Continuous")));
}

Acad::ErrorStatus AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto* lt = AcDbLinetypeTableRecord::cast(id.object());
    if (!lt) return Acad::eInvalidInput;
    setText(this, kLayerLinetype, lt->name().str());
    return Acad::eOk;
}

// ---- text styles ---------------------------------------------------------------------------

AcDbTextStyleTableRecord::AcDbTextStyleTableRecord() { Access::initNew(this, kTextStyle); }

double AcDbTextStyleTableRecord::textSize() const { return getReal(this, kStyleHeight, 0.0); }
Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double h) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (h < 0) return Acad::eNegativeValueNotAllowed;
    setReal(this, kStyleHeight, h);
    return Acad::eOk;
}
double AcDbTextStyleTableRecord::xScale() const { return getReal(this, kStyleWidth, 1.0); }
Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double s) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (s <= 0) return Acad::eInvalidInput;
    setReal(this, kStyleWidth, s);
    return Acad::eOk;
}
double AcDbTextStyleTableRecord::obliquingAngle() const { return getReal(this, kStyleOblique, 0.0) * M_PI / 180.0; }
Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double a) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    setReal(this, kStyleOblique, a * 180.0 / M_PI);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(AcString& name) const {
    name = AcString(getText(this, kStyleFont));
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& name) const {
    m_fileCache = AcString(getText(this, kStyleFont));
    name = m_fileCache.kACharPtr();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* name) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    setText(this, kStyleFont, name ? name : L"");
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(AcString& name) const {
    name = AcString(getText(this, kStyleBigFont));
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* name) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    setText(this, kStyleBigFont, name ? name : L"");
    return Acad::eOk;
}
bool AcDbTextStyleTableRecord::isShapeFile() const { return (getInt(this, kFlags, 0) & 1) != 0; }
bool AcDbTextStyleTableRecord::isVertical() const { return (getInt(this, kFlags, 0) & 4) != 0; }

#define VX_DEFINE_DATA_RECORD(RECORD, KIND) \
    RECORD::RECORD() { Access::initNew(this, KIND); }
VX_DEFINE_DATA_RECORD(AcDbLinetypeTableRecord, kLinetype)
VX_DEFINE_DATA_RECORD(AcDbRegAppTableRecord, kRegApp)
VX_DEFINE_DATA_RECORD(AcDbDimStyleTableRecord, kDimStyle)
VX_DEFINE_DATA_RECORD(AcDbViewportTableRecord, kVportRec)
VX_DEFINE_DATA_RECORD(AcDbViewTableRecord, kViewRec)
VX_DEFINE_DATA_RECORD(AcDbUCSTableRecord, kUcsRec)
