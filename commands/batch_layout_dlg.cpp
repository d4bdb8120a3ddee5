#include "commands/batch_layout_dlg.h"

#include <iterator>
#include <string>
#include <vector>

#include "acdocman.h"
#include "aced.h"
#include "commands/batch_layout.h"
#include "commands/fast_edit_shared.h"
#include "dbapserv.h"
#include "frames/frame_attributes.h"
#include "resources/ids_batch_layout.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kPickPrompt = L"\n请选择需要生成布局的图框(注意：图框必须在C-TK图层上)<退出>：";

struct ListColumn {
    const wchar_t* header;
    int width;
};
constexpr ListColumn kColumns[] = {{L"选取", 50}, {L"序号", 50}, {kNumberTag, 100}};
constexpr int kNumberColumn = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CBatchLayoutDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_BLY_PICK, &CBatchLayoutDlg::OnPickFrames)
    ON_BN_CLICKED(IDC_BLY_GENERATE, &CBatchLayoutDlg::OnGenerate)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CBatchLayoutDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CBatchLayoutDlg::CBatchLayoutDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_BATCH_LAYOUT, pParent, hInstance), m_frames(0, 8) {}

void CBatchLayoutDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BLY_LIST, m_list);
}

BOOL CBatchLayoutDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
        m_list.InsertColumn(c, kColumns[c].header, LVCFMT_CENTER, kColumns[c].width);
    return TRUE;
}

LRESULT CBatchLayoutDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

void CBatchLayoutDlg::OnPickFrames() {
    BeginEditorCommand();
    FrameList picked;
    if (!pickFrames(kPickPrompt, picked)) {
        CancelEditorCommand();
        return;
    }
    m_frames = picked;
    m_list.DeleteAllItems();
    for (int i = 0; i < m_frames.length(); ++i) {
        const int row = m_list.InsertItem(i, L"");
        m_list.SetItemText(row, 1, std::to_wstring(i + 1).c_str());
        m_list.SetItemText(row, kNumberColumn, attributeText(readAttributeMap(m_frames[i]), kNumberTag).c_str());
    }
    CompleteEditorCommand();
}

void CBatchLayoutDlg::OnGenerate() {
    BeginEditorCommand();
    {
        AcAxDocLock lock;
        AcApLayoutManager* manager = acdbHostApplicationServices()->layoutManager();
        if (!manager) {
            CompleteEditorCommand();
            return;
        }
        std::vector<std::wstring> numbers;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            if (m_list.GetCheck(i)) numbers.push_back(m_list.GetItemText(i, kNumberColumn).str());
        createLayouts(*manager, numbers);
        if (CMDIFrameWnd* frame = acedGetAcadFrame()) frame->RedrawWindow();
    }
    CompleteEditorCommand();
    CAcUiDialog::OnOK();
}

void runBatchLayoutDialog() {
    CAcModuleResourceOverride resources;
    CBatchLayoutDlg dlg(acedGetAcadFrame());
    dlg.DoModal();
}

}  // namespace vorlix
