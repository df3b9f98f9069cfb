// 岚拓·产品序列号查询: identifies this computer, shows its serial number, model name and
// product number, and looks up its remaining warranty on the support site.

#include <cstdlib>

#include "app/MainWindowLayout.h"
#include "app/Startup.h"
#include "platform/Window.h"

// Also the entry of the Windows GUI program: mingw's start-up code calls main.
int main() {
    platform::InitializeProcess();
    std::atexit(ReleaseGlobals);
    // No window (no display, say) is a failure, not a run that ended normally.
    if (!platform::RunMainWindow(MainWindowLayout(), MainWindowHandlers())) return 1;
    return 0;
}
