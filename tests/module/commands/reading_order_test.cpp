#include "commands/reading_order.h"

#include "commands_fixture.h"
#include "dbents.h"

namespace vorlix::test {
namespace {

// Frames 420 x 297 given by their centres: the tolerance is 0.725 * 297 = 215.325.
FramePlace at(double cx, double cy) { return {cx, cy, 297}; }

TEST(ReadingOrder, RowsRunTopToBottomAndLeftToRight) {
    EXPECT_TRUE(readingOrder({}).empty());
    // Two frames side by side at one height, given right first, and a third one row higher.
    EXPECT_EQ(readingOrder({at(1000, 0), at(0, 0), at(500, 216)}), (std::vector<size_t>{2, 1, 0}));
    // Four rows picked top, bottom, middle, then between middle and bottom.
    EXPECT_EQ(readingOrder({at(0, 3000), at(0, 0), at(0, 2000), at(0, 1000)}), (std::vector<size_t>{0, 2, 3, 1}));
}

TEST(ReadingOrder, CentresWithinTheToleranceOfARowsLeftmostFrameJoinThatRow) {
    // Jitter up and down within 215.325 of the leftmost frame keeps one row; 215.4 opens a new one.
    EXPECT_EQ(readingOrder({at(0, 0), at(900, 215.3), at(450, -215.3), at(1400, 215.4)}),
              (std::vector<size_t>{3, 0, 2, 1}));
    // The test is against the leftmost frame only: a frame 400 above the second frame of a row
    // still joins when it lies within the tolerance of the leftmost one.
    EXPECT_EQ(readingOrder({at(0, 0), at(500, -200), at(900, 200)}), (std::vector<size_t>{0, 1, 2}));
    // A new leftmost frame becomes the row's reference for the frames after it.
    EXPECT_EQ(readingOrder({at(500, 0), at(0, 200), at(900, 400)}), (std::vector<size_t>{1, 0, 2}));
}

TEST(ReadingOrder, EqualPositionsKeepTheirInputOrder) {
    EXPECT_EQ(readingOrder({at(100, 0), at(100, 0), at(50, 0), at(100, 0)}), (std::vector<size_t>{2, 0, 1, 3}));
}

TEST(ReadingOrder, TheFirstFramesHeightSetsTheTolerance) {
    // A small first frame (height 10: tolerance 7.25) splits frames that a big one would join.
    std::vector<FramePlace> places = {{0, 0, 10}, at(500, 100), at(1000, 0)};
    EXPECT_EQ(readingOrder(places), (std::vector<size_t>{1, 0, 2}));
    places[0].height = 297;
    EXPECT_EQ(readingOrder(places), (std::vector<size_t>{0, 1, 2}));
}

class ReadingOrderDrawing : public CommandsTest {};

TEST_F(ReadingOrderDrawing, FramesAreOrderedByTheCentresOfTheirExtents) {
    AcDbObjectId right = frame(500, 0, {{L"图号", L"2"}});
    AcDbObjectId left = frame(0, 100, {{L"图号", L"1"}});       // centre 100 higher: same row
    AcDbObjectId upper = frame(0, 400, {{L"图号", L"0"}});      // centre 400 higher: a row above
    AcDbObjectId edge = line(0, -400, 920, -400);               // a line on C-TK, its own row
    FrameList in;
    for (AcDbObjectId id : {right, left, upper, edge}) in.append(id);
    FrameList out = inReadingOrder(in);
    ASSERT_EQ(out.length(), 4);
    EXPECT_EQ(out[0], upper);
    EXPECT_EQ(out[1], left);
    EXPECT_EQ(out[2], right);
    EXPECT_EQ(out[3], edge);
}

TEST_F(ReadingOrderDrawing, AFirstObjectThatDoesNotOpenLosesOnlyItself) {
    AcDbObjectId gone = frame(0, 5000, {});
    {
        AcDbObjectPointer<AcDbEntity> e(gone, AcDb::kForWrite);
        ASSERT_EQ(e->erase(), Acad::eOk);
    }
    AcDbObjectId b = frame(500, 0, {});
    AcDbObjectId a = frame(0, 150, {});  // within 0.725 x 297 of b: the tolerance comes from b
    AcDbObjectId c = frame(0, -1000, {});
    FrameList in;
    for (AcDbObjectId id : {gone, b, a, c}) in.append(id);
    FrameList out = inReadingOrder(in);
    ASSERT_EQ(out.length(), 3);
    EXPECT_EQ(out[0], a);
    EXPECT_EQ(out[1], b);
    EXPECT_EQ(out[2], c);
}

TEST_F(ReadingOrderDrawing, AnObjectWithoutExtentsComesLastInsteadOfBeingLost) {
    AcDbObjectId shapeless = append(new AcDbUnknownEntity, L"C-TK");
    AcDbObjectId low = frame(0, 0, {});
    AcDbObjectId high = frame(0, 1000, {});
    FrameList in;
    for (AcDbObjectId id : {shapeless, low, high}) in.append(id);
    FrameList out = inReadingOrder(in);
    ASSERT_EQ(out.length(), 3);
    EXPECT_EQ(out[0], high);
    EXPECT_EQ(out[1], low);
    EXPECT_EQ(out[2], shapeless);
}

}  // namespace
}  // namespace vorlix::test
