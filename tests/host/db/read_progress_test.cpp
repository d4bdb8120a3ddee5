// Reading a drawing with a progress listener: how far the read got, stopping it, and reads on
// worker threads while another thread works on its own drawing.
#include "db/read_progress.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <thread>
#include <vector>

#include "acdb.h"
#include "text/encoding.h"

namespace fs = std::filesystem;
using vx::db::ReadProgress;
using vx::db::ReadProgressScope;

namespace {

struct Report {
    uint64_t done, total;
};

size_t modelSpaceCount(AcDbDatabase& db) {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
    return ms.openStatus() == Acad::eOk ? ms->entities().size() : 0;
}

// A drawing of `lines` lines with Chinese layer names (decoded through the code page on read).
std::wstring writeDrawing(const fs::path& path, int lines) {
    AcDbDatabase db;
    {
        AcDbObjectPointer<AcDbLayerTable> layers(db.layerTableId(), AcDb::kForWrite);
        auto* rec = new AcDbLayerTableRecord;
        rec->setName(L"墙体");
        layers->add(rec);
        rec->close();
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
        for (int i = 0; i < lines; ++i) {
            auto* l = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 100.5, 0));
            l->setLayer(i % 2 ? L"墙体" : L"0");
            ms->appendAcDbEntity(l);
            l->close();
        }
    }
    const std::wstring name = vx::text::fromUtf8(path.string());
    EXPECT_EQ(db.saveAs(name.c_str()), Acad::eOk);
    return name;
}

class ReadProgressTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = fs::temp_directory_path() / ("vx_read_progress_" + std::to_string(::getpid()));
        fs::create_directories(s_dir);
        s_big = writeDrawing(s_dir / "big.dxf", 30000);
        s_small = writeDrawing(s_dir / "small.dxf", 10);
    }
    static void TearDownTestSuite() { fs::remove_all(s_dir); }

    static fs::path s_dir;
    static std::wstring s_big, s_small;
};

fs::path ReadProgressTest::s_dir;
std::wstring ReadProgressTest::s_big;
std::wstring ReadProgressTest::s_small;

}  // namespace

TEST_F(ReadProgressTest, ReportsClimbToTheEndInThreePassesOverTheBytes) {
    const uint64_t size = fs::file_size(vx::text::toUtf8(s_big));
    ASSERT_GT(size, 2u << 20) << "the drawing must span several report intervals";
    std::vector<Report> seen;
    AcDbDatabase db(false, false);
    {
        ReadProgressScope scope([&](uint64_t done, uint64_t total) {
            seen.push_back({done, total});
            return true;
        });
        ASSERT_EQ(db.readDwgFile(s_big.c_str()), Acad::eOk);
    }
    EXPECT_EQ(modelSpaceCount(db), 30000u);
    ASSERT_GE(seen.size(), 6u);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].total, 3 * size);
        if (i > 0) {
            EXPECT_GT(seen[i].done, seen[i - 1].done) << "report " << i;
        }
    }
    EXPECT_EQ(seen.back().done, seen.back().total);
    // Each pass reports: some reports fall in the first, second and last third.
    int thirds[3] = {0, 0, 0};
    for (const Report& r : seen) ++thirds[std::min<uint64_t>(2, r.done * 3 / (r.total + 1))];
    EXPECT_GT(thirds[0], 0);
    EXPECT_GT(thirds[1], 0);
    EXPECT_GT(thirds[2], 0);
}

TEST_F(ReadProgressTest, AStoppedReadFailsAndKeepsTheDatabaseAsItWas) {
    AcDbDatabase db(false, false);
    ASSERT_EQ(db.readDwgFile(s_small.c_str()), Acad::eOk);
    // Stopped in each of the three passes in turn.
    for (double at : {0.1, 0.5, 0.9}) {
        uint64_t last = 0;
        ReadProgressScope scope([&](uint64_t done, uint64_t total) {
            last = done;
            return done < static_cast<uint64_t>(at * static_cast<double>(total));
        });
        EXPECT_EQ(db.readDwgFile(s_big.c_str()), Acad::eUserBreak) << at;
        EXPECT_NE(std::wstring(db.lastReadMessage()).find(L"the load was cancelled"), std::wstring::npos);
        EXPECT_EQ(modelSpaceCount(db), 10u) << "the previous drawing stays";
        EXPECT_LT(last, fs::file_size(vx::text::toUtf8(s_big)) * 3);
    }
    // Neither the stop nor the listener outlives its scope: the next reads complete.
    EXPECT_EQ(db.readDwgFile(s_big.c_str()), Acad::eOk);
    EXPECT_EQ(modelSpaceCount(db), 30000u);
    AcDbDatabase fresh;  // built from the default drawing through the same reader
    AcDbObjectPointer<AcDbLayerTable> layers(fresh.layerTableId(), AcDb::kForRead);
    ASSERT_EQ(layers.openStatus(), Acad::eOk);
    EXPECT_TRUE(layers->has(L"0"));
}

TEST_F(ReadProgressTest, AListenerHearsOnlyReadsOnItsOwnThread) {
    int heard = 0;
    ReadProgressScope scope([&](uint64_t, uint64_t) {
        ++heard;
        return false;  // would stop any read it heard
    });
    AcDbDatabase worker(false, false);
    Acad::ErrorStatus workerStatus = Acad::eNotImplementedYet;
    std::thread t([&] { workerStatus = worker.readDwgFile(s_big.c_str()); });
    t.join();
    EXPECT_EQ(workerStatus, Acad::eOk);
    EXPECT_EQ(heard, 0);
    EXPECT_EQ(modelSpaceCount(worker), 30000u);
}

TEST_F(ReadProgressTest, TwoDrawingsReadOnTwoThreadsWhileAThirdIsEdited) {
    AcDbDatabase a(false, false), b(false, false);
    Acad::ErrorStatus sa = Acad::eNotImplementedYet, sb = Acad::eNotImplementedYet;
    std::thread ta([&] { sa = a.readDwgFile(s_big.c_str()); });
    std::thread tb([&] { sb = b.readDwgFile(s_big.c_str()); });
    // Meanwhile this thread makes and changes objects of its own drawing.
    AcDbDatabase mine;
    {
        AcDbObjectPointer<AcDbBlockTableRecord> ms(mine.modelSpaceId(), AcDb::kForWrite);
        for (int i = 0; i < 2000; ++i) {
            auto* l = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(i, 1, 0));
            l->setLayer(L"0");
            ms->appendAcDbEntity(l);
            l->close();
        }
    }
    ta.join();
    tb.join();
    ASSERT_EQ(sa, Acad::eOk);
    ASSERT_EQ(sb, Acad::eOk);
    EXPECT_EQ(modelSpaceCount(a), 30000u);
    EXPECT_EQ(modelSpaceCount(b), 30000u);
    EXPECT_EQ(modelSpaceCount(mine), 2000u);
    // The layer names decoded on the workers are whole.
    AcDbObjectPointer<AcDbLayerTable> layers(a.layerTableId(), AcDb::kForRead);
    ASSERT_EQ(layers.openStatus(), Acad::eOk);
    EXPECT_TRUE(layers->has(L"墙体"));
}
