// Process start-up and the main window's run on Win32.
#include "platform/Window.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <atomic>

#include "platform/win32/MainWindowWin32.h"

namespace platform {
namespace {

std::atomic<win32::MainWindow*> currentMainWindow{nullptr};

}  // namespace

void InitializeProcess() {
    // The WebBrowser control needs a single-threaded apartment with OLE (drag and drop,
    // in-place activation) on the thread that owns it. Left initialised until the
    // process ends, since the window may be created more than once in tests.
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

bool RunMainWindow(const WindowLayout& layout, const WindowHandlers& handlers) {
    win32::MainWindow* window = win32::MainWindow::Create(layout, handlers);
    if (!window) return false;
    currentMainWindow.store(window);
    InstallControlHost(window);
    // Before the first show, so that what the handler sets (a disabled button) is
    // already in place when the window appears.
    if (handlers.created) handlers.created();
    window->Show();
    window->RunMessageLoop();
    // A worker that still holds the host finds the window closed; the object stays.
    InstallControlHost(nullptr);
    return true;
}

namespace win32 {

MainWindow* CurrentMainWindow() { return currentMainWindow.load(); }

}  // namespace win32
}  // namespace platform
