#include "archive/trace_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <stdexcept>

#include "formats/tvx/tvx_header.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace_test_support.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempDir;
using trace_test::SampleBytes;
using trace_test::TreeBelow;

// Caps the size of any file this process writes (root ignores permissions,
// but not this); writes past it fail with EFBIG instead of a signal.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit");
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

struct Trace {
    char header[kTraceHeaderSize];
    std::vector<std::int16_t> samples;

    Trace(char fill, std::size_t count) : samples(count) {
        std::fill(std::begin(header), std::end(header), fill);
        for (std::size_t i = 0; i < count; ++i) samples[i] = static_cast<std::int16_t>(i * 7 - 300);
    }
    std::string bytes() const { return std::string(header, sizeof header) + SampleBytes(samples); }
};

// Header and samples, as the converter writes them.
void WriteWholeTrace(const std::string& dir, const std::string& path, const Trace& trace) {
    engine::TraceFileWriter file(dir, path, "/x.SHZ");
    file.Append(trace.header, sizeof trace.header);
    file.Append(trace.samples.data(), trace.samples.size() * sizeof(std::int16_t));
    file.Finish();
}

std::string ErrorOf(const std::string& dir, const std::string& path, const Trace& trace) {
    try {
        WriteWholeTrace(dir, path, trace);
    } catch (const TraceFileError& e) {
        return e.what();
    }
    return "";
}

TEST(TraceFile, HoldsHeaderThenSamplesAndNoTemporaryIsLeft) {
    TempDir dir;
    const Trace trace('h', 1000);
    EXPECT_EQ(ErrorOf(dir.path(), dir.File("x.SHZ"), trace), "");
    EXPECT_EQ(ReadFileBytes(dir.File("x.SHZ")), trace.bytes());
    EXPECT_EQ(TreeBelow(dir.path()), std::vector<std::string>{"x.SHZ"});
}

TEST(TraceFile, ATraceWithoutSamplesIsJustItsHeader) {
    TempDir dir;
    const Trace trace('h', 0);
    EXPECT_EQ(ErrorOf(dir.path(), dir.File("x.SHZ"), trace), "");
    EXPECT_EQ(ReadFileBytes(dir.File("x.SHZ")), std::string(512, 'h'));
}

TEST(TraceFile, RewritingReplacesTheEarlierFile) {
    TempDir dir;
    ASSERT_EQ(ErrorOf(dir.path(), dir.File("x.SHZ"), Trace('a', 5000)), "");
    const Trace second('b', 10);
    ASSERT_EQ(ErrorOf(dir.path(), dir.File("x.SHZ"), second), "");
    EXPECT_EQ(ReadFileBytes(dir.File("x.SHZ")), second.bytes());
    EXPECT_EQ(TreeBelow(dir.path()), std::vector<std::string>{"x.SHZ"});
}

TEST(TraceFile, AFailedWriteKeepsThePreviousFileAndRemovesTheTemporary) {
    TempDir dir;
    const Trace good('a', 100);
    ASSERT_EQ(ErrorOf(dir.path(), dir.File("x.SHZ"), good), "");
    for (rlim_t limit : {rlim_t{100}, rlim_t{512}, rlim_t{2000}}) {
        std::string error;
        {
            FileSizeLimit cap(limit);
            error = ErrorOf(dir.path(), dir.File("x.SHZ"), Trace('b', 4000));
        }
        EXPECT_EQ(error, "Ошибка записи файла /x.SHZ") << limit;
        EXPECT_EQ(ReadFileBytes(dir.File("x.SHZ")), good.bytes()) << limit;
        EXPECT_EQ(TreeBelow(dir.path()), std::vector<std::string>{"x.SHZ"}) << limit;
    }
}

TEST(TraceFile, AMissingDirectoryIsAnOpenFailure) {
    TempDir dir;
    EXPECT_EQ(ErrorOf(dir.File("absent"), dir.File("absent/x.SHZ"), Trace('a', 10)),
              "Ошибка открытия файла /x.SHZ");
    EXPECT_TRUE(TreeBelow(dir.path()).empty());
}

TEST(TraceFile, AFinalNameHeldByADirectoryIsAnOpenFailure) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("x.SHZ/inside"));
    EXPECT_EQ(ErrorOf(dir.path(), dir.File("x.SHZ"), Trace('a', 10)),
              "Ошибка открытия файла /x.SHZ");
    EXPECT_EQ(TreeBelow(dir.path()), (std::vector<std::string>{"x.SHZ", "x.SHZ/inside"}));
}

TEST(TraceFile, FailuresKeepTheirTextAndNameThePathAndTheSystemsReason) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("held.SHZ/inside"));
    const struct {
        std::string directory, path;
        rlim_t sizeLimit;
        const char *message, *reason;
    } cases[] = {
        {dir.File("absent"), dir.File("absent/x.SHZ"), RLIM_INFINITY,
         "Ошибка открытия файла /x.SHZ", "нет такого каталога"},
        {dir.path(), dir.File("held.SHZ"), RLIM_INFINITY, "Ошибка открытия файла /x.SHZ",
         "на этом месте каталог"},
        {dir.path(), dir.File("x.SHZ"), 1000, "Ошибка записи файла /x.SHZ", "файл слишком большой"},
    };
    for (const auto& c : cases) {
        std::string message, detail;
        try {
            FileSizeLimit cap(c.sizeLimit);
            const Trace trace('a', 1000);
            WriteWholeTrace(c.directory, c.path, trace);
        } catch (const TraceFileError& e) {
            message = e.what();
            detail = e.detail();
        }
        EXPECT_EQ(message, c.message) << c.path;
        EXPECT_EQ(detail, c.path + ": " + c.reason);
    }
}

}  // namespace
