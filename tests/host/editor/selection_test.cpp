#include <gtest/gtest.h>

#include "acdb.h"
#include "aced.h"
#include "dbapserv.h"
#include "editor/selection.h"
#include "editor_fixture.h"

namespace vx::editor::test {
namespace {

// A drawing with lines on a few layers, made with the database API.
class SelectionTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        db = new AcDbDatabase(true, true);
        acdbHostApplicationServices()->setWorkingDatabase(db);
        for (const wchar_t* name : {L"C-TK", L"c-tk-old", L"WALL"}) addLayer(name);
        line(0, 0, 10, 0, L"WALL");     // 0
        line(0, 5, 10, 5, L"C-TK");     // 1
        line(20, 20, 30, 30, L"c-tk");  // 2: same layer, other case
        line(100, 0, 110, 0, L"c-tk-old");  // 3
    }
    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
        EXPECT_EQ(liveSelectionSets(), 0u);
        EditorTest::TearDown();
    }
    void addLayer(const wchar_t* name) {
        AcDbLayerTable* t = nullptr;
        ASSERT_EQ(db->getSymbolTable(t, AcDb::kForWrite), Acad::eOk);
        if (!t->has(name)) {
            auto* rec = new AcDbLayerTableRecord;
            rec->setName(name);
            ASSERT_EQ(t->add(rec), Acad::eOk);
            rec->close();
        }
        t->close();
    }
    void line(double x1, double y1, double x2, double y2, const wchar_t* layer) {
        auto* l = new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0));
        l->setLayer(layer);
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForWrite);
        ASSERT_EQ(ms.openStatus(), Acad::eOk);
        AcDbObjectId id;
        ASSERT_EQ(ms->appendAcDbEntity(id, l), Acad::eOk);
        l->close();
        ids.push_back(id);
    }
    // The indexes (into `ids`) of the set's members, in set order; frees the set.
    std::vector<int> members(ads_name ss) {
        std::vector<int> out;
        int32_t n = 0;
        EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
        for (int32_t i = 0; i < n; ++i) {
            ads_name e;
            AcDbObjectId id;
            EXPECT_EQ(acedSSName(ss, i, e), RTNORM);
            EXPECT_EQ(acdbGetObjectId(id, e), Acad::eOk);
            out.push_back(static_cast<int>(std::find(ids.begin(), ids.end(), id) - ids.begin()));
        }
        EXPECT_EQ(acedSSFree(ss), RTNORM);
        return out;
    }
    std::wstring handle(int i) { return ids[static_cast<size_t>(i)].handle().toString().str(); }

    AcDbDatabase* db = nullptr;
    std::vector<AcDbObjectId> ids;
};

TEST_F(SelectionTest, WholeDrawingSelectionMatchesLayersWithoutRegardToCase) {
    resbuf* f = acutBuildList(8, L"C-TK", 0);
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, f, ss), RTNORM);
    EXPECT_EQ(members(ss), (std::vector<int>{1, 2}));
    acutRelRb(f);

    f = acutBuildList(8, L"~C-TK*", 0);
    ASSERT_EQ(acedSSGet(L"_X", nullptr, nullptr, f, ss), RTNORM);
    EXPECT_EQ(members(ss), std::vector<int>{0});
    acutRelRb(f);

    f = acutBuildList(RTDXF0, L"INSERT", 8, L"C-TK", 0);
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, f, ss), RTERROR);  // nothing matches
    acutRelRb(f);
}

TEST_F(SelectionTest, PickOrderFirstThenDrawingOrderWithinOneAnswer) {
    answers({L"H " + handle(3) + L" " + handle(0), L"C -1,-1 11,6", L"ALL", L""});
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), (std::vector<int>{3, 0, 1, 2}));
    EXPECT_NE(transcript.find(L"4 total"), std::wstring::npos);
}

TEST_F(SelectionTest, WindowTakesOnlyWhatLiesInsideAndCrossingWhatTouches) {
    answers({L"W -1,-1 11,1", L""});
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), std::vector<int>{0});
    answers({L"C 25,25 200,-5", L""});
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), (std::vector<int>{2, 3}));
}

TEST_F(SelectionTest, ProgramWindowAndCrossingTakeTheCallersCorners) {
    ads_point a = {25, 25, 0}, b = {200, -5, 0};
    resbuf* f = acutBuildList(8, L"c-tk*", 0);
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_C", a, b, f, ss), RTNORM);
    EXPECT_EQ(members(ss), (std::vector<int>{2, 3}));
    ASSERT_EQ(acedSSGet(L"W", a, b, f, ss), RTNORM);
    EXPECT_EQ(members(ss), std::vector<int>{3});  // the other line only touches the window
    EXPECT_EQ(acedSSGet(L"W", a, nullptr, f, ss), RTERROR);
    acutRelRb(f);
}

