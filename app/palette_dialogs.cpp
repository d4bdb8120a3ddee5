#include "app/palette_dialogs.h"

#include "afxwin.h"
#include "commands/batch_plt_num_dlg.h"
#include "commands/fast_edit_plt_no_dlg.h"
#include "commands/plt_catalog_dlg.h"
#include "commands/sheet_attr_info_set_dlg.h"

namespace vorlix {
namespace {
// A function whose dialog has not arrived in this build says so instead of doing nothing.
void notYet() { AfxMessageBox(L"此功能尚未提供。", MB_OK); }
}  // namespace

void paletteBatchNumberDialog() { runBatchPltNumDialog(); }
void paletteFastEditNoDialog() { runFastEditPltNoDialog(); }
void paletteAttributeSettingDialog() { runSheetAttrInfoSetDialog(); }
void paletteCatalogDialog() { runPltCatalogDialog(); }
void paletteBatchPlotDialog() { notYet(); }

}  // namespace vorlix
