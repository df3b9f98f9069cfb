// The hidden browser control against the stand-in site: one navigation-complete event
// per completed navigation of the top page and of each frame, each with its own
// address readable while the handler runs.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "GtkTestWindow.h"
#include "ShellTestLayout.h"
#include "StandinLauncher.h"
#include "platform/Controls.h"
#include "platform/linux/BrowserCookies.h"
#include "platform/linux/BrowserView.h"

using platform::Control;
using platform::GetControlProperty;
using platform::Property;
using platform::SetControlProperty;
using namespace std::chrono_literals;

namespace {

constexpr const char* kDriverPath = "/cn-zh/drivers/selfservice/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596";

std::vector<std::string> events;  // the address read in each handler run
bool addressStableInHandler = true;

void RecordNavigation() {
    std::string address = GetControlProperty(Control::超文本浏览框1, Property::Address);
    if (GetControlProperty(Control::超文本浏览框1, Property::Address) != address) addressStableInHandler = false;
    events.push_back(address);
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

int RequestsFor(const StandinLauncher& site, const std::string& target) {
    int count = 0;
    for (const std::string& request : site.Requests())
        if (request.rfind("GET " + target + " ", 0) == 0) ++count;
    return count;
}

class BrowserViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gtktest::DisplayAvailable()) GTEST_SKIP() << "no X display";
        ASSERT_TRUE(site_.Started());
        events.clear();
        addressStableInHandler = true;
    }

    // Opens the window, runs steps inside it, and records every navigation event.
    void RunBrowser(const std::function<void()>& steps) {
        gtktest::WindowScript script;
        script.shown = [&](GtkWidget*) { steps(); };
        script.navigated = RecordNavigation;
        ASSERT_TRUE(gtktest::RunWindow(layout_, std::move(script)));
    }

    static bool WaitForEvent(const std::string& address) {
        return gtktest::PumpUntil([&] { return Contains(events, address); }, 20s);
    }

    platform::WindowLayout layout_ = ShellTestLayout();
    StandinLauncher site_;
};

TEST_F(BrowserViewTest, A302RedirectEndsInOneEventForTheDriverPage) {
    const std::string driver = site_.Origin() + kDriverPath;
    RunBrowser([&] {
        SetControlProperty(Control::超文本浏览框1, Property::Address,
                           site_.Origin() + "/cn-zh/drivers/selfservice/identify?q=5CD0000XYZ");
        EXPECT_TRUE(WaitForEvent(driver));
        gtktest::PumpFor(300ms);
    });
    EXPECT_EQ(events, std::vector<std::string>{driver});
    EXPECT_TRUE(addressStableInHandler);
}

TEST_F(BrowserViewTest, AScriptRedirectEndsInAnEventForTheDriverPage) {
    const std::string identify = site_.Origin() + "/cn-zh/drivers/selfservice/identify?q=SCRIPT5CD0000XYZ";
    const std::string driver = site_.Origin() + kDriverPath;
    std::string afterwards;
    RunBrowser([&] {
        SetControlProperty(Control::超文本浏览框1, Property::Address, identify);
        EXPECT_TRUE(WaitForEvent(driver));
        gtktest::PumpFor(300ms);
        afterwards = GetControlProperty(Control::超文本浏览框1, Property::Address);
    });
    EXPECT_EQ(events, (std::vector<std::string>{identify, driver}));
    EXPECT_EQ(afterwards, driver);
}

TEST_F(BrowserViewTest, APageWithTwoFramesOneCrossOriginRaisesThreeEvents) {
    const std::string top = site_.Origin() + "/cn-zh/frames.html";
    const std::string one = site_.Origin() + "/cn-zh/frame-one.html";
    const std::string two = "http://localhost:" + std::to_string(site_.Port()) + "/cn-zh/frame-two.html";
    std::string outsideHandler;
    RunBrowser([&] {
        SetControlProperty(Control::超文本浏览框1, Property::Address, top);
        EXPECT_TRUE(gtktest::PumpUntil([&] { return events.size() >= 3; }, 20s));
        gtktest::PumpFor(500ms);
        outsideHandler = GetControlProperty(Control::超文本浏览框1, Property::Address);
    });
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], top);  // the top page commits before its frames load
    EXPECT_TRUE(Contains(events, one));
    EXPECT_TRUE(Contains(events, two));
    EXPECT_TRUE(addressStableInHandler);
    EXPECT_EQ(outsideHandler, top);
}

