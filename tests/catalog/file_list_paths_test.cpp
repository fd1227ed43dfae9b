#include "catalog/file_list_paths.h"

#include <gtest/gtest.h>

#include "catalog/catalogue.h"
#include "catalog/file_list.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

class ListStationTracePathsTest : public testing_support::CatalogueTest {};

TEST_P(ListStationTracePathsTest, TheStationsPathsSortedAndNothingWritten) {
    RegisterTraceFile(theDatabase, "OBN", 2, 60, "SHZ", 100, 1,
                      "OBN/1429112007/143045-29112007.SHZ");
    RegisterTraceFile(theDatabase, "OBN", 1, 60, "SHE", 100, 1,
                      "OBN/1029112007/100000-29112007.SHE");
    RegisterTraceFile(theDatabase, "KRV", 1, 60, "BHZ", 20, 1,
                      "KRV/1029112007/100000-29112007.BHZ");
    // A station whose name a filter built as text would let through.
    RegisterTraceFile(theDatabase, "O'B", 1, 60, "SHZ", 100, 1,
                      "O'B/1029112007/100000-29112007.SHZ");

    EXPECT_EQ(ListStationTracePaths(theDatabase, "OBN"),
              (std::vector<std::string>{"OBN/1029112007/100000-29112007.SHE",
                                        "OBN/1429112007/143045-29112007.SHZ"}));
    EXPECT_EQ(ListStationTracePaths(theDatabase, "O'B"),
              std::vector<std::string>{"O'B/1029112007/100000-29112007.SHZ"});
    EXPECT_TRUE(ListStationTracePaths(theDatabase, "ARU").empty());
    EXPECT_EQ(testing_support::CountRows("FILELIST"), 4);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(ListStationTracePathsTest);

}  // namespace
