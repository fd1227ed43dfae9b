#include "engine/lost_catalogue.h"

#include <string>

#include "catalog/catalogue.h"
#include "catalog/connection_loss.h"
#include "platform/operator_texts.h"

namespace engine {

const char* const kCatalogueLostText = platform::texts::kCatalogueLost;
const char* const kCatalogueRefusesWritesText = platform::texts::kCatalogueRefusesWrites;

bool CatalogueUsableAfter(const std::exception& error, RecordingOutputs& outputs,
                          RunObserver& observer) {
    const auto* database = dynamic_cast<const catalog::DatabaseError*>(&error);
    if (!database) return true;
    // The failure's own text has been shown with the recording in hand.
    if (catalog::IsWriteRefused(*database)) {
        observer.ShowMessage({kCatalogueRefusesWritesText, "", platform::kApplicationTitle});
        return false;
    }
    if (!catalog::IsConnectionLost(*database)) return true;
    catalog::OdbcConnection* catalogue = outputs.Catalogue();
    if (!catalogue) return true;  // not a connection of this run's
    const std::string why = ReopenCatalogue(*catalogue);
    if (why.empty()) return true;
    observer.ShowMessage({kCatalogueLostText, why, platform::kApplicationTitle});
    return false;
}

}  // namespace engine
