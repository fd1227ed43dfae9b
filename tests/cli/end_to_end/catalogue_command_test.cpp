// The administrator's commands on each catalogue back end: `catalogue init`
// on an empty catalogue and on one that has the tables, the index warning of
// a run, `config`, and every command in one language per run.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/schema_install.h"
#include "catalog/sql_script.h"
#include "cli/config_command.h"
#include "platform/host_name.h"
#include "platform/message_catalogue.h"
#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using cli_test::BatchResult;
using testing_support::ExecuteOnCatalogue;
using Strings = std::vector<std::string>;

constexpr const char* kAddIndex = "CREATE INDEX filelist_cpath ON FILELIST (CPATH)";

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Latin words a Russian text may carry: commands, options, settings keys,
// tables, the programs' and the back ends' names, the test's stations,
// channels and directories.
const std::set<std::string> kNames = {
    "kelvaron-batch",
    "src",
    "gone",
    "kelvaron",
    "batch",
    "catalogue",
    "init",
    "indexes",
    "check",
    "config",
    "status",
    "window",
    "tvx",
    "ini",
    "DSN",
    "DIR",
    "DATA",
    "KELVARON",
    "USEGAIN",
    "eventlist",
    "sitechan",
    "FILELIST",
    "kelvaron_recordings",
    "kelvaron_recording_traces",
    "kelvaron_source_listings",
    "SQLite",
    "PostgreSQL",
    "STA1",
    "STA2",
    "BHZ",
    "BHN",
    "BHE",
    "SHZ",
    "dat",
    "max-age",
    "failed",
    "json",
    "files",
    "stations",
    "upgrade",
};

bool HasCyrillic(const std::string& text) {
    for (unsigned char c : text)
        if (c == 0xD0 || c == 0xD1) return true;
    return false;
}

// The Latin words of text that are no name; paths under root do not count.
std::string ForeignWords(std::string text, const std::string& root,
                         const std::set<std::string>& names) {
    for (std::size_t at; (at = text.find(root)) != std::string::npos;) {
        std::size_t end = at;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
               text[end] != '\'' && text[end] != ',' && text[end] != ')')
            ++end;
        text.erase(at, end - at);
    }
    std::string foreign, word;
    auto flush = [&] {
        const bool latin = word.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos;
        if (latin && word.size() > 1 && word.front() != '-' && !names.count(word))
            foreign += word + " ";
        word.clear();
    };
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-')
            word += c;
        else
            flush();
    }
    flush();
    return foreign;
}

class CatalogueCommand : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        for (const char* table : {"eventlist", "sitechan", "FILELIST"})
            ExecuteOnCatalogue(std::string("DROP TABLE ") + table);
        ::mkdir(work.File("data").c_str(), 0755);
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), work.File("data"));
        work.Write("kelvaron.ini",
                   "[KELVARON]\r\nNSTA=1\r\nSTA0=STA1\r\nDIR=src\r\n"
                   "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n");
        testing_support::RecordingPlan plan;
        plan.data.records = 4;
        testing_support::MakeRecording(plan).WriteTo(work.File("src/a.dat"));
    }

    BatchResult Batch(const Strings& args) {
        return cli_test::RunBatchProcess(work.path(), args,
                                         {"TVX_INI=" + work.File("tvx.ini"), "KELVARON_LANG=en"});
    }

    // What `config` prints, run in this process from the work directory.
    std::string Config(const std::string& tvxIni, int& status) {
        testing_support::ScopedEnv tvx("TVX_INI", tvxIni);
        char* previous = ::getcwd(nullptr, 0);
        EXPECT_EQ(::chdir(work.path().c_str()), 0);
        platform::SetMessageLanguage(platform::InterfaceLanguage::English);
        testing::internal::CaptureStdout();
        status = cli::RunConfigCommand(theDatabase);
        std::string output = testing::internal::GetCapturedStdout();
        platform::SetMessageLanguage(platform::CurrentInterfaceLanguage());
        EXPECT_EQ(::chdir(previous), 0);
        std::free(previous);
        return output;
    }

    // Gives `check` a problem of each kind a window run's archive can show:
    // a file without its row, a row that disagrees, a file that is no trace.
    void SpoilTheArchive() {
        const std::string hour = "STA1/1429112007/";
        ExecuteOnCatalogue("DELETE FROM FILELIST WHERE CPATH = ?", {hour + "143045-29112007.SHN"});
        ExecuteOnCatalogue("UPDATE FILELIST SET TQTY = 3 WHERE CPATH = ?",
                           {hour + "143045-29112007.SHE"});
        work.Write("data/" + hour + "150000-29112007.SHZ", std::string(600, 'x'));
    }

    Strings Paths() {
        Strings paths;
        for (auto& row : testing_support::QueryCatalogue(
                 "SELECT CPATH FROM FILELIST ORDER BY CPATH", {catalog::SqlType::Text}))
            paths.push_back(std::get<std::string>(row[0]));
        return paths;
    }

    testing_support::TempDir work;
};

