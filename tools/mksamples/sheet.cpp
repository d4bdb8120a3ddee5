#include "sheet.h"

#include <cmath>

#include "dimension.h"
#include "kit.h"

namespace mksamples {

namespace {

constexpr double kDegree = M_PI / 180;
// The width factor offices give the simplex/hztxt style.
constexpr double kNarrow = 0.7;

}  // namespace

Sheet::Sheet(Drawing& d, AcGePoint2d origin, double denominator)
    : m_d(d), m_origin(origin), m_scale(100.0 / denominator), m_denominator(denominator) {}

Sheet Sheet::moved(double dx, double dy) const {
    Sheet s(*this);
    s.m_origin = at(dx, dy);
    return s;
}

AcGePoint2d Sheet::at(double x, double y) const { return {m_origin.x + x * m_scale, m_origin.y + y * m_scale}; }

AcGePoint3d Sheet::at3(double x, double y) const {
    AcGePoint2d p = at(x, y);
    return {p.x, p.y, 0};
}

AcDbObjectId Sheet::append(AcDbEntity* e, const wchar_t* layer) const {
    return mksamples::append(m_d.db.modelSpaceId(), e, layer);
}

AcDbObjectId Sheet::line(const wchar_t* layer, double x0, double y0, double x1, double y1) const {
    return append(new AcDbLine(at3(x0, y0), at3(x1, y1)), layer);
}

AcDbObjectId Sheet::polyline(const wchar_t* layer, const std::vector<AcGePoint2d>& pts, bool closed,
                             double width) const {
    auto* p = new AcDbPolyline();
    const double w = width * m_scale;
    for (unsigned i = 0; i < pts.size(); ++i)
        p->addVertexAt(i, at(pts[i].x, pts[i].y), 0, w > 0 ? w : -1, w > 0 ? w : -1);
    p->setClosed(closed);
    return append(p, layer);
}

AcDbObjectId Sheet::rect(const wchar_t* layer, double x0, double y0, double x1, double y1) const {
    return polyline(layer, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true);
}

AcDbObjectId Sheet::circle(const wchar_t* layer, double x, double y, double r) const {
    return append(new AcDbCircle(at3(x, y), AcGeVector3d::kZAxis, r * m_scale), layer);
}

AcDbObjectId Sheet::arc(const wchar_t* layer, double x, double y, double r, double a0, double a1) const {
    return append(new AcDbArc(at3(x, y), r * m_scale, a0 * kDegree, a1 * kDegree), layer);
}

AcDbObjectId Sheet::ellipse(const wchar_t* layer, double x, double y, double rx, double ry) const {
    const bool wide = rx >= ry;
    const AcGeVector3d major = wide ? AcGeVector3d(rx * m_scale, 0, 0) : AcGeVector3d(0, ry * m_scale, 0);
    return append(new AcDbEllipse(at3(x, y), AcGeVector3d::kZAxis, major, wide ? ry / rx : rx / ry), layer);
}

AcDbObjectId Sheet::text(const wchar_t* layer, double x, double y, double heightMm, const std::wstring& s,
                         Align align, double rotation, bool bold) const {
    const AcDbObjectId style = bold ? m_d.styles.hei : m_d.styles.hz;
    auto* t = new AcDbText(at3(x, y), s.c_str(), style, heightMm * kUnits, rotation * kDegree);
    if (!bold) t->setWidthFactor(kNarrow);
    if (align != Align::Left) {
        static const struct {
            Align align;
            AcDb::TextHorzMode h;
            AcDb::TextVertMode v;
        } kModes[] = {{Align::Centre, AcDb::kTextCenter, AcDb::kTextBase},
                      {Align::Right, AcDb::kTextRight, AcDb::kTextBase},
                      {Align::MiddleLeft, AcDb::kTextLeft, AcDb::kTextVertMid},
                      {Align::Middle, AcDb::kTextCenter, AcDb::kTextVertMid},
                      {Align::MiddleRight, AcDb::kTextRight, AcDb::kTextVertMid}};
        for (const auto& m : kModes)
            if (m.align == align) {
                t->setHorizontalMode(m.h);
                t->setVerticalMode(m.v);
            }
        t->setAlignmentPoint(at3(x, y));
    }
    return append(t, layer);
}

AcDbObjectId Sheet::note(const wchar_t* layer, double x, double y, double heightMm, double widthMm,
                         const std::wstring& s) const {
    auto* m = new AcDbMText();
    m->setLocation(at3(x, y));
    m->setTextHeight(heightMm * kUnits);
    m->setWidth(widthMm * kUnits);
    m->setAttachment(AcDbMText::kTopLeft);
    m->setTextStyle(m_d.styles.hz);
    m->setContents(s.c_str());
    return append(m, layer);
}

AcDbObjectId Sheet::solid(const wchar_t* layer, const std::vector<Loop>& loops) const {
    std::vector<Loop> model;
    for (const Loop& l : loops) {
        model.emplace_back();
        for (const AcGePoint2d& p : l) model.back().push_back(at(p.x, p.y));
    }
    return append(solidHatch(model), layer);
}

AcDbObjectId Sheet::ansi31(const wchar_t* layer, const std::vector<Loop>& loops, double spacingMm) const {
    std::vector<Loop> model;
    for (const Loop& l : loops) {
        model.emplace_back();
        for (const AcGePoint2d& p : l) model.back().push_back(at(p.x, p.y));
    }
    return append(ansi31Hatch(model, spacingMm * kUnits), layer);
}

AcDbObjectId Sheet::place(AcDbObjectId block, const wchar_t* layer, double x, double y, double rotation,
                          double scale) const {
    auto* ref = new AcDbBlockReference(at3(x, y), block);
    ref->setRotation(rotation * kDegree);
    if (scale != 1) ref->setScaleFactors(AcGeScale3d(scale));
    return append(ref, layer);
}

AcDbObjectId Sheet::placeWithTexts(AcDbObjectId block, const wchar_t* layer, double x, double y,
                                   const std::vector<std::wstring>& texts, double rotation) const {
    auto* ref = new AcDbBlockReference(at3(x, y), block);
    ref->setRotation(rotation * kDegree);
    AcDbObjectPointer<AcDbBlockTableRecord> b(block);
    if (b.openStatus() == Acad::eOk) {
        const AcGeMatrix3d xform = ref->blockTransform();
        size_t k = 0;
        for (AcDbEntity* e : b->entities()) {
            auto* def = AcDbAttributeDefinition::cast(e);
            if (!def || def->isConstant()) continue;
            auto* a = new AcDbAttribute();
            a->setAttributeFromBlock(def, xform);
            if (k < texts.size()) a->setTextString(texts[k].c_str());
            ++k;
            a->setLayer(layer);
            ref->appendAttribute(a);
        }
    }
    b.close();
    return append(ref, layer);
}

AcDbObjectId Sheet::dimension(double x1, double y1, double x2, double y2, double at, bool vertical) const {
    struct {
        double denominator;
        AcDbObjectId style;
    } const styles[] = {{100, m_d.styles.dim100}, {50, m_d.styles.dim50}, {20, m_d.styles.dim20},
                        {500, m_d.styles.dim500}};
    DimensionLook look{m_d.styles.dim100, m_d.styles.hz, m_denominator / 100};
    for (const auto& s : styles)
        if (s.denominator == m_denominator) look.style = s.style;
    const double line = vertical ? at3(at, 0).x : at3(0, at).y;
    return linearDimension(m_d.db, ++m_d.dimensionBlocks, at3(x1, y1), at3(x2, y2), line, vertical, look, L"标注");
}

void Sheet::dimensionChain(const std::vector<double>& stops, double from, double at, bool vertical) const {
    for (size_t i = 0; i + 1 < stops.size(); ++i) {
        if (vertical) dimension(from, stops[i], from, stops[i + 1], at, true);
        else dimension(stops[i], from, stops[i + 1], from, at, false);
    }
}

void Sheet::title(double x, double y, const std::wstring& name, const wchar_t* scaleText) const {
    // Name 7 mm, a thick line under it and a thin one, the scale 5 mm to the right.
    const double w = mm(7) * (static_cast<double>(name.size()) + 2);
    text(L"文字", x, y + mm(2), 7, name, Align::Centre, 0, true);
    polyline(L"文字", {{x - w / 2, y}, {x + w / 2, y}}, false, mm(0.7));
    line(L"文字", x - w / 2, y - mm(1.2), x + w / 2, y - mm(1.2));
    if (scaleText) text(L"文字", x + w / 2 + mm(3), y + mm(2), 5, scaleText);
}

}  // namespace mksamples
