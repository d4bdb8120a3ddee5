// MFC-style strings, string arrays and directory search, as the module's dialogs and file code
// use them. Wide characters only (the module is built for UNICODE).
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "actext.h"
#include "win32.h"

typedef intptr_t INT_PTR;

// A wide string with MFC's CString operations. Indexes are character positions; "not found"
// is -1; indexes out of range are clamped, never undefined behaviour.
class CString {
public:
    CString() = default;
    CString(const wchar_t* s) : m_s(s ? s : L"") {}
    CString(const wchar_t* s, int length);
    CString(wchar_t ch, int repeat = 1);
    CString(std::wstring s) : m_s(std::move(s)) {}
    explicit CString(const AcString& s) : m_s(s.str()) {}

    CString& operator=(const wchar_t* s) { m_s = s ? s : L""; return *this; }
    CString& operator=(wchar_t ch) { m_s.assign(1, ch); return *this; }

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    // GetAt and operator[] return L'\0' for an index out of range; SetAt ignores it.
    wchar_t GetAt(int i) const;
    void SetAt(int i, wchar_t ch);
    // Any integer type: an exact match, so it never competes with indexing the LPCWSTR.
    template <class I, class = std::enable_if_t<std::is_integral<I>::value>>
    wchar_t operator[](I i) const {
        return (i >= 0 && static_cast<unsigned long long>(i) < m_s.size()) ? m_s[static_cast<size_t>(i)] : L'\0';
    }
    operator LPCWSTR() const { return m_s.c_str(); }
    LPCWSTR GetString() const { return m_s.c_str(); }
    const std::wstring& str() const { return m_s; }

    CString& operator+=(const CString& o) { m_s += o.m_s; return *this; }
    CString& operator+=(const wchar_t* s) { if (s) m_s += s; return *this; }
    CString& operator+=(wchar_t ch) { m_s += ch; return *this; }
    friend CString operator+(CString a, const CString& b) { a += b; return a; }
    friend CString operator+(CString a, const wchar_t* b) { a += b; return a; }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) += b; }
    friend CString operator+(CString a, wchar_t b) { a += b; return a; }
    friend CString operator+(wchar_t a, const CString& b) { return CString(a) += b; }

    // Ordinal comparison (<0, 0, >0); CompareNoCase folds letters to lower case first.
    int Compare(const wchar_t* s) const { return m_s.compare(s ? s : L""); }
    int CompareNoCase(const wchar_t* s) const;
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_s != b.m_s; }
    friend bool operator!=(const CString& a, const wchar_t* b) { return a.Compare(b) != 0; }
    friend bool operator!=(const wchar_t* a, const CString& b) { return b.Compare(a) != 0; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
    friend bool operator>(const CString& a, const CString& b) { return a.m_s > b.m_s; }
    friend bool operator<=(const CString& a, const CString& b) { return a.m_s <= b.m_s; }
    friend bool operator>=(const CString& a, const CString& b) { return a.m_s >= b.m_s; }

    // Searching from `start` (negative counts as 0); -1 when not found or start is past the end.
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* chars) const;

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    // Leading characters that are all in `chars` / none in `chars`.
    CString SpanIncluding(const wchar_t* chars) const;
    CString SpanExcluding(const wchar_t* chars) const;
    // The next token after `start`, skipping leading delimiters; start becomes the position
    // after the token, or -1 (with an empty result) when no token is left.
    CString Tokenize(const wchar_t* delimiters, int& start) const;

    // Without an argument: white space (space, tab, CR, LF, VT, FF).
    CString& Trim();
    CString& Trim(wchar_t ch);
    CString& Trim(const wchar_t* chars);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t ch);
    CString& TrimLeft(const wchar_t* chars);
    CString& TrimRight();
    CString& TrimRight(wchar_t ch);
    CString& TrimRight(const wchar_t* chars);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Return the number of replacements / removals, or the new length.
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);

    // printf-style formatting with the Windows meaning of the conversions: %s and %c take wide
    // text (CString, std::wstring and AcString arguments are passed as their text), %S and %hs
    // narrow text, %I64d a 64-bit integer. The result replaces / extends the string.
    template <class... Args>
    void Format(const wchar_t* format, const Args&... args);
    template <class... Args>
    void AppendFormat(const wchar_t* format, const Args&... args);
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormatV(const wchar_t* format, va_list args);

    // A writable buffer of at least minLength characters plus the terminating NUL; call
    // ReleaseBuffer (length, or -1 for up to the first NUL) before any other member.
    LPWSTR GetBuffer(int minLength = 0);
    LPWSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    static void formatRaw(CString& out, bool append, const wchar_t* format, ...);
    std::wstring m_s;
};

