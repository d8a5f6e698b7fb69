#pragma once

#include <windows.h>

// The modal About message box, showing the executable's own icon.
class AboutBox {
public:
    explicit AboutBox(HWND ownerWindow) : owner(ownerWindow) {}
    void show();

    HWND owner;
};

// The box's text: name, blank line, version, two credit lines.
const char* aboutText();
