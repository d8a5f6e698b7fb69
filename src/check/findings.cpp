#include "check/findings.h"

#include "check/checks.h"
#include "config/ini_reader.h"
#include "program_files.h"

#include <algorithm>
#include <limits>

namespace {

// The words scripts match on; each kind has one.
const struct {
    FindingKind kind;
    const char* name;
} kKindNames[] = {
    {FindingKind::FileMissing, "file-missing"},
    {FindingKind::FileIsFolder, "file-is-folder"},
    {FindingKind::FileUnreadable, "file-unreadable"},
    {FindingKind::Utf16, "utf-16"},
    {FindingKind::NoLeadingHash, "no-leading-hash"},
    {FindingKind::NotSevenCharacters, "not-seven-characters"},
    {FindingKind::NotHexDigits, "not-hex-digits"},
    {FindingKind::NotANumber, "not-a-number"},
    {FindingKind::OutOfRange, "out-of-range"},
    {FindingKind::BeyondLimit, "beyond-limit"},
    {FindingKind::NotFinite, "not-finite"},
    {FindingKind::NearZero, "near-zero"},
    {FindingKind::IgnoredTail, "ignored-tail"},
    {FindingKind::NotTrue, "not-true"},
    {FindingKind::CommentInValue, "comment-in-value"},
    {FindingKind::DuplicateKey, "duplicate-key"},
    {FindingKind::UnknownSection, "unknown-section"},
    {FindingKind::UnknownKey, "unknown-key"},
    {FindingKind::WrongSection, "wrong-section"},
    {FindingKind::OutsideSection, "outside-section"},
    {FindingKind::StrayLine, "stray-line"},
    {FindingKind::InvisibleColour, "invisible-colour"},
    {FindingKind::GlyphSizeZero, "glyph-size-zero"},
    {FindingKind::GlyphSizeNegative, "glyph-size-negative"},
    {FindingKind::LineCutOff, "line-cut-off"},
    {FindingKind::LineOffStrip, "line-off-strip"},
    {FindingKind::LinesOverlap, "lines-overlap"},
    {FindingKind::NoLineShown, "no-line-shown"},
    {FindingKind::AtlasUnreadable, "atlas-unreadable"},
    {FindingKind::ProgramMissing, "program-missing"},
    {FindingKind::IconMissing, "icon-missing"},
    {FindingKind::IconUnloadable, "icon-unloadable"},
    {FindingKind::LoginStartIn, "login-start-in"},
    {FindingKind::LoginRunValue, "login-run-value"},
    {FindingKind::RunningCopy, "running-copy"},
    {FindingKind::NoPixelFormat, "no-pixel-format"},
    {FindingKind::NoGlContext, "no-gl-context"},
    {FindingKind::AtlasPadded, "atlas-padded"},
    {FindingKind::AtlasRefused, "atlas-refused"},
    {FindingKind::DisplayScaled, "display-scaled"},
    {FindingKind::TzSet, "tz-set"},
};

} // namespace

const char* kindName(FindingKind kind)
{
    for (const auto& entry : kKindNames)
        if (entry.kind == kind)
            return entry.name;
    return "";
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
    IniData store = IniReader().read(path, &report, &result.utf16Mark);
    if (store["return"]["failed"] == "true") {
        result.file = fileState(path);
        result.findings.push_back(fileFinding(result.file));
        return result;
    }
    result.byteOrderMark = result.utf16Mark != Utf16Order::None || (!report.empty() && report.front().byteOrderMark);
    result.utf16 = looksLikeUtf16(report);
    result.settings = interpretSettings(store);
    if (result.utf16)
        result.findings.push_back(utf16Finding());
    else
        checkNames(report, result.findings);
    checkValues(report, result);
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
