#include "kit.h"

#include <memory>

#include "dxf/dxf.h"

namespace mksamples {

namespace {

template <class Table, class Record>
AcDbObjectId addRecord(AcDbObjectId tableId, Record* rec) {
    AcDbObjectPointer<Table> table(tableId, AcDb::kForWrite);
    AcDbObjectId id;
    if (table.openStatus() != Acad::eOk || table->add(id, rec) != Acad::eOk) {
        delete rec;
        return AcDbObjectId::kNull;
    }
    rec->close();
    return id;
}

}  // namespace

AcDbObjectId addLayer(AcDbDatabase& db, const wchar_t* name, int color) {
    auto* l = new AcDbLayerTableRecord();
    l->setName(name);
    AcCmColor c;
    c.setColorIndex(static_cast<uint16_t>(color));
    l->setColor(c);
    return addRecord<AcDbLayerTable>(db.layerTableId(), l);
}

AcDbObjectId addTextStyle(AcDbDatabase& db, const wchar_t* name, const wchar_t* font, const wchar_t* bigFont,
                          double widthFactor) {
    auto* s = new AcDbTextStyleTableRecord();
    s->setName(name);
    s->setFileName(font);
    if (bigFont) s->setBigFontFileName(bigFont);
    s->setXScale(widthFactor);
    return addRecord<AcDbTextStyleTable>(db.textStyleTableId(), s);
}

AcDbObjectId addBlock(AcDbDatabase& db, const wchar_t* name) {
    auto* b = new AcDbBlockTableRecord();
    b->setName(name);
    return addRecord<AcDbBlockTable>(db.blockTableId(), b);
}

AcDbObjectId append(AcDbObjectId block, AcDbEntity* e, const wchar_t* layer) {
    AcDbObjectPointer<AcDbBlockTableRecord> b(block, AcDb::kForWrite);
    if (layer) e->setLayer(layer);
    AcDbObjectId id;
    if (b.openStatus() != Acad::eOk || b->appendAcDbEntity(id, e) != Acad::eOk) {
        delete e;
        return AcDbObjectId::kNull;
    }
    e->close();
    return id;
}

AcDbPolyline* polyline(const std::vector<AcGePoint2d>& pts, bool closed) {
    auto* p = new AcDbPolyline();
    for (unsigned i = 0; i < pts.size(); ++i) p->addVertexAt(i, pts[i]);
    p->setClosed(closed);
    return p;
}

AcDbPolyline* rectangle(double x0, double y0, double x1, double y1) {
    return polyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true);
}

AcDbLine* line(double x0, double y0, double x1, double y1) {
    return new AcDbLine(AcGePoint3d(x0, y0, 0), AcGePoint3d(x1, y1, 0));
}

AcDbText* text(double x, double y, double height, const wchar_t* s, AcDbObjectId style, bool centred) {
    auto* t = new AcDbText(AcGePoint3d(x, y, 0), s, style, height);
    if (centred) {
        t->setHorizontalMode(AcDb::kTextMid);
        t->setVerticalMode(AcDb::kTextBase);
        t->setAlignmentPoint(AcGePoint3d(x, y, 0));
    }
    return t;
}

AcDbAttributeDefinition* attdef(double x, double y, double height, const wchar_t* tag, AcDbObjectId style) {
    auto* a = new AcDbAttributeDefinition(AcGePoint3d(x, y, 0), L"", tag, tag, style);
    a->setHeight(height);
    a->setHorizontalMode(AcDb::kTextMid);
    a->setVerticalMode(AcDb::kTextBase);
    a->setAlignmentPoint(AcGePoint3d(x, y, 0));
    return a;
}

AcDbObjectId insertWithAttributes(AcDbDatabase& db, AcDbObjectId block, const AcGePoint3d& p, const wchar_t* layer) {
    auto* ref = new AcDbBlockReference(p, block);
    ref->setLayer(layer);
    AcDbObjectPointer<AcDbBlockTableRecord> b(block);
    if (b.openStatus() == Acad::eOk) {
        AcGeMatrix3d x = AcGeMatrix3d::translation(p.asVector());
        for (AcDbEntity* e : b->entities()) {
            auto* def = AcDbAttributeDefinition::cast(e);
            if (!def || def->isConstant()) continue;
            auto* a = new AcDbAttribute();
            a->setAttributeFromBlock(def, x);
            a->setLayer(layer);
            ref->appendAttribute(a);
        }
    }
    b.close();
    return append(db.modelSpaceId(), ref);
}

bool setAttribute(AcDbObjectId reference, const wchar_t* tag, const wchar_t* value) {
    AcDbObjectPointer<AcDbBlockReference> ref(reference);
    if (ref.openStatus() != Acad::eOk) return false;
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    for (; !it->done(); it->step()) {
        AcDbAttribute* a = nullptr;
        if (ref->openAttribute(a, it->objectId(), AcDb::kForWrite) != Acad::eOk) continue;
        bool mine = a->tag() == AcString(tag);
        if (mine) a->setTextString(value);
        a->close();
        if (mine) return true;
    }
    return false;
}

bool makeR2000Gbk(AcDbDatabase& db) {
    // The empty drawing of this host, declared as R2000 in GBK, read back: what is built in it
    // afterwards is fitted to R2000 as it is added.
    AcDbDatabase empty(true);
    std::string text;
    if (vx::dxf::write(empty.store(), text) != Acad::eOk) return false;
    auto swap = [&](const std::string& from, const std::string& to) {
        size_t at = text.find(from);
        if (at == std::string::npos) return false;
        text.replace(at, from.size(), to);
        return true;
    };
    if (!swap("$ACADVER\n  1\nAC1024", "$ACADVER\n  1\nAC1015")) return false;
    if (!swap("$DWGCODEPAGE\n  3\nANSI_1252", "$DWGCODEPAGE\n  3\nANSI_936")) return false;
    std::wstring message;
    return vx::dxf::read(db.store(), text, message) == Acad::eOk;
}

}  // namespace mksamples
