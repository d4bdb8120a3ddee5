// The command bodies of the quick edit of drawing numbers and names, batch numbering, the
// drawing catalogue and batch layouts.
#include "app/commands.h"
#include "commands/batch_layout_dlg.h"
#include "commands/batch_plt_num_dlg.h"
#include "commands/fast_edit_plt_name.h"
#include "commands/fast_edit_plt_no_dlg.h"
#include "commands/plt_catalog_dlg.h"

namespace vorlix {

void cmdFastEditPltNo() { runFastEditPltNoDialog(); }
void cmdFastEditPltName() { runFastEditPltName(); }
void cmdBatchPltNum() { runBatchPltNumDialog(); }
void cmdPltCatalog() { runPltCatalogDialog(); }
void cmdBatchLayout() { runBatchLayoutDialog(); }

}  // namespace vorlix
