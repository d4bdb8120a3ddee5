// Wildcard patterns as the host's filters and acutWcMatch read them: comma-separated
// alternatives; # digit, @ letter, . other character, * any run, ? any character,
// [...] and [~...] classes, ` escapes the next character, a leading ~ negates an alternative.
#pragma once

#include <string>

namespace vx::editor {

bool wcMatch(const std::wstring& text, const std::wstring& pattern, bool ignoreCase);

}  // namespace vx::editor
