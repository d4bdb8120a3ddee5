#include "editor/command_line.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "text/encoding.h"

namespace vx::editor {
namespace {

// The terminal speaks UTF-8 (the host runs in C.UTF-8); a line that is not UTF-8 was piped in
// from a legacy file and is taken in the ANSI code page.
std::wstring terminalLine(std::string raw) {
    while (!raw.empty() && (raw.back() == '\r' || raw.back() == '\n')) raw.pop_back();
    return vx::text::isValidUtf8(raw) ? vx::text::fromUtf8(raw) : vx::text::fromAnsi(raw);
}

class StreamSource : public InputSource {
public:
    StreamSource(std::istream& in, bool echo) : m_in(in), m_echo(echo) {}
    bool next(std::wstring& line) override {
        std::string raw;
        if (!std::getline(m_in, raw)) return false;
        line = terminalLine(std::move(raw));
        return true;
    }
    bool echoes() const override { return m_echo; }

private:
    std::istream& m_in;
    bool m_echo;
};

// A script is a text file: decoded as a whole by the text file rule, as the platform reads it.
std::vector<std::wstring> scriptLines(const std::string& path, bool& opened) {
    std::vector<std::wstring> lines;
    std::ifstream in(path, std::ios::binary);
    opened = in.is_open();
    if (!opened) return lines;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    vx::text::Encoding found;
    const std::wstring text = vx::text::decode(bytes, found);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find(L'\n', pos);
        size_t end = nl == std::wstring::npos ? text.size() : nl;
        std::wstring line = text.substr(pos, end - pos);
        while (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(std::move(line));
        pos = end + 1;
    }
    return lines;
}

}  // namespace

// A list of lines, read in order; the posted-command queue appends to it while it waits.
class QueueSource : public InputSource {
public:
    QueueSource() = default;
    explicit QueueSource(std::vector<std::wstring> lines) : m_lines(std::move(lines)) {}
    void append(std::vector<std::wstring> lines) {
        for (auto& l : lines) m_lines.push_back(std::move(l));
    }
    bool next(std::wstring& line) override {
        if (m_pos >= m_lines.size()) return false;
        line = m_lines[m_pos++];
        return true;
    }

private:
    std::vector<std::wstring> m_lines;
    size_t m_pos = 0;
};

std::unique_ptr<InputSource> stdinSource() {
    // A terminal shows what the user typed already; piped input is echoed like a script.
    return std::make_unique<StreamSource>(std::cin, !isatty(fileno(stdin)));
}

std::unique_ptr<InputSource> fileSource(const std::string& path, bool* opened) {
    bool readable = false;
    auto src = std::make_unique<QueueSource>(scriptLines(path, readable));
    if (opened) *opened = readable;
    return src;
}

std::unique_ptr<InputSource> linesSource(std::vector<std::wstring> lines) {
    return std::make_unique<QueueSource>(std::move(lines));
}

CommandLine& CommandLine::get() {
    static CommandLine instance;
    return instance;
}

void CommandLine::print(std::wstring_view text) {
    if (m_atLineStart && !text.empty()) {
        if (text.front() == L'\n') text.remove_prefix(1);
        m_atLineStart = false;
    }
    if (text.empty()) return;
    if (m_capture) m_capture->append(text);
    if (m_stdout) {
        std::string u = vx::text::toUtf8(text);
        std::fwrite(u.data(), 1, u.size(), stdout);
        std::fflush(stdout);
    }
}

bool CommandLine::readLine(std::wstring_view prompt, std::wstring& line) {
    print(prompt);
    while (!m_sources.empty()) {
        InputSource& src = *m_sources.back();
        if (!src.next(line)) {
            if (m_sources.back().get() == m_posted) m_posted = nullptr;
            m_sources.pop_back();
            continue;
        }
        if (!line.empty() && line[0] == L'#') continue;
        if (src.echoes()) print(line + L"\n");
        m_atLineStart = true;
        return true;
    }
    print(L"\n");
    return false;
}

void CommandLine::pushSource(std::unique_ptr<InputSource> source) {
    m_posted = nullptr;  // lines posted from now on are read before this source's
    m_sources.push_back(std::move(source));
}

void CommandLine::reset() {
    m_sources.clear();
    m_posted = nullptr;
    m_capture = nullptr;
    m_unusable = 0;
    m_atLineStart = false;
}

void CommandLine::post(std::vector<std::wstring> lines) {
    if (lines.empty()) return;
    if (!m_posted) {
        auto queue = std::make_unique<QueueSource>();
        QueueSource* raw = queue.get();
        pushSource(std::move(queue));
        m_posted = raw;
    }
    m_posted->append(std::move(lines));
}

}  // namespace vx::editor
