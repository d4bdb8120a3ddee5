// Whole-file reads.
#include "win32/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vx::win32 {

UniqueFd::~UniqueFd() { close(); }

bool UniqueFd::close() {
    if (m_fd < 0) return true;
    int r = ::close(m_fd);
    m_fd = -1;
    return r == 0;
}

bool readWholeFile(const std::string& native, std::string& out) {
    out.clear();
    // Non-blocking open: a FIFO or device given as a settings file must not hang the host.
    UniqueFd fd(::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) return false;
    struct stat st;
    if (fstat(fd.get(), &st) != 0) return false;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    return true;
}

}  // namespace vx::win32
