// A time-window run against PostgreSQL through a relay on 127.0.0.1 that
// adds a fixed delay to every round trip, as a catalogue server across a
// network does. Prints the round trips per catalogue row and the run's time
// against the floor measured through the same relay in this run: one
// prepared INSERT per row, autocommitted.
//
//   catalogue_relay_bench [RECORDINGS] [DELAY_MS]     (default 20 recordings, 2 ms)
//
// Uses the PostgreSQL server whose server.env is in $KELVARON_PG_STATE_DIR,
// else starts a private one with scripts/pg-test-server.sh and stops it.
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>

#include "bench/bench_support.h"
#include "bench/delay_relay.h"
#include "catalog/catalogue.h"
#include "catalog/connection_string.h"
#include "catalog/odbc_statement.h"
#include "catalog/sql_script.h"
#include "engine/drivers.h"
#include "engine/recording_outputs.h"
#include "formats/date_time.h"
#include "platform/kelvaron_settings.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using Settings = std::map<std::string, std::string>;

namespace {

constexpr const char* kSchema = "kelvaron_relay_bench";

Settings ReadServerEnv(const std::string& stateDir) {
    Settings settings;
    std::ifstream in(stateDir + "/server.env");
    for (std::string line; std::getline(in, line);)
        if (const auto eq = line.find('='); eq != std::string::npos)
            settings[line.substr(0, eq)] = line.substr(eq + 1);
    return settings;
}

// The server of $KELVARON_PG_STATE_DIR, or one of our own for this run.
class PgServer {
public:
    explicit PgServer(const std::string& ownStateDir) {
        const char* given = std::getenv("KELVARON_PG_STATE_DIR");
        stateDir_ = given && *given ? given : ownStateDir;
        settings = ReadServerEnv(stateDir_);
        if (!settings["port"].empty()) return;
        if (given && *given) throw std::runtime_error("no server.env in " + stateDir_);
        Script("start");
        owned_ = true;
        settings = ReadServerEnv(stateDir_);
        if (settings["port"].empty())
            throw std::runtime_error("the PostgreSQL server did not start");
    }
    ~PgServer() { Stop(); }
    // Stops a server of our own; never raises.
    void Stop() {
        if (!owned_.exchange(false)) return;
        try {
            Script("stop");
        } catch (const std::exception& error) {
            std::fprintf(stderr, "catalogue_relay_bench: %s\n", error.what());
        }
    }
    Settings settings;

private:
    void Script(const char* action) {
        const std::string command = "cd / && bash '" KELVARON_SOURCE_DIR
                                    "/scripts/pg-test-server.sh' " +
                                    std::string(action) + " '" + stateDir_ + "' >&2";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error(std::string("pg-test-server.sh ") + action + " failed");
    }
    std::string stateDir_;
    std::atomic<bool> owned_{false};
};

std::string Dsn(const char* name, const Settings& pg, int port) {
    return "[" + std::string(name) +
           "]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\nPort=" + std::to_string(port) +
           "\nDatabase=" + pg.at("database") + "\nConnSettings=SET search_path TO " + kSchema +
           "\n\n";
}

void Connect(const char* dsn, const Settings& pg) {
    theDatabase.Close();
    if (!theDatabase.Open(
            catalog::ComposeConnectionString({dsn, pg.at("user"), pg.at("password")})))
        throw std::runtime_error(std::string("no connection to ") + dsn);
}

// One prepared INSERT per row, each committed on its own: what a row costs
// at least on this connection.
void InsertRows(int rows, int round) {
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, theDatabase.handle(), &stmt);
    char sql[] =
        "INSERT INTO FILELIST (STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, DATATYPE, CREATER) "
        "VALUES ('STA1', 1196346645, 4, 'SHZ', 100, 1, ?, 512, 5, 'KELVARON')";
    SQLPrepare(stmt, reinterpret_cast<SQLCHAR*>(sql), SQL_NTS);
    char path[64];
    SQLLEN length = SQL_NTS;
    SQLBindParameter(stmt, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 255, 0, path, sizeof path,
                     &length);
    for (int i = 0; i < rows; ++i) {
        std::snprintf(path, sizeof path, "floor/%d/%d", round, i);
        if (!SQL_SUCCEEDED(SQLExecute(stmt))) throw std::runtime_error("floor INSERT failed");
    }
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
}

}  // namespace

