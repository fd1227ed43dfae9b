#include "platform/ini_index.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ini_syntax.h"

namespace {

using platform::IniIndex;
using Answer = IniIndex::Answer;

// The lookups a prefix of a header can decide, and those it must leave to
// the rest of the text.
TEST(IniIndex, APrefixAnswersOnlyWhatItCanDecide) {
    const std::string text =
        "[SYSTEM]\nNAME=STA1\n[FILE]\nDATE_INT=29.11.2007\nTIME_INT=14:30\n[STREAM0]\nN_CH=3";
    const std::size_t afterFile = text.find("[STREAM0]");
    const struct {
        std::size_t prefix;
        bool complete;
        const char *section, *key;
        Answer answer;
        const char* value;
    } cases[] = {
        {afterFile, false, "system", "name", Answer::Found, "STA1"},
        {afterFile, false, "SYSTEM", "DATA_SEC", Answer::Missing, ""},     // body ended by [FILE]
        {afterFile, false, "FILE", "DATA_SEC", Answer::NeedMore, ""},      // body still open
        {afterFile, false, "STREAM0", "N_CH", Answer::NeedMore, ""},       // section not yet seen
        {afterFile - 3, false, "FILE", "TIME_INT", Answer::NeedMore, ""},  // its line is not whole
        {text.size(), false, "STREAM0", "N_CH", Answer::NeedMore, ""},     // last line may go on
        {text.size(), true, "STREAM0", "N_CH", Answer::Found, "3"},
        {text.size(), true, "FILE", "DATA_SEC", Answer::Missing, ""},
        {text.size(), true, "GROUP1", "CH#", Answer::Missing, ""},
    };
    for (const auto& c : cases) {
        IniIndex index;
        // Given in two steps, as a file read in pieces is.
        index.Extend(std::string_view(text).substr(0, c.prefix / 2), false);
        const std::string_view known = std::string_view(text).substr(0, c.prefix);
        index.Extend(known, c.complete);
        std::string_view value;
        EXPECT_EQ(index.Find(known, c.section, c.key, value), c.answer)
            << c.prefix << " " << c.section << "/" << c.key;
        if (c.answer == Answer::Found) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(IniIndex, FirstSectionAndFirstKeyWinAcrossManySections) {
    // Many sections and keys, as binary data after a header makes them: each
    // name stays answered by its first occurrence.
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "[S" + std::to_string(i % 700) + "]\nk" + std::to_string(i % 3) + "=" +
                std::to_string(i) + "\nK" + std::to_string(i % 3) + "=late\n";
    IniIndex index;
    index.Extend(text, true);
    for (int s = 0; s < 700; ++s) {
        std::string_view value;
        const std::string section = "s" + std::to_string(s);
        ASSERT_EQ(index.Find(text, section, "K" + std::to_string(s % 3), value), Answer::Found);
        EXPECT_EQ(value, std::to_string(s)) << section;
        // Keys of a repeated section belong to no section.
        EXPECT_EQ(index.Find(text, section, "K" + std::to_string((s + 1) % 3), value),
                  Answer::Missing)
            << section;
    }
}

TEST(IniIndex, LongNamesThatShareTheirStartStayApart) {
    const std::string stem(100, 'n');
    const std::string text = "[S]\n" + stem + "1=one\n" + stem + "2=two\n" + stem + "=none\n" +
                             stem + "11=eleven\n[" + stem + "]\n" + stem + "1=other section\n[" +
                             stem + "A]\nk=a\n[" + stem + "B]\nk=b\n[" + stem + "a]\nk=repeated\n";
    IniIndex index;
    index.Extend(text, true);
    const struct {
        std::string section, key;
        const char* value;  // nullptr: missing
    } cases[] = {
        {"S", stem + "1", "one"},
        {"S", stem + "2", "two"},
        {"s", stem, "none"},
        {"S", stem + "11", "eleven"},
        {"S", stem + "3", nullptr},
        {"S", stem.substr(1) + "1", nullptr},
        {stem, stem + "1", "other section"},
        // Section names of one length and start, told apart by their ends.
        {stem + "a", "K", "a"},
        {stem + "B", "k", "b"},
        {stem + "C", "k", nullptr},
    };
    for (const auto& c : cases) {
        std::string_view value;
        const Answer answer = index.Find(text, c.section, c.key, value);
        EXPECT_EQ(answer, c.value ? Answer::Found : Answer::Missing) << c.key.size();
        if (c.value) {
            EXPECT_EQ(value, c.value) << c.key.size();
        }
    }
}

}  // namespace

namespace {

// What a lookup in the whole text answers, the plain way: line by line, the
// first section of the name, the first key of the name in it.
std::optional<std::string> PlainLookup(const std::string& text, const std::string& section,
                                       const std::string& key) {
    bool seen = false, inBody = false;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t nl = text.find('\n', begin);
        const std::size_t end = nl == std::string::npos ? text.size() : nl;
        const platform::IniLine line = platform::ParseIniLine(
            std::string_view(text).substr(begin, std::min(end - begin, IniIndex::kMaxKeptLine)));
        if (line.kind == platform::IniLine::Kind::Section) {
            if (inBody) return std::nullopt;
            inBody = !seen && platform::EqualsNoCase(line.name, section);
            seen = seen || inBody;
        } else if (inBody && line.kind == platform::IniLine::Kind::Key &&
                   platform::EqualsNoCase(line.name, key)) {
            return std::string(line.value);
        }
        if (nl == std::string::npos) break;
        begin = nl + 1;
    }
    return std::nullopt;
}

}  // namespace

// Key lines are indexed only when a lookup asks for their section, and only as
// far as it needs: lookups in any order, between growing prefixes, answer as
// the whole text does, or say they need more.
TEST(IniIndex, LookupsBetweenGrowingPrefixesAnswerAsTheWholeText) {
    const std::string text =
        "k=before any section\n[A]\nx=1\n  [B]  \nx=2\ny=3\nx=4\n[a]\nx=repeated\nz=5\n"
        "[C]\n\x01\x02=bin\n\xff[not a section\n y = 6 \n[D]\nZ=7\nz=8\n[E]\nlast=9";
    const char* const lookups[][2] = {{"A", "x"}, {"B", "x"}, {"b", "Y"}, {"a", "z"},
                                      {"C", "y"}, {"C", "z"}, {"D", "z"}, {"E", "last"},
                                      {"E", "x"}, {"F", "x"}, {"", "k"},  {"C", "\x01\x02"}};
    for (const std::size_t step : {1, 5, 13, 1000}) {
        IniIndex index;
        for (std::size_t known = 0;; known = std::min(known + step, text.size())) {
            const bool complete = known == text.size();
            const std::string_view prefix = std::string_view(text).substr(0, known);
            index.Extend(prefix, complete);
            // A different order each time, so that sections are read in turn.
            for (std::size_t i = 0; i < std::size(lookups); ++i) {
                const auto& [section, key] = lookups[(i * 7 + known) % std::size(lookups)];
                const std::optional<std::string> whole = PlainLookup(text, section, key);
                std::string_view value;
                const Answer answer = index.Find(prefix, section, key, value);
                if (answer == Answer::NeedMore && !complete) continue;
                ASSERT_EQ(answer, whole ? Answer::Found : Answer::Missing)
                    << "step " << step << " at " << known << ": " << section << "/" << key;
                if (whole) {
                    EXPECT_EQ(value, *whole) << section << "/" << key;
                }
            }
            if (complete) break;
        }
        std::vector<std::string> keys;
        for (const IniIndex::KeyValue& kv : index.Keys(text, "b"))
            keys.push_back(std::string(kv.key) + "=" + std::string(kv.value));
        EXPECT_EQ(keys, (std::vector<std::string>{"x=2", "y=3"})) << step;
    }
}

// A data block after the header is read as lines too: a section line inside
// it counts wherever it stands, behind any blanks, and nothing else there
// does. Binary bytes full of line breaks and brackets, with such lines among
// them, answer as the plain reading of the whole text.
TEST(IniIndex, SectionLinesInsideBinaryDataAnswerAsTheWholeText) {
    std::string text = "[HEADER]\nOFFSET_TO_DATA=40\n[DATA]\nK=head\n";
    std::uint32_t state = 12345;
    const auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    const std::vector<std::string> lines = {
        "\n[G1]\nK=one\n",   "\n  [G2] \nK=two\n", "\n\t[G3]\nK=three", "\n\r[G4]\r\nK=four\n",
        "\n\v[G5]\nK=five",  "\n\f[G6]\nK=six",    "x[G7]\nK=seven\n",  "\n [ G8 ]x\nK=eight\n",
        "\n[G1]\nK=again\n", "\n\n[G9]\n",         "\nK=late\n"};
    for (const std::string& line : lines) {
        for (int i = 0; i < 20000; ++i) {
            // Line breaks, brackets and blanks among other bytes, so that
            // every case of what may follow a line break comes up.
            static const char kMarks[] = "\n\n\n[ \t\r\v\f]=";
            const std::uint32_t r = next();
            text += r % 8 == 0 ? kMarks[(r >> 3) % (sizeof kMarks - 1)] : static_cast<char>(r >> 8);
        }
        // The line before each one is passed over as binary.
        text += "\nzz";
        text += line;
    }
    const char* const sections[] = {"HEADER", "DATA", "G1", "G2", "G3", "G4", "G5",
                                    "G6",     "G7",   "G8", "G9", "[",  ""};
    for (const std::size_t step : {std::size_t{1} << 10, std::size_t{65521}, text.size()}) {
        IniIndex index;
        for (std::size_t known = 0;; known = std::min(known + step, text.size())) {
            const bool complete = known == text.size();
            const std::string_view prefix = std::string_view(text).substr(0, known);
            index.Extend(prefix, complete);
            for (const char* section : sections) {
                for (const char* key : {"K", "OFFSET_TO_DATA"}) {
                    std::string_view value;
                    const Answer answer = index.Find(prefix, section, key, value);
                    if (answer == Answer::NeedMore && !complete) continue;
                    const std::optional<std::string> whole = PlainLookup(text, section, key);
                    ASSERT_EQ(answer, whole ? Answer::Found : Answer::Missing)
                        << "step " << step << " at " << known << ": " << section << "/" << key;
                    if (whole) {
                        EXPECT_EQ(value, *whole) << section << "/" << key;
                    }
                }
            }
            if (complete) break;
        }
    }
}
