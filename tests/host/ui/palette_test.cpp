#include "adui.h"
#include "ui/palette_command.h"
#include "ui_fixture.h"

namespace vx::ui::test {
namespace {

const char* const kPaletteRc = u8R"(
107 DIALOGEX 0, 0, 770, 44
STYLE DS_SETFONT | WS_CHILD | WS_VISIBLE
FONT 9, "宋体", 700
BEGIN
    PUSHBUTTON      "插入图框",101,10,6,55,22,BS_FLAT | BS_BITMAP
    PUSHBUTTON      "系统设置",134,482,6,55,22,BS_FLAT | BS_BITMAP
    PUSHBUTTON      "批量生成布局",123,631,6,55,22,NOT WS_VISIBLE
END
)";

class ChildDlg : public CAcUiDialog {
public:
    ChildDlg() : CAcUiDialog(107) {}
    std::vector<int> pressed;
    int swallowed = 0;
    CSize lastSize;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ++swallowed;
            return TRUE;
        }
        return CAcUiDialog::OnCommand(wParam, lParam);
    }
    afx_msg void OnInsert() { pressed.push_back(101); }
    afx_msg void OnSettings() { pressed.push_back(134); }
    afx_msg void OnSize(UINT type, int cx, int cy) {
        CAcUiDialog::OnSize(type, cx, cy);
        lastSize = CSize(cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChildDlg, CAcUiDialog)
    ON_BN_CLICKED(101, &ChildDlg::OnInsert)
    ON_BN_CLICKED(134, &ChildDlg::OnSettings)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class ToolPalette : public CAdUiPalette {
public:
    ChildDlg dlg;
    int creates = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        if (CAdUiPalette::OnCreate(cs) == -1) return -1;
        ++creates;
        dlg.Create(107, this);
        CRect r;
        GetWindowRect(&r);
        dlg.MoveWindow(0, 0, r.Width(), r.Height());
        return 0;
    }
    afx_msg void OnSize(UINT type, int cx, int cy) {
        CAdUiPalette::OnSize(type, cx, cy);
        if (dlg.GetSafeHwnd()) {
            dlg.CAdUiDialog::OnSize(type, cx, cy);
            dlg.MoveWindow(0, 0, cx, cy);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolPalette, CAdUiPalette)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

class ToolSet : public CAdUiPaletteSet {
public:
    void GetMinimumSize(CSize& s) override { s = CSize(1000, 100); }
    void GetMaximumSize(CSize& s) override { s = CSize(1000, 100); }
};

class PaletteTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        useScript(kPaletteRc);
        set = new ToolSet;
        ASSERT_TRUE(set->Create(L"Vorlix Tool", WS_DLGFRAME, CRect(0, 0, 1000, 50), nullptr, 0x1E));
        palette = new ToolPalette;
        ASSERT_TRUE(palette->Create(WS_CHILD | WS_VISIBLE, L"Vorlix Tool", set, PS_EDIT_NAME));
        ASSERT_EQ(set->AddPalette(palette), 0);
        set->EnableDocking(CBRS_ALIGN_TOP);
        static_cast<CFrameWnd*>(AfxGetMainWnd())->ShowControlBar(set, TRUE, TRUE);
    }
    void TearDown() override {
        set->DestroyWindow();
        delete set;
        UiTest::TearDown();
    }
    ToolSet* set = nullptr;
    ToolPalette* palette = nullptr;  // owned by the set
};