int main(int argc, char** argv) try {
    const int recordings = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int delayMs = argc > 2 ? std::max(0, std::atoi(argv[2])) : 2;
    testing_support::TempDir dir;
    fs::current_path(dir.path());
    PgServer pg(dir.File("pg"));
    // A server or relay that stops answering must not keep the bench, and
    // the server it started, running for ever.
    std::thread([&pg, limit = std::chrono::seconds(120 + 10 * recordings)] {
        std::this_thread::sleep_for(limit);
        std::fprintf(stderr, "catalogue_relay_bench: no result after %llds, giving up\n",
                     static_cast<long long>(limit.count()));
        pg.Stop();
        std::_Exit(1);
    }).detach();
    bench::DelayRelay relay(std::stoi(pg.settings["port"]), std::chrono::milliseconds(delayMs));
    const std::string ini =
        dir.Write("odbc.ini", Dsn("KelvaronDirect", pg.settings, std::stoi(pg.settings["port"])) +
                                  Dsn("KelvaronRelay", pg.settings, relay.port()));
    ::setenv("ODBCINI", ini.c_str(), 1);

    // The tables, made directly on the server.
    Connect("KelvaronDirect", pg.settings);
    {
        catalog::OdbcStatement statement(theDatabase);
        statement.Execute(std::string("CREATE SCHEMA IF NOT EXISTS ") + kSchema);
        for (const char* table : {"eventlist", "sitechan", "FILELIST", "kelvaron_recording_traces",
                                  "kelvaron_recordings", "kelvaron_source_listings"})
            statement.Execute(std::string("DROP TABLE IF EXISTS ") + table);
    }
    catalog::ExecuteSqlScript(
        theDatabase,
        testing_support::ReadFileBytes(KELVARON_SOURCE_DIR "/catalog/schema/postgresql.sql"));

    // Recordings of three channels, four seconds each, one an hour.
    const std::string source = dir.File("source"), data = dir.File("data");
    fs::create_directories(source);
    fs::create_directories(data);
    for (int i = 0; i < recordings; ++i) {
        testing_support::RecordingPlan plan;
        char date[32], time[32];
        std::snprintf(date, sizeof date, "%02d.11.2007", 1 + i / 24);
        std::snprintf(time, sizeof time, "%02d:00:00", i % 24);
        plan.date = date;
        plan.time = time;
        testing_support::MakeRecording(plan).WriteTo(source + "/" + std::to_string(i) + ".dat");
    }
    std::ofstream(dir.File("kelvaron.ini")) << "[STA1]\r\nDIR=" << source << "\r\n";
    std::ofstream(dir.File("tvx.ini")) << "[DATA]\nDIR=" << data << "\n";
    ::setenv("TVX_INI", dir.File("tvx.ini").c_str(), 1);
    bench::SilentFrontEnd front;
    engine::RunRequest request;
    request.stations = {"STA1"};
    request.windowStart = EpochFromCalendar(2007, 11, 1, 0, 0, 0);
    request.windowLength = 30 * 86400;
    request.settings = platform::ResolveRunSettings(request.stations);

    // Connections are made before the clock starts; only rows are counted.
    auto run = [&](std::chrono::milliseconds delay, std::uint64_t& trips) {
        relay.SetDelay(std::chrono::milliseconds(0));
        Connect("KelvaronRelay", pg.settings);
        relay.SetDelay(delay);
        const std::uint64_t before = relay.roundTrips();
        engine::CatalogueOutputs catalogue(theDatabase);
        const double seconds =
            bench::Seconds([&] { engine::RunConversion(request, front, catalogue); });
        trips = relay.roundTrips() - before;
        return seconds;
    };
    // The shared machine's disk and scheduler vary: best of three, interleaved.
    // Round trips are those of the last round, when every row is a replace.
    std::uint64_t runTrips = 0, plainTrips = 0, floorTrips = 0;
    double runSeconds = 1e9, plainSeconds = 1e9, floorSeconds = 1e9;
    int rows = 0;
    for (int round = 0; round < 3; ++round) {
        runSeconds = std::min(runSeconds, run(std::chrono::milliseconds(delayMs), runTrips));
        plainSeconds = std::min(plainSeconds, run(std::chrono::milliseconds(0), plainTrips));
        relay.SetDelay(std::chrono::milliseconds(0));
        rows = testing_support::CountRows("FILELIST", "CPATH NOT LIKE 'floor/%'");
        if (rows == 0 || front.messages != 0)
            throw std::runtime_error("the run wrote no rows or reported " +
                                     std::to_string(front.messages) + " messages");
        Connect("KelvaronRelay", pg.settings);
        relay.SetDelay(std::chrono::milliseconds(delayMs));
        const std::uint64_t before = relay.roundTrips();
        floorSeconds = std::min(floorSeconds, bench::Seconds([&] { InsertRows(rows, round); }));
        floorTrips = relay.roundTrips() - before;
    }
    theDatabase.Close();

    std::printf("relay delay               %d ms per round trip (127.0.0.1)\n", delayMs);
    std::printf("recordings                %d, catalogue rows %d\n", recordings, rows);
    std::printf("floor: one INSERT a row   %.3f s, %.2f round trips per row\n", floorSeconds,
                static_cast<double>(floorTrips) / rows);
    std::printf("time-window run           %.3f s, %.2f round trips per row\n", runSeconds,
                static_cast<double>(runTrips) / rows);
    std::printf("the same run, no delay    %.3f s (files, syncs, server work)\n", plainSeconds);
    std::printf("run / floor, round trips  %.2f\n", static_cast<double>(runTrips) / floorTrips);
    std::printf("run / floor, time         %.2f\n", runSeconds / floorSeconds);
    return 0;
} catch (const std::exception& error) {
    std::fprintf(stderr, "catalogue_relay_bench: %s\n", error.what());
    return 1;
}
