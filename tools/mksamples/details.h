// The sheets that are not drawings of the whole building: the design notes, the door and window
// schedule, the stair details, and the catalogue sheet's rows.
#pragma once

#include <string>
#include <vector>

#include "sheet.h"
#include "symbols.h"

namespace mksamples {

void designNotes(Drawing& d, const Symbols& sym, const Frame& f);
void doorWindowTable(Drawing& d, const Symbols& sym, const Frame& f);
void stairDetails(Drawing& d, const Symbols& sym, const Frame& f);

struct CatalogueRow {
    std::wstring number, name, size, scale;
};
// The rows of the catalogue sheet whose reference stands at `f`, written in its grid as the
// catalogue command writes them.
void catalogueRows(Drawing& d, const Frame& f, const std::vector<CatalogueRow>& rows, const wchar_t* date);

}  // namespace mksamples
