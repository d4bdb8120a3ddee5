// Dialogs of the UI core as real widgets: every control kind made from a template, the user's
// gestures reaching the dialog class as Windows notifications, the program's changes reaching
// the widgets, message boxes, the folder browser, hiding for an editor command, and a palette
// docked in a main window.
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "acui.h"
#include "aced.h"
#include "adui.h"
#include "editor/command_line.h"
#include "gridctrl.h"
#include "qt/qt_backend.h"
#include "qt/synthetic_input.h"
#include "shlobj.h"
#include "ui/dialog_actions.h"
#include "ui/resource_registry.h"
#include "ui/resource_stack.h"

using vx::qt::QtBackend;

namespace {

const char* const kRc = u8R"(
200 DIALOGEX 0, 0, 300, 220
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "控件"
FONT 9, "宋体", 400, 0, 0x86
BEGIN
    GROUPBOX        "组",-1,5,5,290,60
    LTEXT           "名称：",-1,10,17,30,8
    EDITTEXT        201,45,15,100,14,ES_AUTOHSCROLL
    EDITTEXT        202,150,15,60,14,ES_READONLY
    EDITTEXT        203,215,15,60,14,ES_PASSWORD
    EDITTEXT        204,10,35,100,24,ES_MULTILINE | ES_WANTRETURN
    AUTOCHECKBOX    "全选",205,120,35,40,10
    AUTORADIOBUTTON "甲",206,170,35,30,10,WS_GROUP
    AUTORADIOBUTTON "乙",207,200,35,30,10
    COMBOBOX        208,10,70,100,80,CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL
    COMBOBOX        209,120,70,100,80,CBS_DROPDOWN
    LISTBOX         210,230,70,60,40,LBS_NOTIFY
    CONTROL         "",211,"SysListView32",LVS_REPORT | WS_BORDER,10,90,140,80
    CONTROL         "",212,"MFCGridCtrl",WS_TABSTOP,155,115,140,60
    PUSHBUTTON      "改名",213,10,195,50,16
    PUSHBUTTON      "拾取",214,70,195,50,16
    DEFPUSHBUTTON   "确定",IDOK,180,195,50,16
    PUSHBUTTON      "取消",IDCANCEL,240,195,50,16
END

300 DIALOGEX 0, 0, 200, 30
STYLE DS_SETFONT | WS_CHILD | WS_VISIBLE
FONT 9, "宋体", 700, 0, 0x86
BEGIN
    PUSHBUTTON      "问候",301,5,5,50,20,BS_FLAT
    PUSHBUTTON      "隐藏",302,60,5,50,20,NOT WS_VISIBLE
END
)";

QtBackend* backend() { return vx::qt::qtBackend(); }

class ControlsDlg : public CAcUiDialog {
public:
    ControlsDlg() : CAcUiDialog(200) {}
    std::vector<std::wstring> log;
    bool hiddenWhilePicking = false, shownAfterPicking = false;

protected:
    CComboBox m_combo;
    CListCtrl m_list;
    CGridCtrl m_grid;

