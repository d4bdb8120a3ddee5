// The drawing view: what a scene draws lands on the screen where the view's map says, the
// wheel zooms about the cursor, the middle button pans, and the mouse answers the editor's
// prompts as input events (clicks, picks, windows, crossings, jig moves, Enter, Esc).
#include <QImage>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <functional>

#include "acdb.h"
#include "dbid.h"
#include "editor/command_line.h"
#include "editor/input_event.h"
#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "qt/synthetic_input.h"
#include "render/scene.h"

using namespace vx;
using editor::EventKind;
using editor::Expect;

namespace {

// A square from (0,0) to (100,100) and its diagonal, in colour 1 (red).
class SquareScene : public render::Scene {
public:
    void draw(AcDbObjectId, const render::Box2& window, const render::DrawOptions&, render::PrimitiveSink& sink,
              render::DrawStats& stats) override {
        ++draws;
        lastWindow = window;
        render::Geometry g;
        g.lines.push_back({{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true});
        g.lines.push_back({{{0, 0}, {100, 100}}, false});
        render::Pen pen;
        pen.color.r = 255;
        pen.color.g = pen.color.b = 0;
        pen.color.aci = 1;
        sink.add(pen, g, render::Affine());
        ++stats.entities;
    }
    render::Box2 extents(AcDbObjectId) override {
        render::Box2 b;
        b.add(render::Vec2{0, 0});
        b.add(render::Vec2{100, 100});
        return b;
    }
    render::Box2 entityExtents(AcDbObjectId) override { return extents(AcDbObjectId()); }
    int draws = 0;
    render::Box2 lastWindow;
};

bool reddish(QRgb c) { return qRed(c) > 100 && qRed(c) > 2 * qGreen(c) && qRed(c) > 2 * qBlue(c); }

// An antialiased hairline covers the pixels around the exact point it passes through.
bool redNear(const QImage& image, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (reddish(image.pixel(x + dx, y + dy))) return true;
    return false;
}

}  // namespace

class DrawingViewTest : public QObject {
    Q_OBJECT

    qt::GuiInput* input = nullptr;
    qt::DrawingView* view = nullptr;
    SquareScene* scene = nullptr;
    std::wstring transcript;
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>(true, true);

