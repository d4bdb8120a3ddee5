// AcString: the host's string class over std::wstring.
#include "actext.h"

#include <algorithm>
#include <cwctype>

#include "text/encoding.h"
#include "text/strings.h"

namespace {
constexpr std::wstring_view kBlanks = L" \t\r\n";
int clampIndex(int i, int n) { return i < 0 ? 0 : (i > n ? n : i); }
int toIndex(size_t pos) { return pos == std::wstring::npos ? -1 : static_cast<int>(pos); }
}  // namespace

ACHAR AcString::getAt(int i) const {
    return (i >= 0 && i < length()) ? m_s[static_cast<size_t>(i)] : L'\0';
}

int AcString::find(ACHAR ch) const { return toIndex(m_s.find(ch)); }
int AcString::find(const ACHAR* s) const { return s ? toIndex(m_s.find(s)) : -1; }
int AcString::findRev(ACHAR ch) const { return toIndex(m_s.rfind(ch)); }
int AcString::findRev(const ACHAR* s) const { return s ? toIndex(m_s.rfind(s)) : -1; }

int AcString::findOneOf(const ACHAR* chars) const {
    if (!chars || !*chars) return -1;
    return toIndex(m_s.find_first_of(chars));
}

int AcString::findOneOfRev(const ACHAR* chars) const {
    if (!chars || !*chars) return -1;
    return toIndex(m_s.find_last_of(chars));
}

AcString AcString::substr(int start, int count) const {
    int n = length();
    start = clampIndex(start, n);
    if (count < 0) count = n - start;
    count = std::min(count, n - start);
    return AcString(m_s.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

AcString AcString::substrRev(int count) const {
    int n = length();
    count = clampIndex(count, n);
    return AcString(m_s.substr(static_cast<size_t>(n - count)));
}

int AcString::compare(const ACHAR* s) const { return m_s.compare(s ? s : L""); }

int AcString::compareNoCase(const ACHAR* s) const { return vx::text::compareNoCase(m_s, s ? s : L""); }

AcString& AcString::trimLeft() {
    m_s.erase(0, m_s.size() - vx::text::trimLeft(m_s, kBlanks).size());
    return *this;
}

AcString& AcString::trimRight() {
    m_s.resize(vx::text::trimRight(m_s, kBlanks).size());
    return *this;
}

AcString& AcString::makeUpper() {
    for (auto& c : m_s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return *this;
}

AcString& AcString::makeLower() {
    for (auto& c : m_s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return *this;
}

std::string AcString::utf8() const { return vx::text::toUtf8(m_s); }
