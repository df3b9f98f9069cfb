#pragma once
// The machine's identity as its firmware reports it, for systems where the
// management command line tool is missing or not there at all.

#include <string>
#include <string_view>

namespace platform {

struct FirmwareIdentity {
    std::string serialNumber;  // code page 936 bytes; empty when unknown
    std::string productName;
};

// Decodes SMBIOS data in the layout GetSystemFirmwareTable('RSMB') returns it
// (RawSMBIOSData: version bytes, the table length at offset 4, the table at offset 8).
using SmbiosDecoder = FirmwareIdentity (*)(std::string_view rawSmbiosData);

// Whether the system has a management command line tool to ask first. Windows: yes
// (on systems where wmic.exe is missing its output simply lacks the values); Linux: no.
bool HasManagementTool();

// Windows: the SMBIOS table through GetSystemFirmwareTable('RSMB'), given to decode.
// Linux: the kernel's DMI files product_serial and product_name in /sys/class/dmi/id,
// or in the directory LANTUO_DMI_DIR names; the kernel has decoded the table already.
// A value that cannot be read is empty.
FirmwareIdentity ReadFirmwareIdentity(SmbiosDecoder decode);

}  // namespace platform
