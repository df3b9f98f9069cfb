// The Win32 main window for real: placement, controls, keyboard, and property
// operations from the main thread and from a worker.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "ScriptedWindow_win32.h"
#include "platform/Controls.h"
#include "platform/Threads.h"
#include "platform/win32/MainWindowWin32.h"
#include "text/Text.h"

using platform::Control;
using platform::GetControlProperty;
using platform::Property;
using platform::SetControlProperty;

namespace {

struct ControlSnapshot {
    RECT rect{};
    std::string caption;
    std::wstring className;
    LONG_PTR style = 0;
    bool visible = false;
    bool enabled = false;
    HFONT font = nullptr;
    bool bordered = false;  // a frame drawn around the client area
};

struct WindowSnapshot {
    RECT outer{};
    std::string title;
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
    bool visibleWhileCreated = true;
    bool button2EnabledAtFirstShow = true;
    ULONG_PTR background = 0;
    std::vector<ControlSnapshot> controls;
    std::vector<bool> labelRightBeforeEdit;
    bool browserHosted = false;
} snapshot;

ControlSnapshot Snap(Control control) {
    HWND handle = ControlHandle(control);
    ControlSnapshot shot;
    shot.rect = ClientRectOf(handle);
    shot.caption = WindowText(handle);
    wchar_t className[64] = {};
    GetClassNameW(handle, className, 64);
    shot.className = className;
    shot.style = GetWindowLongPtrW(handle, GWL_STYLE);
    shot.visible = IsWindowVisible(handle);
    shot.enabled = IsWindowEnabled(handle);
    shot.font = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0));
    RECT client{};
    GetClientRect(handle, &client);
    shot.bordered = client.right < shot.rect.right - shot.rect.left;
    return shot;
}

void CreatedDisablesButton2() {
    snapshot.visibleWhileCreated = IsWindowVisible(MainHandle());
    SetControlProperty(Control::按钮2, Property::Disabled, true);
}

void TakeSnapshotAndClose() {
    HWND main = MainHandle();
    snapshot.button2EnabledAtFirstShow = IsWindowEnabled(ControlHandle(Control::按钮2));
    GetWindowRect(main, &snapshot.outer);
    snapshot.title = WindowText(main);
    snapshot.style = GetWindowLongPtrW(main, GWL_STYLE);
    snapshot.exStyle = GetWindowLongPtrW(main, GWL_EXSTYLE);
    snapshot.background = GetClassLongPtrW(main, GCLP_HBRBACKGROUND);
    for (int index = 0; index <= static_cast<int>(Control::超文本浏览框1); ++index)
        snapshot.controls.push_back(Snap(static_cast<Control>(index)));
    for (auto [label, edit] : {std::pair{Control::标签1, Control::编辑框1}, {Control::标签2, Control::编辑框2},
                               {Control::标签3, Control::编辑框3}, {Control::标签4, Control::编辑框4}})
        snapshot.labelRightBeforeEdit.push_back(GetWindow(ControlHandle(edit), GW_HWNDPREV) ==
                                                ControlHandle(label));
    snapshot.browserHosted = platform::win32::CurrentMainWindow()->Browser() != nullptr;
    CloseMainWindow();
}

