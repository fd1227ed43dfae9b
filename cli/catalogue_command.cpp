#include "cli/catalogue_command.h"

#include <cstdio>

#include "catalog/catalogue.h"
#include "catalog/catalogue_dialect.h"
#include "catalog/database_error.h"
#include "catalog/lookup_indexes.h"
#include "catalog/schema_install.h"
#include "cli/console_front_end.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"

namespace cli {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitRefused = 2;

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

namespace texts = platform::texts;

void Print(const std::string& text) { PrintSaid(stdout, text); }

// why: a text of ours, or the driver's own.
int Refuse(const std::string& why, const char* command = "init") {
    std::fprintf(stderr, "%s\n",
                 platform::TranslateMessage(
                     texts::CatalogueRefused(command, platform::TranslateMessage(why)))
                     .c_str());
    return kExitRefused;
}

int CreateTables(catalog::OdbcConnection& database) {
    const catalog::SchemaInitResult result = catalog::InitCatalogueSchema(database);
    if (!result.created) {
        return Refuse(texts::CatalogueHasTables(
            Joined(result.existing),
            result.existing.size() == catalog::kCatalogueTables.size() &&
                !catalog::MissingLookupIndexes(database, result.existing).empty()));
    }
    Print(texts::CatalogueCreated(catalog::DbmsName(database)));
    return kExitDone;
}

int AddIndexes(catalog::OdbcConnection& database) {
    const std::vector<std::string> existing = catalog::ExistingCatalogueTables(database);
    if (existing.empty()) return CreateTables(database);
    if (existing.size() != catalog::kCatalogueTables.size())
        return Refuse(texts::CatalogueHasOnly(Joined(existing)));
    const std::vector<catalog::LookupIndex> missing =
        catalog::MissingLookupIndexes(database, existing);
    catalog::AddLookupIndexes(database, missing);
    for (const catalog::LookupIndex& index : missing)
        std::printf("%s\n", catalog::CreateIndexStatement(index).c_str());
    if (missing.empty()) Print(texts::kCatalogueIndexesComplete);
    return kExitDone;
}

int AddRecord(catalog::OdbcConnection& database) {
    const catalog::SchemaUpgradeResult result = catalog::UpgradeCatalogueSchema(database);
    if (!result.existing.empty())
        return Refuse(texts::CatalogueHasTables(Joined(result.existing), false), "upgrade");
    if (!result.missingBase.empty())
        return Refuse(texts::CatalogueLacks(Joined(result.missingBase)), "upgrade");
    Print(texts::CatalogueRecordCreated(Joined(result.created), catalog::DbmsName(database)));
    return kExitDone;
}

int OnCatalogue(catalog::OdbcConnection& database, const char* command,
                int (*change)(catalog::OdbcConnection&)) {
    ConsoleFrontEnd console(stdout, stderr, {});
    if (!OpenCatalogue(database, console.Messages())) return kExitRefused;
    int status = kExitRefused;
    try {
        status = change(database);
    } catch (const catalog::DatabaseError& error) {
        status = Refuse(error.what(), command);
    }
    database.Close();
    return status;
}

}  // namespace

int RunCatalogueCommand(catalog::OdbcConnection& database, bool indexes) {
    return OnCatalogue(database, "init", indexes ? AddIndexes : CreateTables);
}

int RunCatalogueUpgrade(catalog::OdbcConnection& database) {
    return OnCatalogue(database, "upgrade", AddRecord);
}

}  // namespace cli
