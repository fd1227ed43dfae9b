#include "catalog/file_list_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalog/catalogue.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using testing_support::CatalogueBackendKind;
using testing_support::ExecuteOnCatalogue;
using Strings = std::vector<std::string>;

// Paths whose byte order differs from a case-blind or a language's order,
// with one path three times (a data centre's table without a key on CPATH).
const Strings kPaths = {"b/1",  "B/2", "A/x",        "A-B/y", "a/z", "A/x",
                        "A0/q", "A/x", "\xd0\x91/1", "A/y",   "AB/1"};

class FileListRowsTest : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        // The data centre's own FILELIST: no key, a collation other than bytes.
        const std::string collation =
            GetParam() == CatalogueBackendKind::SQLite ? "NOCASE" : "\"en-x-icu\"";
        ExecuteOnCatalogue("DROP TABLE FILELIST");
        ExecuteOnCatalogue(
            "CREATE TABLE FILELIST (STA VARCHAR(255), TBEGIN DOUBLE PRECISION, "
            "TQTY DOUBLE PRECISION, CH VARCHAR(255), SPS DOUBLE PRECISION, "
            "GAIN INTEGER, CPATH VARCHAR(255) COLLATE " +
            collation +
            ", FOFF INTEGER, DATATYPE INTEGER, CREATER VARCHAR(255), "
            "LDDATE TIMESTAMP)");
        double n = 0;
        for (const std::string& path : kPaths)
            ExecuteOnCatalogue(
                "INSERT INTO FILELIST (STA, TBEGIN, TQTY, CH, SPS, CPATH) VALUES "
                "(?, ?, ?, ?, ?, ?)",
                {path.substr(0, path.find('/')), n, n + 1, std::string("SHZ"), 100.0, path}),
                n += 1;
        ExecuteOnCatalogue("INSERT INTO FILELIST (STA) VALUES ('no path')");
    }

    // Reads every row, batchSize at a time; onRow may change the table.
    Strings Read(const Strings& stations, std::size_t batchSize,
                 const std::function<void(const catalog::FileListRow&)>& onRow = {}) {
        catalog::FileListRows rows(theDatabase, stations, batchSize);
        Strings paths;
        catalog::FileListRow row;
        while (rows.Next(row)) {
            EXPECT_EQ(row.station, row.path.substr(0, row.path.find('/')));
            EXPECT_EQ(row.duration, row.start + 1);
            paths.push_back(row.path);
            if (onRow) onRow(row);
        }
        return paths;
    }
};

Strings BytewiseSorted(Strings paths, const Strings& stations = {}) {
    if (!stations.empty())
        std::erase_if(paths, [&](const std::string& p) {
            return std::find(stations.begin(), stations.end(), p.substr(0, p.find('/'))) ==
                   stations.end();
        });
    std::sort(paths.begin(), paths.end());
    return paths;
}

TEST_P(FileListRowsTest, EveryRowOnceInByteOrderWhateverTheBatch) {
    for (std::size_t batch : {1u, 2u, 3u, 100u}) {
        EXPECT_EQ(Read({}, batch), BytewiseSorted(kPaths)) << "batch " << batch;
        EXPECT_EQ(Read({"a", "A", "A0"}, batch), BytewiseSorted(kPaths, {"a", "A", "A0"}))
            << "batch " << batch;
    }
}

TEST_P(FileListRowsTest, RowsRemovedWhileReadingAreNotLostOrRepeated) {
    std::int64_t removed = 0;
    const Strings seen = Read({}, 2, [&](const catalog::FileListRow& row) {
        if (row.path == "A-B/y") {  // the first row: its batch holds one "A/x"
            removed += catalog::RemoveFileListRows(theDatabase, "A/x");
            removed += catalog::RemoveFileListRows(theDatabase, "A0/q");
        }
    });
    EXPECT_EQ(removed, 4);
    EXPECT_EQ(seen, (Strings{"A-B/y", "A/x", "A/y", "AB/1", "B/2", "a/z", "b/1", "\xd0\x91/1"}));
    EXPECT_EQ(testing_support::CountRows("FILELIST"), 8);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(FileListRowsTest);

}  // namespace
