#include "platform/ini_index.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/ini_syntax.h"

namespace platform {

namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// FNV-1a over the section id, the name's length and the first bytes of the
// folded name: binary data after a header makes key lines with long names,
// and a name is compared whole anyway when its hash matches.
constexpr std::size_t kHashedNameBytes = 32;

std::uint64_t KeyHash(std::uint32_t section, std::string_view name) {
    std::uint64_t h = (14695981039346656037ull ^ section) * 1099511628211ull;
    h = (h ^ name.size()) * 1099511628211ull;
    for (char c : name.substr(0, kHashedNameBytes)) {
        h ^= static_cast<unsigned char>(Fold(c));
        h *= 1099511628211ull;
    }
    return h;
}

// Whether the line that begins at `at` may be a section line: it begins with
// "[" or a blank, or the text ends before it shows.
bool MayOpenASection(std::string_view text, std::size_t at) {
    return at >= text.size() || text[at] == '[' || IsBlank(text[at]);
}

// The first "\n" from `from` on after which a section line may begin; npos
// when there is none. A recording's data block after its header is lines of
// binary bytes, nearly none of which begins so: looking for the line breaks
// sixteen bytes at a time costs a fraction of looking for each in turn.
std::size_t NextLineThatMayOpenASection(std::string_view text, std::size_t from) {
    std::size_t i = from;
#if defined(__SSE2__)
    const char* bytes = text.data();
    const auto same = [](__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    // The second load reads the byte after each of the first's.
    for (; i + 17 <= text.size(); i += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        unsigned breaks = static_cast<unsigned>(_mm_movemask_epi8(same(here, '\n')));
        if (breaks == 0) continue;
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i + 1));
        // "[" and the blanks of IsBlank.
        const __m128i opens =
            _mm_or_si128(_mm_or_si128(_mm_or_si128(same(next, '['), same(next, ' ')),
                                      _mm_or_si128(same(next, '\t'), same(next, '\r'))),
                         _mm_or_si128(same(next, '\v'), same(next, '\f')));
        breaks &= static_cast<unsigned>(_mm_movemask_epi8(opens));
        if (breaks != 0) return i + static_cast<std::size_t>(__builtin_ctz(breaks));
    }
#endif
    for (; i < text.size(); ++i)
        if (text[i] == '\n' && MayOpenASection(text, i + 1)) return i;
    return std::string_view::npos;
}

}  // namespace

std::size_t IniIndex::HeadTable::Place(std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(hash ^ (hash >> 32)) & mask;
    while (slots_[i].head >= 0 && slots_[i].hash != hash) i = (i + 1) & mask;
    return i;
}

std::pair<std::int32_t*, bool> IniIndex::HeadTable::Emplace(std::uint64_t hash,
                                                            std::int32_t first) {
    if (2 * (used_ + 1) > slots_.size()) {
        std::vector<Slot> old(std::max<std::size_t>(16, 2 * slots_.size()));
        old.swap(slots_);
        for (const Slot& slot : old)
            if (slot.head >= 0) slots_[Place(slot.hash)] = slot;
    }
    Slot& slot = slots_[Place(hash)];
    if (slot.head >= 0) return {&slot.head, false};
    slot = {hash, first};
    ++used_;
    return {&slot.head, true};
}

const std::int32_t* IniIndex::HeadTable::Find(std::uint64_t hash) const {
    if (slots_.empty()) return nullptr;
    const Slot& slot = slots_[Place(hash)];
    return slot.head >= 0 ? &slot.head : nullptr;
}

void IniIndex::Extend(std::string_view text, bool complete) {
    while (ExtendLines(text, complete, SIZE_MAX)) {
    }
}

bool IniIndex::ExtendLines(std::string_view text, bool complete, std::size_t lines) {
    if (complete_) return false;
    bool progress = false;
    for (; lines > 0 && searched_ < text.size(); --lines) {
        if (!MayOpenASection(text, lineBegin_)) {
            // Only a section line matters to this pass: the lines up to the
            // next that may be one are passed over together.
            const std::size_t nl = NextLineThatMayOpenASection(text, searched_);
            if (nl == std::string_view::npos) {
                const void* last = memrchr(text.data() + searched_, '\n', text.size() - searched_);
                if (last) {
                    lineBegin_ = static_cast<const char*>(last) - text.data() + 1;
                    progress = true;
                }
                searched_ = text.size();
                break;
            }
            lineBegin_ = searched_ = nl + 1;
            progress = true;
            continue;
        }
        const void* nl = std::memchr(text.data() + searched_, '\n', text.size() - searched_);
        if (!nl) {
            searched_ = text.size();
            break;
        }
        const std::size_t end = static_cast<const char*>(nl) - text.data();
        IndexLine(text, lineBegin_, end);
        lineBegin_ = searched_ = end + 1;
        progress = true;
    }
    if (complete && searched_ >= text.size()) {
        if (lineBegin_ < text.size()) IndexLine(text, lineBegin_, text.size());
        lineBegin_ = searched_ = text.size();
        complete_ = true;
        progress = true;
    }
    return progress;
}

