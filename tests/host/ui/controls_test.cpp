#include "acui.h"
#include "gridctrl.h"
#include "ui/notify.h"
#include "ui_fixture.h"

namespace vx::ui::test {
namespace {

const char* const kListsRc = u8R"(
130 DIALOGEX 0, 0, 525, 315
CAPTION "批量打印"
FONT 9, "宋体"
BEGIN
    COMBOBOX        140,10,10,100,80,CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL
    COMBOBOX        141,10,30,100,80,CBS_DROPDOWN
    LISTBOX         120,10,50,100,80
    CONTROL         "",152,"SysListView32",LVS_REPORT | WS_BORDER | WS_TABSTOP,10,100,400,150
    CONTROL         "",155,"MFCGridCtrl",WS_TABSTOP,10,100,400,150
    AUTOCHECKBOX    "全选",192,10,260,40,10
    PUSHBUTTON      "关闭",IDCANCEL,400,290,50,20
END
136 BITMAP "res\\images.bmp"
)";

// A 24-bit BMP header for an 80 x 16 strip: five images of 16 pixels.
std::string bitmapStrip() {
    std::string b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    b[18] = 80;
    b[22] = 16;
    b[26] = 1;
    b[28] = 24;
    return b;
}

class ListsDlg : public CAcUiDialog {
public:
    ListsDlg() : CAcUiDialog(130) {}
    CComboBox m_devices;
    CListCtrl m_list;
    CGridCtrl m_grid;
    CImageList m_images;
    std::vector<std::wstring> m_log;
    std::vector<int> m_checkedRows;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CAcUiDialog::DoDataExchange(pDX);
        DDX_Control(pDX, 140, m_devices);
        DDX_Control(pDX, 152, m_list);
        DDX_GridControl(pDX, 155, m_grid);
    }
    BOOL OnInitDialog() override {
        CAcUiDialog::OnInitDialog();
        for (const wchar_t* d : {L"DWG TO PLT.pc3", L"DWG TO PDF.pc3", L"dwg to dwf.pc3"}) m_devices.AddString(d);
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        int col = 0;
        for (const wchar_t* h : {L"选取", L"序号", L"图号"}) m_list.InsertColumn(col++, h, LVCFMT_CENTER, 50);
        for (int i = 0; i < 3; ++i) {
            int row = m_list.InsertItem(i, L"");
            m_list.SetItemText(row, 1, std::to_wstring(i + 1).c_str());
            m_list.SetItemText(row, 2, (L"S-0" + std::to_wstring(i + 1)).c_str());
        }
        m_images.Create(136, 16, 1, RGB(255, 255, 255));
        m_grid.SetImageList(&m_images);
        m_grid.SetRowCount(3);
        m_grid.SetColumnCount(3);
        m_grid.SetFixedRowCount(1);
        m_grid.SetFixedColumnCount(1);
        m_grid.SetItemText(0, 1, L"图签属性");
        m_grid.SetItemText(1, 1, L"设计");
        m_grid.SetItemText(2, 1, L"校对");
        m_grid.SetItemState(2, 2, GVIS_READONLY);
        m_grid.SetItemImage(1, 0, 4);
        m_grid.SetColumnWidth(2, 200);
        return TRUE;
    }
    afx_msg void OnDevice() {
        CString s;
        m_devices.GetLBText(m_devices.GetCurSel(), s);
        m_log.push_back(L"device " + s.str());
    }
    afx_msg void OnEditDevice() { m_log.push_back(L"typed"); }
    afx_msg void OnItemChanged(NMHDR* h, LRESULT* result) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(h);
        if ((nm->uNewState ^ nm->uOldState) & LVIS_STATEIMAGEMASK) m_checkedRows.push_back(nm->iItem);
        *result = 0;
    }
    afx_msg void OnCellEdited(NMHDR* h, LRESULT*) {
        auto* nm = reinterpret_cast<NM_GRIDVIEW*>(h);
        m_log.push_back(L"cell " + std::to_wstring(nm->iRow) + L"," + std::to_wstring(nm->iColumn) + L" " +
                        m_grid.GetItemText(nm->iRow, nm->iColumn).str());
    }
    afx_msg void OnSelectAll() {
        for (int i = 0; i < m_list.GetItemCount(); ++i) m_list.SetCheck(i, IsDlgButtonChecked(192));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListsDlg, CAcUiDialog)
    ON_CBN_SELCHANGE(140, &ListsDlg::OnDevice)
    ON_CBN_EDITCHANGE(141, &ListsDlg::OnEditDevice)
    ON_NOTIFY(LVN_ITEMCHANGED, 152, &ListsDlg::OnItemChanged)
    ON_NOTIFY(GVN_ENDLABELEDIT, 155, &ListsDlg::OnCellEdited)
    ON_BN_CLICKED(192, &ListsDlg::OnSelectAll)
