// How much the trace writer costs above plain file I/O.
//
// Converts a realistic set of recordings (one hour each, three channels at
// 100 samples per second, one-second records) channel by channel, and in the
// same run measures the floor: copying each channel's samples out of the same
// data blocks and writing the same bytes with plain write() calls and the same
// number of fsync() calls. Prints the ratio; the target is 1.3 or less.
//
// Then the catalogue cost per trace file: RegisterTraceFile against a bare
// parametrised INSERT of the same values through the same driver, on each
// catalogue back end that is reachable (target: 3 times or less). The
// PostgreSQL back end needs the tests' server:
//   bash scripts/pg-test-server.sh start build/pg-test-server
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/trace_conversion.h"
#include "archive/trace_writer.h"
#include "catalog/catalogue.h"
#include "catalog/file_list.h"
#include "catalog/odbc_statement.h"
#include "formats/tvx/tvx_header.h"
#include "platform/kelvaron_settings.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRecordings = 60;
constexpr int kChannels = 3;
constexpr int kRate = 100;
constexpr int kRecordsPerHour = 3600;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

[[noreturn]] void Fail(const char* what) {
    std::perror(what);
    std::exit(1);
}

void WriteAll(int fd, const void* bytes, std::size_t size) {
    const char* p = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t done = ::write(fd, p, size);
        if (done <= 0) Fail("write");
        p += done;
        size -= static_cast<std::size_t>(done);
    }
}

// The least any converter must do for one channel: take its samples out of
// the records, write header and samples, flush the file and its directory.
void PlainChannelFile(const std::vector<std::uint8_t>& block, int channel, const std::string& dir,
                      const std::string& name) {
    const std::size_t perRecord = 2u * kRate;
    const std::size_t recordSize = 256 + kChannels * perRecord;
    std::vector<std::uint8_t> samples(perRecord * (block.size() / recordSize));
    for (std::size_t r = 0, out = 0; (r + 1) * recordSize <= block.size(); ++r, out += perRecord)
        std::memcpy(samples.data() + out, block.data() + r * recordSize + 256 + channel * perRecord,
                    perRecord);
    char header[kTraceHeaderSize];
    std::memset(header, ' ', sizeof header);

    const std::string path = dir + "/" + name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) Fail("open");
    WriteAll(fd, header, sizeof header);
    WriteAll(fd, samples.data(), samples.size());
    if (::fsync(fd) != 0 || ::close(fd) != 0) Fail("fsync");
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0 || ::fsync(dirFd) != 0) Fail("fsync dir");
    ::close(dirFd);
}

// The settings a run resolves once when it starts.
const engine::TraceSettings& RunSettings() {
    static const engine::TraceSettings settings = [] {
        const platform::RunSettings run = platform::ResolveRunSettings({"BENCH"});
        return engine::TraceSettings{run.dataDir, run.stations.front().useGain};
    }();
    return settings;
}

// What WriteChannelTrace does before it registers the file: extract, build
// the header, write the file atomically.
void WriterChannelFile(const std::vector<std::uint8_t>& block, int channel, double start) {
    engine::ChannelTrace trace;
    trace.data = block.data();
    trace.dataSize = static_cast<std::int64_t>(block.size());
    trace.start = start;
    trace.channel = "CH" + std::to_string(channel);
    trace.station = "BENCH";
    trace.channelPosition = channel;
    trace.recordSeconds = 1;
    trace.channelCount = kChannels;
    trace.gainFactor = 1;
    engine::WriteTraceFile(trace, RunSettings());
}

// The ten values RegisterTraceFile stores, as INSERT parameters.
std::vector<catalog::SqlValue> RowValues(const std::string& cpath) {
    return {std::string("BENCH"),
            1196344800.0,
            3600.0,
            std::string("SHZ"),
            100.0,
            std::int32_t{1},
            cpath,
            std::int32_t{512},
            std::int32_t{5},
            std::string("KELVARON")};
}

struct CatalogueTimes {
    Clock::duration registering{}, inserting{};
};

