// The batch command in the operator's language, and every mode through the
// one command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/temp_dir.h"

namespace {

using Strings = std::vector<std::string>;

TEST(BatchLanguage, TextsFollowTheLanguageAndEveryModeTakesTheSameOptions) {
    struct Case {
        Strings args;
        const char* environment;  // KELVARON_LANG
        const char* ini;          // LANG in [KELVARON] of kelvaron.ini
        int status;
        const char* said;  // on stdout or stderr
    };
    const Case cases[] = {
        {{"--help"}, "", "", 0, "использование: kelvaron-batch window [--start ВРЕМЯ]"},
        {{"--help"}, "en", "", 0, "usage: kelvaron-batch window [--start TIME]"},
        {{"--help"}, "", "en", 0, "usage: kelvaron-batch window [--start TIME]"},
        {{"--help"}, "ru", "en", 0, "использование: kelvaron-batch window"},
        {{"window", "NOWHERE"}, "", "", 2, "Ошибка: Станция NOWHERE не указана в kelvaron.ini\n"},
        {{"window", "NOWHERE"},
         "en",
         "",
         2,
         "Error: Station NOWHERE is not listed in kelvaron.ini\n"},
        {{"window", "--bogus"}, "", "", 2, "kelvaron-batch: неизвестный параметр --bogus\n"},
        {{"window", "--bogus"}, "en", "", 2, "kelvaron-batch: unknown option --bogus\n"},
        {{"window", "--end", "x"},
         "en",
         "",
         2,
         "kelvaron-batch: --end \"x\" is none of \"hh:mm:ss"},
        // check reached through the parser: it looks for the data directory.
        {{"-q", "check"}, "en", "", 2, "no [DATA] DIR in "},
        {{"check", "-v"}, "", "", 2, "kelvaron-batch check: нет [DATA] DIR в "},
        {{"check", "-x"}, "en", "", 2, "unknown option -x\n"},
        {{"check", "--indexes"}, "en", "", 2, "unknown option --indexes for check\n"},
        {{"config", "-h"}, "", "", 0, "использование: kelvaron-batch config\n"},
        {{"config", "-h"}, "en", "", 0, "usage: kelvaron-batch config\n"},
        {{"config", "extra"}, "en", "", 2, "unexpected argument extra for config\n"},
        {{"catalogue", "-v", "init", "--fix"}, "en", "", 2, "unknown option --fix for catalogue"},
    };
    for (const Case& c : cases) {
        testing_support::TempDir work;
        work.Write("kelvaron.ini",
                   std::string("[KELVARON]\nLANG=") + c.ini + "\nNSTA=1\nSTA0=STA1\n");
        const cli_test::BatchResult result = cli_test::RunBatchProcess(
            work.path(), c.args,
            {std::string("KELVARON_LANG=") + c.environment, "TVX_INI=" + work.File("tvx.ini")});
        std::string shown;
        for (const std::string& a : c.args) shown += a + " ";
        shown += std::string("[") + c.environment + "/" + c.ini + "]";
        EXPECT_EQ(result.status, c.status) << shown << "\n" << result.errors;
        EXPECT_NE((result.output + result.errors).find(c.said), std::string::npos)
            << shown << "\n"
            << result.output << result.errors;
    }
}

}  // namespace
