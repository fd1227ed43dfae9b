#include "catalog/connection_loss.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace catalog {

bool IsConnectionLost(const DatabaseError& error) {
    const std::string& state = error.sqlState();
    if (state.rfind("08", 0) == 0) return true;
    // PostgreSQL's administrator shutdown, crash shutdown, cannot connect now.
    if (state == "57P01" || state == "57P02" || state == "57P03") return true;
    // psqlODBC reports some losses with a general SQLSTATE.
    static constexpr const char* kLostTexts[] = {
        "connection lost",
        "connection has been lost",
        "server closed the connection",
        "no connection to the server",
        "could not send data to server",
        "could not receive data from server",
        "terminating connection",
    };
    std::string text = error.what();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* lost : kLostTexts)
        if (text.find(lost) != std::string::npos) return true;
    return false;
}

}  // namespace catalog
