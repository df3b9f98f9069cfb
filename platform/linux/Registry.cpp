// A read-only stand-in for the one registry key the program reads: the BIOS key
// under the local machine, whose values map to DMI files as Wine maps them.
#include "platform/Registry.h"

#include <algorithm>
#include <array>

#include "platform/linux/DmiFiles.h"

namespace platform {
namespace {

struct BiosValue {
    std::string_view name;
    std::string_view dmiFile;
};

constexpr std::array<BiosValue, 11> kBiosValues{{
    {"SystemSKU", "product_sku"},
    {"SystemProductName", "product_name"},
    {"SystemManufacturer", "sys_vendor"},
    {"SystemFamily", "product_family"},
    {"SystemVersion", "product_version"},
    {"BIOSVendor", "bios_vendor"},
    {"BIOSVersion", "bios_version"},
    {"BIOSReleaseDate", "bios_date"},
    {"BaseBoardManufacturer", "board_vendor"},
    {"BaseBoardProduct", "board_name"},
    {"BaseBoardVersion", "board_version"},
}};

// Registry names compare without regard to ASCII letter case.
bool SameName(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

}  // namespace

std::string ReadRegistryText(RegistryRoot root, const std::string& path) {
    if (root != RegistryRoot::LocalMachine) return {};
    RegistryPath parts = SplitRegistryPath(path);
    if (!SameName(parts.key, "HARDWARE\\DESCRIPTION\\System\\BIOS")) return {};
    for (const BiosValue& value : kBiosValues) {
        if (SameName(parts.value, value.name)) return linux_backend::ReadDmiValue(value.dmiFile);
    }
    return {};
}

}  // namespace platform
