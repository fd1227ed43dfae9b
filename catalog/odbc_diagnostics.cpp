#include "catalog/odbc_diagnostics.h"

#include <sqlext.h>

#include <string>

namespace catalog::detail {

DatabaseError DiagnosticsOf(SQLSMALLINT handleType, SQLHANDLE handle, const char* fallback) {
    std::string text;
    std::string firstState;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[SQL_MAX_MESSAGE_LENGTH + 1] = {};
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRec(handleType, handle, record, state, &nativeError, message,
                                     sizeof message, &length);
        if (!SQL_SUCCEEDED(rc)) break;
        if (record == 1) firstState = reinterpret_cast<const char*>(state);
        if (!text.empty()) text += '\n';
        text += reinterpret_cast<const char*>(message);
    }
    if (text.empty()) text = fallback;
    if (firstState.empty()) firstState = "HY000";
    return DatabaseError(std::move(text), std::move(firstState));
}

void Check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* what) {
    if (SQL_SUCCEEDED(rc)) return;
    throw DiagnosticsOf(handleType, handle, what);
}

}  // namespace catalog::detail
