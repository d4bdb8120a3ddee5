#include "qt/plot_progress_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "plot/progress_dialogs.h"
#include "qt/qt_text.h"

namespace vx::qt {
namespace {

PlotProgressWindow* g_shown = nullptr;

void setBar(QProgressBar* bar, int lower, int upper, int pos) {
    bar->setRange(lower, upper > lower ? upper : lower + 1);
    bar->setValue(upper > lower ? pos : upper);
}

}  // namespace

PlotProgressWindow::PlotProgressWindow(bool preview, int sheets, bool showCancelSheetButton, QWidget* parent)
    : QDialog(parent), m_state(plot::makeConsoleProgressDialog(preview, sheets)) {
    setObjectName(QStringLiteral("plotProgress"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(420);
    auto* layout = new QVBoxLayout(this);
    m_sheetName = new QLabel(this);
    m_status = new QLabel(this);
    layout->addWidget(m_sheetName);
    layout->addWidget(m_status);
    auto* bars = new QGridLayout;
    m_sheetCaption = new QLabel(this);
    m_jobCaption = new QLabel(this);
    m_sheetBar = new QProgressBar(this);
    m_jobBar = new QProgressBar(this);
    bars->addWidget(m_sheetCaption, 0, 0);
    bars->addWidget(m_sheetBar, 0, 1);
    bars->addWidget(m_jobCaption, 1, 0);
    bars->addWidget(m_jobBar, 1, 1);
    layout->addLayout(bars);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cancelSheet = new QPushButton(this);
    m_cancelJob = new QPushButton(this);
    m_cancelSheet->setVisible(showCancelSheetButton);
    m_cancelSheet->setAutoDefault(false);
    m_cancelJob->setAutoDefault(false);
    buttons->addWidget(m_cancelSheet);
    buttons->addWidget(m_cancelJob);
    layout->addLayout(buttons);
    connect(m_cancelSheet, &QPushButton::clicked, this, [this] {
        m_state->setSheetCancelStatus(kSheetCanceledByCancelButton);
        refresh();
    });
    connect(m_cancelJob, &QPushButton::clicked, this, [this] {
        m_state->setPlotCancelStatus(kPlotCanceledByCancelAllButton);
        refresh();
    });
    refresh();
}

PlotProgressWindow::~PlotProgressWindow() {
    if (g_shown == this) g_shown = nullptr;
    m_state->destroy();
}

void PlotProgressWindow::install(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    plot::setProgressDialogFactory([owner](bool preview, int sheets, bool showCancelSheet) -> AcPlPlotProgressDialog* {
        return new PlotProgressWindow(preview, sheets, showCancelSheet, owner.data());
    });
}

void PlotProgressWindow::uninstall() { plot::setProgressDialogFactory(nullptr); }

PlotProgressWindow* PlotProgressWindow::shown() { return g_shown; }

void PlotProgressWindow::refresh() {
    const auto text = [this](PlotMSGIndex i) { return toQ(m_state->getPlotMsgString(i)); };
    setWindowTitle(text(kDialogTitle));
    m_sheetName->setText(text(kSheetName));
    m_sheetName->setToolTip(text(kSheetNameToolTip));
    m_sheetName->setVisible(!m_sheetName->text().isEmpty());
    // While a cancel is pending the status line says so, in the dialog's own words.
    QString status = text(kStatus);
    if (m_state->isPlotCancelled()) status = text(kMsgCancelling);
    else if (m_state->isSheetCancelled()) status = text(kMsgCancellingCurrent);
    m_status->setText(status);
    m_status->setVisible(!status.isEmpty());
    m_sheetCaption->setText(text(kSheetProgressCaption));
    m_jobCaption->setText(text(kSheetSetProgressCaption));
    m_cancelSheet->setText(text(kCancelSheetBtnMsg));
    m_cancelJob->setText(text(kCancelJobBtnMsg));
    m_cancelSheet->setEnabled(!m_state->isSheetCancelled() && !m_state->isPlotCancelled());
    m_cancelJob->setEnabled(!m_state->isPlotCancelled());
    int lower = 0, upper = 0;
    m_state->getSheetProgressRange(lower, upper);
    setBar(m_sheetBar, lower, upper, m_state->sheetProgressPos());
    m_state->getPlotProgressRange(lower, upper);
    setBar(m_jobBar, lower, upper, m_state->plotProgressPos());
}

// The plot runs on this thread: the window repaints and its buttons are heard only here.
void PlotProgressWindow::pump() {
    if (QDialog::isVisible()) QApplication::processEvents();
}

bool PlotProgressWindow::onBeginPlot() {
    const bool go = m_state->onBeginPlot();
    refresh();
    return go;
}
bool PlotProgressWindow::onEndPlot() { return m_state->onEndPlot(); }
bool PlotProgressWindow::onBeginSheet() {
    const bool go = m_state->onBeginSheet();
    refresh();
    pump();
    return go && !m_state->isSheetCancelled() && !m_state->isPlotCancelled();
}
bool PlotProgressWindow::onEndSheet() {
    const bool ok = m_state->onEndSheet();
    refresh();
    pump();
    return ok;
}

bool PlotProgressWindow::isVisible() const { return m_state->isVisible(); }
void PlotProgressWindow::setIsVisible(bool visible) {
    m_state->setIsVisible(visible);
    if (visible) {
        refresh();
        g_shown = this;
        show();
        raise();
        pump();
    } else {
        hide();
        if (g_shown == this) g_shown = nullptr;
    }
}

bool PlotProgressWindow::isPlotCancelled() const { return m_state->isPlotCancelled(); }
void PlotProgressWindow::setPlotCancelStatus(PlotCancelStatus status) {
    m_state->setPlotCancelStatus(status);
    refresh();
}
AcPlPlotProgress::PlotCancelStatus PlotProgressWindow::plotCancelStatus() const { return m_state->plotCancelStatus(); }
bool PlotProgressWindow::isSheetCancelled() const { return m_state->isSheetCancelled(); }
void PlotProgressWindow::setSheetCancelStatus(SheetCancelStatus status) {
    m_state->setSheetCancelStatus(status);
    refresh();
}
AcPlPlotProgress::SheetCancelStatus PlotProgressWindow::sheetCancelStatus() const { return m_state->sheetCancelStatus(); }

void PlotProgressWindow::setPlotProgressRange(int lower, int upper) {
    m_state->setPlotProgressRange(lower, upper);
    refresh();
}
void PlotProgressWindow::getPlotProgressRange(int& lower, int& upper) const { m_state->getPlotProgressRange(lower, upper); }
void PlotProgressWindow::setPlotProgressPos(int pos) {
    m_state->setPlotProgressPos(pos);
    refresh();
    pump();
}
int PlotProgressWindow::plotProgressPos() const { return m_state->plotProgressPos(); }
void PlotProgressWindow::setSheetProgressRange(int lower, int upper) {
    m_state->setSheetProgressRange(lower, upper);
    refresh();
}
void PlotProgressWindow::getSheetProgressRange(int& lower, int& upper) const { m_state->getSheetProgressRange(lower, upper); }
void PlotProgressWindow::setSheetProgressPos(int pos) {
    m_state->setSheetProgressPos(pos);
    refresh();
    pump();
}
int PlotProgressWindow::sheetProgressPos() const { return m_state->sheetProgressPos(); }
void PlotProgressWindow::heartbeat() {
    m_state->heartbeat();
    pump();
}

bool PlotProgressWindow::setPlotMsgString(PlotMSGIndex index, const ACHAR* text) {
    const bool ok = m_state->setPlotMsgString(index, text);
    refresh();
    return ok;
}
const ACHAR* PlotProgressWindow::getPlotMsgString(PlotMSGIndex index) const { return m_state->getPlotMsgString(index); }
bool PlotProgressWindow::isPreview() const { return m_state->isPreview(); }
void PlotProgressWindow::destroy() { delete this; }

// Closing the window or Esc while it plots means "cancel the job", as the button does.
void PlotProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_state->isVisible()) m_cancelJob->click();
}

void PlotProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (m_state->isVisible()) m_cancelJob->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace vx::qt
