// Extents and transforms of curves, and the geometry values they rest on.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "acdb.h"
#include "text/encoding.h"

namespace {

void expectBox(const AcDbEntity& e, double x0, double y0, double x1, double y1) {
    AcDbExtents ext;
    ASSERT_EQ(e.getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR(ext.minPoint().x, x0, 1e-9);
    EXPECT_NEAR(ext.minPoint().y, y0, 1e-9);
    EXPECT_NEAR(ext.maxPoint().x, x1, 1e-9);
    EXPECT_NEAR(ext.maxPoint().y, y1, 1e-9);
}

TEST(Extents, CurvesAreExact) {
    expectBox(AcDbLine(AcGePoint3d(5, 1, 0), AcGePoint3d(-2, 3, 0)), -2, 1, 5, 3);
    expectBox(AcDbCircle(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, 3), -2, -1, 4, 5);
    // A quarter arc from 45 to 135 degrees passes the top of the circle.
    double s = std::sqrt(0.5) * 10;
    expectBox(AcDbArc(AcGePoint3d(0, 0, 0), 10, M_PI / 4, 3 * M_PI / 4), -s, s, s, 10);
    // Across 0 degrees: from 300 to 60 passes the right end.
    expectBox(AcDbArc(AcGePoint3d(0, 0, 0), 2, 5 * M_PI / 3, M_PI / 3), 1, -std::sqrt(3.0), 2, std::sqrt(3.0));
    expectBox(AcDbEllipse(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5), -4, -2, 4, 2);
    expectBox(AcDbPoint(AcGePoint3d(7, 8, 0)), 7, 8, 7, 8);
}

TEST(Extents, PolylineBulgeBulgesOut) {
    AcDbPolyline p;
    // A half circle (bulge 1) from (0,0) to (10,0), counter-clockwise: it dips below the chord.
    p.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    p.addVertexAt(1, AcGePoint2d(10, 0));
    expectBox(p, 0, -5, 10, 0);
    p.setBulgeAt(0, -1.0);
    expectBox(p, 0, 0, 10, 5);
    AcDbPolyline empty;
    AcDbExtents ext;
    EXPECT_EQ(empty.getGeomExtents(ext), Acad::eInvalidExtents);
}

TEST(Extents, CircleInATiltedPlane) {
    // Normal along X: the circle lies in the YZ plane.
    AcDbCircle c(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis, 2);
    AcDbExtents ext;
    ASSERT_EQ(c.getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR(ext.maxPoint().x - ext.minPoint().x, 0, 1e-9);
    EXPECT_NEAR(ext.maxPoint().y, 2, 1e-9);
    EXPECT_NEAR(ext.maxPoint().z, 2, 1e-9);
    EXPECT_TRUE(c.center().isEqualTo(AcGePoint3d(0, 0, 0)));
}

TEST(Transform, RotationScaleAndMirror) {
    AcDbArc a(AcGePoint3d(10, 0, 0), 1, 0, M_PI / 2);
    ASSERT_EQ(a.transformBy(AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis)), Acad::eOk);
    EXPECT_TRUE(a.center().isEqualTo(AcGePoint3d(0, 10, 0), AcGeTol()));
    EXPECT_NEAR(a.startAngle(), M_PI / 2, 1e-9);
    ASSERT_EQ(a.transformBy(AcGeMatrix3d::scaling(2, AcGePoint3d(0, 10, 0))), Acad::eOk);
    EXPECT_NEAR(a.radius(), 2, 1e-12);
    AcGeMatrix3d mirror;
    mirror.entry[0][0] = -1;  // x -> -x
    AcDbPolyline p;
    p.addVertexAt(0, AcGePoint2d(1, 0), 0.5);
    p.addVertexAt(1, AcGePoint2d(3, 0));
    ASSERT_EQ(p.transformBy(mirror), Acad::eOk);
    AcGePoint2d q;
    double b = 0;
    p.getPointAt(0, q);
    p.getBulgeAt(0, b);
    EXPECT_EQ(q, AcGePoint2d(-1, 0));
    EXPECT_EQ(b, -0.5);  // the arc turns the other way in the mirror
    AcGeMatrix3d stretch;
    stretch.entry[0][0] = 2;
    AcDbCircle c(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1);
    EXPECT_EQ(c.transformBy(stretch), Acad::eNotApplicable);
    EXPECT_EQ(c.radius(), 1);
}

TEST(Geometry, MatrixAlgebra) {
    AcGeMatrix3d m = AcGeMatrix3d::translation(AcGeVector3d(1, 2, 3)) * AcGeMatrix3d::rotation(0.7, AcGeVector3d(1, 1, 0));
    AcGePoint3d p(3, -4, 5);
    EXPECT_TRUE((m.inverse() * (m * p)).isEqualTo(p, AcGeTol()));
    EXPECT_NEAR(m.det(), 1, 1e-12);
    EXPECT_TRUE(m.isUniScaledOrtho());
    EXPECT_TRUE(AcGeMatrix3d::kIdentity.isEqualTo(m * m.inverse()));
    AcGeMatrix3d p2w = AcGeMatrix3d::planeToWorld(AcGeVector3d(0, 0, -1));
    EXPECT_TRUE((p2w * AcGePoint3d(1, 0, 0)).isEqualTo(AcGePoint3d(-1, 0, 0), AcGeTol()));
    AcDbExtents e;
    EXPECT_TRUE(e.isEmpty());
    e.addPoint(AcGePoint3d(1, 1, 0));
    e.addPoint(AcGePoint3d(-1, 2, 0));
    e.transformBy(AcGeMatrix3d::rotation(M_PI, AcGeVector3d::kZAxis));
    EXPECT_TRUE(e.minPoint().isEqualTo(AcGePoint3d(-1, -2, 0), AcGeTol()));
}

}  // namespace

namespace {

TEST(Extents, HatchBoundaryWithAnArcEdge) {
    // A hatch read from a file: one edge loop of a line and a half-circle arc of radius 5.
    std::string dir = std::string(VX_BINARY_DIR) + "/test-tmp/hatch";
    std::filesystem::create_directories(dir);
    AcDbDatabase db;
    ASSERT_EQ(db.saveAs(vx::text::fromUtf8(dir + "/base.dxf").c_str()), Acad::eOk);
    std::ifstream in(dir + "/base.dxf", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    const char* hatch =
        "  0\nHATCH\n  5\nAB\n330\n1F\n100\nAcDbEntity\n  8\n0\n100\nAcDbHatch\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
        "210\n0.0\n220\n0.0\n230\n1.0\n  2\nSOLID\n 70\n1\n 71\n0\n 91\n1\n 92\n1\n 93\n2\n"
        " 72\n1\n 10\n0.0\n 20\n0.0\n 11\n10.0\n 21\n0.0\n"
        " 72\n2\n 10\n5.0\n 20\n0.0\n 40\n5.0\n 50\n0.0\n 51\n180.0\n 73\n1\n 97\n0\n 75\n1\n 76\n1\n 98\n0\n";
    text.insert(text.find("  0\nENDSEC\n", text.find("ENTITIES")), hatch);
    std::ofstream(dir + "/h.dxf", std::ios::binary) << text;
    AcDbDatabase back(false);
    ASSERT_EQ(back.readDwgFile(vx::text::fromUtf8(dir + "/h.dxf").c_str()), Acad::eOk) << back.lastReadMessage();
    AcDbObjectPointer<AcDbBlockTableRecord> ms(back.modelSpaceId(), AcDb::kForRead);
    ASSERT_EQ(ms->entities().size(), 1u);
    const AcDbHatch* h = AcDbHatch::cast(ms->entities()[0]);
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->isSolid());
    EXPECT_EQ(h->numLoops(), 1);
    expectBox(*h, 0, 0, 10, 5);  // exact: the arc from 0 to 180 degrees is the upper half only
}

}  // namespace