TEST_F(SelectionTest, FilterAppliesToInteractivePicksAndMalformedAnswersAreHinted) {
    resbuf* f = acutBuildList(8, L"c-tk", 0);
    answers({L"W 1,1", L"everything", L"L", L"ALL", L""});
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_", nullptr, nullptr, f, ss), RTNORM);
    acutRelRb(f);
    EXPECT_EQ(members(ss), (std::vector<int>{1, 2}));  // L is on c-tk-old: filtered out
    EXPECT_EQ(unusable(), 2);
    EXPECT_NE(transcript.find(L"filtered out"), std::wstring::npos);
}

TEST_F(SelectionTest, EscapeOrAnEmptySelectionGiveNoSet) {
    answers({L"ALL", L"ESC"});
    ads_name ss;
    EXPECT_EQ(acedSSGet(L"_", nullptr, nullptr, nullptr, ss), RTCAN);
    answers({L""});
    EXPECT_EQ(acedSSGet(L"_", nullptr, nullptr, nullptr, ss), RTERROR);
    EXPECT_EQ(acedSSGet(L"_", nullptr, nullptr, nullptr, ss), RTCAN);  // input ended
}

TEST_F(SelectionTest, LastEntityAndEntityPicks) {
    ads_name last, picked;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, last), Acad::eOk);
    EXPECT_EQ(id, ids[3]);
    ads_point p;
    answers({L"5,5", L"55,55", L"H " + handle(0)});
    ASSERT_EQ(acedEntSel(L"\nPick: ", picked, p), RTNORM);
    ASSERT_EQ(acdbGetObjectId(id, picked), Acad::eOk);
    EXPECT_EQ(id, ids[1]);
    ASSERT_EQ(acedEntSel(L"\nPick: ", picked, p), RTNORM);  // the miss asks again
    ASSERT_EQ(acdbGetObjectId(id, picked), Acad::eOk);
    EXPECT_EQ(id, ids[0]);
    EXPECT_NE(transcript.find(L"Nothing found"), std::wstring::npos);
    ads_name bogus = {0, 0};
    EXPECT_EQ(acdbGetObjectId(id, bogus), Acad::eInvalidAdsName);
}

}  // namespace
}  // namespace vx::editor::test

namespace vx::editor::test {
namespace {

TEST_F(SelectionTest, WindowAndCrossingFromTheMouseSelectAsTheirTypedForms) {
    // Left to right: only what lies inside; right to left: what touches too. The lines at y=0
    // and y=5 run from x=0 to 10.
    events({eventAt(EventKind::kWindow, -1, -1, 11, 1), eventAt(EventKind::kCrossing, 5, 4, 6, 6), eventAt(EventKind::kEnter, 0, 0)});
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), (std::vector<int>{0, 1}));
    // The echo is what a user would have typed for the same selection.
    EXPECT_NE(transcript.find(L"Select objects: W -1,-1 11,1\n"), std::wstring::npos) << transcript;
    EXPECT_NE(transcript.find(L"Select objects: C 5,4 6,6\n"), std::wstring::npos) << transcript;
}

TEST_F(SelectionTest, APickTakesTheTopmostEntityInThePickBoxAndOnlyThat) {
    InputEvent onBoth = eventAt(EventKind::kPoint, 5, 2.5);
    onBoth.aperture = 3;  // touches the lines at y=0 and y=5: the later one is on top
    InputEvent nothing = eventAt(EventKind::kPoint, 60, 60);
    nothing.aperture = 1;
    InputEvent diagonal = eventAt(EventKind::kPoint, 25, 25);
    events({onBoth, nothing, diagonal, eventAt(EventKind::kEnter, 0, 0)});
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), (std::vector<int>{1, 2}));
    EXPECT_NE(transcript.find(L"0 found, 1 total"), std::wstring::npos) << transcript;
}

TEST_F(SelectionTest, ATypedPointIsNoSelectionAnswerButAMalformedWindowSaysWhatIsMissing) {
    answers({L"5,0", L"w 1,1", L"ESC"});
    ads_name ss;
    EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTCAN);
    EXPECT_NE(transcript.find(L"Answer ALL, L, W x1,y1"), std::wstring::npos) << transcript;
    EXPECT_NE(transcript.find(L"Give two corners: W x1,y1 x2,y2"), std::wstring::npos) << transcript;
    EXPECT_EQ(unusable(), 2);
}

}  // namespace
}  // namespace vx::editor::test
