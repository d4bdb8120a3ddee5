// "快速编辑图名": frames in reading order in an editable grid (number and name per row), written
// back to their frames with one button.
#pragma once

#include "acui.h"
#include "frames/frame_select.h"
#include "gridctrl.h"

namespace vorlix {

class CVxFastEditPltNoDlg : public CAcUiDialog {
public:
    explicit CVxFastEditPltNoDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);
    const FrameList& frames() const { return m_frames; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPickFrames();
    afx_msg void OnAllFrames();
    afx_msg void OnUpdateFrames();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void fillGrid();

    CGridCtrl m_grid;
    FrameList m_frames;  // entry k belongs to grid row k + 1
};

// Runs the dialog modally over the host's main window with the module's resources: the body of
// VXFEPN, and what the tool palette calls (under its own document lock).
void runFastEditPltNoDialog();

}  // namespace vorlix
