// A fresh folder per test, removed afterwards, with byte-level file helpers.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "text/encoding.h"

namespace vx::test {

class TempFolder {
public:
    TempFolder() {
        char tmpl[] = "/tmp/vxw32-XXXXXX";
        m_path = mkdtemp(tmpl);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string native(const std::string& name) const { return m_path + "/" + name; }
    // The same file as the module would name it: Windows separators.
    std::wstring windows(const std::string& name) const {
        std::wstring w = text::fromUtf8(native(name));
        for (auto& c : w)
            if (c == L'/') c = L'\\';
        return w;
    }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(native(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(native(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string& name) const {
        struct stat st;
        return stat(native(name).c_str(), &st) == 0;
    }
    size_t entryCount() const {
        size_t n = 0;
        for (auto it = std::filesystem::directory_iterator(m_path); it != std::filesystem::directory_iterator(); ++it) ++n;
        return n;
    }

private:
    std::string m_path;
};

// Runs /usr/bin/python3 with a script; returns its exit status.
inline int python(const std::string& script) {
    std::string cmd = "/usr/bin/python3 -c '" + script + "'";
    return std::system(cmd.c_str());
}

}  // namespace vx::test
