#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "archive/trace_writer.h"
#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace_test_support.h"

namespace {

using catalog::SqlType;
using testing_support::CountRows;
using testing_support::QueryCatalogue;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using trace_test::BlockShape;

const double kStart = 1196346645.5;  // 2007-11-29 14:30:45.5
const char* const kTracePath = "STA1/1429112007/143045-29112007.SHZ";

// The FILELIST columns the writer assigns, in this order.
enum Column { kSta, kTbegin, kTqty, kCh, kSps, kGain, kCpath, kFoff, kDatatype, kCreater };

std::vector<testing_support::Row> FileRows() {
    return QueryCatalogue(
        "SELECT STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, DATATYPE, CREATER FROM FILELIST",
        {SqlType::Text, SqlType::Double, SqlType::Double, SqlType::Text, SqlType::Double,
         SqlType::Integer, SqlType::Text, SqlType::Integer, SqlType::Integer, SqlType::Text});
}

std::string Text(const testing_support::Row& row, Column c) {
    return std::get<std::string>(row[c]);
}
double Real(const testing_support::Row& row, Column c) { return std::get<double>(row[c]); }
std::int32_t Int(const testing_support::Row& row, Column c) {
    return std::get<std::int32_t>(row[c]);
}

// The writer reads kelvaron.ini from the working directory and tvx.ini from
// $TVX_INI; each test gets both in a directory of its own.
class TraceWriterCatalogueTest : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        data_ = work_.File("data");
        std::filesystem::create_directory(data_);
        SetDataDir(data_);
        char here[4096];
        if (!::getcwd(here, sizeof here)) throw std::runtime_error("getcwd");
        previousDir_ = here;
        if (::chdir(work_.path().c_str()) != 0) throw std::runtime_error("chdir");
    }
    void TearDown() override {
        if (!previousDir_.empty() && ::chdir(previousDir_.c_str()) != 0) ADD_FAILURE() << "chdir";
        CatalogueTest::TearDown();
    }

    void SetDataDir(const std::string& dir) {
        testing_support::WriteTvxIni(work_.File("tvx.ini"), backend().Login(), dir);
    }
    void SetUseGain(const char* value) {
        work_.Write("kelvaron.ini", std::string("[STA1]\nUSEGAIN=") + value + "\n");
    }

    // 60 one-second records of one channel at 100.0000000001 samples per second.
    void Convert(const std::string& station = "STA1", const std::string& channel = "SHZ",
                 std::int32_t gainFactor = 8) {
        const auto block = Block(60);
        Write(Trace(block, station, channel, gainFactor));
    }
    // The same from a recording that holds fewer records than it announces:
    // false when the longer trace already there was kept.
    bool ConvertIncomplete(int records) {
        const auto block = Block(records);
        engine::ChannelTrace trace = Trace(block, "STA1", "SHZ", 4);
        trace.keepLongerTrace = true;
        return !Write(trace).keptExisting;
    }
    // As a conversion does, with the settings of the station's trace.
    static engine::TraceFileRow Write(const engine::ChannelTrace& trace) {
        const engine::DataBlock block(trace.data, trace.dataSize);
        engine::TraceSettings settings;
        settings.dataDir =
            platform::ReadDataDirectory(platform::TvxIniPath(), platform::kDataDirectoryChars);
        settings.useGain = platform::ReadUseGain(platform::KelvaronIniPath(), trace.station);
        engine::TraceFileBatch batch(block, {trace}, settings);
        batch.WriteRecords();
        return WriteChannelTrace(theDatabase, batch, 0);
    }
    static engine::ChannelTrace Trace(const std::vector<std::uint8_t>& block,
                                      const std::string& station, const std::string& channel,
                                      std::int32_t gainFactor) {
        engine::ChannelTrace trace;
        trace.data = block.data();
        trace.dataSize = static_cast<std::int64_t>(block.size());
        trace.start = kStart;
        trace.channel = channel;
        trace.station = station;
        trace.recordSeconds = 1;
        trace.channelCount = 1;
        trace.gainFactor = gainFactor;
        return trace;
    }
    static std::vector<std::uint8_t> Block(int records) {
        BlockShape shape;
        shape.rate16 = 0;
        shape.rateMicro = 100000000;
        shape.records = records;
        return trace_test::BuildDataBlock(shape);
    }

    TempDir work_;
    std::string data_;
    testing_support::ScopedEnv tvxIni_{"TVX_INI", work_.File("tvx.ini")};
    std::string previousDir_;
};

