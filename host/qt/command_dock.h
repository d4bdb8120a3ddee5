// The command line as a dock: the transcript (what the console prints, line for line), and the
// input line where commands and answers are typed (Enter sends, Esc cancels, Up/Down recall).
#pragma once

#include <QDockWidget>
#include <QStringList>

#include "editor/command_line.h"

class QLineEdit;
class QPlainTextEdit;

namespace vx::qt {

class GuiInput;

class CommandDock : public QDockWidget, public editor::OutputSink {
public:
    CommandDock(GuiInput& input, QWidget* parent);
    ~CommandDock() override;

    void write(std::wstring_view text) override;
    QLineEdit* inputLine() const { return m_input; }
    QString transcript() const;
    // Keys typed elsewhere (the drawing view) go to the input line, as in CAD programs.
    void takeKey(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void send();
    void recall(int step);

    GuiInput& m_source;
    QPlainTextEdit* m_history;
    QLineEdit* m_input;
    QStringList m_typed;
    int m_recall = 0;
};

}  // namespace vx::qt
