// GetModuleFileNameW: the file of the shared object that holds an address, found with dladdr;
// the executable itself is named through /proc/self/exe, since the loader only knows it by
// the argv[0] it was started with.
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "text/encoding.h"
#include "win32.h"

namespace {

// The address where the main program's first segment is mapped (what dladdr reports as
// dli_fbase for addresses inside it).
uintptr_t mainProgramBase() {
    static const uintptr_t base = [] {
        uintptr_t found = 0;
        dl_iterate_phdr(
            [](struct dl_phdr_info* info, size_t, void* out) {
                uintptr_t lowest = UINTPTR_MAX;
                for (int i = 0; i < info->dlpi_phnum; ++i)
                    if (info->dlpi_phdr[i].p_type == PT_LOAD && info->dlpi_phdr[i].p_vaddr < lowest)
                        lowest = info->dlpi_phdr[i].p_vaddr;
                *static_cast<uintptr_t*>(out) = info->dlpi_addr + (lowest == UINTPTR_MAX ? 0 : lowest);
                return 1;  // the first entry is the main program
            },
            &found);
        return found;
    }();
    return base;
}

std::string executablePath() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

std::string moduleFile(HMODULE module) {
    if (!module) return executablePath();
    Dl_info info;
    if (!dladdr(module, &info) || !info.dli_fname) return std::string();
    if (!*info.dli_fname || reinterpret_cast<uintptr_t>(info.dli_fbase) == mainProgramBase())
        return executablePath();
    char buf[PATH_MAX];
    if (info.dli_fname[0] != '/' && realpath(info.dli_fname, buf)) return buf;
    return info.dli_fname;
}

}  // namespace

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    const std::string path = moduleFile(module);
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::wstring wide = vx::text::fromUtf8(path);
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (wide.size() >= size) {
        wide.copy(buffer, size - 1);
        buffer[size - 1] = L'\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    wide.copy(buffer, wide.size());
    buffer[wide.size()] = L'\0';
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(wide.size());
}
