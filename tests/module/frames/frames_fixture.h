// A working drawing built with the database API, and scripted answers for the pick prompts.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "acdb.h"
#include "dbapserv.h"
#include "editor/command_line.h"
#include "editor/input.h"
#include "../module_test_base.h"

namespace vorlix::test {

class FramesTest : public ModuleTest {
protected:

    AcDbObjectId addLayer(const wchar_t* name, int color) {
        AcDbLayerTable* t = nullptr;
        EXPECT_EQ(db->getSymbolTable(t, AcDb::kForWrite), Acad::eOk);
        auto* rec = new AcDbLayerTableRecord;
        rec->setName(name);
        AcCmColor c;
        c.setColorIndex(static_cast<int16_t>(color));
        rec->setColor(c);
        AcDbObjectId id;
        EXPECT_EQ(t->add(id, rec), Acad::eOk);
        rec->close();
        t->close();
        return id;
    }
    // A block reference at (x, y) with attributes given as (tag, text) in order.
    AcDbObjectId frame(const wchar_t* layer, double x, double y,
                       const std::vector<std::pair<std::wstring, std::wstring>>& atts,
                       const wchar_t* blockName = L"CODE-A3") {
        auto* ref = new AcDbBlockReference(AcGePoint3d(x, y, 0), block(blockName));
        AcDbObjectId id = append(ref, layer);
        AcDbObjectPointer<AcDbBlockReference> open(id, AcDb::kForWrite);
        EXPECT_EQ(open.openStatus(), Acad::eOk);
        double dy = 0;
        for (auto& [tag, text] : atts) {
            auto* a = new AcDbAttribute(AcGePoint3d(x, y + (dy += 5), 0), text.c_str(), tag.c_str());
            a->setLayer(layer);
            EXPECT_EQ(open->appendAttribute(a), Acad::eOk);
            a->close();
        }
        return id;
    }
    AcDbObjectId line(const wchar_t* layer, double x1, double y1, double x2, double y2) {
        return append(new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0)), layer);
    }

};

}  // namespace vorlix::test