    void DoDataExchange(CDataExchange* pDX) override {
        CAcUiDialog::DoDataExchange(pDX);
        DDX_Control(pDX, 208, m_combo);
        DDX_Control(pDX, 211, m_list);
        DDX_GridControl(pDX, 212, m_grid);
    }
    BOOL OnInitDialog() override {
        CAcUiDialog::OnInitDialog();
        for (const wchar_t* s : {L"丙", L"甲", L"乙"}) m_combo.AddString(s);
        static_cast<CListBox*>(GetDlgItem(210))->AddString(L"一");
        static_cast<CListBox*>(GetDlgItem(210))->AddString(L"二");
        m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_list.InsertColumn(0, L"选取", LVCFMT_CENTER, 40);
        m_list.InsertColumn(1, L"图号", LVCFMT_CENTER, 80);
        for (int i = 0; i < 3; ++i) {
            m_list.InsertItem(i, L"");
            m_list.SetItemText(i, 1, (L"S-0" + std::to_wstring(i + 1)).c_str());
        }
        m_grid.SetRowCount(3);
        m_grid.SetColumnCount(3);
        m_grid.SetFixedRowCount(1);
        m_grid.SetFixedColumnCount(1);
        m_grid.SetItemText(0, 1, L"属性");
        m_grid.SetItemText(1, 1, L"设计");
        m_grid.SetItemState(2, 2, GVIS_READONLY);
        SetDlgItemText(202, L"只读");
        return TRUE;
    }
    void note(const std::wstring& s) { log.push_back(s); }
    afx_msg void OnNameChange() { note(L"EN_CHANGE 201"); }
    afx_msg void OnAll() { note(L"BN_CLICKED 205 " + std::to_wstring(IsDlgButtonChecked(205))); }
    afx_msg void OnRadio() { note(L"BN_CLICKED 206"); }
    afx_msg void OnCombo() { note(L"CBN_SELCHANGE " + std::to_wstring(m_combo.GetCurSel())); }
    afx_msg void OnListBox() { note(L"LBN_SELCHANGE 210"); }
    afx_msg void OnItem(NMHDR* h, LRESULT*) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(h);
        note(L"LVN_ITEMCHANGED " + std::to_wstring(nm->iItem) + L" " + std::to_wstring(m_list.GetCheck(nm->iItem)));
    }
    afx_msg void OnCellEdited(NMHDR* h, LRESULT*) {
        auto* nm = reinterpret_cast<NM_GRIDVIEW*>(h);
        note(L"GVN_ENDLABELEDIT " + std::to_wstring(nm->iRow) + L"," + std::to_wstring(nm->iColumn) + L" " +
             m_grid.GetItemText(nm->iRow, nm->iColumn).GetString());
    }
    afx_msg void OnRename() {
        SetDlgItemText(202, L"改过");
        GetDlgItem(201)->EnableWindow(FALSE);
        GetDlgItem(203)->ShowWindow(SW_HIDE);
        m_combo.SetCurSel(2);
        m_list.SetCheck(1, TRUE);
        m_grid.SetItemText(1, 2, L"张三");
    }
    afx_msg void OnPick() {
        QWidget* me = backend()->mirror().widgetOf(*vx::ui::fromHandle(m_hWnd));
        BeginEditorCommand();
        hiddenWhilePicking = me && !me->isVisible();
        CompleteEditorCommand();
        shownAfterPicking = me && me->isVisible();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ControlsDlg, CAcUiDialog)
    ON_EN_CHANGE(201, &ControlsDlg::OnNameChange)
    ON_BN_CLICKED(205, &ControlsDlg::OnAll)
    ON_BN_CLICKED(206, &ControlsDlg::OnRadio)
    ON_CBN_SELCHANGE(208, &ControlsDlg::OnCombo)
    ON_LBN_SELCHANGE(210, &ControlsDlg::OnListBox)
    ON_NOTIFY(LVN_ITEMCHANGED, 211, &ControlsDlg::OnItem)
    ON_NOTIFY(GVN_ENDLABELEDIT, 212, &ControlsDlg::OnCellEdited)
    ON_BN_CLICKED(213, &ControlsDlg::OnRename)
    ON_BN_CLICKED(214, &ControlsDlg::OnPick)
END_MESSAGE_MAP()

// Runs the dialog modally while `drive` works on its widgets; whatever `drive` leaves undone
// (a failed check returns early), the dialog is ended so the test never hangs.
template <class Drive>
INT_PTR runModal(CDialog& dlg, Drive drive) {
    QTimer::singleShot(0, [&] {
        struct Ender {
            CDialog& d;
            ~Ender() {
                if (d.GetSafeHwnd() && !vx::ui::fromHandle(d.GetSafeHwnd())->ended) d.EndDialog(-2);
            }
        } ender{dlg};
        drive();
    });
    return dlg.DoModal();
}

