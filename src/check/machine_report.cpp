#include "check/machine_report.h"

#include "check/machine_findings.h"
#include "check/report.h"
#include "check/text_helpers.h"
#include "check/utc_offset.h"

#include <iterator>

namespace {

// The words scripts match on, in each enum's order.
const char* const kIconNames[] = {"loads", "missing", "unloadable", "present"};
const char* const kSourceNames[] = {"startup-folder", "all-users-startup-folder", "run-user", "run-machine-64",
                                    "run-machine-32"};
const char* const kUploadNames[] = {"as-is", "padded", "refused", nullptr};

static_assert(std::size(kIconNames) == static_cast<std::size_t>(IconState::Present) + 1);
static_assert(std::size(kSourceNames) == static_cast<std::size_t>(StartSource::RunMachine32) + 1);
static_assert(std::size(kUploadNames) == static_cast<std::size_t>(AtlasUpload::NotTried) + 1);

const char* iconName(IconState state)
{
    return kIconNames[static_cast<int>(state)];
}

const char* sourceName(StartSource source)
{
    return kSourceNames[static_cast<int>(source)];
}

const char* uploadName(AtlasUpload upload)
{
    return kUploadNames[static_cast<int>(upload)];
}

std::string jsonText(const std::string& text)
{
    return text.empty() ? "null" : jsonString(text);
}

std::string jsonBool(bool value)
{
    return value ? "true" : "false";
}

std::string entriesJson(const std::vector<StartEntry>& entries)
{
    std::string out = "[";
    const char* separator = "\n";
    for (const StartEntry& entry : entries) {
        out += separator;
        out += "      {\"source\": \"" + std::string(sourceName(entry.source))
            + "\", \"location\": " + jsonString(entry.location) + ", \"program\": " + jsonString(entry.program)
            + ", \"start_in\": " + (entry.startIn ? jsonString(*entry.startIn) : "null")
            + ", \"this_copy\": " + jsonBool(entry.thisCopy) + "}";
        separator = ",\n";
    }
    return out + (entries.empty() ? "]" : "\n    ]");
}

std::string windowsJson(const WindowsFacts& windows)
{
    const GraphicsFacts& gl = windows.graphics;
    const char* upload = uploadName(gl.upload);
    std::string out;
    out += "    \"start_at_login\": " + entriesJson(windows.startEntries) + ",\n";
    out += "    \"running_copy\": {\"running\": " + jsonBool(windows.running)
        + ", \"folder\": " + (windows.runningFolder ? jsonString(*windows.runningFolder) : "null") + "},\n";
    out += "    \"opengl\": {\"pixel_format\": " + jsonBool(gl.pixelFormat) + ", \"context\": " + jsonBool(gl.context)
        + ", \"vendor\": " + jsonText(gl.vendor) + ", \"renderer\": " + jsonText(gl.renderer)
        + ", \"version\": " + jsonText(gl.version)
        + ", \"atlas_upload\": " + (upload ? "\"" + std::string(upload) + "\"" : "null") + "},\n";
    out += "    \"display\": {\"width\": " + std::to_string(windows.display.width) + ", \"height\": "
        + std::to_string(windows.display.height) + ", \"dpi\": " + std::to_string(windows.display.dpi)
        + ", \"scaling_percent\": " + std::to_string(scalingPercent(windows.display.dpi)) + "},\n";
    out += "    \"clock\": {\"zone\": " + jsonString(windows.clock.zone) + ", \"windows_offset\": \""
        + offsetText(windows.clock.windowsOffsetMinutes) + "\", \"offset\": \""
        + offsetText(windows.clock.offsetMinutes)
        + "\", \"tz\": " + (windows.clock.tz ? jsonString(*windows.clock.tz) : "null") + "},\n";
    out += "    \"battery\": " + jsonString(windows.battery) + "\n";
    return out;
}

std::string entryLine(const StartEntry& entry)
{
    std::string line = std::string(entry.startIn ? "shortcut " : "Run value ") + quotedPath(entry.location)
        + "\n                    starts " + quotedPath(entry.program) + " in ";
    if (!entry.startIn)
        line += "the system folder";
    else if (entry.startIn->empty())
        line += "a folder of Windows' choosing (\"Start in\" is empty)";
    else
        line += quotedPath(*entry.startIn);
    return line + (entry.thisCopy ? "" : " (another copy)") + "\n";
}

std::string graphicsLine(const GraphicsFacts& gl)
{
    if (!gl.pixelFormat)
        return "no pixel format for the strip's window\n";
    if (!gl.context)
        return "no OpenGL context for the strip's window\n";
    std::string line = gl.vendor + ", " + gl.renderer + ", OpenGL " + gl.version + "\n  glyph atlas     ";
    switch (gl.upload) {
    case AtlasUpload::AsItIs:
        return line + "taken as it is\n";
    case AtlasUpload::Padded:
        return line + "taken padded to a power-of-two size\n";
    case AtlasUpload::Refused:
        return line + "refused: the strip would show no text\n";
    case AtlasUpload::NotTried:
        break;
    }
    return line + "not tried: the atlas cannot be read\n";
}

std::string windowsLines(const WindowsFacts& windows)
{
    std::string out = "  start at login  ";
    if (windows.startEntries.empty())
        out += "nothing starts a halvesta.exe\n";
    for (std::size_t i = 0; i < windows.startEntries.size(); ++i)
        out += (i == 0 ? "" : "                  ") + entryLine(windows.startEntries[i]);
    out += "  running copy    ";
    if (!windows.running)
        out += "none\n";
    else
        out += windows.runningFolder ? "from " + quotedPath(*windows.runningFolder) + "\n"
                                     : "yes, from a folder Windows does not say\n";
    out += "  OpenGL          " + graphicsLine(windows.graphics);
    const DisplayFacts& display = windows.display;
    out += "  display         " + std::to_string(display.width) + " x " + std::to_string(display.height)
        + ", scaled to " + std::to_string(scalingPercent(display.dpi)) + " % (" + std::to_string(display.dpi)
        + " dpi)\n";
    const ClockFacts& clock = windows.clock;
    out += "  clock           Windows zone " + quoted(clock.zone) + " (UTC" + offsetText(clock.windowsOffsetMinutes)
        + " now); the strip uses UTC" + offsetText(clock.offsetMinutes) + " now"
        + (clock.tz ? ", from TZ=" + quoted(*clock.tz) : std::string()) + "\n";
    out += "  battery line    " + quoted(windows.battery) + "\n";
    return out;
}

} // namespace

