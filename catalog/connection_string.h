// The catalogue's ODBC connection string, composed from tvx.ini's values.
#pragma once

#include <string>
#include <string_view>

namespace catalog {

struct CatalogueLogin {
    std::string dsn;
    std::string user;
    std::string password;
};

// "DSN=<dsn>;UID=<user>;PWD=<password>;". A value holding ";", "{" or "}"
// is written in ODBC's braces ("{a;b}", a "}" doubled) so it cannot split
// the string; other values go in as they are.
std::string ComposeConnectionString(const CatalogueLogin& login);

// The same string with the password shown as "***", for messages.
std::string MaskedConnectionString(const CatalogueLogin& login);

// One attribute value as ComposeConnectionString writes it.
std::string QuoteAttributeValue(std::string_view value);

}  // namespace catalog
