// Whole-file I/O. Replacement writes a sibling temporary file and renames it, the one way a
// crash can never leave a half-written settings file behind.
#include "win32/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "win32/paths.h"

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

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Opens a new, uniquely named file beside `native`; mode 0666 so that the umask applies to
// files that did not exist before.
int createSibling(const std::string& native, std::string& tmpName) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = parentFolder(native);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmpName = folder + "/." + lastComponent(native) + ".vxtmp" + std::to_string(getpid()) +
                  "-" + std::to_string(counter++);
        int fd = ::open(tmpName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void syncFolder(const std::string& native) {
    UniqueFd dir(::open(parentFolder(native).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) fsync(dir.get());
}

}  // namespace

bool replaceFileAtomically(const std::string& native, std::string_view bytes,
                           const struct stat* like, bool keepTimes) {
    std::string tmp;
    UniqueFd fd(createSibling(native, tmp));
    if (!fd.valid()) return false;
    bool ok = writeAll(fd.get(), bytes);
    if (ok && like) {
        ok = fchmod(fd.get(), like->st_mode & 07777) == 0;
        // Ownership can only be kept by a privileged process; failing to is not an error.
        if (ok && fchown(fd.get(), like->st_uid, like->st_gid) != 0) errno = 0;
        if (ok && keepTimes) {
            const struct timespec times[2] = {like->st_atim, like->st_mtim};
            ok = futimens(fd.get(), times) == 0;
        }
    }
    ok = ok && fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    ok = ok && ::rename(tmp.c_str(), native.c_str()) == 0;
    if (!ok) {
        int err = errno;
        ::unlink(tmp.c_str());
        errno = err;
        return false;
    }
    syncFolder(native);
    return true;
}

std::string resolveForWrite(const std::string& native) {
    struct stat st;
    if (lstat(native.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return native;
    char buf[PATH_MAX];
    if (!realpath(native.c_str(), buf)) {
        // A dangling link: write where it points, relative to the link's folder.
        ssize_t n = readlink(native.c_str(), buf, sizeof buf - 1);
        if (n <= 0) return native;
        std::string target(buf, static_cast<size_t>(n));
        return target[0] == '/' ? target : parentFolder(native) + "/" + target;
    }
    return buf;
}

}  // namespace vx::win32
