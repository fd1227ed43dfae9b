// The one process-wide catalogue connection and its opening from tvx.ini.
#pragma once

#include <chrono>
#include <string>

#include "catalog/connection_string.h"
#include "catalog/odbc_connection.h"
#include "platform/message_sink.h"

namespace platform {
class IniFile;
}

// The connection a front end opens at start-up and hands to whatever uses the
// catalogue; closed when the front end ends. Nothing below the front ends
// reaches for it: record sets and the code over them take the connection.
extern catalog::OdbcConnection theDatabase;

// DATABASE/ODBC, USER and PASSWORD of tvx.ini, each cut to its length,
// defaults where missing.
catalog::CatalogueLogin ReadCatalogueLogin();
// The same from a tvx.ini already open.
catalog::CatalogueLogin ReadCatalogueLogin(platform::IniFile& tvxIni);

// Reads DATABASE/ODBC, USER, PASSWORD of tvx.ini and opens database.
// Returns 1 when it is open, 0 after telling the operator why not.
int OpenCatalogue(catalog::OdbcConnection& database, platform::MessageSink& messages);
// The same with the parameters already read.
int OpenCatalogue(catalog::OdbcConnection& database, platform::MessageSink& messages,
                  const catalog::CatalogueLogin& login);

// After a lost connection: opens database again with the parameters of its
// last opening, up to `tries` times with `pause` between. Returns "" once it
// is open, else the last refusal's text.
std::string ReopenCatalogue(catalog::OdbcConnection& database, int tries = 5,
                            std::chrono::milliseconds pause = std::chrono::milliseconds(1000));
