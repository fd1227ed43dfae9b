#include "platform/ini_index.h"

#include <algorithm>
#include <cstring>

#include "platform/ini_syntax.h"

namespace platform {

namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), Fold);
    return folded;
}

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

}  // namespace

void IniIndex::Extend(std::string_view text, bool complete) {
    while (ExtendLines(text, complete, SIZE_MAX)) {
    }
}

bool IniIndex::ExtendLines(std::string_view text, bool complete, std::size_t lines) {
    if (complete_) return false;
    bool progress = false;
    for (; lines > 0 && searched_ < text.size(); --lines) {
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
    const IniLine parsed = ParseIniLine(line);
    if (parsed.kind == IniLine::Kind::Section) {
        if (current_ != kNoSection) sections_[current_].closed = true;
        const auto [it, added] = sectionIds_.try_emplace(
            Folded(parsed.name), static_cast<std::uint32_t>(sections_.size()));
        if (added) sections_.emplace_back();
        current_ = added ? it->second : kNoSection;
        return;
    }
    if (parsed.kind != IniLine::Kind::Key || current_ == kNoSection) return;

    auto offset = [&](std::string_view part) {
        return Span{static_cast<std::size_t>(part.data() - text.data()), part.size()};
    };
    const std::uint64_t hash = KeyHash(current_, parsed.name);
    const auto [head, added] = keyHeads_.try_emplace(hash, static_cast<std::int32_t>(keys_.size()));
    if (!added) {
        // The same hash: the same name in the section (the first one stays),
        // or, very rarely, another name that joins the chain.
        std::int32_t* link = &head->second;
        for (; *link >= 0; link = &keys_[*link].next) {
            const Key& k = keys_[*link];
            if (k.section == current_ &&
                EqualsNoCase(text.substr(k.name.begin, k.name.size), parsed.name))
                return;
        }
        *link = static_cast<std::int32_t>(keys_.size());
    }
    keys_.push_back({current_, offset(parsed.name), offset(parsed.value), -1});
}

IniIndex::Position IniIndex::PositionFor(std::string_view section) const {
    const auto id = sectionIds_.find(Folded(section));
    const bool seen = id != sectionIds_.end();
    return {seen, seen && current_ == id->second, lineBegin_};
}

IniIndex::Answer IniIndex::Find(std::string_view text, std::string_view section,
                                std::string_view key, std::string_view& value) const {
    const auto id = sectionIds_.find(Folded(section));
    if (id == sectionIds_.end()) return complete_ ? Answer::Missing : Answer::NeedMore;
    if (const auto head = keyHeads_.find(KeyHash(id->second, key)); head != keyHeads_.end()) {
        for (std::int32_t i = head->second; i >= 0; i = keys_[i].next) {
            const Key& k = keys_[i];
            if (k.section == id->second &&
                EqualsNoCase(text.substr(k.name.begin, k.name.size), key)) {
                value = text.substr(k.value.begin, k.value.size);
                return Answer::Found;
            }
        }
    }
    return complete_ || sections_[id->second].closed ? Answer::Missing : Answer::NeedMore;
}

std::vector<IniIndex::KeyValue> IniIndex::Keys(std::string_view text,
                                               std::string_view section) const {
    std::vector<KeyValue> keys;
    const auto id = sectionIds_.find(Folded(section));
    if (!complete_ || id == sectionIds_.end()) return keys;
    for (const Key& k : keys_)
        if (k.section == id->second)
            keys.push_back(
                {text.substr(k.name.begin, k.name.size), text.substr(k.value.begin, k.value.size)});
    return keys;
}

}  // namespace platform
