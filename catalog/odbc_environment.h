// The ODBC environment handle (ODBC 3 behaviour), shared by every connection.
#pragma once

#include <memory>

namespace catalog {

class OdbcEnvironment {
public:
    // One environment for the process, kept alive by the connections that use
    // it, so a connection that outlives other statics can still disconnect.
    static std::shared_ptr<OdbcEnvironment> Shared();

    ~OdbcEnvironment();
    OdbcEnvironment(const OdbcEnvironment&) = delete;
    OdbcEnvironment& operator=(const OdbcEnvironment&) = delete;

    void* handle() const { return env_; }  // the SQLHENV

private:
    OdbcEnvironment();
    void* env_ = nullptr;
};

}  // namespace catalog
