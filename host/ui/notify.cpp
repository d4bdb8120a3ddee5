#include "ui/notify.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "afxcmn.h"

namespace vx::ui {
namespace {
CWnd* target(Window& w) { return CWnd::FromHandle(handleOf(&w)); }
bool blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
}  // namespace

std::wstring textOf(const Window& w) {
    if ((w.kind == Kind::ComboBox && (w.style & 0x3) == CBS_DROPDOWNLIST) || w.kind == Kind::ListBox) {
        return (w.curSel >= 0 && size_t(w.curSel) < w.items.size()) ? w.items[size_t(w.curSel)].text : L"";
    }
    return w.text;
}

void setText(Window& w, const std::wstring& text, bool byUser) {
    if (w.kind == Kind::ComboBox && (w.style & 0x3) == CBS_DROPDOWNLIST) {
        for (size_t i = 0; i < w.items.size(); ++i)
            if (compareNoCase(w.items[i].text, text) == 0) {
                w.curSel = static_cast<int>(i);
                return;
            }
        return;
    }
    w.text = text;
    if (w.kind == Kind::Edit) sendCommand(w, EN_CHANGE);
    if (w.kind == Kind::ComboBox && byUser) {
        w.curSel = -1;
        sendCommand(w, CBN_EDITCHANGE);
    }
}

void sendCommand(Window& control, UINT code) {
    if (!control.parent) return;
    if (CWnd* p = target(*control.parent))
        p->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.id), static_cast<WORD>(code)),
                       reinterpret_cast<LPARAM>(handleOf(&control)));
}

LRESULT sendNotify(Window& control, NMHDR& header) {
    header.hwndFrom = handleOf(&control);
    header.idFrom = static_cast<UINT_PTR>(control.id);
    if (!control.parent) return 0;
    CWnd* p = target(*control.parent);
    return p ? p->SendMessage(WM_NOTIFY, static_cast<WPARAM>(control.id), reinterpret_cast<LPARAM>(&header)) : 0;
}

bool setItemState(Window& list, int item, UINT state, UINT mask) {
    if (item < 0 || size_t(item) >= list.rows.size()) return false;
    ListRow& row = list.rows[size_t(item)];
    UINT before = row.state;
    row.state = (row.state & ~mask) | (state & mask);
    if (row.state != before) {
        NMLISTVIEW nm{};
        nm.hdr.code = LVN_ITEMCHANGED;
        nm.iItem = item;
        nm.uNewState = row.state;
        nm.uOldState = before;
        nm.uChanged = LVIF_STATE;
        nm.lParam = static_cast<LPARAM>(row.data);
        sendNotify(list, nm.hdr);
    }
    return true;
}

bool parseInteger(const std::wstring& s, long long& v) {
    size_t i = 0, n = s.size();
    while (i < n && blank(s[i])) ++i;
    bool neg = false;
    if (i < n && (s[i] == L'-' || s[i] == L'+')) neg = s[i++] == L'-';
    size_t digits = i;
    unsigned long long acc = 0;
    while (i < n && s[i] >= L'0' && s[i] <= L'9') {
        acc = acc * 10 + static_cast<unsigned>(s[i] - L'0');
        if (acc > 0x7FFFFFFFFFFFull) return false;
        ++i;
    }
    if (i == digits) return false;
    while (i < n && blank(s[i])) ++i;
    if (i != n) return false;
    v = neg ? -static_cast<long long>(acc) : static_cast<long long>(acc);
    return true;
}

bool parseReal(const std::wstring& s, double& v) {
    size_t i = 0;
    while (i < s.size() && blank(s[i])) ++i;
    if (i == s.size()) return false;
    const wchar_t* start = s.c_str() + i;
    wchar_t* end = nullptr;
    errno = 0;
    double d = std::wcstod(start, &end);
    if (end == start || errno == ERANGE || !std::isfinite(d)) return false;
    for (const wchar_t* p = end; *p; ++p)
        if (!blank(*p)) return false;
    v = d;
    return true;
}

}  // namespace vx::ui
