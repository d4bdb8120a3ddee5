#include "commands/plt_catalog.h"

#include <algorithm>

#include "frames/text_split.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kSheetSizeTitle = L"图幅";

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

std::wstring blockNameOf(const AcDbBlockReference* reference) {
    AcDbObjectPointer<AcDbBlockTableRecord> block(reference->blockTableRecord(), AcDb::kForRead);
    AcString name;
    if (block.openStatus() == Acad::eOk) block->getName(name);
    return name.str();
}

}  // namespace

std::wstring catalogueLayoutProblem(const CatalogueLayout& layout) {
    if (layout.atts.empty()) return L"模板说明文件没有设置目录的列（TZML 的 atts），无法插入目录！";
    if (layout.atts.size() > static_cast<size_t>(kMaxCatalogueColumns))
        return L"目录的列数超过29列，无法插入目录！";
    if (layout.lens.size() < layout.atts.size())
        return L"目录的列宽（TZML 的 lens）少于目录的列数，无法插入目录！";
    return std::wstring();
}

std::wstring columnTag(const std::wstring& title) {
    size_t b = 0, e = title.size();
    while (b < e && title[b] == L'<') ++b;
    while (e > b && title[e - 1] == L'>') --e;
    return title.substr(b, e - b);
}

std::wstring cellText(const std::wstring& title, const std::wstring& blockName, const AttributeMap& attributes) {
    const std::wstring tag = columnTag(title);
    if (tag != kSheetSizeTitle) return attributeText(attributes, tag);
    const size_t dash = blockName.find(L'-');
    return dash == std::wstring::npos ? blockName : blockName.substr(dash + 1);
}

bool catalogueCells(AcDbObjectId frame, const std::vector<std::wstring>& titles, std::vector<std::wstring>& cells) {
    std::wstring blockName;
    {
        AcDbObjectPointer<AcDbBlockReference> reference(frame, AcDb::kForRead);
        if (reference.openStatus() != Acad::eOk) return false;
        blockName = blockNameOf(reference.object());
    }
    const AttributeMap attributes = readAttributeMap(frame);
    cells.clear();
    for (const std::wstring& title : titles) cells.push_back(cellText(title, blockName, attributes));
    return true;
}

size_t drawingNumberTitle(const std::vector<std::wstring>& titles) {
    size_t found = 0;
    for (size_t i = 0; i < titles.size(); ++i)
        if (titles[i].find(L"图号") != std::wstring::npos) found = i;
    return found;
}

int drawingNumberSortKey(const std::wstring& text) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    const size_t from = e - b > 2 ? e - 2 : b;
    return decimalInteger(text.substr(from, e - from));
}

void sortCatalogueRows(std::vector<CatalogueRow>& rows, size_t numberColumn) {
    auto key = [numberColumn](const CatalogueRow& row) {
        return numberColumn < row.cells.size() ? drawingNumberSortKey(row.cells[numberColumn]) : 0;
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const CatalogueRow& a, const CatalogueRow& b) { return key(a) < key(b); });
}

int rowsPerSheet(int field, int maxNUm) {
    if (field >= 1) return field;
    return maxNUm >= 1 ? maxNUm : 25;
}

std::vector<PlacedText> planSheet(const CatalogueLayout& layout, const AcGePoint3d& origin,
                                  std::vector<CatalogueRow>& rows, int maxRows) {
    std::vector<PlacedText> texts;
    const size_t columns = std::min(layout.atts.size(), layout.lens.size());
    if (columns == 0) return texts;
    double y = origin.y + layout.disOffY - layout.rowHeight / 2;
    int count = 1;
    for (CatalogueRow& row : rows) {
        if (!row.ticked) continue;
        if (count > maxRows) break;
        double x = origin.x + layout.disOffX + layout.lens[0] / 2;
        for (size_t c = 0; c < columns; ++c) {
            texts.push_back({c < row.cells.size() ? row.cells[c] : std::wstring(), AcGePoint3d(x, y, 0)});
            if (c + 1 < columns) x += layout.lens[c] / 2 + layout.lens[c + 1] / 2;
        }
        ++count;
        row.ticked = false;
        y -= layout.rowHeight;
    }
    return texts;
}

}  // namespace vorlix
