// The dialog's channel list: a two-column report view whose rows are drawn
// by DrawChannelItem and whose check boxes are state images the list
// toggles itself (ToggleChannelCheck).
#pragma once

#include <QTreeView>
#include <string>

#include "app/state_image_list.h"

class QStandardItemModel;

namespace app {

// State bits of a row under the mask 0xF000: state image 1 or 2.
inline constexpr int kStateMask = 0xF000;
inline constexpr int kStateUnchecked = 0x1000;
inline constexpr int kStateChecked = 0x2000;

class ChannelListView : public QTreeView {
    Q_OBJECT
public:
    explicit ChannelListView(QWidget* parent = nullptr);

    void SetStateImageList(const StateImageList* images);
    const StateImageList* GetStateImageList() const { return images_; }

    // Column and row operations in the manner of a report-view list control.
    void InsertColumn(int column, const QString& heading, int width);
    int GetColumnWidth(int column) const;
    // Inserts a row at index; text8 is the channel name as the catalogue gave it.
    void InsertItem(int index, const std::string& text8);
    void SetItemText(int item, int column, const QString& text);
    QString GetItemText(int item, int column) const;
    // Column 0 as the 8-bit text it was inserted with.
    std::string GetItemText8(int item) const;
    void SetItemState(int item, int state, int mask);
    int GetItemState(int item, int mask) const;
    int GetItemCount() const;
    void DeleteAllItems();

    // The row whose state image lies under a viewport point, or -1.
    int HitTestStateIcon(QPoint viewportPoint) const;

    // Client width, before and after the view is shown.
    int ClientWidth() const;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QStandardItemModel* model_;
    const StateImageList* images_ = nullptr;
};

// A click or right click at a viewport point: toggles the row's check box
// when the point lies on its state image; anything else changes nothing.
void ToggleChannelCheck(ChannelListView& list, QPoint viewportPoint);

}  // namespace app
