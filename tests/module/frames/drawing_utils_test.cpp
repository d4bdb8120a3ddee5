#include "frames/drawing_utils.h"

#include "frames_fixture.h"

namespace vorlix::test {
namespace {

class DrawingUtilsTest : public FramesTest {
protected:
    int16_t layerColor(AcDbObjectId id) {
        AcDbObjectPointer<AcDbLayerTableRecord> rec(id, AcDb::kForRead);
        EXPECT_EQ(rec.openStatus(), Acad::eOk);
        return rec->color().colorIndex();
    }
};

TEST_F(DrawingUtilsTest, EnsureLayerCreatesOnceAndKeepsAnExistingColour) {
    AcDbObjectId made = ensureLayer(kFrameLayer, kFrameLayerColor);
    ASSERT_FALSE(made.isNull());
    EXPECT_EQ(layerColor(made), 7);
    EXPECT_EQ(ensureLayer(L"c-tk", 3), made);
    EXPECT_EQ(layerColor(made), 7);
    AcDbObjectId red = addLayer(L"RED", 1);
    EXPECT_EQ(ensureLayer(L"RED", 7), red);
    EXPECT_EQ(layerColor(red), 1);
}

TEST_F(DrawingUtilsTest, AppendToModelSpaceGivesTheNewIdAndLeavesAFailedEntityToTheCaller) {
    auto* l = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    AcDbObjectId id = appendToModelSpace(l);
    ASSERT_FALSE(id.isNull());
    AcDbObjectPointer<AcDbLine> back(id, AcDb::kForRead);
    EXPECT_EQ(back.openStatus(), Acad::eOk);
    EXPECT_TRUE(appendToModelSpace(nullptr).isNull());
}

TEST_F(DrawingUtilsTest, BlockNamesSkipLayoutsAnonymousAndOneCharacterNames) {
    for (const wchar_t* n : {L"A", L"A1", L"*U2", L"XY-A1"}) block(n);
    EXPECT_EQ(blockNames(db), (std::vector<std::wstring>{L"A1", L"XY-A1"}));
    EXPECT_TRUE(blockNames(nullptr).empty());
}

TEST_F(DrawingUtilsTest, TextStyleByNameAndClassTests) {
    EXPECT_FALSE(textStyleByName(L"Standard").isNull());
    EXPECT_TRUE(textStyleByName(L"NoSuchStyle").isNull());
    AcDbObjectId f = frame(L"0", 0, 0, {{L"T", L"v"}});
    AcDbObjectPointer<AcDbEntity> e(f, AcDb::kForRead);
    EXPECT_NE(isA<AcDbBlockReference>(e.object()), nullptr);
    EXPECT_EQ(isA<AcDbText>(e.object()), nullptr);
    EXPECT_EQ(isA<AcDbText>(nullptr), nullptr);
}

}  // namespace
}  // namespace vorlix::test
