// libFuzzer target: the SMBIOS System Information parser on any raw firmware data.
// The sanitizers catch a read past the data; the values can only be cut out of it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "identify/Smbios.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so that ASan sees any read beyond it.
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const platform::FirmwareIdentity identity = ParseSmbiosSystemInformation(raw);
    if (identity.serialNumber.size() > size || identity.productName.size() > size) std::abort();
    if (identity.serialNumber.find('\0') != std::string::npos || identity.productName.find('\0') != std::string::npos)
        std::abort();
    return 0;
}
