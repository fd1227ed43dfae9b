// The one exception every failing catalogue operation raises.
#pragma once

#include <stdexcept>
#include <string>

namespace catalog {

class DatabaseError : public std::runtime_error {
public:
    // message: the driver's diagnostic text (what() returns it unchanged).
    DatabaseError(std::string message, std::string sqlState)
        : std::runtime_error(std::move(message)), sqlState_(std::move(sqlState)) {}
    const std::string& sqlState() const { return sqlState_; }

private:
    std::string sqlState_;
};

}  // namespace catalog
