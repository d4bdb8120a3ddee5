// Plot files are written through the host's atomic replacement (see output_file.h).
#include "plot/output_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "win32/file_io.h"

namespace vx::plot {

bool writeOutputFile(const std::string& path, std::string_view bytes, std::string& error) {
    if (path.empty()) {
        error = "no output file named";
        return false;
    }
    const std::string target = win32::resolveForWrite(path);
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        error = "cannot write " + path + ": it is a folder";
        return false;
    }
    if (exists && !(st.st_mode & S_IWUSR)) {
        error = "cannot write " + path + ": the file is read-only";
        return false;
    }
    if (!win32::replaceFileAtomically(target, bytes, exists ? &st : nullptr)) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace vx::plot
