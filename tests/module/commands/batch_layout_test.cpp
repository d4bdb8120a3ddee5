#include "commands/batch_layout.h"

#include <filesystem>
#include <fstream>

#include "commands/batch_layout_dlg.h"
#include "commands_fixture.h"

namespace vorlix::test {
namespace {

class BatchLayoutDialog : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        useDialogs();
    }
    std::vector<std::wstring> layoutNames() {
        std::vector<std::wstring> names;
        AcDbDictionary* dict = nullptr;
        if (db->getLayoutDictionary(dict, AcDb::kForRead) != Acad::eOk) return names;
        std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator());
        for (; !it->done(); it->next()) names.push_back(it->name());
        dict->close();
        return names;
    }
    std::wstring current() {
        AcString name;
        acedLayoutManager()->getActiveLayoutName(name, true, db);
        return name.str();
    }
};

TEST_F(BatchLayoutDialog, NothingTickedOrACancelledPickMakesNothing) {
    AcDbObjectId a = frame(0, 0, {{L"图号", L"A-01"}});
    answers({L"click 174", L"ESC", L"click 174", handle(a), L"", L"click 189"});
    runBatchLayoutDialog();
    EXPECT_EQ(layoutNames().size(), 2u);
    EXPECT_EQ(current(), L"Model");
    EXPECT_FALSE(saw(L"生成布局！"));
    answers({L"click 174", handle(a), L"", L"tick 132 0 on", L"escape"});
    runBatchLayoutDialog();
    EXPECT_EQ(layoutNames().size(), 2u) << "取消 creates nothing";
}

// A host that refuses every layout: the frame's messages say so and the others are still tried.
class RefusingLayouts : public AcApLayoutManager {
public:
    const ACHAR* findActiveLayout(bool) override { return L"Model"; }
    Acad::ErrorStatus getNextNewLayoutName(AcString& name, AcDbDatabase*) override {
        name = AcString(L"布局1");
        return Acad::eOk;
    }
    Acad::ErrorStatus createLayout(const ACHAR*, AcDbObjectId&, AcDbObjectId&, AcDbDatabase*) override {
        ++attempts;
        return Acad::eInvalidDwgVersion;
    }
    Acad::ErrorStatus setDefaultPlotConfig(AcDbObjectId) override {
        ADD_FAILURE() << "no page set-up for a layout that was not made";
        return Acad::eOk;
    }
    void updateLayoutTabs() override {}
    int attempts = 0;
};

TEST_F(BatchLayoutDialog, ALayoutTheHostRefusesIsReportedAndTheNextFrameTried) {
    RefusingLayouts host;
    EXPECT_EQ(createLayouts(host, {L"A-01", L"A-02"}), 0);
    EXPECT_EQ(host.attempts, 2);
    EXPECT_TRUE(saw(L"\n正在为  A-01  生成布局！\n为  A-01  生成布局失败！\n正在为  A-02  生成布局！\n为  A-02  生成布局失败！"));
}

}  // namespace
}  // namespace vorlix::test
