// The grid control: fixed rows and columns drawn as headers, in-place editing of the cells the
// core lets the user edit, per-cell colours and images from the grid's image list. A finished
// edit goes to the core as the user's cell edit (GVN_BEGINLABELEDIT / GVN_ENDLABELEDIT).
#include <QHeaderView>
#include <QPixmap>
#include <QTableWidget>

#include "gridctrl.h"
#include "qt/control_widgets.h"
#include "qt/qt_text.h"
#include "qt/widget_mirror.h"
#include "ui/dialog_actions.h"

namespace vx::qt {
namespace {

using ui::Window;

class GridWidget : public QTableWidget {
public:
    explicit GridWidget(QWidget* parent) : QTableWidget(parent) {
        horizontalHeader()->hide();
        verticalHeader()->hide();
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
        setWordWrap(true);
    }

    // The images of the list, cut once per change of the list.
    QPixmap image(const ui::ImageStrips& strips, int index) {
        if (strips.bitmaps != m_source.bitmaps || strips.cx != m_source.cx || strips.mask != m_source.mask) {
            m_source = strips;
            m_images.clear();
            for (const std::string& bytes : strips.bitmaps) {
                QImage strip = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()), "BMP");
                if (strip.isNull() || strips.cx <= 0) continue;
                const QColor mask = fromColorRef(strips.mask, QColor());
                for (int x = 0; x + strips.cx <= strip.width(); x += strips.cx) {
                    QPixmap p = QPixmap::fromImage(strip.copy(x, 0, strips.cx, strip.height()));
                    if (mask.isValid()) p.setMask(p.createMaskFromColor(mask, Qt::MaskInColor));
                    m_images.push_back(p);
                }
            }
        }
        return (index >= 0 && size_t(index) < m_images.size()) ? m_images[size_t(index)] : QPixmap();
    }

private:
    ui::ImageStrips m_source;
    std::vector<QPixmap> m_images;
};

bool editable(ui::GridState& g, int r, int c) {
    const ui::GridCell* cell = g.cell(r, c);
    return cell && g.editable && r >= g.fixedRows && c >= g.fixedCols && !(cell->state & GVIS_READONLY);
}

}  // namespace

QWidget* createGrid(Window& w, QWidget* parent, WidgetMirror& m) {
    auto* t = new GridWidget(parent);
    HWND h = ui::handleOf(&w);
    QObject::connect(t, &QTableWidget::itemChanged, t, [h, &m](QTableWidgetItem* item) {
        const int row = item->row(), col = item->column();
        // The editor hands back "\n"; cells keep the Windows line ends they were given.
        std::wstring text = fromQ(item->text().replace(u'\n', QStringLiteral("\r\n")));
        m.act(h, [row, col, text](Window& c) {
            const ui::GridCell* cell = c.grid.cell(row, col);
            return (cell && cell->text == text) ? std::wstring() : ui::actions::editCell(c, row, col, text);
        });
    });
    return t;
}

void syncGrid(Window& w, QWidget* widget) {
    auto* t = static_cast<GridWidget*>(widget);
    ui::GridState& g = w.grid;
    t->setRowCount(g.rows);
    t->setColumnCount(g.cols);
    const QPalette pal = t->palette();
    for (int c = 0; c < g.cols; ++c)
        if (size_t(c) < g.colWidths.size()) t->setColumnWidth(c, g.colWidths[size_t(c)]);
    for (int r = 0; r < g.rows; ++r) {
        if (size_t(r) < g.rowHeights.size()) t->setRowHeight(r, g.rowHeights[size_t(r)]);
        for (int c = 0; c < g.cols; ++c) {
            const ui::GridCell& cell = *g.cell(r, c);
            QTableWidgetItem* item = t->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                t->setItem(r, c, item);
            }
            QString text = toQ(cell.text);
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            item->setText(text);
            const bool fixed = r < g.fixedRows || c < g.fixedCols;
            item->setBackground(fromColorRef(cell.bk, fixed ? pal.color(QPalette::Button) : pal.color(QPalette::Base)));
            item->setForeground(fromColorRef(cell.fg, fixed ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Text)));
            item->setTextAlignment((fixed ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
            Qt::ItemFlags flags = Qt::ItemIsEnabled;
            if (!fixed) flags |= Qt::ItemIsSelectable;
            if (editable(g, r, c)) flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            item->setData(Qt::DecorationRole, cell.image >= 0 ? QVariant(t->image(g.images, cell.image)) : QVariant());
        }
    }
    if (g.focusRow >= 0 && g.focusCol >= 0 && g.focusRow < g.rows && g.focusCol < g.cols) t->setCurrentCell(g.focusRow, g.focusCol);
}

}  // namespace vx::qt
