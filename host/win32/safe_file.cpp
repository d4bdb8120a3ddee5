// SafeFile: a uniquely named temporary file created exclusively beside the target, streamed,
// flushed, given the old file's mode and owner, renamed over it, the folder flushed. At every
// moment the target holds either its old or its new content.
#include "win32/safe_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "text/encoding.h"
#include "win32/file_io.h"
#include "win32/paths.h"
#include "win32/temporary_files.h"

namespace vx::win32 {
namespace {

// Small writes (an INI line, a PDF object) are gathered; large chunks go straight to the file.
constexpr size_t kBufferSize = 64 * 1024;
constexpr size_t kCopyChunk = 1 << 20;
constexpr int kNameAttempts = 16;

std::wstring describe(const std::string& path, const char* what, int err) {
    std::wstring m = text::fromUtf8(path) + L": " + text::fromUtf8(what);
    if (err) m += L" (" + text::fromUtf8(std::strerror(err)) + L")";
    return m;
}

// The process's umask, read without changing it (umask() would race with other threads).
mode_t currentUmask() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, 6, "Umask:") == 0) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 022;
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void syncFolder(const std::string& native) {
    UniqueFd dir(::open(parentFolder(native).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) fsync(dir.get());
}

// A file that belonged to someone else stays theirs (a privileged save); an unprivileged one
// can at least keep the group when it is a member.
void keepOwner(int fd, const struct stat& owner) {
    struct stat now;
    if (fstat(fd, &now) != 0 || (now.st_uid == owner.st_uid && now.st_gid == owner.st_gid)) return;
    if (fchown(fd, owner.st_uid, owner.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), owner.st_gid) != 0)
        errno = 0;
}

}  // namespace

SafeFile::SafeFile(const std::string& native, const SafeFileOptions& options)
    : m_target(native.empty() ? native : resolveForWrite(native)), m_options(options) {
    m_error.path = m_target;
    if (m_target.empty()) {
        m_error = {ERROR_PATH_NOT_FOUND, ENOENT, m_target, L"no file name was given"};
        return;
    }
    struct stat st;
    if (::stat(m_target.c_str(), &st) != 0) {
        // A new file; a missing folder on the way shows when the temporary file is created.
        if (errno != ENOENT) fail(errno, "cannot be written");
        return;
    }
    // Windows refuses a file with the READONLY attribute although the rename here would pass.
    if (!S_ISREG(st.st_mode)) refuse(ERROR_ACCESS_DENIED, "is not a file");
    else if ((st.st_mode & S_IWUSR) == 0) refuse(ERROR_ACCESS_DENIED, "is read-only");
    else if (::access(m_target.c_str(), W_OK) != 0) fail(errno, "cannot be written");
    m_existed = true;
    m_previous = st;
}

SafeFile::SafeFile(LPCWSTR path, const SafeFileOptions& options) : SafeFile(nativePath(path), options) {}

SafeFile::~SafeFile() {
    if (!m_committed) discard();
}

bool SafeFile::fail(int err, const char* what) {
    if (ok()) m_error = {errorFromErrno(err, m_target), err, m_target, describe(m_target, what, err)};
    discard();  // a full disk gets its space back at once
    return false;
}

bool SafeFile::refuse(DWORD code, const char* what) {
    m_error = {code, 0, m_target, text::fromUtf8(m_target) + L" " + text::fromUtf8(what)};
    return false;
}

void SafeFile::discard() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
    m_temporary.clear();
    m_buffer.clear();
}

bool SafeFile::open() {
    if (!ok()) return false;
    if (m_fd >= 0) return true;
    // Leftovers of a killed save go first: on a full disk they may be what the new file needs.
    removeStaleTemporaries(m_target);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = temporaryName(m_target, thisProcess());
        // Exclusive and never through a link: a name planted in the folder is not written.
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = std::move(name);
            return true;
        }
        if (errno != EEXIST) break;
    }
    return fail(errno, "cannot create a temporary file in its folder");
}

