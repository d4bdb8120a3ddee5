#include "qt/load_progress.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "acdb.h"
#include "db/read_progress.h"
#include "editor/db_bridge.h"
#include "qt/qt_text.h"
#include "render/space_query.h"

namespace vx::qt {
namespace {

constexpr int kBarSteps = 1000;
// Of the bar: reading the file; the rest is building the index the view draws through (about a
// third of the time on large drawings).
constexpr int kReadSteps = 700;
constexpr int kPollMs = 30;

// What the worker and the GUI thread share while a drawing is read.
struct Shared {
    std::atomic<int> value{0};  // where the bar stands, 0..kBarSteps
    std::atomic<bool> stop{false}, finished{false};
};

int stepsOf(uint64_t done, uint64_t total, int from, int to) {
    if (!total) return from;
    return from + static_cast<int>(std::min(done, total) * uint64_t(to - from) / total);
}

bool isUserInput(QEvent::Type t) {
    switch (t) {
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::Shortcut:
    case QEvent::ShortcutOverride: case QEvent::ContextMenu: case QEvent::TouchBegin: case QEvent::TouchUpdate:
    case QEvent::TouchEnd: case QEvent::Drop: case QEvent::Close:
        return true;
    default:
        return false;
    }
}

}  // namespace

DrawingLoader::DrawingLoader(QMainWindow& window) : QObject(&window), m_window(window) {
    m_panel = new QWidget(&window);
    m_panel->setObjectName(QStringLiteral("loadProgress"));
    auto* layout = new QHBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_label = new QLabel(m_panel);
    m_bar = new QProgressBar(m_panel);
    m_bar->setRange(0, kBarSteps);
    m_bar->setTextVisible(true);
    m_bar->setMinimumWidth(240);
    m_cancel = new QPushButton(QStringLiteral("取消"), m_panel);
    m_cancel->setObjectName(QStringLiteral("loadCancel"));
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    window.statusBar()->addWidget(m_panel, 1);
    m_panel->hide();
    connect(m_cancel, &QPushButton::clicked, this, [this] { cancel(); });
}

DrawingLoader::~DrawingLoader() {
    if (m_loading) qApp->removeEventFilter(this);
    editor::setDrawingReader(nullptr);
}

void DrawingLoader::install() {
    editor::setDrawingReader([this](const std::wstring& path, std::wstring& why) { return read(path, why); });
}

void DrawingLoader::cancel() {
    if (m_loading) m_cancelled = true;
}

AcDbDatabase* DrawingLoader::read(const std::wstring& path, std::wstring& why) {
    // A read asked for while one runs (a menu of a nested loop) waits for no one: refuse it.
    if (m_loading) {
        why = L"another drawing is being opened";
        return nullptr;
    }
    auto shared = std::make_shared<Shared>();
    std::unique_ptr<AcDbDatabase> result;
    std::wstring reason;
    m_loading = true;
    m_cancelled = false;
    m_label->setText(QStringLiteral("正在打开 %1").arg(QFileInfo(toQ(path)).fileName()));
    m_bar->setValue(0);
    m_panel->show();
    qApp->installEventFilter(this);

    std::thread worker([shared, path, &result, &reason] {
        vx::db::ReadProgressScope scope([&shared](uint64_t done, uint64_t total) {
            shared->value = stepsOf(done, total, 0, kReadSteps);
            return !shared->stop.load();
        });
        result.reset(editor::readDrawingFile(path, reason));
        // The drawing is this thread's until it is handed over: its index is built here, so that
        // the first picture of a large drawing does not wait for it on the GUI thread.
        if (result) {
            const bool built = render::prepareSpaceIndex(result->modelSpaceId(), [&shared](uint64_t done, uint64_t total) {
                shared->value = stepsOf(done, total, kReadSteps, kBarSteps);
                return !shared->stop.load();
            });
            if (built) shared->value = kBarSteps;
            else result.reset();
        }
        shared->finished = true;
    });

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (m_cancelled) shared->stop = true;
        // Read before the figures: once the worker has finished, its last report is seen too.
        const bool finished = shared->finished;
        const int value = shared->value;
        if (value != m_bar->value()) {
            m_bar->setValue(value);
            if (onProgress) onProgress(value);
        }
        if (finished) loop.quit();
    });
    poll.start();
    loop.exec();
    worker.join();

    qApp->removeEventFilter(this);
    m_panel->hide();
    m_loading = false;
    if (!result) {
        why = m_cancelled ? L"the load was cancelled" : reason;
        if (!m_cancelled) showFailure(path, why);
        return nullptr;
    }
    return result.release();
}

void DrawingLoader::showFailure(const std::wstring& path, const std::wstring& why) {
    if (!showFailures) return;
    QMessageBox::warning(&m_window, QStringLiteral("vxhost"),
                         QStringLiteral("无法打开 %1：\n%2").arg(toQ(path), toQ(why)));
}

bool DrawingLoader::eventFilter(QObject* watched, QEvent* event) {
    if (!m_loading || !isUserInput(event->type())) return false;
    if (watched == m_cancel || (watched->isWidgetType() && m_cancel->isAncestorOf(static_cast<QWidget*>(watched))))
        return event->type() == QEvent::Close;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) cancel();
    // Windows closing is left to their owners once the drawing is there.
    if (event->type() == QEvent::Close) event->ignore();
    return true;
}

}  // namespace vx::qt