END_MESSAGE_MAP()

class ControlsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        useScript(kListsRc, {{"res/images.bmp", bitmapStrip()}});
    }
};

TEST_F(ControlsTest, ComboBoxesSortFindAndSelect) {
    struct Probe : ListsDlg {
        BOOL OnInitDialog() override {
            ListsDlg::OnInitDialog();
            EXPECT_EQ(m_devices.GetCount(), 3);
            CString first;
            m_devices.GetLBText(0, first);
            EXPECT_EQ(first, L"dwg to dwf.pc3") << "sorted without regard to case";
            EXPECT_EQ(m_devices.FindString(-1, L"dwg to p"), 1) << "prefix search";
            EXPECT_EQ(m_devices.FindString(1, L"DWG"), 2) << "search starts after the given item";
            EXPECT_EQ(m_devices.FindString(2, L"DWG"), 0) << "and wraps around";
            EXPECT_EQ(m_devices.FindStringExact(-1, L"DWG TO"), CB_ERR);
            EXPECT_EQ(m_devices.FindStringExact(-1, L"dwg to plt.PC3"), 2);
            EXPECT_EQ(m_devices.SelectString(-1, L"DWG TO PD"), 1);
            m_devices.SetItemData(1, 42);
            EXPECT_EQ(m_devices.GetItemData(1), 42u);
            EXPECT_EQ(m_devices.InsertString(0, L"zz"), 0) << "insertion keeps the given place";
            EXPECT_EQ(m_devices.GetCurSel(), 2) << "the selection moves with its item";
            EXPECT_EQ(m_devices.DeleteString(0), 3);
            EXPECT_EQ(m_devices.GetItemData(1), 42u);
            return TRUE;
        }
    } dlg;
    actions({L"choose 140 \"DWG TO PLT.pc3\"", L"choose 140 #0", L"choose 140 missing", L"set 141 自定义",
             L"set 140 nope", L"close"});
    dlg.DoModal();
    ASSERT_EQ(dlg.m_log.size(), 3u) << transcript;
    EXPECT_EQ(dlg.m_log[0], L"device DWG TO PLT.pc3");
    EXPECT_EQ(dlg.m_log[1], L"device dwg to dwf.pc3");
    EXPECT_EQ(dlg.m_log[2], L"typed");
    EXPECT_TRUE(saw(L"control 140 has no item \"missing\""));
    EXPECT_TRUE(saw(L"does not take typed text"));
    EXPECT_EQ(unusable(), 2);
}

