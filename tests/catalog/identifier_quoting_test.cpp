#include "catalog/identifier_quoting.h"

#include <gtest/gtest.h>

namespace {

struct QuotingCase {
    const char* sql;
    char quote;
    const char* expected;
};

void PrintTo(const QuotingCase& c, std::ostream* out) { *out << c.sql << " with " << c.quote; }

class ReplaceBracketsTest : public testing::TestWithParam<QuotingCase> {};

TEST_P(ReplaceBracketsTest, QuotesBracketedNamesButNotLiterals) {
    EXPECT_EQ(catalog::ReplaceBrackets(GetParam().sql, GetParam().quote), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceBracketsTest,
    testing::Values(QuotingCase{"SELECT [sta],[tbegin] FROM [eventlist] WHERE sta=?", '"',
                                "SELECT \"sta\",\"tbegin\" FROM \"eventlist\" WHERE sta=?"},
                    QuotingCase{"SELECT [sta] FROM [sitechan]", '`',
                                "SELECT `sta` FROM `sitechan`"},
                    QuotingCase{"SELECT [sta] FROM [sitechan]", ' ', "SELECT sta FROM sitechan"},
                    QuotingCase{"SELECT STA FROM FILELIST", '"', "SELECT STA FROM FILELIST"},
                    QuotingCase{"SELECT [a] FROM t WHERE b='[x]' AND c=[d]", '"',
                                "SELECT \"a\" FROM t WHERE b='[x]' AND c=\"d\""},
                    QuotingCase{"SELECT [a] FROM t WHERE b='it''s [x]' AND [c]=1", '"',
                                "SELECT \"a\" FROM t WHERE b='it''s [x]' AND \"c\"=1"}));

TEST(BareNameTest, StripsOnlyEnclosingBrackets) {
    EXPECT_EQ(catalog::BareName("[sta]"), "sta");
    EXPECT_EQ(catalog::BareName("CPATH"), "CPATH");
    EXPECT_EQ(catalog::BareName("[x"), "[x");
    EXPECT_EQ(catalog::BareName("[]"), "");
}

}  // namespace
