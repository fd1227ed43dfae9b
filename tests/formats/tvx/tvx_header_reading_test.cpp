#include "formats/tvx/tvx_header_reading.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/tvx/tvx_header.h"

namespace {

using engine::ParseTraceHeader;

constexpr double k143045 = 1196346645.5;  // 29.11.2007 14:30:45.5

std::string Header(double duration = 4.0, double rate = 100.0000000001) {
    char block[kTraceHeaderSize];
    BuildTraceHeader(block, "STA1", "SHZ", k143045, duration, rate);
    return std::string(block, sizeof block);
}

TEST(TraceHeaderReading, ReadsBackWhatTheWriterWrote) {
    const std::string header = Header(90061.0);
    const auto h = ParseTraceHeader(header.data(), header.size());
    ASSERT_TRUE(h);
    EXPECT_EQ(h->station, "STA1");
    EXPECT_EQ(h->channel, "SHZ");
    EXPECT_EQ(h->rateText, "100.000000");
    EXPECT_EQ((std::vector<int>{h->start.year, h->start.month, h->start.day, h->start.hour,
                                h->start.minute, h->start.second}),
              (std::vector<int>{2007, 11, 29, 14, 30, 45}));
    EXPECT_EQ((std::vector<int>{h->durationHour, h->durationMinute, h->durationSecond}),
              (std::vector<int>{1, 1, 1}));
}

TEST(TraceHeaderReading, RefusesEveryOtherShape) {
    const std::string good = Header();
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string h = good;
        h.replace(h.find(from), from.size(), to);
        return h.substr(0, kTraceHeaderSize) +
               std::string(kTraceHeaderSize - std::min<std::size_t>(h.size(), kTraceHeaderSize),
                           ' ');
    };
    std::string noNul = good;
    noNul[noNul.find('\0')] = ' ';
    std::string paddedWithDot = good;
    paddedWithDot[511] = '.';
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"another version", replaced("[TVX4.0]", "[TVX3.0]")},
        {"LF only", replaced("Gain=1\r\n", "Gain=1\n")},
        {"another offset", replaced("Data offset=512", "Data offset=511")},
        {"one-digit hour", replaced("Start time=14 30 45", "Start time=14 30 5")},
        {"two-digit year", replaced("Start date=29 11 2007", "Start date=29 11 07")},
        {"letters in the duration", replaced("Time duration=00 00 04", "Time duration=00 00 4x")},
        {"another sample type", replaced("Data Type=SHORT", "Data Type=LONG")},
        {"rate without six decimals", replaced("SpS=100.000000", "SpS=100.00000")},
        {"another gain", replaced("Gain=1", "Gain=2")},
        {"lines swapped", replaced("Station=STA1\r\nChannel=SHZ", "Channel=SHZ\r\nStation=STA1")},
        {"a line more", replaced("Channel=SHZ\r\n", "Channel=SHZ\r\nX=1\r\n")},
        {"no zero byte", noNul},
        {"padding not blank", paddedWithDot},
        {"short of 512 bytes", good.substr(0, 511)},
    };
    ASSERT_TRUE(ParseTraceHeader(good.data(), good.size()));
    for (const auto& c : cases)
        EXPECT_FALSE(ParseTraceHeader(c.bytes.data(), c.bytes.size())) << c.what;
}

}  // namespace
