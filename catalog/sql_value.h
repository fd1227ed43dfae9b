// Values exchanged with the catalogue: parameters, fetched cells, field contents.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace catalog {

// A date and time to the whole second, as the catalogue's row dates hold it.
struct Timestamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    // The local time now.
    static Timestamp Now();
    auto operator<=>(const Timestamp&) const = default;
};

// The C types a column is fetched as and a parameter is bound as.
enum class SqlType { Integer, Double, Text, Timestamp, BigInt };

// std::monostate is SQL NULL.
// std::int64_t is a BIGINT column (a count of nanoseconds does not fit a double).
using SqlValue =
    std::variant<std::monostate, std::int32_t, double, std::string, Timestamp, std::int64_t>;

// A cell of type T, or nullopt for NULL (or a cell of another type).
template <class T>
std::optional<T> Optional(const SqlValue& value) {
    if (const auto* v = std::get_if<T>(&value)) return *v;
    return std::nullopt;
}

// The parameter for an optional value: NULL when there is none.
template <class T>
SqlValue Nullable(const std::optional<T>& value) {
    if (value) return *value;
    return std::monostate{};
}

}  // namespace catalog
