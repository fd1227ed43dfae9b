#include "app/channel_list.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include "res/resource_table.h"

namespace {

class ChannelListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(images_.Create(res::LoadBitmap(129), 16, QColor(255, 0, 0)));
        list_.resize(300, 200);
        list_.InsertColumn(0, QStringLiteral("Канал"), 150);
        list_.InsertColumn(1, QStringLiteral("отс./с."), 150);
        list_.SetStateImageList(&images_);
        for (const char* name : {"SHE", "SHN", "SHZ"}) {
            list_.InsertItem(0, name);
            list_.SetItemState(0, app::kStateChecked, app::kStateMask);
        }
        list_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
    }

    QPoint CheckBoxOf(int row) const {
        const QRect r = list_.visualRect(list_.model()->index(row, 0));
        return QPoint(r.left() + 8, r.center().y());
    }
    QPoint TextOf(int row) const {
        const QRect r = list_.visualRect(list_.model()->index(row, 0));
        return QPoint(r.left() + 60, r.center().y());
    }
    int State(int row) const { return list_.GetItemState(row, app::kStateMask); }

    app::StateImageList images_;
    app::ChannelListView list_;
};

TEST_F(ChannelListTest, ClickAndRightClickOnTheCheckBoxToggleIt) {
    QTest::mouseClick(list_.viewport(), Qt::LeftButton, {}, CheckBoxOf(1));
    EXPECT_EQ(State(1), app::kStateUnchecked);
    EXPECT_EQ(State(0), app::kStateChecked);
    EXPECT_EQ(State(2), app::kStateChecked);
    QTest::mouseClick(list_.viewport(), Qt::RightButton, {}, CheckBoxOf(1));
    EXPECT_EQ(State(1), app::kStateChecked);
    QTest::mouseClick(list_.viewport(), Qt::RightButton, {}, CheckBoxOf(2));
    EXPECT_EQ(State(2), app::kStateUnchecked);
}

TEST_F(ChannelListTest, ClicksElsewhereChangeNothing) {
    const QRect last = list_.visualRect(list_.model()->index(2, 0));
    const QPoint places[] = {
        TextOf(0),                       // on the name
        QPoint(200, CheckBoxOf(0).y()),  // on the rate
        QPoint(8, last.bottom() + 20),   // check-box column below the last row
        QPoint(16, CheckBoxOf(0).y()),   // just right of the image
    };
    for (QPoint p : places) {
        QTest::mouseClick(list_.viewport(), Qt::LeftButton, {}, p);
        QTest::mouseClick(list_.viewport(), Qt::RightButton, {}, p);
    }
    for (int row = 0; row < 3; ++row) EXPECT_EQ(State(row), app::kStateChecked) << row;
    // Middle button is no click in this sense.
    QTest::mouseClick(list_.viewport(), Qt::MiddleButton, {}, CheckBoxOf(0));
    EXPECT_EQ(State(0), app::kStateChecked);
}

TEST_F(ChannelListTest, ARowWithoutStateBecomesUnchecked) {
    list_.InsertItem(0, "BHZ");
    ASSERT_EQ(State(0), 0);
    app::ToggleChannelCheck(list_, CheckBoxOf(0));
    EXPECT_EQ(State(0), app::kStateUnchecked);
}

TEST_F(ChannelListTest, WithoutStateImagesNothingToggles) {
    list_.SetStateImageList(nullptr);
    app::ToggleChannelCheck(list_, QPoint(0, CheckBoxOf(0).y()));
    app::ToggleChannelCheck(list_, CheckBoxOf(0));
    EXPECT_EQ(State(0), app::kStateChecked);
}

TEST_F(ChannelListTest, RowsShowTheirCheckStateImage) {
    list_.SetItemState(0, app::kStateUnchecked, app::kStateMask);
    list_.clearSelection();
    list_.setCurrentIndex(QModelIndex());
    const QImage shot = list_.viewport()->grab().toImage();
    const QRect r0 = list_.visualRect(list_.model()->index(0, 0));
    const QRect r1 = list_.visualRect(list_.model()->index(1, 0));
    const QImage box0 = shot.copy(r0.left(), r0.top(), 16, 16);
    const QImage box1 = shot.copy(r1.left(), r1.top(), 16, 16);
    EXPECT_NE(box0, box1);
    EXPECT_EQ(box1, shot.copy(list_.visualRect(list_.model()->index(2, 0)).topLeft().x(),
                              list_.visualRect(list_.model()->index(2, 0)).top(), 16, 16));
}

TEST_F(ChannelListTest, KeepsTheEightBitNameBesideTheShownText) {
    list_.InsertItem(0, "\xCA\xE0\xED");  // "Кан" in code page 1251
    EXPECT_EQ(list_.GetItemText(0, 0), QStringLiteral("Кан"));
    EXPECT_EQ(list_.GetItemText8(0), "\xCA\xE0\xED");
    list_.DeleteAllItems();
    EXPECT_EQ(list_.GetItemCount(), 0);
}

}  // namespace
