#pragma once
// Reads the System Information structure (SMBIOS type 1) out of raw SMBIOS data.

#include <string_view>

#include "platform/Firmware.h"

// rawSmbiosData as GetSystemFirmwareTable('RSMB') returns it: 4 version bytes, the
// table's length (32-bit little-endian), then the table. The first type 1 structure
// gives the serial number (string at offset 0x07) and the product name (0x05).
// Malformed or cut-off data never leads to a read past its end: a structure shorter
// than a field, a string number past its strings, a table without type 1 or one cut
// off before type 1's strings end give empty values.
platform::FirmwareIdentity ParseSmbiosSystemInformation(std::string_view rawSmbiosData);
