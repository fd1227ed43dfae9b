// The main dialog as the recording viewer sees it: its selected stations and
// time window as values, the station's source directory, the catalogue's
// traces of a station while no run holds the connection.
#pragma once

#include "app/viewer_host.h"

class CConverterDlg;
namespace catalog {
class OdbcConnection;
}

namespace app {

// A child of the dialog; says windowChanged when the start or duration field
// changes and runEnded when the dialog's run has ended.
ViewerHost* MakeDialogViewerHost(CConverterDlg& dialog, catalog::OdbcConnection& database);

}  // namespace app
