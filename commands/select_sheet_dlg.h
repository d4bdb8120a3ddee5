// The frame chooser: a list of frame or block names, one of which the user picks to insert.
#pragma once

#include <string>
#include <vector>

#include "acui.h"

namespace vorlix {

class CSelectSheetDlg : public CAcUiDialog {
public:
    explicit CSelectSheetDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);

    // Shown in the given order; set before DoModal.
    void setNames(std::vector<std::wstring> names) { m_names = std::move(names); }
    // Empty until the dialog was closed with "选择".
    const std::wstring& chosenName() const { return m_chosen; }

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnChoose();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::wstring> m_names;
    std::wstring m_chosen;
    CListBox m_list;
};

}  // namespace vorlix
