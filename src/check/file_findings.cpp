#include "check/checks.h"

#include "check/finding_builders.h"

#include <cerrno>

#include <sys/stat.h>

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

// UTF-16 with its mark is read as text; without one it puts a zero byte
// beside every ASCII character, and the program then matches no header and
// no key.
bool looksLikeUtf16(const IniLineReport& report)
{
    if (report.empty() || report.front().byteOrderMark)
        return false;
    const std::string& text = report.front().text;
    if (text.size() < 2)
        return false;
    return (text[0] != 0 && text[1] == 0) || (text[0] == 0 && text[1] != 0);
}

Finding utf16Finding()
{
    return wholeFinding(FindingKind::Utf16,
                        "the file is saved as UTF-16 without a byte-order mark, from which the "
                        "program reads no settings: save it as UTF-8");
}
