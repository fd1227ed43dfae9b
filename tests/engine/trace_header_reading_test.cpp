#include "engine/trace_header_reading.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/trace_file_check.h"
#include "engine/trace_writer.h"

namespace {

using engine::CheckProblemKind;
using engine::JudgeTraceFile;
using engine::ParseTraceHeader;

constexpr double k143045 = 1196346645.5;  // 29.11.2007 14:30:45.5
const std::string kPath = "STA1/1429112007/143045-29112007.SHZ";

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

TEST(TraceFileJudgement, OneProblemPerFileOfTheRightKind) {
    const catalog::FileListRow row{"STA1", k143045, 4.0, "SHZ", 100.0000000001, kPath};
    auto with = [&](auto change) {
        catalog::FileListRow r = row;
        change(r);
        return r;
    };
    const struct {
        const char* what;
        std::string relative;
        std::string header;
        std::uint64_t size;
        std::optional<catalog::FileListRow> row;
        std::optional<CheckProblemKind> expected;
    } cases[] = {
        {"agrees", kPath, Header(), 512 + 800, row, std::nullopt},
        {"no row", kPath, Header(), 512 + 800, std::nullopt, CheckProblemKind::NoRow},
        {"cut to half", kPath, Header(), 512 + 400, row, CheckProblemKind::BadSize},
        {"odd size", kPath, Header(), 512 + 801, row, CheckProblemKind::BadSize},
        {"shorter than a header", kPath, Header(), 100, row, CheckProblemKind::BadHeader},
        {"other name", "STA1/1429112007/143046-29112007.SHZ", Header(), 512 + 800, row,
         CheckProblemKind::BadName},
        {"TQTY", kPath, Header(), 512 + 800, with([](auto& r) { r.duration = 3.0; }),
         CheckProblemKind::RowDisagrees},
        {"STA", kPath, Header(), 512 + 800, with([](auto& r) { r.station = "STA2"; }),
         CheckProblemKind::RowDisagrees},
        {"CH", kPath, Header(), 512 + 800, with([](auto& r) { r.channel = "SHN"; }),
         CheckProblemKind::RowDisagrees},
        {"TBEGIN's second", kPath, Header(), 512 + 800, with([](auto& r) { r.start += 1; }),
         CheckProblemKind::RowDisagrees},
        {"TBEGIN's date", kPath, Header(), 512 + 800, with([](auto& r) { r.start += 86400; }),
         CheckProblemKind::RowDisagrees},
        {"SPS as printed", kPath, Header(), 512 + 800, with([](auto& r) { r.rate = 100.000002; }),
         CheckProblemKind::RowDisagrees},
        // The fraction of TBEGIN and of SPS below six decimals are not shown.
        {"TBEGIN's fraction", kPath, Header(), 512 + 800, with([](auto& r) { r.start += 0.25; }),
         std::nullopt},
    };
    for (const auto& c : cases) {
        const engine::FileVerdict verdict = JudgeTraceFile(
            c.relative, c.header.data(), c.header.size(), c.size, c.row ? &*c.row : nullptr);
        EXPECT_EQ(verdict.problem, c.expected) << c.what << ": " << verdict.reason;
    }
}

TEST(TraceFileJudgement, PathsOfOurNamingNameStationAndStart) {
    const auto named = engine::TraceNamedBy(kPath);
    ASSERT_TRUE(named);
    EXPECT_EQ(named->station, "STA1");
    EXPECT_EQ((std::vector<int>{named->start.year, named->start.month, named->start.day,
                                named->start.hour, named->start.minute, named->start.second}),
              (std::vector<int>{2007, 11, 29, 14, 30, 45}));
    for (const char* other :
         {"STA1/1529112007/143045-29112007.SHZ", "STA1/143045-29112007.SHZ",
          "STA1/1429112007/143045-29112007", "STA1/1429112007/14304x-29112007.SHZ",
          "STA1/1429112007/sub/143045-29112007.SHZ", "/1429112007/143045-29112007.SHZ"})
        EXPECT_FALSE(engine::TraceNamedBy(other)) << other;
}

}  // namespace