std::string machineSection(const MachineFacts& facts, const std::vector<std::string>& notes)
{
    std::string out = "\nThis machine:\n";
    out += "  folder          " + quotedPath(facts.folder) + "\n";
    out += std::string("  halvesta.exe    ") + (facts.program ? "present" : "missing") + "\n";
    out += std::string("  icon.ico        ") + iconName(facts.icon) + "\n";
    if (facts.windows)
        out += windowsLines(*facts.windows);
    else
        out += "  The rest (start at login, a running copy, graphics, display, clock and battery) needs Windows: run "
               "halvesta-check.exe --doctor there.\n";
    for (const std::string& note : notes)
        out += "\n" + note + "\n";
    return out;
}

std::string machineJson(const MachineFacts& facts)
{
    std::string out = "{\n";
    out += "    \"folder\": " + jsonString(facts.folder) + ",\n";
    out += "    \"windows\": " + jsonBool(facts.windows.has_value()) + ",\n";
    out += "    \"program\": " + jsonBool(facts.program) + ",\n";
    out += "    \"icon\": \"" + std::string(iconName(facts.icon)) + "\",\n";
    if (facts.windows)
        out += windowsJson(*facts.windows);
    else
        out += "    \"start_at_login\": null,\n    \"running_copy\": null,\n    \"opengl\": null,\n"
               "    \"display\": null,\n    \"clock\": null,\n    \"battery\": null\n";
    return out + "  }";
}
