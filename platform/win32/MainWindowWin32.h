#pragma once
// The main window on Win32: a fixed-frame top-level window with its labels, edit boxes,
// push buttons and the hosted WebBrowser control, and the control host that carries
// property operations from any thread onto the window's own thread.

#include <windows.h>

#include <array>
#include <atomic>
#include <string>

#include "platform/Window.h"

namespace platform::win32 {

class WebBrowserHost;

class MainWindow final : public ControlHost {
public:
    // Creates the window, still hidden, with all its controls. Returns null if the
    // top-level window cannot be created. The object is never destroyed: a worker
    // thread may still call it after the window has gone, and then finds it closed.
    static MainWindow* Create(const WindowLayout& layout, const WindowHandlers& handlers);

    void Show();
    // Dispatches the calling thread's messages until the window has been destroyed.
    void RunMessageLoop();

    HWND Handle() const { return window_; }
    HWND ControlWindow(Control control) const;
    WebBrowserHost* Browser() const { return browser_; }
    bool IsClosed() const { return closed_.load(); }

    void SetFlag(Control control, Property property, bool value) override;
    void SetText(Control control, Property property, const std::string& value) override;
    std::string GetText(Control control, Property property) override;

private:
    struct PropertyRequest;

    explicit MainWindow(const WindowHandlers& handlers);
    bool CreateControls(const WindowLayout& layout);
    void CreateBrowser(const ControlLayout& place);
    void Carry(PropertyRequest& request);
    void Apply(PropertyRequest& request);
    bool PreTranslate(MSG& message);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WindowHandlers handlers_;
    HWND window_ = nullptr;
    DWORD ownerThread_ = 0;
    std::atomic<bool> closed_{false};
    std::array<HWND, 12> controls_{};
    std::array<ControlKind, 12> kinds_{};
    HWND focusBeforeDeactivation_ = nullptr;
    WebBrowserHost* browser_ = nullptr;
};

// The window most recently created by RunMainWindow on this process, or null.
MainWindow* CurrentMainWindow();

}  // namespace platform::win32
