#pragma once

#include <windows.h>

// The display window's registration for the notices that say nobody can
// see it (a locked or disconnected session, the display off).
class SessionNotices {
public:
    using SessionRegistration = BOOL(WINAPI*)(HWND window, DWORD flags);

    SessionNotices(HWND window, SessionRegistration registerSession);
    ~SessionNotices(); // unregisters whatever was registered
    SessionNotices(const SessionNotices&) = delete;
    SessionNotices& operator=(const SessionNotices&) = delete;

    // Early at logon the session service may not answer yet: a failed
    // registration is tried again, at most every 2 s, until it succeeds.
    void retryIfDue();

private:
    void tryRegisterSession();

    HWND window;
    SessionRegistration registerSession;
    bool sessionRegistered = false;
    DWORD lastTry = 0;
    // Null when refused: the strip then draws with the display off too.
    HPOWERNOTIFY displayNotice = nullptr;
};
