#include "commands/batch_plt_num.h"

#include "commands/batch_plt_num_dlg.h"
#include "commands_fixture.h"

namespace vorlix::test {
namespace {

std::vector<std::wstring> planned(int start, int step, const std::vector<bool>& ticked) {
    return planNumbers(L"S-", start, step, ticked).numbers;
}

TEST(Numbering, SequenceNumbersFollowTheRowPositionWithALeadingZeroBelowTen) {
    EXPECT_EQ(planned(0, 1, {true, true, true}), (std::vector<std::wstring>{L"S-01", L"S-02", L"S-03"}));
    std::vector<std::wstring> twelve = planned(0, 1, std::vector<bool>(12, true));
    EXPECT_EQ(twelve[8], L"S-09");
    EXPECT_EQ(twelve[9], L"S-10");
    EXPECT_EQ(twelve[11], L"S-12");
    EXPECT_EQ(planned(0, 2, std::vector<bool>(5, true)),
              (std::vector<std::wstring>{L"S-02", L"S-04", L"S-06", L"S-08", L"S-10"}));
    EXPECT_EQ(planned(5, 1, {true}).front(), L"S-06");
    EXPECT_EQ(planned(0, 0, {true, true}), (std::vector<std::wstring>{L"S-00", L"S-00"}));
    EXPECT_EQ(planned(7, 0, {true}).front(), L"S-07");
    EXPECT_EQ(drawingNumber(L"JS-", 100), L"JS-100");
}

TEST(Numbering, AnUntickedRowLeavesAGapAndTheLastNumberIsTheLastTickedRows) {
    NumberingPlan plan = planNumbers(L"S-", 0, 1, {true, false, true, false});
    EXPECT_EQ(plan.numbers, (std::vector<std::wstring>{L"S-01", L"", L"S-03", L""}));
    EXPECT_EQ(plan.lastNumber, 3);
    EXPECT_TRUE(plan.anyTicked);
    NumberingPlan none = planNumbers(L"S-", 4, 1, {false, false});
    EXPECT_FALSE(none.anyTicked);
    EXPECT_EQ(none.numbers, (std::vector<std::wstring>{L"", L""}));
}

class BatchPltNumDialog : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        useDialogs();
        // Picked in this order; the reading order is top row first, then left to right.
        c = frame(1000, 0, {{L"图号", L"old-c"}, {L"图名", L"三层"}});
        a = frame(0, 0, {{L"图名", L"一层"}, {L"图号", L"old-a"}});
        top = frame(0, 1000, {{L"图号", L"old-top"}, {L"图名", L"总图"}});
        edge = line(0, -500, 1400, -500);
        b = frame(500, 0, {{L"图号", L"old-b"}});
    }
    AcDbObjectId a, b, c, top, edge;
};

TEST_F(BatchPltNumDialog, PickedFramesWithAGapAndValidationOfTheFields) {
    answers({L"click 171", handle(c), handle(a), handle(b), L"", L"tick 131 1 off", L"click 173", L"set 168 S-",
             L"set 170 1001", L"click 173", L"set 170 1", L"set 178 -1", L"click 173", L"set 178 0", L"click 173",
             L"close"});
    runBatchPltNumDialog();
    EXPECT_TRUE(saw(L"请选择需要编辑图号的图框(注意：图框必须在C-TK图层上)<退出>："));
    EXPECT_TRUE(saw(L"图号固定部分不能为空！"));
    EXPECT_TRUE(saw(L"请输入一个介于 0 和 1000 之间的整数。"));
    EXPECT_TRUE(saw(L"请输入一个介于 0 和 10000 之间的整数。"));
    EXPECT_EQ(attText(a, L"图号"), L"S-01");
    EXPECT_EQ(attText(b, L"图号"), L"old-b") << "the unticked second row is not written";
    EXPECT_EQ(attText(c, L"图号"), L"S-03") << "and its number is not given to the next row";
    EXPECT_EQ(attText(top, L"图号"), L"old-top") << "frames that were not picked stay as they are";
    EXPECT_TRUE(saw(L"共更新成功2个图号！"));
    EXPECT_EQ(transcript.find(L"共更新成功"), transcript.rfind(L"共更新成功")) << "refused updates write nothing";
}

TEST_F(BatchPltNumDialog, NothingTickedWritesNothingAndKeepsTheStartValue) {
    answers({L"click 172", L"check 357 off", L"set 168 S-", L"set 178 20", L"click 173", L"show", L"close"});
    runBatchPltNumDialog();
    EXPECT_TRUE(saw(L"共更新成功0个图号！"));
    EXPECT_TRUE(saw(L"178 edit \"20\""));
    EXPECT_EQ(attText(a, L"图号"), L"old-a");
}

TEST_F(BatchPltNumDialog, ACancelledPickKeepsTheRowsAndWhatWasTyped) {
    answers({L"set 168 JG-", L"click 172", L"click 171", L"ESC", L"show", L"close"});
    runBatchPltNumDialog();
    EXPECT_TRUE(saw(L"168 edit \"JG-\"")) << "filling the list does not undo typing";
    EXPECT_TRUE(saw(L"4 [x]  | 5 |  | "));
    EXPECT_TRUE(saw(L"[批量图号: shown again]"));
}

}  // namespace
}  // namespace vorlix::test