TEST_F(BrowserViewTest, EveryAddressWriteNavigatesAlsoToTheSameAddressAndFromAWorker) {
    const std::string page = site_.Origin() + "/cn-zh/frame-one.html";
    RunBrowser([&] {
        SetControlProperty(Control::超文本浏览框1, Property::Address, page);
        EXPECT_TRUE(WaitForEvent(page));
        std::atomic<bool> written{false};
        std::thread worker([&] {
            SetControlProperty(Control::超文本浏览框1, Property::Address, page);
            written = true;
        });
        EXPECT_TRUE(gtktest::PumpUntil([&] { return written && events.size() >= 2; }, 20s));
        worker.join();
        gtktest::PumpFor(300ms);
    });
    EXPECT_EQ(events, (std::vector<std::string>{page, page}));
    EXPECT_EQ(RequestsFor(site_, "/cn-zh/frame-one.html"), 2);
}

TEST_F(BrowserViewTest, WhileANavigationIsPendingTheAddressIsStillTheShownDocument) {
    const std::string shown = site_.Origin() + "/cn-zh/frame-one.html";
    // The site takes its time over this serial's warranty page.
    const std::string slow = site_.Origin() + "/cn-zh/warrantyresult/x&serialNo=FAULT-SLOW&multiWarranty=true";
    std::string pending, loaded;
    RunBrowser([&] {
        SetControlProperty(Control::超文本浏览框1, Property::Address, shown);
        EXPECT_TRUE(WaitForEvent(shown));
        SetControlProperty(Control::超文本浏览框1, Property::Address, slow);
        gtktest::PumpFor(300ms);
        pending = GetControlProperty(Control::超文本浏览框1, Property::Address);
        EXPECT_TRUE(WaitForEvent(slow));
        loaded = GetControlProperty(Control::超文本浏览框1, Property::Address);
    });
    EXPECT_EQ(pending, shown);
    EXPECT_EQ(loaded, slow);
}

TEST_F(BrowserViewTest, CookiesTheSiteSetDuringNavigationAreHandedToTheHttpClient) {
    std::string forSite, forOtherSite, inHandler;
    static std::string* seenInHandler = &inHandler;
    static std::string siteOrigin;
    siteOrigin = site_.Origin();
    gtktest::WindowScript script;
    script.navigated = [] {
        // As the warranty request asks, from inside the handler.
        *seenInHandler = platform::linux_backend::CookieHeaderFor(siteOrigin + "/cn-zh/warrantyresult/x");
    };
    script.shown = [&](GtkWidget*) {
        const std::string identify = site_.Origin() + "/cn-zh/drivers/selfservice/identify?q=STAY42";
        SetControlProperty(Control::超文本浏览框1, Property::Address, identify);
        EXPECT_TRUE(gtktest::PumpUntil([&] { return !inHandler.empty(); }, 20s));
        forSite = platform::linux_backend::CookieHeaderFor(site_.Origin() + "/cn-zh/warrantyresult/x");
        forOtherSite = platform::linux_backend::CookieHeaderFor("http://example.invalid/");
    };
    ASSERT_TRUE(gtktest::RunWindow(layout_, std::move(script)));
    EXPECT_EQ(inHandler, "standin_session=STAY42");
    EXPECT_EQ(forSite, "standin_session=STAY42");
    EXPECT_EQ(forOtherSite, "");
    EXPECT_EQ(platform::linux_backend::CookieHeaderFor(site_.Origin() + "/"), "");  // no browser any more
}

// A handler that pumps the main loop, as the warranty request's cookie wait does, while
// the frames of the page complete: the frames' events come after it returns, one at a
// time, in the order the frames completed, each run reading its own address to the end.
namespace pumping {
std::vector<std::string> trace;         // "+address" on entry, "-address" on return
std::vector<std::string> framesArrived;  // sub-frame responses, in the order the view saw them
std::string topPage;
bool closeWindowInside = false;

void RecordFrameResponse(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type, gpointer) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return;
    auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    if (webkit_response_policy_decision_is_main_frame_main_resource(response)) return;
    framesArrived.push_back(webkit_uri_response_get_uri(webkit_response_policy_decision_get_response(response)));
}

