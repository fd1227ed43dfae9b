// An index of the sections and keys of INI text in memory, built in one pass
// over the bytes, that answers every lookup afterwards, found or missing.
//
// The first section of a name and the first key of a name in it answer;
// names match without regard to (ASCII) case; lines before the first section
// and the lines of a repeated section belong to no section. Text may be given
// in growing prefixes: only whole lines are indexed until the end is known,
// and a lookup the prefix cannot decide says so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class IniIndex {
public:
    enum class Answer { Found, Missing, NeedMore };
    // Longest line part kept for parsing; the rest of a longer line is skipped.
    static constexpr std::size_t kMaxKeptLine = 64 * 1024;

    // Where indexing stands for one section: whether a section of that name
    // has been seen (the first one is the one that counts), whether the lines
    // indexed last are in its body, and the first byte not yet indexed.
    struct Position {
        bool seen = false;
        bool inBody = false;
        std::size_t next = 0;
    };
    Position PositionFor(std::string_view section) const;

    // text: the whole text known so far (earlier calls saw prefixes of it);
    // complete: nothing follows it.
    void Extend(std::string_view text, bool complete);
    // The same, but at most `lines` more lines; false when there was nothing
    // left to index in text. Lookups can then stop indexing once decided.
    bool ExtendLines(std::string_view text, bool complete, std::size_t lines);

    // value is a view into text (the same text as the last Extend).
    Answer Find(std::string_view text, std::string_view section, std::string_view key,
                std::string_view& value) const;

    // The keys of the first section of that name, each the first of its name,
    // in the order of the text; only once the text is complete (else none).
    struct KeyValue {
        std::string_view key, value;
    };
    std::vector<KeyValue> Keys(std::string_view text, std::string_view section) const;

private:
    struct Span {
        std::size_t begin = 0, size = 0;
    };
    struct Section {
        bool closed = false;  // a later section line ends its body
    };
    struct Key {
        std::uint32_t section;
        Span name, value;
        std::int32_t next;  // next key with the same hash, or -1
    };

    void IndexLine(std::string_view text, std::size_t begin, std::size_t end);

    std::unordered_map<std::string, std::uint32_t> sectionIds_;  // folded name -> id
    std::vector<Section> sections_;
    std::unordered_map<std::uint64_t, std::int32_t> keyHeads_;  // hash -> first key
    std::vector<Key> keys_;
    static constexpr std::uint32_t kNoSection = UINT32_MAX;
    std::uint32_t current_ = kNoSection;  // section whose body the next line is in
    std::size_t lineBegin_ = 0;           // first byte not yet indexed
    std::size_t searched_ = 0;            // where the search for its line end goes on
    bool complete_ = false;
};

}  // namespace platform
