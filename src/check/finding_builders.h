#pragma once

#include "check/findings.h"
#include "config/ini_reader.h"

#include <string>

// A finding about the file or the strip as a whole: no line, no setting.
Finding wholeFinding(FindingKind kind, std::string message);

// A finding about one line, with what the line holds: a header's section,
// an entry's section, key and value, or any other line's trimmed text.
Finding lineFinding(FindingKind kind, const IniLine& line, std::string message);

// A finding about one of the eight settings, tied to the line it was
// written on (none when it was not written), with what the strip uses.
Finding settingFinding(FindingKind kind, const CheckResult& result, const SettingName& name, std::string message);
