#include "tray/about_box.h"

#include "tray/resource_ids.h"

#include "version.h"

const char* aboutText()
{
    return "Halvesta\n"
           "\n"
           "Version " HALVESTA_VERSION "\n"
           "Made by the Halvesta authors; MIT licence.\n"
           "Glyphs from Fira Code, SIL Open Font License 1.1.";
}

void AboutBox::show()
{
    MSGBOXPARAMSA params = {};
    params.cbSize = sizeof(MSGBOXPARAMSA);
    params.hwndOwner = owner;
    params.hInstance = GetModuleHandleA(nullptr);
    params.lpszText = aboutText();
    params.lpszCaption = "About Halvesta";
    params.dwStyle = MB_USERICON;
    params.lpszIcon = MAKEINTRESOURCEA(HALVESTA_ICON_RESOURCE);
    params.dwContextHelpId = 0;
    params.lpfnMsgBoxCallback = nullptr;
    params.dwLanguageId = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);
    MessageBoxIndirectA(&params);
}
