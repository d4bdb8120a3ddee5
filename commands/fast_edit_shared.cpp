#include "commands/fast_edit_shared.h"

#include "aced.h"
#include "afxwin.h"

namespace vorlix {

std::wstring singleLine(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text)
        if (c != L'\r' && c != L'\n') out += c;
    return out;
}

CurrentDocumentLock::CurrentDocumentLock() {
    AcApDocManager* mgr = acDocManagerPtr();
    AcApDocument* doc = mgr ? mgr->curDocument() : nullptr;
    if (doc && mgr->lockDocument(doc, AcAp::kWrite) == Acad::eOk) m_doc = doc;
}

CurrentDocumentLock::~CurrentDocumentLock() {
    if (m_doc) acDocManagerPtr()->unlockDocument(m_doc);
}

void showMessage(const std::wstring& text) { AfxMessageBox(text.c_str(), MB_OK); }

void focusMainWindow() {
    if (CMDIFrameWnd* frame = acedGetAcadFrame()) frame->SetFocus();
}

}  // namespace vorlix
