#include "catalog/identifier_quoting.h"

namespace catalog {

std::string ReplaceBrackets(std::string_view sql, char quoteChar) {
    std::string out;
    out.reserve(sql.size());
    bool inLiteral = false;
    for (char c : sql) {
        if (c == '\'') inLiteral = !inLiteral;  // a doubled '' toggles twice
        if (!inLiteral && (c == '[' || c == ']')) {
            if (quoteChar != ' ') out += quoteChar;
            continue;
        }
        out += c;
    }
    return out;
}

std::string_view BareName(std::string_view name) {
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        return name.substr(1, name.size() - 2);
    return name;
}

}  // namespace catalog
