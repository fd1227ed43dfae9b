// The one text rule where a time-window run meets station names and source
// directories: a kelvaron.ini in UTF-8, recorders and folders in either
// encoding.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr const char* kUtf8 =
    "\xd0\x9e\xd0\x91\xd0\x9d"
    "1";  // ОБН1
constexpr const char* kCp1251 =
    "\xce\xc1\xcd"
    "1";  // the same in CP1251

class StationText : public testing_support::CatalogueTest {
protected:
    testing_support::TempDir work;
};

TEST_P(StationText, AWindowRunMatchesNamesAndFindsFoldersAsTexts) {
    struct Case {
        const char* iniStation;  // STA0 and the section in kelvaron.ini
        const char* dirName;     // DIR's last part as kelvaron.ini writes it
        const char* folder;      // the folder on disk
        const char* header;      // NAME in the recording's header
    };
    const Case cases[] = {
        {kUtf8, kUtf8, kUtf8, kCp1251},      // UTF-8 settings, CP1251 recorder
        {kUtf8, kCp1251, kUtf8, kUtf8},      // a CP1251 DIR naming a UTF-8 folder
        {kCp1251, kCp1251, kCp1251, kUtf8},  // raw bytes on disk win
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string base = work.File("case" + std::to_string(++n));
        ::mkdir(base.c_str(), 0755);
        ::mkdir((base + "/data").c_str(), 0755);
        testing_support::WriteTvxIni(base + "/tvx.ini", backend().Login(), base + "/data");
        work.Write("case" + std::to_string(n) + "/kelvaron.ini",
                   std::string("[KELVARON]\nNSTA=1\nSTA0=") + c.iniStation + "\n[" + c.iniStation +
                       "]\nDIR=" + base + "/" + c.dirName + "\n");
        testing_support::RecordingPlan plan;
        plan.station = c.header;
        plan.data.records = 4;
        testing_support::MakeRecording(plan).WriteTo(base + "/" + c.folder + "/a.rec");
        const cli_test::BatchResult r = cli_test::RunBatchProcess(
            base, {"window", "--start", "2007-11-29 14:00", "--duration", "1h"},
            {"TVX_INI=" + base + "/tvx.ini"});
        EXPECT_EQ(r.status, 0) << n << r.errors;
        // Each case writes the same catalogue paths again: the summary tells.
        EXPECT_NE(r.errors.find("конвертировано 1, пропущено 0; трасс записано 3"),
                  std::string::npos)
            << n << r.errors;
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(StationText);

}  // namespace