template <class W>
W* control(int id) {
    vx::ui::Window* d = backend()->modalDialog();
    vx::ui::Window* c = d ? vx::ui::actions::findControl(*d, id) : nullptr;
    return c ? qobject_cast<W*>(backend()->mirror().widgetOf(*c)) : nullptr;
}

class PaletteChild : public CAcUiDialog {
public:
    PaletteChild() : CAcUiDialog(300) {}
    int greeted = 0;

protected:
    afx_msg void OnHello() { ++greeted; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PaletteChild, CAcUiDialog)
    ON_BN_CLICKED(301, &PaletteChild::OnHello)
END_MESSAGE_MAP()

class ToolPalette : public CAdUiPalette {
public:
    PaletteChild child;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        if (CAdUiPalette::OnCreate(cs) == -1) return -1;
        child.Create(300, this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ToolPalette, CAdUiPalette)
    ON_WM_CREATE()
END_MESSAGE_MAP()

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        vx::ui::setBackend(std::make_unique<QtBackend>());
        auto& cl = vx::editor::CommandLine::get();
        cl.setEchoToStdout(false);
        cl.setCapture(&m_transcript);
        std::string error;
        QVERIFY2(vx::ui::registerResources(vxThisModuleHandle(), {{"test.rc", kRc}}, error), error.c_str());
        vx::ui::pushResourceHandle(vxThisModuleHandle());
    }

    void cleanupTestCase() {
        vx::ui::popResourceHandle();
        vx::ui::unregisterResources(vxThisModuleHandle());
        vx::editor::CommandLine::get().reset();
        vx::ui::setBackend(nullptr);
    }

