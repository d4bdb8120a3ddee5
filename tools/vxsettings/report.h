// The printed account of a settings reload, in UTF-8.
#pragma once

#include <ostream>
#include <string>

namespace vxsettings {

// The width of a text on a terminal: CJK and full-width characters take two columns.
int displayWidth(const std::wstring& text);

// `text` padded with blanks to `width` terminal columns.
std::string padded(const std::wstring& text, int width);

std::string utf8(const std::wstring& text);

// Everything the record holds after a reload, section by section.
void printRecord(std::ostream& out, bool loaded);

}  // namespace vxsettings
