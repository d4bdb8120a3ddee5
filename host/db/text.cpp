// TEXT, ATTDEF and ATTRIB: the shared text fields and the attribute fields.
#include <cmath>

#include "db/access.h"
#include "db/ocs.h"
#include "db/text_metrics.h"

using namespace vx::db;

namespace {
constexpr double kDeg = M_PI / 180.0;
const Field kPos{"AcDbText", 1, 10};
const Field kHeight{"AcDbText", 1, 40};
const Field kString{"AcDbText", 1, 1};
const Field kRotation{"AcDbText", 1, 50};
const Field kWidth{"AcDbText", 1, 41};
const Field kOblique{"AcDbText", 1, 51};
const Field kStyle{"AcDbText", 1, 7};
const Field kGeneration{"AcDbText", 1, 71};
const Field kHorz{"AcDbText", 1, 72};
const Field kAlign{"AcDbText", 1, 11};
const Field kThickness{"AcDbText", 1, 39};
const Field kNormal{"AcDbText", 1, 210};
const Field kTag{nullptr, 0, 2};
const Field kAttFlags{nullptr, 0, 70};
const Field kPrompt{"AcDbAttributeDefinition", 0, 3};

Field vertField(const AcDbObject* o) {
    switch (Access::kind(o)) {
    case kAttrib: return Field{"AcDbAttribute", 0, 74};
    case kAttDef: return Field{"AcDbAttributeDefinition", 0, 74};
    default: return Field{"AcDbText", 2, 73};
    }
}

// The 280 of the attribute subclass that follows its tag: the lock-position flag (the first
// 280 of R2010+ files is the attribute's version number).
int lockIndex(const AcDbObject* o) {
    int tag = findField(o, kTag);
    if (tag < 0) return -1;
    size_t n = Access::tagCount(o);
    for (size_t i = static_cast<size_t>(tag) + 1; i < n; ++i) {
        TagRef t = Access::tag(o, i);
        if (t.code == 100 || t.code == 101 || t.code == 1001) break;
        if (t.code == 280) return static_cast<int>(i);
    }
    return -1;
}

bool lockOf(const AcDbObject* o) {
    int i = lockIndex(o);
    long long v = 0;
    return i >= 0 && parseInt(Access::tag(o, static_cast<size_t>(i)).value, v) && v != 0;
}

Acad::ErrorStatus setLock(AcDbObject* o, bool on) {
    if (!o->isWriteEnabled()) return Acad::eNotOpenForWrite;
    Store* st = Access::store(o);
    if (st && st->versionNumber < 1024) return on ? Acad::eNotApplicable : Acad::eOk;
    int i = lockIndex(o);
    OwnTags& own = Access::edit(o);
    if (i >= 0) {
        own.tags[static_cast<size_t>(i)].value = on ? "1" : "0";
        return Acad::eOk;
    }
    int at = findField(o, vertField(o));
    if (at < 0) at = findField(o, kAttFlags);
    if (at < 0) return Acad::eNotApplicable;
    own.tags.insert(own.tags.begin() + at + 1, OwnTag{280, false, on ? "1" : "0"});
    return Acad::eOk;
}

Acad::ErrorStatus setFlag(AcDbObject* o, int bit, bool on) {
    if (!o->isWriteEnabled()) return Acad::eNotOpenForWrite;
    long long f = getInt(o, kAttFlags, 0);
    setInt(o, kAttFlags, on ? (f | bit) : (f & ~static_cast<long long>(bit)));
    return Acad::eOk;
}

}  // namespace

AcDbText::AcDbText() { Access::initNew(this, kText); }
AcDbText::AcDbText(const AcGePoint3d& p, const ACHAR* s, AcDbObjectId style, double h, double r) : AcDbText() {
    setPosition(p);
    setTextString(s);
    if (!style.isNull()) setTextStyle(style);
    if (h > 0) setHeight(h);
    setRotation(r);
}

