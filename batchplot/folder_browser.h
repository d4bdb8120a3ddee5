// The shell's folder browser as the plot dialogs use it.
#pragma once

#include <string>

#include "acui.h"

namespace vorlix {

// True and `folder` set when the user picked a folder whose path resolves; a cancel (or a
// folder without a path) leaves `folder` as it was.
bool browseForFolder(CWnd* owner, const wchar_t* title, UINT flags, std::wstring& folder);

}  // namespace vorlix
