// The border between the host's wide strings and Qt's: every conversion goes through here.
#pragma once

#include <QString>
#include <string>

#include "winuser.h"

namespace vx::qt {

inline QString toQ(const std::wstring& s) { return QString::fromStdWString(s); }
inline QString toQ(const wchar_t* s) { return s ? QString::fromWCharArray(s) : QString(); }
inline std::wstring fromQ(const QString& s) { return s.toStdWString(); }

}  // namespace vx::qt
