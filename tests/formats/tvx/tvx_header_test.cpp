#include "formats/tvx/tvx_header.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "archive/trace_writer.h"

namespace {

const double kStart = 1196346645.5;  // 2007-11-29 14:30:45.5

std::string HeaderOf(const std::string& station, const std::string& channel, double start,
                     double duration, double rate) {
    char block[kTraceHeaderSize];
    BuildTraceHeader(block, station, channel, start, duration, rate);
    return std::string(block, sizeof block);
}

// The text up to the zero byte.
std::string TextOf(const std::string& header) { return header.substr(0, header.find('\0')); }

TEST(TraceHeader, IsTenLinesThenAZeroByteThenSpacesTo511) {
    const std::string header = HeaderOf("STA1", "SHZ", kStart, 60.0, 100.0);
    const std::string text =
        "[TVX4.0]\r\n"
        "Data offset=512\r\n"
        "Start time=14 30 45\r\n"
        "Start date=29 11 2007\r\n"
        "Time duration=00 01 00\r\n"
        "Data Type=SHORT\r\n"
        "SpS=100.000000\r\n"
        "Gain=1\r\n"
        "Station=STA1\r\n"
        "Channel=SHZ\r\n";
    const std::string expected = text + '\0' + std::string(511 - text.size(), ' ');
    ASSERT_EQ(header.size(), 512u);
    EXPECT_EQ(header, expected);
}

TEST(TraceHeader, FixedTextIs146CharactersAroundRateStationAndChannel) {
    const std::string text = TextOf(HeaderOf("ABCDEFG", "BHN", 0.0, 0.0, 20.0));
    EXPECT_EQ(text.size(), 146u + std::strlen("20.000000") + 7 + 3);
}

TEST(TraceHeader, DurationLineShowsOnlyTheTimeWithinADay) {
    const struct {
        double duration;
        const char* line;
    } cases[] = {
        {0.0, "Time duration=00 00 00\r\n"},
        {59.99999999994, "Time duration=00 01 00\r\n"},
        {3599.9, "Time duration=00 59 59\r\n"},
        {90000.0, "Time duration=01 00 00\r\n"},
        {86400.0 * 3 + 7384.0, "Time duration=02 03 04\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_NE(TextOf(HeaderOf("S", "C", kStart, c.duration, 1.0)).find(c.line),
                  std::string::npos)
            << c.duration;
}

TEST(TraceHeader, RateIsPrintedWithSixDecimalsAndStartSecondsTruncated) {
    const std::string text = TextOf(HeaderOf("S", "C", 59.999, 1.0, 100.0000000001));
    EXPECT_NE(text.find("\r\nSpS=100.000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nStart time=00 00 59\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nStart date=01 01 1970\r\n"), std::string::npos);
}

TEST(TraceHeader, OverlongNamesAreCutAtTheBlockEnd) {
    struct {
        char before[8];
        char block[kTraceHeaderSize];
        char after[8];
    } guarded;
    std::memset(&guarded, 'G', sizeof guarded);
    BuildTraceHeader(guarded.block, std::string(400, 's'), std::string(400, 'c'), kStart, 1.0, 1.0);
    EXPECT_EQ(guarded.block[511], '\0');
    EXPECT_EQ(std::string(guarded.before, 8), std::string(8, 'G'));
    EXPECT_EQ(std::string(guarded.after, 8), std::string(8, 'G'));
}

}  // namespace
