#include "commands/batch_plt_num_dlg.h"

#include <climits>
#include <iterator>
#include <string>
#include <vector>

#include "aced.h"
#include "commands/batch_plt_num.h"
#include "commands/fast_edit_shared.h"
#include "commands/reading_order.h"
#include "frames/frame_attributes.h"
#include "resources/ids_batch_plt_num.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kPickPrompt = L"\n请选择需要编辑图号的图框(注意：图框必须在C-TK图层上)<退出>：";

struct ListColumn {
    const wchar_t* header;
    int width;
};
constexpr ListColumn kColumns[] = {{L"选取", 50}, {L"序号", 65}, {kNumberTag, 150}, {kNameTag, 250}};
constexpr int kNumberColumn = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CBatchPltNumDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_BPN_PICK, &CBatchPltNumDlg::OnPickFrames)
    ON_BN_CLICKED(IDC_BPN_ALL, &CBatchPltNumDlg::OnAllFrames)
    ON_BN_CLICKED(IDC_BPN_UPDATE, &CBatchPltNumDlg::OnUpdateNumbers)
    ON_BN_CLICKED(IDC_BPN_SELECT_ALL, &CBatchPltNumDlg::OnSelectAll)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CBatchPltNumDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CBatchPltNumDlg::CBatchPltNumDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_BATCH_PLT_NUM, pParent, hInstance), m_frames(0, 8) {}

void CBatchPltNumDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BPN_LIST, m_list);
    DDX_Text(pDX, IDC_BPN_FIXED, m_fixedPart);
    DDX_Text(pDX, IDC_BPN_STEP, m_step);
    DDV_MinMaxInt(pDX, m_step, 0, 1000);
    DDX_Text(pDX, IDC_BPN_START, m_start);
    DDV_MinMaxInt(pDX, m_start, 0, 10000);
    DDX_Check(pDX, IDC_BPN_SELECT_ALL, m_selectAll);
}

BOOL CBatchPltNumDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
        m_list.InsertColumn(c, kColumns[c].header, LVCFMT_CENTER, kColumns[c].width);
    return TRUE;
}

LRESULT CBatchPltNumDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

void CBatchPltNumDlg::fillList() {
    m_list.DeleteAllItems();
    for (int i = 0; i < m_frames.length(); ++i) {
        AttributeMap map = readAttributeMap(m_frames[i]);
        int row = m_list.InsertItem(i, L"");
        m_list.SetItemText(row, 1, std::to_wstring(i + 1).c_str());
        m_list.SetItemText(row, kNumberColumn, attributeText(map, kNumberTag).c_str());
        m_list.SetItemText(row, 3, attributeText(map, kNameTag).c_str());
    }
    // Every new row starts ticked. Only the check box is set, so that what the user has typed
    // into the fields but not yet applied stays in them.
    m_selectAll = 1;
    CheckDlgButton(IDC_BPN_SELECT_ALL, BST_CHECKED);
    for (int i = 0; i < m_list.GetItemCount(); ++i) m_list.SetCheck(i, TRUE);
}

void CBatchPltNumDlg::OnPickFrames() {
    BeginEditorCommand();
    FrameList picked;
    if (pickFrames(kPickPrompt, picked)) {
        m_frames = inReadingOrder(picked);
        fillList();
        CompleteEditorCommand();
    } else {
        CancelEditorCommand();
    }
}

void CBatchPltNumDlg::OnAllFrames() {
    m_frames = inReadingOrder(allFrames());
    fillList();
}

void CBatchPltNumDlg::OnSelectAll() {
    if (!UpdateData(TRUE)) return;
    for (int i = 0; i < m_list.GetItemCount(); ++i) m_list.SetCheck(i, m_selectAll != 0);
}

void CBatchPltNumDlg::OnUpdateNumbers() {
    if (!UpdateData(TRUE)) return;
    if (m_fixedPart.IsEmpty()) {
        showMessage(L"图号固定部分不能为空！");
        return;
    }
    std::vector<bool> ticked;
    for (int i = 0; i < m_list.GetItemCount(); ++i) ticked.push_back(m_list.GetCheck(i) != FALSE);
    const NumberingPlan plan = planNumbers(m_fixedPart.str(), m_start, m_step, ticked);
    std::vector<bool> written;
    const int count = writeNumbers(m_frames, plan, written);
    for (size_t i = 0; i < written.size(); ++i)
        if (written[i]) m_list.SetItemText(static_cast<int>(i), kNumberColumn, plan.numbers[i].c_str());
    // With nothing ticked no number was used: the start value the user gave stays.
    if (plan.anyTicked) m_start = plan.lastNumber > INT_MAX ? INT_MAX : static_cast<int>(plan.lastNumber);
    CString message;
    message.Format(L"共更新成功%d个图号！", count);
    showMessage(message.str());
    SetDlgItemInt(IDC_BPN_START, static_cast<UINT>(m_start));
}

void runBatchPltNumDialog() {
    CAcModuleResourceOverride resources;
    CBatchPltNumDlg dlg(acedGetAcadFrame());
    dlg.DoModal();
}

}  // namespace vorlix
