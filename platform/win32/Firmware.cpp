// The firmware's SMBIOS table through GetSystemFirmwareTable('RSMB'), for systems
// where wmic.exe is missing (new installs of Windows 11 24H2 and later).
#include "platform/Firmware.h"

#include <windows.h>

namespace platform {
namespace {

constexpr DWORD kRawSmbiosProvider = ('R' << 24) | ('S' << 16) | ('M' << 8) | 'B';

}  // namespace

bool HasManagementTool() { return true; }

FirmwareIdentity ReadFirmwareIdentity(SmbiosDecoder decode) {
    if (!decode) return {};
    // The table may change size between the two calls; ask again if it grew.
    for (int attempt = 0; attempt < 3; ++attempt) {
        UINT size = GetSystemFirmwareTable(kRawSmbiosProvider, 0, nullptr, 0);
        if (size == 0) return {};
        std::string table(size, '\0');
        UINT got = GetSystemFirmwareTable(kRawSmbiosProvider, 0, table.data(), size);
        if (got == 0) return {};
        if (got <= size) return decode(std::string_view(table.data(), got));
    }
    return {};
}

}  // namespace platform
