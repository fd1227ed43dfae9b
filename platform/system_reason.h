// The system's reason for a failed call (an errno value) in the operator's
// words: the causes an operator meets have texts of our own, which the
// message catalogue translates; any other keeps the C library's text.
#pragma once

#include <string>

namespace platform {

std::string SystemReason(int error);

}  // namespace platform
