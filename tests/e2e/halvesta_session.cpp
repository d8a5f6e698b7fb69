#include "halvesta_session.h"

#include "probe_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>

const char kStripClass[] = "MAINWINDOW_CLASSNAME";
const char kTrayClass[] = "TRAY_ICON_CLASSNAME";

unsigned long WindowFacts::number(const std::string& key) const
{
    const auto found = fields.find(key);
    if (found == fields.end())
        return 0xFFFFFFFFul;
    return std::stoul(found->second, nullptr, 0);
}

WindowFacts findWindow(const std::string& className)
{
    WindowFacts facts;
    const std::string answer = probe().ask("find " + className);
    if (answer.rfind("hwnd=", 0) != 0)
        return facts;
    facts.exists = true;
    // The title is last and may hold blanks.
    const size_t titleAt = answer.find(" title=");
    std::istringstream in(answer.substr(0, titleAt));
    std::string pair;
    while (in >> pair) {
        const size_t equals = pair.find('=');
        if (equals != std::string::npos)
            facts.fields[pair.substr(0, equals)] = pair.substr(equals + 1);
    }
    if (titleAt != std::string::npos)
        facts.fields["title"] = answer.substr(titleAt + 7);
    return facts;
}

int countWindows(const std::string& className, const std::string& title)
{
    const std::string answer = probe().ask("count " + className + (title.empty() ? "" : " " + title));
    if (answer.rfind("count=", 0) != 0)
        return -1;
    return std::stoi(answer.substr(6));
}

bool waitUntil(const std::function<bool()>& condition, int limitMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    do {
        if (condition())
            return true;
        sleepMs(50);
    } while (std::chrono::steady_clock::now() < deadline);
    return condition();
}

HalvestaRun::HalvestaRun()
{
    folder = makeTempDir("halvesta-e2e");
    const std::string dist = requiredEnv("HALVESTA_DIST");
    if (!folder.empty() && !dist.empty())
        copyTree(dist, folder);
}

HalvestaRun::~HalvestaRun()
{
    if (process.pid > 0) {
        probe().ask("msgboxok About Halvesta");
        probe().ask("menuesc");
        probe().ask(std::string("close ") + kStripClass);
        if (waitExit(10000) == -1)
            ADD_FAILURE() << "the program had to be killed at the end of the test";
    }
    if (::testing::Test::HasFailure() || std::getenv("HALVESTA_E2E_KEEP"))
        std::printf("kept for inspection: %s\n", folder.c_str());
    else
        removeTree(folder);
}

void HalvestaRun::writeConfig(const std::string& text) const
{
    writeBytes(path("config.ini"), text);
}

void HalvestaRun::launchOnly()
{
    process = startWine({"halvesta.exe"}, folder, path("wine.log"), environment);
}

bool HalvestaRun::running()
{
    int status = 0;
    return !hasExited(process, status);
}

bool HalvestaRun::start()
{
    launchOnly();
    const bool up = waitUntil(
        [&] {
            if (!running())
                return false;
            const WindowFacts strip = findWindow(kStripClass);
            return strip.exists && strip.number("visible") == 1 && probe().ask("iconexists") == "exists=1";
        },
        30000);
    return up && presented();
}

bool presented()
{
    return probe().ask("turns 3") == "ok";
}

int HalvestaRun::waitExit(int limitMs)
{
    return waitForExit(process, std::chrono::milliseconds(limitMs));
}

int HalvestaRun::closeAndWait()
{
    probe().ask(std::string("close ") + kStripClass);
    return waitExit(15000);
}

Screenshot HalvestaRun::screenshot(const std::string& name)
{
    EXPECT_TRUE(presented()) << "no frame presented before the screenshot";
    Screenshot shot = captureScreen();
    savePng(shot, path(name + ".png"));
    return shot;
}

std::string HalvestaRun::screenshotUntil(const std::string& name,
                                         const std::function<std::string(const Screenshot&)>& problems)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string found;
    do
        found = problems(screenshot(name));
    while (!found.empty() && std::chrono::steady_clock::now() < deadline);
    return found;
}
