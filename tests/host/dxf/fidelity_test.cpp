// What other programs write and we must keep or complete: comments, partial drawings (ENTITIES
// alone), R12 files without $ACADVER, and reading off the main thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "acdb.h"
#include "db/access.h"
#include "ezdxf_check.h"
#include "text/encoding.h"

using namespace vxtest;

namespace {

std::string insertAfter(const std::string& s, const std::string& marker, const std::string& what) {
    size_t at = s.find(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    return s.substr(0, at + marker.size()) + what + s.substr(at + marker.size());
}

bool auditHas(const AcDbDatabase& db, const wchar_t* part) {
    for (const std::wstring& m : db.readAudit())
        if (m.find(part) != std::wstring::npos) return true;
    return false;
}

TEST(Comments, KeptWhereTheyStandOnSaveAndThroughEdits) {
    std::string dir = tempDir("comments");
    ASSERT_TRUE(writeFixture("R2010", dir + "/good.dxf", false));
    std::string s = "999\ndxflib 2.0.4.8\n" + readFile(dir + "/good.dxf");
    s = insertAfter(s, "  0\nSECTION\n", "999\nbefore the name\n");
    s = insertAfter(s, "$ACADVER\n", "999\nbetween a variable and its value\n");
    s = insertAfter(s, "  0\nENDSEC\n", "999\nbetween sections\n");
    s = insertAfter(s, "  0\nLINE\n", "999\ninside a record\n");
    writeFile(dir + "/in.dxf", s);
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/in.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_TRUE(db.readAudit().empty()) << db.readAudit().front();
    EXPECT_STREQ(db.versionString().kACharPtr(), L"AC1024");
    ASSERT_EQ(db.saveAs(wide(dir + "/out.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(readFile(dir + "/out.dxf"), s);

    // An edit of the record that holds a comment keeps it, and the file stays valid.
    auto* ms = AcDbBlockTableRecord::cast(db.modelSpaceId().object());
    ASSERT_NE(ms, nullptr);
    for (AcDbEntity* e : ms->entities()) {
        if (!AcDbLine::cast(e)) continue;
        AcDbObjectPointer<AcDbLine> line(e->objectId(), AcDb::kForWrite);
        ASSERT_EQ(line.openStatus(), Acad::eOk);
        line->setColorIndex(1);
        break;
    }
    ASSERT_EQ(db.saveAs(wide(dir + "/edited.dxf").c_str()), Acad::eOk);
    std::string edited = readFile(dir + "/edited.dxf");
    for (const char* c : {"dxflib 2.0.4.8", "before the name", "between sections", "inside a record"})
        EXPECT_NE(edited.find(std::string("999\n") + c + "\n"), std::string::npos) << c;
    auto r = inspect(dir + "/edited.dxf");
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
}

// An export of entities only, as many programs write: LINE on a layer no table defines, a TEXT
// with a Chinese layer name in the ANSI code page, an LWPOLYLINE, nothing else.
std::string entitiesOnly() {
    std::string gbk;
    EXPECT_TRUE(vx::text::toCodePage(L"注释", "GBK", gbk));
    return "  0\nSECTION\n  2\nENTITIES\n"
           "  0\nLINE\n  8\nWALLS\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n100.0\n 21\n50.0\n 31\n0.0\n"
           "  0\nTEXT\n  8\n" + gbk + "\n 10\n5.0\n 20\n5.0\n 30\n0.0\n 40\n2.5\n  1\n" + gbk + "\n"
           "  0\nCIRCLE\n  8\n0\n 10\n1.0\n 20\n1.0\n 30\n0.0\n 40\n3.0\n"
           "  0\nENDSEC\n  0\nEOF\n";
}

TEST(PartialDrawing, EntitiesOnlyIsCompletedListedAndSavedWhole) {
    std::string dir = tempDir("entities-only");
    writeFile(dir + "/in.dxf", entitiesOnly());
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/in.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    for (const wchar_t* part : {L"no HEADER section", L"no TABLES section", L"table LAYER", L"table LTYPE",
                                L"table STYLE", L"table APPID", L"table DIMSTYLE", L"no BLOCKS section"})
        EXPECT_TRUE(auditHas(db, part)) << std::string(part, part + wcslen(part));
    EXPECT_STREQ(db.versionString().kACharPtr(), L"AC1009");
    AcDbObjectPointer<AcDbLayerTable> layers(db.layerTableId(), AcDb::kForRead);
    ASSERT_EQ(layers.openStatus(), Acad::eOk);
    EXPECT_TRUE(layers->has(L"0"));
    EXPECT_TRUE(layers->has(L"WALLS"));
    EXPECT_TRUE(layers->has(L"注释"));
    auto* ms = AcDbBlockTableRecord::cast(db.modelSpaceId().object());
    ASSERT_NE(ms, nullptr);
    EXPECT_EQ(ms->entities().size(), 3u);
    std::string out = dir + "/out.dxf";
    ASSERT_EQ(db.saveAs(wide(out).c_str()), Acad::eOk);
    auto r = inspect(out, {{"layers", "sorted(l.dxf.name for l in doc.layers if l.dxf.name != 'Defpoints')"},
                           {"ltypes", "sorted(l.dxf.name.lower() for l in doc.linetypes)"},
                           {"styles", "[s.dxf.name for s in doc.styles]"},
                           {"ents", "[e.dxftype() for e in msp]"},
                           {"text", "msp.query('TEXT')[0].dxf.text"}});
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["layers"], "['0', 'WALLS', '注释']");
    EXPECT_EQ(r["ltypes"], "['byblock', 'bylayer', 'continuous']");
    EXPECT_EQ(r["styles"], "['Standard']");
    EXPECT_EQ(r["ents"], "['LINE', 'TEXT', 'CIRCLE']");
    EXPECT_EQ(r["text"], "注释");
    // What we saved is whole: it reads back without a repair.
    AcDbDatabase again(false);
    ASSERT_EQ(again.readDwgFile(wide(out).c_str()), Acad::eOk);
    EXPECT_TRUE(again.readAudit().empty()) << again.readAudit().front();
}

TEST(PartialDrawing, NewerFileWithoutTablesGetsRecordsBlocksAndLayouts) {
    std::string dir = tempDir("no-tables");
    writeFile(dir + "/in.dxf",
              "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$HANDSEED\n  5\n30\n  0\nENDSEC\n"
              "  0\nSECTION\n  2\nENTITIES\n"
              "  0\nLINE\n  5\n2A\n330\n1F\n100\nAcDbEntity\n  8\nWALLS\n100\nAcDbLine\n"
              " 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n10.0\n 21\n10.0\n 31\n0.0\n"
              "  0\nENDSEC\n  0\nEOF\n");
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/in.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_TRUE(auditHas(db, L"table BLOCK_RECORD"));
    EXPECT_TRUE(auditHas(db, L"no OBJECTS section"));
    EXPECT_FALSE(auditHas(db, L"does not exist"));  // the line's owner is the new model space
    EXPECT_EQ(db.modelSpaceId().handle().value(), 0x1Fu);
    EXPECT_FALSE(db.layoutDictionaryId().isNull());
    std::string out = dir + "/out.dxf";
    ASSERT_EQ(db.saveAs(wide(out).c_str()), Acad::eOk);
    auto r = inspect(out, {{"ver", "doc.dxfversion"},
                           {"layouts", "sorted(doc.layouts.names())"},
                           {"ents", "[(e.dxftype(), e.dxf.layer) for e in msp]"}});
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["dup_handles"], "0");
    EXPECT_EQ(r["seed_low"], "0");
    EXPECT_EQ(r["dangling"], "0");
    EXPECT_EQ(r["ver"], "AC1015");
    EXPECT_EQ(r["layouts"], "['Layout1', 'Model']");
    EXPECT_EQ(r["ents"], "[('LINE', 'WALLS')]");
}

// R12 as other programs write it: no $ACADVER, no $DWGCODEPAGE, Chinese layer names in the ANSI
// code page. A frame copied in must come out as R12 in that code page.
TEST(R12WithoutVersion, EditsStayR12InTheAnsiCodePage) {
    std::string dir = tempDir("r12-nover");
    std::string gbk;
    ASSERT_TRUE(vx::text::toCodePage(L"墙体", "GBK", gbk));
    std::string in = "999\nwritten by another program\n"
                     "  0\nSECTION\n  2\nHEADER\n  9\n$INSUNITS\n 70\n4\n  0\nENDSEC\n"
                     "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n"
                     "  0\nLAYER\n  2\n" + gbk + "\n 70\n0\n 62\n3\n  6\nCONTINUOUS\n  0\nENDTAB\n  0\nENDSEC\n"
                     "  0\nSECTION\n  2\nBLOCKS\n  0\nENDSEC\n"
                     "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n" + gbk + "\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
                     " 11\n1.0\n 21\n1.0\n 31\n0.0\n  0\nENDSEC\n  0\nEOF\n";
    writeFile(dir + "/in.dxf", in);
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/in.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_STREQ(db.versionString().kACharPtr(), L"AC1009");
    AcDbObjectPointer<AcDbLayerTable> layers(db.layerTableId(), AcDb::kForRead);
    EXPECT_TRUE(layers->has(L"墙体"));
    layers.close();
    // Unedited: the same file, without handles or $HANDSEED added.
    ASSERT_EQ(db.saveAs(wide(dir + "/same.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(readFile(dir + "/same.dxf"), in);

    // A frame (with attributes, on a Chinese layer) copied in from a new drawing.
    AcDbDatabase frame;
    {
        AcDbObjectPointer<AcDbLayerTable> lt(frame.layerTableId(), AcDb::kForWrite);
        auto* layer = new AcDbLayerTableRecord();
        layer->setName(L"图框");
        AcDbObjectId layerId;
        ASSERT_EQ(lt->add(layerId, layer), Acad::eOk);
        layer->close();
        AcDbObjectPointer<AcDbBlockTable> bt(frame.blockTableId(), AcDb::kForWrite);
        auto* block = new AcDbBlockTableRecord();
        block->setName(L"图框-A3");
        AcDbObjectId blockId;
        ASSERT_EQ(bt->add(blockId, block), Acad::eOk);
        auto* border = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(420, 297, 0));
        border->setLayer(layerId);
        block->appendAcDbEntity(border);
        border->close();
        block->appendAcDbEntity(new AcDbAttributeDefinition(AcGePoint3d(400, 10, 0), L"", L"图号", L"图号"));
        block->close();
        AcDbObjectPointer<AcDbBlockTableRecord> ms(frame.modelSpaceId(), AcDb::kForWrite);
        auto* ref = new AcDbBlockReference(AcGePoint3d(0, 0, 0), blockId);
        ref->setLayer(layerId);
        ms->appendAcDbEntity(ref);
        auto* att = new AcDbAttribute(AcGePoint3d(400, 10, 0), L"建施-01", L"图号");
        ref->appendAttribute(att);
        att->close();
        ref->close();
    }
    ASSERT_EQ(db.insert(AcGeMatrix3d::kIdentity, &frame), Acad::eOk);
    std::string out = dir + "/out.dxf";
    ASSERT_EQ(db.saveAs(wide(out).c_str()), Acad::eOk);
    std::string bytes = readFile(out);
    EXPECT_EQ(bytes.find("\n100\n"), std::string::npos) << "subclass markers in R12";
    EXPECT_EQ(bytes.find("\n330\n"), std::string::npos) << "owner handles in R12";
    EXPECT_EQ(bytes.find("4000000000000000"), std::string::npos);
    EXPECT_NE(bytes.find("$DWGCODEPAGE\n  3\nANSI_936\n"), std::string::npos);
    std::string gbkFrame;
    ASSERT_TRUE(vx::text::toCodePage(L"图框-A3", "GBK", gbkFrame));
    EXPECT_NE(bytes.find("\n" + gbkFrame + "\n"), std::string::npos) << "block name in GBK";
    auto r = inspect(out, {{"ver", "doc.dxfversion"},
                           {"enc", "doc.encoding"},
                           {"strict", "open(path, 'rb').read().decode(doc.encoding) and 'ok'"},
                           {"layers", "sorted(l.dxf.name for l in doc.layers if l.dxf.name != 'Defpoints')"},
                           {"tk", "[i.get_attrib_text('图号') for i in msp.query('INSERT')]"}});
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["ver"], "AC1009");
    EXPECT_EQ(r["enc"], "gbk");
    EXPECT_EQ(r["strict"], "ok");
    EXPECT_EQ(r["layers"], "['0', '图框', '墙体']");
    EXPECT_EQ(r["tk"], "['建施-01']");
}

// New objects get their template tags whatever another thread is reading meanwhile.
TEST(Threads, ReadingElsewhereLeavesNewObjectsWhole) {
    std::string dir = tempDir("threads");
    ASSERT_TRUE(writeFixture("R2010", dir + "/in.dxf", false));
    std::atomic<bool> stop{false};
    std::atomic<int> reads{0};
    std::thread reader([&] {
        while (!stop) {
            AcDbDatabase db(false);
            if (db.readDwgFile(wide(dir + "/in.dxf").c_str()) == Acad::eOk) ++reads;
        }
    });
    int broken = 0;
    while (reads < 20) {
        AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
        if (vx::db::Access::tagCount(&line) == 0 || vx::db::Access::typeName(&line) != "LINE") ++broken;
    }
    stop = true;
    reader.join();
    EXPECT_EQ(broken, 0);
}

}  // namespace
