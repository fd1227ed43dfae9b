// kelvaron-batch as an operator's cron job runs it, on each catalogue back end:
// the trace files byte for byte, the catalogue rows value for value.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/transaction_guard.h"
#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using catalog::SqlType;
using cli_test::BatchResult;
using cli_test::RunBatchProcess;
using testing_support::CountRows;
using testing_support::ExecuteOnCatalogue;
using testing_support::MakeRecording;
using testing_support::QueryCatalogue;
using testing_support::RecorderFile;
using testing_support::RecordingPlan;
using testing_support::TempDir;
using Strings = std::vector<std::string>;

// Epoch seconds of 29.11.2007 14:30:45 on the recorder's clock.
constexpr double k143045 = 1196346645.0;

// A trace file as the data centre's format defines it, written out by hand.
std::string ExpectedTrace(const std::string& station, const std::string& channel,
                          const std::string& startTime, const std::string& duration,
                          const std::string& sps, const std::string& samples) {
    std::string header = "[TVX4.0]\r\nData offset=512\r\nStart time=" + startTime +
                         "\r\nStart date=29 11 2007\r\nTime duration=" + duration +
                         "\r\nData Type=SHORT\r\nSpS=" + sps + "\r\nGain=1\r\nStation=" + station +
                         "\r\nChannel=" + channel + "\r\n";
    header.push_back('\0');
    header.resize(512, ' ');
    return header + samples;
}

struct FileRow {
    std::string sta;
    double tbegin, tqty;
    std::string ch;
    double sps;
    int gain;
    std::string cpath;
    int foff, datatype;
    std::string creater;
    bool operator==(const FileRow&) const = default;
};

void PrintTo(const FileRow& r, std::ostream* out) {
    out->precision(17);
    *out << r.sta << " " << r.tbegin << " " << r.tqty << " " << r.ch << " " << r.sps << " "
         << r.gain << " " << r.cpath << " " << r.foff << " " << r.datatype << " " << r.creater;
}

std::vector<FileRow> FileRows() {
    std::vector<FileRow> rows;
    for (auto& r : QueryCatalogue(
             "SELECT STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, DATATYPE, CREATER FROM "
             "FILELIST ORDER BY CPATH",
             {SqlType::Text, SqlType::Double, SqlType::Double, SqlType::Text, SqlType::Double,
              SqlType::Integer, SqlType::Text, SqlType::Integer, SqlType::Integer, SqlType::Text}))
        rows.push_back({std::get<std::string>(r[0]), std::get<double>(r[1]), std::get<double>(r[2]),
                        std::get<std::string>(r[3]), std::get<double>(r[4]),
                        std::get<std::int32_t>(r[5]), std::get<std::string>(r[6]),
                        std::get<std::int32_t>(r[7]), std::get<std::int32_t>(r[8]),
                        std::get<std::string>(r[9])});
    return rows;
}

std::vector<std::pair<std::string, double>> EventRows() {
    std::vector<std::pair<std::string, double>> rows;
    for (auto& r : QueryCatalogue("SELECT sta, tbegin, event_type FROM eventlist ORDER BY tbegin",
                                  {SqlType::Text, SqlType::Double, SqlType::Integer})) {
        EXPECT_EQ(std::get<std::int32_t>(r[2]), 1);
        rows.emplace_back(std::get<std::string>(r[0]), std::get<double>(r[1]));
    }
    return rows;
}

// What a run printed before its last line, the summary.
std::string WithoutSummary(const std::string& errors) {
    if (errors.empty() || errors.back() != '\n') return errors;
    const std::size_t start = errors.rfind('\n', errors.size() - 2);
    return start == std::string::npos ? "" : errors.substr(0, start + 1);
}
std::string Summary(const std::string& errors) {
    return errors.substr(WithoutSummary(errors).size());
}

