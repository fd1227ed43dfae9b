#include "tests/cli/end_to_end/batch_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace cli_test {

BatchResult RunBatchProcess(const std::string& workDir, const std::vector<std::string>& args,
                            const std::vector<std::string>& env,
                            const std::function<void(pid_t)>& whileRunning) {
    std::vector<std::string> argStore = {KELVARON_BATCH};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStore;
    for (char** e = environ; *e; ++e) envStore.emplace_back(*e);
    envStore.insert(envStore.end(), env.begin(), env.end());
    std::vector<char*> envp;
    for (std::string& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);

    // stdout into a file of its own: a second pipe could fill while stderr is read.
    char outName[] = "/tmp/kelvaron-batch-out-XXXXXX";
    const int outFd = ::mkstemp(outName);
    if (outFd < 0) throw std::runtime_error("mkstemp");
    ::unlink(outName);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::dup2(pipeFds[1], STDERR_FILENO);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::dup2(outFd, STDOUT_FILENO);
        if (::chdir(workDir.c_str()) != 0) ::_exit(127);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (whileRunning) whileRunning(pid);
    BatchResult result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        result.errors.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(outFd, buffer, sizeof buffer, at);
        if (n <= 0) break;
        result.output.append(buffer, static_cast<std::size_t>(n));
        at += n;
    }
    ::close(outFd);
    return result;
}

namespace {

// Whether sig is pending for the whole process (its "ShdPnd" mask).
bool Pending(pid_t pid, int sig) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("ShdPnd:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (sig - 1)) & 1u;
    return false;
}

}  // namespace

void AskToStop(pid_t pid) {
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 500 && Pending(pid, SIGTERM); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    // Taking the signal and asking the run to stop are a few steps apart.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace cli_test
