// A private directory for one test, removed with everything in it afterwards.
#pragma once

#include <string>
#include <string_view>

namespace testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string File(std::string_view name) const;
    // Writes a file below the directory and returns its full path.
    std::string Write(std::string_view name, std::string_view contents) const;

private:
    std::string path_;
};

// The whole content of a file ("" when missing).
std::string ReadFileBytes(const std::string& path);

}  // namespace testing_support
