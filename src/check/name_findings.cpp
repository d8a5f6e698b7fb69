#include "check/checks.h"

#include "check/finding_builders.h"
#include "check/known_settings.h"
#include "check/nearest_name.h"
#include "check/text_helpers.h"

#include <map>
#include <utility>

namespace {

std::string bracketed(const std::string& section)
{
    return "[" + section + "]";
}

Finding strayLineFinding(const IniLine& line)
{
    std::string message = line.text.find('[') == line.text.find_first_not_of(" \t")
        ? "this line begins like a [section] header but does not end in ]"
        : "this line is neither a [section] header, a comment nor key = value";
    if (!line.text.empty() && line.text.back() == '\r')
        message += " (it ends in a carriage return)";
    return lineFinding(FindingKind::StrayLine, line, message + "; the program skips it");
}

Finding unknownSectionFinding(const IniLine& line, const std::vector<std::string>& sections)
{
    std::string message =
        "the program knows no section " + printable(bracketed(line.section)) + " and ignores every key under it";
    const std::string nearest = nearestName(line.section, sections);
    if (!nearest.empty()) {
        message += "; did you mean " + bracketed(nearest) + "?";
        if (nearest.size() == line.section.size())
            message += " Names are case-sensitive.";
    }
    return lineFinding(FindingKind::UnknownSection, line, message);
}

// An entry under a known section, or under none, that is not one of the
// eight settings.
Finding misplacedKeyFinding(const IniLine& line, const std::vector<std::string>& keys)
{
    const KnownSetting* elsewhere = knownKey(line.key);
    if (elsewhere && line.section.empty())
        return lineFinding(FindingKind::OutsideSection, line,
                           printable(line.key)
                               + " comes before any [section] header, so the program ignores it; put it under "
                               + bracketed(elsewhere->name.section));
    if (elsewhere)
        return lineFinding(FindingKind::WrongSection, line,
                           printable(line.key) + " belongs under " + bracketed(elsewhere->name.section) + "; under "
                               + printable(bracketed(line.section)) + " the program ignores it");
    if (line.key.empty())
        return lineFinding(FindingKind::UnknownKey, line, "this line has no key before its =; the program ignores it");
    std::string message = "the program knows no key " + printable(line.key)
        + (line.section.empty() ? " (before any [section] header)" : " under " + printable(bracketed(line.section)))
        + " and ignores it";
    const std::string nearest = nearestName(line.key, keys);
    if (!nearest.empty()) {
        const char* home = knownKey(nearest)->name.section;
        message += "; did you mean " + nearest;
        if (line.section != home)
            message += " under " + bracketed(home);
        message += "?";
    }
    return lineFinding(FindingKind::UnknownKey, line, message);
}

// Every line but the last of one section and key: the last one wins.
void addDuplicates(const std::vector<const IniLine*>& lines, std::vector<Finding>& findings)
{
    const IniLine& winner = *lines.back();
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        Finding finding =
            lineFinding(FindingKind::DuplicateKey, *lines[i],
                        printable(lines[i]->key) + " is given again on line " + std::to_string(winner.number)
                            + ", whose value " + quoted(winner.value) + " wins; this one is ignored");
        finding.effective = winner.value;
        findings.push_back(std::move(finding));
    }
}

} // namespace

void checkNames(const IniLineReport& report, std::vector<Finding>& findings)
{
    const std::vector<std::string> sections = sectionNames();
    const std::vector<std::string> keys = keyNames();
    std::map<std::pair<std::string, std::string>, std::vector<const IniLine*>> entries;

    for (const IniLine& line : report) {
        if (line.kind == IniLineKind::Stray) {
            findings.push_back(strayLineFinding(line));
        } else if (line.kind == IniLineKind::Header && !isKnownSection(line.section)) {
            findings.push_back(unknownSectionFinding(line, sections));
        } else if (line.kind == IniLineKind::Entry) {
            const bool sectionKnown = isKnownSection(line.section);
            if (sectionKnown)
                entries[{line.section, line.key}].push_back(&line);
            // An unknown section is said once, at its header.
            if ((sectionKnown || line.section.empty()) && !knownSetting(line.section, line.key))
                findings.push_back(misplacedKeyFinding(line, keys));
        }
    }
    for (const auto& entry : entries)
        addDuplicates(entry.second, findings);
}
