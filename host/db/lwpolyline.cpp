// LWPOLYLINE: vertices (10/20 with optional 40/41/42 each) kept in the record's tag order.
#include "db/access.h"
#include "db/ocs.h"

using namespace vx::db;

namespace {

struct Vertex {
    double x = 0, y = 0, sw = -1, ew = -1, bulge = 0;
    bool hasW = false, hasBulge = false;
};

bool isVertexCode(int c) { return c == 10 || c == 20 || c == 40 || c == 41 || c == 42 || c == 91; }

// The vertex tags and where they start (first 10) in the record.
std::vector<Vertex> readVertices(const AcDbObject* o, size_t* firstAt = nullptr) {
    std::vector<Vertex> v;
    size_t n = Access::tagCount(o);
    if (firstAt) *firstAt = n;
    for (size_t i = 1; i < n; ++i) {
        TagRef t = Access::tag(o, i);
        if (t.code == 1001) break;
        double d = 0;
        switch (t.code) {
        case 10:
            if (firstAt && v.empty()) *firstAt = i;
            v.emplace_back();
            parseDouble(t.value, v.back().x);
            break;
        case 20: if (!v.empty()) parseDouble(t.value, v.back().y); break;
        case 40: if (!v.empty() && parseDouble(t.value, d)) { v.back().sw = d; v.back().hasW = true; } break;
        case 41: if (!v.empty() && parseDouble(t.value, d)) { v.back().ew = d; v.back().hasW = true; } break;
        case 42: if (!v.empty() && parseDouble(t.value, d)) { v.back().bulge = d; v.back().hasBulge = true; } break;
        default: break;
        }
    }
    return v;
}

void writeVertices(AcDbObject* o, const std::vector<Vertex>& v) {
    size_t first = 0;
    readVertices(o, &first);
    OwnTags& own = Access::edit(o);
    auto& tags = own.tags;
    size_t end = tags.size();
    for (size_t i = 1; i < tags.size(); ++i)
        if (tags[i].code == 1001) { end = i; break; }
    if (first >= end) {
        // No vertex yet: after the polyline's own fields, before the normal and XDATA.
        first = end;
        for (size_t i = 1; i < end; ++i)
            if (tags[i].code == 210) { first = i; break; }
    }
    std::vector<OwnTag> out(tags.begin(), tags.begin() + static_cast<long>(first));
    std::vector<OwnTag> tail;
    for (size_t i = first; i < end; ++i)
        if (!isVertexCode(tags[i].code)) tail.push_back(tags[i]);
    for (const Vertex& x : v) {
        out.push_back({10, false, formatDouble(x.x)});
        out.push_back({20, false, formatDouble(x.y)});
        if (x.hasW) {
            out.push_back({40, false, formatDouble(x.sw < 0 ? 0 : x.sw)});
            out.push_back({41, false, formatDouble(x.ew < 0 ? 0 : x.ew)});
        }
        if (x.hasBulge) out.push_back({42, false, formatDouble(x.bulge)});
    }
    out.insert(out.end(), tail.begin(), tail.end());
    out.insert(out.end(), tags.begin() + static_cast<long>(end), tags.end());
    tags.swap(out);
    setInt(o, Field{"AcDbPolyline", 0, 90}, static_cast<long long>(v.size()));
}

}  // namespace

AcDbPolyline::AcDbPolyline() { Access::initNew(this, kLwPolyline); }
AcDbPolyline::AcDbPolyline(unsigned int) : AcDbPolyline() {}

unsigned int AcDbPolyline::numVerts() const { return static_cast<unsigned>(readVertices(this).size()); }

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int i, AcGePoint2d& p) const {
    auto v = readVertices(this);
    if (i >= v.size()) return Acad::eInvalidIndex;
    p = AcGePoint2d(v[i].x, v[i].y);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int i, AcGePoint3d& p) const {
    AcGePoint2d q;
    Acad::ErrorStatus es = getPointAt(i, q);
    if (es == Acad::eOk) p = planeToWorld(AcGePoint3d(q.x, q.y, elevation()), normal());
    return es;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int i, double& b) const {
    auto v = readVertices(this);
    if (i >= v.size()) return Acad::eInvalidIndex;
    b = v[i].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int i, double& sw, double& ew) const {
    auto v = readVertices(this);
    if (i >= v.size()) return Acad::eInvalidIndex;
    double c = 0;
    getConstantWidth(c);
    sw = v[i].hasW ? v[i].sw : c;
    ew = v[i].hasW ? v[i].ew : c;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int i, const AcGePoint2d& p, double bulge, double sw, double ew) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto v = readVertices(this);
    if (i > v.size()) return Acad::eInvalidIndex;
    Vertex x;
    x.x = p.x;
    x.y = p.y;
    x.bulge = bulge;
    x.hasBulge = bulge != 0;
    x.sw = sw;
    x.ew = ew;
    x.hasW = sw >= 0 || ew >= 0;
    v.insert(v.begin() + i, x);
    writeVertices(this, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int i) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto v = readVertices(this);
    if (i >= v.size()) return Acad::eInvalidIndex;
    v.erase(v.begin() + i);
    writeVertices(this, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int i, const AcGePoint2d& p) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto v = readVertices(this);
    if (i >= v.size()) return Acad::eInvalidIndex;
    v[i].x = p.x;
    v[i].y = p.y;
    writeVertices(this, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int i, double b) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto v = readVertices(this);
    if (i >= v.size()) return Acad::eInvalidIndex;
    v[i].bulge = b;
    v[i].hasBulge = true;
    writeVertices(this, v);
    return Acad::eOk;
}

bool AcDbPolyline::isClosed() const { return (getInt(this, Field{"AcDbPolyline", 0, 70}, 0) & 1) != 0; }
void AcDbPolyline::setClosed(bool c) {
    if (!isWriteEnabled()) return;
    long long f = getInt(this, Field{"AcDbPolyline", 0, 70}, 0);
    setInt(this, Field{"AcDbPolyline", 0, 70}, c ? (f | 1) : (f & ~1LL));
}
double AcDbPolyline::elevation() const { return getReal(this, Field{"AcDbPolyline", 0, 38}, 0.0); }
void AcDbPolyline::setElevation(double z) {
    if (isWriteEnabled()) setReal(this, Field{"AcDbPolyline", 0, 38}, z);
}
AcGeVector3d AcDbPolyline::normal() const { return getVector(this, Field{nullptr, 0, 210}, AcGeVector3d(0, 0, 1)); }
Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& w) const {
    w = getReal(this, Field{"AcDbPolyline", 0, 43}, 0.0);
    return Acad::eOk;
}