    // Each kind of control becomes its widget, where the template put it, in the template's font.
    void controlsBecomeWidgets() {
        ControlsDlg dlg;
        runModal(dlg, [&] {
            vx::ui::Window* d = backend()->modalDialog();
            QVERIFY(d);
            QWidget* top = backend()->mirror().widgetOf(*d);
            QVERIFY(top && top->isVisible() && top->isModal());
            QCOMPARE(top->windowTitle(), QStringLiteral("控件"));
            QCOMPARE(top->size(), QSize(d->rect.right - d->rect.left, d->rect.bottom - d->rect.top));
            QCOMPARE(top->font().pixelSize(), 12);
            QVERIFY(control<QLineEdit>(202)->isReadOnly());
            QCOMPARE(control<QLineEdit>(202)->text(), QStringLiteral("只读"));
            QCOMPARE(control<QLineEdit>(203)->echoMode(), QLineEdit::Password);
            QVERIFY(control<QPlainTextEdit>(204));
            QCOMPARE(control<QCheckBox>(205)->text(), QStringLiteral("全选"));
            QVERIFY(control<QRadioButton>(206));
            QComboBox* list = control<QComboBox>(208);
            QVERIFY(list && !list->isEditable());
            // Sorted as the core sorts (by code point without case): 丙 U+4E19, 乙 U+4E59, 甲 U+7532.
            QCOMPARE(list->itemText(0), QStringLiteral("丙"));
            QCOMPARE(list->itemText(2), QStringLiteral("甲"));
            QCOMPARE(list->currentIndex(), -1);
            QVERIFY(control<QComboBox>(209)->isEditable());
            QCOMPARE(control<QListWidget>(210)->count(), 2);
            auto* lv = control<QTableWidget>(211);
            QVERIFY(lv);
            QCOMPARE(lv->rowCount(), 3);
            QCOMPARE(lv->horizontalHeaderItem(1)->text(), QStringLiteral("图号"));
            QCOMPARE(lv->item(2, 1)->text(), QStringLiteral("S-03"));
            QVERIFY(lv->item(0, 0)->flags() & Qt::ItemIsUserCheckable);
            QVERIFY(lv->showGrid());
            auto* grid = control<QTableWidget>(212);
            QVERIFY(grid);
            QCOMPARE(grid->rowCount(), 3);
            QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));  // fixed row
            QVERIFY(grid->item(1, 2)->flags() & Qt::ItemIsEditable);
            QVERIFY(!(grid->item(2, 2)->flags() & Qt::ItemIsEditable));  // read-only cell
            QPushButton* ok = control<QPushButton>(IDOK);
            QVERIFY(ok && ok->isDefault());
            vx::ui::Window* edit = vx::ui::actions::findControl(*d, 201);
            QCOMPARE(control<QLineEdit>(201)->geometry(),
                     QRect(edit->rect.left, edit->rect.top, edit->rect.right - edit->rect.left, edit->rect.bottom - edit->rect.top));
            QVERIFY(backend()->mirror().widgetOf(*d)->findChild<QGroupBox*>());
            QVERIFY(backend()->mirror().widgetOf(*d)->findChild<QLabel*>());
            QTest::mouseClick(control<QPushButton>(IDCANCEL), Qt::LeftButton);
        });
        QVERIFY(!backend()->modalDialog());
    }

    // What the user does reaches the dialog class as the notifications Windows sends, and the
    // core holds what was typed, ticked and chosen.
    void gesturesReachTheDialog() {
        ControlsDlg dlg;
        std::wstring typed, comboText, comboShown;
        int check = -1, lvChecked = -1;
        std::wstring cell;
        const INT_PTR result = runModal(dlg, [&] {
            QLineEdit* name = control<QLineEdit>(201);
            QTest::keyClicks(name, QStringLiteral("A1"));
            vx::qt::hand::key(name, 0, Qt::NoModifier, QStringLiteral("图"));  // QTest types Latin-1 only
            QTest::mouseClick(control<QCheckBox>(205), Qt::LeftButton);
            QTest::mouseClick(control<QRadioButton>(206), Qt::LeftButton);
            QComboBox* combo = control<QComboBox>(208);
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down);
            QTest::keyClick(combo, Qt::Key_Down);
            comboShown = combo->currentText().toStdWString();
            control<QListWidget>(210)->setCurrentRow(1);
            control<QTableWidget>(211)->item(2, 0)->setCheckState(Qt::Checked);
            auto* grid = control<QTableWidget>(212);
            grid->setCurrentCell(1, 2);
            grid->editItem(grid->item(1, 2));
            auto* editor = grid->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            vx::qt::hand::typeOver(editor, QStringLiteral("李四"));
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();  // the view commits the edit in a queued call
            vx::ui::Window* d = backend()->modalDialog();
            typed = vx::ui::actions::findControl(*d, 201)->text;
            check = vx::ui::actions::findControl(*d, 205)->check;
            comboText = vx::ui::actions::findControl(*d, 208)->text;
            lvChecked = (vx::ui::actions::findControl(*d, 211)->rows[2].state >> 12) == 2;
            cell = vx::ui::actions::findControl(*d, 212)->grid.cell(1, 2)->text;
            // Enter in an edit presses the default button (OK), which ends the dialog.
            name->setFocus();
            QTest::keyClick(name, Qt::Key_Return);
        });
        QCOMPARE(result, INT_PTR(IDOK));
        QCOMPARE(typed, std::wstring(L"A1图"));
        QCOMPARE(check, BST_CHECKED);
        QCOMPARE(comboText, std::wstring(L"乙"));
        QCOMPARE(comboShown, comboText);
        QCOMPARE(lvChecked, 1);
        QCOMPARE(QString::fromStdWString(cell), QStringLiteral("李四"));
        const std::vector<std::wstring> want = {L"EN_CHANGE 201",     L"EN_CHANGE 201",      L"EN_CHANGE 201",
                                                L"BN_CLICKED 205 1",  L"BN_CLICKED 206",     L"CBN_SELCHANGE 0", L"CBN_SELCHANGE 1",
                                                L"LBN_SELCHANGE 210", L"LVN_ITEMCHANGED 2 1", L"GVN_ENDLABELEDIT 1,2 李四"};
        for (const std::wstring& w : want) QVERIFY2(std::count(dlg.log.begin(), dlg.log.end(), w) >= 1, QString::fromStdWString(w).toUtf8());
        QCOMPARE(std::count(dlg.log.begin(), dlg.log.end(), std::wstring(L"EN_CHANGE 201")), 3L);
    }

    // Changes the program makes in a handler show in the widgets at once.
    void programChangesShow() {
        ControlsDlg dlg;
        runModal(dlg, [&] {
            QTest::mouseClick(control<QPushButton>(213), Qt::LeftButton);
            QCOMPARE(control<QLineEdit>(202)->text(), QStringLiteral("改过"));
            QVERIFY(!control<QLineEdit>(201)->isEnabled());
            QVERIFY(!control<QLineEdit>(203)->isVisible());
            QCOMPARE(control<QComboBox>(208)->currentText(), QStringLiteral("甲"));
            QCOMPARE(control<QTableWidget>(211)->item(1, 0)->checkState(), Qt::Checked);
            QCOMPARE(control<QTableWidget>(212)->item(1, 2)->text(), QStringLiteral("张三"));
            // A disabled control takes no gesture: the core would refuse it too.
            QTest::keyClicks(control<QLineEdit>(201), QStringLiteral("x"));
            QCOMPARE(vx::ui::actions::findControl(*backend()->modalDialog(), 201)->text, std::wstring());
            QTest::keyClick(control<QLineEdit>(202), Qt::Key_Escape);
        });
    }

    // The dialog hides while its caller picks in the drawing, and comes back.
    void editorCommandHidesTheDialog() {
        ControlsDlg dlg;
        runModal(dlg, [&] {
            QTest::mouseClick(control<QPushButton>(214), Qt::LeftButton);
            QVERIFY(backend()->mirror().widgetOf(*backend()->modalDialog())->isVisible());
            control<QPushButton>(IDCANCEL)->click();
        });
        QVERIFY(dlg.hiddenWhilePicking);
        QVERIFY(dlg.shownAfterPicking);
    }

    // The close box asks the core; Cancel is what it answers for a dialog.
    void closeBoxCancels() {
        ControlsDlg dlg;
        const INT_PTR r = runModal(dlg, [&] { backend()->mirror().widgetOf(*backend()->modalDialog())->close(); });
        QCOMPARE(r, INT_PTR(IDCANCEL));
    }

    void messageBoxes_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("press");  // a caption, or "" for Escape
        QTest::addColumn<int>("answer");
        QTest::newRow("ok by escape") << uint(MB_OK | MB_ICONINFORMATION) << QStringList{QStringLiteral("确定")} << QString() << IDOK;
        QTest::newRow("yes/no") << uint(MB_YESNO | MB_ICONQUESTION) << QStringList{QStringLiteral("是(&Y)"), QStringLiteral("否(&N)")}
                                << QStringLiteral("否(&N)") << IDNO;
        QTest::newRow("ok/cancel by escape") << uint(MB_OKCANCEL) << QStringList{QStringLiteral("确定"), QStringLiteral("取消")} << QString()
                                             << IDCANCEL;
        QTest::newRow("yes/no/cancel") << uint(MB_YESNOCANCEL | MB_ICONEXCLAMATION)
                                       << QStringList{QStringLiteral("是(&Y)"), QStringLiteral("否(&N)"), QStringLiteral("取消")}
                                       << QStringLiteral("是(&Y)") << IDYES;
        QTest::newRow("abort/retry/ignore") << uint(MB_ABORTRETRYIGNORE)
                                            << QStringList{QStringLiteral("中止(&A)"), QStringLiteral("重试(&R)"), QStringLiteral("忽略(&I)")}
                                            << QStringLiteral("忽略(&I)") << IDIGNORE;
    }

    void messageBoxes() {
        QFETCH(uint, type);
        QFETCH(QStringList, captions);
        QFETCH(QString, press);
        QFETCH(int, answer);
        QStringList seen;
        QString title;
        QTimer::singleShot(0, [&] {
            QMessageBox* box = backend()->messageBoxOpen();
            if (!box) return;
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons()) seen << b->text();
            if (press.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* b : box->buttons())
                if (b->text() == press) QTest::mouseClick(b, Qt::LeftButton);
        });
        m_transcript.clear();
        const int r = AfxMessageBox(L"删除所选图框？", type);
        QCOMPARE(r, answer);
        QCOMPARE(title, QStringLiteral("消息"));
        seen.sort();
        captions.sort();
        QCOMPARE(seen, captions);
        QVERIFY(m_transcript.find(L"[消息] 删除所选图框？") != std::wstring::npos);
    }

    // The folder browser hands out the native path of the folder the user chose.
    void folderBrowser() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("图框")));
        const QString chosen = QDir(dir.path()).filePath(QStringLiteral("图框"));
        QString title;
        QTimer::singleShot(0, [&] {
            QFileDialog* browser = backend()->folderBrowserOpen();
            if (!browser) return;
            title = browser->windowTitle();
            browser->setDirectory(dir.path());
            browser->selectFile(chosen);
            static_cast<QDialog*>(browser)->accept();
        });
        wchar_t name[MAX_PATH] = {};
        BROWSEINFOW bi{};
        bi.lpszTitle = L"选择图框模板所在的文件夹";
        bi.pszDisplayName = name;
        LPITEMIDLIST pidl = SHBrowseForFolderW(&bi);
        QVERIFY(pidl);
        wchar_t path[MAX_PATH] = {};
        QVERIFY(SHGetPathFromIDListW(pidl, path));
        CoTaskMemFree(pidl);
        QCOMPARE(QString::fromWCharArray(path), QFileInfo(chosen).canonicalFilePath());
        QCOMPARE(QString::fromWCharArray(name), QStringLiteral("图框"));
        QCOMPARE(title, QStringLiteral("选择图框模板所在的文件夹"));

        QTimer::singleShot(0, [&] {
            if (QFileDialog* browser = backend()->folderBrowserOpen()) browser->reject();
        });
        QVERIFY(!SHBrowseForFolderW(&bi));
    }

    // A palette set docks at the top of the main window as the module creates it, its buttons
    // live; hiding and destroying the set in the core takes the dock away.
    void paletteDocksInTheMainWindow() {
        QMainWindow main;
        main.resize(1200, 600);
        main.show();
        backend()->mirror().setMainWindow(&main);
        auto* set = new CAdUiPaletteSet;
        QVERIFY(set->Create(L"Vorlix Tool", WS_DLGFRAME, CRect(0, 0, 1000, 50), acedGetAcadFrame(), 0x1E));
        auto* palette = new ToolPalette;
        QVERIFY(palette->Create(WS_CHILD | WS_VISIBLE, L"Vorlix Tool", set, 0));
        set->AddPalette(palette);
        set->EnableDocking(CBRS_ALIGN_TOP);
        acedGetAcadFrame()->ShowControlBar(set, TRUE, TRUE);
        set->RestoreControlBar(AFX_IDW_DOCKBAR_TOP, nullptr);
        backend()->mirror().flush();

        const QList<QDockWidget*> docks = main.findChildren<QDockWidget*>();
        QCOMPARE(docks.size(), 1);
        QDockWidget* dock = docks.front();
        QCOMPARE(dock->windowTitle(), QStringLiteral("Vorlix Tool"));
        QCOMPARE(main.dockWidgetArea(dock), Qt::TopDockWidgetArea);
        QVERIFY(dock->isVisible() && !dock->isFloating());
        QPushButton* hello = nullptr;
        for (QPushButton* b : dock->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("问候")) hello = b;
        QVERIFY(hello && hello->isVisible());
        for (QPushButton* b : dock->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("隐藏")) QVERIFY(!b->isVisible());
        QTest::mouseClick(hello, Qt::LeftButton);
        QCOMPARE(palette->child.greeted, 1);

        set->ShowWindow(SW_HIDE);
        backend()->mirror().flush();
        QVERIFY(!dock->isVisible());
        QPointer<QDockWidget> gone = dock;
        set->DestroyWindow();
        delete set;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(gone.isNull());
        backend()->mirror().setMainWindow(nullptr);
    }

private:
    std::wstring m_transcript;
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
