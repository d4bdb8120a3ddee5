// What a frame's row in the batch plot list says, as plain texts: the paper size read out of the
// block name and the file name made from the office's plot-name format.
#pragma once

#include <string>
#include <vector>

#include "frames/frame_attributes.h"

namespace vorlix {

// The attribute tags a plot-name format names, in order: "<图号>_<图名>" gives 图号, 图名.
std::vector<std::wstring> plotNameFields(const std::wstring& format);

// The part of a block name after its last "-" (the whole name without one). A lengthened size
// whose fraction bar had to be written "-" ("CODE-A1+1-4": "/" cannot stand in a block name)
// is kept whole, "A1+1-4", instead of leaving only its denominator.
std::wstring sizeSuffix(const std::wstring& blockName);
// The sheet a row plots on: the suffix when it holds a capital "A" and none of "目录", "变更",
// "联系", "计算书"; otherwise "A4".
std::wstring paperSizeOf(const std::wstring& suffix);

// The file name of a frame, without folder and extension: the format with each of its fields
// replaced by the frame's text of that tag, trimmed; a name of a single character (nothing but
// the format's own separator) becomes the size suffix with the frame's list position,
// "A1(3)". Line breaks are taken out.
std::wstring plotFileName(const std::wstring& format, const std::vector<std::wstring>& fields,
                          const AttributeMap& attributes, const std::wstring& suffix, int position);

// The order of a row: the last two characters of the trimmed drawing number read as a decimal
// number up to the first other character ("S-12" 12, "S-07" 7, "S-1A" 1, "S-AB" 0). A dash there
// separates, it is no minus sign: "S-3" is 3, so that S-2 comes before S-3.
int drawingNumberKey(const std::wstring& number);

}  // namespace vorlix
