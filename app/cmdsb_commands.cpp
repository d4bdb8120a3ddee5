// The command bodies of frame insertion, title-block content entry and the system settings.
#include "app/commands.h"
#include "commands/insert_sheet.h"
#include "commands/sheet_info.h"
#include "settings/sys_set_command.h"

namespace vorlix {

void cmdInsertSheet() { runInsertSheetCommand(); }
void cmdSheetInfo() { runSheetInfoCommand(); }
void cmdSysemSet() { runSysemSet(); }

}  // namespace vorlix
