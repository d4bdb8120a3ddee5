#include "acui.h"
#include "editor/command_line.h"
#include "ui_fixture.h"

namespace vx::ui::test {
namespace {

const char* const kFieldsRc = u8R"(
#define IDD_FIELDS 196
IDD_FIELDS DIALOGEX 0, 0, 362, 234
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "设置图框属性参数"
FONT 9, "宋体"
BEGIN
    EDITTEXT        101,10,10,80,14,ES_AUTOHSCROLL
    EDITTEXT        177,10,30,80,14,ES_AUTOHSCROLL
    EDITTEXT        361,10,50,80,14,ES_AUTOHSCROLL
    AUTOCHECKBOX    "",365,10,70,10,10
    EDITTEXT        364,30,70,40,14,ES_AUTOHSCROLL | ES_READONLY
    PUSHBUTTON      "指定图框",359,10,200,50,20
    PUSHBUTTON      "禁用",370,70,200,50,20,WS_DISABLED
    PUSHBUTTON      "隐藏",371,130,200,50,20,NOT WS_VISIBLE
    DEFPUSHBUTTON   "确定",IDOK,190,200,50,20
    PUSHBUTTON      "关闭",IDCANCEL,250,200,50,20
END
)";

// A dialog written the way the module writes its dialogs: fields, data exchange with bounds,
// handlers in a message map, an editor command around a pick.
class FieldsDlg : public CAcUiDialog {
public:
    FieldsDlg() : CAcUiDialog(196) {}
    CString m_name = L"图名";
    int m_height = 300;
    double m_factor = 1.0;
    int m_break = 0;
    int m_length = 15;
    bool m_cancelPick = false;
    std::wstring m_picked;
    bool m_hiddenDuringPick = false;
    bool m_shownAfterPick = false;
    int m_picks = 0;
    int m_edits = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CAcUiDialog::DoDataExchange(pDX);
        DDX_Text(pDX, 101, m_name);
        DDX_Text(pDX, 177, m_height);
        DDV_MinMaxInt(pDX, m_height, 0, 10000000);
        DDX_Text(pDX, 361, m_factor);
        DDX_Check(pDX, 365, m_break);
        DDX_Text(pDX, 364, m_length);
        DDV_MinMaxInt(pDX, m_length, 1, 1000);
    }
    afx_msg void OnPick() {
        ++m_picks;
        BeginEditorCommand();
        m_hiddenDuringPick = !IsWindowVisible();
        std::wstring line;
        if (vx::editor::CommandLine::get().readLine(L"\n请选择需要设置的图框<退出>：", line) && line != L"ESC") {
            m_picked = line;
            CompleteEditorCommand();
        } else {
            CancelEditorCommand();
        }
        m_shownAfterPick = IsWindowVisible() != 0;
    }
    afx_msg void OnBreak() {
        if (!UpdateData(TRUE)) return;
        static_cast<CEdit*>(GetDlgItem(364))->SetReadOnly(!m_break);
    }
    afx_msg void OnNameChange() { ++m_edits; }
    afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FieldsDlg, CAcUiDialog)
    ON_BN_CLICKED(359, &FieldsDlg::OnPick)
    ON_BN_CLICKED(365, &FieldsDlg::OnBreak)
    ON_EN_CHANGE(101, &FieldsDlg::OnNameChange)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &FieldsDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

class DialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        useScript(kFieldsRc);
    }
};

TEST_F(DialogTest, FieldsReachTheControlsAndComeBackOnOk) {
    FieldsDlg dlg;
    actions({L"show", L"set 101 首层平面图", L"set 177 350", L"set 361 0.8", L"click 1"});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_name, L"首层平面图");
    EXPECT_EQ(dlg.m_height, 350);
    EXPECT_DOUBLE_EQ(dlg.m_factor, 0.8);
    EXPECT_TRUE(saw(L"Dialog 196 \"设置图框属性参数\":"));
    EXPECT_TRUE(saw(L"177 edit \"300\"")) << "the initial field values are shown";
    EXPECT_TRUE(saw(L"361 edit \"1\""));
    EXPECT_TRUE(saw(L"364 edit \"15\" (read-only)"));
    EXPECT_TRUE(saw(L"1 button \"确定\" (default)"));
    EXPECT_FALSE(saw(L"隐藏")) << "hidden controls are not shown";
    EXPECT_GE(dlg.m_edits, 1) << "typing into an edit sends EN_CHANGE";
    EXPECT_EQ(unusable(), 0);
}

TEST_F(DialogTest, ValidationStopsTheActionAndKeepsWhatWasTyped) {
    FieldsDlg dlg;
    actions({L"set 177 abc", L"click 1", L"show", L"set 177 20000000", L"enter", L"set 177 350", L"set 361 x",
             L"click 1", L"set 361 2.5", L"enter"});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(saw(L"请输入一个整数。"));
    EXPECT_TRUE(saw(L"177 edit \"abc\" (focus)")) << "the typed text stays and the field gets the focus";
    EXPECT_TRUE(saw(L"请输入一个介于 0 和 10000000 之间的整数。"));
    EXPECT_TRUE(saw(L"请输入一个数字。"));
    EXPECT_EQ(dlg.m_height, 350);
    EXPECT_DOUBLE_EQ(dlg.m_factor, 2.5);
}

