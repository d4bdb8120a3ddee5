// Path mapping (separators, then case as Windows ignores it) and the errno -> Windows error
// table, shared by every file operation.
#include "win32/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string_view>

#include "text/encoding.h"
#include "text/strings.h"

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

std::wstring foldedName(const std::string& utf8) {
    std::wstring w = vx::text::fromUtf8(utf8);
    for (auto& c : w) c = vx::text::foldCase(c);
    return w;
}

// The entry of `folder` named `name` up to case; of several, the smallest name, so that the
// choice does not depend on directory order.
bool findCaseVariant(const std::string& folder, const std::string& name, std::string& found) {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return false;
    const std::wstring want = foldedName(name);
    bool any = false;
    while (const dirent* e = readdir(dir.get())) {
        const std::string n = e->d_name;
        if (n == "." || n == ".." || foldedName(n) != want) continue;
        if (!any || n < found) found = n;
        any = true;
    }
    return any;
}

}  // namespace

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD code) { t_lastError = code; }

namespace vx::win32 {

std::string mappedPath(LPCWSTR path) {
    if (!path) return std::string();
    std::wstring w(path);
    for (auto& c : w)
        if (c == L'\\') c = L'/';
    return text::toUtf8(w);
}

std::string nativePath(LPCWSTR path) { return resolveCase(mappedPath(path)); }

std::string resolveCase(const std::string& path) {
    struct stat st;
    if (path.empty() || lstat(path.c_str(), &st) == 0) return path;
    const bool absolute = path[0] == '/';
    std::string out = absolute ? "/" : "";
    bool resolving = true;
    for (size_t pos = absolute ? 1 : 0; pos <= path.size();) {
        size_t slash = path.find('/', pos);
        if (slash == std::string::npos) slash = path.size();
        const std::string comp = path.substr(pos, slash - pos);
        std::string next = out + comp;
        if (resolving && !comp.empty() && comp != "." && comp != ".." && lstat(next.c_str(), &st) != 0) {
            std::string actual;
            if (findCaseVariant(out.empty() ? "." : out, comp, actual)) next = out + actual;
            else resolving = false;  // nothing below a missing component exists
        }
        out = std::move(next);
        if (slash < path.size()) out += '/';
        pos = slash + 1;
    }
    return out;
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
