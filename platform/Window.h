#pragma once
// The main window as the toolkit backends build it: one fixed-size top-level window
// with labels, single-line edit boxes, push buttons and a live web browser control.

#include <string>
#include <vector>

#include "platform/Controls.h"

namespace platform {

enum class ControlKind { Label, EditBox, ReadOnlyEditBox, PushButton, WebBrowser };

struct ControlLayout {
    Control control;
    ControlKind kind;
    int left, top, width, height;  // pixels in the client area
    std::string caption;           // code page 936; empty for edit boxes and the browser
};

struct WindowLayout {
    std::string title;  // code page 936
    int outerWidth, outerHeight;
    // Labels come right before their edit boxes: that is where assistive technology
    // takes an edit box's name from.
    std::vector<ControlLayout> controls;
};

struct WindowHandlers {
    void (*created)() = nullptr;             // after the window and its controls exist
    void (*clicked)(Control button) = nullptr;
    void (*navigated)() = nullptr;           // every completed navigation of the browser, frames too
};

// Initialises what the process needs before any window exists (OLE as a
// single-threaded apartment on Windows, the toolkit on Linux).
void InitializeProcess();

// Creates the window centred on the primary screen, installs it as the control host,
// raises `created`, and runs the main thread's message loop until the window is
// closed (close button, system menu or Esc). Returns false if the window could not
// be created.
bool RunMainWindow(const WindowLayout& layout, const WindowHandlers& handlers);

}  // namespace platform
