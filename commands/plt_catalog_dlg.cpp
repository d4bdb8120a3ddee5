#include "commands/plt_catalog_dlg.h"

#include <algorithm>

#include "acdocman.h"
#include "aced.h"
#include "commands/fast_edit_shared.h"
#include "commands/plt_catalog.h"
#include "commands/plt_catalog_sheet.h"
#include "frames/drawing_utils.h"
#include "resources/ids_plt_catalog.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kPickPrompt = L"\n请选择需要生成目录的图框(注意：图框必须在C-TK图层上)<退出>：";
constexpr int kTickColumnWidth = 50;
// For a title whose list width the layout does not give.
constexpr int kDefaultColumnWidth = 100;

}  // namespace

BEGIN_MESSAGE_MAP(CVxPltCatalogDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_PCL_PICK, &CVxPltCatalogDlg::OnPickFrames)
    ON_BN_CLICKED(IDC_PCL_ALL, &CVxPltCatalogDlg::OnAllFrames)
    ON_BN_CLICKED(IDC_PCL_UP, &CVxPltCatalogDlg::OnMoveUp)
    ON_BN_CLICKED(IDC_PCL_DOWN, &CVxPltCatalogDlg::OnMoveDown)
    ON_BN_CLICKED(IDC_PCL_SELECT_ALL, &CVxPltCatalogDlg::OnSelectAll)
    ON_BN_CLICKED(IDC_PCL_INSERT, &CVxPltCatalogDlg::OnInsertCatalogue)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CVxPltCatalogDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CVxPltCatalogDlg::CVxPltCatalogDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_PLT_CATALOG, pParent, hInstance), m_layout(settings().catalogueLayout()),
      m_maxRows(m_layout.maxNUm) {}

void CVxPltCatalogDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PCL_LIST, m_list);
    DDX_Text(pDX, IDC_PCL_MAX_ROWS, m_maxRows);
    DDV_MinMaxInt(pDX, m_maxRows, 0, 100);
    DDX_Check(pDX, IDC_PCL_SELECT_ALL, m_selectAll);
}

int CVxPltCatalogDlg::columnCount() const {
    return static_cast<int>(std::min<size_t>(m_layout.atts.size(), kMaxCatalogueColumns));
}

BOOL CVxPltCatalogDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, L"选取", LVCFMT_CENTER, kTickColumnWidth);
    for (int c = 0; c < columnCount(); ++c) {
        const size_t i = static_cast<size_t>(c);
        const int width = i < m_layout.tableWidths.size() ? m_layout.tableWidths[i] : kDefaultColumnWidth;
        m_list.InsertColumn(c + 1, m_layout.atts[i].c_str(), LVCFMT_CENTER, width);
    }
    return TRUE;
}

LRESULT CVxPltCatalogDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

void CVxPltCatalogDlg::fillList(const FrameList& frames) {
    const std::vector<std::wstring> titles(m_layout.atts.begin(), m_layout.atts.begin() + columnCount());
    std::vector<CatalogueRow> rows;
    for (int i = 0; i < frames.length(); ++i) {
        CatalogueRow row;
        if (catalogueCells(frames[i], titles, row.cells)) rows.push_back(std::move(row));
    }
    sortCatalogueRows(rows, drawingNumberTitle(titles));
    m_list.DeleteAllItems();
    for (size_t r = 0; r < rows.size(); ++r) {
        const int item = m_list.InsertItem(static_cast<int>(r), L"");
        for (size_t c = 0; c < rows[r].cells.size(); ++c)
            m_list.SetItemText(item, static_cast<int>(c) + 1, rows[r].cells[c].c_str());
    }
    // Every row starts ticked. Only the check box is set: a row count typed into the field but
    // not yet used stays as typed.
    m_selectAll = 1;
    CheckDlgButton(IDC_PCL_SELECT_ALL, BST_CHECKED);
    for (int i = 0; i < m_list.GetItemCount(); ++i) m_list.SetCheck(i, TRUE);
}

void CVxPltCatalogDlg::OnPickFrames() {
    BeginEditorCommand();
    FrameList picked;
    if (!pickFrames(kPickPrompt, picked)) {
        CancelEditorCommand();
        return;
    }
    fillList(picked);
    CompleteEditorCommand();
}