// Paths of the files below dir, relative to it, sorted.
Strings FilesBelow(const std::string& dir) {
    Strings files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(dir, error);
         it != std::filesystem::recursive_directory_iterator(); ++it)
        if (it->is_regular_file()) files.push_back(std::filesystem::relative(it->path(), dir));
    std::sort(files.begin(), files.end());
    return files;
}

class BatchEndToEnd : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        ::mkdir(work.File("data").c_str(), 0755);
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), work.File("data"));
        work.Write("kelvaron.ini",
                   "[KELVARON]\r\nNSTA=2\r\nSTA0=STA2\r\nSTA1=STA1\r\nDIR=src\r\n"
                   "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n[STA2]\r\nUSEGAIN=0\r\n");
        // STA1, triggered, three channels at 100 samples/s, in the window.
        RecordingPlan a;
        a.time = "14:30:45";
        a.type = "TRIGGER";
        a.data.records = 4;
        first = a.data;
        RecorderFile fileA = MakeRecording(a);
        fileA.Set("EVENT", "CH#", "2")
            .Set("EVENT", "DATE_CH2", "29.11.2007")
            .Set("EVENT", "TIME_CH2", "14:30:46.25");
        fileA.Set("GROUP1", "CH#", "1,2").Set("GROUP1", "GAIN", "3");
        fileA.Set("GROUP2", "CH#", "3").Set("GROUP2", "GAIN", "1");
        fileA.WriteTo(work.File("src/a.dat"));
        // STA1 again, after the window.
        RecordingPlan b = a;
        b.time = "16:00:00";
        MakeRecording(b).WriteTo(work.File("src/b.dat"));
        // STA2, one channel at 20 samples/s given in millionths, 2-second records.
        RecordingPlan c;
        c.station = "STA2";
        c.time = "14:10:00";
        c.dataSec = "6";
        c.channels = {{5, "BHZ"}};
        c.data.channels = 1;
        c.data.recordSeconds = 2;
        c.data.rate16 = 0;
        c.data.rate32 = 20000000;
        c.data.records = 3;
        second = c.data;
        RecorderFile fileC = MakeRecording(c);
        fileC.Set("GROUP1", "CH#", "5").Set("GROUP1", "GAIN", "4");
        fileC.WriteTo(work.File("src/c.dat"));
    }

    BatchResult Batch(const Strings& args) {
        return RunBatchProcess(work.path(), args, {"TVX_INI=" + work.File("tvx.ini")});
    }
    std::string Trace(const std::string& relative) const {
        return testing_support::ReadFileBytes(work.File("data/" + relative));
    }
    bool TraceExists(const std::string& relative) const {
        struct stat st {};
        return ::stat(work.File("data/" + relative).c_str(), &st) == 0;
    }

    // A double as the back end gives it back: the SQLite ODBC driver keeps 15
    // significant digits of a bound double, PostgreSQL all of them.
    double Stored(double value) const {
        if (GetParam() != testing_support::CatalogueBackendKind::SQLite) return value;
        char text[64];
        std::snprintf(text, sizeof text, "%.15g", value);
        return std::strtod(text, nullptr);
    }

    TempDir work;
    testing_support::DataLayout first, second;
};

