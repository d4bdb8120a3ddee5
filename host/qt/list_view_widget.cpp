// The list control in report view: columns with headings, a check box per item, full-row
// selection and grid lines as the extended styles say. Ticks and selection changes the user
// makes become item state changes of the core (LVN_ITEMCHANGED for the dialog).
#include <QHeaderView>
#include <QTableWidget>

#include "afxcmn.h"
#include "qt/control_widgets.h"
#include "qt/qt_text.h"
#include "qt/widget_mirror.h"
#include "ui/dialog_actions.h"
#include "ui/notify.h"

namespace vx::qt {
namespace {

using ui::Window;
constexpr UINT kChecked = 2u << 12;

class ListViewWidget : public QTableWidget {
public:
    explicit ListViewWidget(QWidget* parent) : QTableWidget(parent) {
        verticalHeader()->hide();
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
        horizontalHeader()->setHighlightSections(false);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setWordWrap(false);
    }
};

Qt::Alignment columnAlignment(int format) {
    const int f = format & 0x3;
    return (f == LVCFMT_CENTER ? Qt::AlignHCenter : f == LVCFMT_RIGHT ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

void selectionChanged(HWND h, QTableWidget* t, WidgetMirror& m) {
    std::vector<bool> selected(size_t(t->rowCount()), false);
    for (const QModelIndex& i : t->selectionModel()->selectedRows()) selected[size_t(i.row())] = true;
    const int current = t->currentRow();
    m.act(h, [selected, current](Window& c) {
        // The items whose selection the user changed, one LVN_ITEMCHANGED each, as Windows sends.
        for (size_t i = 0; i < selected.size() && i < c.rows.size(); ++i) {
            UINT want = (selected[i] ? LVIS_SELECTED : 0u) | (int(i) == current ? LVIS_FOCUSED : 0u);
            ui::setItemState(c, int(i), want, LVIS_SELECTED | LVIS_FOCUSED);
        }
        return std::wstring();
    });
}

}  // namespace

QWidget* createListView(Window& w, QWidget* parent, WidgetMirror& m) {
    auto* t = new ListViewWidget(parent);
    HWND h = ui::handleOf(&w);
    QObject::connect(t, &QTableWidget::itemChanged, t, [h, &m](QTableWidgetItem* item) {
        if (item->column() != 0) return;
        const int row = item->row();
        const bool on = item->checkState() == Qt::Checked;
        m.act(h, [row, on](Window& c) { return ui::actions::tick(c, row, on); });
    });
    QObject::connect(t, &QTableWidget::itemSelectionChanged, t, [h, t, &m] { selectionChanged(h, t, m); });
    return t;
}

void syncListView(Window& w, QWidget* widget) {
    auto* t = static_cast<QTableWidget*>(widget);
    const bool checks = (w.lvExStyle & LVS_EX_CHECKBOXES) != 0;
    t->setShowGrid((w.lvExStyle & LVS_EX_GRIDLINES) != 0);
    t->setSelectionBehavior((w.lvExStyle & LVS_EX_FULLROWSELECT) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    t->setSelectionMode((w.style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
    const int cols = std::max<int>(1, static_cast<int>(w.columns.size()));
    t->setColumnCount(cols);
    t->horizontalHeader()->setVisible(!w.columns.empty() && !(w.style & LVS_NOCOLUMNHEADER));
    for (int c = 0; c < static_cast<int>(w.columns.size()); ++c) {
        const ui::ListColumn& col = w.columns[size_t(c)];
        auto* head = new QTableWidgetItem(toQ(col.heading));
        head->setTextAlignment(columnAlignment(col.format));
        t->setHorizontalHeaderItem(c, head);
        if (col.width > 0) t->setColumnWidth(c, col.width);
    }
    t->setRowCount(static_cast<int>(w.rows.size()));
    for (int r = 0; r < static_cast<int>(w.rows.size()); ++r) {
        const ui::ListRow& row = w.rows[size_t(r)];
        for (int c = 0; c < cols; ++c) {
            QTableWidgetItem* item = t->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                t->setItem(r, c, item);
            }
            item->setText(size_t(c) < row.cells.size() ? toQ(row.cells[size_t(c)]) : QString());
            // Windows keeps the first column left-aligned whatever its format says.
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : columnAlignment(size_t(c) < w.columns.size() ? w.columns[size_t(c)].format : 0));
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (c == 0 && checks) {
                flags |= Qt::ItemIsUserCheckable;
                item->setCheckState((row.state & LVIS_STATEIMAGEMASK) == kChecked ? Qt::Checked : Qt::Unchecked);
            }
            item->setFlags(flags);
            item->setSelected((row.state & LVIS_SELECTED) != 0);
        }
    }
    for (int r = 0; r < static_cast<int>(w.rows.size()); ++r)
        if (w.rows[size_t(r)].state & LVIS_FOCUSED) t->setCurrentCell(r, 0, QItemSelectionModel::NoUpdate);
}

}  // namespace vx::qt
