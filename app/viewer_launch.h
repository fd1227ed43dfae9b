// Opening the recording viewer from the main dialog: the station list's
// context menu item and its shortcut lead here.
#pragma once

#include <QKeySequence>

class QAbstractItemView;
class QWidget;
class CRecordingViewer;

namespace app {

class ViewerHost;

// The shortcut of the station list's "view recordings" entry.
QKeySequence ViewRecordingsShortcut();

// Opens a viewer (a window owned by parent, placed beside it) on the host's
// single selected station, its source directory and the host's current time
// window, keeps its shading in step with the host's window and its converted
// marks with the runs that end; a viewer of that station already open is
// raised instead. nullptr (and nothing opens) unless exactly one station is
// selected.
CRecordingViewer* OpenRecordingViewer(ViewerHost& host, QWidget* parent);

// A right click on the list only asks for its context menu: like the list box
// the station list stands for, it leaves the selection (and so the channel
// list) as it is.
void KeepSelectionOnRightClick(QAbstractItemView& view);

}  // namespace app
