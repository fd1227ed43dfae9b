// The duration of the time window: a plain masked edit holding DDD hh:mm:ss
// (whole days, blank, hours, minutes, seconds).
#pragma once

class CMaskEdit;

namespace controls {

inline constexpr const char* kDurationMask = "000 00:00:00";
inline constexpr const char* kDurationLiteral = "___ __:__:__";
// '0', '1', blank and ':' may be typed over any input position.
inline constexpr const char* kDurationValid = "000 00:01:00";
inline constexpr const char* kDefaultDuration = "000 00:30:00";

// Date checks off, mask on with the duration mask, text "000 00:30:00".
void ConfigureDurationField(CMaskEdit& edit);

}  // namespace controls