TEST_P(BatchEndToEnd, WindowRunWritesTraceFilesAndRowsExactly) {
    for (int run = 0; run < 2; ++run) {  // the second run replaces, it does not add
        const BatchResult result = Batch({"window"});
        EXPECT_EQ(result.status, 0) << result.errors;
        EXPECT_EQ(WithoutSummary(result.errors), "");
        // Off a terminal too: three files looked at for each of the two stations.
        EXPECT_EQ(Summary(result.errors)
                      .rfind("Просмотрено 6, конвертировано 2, пропущено 4 "
                             "(другая станция 3, вне окна 1); трасс записано 4; ",
                             0),
                  0u)
            << result.errors;

        const char* dirA = "STA1/1429112007/143045-29112007.";
        const Strings channels = {"SHZ", "SHN", "SHE"};
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(Trace(dirA + channels[p]),
                      ExpectedTrace("STA1", channels[p], "14 30 45", "00 00 04", "100.000000",
                                    testing_support::ChannelSampleBytes(first, p)))
                << channels[p];
        EXPECT_EQ(Trace("STA2/1429112007/141000-29112007.BHZ"),
                  ExpectedTrace("STA2", "BHZ", "14 10 00", "00 00 06", "20.000000",
                                testing_support::ChannelSampleBytes(second, 0)));
        EXPECT_FALSE(TraceExists("STA1/1629112007")) << "the recording after the window";

        const double rate20 = 20000000 * 0.000001 + 0.0000000001;
        const double tqty20 = Stored(120 / rate20);
        const std::vector<FileRow> expected = {
            {"STA1", k143045, 4.0, "SHE", 100.0, 2, "STA1/1429112007/143045-29112007.SHE", 512, 5,
             "KELVARON"},
            {"STA1", k143045, 4.0, "SHN", 100.0, 8, "STA1/1429112007/143045-29112007.SHN", 512, 5,
             "KELVARON"},
            {"STA1", k143045, 4.0, "SHZ", 100.0, 8, "STA1/1429112007/143045-29112007.SHZ", 512, 5,
             "KELVARON"},
            // USEGAIN=0: gain 1 whatever the group says; the rate unrounded.
            {"STA2", k143045 - 20 * 60 - 45, tqty20, "BHZ", Stored(rate20), 1,
             "STA2/1429112007/141000-29112007.BHZ", 512, 5, "KELVARON"},
        };
        EXPECT_EQ(FileRows(), expected);
        EXPECT_EQ(EventRows(),
                  (std::vector<std::pair<std::string, double>>{{"STA1", k143045 + 1.25}}));
    }
}

TEST_P(BatchEndToEnd, ChannelsOptionPlaysTheTickedList) {
    const BatchResult result = Batch({"window", "--channels", "SHN,BHZ", "STA1"});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_TRUE(TraceExists("STA1/1429112007/143045-29112007.SHN"));
    EXPECT_FALSE(TraceExists("STA1/1429112007/143045-29112007.SHZ"));
    EXPECT_FALSE(TraceExists("STA2")) << "only the station named on the command line";
    EXPECT_EQ(CountRows("FILELIST"), 1);
}

TEST_P(BatchEndToEnd, WindowOptionsOverrideKelvaronIni) {
    const BatchResult result =
        Batch({"window", "--start", "14:05:00 29/11/2007", "--duration", "00:10:00"});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(CountRows("FILELIST"), 1) << "only STA2's recording at 14:10 lies in 14:05-14:15";
    EXPECT_TRUE(TraceExists("STA2/1429112007/141000-29112007.BHZ"));
    EXPECT_EQ(CountRows("eventlist"), 0);
}

