#include "catalog/sql_script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::ElementsAre;

TEST(SplitSqlStatementsTest, SplitsAtSemicolonsAndDropsCommentsAndBlanks) {
    EXPECT_THAT(catalog::SplitSqlStatements("-- heading; with a semicolon\n"
                                            "CREATE TABLE a (x INTEGER); ;\n\n"
                                            "CREATE TABLE b (y INTEGER) -- trailing; note\n;\n"
                                            "  INSERT INTO a VALUES (1)  "),
                ElementsAre("CREATE TABLE a (x INTEGER)", "CREATE TABLE b (y INTEGER)",
                            "INSERT INTO a VALUES (1)"));
}

TEST(SplitSqlStatementsTest, KeepsSemicolonsAndDashesInsideLiteralsAndQuotedNames) {
    EXPECT_THAT(catalog::SplitSqlStatements("INSERT INTO \"odd;name\" VALUES ('a;b', 'it''s -- x');"
                                            "SELECT 1"),
                ElementsAre("INSERT INTO \"odd;name\" VALUES ('a;b', 'it''s -- x')", "SELECT 1"));
}

}  // namespace
