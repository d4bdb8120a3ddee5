// Commands of the host itself (OPEN, SAVE, ARX, PALETTE ...), as opposed to commands that loaded
// modules add to the command stack. Other host parts register theirs here at start-up.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vx::editor {

// Gets the rest of the command line after the name (often empty); reads further answers
// through the command line's prompts.
using HostCommandFn = std::function<void(const std::wstring& args)>;

// Names compare without regard to case. A later registration of the same name replaces the
// earlier one, so a part can take over a command it owns.
void registerHostCommand(const std::wstring& name, HostCommandFn fn);
// Null when no host command of that name exists.
const HostCommandFn* findHostCommand(const std::wstring& name);
// Names in registration order.
std::vector<std::wstring> hostCommandNames();

}  // namespace vx::editor
