#include "commands/sheet_attr_info_set_dlg.h"

#include <iterator>

#include "acdocman.h"
#include "aced.h"
#include "commands/fast_edit_shared.h"
#include "commands/sheet_attr_info_set.h"
#include "resources/ids_sheet_attr_info_set.h"
#include "settings/settings.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kPickPrompt = L"\n请选择需要设置的图框(注意：图框必须在C-TK图层上)<退出>：";
constexpr int kTagColumn = 1;

struct ListColumn {
    const wchar_t* header;
    int width;
};
constexpr ListColumn kColumns[] = {{L"选取", 40}, {L"属性内容", 165}};

}  // namespace

BEGIN_MESSAGE_MAP(CSheetAttrInfoSetDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_SAIS_SELECT_ALL, &CSheetAttrInfoSetDlg::OnSelectAll)
    ON_BN_CLICKED(IDC_SAIS_BREAK, &CSheetAttrInfoSetDlg::OnBreakLines)
    ON_BN_CLICKED(IDC_SAIS_PICK, &CSheetAttrInfoSetDlg::OnPickFrames)
    ON_BN_CLICKED(IDC_SAIS_ALL, &CSheetAttrInfoSetDlg::OnAllFrames)
    ON_BN_CLICKED(IDC_SAIS_CLOSE, &CSheetAttrInfoSetDlg::OnCloseDialog)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CSheetAttrInfoSetDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CSheetAttrInfoSetDlg::CSheetAttrInfoSetDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_SHEET_ATTR_INFO_SET, pParent, hInstance) {}

void CSheetAttrInfoSetDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SAIS_LIST, m_list);
    DDX_Check(pDX, IDC_SAIS_SELECT_ALL, m_selectAll);
    DDX_Text(pDX, IDC_SAIS_HEIGHT, m_height);
    // A text height of 0 is no height at all: the drawing refuses it, so it is refused here.
    DDV_MinMaxInt(pDX, m_height, 1, 10000000);
    DDX_Text(pDX, IDC_SAIS_WIDTH_FACTOR, m_widthFactor);
    DDX_Check(pDX, IDC_SAIS_BREAK, m_breakLines);
    DDX_Text(pDX, IDC_SAIS_LINE_LENGTH, m_lineLength);
    DDV_MinMaxInt(pDX, m_lineLength, 1, 1000);
}

BOOL CSheetAttrInfoSetDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
        m_list.InsertColumn(c, kColumns[c].header, LVCFMT_CENTER, kColumns[c].width);
    int row = 0;
    for (const std::wstring& tag : attributeTagRows(settings().titleBlockItems())) {
        int at = m_list.InsertItem(row++, L"");
        m_list.SetItemText(at, kTagColumn, tag.c_str());
    }
    static_cast<CEdit*>(GetDlgItem(IDC_SAIS_LINE_LENGTH))->SetReadOnly(TRUE);
    return TRUE;
}

LRESULT CSheetAttrInfoSetDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

bool CSheetAttrInfoSetDlg::takeValues() {
    if (!UpdateData(TRUE)) return false;
    // A width factor of 0 or below cannot be drawn and the drawing refuses it.
    if (!(m_widthFactor > 0)) {
        showMessage(L"比例因子必须大于0！");
        if (CWnd* edit = GetDlgItem(IDC_SAIS_WIDTH_FACTOR)) GotoDlgCtrl(edit);
        return false;
    }
    return true;
}

std::set<std::wstring> CSheetAttrInfoSetDlg::tickedTags() const {
    std::set<std::wstring> tags;
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        if (m_list.GetCheck(i)) tags.insert(m_list.GetItemText(i, kTagColumn).str());
    return tags;
}

void CSheetAttrInfoSetDlg::apply(const FrameList& frames) {
    AttributeLook look;
    look.height = m_height;
    look.widthFactor = m_widthFactor;
    look.breakLines = m_breakLines != 0;
    look.lineLength = m_lineLength;
    showMessage(lookAppliedMessage(applyAttributeLook(frames, tickedTags(), look)));
}

void CSheetAttrInfoSetDlg::OnSelectAll() {
    if (!UpdateData(TRUE)) return;
    for (int i = 0; i < m_list.GetItemCount(); ++i) m_list.SetCheck(i, m_selectAll != 0);
}

void CSheetAttrInfoSetDlg::OnBreakLines() {
    if (!UpdateData(TRUE)) return;
    static_cast<CEdit*>(GetDlgItem(IDC_SAIS_LINE_LENGTH))->SetReadOnly(!m_breakLines);
}

void CSheetAttrInfoSetDlg::OnPickFrames() {
    BeginEditorCommand();
    CAcModuleResourceOverride resources;
    FrameList picked;
    if (pickFrames(kPickPrompt, picked) && takeValues()) {
        apply(picked);
        CompleteEditorCommand();
    } else {
        CancelEditorCommand();
    }
}

void CSheetAttrInfoSetDlg::OnAllFrames() {
    if (!takeValues()) return;
    BeginEditorCommand();
    apply(allFrames());
    CompleteEditorCommand();
}

void CSheetAttrInfoSetDlg::OnCloseDialog() { EndDialog(IDCANCEL); }

void runSheetAttrInfoSetDialog() {
    AcAxDocLock lock;
    CAcModuleResourceOverride resources;
    CSheetAttrInfoSetDlg dlg(acedGetAcadFrame());
    dlg.DoModal();
}

}  // namespace vorlix