namespace vx_afx {
// What a Format argument becomes on its way through the C varargs call.
template <class T>
inline T formatArg(T v) {
    static_assert(std::is_arithmetic<T>::value || std::is_pointer<T>::value ||
                      std::is_enum<T>::value || std::is_null_pointer<T>::value,
                  "CString::Format takes numbers, pointers and strings");
    return v;
}
inline const wchar_t* formatArg(const CString& s) { return s.GetString(); }
inline const wchar_t* formatArg(const std::wstring& s) { return s.c_str(); }
inline const wchar_t* formatArg(const AcString& s) { return s.kwszPtr(); }
}  // namespace vx_afx

template <class... Args>
void CString::Format(const wchar_t* format, const Args&... args) {
    formatRaw(*this, false, format, vx_afx::formatArg(args)...);
}

template <class... Args>
void CString::AppendFormat(const wchar_t* format, const Args&... args) {
    formatRaw(*this, true, format, vx_afx::formatArg(args)...);
}

// An array of CString with MFC's CStringArray operations. An index out of range is a
// programming error: it asserts in debug builds and reads as an empty string otherwise.
class CStringArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(INT_PTR size) { m_items.resize(size < 0 ? 0 : static_cast<size_t>(size)); }

    const CString& GetAt(INT_PTR i) const;
    CString& ElementAt(INT_PTR i);
    void SetAt(INT_PTR i, const CString& s);
    // Sets element i, growing the array with empty strings when needed.
    void SetAtGrow(INT_PTR i, const CString& s);
    const CString& operator[](INT_PTR i) const { return GetAt(i); }
    CString& operator[](INT_PTR i) { return ElementAt(i); }

    // Returns the new element's index.
    INT_PTR Add(const CString& s) { m_items.push_back(s); return GetSize() - 1; }
    INT_PTR Append(const CStringArray& o);
    void Copy(const CStringArray& o) { m_items = o.m_items; }
    // Inserts count copies at index (past the end: the array grows to reach it).
    void InsertAt(INT_PTR index, const CString& s, INT_PTR count = 1);
    // Removes up to count elements from index; a range past the end is cut to the end.
    void RemoveAt(INT_PTR index, INT_PTR count = 1);
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<CString> m_items;
    CString m_outOfRange;
};

// Searching a folder the MFC way: FindFile(pattern) then FindNextFile() until it returns
// FALSE; the entry found by the call that returns FALSE is still valid (it is the last one).
// Patterns: a folder path followed by a mask with * and ? ("*.*" matches every name, also
// names without a dot), or a plain path naming one file or folder. Names match without
// regard to case; entries come in name order, "." and ".." first. The listing is taken when
// FindFile runs, so nothing stays open between calls.
class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    BOOL FindFile(LPCWSTR pattern = nullptr, DWORD flags = 0);
    BOOL FindNextFile();
    void Close();

    // Of the current entry: its name, full native path, name without extension, folder.
    CString GetFileName() const;
    CString GetFilePath() const;
    CString GetFileTitle() const;
    CString GetRoot() const { return m_root; }
    unsigned long long GetLength() const;
    BOOL IsDots() const;
    BOOL IsDirectory() const;
    BOOL IsReadOnly() const;
    // True when the entry has any of the FILE_ATTRIBUTE_* bits: a link is REPARSE_POINT (and
    // DIRECTORY when it leads to a folder), a pipe, socket or device is DEVICE.
    BOOL MatchesMask(DWORD mask) const;

private:
    struct Entry {
        CString name;
        bool directory = false;
        bool readOnly = false;
        bool link = false;
        bool device = false;  // a pipe, socket or device node
        unsigned long long size = 0;
    };
    const Entry* current() const;
    DWORD attributes() const;

    std::vector<Entry> m_entries;
    size_t m_next = 0;
    CString m_root;
};
