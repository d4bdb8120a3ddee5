// Damaged drawings the fuzzer found: each is refused with a reason or reads, writes a file that reads again, and copies
// into a new drawing whose file reads again too.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "acdb.h"
#include "dxf/dxf.h"

namespace {

std::string bytesOf(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(DamagedCopy, FuzzFindingsReadWriteAndCopy) {
    const std::filesystem::path dir = std::filesystem::path(VX_SOURCE_DIR) / "fuzz/dxf/corpus";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        std::wstring message;
        AcDbDatabase db(false, true);
        if (vx::dxf::read(db.store(), bytesOf(entry.path()), message) != Acad::eOk) {
            // Refusing a file is fine when it says why.
            EXPECT_FALSE(message.empty());
            continue;
        }
        std::string out;
        ASSERT_EQ(vx::dxf::write(db.store(), out), Acad::eOk);
        AcDbDatabase again(false, true);
        EXPECT_EQ(vx::dxf::read(again.store(), out, message), Acad::eOk) << std::string(message.begin(), message.end());
        AcDbDatabase target(true);
        ASSERT_EQ(target.insert(AcGeMatrix3d::kIdentity, &db), Acad::eOk);
        std::string copied;
        ASSERT_EQ(vx::dxf::write(target.store(), copied), Acad::eOk);
        AcDbDatabase copyBack(false, true);
        EXPECT_EQ(vx::dxf::read(copyBack.store(), copied, message), Acad::eOk);
    }
    EXPECT_GE(files, 6);
}

}  // namespace
