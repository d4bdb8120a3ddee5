// AcDbDatabase::wblock and AcDbDatabase::insert over the deep copy.
#include "db/access.h"
#include "db/deep_copy.h"

using namespace vx::db;

namespace {

thread_local std::wstring g_lastCopyReport;

// $INSBASE of the header: the point a drawing is inserted by.
void setInsertionBase(Store& st, const AcGePoint3d& p) {
    if (!st.header) return;
    size_t n = Access::tagCount(st.header);
    for (size_t i = 0; i + 3 < n; ++i) {
        TagRef t = Access::tag(st.header, i);
        if (t.code != 9 || trim(t.value) != "$INSBASE") continue;
        OwnTags& own = Access::edit(st.header);
        const double v[3] = {p.x, p.y, p.z};
        for (size_t k = 0; k < 3 && i + 1 + k < own.tags.size(); ++k)
            if (own.tags[i + 1 + k].code == static_cast<int16_t>(10 + 10 * k)) own.tags[i + 1 + k].value = formatDouble(v[k]);
        return;
    }
}

}  // namespace

const wchar_t* vx::db::lastCopyReport() { return g_lastCopyReport.c_str(); }

Acad::ErrorStatus AcDbDatabase::wblock(AcDbDatabase*& output, const AcDbObjectIdArray& ids, const AcGePoint3d& basePoint) {
    output = nullptr;
    g_lastCopyReport.clear();
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObject* o = ids[i].object();
        if (!o) return Acad::eNullObjectId;
        if (o->database() != this) return Acad::eWrongDatabase;
        if (!AcDbEntity::cast(o) || (Access::flags(o) & fOwnedByParent)) return Acad::eNotAnEntity;
        if (o->isErased()) return Acad::eWasErased;
    }
    // Whatever block each came from, the copies go to the new drawing's model space in order.
    auto* out = new AcDbDatabase(true);
    DeepCopy copy(*m_store, out->store());
    for (int i = 0; i < ids.length(); ++i)
        copy.addEntity(static_cast<AcDbEntity*>(ids[i].object()), out->store().modelSpace);
    copy.run();
    g_lastCopyReport = copy.report().text();
    if (basePoint != AcGePoint3d::kOrigin) setInsertionBase(out->store(), basePoint);
    output = out;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::insert(const AcGeMatrix3d& xform, AcDbDatabase* source, bool /*preserveSourceDatabase*/) {
    // The source is only read, so it stays usable whatever the caller asked for.
    g_lastCopyReport.clear();
    if (!source) return Acad::eNullObjectPointer;
    if (source == this) return Acad::eInvalidInput;
    Store& src = source->store();
    Store& dst = *m_store;
    if (!src.modelSpace || !dst.modelSpace) return Acad::eNoDatabase;
    DeepCopy copy(src, dst);
    for (AcDbEntity* e : src.modelSpace->entities())
        if (!e->isErased()) copy.addEntity(e, dst.modelSpace);
    std::vector<AcDbEntity*> placed = copy.run();
    g_lastCopyReport = copy.report().text();
    if (!xform.isEqualTo(AcGeMatrix3d::kIdentity)) {
        for (AcDbEntity* e : placed) {
            AcDbObject* opened = nullptr;
            if (Access::open(e, AcDb::kForWrite, opened) != Acad::eOk) continue;
            e->transformBy(xform);
            e->close();
        }
    }
    return Acad::eOk;
}