TEST_F(DialogTest, ChecksAndReadOnlyEditsFollowTheDialogsHandlers) {
    FieldsDlg dlg;
    actions({L"set 364 30", L"check 365 on", L"set 364 30", L"set 364 5000", L"click 1", L"set 364 30", L"click 1"});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(saw(L"control 364 is read-only"));
    EXPECT_TRUE(saw(L"请输入一个介于 1 和 1000 之间的整数。"));
    EXPECT_EQ(dlg.m_break, 1);
    EXPECT_EQ(dlg.m_length, 30);
    EXPECT_EQ(unusable(), 1) << "typing into a read-only box is an unusable line";
}

TEST_F(DialogTest, EscapeCloseBoxAndEndOfInputCancel) {
    for (const wchar_t* how : {L"escape", L"close"}) {
        FieldsDlg dlg;
        actions({L"set 177 1", how});
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << how;
        EXPECT_EQ(dlg.m_height, 300) << "a cancelled dialog does not take the control values";
    }
    FieldsDlg dlg;
    actions({L"set 177 1"});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, EnterPressesTheDefaultButton) {
    FieldsDlg dlg;
    actions({L"enter"});
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(DialogTest, ActionsOnMissingHiddenOrDisabledControlsAreRefused) {
    FieldsDlg dlg;
    actions({L"click 999", L"click 370", L"click 371", L"click \"隐藏\"", L"frobnicate 1", L"check 101 on",
             L"click \"关闭\""});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(saw(L"the dialog has no control 999"));
    EXPECT_TRUE(saw(L"control 370 is disabled"));
    EXPECT_TRUE(saw(L"control 371 is hidden"));
    EXPECT_TRUE(saw(L"unknown dialog action"));
    EXPECT_TRUE(saw(L"control 101 is not a check box"));
    EXPECT_EQ(unusable(), 6);
}

TEST_F(DialogTest, APickHidesTheDialogAndBringsItBackAlsoWhenCancelled) {
    FieldsDlg dlg;
    actions({L"click 359", L"2A", L"click \"指定图框\"", L"ESC", L"click 1"});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_picks, 2);
    EXPECT_EQ(dlg.m_picked, L"2A");
    EXPECT_TRUE(dlg.m_hiddenDuringPick);
    EXPECT_TRUE(dlg.m_shownAfterPick) << "the dialog is back after the cancelled pick";
    size_t hidden = transcript.find(L"[设置图框属性参数: hidden]");
    size_t prompt = transcript.find(L"请选择需要设置的图框<退出>：");
    size_t shown = transcript.find(L"[设置图框属性参数: shown again]");
    ASSERT_NE(hidden, std::wstring::npos);
    EXPECT_LT(hidden, prompt);
    EXPECT_LT(prompt, shown);
    EXPECT_NE(transcript.find(L"[设置图框属性参数: shown again]", shown + 1), std::wstring::npos);
}

TEST_F(DialogTest, TheKeepFocusQueryIsAnsweredByTheDialog) {
    struct Probe : FieldsDlg {
        LRESULT answer = -1;
        BOOL OnInitDialog() override {
            FieldsDlg::OnInitDialog();
            answer = SendMessage(WM_ACAD_KEEPFOCUS);
            EndDialog(IDCANCEL);
            return TRUE;
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.answer, TRUE);
}

TEST_F(DialogTest, ATemplateOutsideTheCurrentResourceInstanceIsNotFound) {
    pushResourceHandle(nullptr);  // the host's resources, as when a command forgets to switch
    FieldsDlg dlg;
    actions({L"click 1"});
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(saw(L"Dialog template 196 is not in the current resource instance (the host's resources)"));
    popResourceHandle();
    EXPECT_EQ(dlg.DoModal(), IDOK) << "with the module's resources current it opens";
}

TEST_F(DialogTest, CommandsOfMessageMapsReachOverriddenHandlers) {
    struct Guarded : FieldsDlg {
        int oks = 0;
        void OnOK() override {
            ++oks;
            if (oks > 1) CAcUiDialog::OnOK();
        }
    } dlg;
    actions({L"click 1", L"enter"});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.oks, 2);
}

}  // namespace
}  // namespace vx::ui::test

namespace vx::ui::test {
namespace {

// A form without OK and Cancel buttons (it is left through its own buttons or the close box).
class FormDlg : public CAcUiDialog {
public:
    FormDlg() : CAcUiDialog(116) {}
    int mode = 0;

protected:
    afx_msg void OnFillAll() {
        mode = 1;
        EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FormDlg, CAcUiDialog)
    ON_BN_CLICKED(157, &FormDlg::OnFillAll)
END_MESSAGE_MAP()

TEST_F(UiTest, EnterDoesNotConfirmAFormThatHasNoDefaultButton) {
    useScript("116 DIALOGEX 0,0,258,271\nCAPTION \"图签信息\"\nBEGIN\n PUSHBUTTON \"所有图框填写\",157,7,243,58,20\nEND\n");
    FormDlg dlg;
    actions({L"enter", L"escape"});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(saw(L"the dialog has no default button"));
    FormDlg again;
    actions({L"click 157"});
    EXPECT_EQ(again.DoModal(), IDOK);
    EXPECT_EQ(again.mode, 1);
}

}  // namespace
}  // namespace vx::ui::test
