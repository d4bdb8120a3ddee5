// What the view shows while a prompt waits: the entities a selection has chosen, highlighted
// above the cached image without drawing the drawing again; the entity a jig drags, following
// the cursor while the cached image leaves it out; the zoom window's rectangle.
#include <QTimer>
#include <QtTest>
#include <functional>

#include "acdb.h"
#include "aced.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbjig.h"
#include "editor/command_line.h"
#include "editor/db_bridge.h"
#include "editor/host_commands.h"
#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "qt/painter_sink.h"
#include "qt/scripted_mouse.h"
#include "qt/zoom_command.h"
#include "qt/synthetic_input.h"
#include "render/scene.h"

using namespace vx;

namespace {

render::Pen redPen() {
    render::Pen pen;
    pen.color.r = 255;
    pen.color.g = pen.color.b = 0;
    pen.color.aci = 1;
    return pen;
}

void addLine(render::Geometry& g, const AcDbEntity* e) {
    if (const auto* l = AcDbLine::cast(e))
        g.lines.push_back({{{l->startPoint().x, l->startPoint().y}, {l->endPoint().x, l->endPoint().y}}, false});
}

// Draws the lines of model space in red, as the renderer's scene would.
class LineScene : public render::Scene {
public:
    void draw(AcDbObjectId space, const render::Box2&, const render::DrawOptions& options, render::PrimitiveSink& sink,
              render::DrawStats&) override {
        ++draws;
        leftOut = options.leaveOut;
        render::Geometry g;
        for (const AcDbEntity* e : editor::entitiesOf(space))
            if (e != options.leaveOut && !e->isErased()) addLine(g, e);
        sink.add(redPen(), g, render::Affine());
    }
    render::Box2 extents(AcDbObjectId) override {
        render::Box2 b;
        b.add(render::Vec2{0, 0});
        b.add(render::Vec2{100, 100});
        return b;
    }
    render::Box2 entityExtents(AcDbObjectId) override { return extents(AcDbObjectId()); }
    void drawEntities(const std::vector<const AcDbEntity*>& entities, const render::DrawOptions&, render::PrimitiveSink& sink,
                      render::DrawStats&) override {
        entitiesDrawn += entities.size();
        render::Geometry g;
        for (const AcDbEntity* e : entities) addLine(g, e);
        sink.add(redPen(), g, render::Affine());
    }
    int draws = 0;
    size_t entitiesDrawn = 0;
    const AcDbEntity* leftOut = nullptr;
};

bool highlighted(QRgb c) {
    const QColor h = qt::highlightColor();
    return std::abs(qRed(c) - h.red()) < 40 && std::abs(qGreen(c) - h.green()) < 40 && qBlue(c) < 80;
}
bool reddish(QRgb c) { return qRed(c) > 100 && qRed(c) > 2 * qGreen(c) && qRed(c) > 2 * qBlue(c); }

// How many pixels along the horizontal line y (from x0 to x1) pass the test, a pixel either side.
int along(const QImage& image, int y, int x0, int x1, bool (*test)(QRgb)) {
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        for (int dy = -1; dy <= 1; ++dy)
            if (test(image.pixel(x, y + dy))) {
                ++n;
                break;
            }
    return n;
}

// Follows the cursor by moving its line so that the line starts where the cursor is.
class LineJig : public AcEdJig {
public:
    explicit LineJig(AcDbLine* line) : m_line(line) { setDispPrompt(L"\nPlace: "); }
    DragStatus sampler() override { return acquirePoint(m_at); }
    bool update() override {
        const AcGeVector3d length = m_line->endPoint() - m_line->startPoint();
        m_line->setStartPoint(m_at);
        m_line->setEndPoint(m_at + length);
        return true;
    }
    AcDbEntity* entity() const override { return m_line; }

private:
    AcDbLine* m_line;
    AcGePoint3d m_at;
};

}  // namespace

class ViewFeedbackTest : public QObject {
    Q_OBJECT

    qt::GuiInput* input = nullptr;
    qt::DrawingView* view = nullptr;
    LineScene* scene = nullptr;
    std::wstring transcript;
    AcDbDatabase* db = nullptr;
    std::vector<AcDbObjectId> ids;