AcGePoint3d AcDbText::position() const { return planeToWorld(getPoint(this, kPos), normal()); }
Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, kPos, worldToPlane(p, normal()));
    return Acad::eOk;
}
AcGePoint3d AcDbText::alignmentPoint() const {
    if (!hasField(this, kAlign)) return position();
    return planeToWorld(getPoint(this, kAlign), normal());
}
Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, kAlign, worldToPlane(p, normal()));
    return isDefaultAlignment() ? Acad::eOk : adjustAlignment();
}
bool AcDbText::isDefaultAlignment() const { return horizontalMode() == AcDb::kTextLeft && verticalMode() == AcDb::kTextBase; }
double AcDbText::height() const { return getReal(this, kHeight, 0.0); }
Acad::ErrorStatus AcDbText::setHeight(double h) {
    WRITE_GUARD();
    if (!(h > 0)) return Acad::eInvalidInput;
    setReal(this, kHeight, h);
    return isDefaultAlignment() ? Acad::eOk : adjustAlignment();
}
double AcDbText::widthFactor() const { return getReal(this, kWidth, 1.0); }
Acad::ErrorStatus AcDbText::setWidthFactor(double f) {
    WRITE_GUARD();
    if (!(f > 0)) return Acad::eInvalidInput;
    setReal(this, kWidth, f);
    return isDefaultAlignment() ? Acad::eOk : adjustAlignment();
}
double AcDbText::rotation() const { return getReal(this, kRotation, 0.0) * kDeg; }
Acad::ErrorStatus AcDbText::setRotation(double a) {
    WRITE_GUARD();
    if (a == 0 && !hasField(this, kRotation)) return Acad::eOk;
    setReal(this, kRotation, a / kDeg);
    return isDefaultAlignment() ? Acad::eOk : adjustAlignment();
}
double AcDbText::oblique() const { return getReal(this, kOblique, 0.0) * kDeg; }
Acad::ErrorStatus AcDbText::setOblique(double a) {
    WRITE_GUARD();
    setReal(this, kOblique, a / kDeg);
    return Acad::eOk;
}
AcString AcDbText::textString() const { return AcString(getText(this, kString)); }
const ACHAR* AcDbText::textStringConst() const {
    m_textCache = textString();
    return m_textCache.kACharPtr();
}
Acad::ErrorStatus AcDbText::setTextString(const ACHAR* s) {
    WRITE_GUARD();
    setText(this, kString, s ? s : L"");
    return isDefaultAlignment() ? Acad::eOk : adjustAlignment();
}
AcDbObjectId AcDbText::textStyle() const {
    Store* st = Access::store(this);
    if (!st) return AcDbObjectId::kNull;
    std::wstring name = getText(this, kStyle, L"Standard");
    for (AcDbSymbolTableRecord* r : st->styleTable ? st->styleTable->records() : std::vector<AcDbSymbolTableRecord*>())
        if (!r->isErased() && sameName(r->name().str(), name)) return r->objectId();
    return AcDbObjectId::kNull;
}
Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId id) {
    WRITE_GUARD();
    auto* rec = AcDbTextStyleTableRecord::cast(id.object());
    if (!rec) return Acad::eInvalidInput;
    setText(this, kStyle, rec->name().str());
    return Acad::eOk;
}
AcDb::TextHorzMode AcDbText::horizontalMode() const {
    long long v = getInt(this, kHorz, 0);
    return v >= 0 && v <= 5 ? static_cast<AcDb::TextHorzMode>(v) : AcDb::kTextLeft;
}
Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode m) {
    WRITE_GUARD();
    setInt(this, kHorz, m);
    if (!hasField(this, kAlign)) setPoint(this, kAlign, getPoint(this, kPos));
    return isDefaultAlignment() ? Acad::eOk : adjustAlignment();
}
AcDb::TextVertMode AcDbText::verticalMode() const {
    long long v = getInt(this, vertField(this), 0);
    return v >= 0 && v <= 3 ? static_cast<AcDb::TextVertMode>(v) : AcDb::kTextBase;
}
Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode m) {
    WRITE_GUARD();
    setInt(this, vertField(this), m);
    if (!hasField(this, kAlign)) setPoint(this, kAlign, getPoint(this, kPos));
    return isDefaultAlignment() ? Acad::eOk : adjustAlignment();
}
AcGeVector3d AcDbText::normal() const { return getVector(this, kNormal, AcGeVector3d(0, 0, 1)); }
Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& n) {
    WRITE_GUARD();
    if (n.isZeroLength()) return Acad::eInvalidInput;
    AcGePoint3d p = position(), a = alignmentPoint();
    bool hadAlign = hasField(this, kAlign);
    setPoint(this, kNormal, AcGePoint3d(n.normal().x, n.normal().y, n.normal().z));
    setPosition(p);
    if (hadAlign) setPoint(this, kAlign, worldToPlane(a, normal()));
    return Acad::eOk;
}
double AcDbText::thickness() const { return getReal(this, kThickness, 0.0); }
bool AcDbText::isMirroredInX() const { return (getInt(this, kGeneration, 0) & 2) != 0; }
bool AcDbText::isMirroredInY() const { return (getInt(this, kGeneration, 0) & 4) != 0; }

