#include "ScriptedWindow_win32.h"

#include "ShellTestLayout.h"
#include "platform/CodePage.h"

namespace {

WindowScript currentScript;
bool watchdogFired = false;

void CALLBACK RunShownStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (currentScript.shown) currentScript.shown();
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    watchdogFired = true;
    CloseMainWindow();
}

void OnCreated() {
    if (currentScript.created) currentScript.created();
    // A thread timer fires from the message loop, after the show that follows `created`.
    SetTimer(nullptr, 0, 50, RunShownStep);
}

}  // namespace

bool RunScriptedWindow(const WindowScript& script, UINT watchdogMilliseconds) {
    static const bool initialised = (platform::InitializeProcess(), true);
    (void)initialised;
    currentScript = script;
    watchdogFired = false;
    platform::WindowHandlers handlers;
    handlers.created = OnCreated;
    handlers.clicked = script.clicked;
    handlers.navigated = script.navigated;
    UINT_PTR watchdog = SetTimer(nullptr, 0, watchdogMilliseconds, Watchdog);
    bool ran = platform::RunMainWindow(ShellTestLayout(), handlers);
    KillTimer(nullptr, watchdog);
    // Drop what the closed window left in the queue (WM_QUIT, stale timers).
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    return ran && !watchdogFired;
}

HWND MainHandle() {
    platform::win32::MainWindow* window = platform::win32::CurrentMainWindow();
    return window ? window->Handle() : nullptr;
}

HWND ControlHandle(platform::Control control) {
    platform::win32::MainWindow* window = platform::win32::CurrentMainWindow();
    return window ? window->ControlWindow(control) : nullptr;
}

RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, MainHandle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string WindowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return platform::WideToCp936(buffer);
}

void CloseMainWindow() {
    if (HWND main = MainHandle()) PostMessageW(main, WM_CLOSE, 0, 0);
}
