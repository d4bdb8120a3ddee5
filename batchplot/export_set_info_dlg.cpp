#include "batchplot/export_set_info_dlg.h"

#include <string>
#include <vector>

#include "batchplot/driver_files.h"
#include "batchplot/folder_browser.h"
#include "commands/fast_edit_shared.h"
#include "resources/ids_batch_plt.h"
#include "settings/settings_record.h"
#include "shlobj.h"

namespace vorlix {

BEGIN_MESSAGE_MAP(CExportSetInfoDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_ESI_BROWSE, &CExportSetInfoDlg::OnBrowse)
    ON_BN_CLICKED(IDC_ESI_EXPORT, &CExportSetInfoDlg::OnExport)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CExportSetInfoDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CExportSetInfoDlg::CExportSetInfoDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_EXPORT_SET_INFO, pParent, hInstance) {}

void CExportSetInfoDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ESI_FOLDER, m_folder);
    DDX_Check(pDX, IDC_ESI_DWF, m_dwf);
    DDX_Check(pDX, IDC_ESI_PDF, m_pdf);
    DDX_Check(pDX, IDC_ESI_PLT, m_plt);
}

LRESULT CExportSetInfoDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

void CExportSetInfoDlg::OnBrowse() {
    if (!UpdateData(TRUE)) return;
    std::wstring folder = m_folder.str();
    if (!browseForFolder(this, L"请选择文件夹", BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT, folder)) return;
    m_folder = folder.c_str();
    UpdateData(FALSE);
}

void CExportSetInfoDlg::OnExport() {
    if (!UpdateData(TRUE)) return;
    std::vector<DriverPair> pairs;
    if (m_dwf) pairs.push_back(DriverPair::Dwf);
    if (m_pdf) pairs.push_back(DriverPair::Pdf);
    if (m_plt) pairs.push_back(DriverPair::Plt);
    if (pairs.empty()) {
        showMessage(L"请选择要导出的打印机驱动类型!");
        return;
    }
    if (m_folder.IsEmpty()) {
        showMessage(L"请选择保存文件夹！");
        return;
    }
    const std::vector<std::wstring> missing = exportPlotDrivers(settings().moduleFolder(), pairs, m_folder.str());
    if (!missing.empty()) {
        // Saying the drivers were exported when they are not there would send the user to
        // install files that do not exist.
        std::wstring message = L"以下文件未能导出到 " + m_folder.str() + L"：";
        for (const std::wstring& name : missing) message += L"\n" + name;
        showMessage(message);
        return;
    }
    EndDialog(IDOK);
}

}  // namespace vorlix
