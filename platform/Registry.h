#pragma once
// Read-only access to registry values. Linux has no registry: its backend stands in
// for the BIOS key HARDWARE\DESCRIPTION\System\BIOS under the local machine by
// mapping its values to the kernel's DMI files, as Wine does.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// The text of the value that path names under root: the key path, a backslash and
// the value name (a path without a backslash names a value right under the root).
// REG_SZ up to its first NUL, REG_EXPAND_SZ with environment references expanded;
// anything else, or a missing key or value, gives the empty text. Code page 936.
std::string ReadRegistryText(RegistryRoot root, const std::string& path);

struct RegistryPath {
    std::string key;    // empty for a value right under the root
    std::string value;  // the value name
};

// Splits at the last backslash that is a character of its own: the second byte of a
// double-byte character of code page 936 may be 0x5C and is no separator.
inline RegistryPath SplitRegistryPath(std::string_view path) {
    std::size_t separator = std::string_view::npos;
    for (std::size_t i = 0; i < path.size();) {
        if (static_cast<unsigned char>(path[i]) >= 0x80) {
            i += 2;
            continue;
        }
        if (path[i] == '\\') separator = i;
        ++i;
    }
    if (separator == std::string_view::npos) return {std::string(), std::string(path)};
    return {std::string(path.substr(0, separator)), std::string(path.substr(separator + 1))};
}

}  // namespace platform
