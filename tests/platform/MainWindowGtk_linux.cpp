// The GTK main window for real, under an X display: placement, controls, keyboard,
// accessibility names and the disabled button.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "GtkTestWindow.h"
#include "ShellTestLayout.h"
#include "platform/CodePage.h"
#include "platform/Controls.h"

using platform::Control;
using platform::ControlKind;
using platform::Property;

namespace {

class MainWindowGtk : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gtktest::DisplayAvailable()) GTEST_SKIP() << "no X display";
    }
    platform::WindowLayout layout_ = ShellTestLayout();
};

std::string Caption(GtkWidget* widget) {
    if (GTK_IS_LABEL(widget)) return gtk_label_get_text(GTK_LABEL(widget));
    if (GTK_IS_BUTTON(widget)) return gtk_button_get_label(GTK_BUTTON(widget));
    if (GTK_IS_ENTRY(widget)) return gtk_entry_get_text(GTK_ENTRY(widget));
    return {};
}

TEST_F(MainWindowGtk, OpensCentredAtItsOuterSizeWithTitleAndFixedFrame) {
    GdkRectangle outer{}, monitor{};
    std::string title;
    bool resizable = true;
    ASSERT_TRUE(gtktest::RunWindow(layout_, [&](GtkWidget* window) {
        gtktest::PumpFor(std::chrono::milliseconds(200));
        outer = gtktest::OuterRectangle(window);
        gdk_monitor_get_geometry(gdk_display_get_primary_monitor(gtk_widget_get_display(window)), &monitor);
        title = gtk_window_get_title(GTK_WINDOW(window));
        resizable = gtk_window_get_resizable(GTK_WINDOW(window));
    }));
    EXPECT_EQ(outer.width, 370);
    EXPECT_EQ(outer.height, 285);
    EXPECT_EQ(outer.x, monitor.x + (monitor.width - 370) / 2);
    EXPECT_EQ(outer.y, monitor.y + (monitor.height - 285) / 2);
    if (monitor.width == 1920 && monitor.height == 1080) {
        EXPECT_EQ(outer.x, 775);
        EXPECT_EQ(outer.y, 397);
    }
    EXPECT_EQ(title, "岚拓·产品序列号查询");
    EXPECT_FALSE(resizable);
}

TEST_F(MainWindowGtk, ControlsSitAtTheirPlacesWithTheirCaptions) {
    struct Seen {
        GdkRectangle rect;
        std::string caption;
        bool visible, sensitive;
    };
    std::vector<Seen> seen;
    GdkRectangle client{};
    ASSERT_TRUE(gtktest::RunWindow(layout_, [&](GtkWidget* window) {
        gtktest::PumpFor(std::chrono::milliseconds(100));
        GtkWidget* layoutWidget = gtk_bin_get_child(GTK_BIN(window));
        gtk_widget_get_allocation(layoutWidget, &client);
        for (const auto& item : layout_.controls) {
            GtkWidget* widget = gtktest::ControlWidget(layout_, item.control);
            seen.push_back({gtktest::ClientRectangle(widget), Caption(widget), gtk_widget_get_visible(widget) != 0,
                            gtk_widget_get_sensitive(widget) != 0});
        }
    }));
    ASSERT_EQ(seen.size(), layout_.controls.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const auto& want = layout_.controls[i];
        SCOPED_TRACE(platform::Cp936ToUtf8(want.caption) + " #" + std::to_string(i));
        EXPECT_EQ(seen[i].rect.x, want.left);
        EXPECT_EQ(seen[i].rect.y, want.top);
        EXPECT_EQ(seen[i].rect.width, want.width);
        EXPECT_EQ(seen[i].rect.height, want.height);
        EXPECT_EQ(seen[i].caption, platform::Cp936ToUtf8(want.caption));
        EXPECT_TRUE(seen[i].visible);
        EXPECT_TRUE(seen[i].sensitive);
    }
    // The browser lies wholly right of the client area: never shown.
    EXPECT_LE(client.width, 424);
    EXPECT_EQ(seen[1].caption, "");
    EXPECT_EQ(seen[2].caption, "产 品 号");
}

