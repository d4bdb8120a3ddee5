// Saving a drawing: the writer streams into a SafeFile, and the file it replaces is kept as
// NAME.bak without a moment where either name is missing.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "dxf/dxf.h"
#include "text/encoding.h"
#include "win32/paths.h"
#include "win32/safe_file.h"
#include "win32/temporary_files.h"

namespace vx::dxf {

namespace {

constexpr int kNameAttempts = 16;

vx::win32::FileError backupFailed(const std::string& bak, int err) {
    return {vx::win32::errorFromErrno(err, bak), err, bak,
            vx::text::fromUtf8(bak) + L": cannot keep the previous file (" + vx::text::fromUtf8(std::strerror(err)) + L")"};
}

// The previous file becomes NAME.bak through a hard link made under a fresh name and renamed
// over the old backup: the drawing itself is never moved away, and the old backup goes only
// once the new one is complete. Where no hard link can be made the file is copied.
bool keepBackup(const std::string& target, const struct stat& previous, vx::win32::FileError& error) {
    const std::string bak = backupName(target);
    if (bak == target) return true;  // saving NAME.bak itself: there is nothing to keep it as
    vx::win32::removeStaleTemporaries(bak);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string linked = vx::win32::temporaryName(bak, vx::win32::thisProcess());
        if (::link(target.c_str(), linked.c_str()) != 0) {
            if (errno == EEXIST) continue;
            vx::win32::SafeFileOptions options;
            options.like = &previous;
            return vx::win32::copyFileSafely(target, bak, error, options);
        }
        if (::rename(linked.c_str(), bak.c_str()) == 0) return true;
        const int err = errno;
        ::unlink(linked.c_str());
        error = backupFailed(bak, err);
        return false;
    }
    error = backupFailed(bak, EEXIST);
    return false;
}

Acad::ErrorStatus statusOf(const vx::win32::FileError& error) {
    return error.err == ENOSPC || error.err == EDQUOT ? Acad::eOutOfDisk : Acad::eFileAccessErr;
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
    vx::win32::SafeFile out(path);
    if (!out.ok()) {
        message = out.error().message;
        return statusOf(out.error());
    }
    Acad::ErrorStatus es = produce([&](const char* data, size_t size) { return out.write(data, size); });
    if (!out.ok()) {
        message = out.error().message;
        return statusOf(out.error());
    }
    if (es != Acad::eOk) {
        message = vx::text::fromUtf8(out.target()) + L": the drawing could not be written (" +
                  acadErrorStatusText(es) + L")";
        return es;
    }
    vx::win32::FileError error;
    const bool keep = out.replacesExisting();
    if (!out.commit(error, [&](vx::win32::FileError& why) { return !keep || keepBackup(out.target(), out.previous(), why); })) {
        message = error.message;
        return statusOf(error);
    }
    return Acad::eOk;
}

}  // namespace vx::dxf
