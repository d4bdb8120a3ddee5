// DDX/DDV: moving values between a dialog's fields and its controls, with the framework's
// messages for text that does not parse or lies out of range.
#include <cfloat>
#include <climits>
#include <cstdio>

#include "afxwin.h"
#include "ui/backend.h"
#include "ui/notify.h"
#include "ui/window.h"

using vx::ui::Window;

namespace {
Window* control(CDataExchange* pDX, int id, bool edit) {
    HWND h = edit ? pDX->PrepareEditCtrl(id) : pDX->PrepareCtrl(id);
    // Loading the controls changes what they show.
    return pDX->m_bSaveAndValidate ? (vx::ui::isLiveWindow(h) ? vx::ui::fromHandle(h) : nullptr) : vx::ui::edited(h);
}

void refuse(CDataExchange* pDX, const std::wstring& message) {
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    pDX->Fail();
}

std::wstring format(const wchar_t* fmt, double a, double b) {
    wchar_t buf[128];
    std::swprintf(buf, 128, fmt, DBL_DIG, a, DBL_DIG, b);
    return buf;
}

std::wstring realText(double v, int digits) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.*g", digits, v);
    return buf;
}

// Integers of a given range: the field is only written when the text parses and fits.
template <class T>
void integerText(CDataExchange* pDX, int id, T& value, long long lo, long long hi, const wchar_t* message) {
    if (pDX->failed()) return;
    Window* w = control(pDX, id, true);
    if (!w) return;
    if (!pDX->m_bSaveAndValidate) {
        vx::ui::setText(*w, std::to_wstring(value), false);
        return;
    }
    long long v = 0;
    if (!vx::ui::parseInteger(vx::ui::textOf(*w), v) || v < lo || v > hi) return refuse(pDX, message);
    value = static_cast<T>(v);
}

template <class T>
void realField(CDataExchange* pDX, int id, T& value, int digits) {
    if (pDX->failed()) return;
    Window* w = control(pDX, id, true);
    if (!w) return;
    if (!pDX->m_bSaveAndValidate) {
        vx::ui::setText(*w, realText(static_cast<double>(value), digits), false);
        return;
    }
    double v = 0;
    if (!vx::ui::parseReal(vx::ui::textOf(*w), v)) return refuse(pDX, L"请输入一个数字。");
    value = static_cast<T>(v);
}

bool validating(CDataExchange* pDX) { return pDX->m_bSaveAndValidate && !pDX->failed(); }
}  // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    CWnd* c = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
    if (!c) {
        vx::ui::backend().reportError(L"Data exchange names control " + std::to_wstring(nIDC) +
                                      L", which the dialog does not have.");
        m_failed = true;
        return nullptr;
    }
    return c->GetSafeHwnd();
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail() {
    m_failed = true;
    if (CWnd* c = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(m_idLastControl) : nullptr) c->SetFocus();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->failed()) return;
    Window* w = control(pDX, nIDC, true);
    if (!w) return;
    if (pDX->m_bSaveAndValidate) value = vx::ui::textOf(*w).c_str();
    else vx::ui::setText(*w, value.GetString(), false);
}

