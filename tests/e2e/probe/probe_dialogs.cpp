// Message boxes: read the text of one found by caption and press its OK.
#include "probe.h"

namespace {

struct TextSearch {
    std::string text;
};

BOOL CALLBACK collectStatic(HWND child, LPARAM param)
{
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    char text[2048] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0] != '\0') {
        reinterpret_cast<TextSearch*>(param)->text = text;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string messageBoxText(const std::string& caption)
{
    const HWND box = FindWindowA("#32770", caption.c_str());
    if (!box)
        return "none";
    TextSearch search;
    EnumChildWindows(box, collectStatic, reinterpret_cast<LPARAM>(&search));
    return "text=" + escapeLine(search.text);
}

std::string messageBoxOk(const std::string& caption)
{
    const HWND box = FindWindowA("#32770", caption.c_str());
    if (!box)
        return "none";
    const HWND button = GetDlgItem(box, IDOK);
    if (!button)
        return "error no OK button";
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return "ok";
}