TEST_P(BatchEndToEnd, FileRunTakesSelectedStationsWithoutRegardToCase) {
    const BatchResult result =
        Batch({"files", "--stations", "sta1", "src/a.dat", "src/c.dat", "src/b.dat"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(WithoutSummary(result.errors), "Ошибка: Имя станции в файле '" +
                                                 work.File("src/c.dat") +
                                                 "' не совпадает с выбранным(и)\n");
    // a.dat and b.dat, each whole, under the file's own station name.
    EXPECT_EQ(CountRows("FILELIST"), 6);
    EXPECT_TRUE(TraceExists("STA1/1629112007/160000-29112007.SHE"));
    EXPECT_EQ(CountRows("eventlist"), 1);
}

// Every picked file that is not converted is named, with the real cause.
TEST_P(BatchEndToEnd, FileRunNamesEveryFileItDoesNotConvertWithItsCause) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        std::function<std::string(const std::string&)> message;  // of the file's full path
    };
    const auto writes = [](const char* bytes) -> std::function<void(const std::string&)> {
        return [bytes](const std::string& path) {
            std::FILE* f = std::fopen(path.c_str(), "wb");
            std::fputs(bytes, f);
            std::fclose(f);
        };
    };
    using Make = std::function<void(const std::string&)>;
    const auto headerChange = [](std::function<void(RecorderFile&)> edit) -> Make {
        return [edit](const std::string& path) {
            RecorderFile file = MakeRecording(RecordingPlan());
            edit(file);
            file.WriteTo(path);
        };
    };
    const auto planChange = [](std::function<void(RecordingPlan&)> edit) -> Make {
        return [edit](const std::string& path) {
            RecordingPlan plan;
            edit(plan);
            MakeRecording(plan).WriteTo(path);
        };
    };
    const std::string noChannel = "' нет ни одного канала для конвертирования";
    const std::string noSpan = "' нет даты или времени записи (FILE/DATE_INT, FILE/TIME_INT)";
    const std::vector<Case> cases = {
        {"empty", writes(""), [](const std::string& p) { return "Файл '" + p + "' пуст"; }},
        {"garbage", writes("no header here\n"),
         [](const std::string& p) { return "Файл '" + p + "' не является записью регистратора"; }},
        {"dangling link",
         [](const std::string& p) { EXPECT_EQ(::symlink("nowhere", p.c_str()), 0); },
         [](const std::string& p) { return "Символическая ссылка '" + p + "' никуда не ведёт"; }},
        {"link loop", [](const std::string& p) { EXPECT_EQ(::symlink(p.c_str(), p.c_str()), 0); },
         [](const std::string& p) {
             return "Файл '" + p + "' не читается (слишком много уровней символических ссылок)";
         }},
        {"directory", [](const std::string& p) { ::mkdir(p.c_str(), 0755); },
         [](const std::string& p) { return "'" + p + "' не является обычным файлом"; }},
        {"no NAME", headerChange([](RecorderFile& f) { f.Remove("SYSTEM", "NAME"); }),
         [](const std::string& p) { return "В файле нет имени станции (" + p + ")"; }},
        {"no DATE_INT", headerChange([](RecorderFile& f) { f.Remove("FILE", "DATE_INT"); }),
         [&](const std::string& p) { return "В файле '" + p + noSpan; }},
        {"no TIME_INT", headerChange([](RecorderFile& f) { f.Remove("FILE", "TIME_INT"); }),
         [&](const std::string& p) { return "В файле '" + p + noSpan; }},
        {"negative offset", headerChange([](RecorderFile& f) { f.SetOffsetText("-1"); }),
         [](const std::string& p) {
             return "Начало данных (HEADER/OFFSET_TO_DATA) вне файла '" + p + "'";
         }},
        {"offset past the end", headerChange([](RecorderFile& f) { f.SetOffsetText("99999999"); }),
         [](const std::string& p) {
             return "Начало данных (HEADER/OFFSET_TO_DATA) вне файла '" + p + "'";
         }},
        {"N_CH 0", planChange([](RecordingPlan& plan) { plan.channelCount = "0"; }),
         [&](const std::string& p) { return "В файле '" + p + noChannel; }},
        {"unusable channel number", planChange([](RecordingPlan& plan) {
             plan.channelList = "99";
             plan.channelCount = "1";
         }),
         [&](const std::string& p) { return "В файле '" + p + noChannel; }},
        {"no stream section", headerChange([](RecorderFile& f) { f.Set("FILE", "STREAM", "7"); }),
         [&](const std::string& p) { return "В файле '" + p + noChannel; }},
    };
    for (const Case& c : cases) {
        const std::string path = work.File("src/hostile.dat");
        std::filesystem::remove_all(path);
        c.make(path);
        const BatchResult result = Batch({"files", "--stations", "STA1", "src/hostile.dat"});
        EXPECT_EQ(result.status, 1) << c.name << "\n" << result.errors;
        EXPECT_EQ(WithoutSummary(result.errors), "Ошибка: " + c.message(path) + "\n") << c.name;
        EXPECT_EQ(CountRows("FILELIST"), 0) << c.name;
    }
}