TEST_F(MainWindowGtk, OnlyTheReadOnlyEditBoxRefusesTyping) {
    std::string typed3, typed4;
    ASSERT_TRUE(gtktest::RunWindow(layout_, [&](GtkWidget* window) {
        for (Control box : {Control::编辑框3, Control::编辑框4}) {
            gtk_widget_grab_focus(gtktest::ControlWidget(layout_, box));
            gtktest::PressKey(window, GDK_KEY_a);
            gtktest::PressKey(window, GDK_KEY_7);
            gtktest::PumpFor(std::chrono::milliseconds(50));
        }
        typed3 = gtk_entry_get_text(GTK_ENTRY(gtktest::ControlWidget(layout_, Control::编辑框3)));
        typed4 = gtk_entry_get_text(GTK_ENTRY(gtktest::ControlWidget(layout_, Control::编辑框4)));
    }));
    EXPECT_EQ(typed3, "a7");
    EXPECT_EQ(typed4, "");
}

TEST_F(MainWindowGtk, EscapeClosesTheWindowAndEndsTheLoop) {
    bool closedByEscape = false;
    ASSERT_TRUE(gtktest::RunWindow(layout_, [&](GtkWidget* window) {
        // From an edit box with focus, as a user would press it.
        gtk_widget_grab_focus(gtktest::ControlWidget(layout_, Control::编辑框1));
        gtktest::PressKey(window, GDK_KEY_Escape);
        closedByEscape = gtktest::PumpUntil([] { return gtktest::MainWindowWidget() == nullptr; },
                                            std::chrono::seconds(5));
    }));
    EXPECT_TRUE(closedByEscape);
}

TEST_F(MainWindowGtk, ButtonDisabledByTheCreatedHandlerIsNeverShownEnabledAndRaisesNoClick) {
    static std::vector<Control> clicks;
    clicks.clear();
    bool sensitiveAtFirstMap = true;
    gtktest::WindowScript script;
    script.created = [&] {
        platform::SetControlProperty(Control::按钮2, Property::Disabled, true);
        GtkWidget* button = gtktest::ControlWidget(layout_, Control::按钮2);
        g_signal_connect(button, "map", G_CALLBACK(+[](GtkWidget* widget, gpointer seen) {
                             *static_cast<bool*>(seen) = gtk_widget_get_sensitive(widget);
                         }),
                         &sensitiveAtFirstMap);
    };
    script.shown = [&](GtkWidget*) {
        gtk_button_clicked(GTK_BUTTON(gtktest::ControlWidget(layout_, Control::按钮2)));
        gtk_button_clicked(GTK_BUTTON(gtktest::ControlWidget(layout_, Control::按钮4)));
        platform::SetControlProperty(Control::按钮2, Property::Disabled, false);
        gtk_button_clicked(GTK_BUTTON(gtktest::ControlWidget(layout_, Control::按钮2)));
    };
    script.clicked = [](Control button) { clicks.push_back(button); };
    ASSERT_TRUE(gtktest::RunWindow(layout_, std::move(script)));
    EXPECT_FALSE(sensitiveAtFirstMap);
    EXPECT_EQ(clicks, (std::vector<Control>{Control::按钮4, Control::按钮2}));
}

TEST_F(MainWindowGtk, EditBoxesAreNamedAfterTheirLabels) {
    std::vector<std::string> names;
    std::vector<bool> labelled;
    ASSERT_TRUE(gtktest::RunWindow(layout_, [&](GtkWidget*) {
        for (auto [label, box] : {std::pair{Control::标签1, Control::编辑框1}, {Control::标签2, Control::编辑框2},
                                  {Control::标签3, Control::编辑框3}, {Control::标签4, Control::编辑框4}}) {
            AtkObject* accessible = gtk_widget_get_accessible(gtktest::ControlWidget(layout_, box));
            names.push_back(atk_object_get_name(accessible) ? atk_object_get_name(accessible) : "");
            AtkRelationSet* relations = atk_object_ref_relation_set(accessible);
            AtkRelation* by = atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABELLED_BY);
            AtkObject* labelAccessible = gtk_widget_get_accessible(gtktest::ControlWidget(layout_, label));
            bool found = false;
            GPtrArray* targets = by ? atk_relation_get_target(by) : nullptr;
            for (guint i = 0; targets && i < targets->len; ++i) found |= g_ptr_array_index(targets, i) == labelAccessible;
            labelled.push_back(found);
            g_object_unref(relations);
        }
    }));
    EXPECT_EQ(names, (std::vector<std::string>{"产品型号", "产 品 号", "序 列 号", "保修信息"}));
    EXPECT_EQ(labelled, (std::vector<bool>{true, true, true, true}));
}

}  // namespace
