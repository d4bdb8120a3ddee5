#include "rtf_writer.h"

#include <cstdio>
#include <sstream>

#include "text/encoding.h"

namespace vx::tools {
namespace {

// Each kind of line: its paragraph formatting and what stands before its text.
struct LineStyle {
    const char* prefix;       // the marker the line starts with
    const char* paragraph;    // RTF paragraph and character formatting
    const char* lead;         // text put before the line's own text
};

const LineStyle kTitle = {"# ", "\\pard\\qc\\sb120\\sa360\\f1\\fs36\\b ", ""};
const LineStyle kHeading = {"## ", "\\pard\\sb240\\sa120\\f1\\fs28\\b ", ""};
const LineStyle kBullet = {"- ", "\\pard\\fi-360\\li720\\sa80\\f0\\fs22 ", "\\bullet\\tab "};
const LineStyle kStep = {"", "\\pard\\fi-360\\li720\\sa80\\f0\\fs22 ", ""};
const LineStyle kParagraph = {"", "\\pard\\fi440\\sa120\\f0\\fs22 ", ""};

// RTF holds 7-bit text: the control characters are escaped, everything beyond ASCII is a
// \uN escape of its UTF-16 code units (signed 16-bit), each with "?" for readers without Unicode.
std::string escaped(const std::string& utf8) {
    std::string out;
    const std::wstring text = text::fromUtf8(utf8);
    auto unit = [&out](long u) {
        if (u > 32767) u -= 65536;
        out += "\\u" + std::to_string(u) + "?";
    };
    for (wchar_t c : text) {
        const unsigned long cp = static_cast<unsigned long>(c);
        if (c == L'\\' || c == L'{' || c == L'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (cp == L'\t') {
            out += "\\tab ";
        } else if (cp >= 0x20 && cp < 0x7f) {
            out += static_cast<char>(c);
        } else if (cp > 0xffff) {
            const unsigned long v = cp - 0x10000;
            unit(static_cast<long>(0xd800 + (v >> 10)));
            unit(static_cast<long>(0xdc00 + (v & 0x3ff)));
        } else if (cp >= 0x80) {
            unit(static_cast<long>(cp));
        }
    }
    return out;
}

bool startsWith(const std::string& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

// "12. text": the number with its dot, or 0 when the line is no step.
size_t stepNumberLength(const std::string& line) {
    size_t i = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    return i > 0 && i + 1 < line.size() && line[i] == '.' && line[i + 1] == ' ' ? i + 1 : 0;
}

std::string paragraph(const LineStyle& style, const std::string& lead, const std::string& text) {
    const bool bold = std::string(style.paragraph).find("\\b ") != std::string::npos;
    return std::string(style.paragraph) + lead + escaped(text) + (bold ? "\\b0" : "") + "\\par\n";
}

}  // namespace

std::string rtfDocument(const std::string& utf8Text) {
    std::string title;
    std::string body;
    std::istringstream lines(utf8Text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (startsWith(line, kHeading.prefix)) {
            body += paragraph(kHeading, kHeading.lead, line.substr(3));
        } else if (startsWith(line, kTitle.prefix)) {
            if (title.empty()) title = line.substr(2);
            body += paragraph(kTitle, kTitle.lead, line.substr(2));
        } else if (startsWith(line, kBullet.prefix)) {
            body += paragraph(kBullet, kBullet.lead, line.substr(2));
        } else if (const size_t n = stepNumberLength(line)) {
            body += paragraph(kStep, line.substr(0, n) + "\\tab ", line.substr(n + 1));
        } else {
            body += paragraph(kParagraph, kParagraph.lead, line);
        }
    }
    return "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang2052\\uc1\n"
           "{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}{\\f1\\fnil\\fcharset134 SimHei;}}\n"
           "{\\info{\\title " + escaped(title) + "}}\n"
           "\\paperw11906\\paperh16838\\margl1440\\margr1440\\margt1440\\margb1440\n" +
           body + "}\n";
}

}  // namespace vx::tools
