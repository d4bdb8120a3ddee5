// AcDbEntity: the properties every entity has (layer, colour, linetype).
#include "db/access.h"
#include "db/symbols.h"

using namespace vx::db;

namespace {
const Field kLayerF{"AcDbEntity", 0, 8};
const Field kColor{"AcDbEntity", 0, 62};
const Field kTrueColor{"AcDbEntity", 0, 420};
const Field kLinetypeF{"AcDbEntity", 0, 6};
const Field kWeight{"AcDbEntity", 0, 370};
const Field kVisibility{"AcDbEntity", 0, 60};

template <class Fn>
void forSubents(AcDbEntity* e, bool doSubents, Fn fn) {
    if (!doSubents) return;
    std::vector<AcDbEntity*> kids;
    Access::children(e, kids);
    for (AcDbEntity* k : kids) fn(k);
}
}  // namespace

AcDbEntity::AcDbEntity() = default;
AcDbEntity::~AcDbEntity() = default;

AcString AcDbEntity::layer() const {
    if (m_layer) return static_cast<const AcDbSymbolTableRecord*>(m_layer)->name();
    return AcString(getText(this, kLayerF, L"0"));
}

AcDbObjectId AcDbEntity::layerId() const {
    if (m_layer) return AcDbObjectId::fromObject(m_layer);
    Store* st = Access::store(this);
    if (!st || !st->layerTable) return AcDbObjectId::kNull;
    return AcDbObjectId::fromObject(findRecord(st->layerTable, getText(this, kLayerF, L"0")));
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* name, bool doSubents) {
    if (!name || !*name) return Acad::eInvalidInput;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    Store* st = Access::store(this);
    AcDbObject* rec = nullptr;
    if (st) {
        rec = st->layerTable ? findRecord(st->layerTable, name) : nullptr;
        if (!rec) return Acad::eKeyNotFound;
        return setLayer(AcDbObjectId::fromObject(rec), doSubents);
    }
    setText(this, kLayerF, name);
    forSubents(this, doSubents, [&](AcDbEntity* k) { setText(k, kLayerF, name); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId id, bool doSubents) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto* rec = AcDbLayerTableRecord::cast(id.object());
    if (!rec) return Acad::eInvalidInput;
    if (database() && rec->database() != database()) return Acad::eWrongDatabase;
    std::wstring name = rec->name().str();
    setText(this, kLayerF, name);
    m_layer = rec;
    forSubents(this, doSubents, [&](AcDbEntity* k) {
        setText(k, kLayerF, name);
        Access::setLayerOf(k, rec);
    });
    return Acad::eOk;
}

uint16_t AcDbEntity::colorIndex() const {
    long long v = getInt(this, kColor, 256);
    return v < 0 || v > 257 ? 256 : static_cast<uint16_t>(v);
}

Acad::ErrorStatus AcDbEntity::setColorIndex(uint16_t index, bool doSubents) {
    if (index > 257) return Acad::eInvalidInput;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto apply = [&](AcDbEntity* e) {
        removeField(e, kTrueColor);
        if (index == 256) removeField(e, kColor);
        else setInt(e, kColor, index);
    };
    apply(this);
    forSubents(this, doSubents, apply);
    return Acad::eOk;
}

AcCmColor AcDbEntity::color() const {
    AcCmColor c;
    long long rgb = getInt(this, kTrueColor, -1);
    if (rgb >= 0) c.setRGB(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
    else c.setColorIndex(static_cast<int16_t>(colorIndex()));
    return c;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& c, bool doSubents) {
    if (!c.isByColor()) return setColorIndex(static_cast<uint16_t>(c.colorIndex()), doSubents);
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto apply = [&](AcDbEntity* e) { setInt(e, kTrueColor, static_cast<long long>(c.rgb())); };
    apply(this);
    forSubents(this, doSubents, apply);
    return Acad::eOk;
}

AcString AcDbEntity::linetype() const { return AcString(getText(this, kLinetypeF, L"ByLayer")); }

AcDbObjectId AcDbEntity::linetypeId() const {
    Store* st = Access::store(this);
    if (!st || !st->linetypeTable) return AcDbObjectId::kNull;
    return AcDbObjectId::fromObject(findRecord(st->linetypeTable, getText(this, kLinetypeF, L"ByLayer")));
}

Acad::ErrorStatus AcDbEntity::setLinetype(const ACHAR* name, bool doSubents) {
    if (!name || !*name) return Acad::eInvalidInput;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    Store* st = Access::store(this);
    if (st && st->linetypeTable && !findRecord(st->linetypeTable, name)) return Acad::eKeyNotFound;
    auto apply = [&](AcDbEntity* e) {
        if (sameName(name, L"ByLayer")) removeField(e, kLinetypeF);
        else setText(e, kLinetypeF, name);
    };
    apply(this);
    forSubents(this, doSubents, apply);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId id, bool doSubents) {
    auto* rec = AcDbLinetypeTableRecord::cast(id.object());
    if (!rec) return Acad::eInvalidInput;
    return setLinetype(rec->name().kACharPtr(), doSubents);
}

int AcDbEntity::lineWeight() const { return static_cast<int>(getInt(this, kWeight, -1)); }

Acad::ErrorStatus AcDbEntity::setLineWeight(int weight, bool doSubents) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (weight < -3 || weight > 211) return Acad::eInvalidInput;
    auto apply = [&](AcDbEntity* e) {
        if (weight == -1) removeField(e, kWeight);
        else setInt(e, kWeight, weight);
    };
    apply(this);
    forSubents(this, doSubents, apply);
    return Acad::eOk;
}

bool AcDbEntity::isVisible() const { return getInt(this, kVisibility, 0) == 0; }

Acad::ErrorStatus AcDbEntity::setVisibility(bool visible, bool doSubents) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto apply = [&](AcDbEntity* e) {
        if (visible) removeField(e, kVisibility);
        else setInt(e, kVisibility, 1);
    };
    apply(this);
    forSubents(this, doSubents, apply);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* other, bool doSubents) {
    if (!other) return Acad::eNullEntityPointer;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = other->database() && other->database() == database() && !other->layerId().isNull()
                               ? setLayer(other->layerId(), doSubents)
                               : setLayer(other->layer().kACharPtr(), doSubents);
    if (es != Acad::eOk) return es;
    setColor(other->color(), doSubents);
    // A linetype this drawing lacks is left as it was.
    AcString lt = other->linetype();
    if (database()) {
        setLinetype(lt.kACharPtr(), doSubents);
    } else {
        auto apply = [&](AcDbEntity* e) {
            if (sameName(lt.str(), L"ByLayer")) removeField(e, kLinetypeF);
            else setText(e, kLinetypeF, lt.str());
        };
        apply(this);
        forSubents(this, doSubents, apply);
    }
    setLineWeight(other->lineWeight(), doSubents);
    setVisibility(other->isVisible(), doSubents);
    return Acad::eOk;
}
