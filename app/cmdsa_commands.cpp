// The command bodies of the quick edit of drawing numbers and names and of batch numbering.
#include "app/commands.h"
#include "commands/batch_plt_num_dlg.h"
#include "commands/fast_edit_plt_name.h"
#include "commands/fast_edit_plt_no_dlg.h"

namespace vorlix {

void cmdFastEditPltNo() { runFastEditPltNoDialog(); }
void cmdFastEditPltName() { runFastEditPltName(); }
void cmdBatchPltNum() { runBatchPltNumDialog(); }

}  // namespace vorlix
