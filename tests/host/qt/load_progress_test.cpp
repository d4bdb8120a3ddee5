// Opening a drawing in the desktop host: the read runs on a worker thread while the window
// repaints and holds back input, Cancel and Esc stop it, a failure is shown in a message box,
// and the editor's reads go through the loader once it is installed.
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "acdb.h"
#include "editor/db_bridge.h"
#include "qt/load_progress.h"
#include "qt/qt_text.h"

using namespace vx;

namespace {

size_t modelSpaceCount(AcDbDatabase& db) {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
    return ms.openStatus() == Acad::eOk ? ms->entities().size() : 0;
}

// Counts the paints it gets while a load runs.
class PaintCounter : public QWidget {
public:
    explicit PaintCounter(QWidget* parent) : QWidget(parent) {}
    const qt::DrawingLoader* loader = nullptr;
    int paintsWhileLoading = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        if (loader && loader->loading()) ++paintsWhileLoading;
    }
};

}  // namespace

class LoadProgressTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::wstring m_big, m_broken;
    static constexpr int kLines = 120000;

    struct Window {
        QMainWindow main;
        QLineEdit* edit = nullptr;
        QPushButton* button = nullptr;
        PaintCounter* paints = nullptr;
        std::unique_ptr<qt::DrawingLoader> loader;
        Window() {
            auto* central = new QWidget(&main);
            edit = new QLineEdit(central);
            button = new QPushButton(QStringLiteral("go"), central);
            button->move(0, 40);
            paints = new PaintCounter(central);
            paints->setGeometry(0, 80, 50, 50);
            main.setCentralWidget(central);
            main.resize(500, 300);
            loader = std::make_unique<qt::DrawingLoader>(main);
            paints->loader = loader.get();
            main.show();
        }
    };

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        AcDbDatabase db;
        {
            AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
            for (int i = 0; i < kLines; ++i) {
                auto* l = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 50, 0));
                ms->appendAcDbEntity(l);
                l->close();
            }
        }
        m_big = qt::fromQ(m_dir.filePath(QStringLiteral("big.dxf")));
        QCOMPARE(db.saveAs(m_big.c_str()), Acad::eOk);
        m_broken = qt::fromQ(m_dir.filePath(QStringLiteral("broken.dxf")));
        QFile f(m_dir.filePath(QStringLiteral("broken.dxf")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("  0\nSECTION\nnot a code\nHEADER\n");
    }

    void loadsWhileTheWindowRepaintsAndHoldsBackInput() {
        Window w;
        int keys = 0, clicks = 0;
        QObject::connect(w.edit, &QLineEdit::textChanged, [&] { ++keys; });
        QObject::connect(w.button, &QPushButton::clicked, [&] { ++clicks; });
        std::vector<int> values;
        bool barShown = false;
        w.loader->onProgress = [&](int value) {
            if (values.empty()) {
                barShown = w.loader->bar()->isVisible();
                w.edit->setFocus();
                QTest::keyClicks(w.edit, QStringLiteral("abc"));
                QTest::mouseClick(w.button, Qt::LeftButton);
                w.paints->update();
            }
            values.push_back(value);
        };
        std::wstring why;
        std::unique_ptr<AcDbDatabase> db(w.loader->read(m_big, why));
        QVERIFY2(db, qPrintable(qt::toQ(why)));
        QCOMPARE(modelSpaceCount(*db), size_t(kLines));
        QVERIFY(barShown);
        QVERIFY(!w.loader->bar()->isVisible());
        QVERIFY(!w.loader->loading());
        QVERIFY2(values.size() >= 2, "the bar moved more than once");
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        QCOMPARE(values.back(), 1000);
        QCOMPARE(keys, 0);
        QCOMPARE(clicks, 0);
        QVERIFY(w.paints->paintsWhileLoading > 0);
        // Input reaches the window again once the drawing is there.
        QTest::keyClicks(w.edit, QStringLiteral("x"));
        QCOMPARE(w.edit->text(), QStringLiteral("x"));
    }

    void cancelButtonAndEscStopTheReadQuietly() {
        for (bool viaEsc : {false, true}) {
            Window w;
            int firstValue = -1;
            w.loader->onProgress = [&](int value) {
                if (firstValue >= 0) return;
                firstValue = value;
                if (viaEsc)
                    QTest::keyClick(w.edit, Qt::Key_Escape);
                else
                    QTest::mouseClick(w.loader->cancelButton(), Qt::LeftButton);
            };
            bool boxSeen = false;
            QTimer watch;
            QObject::connect(&watch, &QTimer::timeout, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    boxSeen = true;
                    box->close();
                }
            });
            watch.start(20);
            std::wstring why;
            AcDbDatabase* db = w.loader->read(m_big, why);
            watch.stop();
            QVERIFY2(firstValue >= 0 && firstValue < 1000, "the read was still under way when cancelled");
            QVERIFY(!db);
            QCOMPARE(qt::toQ(why), QStringLiteral("the load was cancelled"));
            QVERIFY(!boxSeen);
            QVERIFY(!w.loader->bar()->isVisible());
        }
    }

    void aFailedReadIsShownInAMessageBox() {
        Window w;
        QString boxText;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxText = box->text();
                box->close();
            }
        });
        watch.start(20);
        std::wstring why;
        QVERIFY(!w.loader->read(m_broken, why));
        QVERIFY(qt::toQ(why).contains(QStringLiteral("line 3")));
        QVERIFY2(boxText.contains(QStringLiteral("无法打开")) && boxText.contains(QStringLiteral("line 3")), qPrintable(boxText));
        // Script runs say it on the command line only.
        boxText.clear();
        w.loader->showFailures = false;
        QVERIFY(!w.loader->read(m_broken, why));
        QTest::qWait(60);
        QVERIFY(boxText.isEmpty());
    }

    void theEditorReadsThroughTheInstalledLoader() {
        Window w;
        w.loader->install();
        int moves = 0;
        w.loader->onProgress = [&](int) { ++moves; };
        std::wstring why;
        std::unique_ptr<AcDbDatabase> db(editor::readDrawing(m_big, why));
        QVERIFY(db);
        QVERIFY(moves > 0);
        // Gone with the loader: the editor reads on its own thread again.
        w.loader.reset();
        moves = 0;
        db.reset(editor::readDrawing(m_big, why));
        QVERIFY(db);
        QCOMPARE(moves, 0);
    }
};

QTEST_MAIN(LoadProgressTest)
#include "load_progress_test.moc"
