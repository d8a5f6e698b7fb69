// halvesta-check --watch, the native build driven as a person editing the
// file would: each save reported, a removal too, Ctrl-C ending it with 0.
#include "json_validator.h"
#include "test_files.h"

#include <gtest/gtest.h>

#ifdef HALVESTA_CHECK
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

// The checker watching config.ini in `folder`, its output on a pipe.
class Watcher {
public:
    explicit Watcher(const std::string& folder)
    {
        int ends[2];
        if (pipe(ends) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            dup2(ends[1], STDOUT_FILENO);
            close(ends[0]);
            if (chdir(folder.c_str()) == 0)
                execl(HALVESTA_CHECK, HALVESTA_CHECK, "--watch", "--json", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ends[1]);
        output = ends[0];
    }
    ~Watcher()
    {
        if (pid > 0 && !ended) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (output >= 0)
            close(output);
    }

    // The next line, or "" when none comes within `limit`.
    std::string nextLine(std::chrono::milliseconds limit = std::chrono::seconds(2))
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        for (;;) {
            const std::size_t end = buffered.find('\n');
            if (end != std::string::npos) {
                const std::string line = buffered.substr(0, end);
                buffered.erase(0, end + 1);
                return line;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            pollfd ready{output, POLLIN, 0};
            if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
                return "";
            char chunk[4096];
            const ssize_t got = read(output, chunk, sizeof chunk);
            if (got <= 0)
                return "";
            buffered.append(chunk, static_cast<std::size_t>(got));
        }
    }

    // Its exit status after Ctrl-C, or -1 when it does not end within 2 s.
    int interrupt()
    {
        kill(pid, SIGINT);
        for (int i = 0; i < 100; ++i) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                ended = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }

private:
    pid_t pid = -1;
    int output = -1;
    bool ended = false;
    std::string buffered;
};

bool has(const std::string& line, const std::string& part)
{
    return line.find(part) != std::string::npos;
}

TEST(CheckWatch, ReportsEachSaveAndRemovalUntilCtrlC)
{
    ScratchDir folder;
    folder.write("config.ini", "[Display]\nshow_time=true\n");
    Watcher watcher(folder.path());
    const std::string first = watcher.nextLine();
    EXPECT_TRUE(JsonValidator::valid(first)) << first;
    EXPECT_TRUE(has(first, "\"checked_at\": \"")) << first;
    EXPECT_FALSE(has(first, "unknown-key")) << first;

    // Two saves of the same size within a second: each is reported.
    folder.write("config.ini", "[Display]\nshow_time=true\nfoo=1\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(900));
    folder.write("config.ini", "[Display]\nshow_time=true\nbar=1\n");
    const std::string firstSave = watcher.nextLine();
    EXPECT_TRUE(JsonValidator::valid(firstSave)) << firstSave;
    EXPECT_TRUE(has(firstSave, "\"key\": \"foo\"")) << firstSave;
    const std::string secondSave = watcher.nextLine();
    EXPECT_TRUE(has(secondSave, "\"key\": \"bar\"")) << secondSave;

    std::remove(folder.file("config.ini").c_str());
    const std::string gone = watcher.nextLine();
    EXPECT_TRUE(has(gone, "\"kind\": \"file-missing\"")) << gone;
    // Nothing more without a change.
    EXPECT_EQ(watcher.nextLine(std::chrono::milliseconds(1200)), "");
    EXPECT_EQ(watcher.interrupt(), 0);
}

} // namespace
#endif
