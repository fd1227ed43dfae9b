#include "catalog/connection_string.h"

namespace catalog {

std::string QuoteAttributeValue(std::string_view value) {
    if (value.find_first_of(";{}") == std::string_view::npos) return std::string(value);
    std::string quoted = "{";
    for (char c : value) {
        quoted += c;
        if (c == '}') quoted += '}';
    }
    quoted += '}';
    return quoted;
}

namespace {

std::string Compose(const CatalogueLogin& login, const std::string& passwordText) {
    return "DSN=" + QuoteAttributeValue(login.dsn) + ";UID=" + QuoteAttributeValue(login.user) +
           ";PWD=" + passwordText + ";";
}

}  // namespace

std::string ComposeConnectionString(const CatalogueLogin& login) {
    return Compose(login, QuoteAttributeValue(login.password));
}

std::string MaskedConnectionString(const CatalogueLogin& login) { return Compose(login, "***"); }

}  // namespace catalog
