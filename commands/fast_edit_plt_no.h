// Drawing numbers and names of many frames, read into rows and written back from them.
#pragma once

#include <string>
#include <vector>

#include "frames/frame_select.h"

namespace vorlix {

struct TitleRow {
    std::wstring number, name;  // the "图号" and "图名" texts, empty when the frame has none
};

struct TitleUpdateCounts {
    int numbers = 0, names = 0;
};

// One row per frame, in the list's order.
std::vector<TitleRow> readTitleRows(const FrameList& frames);

// Row k goes to frame k: its number into "图号", then its name into "图名". Every row is
// written, edited or not; a write that finds no such attribute is not counted.
TitleUpdateCounts writeTitleRows(const FrameList& frames, const std::vector<TitleRow>& rows);

// "共更新成功图号%d个，图名%d个！"
std::wstring titleUpdateMessage(const TitleUpdateCounts& counts);

}  // namespace vorlix
