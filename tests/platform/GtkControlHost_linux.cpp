// Property operations on the GTK window from a worker thread: applied on the main
// thread in order, the worker waiting for each; never stuck once the window is gone.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "GtkTestWindow.h"
#include "ShellTestLayout.h"
#include "platform/Controls.h"
#include "platform/Threads.h"
#include "platform/Window.h"
#include "text/PublishedText.h"
#include "text/Text.h"

using platform::Control;
using platform::GetControlProperty;
using platform::Property;
using platform::SetControlProperty;
using namespace std::chrono_literals;

namespace {

class GtkControlHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gtktest::DisplayAvailable()) GTEST_SKIP() << "no X display";
    }
    platform::WindowLayout layout_ = ShellTestLayout();
};

TEST_F(GtkControlHostTest, WorkerWritesReachTheControlsInOrderEachBeforeItReturns) {
    constexpr int kWrites = 60;
    std::vector<std::string> shown;     // 编辑框1's texts as the main thread saw them change
    std::atomic<int> applied{0};
    std::atomic<int> returnedEarly{0};  // writes that returned before the main thread applied them
    std::atomic<bool> workerDone{false};
    std::string readBack;
    bool box2Visible = true, button2Sensitive = true;
    std::thread worker;

    gtktest::WindowScript script;
    script.created = [&] {
        GtkWidget* box = gtktest::ControlWidget(layout_, Control::编辑框1);
        static auto* record = &shown;
        static auto* count = &applied;
        record->clear();
        g_signal_connect(box, "changed", G_CALLBACK(+[](GtkEditable* editable, gpointer) {
                             record->push_back(gtk_entry_get_text(GTK_ENTRY(editable)));
                             count->fetch_add(1);
                         }),
                         nullptr);
        // Started while the created handler runs: the first write waits for the loop.
        worker = std::thread([&] {
            for (int i = 1; i <= kWrites; ++i) {
                SetControlProperty(Control::编辑框1, Property::Text, Gbk("查询中...") + std::to_string(i));
                if (applied.load() != i) returnedEarly.fetch_add(1);
            }
            SetControlProperty(Control::编辑框2, Property::Visible, false);
            SetControlProperty(Control::按钮2, Property::Disabled, true);
            readBack = GetControlProperty(Control::编辑框1, Property::Text);
            workerDone = true;
        });
    };
    script.shown = [&](GtkWidget*) {
        EXPECT_TRUE(gtktest::PumpUntil([&] { return workerDone.load(); }, 20s));
        box2Visible = gtk_widget_get_visible(gtktest::ControlWidget(layout_, Control::编辑框2));
        button2Sensitive = gtk_widget_get_sensitive(gtktest::ControlWidget(layout_, Control::按钮2));
    };
    ASSERT_TRUE(gtktest::RunWindow(layout_, std::move(script)));
    worker.join();

    ASSERT_EQ(shown.size(), static_cast<std::size_t>(kWrites));
    for (int i = 1; i <= kWrites; ++i) EXPECT_EQ(shown[i - 1], "查询中..." + std::to_string(i));
    EXPECT_EQ(returnedEarly.load(), 0);
    EXPECT_EQ(readBack, Gbk("查询中...") + std::to_string(kWrites));
    EXPECT_FALSE(box2Visible);
    EXPECT_FALSE(button2Sensitive);
}

TEST_F(GtkControlHostTest, AWorkerWaitingOnAClosedWindowGivesUp) {
    std::atomic<bool> aboutToWrite{false}, returned{false};
    std::thread worker;
    bool gaveUp = false;
    ASSERT_TRUE(gtktest::RunWindow(layout_, [&](GtkWidget* window) {
        worker = std::thread([&] {
            aboutToWrite = true;
            SetControlProperty(Control::编辑框1, Property::Text, std::string("never shown"));
            returned = true;
        });
        while (!aboutToWrite) std::this_thread::sleep_for(1ms);
        // The main thread is busy: the write is queued and its worker waits.
        std::this_thread::sleep_for(200ms);
        EXPECT_FALSE(returned.load());
        gtk_widget_destroy(window);  // at once; gtk_window_close would wait for the loop
        // Without running the loop again: only the window's end can release the worker.
        for (int i = 0; i < 2000 && !returned; ++i) std::this_thread::sleep_for(1ms);
        gaveUp = returned;
    }));
    worker.join();
    EXPECT_TRUE(gaveUp);
    // Operations after the end change nothing and return at once.
    SetControlProperty(Control::编辑框1, Property::Text, std::string("late"));
    EXPECT_EQ(GetControlProperty(Control::编辑框1, Property::Text), "");
}

// As the program runs: the window closes while the worker is still writing (and would
// go on for a long time); the process ends normally with exit code 0.
void RunAndCloseDuringWork() {
    static PublishedText* global = new PublishedText;
    platform::InitializeProcess();
    std::atexit([] { global->Release(); });
    platform::WindowHandlers handlers;
    handlers.created = [] {
        SetControlProperty(Control::按钮2, Property::Disabled, true);
        platform::StartThread([] {
            for (int i = 0;; ++i) {
                SetControlProperty(Control::编辑框1, Property::Text, Gbk("查询中...") + std::to_string(i));
                SetControlProperty(Control::超文本浏览框1, Property::Address, std::string("about:blank"));
                global->Store(std::to_string(i));
                std::this_thread::sleep_for(2ms);
            }
        });
        g_timeout_add(300, [](gpointer) -> gboolean {
            if (GtkWidget* window = gtktest::MainWindowWidget()) gtk_window_close(GTK_WINDOW(window));
            return G_SOURCE_REMOVE;
        }, nullptr);
    };
    if (!platform::RunMainWindow(ShellTestLayout(), handlers)) std::exit(2);
    std::exit(0);
}

TEST_F(GtkControlHostTest, ClosingWhileTheWorkerRunsEndsTheProcessWithZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunAndCloseDuringWork(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
