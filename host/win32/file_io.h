// Whole-file reads and crash-safe whole-file replacement, for the INI writer and CopyFileW.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

namespace vx::win32 {

// An open file descriptor, closed when it goes out of scope.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd();
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now; false (errno set) when close reports an error.
    bool close();

private:
    int m_fd;
};

// Reads a whole regular file with one open. False with errno set (EISDIR for a directory,
// EINVAL for anything else that is not a regular file).
bool readWholeFile(const std::string& native, std::string& out);

// Replaces (or creates) `native` with `bytes`: a temporary file in the same folder is written,
// flushed to disk and renamed over the target, so the target is always either the old or the
// new content. `like` (may be null) gives the permission bits, owner and, when `keepTimes`,
// the modification time to carry over. False with errno set; the target is then untouched.
bool replaceFileAtomically(const std::string& native, std::string_view bytes,
                           const struct stat* like, bool keepTimes = false);

// The file that a write to `native` must replace: the target of a symbolic link (so the link
// stays a link), else the path itself.
std::string resolveForWrite(const std::string& native);

}  // namespace vx::win32
