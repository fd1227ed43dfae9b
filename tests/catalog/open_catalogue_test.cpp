#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalog/catalogue.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;
using testing_support::CatalogueBackendKind;
using testing_support::GetCatalogueBackend;
using testing_support::RecordingMessageSink;
using testing_support::ScopedEnv;
using testing_support::TempDir;

// OpenCatalogue on a tvx.ini of our own; theDatabase is closed around it.
class OpenCatalogueTest : public testing::TestWithParam<CatalogueBackendKind> {
protected:
    void SetUp() override {
        theDatabase.Close();
        std::string reason = backend().UnavailableReason();
        ASSERT_EQ(reason, "");
    }
    void TearDown() override { theDatabase.Close(); }

    testing_support::CatalogueBackend& backend() { return GetCatalogueBackend(GetParam()); }

    int OpenWith(const catalog::CatalogueLogin& login) {
        testing_support::WriteTvxIni(dir_.File("tvx.ini"), login);
        ScopedEnv tvx("TVX_INI", dir_.File("tvx.ini"));
        return OpenCatalogue(theDatabase, sink_);
    }

    TempDir dir_;
    RecordingMessageSink sink_;
};

TEST_P(OpenCatalogueTest, OpensTheDataSourceThatTvxIniNames) {
    EXPECT_EQ(OpenWith(backend().Login()), 1);
    EXPECT_TRUE(theDatabase.IsOpen());
    EXPECT_TRUE(sink_.shown.empty());
}

TEST_P(OpenCatalogueTest, UnknownDataSourceShowsTheMaskedStringAndTheDriverManagersText) {
    catalog::CatalogueLogin login = backend().Login();
    login.dsn = "NoSuchCatalogue";
    EXPECT_EQ(OpenWith(login), 0);
    EXPECT_FALSE(theDatabase.IsOpen());
    ASSERT_EQ(sink_.shown.size(), 1u);
    const auto& message = sink_.shown[0];
    EXPECT_THAT(message.text, StartsWith("DSN=NoSuchCatalogue;UID=" + login.user + ";PWD=***;\n"));
    EXPECT_THAT(message.text, HasSubstr("Data source name not found"));
    EXPECT_EQ(message.caption, platform::kApplicationTitle);
    EXPECT_EQ(message.icon, platform::MessageIcon::Error);
}

TEST_P(OpenCatalogueTest, RefusedLoginShowsTheDriversTextButNeverThePassword) {
    const catalog::CatalogueLogin login = backend().RefusedLogin();
    EXPECT_EQ(OpenWith(login), 0);
    EXPECT_FALSE(theDatabase.IsOpen());
    ASSERT_EQ(sink_.shown.size(), 1u);
    const auto& message = sink_.shown[0];
    const std::string shownLogin = "DSN=" + login.dsn + ";UID=" + login.user + ";PWD=***;\n";
    ASSERT_THAT(message.text, StartsWith(shownLogin));
    EXPECT_GT(message.text.size(), shownLogin.size()) << "the driver's text is missing";
    EXPECT_THAT(message.text, Not(HasSubstr(login.password)));
    EXPECT_EQ(message.caption, platform::kApplicationTitle);
    EXPECT_EQ(message.icon, platform::MessageIcon::Error);
    if (GetParam() == CatalogueBackendKind::PostgreSQL) {
        EXPECT_THAT(message.text, HasSubstr("password authentication failed"));
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(OpenCatalogueTest);

// The private odbc.ini of the test process is in force from here on, so no
// data source of the machine can answer to "TVX".
class OpenCatalogueSettingsTest : public testing::Test {
protected:
    void SetUp() override {
        GetCatalogueBackend(CatalogueBackendKind::SQLite).Login();
        theDatabase.Close();
    }
    void TearDown() override { theDatabase.Close(); }

    const testing_support::ShownMessage& OnlyMessage() {
        EXPECT_EQ(sink_.shown.size(), 1u);
        static const testing_support::ShownMessage none{};
        return sink_.shown.empty() ? none : sink_.shown[0];
    }

    TempDir dir_;
    RecordingMessageSink sink_;
};

TEST_F(OpenCatalogueSettingsTest, MissingTvxIniTriesTheDefaultLogin) {
    ScopedEnv tvx("TVX_INI", dir_.File("no-such-tvx.ini"));
    EXPECT_EQ(OpenCatalogue(theDatabase, sink_), 0);
    EXPECT_THAT(OnlyMessage().text, StartsWith("DSN=TVX;UID=TVX;PWD=***;\n"));
    EXPECT_THAT(OnlyMessage().text, Not(HasSubstr("QZK")));
}

TEST_F(OpenCatalogueSettingsTest, LongValuesAreCutToTheirLimitsBeforeUse) {
    const std::string longDsn(40, 'D');
    const std::string longUser(70, 'u');
    dir_.Write("tvx.ini", "[database]\nodbc = " + longDsn + "\nuser=" + longUser + "\n");
    ScopedEnv tvx("TVX_INI", dir_.File("tvx.ini"));
    EXPECT_EQ(OpenCatalogue(theDatabase, sink_), 0);
    EXPECT_THAT(OnlyMessage().text, StartsWith("DSN=" + std::string(31, 'D') +
                                               ";UID=" + std::string(63, 'u') + ";PWD=***;\n"));
}

// The test server's password holds ";", "{", "}" and "=": the connection
// string must carry it whole to the driver.
TEST(OpenCataloguePostgreSQLTest, PasswordWithSemicolonAndBracesConnects) {
    auto& postgres = GetCatalogueBackend(CatalogueBackendKind::PostgreSQL);
    ASSERT_EQ(postgres.UnavailableReason(), "");
    const catalog::CatalogueLogin login = postgres.Login();
    ASSERT_NE(login.password.find(';'), std::string::npos);
    ASSERT_NE(login.password.find('}'), std::string::npos);
    TempDir dir;
    testing_support::WriteTvxIni(dir.File("tvx.ini"), login);
    ScopedEnv tvx("TVX_INI", dir.File("tvx.ini"));
    RecordingMessageSink sink;
    EXPECT_EQ(OpenCatalogue(theDatabase, sink), 1);
    for (const auto& message : sink.shown) ADD_FAILURE() << message.text;
    theDatabase.Close();
}

}  // namespace
