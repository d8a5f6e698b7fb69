#include "probe_client.h"

#include "e2e_support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

ProbeClient::~ProbeClient()
{
    stop();
}

ProbeClient& probe()
{
    static ProbeClient client;
    return client;
}

bool ProbeClient::start()
{
    const char* probePath = std::getenv("HALVESTA_PROBE");
    if (!probePath)
        return false;
    int input[2];
    int output[2];
    if (pipe(input) != 0)
        return false;
    if (pipe(output) != 0) {
        close(input[0]);
        close(input[1]);
        return false;
    }
    pid = fork();
    if (pid == 0) {
        dup2(input[0], 0);
        dup2(output[1], 1);
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0)
            dup2(devNull, 2);
        close(input[1]);
        close(output[0]);
        execlp("wine", "wine", probePath, "serve", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(input[0]);
    close(output[1]);
    toProbe = input[1];
    fromProbe = output[0];
    pending.clear();
    signal(SIGPIPE, SIG_IGN);
    return pid > 0;
}

void ProbeClient::stop()
{
    if (pid <= 0)
        return;
    if (toProbe >= 0) {
        const char quit[] = "quit\n";
        [[maybe_unused]] const ssize_t written = write(toProbe, quit, sizeof quit - 1);
        close(toProbe);
        toProbe = -1;
    }
    ChildProcess child{pid};
    waitForExit(child, std::chrono::milliseconds(5000));
    if (fromProbe >= 0)
        close(fromProbe);
    fromProbe = -1;
    pid = -1;
}

bool ProbeClient::readLine(std::string& line, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const size_t newline = pending.find('\n');
        if (newline != std::string::npos) {
            line = pending.substr(0, newline);
            pending.erase(0, newline + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return false;
        pollfd waiting{fromProbe, POLLIN, 0};
        if (poll(&waiting, 1, static_cast<int>(left)) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = read(fromProbe, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        pending.append(buffer, static_cast<size_t>(got));
    }
}

std::string ProbeClient::ask(const std::string& command, int timeoutMs)
{
    if (pid <= 0 && !start())
        return "error probe did not start";
    const std::string line = command + "\n";
    if (write(toProbe, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        stop();
        return "error probe gone";
    }
    std::string answer;
    // The first command also waits for Wine to start the probe.
    if (!readLine(answer, timeoutMs + 20000)) {
        kill(pid, SIGKILL);
        stop();
        return "timeout";
    }
    return answer;
}
