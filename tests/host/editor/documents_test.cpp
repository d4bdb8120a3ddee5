#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "acdb.h"
#include "acdocman.h"
#include "aced.h"
#include "dbapserv.h"
#include "editor/builtin_commands.h"
#include "editor/command_loop.h"
#include "editor/documents.h"
#include "editor_fixture.h"
#include "text/encoding.h"

namespace fs = std::filesystem;

namespace vx::editor::test {
namespace {

class DocumentsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        std::string pattern = (fs::temp_directory_path() / "vx-docs-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        registerBuiltinCommands();
        clearQuit();
        ASSERT_NE(documentManager().newDocument(), nullptr);
    }
    void TearDown() override {
        documentManager().closeAll();
        clearQuit();
        fs::remove_all(dir);
        EditorTest::TearDown();
    }
    std::wstring path(const char* name) { return vx::text::fromUtf8((dir / name).string()); }
    void addLine() {
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForWrite);
        auto* l = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
        ASSERT_EQ(ms->appendAcDbEntity(l), Acad::eOk);
        l->close();
    }
    fs::path dir;
};

TEST_F(DocumentsTest, SaveAsThenOpenGivesTheSavedDrawingBack) {
    addLine();
    answers({path("a.dxf")});
    ASSERT_EQ(runCommandLine(L"SAVEAS"), RunResult::kRan);
    EXPECT_TRUE(fs::exists(dir / "a.dxf"));
    EXPECT_STREQ(documentManager().current()->docTitle(), L"a.dxf");
    answers({path("a.dxf")});
    ASSERT_EQ(runCommandLine(L"OPEN"), RunResult::kRan);
    EXPECT_EQ(documentManager().documentCount(), 2);
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, ss), RTNORM);  // the line came back
    acedSSFree(ss);
}

TEST_F(DocumentsTest, OpeningAMissingFileSaysWhyAndKeepsTheCurrentDrawing) {
    AcApDocument* before = acDocManager->curDocument();
    ASSERT_EQ(runCommandLine(L"OPEN " + path("missing.dxf")), RunResult::kRan);
    EXPECT_EQ(acDocManager->curDocument(), before);
    EXPECT_NE(transcript.find(L"Unable to open"), std::wstring::npos);
}

TEST_F(DocumentsTest, OpeningAFolderOrADeviceSaysWhatItIs) {
    fs::create_directory(dir / "sheets.dxf");
    ASSERT_EQ(runCommandLine(L"OPEN " + path("sheets.dxf")), RunResult::kRan);
    EXPECT_NE(transcript.find(path("sheets.dxf") + L" is a folder, not a drawing file"), std::wstring::npos);
    ASSERT_EQ(runCommandLine(L"OPEN /dev/null"), RunResult::kRan);
    EXPECT_NE(transcript.find(L"/dev/null is not a drawing file"), std::wstring::npos);
    EXPECT_EQ(transcript.find(L"no such file"), std::wstring::npos) << vx::text::toUtf8(transcript);
    EXPECT_EQ(documentManager().documentCount(), 1);
}

TEST_F(DocumentsTest, QuitAsksBeforeChangesAreDroppedAndNoIsTheDefault) {
    addLine();
    answers({L""});
    runCommandLine(L"QUIT");
    EXPECT_FALSE(quitRequested());
    EXPECT_NE(transcript.find(L"Discard the unsaved changes"), std::wstring::npos);
    answers({L"maybe", L"y"});
    runCommandLine(L"QUIT");
    EXPECT_TRUE(quitRequested());
    EXPECT_EQ(unusable(), 1);
}

TEST_F(DocumentsTest, QuitWithoutChangesAsksNothing) {
    answers({path("b.dxf")});
    runCommandLine(L"SAVEAS");
    transcript.clear();
    runCommandLine(L"QUIT");
    EXPECT_TRUE(quitRequested());
    EXPECT_EQ(transcript.find(L"Discard"), std::wstring::npos);
}

TEST_F(DocumentsTest, CloseKeepsOneDrawingOpen) {
    runCommandLine(L"CLOSE");
    ASSERT_NE(documentManager().current(), nullptr);
    EXPECT_EQ(documentManager().documentCount(), 1);
    EXPECT_NE(transcript.find(L"Closed Drawing"), std::wstring::npos);
}

TEST_F(DocumentsTest, LocksNestAndTheContextFollowsTheCommandDepth) {
    EXPECT_TRUE(acDocManager->isApplicationContext());
    AcApDocument* doc = acDocManager->curDocument();
    EXPECT_EQ(doc->lockMode(), AcAp::kNotLocked);
    {
        AcAxDocLock outer;
        ASSERT_EQ(outer.lockStatus(), Acad::eOk);
        {
            AcAxDocLock inner(doc->database());
            EXPECT_EQ(inner.lockStatus(), Acad::eOk);
        }
        EXPECT_EQ(doc->lockMode(), AcAp::kWrite);
    }
    EXPECT_EQ(doc->lockMode(), AcAp::kNotLocked);
    AcDbDatabase side(true, true);
    AcAxDocLock none(&side);
    EXPECT_EQ(none.lockStatus(), Acad::eNoDocument);
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eNotApplicable);
}

}  // namespace
}  // namespace vx::editor::test
