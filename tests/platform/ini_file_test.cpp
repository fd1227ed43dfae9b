#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>

#include "tests/support/temp_dir.h"

using platform::IniFile;
using testing_support::TempDir;
using namespace std::string_literals;

namespace {

const char kSettings[] =
    "; comment line\r\n"
    "[Kelvaron]\r\n"
    "  nsta = 3 \r\n"
    "STA0=ALPHA\r\n"
    "sta0=SHADOWED\r\n"
    "Empty=\r\n"
    "Spaced =  two words  \r\n"
    "\r\n"
    "[Other]\r\n"
    "OnlyHere=x\r\n"
    "[KELVARON]\r\n"
    "LATE=second section is never consulted\r\n";

TEST(IniFileLookup, FollowsTheConventions) {
    TempDir dir;
    IniFile ini(dir.Write("k.ini", kSettings));
    struct Case {
        const char *section, *key, *expected;
    } cases[] = {
        {"KELVARON", "NSTA", "3"},              // names match without regard to case
        {"kelvaron", "Sta0", "ALPHA"},          // the first matching key answers
        {"KELVARON", "Empty", ""},              // present but empty is not the default
        {"KELVARON", "Spaced", "two words"},    // surrounding blanks removed, inner kept
        {"KELVARON", "OnlyHere", "<default>"},  // keys of other sections do not leak
        {"KELVARON", "LATE", "<default>"},      // only the first matching section answers
        {"Other", "onlyhere", "x"},
        {"Missing", "NSTA", "<default>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.GetString(c.section, c.key, "<default>", 63), c.expected)
            << c.section << "/" << c.key;
}

TEST(IniFileLookup, CutsLongValuesAndReadsIntegersLikeAtoi) {
    TempDir dir;
    IniFile ini(dir.Write("k.ini",
                          "[S]\nLong=0123456789abcdef\nNum=  -42xyz\nWord=abc\nBig=99999999999\n"));
    EXPECT_EQ(ini.GetString("S", "Long", "", 10), "0123456789");
    EXPECT_EQ(ini.GetString("S", "Long", "", 0), "");
    EXPECT_EQ(ini.GetString("S", "Nope", "defaultistoolong", 7), "default");
    EXPECT_EQ(ini.GetInt("S", "Num", 7), -42);
    EXPECT_EQ(ini.GetInt("S", "Word", 7), 0);
    EXPECT_EQ(ini.GetInt("S", "Nope", 7), 7);
    EXPECT_EQ(ini.GetInt("S", "Big", 7), 2147483647);
}

TEST(IniFileLookup, MissingFileGivesDefaults) {
    TempDir dir;
    IniFile ini(dir.File("absent.ini"));
    EXPECT_EQ(ini.GetString("A", "B", "dflt", 31), "dflt");
    EXPECT_EQ(ini.GetInt("A", "B", 5), 5);
    EXPECT_EQ(platform::ReadIniString(dir.File("absent.ini"), "A", "B", "x", 31), "x");
}

// A recorder file: a header, then megabytes of binary samples.
std::string RecorderLike(std::size_t dataBytes) {
    std::string text = "[SYSTEM]\nNAME=STA1\n[FILE]\nDATE_INT=29.11.2007\nTIME_INT=14:30:45.5\n";
    std::string data(dataBytes, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 7919) >> 3);
    return text + "[HEADER]\nOFFSET_TO_DATA=123\n" + data + "\n[TAIL]\nK=after binary\n";
}

TEST(IniFileLookup, IsBinarySafeAndStopsReadingOnceAnswered) {
    TempDir dir;
    const std::size_t kData = 4 << 20;
    IniFile ini(dir.Write("rec.dat", RecorderLike(kData)));
    EXPECT_EQ(ini.GetString("SYSTEM", "NAME", "", 31), "STA1");
    EXPECT_EQ(ini.GetString("file", "time_int", "", 31), "14:30:45.5");
    EXPECT_EQ(ini.GetString("FILE", "DATE_INT", "", 31), "29.11.2007");
    std::uint64_t afterHeader = ini.bytesRead();
    EXPECT_LE(afterHeader, 64u * 1024);
    // Later lookups in the same header are answered without reading again.
    EXPECT_EQ(ini.GetInt("HEADER", "OFFSET_TO_DATA", 0), 123);
    EXPECT_EQ(ini.GetString("SYSTEM", "NAME", "", 31), "STA1");
    EXPECT_EQ(ini.bytesRead(), afterHeader);
    // A section behind the binary block is still found (the whole file is INI).
    EXPECT_EQ(ini.GetString("TAIL", "K", "", 63), "after binary");
    EXPECT_EQ(ini.GetString("NOWHERE", "K", "d", 63), "d");
    EXPECT_GE(ini.bytesRead(), kData);
}

// Header, filler past the kept bytes, then sections that only a look
// beyond them can answer, with every rule the index follows.
std::string StraddlingTheBound(std::size_t bound, std::size_t filler) {
    std::string text = "[SYSTEM]\nNAME=STA1\n[OPEN]\nNEAR=1\n";
    for (std::size_t i = 0; text.size() < filler; ++i) {
        text += "F" + std::to_string(i) + "=\x01\x02\r\n";
        if (text.size() + 10 > bound && text.size() < bound) text += "Across = the bound\n";
    }
    text += "Deep =  far value \r\n";
    text +=
        "[SYSTEM]\nLATE=repeated section\n[tail]\nK= after \0binary\nk=second\n[TAIL]\nOTHER=x\n"s;
    text += "[LONG]\nK=" + std::string(70 * 1024, 'v') + "\n[END]\nLAST=no break";
    return text;
}

TEST(IniFileBounded, AnswersBeyondTheKeptBytesAsTheWholeIndexDoes) {
    TempDir dir;
    const std::size_t kBound = 16 * 1024;
    const std::string text = StraddlingTheBound(kBound, 100 * 1024);
    const std::string path = dir.Write("big.dat", text);
    const struct {
        const char* section;
        const char* key;
    } lookups[] = {{"OPEN", "deep"},  {"SYSTEM", "NAME"}, {"system", "LATE"}, {"TAIL", "K"},
                   {"TAIL", "OTHER"}, {"LONG", "K"},      {"END", "NOKEY"},   {"END", "LAST"},
                   {"NOWHERE", "K"},  {"NOWHERE", "J"},   {"OPEN", "NEAR"},   {"OPEN", "absent"},
                   {"TAIL", "K"},     {"open", "ACROSS"}};
    IniFile whole("big.dat", text);
    IniFile bounded(path, kBound);
    for (const auto& l : lookups)
        EXPECT_EQ(bounded.GetString(l.section, l.key, "<d>", 1 << 20),
                  whole.GetString(l.section, l.key, "<d>", 1 << 20))
            << l.section << "/" << l.key;
    EXPECT_LE(bounded.peakKeptBytes(), 256u * 1024);
}

TEST(IniFileBounded, AMissingKeyInAHugeFileKeepsMemoryBounded) {
    TempDir dir;
    const std::string path = dir.Write("archive.bin", "[SYSTEM]\nKIND=archive\n");
    const std::uint64_t kSize = 64ull << 20;
    {
        std::ofstream tail(path, std::ios::binary | std::ios::in | std::ios::out);
        tail.seekp(static_cast<std::streamoff>(kSize));
        tail << "\n[FILE]\nDATE_INT=29.11.2007\n";
    }
    IniFile file(path, 1 << 20);
    EXPECT_EQ(file.GetString("SYSTEM", "NAME", "none", 31), "none");
    // One pass over the file, the kept bytes not read twice.
    EXPECT_GE(file.bytesRead(), kSize);
    EXPECT_LE(file.bytesRead(), kSize + 64 * 1024);
    EXPECT_EQ(file.GetString("FILE", "DATE_INT", "", 31), "29.11.2007");
    EXPECT_EQ(file.GetString("FILE", "TIME_INT", "none", 31), "none");
    // That pass went to the end and met every section there: a section it
    // did not meet (a header without GROUP sections) costs no further pass.
    const std::uint64_t afterPasses = file.bytesRead();
    EXPECT_EQ(file.GetString("NOWHERE", "DATA_SEC", "none", 31), "none");
    for (int g = 1; g <= 6; ++g)
        EXPECT_EQ(file.GetString("GROUP" + std::to_string(g), "CH#", "none", 127), "none");
    EXPECT_EQ(file.bytesRead(), afterPasses);
    EXPECT_GE(file.bytesRead(), kSize);
    EXPECT_LE(file.peakKeptBytes(), (1u << 20) + 256u * 1024);
}

TEST(IniFileContents, ReadsWhatTheLookupsLeftSoEachByteIsReadOnce) {
    TempDir dir;
    const std::string bytes = RecorderLike(4 << 20);
    for (bool fromMemory : {false, true}) {
        IniFile file =
            fromMemory ? IniFile("rec.dat", bytes) : IniFile(dir.Write("rec.dat", bytes));
        EXPECT_EQ(file.GetString("HEADER", "OFFSET_TO_DATA", "", 63), "123");
        const std::optional<std::string_view> contents = file.Contents();
        ASSERT_TRUE(contents);
        EXPECT_TRUE(*contents == bytes) << fromMemory;
        EXPECT_EQ(file.bytesRead(), fromMemory ? 0u : bytes.size());
        // The index then answers from the same bytes, without reading again.
        EXPECT_EQ(file.GetString("TAIL", "K", "", 63), "after binary");
        EXPECT_EQ(file.GetString("NOWHERE", "K", "d", 63), "d");
        EXPECT_EQ(file.bytesRead(), fromMemory ? 0u : bytes.size());
    }
}

// A file read after a larger one on the same thread may be read into the
// buffer that one left: nothing of the earlier file may show through, not a
// section beyond the later file's end, nor in the bytes a file that shrank
// after it was opened no longer holds.
TEST(IniFileContents, AFileReadAfterALargerOneSeesOnlyItsOwnBytes) {
    TempDir dir;
    const std::string large = RecorderLike(3 << 20) + "\n[LATER]\nK=from the larger file\n";
    const std::string small = RecorderLike(2 << 20);
    for (bool shrinks : {false, true}) {
        {
            IniFile earlier(dir.Write("large.dat", large));
            ASSERT_EQ(earlier.GetString("LATER", "K", "", 63), "from the larger file");
        }
        const std::string path = dir.Write("small.dat", small);
        IniFile later(path);
        ASSERT_EQ(later.GetString("HEADER", "OFFSET_TO_DATA", "", 63), "123");
        if (shrinks) {
            ASSERT_EQ(::truncate(path.c_str(), 1 << 20), 0);
        }
        const std::optional<std::string_view> contents = later.Contents();
        ASSERT_TRUE(contents);
        ASSERT_EQ(contents->size(), small.size());
        const std::size_t kept = shrinks ? 1 << 20 : small.size();
        EXPECT_TRUE(contents->substr(0, kept) == std::string_view(small).substr(0, kept));
        EXPECT_EQ(contents->find_first_not_of('\0', kept), std::string_view::npos) << shrinks;
        EXPECT_EQ(later.GetString("LATER", "K", "none", 63), "none") << shrinks;
    }
}

TEST(IniFileContents, AStopRequestEndsTheReadBetweenPieces) {
    TempDir dir;
    const std::string path = dir.Write("rec.dat", RecorderLike(40 << 20));
    IniFile file(path);
    int asked = 0;
    EXPECT_FALSE(file.Contents([&] { return ++asked > 1; }));
    EXPECT_EQ(asked, 2);
    EXPECT_GT(file.bytesRead(), 0u);
    EXPECT_LT(file.bytesRead(), 20u << 20);
}

TEST(IniFileSource, OnlyARegularFileIsRead) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        IniFile::Source source;
    } cases[] = {
        {dir.Write("k.ini", "[A]\nB=x\n"), IniFile::Source::Readable},
        {fifo, IniFile::Source::NotARegularFile},  // no writer: opening must not wait for one
        {"/dev/zero", IniFile::Source::NotARegularFile},
        {dir.path(), IniFile::Source::NotARegularFile},
        {dir.File("absent"), IniFile::Source::Unopenable},
    };
    for (const auto& c : cases) {
        IniFile file(c.path);
        EXPECT_EQ(file.source(), c.source) << c.path;
        const bool readable = c.source == IniFile::Source::Readable;
        EXPECT_EQ(file.GetString("A", "B", "d", 31), readable ? "x" : "d") << c.path;
        EXPECT_EQ(file.Contents().has_value(), readable) << c.path;
        EXPECT_EQ(file.bytesRead(), readable ? 8u : 0u) << c.path;
    }
}

