#include "app/palette_dialogs.h"

#include "batchplot/batch_plt_dlg.h"
#include "commands/batch_plt_num_dlg.h"
#include "commands/fast_edit_plt_no_dlg.h"
#include "commands/plt_catalog_dlg.h"
#include "commands/sheet_attr_info_set_dlg.h"

namespace vorlix {

void paletteBatchNumberDialog() { runBatchPltNumDialog(); }
void paletteFastEditNoDialog() { runFastEditPltNoDialog(); }
void paletteAttributeSettingDialog() { runSheetAttrInfoSetDialog(); }
void paletteCatalogDialog() { runPltCatalogDialog(); }
void paletteBatchPlotDialog() { runBatchPltDialog(); }

}  // namespace vorlix