void PumpingHandler() {
    const std::string address = GetControlProperty(Control::超文本浏览框1, Property::Address);
    trace.push_back("+" + address);
    if (address == topPage) {
        gtktest::PumpUntil([] { return framesArrived.size() >= 2; }, 20s);
        gtktest::PumpFor(200ms);
        if (closeWindowInside) {
            gtk_window_close(GTK_WINDOW(gtktest::MainWindowWidget()));
            gtktest::PumpFor(200ms);
        }
    }
    trace.push_back("-" + GetControlProperty(Control::超文本浏览框1, Property::Address));
}

void Reset(const std::string& top) {
    trace.clear();
    framesArrived.clear();
    topPage = top;
    closeWindowInside = false;
}
}  // namespace pumping

TEST_F(BrowserViewTest, NavigationsCompletedWhileTheHandlerPumpsAreRaisedAfterItInOrder) {
    pumping::Reset(site_.Origin() + "/cn-zh/frames.html");
    gtktest::WindowScript script;
    script.navigated = pumping::PumpingHandler;
    script.shown = [&](GtkWidget*) {
        g_signal_connect(platform::gtk::LiveBrowserView(), "decide-policy", G_CALLBACK(pumping::RecordFrameResponse),
                         nullptr);
        SetControlProperty(Control::超文本浏览框1, Property::Address, pumping::topPage);
        EXPECT_TRUE(gtktest::PumpUntil([] { return pumping::trace.size() >= 6; }, 20s));
        gtktest::PumpFor(300ms);
    };
    ASSERT_TRUE(gtktest::RunWindow(layout_, std::move(script)));
    // Both frames must have completed inside the first run, or nothing was shown.
    ASSERT_EQ(pumping::framesArrived.size(), 2u);
    const std::string& top = pumping::topPage;
    const std::string& first = pumping::framesArrived[0];
    const std::string& second = pumping::framesArrived[1];
    EXPECT_EQ(pumping::trace,
              (std::vector<std::string>{"+" + top, "-" + top, "+" + first, "-" + first, "+" + second, "-" + second}));
}

// Closing the window inside such a handler: the navigations that waited are dropped and
// nothing touches the closed window's browser afterwards (the sanitizer build watches).
TEST_F(BrowserViewTest, ClosingTheWindowWhileTheHandlerPumpsDropsTheWaitingNavigations) {
    pumping::Reset(site_.Origin() + "/cn-zh/frames.html");
    pumping::closeWindowInside = true;
    gtktest::WindowScript script;
    script.navigated = pumping::PumpingHandler;
    script.shown = [&](GtkWidget*) {
        g_signal_connect(platform::gtk::LiveBrowserView(), "decide-policy", G_CALLBACK(pumping::RecordFrameResponse),
                         nullptr);
        SetControlProperty(Control::超文本浏览框1, Property::Address, pumping::topPage);
        EXPECT_TRUE(gtktest::PumpUntil([] { return gtktest::MainWindowWidget() == nullptr; }, 20s));
        gtktest::PumpFor(300ms);
    };
    ASSERT_TRUE(gtktest::RunWindow(layout_, std::move(script)));
    EXPECT_EQ(pumping::framesArrived.size(), 2u);
    // The closed window's browser reports no address any more.
    EXPECT_EQ(pumping::trace, (std::vector<std::string>{"+" + pumping::topPage, "-"}));
    EXPECT_EQ(platform::linux_backend::CookieHeaderFor(site_.Origin() + "/"), "");
}

// An unanswered dialog would hold the page at its alert() and never reach the next page.
TEST_F(BrowserViewTest, ScriptDialogsDoNotStopThePage) {
    const std::string next = site_.Origin() + "/cn-zh/frame-two.html";
    const std::string page = "data:text/html,<script>alert('x');confirm('y');prompt('z');location.href='" + next +
                             "';</script>";
    RunBrowser([&] {
        SetControlProperty(Control::超文本浏览框1, Property::Address, page);
        EXPECT_TRUE(WaitForEvent(next));
    });
}

}  // namespace
