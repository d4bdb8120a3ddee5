// Any bytes as a profile file: every listed section and key must read back without a fault,
// listings must stay inside small buffers, and a write must read back as written while the
// file's other keys keep their values.
#include <unistd.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>
#include <cwctype>

#include "text/encoding.h"
#include "win32.h"

namespace {

std::string folder() {
    static const std::string dir = [] {
        std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return base + "/vxfuzz-ini-" + std::to_string(getpid());
    }();
    return dir;
}

std::vector<std::wstring> names(const wchar_t* section, const std::wstring& file, DWORD size) {
    std::vector<wchar_t> buf(size + 8, L'#');
    DWORD n = GetPrivateProfileStringW(section, nullptr, L"", buf.data(), size, file.c_str());
    if (n > size || (size >= 2 && buf[n] != L'\0') || buf[size] != L'#') abort();
    std::vector<std::wstring> out;
    for (const wchar_t* p = buf.data(); *p && out.size() < 16; p += out.back().size() + 1) out.emplace_back(p);
    return out;
}

std::wstring get(const std::wstring& s, const std::wstring& k, const std::wstring& file) {
    wchar_t buf[600];
    DWORD n = GetPrivateProfileStringW(s.c_str(), k.c_str(), L"<none>", buf, 600, file.c_str());
    if (n >= 600 || buf[n] != L'\0') abort();
    return std::wstring(buf, n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool made = [] {
        // folder()'s string exists before the handler is registered, so it outlives it.
        const bool ok = mkdir(folder().c_str(), 0700) == 0 || errno == EEXIST;
        std::atexit([] { rmdir(folder().c_str()); });
        return ok;
    }();
    if (!made) return 0;
    const std::string path = folder() + "/f.ini";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::wstring file = vx::text::fromUtf8(path);

    std::vector<std::pair<std::pair<std::wstring, std::wstring>, std::wstring>> before;
    for (const auto& s : names(nullptr, file, 4096)) {
        for (const auto& k : names(s.c_str(), file, 4096)) {
            before.push_back({{s, k}, get(s, k, file)});
            GetPrivateProfileIntW(s.c_str(), k.c_str(), 7, file.c_str());
        }
        names(s.c_str(), file, 5);
    }
    names(nullptr, file, 3);

    const auto othersUnchanged = [&] {
        for (const auto& [sk, v] : before) {
            std::wstring lower = sk.first;
            for (auto& c : lower) c = static_cast<wchar_t>(towlower(static_cast<wint_t>(c)));
            if (lower != L"fuzz" && get(sk.first, sk.second, file) != v) abort();
        }
    };
    // Set, then delete the key, then the section: each step reads back as done and leaves the
    // other sections alone.
    const std::wstring value = L"值 \"v\" " + std::to_wstring(size);
    if (WritePrivateProfileStringW(L"FUZZ", L"KEY", value.c_str(), file.c_str())) {
        if (get(L"FUZZ", L"KEY", file) != std::wstring(L"值 \"v\" ") + std::to_wstring(size)) abort();
        othersUnchanged();
        if (!WritePrivateProfileStringW(L"FUZZ", L"KEY", nullptr, file.c_str())) abort();
        if (get(L"FUZZ", L"KEY", file) != L"<none>") abort();
        othersUnchanged();
        if (!WritePrivateProfileStringW(L"fuzz", nullptr, nullptr, file.c_str())) abort();
        if (!names(L"FUZZ", file, 4096).empty()) abort();
        othersUnchanged();
    }
    unlink(path.c_str());
    return 0;
}
