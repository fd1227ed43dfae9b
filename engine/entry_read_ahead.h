// The look at the next entry of a station's source directory, taken on a
// thread of its own while the loop converts the entry before it, which spends
// most of its time waiting for its traces to reach the disk. The helper reads
// and indexes the entry's header and, when the loop will convert it and the
// recording is one that a conversion keeps whole, the rest of what the
// conversion reads of it; it writes nothing and tells nothing.
// The loop takes each look when it comes to that entry, in turn, so every
// message, record, row and file keeps the order of a loop without it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "archive/source_scan.h"

namespace engine {

// Whether each of `workers` workers can have a helper of its own: the machine
// has a processor for every worker and every helper. Where it has not, a
// helper only takes turns with the workers for the processors, and the
// workers, woken from their syncs, wait for it.
bool ReadAheadFits(int workers);

class EntryReadAhead {
public:
    // Whether the loop will look at entry i at all (one its record passes
    // over is never opened).
    using LooksAt = std::function<bool(std::size_t i)>;
    // Whether the loop converts what it found there.
    using Converts = std::function<bool(const SourceRecording& found)>;

    // entries, and what the two functions refer to, outlive this object.
    // Without a helper, each look is taken when the loop asks for it.
    EntryReadAhead(std::string dir, const std::vector<SourceEntry>& entries, std::string station,
                   LooksAt looksAt, Converts converts, bool helper = true);
    // Waits for a look in progress: it only reads.
    ~EntryReadAhead();
    EntryReadAhead(const EntryReadAhead&) = delete;
    EntryReadAhead& operator=(const EntryReadAhead&) = delete;

    // ExamineSourceEntry for entry i: the look read ahead when it was of i,
    // else one taken now; then, when the loop converts entry i, the next
    // entry it will look at is read ahead. A look the helper could not finish
    // (it ran out of memory, say) is taken again here, where its failure is
    // the loop's.
    SourceRecording Examine(std::size_t i);

private:
    void Work(std::stop_token stop);
    void AskFor(std::size_t after);

    const std::string dir_;
    const std::vector<SourceEntry>& entries_;
    const std::string station_;
    const LooksAt looksAt_;
    const Converts converts_;

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::optional<std::size_t> asked_;  // the entry the helper is to look at next
    bool busy_ = false;                 // the helper is looking
    std::optional<std::size_t> ready_;  // the entry whose look is in found_
    SourceRecording found_;
    // Started last; stopped and joined first, as the first member destroyed.
    std::jthread helper_;
};

}  // namespace engine
