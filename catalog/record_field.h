// The bound member of a record set: one column's value of the current row.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "catalog/sql_value.h"

namespace catalog {

class RecordSet;

class FieldBase {
public:
    virtual ~FieldBase() = default;
    FieldBase() = default;
    FieldBase(const FieldBase&) = delete;  // the record set keeps our address
    FieldBase& operator=(const FieldBase&) = delete;

    bool IsNull() const { return null_; }
    // Given a value since AddNew(): such fields, and only they, are inserted.
    bool IsAssigned() const { return assigned_; }
    virtual SqlType type() const = 0;

protected:
    friend class RecordSet;
    virtual SqlValue ToSql() const = 0;
    virtual void Load(const SqlValue& value) = 0;  // from a fetched row
    virtual void ClearForNewRow() = 0;

    bool null_ = false;
    bool assigned_ = false;
};

// The SQL type a member of type T is exchanged as.
template <class T>
constexpr SqlType SqlTypeOf() {
    if constexpr (std::is_same_v<T, std::int32_t>)
        return SqlType::Integer;
    else if constexpr (std::is_same_v<T, std::int64_t>)
        return SqlType::BigInt;
    else if constexpr (std::is_same_v<T, double>)
        return SqlType::Double;
    else if constexpr (std::is_same_v<T, std::string>)
        return SqlType::Text;
    else {
        static_assert(std::is_same_v<T, Timestamp>, "no SQL type for this member");
        return SqlType::Timestamp;
    }
}

// Text columns are exchanged as variable-length character of at most this.
inline constexpr std::size_t kMaxFieldText = 255;

template <class T>
class RecordField final : public FieldBase {
public:
    explicit RecordField(T initial = T{}) : value_(std::move(initial)) {}

    RecordField& operator=(T value) {
        value_ = std::move(value);
        null_ = false;
        assigned_ = true;
        return *this;
    }
    const T& value() const { return value_; }
    operator const T&() const { return value_; }
    SqlType type() const override { return SqlTypeOf<T>(); }

private:
    SqlValue ToSql() const override {
        if (null_) return std::monostate{};
        return value_;
    }
    void Load(const SqlValue& value) override {
        assigned_ = false;
        null_ = std::holds_alternative<std::monostate>(value);
        value_ = null_ ? T{} : std::get<T>(value);
        if constexpr (std::is_same_v<T, std::string>) {
            if (value_.size() > kMaxFieldText) value_.resize(kMaxFieldText);
        }
    }
    void ClearForNewRow() override {
        value_ = T{};
        null_ = true;
        assigned_ = false;
    }

    T value_;
};

}  // namespace catalog
