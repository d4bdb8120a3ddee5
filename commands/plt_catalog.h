// The drawing catalogue as data: what each column of a frame's row holds, the order of the rows,
// which rows a sheet takes and where each of their texts stands. No dialog and no drawing here.
#pragma once

#include <string>
#include <vector>

#include "acdb.h"
#include "frames/frame_attributes.h"
#include "settings/settings_record.h"

namespace vorlix {

// The list shows at most 30 columns, its tick column included.
constexpr int kMaxCatalogueColumns = 29;

// Why the catalogue layout cannot make a table (no titles, more titles than the list can show,
// fewer table widths than titles), or empty when it can.
std::wstring catalogueLayoutProblem(const CatalogueLayout& layout);

// A title without its leading "<" and trailing ">" characters: the attribute tag it names.
std::wstring columnTag(const std::wstring& title);
// "图幅" gives the block name after its first "-" (the whole name without one); any other
// title the frame's attribute of that tag, empty when it has none.
std::wstring cellText(const std::wstring& title, const std::wstring& blockName, const AttributeMap& attributes);
// A frame's cells, one per title; false for an object that is not a block reference.
bool catalogueCells(AcDbObjectId frame, const std::vector<std::wstring>& titles, std::vector<std::wstring>& cells);

// The 0-based title whose cell is the drawing number: the last title holding "图号", else 0.
size_t drawingNumberTitle(const std::vector<std::wstring>& titles);
// The last two characters of the trimmed text (all of it when shorter) read as a decimal
// integer (blanks, a sign, digits up to the first other character; none gives 0).
int drawingNumberSortKey(const std::wstring& text);

struct CatalogueRow {
    std::vector<std::wstring> cells;
    bool ticked = true;
};

// Smallest drawing-number key first; rows with equal keys keep their order.
void sortCatalogueRows(std::vector<CatalogueRow>& rows, size_t numberColumn);

// The rows per sheet: the field when it is 1 or more, else the layout's maxNUm, else 25 (a
// layout asking for no rows at all would place empty sheets for ever).
int rowsPerSheet(int field, int maxNUm);

struct PlacedText {
    std::wstring text;
    AcGePoint3d at;  // the middle of the text: its alignment point
};

// One sheet placed at `origin` (the table block's insertion point): the first `maxRows` ticked
// rows in order, each column's text at its column's middle, rows `rowHeight` apart from half a
// row under disOffY. The rows written are unticked. Half widths drop their remainder.
std::vector<PlacedText> planSheet(const CatalogueLayout& layout, const AcGePoint3d& origin,
                                  std::vector<CatalogueRow>& rows, int maxRows);

}  // namespace vorlix
