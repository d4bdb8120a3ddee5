// MFC-style windows, dialogs, controls, data exchange and the extension-module protocol, on the
// host's UI core. A CWnd wraps a window of the core (its HWND); all state lives in the core, so
// the same dialog runs on every backend of the host (console script, Qt).
#pragma once

#include "afx.h"
#include "afxmsg.h"
#include "winuser.h"

class CWnd;
class CDataExchange;

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int x_, int y_) : POINT{x_, y_} {}
};

struct CSize : SIZE {
    CSize() : SIZE{0, 0} {}
    CSize(int cx_, int cy_) : SIZE{cx_, cy_} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};

// The root of every class that receives commands through a message map.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Finds the handler for a command or notification in this class's map and its bases'.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult);
    void RestoreWaitCursor() {}
    void BeginWaitCursor() {}
    void EndWaitCursor() {}

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // The first entry of the map chain that matches, or null.
    const AFX_MSGMAP_ENTRY* findEntry(UINT message, UINT code, UINT id) const;
    friend class CWnd;
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object bound to a window: the attached one, or a wrapper of the right class that
    // the window owns.
    static CWnd* FromHandle(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Binds this object to the dialog's control: what DDX_Control does.
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;

    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPRECT lpRect) const;
    void CenterWindow(CWnd* = nullptr) {}
    void Invalidate(BOOL = TRUE) {}
    void UpdateWindow() {}
    BOOL RedrawWindow(LPCRECT = nullptr, void* = nullptr, UINT = 0) { return TRUE; }
    void SetRedraw(BOOL = TRUE) {}
    CWnd* SetFocus();
    static CWnd* GetFocus();

    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The default processing of the message being handled.
    LRESULT Default();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);

    DECLARE_MESSAGE_MAP()

private:
    const MSG* m_current = nullptr;  // the message in progress, for Default()
    friend LRESULT vxDispatch(CWnd*, UINT, WPARAM, LPARAM);
};

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog until EndDialog; -1 when its template is not in the current resource
    // instance (a message naming the template is printed).
    virtual INT_PTR DoModal();
    // A modeless (child) dialog from the template of the current resource instance.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const {}

    UINT m_nIDHelp = 0;

protected:
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    DECLARE_MESSAGE_MAP()
};

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    void* SetBitmap(void* hBitmap) { return hBitmap; }
};

class CEdit : public CWnd {
public:
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax) { LimitText(static_cast<int>(nMax)); }
    UINT GetLimitText() const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
};

class CStatic : public CWnd {};

constexpr int CB_ERR = -1, CB_ERRSPACE = -2, LB_ERR = -1, LB_ERRSPACE = -2;

class CComboBox : public CWnd {
public:
    int AddString(LPCTSTR lpszString);
    int InsertString(int nIndex, LPCTSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    // Case-insensitive prefix / whole-text search after nStartAfter (-1: from the top), wrapping.
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszString);
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
};

class CListBox : public CWnd {
public:
    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetText(int nIndex, LPTSTR lpszBuffer) const;
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszItem);
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
};

// The control bars of a frame window (palette sets are control bars).
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000, CBRS_ALIGN_TOP = 0x2000, CBRS_ALIGN_RIGHT = 0x4000,
                CBRS_ALIGN_BOTTOM = 0x8000, CBRS_ALIGN_ANY = 0xF000, CBRS_FLOATING = 0x0004;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B, AFX_IDW_DOCKBAR_LEFT = 0xE81C,
               AFX_IDW_DOCKBAR_RIGHT = 0xE81D, AFX_IDW_DOCKBAR_BOTTOM = 0xE81E,
               AFX_IDW_DOCKBAR_FLOAT = 0xE81F;

class CControlBar : public CWnd {
public:
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsFloating() const;
    DWORD m_dwDockStyle = 0;
};

class CFrameWnd : public CWnd {
public:
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    int recalcCount() const { return m_recalcs; }

private:
    DWORD m_dwDockStyle = 0;
    int m_recalcs = 0;
};

class CMDIFrameWnd : public CFrameWnd {};

// Data exchange between a dialog's fields and its controls. A failed parse or range check shows
// the framework's message, puts the focus on the control and marks the exchange failed; the
// remaining DDX/DDV calls of that pass do nothing, and UpdateData returns FALSE.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    void Fail();
    bool failed() const { return m_failed; }
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;

private:
    bool m_failed = false;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

// Message boxes of the framework (text, or a string of the current resource instance).
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// Resources: the current resource instance is the top of the host's resource-handle stack.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();
// A string of the STRINGTABLE of the current resource instance; FALSE when there is none.
BOOL AfxLoadString(UINT nID, CString& rString);

// MFC extension modules: attach registers the module's embedded resource scripts under its
// instance (the binary that contains `hModule`); terminate unregisters them.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One link of the framework's chain of extension modules; the chain owns it (created with
// new at attach, deleted by AfxTermExtensionModule).
class CDynLinkLibrary : public CCmdTarget {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    ~CDynLinkLibrary() override;
    HMODULE m_hModule;
    HMODULE m_hResource;
};

BOOL IsWindow(HWND hWnd);

#include "afxcmn.h"
