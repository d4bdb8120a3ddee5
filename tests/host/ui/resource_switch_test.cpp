// Which resources a dialog sees, and dialogs opened from inside other dialogs.
#include "acui.h"
#include "ui_fixture.h"

namespace vx::ui::test {
namespace {

const char* const kNestedRc = u8R"(
STRINGTABLE
BEGIN
    61 "导出文件夹中有“说明文档.doc”，请依照该文档设置打印驱动！"
END
130 DIALOGEX 0, 0, 200, 100
CAPTION "批量打印"
BEGIN
    PUSHBUTTON "更多...",165,10,10,50,14
    PUSHBUTTON "取消",IDCANCEL,70,10,50,14
END
147 DIALOGEX 0, 0, 150, 80
CAPTION "导入配置文件"
BEGIN
    AUTOCHECKBOX "DWG TO PDF",185,10,10,60,10
    DEFPUSHBUTTON "确定",188,10,40,50,14
    PUSHBUTTON "取消",IDCANCEL,70,40,50,14
END
)";

class ExportDlg : public CAcUiDialog {
public:
    ExportDlg() : CAcUiDialog(147) {}
    int pdf = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, 185, pdf); }
    afx_msg void OnExport() {
        UpdateData(TRUE);
        if (!pdf) {
            AfxMessageBox(L"请选择要导出的打印机驱动类型!");
            return;
        }
        EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExportDlg, CAcUiDialog)
    ON_BN_CLICKED(188, &ExportDlg::OnExport)
END_MESSAGE_MAP()

class PlotDlg : public CAcUiDialog {
public:
    PlotDlg() : CAcUiDialog(130) {}
    std::vector<INT_PTR> exports;

protected:
    afx_msg void OnMore() {
        CAcModuleResourceOverride resources;
        ExportDlg more;
        exports.push_back(more.DoModal());
        if (exports.back() == IDOK) AfxMessageBox(61);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PlotDlg, CAcUiDialog)
    ON_BN_CLICKED(165, &PlotDlg::OnMore)
END_MESSAGE_MAP()

class ResourceSwitchTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        useScript(kNestedRc);
    }
};

TEST_F(ResourceSwitchTest, ADialogOpenedFromADialogTakesTheLinesUntilItEnds) {
    PlotDlg dlg;
    actions({L"click 165", L"enter", L"check 185 on", L"enter", L"click 165", L"close", L"close"});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.exports, std::vector<INT_PTR>({IDOK, IDCANCEL}));
    EXPECT_TRUE(saw(L"[消息] 请选择要导出的打印机驱动类型!"));
    EXPECT_TRUE(saw(L"[消息] 导出文件夹中有“说明文档.doc”，请依照该文档设置打印驱动！"));
    EXPECT_TRUE(saw(L"导入配置文件> enter"));
    EXPECT_TRUE(saw(L"批量打印> close"));
    EXPECT_EQ(resourceStackDepth(), 1u) << "every override was undone";
}

TEST_F(ResourceSwitchTest, TheOverrideAndSetResourceHandleActOnTheTopOfTheStack) {
    size_t depth = resourceStackDepth();
    pushResourceHandle(nullptr);
    CString s;
    EXPECT_FALSE(AfxLoadString(61, s)) << "the host's resources hold no module strings";
    {
        CAcModuleResourceOverride resources;  // this binary's own instance
        EXPECT_EQ(resourceStackDepth(), depth + 2);
        EXPECT_TRUE(AfxLoadString(61, s));
        AfxSetResourceHandle(nullptr);
        EXPECT_EQ(AfxGetResourceHandle(), nullptr);
        EXPECT_EQ(resourceStackDepth(), depth + 2) << "set replaces, it does not push";
    }
    EXPECT_EQ(resourceStackDepth(), depth + 1);
    popResourceHandle();
    EXPECT_TRUE(AfxLoadString(61, s));
}

}  // namespace
}  // namespace vx::ui::test
