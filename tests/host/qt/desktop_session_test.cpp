// The desktop host as a user meets it: the sample drawing open in the main window with the module
// loaded, and every answer given through the real windows. Batch numbers: frames picked with
// mouse clicks and a window (highlighted while chosen), a pick given up with Esc, the update
// confirmed in a message box. A frame inserted by dragging it with the mouse and placing it with
// a click, another from the palette's button. The saved drawing is read back.
#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <map>

#include "acdb.h"
#include "dbents.h"
#include "editor/command_line.h"
#include "editor/db_bridge.h"
#include "editor/documents.h"
#include "editor/input_event.h"
#include "editor/session.h"
#include "qt/command_dock.h"
#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "qt/layout_tabs.h"
#include "qt/main_window.h"
#include "qt/painter_sink.h"
#include "qt/qt_backend.h"
#include "qt/synthetic_input.h"
#include "qt/wait_stack.h"
#include "render/scene.h"
#include "ui/dialog_actions.h"
#include "ui/window.h"

using namespace vx;
using qt::Wait;
using qt::WaitStack;

namespace {

constexpr int kStepTimeoutMs = 60000;

bool highlighted(QRgb c) {
    const QColor h = qt::highlightColor();
    return std::abs(qRed(c) - h.red()) < 50 && std::abs(qGreen(c) - h.green()) < 50 && qBlue(c) < 90;
}

struct Step {
    const char* what;
    std::function<bool()> ready;
    std::function<void()> act;
};

// The frames of the sample drawing (handle: lower left and upper right corners).
struct Frame {
    double x0, y0, x1, y1;
};
const std::map<std::wstring, Frame> kFrames = {
    {L"8C", {94100, -44550, 136100, -14850}},   // CODE-A3
    {L"D0", {0, -128800, 84100, -69400}},       // CODE-A1, second row
    {L"E0", {94100, -128800, 178200, -69400}},  // CODE-A1
    {L"F0", {188200, -128800, 272300, -69400}}, // CODE-A1
};

}  // namespace