TEST_P(BatchEndToEnd, InvalidStartIsRefusedBeforeAnything) {
    for (const char* start : {"25:00:00 29/11/2007", "12:00:00 30/02/2007", "2007-02-30T12:00"}) {
        const BatchResult result = Batch({"window", "--start", start});
        EXPECT_EQ(result.status, 2) << start;
        EXPECT_EQ(result.errors, "Ошибка: Введено ошибочное время\n") << start;
    }
    EXPECT_EQ(CountRows("FILELIST"), 0);
}

TEST_P(BatchEndToEnd, CatalogueThatCannotBeOpenedEndsWithStatusTwo) {
    testing_support::WriteTvxIni(work.File("tvx.ini"), backend().RefusedLogin(), work.File("data"));
    const BatchResult result = Batch({"window"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.errors.find("kelvaron"), std::string::npos) << result.errors;
    EXPECT_FALSE(TraceExists("STA1"));
}

TEST_P(BatchEndToEnd, ADataDirectoryThatDoesNotExistIsRefusedOnceAtTheStart) {
    const std::string missing = work.File("no/such/dir");
    testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), missing);
    const BatchResult result = Batch({"window"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.errors, "Ошибка: Каталог данных '" + missing + "' из файла " +
                                 work.File("tvx.ini") + " не существует\n");
    EXPECT_EQ(CountRows("eventlist"), 0);
}

TEST_P(BatchEndToEnd, TraceFileFailuresAreReportedAndTheRunGoesOn) {
    // Station directories cannot be made where plain files stand.
    work.Write("data/STA1", "");
    work.Write("data/STA2", "");
    const BatchResult result = Batch({"window", "-q"});
    EXPECT_EQ(result.status, 1);
    // Each failure names the trace file's full path and the system's reason.
    for (const std::string file :
         {"STA1/1429112007/143045-29112007.SHZ", "STA1/1429112007/143045-29112007.SHN",
          "STA1/1429112007/143045-29112007.SHE", "STA2/1429112007/141000-29112007.BHZ"})
        EXPECT_NE(result.errors.find(
                      "kelvaron: Ошибка открытия файла " + file.substr(file.rfind('/')) + " (" +
                      work.File("data/" + file) + ": не является каталогом; Станция "),
                  std::string::npos)
            << result.errors;
    // Quiet, a run that failed still ends with its summary, the failures first.
    EXPECT_EQ(Summary(result.errors)
                  .rfind("Ошибок трасс 4, ошибок БД 0. Ничего не "
                         "конвертировано. Просмотрено 6, конвертировано 0, "
                         "пропущено 4 (другая станция 3, вне окна 1), не "
                         "конвертировано из-за ошибок 2; трасс записано 0; ",
                         0),
              0u)
        << result.errors;
    EXPECT_EQ(CountRows("FILELIST"), 0);
    EXPECT_EQ(CountRows("eventlist"), 1) << "the event is registered before the channels";
}

TEST_P(BatchEndToEnd, ACatalogueThatCannotBeOpenedEndsTheRunWithItsSummaryOneLineAMessage) {
    work.Write("tvx.ini",
               "[DATABASE]\nODBC=KELVARON_NO_SUCH_DSN\n[DATA]\nDIR=" + work.File("data") + "\n");
    const BatchResult result = Batch({"window"});
    EXPECT_EQ(result.status, 2);
    const std::string said = WithoutSummary(result.errors);
    EXPECT_EQ(said.rfind("kelvaron: ", 0), 0u) << result.errors;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << result.errors;
    EXPECT_EQ(
        Summary(result.errors).rfind("Ошибок трасс 0, ошибок БД 1. Ничего не конвертировано.", 0),
        0u)
        << result.errors;
}

