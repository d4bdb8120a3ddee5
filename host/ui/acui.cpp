// The host-themed dialog base classes, the resource-handle functions of the framework and the
// extension-module attach/detach.
#include "acui.h"

#include <algorithm>
#include <vector>

#include "text/encoding.h"
#include "ui/backend.h"
#include "ui/main_frame.h"
#include "ui/resource_registry.h"
#include "ui/resource_stack.h"
#include "ui/window.h"

using vx::ui::Window;

namespace {
Window* live(HWND h) { return vx::ui::isLiveWindow(h) ? vx::ui::fromHandle(h) : nullptr; }
bool acUiReady = false;

std::vector<CDynLinkLibrary*>& chain() {
    static std::vector<CDynLinkLibrary*> c;
    return c;
}
}  // namespace

BEGIN_MESSAGE_MAP(CAdUiBaseDialog, CDialog)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CAdUiBaseDialog::OnAcadKeepFocus)
END_MESSAGE_MAP()

CAdUiBaseDialog::CAdUiBaseDialog(UINT idd, CWnd* pParent, HINSTANCE hDialogResource)
    : CDialog(idd, pParent), m_hDialogResource(hDialogResource) {}

CAdUiBaseDialog::~CAdUiBaseDialog() = default;

BOOL CAdUiBaseDialog::BeginEditorCommand() {
    Window* w = live(m_hWnd);
    if (!w || w->inEditorCommand) return FALSE;
    w->inEditorCommand = true;
    vx::ui::setVisible(*w, false);
    vx::ui::backend().editorCommandBegins(*w);
    return TRUE;
}

void CAdUiBaseDialog::CompleteEditorCommand(BOOL restoreDialogs) {
    Window* w = live(m_hWnd);
    if (!w || !w->inEditorCommand) return;
    w->inEditorCommand = false;
    if (restoreDialogs && !w->ended) vx::ui::setVisible(*w, true);
    vx::ui::backend().editorCommandEnds(*w, true);
}

void CAdUiBaseDialog::CancelEditorCommand() {
    Window* w = live(m_hWnd);
    if (!w || !w->inEditorCommand) return;
    w->inEditorCommand = false;
    if (!w->ended) vx::ui::setVisible(*w, true);
    vx::ui::backend().editorCommandEnds(*w, false);
}

bool CAdUiBaseDialog::inEditorCommand() const {
    Window* w = live(m_hWnd);
    return w && w->inEditorCommand;
}

LRESULT CAdUiBaseDialog::OnAcadKeepFocus(WPARAM, LPARAM) { return FALSE; }

void CAdUiDialog::OnSize(UINT nType, int cx, int cy) { CWnd::OnSize(nType, cx, cy); }

void InitAcUiDLL() { acUiReady = true; }
bool vxAcUiInitialised() { return acUiReady; }

void vxPushResourceHandle(HINSTANCE instance) { vx::ui::pushResourceHandle(instance); }
void vxPopResourceHandle() { vx::ui::popResourceHandle(); }

HINSTANCE AfxGetResourceHandle() { return vx::ui::currentResourceHandle(); }
void AfxSetResourceHandle(HINSTANCE h) { vx::ui::replaceResourceHandle(h); }
HINSTANCE AfxGetInstanceHandle() { return nullptr; }
CWnd* AfxGetMainWnd() { return vx::ui::mainFrame(); }

BOOL AfxLoadString(UINT nID, CString& r) {
    const vx::ui::rc::Script* s = vx::ui::currentResources();
    if (!s) return FALSE;
    auto it = s->strings.find(static_cast<int>(nID));
    if (it == s->strings.end()) return FALSE;
    r = it->second.c_str();
    return TRUE;
}

int AfxMessageBox(LPCTSTR text, UINT nType, UINT) {
    return vx::ui::backend().messageBox(text ? text : L"", L"", nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT) {
    CString s;
    if (!AfxLoadString(nIDPrompt, s)) s.Format(L"(string %u)", nIDPrompt);
    return AfxMessageBox(s.GetString(), nType);
}

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    return vx::ui::backend().messageBox(text ? text : L"", caption ? caption : L"", type);
}

HWND GetDesktopWindow() { return vx::ui::mainFrame()->GetSafeHwnd(); }

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    if (state.bInitialized) return TRUE;
    state.hModule = vx::ui::normaliseInstance(hModule);
    state.hResource = state.hModule;
    std::string error;
    if (!vx::ui::registerEmbeddedResources(hModule, error)) {
        vx::ui::backend().reportError(L"Resources of the module cannot be used: " + vx::text::fromUtf8(error));
        return FALSE;
    }
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL) {
    if (!state.bInitialized) return;
    auto& c = chain();
    std::vector<CDynLinkLibrary*> mine;
    for (CDynLinkLibrary* l : c)
        if (l->m_hModule == state.hModule) mine.push_back(l);
    for (CDynLinkLibrary* l : mine) delete l;
    vx::ui::unregisterResources(state.hModule);
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL)
    : m_hModule(state.hModule), m_hResource(state.hResource) {
    chain().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    auto& c = chain();
    c.erase(std::remove(c.begin(), c.end(), this), c.end());
}
