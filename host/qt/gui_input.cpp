#include "qt/gui_input.h"

#include <QEventLoop>

#include "qt/wait_stack.h"

namespace vx::qt {

namespace {
class Reader : public editor::InputSource {
public:
    explicit Reader(GuiInput& input) : m_input(input) {}
    bool next(std::wstring& line) override { return m_input.next(line); }
    bool echoes() const override { return m_input.echoes(); }
    const editor::InputEvent* eventOfLine() const override { return m_input.eventOfLine(); }

private:
    GuiInput& m_input;
};
}  // namespace

std::unique_ptr<editor::InputSource> GuiInput::source() { return std::make_unique<Reader>(*this); }

bool GuiInput::idle() const {
    return !m_loops.empty() && !m_running && editor::CommandLine::get().atCommandPrompt() && m_queue.empty();
}

bool GuiInput::next(std::wstring& line) {
    m_hasEvent = false;
    for (;;) {
        if (m_closed) return false;
        if (!m_queue.empty()) {
            Item item = std::move(m_queue.front());
            m_queue.pop_front();
            if (item.gesture) {
                // Run where the command loop would run a command, then show the prompt again:
                // an empty line at the command prompt does nothing but ask again, and lets lines
                // the gesture posted be read first.
                m_running = true;
                item.gesture();
                m_running = false;
                line.clear();
                m_echo = false;
                wakeOuter();
                return true;
            }
            line = std::move(item.line);
            m_echo = item.echo;
            m_hasEvent = item.event.has_value();
            if (item.event) m_event = std::move(*item.event);
            wakeOuter();
            return true;
        }
        if (onWait) onWait();
        QEventLoop loop;
        WaitStack::Scope wait(Wait::kCommandLine);
        m_loops.push_back(&loop);
        loop.exec();
        m_loops.pop_back();
    }
}

// What is left in the queue belongs to the read that waited around this one.
void GuiInput::wakeOuter() {
    if (!m_queue.empty()) wake();
}

void GuiInput::wake() {
    if (!m_loops.empty()) m_loops.back()->quit();
}

void GuiInput::type(std::wstring line) {
    m_queue.push_back({std::move(line), true, nullptr, std::nullopt});
    wake();
}

void GuiInput::post(const editor::InputEvent& event, bool echo) {
    // A script's line is echoed as the console echoes every line it reads.
    if (!m_echoAs.empty()) echo = true;
    std::wstring line = m_echoAs.empty() ? editor::typedForm(event) : std::move(m_echoAs);
    m_echoAs.clear();
    m_queue.push_back({std::move(line), echo, nullptr, event});
    wake();
}

void GuiInput::cancel() {
    // Queued lines were meant for what is being cancelled.
    m_queue.clear();
    m_queue.push_back({L"ESC", false, nullptr, std::nullopt});
    wake();
}

bool GuiInput::command(std::vector<std::wstring> lines) {
    if (!idle()) return false;
    for (auto& l : lines) m_queue.push_back({std::move(l), true, nullptr, std::nullopt});
    wake();
    return true;
}

bool GuiInput::atCommandPrompt(std::function<void()> gesture) {
    if (!idle()) return false;
    m_queue.push_back({L"", false, std::move(gesture), std::nullopt});
    wake();
    return true;
}

void GuiInput::close() {
    m_closed = true;
    for (QEventLoop* l : m_loops) l->quit();
}

}  // namespace vx::qt
