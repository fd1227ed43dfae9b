#include "app/channel_list.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

#include "app/fit_text.h"
#include "ui/text_8bit.h"

namespace app {
namespace {

constexpr int kStateRole = Qt::UserRole + 1;
constexpr int kText8Role = Qt::UserRole + 2;
// Cell texts are read up to 127 characters before they are shortened.
constexpr int kCellTextMax = 127;

// Fixed row height: the taller of a text line and a state image.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(0, std::max(option.fontMetrics.height() + 2, 17));
    }
};

struct RowColours {
    QColor text;
    QColor background;
};

void DrawChannelItem(QPainter& painter, const ChannelListView& list,
                     const QStyleOptionViewItem& option, int row, bool selected, bool focused) {
    const QPalette& pal = option.palette;
    const RowColours colours =
        selected ? RowColours{pal.color(QPalette::HighlightedText), pal.color(QPalette::Highlight)}
                 : RowColours{pal.color(QPalette::Text), pal.color(QPalette::Base)};
    const QHeaderView* header = list.header();
    const QRect rowRect(header->sectionViewportPosition(0), option.rect.top(), header->length(),
                        option.rect.height());

    int imageWidth = 0;
    if (const StateImageList* images = list.GetStateImageList()) {
        const int state = list.GetItemState(row, kStateMask);
        images->Draw(painter, state != kStateUnchecked ? 1 : 0, rowRect.topLeft(), selected,
                     pal.color(QPalette::Highlight));
        imageWidth = images->ImageWidth();
    }

    const QFontMetrics metrics = painter.fontMetrics();
    const TextWidthFn measure = [&](const QString& s) { return metrics.horizontalAdvance(s); };
    int left = rowRect.left() + imageWidth;
    int right = rowRect.left() + list.GetColumnWidth(0);
    for (int column = 0; column < 2; ++column) {
        if (column > 0) {
            left = right;
            right = left + list.GetColumnWidth(column);
        }
        const QRect cell(QPoint(left, rowRect.top()), QPoint(right - 1, rowRect.bottom()));
        const QString text = FitTextToWidth(list.GetItemText(row, column).left(kCellTextMax),
                                            cell.width() - 4, measure);
        painter.save();
        painter.setClipRect(cell);
        painter.fillRect(cell, colours.background);
        painter.setPen(colours.text);
        painter.drawText(cell.left() + 2, cell.top() + 1 + metrics.ascent(), text);
        painter.restore();
    }

    if (focused) {
        QStyleOptionFocusRect focus;
        focus.rect =
            QRect(QPoint(rowRect.left() + imageWidth, rowRect.top()), rowRect.bottomRight());
        focus.palette = pal;
        focus.backgroundColor = colours.background;
        list.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &list);
    }
}

}  // namespace

ChannelListView::ChannelListView(QWidget* parent)
    : QTreeView(parent), model_(new QStandardItemModel(0, 0, this)) {
    setModel(model_);
    setItemDelegate(new FixedRowDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ChannelListView::SetStateImageList(const StateImageList* images) {
    images_ = images;
    viewport()->update();
}

void ChannelListView::InsertColumn(int column, const QString& heading, int width) {
    model_->insertColumn(column);
    model_->setHeaderData(column, Qt::Horizontal, heading);
    model_->setHeaderData(column, Qt::Horizontal, int(Qt::AlignLeft | Qt::AlignVCenter),
                          Qt::TextAlignmentRole);
    header()->resizeSection(column, width);
}

int ChannelListView::GetColumnWidth(int column) const { return header()->sectionSize(column); }

void ChannelListView::InsertItem(int index, const std::string& text8) {
    QList<QStandardItem*> cells;
    for (int c = 0; c < std::max(model_->columnCount(), 1); ++c) cells.append(new QStandardItem());
    cells[0]->setText(FromText8(text8));
    cells[0]->setData(QByteArray::fromStdString(text8), kText8Role);
    cells[0]->setData(0, kStateRole);
    model_->insertRow(index, cells);
}

void ChannelListView::SetItemText(int item, int column, const QString& text) {
    if (QStandardItem* cell = model_->item(item, column)) cell->setText(text);
}

QString ChannelListView::GetItemText(int item, int column) const {
    const QStandardItem* cell = model_->item(item, column);
    return cell ? cell->text() : QString();
}

std::string ChannelListView::GetItemText8(int item) const {
    const QStandardItem* cell = model_->item(item, 0);
    return cell ? cell->data(kText8Role).toByteArray().toStdString() : std::string();
}

void ChannelListView::SetItemState(int item, int state, int mask) {
    QStandardItem* cell = model_->item(item, 0);
    if (!cell) return;
    const int old = cell->data(kStateRole).toInt();
    cell->setData((old & ~mask) | (state & mask), kStateRole);
}

int ChannelListView::GetItemState(int item, int mask) const {
    const QStandardItem* cell = model_->item(item, 0);
    return cell ? (cell->data(kStateRole).toInt() & mask) : 0;
}

int ChannelListView::GetItemCount() const { return model_->rowCount(); }

void ChannelListView::DeleteAllItems() { model_->removeRows(0, model_->rowCount()); }

int ChannelListView::HitTestStateIcon(QPoint p) const {
    if (!images_) return -1;
    const QModelIndex index = indexAt(p);
    if (!index.isValid()) return -1;
    const int left = header()->sectionViewportPosition(0);
    if (p.x() < left || p.x() >= left + images_->ImageWidth()) return -1;
    return index.row();
}

int ChannelListView::ClientWidth() const { return contentsRect().width(); }

void ChannelListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool selected = selectionModel()->isRowSelected(index.row(), index.parent());
    const bool focused = hasFocus() && currentIndex().row() == index.row();
    DrawChannelItem(*painter, *this, option, index.row(), selected, focused);
}

void ChannelListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        ToggleChannelCheck(*this, event->position().toPoint());
}

void ToggleChannelCheck(ChannelListView& list, QPoint p) {
    const StateImageList* images = list.GetStateImageList();
    const int limit = images ? images->ImageWidth() : 0;
    if (p.x() > limit) return;
    const int row = list.HitTestStateIcon(p);
    if (row < 0) return;
    const int state = list.GetItemState(row, kStateMask);
    list.SetItemState(row, state == kStateUnchecked ? kStateChecked : kStateUnchecked, kStateMask);
    list.viewport()->update();
}

}  // namespace app
