#pragma once

#include "probe.h"

// A window of the probe on a thread of its own that answers its messages,
// as another program's window would.
class ThreadWindow {
public:
    struct Look {
        const char* className;
        WNDPROC procedure;
        DWORD exStyle;
        DWORD style;
        RECT rect;
    };
    // False when one is open already or it could not be made.
    bool open(const Look& look);
    // False when there is none or it would not go.
    bool close();
    HWND handle() const { return window; }

private:
    static DWORD WINAPI threadMain(void* self);
    Look look = {};
    HWND window = nullptr;
    DWORD threadId = 0;
    HANDLE ready = nullptr;
};