TEST_F(PaletteTest, TheChildDialogFillsThePaletteWhateverItsSize) {
    EXPECT_EQ(palette->creates, 1);
    CRect r;
    palette->dlg.GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 1000);
    EXPECT_EQ(r.Height(), 50);
    set->RestoreControlBar(AFX_IDW_DOCKBAR_TOP, nullptr);
    EXPECT_FALSE(set->IsFloating());
    EXPECT_EQ(set->dockBar(), AFX_IDW_DOCKBAR_TOP);
    set->vxResize(400, 700);  // the user drags the border: the size limits win
    set->GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 1000);
    EXPECT_EQ(r.Height(), 100);
    palette->dlg.GetWindowRect(&r);
    EXPECT_EQ(r.Height(), 100);
    EXPECT_EQ(palette->dlg.lastSize.cy, 100);
    CRect button;
    palette->dlg.GetDlgItem(101)->GetWindowRect(&button);
    palette->dlg.ScreenToClient(&button);
    EXPECT_EQ(button.left, 10 * 7 / 4) << "buttons keep their places";
}

TEST_F(PaletteTest, ThePaletteCommandPressesButtonsByCaptionOrId) {
    ASSERT_TRUE(paletteCommand(L"\"系统设置\""));
    ASSERT_TRUE(paletteCommand(L"101"));
    EXPECT_EQ(palette->dlg.pressed, std::vector<int>({134, 101}));
    EXPECT_FALSE(paletteCommand(L"123")) << "a hidden button cannot be pressed";
    EXPECT_FALSE(paletteCommand(L"\"打印\""));
    EXPECT_FALSE(paletteCommand(L"99999999999999999999")) << "a number that fits no id";
    EXPECT_TRUE(saw(L"control 123 is hidden"));
    EXPECT_EQ(unusable(), 3);
    EXPECT_TRUE(paletteCommand(L""));
    EXPECT_TRUE(saw(L"Palette set \"Vorlix Tool\""));
    EXPECT_TRUE(saw(L"101 button \"插入图框\""));
    EXPECT_FALSE(saw(L"批量生成布局"));
}

TEST_F(PaletteTest, OnlyTheActivePalettesButtonsCanBePressed) {
    auto* second = new ToolPalette;
    ASSERT_TRUE(second->Create(WS_CHILD | WS_VISIBLE, L"Second", set));
    ASSERT_EQ(set->AddPalette(second), 1);
    ASSERT_TRUE(paletteCommand(L"101"));
    EXPECT_EQ(palette->dlg.pressed, std::vector<int>({101})) << "the first palette is the active one";
    set->SetActivePalette(second);
    ASSERT_TRUE(paletteCommand(L"101"));
    EXPECT_EQ(second->dlg.pressed, std::vector<int>({101}));
    EXPECT_EQ(palette->dlg.pressed.size(), 1u);
}

TEST_F(PaletteTest, EnterAndEscapeNeverEndThePalettesDialog) {
    palette->dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    palette->dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_EQ(palette->dlg.swallowed, 2);
    EXPECT_TRUE(palette->dlg.IsWindowVisible());
}

TEST_F(PaletteTest, HidingTheSetMakesItsButtonsUnreachable) {
    CFrameWnd* frame = static_cast<CFrameWnd*>(AfxGetMainWnd());
    int before = frame->recalcCount();
    frame->ShowControlBar(set, FALSE, FALSE);
    EXPECT_FALSE(paletteCommand(L"101"));
    frame->ShowControlBar(set, TRUE, FALSE);
    EXPECT_TRUE(paletteCommand(L"101"));
    EXPECT_EQ(frame->recalcCount(), before + 2);
}

TEST_F(PaletteTest, ASetComesBackWhereItWasLeft) {
    set->RestoreControlBar(AFX_IDW_DOCKBAR_TOP, nullptr);
    set->vxFloat(true);
    set->DestroyWindow();
    ToolSet again;
    ASSERT_TRUE(again.Create(L"Vorlix Tool", WS_DLGFRAME, CRect(0, 0, 1000, 50), nullptr, 0x1E));
    again.EnableDocking(CBRS_ALIGN_TOP);
    again.RestoreControlBar(AFX_IDW_DOCKBAR_TOP, nullptr);
    EXPECT_TRUE(again.IsFloating()) << "the last place was floating";
    again.DestroyWindow();
}

}  // namespace
}  // namespace vx::ui::test
