// The rows of the batch plot list: one per block reference of the frame list, in the order of
// their drawing numbers, each knowing its frame only by its position in that list.
#pragma once

#include <string>
#include <vector>

#include "frames/frame_select.h"

namespace vorlix {

struct PlotRow {
    int position = 0;       // in the frame list, 0-based
    std::wstring number;    // 图号
    std::wstring name;      // 图名
    std::wstring paperSize;
    std::wstring fileName;  // without folder and extension
};

// A row for each entry of the frame list that opens as a block reference whose block can be
// read; the others get none but keep their place in the numbering of positions.
std::vector<PlotRow> plotRows(const FrameList& frames, const std::wstring& plotNameFormat);

// Ascending by drawingNumberKey (plot_names.h); rows of equal keys keep the frame list's order.
void sortPlotRows(std::vector<PlotRow>& rows);

}  // namespace vorlix
