// The reasons an operator meets are said in the run's language: Russian of
// our own, and the English catalogue's, never the C library's English.
#include "platform/system_reason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/message_catalogue.h"

namespace {

bool HasCyrillic(const std::string& text) {
    return text.find("\xD0") != std::string::npos || text.find("\xD1") != std::string::npos;
}

TEST(SystemReason, TheCommonCausesHaveTextsInBothLanguages) {
    const int errors[] = {EACCES,  EPERM,  ENOSPC, EROFS,  ENOENT, EEXIST,  EIO,          EDQUOT,
                          ENOTDIR, EISDIR, EMFILE, ENFILE, EBUSY,  ETXTBSY, ENAMETOOLONG, ELOOP};
    for (int error : errors) {
        const std::string russian = platform::SystemReason(error);
        const std::string english =
            platform::TranslateMessage(russian, platform::InterfaceLanguage::English);
        EXPECT_TRUE(HasCyrillic(russian)) << std::strerror(error) << ": " << russian;
        EXPECT_FALSE(HasCyrillic(english)) << russian << ": " << english;
        EXPECT_FALSE(english.empty()) << russian;
    }
    // Any other keeps the system's words and says which it is.
    EXPECT_EQ(platform::SystemReason(EDOM),
              std::string(std::strerror(EDOM)) + " (errno " + std::to_string(EDOM) + ")");
}

}  // namespace
