// The editor's layout manager: the database side's layouts, plus the default names and page
// set-up of this host and the tabs (which a desktop host draws; the console has none).
#include "acdb.h"
#include "aclayout.h"
#include "db/layouts.h"
#include "dbapserv.h"
#include "editor/feedback.h"

namespace vx::editor {
namespace {

// What a Chinese host calls its new layouts.
constexpr const wchar_t* kLayoutNamePrefix = L"布局";

class LayoutManager : public AcApLayoutManager {
public:
    const ACHAR* findActiveLayout(bool allowModel) override {
        AcString name;
        if (getActiveLayoutName(name, allowModel) != Acad::eOk) return nullptr;
        m_active = name;
        return m_active.kACharPtr();
    }

    Acad::ErrorStatus getNextNewLayoutName(AcString& name, AcDbDatabase* db) override {
        if (!db) db = acdbHostApplicationServices()->workingDatabase();
        if (!db) return Acad::eNoDatabase;
        name = AcString(vx::db::nextLayoutName(db->store(), kLayoutNamePrefix));
        return Acad::eOk;
    }

    Acad::ErrorStatus setDefaultPlotConfig(AcDbObjectId blockTableRecId) override {
        auto* block = AcDbBlockTableRecord::cast(blockTableRecId.object());
        if (!block || !block->database()) return Acad::eNullObjectId;
        AcDbObjectPointer<AcDbLayout> layout(block->getLayoutId(), AcDb::kForWrite);
        if (layout.openStatus() != Acad::eOk) return layout.openStatus();
        return vx::db::applyPlotConfiguration(layout.object(), vx::db::defaultPlotConfiguration());
    }

    void updateLayoutTabs() override { layoutTabsChanged(); }

private:
    AcString m_active;
};

}  // namespace
}  // namespace vx::editor

AcApLayoutManager* acedLayoutManager() {
    static vx::editor::LayoutManager manager;
    return &manager;
}
