#include "app/session_notices.h"

#include "render/display_window.h"

#include <versionhelpers.h>
#include <wtsapi32.h>

namespace {
constexpr DWORD kRetryMilliseconds = 2000;
}

SessionNotices::SessionNotices(HWND displayWindow, SessionRegistration registration)
    : window(displayWindow), registerSession(registration)
{
    tryRegisterSession();
    // The session's own display judges a remote session by its own screen.
    const GUID& setting = IsWindows8OrGreater() ? kSessionDisplayStatus : kMonitorPowerOn;
    displayNotice = RegisterPowerSettingNotification(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE);
}

SessionNotices::~SessionNotices()
{
    if (sessionRegistered)
        WTSUnRegisterSessionNotification(window);
    if (displayNotice)
        UnregisterPowerSettingNotification(displayNotice);
}

void SessionNotices::retryIfDue()
{
    if (!sessionRegistered && GetTickCount() - lastTry >= kRetryMilliseconds)
        tryRegisterSession();
}

void SessionNotices::tryRegisterSession()
{
    lastTry = GetTickCount();
    sessionRegistered = registerSession(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
}
