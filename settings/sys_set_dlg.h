// The system settings dialog: root folder, template folder, user name, discipline and
// organisation code of the SYSEMSET section.
#pragma once

#include "acui.h"

namespace vorlix {

// The disciplines the offices work in, in the order the list shows them.
extern const wchar_t* const kDisciplines[5];

// Index of the first discipline that begins with `stored` (case-insensitive), -1 when `stored`
// is empty or begins none.
int disciplineIndexFor(const wchar_t* stored);

class CSysSetDlg : public CAcUiDialog {
public:
    explicit CSysSetDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);

    // The values the command writes, as the dialog ended.
    const CString& rootPath() const { return m_rootPath; }
    const CString& userName() const { return m_userName; }
    const CString& departCode() const { return m_departCode; }
    const CString& discipline() const { return m_discipline; }
    const CString& templateFolder() const { return m_templateFolder; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnBrowseRoot();
    afx_msg void OnBrowseTemplate();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Takes what the user typed first, so that a browse never drops it, then asks for a
    // folder; a cancelled browser leaves `field` as it was.
    void browseInto(CString& field, const wchar_t* title);

    CString m_rootPath;
    CString m_userName;
    CString m_departCode;
    CString m_zone;  // shown, never stored
    CString m_discipline;
    CString m_templateFolder;
    CComboBox m_disciplineList;
};

}  // namespace vorlix
