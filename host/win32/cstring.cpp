// CString: MFC's string operations over std::wstring, with every index clamped.
#include "afx.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "text/strings.h"

namespace {

const wchar_t kWhiteSpace[] = L" \t\r\n\v\f";

int clamp(int i, int lo, int hi) { return i < lo ? lo : (i > hi ? hi : i); }
int toIndex(size_t pos) { return pos == std::wstring::npos ? -1 : static_cast<int>(pos); }
size_t toPos(int i) { return static_cast<size_t>(i); }

}  // namespace

CString::CString(const wchar_t* s, int length) {
    // Exactly `length` characters, as MFC copies them: the source need not be NUL-terminated.
    if (s && length > 0) m_s.assign(s, toPos(length));
}

CString::CString(wchar_t ch, int repeat) : m_s(toPos(std::max(repeat, 0)), ch) {}

wchar_t CString::GetAt(int i) const {
    return (i >= 0 && i < GetLength()) ? m_s[toPos(i)] : L'\0';
}

void CString::SetAt(int i, wchar_t ch) {
    if (i >= 0 && i < GetLength()) m_s[toPos(i)] = ch;
}

// MFC's order (_wcsicmp folds to lower case, so '_' sorts before the letters), which module
// code may sort by; the host's own names compare by vx::text's rule.
int CString::CompareNoCase(const wchar_t* s) const {
    const wchar_t* a = m_s.c_str();
    const wchar_t* b = s ? s : L"";
    for (;; ++a, ++b) {
        wint_t ca = std::towlower(static_cast<wint_t>(*a));
        wint_t cb = std::towlower(static_cast<wint_t>(*b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

int CString::Find(wchar_t ch, int start) const {
    start = std::max(start, 0);
    if (start >= GetLength()) return -1;
    return toIndex(m_s.find(ch, toPos(start)));
}

int CString::Find(const wchar_t* sub, int start) const {
    start = std::max(start, 0);
    if (!sub || start > GetLength()) return -1;
    return toIndex(m_s.find(sub, toPos(start)));
}

int CString::ReverseFind(wchar_t ch) const { return toIndex(m_s.rfind(ch)); }

int CString::FindOneOf(const wchar_t* chars) const {
    if (!chars || !*chars) return -1;
    return toIndex(m_s.find_first_of(chars));
}

CString CString::Left(int count) const { return m_s.substr(0, toPos(clamp(count, 0, GetLength()))); }

CString CString::Right(int count) const {
    count = clamp(count, 0, GetLength());
    return m_s.substr(toPos(GetLength() - count));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    first = clamp(first, 0, GetLength());
    count = clamp(count, 0, GetLength() - first);
    return m_s.substr(toPos(first), toPos(count));
}

CString CString::SpanIncluding(const wchar_t* chars) const {
    if (!chars || !*chars) return CString();
    size_t n = m_s.find_first_not_of(chars);
    return m_s.substr(0, n);
}

CString CString::SpanExcluding(const wchar_t* chars) const {
    if (!chars || !*chars) return *this;
    size_t n = m_s.find_first_of(chars);
    return m_s.substr(0, n);
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const {
    if (start >= 0 && start < GetLength()) {
        if (!delimiters || !*delimiters) {
            // No delimiters: the rest is one token, and the next call ends the loop.
            CString rest = Mid(start);
            start = GetLength();
            return rest;
        }
        size_t from = m_s.find_first_not_of(delimiters, toPos(start));
        if (from != std::wstring::npos) {
            size_t to = m_s.find_first_of(delimiters, from);
            if (to == std::wstring::npos) to = m_s.size();
            start = static_cast<int>(to) + 1;
            return m_s.substr(from, to - from);
        }
    }
    start = -1;
    return CString();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const wchar_t* chars) { return TrimRight(chars).TrimLeft(chars); }
CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }
CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }

CString& CString::TrimLeft(wchar_t ch) {
    const wchar_t set[2] = {ch, L'\0'};
    return TrimLeft(set);
}

CString& CString::TrimRight(wchar_t ch) {
    const wchar_t set[2] = {ch, L'\0'};
    return TrimRight(set);
}

CString& CString::TrimLeft(const wchar_t* chars) {
    if (chars) m_s.erase(0, m_s.size() - vx::text::trimLeft(m_s, chars).size());
    return *this;
}

CString& CString::TrimRight(const wchar_t* chars) {
    if (chars) m_s.resize(vx::text::trimRight(m_s, chars).size());
    return *this;
}

CString& CString::MakeUpper() {
    for (auto& c : m_s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeLower() {
    for (auto& c : m_s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh) {
    int n = 0;
    for (auto& c : m_s) {
        if (c == oldCh) {
            c = newCh;
            ++n;
        }
    }
    return n;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText) {
    if (!oldText || !*oldText) return 0;
    const std::wstring from(oldText), to(newText ? newText : L"");
    std::wstring out;
    int n = 0;
    size_t pos = 0;
    for (size_t hit; (hit = m_s.find(from, pos)) != std::wstring::npos; pos = hit + from.size()) {
        out.append(m_s, pos, hit - pos);
        out += to;
        ++n;
    }
    if (n) {
        out.append(m_s, pos, std::wstring::npos);
        m_s.swap(out);
    }
    return n;
}

int CString::Remove(wchar_t ch) {
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, wchar_t ch) {
    m_s.insert(toPos(clamp(index, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const wchar_t* text) {
    if (text) m_s.insert(toPos(clamp(index, 0, GetLength())), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    index = std::max(index, 0);
    if (count > 0 && index < GetLength()) m_s.erase(toPos(index), toPos(count));
    return GetLength();
}

LPWSTR CString::GetBuffer(int minLength) {
    // One spare character beyond the visible length holds the caller's terminating NUL.
    size_t n = std::max(m_s.size(), toPos(std::max(minLength, 0)));
    m_s.resize(n + 1, L'\0');
    return &m_s[0];
}

LPWSTR CString::GetBufferSetLength(int length) {
    m_s.resize(toPos(std::max(length, 0)));
    return &m_s[0];
}

void CString::ReleaseBuffer(int newLength) {
    size_t n = newLength < 0 ? std::wcslen(m_s.c_str()) : toPos(newLength);
    m_s.resize(std::min(n, m_s.size()));
}
