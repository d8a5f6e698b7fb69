#pragma once

// Windows paths and command lines as text, the same on every platform.
#include <string>

// The program a command line starts: the quoted first word, or else
// everything up to the first ".exe" that ends a word (Run values often
// leave paths with spaces unquoted), or else the first word.
std::string commandProgram(const std::string& command);

// Everything before the last \ or /; empty without one.
std::string folderOf(const std::string& path);

// Whether a path names a halvesta.exe, in any folder and any case.
bool namesProgram(const std::string& path);

// The same folder as Windows compares them: either slash, no trailing one,
// letters in any case (ASCII only).
bool sameFolder(const std::string& a, const std::string& b);
