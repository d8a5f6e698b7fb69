#include "check/findings.h"

#include "check/line_texts.h"
#include "check/nearest_name.h"
#include "check/utf8.h"
#include "config/ini_reader.h"
#include "config/line_layout.h"
#include "config/number_reader.h"
#include "program_files.h"
#include "render/atlas_geometry.h"
#include "render/glyph_geometry.h"
#include "render/strip_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <limits>
#include <map>
#include <utility>

namespace {

enum class ValueType { Measure, Margin, Colour, Switch };

struct KnownSetting {
    SettingName name;
    ValueType type;
    const char* line; // the line a switch turns on
};

const KnownSetting kKnown[] = {
    {kFontSizeSetting, ValueType::Measure, nullptr}, {kFontSpacingSetting, ValueType::Measure, nullptr},
    {kTextColorSetting, ValueType::Colour, nullptr}, {kMarginXSetting, ValueType::Margin, nullptr},
    {kMarginYSetting, ValueType::Margin, nullptr},   {kShowDateSetting, ValueType::Switch, "date"},
    {kShowTimeSetting, ValueType::Switch, "time"},   {kShowBatterySetting, ValueType::Switch, "battery"},
};

const KnownSetting* knownSetting(const std::string& section, const std::string& key)
{
    for (const KnownSetting& known : kKnown)
        if (section == known.name.section && key == known.name.key)
            return &known;
    return nullptr;
}

const KnownSetting* knownKey(const std::string& key)
{
    for (const KnownSetting& known : kKnown)
        if (key == known.name.key)
            return &known;
    return nullptr;
}

bool isKnownSection(const std::string& section)
{
    return std::any_of(std::begin(kKnown), std::end(kKnown),
                       [&](const KnownSetting& known) { return section == known.name.section; });
}

std::vector<std::string> sectionNames()
{
    std::vector<std::string> names;
    for (const KnownSetting& known : kKnown)
        if (std::find(names.begin(), names.end(), known.name.section) == names.end())
            names.push_back(known.name.section);
    return names;
}

std::vector<std::string> keyNames()
{
    std::vector<std::string> names;
    for (const KnownSetting& known : kKnown)
        names.push_back(known.name.key);
    return names;
}

std::string bracketed(const std::string& section)
{
    return "[" + section + "]";
}

Finding wholeFinding(FindingKind kind, std::string message)
{
    Finding finding;
    finding.kind = kind;
    finding.message = std::move(message);
    return finding;
}

Finding lineFinding(FindingKind kind, const IniLine& line, std::string message)
{
    Finding finding = wholeFinding(kind, std::string());
    finding.line = line.number;
    if (line.kind == IniLineKind::Header || line.kind == IniLineKind::Entry)
        finding.section = line.section;
    if (line.kind == IniLineKind::Entry) {
        finding.key = line.key;
        finding.written = line.value;
    } else {
        finding.written = trim(line.text);
    }
    finding.message = std::move(message);
    return finding;
}

// UTF-16 puts a zero byte beside every ASCII character; the program then
// matches no header and no key.
bool looksLikeUtf16(const IniLineReport& report)
{
    if (report.empty() || report.front().byteOrderMark)
        return false;
    const std::string& text = report.front().text;
    if (text.size() < 2)
        return false;
    const unsigned char first = static_cast<unsigned char>(text[0]);
    const unsigned char second = static_cast<unsigned char>(text[1]);
    return (first == 0xFF && second == 0xFE) || (first == 0xFE && second == 0xFF) || (first != 0 && second == 0)
        || (first == 0 && second != 0);
}

// A ';' anywhere, or a '#' after a blank: what a person writes as a comment
// behind a value. A colour's own leading '#' is none.
bool holdsComment(const std::string& value)
{
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == ';')
            return true;
        if (value[i] == '#' && i > 0 && (value[i - 1] == ' ' || value[i - 1] == '\t'))
            return true;
    }
    return false;
}

