#include "tests/support/recorder_generator.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testing_support {
namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void PutLe(std::string& out, std::size_t at, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

double LayoutRate(const DataLayout& layout) {
    if (layout.rate16 != 0) return layout.rate16;
    return layout.rate32 * 0.000001 + 0.0000000001;
}

int SamplesPerBlock(const DataLayout& layout) {
    return static_cast<int>(layout.recordSeconds * LayoutRate(layout));
}

std::int64_t RecordBytes(const DataLayout& layout) {
    return static_cast<std::int64_t>(256 + 2.0 * layout.channels * layout.recordSeconds *
                                               LayoutRate(layout));
}

std::int16_t SampleValue(int position, int record, int index) {
    const std::uint32_t mixed = static_cast<std::uint32_t>(position) * 40503u +
                                static_cast<std::uint32_t>(record) * 7919u +
                                static_cast<std::uint32_t>(index) * 131u + 17u;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(mixed & 0xFFFF));
}

std::string BuildDataBlock(const DataLayout& layout) {
    const std::int64_t recordBytes = RecordBytes(layout);
    const int perBlock = SamplesPerBlock(layout);
    if (recordBytes < 256 + 2LL * layout.channels * perBlock)
        throw std::invalid_argument("layout with overlapping sample blocks");
    std::string block(static_cast<std::size_t>(recordBytes * layout.records + layout.trailingBytes),
                      '\0');
    for (int r = 0; r < layout.records; ++r) {
        const std::size_t base = static_cast<std::size_t>(r * recordBytes);
        // Record number in the first bytes, like a recorder's sequence field.
        PutLe(block, base, static_cast<std::uint32_t>(r), 4);
        if (r == 0) {
            PutLe(block, base + 28, static_cast<std::uint16_t>(layout.rate16), 2);
            PutLe(block, base + 108, static_cast<std::uint32_t>(layout.rate32), 4);
        }
        for (int c = 0; c < layout.channels; ++c)
            for (int i = 0; i < perBlock; ++i)
                PutLe(block, base + 256 + 2 * (static_cast<std::size_t>(c) * perBlock + i),
                      static_cast<std::uint16_t>(SampleValue(c, r, i)), 2);
    }
    for (int i = 0; i < layout.trailingBytes; ++i)
        block[static_cast<std::size_t>(recordBytes * layout.records + i)] = static_cast<char>(0x5A);
    return block;
}

std::string ChannelSampleBytes(const DataLayout& layout, int position) {
    std::string out;
    const int perBlock = SamplesPerBlock(layout);
    for (int r = 0; r < layout.records; ++r)
        for (int i = 0; i < perBlock; ++i) {
            const auto v = static_cast<std::uint16_t>(SampleValue(position, r, i));
            out.push_back(static_cast<char>(v & 0xFF));
            out.push_back(static_cast<char>(v >> 8));
        }
    return out;
}

RecorderFile& RecorderFile::Set(std::string_view section, std::string_view key,
                                std::string_view value) {
    auto s = std::find_if(sections_.begin(), sections_.end(),
                          [&](const Section& x) { return SameNoCase(x.name, section); });
    if (s == sections_.end())
        s = sections_.insert(sections_.end(), Section{std::string(section), {}});
    auto k = std::find_if(s->keys.begin(), s->keys.end(),
                          [&](const auto& kv) { return SameNoCase(kv.first, key); });
    if (k == s->keys.end())
        s->keys.emplace_back(std::string(key), std::string(value));
    else
        k->second = std::string(value);
    return *this;
}

RecorderFile& RecorderFile::Remove(std::string_view section, std::string_view key) {
    for (Section& s : sections_)
        if (SameNoCase(s.name, section))
            std::erase_if(s.keys, [&](const auto& kv) { return SameNoCase(kv.first, key); });
    return *this;
}

RecorderFile& RecorderFile::AppendLine(std::string_view line) {
    extraLines_.emplace_back(line);
    return *this;
}

RecorderFile& RecorderFile::SetData(std::string bytes) {
    data_ = std::move(bytes);
    return *this;
}

RecorderFile& RecorderFile::SetOffsetText(std::string text) {
    offsetText_ = std::move(text);
    return *this;
}

RecorderFile& RecorderFile::PadHeaderTo(std::size_t bytes) {
    padTo_ = bytes;
    return *this;
}

std::string RecorderFile::RenderHeader(const std::string& offsetText) const {
    std::string text;
    bool offsetWritten = false;
    auto offsetLine = [&] {
        text += "OFFSET_TO_DATA=" + offsetText + "\r\n";
        offsetWritten = true;
    };
    for (const Section& s : sections_) {
        text += "[" + s.name + "]\r\n";
        for (const auto& [key, value] : s.keys) text += key + "=" + value + "\r\n";
        if (SameNoCase(s.name, "HEADER")) offsetLine();
        text += "\r\n";
    }
    if (!offsetWritten) {
        text += "[HEADER]\r\n";
        offsetLine();
        text += "\r\n";
    }
    for (const std::string& line : extraLines_) text += line + "\r\n";
    if (text.size() < padTo_) {
        // One blank line of spaces ending in CR LF fills the gap.
        std::size_t gap = padTo_ - text.size();
        if (gap < 2) gap += 2;
        text += std::string(gap - 2, ' ') + "\r\n";
    }
    return text;
}

std::string RecorderFile::HeaderText() const {
    if (offsetText_) return RenderHeader(*offsetText_);
    // The offset's own digits count towards the header length.
    std::size_t offset = RenderHeader("0").size();
    for (;;) {
        const std::string text = RenderHeader(std::to_string(offset));
        if (text.size() == offset) return text;
        offset = text.size();
    }
}

std::string RecorderFile::Bytes() const { return HeaderText() + data_; }

std::string RecorderFile::WriteTo(const std::string& path) const {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = Bytes();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path);
    return path;
}

RecorderFile MakeRecording(const RecordingPlan& plan) {
    RecorderFile file;
    file.Set("SYSTEM", "NAME", plan.station);
    file.Set("FILE", "DATE_INT", plan.date);
    file.Set("FILE", "TIME_INT", plan.time);
    if (plan.dataSec) file.Set("FILE", "DATA_SEC", *plan.dataSec);
    file.Set("FILE", "STREAM", std::to_string(plan.stream));
    file.Set("HEADER", "VERSION", "3");

    std::string list;
    for (const RecordingChannel& ch : plan.channels)
        list += (list.empty() ? "" : ",") + std::to_string(ch.number);
    const std::string stream = "STREAM" + std::to_string(plan.stream);
    file.Set(stream, "N_CH", plan.channelCount.value_or(std::to_string(plan.data.channels)));
    file.Set(stream, "TYPE", plan.type);
    file.Set(stream, "REC_SIZE_SEC", std::to_string(plan.data.recordSeconds));
    file.Set(stream, "CH#", plan.channelList.value_or(list));
    for (const RecordingChannel& ch : plan.channels) {
        const std::string section = "CH" + std::to_string(ch.number);
        file.Set(section, "GAIN_REF", "1");  // a key of its own keeps the section present
        if (!ch.name.empty()) file.Set(section, "NAME", ch.name);
    }
    file.SetData(BuildDataBlock(plan.data));
    return file;
}

}  // namespace testing_support
