// Geometry values: constants, matrix algebra, the plane (arbitrary axis) transforms.
#include <cmath>
#include <cstring>

#include "acge.h"

AcGeTol AcGeContext::gTol;
const AcGePoint2d AcGePoint2d::kOrigin(0, 0);
const AcGePoint3d AcGePoint3d::kOrigin(0, 0, 0);
const AcGeVector3d AcGeVector3d::kIdentity(0, 0, 0);
const AcGeVector3d AcGeVector3d::kXAxis(1, 0, 0);
const AcGeVector3d AcGeVector3d::kYAxis(0, 1, 0);
const AcGeVector3d AcGeVector3d::kZAxis(0, 0, 1);
const AcGeScale3d AcGeScale3d::kIdentity(1, 1, 1);
const AcGeMatrix3d AcGeMatrix3d::kIdentity;

double AcGeVector2d::angle() const {
    double a = std::atan2(y, x);
    return a < 0 ? a + 2 * M_PI : a;
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const {
    double l = length();
    if (l <= tol.equalVector()) return *this;
    return *this / l;
}

AcGeVector3d AcGeVector3d::perpVector() const {
    // The arbitrary axis rule of drawing files.
    AcGeVector3d n = normal();
    AcGeVector3d ax = (std::fabs(n.x) < 1.0 / 64 && std::fabs(n.y) < 1.0 / 64) ? kYAxis.crossProduct(n)
                                                                               : kZAxis.crossProduct(n);
    return ax.normal();
}

double AcGeVector3d::angleTo(const AcGeVector3d& v) const {
    double d = length() * v.length();
    if (d == 0) return 0;
    double c = dotProduct(v) / d;
    return std::acos(c > 1 ? 1 : (c < -1 ? -1 : c));
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
    AcGeVector3d r(m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z,
                   m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z,
                   m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z);
    return *this = r;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
    AcGePoint3d r(m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z + m.entry[0][3],
                  m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z + m.entry[1][3],
                  m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z + m.entry[2][3]);
    double w = m.entry[3][0] * x + m.entry[3][1] * y + m.entry[3][2] * z + m.entry[3][3];
    if (w != 0 && w != 1) r = AcGePoint3d(r.x / w, r.y / w, r.z / w);
    return *this = r;
}

AcGeMatrix3d::AcGeMatrix3d() { setToIdentity(); }

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) entry[i][j] = i == j ? 1.0 : 0.0;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v) {
    setToIdentity();
    entry[0][3] = v.x;
    entry[1][3] = v.y;
    entry[2][3] = v.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double s, const AcGePoint3d& c) {
    setToIdentity();
    for (int i = 0; i < 3; ++i) entry[i][i] = s;
    entry[0][3] = c.x * (1 - s);
    entry[1][3] = c.y * (1 - s);
    entry[2][3] = c.z * (1 - s);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double a, const AcGeVector3d& axis, const AcGePoint3d& c) {
    AcGeVector3d u = axis.normal();
    double cs = std::cos(a), sn = std::sin(a), t = 1 - cs;
    setToIdentity();
    entry[0][0] = t * u.x * u.x + cs;
    entry[0][1] = t * u.x * u.y - sn * u.z;
    entry[0][2] = t * u.x * u.z + sn * u.y;
    entry[1][0] = t * u.x * u.y + sn * u.z;
    entry[1][1] = t * u.y * u.y + cs;
    entry[1][2] = t * u.y * u.z - sn * u.x;
    entry[2][0] = t * u.x * u.z - sn * u.y;
    entry[2][1] = t * u.y * u.z + sn * u.x;
    entry[2][2] = t * u.z * u.z + cs;
    AcGePoint3d rc = c;
    rc.transformBy(*this);
    entry[0][3] = c.x - rc.x;
    entry[1][3] = c.y - rc.y;
    entry[2][3] = c.z - rc.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& o, const AcGeVector3d& x, const AcGeVector3d& y,
                                           const AcGeVector3d& z) {
    setToIdentity();
    const AcGeVector3d* ax[3] = {&x, &y, &z};
    for (int j = 0; j < 3; ++j) {
        entry[0][j] = ax[j]->x;
        entry[1][j] = ax[j]->y;
        entry[2][j] = ax[j]->z;
    }
    entry[0][3] = o.x;
    entry[1][3] = o.y;
    entry[2][3] = o.z;
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& v) { return AcGeMatrix3d().setToTranslation(v); }
AcGeMatrix3d AcGeMatrix3d::scaling(double s, const AcGePoint3d& c) { return AcGeMatrix3d().setToScaling(s, c); }
AcGeMatrix3d AcGeMatrix3d::rotation(double a, const AcGeVector3d& axis, const AcGePoint3d& c) {
    return AcGeMatrix3d().setToRotation(a, axis, c);
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
    AcGeVector3d n = normal.normal();
    if (n.isZeroLength()) n = AcGeVector3d::kZAxis;
    AcGeVector3d ax = n.perpVector();
    AcGeVector3d ay = n.crossProduct(ax).normal();
    return AcGeMatrix3d().setCoordSystem(AcGePoint3d::kOrigin, ax, ay, n);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) { return planeToWorld(normal).inverse(); }

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const {
    AcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += entry[i][k] * m.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

double AcGeMatrix3d::det() const {
    const double(*a)[4] = entry;
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

AcGeMatrix3d AcGeMatrix3d::inverse() const {
    // Gauss-Jordan on the full 4x4; a singular matrix gives the identity.
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 8; ++j) a[i][j] = j < 4 ? entry[i][j] : (j - 4 == i ? 1.0 : 0.0);
    for (int c = 0; c < 4; ++c) {
        int p = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
        if (std::fabs(a[p][c]) < 1e-300) return AcGeMatrix3d();
        if (p != c)
            for (int j = 0; j < 8; ++j) std::swap(a[p][j], a[c][j]);
        double d = a[c][c];
        for (int j = 0; j < 8; ++j) a[c][j] /= d;
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            double f = a[r][c];
            for (int j = 0; j < 8; ++j) a[r][j] -= f * a[c][j];
        }
    }
    AcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) r.entry[i][j] = a[i][j + 4];
    return r;
}

double AcGeMatrix3d::scale() const {
    AcGeVector3d x(entry[0][0], entry[1][0], entry[2][0]);
    AcGeVector3d y(entry[0][1], entry[1][1], entry[2][1]);
    AcGeVector3d z(entry[0][2], entry[1][2], entry[2][2]);
    return std::max(x.length(), std::max(y.length(), z.length()));
}

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const {
    AcGeVector3d x(entry[0][0], entry[1][0], entry[2][0]);
    AcGeVector3d y(entry[0][1], entry[1][1], entry[2][1]);
    AcGeVector3d z(entry[0][2], entry[1][2], entry[2][2]);
    double l = x.length();
    double e = 1e-9 * (l > 1 ? l : 1) + tol.equalVector();
    return std::fabs(y.length() - l) <= e && std::fabs(z.length() - l) <= e && std::fabs(x.dotProduct(y)) <= e * l &&
           std::fabs(x.dotProduct(z)) <= e * l && std::fabs(y.dotProduct(z)) <= e * l;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol) const {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (std::fabs(entry[i][j] - m.entry[i][j]) > tol.equalPoint()) return false;
    return true;
}