void checkNames(const IniLineReport& report, std::vector<Finding>& findings)
{
    const std::vector<std::string> sections = sectionNames();
    const std::vector<std::string> keys = keyNames();
    std::map<std::pair<std::string, std::string>, std::vector<const IniLine*>> entries;

    for (const IniLine& line : report) {
        if (line.kind == IniLineKind::Stray) {
            std::string message = line.text.find('[') == line.text.find_first_not_of(" \t")
                ? "this line begins like a [section] header but does not end in ]"
                : "this line is neither a [section] header, a comment nor key = value";
            if (!line.text.empty() && line.text.back() == '\r')
                message += " (it ends in a carriage return)";
            findings.push_back(lineFinding(FindingKind::StrayLine, line, message + "; the program skips it"));
        } else if (line.kind == IniLineKind::Header && !isKnownSection(line.section)) {
            std::string message = "the program knows no section " + printable(bracketed(line.section))
                + " and ignores every key under it";
            const std::string nearest = nearestName(line.section, sections);
            if (!nearest.empty()) {
                message += "; did you mean " + bracketed(nearest) + "?";
                if (nearest.size() == line.section.size())
                    message += " Names are case-sensitive.";
            }
            findings.push_back(lineFinding(FindingKind::UnknownSection, line, message));
        } else if (line.kind == IniLineKind::Entry) {
            const bool sectionKnown = isKnownSection(line.section);
            if (sectionKnown)
                entries[{line.section, line.key}].push_back(&line);
            if (!sectionKnown && !line.section.empty())
                continue; // said once, at its header
            if (knownSetting(line.section, line.key))
                continue;
            const KnownSetting* elsewhere = knownKey(line.key);
            if (elsewhere && line.section.empty()) {
                findings.push_back(lineFinding(FindingKind::OutsideSection, line,
                                               printable(line.key)
                                                   + " comes before any [section] header, so the program "
                                                     "ignores it; put it under "
                                                   + bracketed(elsewhere->name.section)));
            } else if (elsewhere) {
                findings.push_back(lineFinding(FindingKind::WrongSection, line,
                                               printable(line.key) + " belongs under "
                                                   + bracketed(elsewhere->name.section) + "; under "
                                                   + printable(bracketed(line.section)) + " the program ignores it"));
            } else if (line.key.empty()) {
                findings.push_back(lineFinding(FindingKind::UnknownKey, line,
                                               "this line has no key before its =; the program ignores it"));
            } else {
                std::string message = "the program knows no key " + printable(line.key)
                    + (line.section.empty() ? " (before any [section] header)"
                                            : " under " + printable(bracketed(line.section)))
                    + " and ignores it";
                const std::string nearest = nearestName(line.key, keys);
                if (!nearest.empty()) {
                    const char* home = knownKey(nearest)->name.section;
                    message += "; did you mean " + nearest;
                    if (line.section != home)
                        message += " under " + bracketed(home);
                    message += "?";
                }
                findings.push_back(lineFinding(FindingKind::UnknownKey, line, message));
            }
        }
    }

    for (const auto& entry : entries) {
        const std::vector<const IniLine*>& lines = entry.second;
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
}

std::string colourText(const Color& color)
{
    const auto channel = [](float value) { return static_cast<int>(std::min(255.0f, std::max(0.0f, value))); };
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", channel(color.red), channel(color.green), channel(color.blue));
    return text;
}

bool allHexDigits(const std::string& text)
{
    return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

const char* numberProblem(NumberProblem problem, FindingKind& kind, bool wholeNumber)
{
    switch (problem) {
    case NumberProblem::None:
        break;
    case NumberProblem::NoNumber:
        kind = FindingKind::NotANumber;
        return wholeNumber ? "is not a whole number" : "is not a number";
    case NumberProblem::OutOfRange:
        kind = FindingKind::OutOfRange;
        return "is too large for the program to hold";
    case NumberProblem::NotFinite:
        kind = FindingKind::NotFinite;
        return "is infinite or not a number";
    case NumberProblem::BeyondLimit:
        kind = FindingKind::BeyondLimit;
        return wholeNumber ? "is out of range: margins must lie within -1000000 to 1000000"
                           : "is out of range: sizes and spacing must lie within -10000 to 10000";
    case NumberProblem::Subnormal:
        kind = FindingKind::NearZero;
        return "is too close to zero for the program to hold";
    }
    return nullptr;
}

template <typename Number>
void checkNumber(const NumberReading<Number>& reading, const IniLine& line, const std::string& effective,
                 bool wholeNumber, std::vector<Finding>& findings)
{
    FindingKind kind = FindingKind::NotANumber;
    if (const char* problem = numberProblem(reading.problem, kind, wholeNumber)) {
        Finding finding =
            lineFinding(kind, line,
                        (line.value.empty() ? std::string("the value is empty") : quoted(line.value) + " " + problem)
                            + "; the strip uses the default, " + effective);
        finding.effective = effective;
        findings.push_back(std::move(finding));
    } else if (reading.ignoredTail) {
        Finding finding = lineFinding(FindingKind::IgnoredTail, line,
                                      "the text after the number in " + quoted(line.value)
                                          + " is ignored; the strip uses " + effective);
        finding.effective = effective;
        findings.push_back(std::move(finding));
    }
}

void checkColour(const IniLine& line, const Color& color, std::vector<Finding>& findings)
{
    const std::string& value = line.value;
    const std::string effective = colourText(color);
    Finding finding = wholeFinding(FindingKind::NoLeadingHash, std::string());
    if (colorRuleFor(value) != ColorRule::HexStream) {
        const bool noHash = value.empty() || value[0] != '#';
        const bool badLength = value.size() != 7;
        std::string problem;
        if (value.empty()) {
            finding.kind = FindingKind::NotSevenCharacters;
            problem = "the value is empty";
        } else if (noHash) {
            problem = quoted(value) + " has no leading #";
            if (badLength && !(value.size() == 6 && allHexDigits(value)))
                problem += " and is not seven characters long";
        } else {
            finding.kind = FindingKind::NotSevenCharacters;
            problem = quoted(value) + " is not seven characters long";
        }
        finding = lineFinding(finding.kind, line, problem + " (#RRGGBB); the strip uses cyan, " + effective);
    } else if (!allHexDigits(value.substr(1))) {
        finding = lineFinding(FindingKind::NotHexDigits, line,
                              quoted(value) + " is not # and six hexadecimal digits; the program reads it as red "
                                  + numberText(color.red) + ", green " + numberText(color.green) + ", blue "
                                  + numberText(color.blue) + ", which draws as " + effective);
    } else {
        return;
    }
    finding.effective = effective;
    findings.push_back(std::move(finding));
}

const IniLine* lastEntry(const IniLineReport& report, const SettingName& name)
{
    for (auto line = report.rbegin(); line != report.rend(); ++line)
        if (line->kind == IniLineKind::Entry && line->section == name.section && line->key == name.key)
            return &*line;
    return nullptr;
}

std::string effectiveText(const KnownSetting& known, const Settings& settings)
{
    const SettingName& name = known.name;
    const auto is = [&](const SettingName& other) { return name.key == other.key; };
    switch (known.type) {
    case ValueType::Measure:
        return numberText(is(kFontSizeSetting) ? settings.fontSize : settings.fontSpacing);
    case ValueType::Margin:
        return std::to_string(is(kMarginXSetting) ? settings.marginX : settings.marginY);
    case ValueType::Colour:
        return colourText(settings.color);
    case ValueType::Switch:
        break;
    }
    const bool on = is(kShowDateSetting) ? settings.showDate
        : is(kShowTimeSetting)           ? settings.showTime
                                         : settings.showBattery;
    return on ? "on" : "off";
}

void checkSettings(const IniLineReport& report, CheckResult& result)
{
    for (const KnownSetting& known : kKnown) {
        SettingUse use;
        use.section = known.name.section;
        use.key = known.name.key;
        use.effective = effectiveText(known, result.settings);
        const IniLine* line = lastEntry(report, known.name);
        if (!line) {
            result.uses.push_back(use);
            continue;
        }
        use.line = line->number;
        use.written = line->value;
        result.uses.push_back(use);

        if (holdsComment(line->value))
            result.findings.push_back(lineFinding(FindingKind::CommentInValue, *line,
                                                  quoted(line->value)
                                                      + " holds what looks like a comment, which the program "
                                                        "keeps as part of the value; put comments on their own "
                                                        "line"));
        switch (known.type) {
        case ValueType::Measure:
            checkNumber(readGlyphMeasure(line->value, 0.0f), *line, use.effective, false, result.findings);
            break;
        case ValueType::Margin:
            checkNumber(readMargin(line->value, 0), *line, use.effective, true, result.findings);
            break;
        case ValueType::Colour:
            checkColour(*line, result.settings.color, result.findings);
            break;
        case ValueType::Switch:
            if (line->value != kSwitchedOn && line->value != "false") {
                Finding finding = lineFinding(FindingKind::NotTrue, *line,
                                              "only the exact word true switches a line on; " + quoted(line->value)
                                                  + " leaves the " + known.line + " line off");
                finding.effective = use.effective;
                result.findings.push_back(std::move(finding));
            }
            break;
        }
    }
}

const char* lineName(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Date:
        return "date";
    case ItemKind::Time:
        return "time";
    case ItemKind::Battery:
        break;
    }
    return "battery";
}

Finding settingFinding(FindingKind kind, const CheckResult& result, const SettingName& name, std::string message)
{
    Finding finding = wholeFinding(kind, std::string());
    for (const SettingUse& use : result.uses)
        if (use.key == std::string(name.key)) {
            finding.line = use.line;
            finding.written = use.written;
            finding.effective = use.effective;
        }
    finding.section = name.section;
    finding.key = name.key;
    finding.message = std::move(message);
    return finding;
}

// Where each line's glyph squares fall, at its longest text, against the
// strip: what the program draws there is all a person can see.
void checkPicture(CheckResult& result, const RgbaPixels& atlas, const std::string& atlasPath)
{
    const Settings& settings = result.settings;
    ItemPlacement placements[3];
    const int shown = layoutItems(settings, placements);
    if (colourText(settings.color) == "#000000")
        result.findings.push_back(settingFinding(FindingKind::InvisibleColour, result, kTextColorSetting,
                                                 "the text colour is black, which is the strip's transparent "
                                                 "colour: the text is invisible and only the faint edge of its "
                                                 "shadow shows"));
    if (shown == 0) {
        result.findings.push_back(wholeFinding(FindingKind::NoLineShown,
                                               "no line is switched on, so the strip is empty; write show_date = true, "
                                               "show_time = true or show_battery = true under [Display]"));
        return;
    }
    if (settings.fontSize == 0.0f) {
        result.findings.push_back(settingFinding(FindingKind::GlyphSizeZero, result, kFontSizeSetting,
                                                 "a glyph size of 0 draws nothing: every line is invisible"));
        return;
    }
    if (settings.fontSize < 0.0f)
        result.findings.push_back(settingFinding(FindingKind::GlyphSizeNegative, result, kFontSizeSetting,
                                                 "a negative glyph size turns every glyph upside down and draws it "
                                                 "above and to the left of its place"));
    if (atlas.rgba.empty()) {
        result.findings.push_back(wholeFinding(FindingKind::AtlasUnreadable,
                                               "the font atlas " + quoted(atlasPath)
                                                   + " cannot be loaded, so the program draws no glyphs at all"));
    } else {
        // Glyph squares taller than the pitch overlap, but the atlas cells'
        // empty rows may keep their ink apart: only ink that meets counts.
        const auto ink = [&](const ItemPlacement& place) {
            return lineInk(settings, lineText(longestLineTexts(), place.kind), place.x, place.y, atlas);
        };
        std::string overlapping;
        std::vector<bool> upper = ink(placements[0]);
        for (int i = 0; i + 1 < shown; ++i) {
            std::vector<bool> lower = ink(placements[i + 1]);
            bool meet = false;
            for (std::size_t p = 0; p < upper.size() && !meet; ++p)
                meet = upper[p] && lower[p];
            if (meet)
                overlapping += std::string(overlapping.empty() ? "" : ", and ") + "the " + lineName(placements[i].kind)
                    + " and " + lineName(placements[i + 1].kind) + " lines";
            upper = std::move(lower);
        }
        if (!overlapping.empty())
            result.findings.push_back(settingFinding(
                FindingKind::LinesOverlap, result, kFontSizeSetting,
                "the glyph size " + numberText(settings.fontSize) + " is more than the " + std::to_string(kLinePitch)
                    + "-pixel line pitch, so the glyphs of " + overlapping + " overlap"));
    }

    const AtlasLayout cells{kAtlasWidth, kAtlasHeight, kAtlasCellWidth, kAtlasCellHeight, kAtlasColumns};
    const float width = static_cast<float>(kStripWidth);
    const float height = static_cast<float>(kStripHeight);
    for (int i = 0; i < shown; ++i) {
        const ItemPlacement& place = placements[i];
        const std::string& text = lineText(longestLineTexts(), place.kind);
        float left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
        bool anyInside = false;
        bool anyOutside = false;
        forEachGlyphQuad(
            cells, text, place.x, place.y, settings.fontSize, settings.fontSpacing, [&](const GlyphQuad& quad) {
                const float l = std::min(quad.left, quad.right), r = std::max(quad.left, quad.right);
                const float t = std::min(quad.top, quad.bottom), b = std::max(quad.top, quad.bottom);
                left = std::min(left, l);
                right = std::max(right, r);
                top = std::min(top, t);
                bottom = std::max(bottom, b);
                anyInside |= std::max(l, 0.0f) < std::min(r, width) && std::max(t, 0.0f) < std::min(b, height);
                anyOutside |= l < 0.0f || r > width || t < 0.0f || b > height;
            });
        const std::string span = "x " + numberText(left) + " to " + numberText(right) + ", y " + numberText(top)
            + " to " + numberText(bottom);
        const std::string strip = std::to_string(kStripWidth) + " \xC3\x97 " + std::to_string(kStripHeight);
        if (!anyInside) {
            result.findings.push_back(wholeFinding(FindingKind::LineOffStrip,
                                                   std::string("the ") + lineName(place.kind)
                                                       + " line lies wholly outside the " + strip + " strip (" + span
                                                       + "): it cannot be seen"));
        } else if (anyOutside) {
            std::vector<std::string> edges;
            if (left < 0.0f)
                edges.push_back("the left edge");
            if (right > width)
                edges.push_back("the right edge");
            if (top < 0.0f)
                edges.push_back("the top");
            if (bottom > height)
                edges.push_back("the bottom");
            std::string past;
            for (std::size_t e = 0; e < edges.size(); ++e)
                past += (e == 0 ? "" : e + 1 == edges.size() ? " and " : ", ") + edges[e];
            result.findings.push_back(wholeFinding(
                FindingKind::LineCutOff,
                std::string("the ") + lineName(place.kind) + " line (at its longest, as " + quoted(text) + ") spans "
                    + span + ": what lies past " + past + " of the " + strip + " strip is cut off"));
        }
    }
}

FileState fileState(const std::string& path)
{
#ifdef _WIN32
    struct _stat64 info;
    const int failed = _stat64(path.c_str(), &info);
#else
    struct stat info;
    const int failed = stat(path.c_str(), &info);
#endif
    if (failed != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Unreadable;
    return (info.st_mode & S_IFMT) == S_IFDIR ? FileState::Folder : FileState::Unreadable;
}

Finding fileFinding(FileState state)
{
    const std::string then = "; the program then shows an empty strip, and its icon and menu still work";
    switch (state) {
    case FileState::Missing:
        return wholeFinding(FindingKind::FileMissing, "there is no file here" + then);
    case FileState::Folder:
        return wholeFinding(FindingKind::FileIsFolder, "this is a folder, not a file" + then);
    case FileState::Read:
    case FileState::Unreadable:
        break;
    }
    return wholeFinding(FindingKind::FileUnreadable,
                        "the file cannot be read (no permission, a read error, or too large to hold)" + then);
}

} // namespace

const char* kindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::FileMissing:
        return "file-missing";
    case FindingKind::FileIsFolder:
        return "file-is-folder";
    case FindingKind::FileUnreadable:
        return "file-unreadable";
    case FindingKind::Utf16:
        return "utf-16";
    case FindingKind::NoLeadingHash:
        return "no-leading-hash";
    case FindingKind::NotSevenCharacters:
        return "not-seven-characters";
    case FindingKind::NotHexDigits:
        return "not-hex-digits";
    case FindingKind::NotANumber:
        return "not-a-number";
    case FindingKind::OutOfRange:
        return "out-of-range";
    case FindingKind::BeyondLimit:
        return "beyond-limit";
    case FindingKind::NotFinite:
        return "not-finite";
    case FindingKind::NearZero:
        return "near-zero";
    case FindingKind::IgnoredTail:
        return "ignored-tail";
    case FindingKind::NotTrue:
        return "not-true";
    case FindingKind::CommentInValue:
        return "comment-in-value";
    case FindingKind::DuplicateKey:
        return "duplicate-key";
    case FindingKind::UnknownSection:
        return "unknown-section";
    case FindingKind::UnknownKey:
        return "unknown-key";
    case FindingKind::WrongSection:
        return "wrong-section";
    case FindingKind::OutsideSection:
        return "outside-section";
    case FindingKind::StrayLine:
        return "stray-line";
    case FindingKind::InvisibleColour:
        return "invisible-colour";
    case FindingKind::GlyphSizeZero:
        return "glyph-size-zero";
    case FindingKind::GlyphSizeNegative:
        return "glyph-size-negative";
    case FindingKind::LineCutOff:
        return "line-cut-off";
    case FindingKind::LineOffStrip:
        return "line-off-strip";
    case FindingKind::LinesOverlap:
        return "lines-overlap";
    case FindingKind::NoLineShown:
        return "no-line-shown";
    case FindingKind::AtlasUnreadable:
        break;
    }
    return "atlas-unreadable";
}

