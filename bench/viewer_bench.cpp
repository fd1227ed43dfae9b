// The viewer's two costs against floors measured in the same run:
//  - drawing an hour at 100 samples per second: the envelope per pixel
//    column against one bare min/max pass over the same samples;
//  - listing a station's directory of recordings: the header scan against
//    opening every file and reading its first 4 KiB.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/bench_support.h"
#include "plot/recording_source.h"
#include "plot/sample_envelope.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

void EnvelopeOfAnHour() {
    std::vector<std::int16_t> samples(360000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(9000 * std::sin(i * 0.01)) + i % 97);
    constexpr int kRounds = 50;
    long long sink = 0;
    const double floor = bench::Seconds([&] {
        for (int r = 0; r < kRounds; ++r) {
            const auto [lo, hi] = std::minmax_element(samples.begin(), samples.end());
            sink += *lo + *hi;
        }
    });
    const double envelope = bench::Seconds([&] {
        for (int r = 0; r < kRounds; ++r)
            sink += plot::ColumnEnvelope(samples, 100, 0, 3600, 1200)[600].max;
    });
    std::printf(
        "envelope of an hour at 100 sps into 1200 columns: %.2f ms, %.1fx a bare min/max "
        "pass (%lld)\n",
        envelope / kRounds * 1e3, envelope / floor, sink % 10);
}

void ListingOfADirectory() {
    testing_support::TempDir dir;
    constexpr int kFiles = 2000;
    testing_support::RecordingPlan plan;
    plan.data.records = 60;  // a minute at 100 sps, 3 channels: about 36 KiB of data
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "r%05d.rec", i);
        testing_support::MakeRecording(plan).WriteTo(dir.File(name));
    }
    std::size_t sink = 0;
    const double floor = bench::Seconds([&] {
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            std::ifstream in(entry.path(), std::ios::binary);
            char head[4096];
            in.read(head, sizeof head);
            sink += static_cast<std::size_t>(in.gcount());
        }
    });
    std::size_t listed = 0;
    const double scan = bench::Seconds(
        [&] { listed = plot::ListStationRecordings(dir.path() + "/", "STA1")->recordings.size(); });
    std::printf(
        "listing %zu recordings from their headers: %.1f ms, %.2fx opening each and "
        "reading 4 KiB (%zu)\n",
        listed, scan * 1e3, scan / floor, sink % 10);
}

}  // namespace

int main() {
    EnvelopeOfAnHour();
    ListingOfADirectory();
    return 0;
}
