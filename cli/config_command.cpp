#include "cli/config_command.h"

#include <unistd.h>

#include <cstdio>
#include <optional>

#include "catalog/catalogue.h"
#include "catalog/catalogue_dialect.h"
#include "catalog/database_error.h"
#include "cli/catalogue_warnings.h"
#include "cli/console_front_end.h"
#include "engine/drivers.h"
#include "formats/tvx/trace_naming.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/text_encoding.h"

namespace cli {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 2;

// "read", or why not: a file that is there but cannot be read is no missing one.
const char* FileState(const std::string& path, const char* missing) {
    if (!platform::SettingsFileProblem(path, false).empty()) return "cannot be read";
    return ::access(path.c_str(), F_OK) == 0 ? "read" : missing;
}

// The key's value, or nothing when the file does not have it.
std::optional<std::string> Setting(platform::IniFile& ini, const char* section,
                                   const std::string& key) {
    static const std::string kMissing = "\x01missing\x01";
    std::string value = ini.GetString(section, key, kMissing, kMissing.size() + 255);
    if (value == kMissing) return std::nullopt;
    return value;
}

// Settings hold 8-bit texts; the terminal gets them by the one rule.
std::string Shown(std::string_view text) { return platform::Text8ToUtf8(text); }

const char* Origin(bool set) { return set ? "" : " (default)"; }

void PrintTvxSettings() {
    const std::string path = platform::TvxIniPath();
    std::printf("tvx.ini: %s (%s)\n", path.c_str(),
                FileState(path, "not found: the defaults apply"));
    platform::IniFile tvx(path);
    const catalog::CatalogueLogin login = ReadCatalogueLogin();
    std::printf("  DSN: %s%s\n", Shown(login.dsn).c_str(),
                Origin(Setting(tvx, "DATABASE", "ODBC").has_value()));
    std::printf("  user: %s%s\n", Shown(login.user).c_str(),
                Origin(Setting(tvx, "DATABASE", "USER").has_value()));
    std::printf("  password: ***%s\n", Origin(Setting(tvx, "DATABASE", "PASSWORD").has_value()));
    const std::string dataDir = platform::ReadDataDirectory(tvx, platform::kDataDirectoryChars);
    std::printf("  data directory: %s%s\n", Shown(engine::WithTrailingSeparator(dataDir)).c_str(),
                Origin(Setting(tvx, "DATA", "DIR").has_value()));
}

void PrintStations() {
    const std::string path = platform::KelvaronIniPath();
    std::printf("kelvaron.ini: %s (%s)\n", path.c_str(), FileState(path, "not found"));
    platform::IniFile ini(path);
    // One open file answers every station's lookups: a list of any length
    // costs one read of the file.
    for (const std::string& station : platform::ReadKelvaronSettings(ini).stations) {
        const char* origin = "not set";
        if (Setting(ini, station.c_str(), "DIR").value_or("") != "")
            origin = "from its own DIR";
        else if (Setting(ini, "KELVARON", "DIR").value_or("") != "")
            origin = "from [KELVARON] DIR";
        const bool useGain = platform::ReadUseGain(ini, station);
        std::printf(
            "  station %s: source directory %s (%s), USEGAIN %d%s\n", Shown(station).c_str(),
            Shown(platform::ListedSourceDirectory(
                      platform::ReadSourceDirectory(ini, station, platform::kSourceDirectoryChars)))
                .c_str(),
            origin, useGain ? 1 : 0, Origin(Setting(ini, station.c_str(), "USEGAIN").has_value()));
    }
}

}  // namespace

int RunConfigCommand(catalog::OdbcConnection& database) {
    PrintTvxSettings();
    PrintStations();
    std::fflush(stdout);
    ConsoleFrontEnd console(stdout, stderr, {});
    if (!OpenCatalogue(database, console.Messages())) return kExitFailed;
    std::string dbms;
    try {
        dbms = " to " + catalog::DbmsName(database);
    } catch (const catalog::DatabaseError&) {
    }
    std::printf("catalogue: connected%s\n", dbms.c_str());
    if (WarnAboutCatalogue(database, stdout) == 0)
        std::printf("  the tables and the indexes of the lookups are in place\n");
    database.Close();
    return kExitDone;
}

}  // namespace cli
