#include "commands/sheet_info_dlg.h"

#include "frames/frame_select.h"
#include "resources/ids_frame_dialogs.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"

namespace vorlix {
namespace {
constexpr int kTagColumn = 1, kContentColumn = 2;
constexpr int kRowIcon = 4;
constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
}  // namespace

AttributeMap collectContents(const std::vector<std::pair<std::wstring, std::wstring>>& rows) {
    AttributeMap contents;
    for (const auto& [tag, content] : rows)
        if (!tag.empty()) contents.emplace(tag, content);
    return contents;
}

bool saveContents(const AttributeMap& contents) {
    bool all = true;
    for (const auto& [tag, content] : contents) all = writeAttrValue(tag, content) && all;
    return all;
}

BEGIN_MESSAGE_MAP(CVxSheetInfoDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_SHEET_INFO_FILL_ALL, &CVxSheetInfoDlg::OnFillAll)
    ON_BN_CLICKED(IDC_SHEET_INFO_FILL_PICKED, &CVxSheetInfoDlg::OnFillPicked)
    ON_BN_CLICKED(IDC_SHEET_INFO_SAVE, &CVxSheetInfoDlg::OnSave)
    ON_BN_CLICKED(IDC_SHEET_INFO_IMPORT, &CVxSheetInfoDlg::OnImport)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CVxSheetInfoDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CVxSheetInfoDlg::CVxSheetInfoDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_SHEET_INFO, pParent, hInstance) {}

BOOL CVxSheetInfoDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_grid.SubclassDlgItem(IDC_SHEET_INFO_GRID, this);
    m_images.Create(IDB_SHEET_INFO_ICONS, 16, 1, kWhite);
    m_grid.SetImageList(&m_images);

    const TitleBlockItems& items = settings().titleBlockItems();
    m_grid.SetRowCount(static_cast<int>(items.size()) + 1);
    m_grid.SetColumnCount(3);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.SetItemImage(0, 0, kRowIcon);
    m_grid.SetItemText(0, kTagColumn, L"图签属性");
    m_grid.SetItemText(0, kContentColumn, L"图签中属性对应内容");
    int row = 1;
    for (const auto& item : items) {
        const std::wstring& tag = item.second;
        m_grid.SetItemImage(row, 0, kRowIcon);
        m_grid.SetItemText(row, kTagColumn, tag.c_str());
        m_grid.SetItemText(row, kContentColumn, readAttrValue(tag).c_str());
        m_grid.SetItemFgColour(row, kContentColumn, kBlack);
        m_grid.SetItemBkColour(row, kContentColumn, kWhite);
        ++row;
    }
    m_grid.AutoSizeRows();
    m_grid.SetColumnWidth(0, 40);
    m_grid.SetColumnWidth(kTagColumn, 80);
    m_grid.SetColumnWidth(kContentColumn, 200);
    return TRUE;
}

std::vector<std::pair<std::wstring, std::wstring>> CVxSheetInfoDlg::gridRows() const {
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    for (int r = 1; r < m_grid.GetRowCount(); ++r)
        rows.emplace_back(m_grid.GetItemText(r, kTagColumn).GetString(),
                          m_grid.GetItemText(r, kContentColumn).GetString());
    return rows;
}

void CVxSheetInfoDlg::finish(FillMode mode) {
    collect();
    m_fillMode = mode;
    EndDialog(IDOK);
}

void CVxSheetInfoDlg::OnFillAll() { finish(FillMode::AllFrames); }
void CVxSheetInfoDlg::OnFillPicked() { finish(FillMode::PickedFrames); }

void CVxSheetInfoDlg::OnSave() {
    collect();
    if (saveContents(m_contents)) {
        AfxMessageBox(L"保存成功！", MB_OK);
        return;
    }
    CString text;
    text.Format(L"无法写入设置文件 %s！", settings().shownSettingsFilePath());
    AfxMessageBox(text.GetString(), MB_OK);
}

void CVxSheetInfoDlg::OnImport() {
    BeginEditorCommand();
    AcDbObjectId picked;
    if (!pickOneObject(L"请选择需要提取内容的图框<退出>", picked)) {
        AfxMessageBox(L"选择图框失败！", MB_OK);
        CompleteEditorCommand();
        return;
    }
    const AttributeMap found = readAttributeMap(picked);
    for (int r = 1; r < m_grid.GetRowCount(); ++r) {
        const std::wstring tag = m_grid.GetItemText(r, kTagColumn).GetString();
        m_grid.SetItemText(r, kContentColumn, attributeText(found, tag).c_str());
    }
    CompleteEditorCommand();
}

LRESULT CVxSheetInfoDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

}  // namespace vorlix
