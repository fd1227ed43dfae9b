#include "engine/entry_read_ahead.h"

#include <system_error>
#include <utility>

#include "engine/station_workers.h"
#include "formats/recorder/recording.h"
#include "platform/ini_file.h"

namespace engine {

bool ReadAheadFits(int workers) { return 2 * static_cast<long>(workers) <= MachineWorkers(); }

EntryReadAhead::EntryReadAhead(std::string dir, const std::vector<SourceEntry>& entries,
                               std::string station, LooksAt looksAt, Converts converts, bool helper)
    : dir_(std::move(dir)),
      entries_(entries),
      station_(std::move(station)),
      looksAt_(std::move(looksAt)),
      converts_(std::move(converts)) {
    if (!helper) return;
    try {
        helper_ = std::jthread([this](std::stop_token stop) { Work(std::move(stop)); });
    } catch (const std::system_error&) {
        // No thread to be had: the loop takes every look itself.
    }
}

EntryReadAhead::~EntryReadAhead() = default;

void EntryReadAhead::Work(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (changed_.wait(lock, stop, [this] { return asked_.has_value(); })) {
        const std::size_t i = *asked_;
        asked_.reset();
        busy_ = true;
        lock.unlock();
        std::optional<SourceRecording> found;
        try {
            found = ExamineSourceEntry(dir_, entries_[i], station_);
            // What the conversion's own lookups will read of a recording it
            // keeps whole is read now: it then finds the header indexed and
            // its bytes in memory. A larger one would keep a stop waiting for
            // a read through its data block; its conversion streams that anyway.
            if (converts_(*found) && found->header->size() <= platform::kRecordingKeptBytes) {
                found->header->KeepAtMost(platform::kRecordingKeptBytes);
                ReadRecording(*found->header);
            }
        } catch (...) {
            found.reset();
        }
        lock.lock();
        busy_ = false;
        if (found) {
            found_ = std::move(*found);
            ready_ = i;
        }
        changed_.notify_all();
    }
}

void EntryReadAhead::AskFor(std::size_t after) {
    for (std::size_t j = after; j < entries_.size(); ++j) {
        if (!looksAt_(j)) continue;
        const std::lock_guard lock(mutex_);
        asked_ = j;
        changed_.notify_all();
        return;
    }
}

SourceRecording EntryReadAhead::Examine(std::size_t i) {
    std::optional<SourceRecording> found;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !busy_ && !asked_; });
        if (ready_ == i) found = std::move(found_);
        ready_.reset();
        found_ = {};
    }
    if (!found) found = ExamineSourceEntry(dir_, entries_[i], station_);
    // Only a conversion leaves the helper time to look: an entry passed
    // over after its look is done with at once, and the loop would only wait
    // for the helper's turn at the next one (far longer than the look itself).
    if (helper_.joinable() && converts_(*found)) AskFor(i + 1);
    return std::move(*found);
}

}  // namespace engine