TEST(IniFileLookup, LastLineWithoutBreakAndKeyLinesWithoutEquals) {
    TempDir dir;
    IniFile ini(dir.Write("k.ini", "[A]\nnot a key line\nX\n=nameless\nK=last"));
    EXPECT_EQ(ini.GetString("A", "K", "", 31), "last");
    EXPECT_EQ(ini.GetString("A", "X", "d", 31), "d");
}

TEST(AtoiLike, MatchesTheCRuntime) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"", 0},
                 {"12", 12},
                 {"  +7", 7},
                 {"-0", 0},
                 {"12abc", 12},
                 {"abc12", 0},
                 {" \t-3 4", -3},
                 {"- 5", 0},
                 {"-2147483648", -2147483647 - 1},
                 {"-99999999999", -2147483647 - 1}};
    for (const Case& c : cases) EXPECT_EQ(platform::AtoiLike(c.text), c.value) << c.text;
}

TEST(IniPaths, TvxIniFollowsTheEnvironment) {
    ::setenv("TVX_INI", "/some/where/tvx.ini", 1);
    EXPECT_EQ(platform::TvxIniPath(), "/some/where/tvx.ini");
    ::unsetenv("TVX_INI");
    EXPECT_EQ(platform::TvxIniPath(), "/etc/tvx.ini");
    EXPECT_EQ(platform::KelvaronIniPath(), "./kelvaron.ini");
}

TEST(IniPaths, KelvaronIniFromTheOptionElseTheEnvironmentElseTheWorkingDirectory) {
    struct Case {
        std::optional<std::string> option;
        const char* environment;
        const char* chosen;
    };
    const Case cases[] = {
        {std::nullopt, nullptr, "./kelvaron.ini"},
        {std::nullopt, "", "./kelvaron.ini"},
        {std::nullopt, "/etc/kelvaron/kelvaron.ini", "/etc/kelvaron/kelvaron.ini"},
        {"station.ini", "/etc/kelvaron/kelvaron.ini", "station.ini"},
        {"/srv/a.ini", nullptr, "/srv/a.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::ChooseKelvaronIni(c.option, c.environment), c.chosen)
            << c.option.value_or("-") << " " << (c.environment ? c.environment : "-");
}

}  // namespace