class DesktopSessionTest : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    qt::QtBackend* backend = nullptr;
    qt::GuiInput* input = nullptr;
    qt::MainWindow* window = nullptr;
    std::wstring transcript;
    std::vector<Step> steps;
    size_t next = 0;
    QString failure;
    QElapsedTimer clock;

    QString path(const QString& name) const { return tmp.filePath(name); }

    // --- where the program waits ---
    bool waitingAt(Wait w) const {
        backend->mirror().flush();
        return !WaitStack::get().empty() && WaitStack::get().innermost() == w;
    }
    bool atPrompt(editor::Expect kind) const {
        editor::Expect e;
        return waitingAt(Wait::kCommandLine) && input->waiting() && editor::waitingFor(e) && e == kind;
    }
    bool atCommand() const { return waitingAt(Wait::kCommandLine) && input->idle(); }
    ui::Window* dialog(int control) const {
        if (!waitingAt(Wait::kDialog)) return nullptr;
        ui::Window* d = backend->modalDialog();
        QWidget* w = d ? backend->mirror().widgetOf(*d) : nullptr;
        return w && w->isVisible() && ui::actions::findControl(*d, control) ? d : nullptr;
    }
    QWidget* control(int id) const {
        ui::Window* d = backend->modalDialog();
        ui::Window* c = d ? ui::actions::findControl(*d, id) : nullptr;
        return c ? backend->mirror().widgetOf(*c) : nullptr;
    }
    QMessageBox* box() const {
        QMessageBox* b = waitingAt(Wait::kMessageBox) ? backend->messageBoxOpen() : nullptr;
        return b && b->isVisible() ? b : nullptr;
    }

    // --- what a hand does ---
    QPointF at(double x, double y) const { return window->view()->toPixels({x, y}); }
    void clickIn(int id) {
        QWidget* w = control(id);
        if (!w) return fail(QStringLiteral("control %1 is not on the screen").arg(id));
        qt::hand::click(w);
    }
    void choose(int id, const QString& item) {
        auto* list = qobject_cast<QListWidget*>(control(id));
        const auto found = list ? list->findItems(item, Qt::MatchExactly) : QList<QListWidgetItem*>();
        if (found.isEmpty()) return fail(QStringLiteral("no item %1 in list %2").arg(item).arg(id));
        qt::hand::click(list->viewport(), list->visualItemRect(found.front()).center());
    }
    void type(const QString& line) {
        QLineEdit* edit = window->commandDock()->inputLine();
        qt::hand::typeOver(edit, line);
        qt::hand::key(edit, Qt::Key_Return);
    }
    QStringList tabNames() const {
        QStringList names;
        for (int i = 0; i < window->layoutTabs()->count(); ++i) names << window->layoutTabs()->tabText(i);
        return names;
    }
    int rows(int id) const {
        auto* t = qobject_cast<QTableWidget*>(control(id));
        return t ? t->rowCount() : -1;
    }
    // Pixels along the frame's left edge drawn in the highlight colour (a pixel either side).
    int highlightedAlongLeftEdge(const QImage& image, const Frame& f) const {
        int n = 0;
        for (int i = 1; i < 20; ++i) {
            const QPoint p = at(f.x0, f.y0 + (f.y1 - f.y0) * i / 20).toPoint();
            for (int dx = -2; dx <= 2; ++dx)
                if (image.rect().contains(p.x() + dx, p.y()) && highlighted(image.pixel(p.x() + dx, p.y()))) {
                    ++n;
                    break;
                }
        }
        return n;
    }

    // Gives up: whatever waits is closed, so the session ends.
    void fail(const QString& why) {
        if (failure.isEmpty()) failure = why;
        input->close();
        QTimer::singleShot(0, window, [this] { closeWhatWaits(); });
    }
    void closeWhatWaits() {
        if (WaitStack::get().empty() || !window) return;
        if (QMessageBox* b = backend->messageBoxOpen()) b->reject();
        else if (ui::Window* d = backend->modalDialog()) {
            d->ended = true;
            d->result = IDCANCEL;
            ui::changed(*d);
        }
        QTimer::singleShot(50, window, [this] { closeWhatWaits(); });
    }
    // The next look is armed before a step acts: a gesture may run a nested event loop (a pick,
    // a dialog) that returns only when a later step has answered it.
    void pump() {
        if (next >= steps.size() || !failure.isEmpty()) return;
        if (steps[next].ready()) {
            clock.restart();
            Step& step = steps[next++];
            if (next == steps.size()) {
                // Everything done: the input ends, as a script ends, once the step is through.
                QTimer::singleShot(0, window, [this] { input->close(); });
            } else {
                QTimer::singleShot(10, window, [this] { pump(); });
            }
            step.act();
            return;
        }
        if (clock.elapsed() > kStepTimeoutMs)
            return fail(QStringLiteral("timed out before: %1").arg(QString::fromUtf8(steps[next].what)));
        QTimer::singleShot(10, window, [this] { pump(); });
    }

    // One session of the desktop host on the sample drawing with the module, as vxhost-gui runs it.
    void runSession() {
        auto owned = std::make_unique<qt::QtBackend>();
        backend = owned.get();
        ui::setBackend(std::move(owned));
        input = new qt::GuiInput;
        window = new qt::MainWindow(*input);
        backend->mirror().setMainWindow(window);
        input->onWait = [this] { window->refresh(); };
        backend->mirror().outsideDialogs = [this](std::function<void()> g) { return input->atCommandPrompt(std::move(g)); };
        window->view()->setSceneMaker(render::makeScene);
        window->resize(1280, 860);
        window->show();
        editor::CommandLine& cl = editor::CommandLine::get();
        cl.reset();
        cl.setEchoToStdout(false);
        cl.setCapture(&transcript);
        const editor::SessionOptions options{path("input.dxf").toStdString(), path("module/VorlixDesign.arx").toStdString(),
                                             false, VX_SOURCE_DIR};
        QCOMPARE(int(editor::startSession(options)), int(editor::StartResult::kStarted));
        cl.pushSource(input->source());
        clock.start();
        QTimer::singleShot(0, window, [this] { pump(); });
        editor::loadSessionModule(options);
        editor::runSession();
        editor::endSession();
        backend->mirror().flush();
        backend->mirror().setMainWindow(nullptr);
        delete window;
        window = nullptr;
        ui::setBackend(nullptr);
        delete input;
        input = nullptr;
        cl.reset();
    }

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        qputenv("HOME", tmp.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
        qputenv("VX_UPDATE_SERVICE", "");
        QDir().mkpath(path("module"));
        const QString module = QStringLiteral(VX_BINARY_DIR "/module/");
        if (!QFile::exists(module + "VorlixDesign.arx")) QSKIP("the module is not built");
        QVERIFY(QFile::copy(module + "VorlixDesign.arx", path("module/VorlixDesign.arx")));
        QFile::copy(module + "TKATT.ini", path("module/TKATT.ini"));
        QFile ini(path("module/SHEETCONFIG.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SYSEMSET]\nSHEETTEMPPATH=" VX_SOURCE_DIR "/samples/templates/utf8\nDEPARTCODE=CODE\n");
        ini.close();
        QVERIFY(QFile::copy(QStringLiteral(VX_SOURCE_DIR "/samples/drawings/project.dxf"), path("input.dxf")));
    }

    void framesPickedAndDraggedWithTheMouse() {
        const Frame a3 = kFrames.at(L"8C");
        int rowsAfterPicks = -1, rowsAfterEsc = -1, highlightAfterClick = 0, highlightBeforeClick = 0;
        int secondRowHighlighted = 0;
        QString boxText;
        QStringList tabsBefore;
        bool layoutShown = false;
        QPointF placedAt, paletteAt;
        render::Vec2 placedWorld{}, paletteWorld{};
        auto select = [this] { return atPrompt(editor::Expect::kSelection); };
        auto jig = [this] { return atPrompt(editor::Expect::kDrag); };
        steps = {
            {"VXBPN", [this] { return atCommand(); }, [this] { type(QStringLiteral("VXBPN")); }},
            {"pick frames", [this] { return dialog(171) != nullptr; }, [this] { clickIn(171); }},
            {"click on the A3 frame's edge", select,
             [&, a3] {
                 highlightBeforeClick = highlightedAlongLeftEdge(window->view()->grab().toImage(), a3);
                 qt::hand::clickAt(window->view(), at(a3.x0, (a3.y0 + a3.y1) / 2));
             }},
            {"a window around the second row", select,
             [&, a3] {
                 highlightAfterClick = highlightedAlongLeftEdge(window->view()->grab().toImage(), a3);
                 const QPointF from = at(-2000, -60000), to = at(276000, -132000);
                 qt::hand::press(window->view(), from);
                 qt::hand::move(window->view(), (from + to) / 2, Qt::LeftButton);
                 qt::hand::move(window->view(), to, Qt::LeftButton);
                 qt::hand::release(window->view(), to);
             }},
            {"right click to finish", select,
             [&] {
                 const QImage shot = window->view()->grab().toImage();
                 for (const wchar_t* h : {L"D0", L"E0", L"F0"})
                     if (highlightedAlongLeftEdge(shot, kFrames.at(h)) > 10) ++secondRowHighlighted;
                 qt::hand::click(window->view(), QPoint(20, 20), Qt::RightButton);
             }},
            {"pick again", [this] { return dialog(171) != nullptr; },
             [&] {
                 rowsAfterPicks = rows(131);
                 clickIn(171);
             }},
            {"Esc in the pick", select, [this] { qt::hand::key(window->view(), Qt::Key_Escape); }},
            {"the fixed part", [this] { return dialog(168) != nullptr; },
             [&] {
                 rowsAfterEsc = rows(131);
                 qt::hand::typeOver(control(168), QStringLiteral("S-"));
             }},
            {"update", [this] { return dialog(173) != nullptr; }, [this] { clickIn(173); }},
            {"the message box", [this] { return box() != nullptr; },
             [&] {
                 boxText = box()->text();
                 qt::hand::click(box()->button(QMessageBox::Ok) ? box()->button(QMessageBox::Ok) : box()->buttons().front());
             }},
            {"close", [this] { return dialog(2) != nullptr; }, [this] { clickIn(2); }},
            {"VXIS", [this] { return atCommand(); }, [this] { type(QStringLiteral("VXIS")); }},
            {"choose CODE-A3", [this] { return dialog(120) != nullptr; }, [this] { choose(120, QStringLiteral("CODE-A3")); }},
            {"take it", [this] { return dialog(137) != nullptr; }, [this] { clickIn(137); }},
            {"drag", jig, [this] { qt::hand::move(window->view(), at(150000, -30000)); }},
            {"drag further", jig, [this] { qt::hand::move(window->view(), at(160000, -35000)); }},
            {"place with a click", jig,
             [&] {
                 placedAt = at(170000, -40000).toPoint();
                 placedWorld = window->view()->toWorld(placedAt);
                 qt::hand::clickAt(window->view(), placedAt);
             }},
            {"the palette's insert", [this] { return atCommand(); },
             [this] {
                 QPushButton* button = nullptr;
                 for (QDockWidget* dock : window->findChildren<QDockWidget*>())
                     for (QPushButton* b : dock->findChildren<QPushButton*>())
                         if (b->text() == QStringLiteral("插入图框")) button = b;
                 if (!button) return fail(QStringLiteral("no palette button 插入图框"));
                 qt::hand::click(button);
             }},
            {"choose A3", [this] { return dialog(120) != nullptr; }, [this] { choose(120, QStringLiteral("A3")); }},
            {"take it", [this] { return dialog(137) != nullptr; }, [this] { clickIn(137); }},
            {"place it", jig,
             [&] {
                 paletteAt = at(200000, -20000).toPoint();
                 paletteWorld = window->view()->toWorld(paletteAt);
                 qt::hand::move(window->view(), paletteAt);
                 qt::hand::clickAt(window->view(), paletteAt);
             }},
            {"the layout's tab", [this] { return atCommand(); },
             [&] {
                 tabsBefore = tabNames();
                 QTabBar* tabs = window->layoutTabs();
                 qt::hand::click(tabs, tabs->tabRect(1).center());
             }},
            {"back to the model's tab", [this] { return atCommand() && window->layoutTabs()->currentIndex() == 1; },
             [&] {
                 AcDbDatabase* db = editor::documentManager().current()->database();
                 layoutShown = window->view()->shownSpace() != db->modelSpaceId() &&
                               window->view()->shownSpace() == editor::currentSpace(db);
                 QTabBar* tabs = window->layoutTabs();
                 qt::hand::click(tabs, tabs->tabRect(0).center());
             }},
            {"SAVEAS", [this] { return atCommand() && window->layoutTabs()->currentIndex() == 0; },
             [this] { type(QStringLiteral("SAVEAS")); }},
            {"its name", [this] { return waitingAt(Wait::kCommandLine) && input->waiting(); },
             [this] { type(path("out.dxf")); }},
        };
        runSession();
        QVERIFY2(failure.isEmpty(), failure.toUtf8() + "\n" + QString::fromStdWString(transcript).right(3000).toUtf8());
        QCOMPARE(next, steps.size());

        // Nothing highlighted before the pick; the picked frame and the window's three after.
        QCOMPARE(highlightBeforeClick, 0);
        QVERIFY2(highlightAfterClick > 10, QByteArray::number(highlightAfterClick));
        QCOMPARE(secondRowHighlighted, 3);
        QCOMPARE(rowsAfterPicks, 4);
        QCOMPARE(rowsAfterEsc, 4);
        QCOMPARE(boxText, QStringLiteral("共更新成功4个图号！"));
        QVERIFY(transcript.find(L"Select objects: ") != std::wstring::npos);
        // The tabs: the model and the drawing's layout; a click on one makes it current.
        QCOMPARE(tabsBefore, QStringList({QStringLiteral("Model"), QStringLiteral("Layout1")}));
        QVERIFY(transcript.find(L"Enter new value for CTAB <Model>: Layout1") != std::wstring::npos);
        QVERIFY(transcript.find(L"Enter new value for CTAB <Layout1>: Model") != std::wstring::npos);
        QVERIFY(layoutShown);

        // The saved drawing: the dragged frame where the click was, the palette's where its click was.
        AcDbDatabase saved(false, true);
        QCOMPARE(saved.readDwgFile(path("out.dxf").toStdWString().c_str()), Acad::eOk);
        std::vector<AcGePoint3d> inserted;
        for (const AcDbEntity* e : editor::entitiesOf(saved.modelSpaceId()))
            if (const auto* ref = AcDbBlockReference::cast(e)) {
                if (ref->position().y > -40001 && ref->position().x > 149000) inserted.push_back(ref->position());
            }
        QCOMPARE(inserted.size(), size_t(2));
        QVERIFY(std::abs(inserted[0].x - placedWorld.x) < 1e-6 && std::abs(inserted[0].y - placedWorld.y) < 1e-6);
        QVERIFY(std::abs(inserted[1].x - paletteWorld.x) < 1e-6 && std::abs(inserted[1].y - paletteWorld.y) < 1e-6);
    }
};

QTEST_MAIN(DesktopSessionTest)
#include "desktop_session_test.moc"
