#include "catalog/connection_string.h"

#include <gtest/gtest.h>

namespace {

using catalog::CatalogueLogin;

struct LoginCase {
    const char* name;
    CatalogueLogin login;
    const char* expected;
};

void PrintTo(const LoginCase& c, std::ostream* out) { *out << c.name; }

class ComposeConnectionStringTest : public testing::TestWithParam<LoginCase> {};

TEST_P(ComposeConnectionStringTest, EndsEveryAttributeWithSemicolonAndBracesOnlyWhatNeedsIt) {
    EXPECT_EQ(catalog::ComposeConnectionString(GetParam().login), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Logins, ComposeConnectionStringTest,
    testing::Values(
        LoginCase{"Defaults", {"TVX", "TVX", "QZK"}, "DSN=TVX;UID=TVX;PWD=QZK;"},
        LoginCase{"EmptyValues", {"", "", ""}, "DSN=;UID=;PWD=;"},
        LoginCase{"BlanksAndEqualsStayAsTheyAre",
                  {"my source", "a=b", "p w"},
                  "DSN=my source;UID=a=b;PWD=p w;"},
        LoginCase{
            "SemicolonInPassword", {"TVX", "TVX", "se;cret"}, "DSN=TVX;UID=TVX;PWD={se;cret};"},
        LoginCase{"OpeningBrace", {"TVX", "TVX", "{x"}, "DSN=TVX;UID=TVX;PWD={{x};"},
        LoginCase{"ClosingBraceIsDoubled", {"TVX", "TVX", "a}b"}, "DSN=TVX;UID=TVX;PWD={a}}b};"},
        LoginCase{"EveryValueQuotedOnItsOwn", {"d;s", "u}", "p"}, "DSN={d;s};UID={u}}};PWD=p;"}),
    [](const testing::TestParamInfo<LoginCase>& info) { return info.param.name; });

TEST(MaskedConnectionStringTest, ShowsStarsInsteadOfThePassword) {
    EXPECT_EQ(catalog::MaskedConnectionString({"TVX", "operator", "se;cret"}),
              "DSN=TVX;UID=operator;PWD=***;");
    EXPECT_EQ(catalog::MaskedConnectionString({"a;b", "TVX", ""}), "DSN={a;b};UID=TVX;PWD=***;");
}

}  // namespace