TEST_F(ControlsTest, ListControlRowsTickAndSelectThroughActions) {
    struct Probe : ListsDlg {
        std::vector<int> selectedAtEnd;
        std::vector<BOOL> checksAtEnd;
        void OnCancel() override {
            POSITION pos = m_list.GetFirstSelectedItemPosition();
            while (pos) selectedAtEnd.push_back(m_list.GetNextSelectedItem(pos));
            for (int i = 0; i < m_list.GetItemCount(); ++i) checksAtEnd.push_back(m_list.GetCheck(i));
            ListsDlg::OnCancel();
        }
    } dlg;
    actions({L"show", L"tick 152 1 on", L"tick 152 7 on", L"select 152 2", L"select 152 0", L"check 192 on",
             L"tick 152 2 off", L"close"});
    dlg.DoModal();
    EXPECT_TRUE(saw(L"columns: 选取 | 序号 | 图号"));
    EXPECT_TRUE(saw(L"1 [ ]  | 2 | S-02"));
    EXPECT_TRUE(saw(L"control 152 has no row 7"));
    EXPECT_EQ(dlg.selectedAtEnd, std::vector<int>({0})) << "selecting a row deselects the others";
    EXPECT_EQ(dlg.checksAtEnd, std::vector<BOOL>({TRUE, TRUE, FALSE}));
    // Row 1 ticked by hand, then every row by "全选" (row 1 was already ticked), then row 2 off.
    EXPECT_EQ(dlg.m_checkedRows, std::vector<int>({1, 0, 2, 2}));
}

TEST_F(ControlsTest, GridCellsEditWhereTheGridAllows) {
    struct Probe : ListsDlg {
        CString edited;
        int imageCount = 0, height = 0;
        void OnCancel() override {
            edited = m_grid.GetItemText(1, 2);
            imageCount = m_grid.GetImageList() ? m_grid.GetImageList()->GetImageCount() : -1;
            m_grid.SetItemText(1, 2, L"第一行\n第二行");
            m_grid.AutoSizeRows();
            height = m_grid.GetRowHeight(1) - m_grid.GetRowHeight(2);
            ListsDlg::OnCancel();
        }
    } dlg;
    actions({L"cell 155 1 2 张三", L"cell 155 2 2 李四", L"cell 155 0 1 标题", L"cell 155 1 0 x", L"cell 155 9 9 x",
             L"show", L"close"});
    dlg.DoModal();
    EXPECT_EQ(dlg.edited, L"张三");
    EXPECT_EQ(dlg.m_log, std::vector<std::wstring>({L"cell 1,2 张三"}));
    EXPECT_TRUE(saw(L"cell 2,2 of control 155 is read-only"));
    EXPECT_TRUE(saw(L"cell 0,1 of control 155 is read-only")) << "fixed rows are not edited";
    EXPECT_TRUE(saw(L"cell 1,0 of control 155 is read-only")) << "fixed columns are not edited";
    EXPECT_TRUE(saw(L"control 155 has no cell 9,9"));
    EXPECT_TRUE(saw(L"155 grid 3x3, fixed 1/1"));
    EXPECT_TRUE(saw(L"1: \"\" | \"设计\" | \"张三\""));
    EXPECT_EQ(dlg.imageCount, 5) << "an 80-pixel strip of 16-pixel images";
    EXPECT_GT(dlg.height, 0) << "a row with two lines of text grows";
    EXPECT_EQ(unusable(), 4);
}

TEST(DataParsing, IntegersAndRealsParseAsTheDialogFrameworkDoes) {
    struct Case {
        const wchar_t* text;
        bool isInt;
        bool isReal;
    };
    const Case cases[] = {{L" 42 ", true, true}, {L"-7", true, true}, {L"+3", true, true}, {L"", false, false},
                          {L"1.5", false, true}, {L"1e3", false, true}, {L"12a", false, false}, {L"- 1", false, false},
                          {L"inf", false, false}, {L"0x10", false, true}};
    for (const Case& c : cases) {
        long long i = 0;
        double d = 0;
        EXPECT_EQ(vx::ui::parseInteger(c.text, i), c.isInt) << c.text;
        EXPECT_EQ(vx::ui::parseReal(c.text, d), c.isReal) << c.text;
    }
}

}  // namespace
}  // namespace vx::ui::test
