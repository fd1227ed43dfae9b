#include "cli/catalogue_warnings.h"

#include <algorithm>
#include <string>

#include "catalog/database_error.h"
#include "catalog/lookup_indexes.h"
#include "catalog/schema_install.h"
#include "cli/console_front_end.h"
#include "platform/operator_texts.h"

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
            PrintSaid(out, platform::texts::CatalogueTablesMissing(Joined(absent)));
            ++lines;
        }
        for (const catalog::LookupIndex& index :
             catalog::MissingLookupIndexes(connection, existing)) {
            PrintSaid(out,
                      platform::texts::CatalogueIndexMissing(index.table, Joined(index.columns),
                                                             catalog::CreateIndexStatement(index)));
            ++lines;
        }
    } catch (const catalog::DatabaseError& error) {
        PrintSaid(out, platform::texts::CatalogueNotChecked(error.what()));
        ++lines;
    }
    return lines;
}

}  // namespace cli
