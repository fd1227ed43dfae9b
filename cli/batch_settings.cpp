#include "cli/batch_settings.h"

#include <algorithm>
#include <cctype>

#include "cli/start_text.h"
#include "platform/ini_file.h"

namespace cli {

BatchSettings LoadBatchSettings(const std::string& kelvaronIni) {
    platform::IniFile ini(kelvaronIni);
    BatchSettings settings;
    const int count = platform::AtoiLike(ini.GetString("KELVARON", "NSTA", "0", 63));
    for (int i = 0; i < count; ++i) {
        std::string name = ini.GetString("KELVARON", "STA" + std::to_string(i), "", 63);
        if (!name.empty()) settings.stations.push_back(std::move(name));
    }
    // The dialog's station list sorts its entries without regard to case.
    std::stable_sort(settings.stations.begin(), settings.stations.end(),
                     [](const std::string& a, const std::string& b) {
                         return std::lexicographical_compare(
                             a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                                 return std::tolower(static_cast<unsigned char>(x)) <
                                        std::tolower(static_cast<unsigned char>(y));
                             });
                     });
    ScanStartText(ini.GetString("KELVARON", "TIME", "00:00:00 01/01/2000", 31), settings.start);
    settings.duration = NormalisedDuration(ini.GetString("KELVARON", "TIMEQTY", "00:30:00", 31));
    return settings;
}

}  // namespace cli
