// Path mapping and the errno -> Windows error table, shared by every file operation.
#include "win32/paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#include "text/encoding.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD code) { t_lastError = code; }

namespace vx::win32 {

std::string nativePath(LPCWSTR path) {
    if (!path) return std::string();
    std::wstring w(path);
    for (auto& c : w)
        if (c == L'\\') c = L'/';
    return text::toUtf8(w);
}

std::string parentFolder(const std::string& native) {
    size_t slash = native.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native.substr(0, slash);
}

std::string lastComponent(const std::string& native) {
    size_t slash = native.find_last_of('/');
    return slash == std::string::npos ? native : native.substr(slash + 1);
}

DWORD errorFromErrno(int err, const std::string& path) {
    struct Entry {
        int err;
        DWORD code;
    };
    static const Entry table[] = {
        {EACCES, ERROR_ACCESS_DENIED},    {EPERM, ERROR_ACCESS_DENIED},
        {EROFS, ERROR_WRITE_PROTECT},     {EISDIR, ERROR_ACCESS_DENIED},
        {ENOTDIR, ERROR_PATH_NOT_FOUND},  {EEXIST, ERROR_ALREADY_EXISTS},
        {ENOSPC, ERROR_DISK_FULL},        {EDQUOT, ERROR_DISK_FULL},
        {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE}, {EINVAL, ERROR_INVALID_PARAMETER},
        {EXDEV, ERROR_NOT_SAME_DEVICE},   {EBUSY, ERROR_SHARING_VIOLATION},
        {ETXTBSY, ERROR_SHARING_VIOLATION}, {ELOOP, ERROR_CANT_RESOLVE_FILENAME},
        {ENOTEMPTY, ERROR_DIR_NOT_EMPTY}, {EIO, ERROR_GEN_FAILURE},
    };
    if (err == ENOENT) {
        // Windows tells a missing file from a missing folder on the way to it.
        struct stat st;
        std::string parent = parentFolder(path);
        if (!path.empty() && (stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)))
            return ERROR_PATH_NOT_FOUND;
        return ERROR_FILE_NOT_FOUND;
    }
    for (const Entry& e : table)
        if (e.err == err) return e.code;
    return ERROR_GEN_FAILURE;
}

BOOL failFromErrno(const std::string& path) {
    SetLastError(errorFromErrno(errno, path));
    return FALSE;
}

}  // namespace vx::win32
