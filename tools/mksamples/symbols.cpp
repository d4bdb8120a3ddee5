#include "symbols.h"

#include <cmath>

#include "hatch.h"
#include "kit.h"

namespace mksamples {

namespace {

AcDbEllipse* ellipse(double x, double y, double rx, double ry) {
    const bool wide = rx >= ry;
    return new AcDbEllipse(AcGePoint3d(x, y, 0), AcGeVector3d::kZAxis,
                           wide ? AcGeVector3d(rx, 0, 0) : AcGeVector3d(0, ry, 0), wide ? ry / rx : rx / ry);
}

AcDbCircle* circle(double x, double y, double r) {
    return new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d::kZAxis, r);
}

AcDbObjectId column(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"KZ1");
    const Loop square{{-200, -200}, {200, -200}, {200, 200}, {-200, 200}};
    append(b, polyline(square, true));
    append(b, solidHatch({square}));
    return b;
}

AcDbObjectId bed(AcDbDatabase& db, const wchar_t* name, double width) {
    AcDbObjectId b = addBlock(db, name);
    const double h = width / 2;
    append(b, rectangle(-h, -1000, h, 1000));
    append(b, rectangle(-h, 920, h, 1000));
    const int pillows = width > 1500 ? 2 : 1;
    const double pw = (width - 100 * (pillows + 1)) / pillows;
    for (int i = 0; i < pillows; ++i) {
        const double x0 = -h + 100 + i * (pw + 100);
        append(b, rectangle(x0, 600, x0 + pw, 860));
    }
    append(b, line(-h, 300, h, 300));
    append(b, line(h - 500, 300, h, -200));
    return b;
}

AcDbObjectId sofa(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"沙发");
    append(b, rectangle(-1050, -425, 1050, 425));
    append(b, rectangle(-1050, 225, 1050, 425));
    append(b, rectangle(-1050, -425, -850, 225));
    append(b, rectangle(850, -425, 1050, 225));
    for (double x : {-283.0, 283.0}) append(b, line(x, -425, x, 225));
    return b;
}

AcDbObjectId teaTable(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"茶几");
    append(b, rectangle(-600, -300, 600, 300));
    append(b, rectangle(-550, -250, 550, 250));
    return b;
}

AcDbObjectId tvCabinet(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"电视柜");
    append(b, rectangle(-1000, -225, 1000, 225));
    append(b, line(-600, -100, 600, -100));
    return b;
}

AcDbObjectId diningSet(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"餐桌椅");
    append(b, rectangle(-700, -400, 700, 400));
    for (double x : {-350.0, 350.0})
        for (double side : {1.0, -1.0}) {
            const double y0 = side * 450, y1 = side * 850;
            append(b, rectangle(x - 225, std::min(y0, y1), x + 225, std::max(y0, y1)));
            append(b, line(x - 225, side * 780, x + 225, side * 780));
        }
    return b;
}

AcDbObjectId desk(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"书桌");
    append(b, rectangle(-700, -300, 700, 300));
    append(b, rectangle(-225, -780, 225, -380));
    append(b, new AcDbArc(AcGePoint3d(0, -780, 0), 225, M_PI, 2 * M_PI));
    return b;
}

AcDbObjectId toilet(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"坐便器");
    append(b, rectangle(-250, 170, 250, 370));
    append(b, ellipse(0, -110, 190, 270));
    append(b, ellipse(0, -130, 130, 200));
    return b;
}

AcDbObjectId basin(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"洗脸盆");
    append(b, rectangle(-300, -250, 300, 250));
    append(b, ellipse(0, -30, 220, 160));
    append(b, circle(0, 170, 30));
    return b;
}

AcDbObjectId shower(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"淋浴");
    append(b, rectangle(-450, -450, 450, 450));
    append(b, line(-450, -450, 450, 450));
    append(b, line(-450, 450, 450, -450));
    append(b, circle(0, 0, 60));
    return b;
}

AcDbObjectId sink(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"洗菜盆");
    append(b, rectangle(-400, -250, 400, 250));
    append(b, rectangle(-360, -200, -20, 160));
    append(b, rectangle(20, -200, 360, 160));
    append(b, circle(0, 210, 25));
    return b;
}

AcDbObjectId stove(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"燃气灶");
    append(b, rectangle(-350, -200, 350, 200));
    for (double x : {-170.0, 170.0}) {
        append(b, circle(x, 0, 120));
        append(b, circle(x, 0, 50));
    }
    return b;
}

// 24 mm across, a tail 3 mm wide, "北" over the tip (the national drafting standard's arrow).
AcDbObjectId northArrow(AcDbDatabase& db, AcDbObjectId style) {
    AcDbObjectId b = addBlock(db, L"指北针");
    append(b, circle(0, 0, 1200));
    const Loop arrow{{0, 1200}, {-150, -1200}, {150, -1200}};
    append(b, polyline(arrow, true));
    append(b, solidHatch({arrow}));
    append(b, text(0, 1450, 500, L"北", style, true));
    return b;
}

AcDbObjectId levelMark(AcDbDatabase& db, AcDbObjectId style) {
    AcDbObjectId b = addBlock(db, L"标高");
    append(b, polyline({{0, 0}, {-300, 300}, {300, 300}}, true));
    append(b, line(300, 300, 1500, 300));
    auto* a = new AcDbAttributeDefinition(AcGePoint3d(-250, 420, 0), L"", L"BG", L"标高", style);
    a->setHeight(300);
    a->setWidthFactor(0.7);
    append(b, a);
    return b;
}

AcDbObjectId tree(AcDbDatabase& db) {
    AcDbObjectId b = addBlock(db, L"乔木");
    append(b, circle(0, 0, 400));
    append(b, circle(0, 0, 50));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4, c = std::cos(a), s = std::sin(a);
        append(b, line(260 * c, 260 * s, 400 * c, 400 * s));
    }
    return b;
}

}  // namespace

bool buildSymbols(AcDbDatabase& db, AcDbObjectId textStyle, Symbols& s) {
    s.column = column(db);
    s.doubleBed = bed(db, L"双人床", 1800);
    s.singleBed = bed(db, L"单人床", 1200);
    s.sofa = sofa(db);
    s.teaTable = teaTable(db);
    s.tvCabinet = tvCabinet(db);
    s.diningSet = diningSet(db);
    s.desk = desk(db);
    s.toilet = toilet(db);
    s.basin = basin(db);
    s.shower = shower(db);
    s.sink = sink(db);
    s.stove = stove(db);
    s.northArrow = northArrow(db, textStyle);
    s.levelMark = levelMark(db, textStyle);
    s.tree = tree(db);
    for (AcDbObjectId id : {s.column, s.doubleBed, s.singleBed, s.sofa, s.teaTable, s.tvCabinet, s.diningSet, s.desk,
                            s.toilet, s.basin, s.shower, s.sink, s.stove, s.northArrow, s.levelMark, s.tree})
        if (id.isNull()) return false;
    return true;
}

}  // namespace mksamples
