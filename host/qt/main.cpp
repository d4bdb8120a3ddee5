// vxhost-gui: the desktop CAD host. The same session as the console host (drawing, module,
// command loop, unload), with the dialogs, palettes and command line as windows.
#include <QApplication>
#include <clocale>
#include <cstdio>

#include "editor/command_line.h"
#include "editor/session.h"
#include "qt/command_dock.h"
#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "qt/gui_options.h"
#include "qt/load_progress.h"
#include "qt/main_window.h"
#include "qt/plot_preview_window.h"
#include "qt/plot_progress_dialog.h"
#include "qt/qt_backend.h"
#include "qt/script_driver.h"
#ifdef VX_HAVE_SCENE
#include "render/scene.h"
#include "render/space_query.h"
#endif

using namespace vx;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "C.UTF-8");
    QApplication::setApplicationName(QStringLiteral("vxhost-gui"));
    qt::GuiOptions opt;
    std::string why;
    // QApplication has taken its own options (-platform ...) out of argc/argv.
    if (!qt::parseGuiOptions(argc, argv, opt, why)) {
        std::fprintf(stderr, "vxhost-gui: %s\n%s", why.c_str(), qt::kGuiUsage);
        return 2;
    }
    if (opt.help) {
        std::fputs(qt::kGuiUsage, stdout);
        return 0;
    }

    auto owned = std::make_unique<qt::QtBackend>();
    qt::QtBackend& backend = *owned;
    ui::setBackend(std::move(owned));
    qt::GuiInput input;
    int status = 0;
    {
        qt::MainWindow window(input);
        backend.mirror().setMainWindow(&window);
        input.onWait = [&window] { window.refresh(); };
        backend.mirror().outsideDialogs = [&input](std::function<void()> gesture) {
            return input.atCommandPrompt(std::move(gesture));
        };
#ifdef VX_HAVE_SCENE
        window.view()->setSceneMaker(render::makeSharedScene);
#endif
        window.show();
        // Drawings load on a worker thread; a script's transcript names a failed load itself.
        qt::DrawingLoader loader(window);
        loader.showFailures = opt.script.empty();
        loader.install();
        qt::PlotProgressWindow::install(&window);
        qt::PlotPreviewWindow::install(&window);

        editor::CommandLine& cl = editor::CommandLine::get();
        std::unique_ptr<qt::ScriptDriver> driver;
        if (!opt.script.empty()) {
            bool opened = false;
            auto script = editor::fileSource(opt.script, &opened);
            if (!opened) {
                std::fprintf(stderr, "vxhost-gui: cannot read script %s\n", opt.script.c_str());
                ui::setBackend(nullptr);
                return 2;
            }
            driver = std::make_unique<qt::ScriptDriver>(window, backend, input, std::move(script), opt.screenshot);
        } else if (!opt.screenshot.empty()) {
            // A screenshot without a script: the window as it opened.
            driver = std::make_unique<qt::ScriptDriver>(window, backend, input, editor::linesSource({}), opt.screenshot);
        }

        const editor::SessionOptions session{opt.drawing, opt.module, opt.noModule, VX_SOURCE_DIR};
        // A refused first drawing: endSession below ends the transcript's last line.
        if (editor::startSession(session) != editor::StartResult::kStarted) {
            status = 1;
        } else {
            cl.pushSource(input.source());
            if (driver) driver->start();
            editor::loadSessionModule(session);
            const int unusable = editor::runSession();
            if (driver) driver->takeScreenshot();
            if (driver && !opt.script.empty() && unusable > 0) {
                std::fprintf(stderr, "vxhost-gui: %d script line(s) could not be used\n", unusable);
                status = 1;
            }
            if (driver && !driver->screenshotSaved()) status = 1;
        }
        editor::endSession();
        qt::PlotProgressWindow::uninstall();
        qt::PlotPreviewWindow::uninstall();
        backend.mirror().flush();
        backend.mirror().setMainWindow(nullptr);
    }
    // The widgets go before Qt does.
    ui::setBackend(nullptr);
    return status;
}