Acad::ErrorStatus AcDbText::adjustAlignment(const AcDbDatabase*) {
    WRITE_GUARD();
    AcDb::TextHorzMode hm = horizontalMode();
    AcDb::TextVertMode vm = verticalMode();
    if (hm == AcDb::kTextAlign || hm == AcDb::kTextFit || isDefaultAlignment()) return Acad::eOk;
    double h = height() > 0 ? height() : 2.5;
    double w = textAdvance(textString().str(), h, widthFactor());
    double dx = 0, dy = 0;
    switch (hm) {
    case AcDb::kTextCenter: dx = w / 2; break;
    case AcDb::kTextRight: dx = w; break;
    case AcDb::kTextMid: dx = w / 2; dy = h / 2; break;
    default: break;
    }
    if (hm != AcDb::kTextMid) {
        switch (vm) {
        case AcDb::kTextVertMid: dy = h / 2; break;
        case AcDb::kTextTop: dy = h; break;
        default: break;
        }
    }
    AcGePoint3d a = getPoint(this, kAlign);
    double r = rotation();
    AcGePoint3d p(a.x - (dx * std::cos(r) - dy * std::sin(r)), a.y - (dx * std::sin(r) + dy * std::cos(r)), a.z);
    setPoint(this, kPos, p);
    return Acad::eOk;
}

// ---- attribute definitions -----------------------------------------------------------------

AcDbAttributeDefinition::AcDbAttributeDefinition() : AcDbText() {
    Access::initNew(this, kAttDef);
}
AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& p, const ACHAR* s, const ACHAR* tag,
                                                 const ACHAR* prompt, AcDbObjectId style)
    : AcDbAttributeDefinition() {
    setPosition(p);
    setTextString(s);
    setTag(tag);
    setPrompt(prompt);
    if (!style.isNull()) setTextStyle(style);
}
AcString AcDbAttributeDefinition::tag() const { return AcString(getText(this, kTag)); }
const ACHAR* AcDbAttributeDefinition::tagConst() const {
    m_tagCache = tag();
    return m_tagCache.kACharPtr();
}
Acad::ErrorStatus AcDbAttributeDefinition::setTag(const ACHAR* t) {
    WRITE_GUARD();
    if (!t || !*t) return Acad::eInvalidInput;
    setText(this, kTag, t);
    return Acad::eOk;
}
AcString AcDbAttributeDefinition::prompt() const { return AcString(getText(this, kPrompt)); }
Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const ACHAR* p) {
    WRITE_GUARD();
    setText(this, kPrompt, p ? p : L"");
    return Acad::eOk;
}
bool AcDbAttributeDefinition::isInvisible() const { return (getInt(this, kAttFlags, 0) & 1) != 0; }
Acad::ErrorStatus AcDbAttributeDefinition::setInvisible(bool on) { return setFlag(this, 1, on); }
bool AcDbAttributeDefinition::isConstant() const { return (getInt(this, kAttFlags, 0) & 2) != 0; }
Acad::ErrorStatus AcDbAttributeDefinition::setConstant(bool on) { return setFlag(this, 2, on); }
bool AcDbAttributeDefinition::isVerifiable() const { return (getInt(this, kAttFlags, 0) & 4) != 0; }
bool AcDbAttributeDefinition::isPreset() const { return (getInt(this, kAttFlags, 0) & 8) != 0; }
bool AcDbAttributeDefinition::lockPositionInBlock() const { return lockOf(this); }
Acad::ErrorStatus AcDbAttributeDefinition::setLockPositionInBlock(bool on) { return setLock(this, on); }

