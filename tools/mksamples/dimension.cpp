#include "dimension.h"

#include <cmath>
#include <string>

#include "db/access.h"
#include "drawings.h"
#include "kit.h"
#include "text/encoding.h"

namespace mksamples {

using vx::db::Access;
using vx::db::formatDouble;

namespace {

// Paper millimetres of the picture (the styles' DIMEXO, DIMEXE, DIMTXT, DIMTSZ, DIMGAP).
constexpr double kOffset = 2, kBeyond = 2, kTextHeight = 3, kTick = 0.85, kGap = 0.8;

AcDbObjectId anonymousBlock(AcDbDatabase& db, int number) {
    AcDbObjectId id = addBlock(db, (L"*D" + std::to_wstring(number)).c_str());
    if (id.isNull()) return id;
    AcDbObjectPointer<AcDbBlockTableRecord> b(id, AcDb::kForWrite);
    if (b.openStatus() == Acad::eOk)
        if (AcDbObject* begin = Access::blockBegin(b.object()))
            vx::db::setInt(begin, vx::db::Field{"AcDbBlockBegin", 0, 70}, 1);
    return id;
}

// The block's entities take the dimension's colour and layer properties.
AcDbEntity* byBlock(AcDbEntity* e, int lineWeight = -2) {
    e->setColorIndex(0);
    e->setLineWeight(lineWeight);
    return e;
}

void pushTags(AcDbDimension* dim, std::vector<vx::db::OwnTag> tags) {
    vx::db::OwnTags& own = Access::edit(dim);
    for (size_t i = 0; i < own.tags.size(); ++i)
        if (own.tags[i].code == 100 && own.tags[i].value == "AcDbDimension") {
            own.tags.resize(i + 1);
            break;
        }
    own.tags.insert(own.tags.end(), tags.begin(), tags.end());
}

void point(std::vector<vx::db::OwnTag>& t, int code, const AcGePoint3d& p) {
    t.push_back({static_cast<int16_t>(code), false, formatDouble(p.x)});
    t.push_back({static_cast<int16_t>(code + 10), false, formatDouble(p.y)});
    t.push_back({static_cast<int16_t>(code + 20), false, formatDouble(0)});
}

}  // namespace

AcDbObjectId linearDimension(AcDbDatabase& db, int number, const AcGePoint3d& p1, const AcGePoint3d& p2,
                             double at, bool vertical, const DimensionLook& look, const wchar_t* layer) {
    const double u = kUnits;
    auto along = [&](const AcGePoint3d& p) { return vertical ? p.y : p.x; };
    auto across = [&](const AcGePoint3d& p) { return vertical ? p.x : p.y; };
    auto pt = [&](double a, double c) { return vertical ? AcGePoint3d(c, a, 0) : AcGePoint3d(a, c, 0); };
    AcDbObjectId block = anonymousBlock(db, number);
    if (block.isNull()) return block;

    const AcGePoint3d d1 = pt(along(p1), at), d2 = pt(along(p2), at);
    append(block, byBlock(new AcDbLine(d1, d2)));
    for (const AcGePoint3d* p : {&p1, &p2}) {
        const double side = at >= across(*p) ? 1 : -1;
        if (std::fabs(at - across(*p)) > kOffset * u)
            append(block, byBlock(new AcDbLine(pt(along(*p), across(*p) + side * kOffset * u),
                                               pt(along(*p), at + side * kBeyond * u))));
        const AcGePoint3d d = pt(along(*p), at);
        const AcGeVector3d tick(kTick * u, kTick * u, 0);
        append(block, byBlock(new AcDbLine(d - tick, d + tick), 35));
    }
    const double measured = std::fabs(along(p2) - along(p1));
    const std::wstring value = std::to_wstring(std::lround(measured * look.lengthFactor));
    const double mid = (along(p1) + along(p2)) / 2;
    const AcGePoint3d textAt = vertical ? AcGePoint3d(at - kGap * u, mid, 0) : AcGePoint3d(mid, at + kGap * u, 0);
    auto* label = new AcDbText(textAt, value.c_str(), look.textStyle, kTextHeight * u, vertical ? M_PI / 2 : 0);
    label->setWidthFactor(0.7);
    label->setHorizontalMode(AcDb::kTextCenter);
    label->setVerticalMode(AcDb::kTextBase);
    label->setAlignmentPoint(textAt);
    append(block, byBlock(label));
    for (const AcGePoint3d& p : {p1, p2, d2}) append(block, new AcDbPoint(p), L"Defpoints");

    auto* dim = new AcDbDimension();
    std::vector<vx::db::OwnTag> t;
    AcDbObjectPointer<AcDbBlockTableRecord> b(block);
    t.push_back({2, true, vx::text::toUtf8(b->name().str())});
    b.close();
    point(t, 10, d2);
    const AcGePoint3d middle = vertical ? AcGePoint3d(at - (kGap + kTextHeight / 2) * u, mid, 0)
                                        : AcGePoint3d(mid, at + (kGap + kTextHeight / 2) * u, 0);
    point(t, 11, middle);
    t.push_back({70, false, "32"});
    t.push_back({71, false, "5"});
    t.push_back({42, false, formatDouble(measured)});
    AcDbObjectPointer<AcDbDimStyleTableRecord> style(look.style);
    t.push_back({3, true, vx::text::toUtf8(style->name().str())});
    style.close();
    t.push_back({100, false, "AcDbAlignedDimension"});
    point(t, 13, p1);
    point(t, 14, p2);
    t.push_back({50, false, vertical ? "90.0" : "0.0"});
    t.push_back({100, false, "AcDbRotatedDimension"});
    pushTags(dim, std::move(t));
    return append(db.modelSpaceId(), dim, layer);
}

}  // namespace mksamples
