// A working drawing, a scratch module folder with its settings file, scripted answers, and the
// module's own dialog templates of frame insertion, content entry, settings and the palette.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "acdb.h"
#include "acui.h"
#include "dbapserv.h"
#include "editor/command_line.h"
#include "editor/input.h"
#include "../module_test_base.h"
#include "settings/settings_record.h"
#include "text/encoding.h"
#include "ui/resource_registry.h"
#include "ui/resource_stack.h"

namespace vorlix::test {

namespace fs = std::filesystem;
using Attributes = std::vector<std::pair<std::wstring, std::wstring>>;

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class FrameCommandsTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        std::string pattern = (fs::temp_directory_path() / "vx-cmdsb-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch = pattern;
        fs::create_directories(moduleFolder());
        settings().reset();
        settings().computeLocations(vx::text::fromUtf8((moduleFolder() / "VorlixDesign.arx").string()));
        registerDialogs();
    }
    void TearDown() override {
        ModuleTest::TearDown();
        settings().reset();
        while (vx::ui::resourceStackDepth() > 0) vx::ui::popResourceHandle();
        vx::ui::unregisterResources(vxThisModuleHandle());
        std::error_code ec;
        fs::permissions(moduleFolder(), fs::perms::owner_all, ec);
        fs::remove_all(scratch, ec);
    }

    fs::path moduleFolder() const { return scratch / "module"; }
    fs::path settingsFile() const { return moduleFolder() / "SHEETCONFIG.INI"; }
    // Settings file text (UTF-8) and a reload, as the module's load would do.
    void useSettings(const std::string& ini) {
        writeFile(settingsFile(), ini);
        settings().reload();
    }
    // A template folder with a description listing the items and frame names.
    fs::path templateFolder(const std::vector<std::string>& items, const std::vector<std::string>& sizes = {}) {
        fs::path folder = scratch / "templates";
        fs::create_directories(folder);
        std::string ini = "[TKATT]\n";
        for (size_t i = 0; i < items.size(); ++i) ini += "ITEM" + std::to_string(i) + "=" + items[i] + "\n";
        ini += "[TKNAMELIST]\n";
        for (size_t i = 0; i < sizes.size(); ++i) ini += "TKNAME" + std::to_string(i) + "=" + sizes[i] + "\n";
        writeFile(folder / "TKATT.ini", ini);
        return folder;
    }

    // A block reference at (x, y) whose attributes sit at (x + 10, y + 10 * k).
    AcDbObjectId frame(double x, double y, const Attributes& atts, const wchar_t* layer = L"C-TK") {
        auto* ref = new AcDbBlockReference(AcGePoint3d(x, y, 0), block(L"CODE-A3"));
        AcDbObjectId id = append(ref, layer);
        AcDbObjectPointer<AcDbBlockReference> open(id, AcDb::kForWrite);
        EXPECT_EQ(open.openStatus(), Acad::eOk);
        double dy = 0;
        for (const auto& [tag, text] : atts) {
            auto* att = new AcDbAttribute(AcGePoint3d(x + 10, y + (dy += 10), 0), text.c_str(), tag.c_str());
            EXPECT_EQ(open->appendAttribute(att), Acad::eOk);
            att->close();
        }
        return id;
    }
    // Every attribute of a reference as (tag, text, position), in order.
    struct Att {
        std::wstring tag, text;
        AcGePoint3d at;
    };
    std::vector<Att> attributes(AcDbObjectId id) {
        std::vector<Att> out;
        AcDbObjectPointer<AcDbBlockReference> ref(id, AcDb::kForRead);
        if (ref.openStatus() != Acad::eOk) return out;
        AcDbObjectIterator* it = ref->attributeIterator();
        for (it->start(); !it->done(); it->step()) {
            AcDbAttribute* a = nullptr;
            if (ref->openAttribute(a, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
            out.push_back({a->tag().str(), a->textString().str(), a->position()});
            a->close();
        }
        delete it;
        return out;
    }

    fs::path scratch;

private:
    // The templates exactly as the module ships them.
    void registerDialogs() {
        const fs::path res = fs::path(VX_SOURCE_DIR) / "resources";
        std::vector<std::pair<std::string, std::string>> files = {
            {"main.rc", "#include \"ids_frame_dialogs.h\"\n"
                        "#include \"dialogs/105_sys_set.rc\"\n"
                        "#include \"dialogs/107_vorlix_palette.rc\"\n"
                        "#include \"dialogs/112_select_sheet.rc\"\n"
                        "#include \"dialogs/116_sheet_info.rc\"\n"}};
        for (const char* f : {"ids_frame_dialogs.h", "dialogs/105_sys_set.rc", "dialogs/107_vorlix_palette.rc",
                              "dialogs/112_select_sheet.rc", "dialogs/116_sheet_info.rc",
                              "bitmaps/136_sheet_info_icons.bmp"})
            files.emplace_back(f, readFile(res / f));
        std::string error;
        ASSERT_TRUE(vx::ui::registerResources(vxThisModuleHandle(), files, error)) << error;
    }
};

}  // namespace vorlix::test
