// The program's own window on GTK with the real handlers: it shows what identification
// found, sends the browser to the identification page, and ends cleanly when closed
// while identification is still running.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "GtkTestWindow.h"
#include "StandinLauncher.h"
#include "TempDirectory.h"
#include "app/MainWindowLayout.h"
#include "app/Startup.h"
#include "identify/IdentifyMachine.h"
#include "platform/Controls.h"
#include "platform/Threads.h"
#include "text/Text.h"
#include "warranty/GlobalState.h"

using platform::Control;
using platform::Property;
using namespace std::chrono_literals;

namespace {

class MainWindowAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gtktest::DisplayAvailable()) GTEST_SKIP() << "no X display";
    }
    platform::WindowLayout layout_ = MainWindowLayout();
};

std::vector<std::string>* changes = nullptr;

void RecordChanges(GtkWidget* entry, const char* name) {
    g_object_set_data(G_OBJECT(entry), "test-name", const_cast<char*>(name));
    g_signal_connect(entry, "changed", G_CALLBACK(+[](GtkEditable* editable, gpointer) {
                         changes->push_back(std::string(static_cast<const char*>(g_object_get_data(
                                                G_OBJECT(editable), "test-name"))) +
                                            "=" + gtk_entry_get_text(GTK_ENTRY(editable)));
                     }),
                     nullptr);
}

TEST_F(MainWindowAppTest, ShowsTheMachineAndSendsTheBrowserToTheIdentificationPage) {
    StandinLauncher site({"--redirect", "none"});
    ASSERT_TRUE(site.Started());
    TempDirectory dmi;
    dmi.Write("product_serial", "5CD0000XYZ\n");
    dmi.Write("product_name", "HP ZHAN 66 Pro G1 Notebook PC\n");
    dmi.Write("product_sku", "7DY08PA#AB2\n");
    setenv("LANTUO_DMI_DIR", dmi.Path().c_str(), 1);
    setenv("LANTUO_SUPPORT_SITE_ORIGIN", site.Origin().c_str(), 1);

    std::vector<std::string> seen;
    changes = &seen;
    bool button2SensitiveAtMap = true, button2SensitiveAtEnd = true;
    bool asked = false;
    platform::WindowHandlers handlers = MainWindowHandlers();
    gtktest::WindowScript script;
    script.created = [&] {
        RecordChanges(gtktest::ControlWidget(layout_, Control::编辑框1), "1");
        RecordChanges(gtktest::ControlWidget(layout_, Control::编辑框3), "3");
        g_signal_connect(gtktest::ControlWidget(layout_, Control::按钮2), "map",
                         G_CALLBACK(+[](GtkWidget* widget, gpointer seen) {
                             *static_cast<bool*>(seen) = gtk_widget_get_sensitive(widget);
                         }),
                         &button2SensitiveAtMap);
        handlers.created();
    };
    script.shown = [&](GtkWidget*) {
        asked = gtktest::PumpUntil(
            [&] {
                for (const std::string& request : site.Requests())
                    if (request.rfind("GET /cn-zh/drivers/selfservice/identify?q=5CD0000XYZ ", 0) == 0) return true;
                return false;
            },
            20s);
        button2SensitiveAtEnd = gtk_widget_get_sensitive(gtktest::ControlWidget(layout_, Control::按钮2));
    };
    script.clicked = handlers.clicked;
    script.navigated = handlers.navigated;
    ASSERT_TRUE(gtktest::RunWindow(layout_, std::move(script)));

    EXPECT_TRUE(asked);
    EXPECT_EQ(seen, (std::vector<std::string>{"3=查询中...", "1=查询中...", "1=惠普战66 Pro G1 笔记本电脑",
                                              "3=5CD0000XYZ"}));
    EXPECT_FALSE(button2SensitiveAtMap);
    EXPECT_FALSE(button2SensitiveAtEnd);  // the site led nowhere: no warranty address
}

// The worker is held inside identification until the window has closed and the
// globals are released; it then finishes against the released state.
std::atomic<bool> windowClosed{false};
Text SlowIdentityOutput() {
    while (!windowClosed) std::this_thread::sleep_for(5ms);
    return "\r\n\r\nIdentifyingNumber=5CD0000XYZ\r\nName=HP 246 G7\r\n";
}
std::atomic<bool> workerDone{false};

void CloseDuringIdentification() {
    platform::InitializeProcess();
    std::atexit(ReleaseGlobals);
    platform::WindowHandlers handlers = MainWindowHandlers();
    handlers.created = [] {
        platform::SetControlProperty(Control::按钮2, Property::Disabled, true);
        platform::StartThread([] {
            IdentifyMachineFrom(SlowIdentityOutput);
            workerDone = true;
        });
        g_timeout_add(300, [](gpointer) -> gboolean {
            if (GtkWidget* window = gtktest::MainWindowWidget()) gtk_window_close(GTK_WINDOW(window));
            return G_SOURCE_REMOVE;
        }, nullptr);
    };
    if (!platform::RunMainWindow(MainWindowLayout(), handlers)) std::exit(2);
    ReleaseGlobals();  // as at exit, but with the worker made to go on afterwards
    windowClosed = true;
    for (int i = 0; i < 2000 && !workerDone; ++i) std::this_thread::sleep_for(1ms);
    if (!workerDone) std::exit(3);
    if (!SerialNumber().Load().empty() || !ModelName().Load().empty()) std::exit(4);
    std::exit(0);
}

TEST_F(MainWindowAppTest, ClosingDuringIdentificationEndsTheProcessWithZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv("LANTUO_SUPPORT_SITE_ORIGIN", "http://127.0.0.1:9", 1);  // nothing listens there
    EXPECT_EXIT(CloseDuringIdentification(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
