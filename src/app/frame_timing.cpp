#include "app/frame_timing.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kParts = static_cast<int>(FramePart::Count);

struct Timing {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER partStart[kParts]{};
    double current[kParts]{};
    std::vector<double> samples[kParts + 1]; // the parts, then the whole turn
    double startupMs = -1.0;
    double deadlineMs = -1.0;
    bool closePosted = false;
};

Timing& timing()
{
    static Timing state = [] {
        Timing t;
        QueryPerformanceFrequency(&t.frequency);
        for (auto& s : t.samples)
            s.reserve(1 << 16);
        if (const char* seconds = std::getenv("HALVESTA_BENCH_SECONDS"))
            t.deadlineMs = std::atof(seconds) * 1000.0;
        return t;
    }();
    return state;
}

double millisecondsSinceProcessStart()
{
    FILETIME creation, exitTime, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER start, current;
    start.LowPart = creation.dwLowDateTime;
    start.HighPart = creation.dwHighDateTime;
    current.LowPart = now.dwLowDateTime;
    current.HighPart = now.dwHighDateTime;
    return static_cast<double>(current.QuadPart - start.QuadPart) / 10000.0;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

} // namespace

void frameTimingStartPart(FramePart part)
{
    QueryPerformanceCounter(&timing().partStart[static_cast<int>(part)]);
}

void frameTimingEndPart(FramePart part)
{
    Timing& t = timing();
    LARGE_INTEGER end;
    QueryPerformanceCounter(&end);
    const int i = static_cast<int>(part);
    t.current[i] =
        static_cast<double>(end.QuadPart - t.partStart[i].QuadPart) * 1e6 / static_cast<double>(t.frequency.QuadPart);
}

void frameTimingFramePresented()
{
    Timing& t = timing();
    if (t.startupMs < 0.0)
        t.startupMs = millisecondsSinceProcessStart();
    double turn = 0.0;
    for (int i = 0; i < kParts; ++i) {
        t.samples[i].push_back(t.current[i]);
        turn += t.current[i];
        t.current[i] = 0.0;
    }
    t.samples[kParts].push_back(turn);
}

void frameTimingCheckDeadline(void* window)
{
    Timing& t = timing();
    if (t.deadlineMs > 0.0 && !t.closePosted && millisecondsSinceProcessStart() >= t.deadlineMs) {
        PostMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0);
        t.closePosted = true;
    }
}

void frameTimingReport()
{
    Timing& t = timing();
    const char* path = std::getenv("HALVESTA_TIMING_FILE");
    std::FILE* out = std::fopen(path ? path : "frame-timing.txt", "w");
    if (!out)
        return;
    // The first turns pay for shader and texture set-up: leave them out.
    const std::size_t warmUp = 30;
    const char* names[kParts + 1] = {"update_us", "render_us", "present_us", "turn_us"};
    for (int i = 0; i <= kParts; ++i) {
        std::vector<double> steady = t.samples[i];
        if (steady.size() > warmUp)
            steady.erase(steady.begin(), steady.begin() + warmUp);
        std::fprintf(out, "%s %.1f\n", names[i], median(steady));
    }
    std::fprintf(out, "frames %zu\n", t.samples[kParts].size());
    std::fprintf(out, "startup_ms %.1f\n", t.startupMs);

    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    std::fprintf(out, "peak_working_set_kib %zu\n", static_cast<size_t>(memory.PeakWorkingSetSize / 1024));
    // Wine leaves PrivateUsage at 0; the commit charge is the same figure.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    std::fprintf(out, "private_kib %zu\n", static_cast<size_t>(privateBytes / 1024));

    FILETIME creation, exitTime, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    const double cpuMs =
        (static_cast<double>(kernel.dwLowDateTime) + static_cast<double>(kernel.dwHighDateTime) * 4294967296.0
         + static_cast<double>(user.dwLowDateTime) + static_cast<double>(user.dwHighDateTime) * 4294967296.0)
        / 10000.0;
    std::fprintf(out, "process_cpu_ms %.0f\n", cpuMs);
    std::fclose(out);
}