    AcDbObjectId line(double x1, double y1, double x2, double y2) {
        auto* l = new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0));
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForWrite);
        AcDbObjectId id;
        ms->appendAcDbEntity(id, l);
        l->close();
        return id;
    }
    std::vector<std::function<void()>> steps;
    size_t step = 0;
    // Runs the gestures one after the other, each once the program waits again.
    void whileWaiting(std::vector<std::function<void()>> gestures) {
        steps = std::move(gestures);
        step = 0;
        QTimer::singleShot(0, view, [this] { pump(); });
    }
    void pump() {
        if (step >= steps.size()) return;
        if (input->waiting()) steps[step++]();
        QTimer::singleShot(5, view, [this] { pump(); });
    }

private slots:
    void init() {
        editor::CommandLine& cl = editor::CommandLine::get();
        cl.reset();
        cl.setEchoToStdout(false);
        transcript.clear();
        cl.setCapture(&transcript);
        db = new AcDbDatabase(true, true);
        acdbHostApplicationServices()->setWorkingDatabase(db);
        ids = {line(10, 20, 90, 20), line(10, 80, 90, 80)};
        input = new qt::GuiInput;
        cl.pushSource(input->source());
        view = new qt::DrawingView(*input);
        view->resize(400, 300);
        view->setSceneMaker([this](AcDbDatabase&) {
            auto s = std::make_unique<LineScene>();
            scene = s.get();
            return s;
        });
        input->onWait = [this] { view->show(db, db->modelSpaceId()); };
        view->show(db, db->modelSpaceId());
        view->QWidget::show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    void cleanup() {
        delete view;
        editor::CommandLine::get().reset();
        delete input;
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
    }

    void chosenEntitiesAreHighlightedWithoutDrawingTheDrawingAgain() {
        const QPoint lower = view->toPixels({50, 20}).toPoint(), upper = view->toPixels({50, 80}).toPoint();
        const int x0 = int(view->toPixels({20, 0}).x()), x1 = int(view->toPixels({80, 0}).x());
        QImage afterFirst, afterSecond;
        int rendersBefore = 0, rendersAfter = 0;
        whileWaiting({
            [&] {
                view->grab();
                rendersBefore = view->renders();
                qt::hand::click(view, lower);
            },
            [&] {
                afterFirst = view->grab().toImage();
                qt::hand::click(view, upper);
            },
            [&] {
                afterSecond = view->grab().toImage();
                rendersAfter = view->renders();
                qt::hand::key(view, Qt::Key_Return);
            },
        });
        ads_name ss;
        QCOMPARE(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
        int32_t n = 0;
        acedSSLength(ss, &n);
        acedSSFree(ss);
        QCOMPARE(n, 2);
        // The first pick highlights the lower line only; the upper one keeps its own colour.
        QVERIFY(along(afterFirst, lower.y(), x0, x1, highlighted) > (x1 - x0) / 3);
        QCOMPARE(along(afterFirst, upper.y(), x0, x1, highlighted), 0);
        QVERIFY(along(afterFirst, upper.y(), x0, x1, reddish) > (x1 - x0) / 2);
        QVERIFY(along(afterSecond, upper.y(), x0, x1, highlighted) > (x1 - x0) / 3);
        // Each chosen entity was drawn into the overlay once; the drawing was not drawn again.
        QCOMPARE(scene->entitiesDrawn, size_t(2));
        QCOMPARE(rendersAfter, rendersBefore);
        // Once the selection ends nothing is highlighted.
        const QImage done = view->grab().toImage();
        QCOMPARE(along(done, lower.y(), x0, x1, highlighted), 0);
    }

    void theJigsEntityFollowsTheCursorAboveTheCachedImage() {
        AcDbObjectPointer<AcDbLine> moving(ids[0], AcDb::kForWrite);
        QCOMPARE(moving.openStatus(), Acad::eOk);
        LineJig jig(moving.object());
        const QPoint a = view->toPixels({20, 50}).toPoint(), b = view->toPixels({30, 60}).toPoint();
        QImage atA, atB;
        int rendersAtA = 0, rendersAtB = 0;
        whileWaiting({
            [&] { qt::hand::move(view, a); },
            [&] {
                atA = view->grab().toImage();
                rendersAtA = view->renders();
                qt::hand::move(view, b);
            },
            [&] {
                atB = view->grab().toImage();
                rendersAtB = view->renders();
                qt::hand::click(view, b);
            },
        });
        QCOMPARE(int(jig.drag()), int(AcEdJig::kNormal));
        // The cached image left the dragged line out; the overlay drew it where the cursor was.
        QCOMPARE(rendersAtB, rendersAtA);
        const int length = int(view->toPixels({80, 0}).x() - view->toPixels({0, 0}).x());
        QVERIFY(along(atA, a.y(), a.x() + 2, a.x() + length - 2, reddish) > length * 3 / 4);
        QCOMPARE(along(atB, a.y(), a.x() + 2, a.x() + length - 2, reddish), 0);
        QVERIFY(along(atB, b.y(), b.x() + 2, b.x() + length - 2, reddish) > length * 3 / 4);
        // Not where it was before the drag either.
        const int y20 = int(view->toPixels({0, 20}).y());
        QCOMPARE(along(atB, y20, int(view->toPixels({12, 0}).x()), int(view->toPixels({88, 0}).x()), reddish), 0);
        QVERIFY(scene->leftOut == moving.object());
        QCOMPARE(moving->startPoint().x, view->toWorld(b).x);
        // Placed: the drawing holds it again.
        view->show(db, db->modelSpaceId());
        view->grab();
        QVERIFY(scene->leftOut == nullptr);
    }

    // A script's answers reach the prompt through the view's mouse handling, to the last bit of
    // the typed coordinates, echoed as the script's line.
    editor::InputEvent scripted(const std::wstring& line, editor::Expect expect, bool& byMouse) {
        QTimer::singleShot(0, view, [&, line, expect] {
            byMouse = qt::answerWithMouse(*view, *input, line, expect);
            if (!byMouse) input->type(line);
        });
        return editor::readEvent(L"\nPrompt: ", expect);
    }

    void scriptedPointsAndWindowsAreMouseGestures() {
        bool byMouse = false;
        editor::InputEvent e = scripted(L"12.345678901,67.891", editor::Expect::kPoint, byMouse);
        QVERIFY(byMouse);
        QCOMPARE(int(e.kind), int(editor::EventKind::kPoint));
        QCOMPARE(e.point[0], 12.345678901);
        QCOMPARE(e.point[1], 67.891);
        QVERIFY(transcript.find(L"Prompt: 12.345678901,67.891\n") != std::wstring::npos);
        // Far outside the view: the view pans to it first.
        e = scripted(L"-5000,7000", editor::Expect::kPoint, byMouse);
        QVERIFY(byMouse);
        QCOMPARE(e.point[0], -5000.0);
        QCOMPARE(e.point[1], 7000.0);
        QVERIFY(QRectF(view->rect()).contains(view->toPixels({-5000, 7000})));
        e = scripted(L"drag 30.5,40.25", editor::Expect::kDrag, byMouse);
        QCOMPARE(int(e.kind), int(editor::EventKind::kDrag));
        QCOMPARE(e.point[0], 30.5);
        QVERIFY(transcript.find(L"Prompt: drag 30.5,40.25\n") != std::wstring::npos);
        // A window typed right corner first is still dragged left to right: the mouse's event
        // starts at the left corner.
        e = scripted(L"W 90,95 10,15", editor::Expect::kSelection, byMouse);
        QVERIFY(byMouse);
        QCOMPARE(int(e.kind), int(editor::EventKind::kWindow));
        QCOMPARE(e.point[0], 10.0);
        QCOMPARE(e.point[1], 15.0);
        QCOMPARE(e.corner[0], 90.0);
        QCOMPARE(e.corner[1], 95.0);
        QVERIFY(transcript.find(L"Prompt: W 90,95 10,15\n") != std::wstring::npos);
        e = scripted(L"C 10,15 90,95", editor::Expect::kSelection, byMouse);
        QCOMPARE(int(e.kind), int(editor::EventKind::kCrossing));
        QCOMPARE(e.point[0], 90.0);
        // A window smaller than a drag: the view zooms in so that the hand can drag it.
        e = scripted(L"W 50,50 50.001,50.001", editor::Expect::kSelection, byMouse);
        QCOMPARE(int(e.kind), int(editor::EventKind::kWindow));
        QCOMPARE(e.corner[0], 50.001);
        // Keywords, ALL and points at "Select objects" stay typed.
        for (const wchar_t* typed : {L"ALL", L"H 1A", L"10,10"}) {
            scripted(typed, editor::Expect::kSelection, byMouse);
            QVERIFY(!byMouse);
        }
        scripted(L"Window", editor::Expect::kPoint, byMouse);
        QVERIFY(!byMouse);
    }

    void theZoomCommandFitsTwoCornersOrTheExtents() {
        qt::registerZoomCommand(*view);
        const editor::HostCommandFn* zoom = editor::findHostCommand(L"ZOOM");
        QVERIFY(zoom);
        // Corners in either order; the window's middle comes to the view's middle.
        input->type(L"30,60");
        input->type(L"10,20");
        (*zoom)(L"W");
        QCOMPARE(view->toPixels({20, 40}), QPointF(200, 150));
        QCOMPARE(view->unitsPerPixel(), 40.0 / 300 / 0.9);
        (*zoom)(L"e");
        QCOMPARE(view->unitsPerPixel(), 100.0 / 270);
        // Asked when not given; a wrong answer, a corner not given or a flat window change nothing.
        input->type(L"Q");
        (*zoom)(L"");
        QVERIFY(transcript.find(L"Zoom [Extents/Window] <Extents>: Q") != std::wstring::npos);
        QVERIFY(transcript.find(L"Answer E (extents) or W (window).") != std::wstring::npos);
        input->type(L"ESC");
        (*zoom)(L"W");
        input->type(L"10,20");
        input->type(L"50,20");
        (*zoom)(L"Window");
        QVERIFY(transcript.find(L"The corners must differ in x and in y.") != std::wstring::npos);
        QCOMPARE(view->unitsPerPixel(), 100.0 / 270);
        // A command that outlives its view does no harm.
        delete view;
        view = nullptr;
        (*zoom)(L"E");
        QVERIFY(transcript.find(L"No drawing view to zoom.") != std::wstring::npos);
    }

    void aZoomWindowFitsTheDraggedRectangleAndEscGivesItUp() {
        view->startZoomWindow();
        QVERIFY(view->zoomingWindow());
        // A click is no rectangle: the zoom window keeps waiting.
        qt::hand::click(view, QPoint(50, 50));
        QVERIFY(view->zoomingWindow());
        const render::Vec2 from = view->toWorld(QPoint(100, 100)), to = view->toWorld(QPoint(200, 150));
        const double before = view->unitsPerPixel();
        qt::hand::press(view, QPoint(100, 100));
        qt::hand::move(view, QPoint(200, 150), Qt::LeftButton);
        qt::hand::release(view, QPoint(200, 150));
        QVERIFY(!view->zoomingWindow());
        QVERIFY(view->unitsPerPixel() < before / 2);
        // The rectangle's corners are in view, its middle in the middle.
        const QPointF middle = view->toPixels({(from.x + to.x) / 2, (from.y + to.y) / 2});
        QVERIFY(std::abs(middle.x() - 200) < 1 && std::abs(middle.y() - 150) < 1);
        const QPointF corner = view->toPixels(from);
        QVERIFY(corner.x() >= 0 && corner.y() >= 0 && corner.x() < 40);
        // Nothing reached the input.
        QVERIFY(transcript.empty());
        view->startZoomWindow();
        qt::hand::key(view, Qt::Key_Escape);
        QVERIFY(!view->zoomingWindow());
    }
};

QTEST_MAIN(ViewFeedbackTest)
#include "view_feedback_test.moc"
