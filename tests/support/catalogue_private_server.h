// A PostgreSQL server of one test's own (scripts/pg-test-server.sh), for tests
// that stop the catalogue server under a run: the shared server of the
// kelvaron_postgresql fixture serves test processes running side by side.
#pragma once

#include <string>

#include "catalog/connection_string.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

class PrivatePostgresServer {
public:
    // Starts the server, creates the catalogue's tables on it and names it
    // as a DSN in this process's odbc.ini (for child processes: this
    // process's driver manager may have read the file already). Throws
    // std::runtime_error.
    PrivatePostgresServer();
    ~PrivatePostgresServer();
    PrivatePostgresServer(const PrivatePostgresServer&) = delete;
    PrivatePostgresServer& operator=(const PrivatePostgresServer&) = delete;

    // Stops the server at once (its connections break) / starts it again.
    void Pause();
    void Resume();

    // The login through the DSN, for tvx.ini.
    catalog::CatalogueLogin Login() const;
    // A connection string that names the driver and the server itself.
    std::string ConnectionString() const;

private:
    void Script(const char* action) const;

    TempDir state_;
    std::string host_, port_, database_, user_, password_, dsn_;
};

}  // namespace testing_support
