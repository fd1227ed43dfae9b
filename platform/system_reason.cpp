#include "platform/system_reason.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/operator_texts.h"

namespace platform {

std::string SystemReason(int error) {
    switch (error) {
        case ENOSPC:
            return texts::kNoSpace;
        case EDQUOT:
            return texts::kDiskQuotaExceeded;
        case EROFS:
            return texts::kReadOnlyFileSystem;
        case EACCES:
        case EPERM:
            return texts::kPermissionDenied;
        case ENAMETOOLONG:
            return texts::kNameTooLong;
        case ENOTDIR:
            return texts::kNotADirectory;
        case ENOENT:
            return texts::kNoSuchFile;
        case EEXIST:
            return texts::kFileExists;
        case EISDIR:
            return texts::kIsADirectory;
        case EFBIG:
            return texts::kFileTooLarge;
        case EIO:
            return texts::kInputOutputError;
        case EMFILE:
            return texts::kTooManyOpenFiles;
        case ENFILE:
            return texts::kTooManyOpenFilesInSystem;
        case EBUSY:
            return texts::kBusy;
        case ETXTBSY:
            return texts::kFileBusy;
        case ELOOP:
            return texts::kLinkLoop;
        default: {
            char text[160];
            std::snprintf(text, sizeof text, "%s (errno %d)", std::strerror(error), error);
            return text;
        }
    }
}

}  // namespace platform
