// kelvaron-demo-setup: fills a demo catalogue and a day of recordings.
//
//   kelvaron-demo-setup SCHEMA.sql SOURCE_ROOT
//   kelvaron-demo-setup --crowded DIR STATION
//
// With TVX_INI and ODBCINI pointing at the demo's files (scripts/demo.sh
// writes them): creates the catalogue tables from SCHEMA.sql on the DSN that
// tvx.ini names, enters the channels of the three demo stations in sitechan,
// and writes a day of hourly recordings per station below SOURCE_ROOT/STA/.
// --crowded adds to DIR three hours of hour-long recordings of STATION, one
// every 36 seconds: a hundred overlapping each hour, for the viewer's lanes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "catalog/odbc_statement.h"
#include "catalog/sql_script.h"
#include "platform/file_system.h"
#include "tests/support/recorder_generator.h"

namespace {

struct DemoStation {
    const char* name;
    const char* channels[3];
};

constexpr DemoStation kStations[] = {
    {"KRV", {"BHZ", "BHN", "BHE"}},
    {"ARU", {"BHZ", "BHN", "BHE"}},
    {"OBN", {"SHZ", "SHN", "SHE"}},
};
constexpr const char* kDate = "15.03.2024";
constexpr int kRate = 20;           // samples per second
constexpr int kRecordSeconds = 10;  // seconds per data record

class ConsoleMessages : public platform::MessageSink {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
};

std::string ReadFile(const std::string& path) {
    std::string text;
    platform::ReadWholeFile(path, platform::kMaxSettingsFileSize, text);
    return text;
}

void FillCatalogue(const std::string& schemaPath) {
    for (const char* table : {"eventlist", "sitechan", "FILELIST"}) {
        try {
            catalog::OdbcStatement drop(theDatabase);
            drop.Execute(std::string("DROP TABLE ") + table);
        } catch (const catalog::DatabaseError&) {
            // not there yet
        }
    }
    catalog::ExecuteSqlScript(theDatabase, ReadFile(schemaPath));
    for (const DemoStation& s : kStations) {
        for (int c = 0; c < 3; ++c) {
            catalog::OdbcStatement insert(theDatabase);
            insert.Execute("INSERT INTO sitechan (sta, chan, chanindex, sps) VALUES (?, ?, ?, ?)",
                           {std::string(s.name), std::string(s.channels[c]), std::int32_t{c + 1},
                            double{kRate}});
        }
    }
}

// Ground motion as a seismometer would record it: ocean microseisms, noise,
// and one local earthquake at 10:42:20 (P, then S eight seconds later), so
// that the viewer and the plots show real-looking waveforms.
constexpr double kQuakeSeconds = 10 * 3600 + 42 * 60 + 20;

double GroundMotion(double secondOfDay, int channel, std::uint32_t& noise) {
    noise = noise * 1103515245u + 12345u;
    const double random = static_cast<double>((noise >> 8) & 0xFFFF) / 65535.0 - 0.5;
    double v = 260 * std::sin(2 * M_PI * secondOfDay / 6.3 + channel) +
               90 * std::sin(2 * M_PI * secondOfDay / 17.0 + 2 * channel) + 70 * random;
    const double p = secondOfDay - kQuakeSeconds;
    if (p > 0 && p < 240) {
        const double vertical = channel == 0 ? 1.0 : 0.45;
        v += 2500 * vertical * std::exp(-p / 6) * std::sin(2 * M_PI * 4.1 * p);
        const double s = p - 8;
        if (s > 0)
            v += 7000 * (1.2 - vertical) * std::exp(-s / 14) *
                 std::sin(2 * M_PI * 1.7 * s + channel);
    }
    return std::clamp(v, -32768.0, 32767.0);
}

// A data block of 3 channels at `rate` starting at `secondOfDay`.
std::string DemoDataBlock(double secondOfDay, int rate, int records) {
    constexpr int kChannels = 3;
    const int perBlock = rate * kRecordSeconds;
    std::string block;
    std::uint32_t noise = static_cast<std::uint32_t>(secondOfDay) * 2654435761u + 1;
    for (int r = 0; r < records; ++r) {
        std::string header(256, '\0');
        header[28] = static_cast<char>(rate & 0xFF);
        header[29] = static_cast<char>(rate >> 8);
        block += header;
        for (int c = 0; c < kChannels; ++c)
            for (int i = 0; i < perBlock; ++i) {
                const double t = secondOfDay + r * kRecordSeconds + static_cast<double>(i) / rate;
                const auto v = static_cast<std::uint16_t>(
                    static_cast<std::int16_t>(std::lround(GroundMotion(t, c, noise))));
                block.push_back(static_cast<char>(v & 0xFF));
                block.push_back(static_cast<char>(v >> 8));
            }
    }
    return block;
}

void WriteRecordings(const std::string& sourceRoot) {
    for (const DemoStation& s : kStations) {
        const std::string dir = sourceRoot + "/" + s.name;
        std::filesystem::create_directories(dir);
        for (int hour = 0; hour < 24; ++hour) {
            testing_support::RecordingPlan plan;
            plan.station = s.name;
            plan.date = kDate;
            char time[32];
            std::snprintf(time, sizeof time, "%02d:00:00", hour);
            plan.time = time;
            plan.dataSec = "3600";
            plan.channels = {{1, s.channels[0]}, {2, s.channels[1]}, {3, s.channels[2]}};
            plan.data.channels = 3;
            plan.data.recordSeconds = kRecordSeconds;
            plan.data.rate16 = kRate;
            plan.data.records = 3600 / kRecordSeconds;
            char name[32];
            std::snprintf(name, sizeof name, "%s_%02d00.rec", s.name, hour);
            testing_support::MakeRecording(plan)
                .SetData(DemoDataBlock(hour * 3600.0, kRate, plan.data.records))
                .WriteTo(dir + "/" + name);
        }
        // A short triggered recording in the middle of the morning.
        testing_support::RecordingPlan event;
        event.station = s.name;
        event.date = kDate;
        event.time = "10:42:17";
        event.dataSec = "300";
        event.type = "TRIGGER";
        event.channels = {{1, s.channels[0]}, {2, s.channels[1]}, {3, s.channels[2]}};
        event.data.channels = 3;
        event.data.recordSeconds = kRecordSeconds;
        event.data.rate16 = 100;
        event.data.records = 300 / kRecordSeconds;
        testing_support::MakeRecording(event)
            .Set("EVENT", "CH#", "1")
            .Set("EVENT", "DATE_CH1", kDate)
            .Set("EVENT", "TIME_CH1", "10:42:20.35")
            .SetData(DemoDataBlock(10 * 3600 + 42 * 60 + 17, 100, event.data.records))
            .WriteTo(dir + "/" + s.name + "_event.rec");
    }
}

void WriteCrowdedRecordings(const std::string& dir, const char* station) {
    constexpr int kEveryHour = 100;
    constexpr int kCrowdRate = 1;
    for (int i = 0; i < 3 * kEveryHour; ++i) {
        const int second = i * 3600 / kEveryHour;
        testing_support::RecordingPlan plan;
        plan.station = station;
        plan.date = kDate;
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600, second / 60 % 60,
                      second % 60);
        plan.time = time;
        plan.dataSec = "3600";
        plan.channels = {{1, "SHZ"}, {2, "SHN"}, {3, "SHE"}};
        plan.data.channels = 3;
        plan.data.recordSeconds = kRecordSeconds;
        plan.data.rate16 = kCrowdRate;
        plan.data.records = 3600 / kRecordSeconds;
        char name[32];
        std::snprintf(name, sizeof name, "crowd_%03d.rec", i);
        testing_support::MakeRecording(plan)
            .SetData(DemoDataBlock(second, kCrowdRate, plan.data.records))
            .WriteTo(dir + "/" + name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--crowded") {
        std::filesystem::create_directories(argv[2]);
        WriteCrowdedRecordings(argv[2], argv[3]);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: kelvaron-demo-setup SCHEMA.sql SOURCE_ROOT\n"
                     "       kelvaron-demo-setup --crowded DIR STATION\n");
        return 2;
    }
    ConsoleMessages messages;
    if (!OpenCatalogue(theDatabase, messages)) return 1;
    try {
        FillCatalogue(argv[1]);
    } catch (const catalog::DatabaseError& e) {
        std::fprintf(stderr, "catalogue: %s\n", e.what());
        return 1;
    }
    theDatabase.Close();
    WriteRecordings(argv[2]);
    return 0;
}
