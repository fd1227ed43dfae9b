// Replays inputs through the recorder fuzz target's entry point without
// libFuzzer, so that a gcc build (plain or with ASan and UBSan) runs the
// regression inputs and the generated hostile recordings as a test.
//
//   convert_recording_replay DIR|FILE...
//
// Each file is fed once; a crash or sanitizer report ends the process. The
// exit status is 2 when no input was found at all.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> Inputs(const std::filesystem::path& where) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    if (std::filesystem::is_directory(where, error)) {
        for (const auto& entry : std::filesystem::directory_iterator(where, error))
            if (entry.is_regular_file(error)) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else if (std::filesystem::is_regular_file(where, error)) {
        files.push_back(where);
    } else {
        std::fprintf(stderr, "convert_recording_replay: no such file or directory: %s\n",
                     where.c_str());
    }
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& file : Inputs(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
            if (!in.is_open() || in.bad()) {
                std::fprintf(stderr, "convert_recording_replay: cannot read %s\n", file.c_str());
                return 2;
            }
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return replayed > 0 ? 0 : 2;
}
