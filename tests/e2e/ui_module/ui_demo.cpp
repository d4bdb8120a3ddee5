// A demonstration module for the host's dialog framework: the command UIDEMO runs a modal
// dialog from the module's own resource script (data exchange with bounds, a list with check
// boxes, a pick on the command line from inside the dialog); UIDEMONORES tries the same with
// the host's resources current; a palette button prints a greeting.
#include "aced.h"
#include "acui.h"
#include "adui.h"
#include "rxregsvc.h"
#include "ui_demo_ids.h"

namespace {

AFX_EXTENSION_MODULE g_extension = {};

class CDemoDlg : public CAcUiDialog {
public:
    explicit CDemoDlg(CWnd* parent) : CAcUiDialog(IDD_DEMO, parent) {}
    CString m_name = L"首层平面图";
    int m_height = 350;
    CString m_picked;
    CListCtrl m_list;
    int m_ticked = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CAcUiDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_DEMO_LIST, m_list);
        DDX_Text(pDX, IDC_DEMO_NAME, m_name);
        DDX_Text(pDX, IDC_DEMO_HEIGHT, m_height);
        DDV_MinMaxInt(pDX, m_height, 0, 1000);
        DDX_Text(pDX, IDC_DEMO_PICKED, m_picked);
    }
    BOOL OnInitDialog() override {
        CAcUiDialog::OnInitDialog();
        m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        m_list.InsertColumn(0, L"选取", LVCFMT_CENTER, 40);
        m_list.InsertColumn(1, L"图号", LVCFMT_CENTER, 100);
        for (int i = 0; i < 3; ++i) {
            CString number;
            number.Format(L"S-%02d", i + 1);
            m_list.SetItemText(m_list.InsertItem(i, L""), 1, number);
        }
        return TRUE;
    }
    void OnOK() override {
        if (!UpdateData(TRUE)) return;
        m_ticked = 0;
        for (int i = 0; i < m_list.GetItemCount(); ++i) m_ticked += m_list.GetCheck(i) ? 1 : 0;
        AfxMessageBox(L"设置完成！");
        CAcUiDialog::OnOK();
    }
    afx_msg void OnPick() {
        BeginEditorCommand();
        ACHAR buffer[133] = L"";
        if (acedGetString(0, L"\n请输入点名<退出>：", buffer, 133) == RTNORM) {
            m_picked = buffer;
            CompleteEditorCommand();
        } else {
            CancelEditorCommand();
        }
        SetDlgItemText(IDC_DEMO_PICKED, m_picked);
    }
    afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_DEMO_PICK, &CDemoDlg::OnPick)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CDemoDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

class CDemoPaletteDlg : public CAcUiDialog {
public:
    CDemoPaletteDlg() : CAcUiDialog(IDD_DEMO_PALETTE) {}

protected:
    afx_msg void OnHello() { acutPrintf(L"\n来自面板的问候"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoPaletteDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_DEMO_PALETTE_HELLO, &CDemoPaletteDlg::OnHello)
END_MESSAGE_MAP()

class CDemoPalette : public CAdUiPalette {
public:
    CDemoPaletteDlg m_dlg;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        if (CAdUiPalette::OnCreate(cs) == -1) return -1;
        CAcModuleResourceOverride resources;
        m_dlg.Create(IDD_DEMO_PALETTE, this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoPalette, CAdUiPalette)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CAdUiPaletteSet* g_set = nullptr;

void runDemo(bool withResources) {
    CDemoDlg dlg(acedGetAcadFrame());
    INT_PTR result = -1;
    if (withResources) {
        CAcModuleResourceOverride resources;
        result = dlg.DoModal();
    } else {
        result = dlg.DoModal();
    }
    if (result == IDOK)
        acutPrintf(L"\n名称=%s 高度=%d 拾取=%s 勾选=%d", dlg.m_name.GetString(), dlg.m_height,
                   dlg.m_picked.GetString(), dlg.m_ticked);
    else
        acutPrintf(L"\n对话框结果 %d", static_cast<int>(result));
}

void demo() { runDemo(true); }
void demoWithoutResources() { runDemo(false); }

struct Attach {
    Attach() {
        if (AfxInitExtensionModule(g_extension, vxThisModuleHandle())) new CDynLinkLibrary(g_extension);
        InitAcUiDLL();
    }
    ~Attach() { AfxTermExtensionModule(g_extension); }
} g_attach;

}  // namespace

ACRX_DEFINE_API_VERSION()

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg,
                                                                                  void* appId) {
    switch (msg) {
        case AcRx::kInitAppMsg: {
            acrxUnlockApplication(appId);
            acedRegCmds->addCommand(L"UI_DEMO", L"UiDemo", L"UIDEMO", ACRX_CMD_MODAL, demo);
            acedRegCmds->addCommand(L"UI_DEMO", L"UiDemoNoRes", L"UIDEMONORES", ACRX_CMD_MODAL, demoWithoutResources);
            g_set = new CAdUiPaletteSet;
            g_set->Create(L"Demo Tool", WS_DLGFRAME, CRect(0, 0, 300, 50), acedGetAcadFrame());
            auto* palette = new CDemoPalette;
            palette->Create(WS_CHILD | WS_VISIBLE, L"Demo Tool", g_set);
            g_set->AddPalette(palette);
            g_set->EnableDocking(CBRS_ALIGN_TOP);
            acedGetAcadFrame()->ShowControlBar(g_set, TRUE, TRUE);
            g_set->RestoreControlBar(AFX_IDW_DOCKBAR_TOP, nullptr);
            break;
        }
        case AcRx::kUnloadAppMsg:
            acedRegCmds->removeGroup(L"UI_DEMO");
            if (g_set) {
                g_set->DestroyWindow();
                delete g_set;
                g_set = nullptr;
            }
            break;
        default:
            break;
    }
    return AcRx::kRetOK;
}
