// The created handler against a recording host: 按钮2 is disabled before anything
// else happens, and the worker it starts identifies the machine and ends by pointing
// the browser at the identification page.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "RecordingControlHost.h"
#include "app/Startup.h"
#include "warranty/SiteEndpoints.h"

using platform::Control;
using platform::Property;

TEST(StartupTest, CreatedHandlerDisablesTheWarrantyButtonThenIdentifiesOnAWorker) {
    // Never destroyed: the worker writes to it after this handler has returned.
    static auto* host = new RecordingControlHost;
    OnMainWindowCreated();
    const std::vector<ControlWrite> first = host->Writes();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front(), (ControlWrite{Control::按钮2, Property::Disabled, "", true}));

    // The worker's last step is the browser's address.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::vector<ControlWrite> writes;
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        writes = host->Writes();
    } while ((writes.empty() || writes.back().property != Property::Address) &&
             std::chrono::steady_clock::now() < deadline);
    ASSERT_EQ(writes.back().control, Control::超文本浏览框1);
    EXPECT_EQ(writes.back().text.rfind(IdentifyPagePrefix(), 0), 0u);
    EXPECT_EQ(writes[1].property, Property::Text);  // the worker starts by filling the boxes
}
