#include "tests/support/catalogue_backends.h"

#include <unistd.h>

#include <fstream>
#include <map>
#include <ostream>
#include <stdexcept>

#include "catalog/catalogue.h"
#include "catalog/odbc_statement.h"
#include "catalog/schema_install.h"
#include "catalog/sql_script.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

namespace {

constexpr const char* kSqliteDsn = "KelvaronTestSQLite";
constexpr const char* kSqliteMissingDsn = "KelvaronTestSQLiteMissing";
constexpr const char* kSqliteReadOnlyDsn = "KelvaronTestSQLiteReadOnly";
constexpr const char* kPostgresDsn = "KelvaronTestPostgreSQL";
constexpr const char* kPostgresReadOnlyDsn = "KelvaronTestPostgreSQLReadOnly";

std::string EnvOr(const char* name, const char* fallback) {
    const char* value = ::getenv(name);
    return value && *value ? value : fallback;
}

std::string PgStateDir() { return EnvOr("KELVARON_PG_STATE_DIR", KELVARON_PG_DEFAULT_STATE_DIR); }

// What scripts/pg-test-server.sh wrote into STATE_DIR/server.env.
struct PgServer {
    std::map<std::string, std::string> settings;
    std::string missingReason;
    std::string operator[](const std::string& key) const {
        auto it = settings.find(key);
        return it == settings.end() ? "" : it->second;
    }
};

PgServer ReadPgServer() {
    PgServer server;
    const std::string file = PgStateDir() + "/server.env";
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        auto eq = line.find('=');
        if (eq != std::string::npos) server.settings[line.substr(0, eq)] = line.substr(eq + 1);
    }
    if (server["port"].empty())
        server.missingReason =
            "The PostgreSQL test server is not running (no " + file +
            "). Run the tests through ctest, whose fixture kelvaron_postgresql starts it, or "
            "start one with: scripts/pg-test-server.sh start " +
            PgStateDir();
    return server;
}

std::string ReadText(const std::string& path) {
    std::string text = ReadFileBytes(path);
    if (text.empty()) throw std::runtime_error("cannot read " + path);
    return text;
}

std::string SqlLiteral(const std::string& value) {
    std::string quoted = "'";
    for (char c : value) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

// The files of this test process: the SQLite databases and the odbc.ini
// that names both back ends. Written once, before the first connection,
// because the driver manager may keep what it has read of odbc.ini.
class ProcessCatalogueFiles {
public:
    ProcessCatalogueFiles() : pg_(ReadPgServer()) {
        // Each test process works in a schema of its own on the shared
        // server, so test processes that ctest runs side by side never meet.
        pgSchema_ = "kelvaron_" + std::to_string(::getpid());
        std::string ini;
        ini += std::string("[") + kSqliteDsn +
               "]\nDriver=SQLite3\nDatabase=" + dir_.File("catalogue.sqlite") +
               "\nTimeout=10000\n\n";
        ini += std::string("[") + kSqliteMissingDsn +
               "]\nDriver=SQLite3\nDatabase=" + dir_.File("missing/catalogue.sqlite") +
               "\nNoCreat=1\n\n";
        ini += std::string("[") + kSqliteReadOnlyDsn +
               "]\nDriver=SQLite3\nDatabase=file:" + dir_.File("catalogue.sqlite") +
               "?mode=ro\nTimeout=10000\n\n";
        for (const bool readOnly : {false, true})
            ini += std::string("[") + (readOnly ? kPostgresReadOnlyDsn : kPostgresDsn) +
                   "]\nDriver=" + PostgresOdbcDriver() + "\nServername=" + pg_["host"] +
                   "\nPort=" + pg_["port"] + "\nDatabase=" + pg_["database"] +
                   "\nConnSettings=SET search_path TO " + pgSchema_ +
                   (readOnly ? ";SET default_transaction_read_only TO on" : "") + "\n\n";
        path_ = dir_.Write("odbc.ini", ini);
        ::setenv("ODBCINI", path_.c_str(), 1);
    }

    std::string AddPostgresDsn(const std::string& host, const std::string& port,
                               const std::string& database) {
        const std::string name = "KelvaronTestPostgreSQL" + std::to_string(++added_);
        std::ofstream out(path_, std::ios::app);
        out << "\n[" << name << "]\nDriver=" << PostgresOdbcDriver() << "\nServername=" << host
            << "\nPort=" << port << "\nDatabase=" << database << "\n";
        if (!out) throw std::runtime_error("cannot write " + path_);
        return name;
    }

    const PgServer& pg() const { return pg_; }
    const std::string& pgSchema() const { return pgSchema_; }

private:
    TempDir dir_;
    std::string path_;
    int added_ = 0;
    PgServer pg_;
    std::string pgSchema_;
};

ProcessCatalogueFiles& Files() {
    static ProcessCatalogueFiles files;
    return files;
}

class SqliteBackend final : public CatalogueBackend {
public:
    std::string name() const override { return "SQLite"; }
    std::string UnavailableReason() const override { return ""; }
    catalog::CatalogueLogin Login() const override {
        Files();
        return {kSqliteDsn, "kelvaron", "unused"};
    }
    catalog::CatalogueLogin RefusedLogin() const override {
        Files();
        return {kSqliteMissingDsn, "kelvaron", "unused"};
    }
    catalog::CatalogueLogin ReadOnlyLogin() const override {
        Files();
        return {kSqliteReadOnlyDsn, "kelvaron", "unused"};
    }
    std::string SchemaPath() const override {
        return std::string(KELVARON_SOURCE_DIR) + "/catalog/schema/sqlite.sql";
    }
    void RejectInserts(const std::string& table, const std::string& column,
                       const std::string& value) override {
        catalog::OdbcStatement statement(theDatabase);
        statement.Execute("CREATE TRIGGER reject_" + table + "_" + column + " BEFORE INSERT ON " +
                          table + " WHEN NEW." + column + " = " + SqlLiteral(value) +
                          " BEGIN SELECT RAISE(ABORT, 'insert rejected by the test'); END");
    }
};

class PostgresBackend final : public CatalogueBackend {
public:
    std::string name() const override { return "PostgreSQL"; }
    std::string UnavailableReason() const override { return Files().pg().missingReason; }
    catalog::CatalogueLogin Login() const override {
        const PgServer& pg = Files().pg();
        return {kPostgresDsn, pg["user"], pg["password"]};
    }
    catalog::CatalogueLogin RefusedLogin() const override {
        catalog::CatalogueLogin login = Login();
        login.password += "-wrong";
        return login;
    }
    catalog::CatalogueLogin ReadOnlyLogin() const override {
        catalog::CatalogueLogin login = Login();
        login.dsn = kPostgresReadOnlyDsn;
        return login;
    }
    std::string SchemaPath() const override {
        return std::string(KELVARON_SOURCE_DIR) + "/catalog/schema/postgresql.sql";
    }
    void RejectInserts(const std::string& table, const std::string& column,
                       const std::string& value) override {
        const std::string function = "reject_" + table + "_" + column;
        catalog::OdbcStatement statement(theDatabase);
        statement.Execute("CREATE OR REPLACE FUNCTION " + function +
                          "() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF NEW." + column +
                          " = " + SqlLiteral(value) +
                          " THEN RAISE EXCEPTION 'insert rejected by the test'; END IF; "
                          "RETURN NEW; END $$");
        statement.Execute("CREATE TRIGGER " + function + " BEFORE INSERT ON " + table +
                          " FOR EACH ROW EXECUTE FUNCTION " + function + "()");
    }

protected:
    void PrepareCatalogue() override {
        catalog::OdbcStatement statement(theDatabase);
        statement.Execute("CREATE SCHEMA IF NOT EXISTS " + Files().pgSchema());
    }
};

}  // namespace