bool SafeFile::flushBuffer() {
    if (m_buffer.empty()) return true;
    if (!writeAll(m_fd, m_buffer.data(), m_buffer.size())) return fail(errno, "cannot write the file");
    m_buffer.clear();
    return true;
}

bool SafeFile::write(const char* data, size_t size) {
    if (!open()) return false;
    if (m_buffer.size() + size <= kBufferSize) {
        if (m_buffer.capacity() < kBufferSize) m_buffer.reserve(kBufferSize);
        m_buffer.insert(m_buffer.end(), data, data + size);
        return true;
    }
    if (!flushBuffer()) return false;
    if (size < kBufferSize) {
        m_buffer.insert(m_buffer.end(), data, data + size);
        return true;
    }
    return writeAll(m_fd, data, size) || fail(errno, "cannot write the file");
}

bool SafeFile::commit(FileError& error, const std::function<bool(FileError&)>& beforeReplace) {
    error = FileError();
    if (m_committed) return true;
    auto failed = [&]() {
        error = m_error;
        return false;
    };
    auto failedWith = [&](const char* what) {
        fail(errno, what);
        return failed();
    };
    if (!open() || !flushBuffer()) return failed();
    // Owner before mode: a change of owner clears the set-user-id bits that the mode restores.
    if (m_options.like && m_options.ownerOfLike) keepOwner(m_fd, *m_options.like);
    else if (m_existed) keepOwner(m_fd, m_previous);
    mode_t mode = 0666 & ~currentUmask();
    if (m_options.like) mode = m_options.like->st_mode & 07777;
    else if (m_existed) mode = m_previous.st_mode & 07777;
    if (fchmod(m_fd, mode) != 0) return failedWith("cannot set the file's permissions");
    if (m_options.like) {
        const struct timespec times[2] = {m_options.like->st_atim, m_options.like->st_mtim};
        if (futimens(m_fd, times) != 0) return failedWith("cannot set the file's time");
    }
    if (fsync(m_fd) != 0) return failedWith("cannot flush the file");
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) return failedWith("cannot flush the file");
    if (beforeReplace) {
        FileError why;
        if (!beforeReplace(why)) {
            if (why.code == ERROR_SUCCESS)
                why = {ERROR_GEN_FAILURE, 0, m_target, describe(m_target, "was not replaced", 0)};
            m_error = why;
            discard();
            return failed();
        }
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) return failedWith("cannot replace the file");
    m_temporary.clear();
    m_committed = true;
    syncFolder(m_target);
    return true;
}

bool writeFileSafely(const std::string& native, const std::function<bool(Sink&)>& produce, FileError& error,
                     const SafeFileOptions& options) {
    SafeFile out(native, options);
    if (!out.ok()) {
        error = out.error();
        return false;
    }
    if (!produce(out)) {
        error = out.ok() ? FileError{ERROR_GEN_FAILURE, 0, out.target(),
                                     describe(out.target(), "the content could not be produced", 0)}
                         : out.error();
        return false;
    }
    return out.commit(error);
}

bool copyFileSafely(const std::string& from, const std::string& to, FileError& error, const SafeFileOptions& options) {
    UniqueFd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    int readErr = 0;
    if (!in.valid() || fstat(in.get(), &st) != 0) readErr = errno;
    else if (!S_ISREG(st.st_mode)) readErr = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    if (readErr == 0 && writeFileSafely(
                            to,
                            [&](Sink& out) {
                                std::string chunk(kCopyChunk, '\0');
                                for (;;) {
                                    ssize_t n = ::read(in.get(), &chunk[0], chunk.size());
                                    if (n < 0 && errno == EINTR) continue;
                                    if (n < 0) readErr = errno;
                                    if (n <= 0) return n == 0;
                                    if (!out.write(chunk.data(), static_cast<size_t>(n))) return false;
                                }
                            },
                            error, options))
        return true;
    if (readErr) error = {errorFromErrno(readErr, from), readErr, from, describe(from, "cannot read the file", readErr)};
    return false;
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
