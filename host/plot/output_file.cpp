// Plot files go through win32::SafeFile like every file the host replaces.
#include "plot/output_file.h"

#include "text/encoding.h"
#include "win32/safe_file.h"

namespace vx::plot {

bool writeOutputFile(const std::string& path, std::string_view bytes, std::string& error) {
    if (path.empty()) {
        error = "no output file named";
        return false;
    }
    win32::FileError failure;
    if (win32::writeFileSafely(path, [&](win32::Sink& sink) { return sink.write(bytes); }, failure)) return true;
    error = text::toUtf8(failure.message);
    return false;
}

}  // namespace vx::plot
