// The desktop plot progress dialog: captions from the dialog's message strings, bars that
// follow the plot, "Cancel sheet" and "Cancel job" setting the statuses the engine and the
// module read; and a batch plot of the sample project through the real windows, cancelled
// after its first sheet, which leaves exactly that sheet's PDF.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "acplplotprogress.h"
#include "editor/command_line.h"
#include "editor/session.h"
#include "qt/drawing_view.h"
#include "qt/gui_input.h"
#include "qt/main_window.h"
#include "qt/plot_progress_dialog.h"
#include "qt/qt_backend.h"
#include "qt/qt_text.h"
#include "qt/script_driver.h"
#include "render/scene.h"
#include "ui/backend.h"

using namespace vx;

class PlotProgressTest : public QObject {
    Q_OBJECT

    static AcPlPlotProgressDialog* makeDialog() {
        AcPlPlotProgressDialog* d = acplCreatePlotProgressDialog(nullptr, false, 1, nullptr, true);
        d->setPlotMsgString(AcPlPlotProgressDialog::kDialogTitle, L"文件转换程序");
        d->setPlotMsgString(AcPlPlotProgressDialog::kCancelJobBtnMsg, L"取消转换");
        d->setPlotMsgString(AcPlPlotProgressDialog::kCancelSheetBtnMsg, L"取消页");
        d->setPlotMsgString(AcPlPlotProgressDialog::kSheetSetProgressCaption, L"转换");
        d->setPlotMsgString(AcPlPlotProgressDialog::kSheetProgressCaption, L"页");
        d->setPlotMsgString(AcPlPlotProgressDialog::kMsgCancelling, L"正在取消");
        d->setPlotMsgString(AcPlPlotProgressDialog::kMsgCancellingCurrent, L"正在取消本页");
        return d;
    }

private slots:
    void theWindowShowsTheDialogsTextsAndBars() {
        QWidget owner;
        qt::PlotProgressWindow::install(&owner);
        std::wstring transcript;
        editor::CommandLine::get().setCapture(&transcript);
        AcPlPlotProgressDialog* d = makeDialog();
        auto* w = dynamic_cast<qt::PlotProgressWindow*>(d);
        QVERIFY2(w, "the desktop factory makes a window");
        QVERIFY(!w->QDialog::isVisible());
        d->setPlotProgressRange(0, 100);
        d->onBeginPlot();
        d->setIsVisible(true);
        QVERIFY(w->QDialog::isVisible());
        QCOMPARE(qt::PlotProgressWindow::shown(), w);
        QCOMPARE(w->windowTitle(), QStringLiteral("文件转换程序"));
        QCOMPARE(w->cancelJobButton()->text(), QStringLiteral("取消转换"));
        QCOMPARE(w->cancelSheetButton()->text(), QStringLiteral("取消页"));
        const QList<QLabel*> labels = w->findChildren<QLabel*>();
        const auto hasLabel = [&](const QString& t) {
            return std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->text() == t; });
        };
        QVERIFY(hasLabel(QStringLiteral("页")));
        QVERIFY(hasLabel(QStringLiteral("转换")));
        QVERIFY(d->onBeginSheet());
        d->setSheetProgressRange(0, 200);
        d->setSheetProgressPos(150);
        QCOMPARE(w->sheetBar()->maximum(), 200);
        QCOMPARE(w->sheetBar()->value(), 150);
        d->setSheetProgressPos(500);  // clamped as the console clamps
        QCOMPARE(w->sheetBar()->value(), 200);
        d->setPlotProgressPos(40);
        QCOMPARE(w->jobBar()->value(), 40);
        // The command line reads as in the console.
        QVERIFY2(transcript.find(L"[文件转换程序] 页 100%") != std::wstring::npos, qPrintable(qt::toQ(transcript)));
        d->setIsVisible(false);
        QVERIFY(!w->QDialog::isVisible());
        QVERIFY(!qt::PlotProgressWindow::shown());
        editor::CommandLine::get().setCapture(nullptr);
        d->destroy();
        qt::PlotProgressWindow::uninstall();
        // Without the factory the host makes the console's dialog again.
        AcPlPlotProgressDialog* console = makeDialog();
        QVERIFY(!dynamic_cast<QObject*>(console));
        console->destroy();
    }

    void theCancelButtonsSetTheStatusesTheEngineReads() {
        QWidget owner;
        qt::PlotProgressWindow::install(&owner);
        AcPlPlotProgressDialog* d = makeDialog();
        auto* w = dynamic_cast<qt::PlotProgressWindow*>(d);
        QVERIFY(w);
        d->onBeginPlot();
        d->setIsVisible(true);
        QVERIFY(d->onBeginSheet());
        QTest::mouseClick(w->cancelSheetButton(), Qt::LeftButton);
        QCOMPARE(d->sheetCancelStatus(), AcPlPlotProgress::kSheetCanceledByCancelButton);
        QVERIFY(d->isSheetCancelled());
        QVERIFY(!d->isPlotCancelled());
        QCOMPARE(w->statusLabel()->text(), QStringLiteral("正在取消本页"));
        QVERIFY(!w->cancelSheetButton()->isEnabled());
        QVERIFY(!d->onBeginSheet());
        // The next plot (the next frame) starts with its sheet going ahead.
        QVERIFY(d->onBeginPlot());
        QVERIFY(!d->isSheetCancelled());
        QVERIFY(w->cancelSheetButton()->isEnabled());
        QTest::mouseClick(w->cancelJobButton(), Qt::LeftButton);
        QCOMPARE(d->plotCancelStatus(), AcPlPlotProgress::kPlotCanceledByCancelAllButton);
        QCOMPARE(w->statusLabel()->text(), QStringLiteral("正在取消"));
        QVERIFY2(!d->onBeginPlot(), "a cancelled job stays cancelled");
        QVERIFY(!d->onBeginSheet());
        // Esc in the window is the job's cancel too.
        d->setPlotCancelStatus(AcPlPlotProgress::kPlotContinue);
        QVERIFY(w->cancelJobButton()->isEnabled());
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(d->isPlotCancelled());
        d->setIsVisible(false);
        d->destroy();
        qt::PlotProgressWindow::uninstall();
    }

    // The sample project through the real windows: three frames ticked, "Cancel job" clicked
    // when the first sheet is complete. Runs the whole desktop session, so it comes last.
    void aBatchPlotCancelledAfterTheFirstSheetLeavesOnePdf() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString root = tmp.path();
        const QString modules = root + QStringLiteral("/module");
        QVERIFY(QDir().mkpath(modules));
        const QString built = QStringLiteral(VX_BINARY_DIR "/module");
        if (!QFile::exists(built + QStringLiteral("/VorlixDesign.arx"))) QSKIP("the module is not built");
        QVERIFY(QFile::copy(built + QStringLiteral("/VorlixDesign.arx"), modules + QStringLiteral("/VorlixDesign.arx")));
        QDir plotters(built + QStringLiteral("/plotters"));
        QVERIFY(QDir().mkpath(modules + QStringLiteral("/plotters")));
        for (const QString& f : plotters.entryList(QDir::Files))
            QVERIFY(QFile::copy(plotters.filePath(f), modules + QStringLiteral("/plotters/") + f));
        if (QFile::exists(built + QStringLiteral("/TKATT.ini")))
            QVERIFY(QFile::copy(built + QStringLiteral("/TKATT.ini"), modules + QStringLiteral("/TKATT.ini")));
        {
            QFile ini(modules + QStringLiteral("/SHEETCONFIG.INI"));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[SYSEMSET]\nSHEETTEMPPATH=" VX_SOURCE_DIR "/samples/templates/utf8\nDEPARTCODE=CODE\n");
        }
        QVERIFY(QDir(root).mkdir(QStringLiteral("out")));
        qputenv("HOME", root.toUtf8());
        qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
        qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toUtf8());
        qputenv("XDG_CACHE_HOME", (root + QStringLiteral("/cache")).toUtf8());
        qputenv("VX_UPDATE_SERVICE", "");
        qputenv("VX_PRINTERS", "off");
        QDir::setCurrent(root);

        auto owned = std::make_unique<qt::QtBackend>();
        qt::QtBackend& backend = *owned;
        ui::setBackend(std::move(owned));
        qt::GuiInput input;
        std::wstring transcript;
        int clicksAt = -1;
        {
            qt::MainWindow window(input);
            backend.mirror().setMainWindow(&window);
            input.onWait = [&window] { window.refresh(); };
            backend.mirror().outsideDialogs = [&input](std::function<void()> g) { return input.atCommandPrompt(std::move(g)); };
            window.view()->setSceneMaker(render::makeScene);
            window.show();
            qt::PlotProgressWindow::install(&window);
            const std::vector<std::wstring> script = {
                L"VXBP", L"choose 140 \"DWG TO PDF.pc3\"", L"choose 142 \"monochrome.ctb\"", L"click 149", L"out",
                L"click 154", L"tick 152 0 on", L"tick 152 1 on", L"tick 152 2 on", L"click 158", L"close", L"QUIT", L"Y"};
            qt::ScriptDriver driver(window, backend, input, editor::linesSource(script), std::string());
            // The user's hand: "Cancel job" once the first sheet is complete.
            int sheetsSeen = 0;
            QTimer hand;
            QObject::connect(&hand, &QTimer::timeout, [&] {
                qt::PlotProgressWindow* w = qt::PlotProgressWindow::shown();
                if (!w || clicksAt >= 0) return;
                int lower = 0, upper = 0;
                w->getSheetProgressRange(lower, upper);
                if (w->sheetProgressPos() < upper) return;
                ++sheetsSeen;
                clicksAt = sheetsSeen;
                QTest::mouseClick(w->cancelJobButton(), Qt::LeftButton);
            });
            hand.start(1);
            editor::CommandLine::get().setCapture(&transcript);
            const editor::SessionOptions session{VX_SOURCE_DIR "/samples/drawings/project.dxf",
                                                 (modules + QStringLiteral("/VorlixDesign.arx")).toStdString(), false,
                                                 VX_SOURCE_DIR};
            QVERIFY(editor::startSession(session) == editor::StartResult::kStarted);
            editor::CommandLine::get().pushSource(input.source());
            driver.start();
            editor::loadSessionModule(session);
            editor::runSession();
            hand.stop();
            editor::endSession();
            editor::CommandLine::get().setCapture(nullptr);
            qt::PlotProgressWindow::uninstall();
            backend.mirror().flush();
            backend.mirror().setMainWindow(nullptr);
        }
        ui::setBackend(nullptr);
        const QString said = qt::toQ(transcript);
        QCOMPARE(clicksAt, 1);
        const QStringList pdfs = QDir(root + QStringLiteral("/out")).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        QVERIFY2(pdfs.size() == 1, qPrintable(pdfs.join(QStringLiteral(", ")) + QStringLiteral("\n") + said));
        QVERIFY2(said.contains(QStringLiteral("正在打印第 1 张（共 3 张）")), qPrintable(said));
        QVERIFY2(!said.contains(QStringLiteral("正在打印第 2 张")), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("打印已取消：1 张已打印，0 张出错，2 张未打印。")), qPrintable(said));
        QVERIFY(said.contains(pdfs.front()));
        // No leftovers of a half-written file beside it.
        QCOMPARE(QDir(root + QStringLiteral("/out")).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_MAIN(PlotProgressTest)
#include "plot_progress_test.moc"
