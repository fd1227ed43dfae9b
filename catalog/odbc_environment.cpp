#include "catalog/odbc_environment.h"

#include <sql.h>
#include <sqlext.h>

#include <mutex>

#include "catalog/odbc_diagnostics.h"

namespace catalog {

std::shared_ptr<OdbcEnvironment> OdbcEnvironment::Shared() {
    static std::mutex mutex;
    static std::weak_ptr<OdbcEnvironment> current;
    std::lock_guard lock(mutex);
    std::shared_ptr<OdbcEnvironment> env = current.lock();
    if (!env) {
        env.reset(new OdbcEnvironment());
        current = env;
    }
    return env;
}

OdbcEnvironment::OdbcEnvironment() {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        throw DatabaseError("Cannot allocate the ODBC environment", "HY001");
    SQLRETURN rc =
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(rc)) {
        DatabaseError error = detail::DiagnosticsOf(SQL_HANDLE_ENV, env, "SQLSetEnvAttr failed");
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        throw error;
    }
    env_ = env;
}

OdbcEnvironment::~OdbcEnvironment() { SQLFreeHandle(SQL_HANDLE_ENV, env_); }

}  // namespace catalog
