#include "catalog/sql_script.h"

#include <cctype>

#include "catalog/odbc_statement.h"

namespace catalog {

namespace {

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

std::string Trimmed(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return std::string(text.substr(begin, end - begin));
}

}  // namespace

std::vector<std::string> SplitSqlStatements(std::string_view script) {
    std::vector<std::string> statements;
    std::string current;
    char quote = 0;  // ' or " while inside a literal or a quoted name
    for (std::size_t i = 0; i < script.size(); ++i) {
        char c = script[i];
        if (quote) {
            current += c;
            if (c == quote) quote = 0;  // a doubled quote closes and reopens
            continue;
        }
        if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            while (i < script.size() && script[i] != '\n') ++i;
            current += '\n';
            continue;
        }
        if (c == ';') {
            if (!IsBlank(current)) statements.push_back(Trimmed(current));
            current.clear();
            continue;
        }
        if (c == '\'' || c == '"') quote = c;
        current += c;
    }
    if (!IsBlank(current)) statements.push_back(Trimmed(current));
    return statements;
}

void ExecuteSqlScript(OdbcConnection& connection, std::string_view script) {
    OdbcStatement statement(connection);
    for (const std::string& sql : SplitSqlStatements(script)) statement.Execute(sql);
}

}  // namespace catalog
