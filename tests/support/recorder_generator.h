// Recorder files for the tests, benchmarks and the fuzz corpus: an INI-syntax
// header of ordered sections and keys, then a data block of fixed-size
// records (256-byte record header, one block of 16-bit samples per channel).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

// The data block: records of one size, rate fields in the first record header.
struct DataLayout {
    int channels = 3;           // sample blocks per record (the stream's N_CH)
    int recordSeconds = 1;      // REC_SIZE_SEC
    std::int16_t rate16 = 100;  // samples per second at byte 28
    std::int32_t rate32 = 0;    // samples per second x 1e6 at byte 108
    int records = 4;
    int trailingBytes = 0;  // a partial record after the last whole one
};

// The rate a reader derives from the two fields.
double LayoutRate(const DataLayout& layout);
// Samples of one channel in one record: trunc(recordSeconds x rate).
int SamplesPerBlock(const DataLayout& layout);
// Bytes of one record: trunc(256 + 2 x channels x recordSeconds x rate).
std::int64_t RecordBytes(const DataLayout& layout);

// The value of sample `index` of record `record` at block position
// `position`: distinct per position, record and index, negative ones too.
std::int16_t SampleValue(int position, int record, int index);

// The data block bytes of the layout, samples from SampleValue.
std::string BuildDataBlock(const DataLayout& layout);
// What a correct extraction of block position `position` gives: every sample
// of every whole record, in time order, little-endian, as trace file bytes.
std::string ChannelSampleBytes(const DataLayout& layout, int position);

class RecorderFile {
public:
    // Sets a key, keeping the order in which sections and keys first appear.
    RecorderFile& Set(std::string_view section, std::string_view key, std::string_view value);
    RecorderFile& Remove(std::string_view section, std::string_view key);
    // A raw line at the end of the header (duplicate sections, odd syntax).
    RecorderFile& AppendLine(std::string_view line);
    RecorderFile& SetData(std::string bytes);
    // Writes HEADER/OFFSET_TO_DATA with this text instead of the real offset.
    RecorderFile& SetOffsetText(std::string text);
    // Pads the header with blank lines to at least this many bytes.
    RecorderFile& PadHeaderTo(std::size_t bytes);

    const std::string& data() const { return data_; }
    // Header text with OFFSET_TO_DATA pointing just behind it.
    std::string HeaderText() const;
    std::string Bytes() const;
    // Writes Bytes() to path and returns path.
    std::string WriteTo(const std::string& path) const;

private:
    std::string RenderHeader(const std::string& offsetText) const;

    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    std::vector<Section> sections_;
    std::vector<std::string> extraLines_;
    std::string data_;
    std::optional<std::string> offsetText_;
    std::size_t padTo_ = 0;
};

struct RecordingChannel {
    int number;        // the CH# item and the "CH%d" section
    std::string name;  // "" leaves the section without NAME
};

// A typical recording; change what a test needs with RecorderFile::Set.
struct RecordingPlan {
    std::string station = "STA1";
    std::string date = "29.11.2007";
    std::string time = "14:30:45";
    std::optional<std::string> dataSec = "4";
    int stream = 0;
    std::string type = "CONTINUOUS";
    std::vector<RecordingChannel> channels = {{1, "SHZ"}, {2, "SHN"}, {3, "SHE"}};
    // Text of the stream's CH# and N_CH; by default from channels.
    std::optional<std::string> channelList;
    std::optional<std::string> channelCount;
    DataLayout data;  // data.channels is the number of sample blocks
};

RecorderFile MakeRecording(const RecordingPlan& plan);

}  // namespace testing_support
