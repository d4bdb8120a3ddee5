// The desktop host's input: what the user types in the command-line window, what menus give,
// and palette gestures that run at the command prompt. A read waits in a nested event loop, so
// the windows stay alive while a prompt waits.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/command_line.h"

class QEventLoop;

namespace vx::qt {

class GuiInput : public editor::InputSource {
public:
    GuiInput() = default;
    GuiInput(const GuiInput&) = delete;
    GuiInput& operator=(const GuiInput&) = delete;

    bool next(std::wstring& line) override;
    bool echoes() const override { return m_echo; }
    // What the command line reads: a source that reads this one (the command line pops and
    // deletes sources that end; this one lives as long as the window).
    std::unique_ptr<editor::InputSource> source();

    // A line the user typed: the innermost waiting read gets it (echoed into the transcript).
    void type(std::wstring line);
    // An event from the drawing (a click, a window, a cursor move): the innermost waiting read
    // gets it as that event. `echo`: its typed form goes into the transcript (cursor moves
    // do not).
    void post(const editor::InputEvent& event, bool echo = true);
    // The next event posted is echoed as `line` instead of its typed form: a script's gesture
    // shows the script's own line, as the console shows it. Empty: no longer.
    void echoNextAs(std::wstring line) { m_echoAs = std::move(line); }
    // The event the line just read stands for, or null for a typed line.
    const editor::InputEvent* eventOfLine() const { return m_hasEvent ? &m_event : nullptr; }
    // Escape: the innermost waiting read is cancelled.
    void cancel();
    // Lines that a menu gives, read at the command prompt. False (nothing queued) while a
    // command runs: a menu never answers someone else's prompt.
    bool command(std::vector<std::wstring> lines);
    // Runs `gesture` at the command prompt, as a command would run (then the prompt shows again).
    // False while a command runs.
    bool atCommandPrompt(std::function<void()> gesture);
    // The end of input: the read that waits (and every later one) ends, as at the end of a script.
    void close();

    bool idle() const;     // the command prompt waits and nothing runs
    bool waiting() const { return !m_loops.empty(); }
    // Called whenever a read starts to wait (the window shows the drawing's new state).
    std::function<void()> onWait;

private:
    struct Item {
        std::wstring line;
        bool echo = true;
        std::function<void()> gesture;
        std::optional<editor::InputEvent> event{};
    };
    void wake();
    void wakeOuter();

    std::deque<Item> m_queue;
    std::vector<QEventLoop*> m_loops;
    bool m_closed = false;
    bool m_echo = true;
    bool m_running = false;
    bool m_hasEvent = false;
    editor::InputEvent m_event;
    std::wstring m_echoAs;
};

}  // namespace vx::qt
