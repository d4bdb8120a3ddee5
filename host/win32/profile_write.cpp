// WritePrivateProfileStringW: edits the lines that the call is about, keeps every other line
// byte for byte, and replaces the file through SafeFile (a read-only file is refused).
#include "win32.h"
#include "win32/file_io.h"
#include "win32/paths.h"
#include "win32/profile_document.h"
#include "win32/profile_format.h"
#include "win32/safe_file.h"

namespace {

namespace ini = vx::win32::ini;
using ini::DocLine;
using ini::LineKind;

bool hasLineBreak(std::wstring_view s) { return s.find_first_of(L"\r\n") != std::wstring_view::npos; }

// Names and values that the file's line grammar could not give back as written are refused
// rather than stored as something else (a value with a line break would even add keys).
bool validArguments(LPCWSTR section, LPCWSTR key, LPCWSTR value) {
    std::wstring_view s = ini::trim(section);
    if (hasLineBreak(s) || s.find(L']') != std::wstring_view::npos) return false;
    if (key) {
        std::wstring_view k = ini::trim(key);
        if (k.empty() || hasLineBreak(k) || k.find(L'=') != std::wstring_view::npos ||
            k.front() == L'[' || k.front() == L';')
            return false;
    }
    return !value || !hasLineBreak(value);
}

struct SectionRange {
    size_t header;
    size_t end;  // one past its last line
};

std::vector<SectionRange> findSections(std::vector<DocLine>& lines, std::wstring_view name) {
    std::vector<SectionRange> found;
    for (size_t i = 0; i < lines.size(); ++i) {
        ini::Line l = ini::parseLine(lines[i].text);
        if (l.kind != LineKind::Section) continue;
        if (!found.empty() && found.back().end == lines.size()) found.back().end = i;
        if (ini::sameName(l.name, name)) found.push_back({i, lines.size()});
    }
    return found;
}

bool isKey(const DocLine& line, std::wstring_view key) {
    ini::Line l = ini::parseLine(line.text);
    return l.kind == LineKind::Key && ini::sameName(l.name, key);
}

void eraseMarked(std::vector<DocLine>& lines, const std::vector<bool>& drop) {
    size_t out = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (!drop[i]) {
            if (out != i) lines[out] = std::move(lines[i]);
            ++out;
        }
    lines.resize(out);
}

// Applies the edit; false when the file needs no change.
bool edit(ini::Document& doc, std::wstring_view section, LPCWSTR keyArg, LPCWSTR value) {
    auto& lines = doc.lines();
    const std::vector<SectionRange> ranges = findSections(lines, section);
    std::vector<bool> drop(lines.size(), false);
    bool dropped = false;
    if (!keyArg) {
        for (const auto& r : ranges)
            for (size_t i = r.header; i < r.end; ++i) drop[i] = dropped = true;
        if (dropped) eraseMarked(lines, drop);
        return dropped;
    }
    const std::wstring_view key = ini::trim(keyArg);
    if (!value) {
        for (const auto& r : ranges)
            for (size_t i = r.header + 1; i < r.end; ++i)
                if (isKey(lines[i], key)) drop[i] = dropped = true;
        if (dropped) eraseMarked(lines, drop);
        return dropped;
    }
    for (const auto& r : ranges) {
        for (size_t i = r.header + 1; i < r.end; ++i) {
            if (!isKey(lines[i], key)) continue;
            // The key keeps the spelling it has in the file.
            std::wstring text = std::wstring(ini::parseLine(lines[i].text).name) + L"=" + value;
            if (text == lines[i].text) return false;
            lines[i].text = std::move(text);
            lines[i].fresh = true;
            return true;
        }
    }
    std::wstring entry = std::wstring(key) + L"=" + value;
    if (!ranges.empty()) {
        // After the section's last key, so comments and blank lines before the next section
        // stay where they are.
        size_t after = ranges[0].header;
        for (size_t i = ranges[0].header + 1; i < ranges[0].end; ++i)
            if (ini::parseLine(lines[i].text).kind == LineKind::Key) after = i;
        doc.endLine(lines[after]);
        lines.insert(lines.begin() + static_cast<long>(after) + 1, doc.makeLine(std::move(entry)));
        return true;
    }
    if (!lines.empty()) {
        doc.endLine(lines.back());
        if (!ini::trim(lines.back().text).empty()) lines.push_back(doc.makeLine(L""));
    }
    lines.push_back(doc.makeLine(L"[" + std::wstring(section) + L"]"));
    lines.push_back(doc.makeLine(std::move(entry)));
    return true;
}

}  // namespace

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName) {
    if (!section) {
        // (NULL, NULL, NULL, file) asks to flush a write cache; writes here are never cached.
        if (!key && !value) return TRUE;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!fileName || !*fileName || !validArguments(section, key, value)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    vx::win32::SafeFile out(vx::win32::nativePath(fileName));
    if (!out.ok()) {
        SetLastError(out.error().code);
        return FALSE;
    }
    std::string bytes;
    if (out.replacesExisting() && !vx::win32::readWholeFile(out.target(), bytes))
        return vx::win32::failFromErrno(out.target());  // never replace a file that could not be read
    ini::Document doc = out.replacesExisting() ? ini::Document(bytes) : ini::Document();
    if (!edit(doc, ini::trim(section), key, value)) return TRUE;
    std::string text;
    if (!doc.serialize(text)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return FALSE;
    }
    out.write(text);
    vx::win32::FileError error;
    if (!out.commit(error)) {
        SetLastError(error.code);
        return FALSE;
    }
    return TRUE;
}
