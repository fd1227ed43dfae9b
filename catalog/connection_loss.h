// Telling the catalogue failures that no statement of a run can get past (a
// connection that went away, a catalogue that takes no writes) from the
// failures of one statement.
#pragma once

#include "catalog/database_error.h"

namespace catalog {

// True when the error says the connection itself is gone (SQLSTATE class 08,
// or the driver's own words for a server that closed it): the statement may
// be sound, the connection is not.
bool IsConnectionLost(const DatabaseError& error);

// True when the catalogue refuses every write for now: a read-only database
// or transaction, a full disk or database file. Opening the connection again
// does not help.
bool IsWriteRefused(const DatabaseError& error);

// True when a value did not fit its column or its index entry (a text longer
// than a VARCHAR, PostgreSQL's limit on an index row): the statement fails for
// this value alone.
bool IsValueTooLong(const DatabaseError& error);

}  // namespace catalog
