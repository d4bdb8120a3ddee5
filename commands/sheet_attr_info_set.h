// Text height, width factor and optional line breaks of chosen attributes in many frames.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "frames/frame_select.h"
#include "settings/settings_record.h"

namespace vorlix {

// The paragraph mark put into attribute texts.
constexpr const wchar_t* kParagraphMark = L"\\P";

// A mark after every n-th character (n, 2n, ... up to the last whole multiple); a text shorter
// than n stays as it is. Marks a text already holds are taken out first, so that breaking
// again (with the same or another n) gives the same lines as breaking the plain text once.
std::wstring breakText(const std::wstring& text, int lineLength);

struct AttributeLook {
    double height = 300;
    double widthFactor = 1.0;
    bool breakLines = false;
    int lineLength = 15;
};

// Gives every attribute whose tag is in `tags` the look; returns how many block references
// were opened (whether or not one of their attributes changed). Objects that are not block
// references, and attributes that do not open for writing, are skipped.
int applyAttributeLook(const FrameList& frames, const std::set<std::wstring>& tags, const AttributeLook& look);

// The rows of the tag list: the title-block items in their map order, then "图名" and "图号".
std::vector<std::wstring> attributeTagRows(const TitleBlockItems& items);

// "共设置成功%d个图框！"
std::wstring lookAppliedMessage(int frames);

}  // namespace vorlix
