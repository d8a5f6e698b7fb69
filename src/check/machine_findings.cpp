#include "check/machine_findings.h"

#include "check/finding_builders.h"
#include "check/machine_paths.h"
#include "check/text_helpers.h"
#include "check/utc_offset.h"
#include "program_files.h"
#include "render/strip_geometry.h"

namespace {

const char kEndsAtOnce[] = "Halvesta would end at once: without icon.ico it has no menu to be closed with.";
const char kFindsNothing[] = "Halvesta looks for icon.ico, config.ini and its font in the folder it is started in, "
                             "finds no icon there and ends at once, without a word.";
const char kBetterDriver[] = "Install the graphics driver from the maker of the graphics card or computer.";

std::string utc(int minutes)
{
    return "UTC" + offsetText(minutes);
}

void folderFindings(const MachineFacts& facts, std::vector<Finding>& findings)
{
    const std::string folder = quotedPath(facts.folder);
    if (!facts.program)
        findings.push_back(wholeFinding(FindingKind::ProgramMissing,
                                        std::string("There is no ") + kProgramFile + " in " + folder
                                            + ": the settings here are read only by a " + kProgramFile
                                            + " started in this folder. Unpack the whole release here, or "
                                              "check the folder that holds "
                                            + kProgramFile + "."));
    if (facts.icon == IconState::Missing)
        findings.push_back(wholeFinding(FindingKind::IconMissing,
                                        std::string(kEndsAtOnce) + " It is missing from " + folder
                                            + "; put the icon.ico of the release back beside " + kProgramFile + "."));
    else if (facts.icon == IconState::Unloadable)
        findings.push_back(wholeFinding(FindingKind::IconUnloadable,
                                        std::string(kEndsAtOnce) + " The icon.ico in " + folder
                                            + " is not an icon Windows can load; put the icon.ico of the release "
                                              "back beside "
                                            + kProgramFile + "."));
}

void loginFindings(const WindowsFacts& windows, std::vector<Finding>& findings)
{
    for (const StartEntry& entry : windows.startEntries) {
        const std::string home = quotedPath(folderOf(entry.program));
        if (!entry.startIn) {
            findings.push_back(wholeFinding(FindingKind::LoginRunValue,
                                            "At login, the Run value " + quotedPath(entry.location) + " starts "
                                                + quotedPath(entry.program) + " in the system folder: " + kFindsNothing
                                                + " Delete the value (in regedit), and put a shortcut to "
                                                + kProgramFile + " whose \"Start in\" is " + home
                                                + " in the Startup folder (Win+R, shell:startup)."));
        } else if (entry.startIn->empty() || !sameFolder(*entry.startIn, folderOf(entry.program))) {
            const std::string where = entry.startIn->empty()
                ? " with an empty \"Start in\", so Windows starts it in a folder of its own choosing (usually the "
                  "system folder): "
                : " in " + quotedPath(*entry.startIn) + ": ";
            findings.push_back(wholeFinding(FindingKind::LoginStartIn,
                                            "At login, the shortcut " + quotedPath(entry.location) + " starts "
                                                + quotedPath(entry.program) + where + kFindsNothing
                                                + " In the shortcut's Properties, set \"Start in\" to " + home + "."));
        }
    }
}

void runningFinding(const MachineFacts& facts, const WindowsFacts& windows, std::vector<Finding>& findings)
{
    if (!windows.running)
        return;
    std::string message = "Halvesta is running now";
    if (windows.runningFolder)
        message += ", from " + quotedPath(*windows.runningFolder);
    else
        message += " (Windows does not say from which folder: it may run elevated or as another user)";
    message += ": a change to config.ini takes effect only when it is restarted (Close from its icon's menu, "
               "then start halvesta.exe again).";
    if (windows.runningFolder && !sameFolder(*windows.runningFolder, facts.folder))
        message += " That copy reads the config.ini of its own folder, not this one.";
    findings.push_back(wholeFinding(FindingKind::RunningCopy, message));
}

void graphicsFindings(const GraphicsFacts& graphics, std::vector<Finding>& findings)
{
    const std::string driver = graphics.renderer.empty()
        ? std::string()
        : " (" + graphics.vendor + ", " + graphics.renderer + ", OpenGL " + graphics.version + ")";
    if (!graphics.pixelFormat)
        findings.push_back(wholeFinding(FindingKind::NoPixelFormat,
                                        std::string("The strip would show nothing: the graphics driver offers no "
                                                    "OpenGL pixel format for its window. ")
                                            + kBetterDriver));
    else if (!graphics.context)
        findings.push_back(wholeFinding(FindingKind::NoGlContext,
                                        std::string("The strip would show nothing: the graphics driver gives its "
                                                    "window no OpenGL context. ")
                                            + kBetterDriver));
    else if (graphics.upload == AtlasUpload::Padded)
        findings.push_back(wholeFinding(FindingKind::AtlasPadded,
                                        "The graphics driver" + driver
                                            + " follows OpenGL 1.1's texture rules, as Windows' own software "
                                              "OpenGL does in virtual machines and remote sessions: Halvesta "
                                              "pads its glyph atlas to a power-of-two size and the strip looks "
                                              "as usual. Nothing needs doing; a driver from the maker of the "
                                              "graphics card, where there is one, takes the atlas as it is."));
    else if (graphics.upload == AtlasUpload::Refused)
        findings.push_back(wholeFinding(FindingKind::AtlasRefused,
                                        "The strip would show no text: the graphics driver" + driver
                                            + " takes the glyph atlas in no form, not even padded to a "
                                              "power-of-two size. "
                                            + kBetterDriver));
}

void displayFinding(const DisplayFacts& display, std::vector<Finding>& findings)
{
    if (display.dpi <= 96)
        return;
    const int percent = scalingPercent(display.dpi);
    findings.push_back(wholeFinding(
        FindingKind::DisplayScaled,
        "The primary display is scaled to " + std::to_string(percent) + " % (" + std::to_string(display.dpi)
            + " dpi): Halvesta does not scale itself, so Windows draws its strip enlarged to about "
            + std::to_string(kStripWidth * display.dpi / 96) + " x " + std::to_string(kStripHeight * display.dpi / 96)
            + " pixels and the text looks blurred. For a sharp strip at its own size: in " + kProgramFile
            + "'s Properties, Compatibility, \"Change high DPI settings\", tick \"Override high DPI scaling "
              "behavior\" and choose \"Application\"; or set the display's scale to 100 %."));
}

void clockFinding(const ClockFacts& clock, std::vector<Finding>& findings)
{
    if (!clock.tz)
        return;
    const std::string zone = "the Windows zone " + quoted(clock.zone);
    const std::string follows = clock.offsetMinutes == clock.windowsOffsetMinutes
        ? "follow it (" + utc(clock.offsetMinutes) + " now, as " + zone + " gives too), not changes to " + zone
        : "follow it (" + utc(clock.offsetMinutes) + " now), not " + zone + " (" + utc(clock.windowsOffsetMinutes)
            + " now) nor its changes";
    findings.push_back(wholeFinding(FindingKind::TzSet,
                                    "TZ is set to " + quoted(*clock.tz)
                                        + " in the environment. The C runtime reads it before the Windows zone, "
                                          "so the strip's date and time "
                                        + follows
                                        + ". Unless that is meant, delete the TZ variable (Start, \"Edit "
                                          "environment variables for your account\", or the system's in System "
                                          "Properties) and restart Halvesta."));
}

} // namespace

int scalingPercent(int dpi)
{
    return (dpi * 100 + 48) / 96;
}

std::vector<Finding> machineFindings(const MachineFacts& facts)
{
    std::vector<Finding> findings;
    folderFindings(facts, findings);
    if (!facts.windows)
        return findings;
    loginFindings(*facts.windows, findings);
    runningFinding(facts, *facts.windows, findings);
    graphicsFindings(facts.windows->graphics, findings);
    displayFinding(facts.windows->display, findings);
    clockFinding(facts.windows->clock, findings);
    return findings;
}

std::vector<std::string> machineNotes(const MachineFacts& facts)
{
    std::vector<std::string> notes;
    if (!facts.windows)
        return notes;
    for (const StartEntry& entry : facts.windows->startEntries)
        if (!entry.thisCopy)
            notes.push_back((entry.startIn ? "The shortcut " : "The Run value ") + quotedPath(entry.location)
                            + " starts another copy of Halvesta, in " + quotedPath(folderOf(entry.program))
                            + ": at login that copy reads its own folder's config.ini, not this one.");
    return notes;
}
