// Which kelvaron.ini a run reads (--config, KELVARON_INI, the working
// directory's), and a tvx.ini that is there but cannot be read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/temp_dir.h"

namespace {

using Strings = std::vector<std::string>;

TEST(BatchSettingsFiles, KelvaronIniFromConfigElseEnvironmentElseWorkingDirectory) {
    testing_support::TempDir work;
    work.Write("kelvaron.ini", "[KELVARON]\nNSTA=1\nSTA0=HERE\n");
    const std::string named = work.Write("named.ini", "[KELVARON]\nNSTA=1\nSTA0=NAMED\nLANG=en\n");
    const std::string env = work.Write("env.ini", "[KELVARON]\nNSTA=1\nSTA0=FROMENV\n");
    const std::string tvxDir = work.File("tvx.d");
    ASSERT_EQ(::mkdir(tvxDir.c_str(), 0755), 0);
    struct Case {
        Strings args;
        std::string kelvaronIni;  // KELVARON_INI
        std::string tvxIni;       // TVX_INI
        int status;
        std::string said;  // on stdout or stderr
    };
    // A data source no machine has: config ends refused whatever odbc.ini holds.
    const std::string noTvx = work.Write("tvx.ini", "[DATABASE]\nODBC=KELVARON_NO_SUCH_DSN\n");
    const Case cases[] = {
        {{"config"}, "", noTvx, 2, "kelvaron.ini: ./kelvaron.ini (прочитан)\n  станция HERE:"},
        {{"config"}, env, noTvx, 2, "kelvaron.ini: " + env + " (прочитан)\n  станция FROMENV:"},
        {{"--config", named, "config"}, env, noTvx, 2, "kelvaron.ini: " + named + " (read)"},
        {{"config", "--config=" + named}, "", noTvx, 2, "  station NAMED:"},
        // The language is read from the file chosen.
        {{"--config", named, "--help"}, "", noTvx, 0, "usage: kelvaron-batch window"},
        // A file named on purpose must be there; the working directory's may be missing.
        {{"--config", work.File("gone.ini"), "window"},
         "",
         noTvx,
         2,
         "Не удаётся прочитать файл " + work.File("gone.ini") + ": нет такого файла или каталога"},
        {{"window"}, work.File("gone.ini"), noTvx, 2, "Не удаётся прочитать файл "},
        // An unreadable tvx.ini is said so by every mode, never taken for a missing one.
        {{"window", "HERE"},
         "",
         tvxDir,
         2,
         "Не удаётся прочитать файл " + tvxDir + ": это каталог"},
        {{"config", "--config", named},
         "",
         tvxDir,
         2,
         "File " + tvxDir + " cannot be read: is a directory"},
        {{"catalogue", "init"}, "", tvxDir, 2, "Не удаётся прочитать файл " + tvxDir},
        {{"config"}, "", tvxDir, 2, "tvx.ini: " + tvxDir + " (не удаётся прочитать)"},
    };
    for (const Case& c : cases) {
        const cli_test::BatchResult result = cli_test::RunBatchProcess(
            work.path(), c.args,
            {"KELVARON_INI=" + c.kelvaronIni, "TVX_INI=" + c.tvxIni, "KELVARON_LANG="});
        std::string shown;
        for (const std::string& a : c.args) shown += a + " ";
        shown += "[" + c.kelvaronIni + " " + c.tvxIni + "]";
        EXPECT_EQ(result.status, c.status) << shown << "\n" << result.output << result.errors;
        EXPECT_NE((result.output + result.errors).find(c.said), std::string::npos)
            << shown << "\n"
            << result.output << result.errors;
    }
}

}  // namespace
