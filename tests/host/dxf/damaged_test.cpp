// Damaged and foreign input: the reader repairs what it can (audit list), refuses the rest with
// a message naming the line, and never crashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "acdb.h"
#include "ezdxf_check.h"

using namespace vxtest;

namespace {

std::string fixture(const std::string& name) {
    std::string dir = tempDir(name);
    EXPECT_TRUE(writeFixture("R2010", dir + "/good.dxf", false));
    return dir;
}

bool auditHas(const AcDbDatabase& db, const wchar_t* part) {
    for (const std::wstring& m : db.readAudit())
        if (m.find(part) != std::wstring::npos) return true;
    return false;
}

void expectValid(const std::string& path) {
    auto r = inspect(path);
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["dup_handles"], "0");
    EXPECT_EQ(r["seed_low"], "0");
}

TEST(Damaged, TruncatedFileLoadsWhatItHasAndSavesAValidFile) {
    std::string dir = fixture("trunc");
    std::string good = readFile(dir + "/good.dxf");
    // Cut inside ENTITIES, after a complete record.
    size_t cut = good.find("  0\nCIRCLE\n", good.find("ENTITIES"));
    writeFile(dir + "/t.dxf", good.substr(0, cut));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/t.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_TRUE(auditHas(db, L"has no ENDSEC"));
    EXPECT_TRUE(auditHas(db, L"no EOF"));
    ASSERT_EQ(db.saveAs(wide(dir + "/out.dxf").c_str()), Acad::eOk);
    std::string out = readFile(dir + "/out.dxf");
    EXPECT_EQ(out.substr(out.size() - 8), "  0\nEOF\n");
}

TEST(Damaged, BadGroupCodeFailsNamingTheLine) {
    std::string dir = fixture("badcode");
    std::string good = readFile(dir + "/good.dxf");
    size_t at = good.find("  0\nCIRCLE\n");
    std::string bad = good.substr(0, at) + "xyz\nCIRCLE\n" + good.substr(at + 11);
    writeFile(dir + "/b.dxf", bad);
    size_t line = 1 + static_cast<size_t>(std::count(bad.begin(), bad.begin() + static_cast<long>(at), '\n'));
    AcDbDatabase db(false);
    EXPECT_EQ(db.readDwgFile(wide(dir + "/b.dxf").c_str()), Acad::eInvalidDxfCode);
    std::wstring msg = db.lastReadMessage();
    EXPECT_NE(msg.find(L"line " + std::to_wstring(line) + L":"), std::wstring::npos) << msg;
    EXPECT_EQ(std::wstring(vx::db::lastReadMessage()), msg);
}

TEST(Damaged, DuplicateHandlesAreRenumbered) {
    std::string dir = fixture("dup");
    std::string good = readFile(dir + "/good.dxf");
    AcDbDatabase probe(false);
    ASSERT_EQ(probe.readDwgFile(wide(dir + "/good.dxf").c_str()), Acad::eOk);
    // Give the CIRCLE the handle of the ARC after it.
    size_t c = good.find("  0\nCIRCLE\n  5\n");
    size_t a = good.find("  0\nARC\n  5\n");
    size_t ch = c + 15, ah = a + 12;
    std::string arcHandle = good.substr(ah, good.find('\n', ah) - ah);
    std::string bad = good.substr(0, ch) + arcHandle + good.substr(good.find('\n', ch));
    writeFile(dir + "/d.dxf", bad);
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/d.dxf").c_str()), Acad::eOk);
    EXPECT_TRUE(auditHas(db, L"used twice"));
    ASSERT_EQ(db.saveAs(wide(dir + "/out.dxf").c_str()), Acad::eOk);
    expectValid(dir + "/out.dxf");
}

TEST(Damaged, DanglingOwnerAndMissingSeqendAreRepaired) {
    std::string dir = fixture("owner");
    std::string good = readFile(dir + "/good.dxf");
    size_t c = good.find("  0\nCIRCLE\n");
    size_t o = good.find("330\n", c) + 4;
    std::string bad = good.substr(0, o) + "FFFFF" + good.substr(good.find('\n', o));
    size_t s = bad.find("  0\nSEQEND\n");
    size_t next = bad.find("  0\n", s + 4);
    bad = bad.substr(0, s) + bad.substr(next);
    writeFile(dir + "/o.dxf", bad);
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/o.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_TRUE(auditHas(db, L"does not exist"));
    EXPECT_TRUE(auditHas(db, L"no SEQEND"));
    ASSERT_EQ(db.saveAs(wide(dir + "/out.dxf").c_str()), Acad::eOk);
    expectValid(dir + "/out.dxf");
    EXPECT_EQ(inspect(dir + "/out.dxf")["dangling"], "0");
}

