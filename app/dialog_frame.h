// The frame every dialog of ours takes from its template: caption, window
// flags, font and fixed size in dialog units.
#pragma once

#include <QDialog>

#include "res/dialog_templates.h"
#include "res/dialog_units.h"

// Returns the base units the dialog's controls are laid out with.
res::DialogBaseUnits SetUpDialogFrame(QDialog& dialog, const res::DialogTemplate& t);
