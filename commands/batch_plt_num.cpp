#include "commands/batch_plt_num.h"

#include "commands/fast_edit_shared.h"
#include "frames/frame_attributes.h"

namespace vorlix {

long long sequenceNumber(int start, int step, int row) {
    return static_cast<long long>(start) + static_cast<long long>(step) * (static_cast<long long>(row) + 1);
}

std::wstring drawingNumber(const std::wstring& fixedPart, long long n) {
    return fixedPart + (n >= 0 && n < 10 ? L"0" : L"") + std::to_wstring(n);
}

NumberingPlan planNumbers(const std::wstring& fixedPart, int start, int step, const std::vector<bool>& ticked) {
    NumberingPlan plan;
    plan.numbers.resize(ticked.size());
    for (size_t i = 0; i < ticked.size(); ++i) {
        if (!ticked[i]) continue;
        const long long n = sequenceNumber(start, step, static_cast<int>(i));
        plan.numbers[i] = drawingNumber(fixedPart, n);
        plan.lastNumber = n;
        plan.anyTicked = true;
    }
    return plan;
}

int writeNumbers(const FrameList& frames, const NumberingPlan& plan, std::vector<bool>& written) {
    written.assign(plan.numbers.size(), false);
    int count = 0;
    for (size_t i = 0; i < plan.numbers.size() && i < static_cast<size_t>(frames.length()); ++i) {
        if (plan.numbers[i].empty()) continue;
        if (writeAttribute(frames[static_cast<int>(i)], kNumberTag, plan.numbers[i])) {
            written[i] = true;
            ++count;
        }
    }
    return count;
}

}  // namespace vorlix
