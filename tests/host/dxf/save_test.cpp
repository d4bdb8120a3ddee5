// Saving: the previous file is kept as NAME.bak; a failed save leaves the target untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "acdb.h"
#include "ezdxf_check.h"

using namespace vxtest;

namespace {

TEST(Save, PreviousVersionIsKeptAsBak) {
    std::string dir = tempDir("bak");
    writeFile(dir + "/d.dxf", "old contents\n");
    AcDbDatabase db;
    ASSERT_EQ(db.saveAs(wide(dir + "/d.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_EQ(readFile(dir + "/d.bak"), "old contents\n");
    EXPECT_EQ(readFile(dir + "/d.dxf").compare(0, 12, "  0\nSECTION\n"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir + "/d.dxf.vxtmp"));
    EXPECT_FALSE(db.isModified());
}

TEST(Save, FailureLeavesTheTargetAndReportsWhy) {
    std::string dir = tempDir("fail");
    // The target name is taken by a folder: nothing may be moved or left behind.
    std::filesystem::create_directories(dir + "/d.dxf");
    writeFile(dir + "/d.dxf/inside.txt", "keep me\n");
    AcDbDatabase db;
    EXPECT_EQ(db.saveAs(wide(dir + "/d.dxf").c_str()), Acad::eFileAccessErr);
    EXPECT_NE(std::wstring(db.lastReadMessage()).find(L"is not a file"), std::wstring::npos);
    EXPECT_EQ(readFile(dir + "/d.dxf/inside.txt"), "keep me\n");
    EXPECT_FALSE(std::filesystem::exists(dir + "/d.bak"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/d.dxf.vxtmp"));
    // A folder that does not exist.
    EXPECT_EQ(db.saveAs(wide(dir + "/no/such/d.dxf").c_str()), Acad::eFileAccessErr);
}

TEST(Save, HandseedCoversNewObjects) {
    std::string dir = tempDir("seed");
    AcDbDatabase db;
    AcDbHandle before = db.handseed();
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
    auto* c = new AcDbCircle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 2);
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, c), Acad::eOk);
    c->close();
    ms.close();
    EXPECT_EQ(id.handle(), before);
    EXPECT_TRUE(db.isModified());
    ASSERT_EQ(db.saveAs(wide(dir + "/s.dxf").c_str()), Acad::eOk);
    auto r = inspect(dir + "/s.dxf", {{"seed", "doc.header['$HANDSEED']"}});
    EXPECT_EQ(r["seed_low"], "0");
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
}

}  // namespace
