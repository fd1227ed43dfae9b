// The few file-system services the converter needs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Bytes free to this user on the volume that holds path; nullopt on failure.
std::optional<std::uint64_t> FreeBytesForCaller(const std::string& path);

// Creates one directory level; false when it could not (existing included).
bool CreateDirectoryLevel(const std::string& path);

// True when path is a symbolic link (the link itself, not what it names).
bool IsSymbolicLink(const std::string& path);

// False when path resolves (all links followed) to a place outside root's
// resolved directory. A path that cannot be resolved counts as inside: what
// cannot be reached cannot be written through either.
bool ResolvesInside(const std::string& path, const std::string& root);

inline constexpr std::uint64_t kMaxSettingsFileSize = 16u << 20;

enum class ReadResult { Ok, Missing, Failed };
// Reads a whole (small) file; a missing file reads as empty with Missing.
// Larger than maxSize is Failed.
ReadResult ReadWholeFile(const std::string& path, std::uint64_t maxSize, std::string& out);

}  // namespace platform
