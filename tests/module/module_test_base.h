// What every module test starts from: a captured command line, a working drawing built with
// the database API, and the small helpers that put entities and blocks into it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acdb.h"
#include "dbapserv.h"
#include "editor/command_line.h"
#include "editor/input.h"

namespace vorlix::test {

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& cl = vx::editor::CommandLine::get();
        cl.reset();
        cl.setEchoToStdout(false);
        cl.setCapture(&transcript);
        vx::editor::clearInputEnded();
        db = new AcDbDatabase(true, true);
        acdbHostApplicationServices()->setWorkingDatabase(db);
    }
    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
        db = nullptr;
        vx::editor::CommandLine::get().reset();
        vx::editor::clearInputEnded();
    }

    void answers(std::vector<std::wstring> lines) {
        vx::editor::CommandLine::get().pushSource(vx::editor::linesSource(std::move(lines)));
    }
    int unusable() const { return vx::editor::CommandLine::get().unusableLines(); }
    bool saw(const std::wstring& text) const { return transcript.find(text) != std::wstring::npos; }
    static std::wstring handle(AcDbObjectId id) { return L"H " + id.handle().toString().str(); }

    // Appends to model space on the layer; the entity is closed.
    AcDbObjectId append(AcDbEntity* e, const wchar_t* layer) {
        e->setLayer(layer);
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForWrite);
        AcDbObjectId id;
        EXPECT_EQ(ms->appendAcDbEntity(id, e), Acad::eOk);
        e->close();
        return id;
    }
    // The block record of that name, made empty when the drawing has none.
    AcDbObjectId block(const wchar_t* name) {
        AcDbBlockTable* t = nullptr;
        EXPECT_EQ(db->getSymbolTable(t, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        if (t->getAt(name, id) != Acad::eOk) {
            auto* rec = new AcDbBlockTableRecord;
            rec->setName(name);
            EXPECT_EQ(t->add(id, rec), Acad::eOk);
            rec->close();
        }
        t->close();
        return id;
    }

    AcDbDatabase* db = nullptr;
    std::wstring transcript;
};

}  // namespace vorlix::test
