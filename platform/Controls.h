#pragma once
// The one way every part of the program touches a control of the main window:
// by control name and property number. The window backend installs itself as the
// host; tests install a recording host instead.

#include <atomic>
#include <string>

namespace platform {

enum class Control {
    标签1, 编辑框1, 标签2, 编辑框2, 标签3, 编辑框3, 标签4, 编辑框4,
    按钮4, 按钮2, 按钮1, 超文本浏览框1,
};

enum class Property {
    Visible = 5,   // bool
    Disabled = 6,  // bool
    Text = 8,      // edit boxes: code page 936 text
    Address = 11,  // the browser control: code page 936 text
};

class ControlHost {
public:
    virtual ~ControlHost() = default;
    // May be called from any thread; applied on the thread that owns the controls,
    // and returns once applied (or once the window is gone).
    virtual void SetFlag(Control control, Property property, bool value) = 0;
    virtual void SetText(Control control, Property property, const std::string& value) = 0;
    virtual std::string GetText(Control control, Property property) = 0;
};

inline std::atomic<ControlHost*> installedControlHost{nullptr};

// Installs the host that carries out property operations; nullptr makes them no-ops.
inline void InstallControlHost(ControlHost* host) { installedControlHost.store(host); }

inline void SetControlProperty(Control control, Property property, bool value) {
    if (ControlHost* host = installedControlHost.load()) host->SetFlag(control, property, value);
}
inline void SetControlProperty(Control control, Property property, const std::string& value) {
    if (ControlHost* host = installedControlHost.load()) host->SetText(control, property, value);
}
inline void SetControlProperty(Control control, Property property, const char* value) {
    SetControlProperty(control, property, std::string(value));
}
inline std::string GetControlProperty(Control control, Property property) {
    ControlHost* host = installedControlHost.load();
    return host ? host->GetText(control, property) : std::string();
}

}  // namespace platform
