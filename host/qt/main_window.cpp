#include "qt/main_window.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <filesystem>

#include "editor/db_bridge.h"
#include "editor/documents.h"
#include "editor/dynamic_linker.h"
#include "qt/command_dock.h"
#include "qt/drawing_view.h"
#include "editor/feedback.h"
#include "qt/gui_input.h"
#include "qt/layout_tabs.h"
#include "qt/zoom_command.h"
#include "qt/qt_text.h"
#include "text/encoding.h"
#include "win32.h"

namespace vx::qt {
namespace {

constexpr int kRecentCount = 8;
const wchar_t* const kRecentSection = L"RecentFiles";

// The desktop host's own settings file, beside the host profile.
std::wstring settingsFile() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path dir = (xdg && *xdg) ? std::filesystem::path(xdg) : std::filesystem::path(home ? home : ".") / ".config";
    dir /= "vxhost";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return text::fromUtf8((dir / "vxhost-gui.ini").string());
}

QString drawingFilter() { return QStringLiteral("图形 (*.dxf *.DXF);;所有文件 (*)"); }

}  // namespace

MainWindow::MainWindow(GuiInput& input) : m_input(input) {
    setObjectName(QStringLiteral("vxhostMain"));
    setWindowTitle(QStringLiteral("vxhost"));
    resize(1280, 860);
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_view = new DrawingView(input, centre);
    m_tabs = new LayoutTabs(centre);
    column->addWidget(m_view, 1);
    column->addWidget(m_tabs);
    setCentralWidget(centre);
    m_tabs->chosen = [this](const std::wstring& layout) { runCommand({L"_SETVAR", L"CTAB", layout}); };
    editor::setLayoutTabsListener([this] { refresh(); });
    registerZoomCommand(*m_view);
    m_command = new CommandDock(input, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_command);
    m_coordinates = new QLabel(this);
    m_coordinates->setMinimumWidth(260);
    statusBar()->addPermanentWidget(m_coordinates);
    m_view->cursorMoved = [this](render::Vec2 p) {
        m_coordinates->setText(QStringLiteral("%1, %2").arg(p.x, 0, 'f', 4).arg(p.y, 0, 'f', 4));
    };
    buildMenus();
    const std::wstring file = settingsFile();
    for (int i = 1; i <= kRecentCount; ++i) {
        wchar_t buf[1024] = {};
        const std::wstring key = L"File" + std::to_wstring(i);
        GetPrivateProfileStringW(kRecentSection, key.c_str(), L"", buf, 1024, file.c_str());
        if (buf[0]) m_recentFiles << toQ(buf);
    }
}

