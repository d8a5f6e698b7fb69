#include "check/report.h"

#include "check/machine_report.h"
#include "check/text_helpers.h"
#include "check/utf8.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string jsonOptional(const std::optional<std::string>& text)
{
    return text ? jsonString(*text) : "null";
}

std::string jsonLine(int line)
{
    return line > 0 ? std::to_string(line) : "null";
}

std::string padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

// As scripts name an encoding.
const char* encodingName(Utf16Order order)
{
    switch (order) {
    case Utf16Order::LittleEndian:
        return "utf-16le";
    case Utf16Order::BigEndian:
        return "utf-16be";
    case Utf16Order::None:
        break;
    }
    return "utf-8";
}

// The eight settings as the strip will use them, and how the file is saved.
std::string settingsSection(const CheckResult& result)
{
    std::string out;
    out += "\nSettings the strip will use:\n";
    std::size_t nameWidth = 0;
    std::size_t valueWidth = 0;
    for (const SettingUse& use : result.uses) {
        nameWidth = std::max(nameWidth, std::string(use.section).size() + std::string(use.key).size() + 3);
        valueWidth = std::max(valueWidth, use.effective.size());
    }
    for (const SettingUse& use : result.uses) {
        out += "  " + padded("[" + std::string(use.section) + "] " + use.key, nameWidth) + " "
            + padded(use.effective, valueWidth) + "  ";
        if (use.line == 0)
            out += "default\n";
        else
            out += "line " + std::to_string(use.line) + ", written " + quoted(*use.written) + "\n";
    }
    if (result.utf16Mark != Utf16Order::None)
        out += std::string("\nThe file is saved as UTF-16 (")
            + (result.utf16Mark == Utf16Order::LittleEndian ? "little-endian" : "big-endian")
            + ") with its byte-order mark; the program reads it as that text, which is fine.\n";
    else if (result.byteOrderMark)
        out += "\nThe file starts with a UTF-8 byte-order mark, which is fine.\n";
    return out;
}

} // namespace

std::string jsonString(const std::string& bytes)
{
    return "\""
        + escapedText(bytes,
                      [](unsigned char byte) -> std::string {
                          if (byte == '"' || byte == '\\')
                              return std::string(1, '\\') + static_cast<char>(byte);
                          if (byte == '\n')
                              return "\\n";
                          if (byte == '\r')
                              return "\\r";
                          if (byte == '\t')
                              return "\\t";
                          char escape[7];
                          std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                          return escape;
                      })
        + "\"";
}

std::string jsonReport(const CheckResult& result)
{
    std::string out = "{\n";
    out += "  \"file\": " + jsonString(result.path) + ",\n";
    out += std::string("  \"readable\": ") + (result.file == FileState::Read ? "true" : "false") + ",\n";
    out += std::string("  \"byte_order_mark\": ") + (result.byteOrderMark ? "true" : "false") + ",\n";
    out += std::string("  \"encoding\": ")
        + (result.file != FileState::Read ? "null" : "\"" + std::string(encodingName(result.utf16Mark)) + "\"") + ",\n";
    out += "  \"settings\": [";
    const char* separator = "\n";
    for (const SettingUse& use : result.uses) {
        out += separator;
        out += "    {\"section\": " + jsonString(use.section) + ", \"key\": " + jsonString(use.key)
            + ", \"line\": " + jsonLine(use.line) + ", \"written\": " + jsonOptional(use.written)
            + ", \"effective\": " + jsonString(use.effective) + "}";
        separator = ",\n";
    }
    out += result.uses.empty() ? "],\n" : "\n  ],\n";
    if (result.machine)
        out += "  \"machine\": " + machineJson(*result.machine) + ",\n";
    out += "  \"findings\": [";
    separator = "\n";
    for (const Finding& finding : result.findings) {
        out += separator;
        out += "    {\"line\": " + jsonLine(finding.line) + ", \"section\": " + jsonOptional(finding.section)
            + ", \"key\": " + jsonOptional(finding.key) + ", \"written\": " + jsonOptional(finding.written)
            + ", \"effective\": " + jsonOptional(finding.effective) + ", \"kind\": "
            + jsonString(kindName(finding.kind)) + ", \"message\": " + jsonString(finding.message) + "}";
        separator = ",\n";
    }
    out += result.findings.empty() ? "],\n" : "\n  ],\n";
    out += "  \"exit_status\": " + std::to_string(result.exitStatus()) + "\n}\n";
    return out;
}

std::string peopleReport(const CheckResult& result)
{
    std::string out = quotedPath(result.path) + ": ";
    const std::size_t count = result.findings.size();
    // An unreadable file has one finding, said at once.
    const bool readable = result.file == FileState::Read;
    if (!readable) {
        out += "cannot be read\n  " + result.findings.front().message + "\n";
    } else {
        out += count == 0 ? "no findings: the strip will look as the file says\n"
            : count == 1  ? "1 finding\n"
                          : std::to_string(count) + " findings\n";
        out += settingsSection(result);
    }
    if (result.machine)
        out += machineSection(*result.machine, result.notes);
    if (count > (readable ? 0u : 1u)) {
        out += "\nFindings:\n";
        for (std::size_t i = readable ? 0 : 1; i < count; ++i) {
            const Finding& finding = result.findings[i];
            out += "  ";
            if (finding.line > 0)
                out += "line " + std::to_string(finding.line) + ": ";
            if (finding.section && finding.key)
                out += printable((finding.section->empty() ? "" : "[" + *finding.section + "] ") + *finding.key) + ": ";
            out += finding.message + "\n";
        }
    }
    return out;
}
