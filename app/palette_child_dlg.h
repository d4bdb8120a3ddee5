// The borderless dialog that fills the tool palette: one button per function of the module.
#pragma once

#include "acui.h"

namespace vorlix {

class CVorlixPaletteChildDlg : public CAcUiDialog {
public:
    explicit CVorlixPaletteChildDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);

protected:
    // Enter and Escape produce the commands 1 and 2; a palette must never end on them.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnInsertSheet();
    afx_msg void OnSheetInfo();
    afx_msg void OnFastEditName();
    afx_msg void OnBatchNumber();
    afx_msg void OnFastEditNo();
    afx_msg void OnCatalog();
    afx_msg void OnBatchPlot();
    afx_msg void OnAttributeSetting();
    afx_msg void OnSystemSettings();
    afx_msg void OnBatchLayout();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

}  // namespace vorlix
