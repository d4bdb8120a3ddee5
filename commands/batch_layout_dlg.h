// "批量生成布局": picked frames with their drawing numbers, a check box per row; "生成布局"
// makes one layout per ticked row and closes the dialog.
#pragma once

#include "acui.h"
#include "frames/frame_select.h"

namespace vorlix {

class CBatchLayoutDlg : public CAcUiDialog {
public:
    explicit CBatchLayoutDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPickFrames();
    afx_msg void OnGenerate();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CListCtrl m_list;
    FrameList m_frames;  // the last successful pick, in selection order
};

// The body of VXBLY: the dialog, modal over the host's main window with the module's resources.
void runBatchLayoutDialog();

}  // namespace vorlix
