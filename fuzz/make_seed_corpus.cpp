// Writes the seed corpus of the recorder fuzz target: small recordings from
// the tests' generator, one for each shape the reader tells apart.
//
//   make_seed_corpus DIR
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/recorder_generator.h"

using testing_support::MakeRecording;
using testing_support::RecorderFile;
using testing_support::RecordingPlan;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed_corpus DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Seed {
        const char* name;
        std::function<void(RecordingPlan&)> plan;
        std::function<void(RecorderFile&)> header;
    };
    const std::vector<Seed> seeds = {
        {"plain"},
        {"triggered",
         {},
         [](RecorderFile& f) {
             f.Set("STREAM0", "TYPE", "TRIGGER").Set("EVENT", "CH#", "2");
             f.Set("EVENT", "DATE_CH2", "29.11.2007").Set("EVENT", "TIME_CH2", "14:31:02.5");
         }},
        {"groups",
         {},
         [](RecorderFile& f) {
             f.Set("GROUP1", "CH#", "1,2").Set("GROUP1", "GAIN", "3");
             f.Set("GROUP2", "CH#", "3").Set("GROUP2", "GAIN", "31");
         }},
        {"rate32", [](RecordingPlan& s) { s.data.rate16 = 0, s.data.rate32 = 100000000; }},
        {"partial", [](RecordingPlan& s) { s.data.trailingBytes = 300; }},
        {"unnamed", [](RecordingPlan& s) { s.channels[1].name = ""; }},
        {"more_items", [](RecordingPlan& s) { s.channelList = "1,2,3,4,5"; }},
        {"no_channels", [](RecordingPlan& s) { s.channelCount = "0"; }},
        {"stream1", [](RecordingPlan& s) { s.stream = 1; }},
        {"long_records", [](RecordingPlan& s) { s.data.recordSeconds = 3, s.data.rate16 = 20; }},
        {"offset_beyond", {}, [](RecorderFile& f) { f.SetOffsetText("999999"); }},
        {"short_block", [](RecordingPlan& s) { s.data.records = 0, s.data.trailingBytes = 40; }},
    };
    for (const Seed& seed : seeds) {
        RecordingPlan plan;
        plan.data.records = 2;
        if (seed.plan) seed.plan(plan);
        RecorderFile file = MakeRecording(plan);
        if (seed.header) seed.header(file);
        file.WriteTo(dir + "/" + seed.name + ".dat");
    }
    return 0;
}
