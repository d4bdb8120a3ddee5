// Drawing-level behaviour: header variables, layouts as data, version rules, layer repairs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "acdb.h"
#include "text/encoding.h"

namespace {

std::string tmp(const std::string& name) {
    std::string d = std::string(VX_BINARY_DIR) + "/test-tmp/drawing-" + name;
    std::filesystem::remove_all(d);
    std::filesystem::create_directories(d);
    return d;
}

std::string slurp(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::wstring w(const std::string& s) { return vx::text::fromUtf8(s); }

// R12 without handles: one layer, one line on a layer the table lacks.
const char* const kR12 =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  9\n$DWGCODEPAGE\n  3\nANSI_936\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n  0\nLAYER\n  2\n0\n 70\n0\n 62\n7\n  6\nCONTINUOUS\n"
    "  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\nWALLS\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
    " 11\n5.0\n 21\n5.0\n 31\n0.0\n  0\nENDSEC\n  0\nEOF\n";

TEST(R12, NewEntitiesFollowTheFileVersion) {
    std::string d = tmp("r12");
    std::ofstream(d + "/a.dxf", std::ios::binary) << kR12;
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(w(d + "/a.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_EQ(db.versionString(), AcString(L"AC1009"));
    {
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
        ASSERT_EQ(ms.openStatus(), Acad::eOk);
        ASSERT_EQ(ms->entities().size(), 1u);
        EXPECT_EQ(ms->entities()[0]->layer(), AcString(L"WALLS"));
        auto* pl = new AcDbPolyline();
        EXPECT_EQ(ms->appendAcDbEntity(pl), Acad::eInvalidDwgVersion);  // R12 has no LWPOLYLINE
        delete pl;
        auto* c = new AcDbCircle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 2);
        ASSERT_EQ(ms->appendAcDbEntity(c), Acad::eOk);
        c->close();
    }
    ASSERT_EQ(db.saveAs(w(d + "/b.dxf").c_str()), Acad::eOk);
    std::string out = slurp(d + "/b.dxf");
    std::string circle = out.substr(out.find("CIRCLE"));
    circle = circle.substr(0, circle.find("  0\n"));
    // No subclass markers, owners or handles in a handle-less R12 file.
    EXPECT_EQ(circle.find("100\n"), std::string::npos) << circle;
    EXPECT_EQ(circle.find("330\n"), std::string::npos) << circle;
    EXPECT_EQ(circle.find("  5\n"), std::string::npos) << circle;
    EXPECT_EQ(out.find("$HANDSEED"), std::string::npos);
}

TEST(Read, MissingLayersAreCreatedAndListed) {
    std::string d = tmp("layers");
    AcDbDatabase db;
    std::ofstream(d + "/a.dxf", std::ios::binary) << kR12;
    ASSERT_EQ(db.readDwgFile(w(d + "/a.dxf").c_str()), Acad::eOk);
    // R12 readers take layers as they come: the line keeps its layer name.
    AcDbObjectPointer<AcDbLayerTable> lt(db.layerTableId(), AcDb::kForRead);
    EXPECT_FALSE(lt->has(L"WALLS"));
    lt.close();
    // A later drawing: the layer is made and the read says so.
    AcDbDatabase fresh;
    ASSERT_EQ(fresh.saveAs(w(d + "/new.dxf").c_str()), Acad::eOk);
    std::string text = slurp(d + "/new.dxf");
    size_t at = text.find("  0\nENDSEC\n", text.find("ENTITIES"));
    text.insert(at, "  0\nLINE\n  5\nAA\n330\n1F\n100\nAcDbEntity\n  8\n图层甲\n100\nAcDbLine\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
                    " 11\n1.0\n 21\n1.0\n 31\n0.0\n");
    std::ofstream(d + "/b.dxf", std::ios::binary) << text;
    AcDbDatabase db2(false);
    ASSERT_EQ(db2.readDwgFile(w(d + "/b.dxf").c_str()), Acad::eOk) << db2.lastReadMessage();
    ASSERT_EQ(db2.readAudit().size(), 1u);
    EXPECT_NE(db2.readAudit()[0].find(L"图层甲"), std::wstring::npos);
    AcDbObjectPointer<AcDbLayerTable> lt2(db2.layerTableId(), AcDb::kForRead);
    EXPECT_TRUE(lt2->has(L"图层甲"));
    EXPECT_GT(db2.handseed().value(), 0xAAu);
}

TEST(Read, ReadingAgainReplacesTheDrawing) {
    std::string d = tmp("again");
    AcDbDatabase a;
    {
        AcDbObjectPointer<AcDbBlockTable> bt(a.blockTableId(), AcDb::kForWrite);
        auto* b = new AcDbBlockTableRecord();
        b->setName(L"B");
        AcDbObjectId bid;
        bt->add(bid, b);
        b->close();
        AcDbObjectPointer<AcDbBlockTableRecord> ms(a.modelSpaceId(), AcDb::kForWrite);
        auto* r = new AcDbBlockReference(AcGePoint3d(0, 0, 0), bid);
        r->appendAttribute(new AcDbAttribute(AcGePoint3d(0, 0, 0), L"v", L"T"));
        ms->appendAcDbEntity(r);
        r->close();
    }
    ASSERT_EQ(a.saveAs(w(d + "/one.dxf").c_str()), Acad::eOk);
    AcDbDatabase db;
    // Each read replaces a drawing that has a reference with attributes.
    ASSERT_EQ(db.readDwgFile(w(d + "/one.dxf").c_str()), Acad::eOk);
    ASSERT_EQ(db.readDwgFile(w(d + "/one.dxf").c_str()), Acad::eOk);
    ASSERT_EQ(db.readDwgFile(w(d + "/one.dxf").c_str()), Acad::eOk);
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
    EXPECT_EQ(ms->entities().size(), 1u);
    EXPECT_FALSE(db.isModified());
}

TEST(Header, CurrentLayerAndTextStyleAreStored) {
    std::string d = tmp("header");
    AcDbDatabase db;
    AcDbObjectId layer;
    {
        AcDbObjectPointer<AcDbLayerTable> lt(db.layerTableId(), AcDb::kForWrite);
        auto* r = new AcDbLayerTableRecord();
        r->setName(L"图框");
        lt->add(layer, r);
        r->close();
    }
    ASSERT_EQ(db.setClayer(layer), Acad::eOk);
    EXPECT_EQ(db.clayer(), layer);
    EXPECT_EQ(db.setClayer(db.textstyle()), Acad::eInvalidInput);
    ASSERT_EQ(db.saveAs(w(d + "/h.dxf").c_str()), Acad::eOk);
    AcDbDatabase back(false);
    ASSERT_EQ(back.readDwgFile(w(d + "/h.dxf").c_str()), Acad::eOk);
    AcDbObjectPointer<AcDbLayerTableRecord> cl(back.clayer(), AcDb::kForRead);
    ASSERT_EQ(cl.openStatus(), Acad::eOk);
    EXPECT_EQ(cl->name(), AcString(L"图框"));
    EXPECT_TRUE(back.tilemode());
    EXPECT_EQ(back.currentSpaceId(), back.modelSpaceId());
}

TEST(Layouts, PlotSettingsAreDataThatSurvivesASave) {
    std::string d = tmp("layout");
    AcDbDatabase db;
    AcDbObjectId layoutId;
    {
        AcDbDictionary* layouts = nullptr;
        ASSERT_EQ(db.getLayoutDictionary(layouts, AcDb::kForRead), Acad::eOk);
        ASSERT_EQ(layouts->getAt(L"Layout1", layoutId), Acad::eOk);
        layouts->close();
    }
    {
        AcDbObjectPointer<AcDbLayout> lo(layoutId, AcDb::kForWrite);
        ASSERT_EQ(lo.openStatus(), Acad::eOk);
        EXPECT_EQ(lo->getBlockTableRecordId(), db.paperSpaceId());
        EXPECT_EQ(lo->getTabOrder(), 1);
        lo->setPlotCfgName(L"DWG To PDF.pc3");
        lo->setCanonicalMediaName(L"ISO_full_bleed_A3_(420.00_x_297.00_MM)");
        lo->setPlotPaperSize(420, 297);
        lo->setPlotWindowArea(0, 0, 42000, 29700);
        lo->setPlotType(AcDbPlotSettings::kWindow);
        lo->setPlotRotation(AcDbPlotSettings::k90degrees);
        lo->setPlotCentered(true);
        lo->setCurrentStyleSheet(L"monochrome.ctb");
    }
    ASSERT_EQ(db.saveAs(w(d + "/l.dxf").c_str()), Acad::eOk);
    AcDbDatabase back(false);
    ASSERT_EQ(back.readDwgFile(w(d + "/l.dxf").c_str()), Acad::eOk);
    AcDbDictionary* layouts = nullptr;
    ASSERT_EQ(back.getLayoutDictionary(layouts, AcDb::kForRead), Acad::eOk);
    AcDbObject* o = nullptr;
    ASSERT_EQ(layouts->getAt(L"Layout1", o, AcDb::kForRead), Acad::eOk);
    layouts->close();
    auto* lo = AcDbLayout::cast(o);
    ASSERT_NE(lo, nullptr);
    AcString s;
    lo->getPlotCfgName(s);
    EXPECT_EQ(s, AcString(L"DWG To PDF.pc3"));
    lo->getCurrentStyleSheet(s);
    EXPECT_EQ(s, AcString(L"monochrome.ctb"));
    double wdt = 0, hgt = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    lo->getPlotPaperSize(wdt, hgt);
    lo->getPlotWindowArea(x0, y0, x1, y1);
    EXPECT_EQ(wdt, 420);
    EXPECT_EQ(hgt, 297);
    EXPECT_EQ(x1, 42000);
    EXPECT_EQ(y1, 29700);
    EXPECT_EQ(lo->plotType(), AcDbPlotSettings::kWindow);
    EXPECT_EQ(lo->plotRotation(), AcDbPlotSettings::k90degrees);
    EXPECT_TRUE(lo->plotCentered());
    EXPECT_FALSE(lo->modelType());
    const ACHAR* name = nullptr;
    lo->getLayoutName(name);
    EXPECT_EQ(std::wstring(name), L"Layout1");
    lo->close();
}

TEST(Errors, StatusNames) {
    EXPECT_EQ(std::wstring(acadErrorStatusText(Acad::eOk)), L"eOk");
    EXPECT_EQ(std::wstring(acadErrorStatusText(Acad::eWasOpenForWrite)), L"eWasOpenForWrite");
    EXPECT_EQ(std::wstring(acadErrorStatusText(Acad::eUnsupportedFileFormat)), L"eUnsupportedFileFormat");
    EXPECT_EQ(std::wstring(acadErrorStatusText(static_cast<Acad::ErrorStatus>(99999))), L"eUnknownStatus");
}

}  // namespace
