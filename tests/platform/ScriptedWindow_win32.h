#pragma once
// Runs the real main window inside a test: the test's handlers, plus a step that runs
// from the message loop once the window is shown, and a watchdog that closes the
// window if the test's own step never does.

#include <windows.h>

#include "platform/Window.h"
#include "platform/win32/MainWindowWin32.h"

struct WindowScript {
    void (*created)() = nullptr;
    void (*shown)() = nullptr;  // from the message loop, after the first show
    void (*clicked)(platform::Control) = nullptr;
    void (*navigated)() = nullptr;
};

// Runs the window until it closes. False if the watchdog had to close it.
bool RunScriptedWindow(const WindowScript& script, UINT watchdogMilliseconds = 10000);

HWND MainHandle();
HWND ControlHandle(platform::Control control);
// The control's rectangle in the main window's client area.
RECT ClientRectOf(HWND control);
std::string WindowText(HWND window);  // code page 936
void CloseMainWindow();