    // What readEvent gives while `gesture` runs on the view once the read waits.
    editor::InputEvent answerTo(Expect expect, const std::function<void()>& gesture) {
        QTimer::singleShot(0, view, gesture);
        return editor::readEvent(L"\nPrompt: ", expect);
    }

private slots:
    void init() {
        editor::CommandLine& cl = editor::CommandLine::get();
        cl.reset();
        cl.setEchoToStdout(false);
        transcript.clear();
        cl.setCapture(&transcript);
        input = new qt::GuiInput;
        cl.pushSource(input->source());
        view = new qt::DrawingView(*input);
        view->resize(400, 300);
        view->setSceneMaker([this](AcDbDatabase&) {
            auto s = std::make_unique<SquareScene>();
            scene = s.get();
            return s;
        });
        view->show(db.get(), db->modelSpaceId());
        view->QWidget::show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    void cleanup() {
        delete view;
        editor::CommandLine::get().reset();
        delete input;
    }

    void zoomExtentsShowsTheWholeDrawing() {
        const QImage shot = view->grab().toImage();
        // 90% of the height (300 px) for 100 units, centred: the square's corners at the map's points.
        QCOMPARE(view->unitsPerPixel(), 100.0 / 270);
        const QPointF lowerLeft = view->toPixels({0, 0}), upperRight = view->toPixels({100, 100});
        QCOMPARE(lowerLeft, QPointF(65, 285));
        QCOMPARE(upperRight, QPointF(335, 15));
        QVERIFY(redNear(shot, 200, 285));  // the bottom edge
        QVERIFY(redNear(shot, 200, 150));  // the diagonal, through the middle
        QVERIFY(!redNear(shot, 20, 20));   // outside the square
        QVERIFY(!redNear(shot, 250, 200)); // inside it, off the lines
        QVERIFY(scene->lastWindow.x0 < 0 && scene->lastWindow.x1 > 100);  // the view's window asked for
    }

    void wheelZoomsAboutTheCursor() {
        const QPointF at(300, 60);
        const render::Vec2 before = view->toWorld(at);
        const double units = view->unitsPerPixel();
        QWheelEvent in(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &in);
        QVERIFY(view->unitsPerPixel() < units);
        const render::Vec2 after = view->toWorld(at);
        QVERIFY(std::abs(after.x - before.x) < 1e-9 && std::abs(after.y - before.y) < 1e-9);
        const int drawn = scene->draws;
        view->grab();
        QCOMPARE(scene->draws, drawn + 1);  // drawn again once, at the next paint
        view->grab();
        QCOMPARE(scene->draws, drawn + 1);  // a paint without a change shows the cached image
    }

    void middleButtonPans() {
        const render::Vec2 before = view->toWorld(QPointF(100, 100));
        qt::hand::press(view, QPoint(100, 100), Qt::MiddleButton);
        qt::hand::move(view, QPoint(160, 70), Qt::MiddleButton);
        qt::hand::release(view, QPoint(160, 70), Qt::MiddleButton);
        const render::Vec2 after = view->toWorld(QPointF(160, 70));
        QVERIFY(std::abs(after.x - before.x) < 1e-9 && std::abs(after.y - before.y) < 1e-9);
    }

    // A pan moves the cached image and draws only the strips that came into view: the result is
    // the image a full redraw of the panned view gives.
    void aPanDrawsOnlyTheNewStripsAndMatchesAFullRedraw() {
        view->grab();
        const int renders = view->renders();
        const double unitsPerPixel = view->unitsPerPixel();
        const QPoint from(200, 150), to(237, 127);
        qt::hand::press(view, from, Qt::MiddleButton);
        qt::hand::move(view, to, Qt::MiddleButton);
        qt::hand::release(view, to, Qt::MiddleButton);
        const QImage panned = view->grab().toImage();
        QCOMPARE(view->renders(), renders + 1);
        // The last strip asked for is a band a few pixels wider than the pan, not the view.
        const render::Box2 strip = scene->lastWindow;
        QVERIFY(std::min(strip.width(), strip.height()) < (37 + 6) * unitsPerPixel);
        view->redraw();
        const QImage full = view->grab().toImage();
        QCOMPARE(panned.size(), full.size());
        // A line exactly on a pixel border may fall to either side of it by a rounding error of
        // the map: a pixel counts as wrong when no pixel next to it in the other image matches.
        auto close = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) <= 40 && std::abs(qGreen(a) - qGreen(b)) <= 40 &&
                   std::abs(qBlue(a) - qBlue(b)) <= 40;
        };
        int differing = 0;
        for (int y = 1; y + 1 < full.height(); ++y)
            for (int x = 1; x + 1 < full.width(); ++x) {
                bool matched = false;
                for (int dy = -1; dy <= 1 && !matched; ++dy)
                    for (int dx = -1; dx <= 1 && !matched; ++dx) matched = close(panned.pixel(x, y), full.pixel(x + dx, y + dy));
                if (!matched) ++differing;
            }
        QVERIFY2(differing == 0, QByteArray::number(differing));
        // The square's edges moved with the pan and were drawn into the new strips.
        QVERIFY(redNear(full, int(view->toPixels({0, 50}).x()), int(view->toPixels({0, 50}).y())));
    }

    void aZoomAfterAPanRedrawsTheWholeView() {
        view->grab();
        qt::hand::press(view, QPoint(200, 150), Qt::MiddleButton);
        qt::hand::move(view, QPoint(260, 150), Qt::MiddleButton);
        qt::hand::release(view, QPoint(260, 150), Qt::MiddleButton);
        const QPointF at(200, 150);
        QWheelEvent in(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &in);
        view->grab();
        const render::Box2 window = scene->lastWindow;
        QVERIFY(window.width() > 390 * view->unitsPerPixel() && window.height() > 290 * view->unitsPerPixel());
        const QImage shot = view->grab().toImage();
        const QPointF corner = view->toPixels({50, 50});  // on the diagonal
        QVERIFY(redNear(shot, int(corner.x()), int(corner.y())));
    }

