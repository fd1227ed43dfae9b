// Dialog templates 100 (About box) and 102 (main dialog) as data: every
// control's id, kind, text, style and rectangle in dialog units.
#pragma once

#include <span>

namespace res {

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    ListBox,
    GroupBox,
    ListView,
    Edit,
    AutoCheckBox,
    StaticText,
    Icon,
};

// Styles that matter to the front end (a subset of the window system's).
enum ControlStyle : unsigned {
    kTabStop = 1u << 0,
    kBorder = 1u << 1,
    kVScroll = 1u << 2,
    kNotify = 1u << 3,
    kSorted = 1u << 4,
    kNoIntegralHeight = 1u << 5,
    kExtendedSel = 1u << 6,
    kReportView = 1u << 7,
    kOwnerDrawFixed = 1u << 8,
    kAutoHScroll = 1u << 9,
    kDisabled = 1u << 10,
    kNoPrefix = 1u << 11,
};

enum DialogStyle : unsigned {
    kPopup = 1u << 0,
    kVisible = 1u << 1,
    kCaption = 1u << 2,
    kSysMenu = 1u << 3,
    kModalFrame = 1u << 4,
};

inline constexpr int kStaticId = -1;

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;  // UTF-8; "" for none
    unsigned style;
    int x, y, cx, cy;  // dialog units
};

struct DialogTemplate {
    int id;
    const char* caption;
    int cx, cy;  // dialog units
    const char* fontName;
    int pointSize;
    unsigned style;
    std::span<const ControlTemplate> controls;

    // The first control with this id, or nullptr.
    const ControlTemplate* Find(int controlId) const;
};

const DialogTemplate& ConverterDialogTemplate();  // 102
const DialogTemplate& AboutDialogTemplate();      // 100
// nullptr for an id without a template.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace res
