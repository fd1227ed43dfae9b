// Telling a catalogue connection that went away from other failures.
#pragma once

#include "catalog/database_error.h"

namespace catalog {

// True when the error says the connection itself is gone (SQLSTATE class 08,
// or the driver's own words for a server that closed it): the statement may
// be sound, the connection is not.
bool IsConnectionLost(const DatabaseError& error);

}  // namespace catalog
