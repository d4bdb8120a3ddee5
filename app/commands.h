// The functions behind the module's command table, one per command.
#pragma once

namespace vorlix {

void cmdTest();
void cmdInsertSheet();
void cmdSheetInfo();
void cmdFastEditPltNo();
void cmdFastEditPltName();
void cmdPltCatalog();
void cmdBatchPlt();
void cmdSysemSet();
void cmdBatchPltNum();
void cmdBatchLayout();
void cmdHide();
void cmdShow();

}  // namespace vorlix
