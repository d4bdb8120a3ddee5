// Host text types: wide characters and AcString, as the module sees them.
#pragma once

#include <string>

typedef wchar_t ACHAR;

#ifndef ACRX_T
#define ACRX_T(x) L##x
#endif
#ifndef _T
#define _T(x) L##x
#endif

// The host's string class. Indexes are character positions; "not found" is -1.
class AcString {
public:
    AcString() = default;
    AcString(const ACHAR* s) : m_s(s ? s : L"") {}
    AcString(std::wstring s) : m_s(std::move(s)) {}
    AcString(ACHAR ch) : m_s(1, ch) {}

    const ACHAR* kACharPtr() const { return m_s.c_str(); }
    const ACHAR* constPtr() const { return m_s.c_str(); }
    const ACHAR* kwszPtr() const { return m_s.c_str(); }
    operator const ACHAR*() const { return m_s.c_str(); }
    const std::wstring& str() const { return m_s; }

    int length() const { return static_cast<int>(m_s.size()); }
    bool isEmpty() const { return m_s.empty(); }
    ACHAR getAt(int i) const;

    // First / last index of ch, or -1.
    int find(ACHAR ch) const;
    int find(const ACHAR* s) const;
    int findRev(ACHAR ch) const;
    int findRev(const ACHAR* s) const;
    // First / last index of any character of chars, or -1 (chars null or empty: -1).
    int findOneOf(const ACHAR* chars) const;
    int findOneOfRev(const ACHAR* chars) const;

    // Sub-strings clamp to the string: never an exception for an index out of range.
    AcString substr(int start, int count) const;
    AcString substr(int count) const { return substr(0, count); }
    AcString substrRev(int count) const;
    AcString mid(int start) const { return substr(start, length() - start); }

    int compare(const ACHAR* s) const;
    int compareNoCase(const ACHAR* s) const;
    bool isEqual(const ACHAR* s) const { return compare(s) == 0; }

    AcString& setEmpty() { m_s.clear(); return *this; }
    AcString& trimLeft();
    AcString& trimRight();
    AcString& trim() { return trimLeft().trimRight(); }
    AcString& makeUpper();
    AcString& makeLower();

    AcString& operator+=(const AcString& o) { m_s += o.m_s; return *this; }
    AcString& operator+=(const ACHAR* s) { if (s) m_s += s; return *this; }
    AcString& operator+=(ACHAR ch) { m_s += ch; return *this; }
    friend AcString operator+(AcString a, const AcString& b) { a += b; return a; }
    bool operator==(const AcString& o) const { return m_s == o.m_s; }
    bool operator!=(const AcString& o) const { return m_s != o.m_s; }
    bool operator<(const AcString& o) const { return m_s < o.m_s; }

    // UTF-8 view for the host's borders (terminal, files).
    std::string utf8() const;

private:
    std::wstring m_s;
};
