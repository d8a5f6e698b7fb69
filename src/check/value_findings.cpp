#include "check/checks.h"

#include "check/finding_builders.h"
#include "check/known_settings.h"
#include "check/text_helpers.h"
#include "config/number_reader.h"

#include <utility>

namespace {

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

bool allHexDigits(const std::string& text)
{
    return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// The kind of finding a number problem makes, and what it says of the
// value; false when the number is used as written.
bool numberProblem(NumberProblem problem, bool wholeNumber, FindingKind& kind, std::string& says)
{
    switch (problem) {
    case NumberProblem::None:
        return false;
    case NumberProblem::NoNumber:
        kind = FindingKind::NotANumber;
        says = wholeNumber ? "is not a whole number" : "is not a number";
        break;
    case NumberProblem::OutOfRange:
        kind = FindingKind::OutOfRange;
        says = "is too large for the program to hold";
        break;
    case NumberProblem::NotFinite:
        kind = FindingKind::NotFinite;
        says = "is infinite or not a number";
        break;
    case NumberProblem::BeyondLimit:
        kind = FindingKind::BeyondLimit;
        says = wholeNumber ? "is out of range: margins must lie within " + std::to_string(-kMarginLimit) + " to "
                + std::to_string(kMarginLimit)
                           : "is out of range: sizes and spacing must lie within " + numberText(-kGlyphMeasureLimit)
                + " to " + numberText(kGlyphMeasureLimit);
        break;
    case NumberProblem::Subnormal:
        kind = FindingKind::NearZero;
        says = "is too close to zero for the program to hold";
        break;
    }
    return true;
}

template <typename Number>
void checkNumber(const NumberReading<Number>& reading, const IniLine& line, const std::string& effective,
                 bool wholeNumber, std::vector<Finding>& findings)
{
    FindingKind kind = FindingKind::NotANumber;
    std::string problem;
    if (numberProblem(reading.problem, wholeNumber, kind, problem)) {
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

void checkSwitch(const IniLine& line, const KnownSetting& known, const std::string& effective,
                 std::vector<Finding>& findings)
{
    if (line.value == kSwitchedOn || line.value == "false")
        return;
    Finding finding = lineFinding(FindingKind::NotTrue, line,
                                  "only the exact word true switches a line on; " + quoted(line.value) + " leaves the "
                                      + lineName(*known.line) + " line off");
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

} // namespace

void checkValues(const IniLineReport& report, CheckResult& result)
{
    for (const KnownSetting& known : knownSettings()) {
        SettingUse use;
        use.section = known.name.section;
        use.key = known.name.key;
        use.effective = known.effective(result.settings);
        const IniLine* line = lastEntry(report, known.name);
        if (line) {
            use.line = line->number;
            use.written = line->value;
        }
        result.uses.push_back(use);
        if (!line)
            continue;

        if (holdsComment(line->value))
            result.findings.push_back(lineFinding(FindingKind::CommentInValue, *line,
                                                  quoted(line->value)
                                                      + " holds what looks like a comment, which the program "
                                                        "keeps as part of the value; put comments on their own "
                                                        "line"));
        switch (known.kind) {
        case ValueKind::Measure:
            checkNumber(readGlyphMeasure(line->value, 0.0f), *line, use.effective, false, result.findings);
            break;
        case ValueKind::Margin:
            checkNumber(readMargin(line->value, 0), *line, use.effective, true, result.findings);
            break;
        case ValueKind::Colour:
            checkColour(*line, result.settings.color, result.findings);
            break;
        case ValueKind::Switch:
            checkSwitch(*line, known, use.effective, result.findings);
            break;
        }
    }
}
