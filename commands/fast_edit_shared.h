// What the title-block quick-edit, numbering and attribute dialogs share: the two tags every
// frame knows, single-line attribute texts, the current drawing's write lock and the OK box.
#pragma once

#include <string>

#include "acdocman.h"

namespace vorlix {

constexpr const wchar_t* kNumberTag = L"图号";
constexpr const wchar_t* kNameTag = L"图名";

// An attribute holds one line: line breaks (from a multi-line text or a grid cell) would break
// the drawing file's record, so the lines are joined.
std::wstring singleLine(const std::wstring& text);

// Locks the current drawing for writing while it lives, when there is a current drawing.
class CurrentDocumentLock {
public:
    CurrentDocumentLock();
    ~CurrentDocumentLock();
    CurrentDocumentLock(const CurrentDocumentLock&) = delete;
    CurrentDocumentLock& operator=(const CurrentDocumentLock&) = delete;

private:
    AcApDocument* m_doc = nullptr;
};

// A modal message box with an OK button.
void showMessage(const std::wstring& text);

// Hands the keyboard focus to the host's main window, as the commands do before they prompt.
void focusMainWindow();

}  // namespace vorlix
