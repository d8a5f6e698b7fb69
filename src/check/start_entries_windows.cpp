#include "check/machine_paths.h"
#include "check/machine_windows.h"
#include "check/windows_text.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <optional>

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

template <typename Interface>
struct Released {
    Interface* pointer = nullptr;
    ~Released()
    {
        if (pointer)
            pointer->Release();
    }
};

std::wstring expanded(const std::wstring& text)
{
    const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0)
        return text;
    std::wstring out(size, L'\0');
    ExpandEnvironmentStringsW(text.c_str(), &out[0], size);
    out.resize(wcsnlen(out.c_str(), out.size()));
    return out;
}

// The exe a shortcut starts and its "Start in"; nothing when the shortcut
// cannot be read or points at no file. Never resolved: that may search
// the disks or ask the user.
std::optional<StartEntry> readShortcut(const std::wstring& file)
{
    Released<IShellLinkW> link;
    Released<IPersistFile> persist;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.pointer)))
        || FAILED(link.pointer->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.pointer)))
        || FAILED(persist.pointer->Load(file.c_str(), STGM_READ)))
        return std::nullopt;
    wchar_t target[MAX_PATH] = L"";
    wchar_t startIn[MAX_PATH] = L"";
    if (link.pointer->GetPath(target, MAX_PATH, nullptr, 0) != S_OK
        || FAILED(link.pointer->GetWorkingDirectory(startIn, MAX_PATH)))
        return std::nullopt;
    StartEntry entry;
    entry.location = utf8FromWide(file.c_str());
    entry.program = utf8FromWide(target);
    entry.startIn = utf8FromWide(expanded(startIn).c_str());
    return entry;
}

void addShortcuts(int folderId, StartSource source, std::vector<StartEntry>& entries)
{
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return;
    const std::wstring base = std::wstring(folder) + L"\\";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((base + L"*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (std::optional<StartEntry> entry = readShortcut(base + found.cFileName)) {
            entry->source = source;
            entries.push_back(*entry);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void addRunValues(HKEY root, REGSAM view, StartSource source, const std::string& keyName,
                  std::vector<StartEntry>& entries)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kRunKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                         nullptr, nullptr)
        == ERROR_SUCCESS) {
        std::wstring name(longestName + 1, L'\0');
        // Room for a terminator the value may lack.
        std::wstring data(longestData / sizeof(wchar_t) + 2, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD nameSize = longestName + 1;
            DWORD dataSize = longestData;
            DWORD type = 0;
            const LONG status = RegEnumValueW(key, index, &name[0], &nameSize, nullptr, &type,
                                              reinterpret_cast<BYTE*>(&data[0]), &dataSize);
            if (status == ERROR_NO_MORE_ITEMS)
                break;
            if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
                continue;
            std::wstring command(data.c_str(), wcsnlen(data.c_str(), dataSize / sizeof(wchar_t)));
            if (type == REG_EXPAND_SZ)
                command = expanded(command);
            StartEntry entry;
            entry.source = source;
            entry.location = keyName + "\\" + utf8FromWide(std::wstring(name.c_str(), nameSize).c_str());
            entry.program = commandProgram(utf8FromWide(command.c_str()));
            entries.push_back(entry);
        }
    }
    RegCloseKey(key);
}

} // namespace

std::vector<StartEntry> startEntries(const std::string& folder)
{
    std::vector<StartEntry> all;
    addShortcuts(CSIDL_STARTUP, StartSource::StartupFolder, all);
    addShortcuts(CSIDL_COMMON_STARTUP, StartSource::AllUsersStartupFolder, all);
    addRunValues(HKEY_CURRENT_USER, 0, StartSource::RunUser,
                 "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", all);
    addRunValues(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, StartSource::RunMachine64,
                 "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", all);
    addRunValues(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, StartSource::RunMachine32,
                 "HKEY_LOCAL_MACHINE\\Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", all);
    std::vector<StartEntry> halvesta;
    for (StartEntry& entry : all)
        if (namesProgram(entry.program)) {
            entry.thisCopy = sameFolder(folderOf(entry.program), folder);
            halvesta.push_back(entry);
        }
    return halvesta;
}
