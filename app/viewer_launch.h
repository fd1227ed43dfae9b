// Opening the recording viewer from the main dialog: the station list's
// context menu item and its shortcut lead here.
#pragma once

#include <QKeySequence>

class CConverterDlg;
class QAbstractItemView;
class CRecordingViewer;

namespace app {

// The shortcut of the station list's "view recordings" entry.
QKeySequence ViewRecordingsShortcut();

// Opens a viewer on the single selected station, its source directory and the
// dialog's current time window, keeps its shading in step with the dialog's
// start and duration fields and its converted marks with the runs that end.
// nullptr (and nothing opens) unless exactly one station is selected.
CRecordingViewer* OpenRecordingViewer(CConverterDlg& dialog);

// A right click on the list only asks for its context menu: like the list box
// the station list stands for, it leaves the selection (and so the channel
// list) as it is.
void KeepSelectionOnRightClick(QAbstractItemView& view);

}  // namespace app
