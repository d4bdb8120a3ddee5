// CDialog: modal runs on the backend, modeless child dialogs, OK / Cancel.
#include "afxwin.h"
#include "text/encoding.h"
#include "ui/backend.h"
#include "ui/dialog_template.h"
#include "ui/resource_registry.h"
#include "ui/resource_stack.h"
#include "ui/window.h"

using vx::ui::Window;

namespace {
Window* live(HWND h) { return vx::ui::isLiveWindow(h) ? vx::ui::fromHandle(h) : nullptr; }

// The template of the current resource instance, or null after telling the user why not.
const vx::ui::rc::Dialog* findTemplate(UINT id) {
    const vx::ui::rc::Script* s = vx::ui::currentResources();
    const vx::ui::rc::Dialog* t = s ? s->dialog(static_cast<int>(id)) : nullptr;
    if (!t)
        vx::ui::backend().reportError(L"Dialog template " + std::to_wstring(id) + L" is not in the current resource instance (" +
                                      vx::ui::describeInstance(vx::ui::currentResourceHandle()) +
                                      L"); the dialog cannot open.");
    return t;
}
}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    const vx::ui::rc::Dialog* t = findTemplate(m_nIDTemplate);
    if (!t) return -1;
    Window* w = vx::ui::instantiateDialog(*t, nullptr);
    w->modal = true;
    w->ownedByWrapper = true;
    Attach(vx::ui::handleOf(w));
    OnInitDialog();
    if (live(m_hWnd) && !w->ended) {
        vx::ui::setVisible(*w, true);
        vx::ui::backend().runModal(*w);
    }
    int result = live(m_hWnd) ? w->result : IDCANCEL;
    if (live(m_hWnd)) vx::ui::destroyWindow(w);
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    if (m_hWnd) return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    const vx::ui::rc::Dialog* t = findTemplate(nIDTemplate);
    if (!t) return FALSE;
    Window* parent = pParentWnd ? live(pParentWnd->m_hWnd) : nullptr;
    Window* w = vx::ui::instantiateDialog(*t, parent);
    w->ownedByWrapper = true;
    Attach(vx::ui::handleOf(w));
    OnInitDialog();
    if (Window* now = live(m_hWnd)) vx::ui::setVisible(*now, (t->style & WS_VISIBLE) != 0);
    return TRUE;
}

void CDialog::EndDialog(int nResult) {
    Window* w = live(m_hWnd);
    if (!w) return;
    w->result = nResult;
    w->ended = true;
    vx::ui::changed(*w);
    vx::ui::setVisible(*w, false);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::SetDefID(UINT nID) {
    if (Window* w = live(m_hWnd)) w->defaultId = static_cast<int>(nID);
}

DWORD CDialog::GetDefID() const {
    Window* w = live(m_hWnd);
    return w ? static_cast<DWORD>(w->defaultId) : 0;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl) pWndCtrl->SetFocus();
}
