// VXFENAME: one drawing name composed from texts picked in the drawing, written into the
// "图名" attribute of the frames picked next.
#pragma once

#include <string>
#include <vector>

#include "frames/frame_select.h"

namespace vorlix {

// The texts joined by "、", in order, with every leading "、" removed from the result.
std::wstring composeName(const std::vector<std::wstring>& texts);

// The texts of the objects in order: a single-line text or attribute definition gives its
// text, a multi-line text its text without formatting codes; other objects give nothing.
std::vector<std::wstring> pickedTexts(const FrameList& ids);

// Writes the name into "图名" of each frame; how many frames got it.
int writeNameToFrames(const FrameList& frames, const std::wstring& name);

// The message after the frames were written: success only when at least one frame took it.
std::wstring nameWrittenMessage(int framesWritten);

// The command body: picks texts, then frames, then reports.
void runFastEditPltName();

}  // namespace vorlix
