#include "check/watch.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int)
{
    stopRequested = 1;
}

// Sleeps up to `duration` in short steps; false once a stop is requested.
bool pause(std::chrono::milliseconds duration)
{
    const auto step = std::chrono::milliseconds(20);
    for (auto slept = std::chrono::milliseconds(0); slept < duration && !stopRequested; slept += step)
        std::this_thread::sleep_for(step);
    return !stopRequested;
}

} // namespace

FileSnapshot snapshotOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return {true, bytes.str()};
}

std::string oneLineJson(const std::string& json, const std::string& checkedAt)
{
    // Strings hold no raw line break, so one ends only indentation.
    std::string out;
    bool indenting = false;
    for (const char c : json) {
        if (c == '\n')
            indenting = true;
        else if (!(indenting && c == ' ')) {
            indenting = false;
            out += c;
        }
    }
    const std::string field = "\"checked_at\": \"" + checkedAt + "\", ";
    return out.empty() || out[0] != '{' ? out : "{" + field + out.substr(1);
}

void watchFile(const std::string& path, const std::function<void()>& report)
{
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    FileSnapshot reported = snapshotOf(path);
    report();
    while (pause(std::chrono::milliseconds(500))) {
        FileSnapshot seen = snapshotOf(path);
        while (seen != reported && pause(std::chrono::milliseconds(200))) {
            const FileSnapshot again = snapshotOf(path);
            if (again == seen) {
                reported = again;
                report();
                break;
            }
            seen = again;
        }
    }
}
