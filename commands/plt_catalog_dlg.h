// "图纸目录整理": frames as rows of the catalogue's columns, sorted by drawing number, ordered
// and ticked by the user; each "插入目录" places one catalogue sheet with the next ticked rows.
#pragma once

#include <string>
#include <vector>

#include "acui.h"
#include "frames/frame_select.h"
#include "settings/settings_record.h"

namespace vorlix {

class CVxPltCatalogDlg : public CAcUiDialog {
public:
    explicit CVxPltCatalogDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPickFrames();
    afx_msg void OnAllFrames();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnSelectAll();
    afx_msg void OnInsertCatalogue();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void fillList(const FrameList& frames);
    void moveSelectedRow(int step);
    // The catalogue's titles that have a list column.
    int columnCount() const;

    CatalogueLayout m_layout;  // as the settings gave it when the dialog opened
    CListCtrl m_list;
    int m_maxRows = 0;
    int m_selectAll = 0;
};

// The body of VXPCL and what the palette's "图纸目录" opens (under its own document lock): the
// dialog, modal over the host's main window with the module's resources.
void runPltCatalogDialog();

}  // namespace vorlix
