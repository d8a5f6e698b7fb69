// Any bytes as config.ini through halvesta-check: no crash, and both
// reports stay well-formed (the JSON valid, people's text valid UTF-8).
#include "check/findings.h"
#include "check/preview.h"
#include "check/report.h"
#include "fuzz_require.h"
#include "json_validator.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& configPath()
{
    static const std::string path = "/tmp/halvesta-fuzz-check-" + std::to_string(getpid()) + ".ini";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const RgbaPixels atlas = loadImage(std::string(HALVESTA_SOURCE_DIR) + "/res/fira-code.png");
    std::FILE* file = std::fopen(configPath().c_str(), "wb");
    require(file != nullptr);
    require(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);

    const CheckResult result = checkConfig(configPath(), atlas);
    require(result.exitStatus() == (result.findings.empty() ? 0 : 1));
    require(result.uses.size() == 8);
    require(JsonValidator::valid(jsonReport(result)));
    require(JsonValidator::valid(jsonString(peopleReport(result))));
    std::remove(configPath().c_str());
    return 0;
}
