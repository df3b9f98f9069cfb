// The Linux stand-in for the BIOS registry key: its values come from DMI files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TempDirectory.h"
#include "platform/Firmware.h"
#include "platform/Registry.h"

namespace {

using platform::ReadRegistryText;
using platform::RegistryRoot;

class DmiFixture : public testing::Test {
protected:
    void SetUp() override { ::setenv("LANTUO_DMI_DIR", dmi.Path().c_str(), 1); }
    void TearDown() override { ::unsetenv("LANTUO_DMI_DIR"); }
    TempDirectory dmi;
};

TEST_F(DmiFixture, BiosKeyValuesMapToTheirDmiFiles) {
    const std::pair<const char*, const char*> mapping[] = {
        {"SystemSKU", "product_sku"},         {"SystemProductName", "product_name"},
        {"SystemManufacturer", "sys_vendor"}, {"SystemFamily", "product_family"},
        {"SystemVersion", "product_version"}, {"BIOSVendor", "bios_vendor"},
        {"BIOSVersion", "bios_version"},      {"BIOSReleaseDate", "bios_date"},
        {"BaseBoardManufacturer", "board_vendor"}, {"BaseBoardProduct", "board_name"},
        {"BaseBoardVersion", "board_version"},
    };
    for (auto [value, file] : mapping) dmi.Write(file, std::string("<") + file + ">\n");
    for (auto [value, file] : mapping) {
        EXPECT_EQ(ReadRegistryText(RegistryRoot::LocalMachine, std::string("HARDWARE\\DESCRIPTION\\System\\BIOS\\") + value),
                  std::string("<") + file + ">");
    }
    // Registry names do not care about letter case.
    EXPECT_EQ(ReadRegistryText(RegistryRoot::LocalMachine, "hardware\\description\\system\\bios\\systemsku"),
              "<product_sku>");
}

TEST_F(DmiFixture, EveryOtherPathRootOrMissingFileGivesTheEmptyText) {
    dmi.Write("product_sku", "V8N95AA#ABA\n");
    dmi.Write("product_serial", "5CD0000XYZ\n");
    EXPECT_EQ(ReadRegistryText(RegistryRoot::CurrentUser, "HARDWARE\\DESCRIPTION\\System\\BIOS\\SystemSKU"), "");
    EXPECT_EQ(ReadRegistryText(RegistryRoot::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\SystemSKU"), "");
    EXPECT_EQ(ReadRegistryText(RegistryRoot::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\BIOS\\product_serial"), "");
    EXPECT_EQ(ReadRegistryText(RegistryRoot::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\BIOS\\BIOSVendor"), "");
    EXPECT_EQ(ReadRegistryText(RegistryRoot::LocalMachine, "SystemSKU"), "");
}

TEST_F(DmiFixture, OnlyTheOneTrailingNewlineIsNotPartOfAValue) {
    struct Case {
        std::string content, value;
    };
    const Case cases[] = {
        {"V8N95AA#ABA\n", "V8N95AA#ABA"}, {"V8N95AA#ABA", "V8N95AA#ABA"}, {" padded \n", " padded "},
        {"two\n\n", "two\n"},              {"\n", ""},                     {"", ""},
        {std::string("cut\0off\n", 8), "cut"},
    };
    for (const Case& c : cases) {
        dmi.Write("product_sku", c.content);
        EXPECT_EQ(ReadRegistryText(RegistryRoot::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\BIOS\\SystemSKU"),
                  c.value);
    }
}

TEST_F(DmiFixture, FirmwareIdentityComesFromTheSerialAndNameFiles) {
    dmi.Write("product_serial", "5CD0000XYZ\n");
    dmi.Write("product_name", "HP ZHAN 66 Pro G1 Notebook PC\n");
    EXPECT_FALSE(platform::HasManagementTool());
    platform::FirmwareIdentity identity = platform::ReadFirmwareIdentity(nullptr);
    EXPECT_EQ(identity.serialNumber, "5CD0000XYZ");
    EXPECT_EQ(identity.productName, "HP ZHAN 66 Pro G1 Notebook PC");
}

}  // namespace
