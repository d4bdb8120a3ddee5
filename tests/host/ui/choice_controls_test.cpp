// Combo boxes, list boxes and radio buttons through data exchange and actions, and the list and
// grid operations the module's dialogs use to rebuild their rows.
#include "acui.h"
#include "gridctrl.h"
#include "ui_fixture.h"

namespace vx::ui::test {
namespace {

const char* const kChoiceRc = u8R"(
105 DIALOGEX 0, 0, 319, 214
CAPTION "系统设置"
FONT 9, "宋体"
BEGIN
    COMBOBOX        111,55,97,71,30,CBS_DROPDOWNLIST | WS_VSCROLL
    EDITTEXT        109,207,96,61,14,ES_AUTOHSCROLL
    LISTBOX         120,14,19,134,146,LBS_NOTIFY | WS_VSCROLL
    AUTORADIOBUTTON "横向",201,10,150,40,10,WS_GROUP
    AUTORADIOBUTTON "纵向",202,60,150,40,10
    AUTORADIOBUTTON "自动",203,110,150,40,10
    DEFPUSHBUTTON   "确定",IDOK,184,188,50,20
    PUSHBUTTON      "取消",IDCANCEL,250,188,50,20
END
)";

class ChoiceDlg : public CAcUiDialog {
public:
    ChoiceDlg() : CAcUiDialog(105) {}
    CString m_speciality;
    CString m_user = L"张三";
    int m_sheet = -1;
    int m_orientation = 1;
    int m_listChanges = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CAcUiDialog::DoDataExchange(pDX);
        DDX_CBString(pDX, 111, m_speciality);
        DDX_Text(pDX, 109, m_user);
        DDV_MaxChars(pDX, m_user, 4);
        DDX_LBIndex(pDX, 120, m_sheet);
        DDX_Radio(pDX, 201, m_orientation);
    }
    BOOL OnInitDialog() override {
        auto* list = static_cast<CComboBox*>(GetDlgItem(111));
        for (const wchar_t* s : {L"建筑", L"结构", L"暖通", L"电气", L"给排水"}) list->AddString(s);
        auto* sheets = static_cast<CListBox*>(GetDlgItem(120));
        for (const wchar_t* s : {L"A0", L"A1", L"A2"}) sheets->AddString(s);
        return CAcUiDialog::OnInitDialog();
    }
    afx_msg void OnSheet() { ++m_listChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChoiceDlg, CAcUiDialog)
    ON_LBN_SELCHANGE(120, &ChoiceDlg::OnSheet)
END_MESSAGE_MAP()

class ChoiceTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        useScript(kChoiceRc);
    }
};

TEST_F(ChoiceTest, AStoredTextSelectsTheFirstItemItBegins) {
    struct Case {
        const wchar_t* stored;
        const wchar_t* shown;
    };
    for (const Case& c : {Case{L"电", L"电气"}, Case{L"给排水", L"给排水"}, Case{L"", L""}, Case{L"机械", L""}}) {
        ChoiceDlg dlg;
        dlg.m_speciality = c.stored;
        actions({L"click 1"});
        transcript.clear();
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_speciality, c.shown) << c.stored;
        EXPECT_TRUE(saw(L"111 combo = \"" + std::wstring(c.shown) + L"\"")) << c.stored;
    }
}

TEST_F(ChoiceTest, ListBoxesRadioButtonsAndTextLimitsComeBackOnOk) {
    ChoiceDlg dlg;
    actions({L"show", L"choose 120 A2", L"select 120 0", L"check 203 on", L"set 109 张三李四王五", L"choose 111 #1",
             L"set 109 李四", L"click 1"});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(saw(L"202 radio \"纵向\" [x]")) << "the field selected the second button of the group";
    EXPECT_TRUE(saw(L"control 109 takes at most 4 characters"));
    EXPECT_EQ(dlg.m_sheet, 0);
    EXPECT_EQ(dlg.m_listChanges, 2);
    EXPECT_EQ(dlg.m_orientation, 2) << "checking a radio button clears the others of its group";
    EXPECT_EQ(dlg.m_speciality, L"结构");
    EXPECT_EQ(dlg.m_user, L"李四");
}

