// Rows read in blocks are the rows the one-row path reads, on both drivers.
#include "catalog/odbc_row_stream.h"

#include <gtest/gtest.h>

#include "catalog/catalogue.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using catalog::SqlType;
using catalog::SqlValue;
using testing_support::ExecuteOnCatalogue;
using testing_support::QueryCatalogue;
using testing_support::Row;

class OdbcRowStreamTest : public testing_support::CatalogueTest {};

const std::vector<SqlType> kTypes = {SqlType::Integer, SqlType::Text, SqlType::Double,
                                     SqlType::BigInt, SqlType::Timestamp};

Row Probe(int id, SqlValue name) {
    return {id, std::move(name), id + 0.1234567890123, std::int64_t{1} << (33 + id % 20),
            catalog::Timestamp{2026, 1 + id % 12, 1 + id % 28, id % 24, id % 60, 7}};
}

std::vector<Row> Probes(int count) {
    std::vector<Row> rows;
    for (int id = 1; id <= count; ++id) rows.push_back(Probe(id, "STA" + std::to_string(id)));
    return rows;
}

TEST_P(OdbcRowStreamTest, BlocksReadTheRowsTheOneRowPathReads) {
    constexpr std::size_t kBlockRows = 4;
    constexpr std::size_t kTextBytes = 8;  // "STA1/..." outgrows it
    std::vector<Row> withNulls = Probes(6);
    for (std::size_t c = 1; c < kTypes.size(); ++c) withNulls[c][c] = std::monostate{};
    withNulls[5] = {6, std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}};
    std::vector<Row> longTexts = Probes(9);
    longTexts[1][1] = std::string(300, 'x');                        // in the first block
    longTexts[2][1] = std::string("СТАНЦИЯ/путь/") + "0123456789";  // bytes, not letters
    longTexts[8][1] = std::string(kTextBytes, 'y');                 // one byte too many with NUL
    const struct {
        const char* name;
        std::vector<Row> rows;
    } cases[] = {
        {"empty", {}},
        {"whole blocks", Probes(8)},
        {"a last block not full", Probes(7)},
        {"NULL in every column", withNulls},
        {"texts longer than their cells", longTexts},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExecuteOnCatalogue("DROP TABLE IF EXISTS kelvaron_block_probe");
        ExecuteOnCatalogue(
            "CREATE TABLE kelvaron_block_probe (id INTEGER, name VARCHAR(1024), "
            "amount DOUBLE PRECISION, big BIGINT, at TIMESTAMP)");
        for (const Row& row : c.rows)
            ExecuteOnCatalogue("INSERT INTO kelvaron_block_probe VALUES (?, ?, ?, ?, ?)", row);
        const std::string select =
            "SELECT id, name, amount, big, at FROM kelvaron_block_probe ORDER BY id";
        const std::vector<Row> oneByOne = QueryCatalogue(select, kTypes);
        ASSERT_EQ(oneByOne.size(), c.rows.size());

        catalog::OdbcStatement statement(theDatabase);
        statement.Execute(select);
        catalog::OdbcRowStream stream(statement, kTypes, {kBlockRows, kTextBytes});
        // psqlODBC reads whole blocks; the SQLite driver cannot go back to a
        // row of a block and gets blocks of one row.
        EXPECT_EQ(stream.RowsPerFetch(),
                  GetParam() == testing_support::CatalogueBackendKind::PostgreSQL ? kBlockRows : 1);
        std::vector<Row> inBlocks;
        while (const Row* row = stream.Next()) inBlocks.push_back(*row);
        EXPECT_EQ(inBlocks, oneByOne);
    }
}

TEST_P(OdbcRowStreamTest, TheStatementReadsOneRowAtATimeAgainAfterwards) {
    ExecuteOnCatalogue("DROP TABLE IF EXISTS kelvaron_block_probe");
    ExecuteOnCatalogue("CREATE TABLE kelvaron_block_probe (id INTEGER)");
    for (int id = 1; id <= 9; ++id)
        ExecuteOnCatalogue("INSERT INTO kelvaron_block_probe VALUES (?)", {id});
    catalog::OdbcStatement statement(theDatabase);
    statement.Execute("SELECT id FROM kelvaron_block_probe ORDER BY id");
    {
        catalog::OdbcRowStream stream(statement, {SqlType::Integer}, {4, 0});
        ASSERT_NE(stream.Next(), nullptr);
    }
    statement.Execute("SELECT id FROM kelvaron_block_probe WHERE id > 2 ORDER BY id");
    std::vector<SqlValue> ids;
    while (statement.Fetch()) ids.push_back(statement.Get(1, SqlType::Integer));
    EXPECT_EQ(ids, (std::vector<SqlValue>{3, 4, 5, 6, 7, 8, 9}));
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(OdbcRowStreamTest);

}  // namespace
