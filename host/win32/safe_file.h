// Replacing a file so that a crash, a full disk or a link planted in its folder never costs the
// previous content: every file the host or the module replaces (drawings, INI files, plot files)
// is written through SafeFile.
//
//     vx::win32::SafeFile out(path);         // checks the target; nothing is created yet
//     out.write(bytes);                      // streams into a fresh temporary file beside it
//     vx::win32::FileError error;
//     if (!out.commit(error)) show(error.message);  // flush, rename over the target, flush folder
//
// A SafeFile that is not committed removes its temporary file when it goes out of scope.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "win32.h"

namespace vx::win32 {

// Receives a file's content in order, in pieces of any size; false stops the producer.
class Sink {
public:
    virtual bool write(const char* data, size_t size) = 0;
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

protected:
    ~Sink() = default;
};

// Why a file could not be replaced. `message` names the target: "PATH is read-only",
// "PATH: cannot write the file (No space left on device)".
struct FileError {
    DWORD code = ERROR_SUCCESS;  // what GetLastError reports for it
    int err = 0;                 // the errno behind it; 0 for a refusal by rule (read-only)
    std::string path;
    std::wstring message;
};

struct SafeFileOptions {
    // Permission bits and modification time to give the new file (a copy takes its source's);
    // null keeps the replaced file's mode, or gives a new file 0666 less the umask.
    const struct stat* like = nullptr;
    // Also `like`'s owner, where the process may set it (a file moved to another file system).
    bool ownerOfLike = false;
};

class SafeFile final : public Sink {
public:
    // `native` is a native path; a symbolic link is written through (the link stays a link).
    // Refusals (read-only target, a folder, no such folder) are known at once: see ok().
    explicit SafeFile(const std::string& native, const SafeFileOptions& options = {});
    // A path as the Windows API gives it (backslashes, any case).
    explicit SafeFile(LPCWSTR path, const SafeFileOptions& options = {});
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // False once the target was refused or a write failed; error() says why.
    bool ok() const { return m_error.code == ERROR_SUCCESS; }
    const FileError& error() const { return m_error; }
    // The file that commit() replaces: the path, or the file a symbolic link leads to.
    const std::string& target() const { return m_target; }
    // Whether the target exists, and its state before the replacement.
    bool replacesExisting() const { return m_existed; }
    const struct stat& previous() const { return m_previous; }

    using Sink::write;
    bool write(const char* data, size_t size) override;
    // Puts the content in place: flushed to disk, permission bits and owner carried over,
    // renamed over the target, the folder flushed. `beforeReplace` runs once the new content is
    // safely on disk and before the rename (the drawing saver keeps the old file as NAME.bak
    // there); false from it gives up, leaving the target as it was. False with `error` set.
    bool commit(FileError& error, const std::function<bool(FileError&)>& beforeReplace = {});

private:
    bool open();
    bool flushBuffer();
    bool fail(int err, const char* what);
    bool refuse(DWORD code, const char* what);
    void discard();

    std::string m_target;
    SafeFileOptions m_options;
    struct stat m_previous {};
    bool m_existed = false;
    std::string m_temporary;  // empty until the first write
    int m_fd = -1;
    bool m_committed = false;
    std::vector<char> m_buffer;
    FileError m_error;
};

// Writes a whole file: `produce` streams the content into the sink. False with `error` set (also
// when `produce` returns false without a failed write); the target is then as it was.
bool writeFileSafely(const std::string& native, const std::function<bool(Sink&)>& produce,
                     FileError& error, const SafeFileOptions& options = {});

// Replaces (or creates) `to` with a copy of the regular file `from`, streamed.
bool copyFileSafely(const std::string& from, const std::string& to, FileError& error,
                    const SafeFileOptions& options = {});

// The file that a write to `native` must replace: the target of a symbolic link (so the link
// stays a link), else the path itself.
std::string resolveForWrite(const std::string& native);

// The beginning of every temporary file name that a replacement of `native` uses, in the
// target's folder: ".NAME.vxtmp." (a long NAME is shortened and tagged with its hash).
std::string temporaryPrefix(const std::string& native);

// Removes the temporary files that earlier replacements of `native` left behind (a killed or
// crashed run): those of a process of this machine that has ended or of an earlier boot, and
// those of other machines sharing the folder that nobody has touched for a day. Never those of a
// live process. Returns how many were removed.
size_t removeStaleTemporaries(const std::string& native);

}  // namespace vx::win32
