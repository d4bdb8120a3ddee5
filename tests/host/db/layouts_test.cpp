// Paper-space layouts: what a new layout consists of in the database and the saved file, its
// default name, the current layout, and the drawings that cannot have another layout.
#include <gtest/gtest.h>

#include <string>

#include "../dxf/ezdxf_check.h"
#include "acdb.h"
#include "aclayout.h"
#include "db/layouts.h"

namespace {

using vxtest::readFile;
using vxtest::tempDir;
using vxtest::wide;

std::wstring blockName(AcDbObjectId id) {
    AcDbObjectPointer<AcDbBlockTableRecord> b(id, AcDb::kForRead);
    return b.openStatus() == Acad::eOk ? b->name().str() : L"?";
}

std::wstring activeLayout(AcDbDatabase& db) {
    AcString name;
    if (acedLayoutManager()->getActiveLayoutName(name, true, &db) != Acad::eOk) return L"?";
    return name.str();
}

AcDbObjectId addLine(AcDbObjectId block, double y) {
    AcDbObjectPointer<AcDbBlockTableRecord> b(block, AcDb::kForWrite);
    auto* line = new AcDbLine(AcGePoint3d(0, y, 0), AcGePoint3d(10, y, 0));
    AcDbObjectId id;
    EXPECT_EQ(b->appendAcDbEntity(id, line), Acad::eOk);
    line->close();
    return id;
}

// The section of a saved file between "2\nNAME" and its ENDSEC.
std::string section(const std::string& file, const std::string& name) {
    size_t at = file.find("  2\n" + name + "\n");
    if (at == std::string::npos) return "";
    return file.substr(at, file.find("ENDSEC", at) - at);
}

TEST(Layouts, ANewLayoutHasItsBlockRecordLayoutObjectAndMainViewport) {
    AcDbDatabase db;
    AcApLayoutManager* lm = acedLayoutManager();
    AcString name;
    ASSERT_EQ(lm->getNextNewLayoutName(name, &db), Acad::eOk);
    EXPECT_EQ(name, AcString(L"布局1")) << "Layout1 is no 布局 name";
    AcDbObjectId layoutId, blockId;
    ASSERT_EQ(lm->createLayout(name.kACharPtr(), layoutId, blockId, &db), Acad::eOk);
    EXPECT_EQ(blockName(blockId), L"*Paper_Space0");
    {
        AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
        ASSERT_EQ(layout.openStatus(), Acad::eOk);
        AcString n;
        layout->getLayoutName(n);
        EXPECT_EQ(n, AcString(L"布局1"));
        EXPECT_EQ(layout->getBlockTableRecordId(), blockId);
        EXPECT_EQ(layout->getTabOrder(), 2);
        AcString device, media;
        layout->getPlotCfgName(device);
        layout->getCanonicalMediaName(media);
        EXPECT_EQ(device, AcString(L"none_device"));
        EXPECT_EQ(media, AcString(L"ISO_A3_(420.00_x_297.00_MM)"));
        EXPECT_EQ(layout->plotType(), AcDbPlotSettings::kLayout);
        EXPECT_EQ(layout->plotPaperUnits(), AcDbPlotSettings::kMillimeters);
        AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
        EXPECT_EQ(block->getLayoutId(), layoutId);
        ASSERT_EQ(block->entities().size(), 1u);
        auto* vp = AcDbViewport::cast(block->entities()[0]);
        ASSERT_NE(vp, nullptr);
        EXPECT_EQ(vp->number(), 1);
        EXPECT_EQ(vp->objectId(), layout->viewportId());
        EXPECT_EQ(vp->centerPoint(), AcGePoint3d(210, 148.5, 0));
    }
    EXPECT_EQ(lm->findLayoutNamed(L"布局1", &db), layoutId);
    EXPECT_EQ(lm->countLayouts(&db), 3);
    EXPECT_EQ(activeLayout(db), L"Model") << "a new layout is not made current by creating it";
    ASSERT_EQ(lm->getNextNewLayoutName(name, &db), Acad::eOk);
    EXPECT_EQ(name, AcString(L"布局2"));
}

TEST(Layouts, NamesALayoutCannotHaveAreRefusedAndNothingChanges) {
    AcDbDatabase db;
    AcDbLayoutManager* lm = acedLayoutManager();
    AcDbObjectId l, b;
    const AcDbHandle seed = db.handseed();
    EXPECT_EQ(lm->createLayout(L"layout1", l, b, &db), Acad::eDuplicateKey) << "names compare without case";
    EXPECT_EQ(lm->createLayout(L"MODEL", l, b, &db), Acad::eInvalidInput);
    EXPECT_EQ(lm->createLayout(L"a/b", l, b, &db), Acad::eInvalidInput);
    EXPECT_EQ(lm->createLayout(L"", l, b, &db), Acad::eInvalidInput);
    EXPECT_EQ(lm->createLayout(nullptr, l, b, &db), Acad::eInvalidInput);
    EXPECT_TRUE(l.isNull() && b.isNull());
    EXPECT_EQ(db.handseed().value(), seed.value());
    EXPECT_EQ(lm->countLayouts(&db), 2);
}

TEST(Layouts, TheNextNameFollowsTheLargestNumberNeverAnExistingName) {
    AcDbDatabase db;
    AcDbLayoutManager* lm = acedLayoutManager();
    AcDbObjectId l, b;
    for (const wchar_t* n : {L"布局7", L"布局03", L"布局x", L"布局99999999999", L"我的布局9"})
        ASSERT_EQ(lm->createLayout(n, l, b, &db), Acad::eOk);
    EXPECT_EQ(vx::db::nextLayoutName(db.store(), L"布局"), L"布局8");
    EXPECT_EQ(vx::db::nextLayoutName(db.store(), L"Layout"), L"Layout2");
    EXPECT_EQ(vx::db::nextLayoutName(db.store(), L"Other"), L"Other1");
    // Every new block record took the next free *Paper_SpaceN.
    EXPECT_EQ(blockName(b), L"*Paper_Space4");
}

TEST(Layouts, MakingALayoutCurrentSwapsThePaperSpaceNamesAndSavesAsTheActiveOne) {
    const std::string dir = tempDir("layouts-current");
    AcDbDatabase db;
    AcDbLayoutManager* lm = acedLayoutManager();
    AcDbObjectId l1, b1, l2, b2;
    ASSERT_EQ(lm->createLayout(L"布局1", l1, b1, &db), Acad::eOk);
    ASSERT_EQ(lm->createLayout(L"布局2", l2, b2, &db), Acad::eOk);
    const AcDbObjectId first = db.paperSpaceId();
    addLine(first, 111);
    addLine(b1, 222);
    ASSERT_EQ(lm->setCurrentLayoutId(l1), Acad::eOk);
    EXPECT_EQ(activeLayout(db), L"布局1");
    EXPECT_FALSE(db.tilemode());
    EXPECT_EQ(db.paperSpaceId(), b1);
    EXPECT_EQ(blockName(b1), L"*Paper_Space");
    EXPECT_EQ(blockName(first), L"*Paper_Space0");
    EXPECT_EQ(lm->getActiveLayoutBTRId(&db), b1);

    ASSERT_EQ(db.saveAs(wide(dir + "/a.dxf").c_str()), Acad::eOk);
    const std::string file = readFile(dir + "/a.dxf");
    const std::string entities = section(file, "ENTITIES"), blocks = section(file, "BLOCKS");
    EXPECT_NE(entities.find("222.0"), std::string::npos) << "the current layout's line is in ENTITIES";
    EXPECT_EQ(entities.find("111.0"), std::string::npos);
    EXPECT_NE(blocks.find("111.0"), std::string::npos) << "the other layout's line is in its block";
    EXPECT_NE(file.find("$TILEMODE\n 70\n0\n"), std::string::npos);

    AcDbDatabase back(false);
    ASSERT_EQ(back.readDwgFile(wide(dir + "/a.dxf").c_str()), Acad::eOk) << back.lastReadMessage();
    EXPECT_EQ(activeLayout(back), L"布局1");
    EXPECT_EQ(lm->countLayouts(&back), 4);
    EXPECT_EQ(lm->setCurrentLayout(L"布局2", &back), Acad::eOk);
    EXPECT_EQ(activeLayout(back), L"布局2");
    EXPECT_EQ(lm->setCurrentLayout(L"Model", &back), Acad::eOk);
    EXPECT_TRUE(back.tilemode());
    AcString name;
    EXPECT_EQ(lm->getActiveLayoutName(name, false, &back), Acad::eKeyNotFound);
    EXPECT_EQ(lm->setCurrentLayout(L"布局9", &back), Acad::eKeyNotFound);
    EXPECT_EQ(lm->getActiveLayoutBTRId(&back), back.modelSpaceId());

    auto seen = vxtest::inspect(dir + "/a.dxf", {{"layouts", "doc.layouts.names_in_taborder()"},
                                                 {"active", "doc.layouts.active_layout().name"},
                                                 {"viewports", "[len(doc.layouts.get(n).query('VIEWPORT')) for n in ('布局1', '布局2')]"},
                                                 {"line", "[e.dxf.start.y for e in doc.layouts.get('Layout1').query('LINE')]"}});
    EXPECT_EQ(seen["audit_errors"], "0");
    EXPECT_EQ(seen["dangling"], "0");
    EXPECT_EQ(seen["layouts"], "['Model', 'Layout1', '布局1', '布局2']");
    EXPECT_EQ(seen["active"], "布局1");
    EXPECT_EQ(seen["viewports"], "[1, 1]");
    EXPECT_EQ(seen["line"], "[111.0]");
}

TEST(Layouts, AnR2000DrawingGetsItsLayoutClassAndAnR12DrawingNoSecondLayout) {
    const std::string dir = tempDir("layouts-versions");
    AcDbDatabase fresh;
    ASSERT_EQ(fresh.saveAs(wide(dir + "/new.dxf").c_str()), Acad::eOk);
    std::string text = readFile(dir + "/new.dxf");
    const std::string layoutClass = "  0\nCLASS\n  1\nLAYOUT\n  2\nAcDbLayout\n  3\nObjectDBX Classes\n 90\n0\n 91\n2\n280\n0\n281\n0\n";
    ASSERT_NE(text.find(layoutClass), std::string::npos);
    text.replace(text.find(layoutClass), layoutClass.size(), "");
    text.replace(text.find("AC1024"), 6, "AC1015");
    text.replace(text.find("ANSI_1252"), 9, "ANSI_936");
    vxtest::writeFile(dir + "/r2000.dxf", text);
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/r2000.dxf").c_str()), Acad::eOk);
    AcDbObjectId l, b;
    ASSERT_EQ(acedLayoutManager()->createLayout(L"布局1", l, b, &db), Acad::eOk);
    ASSERT_EQ(db.saveAs(wide(dir + "/out.dxf").c_str()), Acad::eOk);
    const std::string out = readFile(dir + "/out.dxf");
    EXPECT_NE(out.find("  0\nCLASS\n  1\nLAYOUT\n  2\nAcDbLayout\n  3\nObjectDBX Classes\n 90\n0\n280\n0\n"),
              std::string::npos) << "R2000 classes have no instance count";
    const std::string viewport = out.substr(out.find("VIEWPORT"), 2000);
    EXPECT_EQ(viewport.substr(0, viewport.find("  0\n")).find("292\n"), std::string::npos)
        << "no R2007 viewport codes in an R2000 file";
    auto seen = vxtest::inspect(dir + "/out.dxf", {{"layouts", "doc.layouts.names_in_taborder()"}});
    EXPECT_EQ(seen["audit_errors"], "0");
    EXPECT_EQ(seen["layouts"], "['Model', 'Layout1', '布局1']");

    vxtest::writeFile(dir + "/r12.dxf",
                      "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n  0\nSECTION\n  2\nTABLES\n"
                      "  0\nTABLE\n  2\nLAYER\n 70\n1\n  0\nLAYER\n  2\n0\n 70\n0\n 62\n7\n  6\nCONTINUOUS\n  0\nENDTAB\n"
                      "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n");
    AcDbDatabase r12(false);
    ASSERT_EQ(r12.readDwgFile(wide(dir + "/r12.dxf").c_str()), Acad::eOk) << r12.lastReadMessage();
    EXPECT_EQ(acedLayoutManager()->createLayout(L"布局1", l, b, &r12), Acad::eInvalidDwgVersion);
    EXPECT_EQ(activeLayout(r12), L"Model") << "a drawing without layout objects is in model space";
}

TEST(Layouts, TheDefaultPageSetUpReplacesAnEditedOne) {
    AcDbDatabase db;
    AcApLayoutManager* lm = acedLayoutManager();
    AcDbObjectId l, b;
    ASSERT_EQ(lm->createLayout(L"布局1", l, b, &db), Acad::eOk);
    {
        AcDbObjectPointer<AcDbLayout> layout(l, AcDb::kForWrite);
        layout->setPlotCfgName(L"DWG To PDF.pc3");
        layout->setPlotPaperSize(210, 297);
    }
    ASSERT_EQ(lm->setDefaultPlotConfig(b), Acad::eOk);
    AcDbObjectPointer<AcDbLayout> layout(l, AcDb::kForRead);
    AcString device;
    layout->getPlotCfgName(device);
    double w = 0, h = 0;
    layout->getPlotPaperSize(w, h);
    EXPECT_EQ(device, AcString(L"none_device"));
    EXPECT_EQ(w, 420);
    EXPECT_EQ(h, 297);
    layout.close();
    EXPECT_EQ(lm->setDefaultPlotConfig(AcDbObjectId::kNull), Acad::eNullObjectId);
}

}  // namespace
