#include "tests/support/catalogue_private_server.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

#include "catalog/odbc_connection.h"
#include "catalog/sql_script.h"
#include "tests/support/catalogue_backends.h"

namespace testing_support {

PrivatePostgresServer::PrivatePostgresServer() {
    Script("start");
    std::map<std::string, std::string> env;
    std::ifstream in(state_.File("server.env"));
    for (std::string line; std::getline(in, line);)
        if (auto eq = line.find('='); eq != std::string::npos)
            env[line.substr(0, eq)] = line.substr(eq + 1);
    host_ = env["host"], port_ = env["port"], database_ = env["database"];
    user_ = env["user"], password_ = env["password"];
    if (port_.empty()) throw std::runtime_error("the private PostgreSQL server wrote no port");
    dsn_ = AddPostgresDsn(host_, port_, database_);

    catalog::OdbcConnection connection;
    connection.Open(ConnectionString());
    ExecuteSqlScript(
        connection,
        ReadFileBytes(GetCatalogueBackend(CatalogueBackendKind::PostgreSQL).SchemaPath()));
}

PrivatePostgresServer::~PrivatePostgresServer() {
    try {
        Script("stop");
    } catch (...) {
    }
}

void PrivatePostgresServer::Script(const char* action) const {
    const std::string command = std::string("bash ") + KELVARON_SOURCE_DIR +
                                "/scripts/pg-test-server.sh " + action + " " + state_.path() +
                                " >/dev/null";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error(std::string("pg-test-server.sh ") + action + " failed");
}

void PrivatePostgresServer::Pause() { Script("pause"); }
void PrivatePostgresServer::Resume() { Script("resume"); }

catalog::CatalogueLogin PrivatePostgresServer::Login() const { return {dsn_, user_, password_}; }

std::string PrivatePostgresServer::ConnectionString() const {
    return "Driver=" + PostgresOdbcDriver() + ";Servername=" + host_ + ";Port=" + port_ +
           ";Database=" + database_ + ";UID=" + catalog::QuoteAttributeValue(user_) +
           ";PWD=" + catalog::QuoteAttributeValue(password_) + ";";
}

}  // namespace testing_support
