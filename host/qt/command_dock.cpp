#include "qt/command_dock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include "qt/gui_input.h"
#include "qt/qt_text.h"

namespace vx::qt {

CommandDock::CommandDock(GuiInput& input, QWidget* parent)
    : QDockWidget(QStringLiteral("命令行"), parent), m_source(input) {
    setObjectName(QStringLiteral("commandLine"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_history = new QPlainTextEdit(box);
    m_history->setReadOnly(true);
    m_history->setMaximumBlockCount(20000);
    m_history->setFocusPolicy(Qt::ClickFocus);
    QFont mono(QStringLiteral("WenQuanYi Micro Hei Mono"));
    mono.setStyleHint(QFont::TypeWriter);
    m_history->setFont(mono);
    m_input = new QLineEdit(box);
    m_input->setObjectName(QStringLiteral("commandInput"));
    m_input->setFont(mono);
    m_input->setPlaceholderText(QStringLiteral("键入命令"));
    m_input->installEventFilter(this);
    layout->addWidget(m_history, 1);
    layout->addWidget(m_input);
    setWidget(box);
    editor::CommandLine::get().addSink(this);
}

CommandDock::~CommandDock() { editor::CommandLine::get().removeSink(this); }

void CommandDock::write(std::wstring_view text) {
    QScrollBar* bar = m_history->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor c(m_history->document());
    c.movePosition(QTextCursor::End);
    c.insertText(QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size())));
    if (atEnd) bar->setValue(bar->maximum());
}

QString CommandDock::transcript() const { return m_history->toPlainText(); }

void CommandDock::send() {
    const QString line = m_input->text();
    m_input->clear();
    if (!line.isEmpty() && (m_typed.isEmpty() || m_typed.back() != line)) m_typed << line;
    m_recall = static_cast<int>(m_typed.size());
    m_source.type(fromQ(line));
}

void CommandDock::recall(int step) {
    if (m_typed.isEmpty()) return;
    m_recall = std::clamp(m_recall + step, 0, static_cast<int>(m_typed.size()));
    m_input->setText(m_recall < m_typed.size() ? m_typed[m_recall] : QString());
}

bool CommandDock::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_input || event->type() != QEvent::KeyPress) return QDockWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: send(); return true;
    case Qt::Key_Escape:
        m_input->clear();
        m_source.cancel();
        return true;
    case Qt::Key_Up: recall(-1); return true;
    case Qt::Key_Down: recall(1); return true;
    default: return false;
    }
}

void CommandDock::takeKey(QKeyEvent* event) {
    m_input->setFocus(Qt::OtherFocusReason);
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QApplication::sendEvent(m_input, &copy);
}

}  // namespace vx::qt
