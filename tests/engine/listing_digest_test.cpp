// The digest that tells a run a directory is as it last saw it whole: any
// entry that came, went, was renamed or changed size or time changes it; the
// order the file system lists them in does not; and the entries whose inode
// changed after a given time can be left out, giving the digest of the
// listing as it was before they came.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/recorded_entries.h"

namespace {

using engine::EntryStat;
using engine::SourceEntry;

struct Listing {
    std::vector<SourceEntry> entries;
    std::vector<std::optional<EntryStat>> stats;

    void Add(const std::string& name, std::optional<EntryStat> stat) {
        entries.push_back({name, stat.has_value()});
        stats.push_back(stat);
    }
    std::string Digest(std::optional<std::int64_t> changedBy = std::nullopt) const {
        return engine::ListingDigest(entries, stats, changedBy);
    }
};

Listing Base() {
    Listing listing;
    listing.Add("a.dat", EntryStat{10, 100, 100});
    listing.Add("b.dat", EntryStat{20, 200, 200});
    listing.Add("archive", std::nullopt);  // a subdirectory
    return listing;
}

TEST(ListingDigest, ChangesWithEveryEntryButNotWithTheirOrder) {
    const std::string base = Base().Digest();
    const struct {
        const char* name;
        void (*change)(Listing&);
        bool same;
    } cases[] = {
        {"listed in another order",
         [](Listing& l) {
             std::reverse(l.entries.begin(), l.entries.end());
             std::reverse(l.stats.begin(), l.stats.end());
         },
         true},
        {"only the inode changed (chmod)", [](Listing& l) { l.stats[0]->ctime = 999; }, true},
        {"a size", [](Listing& l) { l.stats[0]->size = 11; }, false},
        {"a modification time", [](Listing& l) { l.stats[1]->mtime = 201; }, false},
        {"a name", [](Listing& l) { l.entries[0].name = "a.dat2"; }, false},
        {"an entry that came",
         [](Listing& l) {
             l.Add("c.dat", EntryStat{10, 100, 300});
         },
         false},
        {"an entry that went",
         [](Listing& l) {
             l.entries.pop_back();
             l.stats.pop_back();
         },
         false},
        {"two entries' sizes swapped",
         [](Listing& l) { std::swap(l.stats[0]->size, l.stats[1]->size); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Listing listing = Base();
        c.change(listing);
        EXPECT_EQ(listing.Digest() == base, c.same);
    }
}

TEST(ListingDigest, LeavesOutWhatChangedAfterAGivenTime) {
    Listing later = Base();
    later.Add("c.dat", EntryStat{10, 50, 300});  // copied in keeping an old time
    EXPECT_NE(later.Digest(), Base().Digest());
    EXPECT_EQ(later.Digest(200), Base().Digest());
    EXPECT_NE(later.Digest(300), Base().Digest());
    // One that was there before and changed since goes from the digest too.
    later.stats[0]->ctime = 300;
    EXPECT_NE(later.Digest(200), Base().Digest());
}

}  // namespace
