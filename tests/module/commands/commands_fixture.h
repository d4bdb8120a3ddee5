// A working drawing built with the database API, scripted answers for prompts and dialogs, and
// the module's dialog templates registered under this test binary (the module instance here).
#pragma once

#include <gtest/gtest.h>

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
#include "ui/resource_registry.h"
#include "ui/resource_stack.h"

namespace vorlix::test {

using Attributes = std::vector<std::pair<std::wstring, std::wstring>>;

inline std::string readSource(const std::string& relative) {
    std::ifstream in(std::string(VX_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class CommandsTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        layer(L"C-TK");
    }
    void TearDown() override {
        ModuleTest::TearDown();
        vx::ui::unregisterResources(vxThisModuleHandle());
    }
    // The dialog templates exactly as the module ships them.
    void useDialogs() {
        std::vector<std::pair<std::string, std::string>> files = {
            {"main.rc", "#include \"resource.h\"\n"
                        "#include \"dialogs/121_fast_edit_plt_no.rc\"\n"
                        "#include \"dialogs/125_plt_catalog.rc\"\n"
                        "#include \"dialogs/139_batch_plt_num.rc\"\n"
                        "#include \"dialogs/141_batch_layout.rc\"\n"
                        "#include \"dialogs/196_sheet_attr_info_set.rc\"\n"}};
        for (const char* f : {"resource.h", "ids_fast_edit.h", "ids_batch_plt_num.h", "ids_sheet_attr_info_set.h",
                              "ids_plt_catalog.h", "ids_batch_layout.h", "dialogs/121_fast_edit_plt_no.rc",
                              "dialogs/125_plt_catalog.rc", "dialogs/139_batch_plt_num.rc",
                              "dialogs/141_batch_layout.rc", "dialogs/196_sheet_attr_info_set.rc"})
            files.emplace_back(f, readSource(std::string("resources/") + f));
        std::string error;
        ASSERT_TRUE(vx::ui::registerResources(vxThisModuleHandle(), files, error)) << error;
    }

    void layer(const wchar_t* name, bool locked = false) {
        AcDbLayerTable* t = nullptr;
        ASSERT_EQ(db->getSymbolTable(t, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        if (t->getAt(name, id) != Acad::eOk) {
            auto* rec = new AcDbLayerTableRecord;
            rec->setName(name);
            rec->setIsLocked(locked);
            t->add(id, rec);
            rec->close();
        }
        t->close();
    }
    // A frame block: a 420 x 297 border with its origin at the lower left corner.
    AcDbObjectId frameBlock() {
        AcDbBlockTable* t = nullptr;
        EXPECT_EQ(db->getSymbolTable(t, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        if (t->getAt(L"CODE-A3", id) != Acad::eOk) {
            auto* rec = new AcDbBlockTableRecord;
            rec->setName(L"CODE-A3");
            t->add(id, rec);
            auto* border = new AcDbPolyline(4);
            const double pts[4][2] = {{0, 0}, {420, 0}, {420, 297}, {0, 297}};
            for (unsigned k = 0; k < 4; ++k) border->addVertexAt(k, AcGePoint2d(pts[k][0], pts[k][1]));
            border->setClosed(true);
            rec->appendAcDbEntity(border);
            border->close();
            rec->close();
        }
        t->close();
        return id;
    }
    // A frame whose lower left corner is (x, y); attributes lie inside the border.
    AcDbObjectId frame(double x, double y, const Attributes& atts, const wchar_t* layerName = L"C-TK",
                       const wchar_t* attLayer = nullptr) {
        auto* ref = new AcDbBlockReference(AcGePoint3d(x, y, 0), frameBlock());
        AcDbObjectId id = append(ref, layerName);
        AcDbObjectPointer<AcDbBlockReference> open(id, AcDb::kForWrite);
        EXPECT_EQ(open.openStatus(), Acad::eOk);
        double dy = 0;
        for (auto& [tag, text] : atts) {
            auto* a = new AcDbAttribute(AcGePoint3d(x + 300, y + (dy += 10), 0), text.c_str(), tag.c_str());
            a->setHeight(3.5);
            a->setLayer(attLayer ? attLayer : layerName);
            EXPECT_EQ(open->appendAttribute(a), Acad::eOk);
            a->close();
        }
        return id;
    }
    AcDbObjectId line(double x1, double y1, double x2, double y2, const wchar_t* layerName = L"C-TK") {
        return append(new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0)), layerName);
    }
    AcDbObjectId text(double x, double y, const wchar_t* s, const wchar_t* layerName = L"0") {
        return append(new AcDbText(AcGePoint3d(x, y, 0), s, AcDbObjectId::kNull, 3.5), layerName);
    }

    // The attribute of the frame with the tag (first one), opened for reading by the caller's check.
    template <class F>
    void withAttribute(AcDbObjectId frameId, const std::wstring& tag, F check) {
        AcDbObjectPointer<AcDbBlockReference> ref(frameId, AcDb::kForRead);
        ASSERT_EQ(ref.openStatus(), Acad::eOk);
        std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
        for (it->start(); !it->done(); it->step()) {
            AcDbAttribute* att = nullptr;
            if (ref->openAttribute(att, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
            bool match = att->tag().str() == tag;
            if (match) check(att);
            att->close();
            if (match) return;
        }
        ADD_FAILURE() << "no attribute with that tag";
    }
    std::wstring attText(AcDbObjectId frameId, const std::wstring& tag) {
        std::wstring out;
        withAttribute(frameId, tag, [&](AcDbAttribute* a) { out = a->textString().str(); });
        return out;
    }

};

}  // namespace vorlix::test