TEST(Win32MainWindow, OpensCentredWithItsControlsInPlace) {
    WindowScript script;
    script.created = CreatedDisablesButton2;
    script.shown = TakeSnapshotAndClose;
    ASSERT_TRUE(RunScriptedWindow(script));

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(snapshot.outer.left, (screenWidth - 370) / 2);
    EXPECT_EQ(snapshot.outer.top, (screenHeight - 285) / 2);
    if (screenWidth == 1920 && screenHeight == 1080) {
        EXPECT_EQ(snapshot.outer.left, 775);
        EXPECT_EQ(snapshot.outer.top, 397);
    }
    EXPECT_EQ(snapshot.outer.right - snapshot.outer.left, 370);
    EXPECT_EQ(snapshot.outer.bottom - snapshot.outer.top, 285);
    EXPECT_EQ(snapshot.title, Gbk("岚拓·产品序列号查询"));

    // Fixed frame with caption, system menu and minimise; no sizing, no maximise, not on top.
    EXPECT_TRUE(snapshot.style & WS_CAPTION);
    EXPECT_TRUE(snapshot.style & WS_SYSMENU);
    EXPECT_TRUE(snapshot.style & WS_MINIMIZEBOX);
    EXPECT_FALSE(snapshot.style & WS_THICKFRAME);
    EXPECT_FALSE(snapshot.style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(snapshot.exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(snapshot.exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(snapshot.background, static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));

    EXPECT_FALSE(snapshot.visibleWhileCreated);
    EXPECT_FALSE(snapshot.button2EnabledAtFirstShow);

    struct Expected {
        Control control;
        RECT rect;
        const char* caption;
        const wchar_t* className;
    };
    const Expected expected[] = {
        {Control::标签1, {24, 32, 104, 56}, "产品型号", L"Static"},
        {Control::编辑框1, {120, 32, 320, 56}, "", L"Edit"},
        {Control::标签2, {24, 73, 104, 97}, "产 品 号", L"Static"},
        {Control::编辑框2, {120, 73, 320, 97}, "", L"Edit"},
        {Control::标签3, {24, 118, 104, 142}, "序 列 号", L"Static"},
        {Control::编辑框3, {120, 118, 320, 142}, "", L"Edit"},
        {Control::标签4, {24, 160, 104, 184}, "保修信息", L"Static"},
        {Control::编辑框4, {120, 160, 320, 184}, "", L"Edit"},
        {Control::按钮4, {96, 216, 162, 240}, "查询备件", L"Button"},
        {Control::按钮2, {184, 216, 250, 240}, "查询保修", L"Button"},
        {Control::按钮1, {272, 216, 338, 240}, "查询驱动", L"Button"},
        {Control::超文本浏览框1, {424, 24, 904, 328}, "", nullptr},
    };
    HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ASSERT_EQ(snapshot.controls.size(), std::size(expected));
    for (const Expected& want : expected) {
        const ControlSnapshot& got = snapshot.controls[static_cast<size_t>(want.control)];
        SCOPED_TRACE(static_cast<int>(want.control));
        EXPECT_EQ(got.rect.left, want.rect.left);
        EXPECT_EQ(got.rect.top, want.rect.top);
        EXPECT_EQ(got.rect.right, want.rect.right);
        EXPECT_EQ(got.rect.bottom, want.rect.bottom);
        EXPECT_EQ(got.caption, Gbk(want.caption));
        if (want.className) {
            EXPECT_EQ(_wcsicmp(got.className.c_str(), want.className), 0);
        }
        EXPECT_TRUE(got.visible);  // the browser too: out of sight by its place alone
        EXPECT_EQ(got.enabled, want.control != Control::按钮2);
        if (want.control != Control::超文本浏览框1) {
            EXPECT_EQ(got.font, guiFont);
        }
    }
    auto styleOf = [](Control control) { return snapshot.controls[static_cast<size_t>(control)].style; };
    EXPECT_TRUE(styleOf(Control::编辑框4) & ES_READONLY);
    for (Control edit : {Control::编辑框1, Control::编辑框2, Control::编辑框3}) {
        EXPECT_FALSE(styleOf(edit) & ES_READONLY);
        EXPECT_TRUE(styleOf(edit) & ES_AUTOHSCROLL);
    }
    for (Control edit : {Control::编辑框1, Control::编辑框2, Control::编辑框3, Control::编辑框4})
        EXPECT_TRUE(snapshot.controls[static_cast<size_t>(edit)].bordered);
    EXPECT_FALSE(snapshot.controls[static_cast<size_t>(Control::标签1)].bordered);
    for (Control button : {Control::按钮4, Control::按钮2, Control::按钮1})
        EXPECT_EQ(styleOf(button) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_PUSHBUTTON));  // none is default
    EXPECT_EQ(snapshot.labelRightBeforeEdit, std::vector<bool>(4, true));
    EXPECT_TRUE(snapshot.browserHosted);
}

// Esc closes the window wherever the keyboard focus is.
HWND escapeTarget = nullptr;
void PressEscape() {
    PostMessageW(escapeTarget ? escapeTarget : MainHandle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
}

TEST(Win32MainWindow, EscapeClosesFromAnyFocus) {
    for (Control focus : {Control::编辑框1, Control::编辑框4, Control::按钮1, Control::标签1}) {
        SCOPED_TRACE(static_cast<int>(focus));
        WindowScript script;
        static Control target;
        target = focus;
        script.shown = [] {
            escapeTarget = ControlHandle(target);
            SetFocus(escapeTarget);
            PressEscape();
        };
        EXPECT_TRUE(RunScriptedWindow(script, 5000)) << "Esc did not close the window";
    }
    WindowScript onWindow;
    onWindow.shown = [] {
        escapeTarget = nullptr;
        PressEscape();
    };
    EXPECT_TRUE(RunScriptedWindow(onWindow, 5000)) << "Esc on the window itself did not close it";
}

// Typing reaches 编辑框1 to 编辑框3 and is what a read returns; 编辑框4 takes none.
std::string typed3, typed4;
TEST(Win32MainWindow, TypingReachesEditableBoxesOnly) {
    WindowScript script;
    script.shown = [] {
        for (Control box : {Control::编辑框3, Control::编辑框4}) {
            SetControlProperty(box, Property::Text, "5CD");
            HWND handle = ControlHandle(box);
            SetFocus(handle);
            SendMessageW(handle, EM_SETSEL, 3, 3);
            for (wchar_t key : {L' ', L'X', L'Y'}) SendMessageW(handle, WM_CHAR, key, 1);
        }
        typed3 = GetControlProperty(Control::编辑框3, Property::Text);
        typed4 = GetControlProperty(Control::编辑框4, Property::Text);
        CloseMainWindow();
    };
    ASSERT_TRUE(RunScriptedWindow(script));
    EXPECT_EQ(typed3, "5CD XY");
    EXPECT_EQ(typed4, "5CD");
}

// A worker's writes are applied on the window's thread, in order, each before the
// write returns; reads from the worker are carried over too.
struct WorkerLog {
    std::vector<std::string> appliedWhenReturned;
    std::string readBack;
    bool hiddenWhenReturned = false;
    bool shownAgainWhenReturned = false;
    std::atomic<bool> done{false};
} workerLog;

void IdentifyLikeWorker() {
    const std::string querying = Gbk("查询中...");
    const std::pair<Control, std::string> writes[] = {
        {Control::编辑框1, querying}, {Control::编辑框2, querying}, {Control::编辑框3, querying},
        {Control::编辑框4, querying}, {Control::编辑框1, Gbk("惠普战66 Pro G1 笔记本电脑")},
        {Control::编辑框3, "5CD0000XYZ"}, {Control::编辑框1, "HP ZHAN 66 Pro G1 "},
    };
    for (const auto& [control, text] : writes) {
        SetControlProperty(control, Property::Text, text);
        workerLog.appliedWhenReturned.push_back(WindowText(ControlHandle(control)));
    }
    SetControlProperty(Control::编辑框2, Property::Visible, false);
    SetControlProperty(Control::标签2, Property::Visible, false);
    workerLog.hiddenWhenReturned =
        !IsWindowVisible(ControlHandle(Control::编辑框2)) && !IsWindowVisible(ControlHandle(Control::标签2));
    SetControlProperty(Control::标签2, Property::Visible, true);
    workerLog.shownAgainWhenReturned = IsWindowVisible(ControlHandle(Control::标签2));
    workerLog.readBack = GetControlProperty(Control::编辑框3, Property::Text);
    workerLog.done = true;
    CloseMainWindow();
}

TEST(Win32MainWindow, WorkerWritesReachTheControlsInOrder) {
    WindowScript script;
    script.created = [] { platform::StartThread(IdentifyLikeWorker); };
    ASSERT_TRUE(RunScriptedWindow(script));
    ASSERT_TRUE(workerLog.done);
    const std::string querying = Gbk("查询中...");
    EXPECT_EQ(workerLog.appliedWhenReturned,
              (std::vector<std::string>{querying, querying, querying, querying,
                                        Gbk("惠普战66 Pro G1 笔记本电脑"), "5CD0000XYZ", "HP ZHAN 66 Pro G1 "}));
    EXPECT_TRUE(workerLog.hiddenWhenReturned);
    EXPECT_TRUE(workerLog.shownAgainWhenReturned);
    EXPECT_EQ(workerLog.readBack, "5CD0000XYZ");
}

// Once the window is gone a worker's operations return at once and change nothing.
std::atomic<int> lateWrites{0};
void LateWorker() {
    while (!platform::win32::CurrentMainWindow()->IsClosed()) Sleep(1);
    for (int i = 0; i < 100; ++i) {
        SetControlProperty(Control::编辑框1, Property::Text, "late");
        SetControlProperty(Control::超文本浏览框1, Property::Address, "http://127.0.0.1:9/");
        lateWrites++;
    }
}

TEST(Win32MainWindow, WritesAfterTheWindowClosedReturnAtOnce) {
    WindowScript script;
    script.created = [] { platform::StartThread(LateWorker); };
    script.shown = CloseMainWindow;
    ASSERT_TRUE(RunScriptedWindow(script));
    platform::win32::MainWindow* closed = platform::win32::CurrentMainWindow();
    // The host is uninstalled; the closed window object itself still answers safely.
    closed->SetText(Control::编辑框1, Property::Text, "late");
    EXPECT_EQ(closed->GetText(Control::编辑框1, Property::Text), "");
    for (int waited = 0; lateWrites < 100 && waited < 5000; waited += 10) Sleep(10);
    EXPECT_EQ(lateWrites.load(), 100);
}

// Clicks reach the handler for enabled buttons only.
std::vector<Control> clicks;
TEST(Win32MainWindow, ClicksOfEnabledButtonsReachTheHandler) {
    WindowScript script;
    script.created = [] { SetControlProperty(Control::按钮2, Property::Disabled, true); };
    script.clicked = [](Control button) { clicks.push_back(button); };
    script.shown = [] {
        for (Control button : {Control::按钮4, Control::按钮2, Control::按钮1})
            SendMessageW(ControlHandle(button), BM_CLICK, 0, 0);
        SetControlProperty(Control::按钮2, Property::Disabled, false);
        SendMessageW(ControlHandle(Control::按钮2), BM_CLICK, 0, 0);
        CloseMainWindow();
    };
    ASSERT_TRUE(RunScriptedWindow(script));
    EXPECT_EQ(clicks, (std::vector<Control>{Control::按钮4, Control::按钮1, Control::按钮2}));
}

}  // namespace
