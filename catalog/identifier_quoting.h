// Square-bracketed names in record-set SQL, turned into the driver's quoting.
#pragma once

#include <string>
#include <string_view>

namespace catalog {

// Replaces "[" and "]" outside string literals by quoteChar ("[sta]" becomes
// "\"sta\"" for PostgreSQL, which knows no brackets); a quoteChar of ' '
// (a driver without identifier quoting) drops the brackets.
std::string ReplaceBrackets(std::string_view sql, char quoteChar);

// "[sta]" -> "sta": a column's name as its filter and key lookups compare it.
std::string_view BareName(std::string_view name);

}  // namespace catalog
