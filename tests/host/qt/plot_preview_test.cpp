// The plot preview window: the page on white paper with ink only inside the paper (and inside
// the plot's clip), wheel zoom about the cursor, drag pan, zoom extents; and the preview output
// of the plot engine showing it, closed with Esc, after which the command goes on.
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include "plot/plot_output.h"
#include "plot/recording_canvas.h"
#include "qt/plot_preview_window.h"
#include "qt/synthetic_input.h"
#include "render/fonts.h"

using namespace vx;

namespace {

// An A3 landscape sheet whose plot window leaves 10 mm of paper on every side: a red border,
// a filled square, and a long diagonal that runs far past the paper (cut at the clip).
void drawPage(render::Canvas& c) {
    render::PageSpec page;
    page.widthMm = 420;
    page.heightMm = 297;
    page.clipMm.add(render::Vec2{10, 10});
    page.clipMm.add(render::Vec2{410, 287});
    QVERIFY(c.beginPage(page));
    render::OutputPen red{220, 0, 0, 0.5};
    c.strokePolylines(red, {{{{20, 20}, {400, 20}, {400, 277}, {20, 277}}, true}});
    c.strokePolylines(red, {{{{-300, -200}, {800, 500}}, false}});
    render::Polygon square;
    square.rings.push_back({{100, 100}, {150, 100}, {150, 150}, {100, 150}});
    c.fillPolygons(render::OutputPen{0, 0, 200, 0}, {square});
    QVERIFY(c.endPage());
}

bool desk(QRgb c) { return qRed(c) == 0x80 && qGreen(c) == 0x80 && qBlue(c) == 0x80; }
bool white(QRgb c) { return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245; }

struct InkCount {
    int insideClip = 0, paperMargin = 0, outsidePaper = 0;
};

// Sorts every pixel of the view's picture by where it lies: inside the plot's clip, on the
// paper's margin outside the clip, off the paper (the shadow's strip excepted).
InkCount countInk(const qt::PreviewPageView& view, const QImage& image) {
    InkCount n;
    const QRectF paper = view.paperRect();
    const QPointF c0 = view.toView(10, 287), c1 = view.toView(410, 10);
    const QRectF clip(c0, c1);
    const QRectF shadow = paper.translated(5, 5).united(paper).adjusted(-1, -1, 1, 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QPointF p(x + 0.5, y + 0.5);
            const QRgb c = image.pixel(x, y);
            if (!shadow.contains(p)) {
                if (!desk(c)) ++n.outsidePaper;
            } else if (clip.adjusted(2, 2, -2, -2).contains(p)) {
                if (!white(c)) ++n.insideClip;
            } else if (paper.adjusted(1, 1, -1, -1).contains(p) && !clip.adjusted(-2, -2, 2, 2).contains(p)) {
                if (!white(c)) ++n.paperMargin;
            }
        }
    return n;
}

}  // namespace

class PlotPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void thePageIsOnWhitePaperWithInkOnlyInsideIt() {
        plot::RecordingCanvas page;
        drawPage(page);
        qt::PlotPreviewWindow w(page, QStringLiteral("project"), nullptr);
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        qt::PreviewPageView& view = *w.view();
        // The whole sheet fits, centred, at its own proportions.
        const QRectF paper = view.paperRect();
        QVERIFY(QRectF(view.rect()).contains(paper));
        QVERIFY(std::abs(paper.width() / paper.height() - 420.0 / 297.0) < 0.01);
        const QImage image = view.grab().toImage();
        const InkCount ink = countInk(view, image);
        QVERIFY2(ink.insideClip > 500, qPrintable(QString::number(ink.insideClip)));
        QCOMPARE(ink.paperMargin, 0);
        QCOMPARE(ink.outsidePaper, 0);
        // The blue square sits where the paper's millimetres say.
        const QPoint mid = view.toView(125, 125).toPoint();
        const QRgb c = image.pixel(mid);
        QVERIFY2(qBlue(c) > 150 && qRed(c) < 60, qPrintable(QString::number(c, 16)));
    }

    void wheelZoomsAboutTheCursorDragPansAndExtentsComeBack() {
        plot::RecordingCanvas page;
        drawPage(page);
        qt::PlotPreviewWindow w(page, QStringLiteral("project"), nullptr);
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        qt::PreviewPageView& view = *w.view();
        const QRectF fitted = view.paperRect();
        const double scale = view.scale();
        const QPointF at = view.toView(125, 125);
        QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        QVERIFY(std::abs(view.scale() - scale * 1.5625) < 1e-9);
        const QPointF after = view.toView(125, 125);
        QVERIFY(std::abs(after.x() - at.x()) < 1e-6 && std::abs(after.y() - at.y()) < 1e-6);
        // The zoomed picture still keeps its ink on the paper.
        const InkCount zoomed = countInk(view, view.grab().toImage());
        QVERIFY(zoomed.insideClip > 0);
        QCOMPARE(zoomed.outsidePaper, 0);

        for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
            const QPointF before = view.origin();
            qt::hand::press(&view, QPoint(300, 300), button);
            qt::hand::move(&view, QPoint(340, 280), button);
            qt::hand::move(&view, QPoint(360, 250), button);
            qt::hand::release(&view, QPoint(360, 250), button);
            QCOMPARE(view.origin(), before + QPointF(60, -50));
        }
        QTest::mouseClick(w.extentsButton(), Qt::LeftButton);
        QCOMPARE(view.paperRect(), fitted);
        QCOMPARE(view.scale(), scale);
    }

    void theEnginesPreviewShowsTheWindowAndEscLetsTheCommandGoOn() {
        QTemporaryDir cache;
        QVERIFY(cache.isValid());
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        QWidget owner;
        owner.resize(1000, 800);
        qt::PlotPreviewWindow::install(&owner);
        bool seen = false, inkOnPaper = false;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            qt::PlotPreviewWindow* w = qt::PlotPreviewWindow::current();
            if (!w || !w->isVisible() || seen) return;
            seen = true;
            const InkCount ink = countInk(*w->view(), w->view()->grab().toImage());
            inkOnPaper = ink.insideClip > 0 && ink.outsidePaper == 0 && ink.paperMargin == 0;
            QVERIFY(w->windowTitle().contains(QStringLiteral("project")));
            QTest::keyClick(w, Qt::Key_Escape);
        });
        user.start(10);
        std::string error, done;
        auto output = plot::makePreviewOutput(L"C:\\work\\project.dwg", render::fontLibrary(), error);
        QVERIFY2(output, error.c_str());
        drawPage(output->canvas());
        QVERIFY2(output->finish(L"ISO_A3", done, error), error.c_str());
        user.stop();
        QVERIFY(seen);
        QVERIFY(inkOnPaper);
        QVERIFY(!qt::PlotPreviewWindow::current());
        // The console's answer is still there: the PNG and the line naming it.
        QVERIFY2(QString::fromStdString(done).startsWith(QStringLiteral("Plot preview: ")), done.c_str());
        QVERIFY(QFile::exists(QString::fromStdString(done.substr(14))));
        qt::PlotPreviewWindow::uninstall();
        // Without the window the preview is the file alone, and nothing waits.
        seen = false;
        user.start(10);
        output = plot::makePreviewOutput(L"C:\\work\\project.dwg", render::fontLibrary(), error);
        drawPage(output->canvas());
        QVERIFY(output->finish(L"ISO_A3", done, error));
        QTest::qWait(40);
        QVERIFY(!seen);
    }
};

QTEST_MAIN(PlotPreviewTest)
#include "plot_preview_test.moc"
