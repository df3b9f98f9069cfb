#include "platform/win32/MainWindowWin32.h"

#include "platform/CodePage.h"
#include "platform/win32/WebBrowserHost.h"
#include "platform/win32/resources/ResourceIds.h"

namespace platform::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"LantuoSerialMainWindow";
constexpr wchar_t kBrowserContainerClass[] = L"LantuoSerialBrowserHost";
// A property operation sent from another thread; lParam points at the request.
constexpr UINT kApplyPropertyMessage = WM_APP + 1;
// Control ids start above IDOK and IDCANCEL, which the dialog keyboard handling sends.
constexpr int kFirstControlId = 100;

size_t IndexOf(Control control) { return static_cast<size_t>(control); }

bool RegisterWindowClasses(HINSTANCE instance, WNDPROC mainProcedure) {
    static const bool registered = [instance, mainProcedure] {
        WNDCLASSEXW mainClass{};
        mainClass.cbSize = sizeof(mainClass);
        mainClass.lpfnWndProc = mainProcedure;
        mainClass.hInstance = instance;
        mainClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        mainClass.lpszClassName = kWindowClass;
        mainClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(LANTUO_ICON_ID), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                        LR_DEFAULTCOLOR));
        mainClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(LANTUO_ICON_ID), IMAGE_ICON,
                                                          GetSystemMetrics(SM_CXSMICON),
                                                          GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
        if (!mainClass.hIcon) mainClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));

        WNDCLASSEXW containerClass{};
        containerClass.cbSize = sizeof(containerClass);
        containerClass.lpfnWndProc = DefWindowProcW;
        containerClass.hInstance = instance;
        containerClass.lpszClassName = kBrowserContainerClass;

        bool mainOk = RegisterClassExW(&mainClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
        bool containerOk = RegisterClassExW(&containerClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
        return mainOk && containerOk;
    }();
    return registered;
}

struct ChildStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle = 0;
};

ChildStyle StyleOf(ControlKind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    // The client edge is drawn as a thin single-line border under visual styles; the
    // edit control itself turns a plain WS_BORDER into it.
    constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    switch (kind) {
    case ControlKind::Label: return {L"STATIC", kChild | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX};
    case ControlKind::EditBox: return {L"EDIT", kEdit, WS_EX_CLIENTEDGE};
    case ControlKind::ReadOnlyEditBox: return {L"EDIT", kEdit | ES_READONLY, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton: return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON};
    case ControlKind::WebBrowser: return {kBrowserContainerClass, kChild | WS_CLIPCHILDREN};
    }
    return {L"STATIC", kChild};
}

}  // namespace

struct MainWindow::PropertyRequest {
    enum class Operation { SetFlag, SetText, GetText } operation;
    Control control;
    Property property;
    bool flag = false;
    const std::string* text = nullptr;
    std::string* result = nullptr;
};

MainWindow::MainWindow(const WindowHandlers& handlers) : handlers_(handlers) {}

MainWindow* MainWindow::Create(const WindowLayout& layout, const WindowHandlers& handlers) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterWindowClasses(instance, WindowProcedure)) return nullptr;

    auto* window = new MainWindow(handlers);
    window->ownerThread_ = GetCurrentThreadId();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - layout.outerWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - layout.outerHeight) / 2;
    std::wstring title = Cp936ToWide(layout.title);
    HWND handle = CreateWindowExW(exStyle, kWindowClass, title.c_str(), style, left, top, layout.outerWidth,
                                  layout.outerHeight, nullptr, nullptr, instance, window);
    if (!handle || !window->CreateControls(layout)) {
        if (handle) DestroyWindow(handle);
        // Never deleted, like every window object: nothing else can reach this one.
        return nullptr;
    }
    return window;
}

bool MainWindow::CreateControls(const WindowLayout& layout) {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // Created in layout order: each label right before its edit box, which is where
    // MSAA takes the edit box's name from; the order is also the Tab order.
    for (const ControlLayout& place : layout.controls) {
        size_t index = IndexOf(place.control);
        if (index >= controls_.size()) continue;
        kinds_[index] = place.kind;
        ChildStyle child = StyleOf(place.kind);
        std::wstring caption = Cp936ToWide(place.caption);
        HWND control = CreateWindowExW(child.exStyle, child.className, caption.c_str(), child.style, place.left, place.top,
                                       place.width, place.height, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                                       instance, nullptr);
        if (!control) return false;
        controls_[index] = control;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (place.kind == ControlKind::EditBox || place.kind == ControlKind::ReadOnlyEditBox)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // 0: the largest length the control allows
        if (place.kind == ControlKind::WebBrowser) CreateBrowser(place);
    }
    return true;
}

void MainWindow::CreateBrowser(const ControlLayout& place) {
    // Without the control the window still works; address writes then do nothing.
    browser_ = WebBrowserHost::Create(controls_[IndexOf(place.control)], [this] {
        if (handlers_.navigated) handlers_.navigated();
    });
}

