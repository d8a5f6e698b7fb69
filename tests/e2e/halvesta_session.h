#pragma once

#include "e2e_support.h"
#include "screenshot.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// Facts about one window as the probe reports them ("key=value ...").
struct WindowFacts {
    bool exists = false;
    std::map<std::string, std::string> fields;
    unsigned long number(const std::string& key) const;
};
WindowFacts findWindow(const std::string& className);
int countWindows(const std::string& className, const std::string& title = "");
// The display window's class and the tray's hidden window's class.
extern const char kStripClass[];
extern const char kTrayClass[];

// One copy of the program in a private copy of the dist folder. The
// destructor closes it if a test left it running.
class HalvestaRun {
public:
    HalvestaRun();
    ~HalvestaRun();
    HalvestaRun(const HalvestaRun&) = delete;
    HalvestaRun& operator=(const HalvestaRun&) = delete;

    const std::string& dir() const { return folder; }
    std::string path(const std::string& relative) const { return folder + "/" + relative; }
    void writeConfig(const std::string& text) const;

    // Starts the exe; true once the strip and the tray icon are up and a
    // frame has been presented.
    bool start();
    void launchOnly();
    // Posts WM_CLOSE to the strip and returns the exit code (-1: no exit).
    int closeAndWait();
    int waitExit(int limitMs);
    bool running();

    // A screenshot, saved beside the run as NAME.png for a person to look at.
    Screenshot screenshot(const std::string& name);
    // Screenshots until `problems` finds none in one, for 10 s at most: a
    // presented frame reaches the X server a moment later. The problems of
    // the last one; empty once one was right.
    std::string screenshotUntil(const std::string& name, const std::function<std::string(const Screenshot&)>& problems);

    ChildProcess process;
    // NAME=VALUE entries added to the program's environment.
    std::vector<std::string> environment;

private:
    std::string folder;
};

// True once whole turns of the frame loop, each with its present, have run
// since the call (several, as two answers may fall in one turn).
bool presented();
bool waitUntil(const std::function<bool()>& condition, int limitMs);
