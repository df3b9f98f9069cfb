#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "identify/Smbios.h"

using namespace std::string_literals;

namespace {

std::string Structure(std::uint8_t type, const std::string& fields, const std::vector<std::string>& strings) {
    std::string bytes;
    bytes += static_cast<char>(type);
    bytes += static_cast<char>(4 + fields.size());
    bytes += "\x34\x12"s;  // handle
    bytes += fields;
    if (strings.empty()) return bytes + "\0\0"s;
    for (const std::string& s : strings) bytes += s + '\0';
    return bytes + '\0';
}

// Type 1 of SMBIOS 2.4 and later (length 0x1B): manufacturer, product, version and
// serial string numbers, UUID, wake-up type, SKU and family string numbers.
std::string SystemInformation(std::uint8_t product, std::uint8_t serial, const std::vector<std::string>& strings) {
    std::string fields = {'\x01', static_cast<char>(product), '\x00', static_cast<char>(serial)};
    fields += std::string(16, '\xAB') + "\x06\x00\x00"s;
    return Structure(1, fields, strings);
}

const std::string kBios = Structure(0, "\x01\x02\x00\xE0\x03\x0F"s, {"HP", "Q71 Ver. 01.02.03"});
const std::string kEnd = Structure(127, "", {});
const std::vector<std::string> kStrings = {"HP", "HP ZHAN 66 Pro G1 Notebook PC", "5CD0000XYZ"};

std::string Raw(const std::string& table, std::optional<std::uint32_t> declaredLength = std::nullopt) {
    std::uint32_t length = declaredLength.value_or(static_cast<std::uint32_t>(table.size()));
    std::string header = "\x00\x02\x04\x00"s;
    for (int i = 0; i < 4; ++i) header += static_cast<char>((length >> (8 * i)) & 0xFF);
    return header + table;
}

struct SmbiosCase {
    const char* what;
    std::string raw;
    std::string serial;
    std::string product;
};

class SmbiosParsing : public testing::TestWithParam<SmbiosCase> {};

TEST_P(SmbiosParsing, GivesTheSystemInformationStrings) {
    platform::FirmwareIdentity identity = ParseSmbiosSystemInformation(GetParam().raw);
    EXPECT_EQ(identity.serialNumber, GetParam().serial);
    EXPECT_EQ(identity.productName, GetParam().product);
}

const std::string kFullTable = kBios + SystemInformation(2, 3, kStrings) + kEnd;

INSTANTIATE_TEST_SUITE_P(
    Tables, SmbiosParsing,
    testing::Values(
        SmbiosCase{"after another structure", Raw(kFullTable), "5CD0000XYZ", "HP ZHAN 66 Pro G1 Notebook PC"},
        SmbiosCase{"first of two type 1", Raw(SystemInformation(1, 1, {"A"}) + SystemInformation(1, 1, {"B"})), "A", "A"},
        SmbiosCase{"string number 0 means none", Raw(SystemInformation(2, 0, kStrings)), "", "HP ZHAN 66 Pro G1 Notebook PC"},
        SmbiosCase{"string number past the strings", Raw(SystemInformation(9, 3, kStrings)), "5CD0000XYZ", ""},
        SmbiosCase{"no strings at all", Raw(SystemInformation(2, 3, {})), "", ""},
        // SMBIOS 2.0 type 1 is 8 bytes long: it still has the serial number.
        SmbiosCase{"short 2.0 structure", Raw(Structure(1, "\x01\x02\x00\x03"s, kStrings)), "5CD0000XYZ",
                   "HP ZHAN 66 Pro G1 Notebook PC"},
        SmbiosCase{"structure shorter than the serial field", Raw(Structure(1, "\x01\x02"s, kStrings)), "",
                   "HP ZHAN 66 Pro G1 Notebook PC"},
        SmbiosCase{"no type 1", Raw(kBios + kEnd), "", ""},
        SmbiosCase{"type 1 after the end-of-table", Raw(kBios + kEnd + SystemInformation(2, 3, kStrings)), "", ""},
        SmbiosCase{"declared length stops before type 1", Raw(kFullTable, static_cast<std::uint32_t>(kBios.size())),
                   "", ""},
        SmbiosCase{"cut off inside type 1's strings", Raw(kFullTable.substr(0, kBios.size() + 0x1B + 8)), "", ""},
        SmbiosCase{"cut off inside type 1's fields", Raw(kFullTable.substr(0, kBios.size() + 10)), "", ""},
        SmbiosCase{"length field below the header", Raw("\x01\x02\x00\x00\x00\x00"s + kFullTable), "", ""},
        SmbiosCase{"length field past the table", Raw("\x01\xF0\x00\x00\x00\x00"s), "", ""},
        SmbiosCase{"declared length beyond the data", Raw(kFullTable, 0xFFFFFFFF), "5CD0000XYZ",
                   "HP ZHAN 66 Pro G1 Notebook PC"},
        SmbiosCase{"header only", Raw(""), "", ""},
        SmbiosCase{"shorter than the header", "\x00\x02\x04"s, "", ""},
        SmbiosCase{"nothing", "", "", ""}),
    [](const testing::TestParamInfo<SmbiosCase>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

}  // namespace
