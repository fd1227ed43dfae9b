// The catalogue back ends every catalogue test runs against: the embedded
// SQLite database and a real PostgreSQL server (the ctest fixture
// kelvaron_postgresql starts one; see scripts/pg-test-server.sh).
//
// Typical use in a test file:
//
//   class MyTest : public testing_support::CatalogueTest {};
//   TEST_P(MyTest, Something) { ... theDatabase is open on a fresh catalogue ... }
//   KELVARON_ON_ALL_CATALOGUE_BACKENDS(MyTest);
//
// and in the folder's CMakeLists.txt, so that ctest starts the server first:
//   kelvaron_test(NAME DEPS ... test_support PROPERTIES FIXTURES_REQUIRED kelvaron_postgresql)
//
// The first use of a back end writes a private odbc.ini holding the DSNs of
// both back ends and points ODBCINI at it (child processes inherit it).
#pragma once

#include <gtest/gtest.h>

#include <iosfwd>
#include <string>
#include <vector>

#include "catalog/connection_string.h"

namespace testing_support {

enum class CatalogueBackendKind { SQLite, PostgreSQL };
void PrintTo(CatalogueBackendKind kind, std::ostream* out);  // for gtest's messages

class CatalogueBackend {
public:
    virtual ~CatalogueBackend() = default;

    virtual std::string name() const = 0;  // "SQLite", "PostgreSQL"
    // Why the back end cannot be used, or "" when it can.
    virtual std::string UnavailableReason() const = 0;
    // A login that OpenCatalogue's "DSN=...;UID=...;PWD=...;" connects with.
    virtual catalog::CatalogueLogin Login() const = 0;
    // A login to the same back end that it refuses: a wrong password for
    // PostgreSQL; for SQLite, which has no passwords, a DSN whose database
    // file is missing and may not be created.
    virtual catalog::CatalogueLogin RefusedLogin() const = 0;
    // A login to the same catalogue on which every write is refused as the
    // back end refuses it: a read-only database file, a read-only session.
    virtual catalog::CatalogueLogin ReadOnlyLogin() const = 0;
    // catalog/schema/<back end>.sql
    virtual std::string SchemaPath() const = 0;

    // (Re)opens theDatabase with Login() on a fresh catalogue: eventlist,
    // sitechan and FILELIST dropped and created again from SchemaPath().
    // Throws std::runtime_error or catalog::DatabaseError.
    void OpenFreshCatalogue();

    // From now on an insert into table whose column equals value fails (a
    // trigger on theDatabase's catalogue), to break a write half way.
    virtual void RejectInserts(const std::string& table, const std::string& column,
                               const std::string& value) = 0;

protected:
    virtual void PrepareCatalogue() {}  // runs on theDatabase before the tables are made
};

const std::vector<CatalogueBackendKind>& AllCatalogueBackends();
CatalogueBackend& GetCatalogueBackend(CatalogueBackendKind kind);
// For INSTANTIATE_TEST_SUITE_P: "SQLite", "PostgreSQL".
std::string CatalogueBackendName(const testing::TestParamInfo<CatalogueBackendKind>& info);

// A tvx.ini naming login (section DATABASE) and dataDir (DATA/DIR), written
// to path. Point TVX_INI at it (ScopedEnv) for OpenCatalogue to read it.
void WriteTvxIni(const std::string& path, const catalog::CatalogueLogin& login,
                 const std::string& dataDir = "");

// The ODBC driver of the PostgreSQL back end ("PostgreSQL Unicode").
std::string PostgresOdbcDriver();
// Adds a DSN for a PostgreSQL database to this process's odbc.ini and
// returns its name; child processes started afterwards see it.
std::string AddPostgresDsn(const std::string& host, const std::string& port,
                           const std::string& database);
// The shared test server's statement log (every statement, each line led by
// "<backend pid>:"), and the backend pid of theDatabase's connection.
std::string PostgresStatementLogPath();
int PostgresBackendPid();

// A test on every back end: theDatabase is open on a fresh catalogue during
// the test and closed after it. An unreachable back end fails the test.
class CatalogueTest : public testing::TestWithParam<CatalogueBackendKind> {
protected:
    void SetUp() override;
    void TearDown() override;
    CatalogueBackend& backend() const { return GetCatalogueBackend(GetParam()); }
};

}  // namespace testing_support

#define KELVARON_ON_ALL_CATALOGUE_BACKENDS(Suite)                                        \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite,                                            \
                             testing::ValuesIn(testing_support::AllCatalogueBackends()), \
                             testing_support::CatalogueBackendName)
