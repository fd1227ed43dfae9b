#include "catalog/record_set.h"

#include <strings.h>

#include <stdexcept>

#include "catalog/identifier_quoting.h"
#include "catalog/odbc_row_stream.h"
#include "catalog/odbc_statement.h"
#include "catalog/row_replace.h"

namespace catalog {

namespace {

bool SameColumn(std::string_view a, std::string_view b) {
    a = BareName(a);
    b = BareName(b);
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

RecordSet::RecordSet(OdbcConnection& database) : database_(database) {}

RecordSet::~RecordSet() { Close(); }

void RecordSet::BindField(std::string column, FieldBase& field, Role role) {
    columns_.push_back({std::move(column), &field, role == Role::Key});
}

void RecordSet::SetFilter(std::vector<FilterTerm> terms) { filter_ = std::move(terms); }

std::string RecordSet::Quote(const std::string& sql) const {
    return ReplaceBrackets(sql, database_.IdentifierQuoteChar());
}

std::string RecordSet::SelectSql() const {
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (i) sql += ',';
        sql += columns_[i].name;
    }
    sql += " FROM " + GetDefaultSQL();
    for (std::size_t i = 0; i < filter_.size(); ++i)
        sql += (i ? " and " : " WHERE ") + filter_[i].column + "=?";
    return Quote(sql);
}

void RecordSet::Open() {
    Close();
    OdbcStatement statement(database_);
    std::vector<SqlValue> params;
    for (const FilterTerm& term : filter_) params.push_back(term.value);
    statement.Execute(SelectSql(), params);
    std::vector<SqlType> types;
    for (const Column& column : columns_) types.push_back(column.field->type());
    OdbcRowStream rows(statement, std::move(types));
    while (const std::vector<SqlValue>* row = rows.Next()) rows_.push_back(*row);
    open_ = true;
    current_ = 0;
    LoadCurrentRow();
}

bool RecordSet::IsEOF() const { return !open_ || current_ >= rows_.size(); }

void RecordSet::MoveNext() {
    if (IsEOF()) return;
    ++current_;
    LoadCurrentRow();
}

void RecordSet::LoadCurrentRow() {
    if (IsEOF()) return;
    const std::vector<SqlValue>& row = rows_[current_];
    for (std::size_t i = 0; i < columns_.size(); ++i) columns_[i].field->Load(row[i]);
}

const SqlValue* RecordSet::PinnedByFilter(const std::string& column) const {
    for (const FilterTerm& term : filter_)
        if (SameColumn(term.column, column)) return &term.value;
    return nullptr;
}

void RecordSet::Delete() {
    if (IsEOF()) throw std::logic_error("RecordSet::Delete without a current row");
    std::string sql = "DELETE FROM " + GetDefaultSQL();
    std::vector<SqlValue> params;
    bool first = true;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const Column& column = columns_[i];
        if (!column.key) continue;
        // A key column the filter pinned matched that exact value; the fetched
        // copy may have lost digits on the way (the SQLite driver renders
        // doubles through 15-digit text), so the pinned value finds the row.
        const SqlValue* pinned = PinnedByFilter(column.name);
        const SqlValue& value = pinned ? *pinned : rows_[current_][i];
        sql += (first ? " WHERE " : " AND ") + column.name;
        first = false;
        if (std::holds_alternative<std::monostate>(value)) {
            sql += " IS NULL";
        } else {
            sql += "=?";
            params.push_back(value);
        }
    }
    if (first) throw std::logic_error("RecordSet::Delete on a record set without key columns");
    OdbcStatement statement(database_);
    statement.Execute(Quote(sql), params);
}

void RecordSet::AddNew() {
    for (Column& column : columns_) column.field->ClearForNewRow();
    adding_ = true;
}

std::string RecordSet::InsertSql(std::vector<SqlValue>& params) const {
    std::string names;
    std::string markers;
    for (const Column& column : columns_) {
        if (!column.field->IsAssigned()) continue;
        if (!params.empty()) {
            names += ',';
            markers += ',';
        }
        names += column.name;
        markers += '?';
        params.push_back(column.field->ToSql());
    }
    std::string sql = "INSERT INTO " + GetDefaultSQL();
    sql += params.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + markers + ")";
    return Quote(sql);
}

void RecordSet::Update() {
    if (!adding_) throw std::logic_error("RecordSet::Update without AddNew");
    std::vector<SqlValue> params;
    const std::string sql = InsertSql(params);
    OdbcStatement statement(database_);
    statement.Execute(sql, params);
    adding_ = false;
}

void RecordSet::Replace() {
    if (!adding_) throw std::logic_error("RecordSet::Replace without AddNew");
    if (filter_.empty()) throw std::logic_error("RecordSet::Replace without a filter");
    RowReplace row;
    row.table = GetDefaultSQL();
    std::string sql = "DELETE FROM " + GetDefaultSQL();
    for (std::size_t i = 0; i < filter_.size(); ++i) {
        sql += (i ? " and " : " WHERE ") + filter_[i].column + "=?";
        row.keyValues.push_back(filter_[i].value);
    }
    row.deleteSql = Quote(sql);
    row.insertSql = InsertSql(row.rowValues);
    ReplaceRow(database_, row);
    adding_ = false;
}

void RecordSet::Close() {
    rows_.clear();
    current_ = 0;
    open_ = false;
    adding_ = false;
}

}  // namespace catalog
