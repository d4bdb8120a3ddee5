#include "qt/dialog_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "qt/control_widgets.h"
#include "qt/qt_text.h"
#include "qt/widget_mirror.h"
#include "ui/dialog_actions.h"

namespace vx::qt {

DialogWidget::DialogWidget(ui::Window& dialog, QWidget* parent, WidgetMirror& mirror)
    : QDialog(parent), m_window(ui::handleOf(&dialog)), m_mirror(mirror) {
    setWindowTitle(toQ(dialog.text));
    setFont(dialogFont(dialog));
    setFixedSize(dialog.rect.right - dialog.rect.left, dialog.rect.bottom - dialog.rect.top);
    setModal(dialog.modal);
}

void DialogWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        // A multi-line edit that wants Enter keeps it.
        if (auto* e = qobject_cast<QPlainTextEdit*>(focusWidget()); e && !e->isReadOnly()) return QDialog::keyPressEvent(event);
        m_mirror.act(m_window, [](ui::Window& d) { return ui::actions::pressEnter(d); });
        return;
    }
    if (key == Qt::Key_Escape) {
        m_mirror.act(m_window, [](ui::Window& d) {
            ui::actions::pressEscape(d);
            return std::wstring();
        });
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogWidget::closeEvent(QCloseEvent* event) {
    // The core ends the dialog (or not); the widget follows when it is hidden.
    event->ignore();
    m_mirror.act(m_window, [](ui::Window& d) {
        ui::actions::closeBox(d);
        return std::wstring();
    });
}

void DialogWidget::reject() {
    m_mirror.act(m_window, [](ui::Window& d) {
        ui::actions::pressEscape(d);
        return std::wstring();
    });
}

}  // namespace vx::qt
