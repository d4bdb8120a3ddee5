// The bodies of the commands whose work lives in the subsystem folders: each runs that folder's
// dialog or prompt sequence. Test, VxHide and VxShow are in basic_commands.cpp.
#include "app/commands.h"
#include "batchplot/batch_plt_dlg.h"
#include "commands/batch_layout_dlg.h"
#include "commands/batch_plt_num_dlg.h"
#include "commands/fast_edit_plt_name.h"
#include "commands/fast_edit_plt_no_dlg.h"
#include "commands/insert_sheet.h"
#include "commands/plt_catalog_dlg.h"
#include "commands/sheet_info.h"
#include "settings/sys_set_command.h"

namespace vorlix {

void cmdInsertSheet() { runInsertSheetCommand(); }
void cmdSheetInfo() { runSheetInfoCommand(); }
void cmdFastEditPltNo() { runFastEditPltNoDialog(); }
void cmdFastEditPltName() { runFastEditPltName(); }
void cmdPltCatalog() { runPltCatalogDialog(); }
void cmdBatchPlt() { runBatchPltDialog(); }
void cmdSysemSet() { runSysemSet(); }
void cmdBatchPltNum() { runBatchPltNumDialog(); }
void cmdBatchLayout() { runBatchLayoutDialog(); }

}  // namespace vorlix
