// Sets an environment variable for one scope (TVX_INI, ODBCINI, ...), then
// restores what was there.
#pragma once

#include <optional>
#include <string>

namespace testing_support {

class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace testing_support
