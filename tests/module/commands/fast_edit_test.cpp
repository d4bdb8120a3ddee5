#include "commands/fast_edit_plt_name.h"
#include "commands/fast_edit_plt_no.h"
#include "commands/fast_edit_plt_no_dlg.h"
#include "commands/fast_edit_shared.h"
#include "commands_fixture.h"
#include "dbents.h"

namespace vorlix::test {
namespace {

TEST(ComposeName, TextsAreJoinedByTheListMarkWithoutLeadingMarks) {
    EXPECT_EQ(composeName({L"A", L"B"}), L"A、B");
    EXPECT_EQ(composeName({L"A"}), L"A");
    EXPECT_EQ(composeName({L"、、首层", L"平面图"}), L"首层、平面图");
    EXPECT_EQ(composeName({L"A", L"、B"}), L"A、、B") << "only the leading marks of the whole name go";
    EXPECT_EQ(composeName({}), L"");
}

class FastEditTest : public CommandsTest {};

TEST_F(FastEditTest, TitleRowsReadAndWriteBothTagsAndCountOnlyRealWrites) {
    AcDbObjectId both = frame(0, 0, {{L"图号", L"S-01"}, {L"图名", L"一层"}});
    AcDbObjectId onlyName = frame(500, 0, {{L"图名", L"二层"}, {L"图号 ", L"blank-tag"}});
    AcDbObjectId edge = line(0, -10, 100, -10);
    FrameList frames;
    for (AcDbObjectId id : {both, onlyName, edge}) frames.append(id);
    std::vector<TitleRow> rows = readTitleRows(frames);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].number, L"S-01");
    EXPECT_EQ(rows[1].number, L"") << "a tag with a trailing blank is another tag";
    EXPECT_EQ(rows[2].name, L"");
    rows[0] = {L"S-11", L"一层\r\n平面"};
    rows[1].name = L"二层平面";
    TitleUpdateCounts counts = writeTitleRows(frames, rows);
    EXPECT_EQ(counts.numbers, 1);
    EXPECT_EQ(counts.names, 2);
    EXPECT_EQ(attText(both, L"图名"), L"一层平面") << "line breaks would break the drawing file's record";
    EXPECT_EQ(attText(onlyName, L"图号 "), L"blank-tag");
    EXPECT_EQ(titleUpdateMessage(counts), L"共更新成功图号1个，图名2个！");
}

TEST_F(FastEditTest, APickReplacesTheRowsAndACancelledPickKeepsThem) {
    useDialogs();
    frame(0, 0, {{L"图号", L"S-01"}});
    AcDbObjectId two = frame(500, 0, {{L"图号", L"S-02"}});
    answers({L"click 163", L"click 137", handle(two), L"", L"click 137", L"ESC", L"show", L"close"});
    runFastEditPltNoDialog();
    EXPECT_TRUE(saw(L"共更新成功图号0个，图名0个！")) << "an update with no rows";
    EXPECT_TRUE(saw(L"请选择需要编辑图名的图框(注意：图框必须在C-TK图层上)<退出>："));
    EXPECT_TRUE(saw(L"2x3, fixed 1/1"));
    EXPECT_TRUE(saw(L"1: \"1\" | \"S-02\" | \"\""));
}

TEST_F(FastEditTest, PickedTextsGiveTheirTextsInPickOrder) {
    AcDbObjectId plain = text(0, 0, L"首层");
    auto* m = new AcDbMText;
    m->setContents(L"{\\fSimSun|b0;平面}\\P图");
    AcDbObjectId mtext = append(m, L"0");
    AcDbObjectId def = append(new AcDbAttributeDefinition(AcGePoint3d(0, 0, 0), L"默认", L"TAG", L"?"), L"0");
    AcDbObjectId edge = line(0, 0, 1, 1, L"0");
    FrameList ids;
    for (AcDbObjectId id : {mtext, edge, plain, def}) ids.append(id);
    std::vector<std::wstring> texts = pickedTexts(ids);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(singleLine(texts[0]), L"平面图") << "formatting codes are not part of the name";
    EXPECT_EQ(texts[1], L"首层");
    EXPECT_EQ(texts[2], L"默认");
}

TEST_F(FastEditTest, TheNameCommandWritesPickedFramesAndSaysWhenNoneTookIt) {
    AcDbObjectId first = text(0, 0, L"A");
    AcDbObjectId second = text(0, 10, L"B");
    AcDbObjectId named = frame(0, 0, {{L"图号", L"S-01"}, {L"图名", L"old"}});
    AcDbObjectId unnamed = frame(500, 0, {{L"图号", L"S-02"}});
    AcDbObjectId edge = line(0, 0, 10, 10);
    answers({handle(second), handle(first), L"", handle(named), handle(unnamed), handle(edge), L""});
    runFastEditPltName();
    EXPECT_EQ(attText(named, L"图名"), L"B、A");
    EXPECT_TRUE(saw(L"请选择图名(单行文字或多行文字)<退出>："));
    EXPECT_TRUE(saw(L"请选择图框<退出>："));
    EXPECT_TRUE(saw(L"设置成功！"));

    transcript.clear();
    answers({handle(first), L"", handle(unnamed), L""});
    runFastEditPltName();
    EXPECT_FALSE(saw(L"设置成功！"));
    EXPECT_TRUE(saw(L"所选图框中没有“图名”属性！"));
    EXPECT_EQ(attText(named, L"图名"), L"B、A");

    transcript.clear();
    answers({L"ESC"});
    runFastEditPltName();
    EXPECT_FALSE(saw(L"请选择图框<退出>：")) << "a cancelled text pick ends the command";
    EXPECT_FALSE(saw(L"所选图框中没有"));
}

}  // namespace
}  // namespace vorlix::test
