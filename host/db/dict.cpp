// Dictionaries (pairs 3 name / 350 or 360 handle), plot settings and layouts as data.
#include "db/access.h"
#include "db/registry.h"

using namespace vx::db;

namespace {

struct Entry {
    std::wstring name;
    size_t nameAt;
    size_t handleAt;
    uint64_t handle;
};

std::vector<Entry> entries(const AcDbDictionary* d) {
    std::vector<Entry> out;
    size_t n = Access::tagCount(d);
    bool in = false;
    Store* st = Access::store(d);
    for (size_t i = 1; i < n; ++i) {
        TagRef t = Access::tag(d, i);
        if (t.code == 1001) break;
        if (t.code == 100) { in = t.value == "AcDbDictionary"; continue; }
        if (!in || t.code != 3 || i + 1 >= n) continue;
        TagRef h = Access::tag(d, i + 1);
        if (h.code != 350 && h.code != 360) continue;
        uint64_t v = 0;
        parseHex(h.value, v);
        out.push_back({decodeText(t, st), i, i + 1, v});
        ++i;
    }
    return out;
}

AcDbObject* target(const AcDbDictionary* d, uint64_t h) {
    Store* st = Access::store(d);
    return st ? st->byHandleOrNull(h) : nullptr;
}

}  // namespace