void IniIndex::IndexLine(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view line = text.substr(begin, std::min(end - begin, kMaxKeptLine));
    // Only a section line matters to this pass; key lines wait for a lookup.
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[') return;
    const IniLine parsed = ParseIniLine(line);
    if (current_ != kNoSection) {
        sections_[current_].closed = true;
        sections_[current_].bodyEnd = begin;
    }
    // Only the first section of a name is indexed; a repeated one's lines
    // belong to none.
    current_ = kNoSection;
    const auto id = static_cast<std::int32_t>(sections_.size());
    const auto [head, added] = sectionHeads_.Emplace(KeyHash(kNoSection, parsed.name), id);
    if (!added) {
        std::int32_t* link = head;
        for (; *link >= 0; link = &sections_[*link].next) {
            const Span name = sections_[*link].name;
            if (EqualsNoCase(text.substr(name.begin, name.size), parsed.name)) return;
        }
        *link = id;
    }
    Section section;
    section.name = {static_cast<std::size_t>(parsed.name.data() - text.data()), parsed.name.size()};
    section.keysTo = std::min(end + 1, text.size());
    sections_.push_back(section);
    current_ = static_cast<std::uint32_t>(id);
}

bool IniIndex::IndexKeys(std::string_view text, std::uint32_t id,
                         std::optional<std::string_view> until) {
    // Every section but the one the pass is in has been closed by a later line.
    const std::size_t limit = sections_[id].closed ? sections_[id].bodyEnd : lineBegin_;
    auto offset = [&](std::string_view part) {
        return Span{static_cast<std::size_t>(part.data() - text.data()), part.size()};
    };
    while (sections_[id].keysTo < limit) {
        const std::size_t begin = sections_[id].keysTo;
        const void* nl = std::memchr(text.data() + begin, '\n', limit - begin);
        const std::size_t end = nl ? static_cast<const char*>(nl) - text.data() : limit;
        sections_[id].keysTo = nl ? end + 1 : limit;
        const IniLine parsed =
            ParseIniLine(text.substr(begin, std::min(end - begin, kMaxKeptLine)));
        if (parsed.kind != IniLine::Kind::Key) continue;

        const std::uint64_t hash = KeyHash(id, parsed.name);
        const auto [head, added] = keyHeads_.Emplace(hash, static_cast<std::int32_t>(keys_.size()));
        if (!added) {
            // The same hash: the same name in the section (the first one
            // stays), or, very rarely, another name that joins the chain.
            std::int32_t* link = head;
            bool repeated = false;
            for (; *link >= 0 && !repeated; link = &keys_[*link].next) {
                const Key& k = keys_[*link];
                repeated = k.section == id &&
                           EqualsNoCase(text.substr(k.name.begin, k.name.size), parsed.name);
            }
            if (repeated) continue;
            *link = static_cast<std::int32_t>(keys_.size());
        }
        keys_.push_back({id, offset(parsed.name), offset(parsed.value), -1});
        if (until && EqualsNoCase(parsed.name, *until)) return true;
    }
    return false;
}

std::optional<std::uint32_t> IniIndex::KeyId(std::string_view text, std::uint32_t id,
                                             std::string_view key) const {
    if (const std::int32_t* head = keyHeads_.Find(KeyHash(id, key)))
        for (std::int32_t i = *head; i >= 0; i = keys_[i].next) {
            const Key& k = keys_[i];
            if (k.section == id && EqualsNoCase(text.substr(k.name.begin, k.name.size), key))
                return static_cast<std::uint32_t>(i);
        }
    return std::nullopt;
}

std::optional<std::uint32_t> IniIndex::SectionId(std::string_view text,
                                                 std::string_view name) const {
    const std::int32_t* head = sectionHeads_.Find(KeyHash(kNoSection, name));
    for (std::int32_t i = head ? *head : -1; i >= 0; i = sections_[i].next) {
        const Span found = sections_[i].name;
        if (EqualsNoCase(text.substr(found.begin, found.size), name))
            return static_cast<std::uint32_t>(i);
    }
    return std::nullopt;
}

IniIndex::Position IniIndex::PositionFor(std::string_view text, std::string_view section) const {
    const std::optional<std::uint32_t> id = SectionId(text, section);
    return {id.has_value(), id && current_ == *id, lineBegin_};
}

IniIndex::Answer IniIndex::Find(std::string_view text, std::string_view section,
                                std::string_view key, std::string_view& value) {
    const std::optional<std::uint32_t> id = SectionId(text, section);
    if (!id) return complete_ ? Answer::Missing : Answer::NeedMore;
    std::optional<std::uint32_t> found = KeyId(text, *id, key);
    if (!found && IndexKeys(text, *id, key)) found = static_cast<std::uint32_t>(keys_.size() - 1);
    if (found) {
        const Key& k = keys_[*found];
        value = text.substr(k.value.begin, k.value.size);
        return Answer::Found;
    }
    return complete_ || sections_[*id].closed ? Answer::Missing : Answer::NeedMore;
}

std::vector<IniIndex::KeyValue> IniIndex::Keys(std::string_view text, std::string_view section) {
    std::vector<KeyValue> keys;
    const std::optional<std::uint32_t> id = SectionId(text, section);
    if (!complete_ || !id) return keys;
    IndexKeys(text, *id, std::nullopt);
    for (const Key& k : keys_)
        if (k.section == *id)
            keys.push_back(
                {text.substr(k.name.begin, k.name.size), text.substr(k.value.begin, k.value.size)});
    return keys;
}

}  // namespace platform
