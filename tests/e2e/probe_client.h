#pragma once

#include <sys/types.h>

#include <string>

// Talks to "probe.exe serve" under Wine: one command line out, one answer
// line back. Restarts the probe when it stops answering.
class ProbeClient {
public:
    ~ProbeClient();
    // The answer, or "timeout" when none came in time.
    std::string ask(const std::string& command, int timeoutMs = 10000);
    void stop();

private:
    bool start();
    bool readLine(std::string& line, int timeoutMs);

    pid_t pid = -1;
    int toProbe = -1;
    int fromProbe = -1;
    std::string pending;
};

// The probe shared by every test in the run.
ProbeClient& probe();