TEST_F(ChoiceTest, ListRowsAreRebuiltMovedAndSorted) {
    useScript("1 DIALOGEX 0,0,100,100\nBEGIN\n CONTROL \"\",152,\"SysListView32\",LVS_REPORT,1,1,90,90\nEND\n");
    struct Probe : CAcUiDialog {
        Probe() : CAcUiDialog(1) {}
        CListCtrl list;
        void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 152, list); }
        BOOL OnInitDialog() override {
            CAcUiDialog::OnInitDialog();
            list.SetExtendedStyle(LVS_EX_CHECKBOXES);
            EXPECT_EQ(list.InsertColumn(0, L"选取"), 0);
            EXPECT_EQ(list.InsertColumn(5, L"图号", LVCFMT_CENTER, 80), 1) << "a column past the end is appended";
            EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
            const wchar_t* numbers[] = {L"S-12", L"S-3", L"S-07"};
            const int keys[] = {12, 3, 7};
            for (int i = 0; i < 3; ++i) {
                int row = list.InsertItem(list.GetItemCount(), L"");
                list.SetItemText(row, 1, numbers[i]);
                list.SetItemData(row, static_cast<DWORD_PTR>(keys[i]));
            }
            list.SetCheck(1);
            list.SortItems([](LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); }, 0);
            EXPECT_EQ(list.GetItemText(0, 1), L"S-3");
            EXPECT_EQ(list.GetItemText(2, 1), L"S-12");
            EXPECT_TRUE(list.GetCheck(0)) << "a row's tick moves with it";
            // Moving a row down as the catalogue does: copy it below, delete the original.
            int moved = list.InsertItem(3, list.GetItemText(0, 0));
            list.SetItemText(moved, 1, list.GetItemText(0, 1));
            list.SetCheck(moved, list.GetCheck(0));
            list.DeleteItem(0);
            list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            EXPECT_EQ(list.GetItemText(2, 1), L"S-3");
            EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
            EXPECT_EQ(list.GetNextItem(2, LVNI_SELECTED), -1);
            EXPECT_EQ(list.GetSelectedCount(), 1u);
            list.SetItemState(-1, 0, LVIS_SELECTED);
            EXPECT_EQ(list.GetSelectedCount(), 0u);
            EXPECT_FALSE(list.SetItemText(9, 1, L"x"));
            EXPECT_EQ(list.GetItemText(9, 1), L"");
            EXPECT_TRUE(list.DeleteAllItems());
            EXPECT_EQ(list.GetItemCount(), 0);
            EndDialog(IDOK);
            return TRUE;
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(ChoiceTest, GridRowsGrowShrinkAndLockForEditing) {
    useScript("2 DIALOGEX 0,0,100,100\nBEGIN\n CONTROL \"\",161,\"MFCGridCtrl\",WS_TABSTOP,1,1,90,90\nEND\n");
    struct Probe : CAcUiDialog {
        Probe() : CAcUiDialog(2) {}
        CGridCtrl grid;
        void DoDataExchange(CDataExchange* pDX) override { DDX_GridControl(pDX, 161, grid); }
        BOOL OnInitDialog() override {
            CAcUiDialog::OnInitDialog();
            grid.SetColumnCount(3);
            grid.SetFixedRowCount(1);
            grid.SetFixedColumnCount(1);
            grid.SetItemText(0, 1, L"图号");
            for (int i = 0; i < 3; ++i) {
                int row = grid.InsertRow(std::to_wstring(i + 1).c_str());
                grid.SetItemText(row, 1, (L"S-0" + std::to_wstring(i + 1)).c_str());
            }
            EXPECT_EQ(grid.GetRowCount(), 4);
            EXPECT_EQ(grid.GetItemText(2, 0), L"2");
            EXPECT_TRUE(grid.GetItemState(0, 1) & GVIS_FIXEDROW);
            EXPECT_TRUE(grid.GetItemState(2, 0) & GVIS_FIXEDCOL);
            EXPECT_TRUE(grid.IsCellEditable(1, 1));
            EXPECT_FALSE(grid.IsCellEditable(0, 1));
            grid.DeleteRow(1);
            EXPECT_EQ(grid.GetItemText(1, 1), L"S-02") << "the rows below move up";
            grid.SetItemBkColour(1, 1, RGB(255, 255, 255));
            EXPECT_EQ(grid.GetItemBkColour(1, 1), RGB(255, 255, 255));
            grid.DeleteNonFixedRows();
            EXPECT_EQ(grid.GetRowCount(), 1);
            EXPECT_EQ(grid.GetItemText(0, 1), L"图号") << "the header stays";
            grid.InsertRow(L"1");
            grid.SetEditable(FALSE);
            return TRUE;
        }
    } dlg;
    actions({L"cell 161 1 1 S-09", L"close"});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(saw(L"cell 1,1 of control 161 is read-only")) << "a grid that is not editable takes no edits";
}

}  // namespace
}  // namespace vx::ui::test
