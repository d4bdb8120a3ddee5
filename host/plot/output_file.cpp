// Plot files are written through the host's safe replacement (see output_file.h).
#include "plot/output_file.h"

#include <sys/stat.h>

#include "text/encoding.h"
#include "win32/paths.h"
#include "win32/safe_file.h"

namespace vx::plot {

bool writeOutputFile(const std::string& path, std::string_view bytes, std::string& error) {
    if (path.empty()) {
        error = "no output file named";
        return false;
    }
    struct stat st;
    const std::string target = win32::resolveForWrite(path);
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error = "cannot write " + path + ": it is a folder";
        return false;
    }
    // Said plainly: the safe writer would only report that no temporary file could be made.
    const std::string folder = win32::parentFolder(target);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "cannot write " + path + ": the folder " + folder + " does not exist";
        return false;
    }
    win32::FileError failure;
    const bool written = win32::writeFileSafely(
        path, [&](win32::Sink& sink) { return sink.write(bytes); }, failure);
    if (!written) error = failure.message.empty() ? "cannot write " + path : text::toUtf8(failure.message);
    return written;
}

}  // namespace vx::plot
