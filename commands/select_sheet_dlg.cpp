#include "commands/select_sheet_dlg.h"

#include "resources/ids_frame_dialogs.h"

namespace vorlix {

BEGIN_MESSAGE_MAP(CSelectSheetDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_SELECT_SHEET_OK, &CSelectSheetDlg::OnChoose)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CSelectSheetDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CSelectSheetDlg::CSelectSheetDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_SELECT_SHEET, pParent, hInstance) {}

BOOL CSelectSheetDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_SELECT_SHEET_LIST, this);
    for (const std::wstring& name : m_names) m_list.AddString(name.c_str());
    return TRUE;
}

void CSelectSheetDlg::OnChoose() {
    const int sel = m_list.GetCurSel();
    if (sel < 0) {
        AfxMessageBox(L"请选择需要插入的图框！", MB_OK);
        return;
    }
    CString text;
    m_list.GetText(sel, text);
    m_chosen = text.GetString();
    EndDialog(IDOK);
}

LRESULT CSelectSheetDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

}  // namespace vorlix