// rows of each kind on theDatabase, in alternating chunks so that both meet
// the table at about the same size.
CatalogueTimes TimeRegistrationsAndInserts(int rows) {
    constexpr int kChunk = 10;
    CatalogueTimes times;
    catalog::OdbcStatement insert(theDatabase);
    for (int first = 0; first < rows; first += kChunk) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool registerTurn = (turn + first / kChunk) % 2 == 0;
            const auto begin = Clock::now();
            for (int i = first; i < first + kChunk && i < rows; ++i) {
                const std::string path = (registerTurn ? "R/" : "B/") + std::to_string(i);
                if (registerTurn)
                    RegisterTraceFile(theDatabase, "BENCH", 1196344800.0, 3600.0, "SHZ", 100.0, 1,
                                      path);
                else
                    insert.Execute(
                        "INSERT INTO FILELIST (STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, "
                        "DATATYPE, CREATER) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                        RowValues(path));
            }
            (registerTurn ? times.registering : times.inserting) += Clock::now() - begin;
        }
    }
    return times;
}

void MeasureCatalogue(testing_support::CatalogueBackend& backend) {
    if (const std::string why = backend.UnavailableReason(); !why.empty()) {
        std::printf("catalogue on %s: skipped (%s)\n", backend.name().c_str(), why.c_str());
        return;
    }
    constexpr int kRows = kRecordings * kChannels;
    backend.OpenFreshCatalogue();
    const CatalogueTimes times = TimeRegistrationsAndInserts(kRows);
    theDatabase.Close();
    std::printf("catalogue on %s: %d rows each way\n", backend.name().c_str(), kRows);
    std::printf("  RegisterTraceFile: %.3f ms per file\n",
                1e3 * Seconds(times.registering) / kRows);
    std::printf("  bare parametrised INSERT: %.3f ms per row\n",
                1e3 * Seconds(times.inserting) / kRows);
    std::printf("  ratio: %.2f (target <= 3)\n",
                Seconds(times.registering) / Seconds(times.inserting));
}

}  // namespace

int main() {
    testing_support::TempDir work;
    const std::string data = work.File("data");
    const std::string floor = work.File("floor");
    std::filesystem::create_directory(data);
    std::filesystem::create_directory(floor);
    work.Write("tvx.ini", "[DATA]\nDIR=" + data + "\n");
    work.Write("kelvaron.ini", "[BENCH]\nUSEGAIN=1\n");
    ::setenv("TVX_INI", work.File("tvx.ini").c_str(), 1);
    if (::chdir(work.path().c_str()) != 0) Fail("chdir");

    trace_test::BlockShape shape;
    shape.channels = kChannels;
    shape.samplesPerBlock = kRate;
    shape.records = kRecordsPerHour;

    Clock::duration writer{}, plain{};
    std::uint64_t bytes = 0;
    const double firstStart = 1196344800.0;  // 2007-11-29 14:00
    for (int recording = 0; recording < kRecordings; ++recording) {
        const std::vector<std::uint8_t> block = trace_test::BuildDataBlock(shape);
        const double start = firstStart + 3600.0 * recording;
        // Channel by channel, alternating who goes first, so that load from
        // elsewhere and a warm cache fall on both alike.
        for (int c = 0; c < kChannels; ++c) {
            for (int turn = 0; turn < 2; ++turn) {
                const bool writerTurn = (turn + recording + c) % 2 == 0;
                const auto begin = Clock::now();
                if (writerTurn)
                    WriterChannelFile(block, c, start);
                else
                    PlainChannelFile(block, c, floor,
                                     std::to_string(recording) + "." + std::to_string(c));
                (writerTurn ? writer : plain) += Clock::now() - begin;
            }
        }
        bytes += kChannels * (512u + 2u * kRate * kRecordsPerHour);
    }

    std::printf("trace writer: %d recordings x %d channels at %d/s, %d files, %.1f MB\n",
                kRecordings, kChannels, kRate, kRecordings * kChannels, bytes / 1e6);
    std::printf("  writer (catalogue excluded): %.3f s\n", Seconds(writer));
    std::printf("  floor (plain read, write, same fsyncs): %.3f s\n", Seconds(plain));
    std::printf("  ratio writer/floor: %.2f (target <= 1.3)\n", Seconds(writer) / Seconds(plain));

    for (auto kind : testing_support::AllCatalogueBackends())
        MeasureCatalogue(testing_support::GetCatalogueBackend(kind));
    return 0;
}
