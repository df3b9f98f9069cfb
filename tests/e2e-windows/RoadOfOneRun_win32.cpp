// The road of one run inside this process: the program's own layout and handlers on the
// real Win32 window, identification through a fake management tool, the hosted
// WebBrowser control and WinINet against the stand-in site. Wine's control sends the
// identification request but has no engine to complete a navigation, so completions
// are raised by invoking the control's event sink as the control itself does.
#include <gtest/gtest.h>
#include <windows.h>
#include <exdispid.h>

#include <functional>
#include <string>
#include <vector>

#include "BrowserEvent_win32.h"
#include "Desktop_win32.h"
#include "StandinMachine_win32.h"
#include "app/MainWindowLayout.h"
#include "app/Startup.h"
#include "platform/Shell.h"
#include "platform/Window.h"
#include "platform/win32/MainWindowWin32.h"
#include "platform/win32/WebBrowserHost.h"

namespace {

const std::string kShownModel = "惠普战66 Pro G1 笔记本电脑";

std::vector<std::string> opened;
void RecordOpened(const std::string& url) { opened.push_back(url); }

std::function<void()> scenario;

HWND MainHandle() {
    platform::win32::MainWindow* window = platform::win32::CurrentMainWindow();
    return window ? window->Handle() : nullptr;
}

void CALLBACK RunScenario(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    scenario();
    if (HWND main = MainHandle()) PostMessageW(main, WM_CLOSE, 0, 0);
}

void CreatedThenScenario() {
    OnMainWindowCreated();
    // A thread timer fires from the message loop, after the show that follows `created`.
    SetTimer(nullptr, 0, 50, RunScenario);
}

// Runs the program's window, with its own layout and handlers, until it closes; the
// steps run from its message loop once it is shown, and close it when they end.
bool RunProgramWindow(std::function<void()> steps) {
    static const bool initialised = (platform::InitializeProcess(), true);
    (void)initialised;
    scenario = std::move(steps);
    platform::WindowHandlers handlers = MainWindowHandlers();
    handlers.created = CreatedThenScenario;
    bool ran = platform::RunMainWindow(MainWindowLayout(), handlers);
    MSG message;  // drop what the closed window left behind (WM_QUIT, stale timers)
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    return ran;
}

// Raises NavigateComplete2 on the main thread as the control does. The frame is not the
// top-level browser, which only decides whether the text size is applied again.
void NavigateComplete(const std::string& url) {
    platform::win32::WebBrowserHost* browser = platform::win32::CurrentMainWindow()->Browser();
    ASSERT_NE(browser, nullptr) << "the WebBrowser control was not created";
    const std::wstring wide(url.begin(), url.end());  // the addresses used here are ASCII
    RaiseBrowserEvent(browser->EventSink(), DISPID_NAVIGATECOMPLETE2, wide.c_str());
}

// Clicks as a user would: the button handles the click itself and tells the window.
std::vector<std::string> Click(const std::string& caption) {
    opened.clear();
    HWND button = ButtonCaptioned(MainHandle(), caption);
    EXPECT_NE(button, nullptr) << "no button " << caption;
    if (button) SendMessageW(button, BM_CLICK, 0, 0);
    return opened;
}

bool WarrantyButtonEnabled() {
    HWND button = ButtonCaptioned(MainHandle(), "查询保修");
    return button && IsWindowEnabled(button);
}

std::string Fields() {
    HWND main = MainHandle();
    std::string all;
    for (const char* label : {"产品型号", "产 品 号", "序 列 号", "保修信息"})
        all += std::string(label) + "=[" + FieldText(main, label) + "] ";
    return all;
}

class WindowsEndToEnd : public StandinMachine {
protected:
    void SetUp() override {
        StandinMachine::SetUp();
        opened.clear();
        platform::InstallUrlOpener(RecordOpened);
    }
    void TearDown() override { platform::InstallUrlOpener(nullptr); }

