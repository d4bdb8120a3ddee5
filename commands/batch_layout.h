// Batch layouts: one new paper-space layout per frame, named and set up as the host names and
// sets up new layouts; the frame's drawing number only labels the progress messages.
#pragma once

#include <string>
#include <vector>

#include "aclayout.h"

namespace vorlix {

// For each drawing number in order: a layout with the manager's next default name and default
// page set-up, made current, the tabs refreshed; "正在为  %s  生成布局！" before and
// "为  %s  生成布局成功！" after (or "为  %s  生成布局失败！" when the host refuses the
// layout; the next frame is still tried). Returns how many layouts were made.
int createLayouts(AcApLayoutManager& manager, const std::vector<std::wstring>& drawingNumbers);

}  // namespace vorlix
