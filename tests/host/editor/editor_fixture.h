// Feeds answers to the editor and captures what it prints.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/command_line.h"
#include "editor/input.h"

namespace vx::editor::test {

// What a window gives: each answer an event, its line the event's typed form.
class EventSource : public InputSource {
public:
    explicit EventSource(std::vector<InputEvent> events) : m_events(std::move(events)) {}
    bool next(std::wstring& line) override {
        if (m_next >= m_events.size()) return false;
        m_current = m_events[m_next++];
        line = typedForm(m_current);
        return true;
    }
    const InputEvent* eventOfLine() const override { return &m_current; }

private:
    std::vector<InputEvent> m_events;
    size_t m_next = 0;
    InputEvent m_current;
};

inline InputEvent eventAt(EventKind kind, double x, double y, double cx = 0, double cy = 0) {
    InputEvent e;
    e.kind = kind;
    e.point[0] = x;
    e.point[1] = y;
    e.corner[0] = cx;
    e.corner[1] = cy;
    return e;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        CommandLine& cl = CommandLine::get();
        cl.reset();
        cl.setEchoToStdout(false);
        cl.setCapture(&transcript);
        clearInputEnded();
    }
    void TearDown() override {
        CommandLine::get().reset();
        clearInputEnded();
    }
    void answers(std::vector<std::wstring> lines) { CommandLine::get().pushSource(linesSource(std::move(lines))); }
    void events(std::vector<InputEvent> given) { CommandLine::get().pushSource(std::make_unique<EventSource>(std::move(given))); }
    int unusable() const { return CommandLine::get().unusableLines(); }

    std::wstring transcript;
};

}  // namespace vx::editor::test
