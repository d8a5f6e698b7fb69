#pragma once

// What the doctor found on this machine, in the words and paths of the
// system (UTF-8). The enums' order is that of their names in the report.
#include <optional>
#include <string>
#include <vector>

// "present": seen, but it takes Windows to load it.
enum class IconState { Loads, Missing, Unloadable, Present };

enum class StartSource { StartupFolder, AllUsersStartupFolder, RunUser, RunMachine64, RunMachine32 };

// One shortcut or Run value that starts a halvesta.exe at login.
struct StartEntry {
    StartSource source = StartSource::StartupFolder;
    std::string location;               // the shortcut's file, or the value's key and name
    std::string program;                // the exe it starts
    std::optional<std::string> startIn; // a shortcut's "Start in"; none for a Run value
    bool thisCopy = false;              // the checked folder's own halvesta.exe
};

enum class AtlasUpload { AsItIs, Padded, Refused, NotTried };

struct GraphicsFacts {
    bool pixelFormat = false;
    bool context = false;
    std::string vendor;
    std::string renderer;
    std::string version;
    AtlasUpload upload = AtlasUpload::NotTried; // not tried: no context, or no atlas to upload
};

struct DisplayFacts {
    int width = 0;
    int height = 0;
    int dpi = 96;
};

struct ClockFacts {
    std::string zone;
    int windowsOffsetMinutes = 0; // the Windows zone's, now
    int offsetMinutes = 0;        // what the date and time lines use, now
    std::optional<std::string> tz;
};

// What only Windows can tell.
struct WindowsFacts {
    std::vector<StartEntry> startEntries;
    bool running = false;
    std::optional<std::string> runningFolder;
    GraphicsFacts graphics;
    DisplayFacts display;
    ClockFacts clock;
    std::string battery;
};

struct MachineFacts {
    std::string folder;
    bool program = false;
    IconState icon = IconState::Missing;
    std::optional<WindowsFacts> windows; // none off Windows
};
