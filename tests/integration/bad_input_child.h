#pragma once

// Runs the real executable as a child process for the bad-input tests: the
// RANKMINER_* hosts of the parent are replaced by the given ones, stdin comes
// from a file and stdout/stderr go into files of a temporary folder.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/bytes.h"

extern char** environ;

namespace rankminer::testing {

// A ceiling for a child that hangs, far above any normal run.
constexpr auto kChildCeiling = std::chrono::seconds(60);

struct ChildResult {
    int exitCode = -1;  // -1 when the child did not exit normally
    int signal = 0;     // the signal that ended it; 0 when it exited
    bool timedOut = false;
    std::string out;
    std::string err;
};

class ChildProcess {
public:
    ChildProcess(const TempDir& dir, std::vector<std::string> arguments,
                 const std::vector<std::string>& environment, const std::string& input = {})
        : out_(dir.file("child.stdout")), err_(dir.file("child.stderr")) {
        arguments.insert(arguments.begin(), RANKMINER_BINARY);
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            if (!std::string_view(*e).starts_with("RANKMINER_")) {
                env.emplace_back(*e);
            }
        }
        env.insert(env.end(), environment.begin(), environment.end());
        std::vector<char*> argv;
        for (auto& a : arguments) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& e : env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(),
                                         O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        spawnError_ = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawnError_ != 0) {
            pid_ = -1;
        }
    }
    ~ChildProcess() {
        if (pid_ > 0 && !reaped_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    int spawnError() const { return spawnError_; }
    pid_t pid() const { return pid_; }
    bool running() {
        if (reaped_) {
            return false;
        }
        const pid_t done = waitpid(pid_, &status_, WNOHANG);
        reaped_ = done == pid_;
        return !reaped_;
    }
    void interrupt() const { kill(pid_, SIGINT); }
    std::string stdoutBytes() const { return readFileBytes(out_); }

    // Waits for the end (killing the child past the ceiling) and collects
    // what it printed.
    ChildResult finish() {
        ChildResult result;
        const auto deadline = std::chrono::steady_clock::now() + kChildCeiling;
        while (running()) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status_, 0);
                reaped_ = true;
                result.timedOut = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (!result.timedOut) {
            if (WIFEXITED(status_)) {
                result.exitCode = WEXITSTATUS(status_);
            } else if (WIFSIGNALED(status_)) {
                result.signal = WTERMSIG(status_);
            }
        }
        result.out = readFileBytes(out_);
        result.err = readFileBytes(err_);
        return result;
    }

private:
    std::string out_;
    std::string err_;
    pid_t pid_ = -1;
    int spawnError_ = 0;
    int status_ = 0;
    bool reaped_ = false;
};

// Polls until `ready` holds or the child ends; false when it ended first or
// the ceiling passed.
template <typename Ready>
bool waitUntil(ChildProcess& child, Ready ready) {
    const auto deadline = std::chrono::steady_clock::now() + kChildCeiling;
    while (std::chrono::steady_clock::now() < deadline) {
        if (ready()) {
            return true;
        }
        if (!child.running()) {
            return ready();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

inline int countLines(std::string_view bytes, std::string_view end = "\r\n") {
    int lines = 0;
    for (std::size_t p = bytes.find(end); p != std::string_view::npos;
         p = bytes.find(end, p + end.size())) {
        ++lines;
    }
    return lines;
}

// Makes the folder read-only; false when the process may write into it anyway
// (root ignores the mode bits), so the caller can skip.
inline bool makeReadOnly(const std::string& folder) {
    return chmod(folder.c_str(), 0555) == 0 && access(folder.c_str(), W_OK) != 0;
}

}  // namespace rankminer::testing
