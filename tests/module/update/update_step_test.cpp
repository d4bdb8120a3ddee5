#include "update/update_step.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "../../http_stub.h"
#include "../module_test_base.h"
#include "update/web_command.h"

namespace vorlix::test {
namespace {

namespace fs = std::filesystem;
using vx::test::HttpStub;

// The update step against a service on 127.0.0.1 (the offers themselves are e2e cases).
class UpdateStepTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        std::string pattern = (fs::temp_directory_path() / "vx-update-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::create_directories(root / "module");
    }
    void TearDown() override {
        setenv("VX_UPDATE_SERVICE", "", 1);
        ModuleTest::TearDown();
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    void useService(const std::string& url) { setenv("VX_UPDATE_SERVICE", url.c_str(), 1); }
    UpdateResult run() { return runUpdateStep(fs::path(root / "module").wstring()); }
    fs::path root;
};

TEST_F(UpdateStepTest, AnEmptySettingAsksNobodyAndAnUnsafeFolderIsLeftAlone) {
    HttpStub service({});
    useService("");
    fs::create_directories(root / "module" / "downdir");
    fs::permissions(root / "module" / "downdir", fs::perms::all, fs::perm_options::replace);
    std::ofstream(root / "module" / "downdir" / "b.dat") << "planted";
    EXPECT_EQ(run(), UpdateResult::Continue);
    EXPECT_TRUE(service.requests().empty());
    EXPECT_FALSE(fs::exists(root / "module" / "b.dat"));
    const std::wstring module = fs::path(root / "module").wstring();
    EXPECT_TRUE(saw(L"下载文件夹 " + module + L"/downdir 是链接或可被其他用户写入，其中的文件未移入程序文件夹。"))
        << transcript;

    // A module folder written with "\" (the host reads both) is named as it was written.
    std::wstring written = module;
    std::replace(written.begin(), written.end(), L'/', L'\\');
    transcript.clear();
    EXPECT_EQ(runUpdateStep(written), UpdateResult::Continue);
    EXPECT_FALSE(fs::exists(root / "module" / "b.dat"));
    EXPECT_TRUE(saw(L"下载文件夹 " + written + L"\\downdir 是链接")) << transcript;
    unsetenv("VX_UPDATE_SERVICE");
    EXPECT_EQ(updateServiceAddress(), L"http://update.vorlix.example/") << "unset: the module's own address";
}

TEST(WebCommand, AnswersAreTakenOnlyWhenWholeUtf8AndOk) {
    HttpStub service({HttpStub::ok("\"\xE5\x8D\x87\xE7\xBA\xA7.zip\""), HttpStub::status(500, "oops"),
                      HttpStub::ok("\xFF\xFE"), HttpStub::ok(std::string(200000, '&')),
                      HttpStub::Reply{"", 0, 5000}});
    CWebCommand web;
    web.setTimeouts(1000, 800);
    std::string body;
    const std::string base = service.baseUrl();
    const std::wstring url(base.begin(), base.end());
    EXPECT_EQ(web.Get(url, body), CWebCommand::kRead);
    EXPECT_EQ(body, "\"\xC9\xFD\xBC\xB6.zip\"") << "UTF-8 turned into the ANSI code page";
    EXPECT_EQ(web.Get(url, body), CWebCommand::kFailed) << "an error page";
    EXPECT_EQ(web.Get(url, body), CWebCommand::kFailed) << "not UTF-8";
    EXPECT_EQ(web.Get(url, body), CWebCommand::kFailed) << "longer than any version answer";
    EXPECT_TRUE(body.empty());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(web.Get(url, body), CWebCommand::kTimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

}  // namespace
}  // namespace vorlix::test
