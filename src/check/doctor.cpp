#include "check/doctor.h"

#include "check/preview.h"
#include "check/machine_findings.h"
#include "program_files.h"

#include <filesystem>
#include <system_error>

namespace {

bool isFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

} // namespace

std::string inFolder(const std::string& folder, const char* file)
{
#ifdef _WIN32
    const char separator = '\\';
    const bool ends = !folder.empty() && (folder.back() == '\\' || folder.back() == '/' || folder.back() == ':');
#else
    const char separator = '/';
    const bool ends = !folder.empty() && folder.back() == '/';
#endif
    return folder.empty() ? std::string(file) : ends ? folder + file : folder + separator + file;
}

MachineFacts folderFacts(const std::string& folder)
{
    MachineFacts facts;
    facts.folder = folder;
    facts.program = isFile(inFolder(folder, kProgramFile));
    facts.icon = isFile(inFolder(folder, kTrayIconFile)) ? IconState::Present : IconState::Missing;
    return facts;
}

CheckResult doctorCheck(const std::string& folder)
{
    const std::string settingsPath = inFolder(folder, kSettingsFile);
    CheckResult result = checkConfig(settingsPath, loadImage(atlasPathFor(settingsPath)));
    result.machine = gatherMachineFacts(folder);
    for (Finding& finding : machineFindings(*result.machine))
        result.findings.push_back(std::move(finding));
    result.notes = machineNotes(*result.machine);
    return result;
}
