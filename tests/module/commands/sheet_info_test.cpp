// Title-block content entry: collecting the grid, writing only the listed tags, the dialog's
// save, import and fill buttons.
#include "frame_commands_fixture.h"
#include "commands/sheet_info.h"
#include "commands/sheet_info_dlg.h"
#include "settings/settings_file.h"

namespace vorlix::test {
namespace {

class SheetInfoTest : public FrameCommandsTest {
protected:
    void SetUp() override {
        FrameCommandsTest::SetUp();
        folder = templateFolder({"设计", "校对", "审核"});
        useSettings("[SYSEMSET]\nSHEETTEMPPATH=" + folder.string() + "\nDEPARTCODE=CODE\n"
                    "[ATTRVALUE]\n设计=张三\n校对=李四\n");
    }
    std::wstring text(AcDbObjectId id, const std::wstring& tag) {
        for (const Att& a : attributes(id))
            if (a.tag == tag) return a.text;
        return L"<none>";
    }
    fs::path folder;
};

TEST_F(SheetInfoTest, CollectKeepsTheUpperRowOfARepeatedTagAndDropsEmptiedTags) {
    AttributeMap m = collectContents({{L"设计", L"张三"}, {L"校对", L""}, {L"设计", L"王五"}, {L"", L"孤儿"}});
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[L"设计"], L"张三");
    EXPECT_EQ(m[L"校对"], L"");
}

TEST_F(SheetInfoTest, WritingTouchesOnlyListedTagsAndSkipsOtherObjects) {
    AcDbObjectId a = frame(0, 0, {{L"图名", L"平面图"}, {L"图号", L"JS-01"}, {L"设计", L"旧"}});
    AcDbObjectId b = frame(500, 0, {{L"设计", L"旧"}, {L"设计", L"旧二"}, {L"审核", L"赵"}});
    AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)), L"C-TK");
    FrameList frames;
    frames.append(a);
    frames.append(line);
    frames.append(b);
    const int written = writeContents(frames, {{L"设计", L"张三"}, {L"审核", L""}}, true);
    EXPECT_EQ(written, 4);
    EXPECT_EQ(text(a, L"图名"), L"平面图");
    EXPECT_EQ(text(a, L"图号"), L"JS-01");
    EXPECT_EQ(text(a, L"设计"), L"张三");
    auto atts = attributes(b);
    EXPECT_EQ(atts[1].text, L"张三");  // every attribute of a listed tag, not only the first
    EXPECT_EQ(atts[2].text, L"");      // an empty content empties the attribute
    EXPECT_EQ(transcript, L"\n设计\n设计\n设计\n审核");

    transcript.clear();
    writeContents(frames, {{L"设计", L"李"}}, false);
    EXPECT_EQ(transcript, L"");
    EXPECT_EQ(text(a, L"设计"), L"李");
}

TEST_F(SheetInfoTest, FillAllWithoutSavingWritesTheEditedContentsAndKeepsTheStoredOnes) {
    AcDbObjectId a = frame(0, 0, {{L"图名", L"平面图"}, {L"设计", L"旧"}, {L"校对", L"旧"}});
    AcDbObjectId b = frame(500, 0, {{L"校对", L"旧"}});
    answers({L"cell 155 2 2 王五", L"click 157"});
    runSheetInfoCommand();
    EXPECT_EQ(text(a, L"设计"), L"张三");
    EXPECT_EQ(text(a, L"校对"), L"王五");
    EXPECT_EQ(text(a, L"图名"), L"平面图");
    EXPECT_EQ(text(b, L"校对"), L"王五");
    EXPECT_EQ(readAttrValue(L"校对"), L"李四");
    EXPECT_TRUE(saw(L"\n设计"));
}

TEST_F(SheetInfoTest, SaveStoresEveryRowAndEnterDoesNotCloseTheDialog) {
    AcDbObjectId a = frame(0, 0, {{L"设计", L"旧"}});
    answers({L"cell 155 1 2 \"\"", L"cell 155 3 2 钱七", L"enter", L"click 3", L"close"});
    runSheetInfoCommand();
    EXPECT_TRUE(saw(L"保存成功！"));
    EXPECT_EQ(readAttrValue(L"设计"), L"");
    EXPECT_EQ(readAttrValue(L"审核"), L"钱七");
    EXPECT_NE(readFile(settingsFile()).find("设计=\n"), std::string::npos);
    EXPECT_EQ(text(a, L"设计"), L"旧");  // closing the window fills nothing
}

TEST_F(SheetInfoTest, ImportReplacesEveryContentAndAFailedPickSaysSo) {
    AcDbObjectId source = frame(0, 0, {{L"设计", L"甲"}, {L"图名", L"不相干"}});
    AcDbObjectId target = frame(500, 0, {{L"设计", L"旧"}, {L"校对", L"旧"}});
    answers({L"click 4", L"ESC", L"click 4", handle(source), L"click 157"});
    runSheetInfoCommand();
    EXPECT_TRUE(saw(L"选择图框失败！"));
    EXPECT_EQ(text(target, L"设计"), L"甲");
    EXPECT_EQ(text(target, L"校对"), L"");  // the picked frame has no 校对
    EXPECT_EQ(readAttrValue(L"设计"), L"张三");
}

TEST_F(SheetInfoTest, PickedFillCancelledWritesNothing) {
    AcDbObjectId a = frame(0, 0, {{L"设计", L"旧"}});
    answers({L"click 159", L"ESC"});
    runSheetInfoCommand();
    EXPECT_TRUE(saw(L"请选择需要写入信息的图框(注意：图框必须在C-TK图层上)<退出>："));
    EXPECT_EQ(text(a, L"设计"), L"旧");
}

TEST_F(SheetInfoTest, AFailedSaveNamesTheSettingsFileInsteadOfConfirming) {
    fs::remove(settingsFile());
    fs::create_directory(settingsFile());  // no file can be written there
    answers({L"click 3", L"close"});
    runSheetInfoCommand();
    EXPECT_FALSE(saw(L"保存成功！"));
    EXPECT_TRUE(saw(L"无法写入设置文件 " + vx::text::fromUtf8(moduleFolder().string()) + L"/SHEETCONFIG.INI！"))
        << transcript;
}

}  // namespace
}  // namespace vorlix::test
