#pragma once
// The kernel's DMI attribute files: /sys/class/dmi/id, or the directory that
// LANTUO_DMI_DIR names (fixture directories for tests and the demo).

#include <string>
#include <string_view>

namespace platform::linux_backend {

// The value of one DMI file without its trailing newline. A file that is missing,
// unreadable (product_serial is readable by root only) or not a regular file gives
// the empty text; a NUL byte ends the value.
std::string ReadDmiValue(std::string_view name);

}  // namespace platform::linux_backend
