#include "cli/catalogue_warnings.h"

#include <algorithm>
#include <string>

#include "catalog/database_error.h"
#include "catalog/lookup_indexes.h"
#include "catalog/schema_install.h"

namespace cli {

namespace {

std::string Joined(const std::vector<const char*>& names) {
    std::string text;
    for (const char* name : names) text += (text.empty() ? "" : ", ") + std::string(name);
    return text;
}

}  // namespace

int WarnAboutCatalogue(catalog::OdbcConnection& connection, std::FILE* out) {
    int lines = 0;
    try {
        const std::vector<std::string> existing = catalog::ExistingCatalogueTables(connection);
        std::vector<const char*> absent;
        for (const char* table : catalog::kCatalogueTables)
            if (std::find(existing.begin(), existing.end(), table) == existing.end())
                absent.push_back(table);
        if (!absent.empty()) {
            std::fprintf(out,
                         "kelvaron-batch: warning: the catalogue has no table %s; create the "
                         "tables with: kelvaron-batch catalogue init\n",
                         Joined(absent).c_str());
            ++lines;
        }
        for (const catalog::LookupIndex& index :
             catalog::MissingLookupIndexes(connection, existing)) {
            std::fprintf(out,
                         "kelvaron-batch: warning: %s has no index on %s, so every row replace "
                         "scans the whole table; add it with: %s (or: kelvaron-batch catalogue "
                         "init --indexes)\n",
                         index.table, Joined(index.columns).c_str(),
                         catalog::CreateIndexStatement(index).c_str());
            ++lines;
        }
    } catch (const catalog::DatabaseError& error) {
        std::fprintf(out,
                     "kelvaron-batch: warning: the catalogue's tables could not be checked: %s\n",
                     error.what());
        ++lines;
    }
    return lines;
}

}  // namespace cli
