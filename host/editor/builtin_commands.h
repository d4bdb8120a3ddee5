// The host's own commands (NEW, OPEN, SAVE, SAVEAS, QSAVE, CLOSE, QUIT, ARX, APPLOAD, LIST, COMMANDS,
// SETVAR, HELP), registered through host_commands.h by every host executable at start-up.
#pragma once

namespace vx::editor {

void registerBuiltinCommands();
// Every stack command in registration order, one per line: group, global, local, flags.
void listCommands();

}  // namespace vx::editor