MainWindow::~MainWindow() { editor::setLayoutTabsListener(nullptr); }

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(QStringLiteral("新建(&N)"), QKeySequence::New, this, [this] { runCommand({L"_NEW"}); });
    file->addAction(QStringLiteral("打开(&O)..."), QKeySequence::Open, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开图形"), QString(), drawingFilter());
        if (!path.isEmpty()) runCommand({L"_OPEN", fromQ(path)});
    });
    file->addAction(QStringLiteral("保存(&S)"), QKeySequence::Save, this, [this] {
        editor::Document* doc = editor::documentManager().current();
        if (doc && !doc->named()) {
            const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("图形另存为"), toQ(doc->fileName()), drawingFilter());
            if (!path.isEmpty()) runCommand({L"_SAVEAS", fromQ(path)});
            return;
        }
        runCommand({L"_QSAVE"});
    });
    file->addAction(QStringLiteral("另存为(&A)..."), QKeySequence::SaveAs, this, [this] {
        editor::Document* doc = editor::documentManager().current();
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("图形另存为"), doc ? toQ(doc->fileName()) : QString(),
                                                          drawingFilter());
        if (!path.isEmpty()) runCommand({L"_SAVEAS", fromQ(path)});
    });
    m_recent = file->addMenu(QStringLiteral("最近的文件(&R)"));
    connect(m_recent, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    file->addSeparator();
    file->addAction(QStringLiteral("退出(&X)"), QKeySequence::Quit, this, [this] { quit(); });

    buildViewMenu();

    QMenu* tools = menuBar()->addMenu(QStringLiteral("工具(&T)"));
    tools->addAction(QStringLiteral("加载模块(&L)..."), this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("加载模块"), QString(),
                                                          QStringLiteral("模块 (*.arx);;所有文件 (*)"));
        if (!path.isEmpty()) runCommand({L"_ARX", L"Load", fromQ(path)});
    });
    m_unload = tools->addMenu(QStringLiteral("卸载模块(&U)"));
    connect(m_unload, &QMenu::aboutToShow, this, [this] { fillUnloadMenu(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    help->addAction(QStringLiteral("主机命令(&C)"), this, [this] { runCommand({L"_HELP"}); });
    help->addAction(QStringLiteral("模块命令(&M)"), this, [this] { runCommand({L"_COMMANDS"}); });
    help->addAction(QStringLiteral("关于 vxhost(&A)"), this, [this] {
        QMessageBox::about(this, QStringLiteral("关于 vxhost"),
                           QStringLiteral("vxhost 18.0 桌面版\n图框与批量工具模块的宿主程序。\n"
                                          "命令行中键入 HELP 查看主机命令，COMMANDS 查看模块命令。"));
    });
}

// Zooming never waits for the command prompt: it works in the middle of a command as well.
void MainWindow::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    QAction* window = view->addAction(QStringLiteral("窗口缩放(&W)"), this, [this] { m_view->startZoomWindow(); });
    window->setObjectName(QStringLiteral("zoomWindow"));
    window->setStatusTip(QStringLiteral("拖出一个矩形，视图缩放到该矩形 (Zoom Window)"));
    QAction* extents = view->addAction(QStringLiteral("范围缩放(&E)"), this, [this] { m_view->zoomExtents(); });
    extents->setObjectName(QStringLiteral("zoomExtents"));
    extents->setStatusTip(QStringLiteral("显示整个图形 (Zoom Extents)"));
    QToolBar* bar = addToolBar(QStringLiteral("视图"));
    bar->setObjectName(QStringLiteral("viewToolBar"));
    bar->addAction(window);
    bar->addAction(extents);
}

bool MainWindow::runCommand(std::vector<std::wstring> lines) {
    if (m_input.command(std::move(lines))) return true;
    statusBar()->showMessage(QStringLiteral("命令正在进行：请先完成或按 Esc 取消。"), 5000);
    return false;
}

void MainWindow::fillRecentMenu() {
    m_recent->clear();
    if (m_recentFiles.isEmpty()) m_recent->addAction(QStringLiteral("（无）"))->setEnabled(false);
    int n = 0;
    for (const QString& path : m_recentFiles)
        m_recent->addAction(QStringLiteral("&%1 %2").arg(++n).arg(path), this, [this, path] { runCommand({L"_OPEN", fromQ(path)}); });
}

void MainWindow::fillUnloadMenu() {
    m_unload->clear();
    const auto& modules = editor::dynamicLinker().modules();
    if (modules.empty()) m_unload->addAction(QStringLiteral("（没有已加载的模块）"))->setEnabled(false);
    for (const auto& m : modules) {
        const std::wstring name = m->name;
        QAction* a = m_unload->addAction(toQ(name), this, [this, name] { runCommand({L"_ARX", L"Unload", name}); });
        a->setEnabled(m->unlocked);
    }
}

void MainWindow::rememberRecent(const QString& path) {
    if (!m_recentFiles.isEmpty() && m_recentFiles.front() == path) return;
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentCount) m_recentFiles.removeLast();
    const std::wstring file = settingsFile();
    for (int i = 1; i <= kRecentCount; ++i) {
        const std::wstring key = L"File" + std::to_wstring(i);
        const std::wstring value = i <= m_recentFiles.size() ? fromQ(m_recentFiles[i - 1]) : std::wstring();
        WritePrivateProfileStringW(kRecentSection, key.c_str(), value.empty() ? nullptr : value.c_str(), file.c_str());
    }
}

void MainWindow::refresh() {
    editor::Document* doc = editor::documentManager().current();
    if (!doc) {
        setWindowTitle(QStringLiteral("vxhost"));
        m_view->show(nullptr, AcDbObjectId());
        m_tabs->refresh(nullptr);
        return;
    }
    m_view->show(doc->database(), editor::currentSpace(doc->database()));
    m_tabs->refresh(doc->database());
    const bool modified = editor::isModified(doc->database());
    setWindowTitle(QStringLiteral("vxhost - %1%2").arg(toQ(doc->docTitle()), modified ? QStringLiteral(" *") : QString()));
    if (doc->named()) rememberRecent(QFileInfo(toQ(doc->fileName())).absoluteFilePath());
}

bool MainWindow::quit() {
    if (!m_input.idle()) {
        QMessageBox::information(this, QStringLiteral("vxhost"), QStringLiteral("命令正在进行：请先完成或按 Esc 取消。"));
        return false;
    }
    std::vector<std::wstring> lines;
    bool discard = false;
    for (const auto& d : editor::documentManager().documents()) {
        if (!editor::isModified(d->database())) continue;
        QMessageBox box(QMessageBox::Question, QStringLiteral("vxhost"),
                        QStringLiteral("是否将修改保存到 %1？").arg(toQ(d->docTitle())), QMessageBox::NoButton, this);
        QPushButton* save = box.addButton(QStringLiteral("保存(&S)"), QMessageBox::AcceptRole);
        QPushButton* drop = box.addButton(QStringLiteral("不保存(&N)"), QMessageBox::DestructiveRole);
        box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.exec();
        if (box.clickedButton() == drop) {
            discard = true;
            continue;
        }
        if (box.clickedButton() != save) return false;
        if (d->named()) {
            lines.push_back(L"_QSAVE");
        } else {
            const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("图形另存为"), toQ(d->fileName()), drawingFilter());
            if (path.isEmpty()) return false;
            lines.push_back(L"_SAVEAS");
            lines.push_back(fromQ(path));
        }
    }
    // QUIT asks again on the command line when a save did not succeed; "Y" only answers the
    // question for drawings the user chose to discard.
    lines.push_back(L"_QUIT");
    if (discard && lines.size() == 1) lines.push_back(L"Y");
    m_quitting = runCommand(std::move(lines));
    return m_quitting;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window goes when the session ends (after QUIT); until then closing means quitting.
    event->ignore();
    quit();
}

}  // namespace vx::qt
