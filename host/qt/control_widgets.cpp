// Buttons, check boxes, radio buttons, group boxes, statics, edits, combo boxes, list boxes and
// the containers (child dialogs, palettes), as one table of kinds.
#include "qt/control_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "qt/qt_text.h"
#include "qt/widget_mirror.h"
#include "ui/dialog_actions.h"
#include "ui/notify.h"

namespace vx::qt {
namespace {

using ui::Kind;
using ui::Window;
namespace actions = ui::actions;

// ---- buttons --------------------------------------------------------------------------------

QWidget* createButton(Window& w, QWidget* parent, WidgetMirror& m) {
    auto* b = new QPushButton(parent);
    b->setAutoDefault(false);  // Enter is the dialog's: it presses the core's default button
    b->setDefault((w.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    HWND h = ui::handleOf(&w);
    QObject::connect(b, &QPushButton::clicked, b, [h, &m] { m.act(h, [](Window& c) { return actions::click(c); }); });
    return b;
}

void syncButton(Window& w, QWidget* widget) {
    auto* b = static_cast<QPushButton*>(widget);
    b->setText(toQ(w.text));
    b->setDefault(w.parent && w.parent->defaultId == w.id && w.id != 0);
}

QWidget* createCheckBox(Window& w, QWidget* parent, WidgetMirror& m) {
    auto* b = new QCheckBox(parent);
    UINT type = w.style & BS_TYPEMASK;
    b->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
    HWND h = ui::handleOf(&w);
    QObject::connect(b, &QCheckBox::clicked, b, [h, &m] { m.act(h, [](Window& c) { return actions::click(c); }); });
    return b;
}

void syncCheckBox(Window& w, QWidget* widget) {
    auto* b = static_cast<QCheckBox*>(widget);
    b->setText(toQ(w.text));
    b->setCheckState(w.check == BST_CHECKED ? Qt::Checked : w.check == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
}

QWidget* createRadio(Window& w, QWidget* parent, WidgetMirror& m) {
    auto* b = new QRadioButton(parent);
    b->setAutoExclusive(false);  // groups are the core's (WS_GROUP runs), not the parent's
    HWND h = ui::handleOf(&w);
    QObject::connect(b, &QRadioButton::clicked, b, [h, &m] { m.act(h, [](Window& c) { return actions::click(c); }); });
    return b;
}

void syncRadio(Window& w, QWidget* widget) {
    auto* b = static_cast<QRadioButton*>(widget);
    b->setText(toQ(w.text));
    b->setChecked(w.check == BST_CHECKED);
}

QWidget* createGroup(Window&, QWidget* parent, WidgetMirror&) {
    auto* g = new QGroupBox(parent);
    // A group box only frames its siblings; clicks go to them.
    g->setAttribute(Qt::WA_TransparentForMouseEvents);
    return g;
}

void syncGroup(Window& w, QWidget* widget) { static_cast<QGroupBox*>(widget)->setTitle(toQ(w.text)); }

// ---- statics --------------------------------------------------------------------------------

QWidget* createStatic(Window& w, QWidget* parent, WidgetMirror&) {
    DWORD type = w.style & SS_TYPEMASK;
    if (type == SS_ETCHEDHORZ || type == SS_ETCHEDFRAME || type == SS_BLACKFRAME) {
        auto* f = new QFrame(parent);
        f->setFrameShape(type == SS_ETCHEDHORZ ? QFrame::HLine : QFrame::Box);
        f->setFrameShadow(type == SS_BLACKFRAME ? QFrame::Plain : QFrame::Sunken);
        return f;
    }
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE);
    Qt::Alignment a = type == SS_CENTER ? Qt::AlignHCenter : type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
    l->setAlignment(a | ((w.style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop));
    if (w.style & SS_SUNKEN) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}

// Static text shows '&' as the mnemonic marker unless SS_NOPREFIX; a label takes plain text.
QString staticText(const Window& w) {
    QString t = toQ(w.text);
    if (w.style & SS_NOPREFIX) return t;
    QString out;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i] == u'&' && i + 1 < t.size()) ++i;
        out += t[i];
    }
    return out;
}

void syncStatic(Window& w, QWidget* widget) {
    if (auto* l = qobject_cast<QLabel*>(widget)) l->setText(staticText(w));
}

// ---- edits ----------------------------------------------------------------------------------

QWidget* createEdit(Window& w, QWidget* parent, WidgetMirror& m) {
    HWND h = ui::handleOf(&w);
    if (w.style & ES_MULTILINE) {
        auto* e = new QPlainTextEdit(parent);
        e->setLineWrapMode((w.style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        QObject::connect(e, &QPlainTextEdit::textChanged, e, [h, e, &m] {
            // The edit control keeps Windows line ends.
            std::wstring text = fromQ(e->toPlainText().replace(u'\n', QStringLiteral("\r\n")));
            m.act(h, [text](Window& c) { return c.text == text ? std::wstring() : actions::setText(c, text); });
        });
        return e;
    }
    auto* e = new QLineEdit(parent);
    if (w.style & ES_PASSWORD) e->setEchoMode(QLineEdit::Password);
    if (w.style & ES_NUMBER)
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    DWORD align = w.style & 0x3;
    e->setAlignment((align == ES_CENTER ? Qt::AlignHCenter : align == ES_RIGHT ? Qt::AlignRight : Qt::AlignLeft) |
                    Qt::AlignVCenter);
    QObject::connect(e, &QLineEdit::textEdited, e, [h, &m](const QString& t) {
        std::wstring text = fromQ(t);
        m.act(h, [text](Window& c) { return actions::setText(c, text); });
    });
    return e;
}

void syncEdit(Window& w, QWidget* widget) {
    const bool readOnly = (w.style & ES_READONLY) != 0;
    if (auto* e = qobject_cast<QLineEdit*>(widget)) {
        e->setReadOnly(readOnly);
        e->setMaxLength(w.limit > 0 ? w.limit : 32767);
        QString t = toQ(w.text);
        if (e->text() != t) e->setText(t);
        return;
    }
    auto* e = static_cast<QPlainTextEdit*>(widget);
    e->setReadOnly(readOnly);
    QString t = toQ(w.text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (e->toPlainText() != t) e->setPlainText(t);
}

// ---- combo boxes and list boxes -------------------------------------------------------------

bool dropDownList(const Window& w) { return (w.style & 0x3) == CBS_DROPDOWNLIST; }

QWidget* createCombo(Window& w, QWidget* parent, WidgetMirror& m) {
    auto* c = new QComboBox(parent);
    c->setEditable(!dropDownList(w));
    c->setInsertPolicy(QComboBox::NoInsert);
    HWND h = ui::handleOf(&w);
    QObject::connect(c, &QComboBox::activated, c, [h, &m](int index) {
        m.act(h, [index](Window& x) { return actions::choose(x, L"", index); });
    });
    if (QLineEdit* e = c->lineEdit())
        QObject::connect(e, &QLineEdit::textEdited, c, [h, &m](const QString& t) {
            std::wstring text = fromQ(t);
            m.act(h, [text](Window& x) { return actions::setText(x, text); });
        });
    return c;
}

void syncCombo(Window& w, QWidget* widget) {
    auto* c = static_cast<QComboBox*>(widget);
    bool same = c->count() == static_cast<int>(w.items.size());
    for (int i = 0; same && i < c->count(); ++i) same = c->itemText(i) == toQ(w.items[size_t(i)].text);
    if (!same) {
        c->clear();
        for (const ui::ListItem& item : w.items) c->addItem(toQ(item.text));
    }
    c->setCurrentIndex(w.curSel);
    if (c->isEditable() && c->currentText() != toQ(w.text)) c->setEditText(toQ(w.text));
}

QWidget* createListBox(Window& w, QWidget* parent, WidgetMirror& m) {
    auto* l = new QListWidget(parent);
    l->setSelectionMode((w.style & LBS_NOSEL) ? QAbstractItemView::NoSelection : QAbstractItemView::SingleSelection);
    HWND h = ui::handleOf(&w);
    QObject::connect(l, &QListWidget::currentRowChanged, l, [h, &m](int row) {
        if (row >= 0) m.act(h, [row](Window& x) { return actions::choose(x, L"", row); });
    });
    return l;
}

void syncListBox(Window& w, QWidget* widget) {
    auto* l = static_cast<QListWidget*>(widget);
    bool same = l->count() == static_cast<int>(w.items.size());
    for (int i = 0; same && i < l->count(); ++i) same = l->item(i)->text() == toQ(w.items[size_t(i)].text);
    if (!same) {
        l->clear();
        for (const ui::ListItem& item : w.items) l->addItem(toQ(item.text));
    }
    l->setCurrentRow(w.curSel);
}

// ---- containers -----------------------------------------------------------------------------

QWidget* createContainer(Window& w, QWidget* parent, WidgetMirror&) {
    auto* c = new QWidget(parent);
    if (w.kind == Kind::Dialog) c->setFont(dialogFont(w));
    c->setAutoFillBackground(true);
    return c;
}

void syncNothing(Window&, QWidget*) {}

QWidget* createCustom(Window&, QWidget* parent, WidgetMirror&) {
    auto* f = new QFrame(parent);
    f->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    return f;
}

}  // namespace

const ControlKind& controlKind(Kind kind) {
    // In the order of ui::Kind.
    static const ControlKind kinds[] = {
        {createContainer, syncNothing},   // Dialog (a child dialog; top-level dialogs are the mirror's)
        {createButton, syncButton},       // Button
        {createCheckBox, syncCheckBox},   // CheckBox
        {createRadio, syncRadio},         // RadioButton
        {createGroup, syncGroup},         // GroupBox
        {createEdit, syncEdit},           // Edit
        {createStatic, syncStatic},       // Static
        {createCombo, syncCombo},         // ComboBox
        {createListBox, syncListBox},     // ListBox
        {createListView, syncListView},   // ListView
        {createGrid, syncGrid},           // Grid
        {createContainer, syncNothing},   // PaletteSet (inside its dock)
        {createContainer, syncNothing},   // Palette
        {createContainer, syncNothing},   // Frame
        {createCustom, syncNothing},      // Custom
    };
    static_assert(sizeof(kinds) / sizeof(kinds[0]) == static_cast<size_t>(Kind::Custom) + 1, "one row per kind");
    return kinds[static_cast<int>(kind)];
}

QFont dialogFont(const ui::Window& dialog) {
    QFont f;
    QStringList families;
    if (!dialog.fontFace.empty()) families << toQ(dialog.fontFace);
    // The Song faces offices' dialogs name, then the CJK faces this system is sure to have.
    families << QStringLiteral("SimSun") << QStringLiteral("AR PL SungtiL GB") << QStringLiteral("WenQuanYi Micro Hei")
             << QStringLiteral("DejaVu Sans");
    f.setFamilies(families);
    const double points = dialog.fontPoints > 0 ? dialog.fontPoints : 8;
    f.setPixelSize(qRound(points * 96.0 / 72.0));
    f.setWeight(dialog.fontWeight >= 600 ? QFont::Bold : QFont::Normal);
    return f;
}

QColor fromColorRef(COLORREF c, const QColor& fallback) {
    if (c & 0xFF000000u) return fallback;  // CLR_DEFAULT, CLR_NONE and the grid's "default"
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

}  // namespace vx::qt
