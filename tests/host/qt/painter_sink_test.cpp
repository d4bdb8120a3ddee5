// The view's painter sink: texts too low to read are drawn as their box, inside it and across
// its whole advance, without asking the font library for glyphs.
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "qt/painter_sink.h"

using namespace vx;

namespace {

// Ink: anything visibly lighter than the black page.
QRect inkedArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 40) area |= QRect(x, y, 1, 1);
    return area;
}

render::TextRun run(double height, double advance, double x, double y) {
    render::TextRun t;
    t.text = L"Vorlix";
    t.font = 0xFFFFFF;  // no such font: greeked text must not need one
    t.toLocal = render::Affine{height, 0, 0, height, x, y};
    t.advance = advance;
    return t;
}

QImage paint(const render::TextRun& t) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    qt::PainterSink sink(p, render::Affine{1, 0, 0, -1, 0, 100});  // y up, as the view maps
    render::Geometry g;
    g.texts.push_back(t);
    render::Pen pen;
    pen.color = {255, 255, 255, 7, false};
    sink.add(pen, g, render::Affine());
    return image;
}

}  // namespace

class PainterSinkTest : public QObject {
    Q_OBJECT

private slots:
    void lowTextIsItsBoxAcrossItsAdvance() {
        // 1.5 pixels high, 6 text heights long (90 x 1.5 pixels), baseline at y = 40 from the bottom.
        const QImage image = paint(run(1.5, 6, 20, 40));
        const QRect ink = inkedArea(image);
        QVERIFY(!ink.isEmpty());
        // Box in pixels: x 20..29, y (100-41.5)..(100-40) = 58.5..60; a pixel of antialiasing.
        QVERIFY2(ink.left() >= 19 && ink.right() <= 30, qPrintable(QString("%1..%2").arg(ink.left()).arg(ink.right())));
        QVERIFY2(ink.top() >= 57 && ink.bottom() <= 61, qPrintable(QString("%1..%2").arg(ink.top()).arg(ink.bottom())));
        QVERIFY(ink.left() <= 21 && ink.right() >= 28);  // the whole advance, not a dot
    }

    void turnedLowTextStaysInItsTurnedBox() {
        // Turned 90 degrees: the box runs upwards from (100, 10), 1.2 pixels wide, 60 long.
        render::TextRun t = run(1.2, 50, 100, 10);
        t.toLocal = render::Affine{0, 1.2, -1.2, 0, 100, 10};
        const QImage image = paint(t);
        const QRect ink = inkedArea(image);
        QVERIFY(!ink.isEmpty());
        QVERIFY(ink.left() >= 97 && ink.right() <= 101);
        QVERIFY(ink.top() >= 28 && ink.bottom() <= 91);
        QVERIFY(ink.height() >= 55);
    }

    void textUnderTheDetailLimitIsNotDrawn() {
        const QImage image = paint(run(0.1, 3, 50, 50));
        QVERIFY(inkedArea(image).isEmpty());
    }
};

QTEST_MAIN(PainterSinkTest)
#include "painter_sink_test.moc"
