#include "identify/IdentifyMachine.h"

#include "identify/ManagementOutput.h"
#include "platform/Controls.h"
#include "platform/Registry.h"
#include "text/TextRoutines.h"
#include "warranty/GlobalState.h"
#include "warranty/SiteEndpoints.h"

namespace {

using platform::Control;
using platform::Property;
using platform::SetControlProperty;

// Plain arrays, not Text objects: the worker may still be in here when the process
// ends, after static objects have been destroyed.
constexpr char kSerialMarker[] = "IdentifyingNumber=";
constexpr char kNameMarker[] = "Name=";
constexpr char kProductNumberPath[] = "HARDWARE\\DESCRIPTION\\System\\BIOS\\SystemSKU";

// The value on the first line holding the marker, after the marker's last occurrence
// on it; nullopt when no line holds the marker.
std::optional<Text> ValueAfterMarker(const Text& output, const TextArray& lines, const Text& marker) {
    int line = FindLineContaining(output, marker);
    if (line == 0) return std::nullopt;
    return TextAfterLast(lines.At(line), marker, std::nullopt, true);
}

// One model goes by its Chinese marketing name: the one whose name holds "ZHAN",
// "66", "Pro" and "G1" in any order and letter case, spaces ignored.
Text ShownModelName(const Text& name) {
    const Text compact = RemoveAllSpaces(name);
    for (const char* fragment : {"ZHAN", "66", "Pro", "G1"}) {
        if (FindText(compact, fragment, std::nullopt, true) == -1) return name;
    }
    return Gbk("惠普战66 Pro G1 笔记本电脑");
}

}  // namespace

void IdentifyMachine() { IdentifyMachineFrom(&ReadMachineIdentityOutput); }

void IdentifyMachineFrom(IdentityOutputSource readOutput) {
    const Text querying = Gbk("查询中...");
    for (Control box : {Control::编辑框4, Control::编辑框3, Control::编辑框2, Control::编辑框1}) {
        SetControlProperty(box, Property::Text, querying);
    }

    const Text output = readOutput ? readOutput() : Text();
    const TextArray lines = SplitText(output, "\r\n");

    // Each global gets its final value in one store: a reader on the main thread sees
    // the old value or the finished new one.
    if (std::optional<Text> serial = ValueAfterMarker(output, lines, kSerialMarker)) {
        SerialNumber().Store(*serial);
    }
    if (std::optional<Text> name = ValueAfterMarker(output, lines, kNameMarker)) {
        ModelName().Store(ShownModelName(*name));
    }

    const Text sku = platform::ReadRegistryText(platform::RegistryRoot::LocalMachine, kProductNumberPath);
    if (CompareText(sku, Text()) != 0) {
        ProductNumber().Store(sku);
        SetControlProperty(Control::编辑框2, Property::Text, sku);
    } else {
        SetControlProperty(Control::编辑框2, Property::Visible, false);
        SetControlProperty(Control::标签2, Property::Visible, false);
    }

    SetControlProperty(Control::编辑框1, Property::Text, ModelName().Load());
    const Text serialNumber = SerialNumber().Load();
    SetControlProperty(Control::编辑框3, Property::Text, serialNumber);
    // Last: the navigation this starts leads to the warranty lookup.
    SetControlProperty(Control::超文本浏览框1, Property::Address, ConcatText({IdentifyPagePrefix(), serialNumber}));
}