TEST_P(CatalogueCommand, InitGivesAnEmptyCatalogueTablesThatARunFillsThenRefuses) {
    const BatchResult init = Batch({"catalogue", "init"});
    EXPECT_EQ(init.status, 0) << init.errors;
    EXPECT_EQ(init.errors, "");

    const BatchResult run = Batch({"window"});
    EXPECT_EQ(run.status, 0) << run.errors;
    // The tables made by init have the lookup indexes: the run warns of none.
    EXPECT_EQ(Occurrences(run.errors, "warning"), 0) << run.errors;
    const Strings paths = Paths();
    EXPECT_EQ(paths,
              (Strings{"STA1/1429112007/143045-29112007.SHE", "STA1/1429112007/143045-29112007.SHN",
                       "STA1/1429112007/143045-29112007.SHZ"}));

    const BatchResult again = Batch({"catalogue", "init"});
    EXPECT_EQ(again.status, 2);
    EXPECT_EQ(again.errors,
              "kelvaron-batch: catalogue init: the catalogue already has eventlist, sitechan, "
              "FILELIST, kelvaron_recordings, kelvaron_recording_traces, kelvaron_source_listings; "
              "nothing changed\n");
    EXPECT_EQ(Paths(), paths);
}

TEST_P(CatalogueCommand, UpgradeAddsTheRecordToAnOlderCatalogueOnceAndRunsThenFillIt) {
    const BatchResult empty = Batch({"catalogue", "upgrade"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.errors.find("lacks eventlist, sitechan, FILELIST"), std::string::npos)
        << empty.errors;
    EXPECT_EQ(catalog::ExistingCatalogueTables(theDatabase), Strings{});

    catalog::ExecuteSqlScript(theDatabase, testing_support::ReadFileBytes(backend().SchemaPath()));
    for (const char* table :
         {"kelvaron_source_listings", "kelvaron_recording_traces", "kelvaron_recordings"})
        ExecuteOnCatalogue(std::string("DROP TABLE ") + table);
    const BatchResult before = Batch({"window"});
    EXPECT_EQ(before.status, 0) << before.errors;

    const BatchResult upgrade = Batch({"catalogue", "upgrade"});
    EXPECT_EQ(upgrade.status, 0) << upgrade.errors;
    EXPECT_EQ(upgrade.errors, "");
    EXPECT_EQ(testing_support::CountRows("FILELIST"), 3) << "the rows of the run stay";
    EXPECT_EQ(testing_support::CountRows("kelvaron_recordings"), 0);
    const BatchResult after = Batch({"window"});
    EXPECT_EQ(after.status, 0) << after.errors;
    EXPECT_EQ(testing_support::CountRows("kelvaron_recordings", "outcome = 'converted'"), 1);
    EXPECT_EQ(testing_support::CountRows("kelvaron_recording_traces"), 3);
    const BatchResult again = Batch({"catalogue", "upgrade"});
    EXPECT_EQ(again.status, 2);
    EXPECT_EQ(again.errors,
              "kelvaron-batch: catalogue upgrade: the catalogue already has kelvaron_recordings, "
              "kelvaron_recording_traces, kelvaron_source_listings; nothing changed\n");

    // A record made before the listings were kept: upgrade adds them alone,
    // and the record stays as it was.
    ExecuteOnCatalogue("DROP TABLE kelvaron_source_listings");
    const BatchResult listings = Batch({"catalogue", "upgrade"});
    EXPECT_EQ(listings.status, 0) << listings.errors;
    EXPECT_NE(listings.output.find("kelvaron_source_listings"), std::string::npos)
        << listings.output;
    EXPECT_EQ(listings.output.find("kelvaron_recordings"), std::string::npos) << listings.output;
    EXPECT_EQ(testing_support::CountRows("kelvaron_recording_traces"), 3);
    EXPECT_EQ(Batch({"catalogue", "upgrade"}).status, 2);
}

TEST_P(CatalogueCommand, AMissingIndexIsNamedOnceByARunAndByConfigUntilInitAddsIt) {
    std::string schema = testing_support::ReadFileBytes(backend().SchemaPath());
    const std::string key = "NOT NULL PRIMARY KEY,";
    ASSERT_NE(schema.find(key), std::string::npos);
    schema.replace(schema.find(key), key.size(), ",");
    catalog::ExecuteSqlScript(theDatabase, schema);

    const BatchResult run = Batch({"window"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(Occurrences(run.errors, "warning"), 1) << run.errors;
    EXPECT_EQ(Occurrences(run.errors, kAddIndex), 1) << run.errors;
    EXPECT_EQ(Paths().size(), 3u) << "the run converts all the same";

    int status = -1;
    const std::string config = Config(work.File("tvx.ini"), status);
    EXPECT_EQ(status, 0);
    const catalog::CatalogueLogin login = backend().Login();
    for (const std::string& line :
         {"tvx.ini: " + work.File("tvx.ini") + " (read)\n", "  DSN: " + login.dsn + "\n",
          "  user: " + login.user + "\n", std::string("  password: ***\n"),
          "  data directory: " + work.File("data") + "/\n",
          std::string("  station STA1: source directory src/ (from [KELVARON] DIR), "
                      "USEGAIN 1 (default)\n")})
        EXPECT_NE(config.find(line), std::string::npos) << line << "in:\n" << config;
    EXPECT_EQ(config.find(login.password), std::string::npos) << config;
    EXPECT_EQ(Occurrences(config, kAddIndex), 1) << config;

    const BatchResult add = Batch({"catalogue", "init", "--indexes"});
    EXPECT_EQ(add.status, 0) << add.errors;
    const BatchResult quiet = Batch({"window"});
    EXPECT_EQ(Occurrences(quiet.errors, "warning"), 0) << quiet.errors;
}

TEST_P(CatalogueCommand, ConfigWithoutTvxIniShowsTheDefaults) {
    // A station named in code page 1251, as older settings files hold it.
    work.Write("kelvaron.ini", "[KELVARON]\r\nNSTA=1\r\nSTA0=\xCA\xD0\xC2\r\n");
    int status = -1;
    const std::string config = Config(work.File("missing.ini"), status);
    EXPECT_EQ(status, 2) << "there is no data source TVX";
    for (const char* line :
         {" (not found: the defaults apply)\n", "  DSN: TVX (default)\n", "  user: TVX (default)\n",
          "  password: *** (default)\n", "  data directory: / (default)\n",
          "  station КРВ: source directory / (not set), USEGAIN 1 "
          "(default)\n"})
        EXPECT_NE(config.find(line), std::string::npos) << line << "in:\n" << config;
    EXPECT_EQ(config.find("QZK"), std::string::npos);
}

// English without a Cyrillic letter, Russian without an English word beyond
// names: init refused on tables in place, a window run failing on STA2.
TEST_P(CatalogueCommand, EachCommandSpeaksOnlyTheLanguageOfItsRun) {
    ASSERT_EQ(Batch({"catalogue", "init"}).status, 0);
    work.Write("kelvaron.ini",
               "[KELVARON]\r\nNSTA=2\r\nSTA0=STA1\r\nSTA1=STA2\r\nDIR=src\r\n"
               "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n[STA2]\r\nDIR=gone\r\n");
    const Strings commands[] = {
        {"window"}, {"check"}, {"config"}, {"catalogue", "init"}, {"status", "--failed"},
    };
    std::set<std::string> names = kNames;
    names.insert(backend().Login().dsn);
    names.insert(backend().Login().user);
    names.insert(platform::HostName());  // status names the converter, host:pid
    for (const char* language : {"ru", "en"}) {
        for (const Strings& args : commands) {
            if (args.front() == "check") SpoilTheArchive();
            const cli_test::BatchResult result = cli_test::RunBatchProcess(
                work.path(), args,
                {std::string("KELVARON_LANG=") + language, "TVX_INI=" + work.File("tvx.ini")});
            const std::string said = result.output + result.errors;
            const std::string shown = args.front() + " [" + language + "]\n" + said;
            EXPECT_FALSE(said.empty()) << shown;
            if (std::string(language) == "en")
                EXPECT_FALSE(HasCyrillic(said)) << shown;
            else
                EXPECT_EQ(ForeignWords(said, work.path(), names), "") << shown;
        }
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(CatalogueCommand);

}  // namespace
