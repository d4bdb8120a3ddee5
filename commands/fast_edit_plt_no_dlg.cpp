#include "commands/fast_edit_plt_no_dlg.h"

#include <iterator>
#include <string>

#include "aced.h"
#include "commands/fast_edit_plt_no.h"
#include "commands/fast_edit_shared.h"
#include "commands/reading_order.h"
#include "resources/ids_fast_edit.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kPickPrompt = L"\n请选择需要编辑图名的图框(注意：图框必须在C-TK图层上)<退出>：";

struct GridColumn {
    const wchar_t* header;
    int width;
};
constexpr GridColumn kColumns[] = {{L"序号", 40}, {kNumberTag, 150}, {kNameTag, 180}};

}  // namespace

BEGIN_MESSAGE_MAP(CVxFastEditPltNoDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_FEPN_PICK, &CVxFastEditPltNoDlg::OnPickFrames)
    ON_BN_CLICKED(IDC_FEPN_ALL, &CVxFastEditPltNoDlg::OnAllFrames)
    ON_BN_CLICKED(IDC_FEPN_UPDATE, &CVxFastEditPltNoDlg::OnUpdateFrames)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CVxFastEditPltNoDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CVxFastEditPltNoDlg::CVxFastEditPltNoDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_FAST_EDIT_PLT_NO, pParent, hInstance), m_frames(0, 8) {}

void CVxFastEditPltNoDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_GridControl(pDX, IDC_FEPN_GRID, m_grid);
}

BOOL CVxFastEditPltNoDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_grid.SetEditable(TRUE);
    m_grid.SetColumnCount(static_cast<int>(std::size(kColumns)));
    m_grid.SetRowCount(1);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
        m_grid.SetItemText(0, c, kColumns[c].header);
        m_grid.SetColumnWidth(c, kColumns[c].width);
    }
    return TRUE;
}

LRESULT CVxFastEditPltNoDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

void CVxFastEditPltNoDlg::fillGrid() {
    m_grid.DeleteNonFixedRows();
    focusMainWindow();
    {
        CurrentDocumentLock lock;
        const std::vector<TitleRow> rows = readTitleRows(m_frames);
        for (size_t k = 0; k < rows.size(); ++k) {
            const std::wstring position = std::to_wstring(k + 1);
            int row = m_grid.InsertRow(position.c_str());
            if (row < 0) break;
            m_grid.SetItemText(row, 0, position.c_str());
            m_grid.SetItemText(row, 1, rows[k].number.c_str());
            m_grid.SetItemText(row, 2, rows[k].name.c_str());
            m_grid.AutoSizeRow(row);
        }
    }
    m_grid.Invalidate();
}

void CVxFastEditPltNoDlg::OnPickFrames() {
    BeginEditorCommand();
    FrameList picked;
    if (pickFrames(kPickPrompt, picked)) {
        m_frames = inReadingOrder(picked);
        fillGrid();
        CompleteEditorCommand();
    } else {
        CancelEditorCommand();
    }
}

void CVxFastEditPltNoDlg::OnAllFrames() {
    m_frames = inReadingOrder(allFrames());
    fillGrid();
}

void CVxFastEditPltNoDlg::OnUpdateFrames() {
    std::vector<TitleRow> rows;
    for (int r = m_grid.GetFixedRowCount(); r < m_grid.GetRowCount(); ++r)
        rows.push_back({m_grid.GetItemText(r, 1).str(), m_grid.GetItemText(r, 2).str()});
    showMessage(titleUpdateMessage(writeTitleRows(m_frames, rows)));
}

void runFastEditPltNoDialog() {
    CAcModuleResourceOverride resources;
    CVxFastEditPltNoDlg dlg(acedGetAcadFrame());
    dlg.DoModal();
}

}  // namespace vorlix
