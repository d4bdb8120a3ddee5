// "批量图号": frames in reading order with a check box per row; the ticked ones get the fixed
// part and a sequence number as their drawing number.
#pragma once

#include "acui.h"
#include "frames/frame_select.h"

namespace vorlix {

class CBatchPltNumDlg : public CAcUiDialog {
public:
    explicit CBatchPltNumDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);
    const FrameList& frames() const { return m_frames; }
    int startValue() const { return m_start; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPickFrames();
    afx_msg void OnAllFrames();
    afx_msg void OnUpdateNumbers();
    afx_msg void OnSelectAll();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void fillList();

    CListCtrl m_list;
    FrameList m_frames;  // row i belongs to entry i
    CString m_fixedPart;
    int m_step = 1;
    int m_start = 0;  // after an update: the last number given, where the next update goes on
    int m_selectAll = 0;
};

// Runs the dialog modally over the host's main window with the module's resources: the body of
// VXBPN, and what the tool palette calls (under its own document lock).
void runBatchPltNumDialog();

}  // namespace vorlix
