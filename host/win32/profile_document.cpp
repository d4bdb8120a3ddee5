// Byte-preserving INI documents: splitting by the file's code unit, re-encoding only what
// an edit wrote.
#include "win32/profile_document.h"

namespace vx::win32::ini {
namespace {

using text::Encoding;

size_t bomLength(Encoding enc) {
    return enc == Encoding::Utf16LE ? 2 : (enc == Encoding::Utf8Bom ? 3 : 0);
}

std::wstring decodeLine(const std::string& raw, Encoding enc, bool& lossy) {
    switch (enc) {
        case Encoding::Utf16LE: return text::fromUtf16LE(raw, &lossy);
        case Encoding::Utf8:
        case Encoding::Utf8Bom: return text::fromUtf8(raw, &lossy);
        case Encoding::Ansi: break;
    }
    return text::fromAnsi(raw, &lossy);
}

bool encodeLine(const std::wstring& line, Encoding enc, std::string& out) {
    switch (enc) {
        case Encoding::Utf16LE: out = text::toUtf16LE(line); return true;
        case Encoding::Utf8:
        case Encoding::Utf8Bom: out = text::toUtf8(line); return true;
        case Encoding::Ansi: break;
    }
    return text::toAnsi(line, out);
}

bool hasHighBytes(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

}  // namespace

Document::Document() = default;

Document::Document(const std::string& bytes) {
    m_enc = text::detect(bytes);
    const size_t unit = m_enc == Encoding::Utf16LE ? 2 : 1;
    const auto isUnit = [&](size_t i, char c) {
        return bytes[i] == c && (unit == 1 || (i + 1 < bytes.size() && bytes[i + 1] == '\0'));
    };
    bool sawEol = false;
    size_t start = bomLength(m_enc);
    size_t i = start;
    while (i < bytes.size()) {
        if (i + unit <= bytes.size() && isUnit(i, '\n')) {
            size_t end = i;
            if (end >= start + unit && isUnit(end - unit, '\r')) end -= unit;
            if (!sawEol) {
                m_crlf = end != i;
                sawEol = true;
            }
            DocLine l;
            l.raw = bytes.substr(start, end - start);
            l.eol = bytes.substr(end, i + unit - end);
            m_lines.push_back(std::move(l));
            start = i = i + unit;
        } else {
            i += unit;
        }
    }
    if (start < bytes.size()) {
        DocLine l;
        l.raw = bytes.substr(start);
        m_lines.push_back(std::move(l));
    }
    for (auto& l : m_lines) l.text = decodeLine(l.raw, m_enc, m_lossy);
}

std::string Document::eolBytes(bool crlf, Encoding enc) const {
    std::string e = crlf ? "\r\n" : "\n";
    return enc == Encoding::Utf16LE ? text::toUtf16LE(std::wstring(e.begin(), e.end())) : e;
}

DocLine Document::makeLine(std::wstring t) const {
    DocLine l;
    l.text = std::move(t);
    l.eol = eolBytes(m_crlf, m_enc);
    l.fresh = true;
    return l;
}

void Document::endLine(DocLine& line) const {
    if (!line.eol.empty()) return;
    if (m_enc == Encoding::Utf16LE && line.raw.size() % 2) {
        // A stray last byte would shift every unit after it. It already reads as U+FFFD; that
        // is what is stored in its place, so the line reads the same as before.
        line.raw.pop_back();
        line.raw += text::toUtf16LE(L"\xFFFD");
    }
    line.eol = eolBytes(m_crlf, m_enc);
}

bool Document::serializeAs(Encoding enc, bool fromText, std::string& out) const {
    out.clear();
    if (enc == Encoding::Utf16LE) out = "\xFF\xFE";
    if (enc == Encoding::Utf8Bom) out = "\xEF\xBB\xBF";
    std::string piece;
    for (const DocLine& l : m_lines) {
        if (l.fresh || fromText) {
            if (!encodeLine(l.text, enc, piece)) return false;
            out += piece;
        } else {
            out += l.raw;
        }
        if (fromText && !l.eol.empty()) {
            // The line keeps its own ending style in the new encoding.
            bool crlf = l.eol.size() == (m_enc == Encoding::Utf16LE ? 4u : 2u);
            out += eolBytes(crlf, enc);
        } else {
            out += l.eol;
        }
    }
    return true;
}

bool Document::serialize(std::string& out) const {
    if (serializeAs(m_enc, false, out)) {
        // Without a byte-order mark the encoding is inferred again at the next read: an edit
        // may leave ANSI bytes that look like UTF-8 or UTF-8 bytes that look like ANSI, and
        // every non-ASCII character would then come back garbled.
        if (!hasHighBytes(out) || text::detect(out) == m_enc) return true;
    }
    if (m_lossy) return false;
    return serializeAs(Encoding::Utf16LE, true, out);
}

}  // namespace vx::win32::ini
