#include "platform/kelvaron_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "platform/message_catalogue.h"
#include "platform/station_order.h"
#include "tests/support/temp_dir.h"

namespace {

using Strings = std::vector<std::string>;

TEST(StationOrder, LatinThenCyrillicAlphabeticallyWithoutRegardToCaseInEitherEncoding) {
    // UTF-8 unless marked: Ё right after Е; code page 1251 bytes sort by their letters.
    Strings names = {
        "\xD0\xAF\xD0\xA0",  // ЯР
        "\xD0\x81\xD0\x96",  // ЁЖ
        "zeta",
        "\xD0\xB6\xD0\xB0",  // жа
        "\xC5\xC0",          // ЕА in code page 1251
        "Alpha",
        "\xD0\x90\xD0\x91",  // АБ
        "beta",
        "\xE0\xE0",  // аа in code page 1251
    };
    platform::SortStations(names);
    EXPECT_EQ(names, (Strings{"Alpha", "beta", "zeta", "\xE0\xE0", "\xD0\x90\xD0\x91", "\xC5\xC0",
                              "\xD0\x81\xD0\x96", "\xD0\xB6\xD0\xB0", "\xD0\xAF\xD0\xA0"}));
    const struct {
        const char *a, *b;
        bool equal;
    } cases[] = {
        {"STA1", "sta1", true},
        {"\xD0\x9A\xD0\xA0\xD0\x92", "\xEA\xF0\xE2", true},  // КРВ, крв (1251)
        {"\xD0\x81", "\xD1\x91", true},                      // Ё, ё
        {"\xD0\x81", "\xD0\x95", false},                     // Ё, Е
        {"STA1", "STA1 ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::StationEquals(c.a, c.b), c.equal) << c.a;
}

TEST(KelvaronSettings, StationsSortedAndWindowRepaired) {
    testing_support::TempDir dir;
    const std::string ini =
        dir.Write("kelvaron.ini",
                  "[KELVARON]\r\nNSTA=4\r\nSTA0=zeta\r\nSTA1=\r\nSTA2=Alpha\r\nSTA3=beta\r\n"
                  "STA4=ignored\r\nTIME=12:30:00\r\nTIMEQTY=01:00:00\r\n");
    const platform::KelvaronSettings s = platform::ReadKelvaronSettings(ini);
    EXPECT_EQ(s.stations, (Strings{"Alpha", "beta", "zeta"}));
    EXPECT_EQ((std::vector<int>{s.start.year, s.start.month, s.start.day, s.start.hour,
                                s.start.minute, s.start.second}),
              (std::vector<int>{2000, 1, 1, 12, 30, 0}));
    EXPECT_EQ(s.duration, "000 01:00:00");

    const platform::KelvaronSettings none = platform::ReadKelvaronSettings(dir.File("missing"));
    EXPECT_TRUE(none.stations.empty());
    EXPECT_EQ(none.duration, "000 00:30:00");
    EXPECT_EQ(none.start.year, 2000);
}

// The station keys a run takes are the ones "STA%d" names for i < NSTA,
// whatever NSTA says; each name once.
TEST(KelvaronSettings, StationKeysBelowNstaEachNameOnce) {
    testing_support::TempDir dir;
    const struct {
        const char* keys;
        Strings stations, duplicates;
    } cases[] = {
        {"NSTA=99999999999999999999\r\nSTA0=KRV\r\nSTA7=ARU\r\n", {"ARU", "KRV"}, {}},
        {"NSTA=8\r\nsta7=ARU\r\nSTA07=OBN\r\nSTA+1=X\r\nSTA-1=Y\r\nSTA8=Z\r\n", {"ARU"}, {}},
        {"NSTA=3\r\nSTA0=KRV\r\nSTA1=KRV\r\nSTA2=krv\r\n", {"KRV"}, {"KRV", "krv"}},
        {"NSTA=2\r\nSTA1=OBN\r\nSTA1=ARU\r\n", {"OBN"}, {}},  // the first key answers
        {"NSTA=-5\r\nSTA0=KRV\r\n", {}, {}},
    };
    for (const auto& c : cases) {
        const platform::KelvaronSettings s = platform::ReadKelvaronSettings(
            dir.Write("kelvaron.ini", std::string("[KELVARON]\r\n") + c.keys));
        EXPECT_EQ(s.stations, c.stations) << c.keys;
        EXPECT_EQ(s.duplicates, c.duplicates) << c.keys;
    }
}

// A run finds each station's settings by name as kelvaron.ini's sections
// match: without regard to ASCII case, the first of equal names answering.
TEST(KelvaronSettings, ResolvedStationsAreFoundAsTheirSectionsAre) {
    platform::IniFile kelvaron("kelvaron.ini",
                               "[KELVARON]\r\nDIR=/common\r\n[sta1]\r\nDIR=/one\r\n"
                               "[Sta2]\r\nDIR=/two\r\nUSEGAIN=0\r\n");
    platform::IniFile tvx("tvx.ini", "");
    const platform::RunSettings resolved =
        platform::ResolveRunSettings(kelvaron, tvx, {"STA2", "Sta1", "STA1", "other"});
    const platform::RunSettings copied = resolved;  // a request carries a copy
    const struct {
        const char* asked;
        const char* name;  // nullptr: not found
        const char* dir;
    } cases[] = {
        {"sta2", "STA2", "/two"}, {"STA1", "Sta1", "/one"},
        {"sTa1", "Sta1", "/one"}, {"OTHER", "other", "/common"},
        {"STA3", nullptr, ""},    {"STA", nullptr, ""},
        {"", nullptr, ""},
    };
    for (const platform::RunSettings* settings : {&resolved, &copied}) {
        for (const auto& c : cases) {
            const platform::StationSettings* found = settings->Find(c.asked);
            ASSERT_EQ(found != nullptr, c.name != nullptr) << c.asked;
            if (!found) continue;
            EXPECT_EQ(found->name, c.name) << c.asked;
            EXPECT_EQ(found->sourceDir, c.dir) << c.asked;
            EXPECT_EQ(found->useGain, std::string(c.name) != "STA2") << c.asked;
        }
    }
}

TEST(KelvaronSettings, ADataDirectoryThatCannotTakeATreeIsAProblemThatNamesTvxIni) {
    testing_support::TempDir dir;
    const std::string ini = dir.File("tvx.ini");
    const std::string data = dir.File("data"), file = dir.Write("plain", "x");
    dir.Write("data/keep", "");
    const struct {
        std::string text;  // "": no tvx.ini
        std::string problem;
    } cases[] = {
        {"[DATA]\nDIR=" + data + "\n", ""},
        {"[DATA]\nDIR=" + data + "/\n", ""},
        {"[DATA]\nDIR=/\n", "Каталог данных '/' в файле " + ini + " - корень файловой системы"},
        {"[DATA]\nDIR=//\n", "Каталог данных '//' в файле " + ini + " - корень файловой системы"},
        {"[DATA]\nDIR=data\n",
         "Каталог данных 'data' в файле " + ini + " задан не абсолютным путём"},
        {"[DATA]\nDIR=" + data + "/none\n",
         "Каталог данных '" + data + "/none' из файла " + ini + " не существует"},
        {"[DATA]\nDIR=" + file + "\n",
         "Каталог данных '" + file + "' из файла " + ini + " не является каталогом"},
    };
    for (const auto& c : cases) {
        dir.Write("tvx.ini", c.text);
        EXPECT_EQ(platform::DataDirectoryProblem(ini), c.problem) << c.text;
    }
}

TEST(KelvaronSettings, AnEmptyDataDirectoryIsAProblemThatNamesTvxIni) {
    testing_support::TempDir dir;
    const struct {
        const char* text;  // nullptr: no tvx.ini
        std::string problem;
    } cases[] = {
        {"[DATA]\nDIR=\n",
         "В файле " + dir.File("tvx.ini") + " не задан каталог данных ([DATA] DIR)"},
        {"[DATABASE]\nODBC=TVX\n",
         "В файле " + dir.File("tvx.ini") + " не задан каталог данных ([DATA] DIR)"},
        {nullptr, "Не найден файл " + dir.File("tvx.ini") + ": каталог данных не задан"},
    };
    for (const auto& c : cases) {
        std::remove(dir.File("tvx.ini").c_str());
        if (c.text) dir.Write("tvx.ini", c.text);
        EXPECT_EQ(platform::DataDirectoryProblem(dir.File("tvx.ini")), c.problem)
            << (c.text ? c.text : "none");
    }
}

// A tvx.ini that is there but cannot be read must not pass for a missing
// one: its defaults would then be used without a word.
TEST(SettingsFiles, AnUnreadableFileIsNamedWithTheSystemsReasonAMissingOneOnlyWhenNamed) {
    testing_support::TempDir dir;
    const std::string readable = dir.Write("tvx.ini", "[DATA]\nDIR=/srv\n");
    const std::string folder = dir.File("folder.ini");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    struct Case {
        std::string path;
        bool mustExist;
        const char* said;  // "" for no problem
        const char* english;
    };
    const Case cases[] = {
        {readable, true, "", ""},
        {dir.File("missing.ini"), false, "", ""},
        {dir.File("missing.ini"), true, ": нет такого файла или каталога",
         ": no such file or directory"},
        {folder, false, ": это каталог", ": is a directory"},
        {readable + "/tvx.ini", false, ": не является каталогом", ": not a directory"},
    };
    for (const Case& c : cases) {
        const std::string problem = platform::SettingsFileProblem(c.path, c.mustExist);
        if (*c.said == 0) {
            EXPECT_EQ(problem, "") << c.path;
        } else {
            EXPECT_EQ(problem, "Не удаётся прочитать файл " + c.path + c.said) << c.path;
            EXPECT_EQ(platform::TranslateMessage(problem, platform::InterfaceLanguage::English),
                      "File " + c.path + " cannot be read" + c.english);
        }
    }
}

// The data centre's case: /etc/tvx.ini root:kelvaron 0640 read by a user
// outside the group. Under root the check runs in a child that gives up root.
TEST(SettingsFiles, APermissionDeniedIsSaidSoAlsoWhereTheDataDirectoryIsAsked) {
    testing_support::TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string tvxIni = dir.Write("tvx.ini", "[DATA]\nDIR=/srv\n");
    ASSERT_EQ(::chmod(tvxIni.c_str(), 0600), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        const std::string expected = "Не удаётся прочитать файл " + tvxIni + ": нет доступа";
        const bool said = platform::SettingsFileProblem(tvxIni, false) == expected &&
                          platform::DataDirectoryProblem(tvxIni) == expected;
        ::_exit(said ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(platform::DataDirectoryProblem(dir.File("none.ini")),
              "Не найден файл " + dir.File("none.ini") + ": каталог данных не задан");
}

}  // namespace