TEST_P(BatchEndToEnd, MissingSourceDirectoryFailsItsStationOnly) {
    work.Write("kelvaron.ini",
               "[KELVARON]\r\nNSTA=2\r\nSTA0=GONE\r\nSTA1=STA2\r\nDIR=src\r\n"
               "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n[GONE]\r\nDIR=nowhere\r\n");
    const BatchResult result = Batch({"window", "GONE", "STA2"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("nowhere/"), std::string::npos) << result.errors;
    EXPECT_TRUE(TraceExists("STA2/1429112007/141000-29112007.BHZ"));
}

TEST_P(BatchEndToEnd, StopSignalEndsTheRunAfterTheTraceInHandWithStatusOne) {
    // Hold the catalogue, so that the first trace's registration waits for us.
    std::optional<catalog::TransactionGuard> hold(std::in_place, theDatabase);
    ExecuteOnCatalogue(GetParam() == testing_support::CatalogueBackendKind::SQLite
                           ? "DELETE FROM FILELIST"
                           : "LOCK TABLE FILELIST IN EXCLUSIVE MODE");
    const char* first = "STA2/1429112007/141000-29112007.BHZ";
    const BatchResult result =
        RunBatchProcess(work.path(), {"files", "--stations", "STA1,STA2", "src/c.dat", "src/a.dat"},
                        {"TVX_INI=" + work.File("tvx.ini")}, [&](pid_t pid) {
                            for (int i = 0; i < 500 && !TraceExists(first); ++i)
                                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                            cli_test::AskToStop(pid);
                            hold.reset();
                        });
    ASSERT_TRUE(TraceExists(first));
    EXPECT_EQ(result.status, 1) << "a stopped run did not convert all it was asked for\n"
                                << result.errors;
    EXPECT_EQ(CountRows("FILELIST"), 1) << "the trace in hand is registered";
    EXPECT_FALSE(TraceExists("STA1")) << "nothing is converted after the stop";
}

TEST_P(BatchEndToEnd, UsageErrorsEndWithStatusTwo) {
    for (const Strings& args :
         {Strings{}, Strings{"files"}, Strings{"window", "--bogus"}, Strings{"window", "-x"},
          Strings{"window", "--start", "12:00"}, Strings{"window", "--start", "14:00:00 29/11/07"},
          Strings{"window", "--since", "2h", "--start", "-2h"}}) {
        const BatchResult result = Batch(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_NE(result.errors.find("kelvaron-batch window ["), std::string::npos) << args.back();
    }
    EXPECT_EQ(CountRows("FILELIST"), 0);
}

TEST_P(BatchEndToEnd, ShortOptionIsNoStationName) {
    const BatchResult result = Batch({"window", "-q", "STA1"});
    EXPECT_EQ(result.status, 0) << result.errors;
    // A quiet run that converted what it was asked says nothing: cron mails nobody.
    EXPECT_EQ(result.errors + result.output, "");
    EXPECT_TRUE(TraceExists("STA1/1429112007/143045-29112007.SHZ"));
    EXPECT_FALSE(TraceExists("STA2")) << "only the station named";
    EXPECT_EQ(Batch({"-V"}).status, 0);
}

// Seconds from 29.11.2007 14:00:00 to this moment on the machine's wall clock,
// by the standard calendar.
long long SecondsSinceWindowStart() {
    using namespace std::chrono;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const sys_days today{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday};
    return (today - sys_days{2007y / November / 29}).count() * 86400LL +
           (local.tm_hour - 14) * 3600LL + local.tm_min * 60LL + local.tm_sec;
}

TEST_P(BatchEndToEnd, EveryFormOfTheSameWindowGivesTheSameRows) {
    // The nearest recordings lie ten minutes inside and an hour outside the
    // window, so the seconds a relative start drifts while the run starts
    // change nothing.
    const std::string relative = "-" + std::to_string(SecondsSinceWindowStart());
    const std::vector<Strings> forms = {
        {"window", "--start", "14:00:00 29/11/2007", "--duration", "000 01:00:00"},
        {"window", "--start", "2007-11-29T14:00:00", "--duration", "1h"},
        {"window", "--start=2007-11-29 14:00", "--end", "2007-11-29T15:00"},
        {"window", "--start", relative, "--duration", "3600"},
    };
    std::vector<FileRow> first;
    for (const Strings& args : forms) {
        ExecuteOnCatalogue("DELETE FROM FILELIST");
        const BatchResult result = Batch(args);
        EXPECT_EQ(result.status, 0) << args[2] << "\n" << result.errors;
        const std::vector<FileRow> rows = FileRows();
        EXPECT_EQ(rows.size(), 4u) << args[2];
        if (first.empty()) first = rows;
        EXPECT_EQ(rows, first) << args[2];
    }
}

TEST_P(BatchEndToEnd, DryRunPlansExactlyTheFilesARealRunWritesAndWritesNothing) {
    for (const Strings& args : {Strings{"window"}, Strings{"files", "src/a.dat", "src/c.dat"}}) {
        Strings dry = args;
        dry.push_back("--dry-run");
        const BatchResult plan = Batch(dry);
        EXPECT_EQ(plan.status, 0) << plan.errors;
        EXPECT_TRUE(FilesBelow(work.File("data")).empty()) << args[0];
        EXPECT_EQ(CountRows("FILELIST") + CountRows("eventlist"), 0) << args[0];
        Strings planned;
        for (std::size_t at = plan.output.find("  запишет "); at != std::string::npos;
             at = plan.output.find("  запишет ", at + 1)) {
            const std::size_t begin = at + std::strlen("  запишет ");
            planned.push_back(plan.output.substr(begin, plan.output.find('\n', begin) - begin));
        }
        std::sort(planned.begin(), planned.end());
        if (args[0] == "window") {
            EXPECT_NE(plan.output.find("пропустить src/b.dat: вне окна\n"), std::string::npos)
                << plan.output;
        }

        const BatchResult real = Batch(args);
        EXPECT_EQ(real.status, 0) << real.errors;
        EXPECT_EQ(planned, FilesBelow(work.File("data"))) << plan.output;
        EXPECT_EQ(planned.size(), 4u);
        std::filesystem::remove_all(work.File("data"));
        ::mkdir(work.File("data").c_str(), 0755);
        ExecuteOnCatalogue("DELETE FROM FILELIST");
        ExecuteOnCatalogue("DELETE FROM eventlist");
        if (args[0] == "files") break;
    }
}

TEST_P(BatchEndToEnd, ARunThatConvertsNothingSaysSoAndNamesTheChannelNoRecordingCarries) {
    const BatchResult result = Batch({"window", "--channels", "XYZ,SHZ", "-v", "STA2"});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(CountRows("FILELIST"), 0);
    EXPECT_NE(
        result.errors.find("Предупреждение: Канала XYZ нет ни в одной конвертированной записи\n"),
        std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("Предупреждение: Канала SHZ"), std::string::npos);
    EXPECT_NE(result.errors.find("пропущен src/c.dat: нет отмеченных каналов\n"), std::string::npos)
        << result.errors;
    EXPECT_EQ(Summary(result.errors).rfind("Ничего не конвертировано. Просмотрено 3, ", 0), 0u)
        << result.errors;
}

TEST_P(BatchEndToEnd, UnlistedStationOrNoDataDirectoryIsRefusedBeforeAnything) {
    const BatchResult unlisted = Batch({"window", "STA9"});
    EXPECT_EQ(unlisted.status, 2);
    EXPECT_EQ(unlisted.errors, "Ошибка: Станция STA9 не указана в kelvaron.ini\n");
    for (const bool withIni : {true, false}) {
        std::remove(work.File("tvx.ini").c_str());
        if (withIni) work.Write("tvx.ini", "[DATA]\nDIR=\n");
        const BatchResult result = Batch({"window", "--dry-run"});
        EXPECT_EQ(result.status, 2) << result.errors;
        EXPECT_NE(result.errors.find(work.File("tvx.ini")), std::string::npos) << result.errors;
    }
    EXPECT_FALSE(TraceExists("STA1"));
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(BatchEndToEnd);

}  // namespace
