// The settings record and its reload.
#include "settings/settings_record.h"

#include "frames/shown_path.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "settings/template_description.h"
#include "win32.h"

namespace vorlix {

SettingsRecord::SettingsRecord() { reset(); }

void SettingsRecord::reset() {
    m_moduleFolder.clear();
    m_settingsFile.clear();
    m_templateDrawing.clear();
    m_templateDescription.clear();
    m_shownSettingsFile.clear();
    m_shownTemplateDescription.clear();
    m_organisationCode.clear();
    m_items.clear();
    m_frameSizes.clear();
    m_layout = CatalogueLayout();
    m_plotNameFormat = kDefaultPlotNameFormat;
    m_descriptionUnreadable = false;
}

void SettingsRecord::computeLocations(const std::wstring& moduleFilePath) {
    size_t last = moduleFilePath.find_last_of(L"\\/");
    m_moduleFolder = last == std::wstring::npos ? std::wstring() : moduleFilePath.substr(0, last);
    m_settingsFile = m_moduleFolder + L"\\SHEETCONFIG.INI";
    m_shownSettingsFile = shownPath(m_moduleFolder, L"SHEETCONFIG.INI");
}

bool SettingsRecord::reload() {
    // Before the locations are known there is no settings file to read: reading "" would make
    // the platform look for a file named by an empty path.
    std::wstring folder;
    if (!m_settingsFile.empty())
        folder = profile::readText(m_settingsFile, kSystemSection, L"SHEETTEMPPATH", L"", 260);
    // An emptied template folder keeps the previous folder's paths, so the office's frames stay
    // available until another folder is chosen.
    if (!folder.empty()) {
        m_templateDrawing = folder + L"\\TK.dwg";
        m_templateDescription = folder + L"\\TKATT.ini";
        m_shownTemplateDescription = shownPath(folder, L"TKATT.ini");
    }
    m_organisationCode = m_settingsFile.empty()
        ? std::wstring()
        : profile::readText(m_settingsFile, kSystemSection, L"DEPARTCODE", L"", 260);
    m_descriptionUnreadable = false;
    if (m_templateDescription.empty()) return false;
    m_descriptionUnreadable = isUnreadableDescription(m_templateDescription);

    // The order of the sections is the format's: the catalogue table, the two lists, the
    // plot-name pattern.
    loadCatalogueLayout(m_templateDescription, m_layout);
    m_items = loadTitleBlockItems(m_templateDescription);
    m_frameSizes = loadFrameSizes(m_templateDescription);
    m_plotNameFormat = loadPlotNameFormat(m_templateDescription);
    return true;
}

SettingsRecord& settings() {
    static SettingsRecord record;
    return record;
}

void computeLocationsFromModule() {
    wchar_t path[260] = {};
    DWORD n = GetModuleFileNameW(vxThisModuleHandle(), path, 260);
    settings().computeLocations(std::wstring(path, n < 260 ? n : 259));
}

}  // namespace vorlix
