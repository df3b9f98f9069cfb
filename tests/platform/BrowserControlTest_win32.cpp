// The hosted WebBrowser control: its NavigateComplete2 sink and the address property.
// Wine has no engine to render pages, so completed navigations are simulated by
// invoking the sink the control itself calls; address writes are checked by the
// requests they make.
#include <gtest/gtest.h>
#include <windows.h>
#include <exdispid.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "BrowserEvent_win32.h"
#include "LocalHttpListener_win32.h"
#include "ScriptedWindow_win32.h"
#include "platform/Controls.h"
#include "platform/Threads.h"
#include "platform/win32/MainWindowWin32.h"
#include "platform/win32/WebBrowserHost.h"
#include "text/Text.h"

using platform::Control;
using platform::GetControlProperty;
using platform::Property;
using platform::SetControlProperty;

namespace {

IDispatch* EventSink() {
    platform::win32::WebBrowserHost* browser = platform::win32::CurrentMainWindow()->Browser();
    return browser ? browser->EventSink() : nullptr;
}

void Notify(DISPID id, const wchar_t* url, bool withFrame = true, IDispatch* sink = nullptr) {
    RaiseBrowserEvent(sink ? sink : EventSink(), id, url, withFrame);
}

struct SinkLog {
    std::vector<std::string> addressesInHandler;  // two reads per handler run
    std::string addressOutside;
    bool sinkPresent = false;
} sinkLog;

void RecordAddress() {
    std::string first = GetControlProperty(Control::超文本浏览框1, Property::Address);
    std::string second = GetControlProperty(Control::超文本浏览框1, Property::Address);
    sinkLog.addressesInHandler.push_back(first == second ? first : first + " != " + second);
}

TEST(Win32BrowserControl, NavigateCompleteRaisesTheHandlerOncePerFrameWithItsAddress) {
    WindowScript script;
    script.navigated = RecordAddress;
    script.shown = [] {
        sinkLog.sinkPresent = EventSink() != nullptr;
        if (sinkLog.sinkPresent) {
            Notify(DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:9/frame-a.html");
            Notify(DISPID_BEFORENAVIGATE2, L"http://127.0.0.1:9/ignored-before");
            Notify(DISPID_NAVIGATECOMPLETE2, L"http://localhost:9/frame-b.html");
            Notify(DISPID_DOCUMENTCOMPLETE, L"http://127.0.0.1:9/ignored-complete");
            Notify(DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:9/two-frames.html");
            Notify(DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:9/drivers?q=\u60e0\u666e \u6218");
            Notify(DISPID_NAVIGATECOMPLETE2, nullptr);                           // no URL
            Notify(DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:9/one", false);  // no frame
        }
        sinkLog.addressOutside = GetControlProperty(Control::超文本浏览框1, Property::Address);
        CloseMainWindow();
    };
    ASSERT_TRUE(RunScriptedWindow(script));
    ASSERT_TRUE(sinkLog.sinkPresent);
    EXPECT_EQ(sinkLog.addressesInHandler,
              (std::vector<std::string>{"http://127.0.0.1:9/frame-a.html", "http://localhost:9/frame-b.html",
                                        "http://127.0.0.1:9/two-frames.html",
                                        "http://127.0.0.1:9/drivers?q=" + Gbk("惠普 战"), "",
                                        "http://127.0.0.1:9/one"}));
    // Outside a handler the address is the top-level document's; none was loaded.
    EXPECT_EQ(sinkLog.addressOutside, "");
}

// A handler that closes the window from inside the notification: the host and the
// sink stay alive until the notification has returned.
TEST(Win32BrowserControl, HandlerMayCloseTheWindow) {
    WindowScript script;
    script.navigated = [] { DestroyWindow(MainHandle()); };
    script.shown = [] { Notify(DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:9/"); };
    EXPECT_TRUE(RunScriptedWindow(script, 5000));
}

// Close() from inside the handler: the handler's own state (its captures) lives
// until the handler returns.
platform::win32::WebBrowserHost* closingHost = nullptr;
std::weak_ptr<int> handlerState;
bool stateAliveAfterClose = false;
TEST(Win32BrowserControl, HandlerStateOutlivesACloseFromInsideIt) {
    WindowScript script;
    script.shown = [] {
        auto state = std::make_shared<int>(0);
        handlerState = state;
        // Held by the handler alone.
        closingHost = platform::win32::WebBrowserHost::Create(MainHandle(), [state = std::move(state)] {
            closingHost->Close();
            stateAliveAfterClose = !handlerState.expired();
        });
        if (closingHost) {
            Notify(DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:9/", true, closingHost->EventSink());
            closingHost->Release();
        }
        CloseMainWindow();
    };
    ASSERT_TRUE(RunScriptedWindow(script, 5000));
    ASSERT_NE(closingHost, nullptr);
    EXPECT_TRUE(stateAliveAfterClose);
}

// Every address write navigates, the same address twice included, also when the
// write comes from a worker thread.
LocalHttpListener* listener = nullptr;
std::atomic<bool> writesDone{false};
void WriteAddressTwice() {
    std::string address = listener->Origin() + "/cn-zh/drivers/selfservice/identify?q=5CD0000XYZ";
    SetControlProperty(Control::超文本浏览框1, Property::Address, address);
    Sleep(1500);  // let the first navigation reach the server before the second replaces it
    SetControlProperty(Control::超文本浏览框1, Property::Address, address);
    writesDone = true;
}

void CALLBACK CloseWhenServed(HWND, UINT, UINT_PTR id, DWORD) {
    if (writesDone && listener->RequestLines().size() >= 2) {
        KillTimer(nullptr, id);
        CloseMainWindow();
    }
}

TEST(Win32BrowserControl, EveryAddressWriteNavigates) {
    LocalHttpListener server;
    ASSERT_TRUE(server.Listening());
    listener = &server;
    WindowScript script;
    script.created = [] { platform::StartThread(WriteAddressTwice); };
    script.shown = [] { SetTimer(nullptr, 0, 50, CloseWhenServed); };
    EXPECT_TRUE(RunScriptedWindow(script, 15000)) << "requests seen: " << server.RequestLines().size();
    std::vector<std::string> expected(2, "GET /cn-zh/drivers/selfservice/identify?q=5CD0000XYZ HTTP/1.1");
    EXPECT_EQ(server.RequestLines(), expected);
}

}  // namespace
