// A time-window run over many stations whose source directories are empty:
// the time per station of a run over FEW stations against one over MANY,
// measured in this run. Work per station must not grow with the number of
// stations (a lookup that walks every station's settings would).
//
//   station_count_bench [FEW [MANY]]     (default 2000 and 20000)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "engine/drivers.h"
#include "platform/ini_file.h"
#include "tests/support/temp_dir.h"

namespace {

// Seconds per station of a window run over `count` stations sharing dir.
double SecondsPerStation(const std::string& dir, int count) {
    std::string ini = "[KELVARON]\r\nDIR=" + dir + "\r\n";
    std::vector<std::string> stations;
    for (int i = 0; i < count; ++i) stations.push_back("S" + std::to_string(100000 + i));
    platform::IniFile kelvaronIni("kelvaron.ini", ini);
    platform::IniFile tvxIni("tvx.ini", "[DATA]\r\nDIR=" + dir + "\r\n");
    engine::RunRequest request;
    request.mode = engine::RunMode::Window;
    request.stations = stations;
    request.windowLength = 3600;
    request.settings = platform::ResolveRunSettings(kelvaronIni, tvxIni, stations);
    bench::SilentFrontEnd front;
    bench::CountingOutputs outputs;
    const double seconds = bench::Seconds([&] { engine::RunConversion(request, front, outputs); });
    return seconds / count;
}

}  // namespace

int main(int argc, char** argv) {
    const int few = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int many = argc > 2 ? std::atoi(argv[2]) : 20000;
    testing_support::TempDir dir;
    double fewEach = 1e9, manyEach = 1e9;
    for (int round = 0; round < 3; ++round) {
        fewEach = std::min(fewEach, SecondsPerStation(dir.path(), few));
        manyEach = std::min(manyEach, SecondsPerStation(dir.path(), many));
    }
    const double ratio = manyEach / fewEach;
    std::printf("per station, %6d stations   %.1f us\n", few, fewEach * 1e6);
    std::printf("per station, %6d stations   %.1f us\n", many, manyEach * 1e6);
    std::printf("many / few                   %.2f (target <= 2.0)   %s\n", ratio,
                ratio <= 2.0 ? "ok" : "OVER");
    return 0;
}
