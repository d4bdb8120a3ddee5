// The sections of the template description and their defaults.
#include "settings/template_description.h"

#include "frames/text_split.h"
#include "settings/decimal_text.h"
#include "settings/profile.h"
#include "win32.h"

namespace vorlix {

namespace {

constexpr const wchar_t* kLayoutSection = L"TZML";
constexpr unsigned kTextBuffer = 260;
constexpr unsigned kNameBuffer = 50;
constexpr unsigned kFormatBuffer = 100;

struct IntKey {
    const wchar_t* key;
    int CatalogueLayout::*field;
    int defaultValue;
};
const IntKey kIntKeys[] = {
    {L"maxNUm", &CatalogueLayout::maxNUm, 25},
    {L"rowHeight", &CatalogueLayout::rowHeight, 800},
    {L"fontsize", &CatalogueLayout::fontsize, 300},
};

struct RealKey {
    const wchar_t* key;
    double CatalogueLayout::*field;
    const wchar_t* defaultText;
};
const RealKey kRealKeys[] = {
    {L"disOffX", &CatalogueLayout::disOffX, L"2634.3290"},
    {L"disOffY", &CatalogueLayout::disOffY, L"23466.1706"},
};

// Numbered keys prefix0, prefix1 ... read until the first empty value or `limit` keys.
template <typename Add>
void readNumbered(const std::wstring& path, const wchar_t* section, const wchar_t* prefix,
                  int limit, Add add) {
    for (int i = 0; i < limit; ++i) {
        std::wstring key = prefix + std::to_wstring(i);
        std::wstring value = profile::readText(path, section, key, L"", kNameBuffer);
        if (value.empty()) return;
        add(key, value);
    }
}

}  // namespace

void loadCatalogueLayout(const std::wstring& path, CatalogueLayout& layout) {
    std::wstring atts = profile::readText(path, kLayoutSection, L"atts", L"", kTextBuffer);
    std::wstring widths = profile::readText(path, kLayoutSection, L"tableWidths", L"", kTextBuffer);
    std::wstring lens = profile::readText(path, kLayoutSection, L"lens", L"", kTextBuffer);
    if (!atts.empty()) {
        layout.atts = splitList(atts, L",");
        layout.tableWidths = splitIntegers(widths, L",");
        layout.lens = splitIntegers(lens, L",");
    }
    layout.fontType = profile::readText(path, kLayoutSection, L"fontType", L"黑体", kTextBuffer);
    for (const IntKey& k : kIntKeys)
        layout.*k.field = profile::readInt(path, kLayoutSection, k.key, k.defaultValue);
    for (const RealKey& k : kRealKeys)
        layout.*k.field =
            decimalReal(profile::readText(path, kLayoutSection, k.key, k.defaultText, kTextBuffer));
}

TitleBlockItems loadTitleBlockItems(const std::wstring& path) {
    TitleBlockItems items;
    readNumbered(path, L"TKATT", L"ITEM", 50,
                 [&](const std::wstring& key, const std::wstring& tag) { items[key] = tag; });
    return items;
}

std::vector<std::wstring> loadFrameSizes(const std::wstring& path) {
    std::vector<std::wstring> sizes;
    readNumbered(path, L"TKNAMELIST", L"TKNAME", 500,
                 [&](const std::wstring&, const std::wstring& name) { sizes.push_back(name); });
    return sizes;
}

bool isUnreadableDescription(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // Missing, or a link that leads nowhere: the defaults, as intended.
    if (attributes == INVALID_FILE_ATTRIBUTES || attributes == FILE_ATTRIBUTE_REPARSE_POINT) return false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return true;
    for (const wchar_t* section : {kLayoutSection, L"TKATT", L"TKNAMELIST", L"BPLOTNAMEFORMAT"}) {
        wchar_t keys[4] = {};
        if (GetPrivateProfileStringW(section, nullptr, L"", keys, 4, path.c_str()) > 0) return false;
    }
    return true;
}

std::wstring loadPlotNameFormat(const std::wstring& path) {
    return profile::readText(path, L"BPLOTNAMEFORMAT", L"format", kDefaultPlotNameFormat,
                             kFormatBuffer);
}

}  // namespace vorlix