    // Identification is done once the serial number is shown and the browser has asked
    // the site for its identification page, the worker's last step.
    void WaitForIdentification() {
        bool identified = PumpUntil(
            [this] { return FieldText(MainHandle(), "序 列 号") == kSerial && SawIdentification(); }, 30000);
        ASSERT_TRUE(identified) << Fields() << "\nsite log:\n" << site.Log();
    }
};

TEST_F(WindowsEndToEnd, IdentifiesLooksUpTheWarrantyAndOpensThePages) {
    const std::string origin = site.Origin();
    const std::string driverPage = origin + kDriverPath;
    const std::string warrantyPage = origin + kWarrantyTarget;
    EXPECT_TRUE(RunProgramWindow([&] {
        HWND main = MainHandle();
        EXPECT_FALSE(WarrantyButtonEnabled()) << "查询保修 is disabled from the start";
        WaitForIdentification();
        if (HasFatalFailure()) return;
        EXPECT_EQ(FieldText(main, "产品型号"), kShownModel);
        EXPECT_EQ(FieldText(main, "序 列 号"), kSerial);

        // Neither the identification page itself nor a frame outside the driver section
        // leads to a lookup; the disabled 查询保修 opens nothing.
        NavigateComplete(origin + IdentifyPath());
        NavigateComplete("http://localhost:" + std::to_string(site.Port()) + "/cn-zh/frame-two.html");
        EXPECT_EQ(SiteRequests("/cn-zh/warrantyresult/"), std::vector<std::string>{});
        EXPECT_FALSE(WarrantyButtonEnabled());
        EXPECT_EQ(Click("查询保修"), std::vector<std::string>{});
        EXPECT_EQ(FieldText(main, "产品型号"), kShownModel);

        // The site leads the browser on to the driver page, setting its session cookie
        // on the way; the control would now report the completed navigation.
        ASSERT_TRUE(PumpUntil([&] { return !SiteRequests(kDriverPath).empty(); }, 15000)) << site.Log();
        NavigateComplete(driverPage);
        std::vector<LoggedRequest> warranty;
        for (const LoggedRequest& request : ParseRequests(site.Requests()))
            if (request.line.rfind("GET /cn-zh/warrantyresult/", 0) == 0) warranty.push_back(request);
        ASSERT_EQ(warranty.size(), 1u) << site.Log();
        EXPECT_EQ(warranty[0].line, std::string("GET ") + kWarrantyTarget + " HTTP/1.0");
        EXPECT_EQ(warranty[0].Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
        EXPECT_EQ(warranty[0].Header("Accept"), "*/*");
        EXPECT_FALSE(warranty[0].HasHeader("Referer"));
        // WinINet shares the browser control's cookie store.
        EXPECT_EQ(warranty[0].Header("Cookie"), std::string("standin_session=") + kSerial);

        EXPECT_EQ(FieldText(main, "产品型号"), "战66 Pro G1");
        EXPECT_EQ(FieldText(main, "保修信息"), "剩余:1年3个月.截止:2021年3月5日");
        EXPECT_EQ(FieldText(main, "序 列 号"), kSerial);
        EXPECT_TRUE(WarrantyButtonEnabled());

        // The model is the ZHAN 66 Pro G1: its one driver page.
        EXPECT_EQ(Click("查询驱动"), std::vector<std::string>{driverPage});
        EXPECT_EQ(Click("查询保修"), std::vector<std::string>{warrantyPage});
        EXPECT_EQ(Click("查询备件"), std::vector<std::string>{origin + "/Search.aspx?SearchText=" + kSerial});
    }));
    EXPECT_FALSE(IsWindow(MainHandle())) << "closing destroys the window";
}

// The warranty page comes from the site the browser landed on; a failing one of its
// own lets a hanging answer end (the site stops after a few seconds) without cutting
// identification short.
struct FailingSite {
    const char* name;
    std::vector<std::string> args;
};

class WindowsEndToEndFailingSite : public WindowsEndToEnd, public testing::WithParamInterface<FailingSite> {};

TEST_P(WindowsEndToEndFailingSite, ShowsTheFailureKeepsTheModelAndStaysUsable) {
    EXPECT_TRUE(RunProgramWindow([&] {
        HWND main = MainHandle();
        WaitForIdentification();
        if (HasFatalFailure()) return;
        StandinLauncher failing(GetParam().args);
        ASSERT_TRUE(failing.Started());

        const ULONGLONG started = GetTickCount64();
        NavigateComplete(failing.Origin() + kDriverPath);
        const ULONGLONG waited = GetTickCount64() - started;

        EXPECT_EQ(RequestLinesFor(ParseRequests(failing.Requests()), "/cn-zh/warrantyresult/").size(), 1u)
            << failing.Log();
        EXPECT_EQ(FieldText(main, "保修信息"), "查询失败");
        EXPECT_EQ(FieldText(main, "产品型号"), kShownModel);
        EXPECT_TRUE(WarrantyButtonEnabled());
        EXPECT_LT(waited, 35000u) << "the fetch is bounded";
        EXPECT_EQ(Click("查询备件"), std::vector<std::string>{site.Origin() + "/Search.aspx?SearchText=" + kSerial});
    }));
}

INSTANTIATE_TEST_SUITE_P(Faults, WindowsEndToEndFailingSite,
                         testing::Values(FailingSite{"EmptyBody", {"--fault", "empty"}},
                                         FailingSite{"Hang", {"--fault", "hang", "--lifetime", "5"}}),
                         [](const testing::TestParamInfo<FailingSite>& info) { return info.param.name; });

}  // namespace
