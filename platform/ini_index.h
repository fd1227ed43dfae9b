// An index of the sections and keys of INI text in memory, that answers every
// lookup, found or missing. One pass over the bytes finds the section lines;
// the key lines of a section are read when a lookup first asks for it, and
// only as far as the lookups need: a recorder file's data block makes a
// section of thousands of binary "lines" that no lookup should pay for.
//
// The first section of a name and the first key of a name in it answer;
// names match without regard to (ASCII) case; lines before the first section
// and the lines of a repeated section belong to no section. Text may be given
// in growing prefixes: only whole lines are indexed until the end is known,
// and a lookup the prefix cannot decide says so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
    Position PositionFor(std::string_view text, std::string_view section) const;

    // text: the whole text known so far (earlier calls saw prefixes of it);
    // complete: nothing follows it.
    void Extend(std::string_view text, bool complete);
    // The same, but at most `lines` more lines; false when there was nothing
    // left to index in text. Lookups can then stop indexing once decided.
    bool ExtendLines(std::string_view text, bool complete, std::size_t lines);

    // value is a view into text (the same text as the last Extend).
    Answer Find(std::string_view text, std::string_view section, std::string_view key,
                std::string_view& value);

    // The keys of the first section of that name, each the first of its name,
    // in the order of the text; only once the text is complete (else none).
    struct KeyValue {
        std::string_view key, value;
    };
    std::vector<KeyValue> Keys(std::string_view text, std::string_view section);

private:
    struct Span {
        std::size_t begin = 0, size = 0;
    };
    struct Section {
        Span name;
        std::int32_t next = -1;   // next section with the same hash, or -1
        bool closed = false;      // a later section line ends its body
        std::size_t bodyEnd = 0;  // where that line begins, once closed
        std::size_t keysTo = 0;   // its body's lines before this are indexed
    };
    struct Key {
        std::uint32_t section;
        Span name, value;
        std::int32_t next;  // next key with the same hash, or -1
    };

    void IndexLine(std::string_view text, std::size_t begin, std::size_t end);
    // Indexes the key lines of section id's body that are whole, in order;
    // stops after the first key named `until` (none: to the end). True when
    // it stopped there.
    bool IndexKeys(std::string_view text, std::uint32_t id, std::optional<std::string_view> until);
    // The first key of that name in section id, among those indexed.
    std::optional<std::uint32_t> KeyId(std::string_view text, std::uint32_t id,
                                       std::string_view key) const;

    // The section of that name (without regard to case), if seen.
    std::optional<std::uint32_t> SectionId(std::string_view text, std::string_view name) const;

    // hash -> first key: open addressing without a node per key, as a
    // kelvaron.ini of many stations has hundreds of thousands of keys.
    class HeadTable {
    public:
        // The head of hash, set to first when it had none (then added).
        std::pair<std::int32_t*, bool> Emplace(std::uint64_t hash, std::int32_t first);
        const std::int32_t* Find(std::uint64_t hash) const;

    private:
        struct Slot {
            std::uint64_t hash = 0;
            std::int32_t head = -1;  // -1: empty
        };
        std::size_t Place(std::uint64_t hash) const;
        std::vector<Slot> slots_;  // a power of two, at most half used
        std::size_t used_ = 0;
    };
    HeadTable sectionHeads_;  // hash -> first section
    std::vector<Section> sections_;
    HeadTable keyHeads_;
    std::vector<Key> keys_;
    static constexpr std::uint32_t kNoSection = UINT32_MAX;
    std::uint32_t current_ = kNoSection;  // section whose body the next line is in
    std::size_t lineBegin_ = 0;           // first byte not yet indexed
    std::size_t searched_ = 0;            // where the search for its line end goes on
    bool complete_ = false;
};

}  // namespace platform
