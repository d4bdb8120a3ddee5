// Built-in substitution rows and the office file reader.
#include "render/font_table.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "text/encoding.h"
#include "text/strings.h"
#include "win32.h"
#include "win32/paths.h"

namespace vx::render::font {

namespace {

// Candidate lists: the Windows family itself first (an installed copy wins), then free fonts of
// the same style that Debian packages, then a font that at least shows Chinese.
constexpr const char* kHei = "SimHei, WenQuanYi Micro Hei, WenQuanYi Zen Hei, Noto Sans CJK SC, Source Han Sans SC, "
                             "Droid Sans Fallback";
constexpr const char* kYaHei = "Microsoft YaHei, WenQuanYi Micro Hei, Noto Sans CJK SC, Source Han Sans SC, "
                               "WenQuanYi Zen Hei";
constexpr const char* kSong = "SimSun, NSimSun, AR PL SungtiL GB, AR PL UMing CN, Noto Serif CJK SC, "
                              "Source Han Serif SC, WenQuanYi Micro Hei";
constexpr const char* kFang = "FangSong, FangSong_GB2312, AR PL SungtiL GB, AR PL UMing CN, Noto Serif CJK SC, "
                              "WenQuanYi Micro Hei";
constexpr const char* kKai = "KaiTi, KaiTi_GB2312, AR PL KaitiM GB, AR PL UKai CN, LXGW WenKai, AR PL SungtiL GB, "
                             "WenQuanYi Micro Hei";
constexpr const char* kMing = "MingLiU, PMingLiU, AR PL UMing TW, AR PL UMing CN, Noto Serif CJK TC, "
                              "AR PL SungtiL GB, WenQuanYi Micro Hei";
constexpr const char* kSans = "Arial, Liberation Sans, Arimo, Nimbus Sans, Nimbus Sans L, DejaVu Sans, "
                              "WenQuanYi Micro Hei";
constexpr const char* kNarrow = "Arial Narrow, Liberation Sans Narrow, Nimbus Sans Narrow, DejaVu Sans Condensed, "
                                "DejaVu Sans";
constexpr const char* kSerif = "Times New Roman, Liberation Serif, Tinos, Nimbus Roman, DejaVu Serif, "
                               "AR PL SungtiL GB";
constexpr const char* kMono = "Courier New, Liberation Mono, Cousine, Nimbus Mono PS, DejaVu Sans Mono";
constexpr const char* kCjk = "WenQuanYi Micro Hei, Noto Sans CJK SC, Source Han Sans SC, WenQuanYi Zen Hei, "
                             "AR PL SungtiL GB, AR PL UMing CN, Droid Sans Fallback";
// Stroke fonts are narrow, single-line letters: a condensed sans is the nearest outline.
constexpr const char* kShx = "DejaVu Sans Condensed, Liberation Sans Narrow, Nimbus Sans Narrow, DejaVu Sans, "
                             "Liberation Sans, WenQuanYi Micro Hei";
constexpr const char* kDefault = "DejaVu Sans, Liberation Sans, Nimbus Sans, Noto Sans, WenQuanYi Micro Hei";

struct Row {
    const char* names;  // '|'-separated, normalised
    const char* candidates;
};

const Row kRows[] = {
    {"simhei|黑体|heiti|stheiti|华文黑体|simli|隶书|simyou|幼圆|dengxian|等线", kHei},
    {"microsoft yahei|微软雅黑|msyh|msyhbd|msyhl", kYaHei},
    {"simsun|宋体|nsimsun|新宋体|songti|stsong|华文宋体|simsunb|simsun-extb", kSong},
    {"simfang|仿宋|fangsong|仿宋_gb2312|fangsong_gb2312|stfangso|华文仿宋", kFang},
    {"simkai|楷体|kaiti|楷体_gb2312|kaiti_gb2312|stkaiti|华文楷体", kKai},
    {"mingliu|细明体|新细明体|pmingliu|mingliub", kMing},
    {"arial|arialbd|ariali|arialbi|arial unicode ms|arialuni|helvetica|tahoma|tahomabd|verdana|segoe ui|segoeui|"
     "calibri|microsoft sans serif|micross",
     kSans},
    {"arial narrow|arialn|arialnb|arialni|arialnbi|isocpeur|isocteur|isocp|isoct", kNarrow},
    {"times|timesbd|timesi|timesbi|times new roman|georgia|cambria", kSerif},
    {"courier new|cour|courbd|couri|consolas|monotxt", kMono},
    {"*", kDefault},
    {"*shx", kShx},
    {"*bigfont", kCjk},
    {"*cjk", kCjk},
};

// Big fonts whose double-byte codes are not the host's ANSI code page.
const std::pair<const char*, const char*> kCodePages[] = {
    {"chineset", "CP950"}, {"bigfont", "CP932"}, {"extfont", "CP932"}, {"extfont2", "CP932"},
    {"whgdtxt", "CP949"},  {"whgtxt", "CP949"},  {"whtgtxt", "CP949"}, {"whtmtxt", "CP949"},
};

constexpr const char* kFontExtensions[] = {".ttf", ".ttc", ".otf", ".otc", ".shx"};

std::string trim(std::string_view s) { return std::string(text::trim(s, " \t\r\n")); }

// The values of an INI section, key by key (the host's profile reader: any encoding it reads).
std::vector<std::pair<std::wstring, std::wstring>> readSection(const std::wstring& file, const wchar_t* section) {
    std::vector<wchar_t> buf(4096);
    for (;;) {
        DWORD n = GetPrivateProfileStringW(section, nullptr, L"", buf.data(), DWORD(buf.size()), file.c_str());
        if (n + 2 < buf.size() || buf.size() >= (1u << 22)) break;
        buf.resize(buf.size() * 4);
    }
    std::vector<std::pair<std::wstring, std::wstring>> out;
    std::vector<wchar_t> value(8192);
    for (const wchar_t* key = buf.data(); *key; key += wcslen(key) + 1) {
        GetPrivateProfileStringW(section, key, L"", value.data(), DWORD(value.size()), file.c_str());
        out.emplace_back(key, value.data());
    }
    return out;
}

}  // namespace

std::string normalizeFontName(std::string_view name) {
    size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    std::string out = trim(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

bool hasExtension(std::string_view normalized, std::string_view ext) {
    return normalized.size() > ext.size() && normalized.substr(normalized.size() - ext.size()) == ext;
}

std::string fontNameStem(std::string_view normalized) {
    for (const char* ext : kFontExtensions)
        if (hasExtension(normalized, ext)) return std::string(normalized.substr(0, normalized.size() - 4));
    return std::string(normalized);
}

std::vector<std::string> splitCandidates(std::string_view list, std::string_view separators) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find_first_of(separators, start);
        if (end == std::string_view::npos) end = list.size();
        std::string item = trim(list.substr(start, end - start));
        if (!item.empty()) out.push_back(std::move(item));
        start = end + 1;
    }
    return out;
}

FontTable::FontTable() {
    for (const Row& row : kRows) {
        std::string_view names = row.names;
        size_t start = 0;
        while (start <= names.size()) {
            size_t end = std::min(names.find('|', start), names.size());
            set(names.substr(start, end - start), row.candidates);
            start = end + 1;
        }
    }
    for (auto [name, codePage] : kCodePages) m_codePages[name] = codePage;
}

void FontTable::set(std::string_view name, std::string_view candidates) {
    std::string key = normalizeFontName(name);
    if (key.empty()) return;
    std::vector<std::string> list = splitCandidates(candidates);
    if (list.empty()) m_rows.erase(key);
    else m_rows[key] = std::move(list);
}

void FontTable::load(const std::string& iniFile) {
    std::wstring file = text::fromUtf8(iniFile);
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    for (auto& [key, value] : readSection(file, L"Substitutes")) set(text::toUtf8(key), text::toUtf8(value));
    for (auto& [key, value] : readSection(file, L"BigFontCodePages")) {
        std::string name = fontNameStem(normalizeFontName(text::toUtf8(key)));
        std::string codePage = trim(text::toUtf8(value));
        if (!name.empty() && !codePage.empty()) m_codePages[name] = codePage;
    }
    for (auto& [key, value] : readSection(file, L"Folders")) {
        for (const std::string& folder : splitCandidates(text::toUtf8(value), ";")) {
            std::string native = win32::nativePath(text::fromUtf8(folder).c_str());
            if (!native.empty() && std::find(m_folders.begin(), m_folders.end(), native) == m_folders.end())
                m_folders.push_back(native);
        }
    }
}

const std::vector<std::string>* FontTable::find(std::string_view name) const {
    std::string key = normalizeFontName(name);
    if (key.empty() || key[0] == '*') return nullptr;
    auto it = m_rows.find(key);
    if (it == m_rows.end()) it = m_rows.find(fontNameStem(key));
    return it == m_rows.end() ? nullptr : &it->second;
}

const std::vector<std::string>& FontTable::reserved(std::string_view key) const {
    static const std::vector<std::string> none;
    auto it = m_rows.find(std::string(key));
    return it == m_rows.end() ? none : it->second;
}

std::string FontTable::bigFontCodePage(std::string_view fileName) const {
    auto it = m_codePages.find(fontNameStem(normalizeFontName(fileName)));
    return it == m_codePages.end() ? text::ansiCodePage() : it->second;
}

}  // namespace vx::render::font
