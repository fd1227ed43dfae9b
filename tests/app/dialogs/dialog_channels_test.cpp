// The channel list of the single selected station, on every catalogue back end.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QTest>

#include "app/channel_list.h"
#include "tests/app/dialogs/dialog_environment.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using app_testing::DialogEnvironment;
using testing_support::ExecuteOnCatalogue;

class DialogChannelsTest : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        env_ = std::make_unique<DialogEnvironment>(backend().Login());
    }
    void TearDown() override {
        env_.reset();
        CatalogueTest::TearDown();
    }

    static void AddChannel(const std::string& sta, const std::string& chan, double sps) {
        ExecuteOnCatalogue("INSERT INTO sitechan (sta, chan, sps) VALUES (?, ?, ?)",
                           {sta, chan, sps});
    }
    app::ChannelListView* Channels() {
        return static_cast<app::ChannelListView*>(env_->dialog().GetDlgItem(1024));
    }
    QCheckBox* Gain() { return static_cast<QCheckBox*>(env_->dialog().GetDlgItem(1023)); }
    QStringList Rows(int column) {
        QStringList rows;
        for (int i = 0; i < Channels()->GetItemCount(); ++i)
            rows << Channels()->GetItemText(i, column);
        return rows;
    }

    std::unique_ptr<DialogEnvironment> env_;
};

TEST_P(DialogChannelsTest, OneSelectedStationListsItsChannelsReversedAndTicked) {
    AddChannel("KRV", "SHZ", 100);
    AddChannel("ARU", "BHZ", 40);
    AddChannel("KRV", "SHN", 100);
    AddChannel("KRV", "SHE", 50.5);
    AddChannel("KRV", "LONGCHANNELNAME_XYZ", 1.0 / 3);
    env_->WriteKelvaronIni("[KELVARON]\nNSTA=2\nSTA0=KRV\nSTA1=ARU\n[KRV]\nUSEGAIN=0\n");
    CConverterDlg& d = env_->OpenDialog();
    ASSERT_EQ(Channels()->GetItemCount(), 0);  // both stations selected

    app_testing::ClickStation(d, 1);  // KRV alone
    ASSERT_EQ(app_testing::SelectedStationTexts(d), QStringList{"KRV"});
    EXPECT_EQ(Rows(0), (QStringList{"LONGCHANNELNAME", "SHE", "SHN", "SHZ"}));
    EXPECT_EQ(Rows(1), (QStringList{"0.333", "50.500", "100.000", "100.000"}));
    for (int i = 0; i < Channels()->GetItemCount(); ++i)
        EXPECT_EQ(Channels()->GetItemState(i, app::kStateMask), app::kStateChecked) << i;
    EXPECT_FALSE(Gain()->isChecked());
    EXPECT_FALSE(Gain()->isEnabled());

    // What a run is handed: every item, its check state, the name cut to 15 characters.
    const engine::RunRequest request = d.BuildRequest(engine::RunMode::Window);
    ASSERT_EQ(request.channels.size(), 4u);
    EXPECT_EQ(request.channels[0].text, "LONGCHANNELNAME");
    EXPECT_EQ(request.channels[3].text, "SHZ");
    EXPECT_TRUE(request.channels[2].checked);
    EXPECT_TRUE(env_->messages.empty());
}

