// "设置图框属性参数": tick attribute tags, set height, width factor and line breaks, then apply
// them to picked frames or to every frame of the drawing. Opened from the tool palette only.
#pragma once

#include <set>
#include <string>

#include "acui.h"
#include "frames/frame_select.h"

namespace vorlix {

class CSheetAttrInfoSetDlg : public CAcUiDialog {
public:
    explicit CSheetAttrInfoSetDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelectAll();
    afx_msg void OnBreakLines();
    afx_msg void OnPickFrames();
    afx_msg void OnAllFrames();
    afx_msg void OnCloseDialog();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Takes the control values; false (after the message) when one is out of range.
    bool takeValues();
    std::set<std::wstring> tickedTags() const;
    void apply(const FrameList& frames);

    CListCtrl m_list;
    int m_height = 300;
    double m_widthFactor = 1.0;
    int m_selectAll = 0;
    int m_lineLength = 15;
    int m_breakLines = 0;
};

// Runs the dialog modally over the host's main window with the module's resources, holding a
// write lock on the current drawing for the dialog's life (it runs outside any command).
void runSheetAttrInfoSetDialog();

}  // namespace vorlix
