// The drawing view on a large space: drawn in slices between events, ending on the picture a
// whole draw gives; a zoom or pan answered at once from the kept pictures and then completed; the
// extents shown again from their kept picture; an edit or another drawing between slices starting the
// picture again. "Large" is lowered here so that a few hundred lines take several slices.
#include <QImage>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

#include "acdb.h"
#include "editor/command_line.h"
#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "render/scene.h"

using namespace vx;

namespace {

constexpr int kLines = 300;

void addLine(AcDbDatabase& db, AcGePoint3d from, AcGePoint3d to, int colour) {
    AcDbBlockTableRecord* ms = nullptr;
    QCOMPARE(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine(from, to);
    line->setColorIndex(colour);
    QCOMPARE(ms->appendAcDbEntity(line), Acad::eOk);
    line->close();
    ms->close();
}

// Vertical red lines one unit apart, each a little longer than the one before.
std::unique_ptr<AcDbDatabase> comb() {
    auto db = std::make_unique<AcDbDatabase>(true, true);
    for (int i = 0; i < kLines; ++i) addLine(*db, AcGePoint3d(i, 0, 0), AcGePoint3d(i, 50 + i / 6.0, 0), 1);
    return db;
}

int count(const QImage& image, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += test(image.pixel(x, y));
    return n;
}

bool reddish(QRgb c) { return qRed(c) > 100 && qRed(c) > 2 * qGreen(c) && qRed(c) > 2 * qBlue(c); }
bool greenish(QRgb c) { return qGreen(c) > 100 && qGreen(c) > 2 * qRed(c) && qGreen(c) > 2 * qBlue(c); }

// Pixels that differ by more than a rounding of antialiasing.
int differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            n += std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 || std::abs(qBlue(p) - qBlue(q)) > 8;
        }
    return n;
}

void wheelIn(QWidget* view, QPointF at) {
    QWheelEvent e(at, view->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &e);
}

void pan(QWidget* view, QPoint from, QPoint to) {
    QMouseEvent press(QEvent::MouseButtonPress, from, view->mapToGlobal(from), Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, view->mapToGlobal(to), Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &release);
}

}  // namespace

class ViewSlicesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<qt::GuiInput> input;
    std::unique_ptr<AcDbDatabase> db;
    std::unique_ptr<qt::DrawingView> sliced, whole;

    std::unique_ptr<qt::DrawingView> makeView(bool slices) {
        auto v = std::make_unique<qt::DrawingView>(*input);
        v->resize(400, 300);
        v->setAttribute(Qt::WA_DontShowOnScreen);
        v->setSceneMaker([](AcDbDatabase& d) { return render::makeScene(d); });
        // One step of ten entities per slice: 300 lines take 30 slices.
        if (slices) v->setSlicing({50, 10, 0});
        v->QWidget::show();
        v->show(db.get(), db->modelSpaceId());
        return v;
    }

