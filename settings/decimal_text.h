// Reading a real number stored as text in a template description.
#pragma once

#include <string>

namespace vorlix {

// Leading blanks, an optional sign, digits with an optional "." and fraction; the number ends at
// the first other character. Text that does not begin with a number gives 0. The conversion is
// independent of the process locale (the files always use ".").
double decimalReal(const std::wstring& text);

}  // namespace vorlix