    void aClickIsAPointAndAtSelectObjectsAPick() {
        const QPoint at(200, 150);
        const render::Vec2 w = view->toWorld(at);
        editor::InputEvent e = answerTo(Expect::kPoint, [this, at] { qt::hand::click(view, at); });
        QCOMPARE(int(e.kind), int(EventKind::kPoint));
        QCOMPARE(e.point[0], w.x);
        QCOMPARE(e.point[1], w.y);
        QCOMPARE(e.aperture, 0.0);
        e = answerTo(Expect::kSelection, [this, at] { qt::hand::click(view, at); });
        QCOMPARE(int(e.kind), int(EventKind::kPoint));
        QCOMPARE(e.aperture, qt::DrawingView::kPickBoxPixels * view->unitsPerPixel());
        // The transcript shows the point as it would have been typed.
        QVERIFY2(transcript.find(L"Prompt: " + editor::typedForm(e) + L"\n") != std::wstring::npos,
                 QString::fromStdWString(transcript).toUtf8());
    }

    void aDragIsAWindowLeftToRightAndACrossingRightToLeft() {
        const QPoint a(100, 100), b(250, 200);
        editor::InputEvent e = answerTo(Expect::kSelection, [this, a, b] {
            qt::hand::press(view, a);
            qt::hand::move(view, b, Qt::LeftButton);
            qt::hand::release(view, b);
        });
        QCOMPARE(int(e.kind), int(EventKind::kWindow));
        QCOMPARE(e.point[0], view->toWorld(a).x);
        QCOMPARE(e.corner[1], view->toWorld(b).y);
        e = answerTo(Expect::kSelection, [this, a, b] {
            qt::hand::press(view, b);
            qt::hand::move(view, a, Qt::LeftButton);
            qt::hand::release(view, a);
        });
        QCOMPARE(int(e.kind), int(EventKind::kCrossing));
        // A short wobble is still a click.
        e = answerTo(Expect::kSelection, [this, a] {
            qt::hand::press(view, a);
            qt::hand::release(view, a + QPoint(1, 1));
        });
        QCOMPARE(int(e.kind), int(EventKind::kPoint));
    }

    void aJigFollowsTheMouseWithoutFillingTheTranscript() {
        editor::InputEvent e = answerTo(Expect::kDrag, [this] { qt::hand::move(view, QPoint(50, 60)); });
        QCOMPARE(int(e.kind), int(EventKind::kDrag));
        QCOMPARE(e.point[0], view->toWorld(QPoint(50, 60)).x);
        QVERIFY(transcript.find(L"drag") == std::wstring::npos);
        // Moves at a point prompt are no answer: the click after them is.
        e = answerTo(Expect::kPoint, [this] {
            qt::hand::move(view, QPoint(10, 10));
            qt::hand::click(view, QPoint(20, 20));
        });
        QCOMPARE(int(e.kind), int(EventKind::kPoint));
    }

    void rightClickOrEnterFinishesAndEscCancels() {
        editor::InputEvent e = answerTo(Expect::kSelection, [this] { qt::hand::click(view, QPoint(10, 10), Qt::RightButton); });
        QCOMPARE(int(e.kind), int(EventKind::kEnter));
        e = answerTo(Expect::kSelection, [this] { qt::hand::key(view, Qt::Key_Return); });
        QCOMPARE(int(e.kind), int(EventKind::kEnter));
        e = answerTo(Expect::kDrag, [this] { qt::hand::key(view, Qt::Key_Escape); });
        QCOMPARE(int(e.kind), int(EventKind::kCancel));
    }
};

QTEST_MAIN(DrawingViewTest)
#include "drawing_view_test.moc"
