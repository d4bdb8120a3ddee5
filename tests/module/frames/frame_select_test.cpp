#include "frames/frame_select.h"

#include "frames/frame_attributes.h"
#include "frames_fixture.h"

namespace vorlix::test {
namespace {

constexpr const wchar_t* kPrompt = L"\n请选择需要编辑图号的图框(注意：图框必须在C-TK图层上)<退出>：";

class FrameSelectTest : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        addLayer(L"C-TK", 7);
        addLayer(L"WALL", 1);
        wall = frame(L"WALL", 0, 0, {{L"图号", L"W-1"}});  // a frame block on another layer
        first = frame(L"C-TK", 100, 0, {{L"图号", L"S-01"}, {L"图名", L"首层平面"}});
        edge = line(L"C-TK", 0, -10, 500, -10);
        lower = frame(L"c-tk", 300, 0, {{L"图号", L"S-02"}});
    }
    AcDbObjectId wall, first, edge, lower;
};

TEST_F(FrameSelectTest, AllFramesTakeEveryObjectOnTheFrameLayerInDrawingOrder) {
    FrameList all = allFrames();
    ASSERT_EQ(all.length(), 3);
    EXPECT_EQ(all[0], first);
    EXPECT_EQ(all[1], edge);  // a line on C-TK is part of the list ...
    EXPECT_EQ(all[2], lower);  // ... and a lower-case layer name is the same layer
    EXPECT_TRUE(readAttributeMap(edge).empty());  // ... with no attributes
    EXPECT_FALSE(writeAttribute(edge, L"图号", L"X"));
}

TEST_F(FrameSelectTest, PickKeepsThePickOrderAndPrintsTheCallersPrompt) {
    answers({L"H " + lower.handle().toString().str(), L"ALL", L""});
    FrameList picked;
    ASSERT_TRUE(pickFrames(kPrompt, picked));
    ASSERT_EQ(picked.length(), 3);
    EXPECT_EQ(picked[0], lower);
    EXPECT_EQ(picked[1], first);
    EXPECT_EQ(picked[2], edge);
    EXPECT_NE(transcript.find(kPrompt), std::wstring::npos);
}

TEST_F(FrameSelectTest, CancelledOrEmptyPickLeavesTheListAsItWas) {
    FrameList kept;
    kept.append(first);
    answers({L"ALL", L"ESC"});
    EXPECT_FALSE(pickFrames(kPrompt, kept));
    answers({L"H " + wall.handle().toString().str(), L""});  // only a frame on another layer
    EXPECT_FALSE(pickFrames(kPrompt, kept));
    ASSERT_EQ(kept.length(), 1);
    EXPECT_EQ(kept[0], first);
}

TEST_F(FrameSelectTest, ReferencePickLeavesOutOtherTypes) {
    answers({L"ALL", L""});
    FrameList picked;
    ASSERT_TRUE(pickFrameReferences(L"\n请选择图框<退出>：", picked));
    ASSERT_EQ(picked.length(), 2);
    EXPECT_EQ(picked[0], first);
    EXPECT_EQ(picked[1], lower);
}

TEST_F(FrameSelectTest, OneObjectPickHasNoLayerTest) {
    answers({L"H " + wall.handle().toString().str()});
    AcDbObjectId id;
    ASSERT_TRUE(pickOneObject(L"\n选择: ", id));
    EXPECT_EQ(id, wall);
    answers({L"ESC"});
    EXPECT_FALSE(pickOneObject(L"\n选择: ", id));
    EXPECT_EQ(id, wall);
}

TEST(FrameSelectEmpty, NoObjectOnTheFrameLayerGivesAnEmptyListQuietly) {
    AcDbDatabase db(true, true);
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    EXPECT_EQ(allFrames().length(), 0);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

}  // namespace
}  // namespace vorlix::test
