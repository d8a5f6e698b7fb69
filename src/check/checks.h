#pragma once

// The checks checkConfig runs, one concern each; every one appends its
// findings to what it is handed.
#include "check/findings.h"
#include "config/ini_reader.h"

#include <string>
#include <vector>

// The file as a whole: why it could not be read, and UTF-16.
FileState fileState(const std::string& path);
Finding fileFinding(FileState state);
bool looksLikeUtf16(const IniLineReport& report);
Finding utf16Finding();

// Names: sections, keys, keys under the wrong section or none, keys
// given twice, and lines that are none of the three kinds.
void checkNames(const IniLineReport& report, std::vector<Finding>& findings);

// Values: each of the eight settings as written (its use, for the table)
// and what the strip makes of it.
void checkValues(const IniLineReport& report, CheckResult& result);

// What a person would see on the strip with these settings and this atlas.
void checkPicture(CheckResult& result, const RgbaPixels& atlas, const std::string& atlasPath);
