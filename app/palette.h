// The tool palette "Vorlix Tool": a palette set docked at the top of the main window holding
// one palette, which the button dialog fills.
#pragma once

#include "adui.h"
#include "app/palette_child_dlg.h"

namespace vorlix {

class CVorlixPaletteSet : public CAdUiPaletteSet {
public:
    // Characters take the plain window path, so typing in the palette reaches the controls.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void GetMinimumSize(CSize& size) override;
    void GetMaximumSize(CSize& size) override;
};

class CVorlixPalette : public CAdUiPalette {
public:
    BOOL Load(IUnknown* pUnk) override { return CAdUiPalette::Load(pUnk); }
    BOOL Save(IUnknown* pUnk) override { return CAdUiPalette::Save(pUnk); }
    void OnSetActive() override { CAdUiPalette::OnSetActive(); }
    // The framework may take the focus only from a floating palette.
    BOOL CanFrameworkTakeFocus() override;
    CVorlixPaletteChildDlg& childDialog() { return m_child; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CVorlixPaletteChildDlg m_child;
};

// Creates, docks and shows the palette set; shows it when it exists already.
void createPaletteSet();
// Destroys the palette set with its window, when there is one.
void destroyPaletteSet();
// The palette set, or null before it was created and after it was destroyed.
CVorlixPaletteSet* paletteSet();
// Visibility only; the main frame lays out its docked bars again in both cases.
void hidePaletteSet();
void showPaletteSet();

}  // namespace vorlix
