#include "commands/fast_edit_plt_no.h"

#include <algorithm>

#include "afx.h"
#include "commands/fast_edit_shared.h"
#include "frames/frame_attributes.h"

namespace vorlix {

std::vector<TitleRow> readTitleRows(const FrameList& frames) {
    std::vector<TitleRow> rows;
    rows.reserve(static_cast<size_t>(frames.length()));
    for (int i = 0; i < frames.length(); ++i) {
        AttributeMap map = readAttributeMap(frames[i]);
        rows.push_back({attributeText(map, kNumberTag), attributeText(map, kNameTag)});
    }
    return rows;
}

TitleUpdateCounts writeTitleRows(const FrameList& frames, const std::vector<TitleRow>& rows) {
    TitleUpdateCounts counts;
    const size_t n = std::min(rows.size(), static_cast<size_t>(frames.length()));
    for (size_t k = 0; k < n; ++k) {
        const AcDbObjectId id = frames[static_cast<int>(k)];
        if (writeAttribute(id, kNumberTag, singleLine(rows[k].number))) ++counts.numbers;
        if (writeAttribute(id, kNameTag, singleLine(rows[k].name))) ++counts.names;
    }
    return counts;
}

std::wstring titleUpdateMessage(const TitleUpdateCounts& counts) {
    CString text;
    text.Format(L"共更新成功图号%d个，图名%d个！", counts.numbers, counts.names);
    return text.str();
}

}  // namespace vorlix