AcDbDictionary::AcDbDictionary() { Access::initNew(this, kDictionary); }

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObjectId& id) const {
    id = AcDbObjectId::kNull;
    if (!key) return Acad::eInvalidKey;
    for (const Entry& e : entries(this)) {
        if (!sameName(e.name, key)) continue;
        AcDbObject* o = target(this, e.handle);
        if (!o || o->isErased()) continue;
        id = o->objectId();
        return Acad::eOk;
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObject*& obj, AcDb::OpenMode mode) const {
    obj = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(key, id);
    return es == Acad::eOk ? acdbOpenObject(obj, id, mode) : es;
}

bool AcDbDictionary::has(const ACHAR* key) const {
    AcDbObjectId id;
    return getAt(key, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId id) const {
    for (const Entry& e : entries(this))
        if (target(this, e.handle) == id.object() && id.object()) return true;
    return false;
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId id, AcString& key) const {
    for (const Entry& e : entries(this))
        if (id.object() && target(this, e.handle) == id.object()) {
            key = AcString(e.name);
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}

uint32_t AcDbDictionary::numEntries() const {
    uint32_t n = 0;
    for (const Entry& e : entries(this)) {
        AcDbObject* o = target(this, e.handle);
        if (o && !o->isErased()) ++n;
    }
    return n;
}

bool AcDbDictionary::isTreatElementsAsHard() const { return getInt(this, Field{"AcDbDictionary", 0, 280}, 0) != 0; }

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* key, AcDbObject* value, AcDbObjectId& id) {
    id = AcDbObjectId::kNull;
    if (!key || !*key) return Acad::eInvalidKey;
    if (!value) return Acad::eNullObjectPointer;
    if (!database()) return Acad::eNoDatabase;
    WRITE_GUARD();
    Store& st = database()->store();
    if (!value->database()) {
        st.adopt(value, this);
        Access::openForWriteNew(value);
        // The reactor of a new object points at its dictionary.
        size_t n = Access::tagCount(value);
        for (size_t i = 1; i + 1 < n; ++i)
            if (Access::tag(value, i).code == 102 && Access::tag(value, i).value == "{ACAD_REACTORS") {
                Access::edit(value).tags[i + 1].value = formatHex(Access::handle(this));
                break;
            }
        st.ensureSection(SectionKind::Objects).items.push_back(value);
    } else if (value->database() != database()) {
        return Acad::eWrongDatabase;
    }
    std::string hex = formatHex(Access::handle(value));
    for (const Entry& e : entries(this)) {
        if (!sameName(e.name, key)) continue;
        AcDbObject* old = target(this, e.handle);
        Access::edit(this).tags[e.handleAt].value = hex;
        if (old && old != value) Access::setFlag(old, fErased, true);
        id = value->objectId();
        return Acad::eOk;
    }
    int16_t code = isTreatElementsAsHard() ? 360 : 350;
    OwnTags& own = Access::edit(this);
    size_t at = own.tags.size();
    for (size_t i = 1; i < own.tags.size(); ++i)
        if (own.tags[i].code == 1001) { at = i; break; }
    own.tags.insert(own.tags.begin() + static_cast<long>(at),
                    {OwnTag{3, true, vx::db::encodeText(key, nullptr)}, OwnTag{code, false, hex}});
    id = value->objectId();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key) {
    AcDbObjectId id;
    return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& id) {
    id = AcDbObjectId::kNull;
    WRITE_GUARD();
    for (const Entry& e : entries(this)) {
        if (!key || !sameName(e.name, key)) continue;
        id = AcDbObjectId::fromObject(target(this, e.handle));
        OwnTags& own = Access::edit(this);
        own.tags.erase(own.tags.begin() + static_cast<long>(e.nameAt), own.tags.begin() + static_cast<long>(e.handleAt) + 1);
        return Acad::eOk;
    }
    return Acad::eKeyNotFound;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const { return new AcDbDictionaryIterator(this); }

AcDbDictionaryIterator::AcDbDictionaryIterator(const AcDbDictionary* d) {
    for (const Entry& e : entries(d)) {
        AcDbObject* o = target(d, e.handle);
        if (!o || o->isErased()) continue;
        m_names.append(AcString(e.name));
        m_ids.append(o->objectId());
    }
}
const ACHAR* AcDbDictionaryIterator::name() const { return done() ? L"" : m_names[m_pos].kACharPtr(); }
AcDbObjectId AcDbDictionaryIterator::objectId() const { return done() ? AcDbObjectId::kNull : m_ids[m_pos]; }
Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& obj, AcDb::OpenMode mode) {
    obj = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenObject(obj, m_ids[m_pos], mode);
}
bool AcDbDictionaryIterator::done() const { return m_pos >= m_ids.length(); }
bool AcDbDictionaryIterator::next() {
    if (done()) return false;
    ++m_pos;
    return !done();
}
void AcDbDictionaryIterator::settle() {}

// ---- plot settings and layouts --------------------------------------------------------------

namespace {
Field ps(int16_t code) { return Field{"AcDbPlotSettings", 0, code}; }
Field lo(int16_t code) { return Field{"AcDbLayout", 0, code}; }
}  // namespace

#define PS_TEXT(GET, SET, CODE)                                           \
    Acad::ErrorStatus AcDbPlotSettings::GET(AcString& s) const {          \
        s = AcString(getText(this, ps(CODE)));                            \
        return Acad::eOk;                                                 \
    }                                                                     \
    Acad::ErrorStatus AcDbPlotSettings::SET(const ACHAR* s) {             \
        WRITE_GUARD();                                                    \
        setText(this, ps(CODE), s ? s : L"");                             \
        return Acad::eOk;                                                 \
    }
#define PS_PAIR(GET, SET, C1, C2)                                         \
    Acad::ErrorStatus AcDbPlotSettings::GET(double& a, double& b) const { \
        a = getReal(this, ps(C1));                                        \
        b = getReal(this, ps(C2));                                        \
        return Acad::eOk;                                                 \
    }                                                                     \
    Acad::ErrorStatus AcDbPlotSettings::SET(double a, double b) {         \
        WRITE_GUARD();                                                    \
        setReal(this, ps(C1), a);                                         \
        setReal(this, ps(C2), b);                                         \
        return Acad::eOk;                                                 \
    }
#define PS_INT(GET, SET, TYPE, CODE, DEF)                                 \
    AcDbPlotSettings::TYPE AcDbPlotSettings::GET() const {                \
        return static_cast<TYPE>(getInt(this, ps(CODE), DEF));            \
    }                                                                     \
    Acad::ErrorStatus AcDbPlotSettings::SET(TYPE v) {                     \
        WRITE_GUARD();                                                    \
        setInt(this, ps(CODE), v);                                        \
        return Acad::eOk;                                                 \
    }

AcDbPlotSettings::AcDbPlotSettings() { Access::initNew(this, kPlotSettings); }
AcDbPlotSettings::AcDbPlotSettings(bool modelType) : AcDbPlotSettings() {
    setPlotFlags(modelType ? (plotFlags() | kModelType) : (plotFlags() & ~kModelType));
}
PS_TEXT(getPlotSettingsName, setPlotSettingsName, 1)
PS_TEXT(getPlotCfgName, setPlotCfgName, 2)
PS_TEXT(getCanonicalMediaName, setCanonicalMediaName, 4)
PS_TEXT(getPlotViewName, setPlotViewName, 6)
PS_TEXT(getCurrentStyleSheet, setCurrentStyleSheet, 7)
PS_PAIR(getPlotPaperSize, setPlotPaperSize, 44, 45)
PS_PAIR(getPlotOrigin, setPlotOrigin, 46, 47)
PS_PAIR(getCustomPrintScale, setCustomPrintScale, 142, 143)
PS_INT(plotPaperUnits, setPlotPaperUnits, PlotPaperUnits, 72, 1)
PS_INT(plotRotation, setPlotRotation, PlotRotation, 73, 0)
PS_INT(plotType, setPlotType, PlotType, 74, 5)

Acad::ErrorStatus AcDbPlotSettings::getPlotPaperMargins(double& l, double& b, double& r, double& t) const {
    l = getReal(this, ps(40));
    b = getReal(this, ps(41));
    r = getReal(this, ps(42));
    t = getReal(this, ps(43));
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPlotSettings::setPlotPaperMargins(double l, double b, double r, double t) {
    WRITE_GUARD();
    setReal(this, ps(40), l);
    setReal(this, ps(41), b);
    setReal(this, ps(42), r);
    setReal(this, ps(43), t);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPlotSettings::getPlotWindowArea(double& x0, double& y0, double& x1, double& y1) const {
    x0 = getReal(this, ps(48));
    y0 = getReal(this, ps(49));
    x1 = getReal(this, ps(140));
    y1 = getReal(this, ps(141));
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPlotSettings::setPlotWindowArea(double x0, double y0, double x1, double y1) {
    WRITE_GUARD();
    setReal(this, ps(48), x0);
    setReal(this, ps(49), y0);
    setReal(this, ps(140), x1);
    setReal(this, ps(141), y1);
    return Acad::eOk;
}
double AcDbPlotSettings::stdScale() const { return getReal(this, ps(147), 1.0); }
Acad::ErrorStatus AcDbPlotSettings::setStdScale(double s) {
    WRITE_GUARD();
    setReal(this, ps(147), s);
    return Acad::eOk;
}
int AcDbPlotSettings::stdScaleType() const { return static_cast<int>(getInt(this, ps(75), 0)); }
Acad::ErrorStatus AcDbPlotSettings::setStdScaleType(int t) {
    WRITE_GUARD();
    setInt(this, ps(75), t);
    return Acad::eOk;
}
int AcDbPlotSettings::plotFlags() const { return static_cast<int>(getInt(this, ps(70), 0)); }
Acad::ErrorStatus AcDbPlotSettings::setPlotFlags(int f) {
    WRITE_GUARD();
    setInt(this, ps(70), f);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPlotSettings::setPlotCentered(bool on) {
    return setPlotFlags(on ? (plotFlags() | kPlotCentered) : (plotFlags() & ~kPlotCentered));
}
Acad::ErrorStatus AcDbPlotSettings::setUseStandardScale(bool on) {
    return setPlotFlags(on ? (plotFlags() | kUseStandardScale) : (plotFlags() & ~kUseStandardScale));
}

AcDbLayout::AcDbLayout() : AcDbPlotSettings() {
    Access::initNew(this, vx::db::kLayout);
}
Acad::ErrorStatus AcDbLayout::getLayoutName(AcString& s) const {
    s = AcString(getText(this, lo(1)));
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLayout::getLayoutName(const ACHAR*& s) const {
    m_nameCache = AcString(getText(this, lo(1)));
    s = m_nameCache.kACharPtr();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLayout::setLayoutName(const ACHAR* s) {
    WRITE_GUARD();
    if (!s || !*s) return Acad::eInvalidInput;
    setText(this, lo(1), s);
    return Acad::eOk;
}
AcDbObjectId AcDbLayout::getBlockTableRecordId() const {
    Store* st = Access::store(this);
    uint64_t h = getHandle(this, lo(330));
    return st && h ? AcDbObjectId::fromObject(st->byHandleOrNull(h)) : AcDbObjectId::kNull;
}
Acad::ErrorStatus AcDbLayout::setBlockTableRecordId(AcDbObjectId id) {
    WRITE_GUARD();
    setHandle(this, lo(330), id.handle().value());
    return Acad::eOk;
}
int AcDbLayout::getTabOrder() const { return static_cast<int>(getInt(this, lo(71), 0)); }
Acad::ErrorStatus AcDbLayout::setTabOrder(int order) {
    WRITE_GUARD();
    setInt(this, lo(71), order);
    return Acad::eOk;
}
AcDbObjectId AcDbLayout::viewportId() const {
    Store* st = Access::store(this);
    uint64_t h = getHandle(this, lo(331));
    return st && h ? AcDbObjectId::fromObject(st->byHandleOrNull(h)) : AcDbObjectId::kNull;
}
