// A trace file judged against its header, its path and its row.
#include "archive/trace_file_check.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/tvx/tvx_header.h"

namespace {

using engine::CheckProblemKind;
using engine::JudgeTraceFile;

using engine::CheckProblemKind;
using engine::JudgeTraceFile;

constexpr double k143045 = 1196346645.5;  // 29.11.2007 14:30:45.5
const std::string kPath = "STA1/1429112007/143045-29112007.SHZ";

std::string Header(double duration = 4.0, double rate = 100.0000000001) {
    char block[kTraceHeaderSize];
    BuildTraceHeader(block, "STA1", "SHZ", k143045, duration, rate);
    return std::string(block, sizeof block);
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
        EXPECT_EQ(verdict.problem, c.expected)
            << c.what << ": " << static_cast<int>(verdict.reason.code);
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
