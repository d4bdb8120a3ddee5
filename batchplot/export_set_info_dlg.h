// "导入配置文件": exports the module's plot drivers and their usage document into a folder, for
// installing them by hand.
#pragma once

#include "acui.h"

namespace vorlix {

class CExportSetInfoDlg : public CAcUiDialog {
public:
    explicit CExportSetInfoDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnBrowse();
    afx_msg void OnExport();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CString m_folder;
    int m_dwf = 0;
    int m_pdf = 0;
    int m_plt = 0;
};

}  // namespace vorlix
