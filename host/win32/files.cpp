// File operations with the Windows rules the module relies on: MoveFileW never replaces,
// CopyFileW can refuse to, a directory is not a file, read-only comes from permission bits.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "win32.h"
#include "win32/paths.h"
#include "win32/safe_file.h"
#include "win32/security.h"

using vx::win32::failFromErrno;
using vx::win32::nativePath;

namespace {

BOOL fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

bool isReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

// Copies a regular file's bytes, permission bits and modification time to `to`, replacing it
// in one step; a move also keeps the file's owner.
BOOL copyRegular(const std::string& from, const struct stat& st, const std::string& to, bool move = false) {
    vx::win32::SafeFileOptions options;
    options.like = &st;
    options.ownerOfLike = move;
    vx::win32::FileError error;
    if (!vx::win32::copyFileSafely(from, to, error, options)) return fail(error.code);
    return TRUE;
}

// Whether `target` lies in `folder` or below it. A target whose folder does not exist is
// nowhere the caller could have meant.
bool isInside(const std::string& target, const std::string& folder) {
    char t[PATH_MAX], f[PATH_MAX];
    if (!realpath(vx::win32::parentFolder(target).c_str(), t) || !realpath(folder.c_str(), f)) return false;
    const std::string a = t, b = f;
    return a == b || (a.size() > b.size() && a.compare(0, b.size(), b) == 0 && (b == "/" || a[b.size()] == '/'));
}

}  // namespace

DWORD GetFileAttributesW(LPCWSTR path) {
    const std::string p = nativePath(path);
    struct stat st;
    if (p.empty() || lstat(p.c_str(), &st) != 0) {
        SetLastError(p.empty() ? ERROR_PATH_NOT_FOUND : vx::win32::errorFromErrno(errno, p));
        return INVALID_FILE_ATTRIBUTES;
    }
    // A link reports what it leads to, marked as a link (a dangling one as a plain link).
    DWORD link = 0;
    if (S_ISLNK(st.st_mode)) {
        link = FILE_ATTRIBUTE_REPARSE_POINT;
        if (stat(p.c_str(), &st) != 0) return link;
    }
    if (S_ISDIR(st.st_mode)) return link | FILE_ATTRIBUTE_DIRECTORY;
    if (!S_ISREG(st.st_mode)) return link | FILE_ATTRIBUTE_DEVICE;
    if (isReadOnly(st)) return link | FILE_ATTRIBUTE_READONLY;
    return link ? link : FILE_ATTRIBUTE_NORMAL;
}

BOOL CopyFileW(LPCWSTR existing, LPCWSTR newName, BOOL failIfExists) {
    if (!existing || !newName || !*existing || !*newName) return fail(ERROR_INVALID_PARAMETER);
    const std::string from = nativePath(existing);
    const std::string named = nativePath(newName);
    const std::string to = vx::win32::resolveForWrite(named);
    struct stat src, dst;
    if (stat(from.c_str(), &src) != 0) return failFromErrno(from);
    if (S_ISDIR(src.st_mode)) return fail(ERROR_ACCESS_DENIED);
    if (to != named) {
        // The name is a symbolic link, dangling or not, so it is taken. A copy written through
        // it must not land outside the folder the caller named (a link planted in a shared
        // template folder could otherwise make the host create files anywhere).
        if (failIfExists) return fail(ERROR_FILE_EXISTS);
        if (!isInside(to, vx::win32::parentFolder(named))) return fail(ERROR_ACCESS_DENIED);
    }
    if (stat(to.c_str(), &dst) == 0) {
        if (failIfExists) return fail(ERROR_FILE_EXISTS);
        if (S_ISDIR(dst.st_mode) || isReadOnly(dst)) return fail(ERROR_ACCESS_DENIED);
        if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) return TRUE;
    }
    return copyRegular(from, src, to);
}

BOOL MoveFileW(LPCWSTR existing, LPCWSTR newName) {
    if (!existing || !newName || !*existing || !*newName) return fail(ERROR_INVALID_PARAMETER);
    const std::string from = nativePath(existing);
    std::string to = nativePath(newName);
    struct stat src, dst;
    if (lstat(from.c_str(), &src) != 0) return failFromErrno(from);
    if (to == from && to != vx::win32::mappedPath(newName)) {
        // Only the case of the name changes: the "existing" target is the source itself.
        to = vx::win32::parentFolder(to) + "/" + vx::win32::lastComponent(vx::win32::mappedPath(newName));
        return ::rename(from.c_str(), to.c_str()) == 0 ? TRUE : failFromErrno(to);
    }
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return TRUE;
    int err = errno;
    if (err == EEXIST) return fail(ERROR_ALREADY_EXISTS);
    if (err == EINVAL) {
        // A file system without no-replace renames: check, then rename.
        if (lstat(to.c_str(), &dst) == 0) return fail(ERROR_ALREADY_EXISTS);
        if (::rename(from.c_str(), to.c_str()) == 0) return TRUE;
        err = errno;
    }
    if (err != EXDEV) {
        errno = err;
        return failFromErrno(to);
    }
    // Another file system: a file is copied and then removed; a folder cannot move there.
    if (S_ISDIR(src.st_mode)) return fail(ERROR_NOT_SAME_DEVICE);
    if (lstat(to.c_str(), &dst) == 0) return fail(ERROR_ALREADY_EXISTS);
    if (!copyRegular(from, src, to, true)) return FALSE;
    if (::unlink(from.c_str()) != 0) {
        int err = errno;
        ::unlink(to.c_str());  // one copy of the file, never two
        errno = err;
        return failFromErrno(from);
    }
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR path) {
    const std::string p = nativePath(path);
    struct stat st;
    if (p.empty()) return fail(ERROR_PATH_NOT_FOUND);
    if (lstat(p.c_str(), &st) != 0) return failFromErrno(p);
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && isReadOnly(st))) return fail(ERROR_ACCESS_DENIED);
    if (::unlink(p.c_str()) != 0) return failFromErrno(p);
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security) {
    const std::string p = nativePath(path);
    if (p.empty()) return fail(ERROR_PATH_NOT_FOUND);
    mode_t mode = 0777;
    bool exact = false;
    if (!vx::win32::directoryMode(security, mode, exact)) return FALSE;
    // The umask can only take bits away, so the folder never has more access than asked for;
    // an explicit access list then gets exactly its bits.
    if (::mkdir(p.c_str(), mode) != 0) return failFromErrno(p);
    if (exact && ::chmod(p.c_str(), mode) != 0) return failFromErrno(p);
    return TRUE;
}
