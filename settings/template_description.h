// Readers of the template description TKATT.ini: the catalogue table layout (TZML), the
// title-block items (TKATT), the frame names (TKNAMELIST) and the plot file-name pattern
// (BPLOTNAMEFORMAT). Missing files, sections and keys give each field's default.
#pragma once

#include <string>
#include <vector>

#include "settings/settings_record.h"

namespace vorlix {

inline constexpr const wchar_t* kDefaultPlotNameFormat = L"<图号>_<图名>";

// Overwrites every field of `layout` except the three lists, which are replaced only when the
// file names column titles (`atts`): a description without titles keeps the lists held before.
void loadCatalogueLayout(const std::wstring& path, CatalogueLayout& layout);

// ITEM0, ITEM1 ... up to ITEM49, stopping at the first missing or empty one; tags cut to 49
// characters.
TitleBlockItems loadTitleBlockItems(const std::wstring& path);

// TKNAME0, TKNAME1 ... up to TKNAME499, with the same stopping rule and limit.
std::vector<std::wstring> loadFrameSizes(const std::wstring& path);

// BPLOTNAMEFORMAT/format, at most 99 characters, default "<图号>_<图名>".
std::wstring loadPlotNameFormat(const std::wstring& path);

// Whether `path` names something that is there but cannot serve as a template description: a
// folder, or a file in which none of the four sections holds a key (random bytes, UTF-16
// without its byte-order mark, an empty file). Every field would silently take its default.
bool isUnreadableDescription(const std::wstring& path);

}  // namespace vorlix
