// Shortcuts as the shell itself writes them, so what the program's users
// make in Explorer is what the checks read.
#include "probe.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

std::wstring wide(const std::string& text)
{
    std::wstring out(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                           static_cast<int>(out.size()));
    out.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return out;
}

std::string save(const std::wstring& file, const std::string& target, const std::string& startIn)
{
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return "error no shell link";
    std::string answer = "error cannot save";
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->SetPath(wide(target).c_str())) && SUCCEEDED(link->SetWorkingDirectory(wide(startIn).c_str()))
        && SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&persist)))) {
        if (SUCCEEDED(persist->Save(file.c_str(), TRUE)))
            answer = "ok";
        persist->Release();
    }
    link->Release();
    return answer;
}

} // namespace

std::string makeStartupShortcut(const std::string& name, const std::string& target, const std::string& startIn)
{
    wchar_t folder[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return "error no Startup folder";
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::string answer = save(std::wstring(folder) + L"\\" + wide(name), target, startIn);
    if (SUCCEEDED(com))
        CoUninitialize();
    return answer;
}
