#include "tables.h"

#include <cmath>
#include <string>

#include "db/access.h"

namespace mksamples {

using vx::db::Access;
using vx::db::Field;
using vx::db::formatDouble;
using vx::db::formatHex;

namespace {

template <class Table>
AcDbObjectId addRecord(AcDbObjectId tableId, AcDbSymbolTableRecord* rec) {
    AcDbObjectPointer<Table> table(tableId, AcDb::kForWrite);
    AcDbObjectId id;
    if (table.openStatus() != Acad::eOk || table->add(id, rec) != Acad::eOk) {
        delete rec;
        return AcDbObjectId::kNull;
    }
    rec->close();
    return id;
}

void push(AcDbObject* o, int code, const std::string& value, bool utf8 = false) {
    Access::edit(o).tags.push_back({static_cast<int16_t>(code), utf8, value});
}

}  // namespace

AcDbObjectId addLinetype(AcDbDatabase& db, const wchar_t* name, const wchar_t* description,
                         std::initializer_list<double> pattern) {
    auto* lt = new AcDbLinetypeTableRecord();
    lt->setName(name);
    const Field section{"AcDbLinetypeTableRecord", 0, 0};
    vx::db::setText(lt, Field{section.subclass, 0, 3}, description);
    vx::db::setInt(lt, Field{section.subclass, 0, 73}, static_cast<long long>(pattern.size()));
    double total = 0;
    for (double d : pattern) total += std::fabs(d);
    vx::db::setReal(lt, Field{section.subclass, 0, 40}, total);
    for (double d : pattern) {
        push(lt, 49, formatDouble(d));
        push(lt, 74, "0");
    }
    return addRecord<AcDbLinetypeTable>(db.linetypeTableId(), lt);
}

AcDbObjectId addLayer(AcDbDatabase& db, const LayerSpec& spec) {
    auto* l = new AcDbLayerTableRecord();
    l->setName(spec.name);
    AcCmColor c;
    c.setColorIndex(static_cast<uint16_t>(spec.color));
    l->setColor(c);
    if (spec.linetype) {
        AcDbObjectPointer<AcDbLinetypeTable> lts(db.linetypeTableId());
        AcDbObjectId lt;
        if (lts.openStatus() == Acad::eOk && lts->getAt(spec.linetype, lt) == Acad::eOk) l->setLinetypeObjectId(lt);
    }
    vx::db::setInt(l, Field{"AcDbLayerTableRecord", 0, 370}, spec.lineWeight);
    if (!spec.plot) l->setIsPlottable(false);
    return addRecord<AcDbLayerTable>(db.layerTableId(), l);
}

AcDbObjectId addDimStyle(AcDbDatabase& db, const DimStyleSpec& spec, AcDbObjectId textStyle) {
    auto* d = new AcDbDimStyleTableRecord();
    d->setName(spec.name);
    // DIMSCALE, DIMASZ, DIMEXO, DIMDLI, DIMEXE, DIMTXT, DIMTSZ, DIMGAP, DIMLFAC; DIMTAD above,
    // texts aligned with the line, no decimals; the text style.
    const struct {
        int code;
        double value;
    } reals[] = {{40, 100}, {41, 1.5}, {42, 2}, {43, 8}, {44, 2}, {140, 3}, {142, 1.2}, {147, 0.8},
                 {144, spec.lengthFactor}};
    for (const auto& r : reals) push(d, r.code, formatDouble(r.value));
    for (int code : {77, 73, 74}) push(d, code, code == 77 ? "1" : "0");
    push(d, 271, "0");
    push(d, 340, formatHex(Access::handle(textStyle.object())));
    return addRecord<AcDbDimStyleTable>(db.dimStyleTableId(), d);
}

namespace {

void setHeader(AcDbDatabase& db, const char* var, int16_t code, const std::string& value) {
    AcDbObject* header = db.store().header;
    if (!header) return;
    vx::db::OwnTags& own = Access::edit(header);
    for (size_t i = 0; i + 1 < own.tags.size(); ++i)
        if (own.tags[i].code == 9 && own.tags[i].value == var) {
            own.tags[i + 1] = {code, false, value};
            return;
        }
    own.tags.push_back({9, false, var});
    own.tags.push_back({code, false, value});
}

}  // namespace

void setHeaderReal(AcDbDatabase& db, const char* var, double value) { setHeader(db, var, 40, formatDouble(value)); }

void setHeaderInt(AcDbDatabase& db, const char* var, int value) { setHeader(db, var, 70, std::to_string(value)); }

}  // namespace mksamples
