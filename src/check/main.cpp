// halvesta-check: says what the program makes of a config.ini, and draws
// the strip it would show, before anyone restarts it.
#include "check/console.h"
#include "check/doctor.h"
#include "check/findings.h"
#include "check/line_texts.h"
#include "check/preview.h"
#include "check/report.h"
#include "check/watch.h"
#include "program_files.h"

#include <cstdio>
#include <ctime>
#include <string>

#if defined(_MSC_VER)
#pragma warning(disable : 4996) // localtime: one thread, nothing to race with
#endif

namespace {

// Beyond the check's own 0, 1 and 2.
constexpr int kUsageError = 3;

const char kUsage[] =
    "usage: halvesta-check [--json] [--no-wait] [--watch] [--preview FILE.png]\n"
    "                      [--at \"YYYY-MM-DD HH:MM:SS\"] [--power AC,PERCENT | --power none] [PATH]\n"
    "       halvesta-check --doctor [--json] [--no-wait] [FOLDER]\n"
    "Says what Halvesta makes of PATH (default: config.ini in the current folder).\n"
    "--watch: again each time the file changes, until Ctrl-C (then status 0).\n"
    "--doctor: FOLDER's config.ini, and why a Halvesta started in FOLDER might not show, start at login\n"
    "or look right on this machine (default: the folder that holds halvesta-check).\n"
    "Exit status: 0 no findings, 1 findings, 2 the file cannot be read, 3 a wrong command line\n"
    "or a preview that cannot be made.\n";

struct Options {
    std::string path = kSettingsFile;
    bool json = false;
    bool wait = true;
    bool watch = false;
    bool doctor = false;
    bool pathGiven = false;
    std::string previewPath;
    std::string at;
    std::string power;
};

int usageError(const std::string& problem)
{
    std::fprintf(stderr, "halvesta-check: %s\n%s", problem.c_str(), kUsage);
    return kUsageError;
}

// 0 when the options are sound, else the exit status to end with.
int parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return -1;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--no-wait") {
            options.wait = false;
        } else if (argument == "--watch") {
            options.watch = true;
        } else if (argument == "--doctor") {
            options.doctor = true;
        } else if (argument == "--preview" || argument == "--at" || argument == "--power") {
            std::string& into = argument == "--preview" ? options.previewPath
                : argument == "--at"                    ? options.at
                                                        : options.power;
            if (!value(into) || into.empty())
                return usageError(argument + " needs a value");
        } else if (argument.size() > 1 && argument[0] == '-') {
            return usageError("unknown option " + argument);
        } else if (options.pathGiven) {
            return usageError("one settings file or folder at a time");
        } else {
            options.path = argument;
            options.pathGiven = true;
        }
    }
    if (options.doctor && (options.watch || !options.previewPath.empty()))
        return usageError("--doctor checks the machine once, without --watch or --preview");
    return 0;
}

int writePreview(const Options& options, const CheckResult& result, const RgbaPixels& atlas)
{
    std::tm local = {};
    if (!options.at.empty()) {
        if (!parseMoment(options.at, local))
            return usageError("--at wants \"YYYY-MM-DD HH:MM:SS\", not \"" + options.at + "\"");
    } else {
        const std::time_t now = std::time(nullptr);
        const std::tm* current = std::localtime(&now);
        if (!current)
            return usageError("the clock cannot be read; give --at");
        local = *current;
    }
    PowerReading power{false, 0, 0};
    if (!options.power.empty()) {
        if (!parsePower(options.power, power))
            return usageError("--power wants AC,PERCENT (each 0 to 255) or none, not \"" + options.power + "\"");
    } else if (!readSystemPower(power) && result.settings.showBattery) {
        return usageError("this system has no power status to read; give --power");
    }

    // Without a readable file the program creates no line at all.
    Settings settings = result.settings;
    if (result.file != FileState::Read)
        settings.showDate = settings.showTime = settings.showBattery = false;
    if (!savePng(renderStrip(settings, lineTextsAt(local, power), atlas), options.previewPath)) {
        std::fprintf(stderr, "halvesta-check: cannot write %s\n", options.previewPath.c_str());
        return kUsageError;
    }
    return 0;
}

std::string momentText(std::time_t when, const char* format)
{
    char text[32];
    const std::tm* local = std::localtime(&when);
    return local ? std::string(text, std::strftime(text, sizeof text, format, local)) : std::string();
}

// Checks the file, writes the preview if asked, prints the report; the
// exit status for this check.
int checkAndReport(const Options& options, bool watching)
{
    RgbaPixels atlas;
    CheckResult result;
    if (options.doctor) {
        result = doctorCheck(options.pathGiven ? options.path : ownFolder());
    } else {
        atlas = loadImage(atlasPathFor(options.path));
        result = checkConfig(options.path, atlas);
    }
    int status = 0;
    if (!options.previewPath.empty())
        status = writePreview(options, result, atlas);
    const std::time_t now = std::time(nullptr);
    std::string report = options.json ? jsonReport(result) : peopleReport(result);
    if (watching && options.json)
        report = oneLineJson(report, momentText(now, "%Y-%m-%d %H:%M:%S")) + "\n";
    else if (watching)
        report = "\n== " + momentText(now, "%H:%M:%S") + " " + options.path + "\n" + report;
    std::fwrite(report.data(), 1, report.size(), stdout);
    std::fflush(stdout);
    return status != 0 ? status : result.exitStatus();
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    const int parsed = parseOptions(argc, argv, options);
    if (parsed != 0)
        return parsed < 0 ? 0 : parsed;

    const Utf8Output utf8;
    if (options.watch) {
        endWithZeroWhenConsoleCloses();
        watchFile(options.path, [&] { checkAndReport(options, true); });
        return 0;
    }
    const int status = checkAndReport(options, false);
    if (options.wait && ownsItsConsole()) {
        std::fputs("\nPress any key to close.\n", stdout);
        std::fflush(stdout);
        waitForKey();
    }
    return status;
}
