#include "cli/catalogue_command.h"

#include <cstdio>

#include "catalog/catalogue.h"
#include "catalog/catalogue_dialect.h"
#include "catalog/database_error.h"
#include "catalog/lookup_indexes.h"
#include "catalog/schema_install.h"
#include "cli/console_front_end.h"

namespace cli {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitRefused = 2;

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

int Refuse(const std::string& why) {
    std::fprintf(stderr, "kelvaron-batch: catalogue init: %s; nothing changed\n", why.c_str());
    return kExitRefused;
}

int CreateTables(catalog::OdbcConnection& database) {
    const catalog::SchemaInitResult result = catalog::InitCatalogueSchema(database);
    if (!result.created) {
        std::string why = "the catalogue already has " + Joined(result.existing);
        if (result.existing.size() == catalog::kCatalogueTables.size() &&
            !catalog::MissingLookupIndexes(database, result.existing).empty())
            why += " (--indexes adds the indexes it lacks)";
        return Refuse(why);
    }
    std::printf("created the tables eventlist, sitechan and FILELIST (%s)\n",
                catalog::DbmsName(database).c_str());
    return kExitDone;
}

int AddIndexes(catalog::OdbcConnection& database) {
    const std::vector<std::string> existing = catalog::ExistingCatalogueTables(database);
    if (existing.empty()) return CreateTables(database);
    if (existing.size() != catalog::kCatalogueTables.size())
        return Refuse("the catalogue has only " + Joined(existing));
    const std::vector<catalog::LookupIndex> missing =
        catalog::MissingLookupIndexes(database, existing);
    catalog::AddLookupIndexes(database, missing);
    for (const catalog::LookupIndex& index : missing)
        std::printf("%s\n", catalog::CreateIndexStatement(index).c_str());
    if (missing.empty()) std::printf("the catalogue has every index its lookups need\n");
    return kExitDone;
}

}  // namespace

int RunCatalogueCommand(catalog::OdbcConnection& database, bool indexes) {
    ConsoleFrontEnd console(stdout, stderr, {});
    if (!OpenCatalogue(database, console.Messages())) return kExitRefused;
    int status = kExitRefused;
    try {
        status = indexes ? AddIndexes(database) : CreateTables(database);
    } catch (const catalog::DatabaseError& error) {
        status = Refuse(error.what());
    }
    database.Close();
    return status;
}

}  // namespace cli
