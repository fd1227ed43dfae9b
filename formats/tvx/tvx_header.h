// The 512-byte text header that begins every TVX 4.0 trace file.
#pragma once

#include <string>

inline constexpr int kTraceHeaderSize = 512;

void BuildTraceHeader(char (&block)[kTraceHeaderSize], const std::string& station,
                      const std::string& channel, double start, double duration, double rate);
