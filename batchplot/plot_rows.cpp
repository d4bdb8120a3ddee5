#include "batchplot/plot_rows.h"

#include <algorithm>

#include "acdb.h"
#include "batchplot/plot_names.h"
#include "commands/fast_edit_shared.h"

namespace vorlix {
namespace {

bool blockNameOf(AcDbObjectId id, std::wstring& name) {
    AcDbObjectPointer<AcDbBlockReference> ref(id, AcDb::kForRead);
    if (ref.openStatus() != Acad::eOk) return false;
    AcDbObjectPointer<AcDbBlockTableRecord> block(ref->blockTableRecord(), AcDb::kForRead);
    if (block.openStatus() != Acad::eOk) return false;
    const ACHAR* text = nullptr;
    if (block->getName(text) != Acad::eOk || !text) return false;
    name = text;
    return true;
}

}  // namespace

std::vector<PlotRow> plotRows(const FrameList& frames, const std::wstring& plotNameFormat) {
    const std::vector<std::wstring> fields = plotNameFields(plotNameFormat);
    std::vector<PlotRow> rows;
    for (int k = 0; k < frames.length(); ++k) {
        std::wstring blockName;
        if (!blockNameOf(frames[k], blockName)) continue;
        const AttributeMap attributes = readAttributeMap(frames[k]);
        const std::wstring suffix = sizeSuffix(blockName);
        PlotRow row;
        row.position = k;
        row.number = attributeText(attributes, kNumberTag);
        row.name = attributeText(attributes, kNameTag);
        row.paperSize = paperSizeOf(suffix);
        row.fileName = plotFileName(plotNameFormat, fields, attributes, suffix, k);
        rows.push_back(std::move(row));
    }
    return rows;
}

void sortPlotRows(std::vector<PlotRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const PlotRow& a, const PlotRow& b) {
        return drawingNumberKey(a.number) < drawingNumberKey(b.number);
    });
}

}  // namespace vorlix
