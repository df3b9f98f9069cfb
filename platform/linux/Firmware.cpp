// Linux has no management tool: the kernel's DMI files give the firmware's values.
#include "platform/Firmware.h"

#include "platform/linux/DmiFiles.h"

namespace platform {

bool HasManagementTool() { return false; }

FirmwareIdentity ReadFirmwareIdentity(SmbiosDecoder) {
    return {linux_backend::ReadDmiValue("product_serial"), linux_backend::ReadDmiValue("product_name")};
}

}  // namespace platform
