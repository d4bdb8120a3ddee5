#include "commands/sheet_attr_info_set.h"

#include "commands/sheet_attr_info_set_dlg.h"
#include "commands_fixture.h"

namespace vorlix::test {
namespace {

std::wstring chars(size_t n) {
    std::wstring s;
    for (size_t k = 0; k < n; ++k) s += static_cast<wchar_t>(L'一' + k);
    return s;
}

TEST(BreakText, AMarkFollowsEveryWholeLineOfNCharacters) {
    const std::wstring t10 = chars(10), t20 = chars(20), t30 = chars(30);
    EXPECT_EQ(breakText(t10, 15), t10);
    EXPECT_EQ(breakText(t20, 15), t20.substr(0, 15) + L"\\P" + t20.substr(15));
    EXPECT_EQ(breakText(t30, 15), t30.substr(0, 15) + L"\\P" + t30.substr(15) + L"\\P");
    EXPECT_EQ(breakText(L"abc", 1), L"a\\Pb\\Pc\\P");
    EXPECT_EQ(breakText(L"", 15), L"");
}

TEST(BreakText, BreakingAgainGivesTheSameLinesAsBreakingOnce) {
    const std::wstring t20 = chars(20);
    const std::wstring once = breakText(t20, 15);
    EXPECT_EQ(breakText(once, 15), once);
    EXPECT_EQ(breakText(once, 10), t20.substr(0, 10) + L"\\P" + t20.substr(10) + L"\\P");
    EXPECT_EQ(breakText(once, 30), t20) << "a longer line takes the old marks out";
}

TEST(AttributeTagRows, ItemsInTheirKeyOrderThenNameAndNumber) {
    TitleBlockItems items;
    for (int k = 0; k < 12; ++k) items[L"ITEM" + std::to_wstring(k)] = L"T" + std::to_wstring(k);
    std::vector<std::wstring> rows = attributeTagRows(items);
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(std::vector<std::wstring>(rows.begin(), rows.begin() + 5),
              (std::vector<std::wstring>{L"T0", L"T1", L"T10", L"T11", L"T2"}));
    EXPECT_EQ(rows[12], L"图名");
    EXPECT_EQ(rows[13], L"图号");
}

class AttributeLookTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        layer(L"LOCKED", true);
        named = frame(0, 0, {{L"图名", chars(20)}, {L"图号", L"S-01"}, {L"图名", L"second"}});
        other = frame(500, 0, {{L"设计", L"张三"}});
        locked = frame(1000, 0, {{L"图名", L"锁定"}}, L"C-TK", L"LOCKED");
        edge = line(0, -10, 10, -10);
        for (AcDbObjectId id : {named, other, locked, edge}) frames.append(id);
    }
    double height(AcDbObjectId id, const wchar_t* tag) {
        double h = 0;
        withAttribute(id, tag, [&](AcDbAttribute* a) { h = a->height(); });
        return h;
    }
    double factor(AcDbObjectId id, const wchar_t* tag) {
        double f = 0;
        withAttribute(id, tag, [&](AcDbAttribute* a) { f = a->widthFactor(); });
        return f;
    }
    AcDbObjectId named, other, locked, edge;
    FrameList frames;
};

TEST_F(AttributeLookTest, OnlyTickedTagsChangeAndEveryBlockReferenceCounts) {
    AttributeLook look{350, 0.8, false, 15};
    EXPECT_EQ(applyAttributeLook(frames, {L"图名"}, look), 3) << "the line is not counted";
    EXPECT_DOUBLE_EQ(height(named, L"图名"), 350);
    EXPECT_DOUBLE_EQ(factor(named, L"图名"), 0.8);
    EXPECT_EQ(attText(named, L"图名"), chars(20)) << "without line breaks the text stays";
    EXPECT_DOUBLE_EQ(height(named, L"图号"), 3.5);
    EXPECT_DOUBLE_EQ(factor(named, L"图号"), 1.0);
    EXPECT_DOUBLE_EQ(height(locked, L"图名"), 3.5) << "an attribute on a locked layer is skipped";
    EXPECT_DOUBLE_EQ(height(other, L"设计"), 3.5);
    EXPECT_EQ(lookAppliedMessage(3), L"共设置成功3个图框！");
}

TEST_F(AttributeLookTest, LineBreaksGoIntoEveryAttributeWithTheTag) {
    AttributeLook look{300, 1.0, true, 15};
    EXPECT_EQ(applyAttributeLook(frames, {L"图名", L"图号"}, look), 3);
    EXPECT_EQ(attText(named, L"图名"), chars(15) + L"\\P" + chars(20).substr(15));
    EXPECT_EQ(attText(named, L"图号"), L"S-01");
    EXPECT_EQ(applyAttributeLook(frames, {}, look), 3) << "with no tag ticked the frames are still counted";
}

class SheetAttrDialog : public AttributeLookTest {
protected:
    void SetUp() override {
        AttributeLookTest::SetUp();
        useDialogs();
    }
};

TEST_F(SheetAttrDialog, AllFramesAppliesTheTickedTagsWithTheFieldValues) {
    answers({L"show", L"tick 129 0 on", L"set 177 350", L"set 361 0.8", L"check 365 on", L"set 364 15",
             L"click 360", L"click 362"});
    runSheetAttrInfoSetDialog();
    EXPECT_TRUE(saw(L"Dialog 196 \"设置图框属性参数\":"));
    EXPECT_TRUE(saw(L"columns: 选取 | 属性内容"));
    EXPECT_TRUE(saw(L"364 edit \"15\" (read-only)"));
    EXPECT_TRUE(saw(L"共设置成功3个图框！"));
    EXPECT_DOUBLE_EQ(height(named, L"图名"), 350);
    EXPECT_EQ(attText(named, L"图名"), chars(15) + L"\\P" + chars(20).substr(15));
    EXPECT_EQ(unusable(), 0);
}

TEST_F(SheetAttrDialog, ValuesOutsideTheirRangesChangeNothing) {
    answers({L"check 363 on", L"set 177 0", L"click 360", L"set 177 10000001", L"click 360", L"set 177 350",
             L"set 361 0", L"click 360", L"set 361 x", L"click 360", L"set 361 1", L"check 365 on",
             L"set 364 0", L"click 360", L"close"});
    runSheetAttrInfoSetDialog();
    EXPECT_TRUE(saw(L"请输入一个介于 1 和 10000000 之间的整数。"));
    EXPECT_TRUE(saw(L"比例因子必须大于0！"));
    EXPECT_TRUE(saw(L"请输入一个数字。"));
    EXPECT_TRUE(saw(L"请输入一个介于 1 和 1000 之间的整数。"));
    EXPECT_FALSE(saw(L"共设置成功"));
    EXPECT_DOUBLE_EQ(height(named, L"图名"), 3.5);
}

TEST_F(SheetAttrDialog, PickedFramesOnlyAndACancelledPickChangesNothing) {
    answers({L"check 363 on", L"click 359", L"ESC", L"click 359", handle(other), handle(edge), L"", L"close"});
    runSheetAttrInfoSetDialog();
    EXPECT_TRUE(saw(L"请选择需要设置的图框(注意：图框必须在C-TK图层上)<退出>："));
    EXPECT_TRUE(saw(L"共设置成功1个图框！"));
    EXPECT_DOUBLE_EQ(height(other, L"设计"), 3.5) << "设计 is not a tag of the list";
    EXPECT_DOUBLE_EQ(height(named, L"图名"), 3.5) << "frames that were not picked stay";
}

}  // namespace
}  // namespace vorlix::test
