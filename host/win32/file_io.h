// Whole-file reads and an owning file descriptor. Files are replaced through safe_file.h.
#pragma once

#include <string>

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

}  // namespace vx::win32
