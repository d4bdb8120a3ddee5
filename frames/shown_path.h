// Paths as the user reads them in messages.
#pragma once

#include <string>

namespace vorlix {

// A file of `folder` as the user is shown it: joined with the separator the folder's own text
// uses (the one nearest its end; "\" when it has none), so that a folder chosen or found as
// "/home/a/out" is not shown as "/home/a/out\A-01.pdf". Only what is shown: files are always
// handed to the host as "folder\name", which every host reads.
std::wstring shownPath(const std::wstring& folder, const std::wstring& file);

}  // namespace vorlix
