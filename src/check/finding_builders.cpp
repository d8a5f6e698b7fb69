#include "check/finding_builders.h"

#include <utility>

Finding wholeFinding(FindingKind kind, std::string message)
{
    Finding finding;
    finding.kind = kind;
    finding.message = std::move(message);
    return finding;
}

Finding lineFinding(FindingKind kind, const IniLine& line, std::string message)
{
    Finding finding = wholeFinding(kind, std::move(message));
    finding.line = line.number;
    if (line.kind == IniLineKind::Header || line.kind == IniLineKind::Entry)
        finding.section = line.section;
    if (line.kind == IniLineKind::Entry) {
        finding.key = line.key;
        finding.written = line.value;
    } else {
        finding.written = trim(line.text);
    }
    return finding;
}

Finding settingFinding(FindingKind kind, const CheckResult& result, const SettingName& name, std::string message)
{
    Finding finding = wholeFinding(kind, std::move(message));
    for (const SettingUse& use : result.uses)
        if (use.key == std::string(name.key)) {
            finding.line = use.line;
            finding.written = use.written;
            finding.effective = use.effective;
        }
    finding.section = name.section;
    finding.key = name.key;
    return finding;
}
