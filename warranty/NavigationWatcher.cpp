#include "warranty/NavigationWatcher.h"

#include "platform/Controls.h"
#include "platform/Http.h"
#include "text/TextRoutines.h"
#include "warranty/GlobalState.h"
#include "warranty/SiteEndpoints.h"
#include "warranty/WarrantyPage.h"

using platform::Control;
using platform::Property;

namespace {

// The driver page the support site leads the browser to, but not the identification
// page itself, in whatever letter case and with whatever follows its "?q=".
bool IsDriverPage(const Text& address) {
    return FindText(address, IdentifyPagePrefix(), std::nullopt, true) == -1 &&
           FindText(address, "drivers/selfservice") != -1;
}

// Appended as they are, without encoding, even where the address has no query.
Text WarrantyResultAddress(const Text& driverPage, const Text& serialNumber) {
    Text address = ReplaceMany(driverPage, std::nullopt, 1, false, {{"drivers/selfservice", "warrantyresult"}});
    return ConcatText({address, "&serialNo=", serialNumber, "&multiWarranty=true"});
}

}  // namespace

void OnBrowserNavigated() {
    const Text address = platform::GetControlProperty(Control::超文本浏览框1, Property::Address);
    if (!IsDriverPage(address)) return;

    const Text warrantyUrl = WarrantyResultAddress(address, SerialNumber().Load());
    WarrantyUrl().Store(warrantyUrl);
    // The user can open the warranty page whatever the fetch brings.
    platform::SetControlProperty(Control::按钮2, Property::Disabled, false);

    const Bytes body = platform::HttpReadFile(warrantyUrl);
    if (body.empty()) {
        // A failure is not shown as "no coverage"; the model name stays in view.
        platform::SetControlProperty(Control::编辑框4, Property::Text, Gbk("查询失败"));
        return;
    }

    const WarrantyPage result = ParseWarrantyPage(Utf8ToGbk(BytesToText(body)));
    if (!result.productName.empty())
        platform::SetControlProperty(Control::编辑框1, Property::Text, result.productName);
    // A page without coverage or end date is not shown as zero months left.
    const bool nothingFound = result.warrantySummary == Gbk("剩余:0个月.截止:年月日");
    platform::SetControlProperty(Control::编辑框4, Property::Text,
                                 nothingFound ? Gbk("未找到保修信息") : result.warrantySummary);
}
