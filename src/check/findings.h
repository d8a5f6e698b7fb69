#pragma once

#include "check/machine_facts.h"
#include "check/rgba_pixels.h"
#include "config/settings.h"
#include "config/utf16_text.h"

#include <optional>
#include <string>
#include <vector>

enum class FindingKind {
    // The file as a whole (exit status 2 for the first three).
    FileMissing,
    FileIsFolder,
    FileUnreadable,
    Utf16,
    // A written value the strip does not use as written.
    NoLeadingHash,
    NotSevenCharacters,
    NotHexDigits,
    NotANumber,
    OutOfRange,
    BeyondLimit,
    NotFinite,
    NearZero,
    IgnoredTail,
    NotTrue,
    CommentInValue,
    // Names and lines the program passes over.
    DuplicateKey,
    UnknownSection,
    UnknownKey,
    WrongSection,
    OutsideSection,
    StrayLine,
    // What a person would see.
    InvisibleColour,
    GlyphSizeZero,
    GlyphSizeNegative,
    LineCutOff,
    LineOffStrip,
    LinesOverlap,
    NoLineShown,
    AtlasUnreadable,
    // The folder and the machine (--doctor).
    ProgramMissing,
    IconMissing,
    IconUnloadable,
    LoginStartIn,
    LoginRunValue,
    RunningCopy,
    NoPixelFormat,
    NoGlContext,
    AtlasPadded,
    AtlasRefused,
    DisplayScaled,
    TzSet,
};

// The kind as scripts see it, for example "not-a-number".
const char* kindName(FindingKind kind);

struct Finding {
    FindingKind kind = FindingKind::StrayLine;
    int line = 0; // 0: not tied to one line
    std::optional<std::string> section;
    std::optional<std::string> key;
    std::optional<std::string> written;   // as in the file, byte for byte
    std::optional<std::string> effective; // what the strip uses instead
    std::string message;                  // plain words, valid UTF-8
};

// One of the eight settings as the strip will use it.
struct SettingUse {
    const char* section = "";
    const char* key = "";
    std::string effective;
    int line = 0; // 0: the default, nothing written
    std::optional<std::string> written;
};

enum class FileState { Read, Missing, Folder, Unreadable };

struct CheckResult {
    std::string path;
    FileState file = FileState::Read;
    bool byteOrderMark = false;              // a UTF-8 or UTF-16 mark begins the file
    Utf16Order utf16Mark = Utf16Order::None; // read as UTF-16 text in this order
    bool utf16 = false;                      // UTF-16 without a mark: read as nothing
    Settings settings{};                     // meaningful only when the file was read
    std::vector<SettingUse> uses;
    std::vector<Finding> findings;
    std::optional<MachineFacts> machine; // only when the machine was checked too
    std::vector<std::string> notes;      // about the machine, for people: no finding

    // 0 without findings, 1 with any, 2 when the file cannot be read.
    int exitStatus() const;
};

// Reads the file as the program does and says what it makes of it. The
// atlas (empty when it cannot be loaded) is the one the program would
// draw with.
CheckResult checkConfig(const std::string& path, const RgbaPixels& atlas);

// The atlas the program would load when started in the folder that holds
// the settings file at `path`, as it is when started from its own folder.
std::string atlasPathFor(const std::string& path);