int CheckResult::exitStatus() const
{
    if (file != FileState::Read)
        return 2;
    return findings.empty() ? 0 : 1;
}

CheckResult checkConfig(const std::string& path, const RgbaPixels& atlas)
{
    CheckResult result;
    result.path = path;
    IniLineReport report;
    IniData store = IniReader().read(path, &report);
    if (store["return"]["failed"] == "true") {
        result.file = fileState(path);
        result.findings.push_back(fileFinding(result.file));
        return result;
    }
    result.byteOrderMark = !report.empty() && report.front().byteOrderMark;
    result.utf16 = looksLikeUtf16(report);
    result.settings = interpretSettings(store);
    if (result.utf16)
        result.findings.push_back(wholeFinding(FindingKind::Utf16,
                                               "the file is saved as UTF-16, from which the program reads no settings: "
                                               "save it as UTF-8"));
    else
        checkNames(report, result.findings);
    checkSettings(report, result);
    checkPicture(result, atlas, atlasPathFor(path));
    // In file order; what concerns no single line comes last.
    std::stable_sort(result.findings.begin(), result.findings.end(), [](const Finding& a, const Finding& b) {
        const auto order = [](int line) { return line == 0 ? std::numeric_limits<int>::max() : line; };
        return order(a.line) < order(b.line);
    });
    return result;
}

std::string atlasPathFor(const std::string& path)
{
#ifdef _WIN32
    const std::size_t slash = path.find_last_of("/\\:");
#else
    const std::size_t slash = path.find_last_of('/');
#endif
    return slash == std::string::npos ? std::string(kAtlasFile) : path.substr(0, slash + 1) + kAtlasFile;
}

std::string quoted(const std::string& bytes)
{
    return "\"" + printable(bytes) + "\"";
}

std::string printable(const std::string& bytes)
{
    return escapedText(bytes, [](unsigned char byte) -> std::string {
        if (byte == '\r')
            return "\\r";
        if (byte == '\t')
            return "\\t";
        if (byte == '"' || byte == '\\')
            return std::string(1, '\\') + static_cast<char>(byte);
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        return hex;
    });
}

std::string numberText(float value)
{
    char text[32];
    // Whole numbers in full: "%.1g" would make 40 into "4e+01".
    if (std::fabs(value) < 1e9f && value == std::trunc(value)) {
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
        return text;
    }
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(text, sizeof text, "%.*g", precision, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return text;
}