std::string PostgresOdbcDriver() { return EnvOr("KELVARON_PG_ODBC_DRIVER", "PostgreSQL Unicode"); }

std::string AddPostgresDsn(const std::string& host, const std::string& port,
                           const std::string& database) {
    return Files().AddPostgresDsn(host, port, database);
}

std::string PostgresStatementLogPath() { return Files().pg()["log"]; }

int PostgresBackendPid() {
    catalog::OdbcStatement statement(theDatabase);
    statement.Execute("SELECT pg_backend_pid()");
    if (!statement.Fetch()) throw std::runtime_error("no backend pid");
    return std::get<std::int32_t>(statement.Get(1, catalog::SqlType::Integer));
}

void CatalogueBackend::OpenFreshCatalogue() {
    if (std::string reason = UnavailableReason(); !reason.empty()) throw std::runtime_error(reason);
    const std::string schema = ReadText(SchemaPath());
    theDatabase.Close();
    if (!theDatabase.Open(catalog::ComposeConnectionString(Login())))
        throw std::runtime_error(name() + ": the driver manager made no connection");
    PrepareCatalogue();
    catalog::OdbcStatement statement(theDatabase);
    for (const char* table : {"kelvaron_source_listings", "kelvaron_recording_traces",
                              "kelvaron_recordings", "eventlist", "sitechan", "FILELIST"})
        statement.Execute(std::string("DROP TABLE IF EXISTS ") + table);
    // The catalogue as it was before the record of recordings: a test that
    // wants the record adds it as `catalogue upgrade` does.
    for (const std::string& sql :
         catalog::StatementsCreating(schema, {"eventlist", "sitechan", "FILELIST"}))
        statement.Execute(sql);
}

const std::vector<CatalogueBackendKind>& AllCatalogueBackends() {
    static const std::vector<CatalogueBackendKind> all{CatalogueBackendKind::SQLite,
                                                       CatalogueBackendKind::PostgreSQL};
    return all;
}

CatalogueBackend& GetCatalogueBackend(CatalogueBackendKind kind) {
    static SqliteBackend sqlite;
    static PostgresBackend postgres;
    if (kind == CatalogueBackendKind::SQLite) return sqlite;
    return postgres;
}

void PrintTo(CatalogueBackendKind kind, std::ostream* out) {
    *out << GetCatalogueBackend(kind).name();
}

std::string CatalogueBackendName(const testing::TestParamInfo<CatalogueBackendKind>& info) {
    return GetCatalogueBackend(info.param).name();
}

void WriteTvxIni(const std::string& path, const catalog::CatalogueLogin& login,
                 const std::string& dataDir) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "[DATABASE]\nODBC=" << login.dsn << "\nUSER=" << login.user
        << "\nPASSWORD=" << login.password << "\n\n[DATA]\nDIR=" << dataDir << "\n";
    if (!out) throw std::runtime_error("cannot write " + path);
}

void CatalogueTest::SetUp() {
    try {
        backend().OpenFreshCatalogue();
    } catch (const std::exception& error) {
        FAIL() << backend().name() << " catalogue unavailable: " << error.what();
    }
}

void CatalogueTest::TearDown() { theDatabase.Close(); }

}  // namespace testing_support
