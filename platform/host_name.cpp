#include "platform/host_name.h"

#include <unistd.h>

namespace platform {

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
    return name;
}

std::string ProcessIdentity() { return HostName() + ':' + std::to_string(::getpid()); }

}  // namespace platform
