#include "batchplot/driver_files.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../module_test_base.h"
#include "aced.h"

namespace vorlix::test {
namespace {

namespace fs = std::filesystem;

const char* const kShipped[] = {"DWG TO DWF.pc3", "DWG TO DWF.pmp", "DWG TO PDF.pc3",
                                "DWG TO PDF.pmp", "DWG TO PLT.pc3", "DWG TO PLT.pmp"};

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

// A module folder with its plotters and a profile of its own, whose roamable root folder the
// test decides.
class DriverFilesTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        std::string pattern = (fs::temp_directory_path() / "vx-drivers-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        tmp = pattern;
        module = tmp / "module";
        fs::create_directories(module / "plotters");
        for (const char* name : kShipped) write(module / "plotters" / name, std::string("shipped ") + name);
        write(module / "plotters" / u8"使用说明.doc", "{\\rtf1 guide}");
        for (const char* v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            const char* old = std::getenv(v);
            saved.emplace_back(v, old ? std::optional<std::string>(old) : std::nullopt);
        }
        setenv("XDG_CONFIG_HOME", (tmp / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (tmp / "data").c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
        std::error_code ec;
        fs::remove_all(tmp, ec);
        ModuleTest::TearDown();
    }
    // The profile names `root` as the roamable root folder (with the trailing separator the
    // host stores it with).
    void roamableRoot(const fs::path& root) {
        fs::create_directories(tmp / "config" / "vxhost");
        std::wstring key = acdbHostApplicationServices()->getRegistryProductRootKey();
        std::ofstream out(tmp / "config" / "vxhost" / "registry.ini");
        out << "[" << fs::path(key).string() << "]\nRoamableRootFolder=" << root.string() << "/\n";
    }
    void install() { installPlotDrivers(fs::path(module).wstring()); }
    static short backgroundPlot() {
        resbuf value{};
        acedGetVar(L"BACKGROUNDPLOT", &value);
        return value.resval.rint;
    }
    static void setBackgroundPlot(short v) {
        resbuf value{};
        value.restype = RTSHORT;
        value.resval.rint = v;
        acedSetVar(L"BACKGROUNDPLOT", &value);
    }

    fs::path tmp, module;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(DriverFilesTest, TheFirstLoadInstallsEveryPairAndPlotsInTheForeground) {
    setBackgroundPlot(2);
    install();
    const fs::path root = tmp / "data" / "vxhost";  // the host's default, made on first use
    for (const char* name : kShipped) {
        const bool pmp = fs::path(name).extension() == ".pmp";
        const fs::path target = (pmp ? root / "Plotters" / "PMP Files" : root / "Plotters") / name;
        EXPECT_EQ(contents(target), std::string("shipped ") + name) << target;
    }
    EXPECT_FALSE(fs::exists(root / "Plotters" / u8"使用说明.doc")) << "the guide is for exports only";
    EXPECT_EQ(backgroundPlot(), 0);
}

TEST_F(DriverFilesTest, ALaterLoadKeepsWhatTheUserChangedAndBringsBackWhatIsMissing) {
    install();
    const fs::path plotters = tmp / "data" / "vxhost" / "Plotters";
    write(plotters / "DWG TO PDF.pc3", "edited by the user");
    fs::remove(plotters / "PMP Files" / "DWG TO PLT.pmp");
    write(module / "plotters" / "DWG TO PDF.pc3", "a newer shipped file");
    setBackgroundPlot(1);
    install();
    EXPECT_EQ(contents(plotters / "DWG TO PDF.pc3"), "edited by the user");
    EXPECT_EQ(contents(plotters / "PMP Files" / "DWG TO PLT.pmp"), "shipped DWG TO PLT.pmp");
    EXPECT_EQ(backgroundPlot(), 0);
}

TEST_F(DriverFilesTest, WithoutThePaperSizeFolderOnlyTheConfigurationsAreInstalled) {
    const fs::path root = tmp / "roaming";
    fs::create_directories(root / "Plotters");
    roamableRoot(root);
    install();
    EXPECT_TRUE(fs::exists(root / "Plotters" / "DWG TO DWF.pc3"));
    EXPECT_TRUE(fs::exists(root / "Plotters" / "DWG TO PLT.pc3"));
    EXPECT_FALSE(fs::exists(root / "Plotters" / "PMP Files")) << "no folder is made";
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "Plotters"), fs::directory_iterator()), 3);
}

TEST_F(DriverFilesTest, AnExportCopiesTheChosenPairsAndTheGuideButReplacesNothing) {
    const fs::path out = tmp / "export";
    fs::create_directories(out);
    write(out / u8"使用说明.doc", "the office's own notes");
    EXPECT_TRUE(exportPlotDrivers(module.wstring(), {DriverPair::Plt}, out.wstring()).empty());
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(out)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"DWG TO PLT.pc3", "DWG TO PLT.pmp", u8"使用说明.doc"}));
    EXPECT_EQ(contents(out / u8"使用说明.doc"), "the office's own notes");
    EXPECT_EQ(contents(out / "DWG TO PLT.pmp"), "shipped DWG TO PLT.pmp");
}

TEST_F(DriverFilesTest, AnExportSaysWhichFilesDidNotArrive) {
    fs::remove(module / "plotters" / "DWG TO DWF.pmp");
    const fs::path out = tmp / "export";
    fs::create_directories(out);
    EXPECT_EQ(exportPlotDrivers(module.wstring(), {DriverPair::Dwf, DriverPair::Pdf}, out.wstring()),
              std::vector<std::wstring>{L"DWG TO DWF.pmp"});
    EXPECT_TRUE(fs::exists(out / "DWG TO PDF.pmp"));
    const std::vector<std::wstring> all{L"DWG TO PDF.pmp", L"DWG TO PDF.pc3", L"使用说明.doc"};
    EXPECT_EQ(exportPlotDrivers(module.wstring(), {DriverPair::Pdf}, (tmp / "no-such-folder").wstring()), all);
}

}  // namespace
}  // namespace vorlix::test
