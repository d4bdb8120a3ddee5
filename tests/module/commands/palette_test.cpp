// The tool palette: creation and docking, the dialog that fills it, resizing, Enter and Escape,
// visibility, and the insert button's settings checks.
#include "app/palette.h"
#include "commands/insert_sheet.h"
#include "frame_commands_fixture.h"
#include "ui/dialog_actions.h"
#include "ui/main_frame.h"
#include "ui/window.h"

namespace vorlix::test {
namespace {

class PaletteTest : public FrameCommandsTest {
protected:
    void SetUp() override {
        FrameCommandsTest::SetUp();
        createPaletteSet();
        ASSERT_NE(paletteSet(), nullptr);
        ASSERT_EQ(paletteSet()->GetPaletteCount(), 1);
        palette = static_cast<CVorlixPalette*>(paletteSet()->GetPalette(0));
    }
    void TearDown() override {
        destroyPaletteSet();
        FrameCommandsTest::TearDown();
    }
    vx::ui::Window& child() { return *vx::ui::fromHandle(palette->childDialog().GetSafeHwnd()); }
    std::wstring click(int id) { return vx::ui::actions::click(*vx::ui::actions::findControl(child(), id)); }
    static CSize size(const CWnd& w) {
        CRect r;
        w.GetWindowRect(&r);
        return r.Size();
    }

    CVorlixPalette* palette = nullptr;
};

TEST_F(PaletteTest, DocksAtTheTopFilledByTheButtonDialog) {
    CVorlixPaletteSet* set = paletteSet();
    EXPECT_EQ(set->dockBar(), AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(set->IsFloating());
    EXPECT_TRUE(set->IsWindowVisible());
    CString name;
    set->GetName(name);
    EXPECT_EQ(std::wstring(name.GetString()), L"Vorlix Tool");
    EXPECT_EQ(size(*set).cx, 1000);
    EXPECT_EQ(size(*set).cy, 100);
    ASSERT_TRUE(palette->childDialog().GetSafeHwnd());
    EXPECT_EQ(size(palette->childDialog()).cx, size(*palette).cx);
    EXPECT_EQ(size(palette->childDialog()).cy, size(*palette).cy);
    // The framework may take the focus only from a floating palette.
    EXPECT_FALSE(palette->CanFrameworkTakeFocus());
    for (int id : {101, 102, 104, 108, 110, 114, 118, 124, 134})
        EXPECT_TRUE(palette->childDialog().GetDlgItem(id)->IsWindowVisible()) << id;
    EXPECT_FALSE(palette->childDialog().GetDlgItem(123)->IsWindowVisible());

    // Creating again only shows the one set there is.
    set->ShowWindow(SW_HIDE);
    createPaletteSet();
    EXPECT_EQ(paletteSet(), set);
    EXPECT_TRUE(set->IsWindowVisible());
}

TEST_F(PaletteTest, TheDialogFollowsEveryPaletteSizeFromTheCorner) {
    palette->MoveWindow(3, 4, 640, 60);
    CRect r;
    palette->childDialog().GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 640);
    EXPECT_EQ(r.Height(), 60);
    CRect inParent = r;
    palette->ScreenToClient(&inParent);
    EXPECT_EQ(inParent.left, 0);
    EXPECT_EQ(inParent.top, 0);
    // The set's own size stays within its limits.
    paletteSet()->vxResize(300, 20);
    EXPECT_EQ(size(*paletteSet()).cx, 1000);
    EXPECT_EQ(size(*paletteSet()).cy, 100);
}

TEST_F(PaletteTest, EnterAndEscapeNeverEndOrHideThePalette) {
    vx::ui::actions::pressEnter(child());
    vx::ui::actions::pressEscape(child());
    vx::ui::actions::closeBox(child());
    EXPECT_FALSE(child().ended);
    EXPECT_TRUE(child().visible);
    EXPECT_TRUE(paletteSet()->IsWindowVisible());
}

TEST_F(PaletteTest, HideAndShowChangeVisibilityAndLayOutTheFrameAgain) {
    CMDIFrameWnd* frame = vx::ui::mainFrame();
    const int before = frame->recalcCount();
    hidePaletteSet();
    hidePaletteSet();
    EXPECT_FALSE(paletteSet()->IsWindowVisible());
    showPaletteSet();
    EXPECT_TRUE(paletteSet()->IsWindowVisible());
    EXPECT_EQ(frame->recalcCount(), before + 3);
}

TEST_F(PaletteTest, HiddenButtonDoesNothing) {
    EXPECT_NE(click(123), L"");  // hidden: a click cannot reach it
    palette->childDialog().SendMessage(WM_COMMAND, MAKEWPARAM(123, BN_CLICKED), 0);
    EXPECT_EQ(transcript, L"");
}

TEST_F(PaletteTest, InsertNeedsATemplateFolderThenAnOrganisationCode) {
    useSettings("[SYSEMSET]\nDEPARTCODE=XY\n");
    EXPECT_EQ(click(101), L"");
    EXPECT_TRUE(saw(L"请现在系统设置中设置图框模板所在路径！"));
    EXPECT_FALSE(saw(L"请先设置单位代码！"));

    transcript.clear();
    const fs::path tpl = templateFolder({"设计"}, {"A1"});
    useSettings("[SYSEMSET]\nSHEETTEMPPATH=" + tpl.string() + "\n");
    EXPECT_EQ(click(101), L"");
    EXPECT_TRUE(saw(L"请先设置单位代码！"));
    std::wstring posted;
    ASSERT_TRUE(vx::editor::CommandLine::get().readLine(L"", posted));
    EXPECT_EQ(posted, L"VXSET");
}

TEST_F(PaletteTest, InsertCommandWithoutTemplateFolderStopsBeforeTouchingTheDrawing) {
    useSettings("[SYSEMSET]\nDEPARTCODE=XY\n");
    runInsertSheetCommand();
    EXPECT_TRUE(saw(L"请现在系统设置中设置图框模板所在路径！"));
    AcDbLayerTable* t = nullptr;
    ASSERT_EQ(db->getSymbolTable(t, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(t->has(L"C-TK"));
    t->close();
}

TEST_F(PaletteTest, PostingButtonsQueueTheirCommands) {
    for (auto [id, command] : {std::pair{104, L"VXFENAME"}, std::pair{134, L"VXSET"}}) {
        EXPECT_EQ(click(id), L"");
        std::wstring posted;
        ASSERT_TRUE(vx::editor::CommandLine::get().readLine(L"", posted));
        EXPECT_EQ(posted, command);
    }
}

TEST_F(PaletteTest, DestroyForgetsTheSet) {
    destroyPaletteSet();
    EXPECT_EQ(paletteSet(), nullptr);
    hidePaletteSet();  // nothing to hide
    EXPECT_EQ(paletteSet(), nullptr);
}

}  // namespace
}  // namespace vorlix::test