TEST_P(TraceWriterCatalogueTest, WritesTheFileThenItsRowWithTheUnroundedRateAndStart) {
    Convert();
    EXPECT_EQ(ReadFileBytes(data_ + "/" + kTracePath).size(), 512u + 2 * 6000);
    const auto rows = FileRows();
    ASSERT_EQ(rows.size(), 1u);
    const testing_support::Row& row = rows[0];
    EXPECT_EQ(Text(row, kSta), "STA1");
    EXPECT_EQ(Real(row, kTbegin), kStart);
    EXPECT_GT(Real(row, kSps), 100.0) << "the rate is stored as derived, not rounded";
    EXPECT_NEAR(Real(row, kSps), 100.0000000001, 1e-12);
    EXPECT_NEAR(Real(row, kTqty), 6000 / 100.0000000001, 1e-12);
    EXPECT_LT(Real(row, kTqty), 60.0);
    EXPECT_EQ(Text(row, kCh), "SHZ");
    EXPECT_EQ(Int(row, kGain), 8) << "USEGAIN is on when kelvaron.ini does not say";
    EXPECT_EQ(Text(row, kCpath), kTracePath);
    EXPECT_EQ(Int(row, kFoff), 512);
    EXPECT_EQ(Int(row, kDatatype), 5);
    EXPECT_EQ(Text(row, kCreater), "KELVARON");
}

TEST_P(TraceWriterCatalogueTest, UseGainDecidesTheRowsGain) {
    const struct {
        const char* useGain;
        std::int32_t gain;
    } cases[] = {{"0", 1}, {"1", 8}, {"5", 8}, {"off", 1}};
    for (const auto& c : cases) {
        SetUseGain(c.useGain);
        Convert();
        const auto rows = FileRows();
        ASSERT_EQ(rows.size(), 1u) << c.useGain;
        EXPECT_EQ(Int(rows[0], kGain), c.gain) << c.useGain;
    }
}

TEST_P(TraceWriterCatalogueTest, ConvertingTheSameTraceTwiceLeavesOneFileAndOneRow) {
    Convert();
    Convert();
    EXPECT_EQ(CountRows("FILELIST"), 1);
    EXPECT_EQ(trace_test::TreeBelow(data_),
              (std::vector<std::string>{"STA1", "STA1/1429112007", kTracePath}));
}

TEST_P(TraceWriterCatalogueTest, DataDirectoryWithOrWithoutTrailingSeparator) {
    for (const std::string& dir : {data_, data_ + "/"}) {
        SetDataDir(dir);
        Convert();
        EXPECT_EQ(ReadFileBytes(data_ + "/" + kTracePath).size(), 512u + 2 * 6000) << dir;
        const auto rows = FileRows();
        ASSERT_EQ(rows.size(), 1u) << dir;
        EXPECT_EQ(Text(rows[0], kCpath), kTracePath) << dir;
    }
}

TEST_P(TraceWriterCatalogueTest, AFileFailureWritesNoRow) {
    EXPECT_THROW(Convert("..", "SHZ"), TraceFileError);
    SetDataDir(work_.File("absent"));
    EXPECT_THROW(Convert(), TraceFileError);
    EXPECT_EQ(CountRows("FILELIST"), 0);
}

TEST_P(TraceWriterCatalogueTest, ADatabaseErrorPassesThroughWithTheFileComplete) {
    backend().RejectInserts("FILELIST", "CH", "BAD");
    EXPECT_THROW(Convert("STA1", "BAD"), catalog::DatabaseError);
    EXPECT_EQ(ReadFileBytes(data_ + "/STA1/1429112007/143045-29112007.BAD").size(),
              512u + 2 * 6000);
    EXPECT_EQ(CountRows("FILELIST"), 0);
}

TEST_P(TraceWriterCatalogueTest, AnIncompleteRecordingKeepsALongerTraceAndItsRow) {
    Convert();  // 60 records, gain 8
    const std::string file = ReadFileBytes(data_ + "/" + kTracePath);
    EXPECT_FALSE(ConvertIncomplete(10));
    EXPECT_EQ(ReadFileBytes(data_ + "/" + kTracePath), file);
    auto rows = FileRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(Int(rows[0], kGain), 8);
    EXPECT_NEAR(Real(rows[0], kTqty), 6000 / 100.0000000001, 1e-9);

    // One with more samples than the existing trace still replaces it.
    EXPECT_TRUE(ConvertIncomplete(61));
    EXPECT_EQ(ReadFileBytes(data_ + "/" + kTracePath).size(), 512u + 2 * 6100);
    rows = FileRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(Int(rows[0], kGain), 4);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(TraceWriterCatalogueTest);

}  // namespace
