// An INI file as lines that keep their original bytes, for edits that leave every untouched
// line (comments, unknown lines, odd encodings) byte for byte as it was.
#pragma once

#include <string>
#include <vector>

#include "text/encoding.h"

namespace vx::win32::ini {

struct DocLine {
    std::string raw;    // the line's bytes without its line ending, as read
    std::string eol;    // its line ending bytes, as read ("" for a last line without one)
    std::wstring text;  // the decoded line
    bool fresh = false; // written by this edit: encoded from `text`, not copied from `raw`
};

class Document {
public:
    // A new, empty file: the ANSI code page and CRLF line endings, as Windows tools write it.
    Document();
    // Splits existing file bytes; the encoding follows the text file rule.
    explicit Document(const std::string& bytes);

    std::vector<DocLine>& lines() { return m_lines; }
    // A new line with this file's line ending.
    DocLine makeLine(std::wstring text) const;
    // Gives a last line without a line ending one, before something is appended after it.
    void endLine(DocLine& line) const;

    // The file's new bytes. A line that the file's ANSI code page cannot hold, or a result
    // that the text file rule would read in another encoding than the one written, turns the
    // file into UTF-16LE with a BOM (which the profile functions read), so no character is
    // lost. False when that is needed but the original held bytes that do not decode
    // (converting would damage them).
    bool serialize(std::string& out) const;

private:
    bool serializeAs(text::Encoding enc, bool fromText, std::string& out) const;
    std::string eolBytes(bool crlf, text::Encoding enc) const;

    text::Encoding m_enc = text::Encoding::Ansi;
    bool m_crlf = true;
    bool m_lossy = false;
    std::vector<DocLine> m_lines;
};

}  // namespace vx::win32::ini
