#include "settings/sys_set_dlg.h"

#include <cwchar>

#include "resources/ids_frame_dialogs.h"
#include "settings/settings_file.h"
#include "shlobj.h"

namespace vorlix {

const wchar_t* const kDisciplines[5] = {L"建筑", L"结构", L"暖通", L"电气", L"给排水"};

namespace {
// Values are read into the format's 260-character buffers; longer input could not be stored.
constexpr int kMaxValueChars = 259;
constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;

bool beginsNoCase(const wchar_t* text, const wchar_t* prefix) {
    const int n = static_cast<int>(std::wcslen(prefix));
    const CString head = CString(text).Left(n);
    return head.GetLength() == n && head.CompareNoCase(prefix) == 0;
}
}  // namespace

int disciplineIndexFor(const wchar_t* stored) {
    if (!stored || !*stored) return -1;
    for (int i = 0; i < 5; ++i)
        if (beginsNoCase(kDisciplines[i], stored)) return i;
    return -1;
}

BEGIN_MESSAGE_MAP(CSysSetDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_SYS_SET_ROOT_BROWSE, &CSysSetDlg::OnBrowseRoot)
    ON_BN_CLICKED(IDC_SYS_SET_TEMPLATE_BROWSE, &CSysSetDlg::OnBrowseTemplate)
    ON_BN_CLICKED(IDC_SYS_SET_OK, &CSysSetDlg::OnOK)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CSysSetDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CSysSetDlg::CSysSetDlg(CWnd* pParent, HINSTANCE hInstance) : CAcUiDialog(IDD_SYS_SET, pParent, hInstance) {}

void CSysSetDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SYS_SET_ROOT_PATH, m_rootPath);
    DDX_Text(pDX, IDC_SYS_SET_USER_NAME, m_userName);
    DDX_Text(pDX, IDC_SYS_SET_DEPART_CODE, m_departCode);
    DDX_Text(pDX, IDC_SYS_SET_ZONE, m_zone);
    DDX_Text(pDX, IDC_SYS_SET_TEMPLATE_PATH, m_templateFolder);
    DDX_Control(pDX, IDC_SYS_SET_SPECIALITY, m_disciplineList);
    // The list shows the stored discipline when it begins an entry and nothing otherwise;
    // taken back, no selection means no discipline.
    if (pDX->m_bSaveAndValidate) {
        int sel = m_disciplineList.GetCurSel();
        if (sel >= 0) m_disciplineList.GetLBText(sel, m_discipline);
        else m_discipline.Empty();
    } else {
        m_disciplineList.SetCurSel(disciplineIndexFor(m_discipline.GetString()));
    }
}

BOOL CSysSetDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    const SystemSettings stored = readSystemSettings();
    m_rootPath = stored.rootPath.c_str();
    m_userName = stored.userName.c_str();
    m_departCode = stored.departCode.c_str();
    m_discipline = stored.specName.c_str();
    m_templateFolder = stored.sheetTempPath.c_str();
    for (const wchar_t* d : kDisciplines) m_disciplineList.AddString(d);
    for (int id : {IDC_SYS_SET_USER_NAME, IDC_SYS_SET_DEPART_CODE, IDC_SYS_SET_ZONE})
        if (auto* edit = static_cast<CEdit*>(GetDlgItem(id))) edit->LimitText(kMaxValueChars);
    UpdateData(FALSE);
    return TRUE;
}

void CSysSetDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CSysSetDlg::browseInto(CString& field, const wchar_t* title) {
    if (!UpdateData(TRUE)) return;
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = GetSafeHwnd();
    bi.pszDisplayName = display;
    bi.lpszTitle = title;
    bi.ulFlags = kBrowseFlags;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&bi);
    if (!chosen) return;
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(chosen, path)) field = path;
    CoTaskMemFree(chosen);
    UpdateData(FALSE);
}

void CSysSetDlg::OnBrowseRoot() { browseInto(m_rootPath, L"请选择根目录文件夹"); }
void CSysSetDlg::OnBrowseTemplate() { browseInto(m_templateFolder, L"请选择图框所在文件夹"); }

LRESULT CSysSetDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

}  // namespace vorlix
