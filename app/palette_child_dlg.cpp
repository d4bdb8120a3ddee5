#include "app/palette_child_dlg.h"

#include "acdocman.h"
#include "aced.h"
#include "app/palette_dialogs.h"
#include "commands/insert_sheet.h"
#include "commands/sheet_info.h"
#include "resources/ids_frame_dialogs.h"

namespace vorlix {
namespace {

// The frame of the buttons that open a dialog: the current drawing locked and the module's
// resources current for the whole run, both undone on every way out.
void underDocumentLock(void (*run)()) {
    AcAxDocLock lock;
    CAcModuleResourceOverride resources;
    run();
}

}  // namespace

BEGIN_MESSAGE_MAP(CVorlixPaletteChildDlg, CAcUiDialog)
    ON_BN_CLICKED(IDC_PAL_INSERT_SHEET, &CVorlixPaletteChildDlg::OnInsertSheet)
    ON_BN_CLICKED(IDC_PAL_SHEET_INFO, &CVorlixPaletteChildDlg::OnSheetInfo)
    ON_BN_CLICKED(IDC_PAL_FAST_EDIT_NAME, &CVorlixPaletteChildDlg::OnFastEditName)
    ON_BN_CLICKED(IDC_PAL_BATCH_NUMBER, &CVorlixPaletteChildDlg::OnBatchNumber)
    ON_BN_CLICKED(IDC_PAL_FAST_EDIT_NO, &CVorlixPaletteChildDlg::OnFastEditNo)
    ON_BN_CLICKED(IDC_PAL_CATALOG, &CVorlixPaletteChildDlg::OnCatalog)
    ON_BN_CLICKED(IDC_PAL_BATCH_PLOT, &CVorlixPaletteChildDlg::OnBatchPlot)
    ON_BN_CLICKED(IDC_PAL_ATTR_SETTING, &CVorlixPaletteChildDlg::OnAttributeSetting)
    ON_BN_CLICKED(IDC_PAL_SYS_SET, &CVorlixPaletteChildDlg::OnSystemSettings)
    ON_BN_CLICKED(IDC_PAL_BATCH_LAYOUT, &CVorlixPaletteChildDlg::OnBatchLayout)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CVorlixPaletteChildDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CVorlixPaletteChildDlg::CVorlixPaletteChildDlg(CWnd* pParent, HINSTANCE hInstance)
    : CAcUiDialog(IDD_VORLIX_PALETTE, pParent, hInstance) {}

BOOL CVorlixPaletteChildDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) return TRUE;
    return CAcUiDialog::OnCommand(wParam, lParam);
}

// The insert and content buttons check the settings first and lock the drawing themselves.
void CVorlixPaletteChildDlg::OnInsertSheet() { insertSheetFromPalette(); }
void CVorlixPaletteChildDlg::OnSheetInfo() { sheetInfoFromPalette(); }

void CVorlixPaletteChildDlg::OnFastEditName() { acedPostCommand(L"VXFENAME\n"); }
void CVorlixPaletteChildDlg::OnSystemSettings() { acedPostCommand(L"VXSET\n"); }

void CVorlixPaletteChildDlg::OnBatchNumber() { underDocumentLock(paletteBatchNumberDialog); }
void CVorlixPaletteChildDlg::OnFastEditNo() { underDocumentLock(paletteFastEditNoDialog); }
void CVorlixPaletteChildDlg::OnCatalog() { underDocumentLock(paletteCatalogDialog); }
void CVorlixPaletteChildDlg::OnAttributeSetting() { underDocumentLock(paletteAttributeSettingDialog); }

// The batch plot switches background plotting off itself before its dialog opens.
void CVorlixPaletteChildDlg::OnBatchPlot() { underDocumentLock(paletteBatchPlotDialog); }

// Batch layouts are reached only through their command; the hidden button does nothing.
void CVorlixPaletteChildDlg::OnBatchLayout() {}

LRESULT CVorlixPaletteChildDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

}  // namespace vorlix
