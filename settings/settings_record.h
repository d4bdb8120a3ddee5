// The settings record: where the module and its settings file are, which template folder the
// office uses, and what that folder's template description says. One per process.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace vorlix {

// The drawing catalogue table as the template description lays it out.
struct CatalogueLayout {
    std::vector<std::wstring> atts;  // column titles, each naming the attribute tag of its column
    std::vector<int> tableWidths, lens;  // list column widths (pixels), table column widths
    std::wstring fontType;               // text style name of the table's texts
    int maxNUm = 0, rowHeight = 0, fontsize = 0;
    double disOffX = 0, disOffY = 0;  // first cell's corner from the catalogue block's base point
};

// Key text ("ITEM0", "ITEM1", "ITEM10", ...) -> attribute tag, ordered by the key text.
using TitleBlockItems = std::map<std::wstring, std::wstring>;

class SettingsRecord {
public:
    SettingsRecord();

    const std::wstring& moduleFolder() const { return m_moduleFolder; }
    const std::wstring& settingsFilePath() const { return m_settingsFile; }
    const std::wstring& templateDrawingPath() const { return m_templateDrawing; }
    const std::wstring& templateDescriptionPath() const { return m_templateDescription; }
    const std::wstring& organisationCode() const { return m_organisationCode; }
    const TitleBlockItems& titleBlockItems() const { return m_items; }
    const std::vector<std::wstring>& frameSizes() const { return m_frameSizes; }
    const CatalogueLayout& catalogueLayout() const { return m_layout; }
    const std::wstring& plotNameFormat() const { return m_plotNameFormat; }
    // The two files messages name, as the user reads them: joined with the separator their
    // folder's own text uses (shownPath), where the paths above always join with "\".
    const std::wstring& shownSettingsFilePath() const { return m_shownSettingsFile; }
    const std::wstring& shownTemplateDescriptionPath() const { return m_shownTemplateDescription; }
    // After a reload: the description is there but gave nothing (isUnreadableDescription).
    bool templateDescriptionUnreadable() const { return m_descriptionUnreadable; }

    // The module folder is the module file's path up to its last separator ("\" or "/"; empty
    // when there is none); the settings file is "SHEETCONFIG.INI" in it.
    void computeLocations(const std::wstring& moduleFilePath);

    // Fills the record from the settings file and the template folder's description. False
    // when no template folder has ever been set, so no description could be read.
    bool reload();

    // Back to the state before the first load (used by unload and by tests).
    void reset();

private:
    std::wstring m_moduleFolder, m_settingsFile;
    std::wstring m_templateDrawing, m_templateDescription;
    std::wstring m_shownSettingsFile, m_shownTemplateDescription;
    std::wstring m_organisationCode;
    TitleBlockItems m_items;
    std::vector<std::wstring> m_frameSizes;
    CatalogueLayout m_layout;
    std::wstring m_plotNameFormat;
    bool m_descriptionUnreadable = false;
};

// Shown (with the description's path) wherever an unreadable description would otherwise
// leave the lists empty without a word.
inline constexpr const wchar_t* kUnreadableDescription = L"无法读取图框配置文件 %s！";

// The one record of the process.
SettingsRecord& settings();

// computeLocations() for the file this module was loaded from.
void computeLocationsFromModule();

}  // namespace vorlix
