// Numeric ids of the front end's resources and of the main dialog's controls.
#pragma once

namespace res {

enum ResourceId : int {
    kAboutDialog = 100,      // dialog template of the About box
    kAboutMenuText = 101,    // string: the About item's text
    kConverterDialog = 102,  // dialog template of the main dialog
    kAppIcon = 128,
    kCheckBoxBitmap = 129,  // two 16x16 check boxes, pure red transparent
    kExitIcon = 130,
    kConvertIcon = 132,
    kHoverCursor = 133,
    kConvertFileIcon = 134,
    kSelectAllIcon = 135,
    kClearIcon = 136,
    kDiskBitmap = 137,      // 16x16 picture of the free-space pane
    kDiskMaskBitmap = 138,  // its AND mask
};

// Ids of the main dialog's controls.
enum ControlId : int {
    kIdConvert = 1,
    kIdExit = 2,
    kIdStationList = 1000,
    kIdStartField = 1016,
    kIdDurationField = 1017,
    kIdConvertFiles = 1020,
    kIdGainCheck = 1023,
    kIdChannelList = 1024,
    kIdSelectAll = 1025,
    kIdClearStations = 1026,
};

// Indicator ids of the two status panes.
enum IndicatorId : int { kPaneFile = 101, kPaneFreeSpace = 102 };

}  // namespace res
