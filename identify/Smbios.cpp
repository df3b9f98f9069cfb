#include "identify/Smbios.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kHeaderBytes = 8;        // RawSMBIOSData before the table
constexpr std::size_t kStructureHeaderBytes = 4;  // type, length, handle
constexpr std::uint8_t kSystemInformation = 1;
constexpr std::uint8_t kEndOfTable = 127;
constexpr std::size_t kProductNameOffset = 0x05;
constexpr std::size_t kSerialNumberOffset = 0x07;

std::uint32_t ReadLittleEndian32(std::string_view bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return value;
}

// The offset just past the double NUL that ends the strings starting at `from`, or
// npos when the table ends first.
std::size_t EndOfStrings(std::string_view table, std::size_t from) {
    for (std::size_t i = from; i + 1 < table.size(); ++i) {
        if (table[i] == '\0' && table[i + 1] == '\0') return i + 2;
    }
    return std::string_view::npos;
}

// String number `number` (1-based; 0 means none) of a structure's string set.
std::string StringNumbered(std::string_view strings, std::uint8_t number) {
    if (number == 0) return {};
    std::uint8_t current = 1;
    std::size_t begin = 0;
    while (begin < strings.size()) {
        std::size_t end = strings.find('\0', begin);
        if (end == std::string_view::npos || end == begin) return {};  // the set's end
        if (current == number) return std::string(strings.substr(begin, end - begin));
        ++current;
        begin = end + 1;
    }
    return {};
}

// A field byte of the formatted area, or 0 (no string) when the structure is too short.
std::uint8_t FieldByte(std::string_view structure, std::size_t offset) {
    return offset < structure.size() ? static_cast<std::uint8_t>(structure[offset]) : 0;
}

}  // namespace

platform::FirmwareIdentity ParseSmbiosSystemInformation(std::string_view raw) {
    if (raw.size() < kHeaderBytes) return {};
    std::size_t declared = ReadLittleEndian32(raw, 4);
    std::string_view table = raw.substr(kHeaderBytes, std::min(declared, raw.size() - kHeaderBytes));

    std::size_t position = 0;
    while (position + kStructureHeaderBytes <= table.size()) {
        const auto type = static_cast<std::uint8_t>(table[position]);
        const auto length = static_cast<std::uint8_t>(table[position + 1]);
        // A length below the header's own, or one that runs past the table, leaves no
        // way to find the next structure.
        if (length < kStructureHeaderBytes || position + length > table.size()) return {};
        const std::size_t next = EndOfStrings(table, position + length);
        if (next == std::string_view::npos) return {};
        if (type == kSystemInformation) {
            std::string_view formatted = table.substr(position, length);
            std::string_view strings = table.substr(position + length, next - position - length);
            return {StringNumbered(strings, FieldByte(formatted, kSerialNumberOffset)),
                    StringNumbered(strings, FieldByte(formatted, kProductNameOffset))};
        }
        if (type == kEndOfTable) return {};
        position = next;
    }
    return {};
}
