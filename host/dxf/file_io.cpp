// Saving a file without ever losing the previous one: temporary file, flush, NAME.bak, rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "dxf/dxf.h"
#include "text/encoding.h"

namespace vx::dxf {

namespace {
std::wstring why(const std::string& path, const char* what) {
    return vx::text::fromUtf8(path) + L": " + vx::text::fromUtf8(what) + L" (" +
           vx::text::fromUtf8(std::strerror(errno)) + L")";
}
}  // namespace

std::string backupName(const std::string& path) {
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".bak";
    return path.substr(0, dot) + ".bak";
}

Acad::ErrorStatus saveFile(const std::string& path, const std::function<Acad::ErrorStatus(const Sink&)>& produce,
                           std::wstring& message) {
    struct stat target;
    if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        errno = EISDIR;
        message = why(path, "is not a file");
        return Acad::eFileAccessErr;
    }
    std::string tmp = path + ".vxtmp";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        message = why(tmp, "cannot create the file");
        return Acad::eFileAccessErr;
    }
    int writeErr = 0;
    Acad::ErrorStatus es = produce([&](const char* data, size_t size) {
        size_t done = 0;
        while (done < size) {
            ssize_t n = ::write(fd, data + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                writeErr = errno;
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    });
    if (es != Acad::eOk || writeErr) {
        errno = writeErr;
        message = why(tmp, "cannot write the file");
        ::close(fd);
        ::unlink(tmp.c_str());
        return writeErr == ENOSPC ? Acad::eOutOfDisk : (es != Acad::eOk ? es : Acad::eFileAccessErr);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        message = why(tmp, "cannot flush the file");
        ::unlink(tmp.c_str());
        return Acad::eFileAccessErr;
    }
    struct stat sb;
    if (::stat(path.c_str(), &sb) == 0) {
        // The previous version stays as NAME.bak (a hard link, so the name never goes missing).
        std::string bak = backupName(path);
        ::unlink(bak.c_str());
        if (::link(path.c_str(), bak.c_str()) != 0 && ::rename(path.c_str(), bak.c_str()) != 0) {
            message = why(bak, "cannot keep the previous file");
            ::unlink(tmp.c_str());
            return Acad::eFileAccessErr;
        }
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        message = why(path, "cannot replace the file");
        ::unlink(tmp.c_str());
        return Acad::eFileAccessErr;
    }
    size_t slash = path.rfind('/');
    std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return Acad::eOk;
}

}  // namespace vx::dxf
