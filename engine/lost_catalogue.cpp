#include "engine/lost_catalogue.h"

#include <string>

#include "catalog/catalogue.h"
#include "catalog/connection_loss.h"
#include "engine/driver_bodies.h"
#include "engine/recordings_left.h"
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

bool ScanGoesOnAfter(RunContext& run, const catalog::DatabaseError& error, const StationScan& scan,
                     std::size_t at, bool& failedBefore) {
    ReportError(run, error, scan.station, scan.dir + scan.entries[at].name, failedBefore);
    failedBefore = true;
    if (CatalogueUsableAfter(error, run.outputs, run.observer)) return true;
    run.catalogueGone = true;
    CountStationLeft(run, scan.station, scan.dir, scan.entries, at + 1, scan.records);
    return false;
}

}  // namespace engine
