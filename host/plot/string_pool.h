// Names handed out through the plot API as `const ACHAR*` must outlive every list they were in
// (a caller may keep a device name across a refresh). They are interned here for the life of the
// process; the set of names a host ever lists is small.
#pragma once

#include <string>

namespace vx::plot {

const wchar_t* internName(const std::wstring& name);

}  // namespace vx::plot
