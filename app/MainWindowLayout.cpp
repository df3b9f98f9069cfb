#include "app/MainWindowLayout.h"

#include "app/LookupCommands.h"
#include "app/Startup.h"
#include "text/Text.h"
#include "warranty/NavigationWatcher.h"

using platform::Control;
using platform::ControlKind;

platform::WindowLayout MainWindowLayout() {
    // Each label comes right before its edit box, which takes the label's caption as
    // its accessible name.
    return {
        Gbk("岚拓·产品序列号查询"),
        370,
        285,
        {
            {Control::标签1, ControlKind::Label, 24, 32, 80, 24, Gbk("产品型号")},
            {Control::编辑框1, ControlKind::EditBox, 120, 32, 200, 24, ""},
            {Control::标签2, ControlKind::Label, 24, 73, 80, 24, Gbk("产 品 号")},
            {Control::编辑框2, ControlKind::EditBox, 120, 73, 200, 24, ""},
            {Control::标签3, ControlKind::Label, 24, 118, 80, 24, Gbk("序 列 号")},
            {Control::编辑框3, ControlKind::EditBox, 120, 118, 200, 24, ""},
            {Control::标签4, ControlKind::Label, 24, 160, 80, 24, Gbk("保修信息")},
            {Control::编辑框4, ControlKind::ReadOnlyEditBox, 120, 160, 200, 24, ""},
            {Control::按钮4, ControlKind::PushButton, 96, 216, 66, 24, Gbk("查询备件")},
            {Control::按钮2, ControlKind::PushButton, 184, 216, 66, 24, Gbk("查询保修")},
            {Control::按钮1, ControlKind::PushButton, 272, 216, 66, 24, Gbk("查询驱动")},
            // Right of the whole client area: never shown, yet a live browser.
            {Control::超文本浏览框1, ControlKind::WebBrowser, 424, 24, 480, 304, ""},
        },
    };
}

void OnButtonClicked(Control button) {
    switch (button) {
    case Control::按钮1: OnDriversClicked(); break;
    case Control::按钮2: OnWarrantyClicked(); break;
    case Control::按钮4: OnSparePartsClicked(); break;
    default: break;
    }
}

platform::WindowHandlers MainWindowHandlers() {
    platform::WindowHandlers handlers;
    handlers.created = OnMainWindowCreated;
    handlers.clicked = OnButtonClicked;
    handlers.navigated = OnBrowserNavigated;
    return handlers;
}
