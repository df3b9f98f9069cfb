#include "identify/ManagementOutput.h"

#include "identify/HiddenCommand.h"
#include "identify/Smbios.h"
#include "text/TextRoutines.h"

const char ManagementCommand[] = "wmic CSPRODUCT list full";

Text CollapseDoubleCarriageReturns(const Text& output) {
    Text collapsed;
    collapsed.reserve(output.size());
    for (std::size_t i = 0; i < output.size(); ++i) {
        if (output[i] == '\r' && output.compare(i + 1, 2, "\r\n") == 0) continue;
        collapsed.push_back(output[i]);
    }
    return collapsed;
}

namespace {

Text SingleLine(const std::string& value) { return value.substr(0, value.find_first_of("\r\n")); }

}  // namespace

Text FirmwareIdentityLines(const platform::FirmwareIdentity& identity) {
    return ConcatText({"IdentifyingNumber=", SingleLine(identity.serialNumber), "\r\n",
                       "Name=", SingleLine(identity.productName), "\r\n"});
}

Text ReadMachineIdentityOutput() {
    if (platform::HasManagementTool()) {
        Text output = CollapseDoubleCarriageReturns(RunHiddenCommand(ManagementCommand));
        if (FindLineContaining(output, "IdentifyingNumber=") != 0) return output;
    }
    return FirmwareIdentityLines(platform::ReadFirmwareIdentity(&ParseSmbiosSystemInformation));
}
