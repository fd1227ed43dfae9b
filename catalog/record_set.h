// Base of the catalogue's record sets: bound fields in exchange order, a
// filter, a snapshot of the rows, delete by key, insert of a new row.
#pragma once

#include <string>
#include <vector>

#include "catalog/odbc_connection.h"
#include "catalog/record_field.h"
#include "catalog/sql_value.h"

namespace catalog {

// One condition of a filter: column = value, the value bound as a parameter.
struct FilterTerm {
    std::string column;
    SqlValue value;
};

class RecordSet {
public:
    explicit RecordSet(OdbcConnection& database);
    virtual ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    // The rows Open() selects: every term holds ("sta=? and tbegin=?").
    // No terms selects every row.
    void SetFilter(std::vector<FilterTerm> terms);

    // Runs the query and keeps its rows (a static snapshot); the first row,
    // if any, becomes current. Raises DatabaseError.
    void Open();
    bool IsOpen() const { return open_; }
    // No current row: the result was empty or MoveNext passed the last row.
    bool IsEOF() const;
    void MoveNext();
    // Deletes the current row from the table, found by its key columns.
    // Raises DatabaseError.
    void Delete();
    // Starts a new row with every field NULL and none assigned.
    void AddNew();
    // Stores the new row as one INSERT naming only the assigned fields, in
    // exchange order; the others take the table's defaults. Raises DatabaseError.
    void Update();
    // Stores the new row in place of the rows the filter selects: their
    // DELETE and the new row's INSERT in one write transaction of their own,
    // without a query first (see catalog/row_replace.h). Raises DatabaseError.
    void Replace();
    void Close();

    // The table the record set reads: brackets mark names to be quoted.
    virtual std::string GetDefaultSQL() const = 0;
    // For use without a shared connection; every record set here gets one.
    virtual std::string GetDefaultConnect() const { return "ODBC;DSN=TVX"; }

    // The SELECT that Open() sends, quoting already the driver's.
    std::string SelectSql() const;

protected:
    enum class Role { Data, Key };
    // Called by the constructor of a record set, once per column in exchange order.
    void BindField(std::string column, FieldBase& field, Role role = Role::Data);

private:
    struct Column {
        std::string name;
        FieldBase* field;
        bool key;
    };
    std::string Quote(const std::string& sql) const;
    void LoadCurrentRow();
    // The INSERT of the new row's assigned fields and its parameters.
    std::string InsertSql(std::vector<SqlValue>& params) const;
    const SqlValue* PinnedByFilter(const std::string& column) const;

    OdbcConnection& database_;
    std::vector<Column> columns_;
    std::vector<FilterTerm> filter_;
    std::vector<std::vector<SqlValue>> rows_;
    std::size_t current_ = 0;
    bool open_ = false;
    bool adding_ = false;
};

}  // namespace catalog
