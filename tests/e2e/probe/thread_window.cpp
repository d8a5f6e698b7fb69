#include "thread_window.h"

DWORD WINAPI ThreadWindow::threadMain(void* self)
{
    ThreadWindow& owner = *static_cast<ThreadWindow*>(self);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = owner.look.procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = owner.look.className;
    RegisterClassA(&windowClass);
    const RECT& rect = owner.look.rect;
    owner.window = CreateWindowExA(owner.look.exStyle, windowClass.lpszClassName, owner.look.className,
                                   owner.look.style, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetEvent(owner.ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (owner.window)
        DestroyWindow(owner.window);
    owner.window = nullptr;
    UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance);
    return 0;
}

bool ThreadWindow::open(const Look& wanted)
{
    if (window)
        return false;
    look = wanted;
    ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE thread = CreateThread(nullptr, 0, threadMain, this, 0, &threadId);
    if (thread) {
        WaitForSingleObject(ready, 10000);
        CloseHandle(thread);
    }
    CloseHandle(ready);
    return window != nullptr;
}

bool ThreadWindow::close()
{
    if (!window)
        return false;
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    for (int i = 0; i < 500 && window; ++i)
        Sleep(10);
    return window == nullptr;
}
