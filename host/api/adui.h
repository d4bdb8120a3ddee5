// Palette sets and palettes: a dockable window set holding palettes, each palette usually
// filled by a child dialog. In the console host a palette button is pressed with the host
// command PALETTE "caption"|ID.
#pragma once

#include "acui.h"

struct IUnknown;

constexpr DWORD PSS_AUTO_ROLLUP = 0x2, PSS_PROPERTIES_MENU = 0x4, PSS_CLOSE_BUTTON = 0x8,
                PSS_EDIT_NAME = 0x10, PSS_SNAP = 0x20, PSS_SINGLE_PALETTE_TAB = 0x40,
                PSS_USE_SINGLE_PALETTE_TAB_NAME = 0x80;
constexpr DWORD PS_EDIT_NAME = 0x1;

class CAdUiPalette;

class CAdUiDockControlBar : public CControlBar {};

class CAdUiPaletteSet : public CAdUiDockControlBar {
public:
    explicit CAdUiPaletteSet(int nStyle = 0);
    ~CAdUiPaletteSet() override;

    virtual BOOL Create(LPCTSTR strTitle, DWORD dwStyle, const RECT& rect, CWnd* pwndParent,
                        DWORD dwPaletteSetStyle = PSS_PROPERTIES_MENU | PSS_AUTO_ROLLUP | PSS_CLOSE_BUTTON);
    BOOL DestroyWindow() override;
    // Adds the palette and makes it fill the set; returns its index, -1 on failure.
    int AddPalette(CAdUiPalette* pPalette);
    BOOL RemovePalette(CAdUiPalette* pPalette);
    int GetPaletteCount() const;
    CAdUiPalette* GetPalette(int nIndex) const;
    BOOL SetActivePalette(CAdUiPalette* pPalette);
    CAdUiPalette* GetActivePalette() const;
    // Brings back the last place of a set with this title (docked or floating, size); with no
    // saved place, docks at uID (AFX_IDW_DOCKBAR_TOP ...) or floats (AFX_IDW_DOCKBAR_FLOAT).
    void RestoreControlBar(UINT uID = AFX_IDW_DOCKBAR_FLOAT, CRect* pRectInitial = nullptr);
    // The dock bar the set is docked at, or AFX_IDW_DOCKBAR_FLOAT.
    UINT dockBar() const { return m_dockBar; }
    DWORD GetPaletteSetStyle() const { return m_setStyle; }
    void SetPaletteSetStyle(DWORD dwStyle) { m_setStyle = dwStyle; }
    void GetName(CString& name) const { name = m_title; }

    // Size limits the framework asks for whenever it resizes the set.
    virtual void GetMinimumSize(CSize& size);
    virtual void GetMaximumSize(CSize& size);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The framework's resize (a user dragging the border): clamps to the size limits and passes
    // the new size on to the palettes.
    void vxResize(int cx, int cy);
    void vxFloat(bool floating);

private:
    CString m_title;
    DWORD m_setStyle = 0;
    UINT m_dockBar = AFX_IDW_DOCKBAR_FLOAT;
    int m_active = -1;
    std::vector<CAdUiPalette*> m_palettes;
};

class CAdUiPalette : public CWnd {
public:
    CAdUiPalette();
    ~CAdUiPalette() override;
    // Creates the palette window as a child of the set (WM_CREATE reaches the palette here).
    virtual BOOL Create(DWORD dwStyle, LPCTSTR pszName, CAdUiPaletteSet* pParent, DWORD dwPaletteStyle = 0);
    virtual BOOL Load(IUnknown* pUnk);
    virtual BOOL Save(IUnknown* pUnk);
    virtual void OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL CanFrameworkTakeFocus();
    CAdUiPaletteSet* GetPaletteSet() const { return m_set; }
    CString GetName() const { return m_name; }
    void SetName(LPCTSTR name) { m_name = name ? name : L""; }
    DWORD GetPaletteStyle() const { return m_style; }

private:
    friend class CAdUiPaletteSet;
    CAdUiPaletteSet* m_set = nullptr;
    CString m_name;
    DWORD m_style = 0;
};
