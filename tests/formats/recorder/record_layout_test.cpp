#include "formats/recorder/record_layout.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/trace_test_support.h"

namespace {

using engine::ComputeRecordLayout;
using engine::ExtractChannelSamples;
using engine::RecordLayout;
using engine::TraceRate;
using trace_test::BlockShape;
using trace_test::BuildDataBlock;

std::vector<std::int16_t> Extract(const std::vector<std::uint8_t>& block, int recordSeconds,
                                  int channels, int position) {
    const auto size = static_cast<std::int64_t>(block.size());
    const RecordLayout layout =
        ComputeRecordLayout(TraceRate(block.data(), size), size, recordSeconds, channels);
    return ExtractChannelSamples(block.data(), size, layout, position);
}

TEST(TraceRate, SixteenBitFieldWinsWheneverItIsSet) {
    const struct {
        std::int16_t rate16;
        std::int32_t rateMicro;
        double expected;
    } cases[] = {
        {100, 0, 100.0}, {100, 50000000, 100.0}, {0, 100000000, 100.0000000001},
        {0, 0, 1e-10},   {-5, 0, -5.0},          {0, -100000000, -100.0 + 1e-10},
    };
    for (const auto& c : cases) {
        BlockShape shape;
        shape.rate16 = c.rate16;
        shape.rateMicro = c.rateMicro;
        const auto block = BuildDataBlock(shape);
        EXPECT_DOUBLE_EQ(TraceRate(block.data(), static_cast<std::int64_t>(block.size())),
                         c.expected)
            << c.rate16 << " / " << c.rateMicro;
    }
}

TEST(TraceRate, FieldsBeyondAShortBlockCountAsZero) {
    BlockShape shape;
    shape.rate16 = 0;
    shape.rateMicro = 100000000;
    const auto block = BuildDataBlock(shape);
    // Only byte 28's field exists in 100 bytes, and it is zero.
    EXPECT_DOUBLE_EQ(TraceRate(block.data(), 100), 1e-10);
    EXPECT_DOUBLE_EQ(TraceRate(block.data(), 111), 1e-10);
    EXPECT_DOUBLE_EQ(TraceRate(block.data(), 112), 100.0000000001);
    shape.rate16 = 50;
    const auto second = BuildDataBlock(shape);
    EXPECT_DOUBLE_EQ(TraceRate(second.data(), 29), 1e-10);
    EXPECT_DOUBLE_EQ(TraceRate(second.data(), 30), 50.0);
    EXPECT_DOUBLE_EQ(TraceRate(nullptr, 0), 1e-10);
}

TEST(RecordLayout, ThreeChannelsOfOneSecondAtHundredPerSecond) {
    for (double rate : {100.0, 100.0000000001}) {
        const RecordLayout layout = ComputeRecordLayout(rate, 856 * 5 + 300, 1, 3);
        EXPECT_EQ(layout.recordLength, 856) << rate;
        EXPECT_EQ(layout.recordCount, 5) << "the partial record is ignored";
        EXPECT_EQ(layout.samplesPerRecord, 100);
    }
}

TEST(RecordLayout, NegativeOrOversizedNumbersGiveNoRecords) {
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    const struct {
        double rate;
        std::int32_t seconds, channels;
    } cases[] = {
        {-100.0, 1, 3}, {100.0, -1, 3}, {100.0, 1, -3}, {100.0, big, big}, {32767.0, big, 1},
    };
    for (const auto& c : cases) {
        const RecordLayout layout = ComputeRecordLayout(c.rate, 1 << 20, c.seconds, c.channels);
        EXPECT_EQ(layout.recordCount, 0) << c.rate << " " << c.seconds << " " << c.channels;
    }
    EXPECT_EQ(ComputeRecordLayout(100.0, 0, 1, 1).recordCount, 0);
    EXPECT_EQ(ComputeRecordLayout(100.0, -5000, 1, 1).recordCount, 0);
}

TEST(ChannelExtraction, TakesTheChannelsBlockFromEveryRecord) {
    BlockShape shape;
    shape.channels = 3;
    shape.records = 4;
    for (int position = 0; position < 3; ++position)
        EXPECT_EQ(Extract(BuildDataBlock(shape), 1, 3, position),
                  trace_test::ChannelValues(shape, position))
            << position;
}

TEST(ChannelExtraction, ThirdOfThreeChannelsReadsBytes400To598OfEachRecordsData) {
    BlockShape shape;
    shape.rate16 = 0;
    shape.rateMicro = 100000000;  // 100.0000000001 per second
    shape.channels = 3;
    shape.records = 3;
    auto block = BuildDataBlock(shape);
    // Mark the expected bytes directly, independently of the generator's layout.
    for (int r = 0; r < 3; ++r)
        for (int j = 0; j < 100; ++j) {
            block[r * 856 + 256 + 400 + 2 * j] = static_cast<std::uint8_t>(j);
            block[r * 856 + 256 + 400 + 2 * j + 1] = static_cast<std::uint8_t>(0x40 + r);
        }
    const auto samples = Extract(block, 1, 3, 2);
    ASSERT_EQ(samples.size(), 300u);
    for (int r = 0; r < 3; ++r)
        for (int j = 0; j < 100; ++j)
            EXPECT_EQ(samples[r * 100 + j], static_cast<std::int16_t>((0x40 + r) << 8 | j));
}

TEST(ChannelExtraction, ATrailingPartialRecordIsIgnored) {
    BlockShape shape;
    shape.records = 2;
    shape.trailingBytes = 255 + 200;
    EXPECT_EQ(Extract(BuildDataBlock(shape), 1, 1, 0).size(), 200u);
}

TEST(ChannelExtraction, ABlockShorterThanOneRecordGivesNoSamples) {
    BlockShape shape;
    const auto block = BuildDataBlock(shape);
    for (std::int64_t size : {0, 10, 255, 256, 455})
        EXPECT_TRUE(
            ExtractChannelSamples(block.data(), size,
                                  ComputeRecordLayout(TraceRate(block.data(), size), size, 1, 1), 0)
                .empty())
            << size;
}

TEST(ChannelExtraction, ZeroRateGivesNoSamples) {
    BlockShape shape;
    shape.rate16 = 0;
    shape.records = 3;
    EXPECT_TRUE(Extract(BuildDataBlock(shape), 1, 1, 0).empty());
}

TEST(ChannelExtraction, FractionalOffsetsTruncateEachIndex) {
    // R = 1.5, D = 2, N = 2: S = 3, L = 268, the second channel starts at 3.0;
    // R = 1.5, D = 1, N = 3: S = 1, L = 265, the second channel at index 1.5 -> 1.
    std::vector<std::uint8_t> block(268 * 2, 0);
    for (std::size_t k = 0; k < block.size(); ++k) block[k] = static_cast<std::uint8_t>(k);
    const auto at = [&](std::size_t byte) {
        return static_cast<std::int16_t>(block[byte] | block[byte + 1] << 8);
    };
    const auto size = static_cast<std::int64_t>(block.size());

    RecordLayout layout = ComputeRecordLayout(1.5, size, 2, 2);
    ASSERT_EQ(layout.recordLength, 268);
    ASSERT_EQ(layout.samplesPerRecord, 3);
    EXPECT_EQ(ExtractChannelSamples(block.data(), size, layout, 1),
              (std::vector<std::int16_t>{at(262), at(264), at(266), at(530), at(532), at(534)}));

    layout = ComputeRecordLayout(1.5, size, 1, 3);
    ASSERT_EQ(layout.recordLength, 265);
    ASSERT_EQ(layout.samplesPerRecord, 1);
    EXPECT_EQ(ExtractChannelSamples(block.data(), size, layout, 1),
              (std::vector<std::int16_t>{at(258), at(265 + 258)}));
}

TEST(ChannelExtraction, APositionPastTheLastChannelStopsAtTheBlockEnd) {
    // One channel of ten samples, three records of 276 bytes; position 1 reads
    // the following record's header, and the last record has nothing after it.
    BlockShape shape;
    shape.rate16 = 10;
    shape.samplesPerBlock = 10;
    shape.records = 3;
    const auto block = BuildDataBlock(shape);
    const auto samples = Extract(block, 1, 1, 1);
    ASSERT_EQ(samples.size(), 20u);
    EXPECT_EQ(samples[0], static_cast<std::int16_t>(block[276] | block[277] << 8));
}

TEST(ChannelExtraction, ExactAndSlightlyRaisedRatesReadTheSameSamples) {
    // 100 and 100.0000000001 give the same record length, count and indices;
    // only the first has a whole-numbered channel offset. Positions past the
    // last channel run into the block end part way through a record.
    BlockShape shape;
    shape.channels = 3;
    shape.records = 5;
    shape.trailingBytes = 300;
    const auto block = BuildDataBlock(shape);
    const auto size = static_cast<std::int64_t>(block.size());
    for (int position = -1; position <= 6; ++position) {
        const auto exact = ExtractChannelSamples(block.data(), size,
                                                 ComputeRecordLayout(100.0, size, 1, 3), position);
        const auto raised = ExtractChannelSamples(
            block.data(), size, ComputeRecordLayout(100.0000000001, size, 1, 3), position);
        EXPECT_EQ(exact, raised) << position;
        if (position >= 0 && position < 3) {
            EXPECT_EQ(exact.size(), 500u) << position;
        }
    }
    // Position 4 of the last record starts 200 bytes past its 600 bytes of
    // data: 50 of its samples fit in the rest of the 300 trailing bytes.
    EXPECT_EQ(
        ExtractChannelSamples(block.data(), size, ComputeRecordLayout(100.0, size, 1, 3), 4).size(),
        450u);
}

TEST(ChannelExtraction, SamplesBeforeTheBlockStartEndTheExtractionAtOnce) {
    BlockShape shape;
    shape.records = 2;
    // Position -2 points 400 bytes back, before the block; later indices
    // would be inside, but the first miss ends it.
    EXPECT_TRUE(Extract(BuildDataBlock(shape), 1, 1, -2).empty());
}

TEST(ChannelExtraction, NoChannelsWithAHugeRecordStopsQuickly) {
    BlockShape shape;
    shape.rate16 = 32767;
    shape.records = 1;
    const auto block = BuildDataBlock(shape);
    // N = 0: records of 256 bytes whose samples run on into the next ones
    // until the block ends.
    const auto samples = Extract(block, std::numeric_limits<std::int32_t>::max(), 0, 0);
    EXPECT_EQ(samples.size(), (block.size() - 256) / 2);
}

TEST(ChannelExtraction, NoDataGivesNoSamples) {
    const RecordLayout layout = ComputeRecordLayout(100.0, 856, 1, 3);
    EXPECT_TRUE(ExtractChannelSamples(nullptr, 856, layout, 0).empty());
}

}  // namespace
