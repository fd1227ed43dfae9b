// The directories of the data tree that one run has made (or found) so far,
// so that each station and hour directory is made and checked once per run
// however many traces go into it.
#pragma once

#include <string>
#include <unordered_set>

namespace engine {

class DirectoriesMade {
public:
    bool Contains(const std::string& dir) const { return made_.count(dir) != 0; }
    void Add(const std::string& dir) { made_.insert(dir); }
    // Gone since it was made: made and checked again.
    void Forget(const std::string& dir) { made_.erase(dir); }

private:
    std::unordered_set<std::string> made_;
};

}  // namespace engine
