// The title-block content dialog: the office's common title-block fields in a grid, their
// stored contents, an import from a picked frame, and the choice of which frames to fill.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "acui.h"
#include "frames/frame_attributes.h"
#include "gridctrl.h"

namespace vorlix {

enum class FillMode { None = 0, AllFrames = 1, PickedFrames = 2 };

// Rows of the grid as (tag, content) -> tag -> content. The upper row of a repeated tag wins;
// a row whose tag was emptied names no attribute and is left out.
AttributeMap collectContents(const std::vector<std::pair<std::wstring, std::wstring>>& rows);

// Stores every entry in ATTRVALUE, also empty contents. False when any write failed.
bool saveContents(const AttributeMap& contents);

class CVxSheetInfoDlg : public CAcUiDialog {
public:
    explicit CVxSheetInfoDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);

    FillMode fillMode() const { return m_fillMode; }
    const AttributeMap& contents() const { return m_contents; }

protected:
    BOOL OnInitDialog() override;
    // The dialog has no OK button: Enter does not end it.
    void OnOK() override {}
    afx_msg void OnFillAll();
    afx_msg void OnFillPicked();
    afx_msg void OnSave();
    afx_msg void OnImport();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::pair<std::wstring, std::wstring>> gridRows() const;
    void collect() { m_contents = collectContents(gridRows()); }
    void finish(FillMode mode);

    CGridCtrl m_grid;
    CImageList m_images;
    AttributeMap m_contents;
    FillMode m_fillMode = FillMode::None;
};

}  // namespace vorlix
