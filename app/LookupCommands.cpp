#include "app/LookupCommands.h"

#include "platform/Controls.h"
#include "platform/Shell.h"
#include "text/Text.h"
#include "warranty/GlobalState.h"
#include "warranty/SiteEndpoints.h"

void OnDriversClicked() {
    // Each global is read once: the worker may be replacing them right now.
    const Text modelName = ModelName().Load();
    if (CompareText(modelName, Gbk("惠普战66 Pro G1 笔记本电脑")) == 0) {
        platform::OpenUrl(Zhan66DriverPage());
        return;
    }
    const Text productNumber = ProductNumber().Load();
    const Text serialNumber = SerialNumber().Load();
    const Text prefix = IdentifyPagePrefix();
    // "XX" in a model name marks a placeholder that is no use as a search key.
    if (FindText(RemoveAllSpaces(modelName), "XX", 1, true) != -1) {
        platform::OpenUrl(ConcatText({prefix, productNumber}));
        platform::OpenUrl(ConcatText({prefix, serialNumber}));
        return;
    }
    platform::OpenUrl(ConcatText({prefix, modelName}));
    platform::OpenUrl(ConcatText({prefix, productNumber}));
    platform::OpenUrl(ConcatText({prefix, serialNumber}));
}

void OnWarrantyClicked() {
    // The button is enabled only once an address is stored; an empty one opens nothing.
    const Text address = WarrantyUrl().Load();
    if (!address.empty()) platform::OpenUrl(address);
}

void OnSparePartsClicked() {
    const Text serial = platform::GetControlProperty(platform::Control::编辑框3, platform::Property::Text);
    if (serial.empty()) return;
    platform::OpenUrl(ConcatText({PartsLookupPrefix(), serial}));
}
