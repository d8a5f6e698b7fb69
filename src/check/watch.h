#pragma once

#include <functional>
#include <string>

// What a watched file holds at one read.
struct FileSnapshot {
    bool present = false;
    std::string bytes;
    bool operator==(const FileSnapshot& other) const { return present == other.present && bytes == other.bytes; }
    bool operator!=(const FileSnapshot& other) const { return !(*this == other); }
};

FileSnapshot snapshotOf(const std::string& path);

// A report as one line of JSON, its time first.
std::string oneLineJson(const std::string& json, const std::string& checkedAt);

// Calls report() at once, then each time the file at `path` changes
// (appears, goes, or holds other bytes), until Ctrl-C or a termination
// request. The file is read twice a second; a change counts once two
// reads 200 ms apart agree, so a save caught half-way reports nothing.
void watchFile(const std::string& path, const std::function<void()>& report);
