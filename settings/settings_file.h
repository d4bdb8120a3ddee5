// The sections of the settings file SHEETCONFIG.INI that dialogs read and write directly:
// the system settings (SYSEMSET), the batch plot choices (PLTSETTING) and the title-block
// contents (ATTRVALUE). Every call opens and closes the file, so hand edits count at once.
#pragma once

#include <string>

namespace vorlix {

inline constexpr const wchar_t* kSystemSection = L"SYSEMSET";
inline constexpr const wchar_t* kPlotSection = L"PLTSETTING";
inline constexpr const wchar_t* kAttrValueSection = L"ATTRVALUE";

// Title-block contents by attribute tag: empty when missing, at most 499 characters.
std::wstring readAttrValue(const std::wstring& tag);
// Stores the content unchanged, an empty one as "tag=". False when the write fails or when the
// tag or content could not be read back as given (empty tag, line break, "=" in the tag,
// content over 499 characters); nothing is written then.
bool writeAttrValue(const std::wstring& tag, const std::wstring& content);

struct PlotChoices {
    std::wstring savePath;          // SAVEPATH: output folder of plot files
    std::wstring pltCount = L"1";   // PLTCOUNT: copies, as decimal text
    std::wstring pltStyle;          // PLTSTYLE: plot style table
    std::wstring pltDriver;         // PLTDRIVER: plot device
};
PlotChoices readPlotChoices();
// Writes the four keys in the order SAVEPATH, PLTCOUNT, PLTSTYLE, PLTDRIVER. False when a
// value cannot be stored (line break, over 259 characters; nothing is written then) or when a
// write fails.
bool writePlotChoices(const PlotChoices& choices);

struct SystemSettings {
    std::wstring rootPath;       // ROOTPATH: where plotted sheets are filed
    std::wstring userName;       // USERNAME
    std::wstring departCode;     // DEPARTCODE: organisation code
    std::wstring specName;       // SPECNAME: discipline
    std::wstring sheetTempPath;  // SHEETTEMPPATH: template folder
};
SystemSettings readSystemSettings();
// Writes the five keys in the order ROOTPATH, USERNAME, DEPARTCODE, SPECNAME, SHEETTEMPPATH.
// False when a value cannot be stored (as for writePlotChoices; nothing is written then) or
// when any write fails, so the caller can say so instead of confirming.
bool writeSystemSettings(const SystemSettings& values);

}  // namespace vorlix
