#include "res/dialog_templates.h"

#include "platform/operator_texts.h"
#include "res/resource_ids.h"

namespace res {
namespace {

namespace texts = platform::texts;

constexpr ControlTemplate kConverterControls[] = {
    {1, ControlKind::DefaultPushButton, texts::kConvertButton, kTabStop, 262, 10, 84, 21},
    {1020, ControlKind::PushButton, texts::kConvertFileButton, kTabStop, 262, 38, 84, 21},
    {2, ControlKind::PushButton, texts::kExitButton, kTabStop, 262, 66, 84, 21},
    {1000, ControlKind::ListBox, "",
     kBorder | kVScroll | kTabStop | kNotify | kSorted | kNoIntegralHeight | kExtendedSel, 7, 10,
     61, 128},
    {1025, ControlKind::PushButton, texts::kSelectAllButton, kTabStop, 7, 140, 64, 24},
    {1026, ControlKind::PushButton, texts::kClearSelectionButton, kTabStop, 7, 169, 64, 24},
    {kStaticId, ControlKind::GroupBox, texts::kChannelsGroup, 0, 74, 7, 186, 189},
    {1024, ControlKind::ListView, "", kBorder | kTabStop | kReportView | kOwnerDrawFixed, 76, 17,
     175, 118},
    {1016, ControlKind::Edit, "", kBorder | kTabStop | kAutoHScroll, 89, 146, 90, 14},
    {1017, ControlKind::Edit, "", kBorder | kTabStop | kAutoHScroll, 187, 146, 64, 14},
    {1023, ControlKind::AutoCheckBox, texts::kGainCheckBox, kDisabled | kTabStop, 85, 170, 156, 10},
};

constexpr ControlTemplate kAboutControls[] = {
    {kStaticId, ControlKind::Icon, "", 0, 11, 17, 0, 0},  // icon 128 at its own size
    {kStaticId, ControlKind::StaticText, "kelvaron 2.0", kNoPrefix, 40, 10, 119, 8},
    {1, ControlKind::DefaultPushButton, "OK", kTabStop, 178, 7, 32, 14},
};

constexpr unsigned kDialogStyle = kPopup | kVisible | kCaption | kSysMenu | kModalFrame;

const DialogTemplate kConverter{kConverterDialog, "kelvaron", 353,          227,
                                "MS Sans Serif",  8,          kDialogStyle, kConverterControls};
const DialogTemplate kAbout{kAboutDialog, "About kelvaron", 217, 55, "MS Sans Serif", 8,
                            kDialogStyle, kAboutControls};

}  // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
    for (const ControlTemplate& c : controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

const DialogTemplate& ConverterDialogTemplate() { return kConverter; }
const DialogTemplate& AboutDialogTemplate() { return kAbout; }

const DialogTemplate* FindDialogTemplate(int id) {
    if (id == kConverterDialog) return &kConverter;
    if (id == kAboutDialog) return &kAbout;
    return nullptr;
}

}  // namespace res
