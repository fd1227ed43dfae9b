// The archive check's reasons in the operator's words: the catalogue's
// Russian text, its parts already in the interface language where the text
// joins several.
#pragma once

#include <string>

#include "archive/trace_file_check.h"

namespace cli {

std::string CheckReasonText(const engine::CheckReason& reason);

}  // namespace cli
