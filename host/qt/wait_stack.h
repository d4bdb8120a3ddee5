// What the program waits for, innermost last: the command line, a modal dialog, a message box,
// a folder browser, a plot preview window, a pick in the drawing. A script (or a test) answers the innermost wait.
#pragma once

#include <vector>

namespace vx::qt {

enum class Wait { kCommandLine, kDialog, kMessageBox, kFolder, kPreview };

class WaitStack {
public:
    static WaitStack& get();
    bool empty() const { return m_waits.empty(); }
    Wait innermost() const { return m_waits.back(); }

    // Marks a wait for as long as it lives.
    class Scope {
    public:
        explicit Scope(Wait w) { get().m_waits.push_back(w); }
        ~Scope() { get().m_waits.pop_back(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

private:
    std::vector<Wait> m_waits;
};

}  // namespace vx::qt
