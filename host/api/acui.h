// The host-themed dialog classes: CAdUiBaseDialog (editor commands from inside a modal dialog,
// the keep-focus query), CAdUiDialog and CAcUiDialog, and the module resource override.
#pragma once

#include "afxwin.h"

// Sent by the host to ask a dialog whether it keeps the keyboard focus; dialogs answer TRUE.
constexpr UINT WM_ACAD_KEEPFOCUS = 0x7101;

class CAdUiBaseDialog : public CDialog {
public:
    explicit CAdUiBaseDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr);
    ~CAdUiBaseDialog() override;

    // Hides the dialog so that the caller can prompt on the command line (pick objects, points);
    // CompleteEditorCommand and CancelEditorCommand show it again.
    BOOL BeginEditorCommand();
    void CompleteEditorCommand(BOOL restoreDialogs = TRUE);
    void CancelEditorCommand();
    bool inEditorCommand() const;
    HINSTANCE dialogResource() const { return m_hDialogResource; }

    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);

protected:
    HINSTANCE m_hDialogResource = nullptr;
    DECLARE_MESSAGE_MAP()
};

class CAdUiDialog : public CAdUiBaseDialog {
public:
    explicit CAdUiDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr)
        : CAdUiBaseDialog(idd, pParent, hDialogResource) {}
    // Public so that a palette can pass its own size changes on to the dialog it holds.
    afx_msg void OnSize(UINT nType, int cx, int cy);
};

class CAcUiDialog : public CAdUiDialog {
public:
    explicit CAcUiDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr)
        : CAdUiDialog(idd, pParent, hDialogResource) {}
};

// Initialises the host's dialog library for a module (safe to call more than once).
void InitAcUiDLL();
bool vxAcUiInitialised();

void vxPushResourceHandle(HINSTANCE instance);
void vxPopResourceHandle();

// Makes a module's resources current for its lifetime: push at construction, pop at
// destruction. Without an argument the module's own instance (the binary that includes this
// header) is used.
class CAcModuleResourceOverride {
public:
    explicit CAcModuleResourceOverride(HINSTANCE hInst = nullptr) {
        vxPushResourceHandle(hInst ? hInst : vxThisModuleHandle());
    }
    ~CAcModuleResourceOverride() { vxPopResourceHandle(); }
    CAcModuleResourceOverride(const CAcModuleResourceOverride&) = delete;
    CAcModuleResourceOverride& operator=(const CAcModuleResourceOverride&) = delete;
};