void CVxPltCatalogDlg::OnAllFrames() { fillList(allFrames()); }

void CVxPltCatalogDlg::OnSelectAll() {
    m_selectAll = IsDlgButtonChecked(IDC_PCL_SELECT_ALL) == BST_CHECKED ? 1 : 0;
    for (int i = 0; i < m_list.GetItemCount(); ++i) m_list.SetCheck(i, m_selectAll != 0);
}

void CVxPltCatalogDlg::OnMoveUp() { moveSelectedRow(-1); }
void CVxPltCatalogDlg::OnMoveDown() { moveSelectedRow(1); }

void CVxPltCatalogDlg::moveSelectedRow(int step) {
    m_list.SetFocus();
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (!pos) return;
    const int row = m_list.GetNextSelectedItem(pos);
    const int other = row + step;
    if (other < 0) {
        showMessage(L"已经位于第一行!");
        return;
    }
    if (other >= m_list.GetItemCount()) {
        showMessage(L"已经位于最后一行!");
        return;
    }
    for (int c = 0; c <= columnCount(); ++c) {
        const CString mine = m_list.GetItemText(row, c);
        m_list.SetItemText(row, c, m_list.GetItemText(other, c));
        m_list.SetItemText(other, c, mine);
    }
    const BOOL ticked = m_list.GetCheck(row);
    m_list.SetCheck(row, m_list.GetCheck(other));
    m_list.SetCheck(other, ticked);
    m_list.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetItemState(other, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(other, FALSE);
}

void CVxPltCatalogDlg::OnInsertCatalogue() {
    const SettingsRecord& record = settings();
    if (record.templateDrawingPath().empty()) {
        showMessage(L"请现在系统设置中设置图框模板所在路径！");
        return;
    }
    const std::wstring problem = catalogueLayoutProblem(m_layout);
    if (!problem.empty()) {
        showMessage(problem);
        return;
    }
    BeginEditorCommand();
    AcAxDocLock lock;
    const AcDbObjectId frameLayer = ensureLayer(kFrameLayer, kFrameLayerColor);
    if (record.organisationCode().empty()) {
        showMessage(L"请先在<系统设置>中设置单位代码！");
        CompleteEditorCommand();
        return;
    }
    if (!UpdateData(TRUE)) {
        CompleteEditorCommand();
        return;
    }
    const std::wstring blockName = record.organisationCode() + L"-目录单";
    AcGePoint3d origin;
    switch (placeTableBlock(record.templateDrawingPath(), blockName, frameLayer, origin)) {
    case SheetPlacement::Placed:
        break;
    case SheetPlacement::NoTableBlock: {
        CString message;
        message.Format(L"在图框中未找到对应目录单，请确认图框模板中是否存在%s图框块!", blockName.c_str());
        showMessage(message.str());
        CompleteEditorCommand();
        return;
    }
    default:
        CompleteEditorCommand();
        return;
    }

    const int rowsMax = rowsPerSheet(m_maxRows, m_layout.maxNUm);
    if (rowsMax != m_maxRows) {
        m_maxRows = rowsMax;
        SetDlgItemInt(IDC_PCL_MAX_ROWS, static_cast<UINT>(m_maxRows));
    }
    std::vector<CatalogueRow> rows(static_cast<size_t>(m_list.GetItemCount()));
    for (int r = 0; r < m_list.GetItemCount(); ++r) {
        rows[static_cast<size_t>(r)].ticked = m_list.GetCheck(r) != FALSE;
        for (int c = 1; c <= columnCount(); ++c) rows[static_cast<size_t>(r)].cells.push_back(m_list.GetItemText(r, c).str());
    }
    const std::vector<PlacedText> texts = planSheet(m_layout, origin, rows, rowsMax);
    writeSheetTexts(texts, m_layout.fontsize, textStyleByName(m_layout.fontType.c_str()));
    for (int r = 0; r < m_list.GetItemCount(); ++r)
        if (!rows[static_cast<size_t>(r)].ticked && m_list.GetCheck(r)) m_list.SetCheck(r, FALSE);
    CompleteEditorCommand();
}

void runPltCatalogDialog() {
    CAcModuleResourceOverride resources;
    CVxPltCatalogDlg dlg(acedGetAcadFrame());
    dlg.DoModal();
}

}  // namespace vorlix
