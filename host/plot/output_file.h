// The one place plot files reach the disk: through the host's safe replacement.
#pragma once

#include <string>
#include <string_view>

namespace vx::plot {

// Replaces (or creates) the file at the native path `path` with `bytes`: the target is always
// either its old or its new content. Refuses folders and read-only files. False with a reason
// that names the file.
bool writeOutputFile(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace vx::plot
