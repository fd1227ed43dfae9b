#include "controls/duration_field.h"

#include "controls/mask_edit.h"

namespace controls {

void ConfigureDurationField(CMaskEdit& edit) {
    edit.m_bDateChecks = false;
    edit.m_bUseMask = true;
    edit.SetMask(kDurationMask, kDurationLiteral, kDurationValid);
    edit.SetMaskedText(kDefaultDuration);
}

}  // namespace controls