private slots:
    void init() {
        editor::CommandLine::get().reset();
        editor::CommandLine::get().setEchoToStdout(false);
        input = std::make_unique<qt::GuiInput>();
        db = comb();
        sliced = makeView(true);
        whole = makeView(false);
    }
    void cleanup() {
        sliced.reset();
        whole.reset();
        db.reset();
        input.reset();
        editor::CommandLine::get().reset();
    }

    void aLargeSpaceComesInSlicesAndEndsOnTheWholePicture() {
        const QImage reference = whole->grab().toImage();
        QVERIFY(whole->drawingComplete());
        const QImage first = sliced->grab().toImage();
        QVERIFY(!sliced->drawingComplete());
        // Nothing was kept to stand in: the first slice shows what it drew, and only that.
        const int part = count(first, reddish), all = count(reference, reddish);
        QVERIFY2(part > 0 && part < all / 4, qPrintable(QStringLiteral("%1 of %2").arg(part).arg(all)));
        QTRY_VERIFY(sliced->drawingComplete());
        const QImage done = sliced->grab().toImage();
        QVERIFY2(differing(done, reference) * 1000 < done.width() * done.height(),
                 qPrintable(QString::number(differing(done, reference))));
    }

    void aZoomAnswersFromTheKeptPictureAndTheExtentsComeBackWhole() {
        sliced->finishDrawing();
        const QImage extents = sliced->grab().toImage();
        const int rendersBefore = sliced->renders();
        wheelIn(sliced.get(), QPointF(100, 200));
        wheelIn(whole.get(), QPointF(100, 200));
        const QImage standIn = sliced->grab().toImage(), reference = whole->grab().toImage();
        QVERIFY(!sliced->drawingComplete());
        // The extents' picture scaled up: the lines are where the exact picture has them, wider.
        const int shown = count(standIn, reddish), exact = count(reference, reddish);
        QVERIFY2(shown > exact / 2, qPrintable(QStringLiteral("%1 against %2").arg(shown).arg(exact)));
        QTRY_VERIFY(sliced->drawingComplete());
        const QImage done = sliced->grab().toImage();
        QVERIFY(differing(done, reference) * 1000 < done.width() * done.height());
        QCOMPARE(sliced->renders(), rendersBefore + 1);
        // Back to the extents: the kept picture, complete at once, without a slice.
        sliced->zoomExtents();
        QCOMPARE(sliced->grab().toImage(), extents);
        QVERIFY(sliced->drawingComplete());
    }

    void aPanFillsTheNewStripFromTheKeptPictureThenDrawsIt() {
        // Zoomed in from the extents (whose picture is kept), so that the strip a pan brings into
        // view holds part of the comb.
        sliced->finishDrawing();
        wheelIn(sliced.get(), QPointF(200, 150));
        wheelIn(whole.get(), QPointF(200, 150));
        sliced->finishDrawing();
        const int rendersBefore = sliced->renders();
        pan(sliced.get(), QPoint(140, 150), QPoint(200, 150));
        pan(whole.get(), QPoint(140, 150), QPoint(200, 150));
        const QImage standIn = sliced->grab().toImage(), reference = whole->grab().toImage();
        QVERIFY(!sliced->drawingComplete());
        const QRect strip(0, 0, 60, 300);
        const int shown = count(standIn.copy(strip), reddish), exact = count(reference.copy(strip), reddish);
        QVERIFY2(exact > 1000 && shown > exact / 2, qPrintable(QStringLiteral("%1 against %2").arg(shown).arg(exact)));
        // The rest of the view moved with the pan and is already the complete picture there.
        const QRect moved(60, 0, 340, 300);
        QVERIFY(differing(standIn.copy(moved), reference.copy(moved)) * 1000 < moved.width() * moved.height());
        QTRY_VERIFY(sliced->drawingComplete());
        QCOMPARE(sliced->renders(), rendersBefore + 1);  // the strip, not the whole view again
        const QImage done = sliced->grab().toImage();
        QVERIFY(differing(done, reference) * 1000 < done.width() * done.height());
    }

    void anEditOrAnotherDrawingBetweenSlicesStartsThePictureAgain() {
        sliced->grab();
        QVERIFY(!sliced->drawingComplete());
        // What the host does after a command: the view is told to show the drawing again.
        addLine(*db, AcGePoint3d(0, -10, 0), AcGePoint3d(kLines, -10, 0), 3);
        sliced->show(db.get(), db->modelSpaceId());
        QTRY_VERIFY(sliced->drawingComplete());
        QImage done = sliced->grab().toImage();
        QVERIFY(count(done, greenish) > 200);  // the new line under the comb
        QVERIFY(count(done, reddish) > 1000);

        // Another drawing while slices of this one are under way.
        sliced->zoomExtents();
        wheelIn(sliced.get(), QPointF(200, 150));
        sliced->grab();
        QVERIFY(!sliced->drawingComplete());
        auto other = std::make_unique<AcDbDatabase>(true, true);
        addLine(*other, AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0), 3);
        db.swap(other);
        sliced->show(db.get(), db->modelSpaceId());
        other.reset();  // the old drawing and its scene are gone
        QTRY_VERIFY(sliced->drawingComplete());
        done = sliced->grab().toImage();
        QCOMPARE(count(done, reddish), 0);
        QVERIFY(count(done, greenish) > 100);
    }
};

QTEST_MAIN(ViewSlicesTest)
#include "view_slices_test.moc"