TEST_P(DialogChannelsTest, ASecondStationEmptiesTheListAndKeepsTheGainBox) {
    AddChannel("KRV", "SHZ", 100);
    env_->WriteKelvaronIni("[KELVARON]\nNSTA=3\nSTA0=KRV\nSTA1=ARU\nSTA2=OBN\n[KRV]\nUSEGAIN=0\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 1);  // KRV
    ASSERT_EQ(Channels()->GetItemCount(), 1);
    ASSERT_FALSE(Gain()->isChecked());
    app_testing::ClickStation(d, 2, Qt::ControlModifier);  // and OBN
    EXPECT_EQ(Channels()->GetItemCount(), 0);
    EXPECT_FALSE(Gain()->isChecked());

    // A station without channels: empty list, its own USEGAIN (default 1).
    app_testing::ClickStation(d, 0);  // ARU alone
    EXPECT_EQ(Channels()->GetItemCount(), 0);
    EXPECT_TRUE(Gain()->isChecked());
}

TEST_P(DialogChannelsTest, TheListBelongsToTheSelectedStationNotTheEntryWithTheFocus) {
    AddChannel("KRV", "SHZ", 100);
    AddChannel("ARU", "BHZ", 40);
    AddChannel("ARU", "BHN", 40);
    env_->WriteKelvaronIni("[KELVARON]\nNSTA=3\nSTA0=KRV\nSTA1=ARU\nSTA2=OBN\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 1);                       // KRV
    app_testing::ClickStation(d, 0, Qt::ControlModifier);  // and ARU
    app_testing::ClickStation(d, 0, Qt::ControlModifier);  // ARU off again, but current
    ASSERT_EQ(app_testing::SelectedStationTexts(d), QStringList{"KRV"});
    EXPECT_EQ(Rows(0), QStringList{"SHZ"});
}

TEST_P(DialogChannelsTest, TheStationButtonsEmptyTheListWithoutRefillingIt) {
    AddChannel("KRV", "SHZ", 100);
    env_->WriteKelvaronIni("[KELVARON]\nNSTA=2\nSTA0=KRV\nSTA1=ARU\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 1);
    ASSERT_EQ(Channels()->GetItemCount(), 1);
    QTest::mouseClick(d.GetDlgItem(1026), Qt::LeftButton);
    EXPECT_EQ(Channels()->GetItemCount(), 0);
    app_testing::ClickStation(d, 1);
    ASSERT_EQ(Channels()->GetItemCount(), 1);
    QTest::mouseClick(d.GetDlgItem(1025), Qt::LeftButton);
    EXPECT_EQ(Channels()->GetItemCount(), 0);
    EXPECT_EQ(app_testing::SelectedStationTexts(d).size(), 2);
}

TEST_P(DialogChannelsTest, WithOneStationTheStationButtonsDoNothing) {
    AddChannel("KRV", "SHZ", 100);
    AddChannel("KRV", "SHN", 100);
    env_->WriteKelvaronIni("[KELVARON]\nNSTA=1\nSTA0=KRV\n");
    CConverterDlg& d = env_->OpenDialog();
    // Entry 0 is the current entry but not selected: no channels yet.
    EXPECT_TRUE(app_testing::SelectedStationTexts(d).isEmpty());
    EXPECT_EQ(Channels()->GetItemCount(), 0);
    app_testing::ClickStation(d, 0);
    ASSERT_EQ(Channels()->GetItemCount(), 2);
    QTest::mouseClick(d.GetDlgItem(1026), Qt::LeftButton);
    QTest::mouseClick(d.GetDlgItem(1025), Qt::LeftButton);
    EXPECT_EQ(Channels()->GetItemCount(), 2);
    EXPECT_EQ(app_testing::SelectedStationTexts(d), QStringList{"KRV"});
}

TEST_P(DialogChannelsTest, AnInvalidStartIsReportedWhenTheListIsFilled) {
    AddChannel("KRV", "SHZ", 100);
    env_->WriteKelvaronIni("[KELVARON]\nNSTA=2\nSTA0=KRV\nSTA1=ARU\nTIME=12:00:00 29/02/2007\n");
    CConverterDlg& d = env_->OpenDialog();
    ASSERT_TRUE(env_->messages.empty());
    app_testing::ClickStation(d, 1);
    ASSERT_EQ(env_->messages.size(), 1u);
    EXPECT_EQ(env_->messages[0].text, "Введено ошибочное время");
    EXPECT_EQ(env_->messages[0].caption, "Ошибка");
    EXPECT_EQ(Channels()->GetItemCount(), 1);  // the list is filled all the same
}

TEST_P(DialogChannelsTest, AMissingChannelTableIsReportedAndLeavesTheListEmpty) {
    ExecuteOnCatalogue("DROP TABLE sitechan");
    env_->WriteKelvaronIni("[KELVARON]\nNSTA=2\nSTA0=KRV\nSTA1=ARU\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 1);
    ASSERT_EQ(env_->messages.size(), 1u);
    EXPECT_EQ(env_->messages[0].caption, "kelvaron");
    EXPECT_EQ(env_->messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(Channels()->GetItemCount(), 0);
    EXPECT_TRUE(d.isVisible());
}

TEST_P(DialogChannelsTest, TheCheckBoxesToggleOnTheirImageOnly) {
    AddChannel("KRV", "SHZ", 100);
    AddChannel("KRV", "SHN", 100);
    env_->WriteKelvaronIni("[KELVARON]\nNSTA=1\nSTA0=KRV\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 0);
    app::ChannelListView* list = Channels();
    const QRect row0 = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(row0.left() + 8, row0.center().y()));
    EXPECT_FALSE(d.IsChannelItemChecked(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(row0.left() + 40, row0.center().y()));
    EXPECT_FALSE(d.IsChannelItemChecked(0));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      QPoint(row0.left() + 8, row0.center().y()));
    EXPECT_TRUE(d.IsChannelItemChecked(0));
    EXPECT_TRUE(d.IsChannelItemChecked(1));
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(DialogChannelsTest);

}  // namespace
