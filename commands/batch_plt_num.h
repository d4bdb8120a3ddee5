// Drawing numbers from a fixed part, a start value and a step, one per list row. A row's
// position counts whether it is ticked or not, so unticked rows leave gaps in the sequence.
#pragma once

#include <string>
#include <vector>

#include "frames/frame_select.h"

namespace vorlix {

// The sequence number of the row at 0-based position `row`: start + step * (row + 1).
long long sequenceNumber(int start, int step, int row);

// The fixed part followed by n, with a "0" in between when n is below 10.
std::wstring drawingNumber(const std::wstring& fixedPart, long long n);

struct NumberingPlan {
    std::vector<std::wstring> numbers;  // per row; empty for an unticked row
    long long lastNumber = 0;           // the number of the last ticked row
    bool anyTicked = false;
};

NumberingPlan planNumbers(const std::wstring& fixedPart, int start, int step, const std::vector<bool>& ticked);

// Writes each planned number into "图号" of its row's frame; `written[i]` tells whether row i
// took it. Returns how many rows did.
int writeNumbers(const FrameList& frames, const NumberingPlan& plan, std::vector<bool>& written);

}  // namespace vorlix