// ---- attributes ----------------------------------------------------------------------------

AcDbAttribute::AcDbAttribute() : AcDbText() {
    Access::initNew(this, kAttrib);
}
AcDbAttribute::AcDbAttribute(const AcGePoint3d& p, const ACHAR* s, const ACHAR* tag, AcDbObjectId style)
    : AcDbAttribute() {
    setPosition(p);
    setTextString(s);
    setTag(tag);
    if (!style.isNull()) setTextStyle(style);
}
AcString AcDbAttribute::tag() const { return AcString(getText(this, kTag)); }
const ACHAR* AcDbAttribute::tagConst() const {
    m_tagCache = tag();
    return m_tagCache.kACharPtr();
}
Acad::ErrorStatus AcDbAttribute::setTag(const ACHAR* t) {
    WRITE_GUARD();
    if (!t || !*t) return Acad::eInvalidInput;
    setText(this, kTag, t);
    return Acad::eOk;
}
bool AcDbAttribute::isInvisible() const { return (getInt(this, kAttFlags, 0) & 1) != 0; }
Acad::ErrorStatus AcDbAttribute::setInvisible(bool on) { return setFlag(this, 1, on); }
bool AcDbAttribute::isConstant() const { return (getInt(this, kAttFlags, 0) & 2) != 0; }
bool AcDbAttribute::isVerifiable() const { return (getInt(this, kAttFlags, 0) & 4) != 0; }
bool AcDbAttribute::isPreset() const { return (getInt(this, kAttFlags, 0) & 8) != 0; }
bool AcDbAttribute::lockPositionInBlock() const { return lockOf(this); }
Acad::ErrorStatus AcDbAttribute::setLockPositionInBlock(bool on) { return setLock(this, on); }

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* def, const AcGeMatrix3d& x) {
    WRITE_GUARD();
    if (!def) return Acad::eNullObjectPointer;
    setTag(def->tag().kACharPtr());
    setText(this, kString, def->textString().str());
    setInt(this, kAttFlags, getInt(def, kAttFlags, 0) & ~2LL);
    double scale = x.scale() > 0 ? x.scale() : 1.0;
    AcGeVector3d xdir = x * AcGeVector3d(std::cos(def->rotation()), std::sin(def->rotation()), 0);
    setReal(this, kHeight, def->height() * scale);
    if (def->widthFactor() != 1.0) setReal(this, kWidth, def->widthFactor());
    if (hasField(def, kStyle)) setText(this, kStyle, getText(def, kStyle));
    if (hasField(def, kOblique)) setReal(this, kOblique, getReal(def, kOblique));
    double rot = std::atan2(xdir.y, xdir.x);
    if (std::fabs(rot) > 1e-12 || hasField(def, kRotation)) setReal(this, kRotation, rot / kDeg);
    setPoint(this, kPos, x * def->position());
    if (!def->isDefaultAlignment()) {
        setInt(this, kHorz, def->horizontalMode());
        setInt(this, vertField(this), def->verticalMode());
        setPoint(this, kAlign, x * def->alignmentPoint());
    }
    if (def->lockPositionInBlock()) setLock(this, true);
    return Acad::eOk;
}
