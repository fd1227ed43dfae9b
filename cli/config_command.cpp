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
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "platform/text_encoding.h"

namespace cli {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 2;

namespace texts = platform::texts;

// In the interface language.
std::string Said(const char* text) { return platform::TranslateMessage(text); }

void Print(const std::string& text) { PrintSaid(stdout, text); }

// "read", or why not: a file that is there but cannot be read is no missing one.
std::string FileState(const std::string& path, const char* missing) {
    if (!platform::SettingsFileProblem(path, false).empty())
        return Said(texts::kConfigFileUnreadable);
    return Said(::access(path.c_str(), F_OK) == 0 ? texts::kConfigFileRead : missing);
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

std::string Origin(bool set) { return set ? "" : Said(texts::kConfigDefault); }

void PrintTvxSettings() {
    const std::string path = platform::TvxIniPath();
    std::printf("tvx.ini: %s (%s)\n", path.c_str(),
                FileState(path, texts::kConfigTvxIniNotFound).c_str());
    platform::IniFile tvx(path);
    const catalog::CatalogueLogin login = ReadCatalogueLogin();
    std::printf("  DSN: %s%s\n", Shown(login.dsn).c_str(),
                Origin(Setting(tvx, "DATABASE", "ODBC").has_value()).c_str());
    Print(
        texts::ConfigUser(Shown(login.user), Origin(Setting(tvx, "DATABASE", "USER").has_value())));
    Print(texts::ConfigPassword(Origin(Setting(tvx, "DATABASE", "PASSWORD").has_value())));
    const std::string dataDir = platform::ReadDataDirectory(tvx, platform::kDataDirectoryChars);
    Print(texts::ConfigDataDirectory(Shown(engine::WithTrailingSeparator(dataDir)),
                                     Origin(Setting(tvx, "DATA", "DIR").has_value())));
}

void PrintStations() {
    const std::string path = platform::KelvaronIniPath();
    std::printf("kelvaron.ini: %s (%s)\n", path.c_str(),
                FileState(path, texts::kConfigFileNotFound).c_str());
    platform::IniFile ini(path);
    // One open file answers every station's lookups: a list of any length
    // costs one read of the file.
    for (const std::string& station : platform::ReadKelvaronSettings(ini).stations) {
        const char* whence = texts::kConfigDirNotSet;
        if (Setting(ini, station.c_str(), "DIR").value_or("") != "")
            whence = texts::kConfigOwnDir;
        else if (Setting(ini, "KELVARON", "DIR").value_or("") != "")
            whence = texts::kConfigCommonDir;
        Print(texts::ConfigStation(
            Shown(station),
            Shown(platform::ListedSourceDirectory(
                platform::ReadSourceDirectory(ini, station, platform::kSourceDirectoryChars))),
            Said(whence), platform::ReadUseGain(ini, station),
            Origin(Setting(ini, station.c_str(), "USEGAIN").has_value())));
    }
}

}  // namespace

int RunConfigCommand(catalog::OdbcConnection& database) {
    PrintTvxSettings();
    PrintStations();
    std::fflush(stdout);
    ConsoleFrontEnd console(stdout, stderr, {});
    if (!OpenCatalogue(database, console.Messages())) return kExitFailed;
    std::string connected = texts::kConfigConnected;
    try {
        connected = texts::ConfigConnectedTo(catalog::DbmsName(database));
    } catch (const catalog::DatabaseError&) {
    }
    Print(connected);
    if (WarnAboutCatalogue(database, stdout) == 0) Print(texts::kConfigCatalogueInPlace);
    database.Close();
    return kExitDone;
}

}  // namespace cli
