#include "catalog/catalogue.h"

#include <thread>

#include "catalog/connection_string.h"
#include "catalog/database_error.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"

catalog::OdbcConnection theDatabase;

namespace {

constexpr std::size_t kMaxDsn = 31;
constexpr std::size_t kMaxUser = 63;
constexpr std::size_t kMaxPassword = 63;

}  // namespace

catalog::CatalogueLogin ReadCatalogueLogin() {
    platform::IniFile tvx(platform::TvxIniPath());
    return ReadCatalogueLogin(tvx);
}

catalog::CatalogueLogin ReadCatalogueLogin(platform::IniFile& tvx) {
    return {tvx.GetString("DATABASE", "ODBC", "TVX", kMaxDsn),
            tvx.GetString("DATABASE", "USER", "TVX", kMaxUser),
            tvx.GetString("DATABASE", "PASSWORD", "QZK", kMaxPassword)};
}

int OpenCatalogue(catalog::OdbcConnection& database, platform::MessageSink& messages) {
    // An unreadable tvx.ini would otherwise connect with the defaults.
    if (const std::string problem = platform::SettingsFileProblem(platform::TvxIniPath(), false);
        !problem.empty()) {
        messages.ShowMessage(problem, platform::kApplicationTitle, platform::MessageIcon::Error);
        return 0;
    }
    return OpenCatalogue(database, messages, ReadCatalogueLogin());
}

int OpenCatalogue(catalog::OdbcConnection& database, platform::MessageSink& messages,
                  const catalog::CatalogueLogin& login) {
    try {
        if (!database.Open(catalog::ComposeConnectionString(login))) {
            messages.ShowMessage(platform::texts::kCatalogueOpenFailed, platform::kApplicationTitle,
                                 platform::MessageIcon::None);
            return 0;
        }
    } catch (const catalog::DatabaseError& error) {
        // The operator sees which data source and user were tried, never the password.
        messages.ShowMessage(catalog::MaskedConnectionString(login) + "\n" + error.what(),
                             platform::kApplicationTitle, platform::MessageIcon::Error);
        return 0;
    }
    return 1;
}

std::string ReopenCatalogue(catalog::OdbcConnection& database, int tries,
                            std::chrono::milliseconds pause) {
    std::string why = platform::texts::kCatalogueOpenFailed;
    for (int attempt = 1; attempt <= tries; ++attempt) {
        if (attempt > 1) std::this_thread::sleep_for(pause);
        try {
            if (database.Reopen()) return "";
        } catch (const catalog::DatabaseError& error) {
            why = error.what();
        }
    }
    return why;
}