void MainWindow::Show() {
    ShowWindow(window_, SW_SHOWDEFAULT);
    UpdateWindow(window_);
}

void MainWindow::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool MainWindow::PreTranslate(MSG& message) {
    if (closed_.load() || !window_) return false;
    bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
    if (!ours) return false;
    // Esc closes the window from wherever the focus is, as the close button does.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return true;
    }
    // Tab and Shift+Tab move between the controls as in a dialog.
    return IsDialogMessageW(window_, &message);
}

HWND MainWindow::ControlWindow(Control control) const {
    size_t index = IndexOf(control);
    return index < controls_.size() ? controls_[index] : nullptr;
}

void MainWindow::SetFlag(Control control, Property property, bool value) {
    PropertyRequest request{PropertyRequest::Operation::SetFlag, control, property, value};
    Carry(request);
}

void MainWindow::SetText(Control control, Property property, const std::string& value) {
    PropertyRequest request{PropertyRequest::Operation::SetText, control, property};
    request.text = &value;
    Carry(request);
}

std::string MainWindow::GetText(Control control, Property property) {
    std::string result;
    PropertyRequest request{PropertyRequest::Operation::GetText, control, property};
    request.result = &result;
    Carry(request);
    return result;
}

void MainWindow::Carry(PropertyRequest& request) {
    if (closed_.load()) return;
    if (GetCurrentThreadId() == ownerThread_) {
        Apply(request);
        return;
    }
    // Returns once the window's thread has applied the request. A destroyed window
    // makes it return at once, unapplied; the request lives on this thread's stack.
    SendMessageW(window_, kApplyPropertyMessage, 0, reinterpret_cast<LPARAM>(&request));
}

void MainWindow::Apply(PropertyRequest& request) {
    if (closed_.load()) return;
    HWND control = ControlWindow(request.control);
    if (!control) return;
    bool isBrowser = kinds_[IndexOf(request.control)] == ControlKind::WebBrowser;
    switch (request.operation) {
    case PropertyRequest::Operation::SetFlag:
        if (request.property == Property::Visible) ShowWindow(control, request.flag ? SW_SHOWNA : SW_HIDE);
        else if (request.property == Property::Disabled) EnableWindow(control, !request.flag);
        break;
    case PropertyRequest::Operation::SetText:
        if (isBrowser && request.property == Property::Address) {
            if (browser_) browser_->Navigate(Cp936ToWide(*request.text));
        } else if (!isBrowser && request.property == Property::Text) {
            SetWindowTextW(control, Cp936ToWide(*request.text).c_str());
        }
        break;
    case PropertyRequest::Operation::GetText:
        if (isBrowser && request.property == Property::Address) {
            if (browser_) *request.result = WideToCp936(browser_->Address());
        } else if (!isBrowser && request.property == Property::Text) {
            int length = GetWindowTextLengthW(control);
            if (length > 0) {
                std::wstring text(static_cast<size_t>(length) + 1, L'\0');
                int copied = GetWindowTextW(control, text.data(), length + 1);
                text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
                *request.result = WideToCp936(text);
            }
        }
        break;
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kApplyPropertyMessage:
        if (lParam) Apply(*reinterpret_cast<PropertyRequest*>(lParam));
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {  // Esc as the dialog keyboard handling reports it
            PostMessageW(window_, WM_CLOSE, 0, 0);
            return 0;
        }
        const size_t index = static_cast<size_t>(id - kFirstControlId);
        // BM_CLICK (sent by accessibility tools, for one) reaches a disabled button too;
        // a disabled button raises no click.
        if (HIWORD(wParam) == BN_CLICKED && id >= kFirstControlId && index < controls_.size() &&
            kinds_[index] == ControlKind::PushButton && IsWindowEnabled(controls_[index]) && handlers_.clicked)
            handlers_.clicked(static_cast<Control>(index));
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        // A read-only edit box asks as a static would; keep it black on white like the others.
        HWND control = reinterpret_cast<HWND>(lParam);
        for (size_t index = 0; index < controls_.size(); ++index) {
            if (controls_[index] == control && kinds_[index] == ControlKind::ReadOnlyEditBox) {
                HDC context = reinterpret_cast<HDC>(wParam);
                SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
                SetBkColor(context, GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
        }
        break;
    }
    case WM_ACTIVATE:
        // Keep the keyboard focus on a control across deactivation, as a dialog does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) focusBeforeDeactivation_ = focus;
        } else {
            HWND focus = focusBeforeDeactivation_;
            if (!focus || !IsWindow(focus) || !IsWindowEnabled(focus) || !IsWindowVisible(focus))
                focus = GetNextDlgTabItem(window_, nullptr, FALSE);
            if (focus) SetFocus(focus);
        }
        return 0;
    case WM_DESTROY:
        closed_.store(true);
        if (browser_) {
            browser_->Close();
            browser_->Release();
            browser_ = nullptr;
        }
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

}  // namespace platform::win32