TEST(Damaged, GarbageAndEmptyFilesFailCleanly) {
    std::string dir = tempDir("garbage");
    const std::string cases[] = {"", "\n\n", "  0\nSECTION\n", "hello world\n", std::string("\x00\x01\x02", 3)};
    int i = 0;
    for (const std::string& c : cases) {
        std::string p = dir + "/g" + std::to_string(i++) + ".dxf";
        writeFile(p, c);
        AcDbDatabase db(false);
        EXPECT_NE(db.readDwgFile(wide(p).c_str()), Acad::eOk) << i;
        EXPECT_NE(std::wstring(db.lastReadMessage()), L"") << i;
    }
    // A cut export of entities alone is a partial drawing: completed, repaired and saved whole.
    std::string cut = dir + "/cut.dxf";
    writeFile(cut, "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nabc\n");
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(cut).c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_TRUE(auditHas(db, L"has no ENDSEC"));
    ASSERT_EQ(db.saveAs(wide(dir + "/cut-out.dxf").c_str()), Acad::eOk);
    AcDbDatabase again(false);
    EXPECT_EQ(again.readDwgFile(wide(dir + "/cut-out.dxf").c_str()), Acad::eOk) << again.lastReadMessage();
}

TEST(Foreign, DwgFileIsRefusedWithAClearMessage) {
    std::string dir = tempDir("dwg");
    writeFile(dir + "/x.dwg", std::string("AC1024\0\0\0\0binary", 16));
    AcDbDatabase db(false);
    EXPECT_EQ(db.readDwgFile(wide(dir + "/x.dwg").c_str()), Acad::eUnsupportedFileFormat);
    EXPECT_NE(std::wstring(db.lastReadMessage()).find(L"is a DWG file; this host reads DXF: save the drawing as DXF"),
              std::wstring::npos);
}

TEST(Foreign, MissingDwgFallsBackToDxfAndBackslashesWork) {
    std::string dir = fixture("fallback");
    std::filesystem::rename(dir + "/good.dxf", dir + "/TK.dxf");
    std::wstring winPath = wide(dir + "/TK.dwg");
    for (auto& ch : winPath)
        if (ch == L'/') ch = L'\\';
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(winPath.c_str()), Acad::eOk) << db.lastReadMessage();
    const ACHAR* name = nullptr;
    db.getFilename(name);
    EXPECT_EQ(std::wstring(name), wide(dir + "/TK.dxf"));
    AcDbDatabase none(false);
    EXPECT_EQ(none.readDwgFile(wide(dir + "/nothere.dwg").c_str()), Acad::eFileNotFound);
}

TEST(Damaged, FailedReadLeavesTheDatabaseAsItWas) {
    std::string dir = tempDir("keep");
    writeFile(dir + "/bad.dxf", "junk\n");
    AcDbDatabase db;
    AcDbObjectId ms = db.modelSpaceId();
    EXPECT_NE(db.readDwgFile(wide(dir + "/bad.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(db.modelSpaceId(), ms);
    AcDbObjectPointer<AcDbBlockTableRecord> rec(ms, AcDb::kForRead);
    EXPECT_EQ(rec.openStatus(), Acad::eOk);
}

TEST(Damaged, CutOrCorruptedAnywhereNeverCrashes) {
    std::string dir = fixture("anywhere");
    std::string good = readFile(dir + "/good.dxf");
    std::mt19937 rng(7);
    for (int k = 0; k < 120; ++k) {
        std::string bad = good.substr(0, rng() % good.size());
        if (k % 2) {
            // A few bytes of noise in the kept part as well.
            for (int j = 0; j < 4 && !bad.empty(); ++j) bad[rng() % bad.size()] = static_cast<char>(rng() & 0xFF);
        }
        writeFile(dir + "/x.dxf", bad);
        AcDbDatabase db(false);
        Acad::ErrorStatus es = db.readDwgFile(wide(dir + "/x.dxf").c_str());
        if (es != Acad::eOk) {
            EXPECT_NE(std::wstring(db.lastReadMessage()), L"") << k;
            continue;
        }
        EXPECT_EQ(db.saveAs(wide(dir + "/y.dxf").c_str()), Acad::eOk) << k;
        AcDbDatabase again(false);
        EXPECT_EQ(again.readDwgFile(wide(dir + "/y.dxf").c_str()), Acad::eOk) << k << " " << again.lastReadMessage();
    }
}

}  // namespace
