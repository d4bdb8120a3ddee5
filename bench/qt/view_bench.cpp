// The desktop host's drawing view on the generated 178 MB drawing (400 frames among 1,000,000
// lines, circles, polylines and texts). A view of a drawing this large answers from the pictures it
// keeps and draws the complete picture in slices between events; the bench prints both: the first
// picture after the drawing is loaded (read and indexed, as the host's loading thread does) and
// the complete one, the picture a wheel zoom on the full view shows at once and the complete redraw
// after it, the same for a pan, and a zoom back to the extents. Targets: first picture <= 2 s, zoom and pan on
// the full view < 100 ms. Run with QT_QPA_PLATFORM=offscreen; prints CPU and wall times (medians;
// VX_BENCH_REPEAT sets their count, default 5). With VX_BENCH_SHOTS=DIR it saves what the view
// showed at each of these moments as PNG files there, to look at.
#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "acdb.h"
#include "big_drawing.h"
#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "render/scene.h"
#include "render/space_query.h"
#include "text/encoding.h"

namespace {

struct Times {
    double wallMs = 0, cpuMs = 0;
};

double cpuNowMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

Times timed(const std::function<void()>& work) {
    const auto w0 = std::chrono::steady_clock::now();
    const double c0 = cpuNowMs();
    work();
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - w0).count(), cpuNowMs() - c0};
}

Times median(std::vector<Times> v) {
    std::sort(v.begin(), v.end(), [](const Times& a, const Times& b) { return a.wallMs < b.wallMs; });
    return v[v.size() / 2];
}

void report(const char* what, Times t) {
    std::printf("%-34s wall %8.1f ms   cpu %8.1f ms\n", what, t.wallMs, t.cpuMs);
}

void report(const char* what, Times t, double targetMs) {
    std::printf("%-34s wall %8.1f ms   cpu %8.1f ms   target %s %.0f ms: %s\n", what, t.wallMs, t.cpuMs,
                targetMs >= 1000 ? "<=" : "<", targetMs, t.wallMs <= targetMs ? "met" : "MISSED");
}

void wheel(QWidget& view, QPointF at, int delta) {
    QWheelEvent e(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(&view, &e);
}

void mouse(QWidget& view, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, at, view.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &e);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* shots = std::getenv("VX_BENCH_SHOTS");
    const auto shot = [&](QWidget& view, const char* name) {
        if (shots) view.grab().save(QString::fromUtf8(shots) + "/" + name + ".png");
    };
    const char* repeatText = std::getenv("VX_BENCH_REPEAT");
    const int repeat = std::max(1, repeatText ? std::atoi(repeatText) : 5);
    vxbench::ensureBigDrawing();
    const std::string path = vxbench::bigDrawingPath();
    std::printf("drawing %s (%.0f MB)\n", path.c_str(), std::filesystem::file_size(path) / 1048576.0);

    AcDbDatabase db(false, false);
    const Times load = timed([&] {
        if (db.readDwgFile(vx::text::fromUtf8(path).c_str()) != Acad::eOk) {
            std::fprintf(stderr, "the drawing could not be read\n");
            std::exit(1);
        }
    });
    std::printf("%-34s wall %8.1f ms   cpu %8.1f ms\n", "load: read", load.wallMs, load.cpuMs);
    // The desktop host builds the view's index on its loading thread, under the progress bar.
    const Times index = timed([&] { vx::render::prepareSpaceIndex(db.modelSpaceId(), [](uint64_t, uint64_t) { return true; }); });
    std::printf("%-34s wall %8.1f ms   cpu %8.1f ms\n", "load: index (loading thread)", index.wallMs, index.cpuMs);

    vx::qt::GuiInput input;
    vx::qt::DrawingView view(input);
    // As the desktop host makes it: the view and the selection share the drawing's one scene.
    view.setSceneMaker(vx::render::makeSharedScene);
    view.resize(1600, 1000);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.QWidget::show();
    QApplication::processEvents();

    // Load finished -> the whole drawing on the screen.
    const Times first = timed([&] {
        view.show(&db, db.modelSpaceId());
        view.repaint();
    });
    report("first picture", first, 2000);
    shot(view, "1-first-picture");
    const Times firstComplete = timed([&] { view.finishDrawing(); });
    shot(view, "2-first-complete");
    report("  then complete", Times{first.wallMs + firstComplete.wallMs, first.cpuMs + firstComplete.cpuMs});

    const QPointF centre(800, 500);
    std::vector<Times> zooms, completes, pans, panCompletes, extents;
    for (int i = 0; i < repeat; ++i) {
        // One notch in and out again about the centre: both redraws see (nearly) the whole drawing.
        for (int delta : {120, -120}) {
            zooms.push_back(timed([&] {
                wheel(view, centre, delta);
                view.repaint();
            }));
            if (i == 0) shot(view, delta > 0 ? "3-zoom-in-picture" : "5-zoom-out-picture");
            completes.push_back(timed([&] { view.finishDrawing(); }));
            if (i == 0) shot(view, delta > 0 ? "4-zoom-in-complete" : "6-zoom-out-complete");
        }
        // A middle-button drag of 240 x 120 pixels and back (the strips that come into view hold drawing).
        for (int dir : {1, -1}) {
            mouse(view, QEvent::MouseButtonPress, centre, Qt::MiddleButton, Qt::MiddleButton);
            mouse(view, QEvent::MouseMove, centre + QPointF(240 * dir, 120 * dir), Qt::NoButton, Qt::MiddleButton);
            mouse(view, QEvent::MouseButtonRelease, centre + QPointF(240 * dir, 120 * dir), Qt::MiddleButton, Qt::NoButton);
            pans.push_back(timed([&] { view.repaint(); }));
            if (i == 0 && dir > 0) shot(view, "7-pan-picture");
            panCompletes.push_back(timed([&] { view.finishDrawing(); }));
            if (i == 0 && dir > 0) shot(view, "8-pan-complete");
        }
        extents.push_back(timed([&] {
            view.zoomExtents();
            view.repaint();
        }));
        if (!view.drawingComplete()) std::printf("zoom extents did not show the complete picture\n");
    }
    report("zoom, full view: picture (median)", median(zooms), 100);
    report("  then complete (median)", median(completes));
    report("pan, full view: picture (median)", median(pans), 100);
    report("  then complete (median)", median(panCompletes));
    report("zoom extents (median)", median(extents), 100);
    std::printf("peak memory %.0f MB\n", vxbench::peakMB());
    return 0;
}