void DDX_Text(CDataExchange* pDX, int id, int& v) { integerText(pDX, id, v, INT_MIN, INT_MAX, L"请输入一个整数。"); }
void DDX_Text(CDataExchange* pDX, int id, UINT& v) { integerText(pDX, id, v, 0, UINT_MAX, L"请输入一个正整数。"); }
void DDX_Text(CDataExchange* pDX, int id, long& v) { integerText(pDX, id, v, INT_MIN, INT_MAX, L"请输入一个整数。"); }
void DDX_Text(CDataExchange* pDX, int id, unsigned long& v) { integerText(pDX, id, v, 0, UINT_MAX, L"请输入一个正整数。"); }
void DDX_Text(CDataExchange* pDX, int id, short& v) { integerText(pDX, id, v, SHRT_MIN, SHRT_MAX, L"请输入一个介于 -32768 和 32767 之间的整数。"); }
void DDX_Text(CDataExchange* pDX, int id, double& v) { realField(pDX, id, v, DBL_DIG); }
void DDX_Text(CDataExchange* pDX, int id, float& v) { realField(pDX, id, v, FLT_DIG); }

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->failed()) return;
    Window* w = control(pDX, nIDC, false);
    if (!w) return;
    if (pDX->m_bSaveAndValidate) value = w->check;
    else w->check = value;
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->failed()) return;
    Window* first = control(pDX, nIDC, false);
    if (!first || !first->parent) return;
    auto& sibs = first->parent->children;
    size_t i = 0;
    while (i < sibs.size() && sibs[i].get() != first) ++i;
    if (pDX->m_bSaveAndValidate) value = -1;
    for (int n = 0; i < sibs.size() && sibs[i]->kind == vx::ui::Kind::RadioButton; ++i, ++n) {
        if (n > 0 && (sibs[i]->style & WS_GROUP)) break;
        if (pDX->m_bSaveAndValidate) {
            if (sibs[i]->check) value = n;
        } else {
            sibs[i]->check = (n == value) ? BST_CHECKED : BST_UNCHECKED;
        }
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (pDX->failed() || rControl.GetSafeHwnd()) return;
    if (!pDX->PrepareCtrl(nIDC)) return;
    rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

namespace {
// Combo and list boxes: the selected text, or (loading) the item selected by prefix or by exact text.
void listString(CDataExchange* pDX, int nIDC, CString& value, bool exact) {
    if (pDX->failed()) return;
    Window* w = control(pDX, nIDC, false);
    if (!w) return;
    if (pDX->m_bSaveAndValidate) {
        value = vx::ui::textOf(*w).c_str();
        return;
    }
    std::wstring key = value.GetString();
    int found = -1;
    for (size_t i = 0; i < w->items.size() && found < 0; ++i) {
        const std::wstring& t = w->items[i].text;
        if (exact ? vx::ui::compareNoCase(t, key) == 0 : vx::ui::startsWithNoCase(t, key)) found = static_cast<int>(i);
    }
    // An empty text selects nothing (rather than whatever item comes first).
    if (key.empty()) found = -1;
    w->curSel = found;
    bool editable = w->kind == vx::ui::Kind::ComboBox && (w->style & 0x3) != CBS_DROPDOWNLIST;
    if (editable) w->text = found >= 0 ? w->items[size_t(found)].text : key;
}

void listIndex(CDataExchange* pDX, int nIDC, int& index) {
    if (pDX->failed()) return;
    Window* w = control(pDX, nIDC, false);
    if (!w) return;
    if (pDX->m_bSaveAndValidate) {
        index = w->curSel;
        return;
    }
    w->curSel = (index >= 0 && size_t(index) < w->items.size()) ? index : -1;
    if (w->curSel >= 0 && w->kind == vx::ui::Kind::ComboBox) w->text = w->items[size_t(index)].text;
}
}  // namespace

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) { listString(pDX, nIDC, value, false); }
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) { listString(pDX, nIDC, value, true); }
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) { listIndex(pDX, nIDC, index); }
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { listString(pDX, nIDC, value, false); }
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { listString(pDX, nIDC, value, true); }
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) { listIndex(pDX, nIDC, index); }

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    DDV_MinMaxLong(pDX, value, minVal, maxVal);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
    if (!validating(pDX) || (value >= minVal && value <= maxVal)) return;
    CString m;
    m.Format(L"请输入一个介于 %ld 和 %ld 之间的整数。", minVal, maxVal);
    refuse(pDX, m.GetString());
}

void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
    DDV_MinMaxLong(pDX, value, minVal, maxVal);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    if (!validating(pDX) || (value >= minVal && value <= maxVal)) return;
    CString m;
    m.Format(L"请输入一个介于 %u 和 %u 之间的整数。", minVal, maxVal);
    refuse(pDX, m.GetString());
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
    if (!validating(pDX) || (value >= minVal && value <= maxVal)) return;
    refuse(pDX, format(L"请输入一个介于 %.*g 和 %.*g 之间的数字。", minVal, maxVal));
}

void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal) {
    if (!validating(pDX) || (value >= minVal && value <= maxVal)) return;
    refuse(pDX, format(L"请输入一个介于 %.*g 和 %.*g 之间的数字。", minVal, maxVal));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->failed()) return;
    if (!pDX->m_bSaveAndValidate) {
        if (CWnd* c = pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl))
            if (vx::ui::isLiveWindow(c->GetSafeHwnd())) vx::ui::fromHandle(c->GetSafeHwnd())->limit = nChars;
        return;
    }
    if (value.GetLength() <= nChars) return;
    CString m;
    m.Format(L"请输入不超过 %d 个字符。", nChars);
    refuse(pDX, m.GetString());
}
