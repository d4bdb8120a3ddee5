// The host's command line: where every prompt, message and printed text goes, and where every
// answer (command names, prompt answers, dialog actions) comes from. One instance per process.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/input_event.h"

namespace vx::editor {

// A source of input lines: the terminal, a script file, or a test's list of lines.
class InputSource {
public:
    virtual ~InputSource() = default;
    // The next line without its line end; false when the source is exhausted.
    virtual bool next(std::wstring& line) = 0;
    // Whether the line just read should be echoed into the transcript (scripts: yes; a terminal: no).
    virtual bool echoes() const { return true; }
    // The event the line just read stands for when a window gave it (a click, a drag in the
    // drawing); null for a typed line. The line is then the event's typed form, for the echo.
    virtual const InputEvent* eventOfLine() const { return nullptr; }
};

std::unique_ptr<InputSource> stdinSource();
std::unique_ptr<InputSource> fileSource(const std::string& path, bool* opened = nullptr);
std::unique_ptr<InputSource> linesSource(std::vector<std::wstring> lines);

class QueueSource;

// Where the transcript goes besides the terminal and a test's capture: the desktop host's
// command-line window.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual void write(std::wstring_view text) = 0;
};

class CommandLine {
public:
    static CommandLine& get();

    // Text as acutPrintf prints it (a "\n" starts a new line).
    void print(std::wstring_view text);
    // What a read waits for: a command name at the command prompt, an answer to a prompt, or an
    // answer a window may give as an event (a point, a selection, a jig's cursor).
    enum class Read { kAnswer, kCommand, kEvent };
    // Shows `prompt`, then reads one line from the innermost source. Lines starting with '#'
    // are comments and are skipped. False at the end of all input: callers treat it as ESC.
    bool readLine(std::wstring_view prompt, std::wstring& line, Read kind = Read::kAnswer);
    // Writes a prompt and the answer given to it elsewhere (a desktop script's gesture on a
    // window) exactly as readLine writes an answer it read.
    void echoAnswer(std::wstring_view prompt, std::wstring_view answer);
    // The event a window gave for the line the last read returned, or null (a typed line).
    const InputEvent* eventOfLine() const { return m_hasEvent ? &m_event : nullptr; }
    // Whether the innermost read that waits is the command prompt's (nothing is running): a host
    // may then run something of its own (a palette button) as a command would run.
    bool atCommandPrompt() const { return !m_reads.empty() && m_reads.back() == Read::kCommand; }
    bool waitingForEvent() const { return !m_reads.empty() && m_reads.back() == Read::kEvent; }

    // Sources form a stack: the top one is read until it is exhausted, then it is popped.
    void pushSource(std::unique_ptr<InputSource> source);
    bool hasInput() const { return !m_sources.empty(); }
    // Posted lines (acedPostCommand) are read before anything else, first posted first read:
    // a post while earlier posted lines are still waiting joins the end of that queue.
    void post(std::vector<std::wstring> lines);

    // Where output goes besides the terminal: tests capture the transcript here.
    void setCapture(std::wstring* sink) { m_capture = sink; }
    void setEchoToStdout(bool on) { m_stdout = on; }
    void addSink(OutputSink* sink);
    void removeSink(OutputSink* sink);
    // Count of lines that could not be used (unknown command, bad action): scripts exit non-zero.
    void noteUnusableLine() { ++m_unusable; }
    int unusableLines() const { return m_unusable; }
    void reset();

private:
    std::vector<std::unique_ptr<InputSource>> m_sources;
    // The queue of posted lines while it is the top source; null once it is exhausted or covered.
    QueueSource* m_posted = nullptr;
    std::vector<Read> m_reads;
    std::wstring* m_capture = nullptr;
    std::vector<OutputSink*> m_sinks;
    bool m_stdout = true;
    int m_unusable = 0;
    // The answer just read ended its line (echoed or typed): a text starting with "\n" then
    // needs no second line break.
    bool m_atLineStart = false;
    InputEvent m_event;
    bool m_hasEvent = false;
};

}  // namespace vx::editor
