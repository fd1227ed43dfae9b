#include "catalog/chan_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using testing_support::ExecuteOnCatalogue;

class ListStationChannelsTest : public testing_support::CatalogueTest {
protected:
    void AddChannel(const std::string& station, const std::string& chan, catalog::SqlValue sps) {
        ExecuteOnCatalogue(
            "INSERT INTO sitechan (sta, chan, ngroup, chanindex, sps, descr) VALUES (?, ?, 1, 2, "
            "?, ?)",
            {station, chan, sps, std::string("vertical")});
    }
    static std::vector<std::pair<std::string, std::string>> Shown(
        const std::vector<StationChannel>& list) {
        std::vector<std::pair<std::string, std::string>> shown;
        for (const auto& channel : list) shown.emplace_back(channel.chan, channel.spsText);
        return shown;
    }
};

using Listing = std::vector<std::pair<std::string, std::string>>;

TEST_P(ListStationChannelsTest, ListsTheStationsRowsInTableOrderWithThreeDecimalRates) {
    AddChannel("OBN", "SHZ", 100.0);
    AddChannel("ARU", "BHZ", 20.0);
    AddChannel("OBN", "SHN", 0.5);
    AddChannel("OBN", "SHE", 12.3456);
    AddChannel("OBN", "LHZ", std::monostate{});
    const auto list = ListStationChannels(theDatabase, "OBN");
    EXPECT_EQ(Shown(list),
              (Listing{{"SHZ", "100.000"}, {"SHN", "0.500"}, {"SHE", "12.346"}, {"LHZ", "0.000"}}));
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[2].sps, 12.3456);
}

TEST_P(ListStationChannelsTest, StationWithoutRowsListsNothing) {
    AddChannel("OBN", "SHZ", 100.0);
    EXPECT_TRUE(ListStationChannels(theDatabase, "ARU").empty());
    EXPECT_TRUE(ListStationChannels(theDatabase, "obn").empty()) << "station names compare exactly";
}

TEST_P(ListStationChannelsTest, StationNamesWithApostrophesOrCyrillicWork) {
    AddChannel("O'NEIL", "SHZ", 40.0);
    AddChannel("Обнинск", "ШЗ", 50.0);
    AddChannel("x' OR '1'='1", "BAD", 1.0);
    EXPECT_EQ(Shown(ListStationChannels(theDatabase, "O'NEIL")), (Listing{{"SHZ", "40.000"}}));
    EXPECT_EQ(Shown(ListStationChannels(theDatabase, "Обнинск")), (Listing{{"ШЗ", "50.000"}}));
    EXPECT_EQ(Shown(ListStationChannels(theDatabase, "x' OR '1'='1")), (Listing{{"BAD", "1.000"}}));
}

TEST_P(ListStationChannelsTest, MissingTableRaisesTheDatabaseError) {
    ExecuteOnCatalogue("DROP TABLE sitechan");
    EXPECT_THROW(ListStationChannels(theDatabase, "OBN"), catalog::DatabaseError);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(ListStationChannelsTest);

}  // namespace
