// A module folder in a fresh temporary directory with the settings record pointed at it, and
// INI files written as raw bytes in the encodings offices use.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/settings.h"
#include "text/encoding.h"

namespace fs = std::filesystem;

enum class FileCoding { Utf8, GbkCrlf, Utf16LE };

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vx-settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::create_directories(root / "module");
        vorlix::settings().reset();
        vorlix::settings().computeLocations((root / "module" / "VorlixDesign.arx").wstring());
    }
    void TearDown() override {
        vorlix::settings().reset();
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    fs::path settingsFile() const { return root / "module" / "SHEETCONFIG.INI"; }

    // A template folder `name` holding a TKATT.ini with `text`.
    fs::path templateFolder(const std::string& name, const std::wstring& text,
                            FileCoding coding = FileCoding::Utf8) {
        fs::create_directories(root / name);
        writeText(root / name / "TKATT.ini", text, coding);
        return root / name;
    }
    void useTemplateFolder(const fs::path& folder) {
        writeText(settingsFile(), L"[SYSEMSET]\nSHEETTEMPPATH=" + folder.wstring() + L"\n");
    }

    static void writeText(const fs::path& file, const std::wstring& text,
                          FileCoding coding = FileCoding::Utf8) {
        std::string bytes = coding == FileCoding::Utf16LE ? "\xFF\xFE" + vx::text::toUtf16LE(text)
                                                          : vx::text::toUtf8(text);
        if (coding == FileCoding::GbkCrlf) {
            std::wstring crlf;
            for (wchar_t c : text) crlf += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
            ASSERT_TRUE(vx::text::toCodePage(crlf, "GBK", bytes));
        }
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string readBytes(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static std::wstring readText(const fs::path& file) {
        vx::text::Encoding found;
        return vx::text::decode(readBytes(file), found);
    }

    fs::path root;
};
