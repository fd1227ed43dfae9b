#include "engine/lost_catalogue.h"

#include <string>

#include "catalog/catalogue.h"
#include "catalog/connection_loss.h"

namespace engine {

const char* const kCatalogueLostText =
    "Связь с базой данных потеряна и не восстановлена, конвертирование остановлено";

bool CatalogueUsableAfter(const std::exception& error, FrontEnd& dialog) {
    const auto* database = dynamic_cast<const catalog::DatabaseError*>(&error);
    if (!database || !catalog::IsConnectionLost(*database)) return true;
    const std::string why = ReopenCatalogue();
    if (why.empty()) return true;
    dialog.ShowMessage(std::string(kCatalogueLostText) + "\n" + why, platform::kApplicationTitle,
                       platform::MessageIcon::Error);
    return false;
}

}  // namespace engine
