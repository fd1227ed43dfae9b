// Replacing a catalogue row: the rows of its key deleted and the new row
// inserted in one write transaction, serialised across converters.
#pragma once

#include <string>
#include <vector>

#include "catalog/database_error.h"
#include "catalog/odbc_connection.h"
#include "catalog/sql_value.h"

namespace catalog {

struct RowReplace {
    std::string table;  // names the lock of the key on PostgreSQL
    std::string deleteSql;
    std::vector<SqlValue> keyValues;  // the DELETE's parameters
    std::string insertSql;
    std::vector<SqlValue> rowValues;  // the INSERT's parameters
};

// Each statement is prepared once per connection. On PostgreSQL a lock on
// (table, key) held to the commit makes a second converter's replace of the
// same key wait and then see this row, whatever keys the table has; SQLite's
// write transaction serialises all writers (and waits up to 30 s for the
// lock). A replace that meets a unique-key or serialization conflict anyway
// (another program's writes) is tried again a few times before its error is
// raised. Raises DatabaseError.
void ReplaceRow(OdbcConnection& database, const RowReplace& row);

// True for the failures that another writer's transaction causes and that a
// second try may not meet.
bool IsWriteConflict(const DatabaseError& error);

}  // namespace catalog
