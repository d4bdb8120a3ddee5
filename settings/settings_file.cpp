// SYSEMSET, PLTSETTING and ATTRVALUE of the settings file, each value in the buffer size of
// its format (260 for settings, 500 for title-block contents).
#include "settings/settings_file.h"

#include <algorithm>
#include <iterator>

#include "settings/profile.h"
#include "settings/settings_record.h"

namespace vorlix {

namespace {

constexpr unsigned kSettingBuffer = 260;
constexpr unsigned kContentBuffer = 500;

// One key of a section and the field of the struct it fills, in the order the keys are written.
template <typename Record>
struct KeyField {
    const wchar_t* key;
    std::wstring Record::*field;
    const wchar_t* defaultValue;
};

const KeyField<PlotChoices> kPlotKeys[] = {
    {L"SAVEPATH", &PlotChoices::savePath, L""},
    {L"PLTCOUNT", &PlotChoices::pltCount, L"1"},
    {L"PLTSTYLE", &PlotChoices::pltStyle, L""},
    {L"PLTDRIVER", &PlotChoices::pltDriver, L""},
};

const KeyField<SystemSettings> kSystemKeys[] = {
    {L"ROOTPATH", &SystemSettings::rootPath, L""},
    {L"USERNAME", &SystemSettings::userName, L""},
    {L"DEPARTCODE", &SystemSettings::departCode, L""},
    {L"SPECNAME", &SystemSettings::specName, L""},
    {L"SHEETTEMPPATH", &SystemSettings::sheetTempPath, L""},
};

const std::wstring& file() { return settings().settingsFilePath(); }

template <typename Record, size_t N>
Record readSection(const wchar_t* section, const KeyField<Record> (&keys)[N]) {
    Record record;
    for (const auto& k : keys)
        record.*k.field = file().empty()
            ? std::wstring(k.defaultValue)
            : profile::readText(file(), section, k.key, k.defaultValue, kSettingBuffer);
    return record;
}

template <typename Record, size_t N>
bool writeSection(const wchar_t* section, const KeyField<Record> (&keys)[N], const Record& record) {
    if (file().empty()) return false;
    bool storable = std::all_of(std::begin(keys), std::end(keys), [&](const KeyField<Record>& k) {
        return profile::isStorableValue(record.*k.field, kSettingBuffer);
    });
    if (!storable) return false;
    bool ok = true;
    for (const auto& k : keys) ok = profile::writeText(file(), section, k.key, record.*k.field) && ok;
    return ok;
}

}  // namespace

std::wstring readAttrValue(const std::wstring& tag) {
    if (file().empty() || !profile::isStorableKey(tag)) return std::wstring();
    return profile::readText(file(), kAttrValueSection, tag, L"", kContentBuffer);
}

bool writeAttrValue(const std::wstring& tag, const std::wstring& content) {
    if (file().empty() || !profile::isStorableKey(tag) ||
        !profile::isStorableValue(content, kContentBuffer))
        return false;
    return profile::writeText(file(), kAttrValueSection, tag, content);
}

PlotChoices readPlotChoices() { return readSection(kPlotSection, kPlotKeys); }

bool writePlotChoices(const PlotChoices& choices) {
    return writeSection(kPlotSection, kPlotKeys, choices);
}

SystemSettings readSystemSettings() { return readSection(kSystemSection, kSystemKeys); }

bool writeSystemSettings(const SystemSettings& values) {
    return writeSection(kSystemSection, kSystemKeys, values);
}

}  // namespace vorlix
