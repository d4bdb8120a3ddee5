// Constants of the platform headers (WS_*, BS_*, IDOK ...) known to every resource script.
#pragma once

#include <string>

namespace vx::ui::rc {
bool builtinSymbol(const std::string& name, long long& value);
}
